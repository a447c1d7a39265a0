// Measures the ADIF import: reading files of odd shapes against a regular
// file of the same size, and importing 10,000 QSOs into an empty contest log
// against plain SQLite inserting the same rows into a file of the same
// schema. One line per figure: figure, project ms, reference ms, ratio.
//   adifimportbench [QSOs]
#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "base/recfields.h"
#include "logentry/adif/adifimport.h"
#include "platform/paths.h"
#include "benchsupport.h"
#include "rawsqliteref.h"

namespace {

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double ParseMs(const std::string& text, size_t& records) {
  const auto start = std::chrono::steady_clock::now();
  records = ParseAdifText(text).Records.size();
  return MsSince(start);
}

// n QSOs of the party of letter '4' (CW on 80 and 40 m), a second apart.
std::string QsoFile(int n) {
  std::string text = "Benchmark\r\n<ADIF_VER:5>3.1.0 <EOH>\r\n";
  for (int i = 0; i < n; ++i) {
    const int t = 8 * 3600 + i;
    char line[320];
    std::snprintf(line, sizeof line,
                  "<QSO_DATE:8>20151220 <TIME_ON:6>%02d%02d%02d <CALL:7>DL%05d <RST_SENT:3>599 "
                  "<RST_RCVD:3>579 <STX:3>%03d <SRX_STRING:9>%03d/JO%02dAB <BAND:3>%s <MODE:2>CW "
                  "<FREQ:6>%s <NAME:4>HANS <QTH:3>ULM <EOR>\r\n",
                  t / 3600 % 24, t / 60 % 60, t % 60, i, i % 1000, i % 997, 30 + i % 40, i % 2 ? "40m" : "80m",
                  i % 2 ? "7.0100" : "3.5600");
    text += line;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  if (!StartFileManager()) return 1;

  // Reading: a regular file against files of the same size that only a
  // careless reader finds hard.
  const std::string regular = QsoFile(1000000 / 200);
  const std::string onlyOpen(regular.size(), '<');
  std::string tags;
  for (int i = 0; tags.size() < regular.size(); ++i) tags += "<T" + std::to_string(i) + ":1>x";
  size_t records = 0;
  const double regularMs = ParseMs(regular, records);
  bench::Figure("ADIF read 1 MB of \"<\" (reference: regular 1 MB file)", ParseMs(onlyOpen, records),
                         regularMs);
  const double tagsMs = ParseMs(tags, records);
  bench::Figure("ADIF read 1 MB of distinct tags (reference: regular 1 MB file)", tagsMs, regularMs);

  // Import into an empty log of the real definitions of letter '4', three
  // times into fresh logs; the fastest run of each side counts, so that a
  // busy machine disturbs the ratio less.
  TContestRec contest;
  ContestFkt.DefineNewContest(contest, '4');
  TdbContest list(kContestList, false, 0);
  const TAdifFile file = ParseAdifText(QsoFile(count));
  double importMs = 1e18, referenceMs = 1e18, addMs = 1e18;
  for (int run = 0; run < 3; ++run) {
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, '4');
    list.ClearRecord();
    list.SetContestRecord(r);
    if (!list.Add()) return 1;
    list.GetContestRecord(r);
    const int32_t number = rec::GetInt32(r.data(), crec::kNummer);
    TAdifImportTotals totals;
    {
      TdbContest qsos(kContestLog, false, number);
      const auto start = std::chrono::steady_clock::now();
      totals = ImportAdifRecords(contest, '4', list, qsos, file.Records, {}, true);
      importMs = std::min(importMs, MsSince(start));
    }
    if (totals.Imported != count) {
      std::fprintf(stderr, "imported %d of %d\n", totals.Imported, count);
      return 1;
    }
    rawsqlite::TRows rows;
    if (!rawsqlite::ReadRows(ProgramDirectory + TDatContest::LogTableName(number) + ".DAT", rows)) return 1;
    referenceMs = std::min(referenceMs, rawsqlite::InsertMs(rows, ProgramDirectory + "REFERENCE.DAT"));

    // The storage engine's own adds of the same records, without anything
    // of the import: the floor under the import's figure.
    std::vector<TContestQsoRecord> stored;
    {
      TdbContest log(kContestLog, false, number);
      TContestQsoRecord q{};
      for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
        log.GetQsoRecord(q);
        rec::SetInt32(q.data(), qrec::kNummer, 0);
        stored.push_back(q);
      }
    }
    TdbContest copy(kContestLog, false, 9000 + run);
    const auto start = std::chrono::steady_clock::now();
    bool ok = copy.BeginTransaction();
    for (const TContestQsoRecord& q : stored) {
      copy.ClearRecord();
      copy.SetQsoRecord(q);
      ok = ok && copy.Add();
    }
    ok = ok && copy.CommitTransaction();
    if (!ok) return 1;
    addMs = std::min(addMs, MsSince(start));
  }
  const std::string n = std::to_string(count);
  bench::Figure("ADIF import of " + n + " QSOs (reference: raw SQLite inserts)", importMs, referenceMs);
  bench::Figure("storage engine adds of the same " + n + " QSOs (reference: raw SQLite inserts)", addMs,
                         referenceMs);

  // The same file a second time into a log of letter 'W', whose check lets
  // duplicates pass with a mark: every record is looked up in the log and
  // found there, so nothing is written.
  TContestRec wag;
  ContestFkt.DefineNewContest(wag, 'W');
  TContestRecord w{};
  rec::SetChar(w.data(), crec::kTyp, 'W');
  list.ClearRecord();
  list.SetContestRecord(w);
  if (!list.Add()) return 1;
  list.GetContestRecord(w);
  TdbContest wagLog(kContestLog, false, rec::GetInt32(w.data(), crec::kNummer));
  auto start = std::chrono::steady_clock::now();
  const TAdifImportTotals first = ImportAdifRecords(wag, 'W', list, wagLog, file.Records, {}, true);
  const double firstMs = MsSince(start);
  start = std::chrono::steady_clock::now();
  const TAdifImportTotals again = ImportAdifRecords(wag, 'W', list, wagLog, file.Records, {}, true);
  const double againMs = MsSince(start);
  if (first.Imported != count || again.AlreadyInLog != count) {
    std::fprintf(stderr, "'W': imported %d of %d, then %d found in the log\n", first.Imported, count,
                 again.AlreadyInLog);
    return 1;
  }
  bench::Figure("ADIF import of " + n + " QSOs the 'W' log holds already (reference: their first import)",
                againMs, firstMs);
  ExitFileManager();
  return 0;
}
