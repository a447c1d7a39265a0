// Measures the counting of the evaluation charts over a 10,000-QSO log (the
// hourly chart and the membership-age chart), beside raw SQLite reading the
// same records in the same order as the reference.
//   chartbench
#include <QCoreApplication>
#include <QTemporaryDir>
#include <sqlite3.h>

#include "benchsupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "logentry/rules/auswertung.h"
#include "platform/codec.h"
#include "platform/paths.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Milliseconds of each of n runs.
std::vector<double> Time(int n, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < n; ++i) {
    const auto t0 = Clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  constexpr int32_t kLog = 1;
  constexpr int kQsos = 10000;
  const int32_t start = ToDates.DMYToDate(17, 10, 2015);
  {
    TdbContest log(kContestLog, false, kLog);
    log.BeginTransaction();
    for (int i = 0; i < kQsos; ++i) {
      TContestQsoRecord q{};
      const int32_t t = 15 * 3600 + i * 8;  // 10,000 QSOs in 22 hours
      rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i));
      rec::SetInt32(q.data(), qrec::kDatum, start + t / 86400);
      rec::SetInt32(q.data(), qrec::kZeit, t % 86400);
      rec::SetUInt16(q.data(), qrec::kPunkte, 10);
      rec::SetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap, i % 20 == 0 ? "DL" : "");
      TContestFkt::SetReceivedExchange("599" + ToStrings.IntToStrZero(i % 70, 2), q);
      log.ClearRecord();
      log.SetQsoRecord(q);
      log.Add();
    }
    log.CommitTransaction();
  }
  constexpr int kRuns = 7;
  int32_t sink = 0;
  const std::vector<double> hourly =
      Time(kRuns, [&] { sink += CountHourly(kLog, false, start).Qsos[1]; });
  const std::vector<double> ages = Time(kRuns, [&] { sink += CountMembershipAges(kLog, false)[25]; });

  // Reference: the same records in date and time order, straight from SQLite.
  const std::string file = AnsiToUtf8(ProgramDirectory) + "ZQLK0001.DAT";
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "chartbench: %s cannot be opened\n", file.c_str());
    return 1;
  }
  const std::vector<double> raw = Time(kRuns, [&] {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT data FROM records ORDER BY k1, ref", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) sink += sqlite3_column_bytes(st, 0) > 0 ? 1 : 0;
    sqlite3_finalize(st);
  });
  sqlite3_close(db);

  const double ref = Median(raw);
  // Reference: raw SQLite reading the same rows in key order.
  bench::Figure("hourly chart count, 10,000 QSOs", Median(hourly), ref);
  bench::Figure("membership-age chart count, 10,000 QSOs", Median(ages), ref);
  return sink == -1 ? 1 : 0;
}
