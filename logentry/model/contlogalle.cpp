#include "logentry/model/contlogalle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "database/dbCall.h"
#include "database/dbCallDat.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/locator.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "logentry/model/contloggrid.h"

namespace {

bool IsQsyRow(uint8_t marker) { return marker != 0 && marker != ' '; }

// A QSO file's name and its folder (the program directory).
std::pair<std::string, std::string> NameAndFolder(const std::string& file) {
  const size_t slash = file.rfind('/');
  if (slash == std::string::npos) return {file, std::string()};
  return {file.substr(slash + 1), file.substr(0, slash + 1)};
}

// "Die QSO-Datei <name> dieses Logs fehlt im Programmverzeichnis <folder>".
std::string QsoFileMissing(const std::string& file) {
  const auto [name, folder] = NameAndFolder(file);
  return "Die QSO-Datei " + name + " dieses Logs fehlt im Programmverzeichnis " + folder;
}

std::string MissingLogFileText(const std::string& file) {
  return QsoFileMissing(file) +
         ".\rDas Log wird nicht geöffnet, und es wird keine leere Datei an ihrer Stelle angelegt. "
         "Legen Sie die Datei (etwa aus einer Datensicherung) wieder in das Programmverzeichnis und "
         "öffnen Sie das Log dann erneut.";
}

std::string QsoFileGoneText(const std::string& file) {
  return QsoFileMissing(file) +
         ": sie wurde gelöscht oder verschoben, während das Log offen war, und nimmt nichts mehr auf.\r"
         "Schließen Sie das Log, legen Sie die Datei (etwa aus einer Datensicherung) wieder in das "
         "Programmverzeichnis und öffnen Sie das Log dann erneut.";
}

// The file at the log's path is another one than the window has open (a
// copy put in its place): the window cannot write into it, an opening of
// the log opens it.
std::string QsoFileReplacedText(const std::string& file) {
  const auto [name, folder] = NameAndFolder(file);
  return "Die QSO-Datei " + name + " dieses Logs im Programmverzeichnis " + folder +
         " wurde von einem anderen Programm (etwa einer Datensicherung oder einem Abgleich) ersetzt, während "
         "das Log offen war: das offene Log kann nichts mehr darin speichern.\r"
         "Schließen Sie das Log und öffnen Sie es erneut.";
}

std::string OwnLocator() {
  ToSetupStation station;
  ToSetups.GetStation(station);
  return rec::GetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap);
}

}  // namespace

TLogAction::TLogAction(const std::string& qsoFile, std::function<bool()> holds)
    : action_(std::move(holds)),
      reports_([qsoFile](int32_t result, const std::string& text, const TDriverErrorReporter& outer) {
        if (result == drFileGone && DriverErrorFileName == qsoFile)
          ToMessages.Fehler(QsoFileGoneText(qsoFile));
        else if (result == drFileReplaced && DriverErrorFileName == qsoFile)
          ToMessages.Fehler(QsoFileReplacedText(qsoFile));
        else if (outer)
          outer(result, text);
      }) {}

TContLogAlle::~TContLogAlle() {
  if (callFileOpen_) ToDatCall.CloseFiles(KindBit(kCallCCL));
}

TOpenedLog TContLogAlle::OpenQsoLog(std::unique_ptr<TdbContest>& qsoTable, int32_t nummer, bool hasQsos,
                                    const std::function<bool()>& unchangedSinceClose) {
  TOpenedLog result;
  // Opening the table would make a new, empty file in place of a lost one.
  const std::string file = ToDatContest.TableFile(kContestLog, nummer);
  if (hasQsos && !FileExistsAnsi(file)) {
    ToMessages.Fehler(MissingLogFileText(file));
    return result;
  }
  qsoTable = std::make_unique<TdbContest>(kContestLog, false, nummer);
  // The whole file is checked: a few damaged bytes can leave an index
  // without some of its records, which the reads and writes never notice.
  // A file as the last normal close left it passed that check then (its
  // close read and rewrote what it needed) and has not been written since.
  result.UnchangedSinceClose = qsoTable->IsOpen() && unchangedSinceClose && unchangedSinceClose();
  result.Checked = qsoTable->IsOpen() && !result.UnchangedSinceClose;
  result.Opened = qsoTable->IsOpen() && (result.UnchangedSinceClose || qsoTable->CheckIntegrity());
  if (!callFileOpen_) callFileOpen_ = ToDatCall.OpenFiles(KindBit(kCallCCL));
  if (!result.Opened) return result;
  callBook_ = std::make_unique<TdbCall>(kCallBook, false);
  callDatabase_ = std::make_unique<TdbCall>(kCallDatabase, false);
  TdbContest& log = *qsoTable;
  if (result.UnchangedSinceClose) {
    // The close left no band-change row and no multiplier text to look at.
    result.HasQso = log.UsedRecords() > 0;
    return result;
  }
  EmptyBandChangeRows(log);

  result.HasQso = log.Last(qrec::kKeyCMulti);
  if (result.HasQso) {
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    result.LastCMulti = ToStrings.Trim(rec::GetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap));
    result.LastCMulti2 = ToStrings.Trim(rec::GetStr(q.data(), qrec::kCMulti2, qrec::kCMulti2Cap));
  }
  return result;
}

