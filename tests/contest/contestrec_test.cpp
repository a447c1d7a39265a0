#include <gtest/gtest.h>

#include <string>

#include "contest/ContestRec.h"

TEST(ShortString, KeepsAtMostItsCapacityAndComparesByText) {
  TShortStr<6> s("DL1ABCDEF");
  EXPECT_EQ(s.size(), 6u);
  EXPECT_EQ(s, "DL1ABC");
  s = "DK";  // a shorter text leaves no trace of the longer one
  EXPECT_EQ(s.str(), "DK");
  EXPECT_EQ(s, TShortStr<6>("DK"));
  EXPECT_EQ(s.data()[2], '\0');

  TStr255 longText(std::string(300, 'x'));
  EXPECT_EQ(longText.size(), 255u);
  longText.clear();
  EXPECT_TRUE(longText.empty());
}

TEST(ByteSet, HoldsElementsZeroTo255AndIgnoresOthers) {
  TByteSet s = {0, 9, 255};
  EXPECT_TRUE(s.Contains(0));
  EXPECT_TRUE(s.Contains(9));
  EXPECT_TRUE(s.Contains(255));
  EXPECT_FALSE(s.Contains(8));
  EXPECT_EQ(s.Bits[1], 0x02);   // element 9 is bit 1 of byte 1
  EXPECT_EQ(s.Bits[31], 0x80);  // element 255 is the top bit of the last byte

  s.Include(256);
  s.Include(-1);
  EXPECT_FALSE(s.Contains(256));
  EXPECT_FALSE(s.Contains(-1));
  s.Exclude(9);
  EXPECT_FALSE(s.Contains(9));

  const TByteSet range = TByteSet::Range(1, 7);
  EXPECT_FALSE(range.Contains(0));
  EXPECT_TRUE(range.Contains(1));
  EXPECT_TRUE(range.Contains(7));
  EXPECT_FALSE(range.Contains(8));
  EXPECT_TRUE(TByteSet().Empty());
  EXPECT_FALSE(range.Empty());
}

TEST(DuplicateRules, UnknownCodesMeanNoCheck) {
  for (uint8_t known : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10}) EXPECT_EQ(EffectiveDupeRule(known), known);
  for (uint8_t unknown : {6, 11, 99, 255}) EXPECT_EQ(EffectiveDupeRule(unknown), DupeRule::NoCheck);
}

TEST(ContestRecord, ListCountsStopAtTheFirstEmptyEntry) {
  TContestRec r;
  EXPECT_EQ(r.ModeCount(), 0);
  r.Modes[0] = "CW";
  r.Modes[1] = "SSB";
  r.Modes[3] = "FM";  // behind a gap: not part of the list
  r.BandLetters[0] = 'b';
  r.BandLetters[1] = ' ';  // a blank slot is no band either
  r.BandLetters[2] = 'c';
  r.Classes[0].Text = "alle";
  EXPECT_EQ(r.ModeCount(), 2);
  EXPECT_EQ(r.BandCount(), 1);
  EXPECT_EQ(r.ClassCount(), 1);

  r.Clear();
  EXPECT_EQ(r.ModeCount(), 0);
  EXPECT_TRUE(r.Modes[3].empty());
  EXPECT_EQ(r.ClassCount(), 0);
}
