#include "outputs/stf.h"

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "contest/eingcontstdlogic.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "platform/textfile.h"
#include "database/dbContest.h"
#include "outputs/allerout.h"

namespace {
std::string Key(const char* key) { return ToStrings.FixLen(key, 13); }

std::string Trimmed(const TExportLog& log, size_t offset, size_t cap) {
  return ToStrings.Trim(log.StationText(offset, cap));
}

std::string ContestLine(const TExportLog& log) {
  switch (log.Letter()) {
    case 'X': return Key("Contest") + "DARC-XMAS";
    case 't': return Key("Contest") + "Ostercontest";
    default: return Key("Contest") + ToStrings.Trim(log.ListName());
  }
}

// The station description of the QRP and sprint contests, one list entry a
// line, with the kit text of letter 'b' in front; empty without a file.
std::string EquipmentLine(const TExportLog& log) {
  const char letter = log.Letter();
  std::string kit;
  if (letter == 'b') {
    if (log.ZusatzWert() == 3)
      kit = "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem individuellen Unikat teilgenommen.";
    else if (log.ZusatzWert() == 2)
      kit = "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem von mir selbstgebauten Bausatz "
            "teilgenommen.";
  }
  std::vector<std::string> lines;
  const std::string file = TContestSetupLogic::StationFileName(letter, log.Nummer());
  if (file.empty() || !ReadTextFile(file, lines) || lines.empty()) return {};
  std::string line = Key("Equipment");
  if (letter == 'b') line += kit + " ";
  for (const std::string& l : lines) line += " " + l;
  return line;
}

const char* OrderLine(const TExportLog& log) {
  const char letter = log.Letter();
  if (ExportsExchangeInTwoColumns(letter))
    return "QsoOrder     Date Time Band Mode Call SRst Sent Sent2 RRst Rcvd Rcvd2";
  if (IsHolidayContest(letter)) return "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd Mult Mult2 Pts";
  if (letter == 'W')
    return log.ClassNumber() == 7
               ? "QsoOrder     Date Time Call RRst Rcvd Band Mode Call2 RRst2 Rcvd2 Pts Mult"
               : "QsoOrder     Date Time Call SRst Sent RRst Rcvd Band Mode Pts Mult";
  return "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd";
}

// The band as the first name without its unit letter in four places: "80  ",
// "2   ", "70  "; the 6 cm band is named "5" by the receivers of these logs.
std::string BandColumn(char code) {
  std::string name = ToBaender.BandName(code, 0);
  if (!name.empty()) name.pop_back();
  name = ToStrings.FixLen(name, 4);
  if (name == "6 c ") name = "5   ";
  const size_t c = name.find('c');
  if (c != std::string::npos) {
    name.erase(c, 1);
    name += ' ';
  }
  return name;
}
}  // namespace

std::string StfStampNow() {
  return ToDates.TodayString("dd.mm.yyyy") + "  " + ToDates.CurrentTimeString("hh:mm");
}

std::vector<std::string> StfHeaderLines(const TExportLog& log, const std::string& stamp,
                                        const std::string* category) {
  const TContestRec& d = log.Desc();
  const TExportTotals& t = log.Totals;
  std::vector<std::string> out;
  out.reserve(30);
  out.push_back("STF1");
  out.push_back("#Data written \"" + stamp + "\"");
  out.push_back("#STF-Export generated with Tavrin " + d.EditionTitle.str());
  out.push_back("Header");
  out.push_back(ContestLine(log));
  out.push_back(ToStrings.LeftStr(
      Key("MyCall") + (d.SwlLog ? log.StationText(stationrec::kSWLNr, stationrec::kSWLNrCap)
                                : log.ListCall()),
      25));
  out.push_back(Key("Operators") + ToStrings.Trim(log.ListCall()));
  out.push_back(Key("Category") + (category ? *category : ExportClassText(log)));
  const std::string ort = log.StationText(stationrec::kOrt, stationrec::kOrtCap);
  out.push_back(Key("MailAddress") +
                Trimmed(log, stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap));
  out.push_back(Key("MailAddress") + Trimmed(log, stationrec::kStrasse, stationrec::kStrasseCap));
  // Town first, then the postcode: "Ort" holds postcode, blank and town.
  out.push_back(Key("MailAddress") + ToStrings.Trim(ToStrings.StrAfter(ort, " ")));
  out.push_back(Key("MailAddress") + ToStrings.Trim(ToStrings.StrBefore(ort, " ")));
  const std::string land = Trimmed(log, stationrec::kLand, stationrec::kLandCap);
  out.push_back(Key("MailAddress") + (land.empty() ? std::string("Germany") : land));
  out.push_back("EMail");
  out.push_back(Key("ClaimedQSO") + ToStrings.IntToStr(t.QsoCount));
  out.push_back(Key("ClaimedPts") + ToStrings.IntToStr(t.TotalPoints));
  if (!d.MultiplierKinds.Empty()) {
    out.push_back(Key("ClaimedMult") + ToStrings.IntToStr(t.Multipliers[0]));
    if (t.Multipliers[1] > 0) out.push_back(Key("ClaimedMult2") + ToStrings.IntToStr(t.Multipliers[1]));
    if (t.Multipliers[2] > 0) out.push_back(Key("ClaimedMult3") + ToStrings.IntToStr(t.Multipliers[2]));
  }
  if (!IsMembershipYearsContest(log.Letter()))
    out.push_back(Key("ClaimedScore") + ToStrings.IntToStr(ExportClaimedScore(log)));
  out.push_back("Club");
  out.push_back(ToStrings.LeftStr(Key("Specific") + log.ListDok(), 19));
  if (log.Letter() == 'b' || log.Letter() == 'j') out.push_back(EquipmentLine(log));
  out.push_back("Power");
  const std::string licence = ExportLicenceDate(log);
  out.push_back(licence.empty() ? std::string("Soapbox") : "Soapbox      Lic.Date: " + licence);
  out.push_back("Soapbox");
  out.push_back(OrderLine(log));
  out.push_back("EndHeader");
  out.push_back("");
  out.push_back("QsoList");
  return out;
}

