#include "hamradio/baender.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "hamradio/modi.h"

namespace {

TEST(BaenderTest, TwentyOneBandsWithTheCodesAToU) {
  std::set<char> codes;
  for (const auto& b : ToBaender.Bands()) codes.insert(b.Code);
  EXPECT_EQ(ToBaender.Bands().size(), 21u);
  ASSERT_EQ(codes.size(), 21u);
  EXPECT_EQ(*codes.begin(), 'a');
  EXPECT_EQ(*codes.rbegin(), 'u');
}

TEST(BaenderTest, EveryDefaultFrequencyLiesInsideItsBand) {
  const char classes[] = {' ', 0, kModeClassCw, kModeClassPhone, kModeClassFm, kModeClassDigital};
  for (const auto& b : ToBaender.Bands()) {
    EXPECT_LT(b.Low, b.High) << b.Name;
    for (const char cls : classes) {
      const double f = ToBaender.ModeDefaultFrequency(b.Code, cls);
      EXPECT_EQ(ToBaender.BandFromFrequency(f), b.Code) << b.Name << " class " << int(cls) << " " << f;
    }
    EXPECT_EQ(ToBaender.DefaultFrequency(b.Name), ToBaender.ModeDefaultFrequency(b.Code, ' '));
  }
  EXPECT_EQ(ToBaender.ModeDefaultFrequency('z', kModeClassCw), 0);
  EXPECT_EQ(ToBaender.DefaultFrequency("5 m"), 0);
}

TEST(BaenderTest, BandFromFrequencyIncludesBothEdges) {
  for (const auto& b : ToBaender.Bands()) {
    // As typed and as read back from a single-precision record field.
    EXPECT_EQ(ToBaender.BandFromFrequency(b.Low), b.Code) << b.Name;
    EXPECT_EQ(ToBaender.BandFromFrequency(b.High), b.Code) << b.Name;
    EXPECT_EQ(ToBaender.BandFromFrequency(static_cast<float>(b.Low)), b.Code) << b.Name;
    EXPECT_EQ(ToBaender.BandFromFrequency(static_cast<float>(b.High)), b.Code) << b.Name;
    EXPECT_EQ(ToBaender.BandFromFrequency(b.Low * (1 - 1e-4)), ' ') << b.Name;
    EXPECT_EQ(ToBaender.BandFromFrequency(b.High * (1 + 1e-4)), ' ') << b.Name;
  }
  EXPECT_EQ(ToBaender.BandFromFrequency(14.025), 'e');
  EXPECT_EQ(ToBaender.BandFromFrequency(0), ' ');
  EXPECT_EQ(ToBaender.BandFromFrequency(-3.6), ' ');
  EXPECT_EQ(ToBaender.BandFromFrequency(100.0), ' ');
}

TEST(BaenderTest, NamesAsOtherUnitsAndExportFilesUseThem) {
  EXPECT_EQ(ToBaender.BandName('a'), "160 m");
  EXPECT_EQ(ToBaender.BandName('l', 0), "70 cm");
  EXPECT_EQ(ToBaender.BandName('s'), "1.2cm");
  EXPECT_EQ(ToBaender.BandName('r'), "2190m");
  EXPECT_EQ(ToBaender.BandName('s', 1), "1.25cm");
  EXPECT_EQ(ToBaender.BandName('t', 1), "6mm");
  EXPECT_EQ(ToBaender.BandName('u', 1), "4m");
  EXPECT_EQ(ToBaender.BandName('0'), "all");
  EXPECT_EQ(ToBaender.BandName('z', 1), "???");
  EXPECT_EQ(ToBaender.BandShortName('h', 1), "25000");
  EXPECT_EQ(ToBaender.BandShortName('m', 1), "1.2G");
  EXPECT_EQ(ToBaender.BandShortName('r', 1), "2190M");
  EXPECT_EQ(ToBaender.BandShortName('0', 1), "ALL");
  EXPECT_EQ(ToBaender.BandShortName('z', 0), "-");
}

TEST(BaenderTest, BandCodeFromTextKnowsEveryNameOfEveryBand) {
  for (const auto& b : ToBaender.Bands())
    for (const char* name : {b.Name, b.Name2, b.ShortName, b.ShortName2})
      EXPECT_EQ(ToBaender.BandCodeFromText(name), b.Code) << name;
  EXPECT_EQ(ToBaender.BandCodeFromText(" 70CM "), 'l');   // ADIF spelling
  EXPECT_EQ(ToBaender.BandCodeFromText("80 M"), 'b');
  EXPECT_EQ(ToBaender.BandCodeFromText("2m"), 'k');
  EXPECT_EQ(ToBaender.BandCodeFromText("5 m"), ' ');
  EXPECT_EQ(ToBaender.BandCodeFromText(""), ' ');
}

TEST(BaenderTest, NormalizeFrequencyTurnsKilohertzAndWavelengthsIntoMegahertz) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {
      {14025, 14.025},  {3550, 3.55},    {1810, 1.81},     {144300, 144.3},  {136, 0.136},
      {14.074, 14.074}, {3.55, 3.55},    {50, 50},         {432.2, 432.2},   {1296.2, 1296.2},
      {10368.1, 10368.1}, {99999, 99999}, {0, 0},
      {80, ToBaender.ModeDefaultFrequency('b', ' ')},
      {160, ToBaender.ModeDefaultFrequency('a', ' ')},
      {2190, ToBaender.ModeDefaultFrequency('r', ' ')},
      {10, ToBaender.ModeDefaultFrequency('i', ' ')},
      {6, ToBaender.ModeDefaultFrequency('j', ' ')},   // 6 m before 6 cm
      {2, ToBaender.ModeDefaultFrequency('k', ' ')},
      {70, ToBaender.ModeDefaultFrequency('l', ' ')},  // 70 cm
      {23, ToBaender.ModeDefaultFrequency('m', ' ')},
  };
  for (const auto& c : cases) EXPECT_NEAR(ToBaender.NormalizeFrequency(c.in), c.out, 1e-9) << c.in;
}

TEST(ModiTest, ModeClassesAndTheirExportCodes) {
  EXPECT_EQ(ModeClass("CW"), kModeClassCw);
  EXPECT_EQ(ModeClass("ssb"), kModeClassPhone);
  EXPECT_EQ(ModeClass("SSB   "), kModeClassPhone);  // padded record field
  EXPECT_EQ(ModeClass("FM"), kModeClassFm);
  EXPECT_EQ(ModeClass("RTTY"), kModeClassDigital);
  EXPECT_EQ(ModeClass("PR"), kModeClassDigital);
  EXPECT_EQ(ModeClass("XYZ"), ' ');
  EXPECT_EQ(ModeClass(""), ' ');
  EXPECT_EQ(ModeClassName(ModeClass("LSB")), "PH");
  EXPECT_EQ(ModeClassName(ModeClass("CW")), "CW");
  EXPECT_EQ(ModeClassName(ModeClass("FM")), "FM");
  EXPECT_EQ(ModeClassName(ModeClass("FT8")), "RY");
  EXPECT_EQ(ModeClassName(' '), "");
  // Every mode of the table has a class with an export code.
  for (const auto& m : ToModi.Modes()) EXPECT_NE(ModeClassName(m.Class), "") << m.Mode;
}

}  // namespace
