#include <gtest/gtest.h>

#include "logentry/rules/bandplan.h"

namespace {

struct PlanCase {
  float f;
  const char* mode;
  char band;
  char letter;
  bool ok;
};

TEST(BandPlan, RangesPerModeAndBand) {
  const PlanCase cases[] = {
      // Other letters: inside the mode's range of the checked bands.
      {3.52f, "CW", 'b', 'A', true},
      {3.6f, "CW", 'b', 'A', false},
      {7.1f, "CW", 'c', 'A', true},  // 40 m is not checked
      {1.83f, "CW", 'a', 'A', true},
      {1.85f, "CW", 'a', 'A', false},
      {14.03f, "CW", 'e', 'A', true},
      {3.67f, "SSB", 'b', 'A', false},
      {3.75f, "SSB", 'b', 'A', true},
      {3.62f, "SSB", 'b', 'A', true},
      {14.2f, "SSB", 'e', 'A', true},
      {14.1f, "SSB", 'e', 'A', false},
      {3.6f, "FM", 'b', 'A', true},
      {3.6f, "cw", 'b', 'A', true},  // only the exact mode texts are checked
      // Letter 'W': excluded segments whatever the band.
      {14.11f, "SSB", 'e', 'W', false},
      {14.2f, "SSB", 'e', 'W', true},
      {14.11f, "FM", 'e', 'W', true},
      {7.1f, "CW", 'c', 'W', false},
      {7.03f, "CW", 'c', 'W', true},
      {28.3f, "SSB", 'i', 'W', false},
      {3.52f, "CW", 'e', 'W', true},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.f << " " << c.mode << " " << c.band << " " << c.letter);
    EXPECT_EQ(CheckBandPlan(c.f, c.mode, c.band, c.letter), c.ok);
  }
}

TEST(BandPlan, BoundsCountByTheSinglePrecisionValue) {
  EXPECT_FALSE(CheckBandPlan(14.06f, "CW", 'e', 'A'));   // just above 14.06
  EXPECT_FALSE(CheckBandPlan(13.999f, "CW", 'e', 'A'));  // just below 13.999
  EXPECT_TRUE(CheckBandPlan(3.56f, "CW", 'b', 'A'));     // just below 3.56
  EXPECT_FALSE(CheckBandPlan(14.125f, "SSB", 'e', 'W')); // exact: inside the segment
  EXPECT_TRUE(CheckBandPlan(14.125f, "SSB", 'e', 'A'));
}

TEST(BandPlan, EmptyFrequencyFailsOnlyWhereARangeApplies) {
  EXPECT_FALSE(CheckBandPlan(0.0f, "CW", 'b', 'A'));
  EXPECT_FALSE(CheckBandPlan(0.0f, "SSB", 'e', 'A'));
  EXPECT_TRUE(CheckBandPlan(0.0f, "CW", 'c', 'A'));
  EXPECT_TRUE(CheckBandPlan(0.0f, "SSB", 'b', 'W'));
}

}  // namespace
