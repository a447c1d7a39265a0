#include "outputs/edi.h"


#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "outputs/allerout.h"
#include "outputs/distincttexts.h"
#include "logentry/rules/exchangeparts.h"
#include "outputs/formuhfteilnehmer.h"
#include "platform/paths.h"
#include "platform/textfile.h"

TEdiScan EdiScanLog(const std::vector<TContestQsoRecord>& qsos) {
  TEdiScan scan;
  TDistinctTexts prefixes, squares;  // case ignored
  std::string upper;
  auto insertUpper = [&](TDistinctTexts& set, std::string_view v) {
    upper.assign(v);
    ToStrings.UpperCaseInPlace(upper);
    set.Add(upper);
  };
  int32_t largest = 0;
  for (const TContestQsoRecord& q : qsos) {
    if (IsBandChangeMarker(rec::GetByte(q.data(), qrec::kQsoMarker))) continue;
    ++scan.Records;
    scan.Points += rec::GetUInt16(q.data(), qrec::kPunkte);
    const std::string_view dxcc = ToStrings.TrimView(rec::GetStrView(q.data(), qrec::kDXCC, qrec::kDXCCCap));
    if (!dxcc.empty()) insertUpper(prefixes, dxcc);
    const std::string_view loc = ToStrings.TrimView(rec::GetStrView(q.data(), qrec::kLoc, qrec::kLocCap));
    if (!loc.empty()) insertUpper(squares, loc.substr(0, 4));
    const int32_t qrb = rec::GetInt32(q.data(), qrec::kQrb);
    if (qrb > largest) {
      largest = qrb;
      scan.BestDx = ToStrings.LeftStr(ToStrings.Trim(rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap)), 12) +
                    ";" + std::string(loc) + ";" + ToStrings.IntToStr(qrb);
    }
  }
  scan.Prefixes = static_cast<int32_t>(prefixes.Count());
  scan.Squares = static_cast<int32_t>(squares.Count());
  return scan;
}

const std::vector<std::string>& EdiBandItems() {
  static const std::vector<std::string> items = {
      "50MHz", "70MHz",  "145MHz", "435MHz", "1,3GHz", "2,3GHz",  "3,4GHz",  "5,7GHz",
      "10GHz", "24GHz", "47GHz",  "76GHz",  "120GHz", "135GHz", "248GHz", ">300GHz"};
  return items;
}

std::vector<std::string> EdiSectionItems(char letter) {
  if (letter == '8') return {"A", "B", "C"};
  static const char* const bands[] = {"144MHz", "432MHz", "1,2GHz", "2,3GHz", "3,4GHz",
                                      "5,7GHz", "10GHz",  "24GHz",  "47GHz",  "76GHz"};
  std::vector<std::string> items;
  int n = 1;
  for (const char* band : bands) {
    items.push_back(ToStrings.IntToStrZero(n++, 2) + "  " + band + " Einmann\t");
    items.push_back(ToStrings.IntToStrZero(n++, 2) + "  " + band + " Mehrmann\t");
  }
  for (const char* rest : {"21/1  122GHz Einmann", "22/1  122GHz Mehrmann", "21/2  135GHz Einmann",
                           "22/2  135GHz Mehrmann", "23  245GHz Einmann", "24  245GHz Mehrmann",
                           "25  >300GHz Einmann", "26  >300GHz Mehrmann"})
    items.push_back(std::string(rest) + "\t");
  return items;
}

TEdiParticipant EdiPrefill(const TExportLog& log) {
  TEdiParticipant p;
  auto station = [&](size_t off, size_t cap) { return log.StationText(off, cap); };
  const std::string ort = station(stationrec::kOrt, stationrec::kOrtCap);
  p.pcall = log.ListCall();
  p.ploc = station(stationrec::kLocator, stationrec::kLocatorCap);
  p.rname = station(stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap);
  p.rpoco = ToStrings.StrBefore(ort, " ");
  p.padr2 = ort;
  p.rcity = ToStrings.StrAfter(ort, " ");
  p.padr1 = p.radr1 = station(stationrec::kStrasse, stationrec::kStrasseCap);
  // An empty country stays empty: no country is named that was not entered.
  p.rcoun = ToStrings.Trim(station(stationrec::kLand, stationrec::kLandCap));
  p.pclub2 = station(stationrec::kDOK, stationrec::kDOKCap);
  p.remail = station(stationrec::kEMail, stationrec::kEMailCap);

  const std::string cls = ExportClassText(log);
  if (log.ClassNumber() > 0 && !cls.empty()) {
    p.psect = cls.substr(0, 1);
    if (cls.find("2m") != std::string::npos) p.pband = EdiBandItems()[2];
    if (cls.find("70cm") != std::string::npos) p.pband = EdiBandItems()[3];
  }
  return p;
}

