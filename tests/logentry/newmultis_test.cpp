#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "database/dbContest.h"
#include "logentry/newmultis.h"
#include "multiqso.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 55;

TContestQsoRecord Qso(const std::string& call, char band, const std::string& dok,
                      const std::string& dxcc, const std::string& kontinent = "EU") {
  return MakeQso({.call = call, .band = band, .dok = dok, .dxcc = dxcc, .kontinent = kontinent,
                  .call2 = "STALE"}, 0);
}

class NewMultisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    ASSERT_TRUE(log_->IsOpen());
    rec::SetChar(list_.data(), crec::kTyp, 'A');
    contest_.BandLetters[0] = 'b';
    contest_.BandLetters[1] = 'c';
    contest_.MultiplierKinds = {2, 3, 4};
    contest_.ExchangeCaptions[0] = "DOK";
    contest_.ExchangeCaptions[1] = "DXCC";
    int32_t zeit = 0;
    for (auto q : {Qso("DL1A", 'b', "A01", "DL"), Qso("DL1B", 'c', "B02", "DL")}) {
      rec::SetInt32(q.data(), qrec::kZeit, ++zeit);  // "Datum,Zeit" is unique
      log_->ClearRecord();
      log_->SetQsoRecord(q);
      ASSERT_TRUE(log_->Add());
    }
    TCountOptions fill;
    fill.FillList = true;
    for (int kind : kCountedKinds) CountMultis(kind, 'b', *log_, contest_, list_, fill, &lists_, nullptr);
  }
  void TearDown() override { log_.reset(); }

  std::string Str(const TContestQsoRecord& q, size_t off, size_t cap) { return rec::GetStr(q.data(), off, cap); }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_;
  TContestRec contest_;
  TContestRecord list_{};
  TMultiplierLists lists_;
  TScoreCounters c_;
};

TEST_F(NewMultisTest, NewDokOnTheBandIsMarkedStoredAndCounted) {
  auto q = Qso("DL2X", 'b', "B02", "DL");
  MarkNewMultis(q, contest_, list_, *log_, lists_, c_);
  EXPECT_EQ(Str(q, qrec::kCMulti, qrec::kCMultiCap), "B02");  // caption 1 "DOK"
  EXPECT_EQ(Str(q, qrec::kCMulti2, qrec::kCMulti2Cap), "");   // DL worked before on b
  EXPECT_EQ(Str(q, qrec::kCall2, qrec::kCall2Cap), "");       // cleared for this letter
  EXPECT_EQ(c_.CurBandMultis, 1);
  EXPECT_EQ(c_.BandMultiCount['b'], 1);
  ASSERT_EQ(lists_.Count(4), 2);
  EXPECT_EQ(lists_.Entry(4, 0).Text, "A01     ");
  EXPECT_EQ(lists_.Entry(4, 1).Text, "B02     ");
  EXPECT_EQ(lists_.Entry(4, 1).Status, 1);
  EXPECT_EQ(lists_.Entry(2, 0).Status, 2);
  EXPECT_EQ(lists_.NewText(4), "B02     ");
}

TEST_F(NewMultisTest, ContestWideScopeLooksOnEveryBand) {
  contest_.MultiplierMode = 1;
  auto q = Qso("DL2X", 'b', "B02", "OK");
  MarkNewMultis(q, contest_, list_, *log_, lists_, c_);
  EXPECT_EQ(Str(q, qrec::kCMulti, qrec::kCMultiCap), "");  // B02 was worked on c
  EXPECT_EQ(Str(q, qrec::kCMulti2, qrec::kCMulti2Cap), "OK");
  EXPECT_EQ(c_.BandMultiCount[1], 1);
  EXPECT_EQ(c_.BandMultiCount['b'], 0);
}

TEST_F(NewMultisTest, ValuesThatMayNotCountAreLeftAlone) {
  contest_.MultiplierKinds = {2, 4, 9};
  auto q = Qso("W1X", 'b', "NM", "K", "NA");
  MarkNewMultis(q, contest_, list_, *log_, lists_, c_);
  EXPECT_EQ(c_.CurBandMultis, 0);
  EXPECT_EQ(Str(q, qrec::kCMulti, qrec::kCMultiCap), "");
  EXPECT_EQ(Str(q, qrec::kCMulti2, qrec::kCMulti2Cap), "");
  // Letter 'L' takes every DOK as new, and keeps no member number.
  rec::SetChar(list_.data(), crec::kTyp, 'L');
  auto l = Qso("DL3X", 'b', "A01", "DL");
  MarkNewMultis(l, contest_, list_, *log_, lists_, c_);
  EXPECT_EQ(Str(l, qrec::kCMulti, qrec::kCMultiCap), "A01");
  EXPECT_EQ(c_.CurBandMultis, 1);
  // Letter 'k' keeps Call2 unless it is "0".
  rec::SetChar(list_.data(), crec::kTyp, 'k');
  auto k = Qso("DL4X", 'b', "", "F");
  MarkNewMultis(k, contest_, list_, *log_, lists_, c_);
  EXPECT_EQ(Str(k, qrec::kCall2, qrec::kCall2Cap), "STALE");
  rec::SetStr(k.data(), qrec::kCall2, qrec::kCall2Cap, "0");
  MarkNewMultis(k, contest_, list_, *log_, lists_, c_);
  EXPECT_EQ(Str(k, qrec::kCall2, qrec::kCall2Cap), "");
}

}  // namespace
