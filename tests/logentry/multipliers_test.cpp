#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "database/dbContest.h"
#include "logentry/multipliers.h"
#include "multiqso.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 42;

using M = MultiQso;

class MultipliersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    ASSERT_TRUE(log_->IsOpen());
    rec::SetChar(list_.data(), crec::kTyp, 'A');
  }
  void TearDown() override { log_.reset(); }

  void Store(const M& q) {
    log_->ClearRecord();
    log_->SetQsoRecord(MakeQso(q, ++zeit_));
    ASSERT_TRUE(log_->Add()) << q.call;
  }
  int32_t Count(int kind, char band, const TCountOptions& o = {}, TMultiplierLists* l = nullptr) {
    return CountMultis(kind, band, *log_, contest_, list_, o, l, nullptr);
  }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_;
  TContestRec contest_;
  TContestRecord list_{};
  int32_t zeit_ = 0;
};

TEST_F(MultipliersTest, DokCountsOncePerBandOrOncePerContest) {
  contest_.MultiplierKinds = {4};
  Store({.call = "DL1A", .band = 'b', .dok = "A01"});
  Store({.call = "DL1B", .band = 'b', .dok = "A01"});
  Store({.call = "DL1C", .band = 'c', .dok = "A01"});
  Store({.call = "DL1D", .band = 'b', .dok = "B02"});
  Store({.call = "DL1E", .band = 'b', .dok = ""});
  Store({.call = "DL1F", .band = 'b', .dok = "C03", .marker = 'c'});  // band-change row

  contest_.MultiplierMode = 0;
  EXPECT_EQ(Count(4, 'b'), 2);
  EXPECT_EQ(Count(4, 'c'), 1);
  EXPECT_EQ(Count(4, 'd'), 0);
  contest_.MultiplierMode = 1;
  EXPECT_EQ(Count(4, 'b'), 2);
  // Kinds outside the set count nothing; kind 4 also counts through 17.
  contest_.MultiplierKinds = {1};
  EXPECT_EQ(Count(4, 'b'), 0);
  contest_.MultiplierKinds = {17};
  EXPECT_EQ(Count(4, 'b'), 2);
}

TEST_F(MultipliersTest, DokCountsAgainPerModeClassWithScopeTwo) {
  contest_.MultiplierKinds = {4};
  contest_.MultiplierMode = 2;
  Store({.call = "DL1A", .mode = "CW", .dok = "A01"});
  Store({.call = "DL1B", .mode = "SSB", .dok = "A01"});
  Store({.call = "DL1C", .mode = "CW", .dok = "A01"});
  Store({.call = "DL1D", .mode = "SSB", .dok = "B02"});
  EXPECT_EQ(Count(4, 'b'), 3);
  contest_.MultiplierMode = 0;
  EXPECT_EQ(Count(4, 'b'), 2);
}

TEST_F(MultipliersTest, DokRulesExcludedBonusListAndDistricts) {
  contest_.MultiplierKinds = {4};
  for (const char* d : {"A01", "B02", "F05", "M26", "X"}) Store({.call = std::string("DL") + d, .dok = d});
  EXPECT_EQ(Count(4, 'b'), 5);
  contest_.ExtraText = "B02";
  EXPECT_EQ(Count(4, 'b'), 4);
  contest_.BonusDoks[3] = "A01";
  EXPECT_EQ(Count(4, 'b'), 1);
  // With bonus districts a DOK of such a district also counts, but never M26.
  contest_.BonusDistricts[0] = 'F';
  contest_.BonusDistricts[1] = 'M';
  EXPECT_EQ(Count(4, 'b'), 2);
  // Kind 18 counts the district letter of the DOK.
  contest_.MultiplierKinds = {18};
  Store({.call = "DL9X", .dok = "F19"});
  EXPECT_EQ(Count(18, 'b'), 2);  // F05 and F19 share F; M26 counts as M; X lacks digits
  contest_.BonusDistricts[2] = 'A';
  EXPECT_EQ(Count(18, 'b'), 3);
}

