#include <gtest/gtest.h>

#include "logentry/rules/score.h"
#include "logentry/realcontest.h"

namespace {

class ScoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char bands[] = "bcdefghi";
    for (int i = 0; i < 8; ++i) contest_.BandLetters[static_cast<size_t>(i)] = bands[i];
    c_.BandPoints['b'] = 10;
    c_.BandMultiCount['b'] = 3;
    c_.BandQsoCount['b'] = 5;
    c_.BandPoints['c'] = 4;  // points without multipliers
    c_.BandQsoCount['c'] = 2;
    c_.BandPoints['i'] = 6;  // eighth band: no column, but in the totals
    c_.BandMultiCount['i'] = 1;
    c_.BandQsoCount['i'] = 1;
  }
  TContestRec contest_;
  TScoreCounters c_;
};

TEST_F(ScoreTest, FormulaFollowsTheContestsFlags) {
  // No multiplier kinds: points alone, no multiplier and no "=" text.
  TScoreView v = ShowScore(contest_, c_, 'b');
  EXPECT_EQ(v.Score, 20);
  EXPECT_EQ(v.MultiText, "");
  EXPECT_EQ(v.PointsText, "");
  EXPECT_EQ(v.QsoText, "8 QSO");
  EXPECT_EQ(v.ScoreText, "20 Pkt.");

  contest_.MultiplierKinds = {4};
  v = ShowScore(contest_, c_, 'b');
  EXPECT_EQ(v.Score, 4 * 20);
  EXPECT_EQ(v.MultiText, "4 Multi x");
  EXPECT_EQ(v.PointsText, "20 Punkte =");
  EXPECT_TRUE(v.PointsTextVisible);

  // No contest names its multipliers "PLZ" today; the text still follows
  // the first multiplier caption, and only when a flag is set.
  contest_.MultiplierCaptions[0] = "PLZ";
  EXPECT_EQ(ShowScore(contest_, c_, 'b').MultiText, "4 Multi x");
  contest_.NoScoreFormula = true;
  v = ShowScore(contest_, c_, 'b');
  EXPECT_EQ(v.Score, 20);
  EXPECT_EQ(v.MultiText, "4 PLZ");
  contest_.NoScoreFormula = false;

  // Per band: a band without multipliers adds its plain points.
  contest_.PerBandScore = true;
  contest_.MultiplierCaptions[0] = "DXCC";
  v = ShowScore(contest_, c_, 'b');
  EXPECT_EQ(v.Score, 3 * 10 + 4 + 1 * 6);
  EXPECT_EQ(v.MultiText, "4 Multi");
  EXPECT_EQ(v.PointsText, "20 Punkte");
  EXPECT_FALSE(v.PointsTextVisible);
}

TEST_F(ScoreTest, MultiplierTextNamesTheContestsMultipliers) {
  // Prefixes counted as points only: "Prefixe".
  EXPECT_EQ(ShowScore(*DefineReal('P'), c_, 'b').MultiText, "4 Prefixe");
  EXPECT_EQ(ShowScore(*DefineReal('5'), c_, 'b').MultiText, "4 Prefixe");
  // Locator squares counted as points only.
  EXPECT_EQ(ShowScore(*DefineReal('N'), c_, 'b').MultiText, "4 Multi");
  // Multipliers times points; per band for letter 'Z'.
  EXPECT_EQ(ShowScore(*DefineReal('D'), c_, 'b').MultiText, "4 Multi x");
  EXPECT_EQ(ShowScore(*DefineReal('Z'), c_, 'b').MultiText, "4 Multi");
  // A contest without multipliers.
  EXPECT_EQ(ShowScore(*DefineReal('q'), c_, 'b').MultiText, "");
}

TEST_F(ScoreTest, ColumnsFollowTheFirstSevenBands) {
  TScoreView v = ShowScore(contest_, c_, 'c');
  EXPECT_EQ(v.Columns[0].Qsos, "    5");
  EXPECT_EQ(v.Columns[0].Mults, "    3");
  EXPECT_EQ(v.Columns[0].Points, "   10");
  EXPECT_EQ(v.Columns[1].Points, "    4");
  EXPECT_FALSE(v.Columns[0].Current);
  EXPECT_TRUE(v.Columns[1].Current);
  EXPECT_EQ(v.TotalQsos, 8);
  // The eighth band is current: no column is marked.
  v = ShowScore(contest_, c_, 'i');
  for (const auto& col : v.Columns) EXPECT_FALSE(col.Current);
}

TEST_F(ScoreTest, HeadlineNamesTheBandPerScope) {
  c_.CurBandPoints = 10;
  c_.CurBandMultis = 3;
  c_.CurBandQsos = 5;
  c_.QsoCounter = 9;
  THeadline h = ShowHeadline(contest_, 'A', 'e', c_);
  EXPECT_EQ(h.PointsCaption, "Punkte 20 m");
  EXPECT_EQ(h.MultiCaption, "Multi 20 m");
  EXPECT_EQ(h.QsoCaption, "QSO 20 m");
  EXPECT_EQ(h.Number, "9");
  contest_.MultiplierMode = 1;
  EXPECT_EQ(ShowHeadline(contest_, 'P', 'e', c_).MultiCaption, "Präfixe ");
}

TEST(MergedListTest, EqualTextsAppearOncePerListInKindOrder) {
  TMultiplierLists l;
  l.Append(4, "DL");
  l.Append(4, "ZZ");
  l.Append(2, "DL");
  l.Append(2, "F");
  l.Append(1, "AB");
  l.InsertNew(2, "DL");
  const auto m = MergedMultiplierList(l);
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[0].Text, "AB");
  EXPECT_EQ(m[1].Text, "DL");
  EXPECT_EQ(m[1].Status, 1);  // kind 2 comes before kind 4
  EXPECT_EQ(m[2].Text, "DL");
  EXPECT_EQ(m[2].Status, 0);
  EXPECT_EQ(m[3].Text, "F");
  EXPECT_EQ(m[4].Text, "ZZ");
}

}  // namespace