void TContLogAlle::EmptyBandChangeRows(TdbContest& log) {
  // Band-change rows carry no exchange; values left in them by older
  // versions would count as multipliers or show in the lists. The log is
  // read in one pass; only the rows that change are written, in one job.
  std::vector<std::pair<int32_t, TContestQsoRecord>> cleaned;
  if (TdbTreiber* driver = log.GetTreiber())
    driver->ScanRecords([&cleaned](int32_t ref, std::string_view data) {
      TContestQsoRecord q{};
      std::memcpy(q.data(), data.data(), std::min(data.size(), q.size()));
      if (!IsQsyRow(rec::GetByte(q.data(), qrec::kQsoMarker))) return true;
      const TContestQsoRecord before = q;
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "");
      rec::SetStr(p, qrec::kPrefix, qrec::kPrefixCap, "");
      rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, "");
      rec::SetStr(p, qrec::kWazUsStaat, qrec::kWazUsStaatCap, "");
      rec::SetStr(p, qrec::kKontinent, qrec::kKontinentCap, "");
      rec::SetStr(p, qrec::kDOK1, qrec::kDOK1Cap, "");
      rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, "");
      rec::SetStr(p, qrec::kDOK2, qrec::kDOK2Cap, "");
      if (q != before) cleaned.emplace_back(ref, q);
      return true;
    });
  if (!cleaned.empty()) {
    const bool transaction = log.BeginTransaction();
    for (const auto& [ref, q] : cleaned) {
      if (!log.ReadRecord(ref)) continue;
      log.SetQsoRecord(q);
      log.Update();
    }
    if (transaction) log.CommitTransaction();
  }
}

TNextNumbers TContLogAlle::NextNumbers(bool withQso, char band, const TdbContest& qsoTable,
                                       std::string_view mode) {
  TNextNumbers n;
  TdbContest log(kContestLog, qsoTable.IsDetached(), qsoTable.GetContestNumber());
  TContestQsoRecord q;
  if (withQso) {
    n.QsoNumber = 1;
    if (log.Last(qrec::kKeyWagNummer)) {
      log.GetQsoRecord(q);
      n.QsoNumber = rec::GetInt32(q.data(), qrec::kWagNummer) + 1;
    }
  }
  n.BandNumber = 1;
  if (log.SearchBandNrDesc(band, qrec::kDescBase) && log.GetBandcode() == band) {
    log.GetQsoRecord(q);
    n.BandNumber = rec::GetInt32(q.data(), qrec::kWagBandNr) + 1;
  }
  n.BandNumberIntern = 1;
  if (log.SearchBandNrInternDesc(band, qrec::kDescBase) && log.GetBandcode() == band) {
    log.GetQsoRecord(q);
    n.BandNumberIntern = rec::GetInt32(q.data(), qrec::kWagBandNrIntern) + 1;
  }
  n.ModeNumber = 1;
  if (log.SearchModeNrDesc(mode, qrec::kDescBase) && ToStrings.Trim(log.GetMode()) == ToStrings.Trim(mode)) {
    log.GetQsoRecord(q);
    n.ModeNumber = rec::GetUInt16(q.data(), qrec::kModeNr) + 1;
  }
  return n;
}

int32_t TContLogAlle::NewestOfBand(char band, const TdbContest& qsoTable) {
  TdbContest log(kContestLog, qsoTable.IsDetached(), qsoTable.GetContestNumber());
  if (!log.SearchBandNrInternDesc(band, qrec::kDescBase) || log.GetBandcode() != band) return 0;
  return log.CurrentRef();
}

void TContLogAlle::CloseLogTables(TdbContest& listTable, TdbContest& extraTable,
                                  std::unique_ptr<TdbContest>& qsoTable) {
  if (listTable.CurrentRef() > 0) listTable.Update();
  if (extraTable.CurrentRef() > 0) extraTable.Update();
  if (callFileOpen_) ToDatCall.CloseFiles(KindBit(kCallCCL));
  callFileOpen_ = false;
  callBook_.reset();
  callDatabase_.reset();
  qsoTable.reset();
}

bool TContLogAlle::SaveColumnWidths(TdbContest& listTable, const std::vector<int>& widths) {
  return SaveColumnWidths(TGridWidths::LogGrid, 0, listTable, widths);
}

bool TContLogAlle::SaveColumnWidths(TGridWidths kind, int keyNumber, TdbContest& listTable,
                                    const std::vector<int>& widths) {
  TContestRecord r;
  listTable.GetContestRecord(r);
  KeepColumnWidths(kind, r, rec::GetChar(r.data(), crec::kTyp), keyNumber, widths);
  if (kind != TGridWidths::LogGrid) return true;
  listTable.SetContestRecord(r);
  return listTable.Update();
}

int TContLogAlle::GetColumnWidth(TGridWidths kind, int keyNumber, TdbContest& listTable, int column) {
  TContestRecord r;
  listTable.GetContestRecord(r);
  return KeptColumnWidth(kind, r, rec::GetChar(r.data(), crec::kTyp), keyNumber, column);
}

std::string NoteFileName(std::string_view contestName) {
  std::string name;
  for (char c : contestName) {
    const bool keep = c == ' ' || c == '+' || c == '-' || c == '_' || (c >= '0' && c <= '9') ||
                      (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (keep) name += c;
  }
  return name + ".TXT";
}

char ToggledQsl(char qsl) {
  return std::string_view("JSYjsy").find(qsl) != std::string_view::npos && qsl != 0 ? 'N' : 'Y';
}

std::string QslLabel(char qsl) {
  const bool no = qsl == 0 || qsl == ' ' || qsl == 'N' || qsl == 'n';
  return LanguageText(no ? "&QSL senden: nein" : "&QSL senden: ja", no ? "QSL send: no" : "QSL send: yes");
}

bool BeamTo(std::string_view locator, double& bearing) {
  double distance = 0;
  return ToLocator.Qrb(OwnLocator(), locator, bearing, distance);
}


std::string BeamLabel(double bearing) {
  char buf[32];
  std::snprintf(buf, sizeof buf, " %.1f", bearing);
  return buf;
}
