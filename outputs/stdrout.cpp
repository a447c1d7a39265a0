#include "outputs/stdrout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"
#include "outputs/deckblatt.h"
#include "outputs/formatwriters.h"
#include "outputs/printoop.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace {

TPeriodChooser periodChooser;

char LetterOf(TdbContest& contestList) {
  TContestRecord c{};
  contestList.GetContestRecord(c);
  return rec::GetChar(c.data(), crec::kTyp);
}

int32_t NumberOf(TdbContest& contestList) {
  TContestRecord c{};
  contestList.GetContestRecord(c);
  return rec::GetInt32(c.data(), crec::kNummer);
}

std::string SwlNumber() {
  ToSetupStation st{};
  ToSetups.GetStation(st);
  return rec::GetStr(st.data(), stationrec::kSWLNr, stationrec::kSWLNrCap);
}

// The first band name of a band code without its unit letter, as the list
// columns show it: "80 m" gives "80 ", "70 cm" gives "70  ".
std::string ListBandText(char code) {
  std::string name = ToBaender.BandName(code);
  if (!name.empty()) name.pop_back();
  const size_t c = name.find('c');
  if (c != std::string::npos) {
    name.erase(c, 1);
    name += ' ';
  }
  return name;
}

}  // namespace

TPeriodChooser SetPeriodChooser(TPeriodChooser chooser) {
  TPeriodChooser previous = std::move(periodChooser);
  periodChooser = std::move(chooser);
  return previous;
}

// --- list lines, CSV and page header --------------------------------------------------

bool IsListedCall(const TContestRec& contest, std::string_view call) {
  if (contest.BonusStations[0].empty()) return true;
  const std::string_view home = call.substr(0, call.find('/'));
  return std::any_of(contest.BonusStations.begin(), contest.BonusStations.end(),
                     [&](const TStr255& s) { return !s.empty() && s.view() == home; });
}

void WriteListPageHeader(TAlleRout& out, const TContestRec& contest, TdbContest& contestList,
                         char bandLetter) {
  const bool csv = out.Code() == OutputCode::Csv;
  const std::string s = csv ? ";" : " ";
  std::string title = contest.DisplayTitle.str();
  if (bandLetter != 0)
    title += "  -  Band-Log " + ToBaender.BandName(bandLetter);
  else
    title += "  -  QSO-Liste";
  title += contest.SwlLog ? "     SWL : " + SwlNumber() : "     CALL: " + ToSetups.OwnCall();
  title = ToStrings.FixLen(title, 77);
  if (out.IsPrinter()) title += PrintedPageLabel(out.PageNumber(), out.English());
  if (!csv) {
    out.BoldOn();
    out.WriteLine(title);
    out.BoldOff();
    out.WriteLine(" ");
  }

  std::string line;
  for (const TListColumn& c : TListColumns(out, contest, LetterOf(contestList))) {
    if (!line.empty()) line += s;
    // A caption takes exactly the width of its column: the captions after
    // it keep their places over their data.
    if (c.CaptionRight)
      line += ToStrings.LeftPad(c.Caption, c.Width);
    else
      line += ToStrings.FixLen(c.Caption, c.Width, c.Width > 0);
  }
  out.WriteLine(line);
}

void WriteListQsoLine(TTextWriter& w, const TAlleRout& out, int32_t runningNumber,
                       const TContestRec& contest, const TContestQsoRecord& qso, char letter,
                       TLineTexts& texts) {
  WriteListQsoLine(w, out, TListColumns(out, contest, letter), runningNumber, contest, qso, letter, texts);
}

