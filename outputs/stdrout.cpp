#include "outputs/stdrout.h"

#include <algorithm>
#include <array>

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

// Letter 'k' shows the QSO's own call in the third exchange column, so the
// column is at least as wide as the call column: a measured width of the
// partner calls alone would cut the calls.
int32_t ThirdColumnWidth(const TAlleRout& out, char letter) {
  return letter == 'k' ? std::max(out.ExchangeWidth3, out.CallWidth) : out.ExchangeWidth3;
}

bool HasExchangeColumn(const TContestRec& contest, int i) {
  return !contest.MultiplierCaptions[static_cast<size_t>(i)].empty();
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
  const bool numbered = !contest.SwlLog && (out.Code() == OutputCode::Printer || out.Code() == OutputCode::ELog);
  if (numbered) line += "Nr   " + s;
  line += "DATE  " + s + "UTC " + s + ToStrings.FixLen("CALL ", out.CallWidth) + s + "BAND" + s +
          "MODE  " + s + ToStrings.FixLen("SENT  ", out.SentWidth) + s;
  if (contest.SwlLog) line += "CALL2    " + s;
  line += ToStrings.FixLen(contest.SwlLog ? "SENT2 " : "RCVD  ", out.ReceivedWidth) + s;
  const char letter = LetterOf(contestList);
  const int32_t widths[3] = {out.ExchangeWidth1, out.ExchangeWidth2, ThirdColumnWidth(out, letter)};
  for (int i = 0; i < 3; ++i)
    if (HasExchangeColumn(contest, i))
      line += ToStrings.FixLen(contest.MultiplierCaptions[static_cast<size_t>(i)].view(), widths[i]) + s;
  line += ToStrings.LeftPad(out.PointsWidth < 3 ? "P" : "Pkt", out.PointsWidth);
  if (letter == 'I' || letter == 'l') line += " Name/QTH";
  out.WriteLine(line);
}

std::string ListQsoLine(TAlleRout& out, int32_t runningNumber, const TContestRec& contest,
                        TdbContest& log, TdbContest& contestList) {
  const bool csv = out.Code() == OutputCode::Csv;
  const std::string s = csv ? ";" : " ";
  TContestQsoRecord q{};
  log.GetQsoRecord(q);
  const uint8_t* r = q.data();
  auto field = [&](size_t off, size_t cap) { return rec::GetStr(r, off, cap); };

  const int32_t datum = rec::GetInt32(r, qrec::kDatum);
  const int32_t zeit = rec::GetInt32(r, qrec::kZeit);
  std::string date = datum > 0 ? ToDates.DateToDateString(datum, csv ? "dd.mm.yyyy" : "ddmmyy") : "";
  if (date.empty()) date = "      ";
  std::string line;
  if (!csv) {
    if (!contest.SwlLog) line += ToStrings.IntToStrRight(runningNumber, 5) + " ";
    date = ToStrings.FixLen(date, 6);
  }
  const std::string call = field(qrec::kCall, qrec::kCallCap);
  const std::string call2 = field(qrec::kCall2, qrec::kCall2Cap);
  line += date + s + ToDates.TimeToTimeString(zeit, csv ? "hh:mm" : "hhmm") + s +
          ToStrings.FixLen(call, out.CallWidth) + s +
          out.FitField(ListBandText(rec::GetChar(r, qrec::kBandcode)), 4) + s +
          out.FitField(field(qrec::kMode, qrec::kModeCap), 6) + s;
  auto exchange = [&](const std::string& text, int width) {
    return ToStrings.FixLen(ToStrings.Copy(text, 1, 3), 3) + " " +
           ToStrings.FixLen(ToStrings.Copy(text, 4, 17), width);
  };
  const std::string sent = exchange(TContestFkt::GetSentExchange(q), out.SentWidth);
  const std::string rcvd = exchange(TContestFkt::GetReceivedExchange(q), out.ReceivedWidth);
  if (contest.SwlLog)
    line += rcvd + s + out.FitField(call2, 9) + s + sent + s;
  else
    line += sent + s + rcvd + s;

  const char letter = LetterOf(contestList);
  if (HasExchangeColumn(contest, 0))
    line += ToStrings.FixLen(field(qrec::kCMulti, qrec::kCMultiCap), out.ExchangeWidth1) + s;
  if (HasExchangeColumn(contest, 1))
    line += ToStrings.FixLen(field(qrec::kCMulti2, qrec::kCMulti2Cap), out.ExchangeWidth2) + s;
  if (HasExchangeColumn(contest, 2)) {
    std::string third = call2;
    if (letter == 'k') third = IsListedCall(contest, call) ? call : "";
    line += ToStrings.FixLen(third, ThirdColumnWidth(out, letter)) + s;
  }
  line += ToStrings.IntToStrRight(rec::GetUInt16(r, qrec::kPunkte), out.PointsWidth);

  if (letter == 'I' || letter == 'l') {
    const std::string nameQth = ToStrings.Trim(field(qrec::kNameQth, qrec::kNameQthCap));
    if (nameQth != ";") {
      const size_t semi = nameQth.find(';');
      const std::string name = nameQth.substr(0, semi);
      const std::string qth = semi == std::string::npos ? "" : nameQth.substr(semi + 1);
      line += s + name;
      if (!name.empty() && !qth.empty()) line += "/" + qth;
    }
  }
  return line;
}

// --- the driver -----------------------------------------------------------------------

bool TStdRout::BeginOutput(int kind) {
  if (kind < 0 || kind > 16) return false;
  return out_.BeginOutput(static_cast<uint8_t>(kind));
}

