// Measures the file outputs of the output menu on a log of 10,000 QSOs of
// letter '4' (ADIF, Cabrillo, STF, EDI): each run through the output driver
// as the menu runs it, against plain SQLite reading the same rows and the
// same bytes written to a file. One line per figure: figure, project ms,
// reference ms, ratio.   exportbench [QSOs]
#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "contest/ContestFkt.h"
#include "contest/SetupOutputs.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "database/kxdates.h"
#include "database/recfields.h"
#include "database/setups.h"
#include "outputs/allerout.h"
#include "outputs/edi.h"
#include "outputs/formatwriters.h"
#include "outputs/stdrout.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "rawsqliteref.h"
#include "ui/filebaseoop.h"

namespace {

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Answers every question with its default and keeps every notice quiet.
class QuietMessages : public TMessagePresenter {
 public:
  bool JaNeinFrage(const std::string&, const std::string&, const std::string&, bool defaultYes) override {
    return defaultYes;
  }
  bool Hinweis(const std::string&, const std::string&, const std::string&, bool, bool) override { return true; }
  void Achtung(const std::string&, const std::string&) override {}
  void Fehler(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void FehlerInfo(const std::string& text, const std::string&, const std::string&) override { Fehler(text); }
};

// The save dialog answers with one file name.
class FixedFile : public TFileDialogRunner {
 public:
  bool Run(const TFileDialogRequest&, std::string& fileName) override {
    fileName = answer;
    return true;
  }
  std::string answer;
};

// The participant form of the EDI header, closed at once.
class KeptForm : public TEdiParticipantForm {
 public:
  void Run(TEdiParticipant&, const std::string&, const std::vector<std::string>&) override {}
};

// The reference: the rows read by plain SQLite and the bytes written.
double ReferenceMs(const std::string& logFile, const std::string& bytes, const std::string& copy) {
  const auto start = std::chrono::steady_clock::now();
  rawsqlite::TRows rows;
  if (!rawsqlite::ReadRows(logFile, rows)) return -1;
  std::ofstream(copy, std::ios::binary) << bytes;
  return MsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  if (!StartFileManager()) return 1;
  QuietMessages messages;
  ToMessages.SetPresenter(&messages);
  FixedFile save;
  SetFileDialogRunner(&save);
  KeptForm form;
  SetEdiParticipantForm(&form);
  InstallQsoFormatWriters();
  ToSetups.SetOwnCall("DL1ABC");

  TContestRec contest;
  ContestFkt.DefineNewContest(contest, '4');
  TdbContest list(kContestList, false, 0);
  TdbContest extra(kContestExtra, false, 0);
  TContestRecord r{};
  rec::SetChar(r.data(), crec::kTyp, '4');
  rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  list.ClearRecord();
  list.SetContestRecord(r);
  if (!list.Add()) return 1;
  list.GetContestRecord(r);
  const int32_t number = rec::GetInt32(r.data(), crec::kNummer);
  TContestExtraRecord x{};
  rec::SetInt32(x.data(), xrec::kNummer, number);
  extra.ClearRecord();
  extra.SetExtraRecord(x);
  if (!extra.Add() || !extra.FindByNumber(number)) return 1;
  {
    TdbContest log(kContestLog, false, number);
    const int32_t day = ToDates.DMYToDate(20, 12, 2015);
    log.BeginTransaction();
    for (int i = 0; i < count; ++i) {
      TContestQsoRecord q{};
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kCall, qrec::kCallCap, "DL" + std::to_string(10000 + i));
      rec::SetInt32(p, qrec::kDatum, day + i / 86400);
      rec::SetInt32(p, qrec::kZeit, i % 86400);
      rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
      rec::SetChar(p, qrec::kBandcode, i % 2 ? 'c' : 'b');
      TContestFkt::SetSentExchange("599" + std::to_string(i % 1000) + "/JO62", q);
      TContestFkt::SetReceivedExchange("579" + std::to_string(i % 997) + "/JO40", q);
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "JO40AB");
      rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, "DL");
      rec::SetUInt16(p, qrec::kPunkte, 1);
      log.ClearRecord();
      log.SetQsoRecord(q);
      if (!log.Add()) return 1;
    }
    if (!log.CommitTransaction()) return 1;
  }
  const std::string logFile = ProgramDirectory + TDatContest::LogTableName(number) + ".DAT";
  const std::pair<uint8_t, const char*> kinds[] = {
      {OutputKind::Adif, "ADIF"}, {OutputKind::Cabrillo, "Cabrillo"}, {OutputKind::Stf, "STF"},
      {OutputKind::Edi, "EDI"}};
  for (const auto& [kind, name] : kinds) {
    double projectMs = 1e18, referenceMs = 1e18;
    for (int run = 0; run < 3; ++run) {
      save.answer = ProgramDirectory + "export.out";
      TStdRout driver;
      const auto start = std::chrono::steady_clock::now();
      RunOutput(kind, '4', contest, list, extra, nullptr, driver);
      projectMs = std::min(projectMs, MsSince(start));
      std::ifstream in(save.answer, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (bytes.empty()) return 1;
      referenceMs = std::min(referenceMs, ReferenceMs(logFile, bytes, ProgramDirectory + "copy.out"));
    }
    rawsqlite::PrintFigure(std::string(name) + " export of " + std::to_string(count) +
                               " QSOs (reference: raw SQLite read of the rows, same bytes written)",
                           projectMs, referenceMs);
  }
  ToMessages.SetPresenter(nullptr);
  SetFileDialogRunner(nullptr);
  SetEdiParticipantForm(nullptr);
  ExitFileManager();
  return 0;
}
