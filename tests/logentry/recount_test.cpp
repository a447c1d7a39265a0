#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "database/dbContest.h"
#include "logentry/recount.h"
#include "logentry/score.h"
#include "multiqso.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 77;

TContestQsoRecord Qso(const std::string& call, char band, const std::string& dok,
                      const std::string& dxcc, int32_t zeit, uint8_t marker = 0) {
  return MakeQso({.call = call, .band = band, .dok = dok, .dxcc = dxcc, .marker = marker, .punkte = 99}, zeit);
}

class RecountTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    listTable_ = std::make_unique<TdbContest>(kContestList, false, 0);
    extraTable_ = std::make_unique<TdbContest>(kContestExtra, false, 0);
    ASSERT_TRUE(log_->IsOpen() && listTable_->IsOpen() && extraTable_->IsOpen());
    TContestRecord list{};
    rec::SetInt32(list.data(), crec::kNummer, kLog);
    rec::SetChar(list.data(), crec::kTyp, 'A');
    listTable_->ClearRecord();
    listTable_->SetContestRecord(list);
    ASSERT_TRUE(listTable_->Add());
    listTable_->GetContestRecord(list);
    listNummer_ = rec::GetInt32(list.data(), crec::kNummer);
    TContestExtraRecord extra{};
    rec::SetInt32(extra.data(), xrec::kNummer, kLog);
    extraTable_->ClearRecord();
    extraTable_->SetExtraRecord(extra);
    ASSERT_TRUE(extraTable_->Add());
    const char bands[] = "bcdefghi";
    for (int i = 0; i < 8; ++i) contest_.BandLetters[static_cast<size_t>(i)] = bands[i];
    contest_.MultiplierKinds = {2, 3, 4};
    contest_.ExchangeCaptions[0] = "DOK";
    contest_.ExchangeCaptions[1] = "DXCC";
  }
  void TearDown() override {
    log_.reset();
    listTable_.reset();
    extraTable_.reset();
  }
  void Store(const TContestQsoRecord& q) {
    log_->ClearRecord();
    log_->SetQsoRecord(q);
    ASSERT_TRUE(log_->Add());
  }
  void SetTotalsPlace(uint8_t place) {
    TContestRecord list;
    listTable_->GetContestRecord(list);
    rec::SetByte(list.data(), crec::kTotalsPlace, place);
    listTable_->SetContestRecord(list);
    ASSERT_TRUE(listTable_->Update());
  }
  void FillSmallLog() {
    int32_t t = 0;
    Store(Qso("DL1A", 'b', "A01", "DL", ++t));
    Store(Qso("DL1B", 'b', "A01", "DL", ++t));
    Store(Qso("F1A", 'b', "", "F", ++t));
    Store(Qso("DL1C", 'c', "B02", "DL", ++t));
    Store(Qso("", 'i', "", "", ++t, 'i'));  // band change: never counted
    Store(Qso("DL1D", 'i', "C03", "DL", ++t));  // eighth band
  }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_, listTable_, extraTable_;
  TContestRec contest_;
  std::array<int32_t, 256> points_{};
  int32_t listNummer_ = 0;
};

TEST_F(RecountTest, PerBandTotalsGoIntoTheContestListRecord) {
  FillSmallLog();
  points_['b'] = 30;
  points_['c'] = 7;
  points_['h'] = 70000;
  int steps = 0;
  ASSERT_TRUE(Neuberechnung(contest_, *listTable_, *extraTable_, *log_, points_,
                            [&](int32_t) { ++steps; }));
  ASSERT_TRUE(listTable_->FindByNumber(listNummer_));
  TContestRecord list;
  listTable_->GetContestRecord(list);
  const uint8_t* p = list.data();
  EXPECT_EQ(rec::GetInt16(p, 196), 3);   // QSOs slot 1 (b)
  EXPECT_EQ(rec::GetInt16(p, 198), 1);   // slot 2 (c)
  EXPECT_EQ(rec::GetInt16(p, 206), 3);   // multipliers b: A01, DL, F
  EXPECT_EQ(rec::GetInt16(p, 208), 2);   // c: B02, DL
  EXPECT_EQ(rec::GetInt32(p, 226), 30);  // points b
  EXPECT_EQ(rec::GetInt32(p, 230), 7);
  EXPECT_EQ(rec::GetInt16(p, 261), 1);   // caption 1 "DOK" on b
  EXPECT_EQ(rec::GetInt16(p, 281), 2);   // caption 2 "DXCC" on b
  EXPECT_EQ(rec::GetInt32(p, 359), 70000);  // slot 7 (h) points
  EXPECT_EQ(rec::GetInt16(p, 355), 0);
  // The extra record stays as it was.
  ASSERT_TRUE(extraTable_->FindByNumber(kLog));
  TContestExtraRecord extra;
  extraTable_->GetExtraRecord(extra);
  EXPECT_EQ(rec::GetInt32(extra.data(), xrec::QsosAt(1)), 0);
}

