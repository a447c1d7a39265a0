// A log the window closed normally opens without the full check of its file
// and without the renumbering; every way the file or the log's set-up can
// change after that close makes the next opening run both again.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/model/closedlogstamp.h"
#include "logentry/model/contlogmodel.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "storage/ifdriver.h"
#include "support/FileTimeKept.h"
#include "support/ForkedChild.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "support/WriteProtectedFile.h"

namespace {

// What one opening of the log did and found.
struct TOpening {
  bool Checked = false;     // the engine's full check of the file ran
  bool Renumbered = false;  // the renumbering ran
  int32_t NextQsoNumber = 0;
  int32_t BandQsos = 0;  // QSOs the score counts on 80 m
};

class ClosedLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    SetClockOverride([this] { return now_; });
    list_.ClearRecord();
    TContestRecord r;
    list_.GetContestRecord(r);
    rec::SetChar(r.data(), crec::kTyp, '4');
    r[crec::kTeilnahmeart] = 1;
    rec::SetBool(r.data(), crec::kDatumAuto, true);
    rec::SetBool(r.data(), crec::kZeitAuto, true);
    list_.SetContestRecord(r);
    ASSERT_TRUE(list_.Add());
    ContestFkt.EnsureExtraRecord(list_.CurrentRef(), list_, extra_);
    ContestFkt.DefineContest(desc_, list_, '4', true);
    list_.GetContestRecord(r);
    nummer_ = rec::GetInt32(r.data(), crec::kNummer);
    file_ = NativeFileName(ToDatContest.TableFile(kContestLog, nummer_));
    // Five QSOs on 80 m, stored with the numbers a careless job leaves.
    TdbContest log(kContestLog, false, nummer_);
    for (int i = 0; i < 5; ++i) {
      TContestQsoRecord q{};
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i + 1) + "XY");
      rec::SetChar(p, qrec::kBandcode, 'b');
      rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
      rec::SetInt32(p, qrec::kDatum, ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"));
      rec::SetInt32(p, qrec::kZeit, 8 * 3600 + 60 * i);
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "JO40");
      rec::SetInt32(p, qrec::kWagBandNr, 1);
      rec::SetInt32(p, qrec::kWagBandNrIntern, 1);
      TContestFkt::SetReceivedExchange("599" + std::to_string(100 + i) + "/JO40", q);
      log.ClearRecord();
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Add());
    }
  }
  void TearDown() override { SetClockOverride({}); }

  // Opens the log as the window does, runs during on it, closes it normally.
  TOpening OpenAndClose(const std::function<void(TContestLogModel&)>& during = {}) {
    TOpening o;
    const uint64_t checks = IfdFullChecksRun();
    TContestLogModel m(nummer_, desc_, list_, extra_);
    TContestRecord r;
    list_.GetContestRecord(r);
    EXPECT_TRUE(m.Open(ShapeLogWindow(desc_, r, TContestExtraRecord{}, {})));
    o.Checked = IfdFullChecksRun() > checks;
    EXPECT_EQ(m.CheckedAtOpening(), o.Checked);
    o.Renumbered = m.RenumberedAtOpening();
    m.StartNewEntry(false);
    o.NextQsoNumber = m.State.NextQsoNumber;
    o.BandQsos = m.Counters().BandQsoCount['b'];
    if (during) during(m);
    m.Close();
    return o;
  }

  // A QSO typed into the entry and saved.
  static bool SaveQso(TContestLogModel& m, const std::string& call) {
    m.StartNewEntry(false);
    TEntryFields f = m.View.Fields;
    f.Call = call;
    f.RSTr[1] = "321";
    f.RSTr[2] = "JO62";
    return m.SaveEntry(f).Saved;
  }

  // The calls and band numbers of the log in time order.
  std::vector<std::string> ByTime() const {
    std::vector<std::string> seen;
    TdbContest log(kContestLog, false, nummer_);
    for (bool more = log.First(qrec::kKeyDatumZeit); more; more = log.Next()) {
      TContestQsoRecord q;
      log.GetQsoRecord(q);
      seen.push_back(rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap) + " " +
                     std::to_string(rec::GetInt32(q.data(), qrec::kWagBandNr)));
    }
    return seen;
  }

  // Another station moves the first QSO to 08:30 (an edit in place).
  void MoveFirstQsoBehindTheOthers() {
    TdbContest log(kContestLog, false, nummer_);
    ASSERT_TRUE(log.First(qrec::kKeyDatumZeit));
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    rec::SetInt32(q.data(), qrec::kZeit, 8 * 3600 + 30 * 60);
    log.SetQsoRecord(q);
    ASSERT_TRUE(log.Update());
  }

  TempProgramDir dir_;
  ScriptedMessages msgs_;  // any message fails the test
  TdbContest list_{kContestList, false, 0};
  TdbContest extra_{kContestExtra, false, 0};
  TContestRec desc_;
  int32_t nummer_ = 0;
  std::string file_;
  QDateTime now_{QDate(2015, 12, 20), QTime(8, 40, 0)};
};