void WriteListQsoLine(TTextWriter& w, const TAlleRout& out, const TListColumns& columns, int32_t runningNumber,
                       const TContestRec& contest, const TContestQsoRecord& qso, char letter,
                       TLineTexts& texts) {
  const bool csv = out.Code() == OutputCode::Csv;
  const char s = csv ? ';' : ' ';
  const uint8_t* r = qso.data();
  auto field = [&](size_t off, size_t cap) { return rec::GetStrView(r, off, cap); };
  const std::string_view call = field(qrec::kCall, qrec::kCallCap);
  const std::string_view call2 = field(qrec::kCall2, qrec::kCall2Cap);
  // Report, a blank and the rest of the exchange.
  auto exchange = [&](std::string_view text, int32_t width) {
    w.Fix(text.substr(0, kListReportWidth), kListReportWidth);
    w.Char(' ');
    w.Fix(text.size() > kListReportWidth ? text.substr(kListReportWidth, 17) : std::string_view(),
          width - kListReportWidth - 1);
  };

  bool first = true;
  for (const TListColumn& c : columns) {
    if (c.Field == TListField::NameQth) {
      // The column follows only where the QSO has a name or a QTH.
      const std::string_view nameQth = ToStrings.TrimView(field(qrec::kNameQth, qrec::kNameQthCap));
      if (nameQth == ";") continue;
      const size_t semi = nameQth.find(';');
      const std::string_view name = nameQth.substr(0, semi);
      const std::string_view qth = semi == std::string_view::npos ? std::string_view() : nameQth.substr(semi + 1);
      w.Char(s);
      w.Text(name);
      if (!name.empty() && !qth.empty()) {
        w.Char('/');
        w.Text(qth);
      }
      continue;
    }
    if (!first) w.Char(s);
    first = false;
    switch (c.Field) {
      case TListField::Number: w.IntRight(runningNumber, c.Width); break;
      case TListField::Date: {
        const int32_t datum = rec::GetInt32(r, qrec::kDatum);
        const size_t dateAt = w.Size();
        if (datum > 0) texts.WriteDate(w, datum, csv ? "dd.mm.yyyy" : "ddmmyy");
        if (w.Size() == dateAt) w.Chars(' ', static_cast<size_t>(c.Width));
        if (!csv) {  // exactly the column's width
          w.Cut(dateAt + static_cast<size_t>(c.Width));
          w.Chars(' ', dateAt + static_cast<size_t>(c.Width) - w.Size());
        }
        break;
      }
      case TListField::Time:
        ToDates.WriteTimeString(w, rec::GetInt32(r, qrec::kZeit), csv ? "hh:mm" : "hhmm");
        break;
      case TListField::Call: w.Fix(call, c.Width); break;
      case TListField::Band:
        out.WriteField(w, texts.Band(rec::GetChar(r, qrec::kBandcode), ListBandText), c.Width);
        break;
      case TListField::Mode: out.WriteField(w, field(qrec::kMode, qrec::kModeCap), c.Width); break;
      case TListField::Sent: exchange(texts.Sent(qso), c.Width); break;
      case TListField::Received: exchange(texts.Received(qso), c.Width); break;
      case TListField::Call2: out.WriteField(w, call2, c.Width); break;
      case TListField::Exchange1: w.Fix(field(qrec::kCMulti, qrec::kCMultiCap), c.Width); break;
      case TListField::Exchange2: w.Fix(field(qrec::kCMulti2, qrec::kCMulti2Cap), c.Width); break;
      case TListField::Exchange3: {
        std::string_view third = call2;
        if (letter == 'k') third = IsListedCall(contest, call) ? call : std::string_view();
        w.Fix(third, c.Width);
        break;
      }
      case TListField::Points: w.IntRight(rec::GetUInt16(r, qrec::kPunkte), c.Width); break;
      case TListField::NameQth: break;
    }
  }
}

std::string ListQsoLine(TAlleRout& out, int32_t runningNumber, const TContestRec& contest,
                        TdbContest& log, TdbContest& contestList) {
  TContestQsoRecord q{};
  log.GetQsoRecord(q);
  return LineText(
      [&](TTextWriter& w, TLineTexts& texts) { WriteListQsoLine(w, out, runningNumber, contest, q, LetterOf(contestList), texts); });
}

// --- the driver -----------------------------------------------------------------------

bool TStdRout::BeginOutput(int kind) {
  if (kind < 0 || kind > OutputKind::ELogSpare) return false;
  DropRecords();
  sharing_ = true;
  return out_.BeginOutput(static_cast<uint8_t>(kind));
}

void TStdRout::EndPrinting() {
  DropRecords();
  out_.EndPrinting();
}

void TStdRout::CloseOutputFile() {
  DropRecords();
  out_.CloseOutputFile();
}

void TStdRout::DropRecords() {
  records_.reset();
  recordsOf_.clear();
  sharing_ = false;
}

std::shared_ptr<const TLogRecords> TStdRout::LogRecords(int32_t nummer) {
  // The log is known by its number in the program directory: another
  // directory holds another log of the same number.
  const std::string of = ProgramDirectory + "|" + std::to_string(nummer);
  if (records_ && recordsOf_ == of) return records_;
  auto records = std::make_shared<const TLogRecords>(LogRecordsInOrder(nummer));
  if (sharing_) {
    records_ = records;
    recordsOf_ = of;
  }
  return records;
}

