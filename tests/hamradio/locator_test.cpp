#include "hamradio/locator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "base/kxstrings.h"

namespace {

TEST(LocatorTest, IsValidLocator) {
  for (const char* ok : {"JO62QM", "jo62qm", "JO62", "JO", " JO62QM ", "AA00AA", "RR99XX"})
    EXPECT_TRUE(ToLocator.IsValidLocator(ok)) << ok;
  for (const char* bad : {"", "J", "JO6", "JO62Q", "SO62QM", "JS62QM", "JO62QY", "JOAB",
                          "J062QM", "JO62QM1", "JO62QM12", "62JOQM"})
    EXPECT_FALSE(ToLocator.IsValidLocator(bad)) << bad;
}

TEST(LocatorTest, LocatorOfKnownPlaces) {
  struct Place {
    double lat, lon;
    const char* loc;
  };
  const Place places[] = {
      {51.4769, -0.0005, "IO91xl"},   // Greenwich observatory
      {52.5200, 13.4050, "JO62qm"},   // Berlin
      {-33.8568, 151.2153, "QF56od"}, // Sydney
      {40.7128, -74.0060, "FN20xr"},  // New York
      {-90.0, -180.0, "AA00aa"},
      {89.999, 179.999, "RR99xx"},
      {10.0, 540.0 - 0.0001, "RK90xa"}, // a longitude beyond 180 wraps
  };
  for (const auto& p : places) EXPECT_EQ(ToLocator.LatLonToLocator(p.lat, p.lon), p.loc) << p.loc;
  EXPECT_EQ(ToLocator.LatLonToLocator(52.52, 13.405, 4), "JO62");
  EXPECT_EQ(ToLocator.LatLonToLocator(52.52, 13.405, 2), "JO");
  // A position that is no number has no locator (and no letter from a
  // meaningless conversion).
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ToLocator.LatLonToLocator(nan, 13.4), "");
  EXPECT_EQ(ToLocator.LatLonToLocator(52.5, nan), "");
  EXPECT_EQ(ToLocator.LatLonToLocator(inf, 13.4), "");
  EXPECT_EQ(ToLocator.LatLonToLocator(52.5, -inf), "");
}

TEST(LocatorTest, CentreOfEverySquareLiesInThatSquare) {
  // Fields, squares and subsquares across the whole grid.
  for (char f1 = 'A'; f1 <= 'R'; f1 += 3)
    for (char f2 = 'A'; f2 <= 'R'; f2 += 2)
      for (char d = '0'; d <= '9'; d += 3)
        for (char s = 'a'; s <= 'x'; s += 5) {
          const std::string loc = {f1, f2, d, char('9' - (d - '0')), s, char('x' - (s - 'a'))};
          double lat, lon;
          ASSERT_TRUE(ToLocator.LocatorToLatLon(loc, lat, lon)) << loc;
          EXPECT_EQ(ToLocator.LatLonToLocator(lat, lon, 6), loc) << loc;
          EXPECT_EQ(ToLocator.LatLonToLocator(lat, lon, 4), loc.substr(0, 4)) << loc;
        }
  double lat, lon;
  ASSERT_TRUE(ToLocator.LocatorToLatLon("JO62", lat, lon));
  EXPECT_DOUBLE_EQ(lat, 52.5);
  EXPECT_DOUBLE_EQ(lon, 13.0);
  ASSERT_TRUE(ToLocator.LocatorToLatLon("jo", lat, lon));
  EXPECT_DOUBLE_EQ(lat, 55.0);
  EXPECT_DOUBLE_EQ(lon, 10.0);
  EXPECT_FALSE(ToLocator.LocatorToLatLon("JO6", lat, lon));
}