const std::vector<std::string> kMovedOrder{"DL2XY 1", "DL3XY 2", "DL4XY 3", "DL5XY 4", "DL1XY 5"};

}  // namespace

TEST_F(ClosedLogTest, ALogAsItsCloseLeftItOpensWithoutCheckAndRenumberingAndCountsTheSame) {
  // Never closed by the window: both run, and the numbers come in order.
  const TOpening first = OpenAndClose();
  EXPECT_TRUE(first.Checked);
  EXPECT_TRUE(first.Renumbered);
  EXPECT_EQ(ByTime(), (std::vector<std::string>{"DL1XY 1", "DL2XY 2", "DL3XY 3", "DL4XY 4", "DL5XY 5"}));

  // As that close left it: neither runs, and the window counts the same.
  const TOpening second = OpenAndClose([](TContestLogModel& m) { EXPECT_TRUE(SaveQso(m, "DL7ZZ")); });
  EXPECT_FALSE(second.Checked);
  EXPECT_FALSE(second.Renumbered);
  EXPECT_EQ(second.NextQsoNumber, first.NextQsoNumber);
  EXPECT_EQ(second.BandQsos, 5);

  // The session saved a QSO; its close renumbered and kept the file as it
  // left it, so the next opening again runs neither, and counts the QSO.
  const TOpening third = OpenAndClose();
  EXPECT_FALSE(third.Checked);
  EXPECT_FALSE(third.Renumbered);
  EXPECT_EQ(third.NextQsoNumber, first.NextQsoNumber + 1);
  EXPECT_EQ(third.BandQsos, 6);
  EXPECT_TRUE(msgs_.History().empty());
}

TEST_F(ClosedLogTest, AWriteByAnotherHandleOrACopiedInFileMakesTheOpeningCheckAndRenumber) {
  OpenAndClose();
  const std::filesystem::path backup = file_ + ".backup";
  std::filesystem::copy_file(file_, backup);

  // Another station's commit.
  MoveFirstQsoBehindTheOthers();
  const TOpening afterWrite = OpenAndClose();
  EXPECT_TRUE(afterWrite.Checked);
  EXPECT_TRUE(afterWrite.Renumbered);
  EXPECT_EQ(ByTime(), kMovedOrder);

  // The copy from before that write put back in place of the file.
  EXPECT_FALSE(OpenAndClose().Checked);
  std::filesystem::copy_file(backup, file_, std::filesystem::copy_options::overwrite_existing);
  const TOpening afterCopy = OpenAndClose();
  EXPECT_TRUE(afterCopy.Checked);
  EXPECT_TRUE(afterCopy.Renumbered);
  EXPECT_EQ(ByTime(), (std::vector<std::string>{"DL1XY 1", "DL2XY 2", "DL3XY 3", "DL4XY 4", "DL5XY 5"}));
}

// A write that leaves size and modification time as they were (a coarse
// clock on a network folder, a tool that puts the time back) still moves
// the file's change counter.
TEST_F(ClosedLogTest, AFileOfTheSameSizeAndTimeButAnotherChangeCounterIsCheckedAndRenumbered) {
  OpenAndClose();
  ASSERT_TRUE(ChangeKeepingSizeAndTime(file_, [this] {
    MoveFirstQsoBehindTheOthers();
    return !::testing::Test::HasFatalFailure();
  }));

  const TOpening o = OpenAndClose();
  EXPECT_TRUE(o.Checked);
  EXPECT_TRUE(o.Renumbered);
  EXPECT_EQ(ByTime(), kMovedOrder);
}