bool TStdRout::SelectOutputFile(int kind, TdbContest& contestTable) {
  if (kind < 0 || kind > OutputKind::ELogSpare) return false;
  return out_.SelectOutputFile(static_cast<uint8_t>(kind), contestTable);
}

bool TStdRout::ChoosePeriod(QWidget* owner, int32_t nummer, std::string& from, std::string& to) {
  return periodChooser && periodChooser(owner, nummer, from, to);
}

void TStdRout::WriteELogCoverSheet(const TContestRec& description, const TOutputFilter& filter,
                                   TdbContest& contestTable, TdbContest& extraTable) {
  const std::shared_ptr<const TLogRecords> qsos = LogRecords(NumberOf(contestTable));
  ::WriteELogCoverSheet(out_, description, filter, contestTable, extraTable, *qsos);
}

bool TStdRout::WriteBandList(const TContestRec& description, const TOutputFilter& filter,
                             TdbContest& contestTable, TdbContest& extraTable) {
  return WriteQSOListing(description, filter, contestTable, true, extraTable);
}

bool TStdRout::WriteQSOListing(const TContestRec& description, const TOutputFilter& filter,
                               TdbContest& contestTable, TdbContest& extraTable) {
  return WriteQSOListing(description, filter, contestTable, false, extraTable);
}

bool TStdRout::WriteQSOListing(const TContestRec& description, const TOutputFilter& filter,
                               TdbContest& contestTable, bool perBand, TdbContest& extraTable) {
  out_.StartOnFreshPage();
  out_.ComputeTotals(contestTable, extraTable);
  // One pass over the storage for the whole output; the column widths, the
  // points of the period, the headers and the lines (of every band) come
  // from the records read.
  const std::shared_ptr<const TLogRecords> records = LogRecords(NumberOf(contestTable));
  const TLogRecords& qsos = *records;
  if (filter[0] > 0 && filter[4] > 0) out_.RecountPointsInPeriod(filter, qsos);
  // The ADIF and EDI lines have no columns, the STF and Cabrillo lines one.
  const uint8_t code = out_.Code();
  if (code != OutputCode::Adif && code != OutputCode::Edi)
    out_.MeasureListColumns(description, qsos, code == OutputCode::Stf || code == OutputCode::Cabrillo);
  if (!perBand) {
    WriteListHeader(description, contestTable, extraTable, 0, qsos);
    WriteQsoLines(description, filter, contestTable, extraTable, qsos, 0, false);
    return false;
  }
  bool first = true;
  for (char band : description.BandLetters) {
    if (band == 0 || band == ' ') continue;
    if (!first) WriteBandSeparator();
    first = false;
    WriteListHeader(description, contestTable, extraTable, band, qsos);
    WriteQsoLines(description, filter, contestTable, extraTable, qsos, band, true);
  }
  return true;
}

void TStdRout::WriteListHeader(const TContestRec& description, TdbContest& contestList,
                               TdbContest& extra, char bandLetter, const TLogRecords& qsos) {
  out_.ResetPosition();
  const uint8_t code = out_.Code();
  if (code == OutputCode::Stf || code == OutputCode::Adif || code == OutputCode::Cabrillo ||
      code == OutputCode::Edi) {
    if (TQsoFormatWriter* w = QsoFormatWriter(code))
      w->WriteHeader(out_, description, contestList, extra, bandLetter, &qsos);
    return;
  }
  WriteListPageHeader(out_, description, contestList, bandLetter);
}

void TStdRout::WriteBandSeparator() {
  if (out_.IsPrinter()) {
    out_.NewPage();
  } else if (out_.Code() == OutputCode::ELog) {
    for (int i = 0; i < 4; ++i) out_.WriteLine(" ");
  }
}

