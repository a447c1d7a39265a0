#include "logentry/rules/qsosave.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <random>

#include "contest/ContestFkt.h"
#include "database/dbCall.h"
#include "logentry/rules/dupecheck.h"
#include "logentry/qsolog_fixture.h"
#include "storage/ifdriver.h"
#include "support/ForkedChild.h"

namespace {

class QsoSaveTest : public QsoLogTest {
 protected:
  void SetUp() override {
    QsoLogTest::SetUp();
    list_ = std::make_unique<TdbContest>(kContestList, false, 0);
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, '1');  // one point per QSO
    list_->SetContestRecord(r);
  }
  void TearDown() override {
    list_.reset();
    QsoLogTest::TearDown();
  }
  TSaveResult Save(const TQ& q, const TNextNumbers& next = {}) {
    Enter(q);
    return SaveQso(contest_, *list_, *window_, next);
  }
  // The stored QSO at the given time of the default day.
  TContestQsoRecord StoredAt(int32_t zeit) {
    TdbContest log(kContestLog, false, kLogNumber);
    TContestQsoRecord r{};
    for (bool more = log.First(qrec::kKeyDatumZeit); more; more = log.Next()) {
      log.GetQsoRecord(r);
      if (rec::GetInt32(r.data(), qrec::kZeit) == zeit) return r;
    }
    ADD_FAILURE() << "no QSO at " << zeit;
    return r;
  }

  std::unique_ptr<TdbContest> list_;
};

TEST_F(QsoSaveTest, SameSecondIsStoredOneSecondLater) {
  const TSaveResult first = Save({.call = "DL1AA", .zeit = 40000}, {.QsoNumber = 1, .BandNumber = 1});
  ASSERT_TRUE(first.Added);
  EXPECT_EQ(first.Points, 1);
  EXPECT_TRUE(first.Counted);
  ASSERT_TRUE(Save({.call = "DL1AB", .zeit = 40000}, {.QsoNumber = 2, .BandNumber = 2, .ModeNumber = 7}).Added);
  const TContestQsoRecord second = StoredAt(40001);
  EXPECT_EQ(rec::GetStr(second.data(), qrec::kCall, qrec::kCallCap), "DL1AB");
  EXPECT_EQ(rec::GetInt32(second.data(), qrec::kWagNummer), 2);
  EXPECT_EQ(rec::GetInt32(second.data(), qrec::kWagBandNr), 2);
  EXPECT_EQ(rec::GetUInt16(second.data(), qrec::kModeNr), 7);
  EXPECT_EQ(rec::GetUInt16(second.data(), qrec::kPunkte), 1);
  // The window's table stays on the stored QSO.
  EXPECT_EQ(rec::GetInt32(WindowRecord().data(), qrec::kZeit), 40001);
}

TEST_F(QsoSaveTest, ElevenTakenSecondsGiveUpWithoutTouchingTheLog) {
  for (int32_t t = 50000; t <= 50010; ++t) Store({.call = "DL2AA", .zeit = t});
  const TSaveResult r = Save({.call = "DL3XX", .zeit = 50000});
  EXPECT_FALSE(r.Added);
  EXPECT_EQ(r.Failure, TSaveFailure::TimeTaken);
  EXPECT_EQ(store_->UsedRecords(), 11);
  for (int32_t t = 50000; t <= 50010; ++t)
    EXPECT_EQ(rec::GetStr(StoredAt(t).data(), qrec::kCall, qrec::kCallCap), "DL2AA");
  // The entry is kept as it was typed, at its own time.
  EXPECT_EQ(rec::GetInt32(WindowRecord().data(), qrec::kZeit), 50000);
  EXPECT_EQ(rec::GetStr(WindowRecord().data(), qrec::kCall, qrec::kCallCap), "DL3XX");
  EXPECT_TRUE(Save({.call = "DL3XX", .zeit = 49999}).Added);
}

