#pragma once
// Maidenhead locator arithmetic: validity, the centre of a locator's square,
// the locator of a position, and distance and bearing between two locators.
#include <string>
#include <string_view>

// Kilometres per degree of great-circle arc, the scale of every distance
// the program shows and stores.
inline constexpr double kKmPerDegree = 111.12;

class TLocator {
 public:
  // True for a Maidenhead locator of 2, 4 or 6 characters (field A-R,
  // square 0-9, subsquare A-X; either case; surrounding blanks ignored).
  bool IsValidLocator(std::string_view text) const;
  // Bearing (degrees, 0 up to 360, from own towards loc) and distance (km)
  // between the centres of two locators; false, with both 0, when either is
  // invalid. Equal squares give 0 and 0.
  bool Qrb(std::string_view own, std::string_view loc, double& bearing, double& distance) const;
  // Centre of the locator's square in degrees (north and east positive);
  // false when the locator is invalid.
  bool LocatorToLatLon(std::string_view loc, double& lat, double& lon) const;
  // Locator of 2, 4 or 6 characters (the subsquare in lower case) for a
  // position; longitudes are wrapped, latitudes clamped. A position that is
  // not a number (NaN, infinite) has no locator: the result is empty.
  std::string LatLonToLocator(double lat, double lon, int length = 6) const;
};

extern TLocator ToLocator;
