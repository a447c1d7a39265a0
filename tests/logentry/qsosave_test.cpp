#include "logentry/qsosave.h"

#include <gtest/gtest.h>

#include "contest/ContestFkt.h"
#include "database/dbCall.h"
#include "logentry/dupecheck.h"
#include "qsolog_fixture.h"

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
  EXPECT_EQ(store_->UsedRecords(), 11);
  for (int32_t t = 50000; t <= 50010; ++t)
    EXPECT_EQ(rec::GetStr(StoredAt(t).data(), qrec::kCall, qrec::kCallCap), "DL2AA");
  EXPECT_TRUE(Save({.call = "DL3XX", .zeit = 49999}).Added);
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
  TdbCall book(kCallBook, false, 0);
  ASSERT_TRUE(book.FindCall("DL6AB"));
  EXPECT_EQ(book.GetDOK(), "F05");
  EXPECT_EQ(book.GetMF(), "1234");
  EXPECT_EQ(book.GetName(), "Hans");
  EXPECT_EQ(book.GetQTH(), "");
  ASSERT_TRUE(book.FindCall("DL7AB"));
  EXPECT_EQ(book.GetDOK(), "");  // letter '4' never writes the DOK
  EXPECT_FALSE(book.FindCall("K1"));
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