TEST_F(QsoSaveTest, TheSecondAfterMidnightBelongsToTheNextDay) {
  Store({.call = "DL2AA", .datum = 155000, .zeit = 86399});
  const TSaveResult r = Save({.call = "DL3XX", .datum = 155000, .zeit = 86399});
  ASSERT_TRUE(r.Added);
  const TContestQsoRecord w = WindowRecord();
  EXPECT_EQ(rec::GetInt32(w.data(), qrec::kDatum), 155001);
  EXPECT_EQ(rec::GetInt32(w.data(), qrec::kZeit), 0);
  TdbContest log(kContestLog, false, kLogNumber);
  ASSERT_TRUE(log.Last(qrec::kKeyDatumZeit));
  EXPECT_EQ(log.GetCall(), "DL3XX");
}

// Another station holds the log's write lock until the test lets it go.
class LockedLogTest : public QsoSaveTest {
 protected:
  void SetUp() override {
    QsoSaveTest::SetUp();
    DriverCacheCheckMs = 0;
    ASSERT_TRUE(other_.Fork());
    if (other_.InChild()) {
      ForkedChild::OwnConnections();
      TdbContest log(kContestLog, false, kLogNumber);
      const bool locked = log.BeginTransaction();
      other_.Tell(locked ? 'L' : '!');
      other_.Wait();
      log.RollbackTransaction();
      other_.Tell('U');
      _exit(0);
    }
    ASSERT_EQ(other_.Receive(), 'L');
  }
  void TearDown() override {
    other_.Send('R');
    EXPECT_EQ(other_.Exit(), 0);
    DriverCacheCheckMs = 20;
    QsoSaveTest::TearDown();
  }
  // The lock question of the window's table: a short retry, then answer.
  void AnswerLockQuestion(std::function<bool()> answer) {
    window_->GetTreiber()->Driver()->SetRetryHandler(2, [this, answer](const std::string&, uint8_t) {
      ++asked_;
      return answer();
    });
  }

  ForkedChild other_;
  int asked_ = 0;
};

TEST_F(LockedLogTest, ARefusedLockKeepsTheTimeAndStoresNothing) {
  AnswerLockQuestion([] { return false; });
  const TSaveResult r = Save({.call = "DL5AA", .zeit = 43200});
  EXPECT_FALSE(r.Added);
  EXPECT_EQ(r.Failure, TSaveFailure::LockRefused);
  EXPECT_EQ(asked_, 1);
  EXPECT_EQ(rec::GetInt32(WindowRecord().data(), qrec::kZeit), 43200);
  other_.Send('R');
  ASSERT_EQ(other_.Receive(), 'U');
  EXPECT_EQ(store_->UsedRecords(), 0);
}

TEST_F(LockedLogTest, AnsweringRetryStoresTheQsoAtItsOwnSecond) {
  AnswerLockQuestion([this] {
    if (asked_ == 1) {
      other_.Send('R');
      EXPECT_EQ(other_.Receive(), 'U');
    }
    return true;
  });
  const TSaveResult r = Save({.call = "DL5AA", .zeit = 43200});
  ASSERT_TRUE(r.Added);
  EXPECT_EQ(asked_, 1);
  EXPECT_EQ(rec::GetStr(StoredAt(43200).data(), qrec::kCall, qrec::kCallCap), "DL5AA");
}

