#include <gtest/gtest.h>

#include "logentry/rules/exchangeparts.h"

namespace {

struct SplitCase {
  const char* text;
  const char* p1;
  const char* p2;
  const char* p3;
  const char* p4;
  const char* joined;  // the join of the four parts
};

TEST(ExchangeParts, SplitAndJoinRoundTrip) {
  const SplitCase cases[] = {
      {"599 123/A", "599", " 123", "A", "", "599 123/A"},
      {"59", "59", "", "", "", "59 "},
      {"599 12//X", "599", " 12", "", "X", "599 12//X"},
      {"599 1/B/C/D", "599", " 1", "B", "C/D", "599 1/B/C/D"},
      {"59 F12", "59 ", "F12", "", "", "59 F12"},
      {"599 1/", "599", " 1", "", "", "599 1"},
      {"", "", "", "", "", "   "},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.text);
    const TExchangeParts p = SplitExchangeParts(c.text);
    EXPECT_EQ(p.Part1, c.p1);
    EXPECT_EQ(p.Part2, c.p2);
    EXPECT_EQ(p.Part3, c.p3);
    EXPECT_EQ(p.Part4, c.p4);
    EXPECT_EQ(JoinExchangeParts(p), c.joined);
  }
}

TEST(ExchangeParts, PartsAreCutToTheCapacityAsked) {
  const TExchangeParts p = SplitExchangeParts("599ABCDEF/GHIJ", 2);
  EXPECT_EQ(p.Part2, "AB");
  EXPECT_EQ(p.Part3, "GH");
}

TEST(ExchangeParts, JoinShapesTheRstAndTheSeparators) {
  EXPECT_EQ(JoinExchangeParts("5999", "001", "", ""), "599001");
  EXPECT_EQ(JoinExchangeParts("5", "", "", ""), "5  ");
  EXPECT_EQ(JoinExchangeParts("599", "", "", "Z"), "599//Z");
  EXPECT_EQ(JoinExchangeParts("599", "", "K", ""), "599/K");
  // A part 2 typed with "/" moves into part 3 at the next split.
  const TExchangeParts again = SplitExchangeParts(JoinExchangeParts("599", "12/B", "", ""));
  EXPECT_EQ(again.Part2, "12");
  EXPECT_EQ(again.Part3, "B");
}

TEST(ExchangeParts, PartsLongerThanTheCapacityAreCut) {
  const TExchangeParts p = SplitExchangeParts("599ABCDEFG/HIJKLM/NO", 4);
  EXPECT_EQ(p.Part1, "599");
  EXPECT_EQ(p.Part2, "ABCD");
  EXPECT_EQ(p.Part3, "HIJK");
  EXPECT_EQ(p.Part4, "NO");
}

TEST(ExchangeParts, NumberKindsArePaddedToThreeDigits) {
  EXPECT_TRUE(IsPaddedNumberKind(7));
  EXPECT_TRUE(IsPaddedNumberKind(11));
  EXPECT_TRUE(IsPaddedNumberKind(13));
  EXPECT_FALSE(IsPaddedNumberKind(4));
  EXPECT_FALSE(IsPaddedNumberKind(99));
  EXPECT_EQ(PadExchangeNumber("7"), "007");
  EXPECT_EQ(PadExchangeNumber("42"), "042");
  EXPECT_EQ(PadExchangeNumber("123"), "123");
  EXPECT_EQ(PadExchangeNumber("1234"), "1234");
  EXPECT_EQ(PadExchangeNumber(""), "");
  EXPECT_EQ(PadExchangeNumber("A1"), "A1");
}

}  // namespace