// A session killed after its save: the QSO is in the file, the close never
// ran. The next opening checks and renumbers.
TEST_F(ClosedLogTest, ASessionKilledAfterASaveMakesTheNextOpeningCheckAndRenumber) {
  OpenAndClose();
  ForkedChild station;
  ASSERT_TRUE(station.Fork());
  if (station.InChild()) {
    ForkedChild::OwnConnections();
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    if (!list.FindByNumber(nummer_) || !extra.FindByNumber(nummer_)) _exit(1);
    TContestRecord r;
    list.GetContestRecord(r);
    TContestLogModel m(nummer_, desc_, list, extra);
    if (!m.Open(ShapeLogWindow(desc_, r, TContestExtraRecord{}, {}))) _exit(2);
    if (!SaveQso(m, "DL9KK")) _exit(3);
    _exit(0);  // killed: no close
  }
  ASSERT_EQ(station.Exit(), 0);

  const TOpening o = OpenAndClose();
  EXPECT_TRUE(o.Checked);
  EXPECT_TRUE(o.Renumbered);
  EXPECT_EQ(ByTime(), (std::vector<std::string>{"DL1XY 1", "DL2XY 2", "DL3XY 3", "DL4XY 4", "DL5XY 5", "DL9KK 6"}));
}

// The numbers and multiplier marks follow the log's set-up too: a set-up
// changed since the close (here the own DOK) makes the opening renumber.
TEST_F(ClosedLogTest, ASetUpChangedSinceTheCloseMakesTheOpeningRenumber) {
  OpenAndClose();
  TContestRecord r;
  list_.GetContestRecord(r);
  rec::SetStr(r.data(), crec::kDok, crec::kDokCap, "Z99");
  list_.SetContestRecord(r);
  ASSERT_TRUE(list_.Update());
  const TOpening o = OpenAndClose();
  EXPECT_TRUE(o.Renumbered);
  EXPECT_TRUE(o.Checked);
  // What the window writes into the record itself (the totals, the grid's
  // columns) is no change of the set-up.
  EXPECT_FALSE(OpenAndClose().Renumbered);
}

// A session whose save met a storage error of the QSO file (the file
// write-protected, so the save is refused and nothing of the file changes)
// keeps no stamp at its close: the next opening checks and renumbers.
TEST_F(ClosedLogTest, ASessionThatMetAStorageErrorOfItsFileKeepsNoStamp) {
  OpenAndClose();
  {
    WriteProtectedFile protect(ToDatContest.TableFile(kContestLog, nummer_));
    ASSERT_TRUE(protect.Ok());
    const TOpening refused = OpenAndClose([this](TContestLogModel& m) {
      msgs_.AllowAny(true);
      EXPECT_FALSE(SaveQso(m, "DL7ZZ"));
      msgs_.AllowAny(false);
    });
    EXPECT_FALSE(refused.Checked);  // the first close's stamp stood
    EXPECT_FALSE(msgs_.History().empty()) << "the refused save said nothing";
  }
  const TOpening next = OpenAndClose();
  EXPECT_TRUE(next.Checked);
  EXPECT_TRUE(next.Renumbered);
  EXPECT_EQ(next.BandQsos, 5);
}

// The close stamps the records as it wrote them: a contest-extra record
// that another station changed since (its claimed totals) keeps no stamp.
TEST_F(ClosedLogTest, ARecordChangedAfterTheClosesWriteKeepsNoStamp) {
  OpenAndClose();
  ASSERT_TRUE(list_.FindByNumber(nummer_));
  ASSERT_TRUE(extra_.FindByNumber(nummer_));
  TContestRecord list;
  TContestExtraRecord written;
  list_.GetContestRecord(list);
  extra_.GetExtraRecord(written);
  const auto stored = [this] {
    TdbContest extra(kContestExtra, false, 0);
    TContestExtraRecord x{};
    if (extra.FindByNumber(nummer_)) extra.GetExtraRecord(x);
    return x;
  };
  ASSERT_TRUE(RecordClosedLog(nummer_, TClosedLogFile{}, list, written, extra_));
  ASSERT_TRUE(KeptClosedLogStamp(stored()));

  TdbContest other(kContestExtra, false, 0);
  ASSERT_TRUE(other.FindByNumber(nummer_));
  TContestExtraRecord changed = stored();
  rec::SetInt32(changed.data(), xrec::QsosAt(1), rec::GetInt32(changed.data(), xrec::QsosAt(1)) + 10);
  other.SetExtraRecord(changed);
  ASSERT_TRUE(other.Update());
  EXPECT_TRUE(RecordClosedLog(nummer_, TClosedLogFile{}, list, written, extra_));
  EXPECT_FALSE(KeptClosedLogStamp(stored()));
}