TEST_F(QsoSaveTest, TwoStationsSavingBackToBackBothGetTheirQsosIn) {
  // Each station saves its QSOs one after another as fast as it can;
  // whoever waits for the log gets it within the retries of a refused lock,
  // so the lock question (answered no here) never comes and every save goes
  // through. A station that hangs is ended after a generous time, which
  // fails the test.
  constexpr int kSaves = 60;
  DriverCacheCheckMs = 0;
  const int32_t before = store_->UsedRecords();
  struct Saves {
    int saved = 0, failed = 0, asked = 0;
  };
  auto saveLoop = [&](TdbContest& window, int32_t firstZeit) {
    Saves s;
    window.GetTreiber()->Driver()->SetRetryHandler(kIfdDefaultRetryLimit, [&s](const std::string&, uint8_t) {
      ++s.asked;
      return false;
    });
    for (int32_t i = 0; i < kSaves; ++i) {
      window.ClearRecord();
      window.SetQsoRecord(QsoRecordOf({.call = "DL" + std::to_string(i), .zeit = firstZeit + 2 * i}));
      ++(SaveQso(contest_, *list_, window, {}).Added ? s.saved : s.failed);
    }
    return s;
  };
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    alarm(120);
    ForkedChild::OwnConnections();
    TdbContest window(kContestLog, false, kLogNumber);
    c.Tell('O');
    c.Wait();
    const Saves s = saveLoop(window, 1);
    _exit(s.asked > 0 ? 101 : s.failed > 0 ? 102 : s.saved != kSaves ? 103 : 0);
  }
  ASSERT_EQ(c.Receive(), 'O');
  c.Send('G');
  const Saves s = saveLoop(*window_, 0);
  EXPECT_EQ(s.asked, 0);
  EXPECT_EQ(s.failed, 0);
  EXPECT_EQ(s.saved, kSaves);
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_EQ(store_->UsedRecords(), before + 2 * kSaves);
  DriverCacheCheckMs = 20;
}

TEST_F(QsoSaveTest, AStationKilledWhileSavingLeavesEveryStoredQsoWhole) {
  contest_.SentKinds = {ExchangeKind::Serial, ExchangeKind::None, ExchangeKind::None};
  DriverCacheCheckMs = 0;
  std::mt19937 random(4711);
  for (int round = 0; round < 20; ++round) {
    const int32_t first = store_->UsedRecords();
    ForkedChild c;
    ASSERT_TRUE(c.Fork());
    if (c.InChild()) {
      ForkedChild::OwnConnections();
      TdbContest window(kContestLog, false, kLogNumber);
      for (int32_t i = first;; ++i) {
        TContestQsoRecord q = QsoRecordOf({.call = "DL" + std::to_string(i), .zeit = 10000 + i});
        TContestFkt::SetSentExchange("599 " + std::to_string(i % 100), q);
        window.ClearRecord();
        window.SetQsoRecord(q);
        if (!SaveQso(contest_, *list_, window, {}).Added) _exit(2);
        c.Tell('+');
      }
    }
    const int saves = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < saves; ++k) ASSERT_EQ(c.Receive(), '+') << "round " << round;
    usleep(static_cast<useconds_t>(random() % 30000));
    kill(c.pid, SIGKILL);
    EXPECT_EQ(c.Exit(), -1);

    // Every QSO in the log has its points and its padded number.
    TdbContest log(kContestLog, false, kLogNumber);
    int32_t stored = 0;
    std::vector<std::string> broken;
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next(), ++stored) {
      TContestQsoRecord q;
      log.GetQsoRecord(q);
      if (rec::GetUInt16(q.data(), qrec::kPunkte) != 1 || TContestFkt::GetSentExchange(q).size() != 6)
        broken.push_back(log.GetCall());
    }
    ASSERT_EQ(broken, std::vector<std::string>{}) << "round " << round;
    ASSERT_GE(stored, first + saves);
  }
  DriverCacheCheckMs = 20;
}

TEST_F(QsoSaveTest, SoftDuplicateIsStoredMarkedWithoutPoints) {
  contest_.DupeRule = DupeRule::BandAndModeWarned;
  ASSERT_TRUE(Save({.call = "DL4AA", .zeit = 1000}).Added);
  Enter({.call = "DL4AA", .zeit = 2000});
  ASSERT_TRUE(CheckQso(contest_, '1', *window_, 'b', "CW").Marked);
  EXPECT_TRUE(SaveQso(contest_, *list_, *window_, {}).Added);
  const TContestQsoRecord r = StoredAt(2000);
  EXPECT_EQ(rec::GetByte(r.data(), qrec::kDupeMark), 255);
  EXPECT_EQ(rec::GetUInt16(r.data(), qrec::kPunkte), 0);
}

