#include "logentry/model/contloggrid.h"

#include <algorithm>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContestDat.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"

namespace {

constexpr const char* kShortDate = "dd.mm.yy";

std::string Pad(std::string_view s, size_t width) {
  std::string r(s);
  if (r.size() < width) r.append(width - r.size(), ' ');
  return r;
}

std::string Str(const TContestQsoRecord& q, size_t off, size_t cap) {
  return rec::GetStr(q.data(), off, cap);
}

// The exchange with a blank after its RST.
std::string SpacedExchange(const std::string& text) {
  if (text.size() <= 3) return text;
  return text.substr(0, 3) + " " + text.substr(3);
}

// Contest 'k' shows the third multiplier column only for the stations of
// its call list (or for everybody when the list is empty).
bool ShowsThirdMulti(const TContestRec& contest, char letter, const std::string& call) {
  if (letter != 'k') return true;
  bool listed = false;
  const std::string home = call.substr(0, call.find('/'));
  for (const TStr255& s : contest.BonusStations) {
    if (s.empty()) continue;
    listed = true;
    if (ToStrings.Trim(s.view()) == home) return true;
  }
  return !listed;
}

}  // namespace

namespace {

// A column of the grid: its caption and, where its widest value is longer
// than the caption, the characters that value takes.
struct TGridColumn {
  std::string Caption;
  int Chars = 0;
};

std::vector<TGridColumn> GridColumns(const TContestRec& contest, bool english) {
  const size_t dateWidth = std::string(kShortDate).size() - 1;
  std::vector<TGridColumn> c;
  c.push_back({english ? "No " : "Nr ", 6});  // numbers right-aligned in six places
  c.push_back({ToStrings.FixLen(english ? "  Date" : " Datum", static_cast<int>(dateWidth))});
  c.push_back({Pad(" UTC", 5)});
  c.push_back({" Call    ", qrec::kCallCap});
  c.push_back({"Band "});
  c.push_back({"Mod", qrec::kModeCap});
  c.push_back({" RSTsent      "});
  if (contest.SwlLog) {
    c.push_back({"Call2  ", qrec::kCall2Cap});
    c.push_back({"RSTsent2 "});
  } else {
    c.push_back({" RSTrcvd      "});
  }
  // Multiplier texts: squares, DOKs, prefixes and member numbers of up to six.
  for (const TStr255& caption : contest.MultiplierCaptions)
    if (!caption.empty()) c.push_back({Pad(caption.view(), 6), 6});
  c.push_back({"Pkt"});
  c.push_back({"sQr"});
  if (!contest.SwlLog) {
    c.push_back({Pad("Name", 10)});
    c.push_back({Pad("QTH", 10)});
    c.push_back({"Freq."});
  }
  return c;
}

}  // namespace

std::string BuildGridHeader(const TContestRec& contest, bool english) {
  std::string line;
  for (const TGridColumn& c : GridColumns(contest, english)) line += (line.empty() ? "" : ";") + c.Caption;
  line += std::string(200, ' ');
  if (line.size() > 255) line.resize(255);
  return line;
}

int GridColumnChars(const TContestRec& contest, int column) {
  const std::vector<TGridColumn> columns = GridColumns(contest, false);
  if (column < 1 || column > static_cast<int>(columns.size())) return 0;
  return columns[static_cast<size_t>(column - 1)].Chars;
}

std::string BuildGridRow(const TContestQsoRecord& qso, const TContestRec& contest, char letter) {
  const uint8_t* p = qso.data();
  const int32_t datum = rec::GetInt32(p, qrec::kDatum);
  const int32_t zeit = rec::GetInt32(p, qrec::kZeit);
  const std::string date = datum < 1 ? std::string(std::string(kShortDate).size(), ' ')
                                     : ToDates.DateToDateString(datum, kShortDate);
  // Midnight is a time like any other; only a negative time is none.
  const std::string time = zeit >= 0 ? ToDates.TimeToTimeString(zeit, "hh:mm") : std::string(5, ' ');
  std::string row;
  const uint8_t marker = rec::GetByte(p, qrec::kQsoMarker);
  if (marker != 0 && marker != ' ') {
    row = ";" + date + ";" + time + ";*** QSY " + ToBaender.BandName(static_cast<char>(marker)) +
          " ***;;;;;;;";
  } else {
    const std::string call = Str(qso, qrec::kCall, qrec::kCallCap);
    std::string sent = TContestFkt::GetSentExchange(qso);
    std::string rcvd = TContestFkt::GetReceivedExchange(qso);
    if (!contest.SwlLog) {
      sent = SpacedExchange(sent);
      rcvd = SpacedExchange(SpacedExchange(rcvd));
    } else {
      rcvd = Str(qso, qrec::kCall2, qrec::kCall2Cap) + ";" + sent;
    }
    row = ToStrings.IntToStrRight(rec::GetInt32(p, qrec::kWagNummer), 6) + ";" + date + ";" + time +
          ";" + call + ";" + ToBaender.BandName(rec::GetChar(p, qrec::kBandcode)) + ";" +
          Str(qso, qrec::kMode, qrec::kModeCap) + ";" + sent + ";" + rcvd + ";";
    const std::string multis[3] = {Str(qso, qrec::kCMulti, qrec::kCMultiCap),
                                   Str(qso, qrec::kCMulti2, qrec::kCMulti2Cap),
                                   Str(qso, qrec::kCall2, qrec::kCall2Cap)};
    for (size_t i = 0; i < 3; ++i) {
      if (contest.MultiplierCaptions[i].empty()) continue;
      std::string m = multis[i];
      if (i == 2 && !ShowsThirdMulti(contest, letter, call)) m.clear();
      row += (m.empty() ? std::string(" ") : m) + ";";
    }
    row += std::to_string(rec::GetUInt16(p, qrec::kPunkte)) + ";";
    for (size_t off : {qrec::kQSLs, qrec::kQSLr}) {
      const char c = rec::GetChar(p, off);
      row += c == 0 ? ' ' : c;
    }
    row += " ";
    if (!contest.SwlLog) {
      const std::string name(qrec::GetName(p));
      const std::string qth(qrec::GetQth(p));
      const float f = rec::GetFloat(p, qrec::kFrequenz);
      row += ";" + name + ";" + qth + ";" + ToStrings.FloatToStrDigits(f, 5, 3, ',');
      row = ToStrings.UpperCase(row);
    }
  }
  if (rec::GetByte(p, qrec::kSel) == 1) row.insert(row.begin(), '\x01');
  return row;
}