// Great circle by unit vectors: the angle from atan2(|a x b|, a . b), the
// bearing from the direction towards b in the local east and north axes.
void VectorGreatCircle(double lat1, double lon1, double lat2, double lon2, double& bearing,
                       double& km) {
  const double r = std::numbers::pi / 180;
  auto vec = [&](double la, double lo, double v[3]) {
    v[0] = std::cos(la * r) * std::cos(lo * r);
    v[1] = std::cos(la * r) * std::sin(lo * r);
    v[2] = std::sin(la * r);
  };
  double a[3], b[3];
  vec(lat1, lon1, a);
  vec(lat2, lon2, b);
  const double c[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                       a[0] * b[1] - a[1] * b[0]};
  const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  km = std::atan2(std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]), dot) / r * 111.12;
  const double east[3] = {-std::sin(lon1 * r), std::cos(lon1 * r), 0};
  const double north[3] = {-std::sin(lat1 * r) * std::cos(lon1 * r),
                           -std::sin(lat1 * r) * std::sin(lon1 * r), std::cos(lat1 * r)};
  double de = 0, dn = 0;
  for (int i = 0; i < 3; ++i) {
    de += (b[i] - a[i]) * east[i];
    dn += (b[i] - a[i]) * north[i];
  }
  bearing = std::fmod(std::atan2(de, dn) / r + 360, 360);
}

TEST(LocatorTest, QrbAgreesWithAGreatCircleOnCoordinates) {
  struct Pair {
    const char* from;
    const char* to;
  };
  const Pair pairs[] = {
      {"JO62QM", "JO62QN"},  // neighbouring subsquares
      {"JN58SD", "JN59"},    // short, subsquare to square
      {"JO62QM", "JN58SD"},  // Berlin - Munich
      {"JO31", "IO91XL"},    // Ruhr - London
      {"IO91XL", "KP20"},    // London - Helsinki
      {"JO62QM", "FN20XR"},  // Berlin - New York
      {"KG33", "GF05"},      // Johannesburg - Buenos Aires
      {"JO62QM", "QF56OD"},  // Berlin - Sydney
      {"RH91", "AH36"},      // Fiji - Samoa, eastwards across the date line
      {"BP51", "QO62"},      // Alaska - Kamchatka, westwards across the date line
      {"FN20XR", "PM95"},    // New York - Tokyo
      {"AA00AA", "RR99XX"},  // corner to corner
      {"JO01", "RE78"},      // Europe - New Zealand, near the antipode
  };
  for (const auto& p : pairs) {
    double bearing, km, lat1, lon1, lat2, lon2, refBearing, refKm;
    ASSERT_TRUE(ToLocator.Qrb(p.from, p.to, bearing, km)) << p.from << " " << p.to;
    ASSERT_TRUE(ToLocator.LocatorToLatLon(p.from, lat1, lon1));
    ASSERT_TRUE(ToLocator.LocatorToLatLon(p.to, lat2, lon2));
    VectorGreatCircle(lat1, lon1, lat2, lon2, refBearing, refKm);
    EXPECT_NEAR(km, refKm, 1.0) << p.from << " " << p.to;
    const double diff = std::fabs(std::remainder(bearing - refBearing, 360.0));
    EXPECT_LE(diff, 1.0) << p.from << " " << p.to << " " << bearing << " " << refBearing;
    EXPECT_GE(bearing, 0.0);
    EXPECT_LT(bearing, 360.0);
  }
}

TEST(LocatorTest, QrbScaleAndInvalidInput) {
  double bearing, km;
  // One degree of latitude straight north.
  ASSERT_TRUE(ToLocator.Qrb("JO62", "JO63", bearing, km));
  EXPECT_NEAR(km, 111.12, 1e-6);
  EXPECT_NEAR(bearing, 0.0, 1e-6);
  ASSERT_TRUE(ToLocator.Qrb("JO63", "JO62", bearing, km));
  EXPECT_NEAR(bearing, 180.0, 1e-6);
  // Across the date line the short way is east, not three quarters round.
  ASSERT_TRUE(ToLocator.Qrb("RJ90", "AJ00", bearing, km));
  EXPECT_NEAR(km, 2 * 111.12, 0.5);
  EXPECT_NEAR(bearing, 90.0, 1.0);
  ASSERT_TRUE(ToLocator.Qrb("JO62QM", "jo62qm ", bearing, km));
  EXPECT_EQ(km, 0);
  EXPECT_EQ(bearing, 0);
  bearing = km = 5;
  EXPECT_FALSE(ToLocator.Qrb("JO62QM", "XX99", bearing, km));
  EXPECT_EQ(km, 0);
  EXPECT_EQ(bearing, 0);
  EXPECT_FALSE(ToLocator.Qrb("", "JO62", bearing, km));
}

}  // namespace
