// Measures the ADIF import: reading files of odd shapes against a regular
// file of the same size, and importing 1,000, 10,000 and 50,000 QSOs into an
// empty contest log against plain SQLite inserting the same rows into a file
// of the same schema. The import takes the road of the log window's import
// dialog: the window's model is open on the log, every record goes through
// the window's preparation (its gathering of the exchange, the prefix
// lookup and the multipliers) and then the check and the save; the prefix
// tables are made from the country file and held open, as the program holds
// them. Then 10,000 QSOs of one station into an empty log against as many
// of distinct stations. One line per figure: figure, project ms, reference
// ms, ratio.
//   adifimportbench [QSOs ...]
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchimport.h"
#include "benchlogs.h"
#include "benchsupport.h"
#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "base/recfields.h"
#include "logentry/adif/adifimport.h"
#include "platform/paths.h"
#include "prefix/dbPrefixDat.h"
#include "rawsqliteref.h"

namespace {

double ParseMs(const std::string& text, size_t& records) {
  return bench::TimeMs([&] { records = ParseAdifText(text).Records.size(); });
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

// n QSOs on 80 m in CW, one every 61 s from 20 December 2015 on: all of
// one station, or each of a station of its own.
std::string StationFile(int n, bool oneStation) {
  std::string text = "Benchmark\r\n<ADIF_VER:5>3.1.0 <EOH>\r\n";
  for (int i = 0; i < n; ++i) {
    const int t = 8 * 3600 + 61 * i;
    char line[320];
    std::snprintf(line, sizeof line,
                  "<QSO_DATE:8>201512%02d <TIME_ON:6>%02d%02d%02d <CALL:7>DL%05d <RST_SENT:3>599 "
                  "<RST_RCVD:3>579 <STX:3>%03d <BAND:3>80m <MODE:2>CW <FREQ:6>3.5600 <EOR>\r\n",
                  20 + t / 86400, t / 3600 % 24, t / 60 % 60, t % 60, oneStation ? 1 : i, i % 1000);
    text += line;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::vector<int> sizes = bench::LogSizes(argc, argv);
  const bench::TBenchProgram program;
  if (!program.Started() || !ToDatPrefix.OpenTables(kAllPrefixTables)) return 1;

  // Reading: a regular file against files of the same size that only a
  // careless reader finds hard.
  const std::string regular = QsoFile(1000000 / 200);
  const std::string onlyOpen(regular.size(), '<');
  std::string tags;
  for (int i = 0; tags.size() < regular.size(); ++i) tags += "<T" + std::to_string(i) + ":1>x";
  size_t records = 0;
  const double regularMs = ParseMs(regular, records);
  bench::Figure("ADIF read 1 MB of \"<\" (reference: regular 1 MB file)", ParseMs(onlyOpen, records), regularMs);
  bench::Figure("ADIF read 1 MB of distinct tags (reference: regular 1 MB file)", ParseMs(tags, records), regularMs);

  int failures = 0;
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    for (const int count : sizes) {
      const TAdifFile file = ParseAdifText(QsoFile(count));
      const std::string n = bench::Thousands(count);
      // Into fresh logs of the real definitions of letter '4'; the fastest
      // run of each side counts, so that a busy machine disturbs the ratio
      // less.
      const int runs = count >= 50000 ? 1 : 3;
      double importMs = 1e18, referenceMs = 1e18, addMs = 1e18;
      for (int run = 0; run < runs; ++run) {
        const int32_t number = bench::NewEmptyLog(list, extra, '4');
        TAdifImportTotals totals;
        const double ms = bench::ImportAsTheWindowDoes(list, extra, number, '4', file.Records, true, totals);
        if (ms < 0 || totals.Imported != count) {
          std::fprintf(stderr, "imported %d of %d\n", totals.Imported, count);
          ++failures;
          break;
        }
        importMs = std::min(importMs, ms);
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
        const int32_t copyNumber = bench::NewEmptyLog(list, extra, '4');
        TdbContest copy(kContestLog, false, copyNumber);
        bool ok = true;
        addMs = std::min(addMs, bench::TimeMs([&] {
          ok = copy.BeginTransaction();
          for (const TContestQsoRecord& q : stored) {
            copy.ClearRecord();
            copy.SetQsoRecord(q);
            ok = ok && copy.Add();
          }
          ok = ok && copy.CommitTransaction();
        }));
        if (!ok) return 1;
      }
      bench::Figure("ADIF import of " + n + " QSOs through the log window (reference: raw SQLite inserts)", importMs,
                    referenceMs);
      bench::Figure("storage engine adds of the same " + n + " QSOs (reference: raw SQLite inserts)", addMs,
                    referenceMs);

      // The same file a second time into a log of letter 'W', whose check
      // lets duplicates pass with a mark: every record is looked up in the
      // log and found there, so nothing is written.
      const int32_t wag = bench::NewEmptyLog(list, extra, 'W');
      TAdifImportTotals first, again;
      const double firstMs = bench::ImportAsTheWindowDoes(list, extra, wag, 'W', file.Records, true, first);
      const double againMs = bench::ImportAsTheWindowDoes(list, extra, wag, 'W', file.Records, true, again);
      if (firstMs < 0 || againMs < 0 || first.Imported != count || again.AlreadyInLog != count) {
        std::fprintf(stderr, "'W': imported %d of %d, then %d found in the log\n", first.Imported, count,
                     again.AlreadyInLog);
        ++failures;
        continue;
      }
      bench::Figure("ADIF import of " + n + " QSOs the 'W' log holds already (reference: their first import)",
                    againMs, firstMs);
    }
  }
  {
    // Every record of one station is looked up among that station's QSOs
    // in the log, which grow with the import: it costs as much as one of a
    // station the log does not hold yet. Into logs of letter 'W', which
    // keeps a station's repeats.
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    constexpr int kCount = 10000;
    double ms[2] = {1e18, 1e18};
    for (const bool oneStation : {true, false}) {
      const TAdifFile file = ParseAdifText(StationFile(kCount, oneStation));
      TAdifImportTotals totals;
      const double took =
          bench::ImportAsTheWindowDoes(list, extra, bench::NewEmptyLog(list, extra, 'W'), 'W', file.Records, true, totals);
      if (took < 0 || totals.Imported != kCount) {
        std::fprintf(stderr, "one station %d: imported %d of %d\n", oneStation, totals.Imported, kCount);
        ++failures;
      }
      ms[oneStation ? 0 : 1] = took;
    }
    bench::Figure("ADIF import of " + bench::Thousands(kCount) +
                      " QSOs of one station (reference: as many of distinct stations)",
                  ms[0], ms[1]);
  }
  ToDatPrefix.CloseTables(kAllPrefixTables, true);
  ExitFileManager();
  return failures == 0 ? 0 : 1;
}