namespace {
// The columns of the QSO lines, in the orders the letters want them.
enum class TStfColumn { Date, Time, Band, Mode, Call, Sent, Rcvd, Partner, Points, Multi6, Multi9, Multi2 };
using C = TStfColumn;
constexpr TStfColumn kWagSwlColumns[] = {C::Date, C::Time, C::Call, C::Sent, C::Band,
                                         C::Mode, C::Partner, C::Rcvd, C::Points, C::Multi6};
constexpr TStfColumn kWagColumns[] = {C::Date, C::Time, C::Call, C::Sent, C::Rcvd,
                                      C::Band, C::Mode, C::Points, C::Multi6};
constexpr TStfColumn kHolidayColumns[] = {C::Date, C::Time, C::Band, C::Mode, C::Call,
                                          C::Sent, C::Rcvd, C::Multi9, C::Multi2, C::Points};
constexpr TStfColumn kSwlColumns[] = {C::Date, C::Time, C::Band, C::Mode, C::Call, C::Rcvd, C::Partner, C::Sent};
constexpr TStfColumn kColumns[] = {C::Date, C::Time, C::Band, C::Mode, C::Call, C::Sent, C::Rcvd};
}  // namespace

std::string StfQsoText(const TExportLog& log, const TContestQsoRecord& qso) {
  return LineText(WriteStfQsoText, log, qso);
}

void WriteStfQsoText(TTextWriter& w, const TExportLog& log, const TContestQsoRecord& qso,
                      TLineTexts& texts) {
  const uint8_t* q = qso.data();
  const char letter = log.Letter();
  const std::string_view call = rec::GetStrView(q, qrec::kCall, qrec::kCallCap);
  auto textOrDash = [&](size_t off, size_t cap, int width) {
    std::string_view t = ToStrings.TrimView(rec::GetStrView(q, off, cap));
    if (t.empty()) t = "-";
    w.Fix(t, width);
  };
  auto column = [&](TStfColumn c) {
    switch (c) {
      case C::Date: {
        const int32_t datum = rec::GetInt32(q, qrec::kDatum);
        if (datum > 0)
          texts.WriteDate(w, datum, "yyyymmdd");
        else
          w.Text("    -   ");
        break;
      }
      case C::Time: ToDates.WriteTimeString(w, rec::GetInt32(q, qrec::kZeit), "hhmm"); break;
      case C::Band: w.Text(texts.Band(rec::GetChar(q, qrec::kBandcode), BandColumn)); break;
      case C::Mode: {
        const std::string_view stored = rec::GetStrView(q, qrec::kMode, qrec::kModeCap);
        w.Fix(ToStrings.TrimView(stored).empty() ? std::string_view(" - ") : stored, 6);
        break;
      }
      case C::Call: WriteExportCallColumn(w, call, log.CallWidth); break;
      case C::Sent:
        WriteExportExchangePart(w, texts.Sent(qso), letter, log.OwnCall, TExchangeStyle::Stf);
        break;
      case C::Rcvd:
        WriteExportExchangePart(w, texts.Received(qso), letter, call, TExchangeStyle::Stf);
        break;
      case C::Partner: w.Fix(rec::GetStrView(q, qrec::kCall2, qrec::kCall2Cap), 9); break;
      case C::Points:
        w.Char(' ');
        w.IntRight(rec::GetUInt16(q, qrec::kPunkte), 3);
        w.Text("  ");
        break;
      case C::Multi6: textOrDash(qrec::kCMulti, qrec::kCMultiCap, 6); break;
      case C::Multi9: textOrDash(qrec::kCMulti, qrec::kCMultiCap, 9); break;
      case C::Multi2: textOrDash(qrec::kCMulti2, qrec::kCMulti2Cap, 5); break;
    }
  };
  auto columns = [&](const auto& list) {
    bool first = true;
    for (TStfColumn c : list) {
      if (!first) w.Char(' ');
      first = false;
      column(c);
    }
  };
  if (letter == 'W' && log.ClassNumber() == 7)
    columns(kWagSwlColumns);
  else if (letter == 'W')
    columns(kWagColumns);
  else if (IsHolidayContest(letter))
    columns(kHolidayColumns);
  else if (log.Desc().SwlLog)
    columns(kSwlColumns);
  else
    columns(kColumns);
}

// --- on the output frame -------------------------------------------------------

void WriteStfHeader(TAlleRout& out, const std::string* category, const TContestRec& description,
                    TdbContest& extra, TdbContest& contestList) {
  const TExportLog log = ReadExportLog(out, description, contestList, &extra);
  for (const std::string& l : StfHeaderLines(log, StfStampNow(), category)) out.WriteLine(l);
}


void WriteStfTrailer(TAlleRout& out) { out.WriteLine(kStfTrailer); }