void TStdRout::WriteQsoLines(const TContestRec& description, const TOutputFilter& filter,
                             TdbContest& contestList, TdbContest& extra, const TLogRecords& qsos,
                             char bandLetter, bool perBand) {
  const uint8_t code = out_.Code();
  TQsoFormatWriter* format = nullptr;
  if (code == OutputCode::Stf || code == OutputCode::Adif || code == OutputCode::Cabrillo ||
      code == OutputCode::Edi)
    format = QsoFormatWriter(code);
  out_.RstOnly = true;
  if (code == OutputCode::Adif && LetterOf(contestList) != 'A')
    out_.RstOnly = ToMessages.JaNeinFrage("ADIF - Datei", "",
                                          "Von der Kontrollnummer nur RS(T) exportieren?", true);
  auto headerAfterBreak = [&] {
    if (out_.NewPageIfNeeded()) WriteListHeader(description, contestList, extra, bandLetter, qsos);
  };
  headerAfterBreak();

  const bool formatCode = code == OutputCode::Stf || code == OutputCode::Adif ||
                          code == OutputCode::Cabrillo || code == OutputCode::Edi;
  const char letter = LetterOf(contestList);
  int32_t count = 0;
  size_t longest = 0;
  std::string buffer;  // one buffer and one writer for every line
  TTextWriter line(buffer);
  TLineTexts texts;
  const TListColumns columns(out_, description, letter);
  for (const TContestQsoRecord& q : qsos) {
    headerAfterBreak();
    const uint8_t* r = q.data();
    if (IsBandChangeMarker(rec::GetByte(r, qrec::kQsoMarker))) continue;
    if (perBand && rec::GetChar(r, qrec::kBandcode) != bandLetter) continue;
    if (!PassesPeriodFilter(filter, rec::GetInt32(r, qrec::kDatum), rec::GetInt32(r, qrec::kZeit)))
      continue;
    ++count;
    line.Cut(0);
    if (formatCode) {
      if (!format) continue;
      format->BuildQsoLine(out_, count, description, q, contestList, line);
    } else {
      WriteListQsoLine(line, out_, columns, count, description, q, letter, texts);
    }
    out_.WriteLine(line.Written());
    longest = std::max(longest, ToStrings.TrimView(line.Written()).size());
  }

  if (format) format->WriteTrailer(out_, description, contestList, extra);
  if ((code == OutputCode::Printer || code == OutputCode::ELog) && !perBand) {
    headerAfterBreak();
    out_.WriteScoreTrailer(static_cast<int>(longest), description, extra);
  }
}

// --- multiplier check list ----------------------------------------------------------------

void TStdRout::WriteMultiHeader(const TContestRec& description) {
  out_.ResetPosition();
  const std::string call = description.SwlLog ? SwlNumber() : ToSetups.OwnCall();
  std::string title =
      ToStrings.FixLen(description.DisplayTitle.str() + " Multiplier Check List   " + call, 65);
  if (out_.IsPrinter()) title += PrintedPageLabel(out_.PageNumber(), out_.English());
  out_.BoldOn();
  out_.WriteLine(title);
  out_.BoldOff();
  out_.WriteLine(" ");
  out_.WriteLine(" ");
  std::string columns = ToStrings.FixLen("Multi", 8);
  for (char band : description.BandLetters)
    if (band != 0 && band != ' ') columns += ToStrings.FixLen(ToBaender.BandName(band), 13);
  out_.WriteLine(columns);
  out_.WriteLine(" ");
}

