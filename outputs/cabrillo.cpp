#include "outputs/cabrillo.h"

#include "contest/ContestFkt.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "hamradio/modi.h"
#include "database/dbContest.h"
#include "outputs/allerout.h"

namespace {
std::string Trimmed(const TExportLog& log, size_t offset, size_t cap) {
  return ToStrings.Trim(log.StationText(offset, cap));
}

std::string OrDefault(const std::string& value, const char* fallback) {
  return value.empty() ? std::string(fallback) : value;
}

// The band and the mode column of the QSO lines.
std::string BandColumn(char code) { return ToBaender.BandShortName(code, 1); }
std::string ModeColumn(std::string_view mode) {
  std::string cls = ToStrings.Trim(ModeClassName(ModeClass(mode)));
  return cls.empty() ? std::string("- ") : cls;
}

// The participant call of the header: the SWL number in a listener log.
std::string HeaderCall(const TExportLog& log) {
  if (log.Desc().SwlLog) return log.StationText(stationrec::kSWLNr, stationrec::kSWLNrCap);
  return log.ListCall();
}
}  // namespace

std::vector<std::string> CabrilloHeaderLines(const TExportLog& log, const std::string* category) {
  const TContestRec& d = log.Desc();
  std::vector<std::string> out;
  out.reserve(24);
  out.push_back("START-OF-LOG: 3.0");
  out.push_back("CONTEST: " + (!d.CabrilloContest.empty()
                                   ? d.CabrilloContest
                                   : ToStrings.UpperCase(ToStrings.Trim(log.ListName()))));
  out.push_back(ToStrings.LeftStr("CALLSIGN: " + HeaderCall(log), 22));
  out.push_back("CATEGORY: " + ToStrings.UpperCase(category ? *category : ExportClassText(log)));
  out.push_back("CATEGORY-OPERATOR: " + OrDefault(d.CabrilloOperator, "SINGLE-OP"));
  out.push_back("CATEGORY-BAND: " + OrDefault(d.CabrilloBand, "ALL"));
  // A class that does not fix the mode: what the log holds.
  out.push_back("CATEGORY-MODE: " +
                OrDefault(!d.CabrilloMode.empty() ? d.CabrilloMode : log.ModeCategory, "CW"));
  out.push_back("CATEGORY-POWER: " + OrDefault(d.CabrilloPower, "HIGH"));
  const std::string call = log.ListCall();
  if (call.find("/P") != std::string::npos)
    out.push_back("CATEGORY-STATION: PORTABLE");
  else if (call.find("/M") != std::string::npos)
    out.push_back("CATEGORY-STATION: MOBILE");
  else
    out.push_back("CATEGORY-STATION: FIXED");
  out.push_back(d.SwlLog ? "CATEGORY-TRANSMITTER: SWL" : "CATEGORY-TRANSMITTER: ONE");
  out.push_back("CATEGORY-ASSISTED: " + OrDefault(d.CabrilloAssisted, "NON-ASSISTED"));
  out.push_back("LOCATION: DX");
  out.push_back("CLAIMED-SCORE: " + ToStrings.IntToStr(ExportClaimedScore(log)));
  out.push_back("CREATED-BY: " + d.EditionTitle.str());
  out.push_back("NAME: " + Trimmed(log, stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap));
  const std::string dok = log.ListDok();
  if (!ToStrings.Trim(dok).empty()) out.push_back("CLUB: DARC");
  out.push_back(ToStrings.LeftStr("SPECIFIC: " + dok, 16));
  out.push_back("ADDRESS: " + Trimmed(log, stationrec::kStrasse, stationrec::kStrasseCap));
  out.push_back("ADDRESS: " + Trimmed(log, stationrec::kOrt, stationrec::kOrtCap));
  const std::string land = Trimmed(log, stationrec::kLand, stationrec::kLandCap);
  out.push_back("ADDRESS: " + (land.empty() ? std::string("Germany") : land));
  out.push_back("EMAIL: " + Trimmed(log, stationrec::kEMail, stationrec::kEMailCap));
  out.push_back(ToStrings.LeftStr("OPERATORS: " + HeaderCall(log), 23));
  const std::string licence = ExportLicenceDate(log);
  out.push_back("SOAPBOX: " + (licence.empty() ? std::string() : "LIC.DATE: " + licence));
  out.push_back("SOAPBOX: ");
  return out;
}

std::string CabrilloQsoText(const TExportLog& log, const TContestQsoRecord& qso) {
  return LineText(WriteCabrilloQsoText, log, qso);
}

void WriteCabrilloQsoText(TTextWriter& w, const TExportLog& log, const TContestQsoRecord& qso,
                           TLineTexts& texts) {
  const uint8_t* q = qso.data();
  const char letter = log.Letter();
  const std::string_view call = rec::GetStrView(q, qrec::kCall, qrec::kCallCap);
  const std::string& mode = texts.Mode(rec::GetStrView(q, qrec::kMode, qrec::kModeCap), ModeColumn);
  const int32_t datum = rec::GetInt32(q, qrec::kDatum);

  w.Text("QSO: ");
  w.Text(texts.Band(rec::GetChar(q, qrec::kBandcode), BandColumn));
  w.Char(' ');
  w.Fix(mode, 3);
  w.Char(' ');
  if (datum > 0)
    texts.WriteDate(w, datum, "yyyy-mm-dd");
  else
    w.Text("    -  -  ");
  w.Char(' ');
  ToDates.WriteTimeString(w, rec::GetInt32(q, qrec::kZeit), "hhmm");

  auto sent = [&] { WriteExportExchangePart(w, texts.Sent(qso), letter, log.OwnCall, TExchangeStyle::Cabrillo); };
  auto rcvd = [&] { WriteExportExchangePart(w, texts.Received(qso), letter, call, TExchangeStyle::Cabrillo); };
  w.Char(' ');
  if (log.Desc().SwlLog) {
    WriteExportCallColumn(w, call, log.CallWidth);
    w.Char(' ');
    rcvd();
    w.Char(' ');
    w.Fix(rec::GetStrView(q, qrec::kCall2, qrec::kCall2Cap), 9);
    w.Char(' ');
    sent();
  } else {
    w.Text(log.OwnCall);
    w.Char(' ');
    sent();
    w.Char(' ');
    WriteExportCallColumn(w, call, log.CallWidth);
    w.Char(' ');
    rcvd();
  }
}

// --- on the output frame -------------------------------------------------------

void WriteCabrilloHeader(TAlleRout& out, const std::string* category,
                         const TContestRec& description, TdbContest& extra,
                         TdbContest& contestList, const std::vector<TContestQsoRecord>* qsos) {
  TExportLog log = ReadExportLog(out, description, contestList, &extra);
  if (description.CabrilloMode.empty())
    log.ModeCategory = CabrilloModeCategory(qsos ? *qsos : LogRecordsInOrder(log.Nummer()));
  for (const std::string& l : CabrilloHeaderLines(log, category)) out.WriteLine(l);
}


void WriteCabrilloTrailer(TAlleRout& out) { out.WriteLine(kCabrilloTrailer); }