std::vector<std::string> EdiKeptTexts(const TEdiParticipant& p) {
  return {p.pclub1, p.pclub2, p.remail, p.rpower, p.rtrx, p.rant};
}

bool EdiApplyKeptTexts(TEdiParticipant& p, const std::vector<std::string>& lines) {
  if (lines.size() != 6) return false;
  p.pclub1 = lines[0];
  p.pclub2 = lines[1];
  p.remail = lines[2];
  p.rpower = lines[3];
  p.rtrx = lines[4];
  p.rant = lines[5];
  return true;
}

std::string EdiKeptFileName() { return ProgramDirectory + "editemp.txt"; }

namespace {
std::string DateText(int32_t day, const char* picture) {
  return day > 0 ? ToDates.DateToDateString(day, picture) : std::string();
}
}  // namespace

std::vector<std::string> EdiHeaderLines(const TExportLog& log, const TEdiParticipant& p,
                                        const TEdiScan& scan, const std::string& stamp) {
  const TContestRec& d = log.Desc();
  const std::string call = log.ListCall();
  const int32_t von = rec::GetInt32(log.List.data(), crec::kDatumVon);
  const int32_t bis = rec::GetInt32(log.List.data(), crec::kDatumBis);
  const std::string points = ToStrings.IntToStr(scan.Points);
  const std::string score = ToStrings.IntToStr(ExportClaimedScore(log));
  const std::string records = ToStrings.IntToStr(scan.Records);

  std::vector<std::string> out = {
      "[" + d.EditionTitle.str() + "]",
      "This data was exported using TAVRIN " + d.EditionTitle.str(),
      ToStrings.LeftStr("Call:" + call, 17),
      "Logs generated on " + stamp,
      "[REG1TEST;1]",
      "TName=" + d.DisplayTitle.str(),
      (von > 0 && bis > 0) ? "TDate=" + DateText(von, "yyyymmdd") + ";" + DateText(bis, "yyyymmdd")
                           : std::string("TDate=0;0"),
      "PCall=" + p.pcall,
      "PWWLo=" + p.ploc,
      "PExch=",
      "PAdr1=" + p.padr1,
      "PAdr2=" + p.padr2,
      "PSect=" + p.psect,
      "Wertungsgruppe=" + p.psect,
      "PBand=" + p.pband,
      "PClub=" + p.pclub1 + ";" + p.pclub2,
      "RName=" + p.rname,
      ToStrings.LeftStr("RCall=" + call, 18),
      "RAdr1=" + p.radr1,
      "RAdr2=" + p.radr2,
      "RPoCo=" + p.rpoco,
      "RCity=" + p.rcity,
      "RCoun=" + p.rcoun,
      "RPhon=",
      "RHBBS=" + p.remail,
      "MOpe1=" + p.mope1,
      "MOpe2=" + p.mope2,
      ToStrings.LeftStr("STXEq=" + rec::GetStr(log.List.data(), crec::kTXEquipment,
                                               crec::kTXEquipmentCap),
                        36),
      "SPowe=" + p.rpower,
      "SRXEq=" + p.rtrx,
      "SAnte=" + p.rant,
      "SAntH=0;0",
      "CQSOs=" + records + ";1",
      "CQSOP=" + points,
      "CWWLs=" + ToStrings.IntToStr(scan.Squares) + ";0;1",
      "CWWLB=0",
      "CExcs=0;0;1",
      "CExcB=",
      "CDXCs=" + ToStrings.IntToStr(scan.Prefixes) + ";0;1",
      "CDXCB=0",
      "CToSc=" + score,
      "CODXC=" + scan.BestDx,
      "[Remarks]",
  };
  out.insert(out.end(), p.rremarks.begin(), p.rremarks.end());
  out.push_back("[QSORecords;" + records + "]");
  return out;
}