TEST_F(QsoSaveTest, NumbersOfTheExchangeGetThreeDigits) {
  contest_.SentKinds = {ExchangeKind::Serial, ExchangeKind::None, ExchangeKind::None};
  contest_.ReceivedKinds = {ExchangeKind::Dok, ExchangeKind::Serial, ExchangeKind::None};
  TContestQsoRecord q = QsoRecordOf({});
  TContestFkt::SetSentExchange("599 7", q);
  TContestFkt::SetReceivedExchange("599 F05/42", q);
  PadExchangeNumbers(contest_, q);
  EXPECT_EQ(TContestFkt::GetSentExchange(q), "599007");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599 F05/042");
  // Three digits and text stay as they are.
  TContestFkt::SetSentExchange("599 123", q);
  TContestFkt::SetReceivedExchange("599 F05/X1", q);
  PadExchangeNumbers(contest_, q);
  EXPECT_EQ(TContestFkt::GetSentExchange(q), "599123");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599 F05/X1");
}

TEST(QsoSave, FourthFieldOfLetterQ) {
  EXPECT_EQ(NormalizeFourthField("AB-12"), "AB/12");
  EXPECT_EQ(NormalizeFourthField("AB+12"), "AB/12");
  EXPECT_EQ(NormalizeFourthField("12"), "/12");
  EXPECT_EQ(NormalizeFourthField("AB12"), "AB/12");
  EXPECT_EQ(NormalizeFourthField("AB/12"), "AB/12");
  EXPECT_EQ(NormalizeFourthField("ABC"), "ABC");
}

TEST_F(QsoSaveTest, CallBookEntryOfTheHomeCall) {
  const TCallBookInput in{.Field2 = "NM1234", .Field3 = "", .Name = "Hans", .Qth = "Bonn",
                          .NameEnabled = true, .QthEnabled = false};
  UpdateCallBook(QsoRecordOf({.call = "DL6AB/P", .dok = "F05"}), 'i', in);
  UpdateCallBook(QsoRecordOf({.call = "DL7AB", .dok = "G21"}), '4', in);
  UpdateCallBook(QsoRecordOf({.call = "K1"}), 'A', in);
  // A QSO that tells nothing of the station leaves no empty entry.
  UpdateCallBook(QsoRecordOf({.call = "DL8AB", .dok = "H01"}), '4', {});
  TdbCall book(kCallBook, false, 0);
  ASSERT_TRUE(book.FindCall("DL6AB"));
  EXPECT_EQ(book.GetDOK(), "F05");
  EXPECT_EQ(book.GetMF(), "1234");
  EXPECT_EQ(book.GetName(), "Hans");
  EXPECT_EQ(book.GetQTH(), "");
  ASSERT_TRUE(book.FindCall("DL7AB"));
  EXPECT_EQ(book.GetDOK(), "");  // letter '4' never writes the DOK
  EXPECT_FALSE(book.FindCall("K1"));
  EXPECT_FALSE(book.FindCall("DL8AB"));
  // A later QSO adds to the entry and keeps what it does not know.
  UpdateCallBook(QsoRecordOf({.call = "DL6AB"}), '7', {.Field2 = "4711", .Field3 = "", .Name = "", .Qth = "Köln", .NameEnabled = false, .QthEnabled = true});
  ASSERT_TRUE(book.FindCall("DL6AB"));
  EXPECT_EQ(book.GetDIG(), "4711");
  EXPECT_EQ(book.GetQTH(), "Köln");
  EXPECT_EQ(book.GetName(), "Hans");
  EXPECT_EQ(book.GetDOK(), "F05");
  EXPECT_EQ(book.UsedRecords(), 2);
}

}  // namespace
