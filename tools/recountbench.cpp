// recountbench [letter]
// The recounts of the log window on a log of 10,000 QSOs of the contest
// letter (default 'D'): the full recount that stores the claimed totals,
// the window's own full recount when it opens, its current-band recount
// before every new entry and the new-multiplier check of one entry. Prints
// each figure as the best of five runs.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "contest/ContestDefs.h"
#include "database/dbContest.h"
#include "database/filemanager.h"
#include "database/kxdates.h"
#include "logentry/newmultis.h"
#include "logentry/recount.h"
#include "platform/paths.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int32_t kLogNumber = 1;
constexpr int kQsos = 10000;

double BestOfFive(const std::function<void()>& job) {
  double best = 1e9;
  for (int i = 0; i < 5; ++i) {
    const auto start = Clock::now();
    job();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

TContestQsoRecord Qso(const TContestRec& contest, int i) {
  TContestQsoRecord q{};
  uint8_t* p = q.data();
  const int bands = std::max(1, contest.BandCount());
  rec::SetInt32(p, qrec::kNummer, i + 1);
  rec::SetStr(p, qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i) + "X");
  rec::SetChar(p, qrec::kBandcode, contest.BandLetters[static_cast<size_t>(i % bands)]);
  rec::SetStr(p, qrec::kMode, qrec::kModeCap, i % 2 ? "CW" : "SSB");
  rec::SetInt32(p, qrec::kDatum, ToDates.DMYToDate(1, 6, 2015));
  rec::SetInt32(p, qrec::kZeit, i);
  rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, i % 3 ? "DL" : "OK");
  rec::SetStr(p, qrec::kKontinent, qrec::kKontinentCap, "EU");
  rec::SetStr(p, qrec::kPrefix, qrec::kPrefixCap, "DL" + std::to_string(i % 10));
  rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "JO" + std::to_string(10 + i % 60) + "AA");
  rec::SetStr(p, qrec::kDOK1, qrec::kDOK1Cap,
              std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(10 + i % 40));
  return q;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const char letter = argc >= 2 ? argv[1][0] : 'D';
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  if (!StartFileManager()) return 1;
  double neu = 0, full = 0, band = 0, entry = 0;
  {
    TContestRec contest;
    TContestRecord list{};
    rec::SetChar(list.data(), crec::kTyp, letter);
    rec::SetInt32(list.data(), crec::kNummer, kLogNumber);
    rec::SetStr(list.data(), crec::kDok, crec::kDokCap, "M05");
    rec::SetByte(list.data(), crec::kTeilnahmeart, 1);
    TContestEnvironment env;
    if (!DefineContestRules(contest, list, env, letter)) {
      std::fprintf(stderr, "recountbench: no contest of letter %c\n", letter);
      return 2;
    }
    TdbContest log(kContestLog, false, kLogNumber);
    TdbContest listTable(kContestList, false, 0);
    TdbContest extraTable(kContestExtra, false, 0);
    listTable.ClearRecord();
    listTable.SetContestRecord(list);
    listTable.Add();
    TContestExtraRecord extra{};
    rec::SetInt32(extra.data(), xrec::kNummer, kLogNumber);
    extraTable.ClearRecord();
    extraTable.SetExtraRecord(extra);
    extraTable.Add();
    log.BeginTransaction();
    for (int i = 0; i < kQsos; ++i) {
      log.ClearRecord();
      log.SetQsoRecord(Qso(contest, i));
      log.Add();
    }
    log.CommitTransaction();

    std::array<int32_t, 256> points{};
    TQsoPointsEnv pointsEnv;
    pointsEnv.ContestNumber = kLogNumber;
    TMultiplierLists lists;
    TScoreCounters counters;
    const char current = contest.BandLetters[0];
    neu = BestOfFive([&] { Neuberechnung(contest, listTable, extraTable, log, points); });
    full = BestOfFive([&] { RecountScore(true, current, log, contest, list, pointsEnv, lists, counters); });
    band = BestOfFive([&] { RecountScore(false, current, log, contest, list, pointsEnv, lists, counters); });
    TdbContest second(kContestLog, false, kLogNumber);
    entry = BestOfFive([&] {
      TContestQsoRecord q = Qso(contest, kQsos + 1);
      MarkNewMultis(q, contest, list, second, lists, counters);
    });
  }
  ExitFileManager();
  std::printf("recountbench: letter %c, %d QSOs\n", letter, kQsos);
  std::printf("  full recount with stored totals: %.1f ms\n", neu);
  std::printf("  window recount, all bands:        %.1f ms\n", full);
  std::printf("  window recount, current band:     %.1f ms\n", band);
  std::printf("  new multipliers of one entry:     %.2f ms\n", entry);
  return 0;
}