bool TStdRout::WriteMultiCheckList(const TContestRec& description, TdbContest& contestTable,
                                   TdbContest& extraTable) {
  (void)extraTable;
  TdbContest log(kContestLog, false, NumberOf(contestTable));
  out_.StartOnFreshPage();
  WriteMultiHeader(description);
  const TByteSet& kinds = description.MultiplierKinds;

  std::array<std::string, 256> cells;
  std::string groupKey;  // the whole key of the current group
  auto clearCells = [&] {
    for (std::string& c : cells) c.clear();
  };
  auto writeRow = [&] {
    if (out_.NewPageIfNeeded()) WriteMultiHeader(description);
    std::string row = ToStrings.FixLen(ToStrings.LeftStr(groupKey, 6), 8);
    for (char band : description.BandLetters)
      if (band != 0 && band != ' ')
        row += ToStrings.FixLen(cells[static_cast<uint8_t>(band)], 13);
    out_.WriteLine(row);
  };
  const bool dokRun = CountsDoks(kinds);
  const bool dxccRun = kinds.Contains(MultiplierKind::DxccOrPrefix);
  std::vector<int> keyNos;
  if (dokRun) keyNos.push_back(qrec::kKeyDok);
  if (dxccRun) keyNos.push_back(qrec::kKeyDXCC);
  TdbTreiber* driver = log.GetTreiber();
  if (keyNos.empty() || !driver) return false;

  // One pass over the storage in the table's own order, with the stored
  // keys of both groupings: each grouping then takes the QSOs in the order
  // of its index (key, then reference) without a walk along it. The QSOs
  // came in reference order; those of one key stay so, and the distinct
  // keys (a few hundred at most) are put in order. Band changes and QSOs
  // without a band belong to no group.
  std::vector<TContestQsoRecord> qsos;
  std::string keyBytes;  // every distinct key of both groupings
  struct TKeyGroup {
    size_t at, size;          // the key in keyBytes
    std::vector<uint32_t> qsos;  // its QSOs in reference order
  };
  std::array<std::vector<TKeyGroup>, 2> groups;
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view k) const noexcept { return std::hash<std::string_view>{}(k); }
  };
  std::array<std::unordered_map<std::string, uint32_t, THash, std::equal_to<>>, 2> groupOf;
  qsos.reserve(static_cast<size_t>(std::max(0, driver->UsedRecords())));
  driver->ScanRecordsWithKeys(keyNos, [&](int32_t, std::string_view data, const std::vector<std::string_view>& keys) {
    TContestQsoRecord& q = qsos.emplace_back();
    std::memcpy(q.data(), data.data(), std::min(data.size(), q.size()));
    const char band = rec::GetChar(q.data(), qrec::kBandcode);
    if (IsBandChangeMarker(rec::GetByte(q.data(), qrec::kQsoMarker)) || band == 0 || band == ' ') {
      qsos.pop_back();
      return true;
    }
    const auto row = static_cast<uint32_t>(qsos.size() - 1);
    for (size_t k = 0; k < keys.size(); ++k) {
      auto it = groupOf[k].find(keys[k]);
      if (it == groupOf[k].end()) {
        it = groupOf[k].emplace(std::string(keys[k]), static_cast<uint32_t>(groups[k].size())).first;
        groups[k].push_back({keyBytes.size(), keys[k].size(), {}});
        keyBytes.append(keys[k]);
      }
      groups[k][it->second].qsos.push_back(row);
    }
    return true;
  });

  auto run = [&](size_t keyIndex, bool dokGroup) {
    groupKey.clear();
    clearCells();
    // Keys compare byte by byte, a shorter one first, as the index has them.
    std::vector<TKeyGroup>& byKey = groups[keyIndex];
    auto keyOf = [&](const TKeyGroup& g) { return std::string_view(keyBytes).substr(g.at, g.size); };
    std::sort(byKey.begin(), byKey.end(), [&](const TKeyGroup& a, const TKeyGroup& b) { return keyOf(a) < keyOf(b); });
    std::vector<uint32_t> order;
    order.reserve(qsos.size());
    for (const TKeyGroup& g : byKey) order.insert(order.end(), g.qsos.begin(), g.qsos.end());
    std::string dok;
    for (uint32_t i : order) {
      const uint8_t* r = qsos[i].data();
      const char band = rec::GetChar(r, qrec::kBandcode);
      std::string_view key;
      if (dokGroup) {
        dok = qrec::GetDok(r);
        key = ToStrings.TrimView(dok);
      } else {
        key = ToStrings.TrimView(rec::GetStrView(r, qrec::kDXCC, qrec::kDXCCCap));
      }
      if (key != groupKey) {
        bool newGroup = true;
        if (!dokGroup) {
          newGroup = key != "DL" || kinds.Contains(MultiplierKind::DlCounts);
          if (kinds.Contains(MultiplierKind::EuropeOnly))
            newGroup = newGroup && rec::GetStrView(r, qrec::kKontinent, qrec::kKontinentCap) == "EU";
        }
        if (newGroup) {
          writeRow();
          clearCells();
          groupKey = key;
        }
      }
      std::string& cell = cells[static_cast<uint8_t>(band)];
      if (!key.empty() && cell.empty()) cell = rec::GetStrView(r, qrec::kCall, qrec::kCallCap).substr(0, 12);
    }
    if (std::any_of(cells.begin(), cells.end(), [](const std::string& c) { return !c.empty(); }))
      writeRow();
    clearCells();
  };
  if (dokRun) run(0, true);
  if (dxccRun) run(dokRun ? 1 : 0, false);
  return false;
}

// --- installation ---------------------------------------------------------------------------

void InstallLogOutputs() {
  static TStdRout writer;
  SetLogOutputWriter(&writer);
  InstallQsoFormatWriters();
}
