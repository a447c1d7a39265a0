// Times the jobs over a whole log on logs of 1,000, 10,000 and 50,000 QSOs:
// the full recount (the points, the window's score and the claimed totals,
// as after a change and at closing), the log window's recounts (full, and
// the current band's before every entry) and the renumbering after a
// delete. References in the same run, raw SQLite on the same file:
// recounts - an ordered read of the records they walk; renumbering - the
// same rewrite (band changes deleted, every QSO whose numbers change
// rewritten with its number keys) in one transaction on a copy of the log.
//   recountbench [qsos ...]      (default 1000 10000 50000)
#include <QCoreApplication>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchlogs.h"
#include "benchsupport.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "logentry/rules/recount.h"
#include "logentry/rules/renumber.h"

namespace {

// The numbers the renumbering gives, in date order: record number, running
// number per band and per mode; band changes leave the log.
int RawRenumber(bench::RawTable& raw, IFDriver& keyDriver) {
  struct TRow {
    int32_t ref;
    TContestQsoRecord qso;
  };
  std::vector<TRow> rows;
  if (!raw.Exec("BEGIN IMMEDIATE")) return -1;
  raw.Rows("SELECT ref, data FROM records ORDER BY k1, ref", [&](sqlite3_stmt* st) {
    TRow r{sqlite3_column_int(st, 0), {}};
    const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(st, 1));
    std::copy_n(p, std::min<size_t>(static_cast<size_t>(sqlite3_column_bytes(st, 1)), r.qso.size()),
                r.qso.begin());
    rows.push_back(r);
  });
  sqlite3_stmt* del = nullptr;
  sqlite3_stmt* upd = nullptr;
  sqlite3_prepare_v2(raw.Db(), "DELETE FROM records WHERE ref=?1", -1, &del, nullptr);
  sqlite3_prepare_v2(raw.Db(),
                     "UPDATE records SET data=?1, k4=?2, k8=?3, k11=?4, k12=?5, k13=?6, k24=?7 WHERE ref=?8", -1,
                     &upd, nullptr);
  std::array<int32_t, 256> band{}, mode{};
  int32_t number = 0, rewritten = 0;
  for (TRow& r : rows) {
    uint8_t* p = r.qso.data();
    const uint8_t marker = rec::GetByte(p, qrec::kQsoMarker);
    if (marker != 0 && marker != ' ') {
      sqlite3_bind_int(del, 1, r.ref);
      sqlite3_step(del);
      sqlite3_reset(del);
      continue;
    }
    const TContestQsoRecord before = r.qso;
    const auto b = static_cast<uint8_t>(rec::GetChar(p, qrec::kBandcode));
    rec::SetInt32(p, qrec::kWagBandNrIntern, ++band[b]);
    rec::SetInt32(p, qrec::kWagBandNr, band[b]);
    rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(++mode[static_cast<uint8_t>(p[qrec::kMode + 1])]));
    rec::SetInt32(p, qrec::kNummer, ++number);
    if (r.qso == before) continue;
    const std::vector<std::string> keys = bench::RecordKeys(keyDriver, p, r.qso.size());
    sqlite3_bind_blob(upd, 1, p, static_cast<int>(r.qso.size()), SQLITE_STATIC);
    int i = 2;
    for (int k : {4, 8, 11, 12, 13, 24}) {
      const std::string& key = keys[static_cast<size_t>(k - 1)];
      sqlite3_bind_blob(upd, i++, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
    }
    sqlite3_bind_int(upd, 8, r.ref);
    if (sqlite3_step(upd) == SQLITE_DONE) ++rewritten;
    sqlite3_reset(upd);
  }
  sqlite3_finalize(del);
  sqlite3_finalize(upd);
  return raw.Exec("COMMIT") ? rewritten : -1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::vector<int> sizes = bench::LogSizes(argc, argv);
  const bench::TBenchProgram program;
  if (!program.Started()) return 1;
  int failures = 0;
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    // A handle of the QSO kind that builds keys for the raw rewrite.
    TdbContest keyTable(kContestTemp, false, 0);
    for (size_t s = 0; s < sizes.size(); ++s) {
      const int qsos = sizes[s];
      bench::TTimedLog timed;
      if (!bench::AddTimedLog(list, extra, static_cast<int>(s), qsos, timed)) return 1;
      TContestRecord listRecord;
      list.GetContestRecord(listRecord);
      const std::string pristine = ProgramDirectory + "PRISTINE.DAT";
      const std::string rawFile = ProgramDirectory + "RAWJOB.DAT";
      if (!bench::CopyTableFile(timed.file, pristine)) return 1;
      const std::string size = bench::Thousands(qsos) + " QSOs";
      const int runs = qsos >= 50000 ? 3 : 5;

      const double readAll = bench::MedianMs(runs, [&] {
        bench::RawTable raw(timed.file);
        raw.ReadOrdered(qrec::kKeyDatumZeit);
      });
      const double readBand = bench::MedianMs(runs, [&] {
        bench::RawTable raw(timed.file);
        raw.Rows("SELECT data FROM records WHERE k10 >= x'62' AND k10 < x'63' ORDER BY k10, ref",
                 [](sqlite3_stmt* st) { (void)sqlite3_column_blob(st, 0); });
      });

      // Every run opens the log afresh, as the window and the set-up dialog
      // do: the window's recount after a change, points, score and claimed
      // totals in one job.
      TQsoPointsEnv env;
      env.ContestNumber = timed.nummer;
      const double recount = bench::MedianMs(runs, [&] {
        TdbContest log(kContestLog, false, timed.nummer);
        TMultiplierLists lists;
        TScoreCounters counters;
        failures += FullRecount(timed.desc, list, extra, log, env, 'b', lists, counters) ? 0 : 1;
      });
      bench::Figure("full recount, " + size, recount, readAll);

      const double windowFull = bench::MedianMs(runs, [&] {
        TdbContest log(kContestLog, false, timed.nummer);
        TMultiplierLists lists;
        TScoreCounters counters;
        RecountScore(true, 'b', log, timed.desc, listRecord, env, lists, counters);
      });
      bench::Figure("window recount, " + size, windowFull, readAll);
      {
        // The window's table stays open between its band recounts.
        TdbContest windowLog(kContestLog, false, timed.nummer);
        const double windowBand = bench::MedianMs(runs, [&] {
          TMultiplierLists lists;
          TScoreCounters counters;
          RecountScore(false, 'b', windowLog, timed.desc, listRecord, env, lists, counters);
        });
        bench::Figure("window recount of the band, " + size, windowBand, readBand);
      }

      // Renumbering rewrites the log: every run starts from the log as made.
      std::vector<double> renumber, reference;
      for (int r = 0; r < runs; ++r) {
        // No handle holds the log now: it may be replaced.
        if (!bench::CopyTableFile(pristine, timed.file) || !bench::CopyTableFile(pristine, rawFile)) return 1;
        renumber.push_back(bench::TimeMs([&] { failures += Renumber(timed.desc, timed.nummer, false).Ok ? 0 : 1; }));
        bench::RawTable raw(rawFile);
        reference.push_back(bench::TimeMs([&] {
          failures += RawRenumber(raw, *keyTable.GetTreiber()->Driver()) > 0 ? 0 : 1;
        }));
      }
      bench::Figure("renumbering, " + size, bench::Quantile(renumber, 0.5), bench::Quantile(reference, 0.5));
    }
  }
  ExitFileManager();
  if (failures) std::fprintf(stderr, "%d jobs failed\n", failures);
  return failures == 0 ? 0 : 1;
}