namespace {
const char* ModeCode(std::string_view mode) {
  if (mode == "SSB") return "1";
  if (mode == "CW") return "2";
  if (mode == "AM") return "5";
  if (mode == "FM") return "6";
  if (mode == "RTTY") return "7";
  return "0";
}

// The serial number of an exchange text: the part after the report up to
// the first "/", when it is a number. A locator or another text there is no
// number and leaves the field empty.
std::string_view NumberPart(std::string_view exchange) {
  const std::string_view n = ToStrings.TrimView(SplitExchangePartViews(exchange).Part2);
  return !n.empty() && TAlleRout::IsAllDigits(n) ? n : std::string_view();
}
}  // namespace

std::string EdiQsoText(const TContestQsoRecord& qso) {
  return LineText(WriteEdiQsoText, qso);
}

void WriteEdiQsoText(TTextWriter& w, const TContestQsoRecord& qso, TLineTexts& texts) {
  const uint8_t* q = qso.data();
  const std::string_view sent = texts.Sent(qso);
  const std::string_view rcvd = texts.Received(qso);
  auto trimmed = [&](std::string_view text) { w.Text(ToStrings.TrimView(text)); };
  // Fields carry their values without padding: a reader takes every
  // character between two ";" as the value.
  const int32_t datum = rec::GetInt32(q, qrec::kDatum);
  if (datum > 0) texts.WriteDate(w, datum, "yymmdd");
  w.Char(';');
  ToDates.WriteTimeString(w, rec::GetInt32(q, qrec::kZeit), "hhmm");
  w.Char(';');
  trimmed(rec::GetStrView(q, qrec::kCall, qrec::kCallCap));
  w.Char(';');
  w.Text(ModeCode(ToStrings.TrimView(rec::GetStrView(q, qrec::kMode, qrec::kModeCap))));
  w.Char(';');
  trimmed(sent.substr(0, 3));
  w.Char(';');
  w.Text(NumberPart(sent));
  w.Char(';');
  trimmed(rcvd.substr(0, 3));
  w.Char(';');
  w.Text(NumberPart(rcvd));
  w.Char(';');
  // The character after the first "/"; without one there is no received
  // exchange, and the first character of the report would be a false one.
  const size_t slash = rcvd.find('/');
  if (slash != std::string_view::npos) trimmed(rcvd.substr(slash + 1, 1));
  w.Char(';');
  trimmed(rec::GetStrView(q, qrec::kLoc, qrec::kLocCap).substr(0, 6));
  w.Char(';');
  w.IntRight(rec::GetUInt16(q, qrec::kPunkte));
  w.Text(";;;;");
}

namespace {
TEdiParticipantForm* installedForm = nullptr;
}

TEdiParticipantForm* SetEdiParticipantForm(TEdiParticipantForm* form) {
  TEdiParticipantForm* previous = installedForm;
  installedForm = form;
  return previous;
}

std::vector<std::string> EdiHeaderForLog(const TExportLog& log, const std::vector<TContestQsoRecord>* qsos) {
  const TEdiScan scan = EdiScanLog(qsos ? *qsos : LogRecordsInOrder(log.Nummer()));
  TEdiParticipant p = EdiPrefill(log);
  std::vector<std::string> kept;
  if (FileExistsAnsi(EdiKeptFileName()) && ReadTextFile(EdiKeptFileName(), kept))
    EdiApplyKeptTexts(p, kept);

  const std::vector<std::string> sections = EdiSectionItems(log.Letter());
  if (installedForm) {
    installedForm->Run(p, log.Desc().EditionTitle.str(), sections);
  } else {
    TUhfParticipantDialog dialog;
    dialog.Run(p, log.Desc().EditionTitle.str(), sections);
  }
  std::vector<std::string> lines =
      EdiHeaderLines(log, p, scan, ToDates.TodayString("dd.mm.yyyy") + " " +
                                       ToDates.CurrentTimeString("hh:mm:ss"));
  WriteTextFile(EdiKeptFileName(), EdiKeptTexts(p));
  return lines;
}

// --- on the output frame -------------------------------------------------------

void WriteEdiHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList,
                    const std::vector<TContestQsoRecord>* qsos) {
  const TExportLog log = ReadExportLog(out, description, contestList, nullptr);
  for (const std::string& l : EdiHeaderForLog(log, qsos)) out.WriteLine(l);
}

