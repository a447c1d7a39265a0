// Times the save of single QSOs as the log window stores them (add, points,
// padded numbers; one transaction each) on logs of 1,000, 10,000 and 50,000
// QSOs: the median and the 99th percentile over 300 saves. The same-run
// reference is raw SQLite inserting the same records with the same keys,
// each in a transaction of its own, into a copy of the same log; the saves
// of both alternate, so that both see the same machine.
//   savebench [qsos ...]      (default 1000 10000 50000)
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchlogs.h"
#include "benchsupport.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "logentry/rules/qsosave.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::vector<int> sizes = bench::LogSizes(argc, argv);
  constexpr int kWarm = 10;
  constexpr int kSaves = 300;

  const bench::TBenchProgram program;
  if (!program.Started()) return 1;
  int failures = 0;
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    for (size_t s = 0; s < sizes.size(); ++s) {
      const int qsos = sizes[s];
      bench::TTimedLog timed;
      if (!bench::AddTimedLog(list, extra, static_cast<int>(s), qsos, timed)) return 1;
      const std::string rawFile = ProgramDirectory + "RAWSAVE.DAT";
      if (!bench::CopyTableFile(timed.file, rawFile)) return 1;

      TdbContest window(kContestLog, false, timed.nummer);
      bench::RawTable raw(rawFile);
      const int32_t day = bench::SampleFirstDay();
      std::vector<double> project, reference;
      for (int i = 0; i < kWarm + kSaves; ++i) {
        // QSOs after the log's last one, as the window would enter them.
        TContestQsoRecord q = bench::SampleQso(qsos + 10 + i, day);
        TNextNumbers next;
        next.QsoNumber = qsos + 1 + i;
        window.ClearRecord();
        window.SetQsoRecord(q);
        bool saved = false;
        const double ms = bench::TimeMs([&] { saved = SaveQso(timed.desc, list, window, next).Added; });
        failures += saved ? 0 : 1;

        // The same record as stored, with a number of its own, raw.
        window.GetQsoRecord(q);
        rec::SetInt32(q.data(), qrec::kNummer, 4 * qsos + i);
        const std::vector<std::string> keys =
            bench::RecordKeys(*window.GetTreiber()->Driver(), q.data(), q.size());
        const std::string data(reinterpret_cast<const char*>(q.data()), q.size());
        bool inserted = false;
        const double rawMs = bench::TimeMs([&] { inserted = raw.InsertAlone(data, keys); });
        failures += inserted ? 0 : 1;
        if (i >= kWarm) {
          project.push_back(ms);
          reference.push_back(rawMs);
        }
      }
      const std::string size = bench::Thousands(qsos) + " QSOs";
      bench::Figure("save p50, " + size, bench::Quantile(project, 0.5), bench::Quantile(reference, 0.5));
      bench::Figure("save p99, " + size, bench::Quantile(project, 0.99), bench::Quantile(reference, 0.99));
    }
  }
  ExitFileManager();
  if (failures) std::fprintf(stderr, "%d saves failed\n", failures);
  return failures == 0 ? 0 : 1;
}