bool TStdRout::SelectOutputFile(int kind, TdbContest& contestTable) {
  if (kind < 0 || kind > 16) return false;
  return out_.SelectOutputFile(static_cast<uint8_t>(kind), contestTable);
}

bool TStdRout::ChoosePeriod(QWidget* owner, int32_t nummer, std::string& from, std::string& to) {
  return periodChooser && periodChooser(owner, nummer, from, to);
}

void TStdRout::WriteELogCoverSheet(const TContestRec& description, const TOutputFilter& filter,
                                   TdbContest& contestTable, TdbContest& extraTable) {
  ::WriteELogCoverSheet(out_, description, filter, contestTable, extraTable);
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
  TdbContest log(kContestLog, false, NumberOf(contestTable));
  // One pass over the storage; the column widths, the points of the period
  // and the lines (of every band) come from the records read.
  const std::vector<TContestQsoRecord> qsos = LogRecordsInOrder(log);
  if (filter[0] > 0 && filter[4] > 0) out_.RecountPointsInPeriod(filter, qsos);
  out_.MeasureListColumns(description, qsos);
  if (!perBand) {
    WriteListHeader(description, contestTable, extraTable, 0);
    WriteQsoLines(description, filter, contestTable, extraTable, log, qsos, 0, false);
    return false;
  }
  bool first = true;
  for (char band : description.BandLetters) {
    if (band == 0 || band == ' ') continue;
    if (!first) WriteBandSeparator();
    first = false;
    WriteListHeader(description, contestTable, extraTable, band);
    WriteQsoLines(description, filter, contestTable, extraTable, log, qsos, band, true);
  }
  return true;
}

void TStdRout::WriteListHeader(const TContestRec& description, TdbContest& contestList,
                               TdbContest& extra, char bandLetter) {
  out_.ResetPosition();
  const uint8_t code = out_.Code();
  if (code == OutputCode::Stf || code == OutputCode::Adif || code == OutputCode::Cabrillo ||
      code == OutputCode::Edi) {
    if (TQsoFormatWriter* w = QsoFormatWriter(code))
      w->WriteHeader(out_, description, contestList, extra, bandLetter);
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
                             TdbContest& contestList, TdbContest& extra, TdbContest& log,
                             const std::vector<TContestQsoRecord>& qsos, char bandLetter,
                             bool perBand) {
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
    if (out_.NewPageIfNeeded()) WriteListHeader(description, contestList, extra, bandLetter);
  };
  headerAfterBreak();

  int32_t count = 0;
  size_t longest = 0;
  for (const TContestQsoRecord& q : qsos) {
    headerAfterBreak();
    const uint8_t* r = q.data();
    if (IsBandChangeMarker(rec::GetByte(r, qrec::kQsoMarker))) continue;
    if (perBand && rec::GetChar(r, qrec::kBandcode) != bandLetter) continue;
    if (!PassesPeriodFilter(filter, rec::GetInt32(r, qrec::kDatum), rec::GetInt32(r, qrec::kZeit)))
      continue;
    ++count;
    // The line writers read the QSO the log stands on.
    log.SetQsoRecord(q);
    std::string line;
    if (code == OutputCode::Stf || code == OutputCode::Adif || code == OutputCode::Cabrillo ||
        code == OutputCode::Edi) {
      if (!format) continue;
      line = format->QsoLine(out_, count, description, log, contestList);
    } else {
      line = ListQsoLine(out_, count, description, log, contestList);
    }
    out_.WriteLine(line);
    longest = std::max(longest, ToStrings.Trim(line).size());
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
  auto run = [&](int keyNo, bool dokGroup) {
    groupKey.clear();
    clearCells();
    TContestQsoRecord q{};
    for (bool ok = log.First(keyNo); ok; ok = log.Next()) {
      log.GetQsoRecord(q);
      const uint8_t* r = q.data();
      const char band = rec::GetChar(r, qrec::kBandcode);
      if (IsBandChangeMarker(rec::GetByte(r, qrec::kQsoMarker)) || band == 0 || band == ' ')
        continue;
      std::string key;
      if (dokGroup)
        key = ToStrings.LeftStr(ToStrings.Trim(rec::GetStr(r, qrec::kDOK1, qrec::kDOK1Cap) +
                                               rec::GetStr(r, qrec::kDOK2, qrec::kDOK2Cap)),
                                8);
      else
        key = ToStrings.Trim(rec::GetStr(r, qrec::kDXCC, qrec::kDXCCCap));
      if (key != groupKey) {
        bool newGroup = true;
        if (!dokGroup) {
          newGroup = key != "DL" || kinds.Contains(3);
          if (kinds.Contains(9))
            newGroup = newGroup &&
                       rec::GetStr(r, qrec::kKontinent, qrec::kKontinentCap) == "EU";
        }
        if (newGroup) {
          writeRow();
          clearCells();
          groupKey = key;
        }
      }
      std::string& cell = cells[static_cast<uint8_t>(band)];
      if (!key.empty() && cell.empty())
        cell = ToStrings.LeftStr(rec::GetStr(r, qrec::kCall, qrec::kCallCap), 12);
    }
    if (std::any_of(cells.begin(), cells.end(), [](const std::string& c) { return !c.empty(); }))
      writeRow();
    clearCells();
  };
  if (kinds.Contains(4) || kinds.Contains(8) || kinds.Contains(17)) run(qrec::kKeyDok, true);
  if (kinds.Contains(2)) run(qrec::kKeyDXCC, false);
  return false;
}

// --- installation ---------------------------------------------------------------------------

void InstallLogOutputs() {
  static TStdRout writer;
  SetLogOutputWriter(&writer);
  InstallQsoFormatWriters();
}
