#include "logentry/rules/renumber.h"

#include <gtest/gtest.h>

#include <vector>

#include "logentry/qsolog_fixture.h"

namespace {

struct TNumbers {
  std::string call;
  int32_t nummer, bandNr, bandNrIntern, modeNr;
  bool operator==(const TNumbers&) const = default;
};
std::ostream& operator<<(std::ostream& os, const TNumbers& n) {
  return os << n.call << " #" << n.nummer << " band " << n.bandNr << "/" << n.bandNrIntern << " mode " << n.modeNr;
}

class RenumberTest : public QsoLogTest {
 protected:
  // The log read back in record-number order.
  std::vector<TNumbers> ReadBack() {
    std::vector<TNumbers> out;
    TdbContest log(kContestLog, false, kLogNumber);
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
      TContestQsoRecord r;
      log.GetQsoRecord(r);
      const uint8_t* p = r.data();
      out.push_back({rec::GetStr(p, qrec::kCall, qrec::kCallCap), rec::GetInt32(p, qrec::kNummer),
                     rec::GetInt32(p, qrec::kWagBandNr), rec::GetInt32(p, qrec::kWagBandNrIntern),
                     rec::GetUInt16(p, qrec::kModeNr)});
    }
    return out;
  }
};

TEST_F(RenumberTest, NumbersFollowDateAndTimePerBandAndModeClass) {
  Store({.call = "DL1C", .band = 'b', .mode = "SSB", .zeit = 300});
  Store({.call = "DL1A", .band = 'b', .mode = "CW", .zeit = 100});
  Store({.call = "QSY", .band = 'c', .zeit = 150, .marker = 'c'});
  Store({.call = "DL1B", .band = 'c', .mode = "USB", .zeit = 200});
  Store({.call = "DL1D", .band = 'b', .mode = "CW", .zeit = 400});
  const TRenumberResult r = Renumber(contest_, kLogNumber, false);
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.Records, 4);
  // Band-change rows are left out; SSB and USB share one mode class.
  const std::vector<TNumbers> expected = {
      {"DL1A", 1, 1, 1, 1}, {"DL1B", 2, 1, 1, 1}, {"DL1C", 3, 2, 2, 2}, {"DL1D", 4, 3, 3, 2}};
  EXPECT_EQ(ReadBack(), expected);
}

TEST_F(RenumberTest, DeletingTheSecondOfThreeMovesTheThird) {
  for (const char* call : {"DL2A", "DL2B", "DL2C"}) Store({.call = call});
  Store({.call = "QSY", .band = 'c', .marker = 'c'});
  ASSERT_TRUE(Renumber(contest_, kLogNumber, false).Ok);
  ASSERT_EQ(ReadBack().size(), 3u);
  ASSERT_TRUE(window_->First(qrec::kKeyNummer) && window_->Next());
  ASSERT_TRUE(DeleteAndRenumber(contest_, *window_, window_->CurrentRef()).Ok);
  const std::vector<TNumbers> expected = {{"DL2A", 1, 1, 1, 1}, {"DL2C", 2, 2, 2, 2}};
  EXPECT_EQ(ReadBack(), expected);
  EXPECT_EQ(DeleteQuestion("DL2A"), "Eintrag DL2A löschen?");
}

TEST_F(RenumberTest, ADeleteWhoseRenumberingFailsKeepsTheQso) {
  Store({.call = "DL2D", .zeit = 100});
  Store({.call = "DL2E", .zeit = 200});
  Store({.call = "DL2F", .zeit = 300});
  const std::vector<TNumbers> before = ReadBack();
  ASSERT_TRUE(window_->First(qrec::kKeyNummer));
  // The preparation gives the third QSO the second one's moment: the unique
  // time key refuses the rewrite, and the delete must go with it.
  const TRenumberResult r = DeleteAndRenumber(contest_, *window_, window_->CurrentRef(), {},
                                              [](TContestQsoRecord& q) {
                                                if (rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap) == "DL2F")
                                                  rec::SetInt32(q.data(), qrec::kZeit, 200);
                                              });
  EXPECT_FALSE(r.Ok);
  EXPECT_FALSE(r.Error.empty());
  EXPECT_EQ(ReadBack(), before);
}