TEST_F(RecountTest, ContestWideTotalsGoIntoTheExtraRecord) {
  FillSmallLog();
  SetTotalsPlace(1);
  contest_.MultiplierMode = 1;
  points_['i'] = 5;
  std::array<TSlotTotals, 100> totals;
  ASSERT_TRUE(Neuberechnung(contest_, *listTable_, *extraTable_, *log_, points_, {}, &totals));
  ASSERT_TRUE(extraTable_->FindByNumber(kLog));
  TContestExtraRecord extra;
  extraTable_->GetExtraRecord(extra);
  const uint8_t* x = extra.data();
  EXPECT_EQ(rec::GetInt32(x, xrec::QsosAt(1)), 3);
  EXPECT_EQ(rec::GetInt32(x, xrec::QsosAt(2)), 1);
  EXPECT_EQ(rec::GetInt32(x, xrec::QsosAt(8)), 1);
  EXPECT_EQ(rec::GetInt32(x, xrec::PointsAt(8)), 5);
  // Multipliers once for the contest: A01, B02, C03, DL, F, in slot 1.
  EXPECT_EQ(rec::GetInt32(x, xrec::MultsAt(1)), 5);
  EXPECT_EQ(rec::GetInt32(x, xrec::MultsAt(2)), 0);
  EXPECT_EQ(rec::GetInt16(x, xrec::Caption1At(1)), 3);
  EXPECT_EQ(rec::GetInt16(x, xrec::Caption2At(1)), 2);
  EXPECT_EQ(totals[0].Mults, 5);
  // The scope of the caller's description is left as it was.
  EXPECT_EQ(contest_.MultiplierMode, 1);
}

TEST_F(RecountTest, PointsRecountRewritesChangedPointsAndCounts) {
  FillSmallLog();
  TContestRecord list;
  listTable_->GetContestRecord(list);
  TScoreCounters c;
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  RecountPoints(contest_, list, *log_, env, c);
  EXPECT_EQ(c.BandQsoCount['b'], 3);
  EXPECT_EQ(c.BandQsoCount['i'], 1);
  EXPECT_EQ(c.QsoCounter, 6);
  EXPECT_EQ(c.LastBand, 'i');
  // Every stored QSO now holds the points the rule gives it, and the band
  // sums add them up.
  int32_t sumB = 0;
  TContestQsoRecord q;
  for (bool ok = log_->First(qrec::kKeyNummer); ok; ok = log_->Next()) {
    log_->GetQsoRecord(q);
    if (rec::GetByte(q.data(), qrec::kQsoMarker) != 0) continue;
    const int32_t pts = QsoPoints(contest_, list, q, env);
    EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), pts);
    if (rec::GetChar(q.data(), qrec::kBandcode) == 'b') sumB += pts;
  }
  EXPECT_EQ(c.BandPoints['b'], sumB);

  TMultiplierLists lists;
  RecountScore(true, 'b', *log_, contest_, list, env, lists, c);
  EXPECT_EQ(c.CurBandMultis, 3);
  EXPECT_EQ(c.BandMultiCount['b'], 3);
  EXPECT_EQ(c.BandMultiCount['i'], 2);
  EXPECT_EQ(c.CurBandQsos, 3);
  const auto merged = MergedMultiplierList(lists);
  ASSERT_EQ(merged.size(), 3u);
  EXPECT_EQ(merged[0].Text, "A01     ");
  EXPECT_EQ(merged[1].Text, "DL    ");
  EXPECT_EQ(merged[2].Text, "F     ");
}

TEST_F(RecountTest, TenThousandQsosAreAllCounted) {
  contest_.MultiplierKinds = {2, 3, 4, 5};
  const char bands[] = "bcdefgh";
  ASSERT_TRUE(log_->BeginTransaction());
  for (int i = 0; i < 10000; ++i) {
    const std::string dok = std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(10 + i % 40);
    auto q = Qso("DL" + std::to_string(i) + "X", bands[i % 7], dok, i % 3 ? "DL" : "OK", i);
    rec::SetStr(q.data(), qrec::kLoc, qrec::kLocCap, std::string("JO") + std::to_string(10 + i % 60) + "AA");
    Store(q);
  }
  ASSERT_TRUE(log_->CommitTransaction());
  std::array<TSlotTotals, 100> totals;
  int steps = 0;
  ASSERT_TRUE(Neuberechnung(contest_, *listTable_, *extraTable_, *log_, points_,
                            [&](int32_t pos) { ++steps; EXPECT_LT(pos, 500); }, &totals));
  int32_t qsos = 0;
  for (int s = 0; s < 7; ++s) qsos += totals[static_cast<size_t>(s)].Qsos;
  EXPECT_EQ(qsos, 10000);
  EXPECT_GT(steps, 0);
  // The DOK pattern repeats every 520 QSOs and 520 is prime to 7, so each
  // band sees all 520 DOKs, both DXCCs and all 60 squares.
  EXPECT_EQ(totals[0].Mults, 520 + 2 + 60);

  // The window's own recounts on the same log: the full one when it opens,
  // the current band's one before every new entry.
  TContestRecord list;
  listTable_->GetContestRecord(list);
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  TMultiplierLists lists;
  TScoreCounters c;
  RecountScore(true, 'b', *log_, contest_, list, env, lists, c);
  RecountScore(false, 'b', *log_, contest_, list, env, lists, c);
  EXPECT_EQ(c.CurBandMultis, 520 + 2 + 60);
  EXPECT_EQ(c.QsoCounter, 10001);
  EXPECT_EQ(lists.Count(4), 500);  // 520 DOKs, the list holds 500
}

}  // namespace