TEST_F(MultipliersTest, DxccNeedsItsConditions) {
  contest_.MultiplierKinds = {2};
  Store({.call = "DL1A", .dxcc = "DL"});
  Store({.call = "F1A", .dxcc = "F"});
  Store({.call = "W1A", .dxcc = "K", .kontinent = "NA"});
  Store({.call = "W2A", .dxcc = "K", .kontinent = "NA"});
  EXPECT_EQ(Count(2, 'b'), 2);  // DL needs kind 3
  contest_.MultiplierKinds = {2, 3};
  EXPECT_EQ(Count(2, 'b'), 3);
  contest_.MultiplierKinds = {2, 3, 9};
  EXPECT_EQ(Count(2, 'b'), 2);
}

TEST_F(MultipliersTest, BonusWeightsAndBonusText) {
  contest_.MultiplierKinds = {5};
  Store({.call = "DL1A", .loc = "JO40AB", .exchange = "599X"});
  Store({.call = "DL1B", .loc = "JO40CD"});
  Store({.call = "DL1C", .loc = "JO41AA", .exchange = "599X"});
  EXPECT_EQ(Count(5, 'b'), 2);
  rec::SetChar(list_.data(), crec::kTyp, 'Y');
  EXPECT_EQ(Count(5, 'b'), 10);
  rec::SetChar(list_.data(), crec::kTyp, 'J');
  EXPECT_EQ(Count(5, 'b'), 0);  // -1 each outside bands k and l
  rec::SetChar(list_.data(), crec::kTyp, 'A');
  // Only QSOs whose received exchange holds the text count; a failing record
  // of a square does not hide a later one that passes.
  contest_.MemberClub = "X";
  Store({.call = "DL1D", .loc = "JO42AA"});
  Store({.call = "DL1E", .loc = "JO42BB", .exchange = "599X"});
  EXPECT_EQ(Count(5, 'b'), 3);
}

TEST_F(MultipliersTest, FilterFindsAValueAndListsFill) {
  contest_.MultiplierKinds = {1, 16};
  Store({.call = "DL1A", .prefix = "DL1", .call2 = "123"});
  Store({.call = "OE1A", .prefix = "OE1", .call2 = "NM"});
  Store({.call = "DL2A", .prefix = "DL2", .call2 = "77"});
  TCountOptions f;
  f.Filter = "OE1";
  EXPECT_EQ(Count(1, 'b', f), 1);
  f.Filter = "OE2";
  EXPECT_EQ(Count(1, 'b', f), 0);

  TMultiplierLists lists;
  TCountOptions fill;
  fill.FillList = true;
  EXPECT_EQ(Count(1, 'b', fill, &lists), 3);
  EXPECT_EQ(Count(16, 'b', fill, &lists), 2);  // "NM" never counts
  ASSERT_EQ(lists.Count(1), 3);
  EXPECT_EQ(lists.Entry(1, 0).Text, "DL1 ");
  EXPECT_EQ(lists.Entry(1, 2).Text, "OE1 ");
  ASSERT_EQ(lists.Count(16), 2);
  EXPECT_EQ(lists.Entry(16, 0).Text, "123 ");
}

TEST_F(MultipliersTest, RecountCountsCaptionsAndStoredMultipliersOnly) {
  contest_.MultiplierKinds = {2, 16};
  contest_.ExchangeCaptions[0] = "DXCC";
  contest_.ExchangeCaptions[2] = "DIG";
  Store({.call = "DL1A", .dxcc = "F", .call2 = "123", .cmulti = "123"});
  Store({.call = "DL1B", .dxcc = "F", .call2 = "456"});
  Store({.call = "DL1C", .dxcc = "G", .call2 = "789", .cmulti = "789"});
  Store({.call = "DL1D", .band = 'c', .dxcc = "G"});
  TCountOptions o;
  o.Recount = true;
  int calls = 0;
  o.Progress = [&](int32_t) { ++calls; };
  TCountTotals t;
  EXPECT_EQ(CountMultis(2, 'b', *log_, contest_, list_, o, nullptr, &t), 2);
  EXPECT_EQ(t.Qsos, 3);
  EXPECT_EQ(CountMultis(16, 'b', *log_, contest_, list_, o, nullptr, &t), 2);
  EXPECT_EQ(t.Captions[0], 2);
  EXPECT_EQ(t.Captions[1], 0);
  EXPECT_EQ(t.Captions[2], 2);
  EXPECT_EQ(t.Visited, 6);
  EXPECT_EQ(calls, 0);  // fewer than 10 records walked
}

