// Opening a log on a full disk: the recount of the points cannot store what
// it finds. One message says so, and the log opens as it is stored.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/model/contlogmodel.h"
#include "logentry/qsolog_fixture.h"
#include "storage/ifderrors.h"
#include "support/ForkedChild.h"
#include "support/FullDisk.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int kQsos = 2000;
constexpr uint16_t kStalePoints = 77;  // no QSO of the party is worth that

class OpenOnFullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    TdbContest list(kContestList, false, 0);
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, '4');
    list.SetContestRecord(r);
    ASSERT_TRUE(list.Add());
    list.GetContestRecord(r);
    nummer_ = rec::GetInt32(r.data(), crec::kNummer);
    TdbContest extra(kContestExtra, false, 0);
    ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra);
    ContestFkt.DefineContest(desc_, list, '4', true);
    // QSOs whose stored points the rules no longer give, and marks the
    // opening's renumbering would rewrite: both writes meet the full disk.
    TdbContest log(kContestLog, false, nummer_);
    ASSERT_TRUE(log.BeginTransaction());
    for (int i = 0; i < kQsos; ++i) {
      TContestQsoRecord q = QsoRecordOf({.call = "DL" + std::to_string(i % 10) + "A" + std::to_string(i),
                                         .zeit = 3600 + i});
      rec::SetUInt16(q.data(), qrec::kPunkte, kStalePoints);
      rec::SetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap, "JO31");
      rec::SetStr(q.data(), qrec::kCMulti2, qrec::kCMulti2Cap, "JO31");
      rec::SetStr(q.data(), qrec::kCall2, qrec::kCall2Cap, "DL1A");
      rec::SetInt32(q.data(), qrec::kWagNummer, i + 1);
      log.ClearRecord();
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Add());
    }
    ASSERT_TRUE(log.CommitTransaction());
  }

  // In a child, after FillDisk: the tables on connections of its own, and
  // every message and storage report recorded.
  void InChild() {
    ForkedChild::OwnConnections();
    messages_ = std::make_unique<ScriptedMessages>();
    messages_->AllowAny(true);
    DriverErrorReporter = SpecialDebugStack;
  }

  // In the child: the log opened as the log window opens it. exit is 0
  // when it opened with every QSO counted and said one error; else the
  // step that failed.
  struct TOpened {
    int exit = 0;
    int bandPoints = 0;
  };
  TOpened OpenLog() {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    if (!list.FindByNumber(nummer_) || !extra.FindByNumber(nummer_)) return {1};
    TContestLogModel model(nummer_, desc_, list, extra);
    TContestRecord r;
    list.GetContestRecord(r);
    if (!model.Open(ShapeLogWindow(desc_, r, TContestExtraRecord{}, {}))) return {2};
    if (model.Counters().QsoCounter != kQsos + 1) return {3};
    const auto& shown = messages_->History();
    if (shown.size() != 1 || shown[0].kind != ScriptedMessages::Kind::Fehler) return {4};
    return {0, model.Counters().BandPoints['b']};
  }

  int StalePointsLeft() {
    TdbContest log(kContestLog, false, nummer_);
    int stale = 0;
    TContestQsoRecord q;
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
      log.GetQsoRecord(q);
      stale += rec::GetUInt16(q.data(), qrec::kPunkte) == kStalePoints ? 1 : 0;
    }
    return stale;
  }

  TempProgramDir dir_;
  TContestRec desc_;
  int32_t nummer_ = 0;
  std::unique_ptr<ScriptedMessages> messages_;
};

TEST_F(OpenOnFullDiskTest, TheLogOpensWithOneMessageAndItsPointsAsStored) {
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    InChild();
    if (!FillDisk(256 * 1024)) _exit(90);
    const TOpened opened = OpenLog();
    // Every QSO is counted with the points of the rules.
    if (opened.bandPoints <= 0) _exit(3);
    _exit(opened.exit);
  }
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_EQ(StalePointsLeft(), kQsos);
}

// The same opening on a log whose file the engine itself finds full (it
// may not grow by a page): the one message says that the disk is full, and
// does not name the log damaged; the log opens as it is stored.
TEST_F(OpenOnFullDiskTest, ALogFileTheEngineFindsFullIsNamedFullNotDamaged) {
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    InChild();
    if (!FillTableFile(TDatContest::LogTableName(nummer_) + ".DAT")) _exit(90);
    const TOpened opened = OpenLog();
    if (opened.exit != 0) _exit(opened.exit);
    _exit(messages_->History()[0].text == "Datenträger ist voll: Contestlog " + ToStrings.IntToStrZero(nummer_, 4)
              ? 0
              : 5);
  }
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_EQ(StalePointsLeft(), kQsos);
}

TEST_F(OpenOnFullDiskTest, TheRecountStopsWritingAtTheFirstFailureAndSaysSo) {
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    InChild();
    TdbContest list(kContestList, false, 0);
    if (!list.FindByNumber(nummer_)) _exit(1);
    TContestRecord r;
    list.GetContestRecord(r);
    TdbContest log(kContestLog, false, nummer_);
    TScoreCounters counters;
    if (!FillDisk(256 * 1024)) _exit(90);
    if (RecountPoints(desc_, r, log, TQsoPointsEnv{}, counters)) _exit(2);
    if (counters.QsoCounter != kQsos + 1) _exit(3);
    _exit(messages_->History().size() == 1 ? 0 : 4);
  }
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_EQ(StalePointsLeft(), kQsos);
  // With room on the disk the same recount stores the points of the rules.
  TdbContest list(kContestList, false, 0);
  ASSERT_TRUE(list.FindByNumber(nummer_));
  TContestRecord r;
  list.GetContestRecord(r);
  TdbContest log(kContestLog, false, nummer_);
  TScoreCounters counters;
  EXPECT_TRUE(RecountPoints(desc_, r, log, TQsoPointsEnv{}, counters));
  EXPECT_EQ(StalePointsLeft(), 0);
}

}  // namespace