bool GridSortKey(int index, char currentBand, bool readable, TGridKeyRange& range) {
  using namespace contestkey;
  const std::string band = std::string(1, currentBand) + Sep(readable);
  range = {};
  switch (index) {
    case 0:
      range.KeyNumber = qrec::kKeyBandNrIntern;
      range.Lower = band;
      range.Upper = ToStrings.IncKeyString(band);
      return true;
    case 1:
      range.KeyNumber = qrec::kKeyBandCallMode;
      range.Lower = band + std::string(qrec::kKeyCallWidth, ' ');
      range.Upper = band + std::string(qrec::kKeyCallWidth, 'Z');
      return true;
    case 2:
      range.KeyNumber = qrec::kKeyBandDXCC;
      range.Lower = band + std::string(qrec::kKeyShortWidth, ' ');
      range.Upper = band + std::string(qrec::kKeyShortWidth, 'Z');
      return true;
    case 3:
      range = GridOpenRange(readable);
      return true;
    case 4:
      range.KeyNumber = qrec::kKeyCallDatumZeit;
      return true;
    case 5:
    case 6:
      range.KeyNumber = index == 5 ? qrec::kKeyDXCC : qrec::kKeyDok;
      range.Lower = std::string(qrec::kKeyShortWidth, ' ');
      range.Upper = std::string(qrec::kKeyShortWidth, 'Z');
      return true;
    default:
      return false;
  }
}

TGridKeyRange GridOpenRange(bool readable) {
  return {qrec::kKeyNummer, contestkey::Int(1, readable), contestkey::Int(999999999, readable)};
}

int GridColumnWidth(const TContestRecord& list, int column) {
  if (column < 1 || column > crec::kColumnCount) return 0;
  return rec::GetUInt16(list.data(), crec::kColumnWidths + 2 * static_cast<size_t>(column - 1));
}

int GridColumnShownWidth(const TContestRecord& list, const TContestRec& contest, int column, int charWidth) {
  const int stored = GridColumnWidth(list, column);
  if (stored > 0) return stored;
  const int chars = GridColumnChars(contest, column);
  return chars > 0 ? (chars + 1) * charWidth : 0;
}

void StoreGridColumnWidths(TContestRecord& list, const int* widths, int count) {
  count = std::min(count, crec::kColumnCount);
  for (int c = 0; c < count; ++c)
    rec::SetUInt16(list.data(), crec::kColumnWidths + 2 * static_cast<size_t>(c),
                   static_cast<uint16_t>(std::clamp(widths[c], 0, 0xFFFF)));
}

namespace {

// The offset of a column's width in the colour record; 0 where it has no place.
size_t ColourRecordPlace(TGridWidths kind, char letter, int keyNumber, int column) {
  if (column < 1 || column > colorsrec::kWidthsPerKey || keyNumber < 0) return 0;
  const size_t table = kind == TGridWidths::ClusterGrid ? colorsrec::kWidthsCluster
                       : letter == 'W'                  ? colorsrec::kWidthsGridW
                                                        : colorsrec::kWidthsOther;
  // Each table ends where the next begins (the last one at the record's end).
  const size_t end = table == colorsrec::kWidthsGridW     ? colorsrec::kWidthsCluster
                     : table == colorsrec::kWidthsCluster ? colorsrec::kWidthsOther
                                                          : colorsrec::kSize;
  const size_t at = colorsrec::ColumnWidthAt(table, keyNumber, column);
  return at + 2 <= end ? at : 0;
}

}  // namespace

int KeptColumnWidth(TGridWidths kind, const TContestRecord& list, char letter, int keyNumber, int column) {
  if (kind == TGridWidths::LogGrid) return GridColumnWidth(list, column);
  const size_t at = ColourRecordPlace(kind, letter, keyNumber, column);
  if (at == 0) return 0;
  ToSetupColors colours;
  ToSetups.GetColors(colours);
  return rec::GetUInt16(colours.data(), at);
}

void KeepColumnWidths(TGridWidths kind, TContestRecord& list, char letter, int keyNumber,
                      const std::vector<int>& widths) {
  if (kind == TGridWidths::LogGrid) {
    StoreGridColumnWidths(list, widths.data(), static_cast<int>(widths.size()));
    return;
  }
  ToSetupColors colours;
  ToSetups.GetColors(colours);
  for (size_t c = 0; c < widths.size(); ++c) {
    const size_t at = ColourRecordPlace(kind, letter, keyNumber, static_cast<int>(c) + 1);
    if (at != 0) rec::SetUInt16(colours.data(), at, static_cast<uint16_t>(std::clamp(widths[c], 0, 0xFFFF)));
  }
  ToSetups.SetColors(colours);
}