TEST(MultiBonusTest, DokWeightsByLetter) {
  TContestRec c;
  c.BonusDoks[0] = "Z16";
  c.BonusDoks[1] = "F05";
  TContestRecord list{};
  auto weight = [&](char letter, const std::string& dok, uint8_t cat = 0, uint8_t districts = 0) {
    rec::SetChar(list.data(), crec::kTyp, letter);
    rec::SetByte(list.data(), crec::kTeilnahmeart, cat);
    rec::SetByte(list.data(), crec::kMitglied, districts);
    TContestQsoRecord q{};
    rec::SetStr(q.data(), qrec::kDOK1, qrec::kDOK1Cap, dok);
    return MultiBonus(4, q, c, list);
  };
  EXPECT_EQ(weight('2', "WN"), 5);
  EXPECT_EQ(weight('2', "A1N"), 2);
  EXPECT_EQ(weight('2', "A01"), 0);
  EXPECT_EQ(weight('1', "NM"), -1);
  EXPECT_EQ(weight('G', "Z16"), 1);
  EXPECT_EQ(weight('G', "F05"), 0);
  EXPECT_EQ(weight('h', "K01", 5), 2);
  EXPECT_EQ(weight('h', "K01", 3), 0);
  EXPECT_EQ(weight('U', "A01", 0, 1), 1);
  EXPECT_EQ(weight('U', "U05", 0, 1), 0);
  EXPECT_EQ(weight('U', "Z16", 0, 0), 1);
  EXPECT_EQ(weight('A', "WN"), 0);
}

TEST(MultiplierListsTest, FullListKeepsItsOrder) {
  TMultiplierLists l;
  for (int i = 0; i < 510; ++i) {
    char t[8];
    std::snprintf(t, sizeof t, "B%03d", i);
    l.Append(4, t);
  }
  ASSERT_EQ(l.Count(4), 500);
  EXPECT_EQ(l.Entry(4, 499).Text, "B499");
  l.InsertNew(4, "A000");  // sorts first: the last entry drops out
  EXPECT_EQ(l.Count(4), 500);
  EXPECT_EQ(l.Entry(4, 0).Text, "A000");
  EXPECT_EQ(l.Entry(4, 0).Status, 1);
  EXPECT_EQ(l.Entry(4, 499).Text, "B498");
  l.InsertNew(4, "C000");  // above every entry of a full list: stays out
  EXPECT_EQ(l.Entry(4, 499).Text, "B498");
  EXPECT_EQ(l.NewText(4), "C000");
  l.MarkWorked(4, "B010 ");
  EXPECT_EQ(l.Entry(4, 11).Status, 2);
  l.InsertNew(4, "B010");  // an entry of the same text only gets the mark
  EXPECT_EQ(l.Entry(4, 11).Status, 1);
  EXPECT_EQ(l.Count(4), 500);
  l.ClearMarks();
  EXPECT_EQ(l.Entry(4, 0).Status, 0);
  EXPECT_EQ(l.NewText(4), "");

  TMultiplierLists s;
  s.Append(1, "DL");
  s.Append(1, "OK");
  s.InsertNew(1, "F");
  EXPECT_EQ(s.Entry(1, 1).Text, "F");
  EXPECT_EQ(s.Entry(1, 2).Text, "OK");
}

TEST(MultiplierKindsTest, CaptionsAndCountingBand) {
  TContestRec c;
  c.ExchangeCaptions[0] = "Prefix";
  c.ExchangeCaptions[1] = "QCWA";
  EXPECT_TRUE(KindMatchesCaption(1, 1, c));
  EXPECT_TRUE(KindMatchesCaption(2, 1, c));
  EXPECT_TRUE(KindMatchesCaption(16, 2, c));
  EXPECT_TRUE(KindMatchesCaption(19, 2, c));
  EXPECT_FALSE(KindMatchesCaption(4, 1, c));
  EXPECT_FALSE(KindMatchesCaption(1, 4, c));
  EXPECT_FALSE(KindMatchesCaption(3, 1, c));
  EXPECT_EQ(CountingBand('c', 1, 'A', 0), 'c');
  EXPECT_EQ(CountingBand('c', 2, 'A', 1), 'c');
  EXPECT_EQ(CountingBand('c', 1, 'A', 1), 1);
}

}  // namespace