TEST_F(RenumberTest, BandChangeRowsAreNotDeleted) {
  Store({.call = "DL3A"});
  Store({.call = "QSY", .band = 'c', .marker = 'c'});
  window_->First(qrec::kKeyNummer);
  window_->Next();
  const TRenumberResult r = DeleteAndRenumber(contest_, *window_, window_->CurrentRef());
  EXPECT_FALSE(r.Ok);
  EXPECT_TRUE(r.Error.empty());
  EXPECT_EQ(store_->UsedRecords(), 2);
}

TEST_F(RenumberTest, SerialNumbersKeepRecordNumbersAndTheirOrder) {
  contest_.SentKinds = {ExchangeKind::Dok, ExchangeKind::Serial, ExchangeKind::None};
  Store({.call = "DL4A", .zeit = 900});
  Store({.call = "DL4B", .zeit = 100});
  Store({.call = "DL4C", .zeit = 500});
  store_->First(qrec::kKeyNummer);
  store_->Delete();  // numbers 2 and 3 remain
  ASSERT_TRUE(Renumber(contest_, kLogNumber, false).Ok);
  const std::vector<TNumbers> expected = {{"DL4B", 2, 1, 1, 1}, {"DL4C", 3, 2, 2, 2}};
  EXPECT_EQ(ReadBack(), expected);
}

TEST_F(RenumberTest, PreparesEveryQsoAndReportsProgress) {
  for (int i = 0; i < 25; ++i) Store({.call = "DL5A" + std::string(1, char('A' + i))});
  std::vector<std::pair<int32_t, int32_t>> steps;
  const TRenumberResult r = Renumber(
      contest_, kLogNumber, false, [&](int32_t pos, int32_t max) { steps.emplace_back(pos, max); },
      [](TContestQsoRecord& q) { rec::SetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap, "X"); });
  ASSERT_TRUE(r.Ok);
  const std::vector<std::pair<int32_t, int32_t>> expected = {{0, 25}, {10, 25}, {20, 25},
                                                             {0, 25}, {10, 25}, {20, 25}};
  EXPECT_EQ(steps, expected);
  for (bool more = store_->First(qrec::kKeyNummer); more; more = store_->Next()) {
    TContestQsoRecord q;
    store_->GetQsoRecord(q);
    EXPECT_EQ(rec::GetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap), "X");
  }
}

TEST_F(RenumberTest, AFailedRewriteLeavesTheLogAsItWas) {
  Store({.call = "DL6A", .zeit = 300});
  Store({.call = "DL6B", .zeit = 100});
  Store({.call = "QSY", .band = 'c', .zeit = 150, .marker = 'c'});
  const std::vector<TNumbers> before = ReadBack();
  // The second QSO is given the first one's moment: the unique time key refuses it.
  const TRenumberResult r = Renumber(contest_, kLogNumber, false, {}, [](TContestQsoRecord& q) {
    rec::SetInt32(q.data(), qrec::kZeit, 100);
  });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error, "Fehler beim Neuaufbau der Datenbank");
  EXPECT_EQ(ReadBack(), before);
  EXPECT_EQ(store_->UsedRecords(), 3);
}

TEST_F(RenumberTest, TenThousandQsosAreRenumberedInTheirOrder) {
  ASSERT_TRUE(store_->BeginTransaction());
  const char bands[] = {'a', 'b', 'c', 'd', 'e'};
  for (int i = 0; i < 10000; ++i)
    Store({.call = "DL" + std::to_string(i), .band = bands[i % 5], .mode = i % 3 ? "CW" : "SSB",
           .datum = 155000 + i / 40000, .zeit = 86399 - i});
  ASSERT_TRUE(store_->CommitTransaction());
  const TRenumberResult r = Renumber(contest_, kLogNumber, false);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Records, 10000);
  // The last stored QSO is the earliest: number 1 on its band.
  const std::vector<TNumbers> back = ReadBack();
  ASSERT_EQ(back.size(), 10000u);
  EXPECT_EQ(back.front(), (TNumbers{"DL9999", 1, 1, 1, 1}));
  EXPECT_EQ(back.back().bandNr, 2000);
}

}  // namespace
