#include "hamradio/locator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "hamradio/textkey.h"

TLocator ToLocator;

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// Index of a character in the range first..last of either case, or -1.
int LetterIndex(char c, char first, char last) {
  const char up = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return (up >= first && up <= last) ? up - first : -1;
}

int DigitIndex(char c) { return (c >= '0' && c <= '9') ? c - '0' : -1; }

// The six grid indices of a trimmed locator (missing pairs -1); false when
// the text is no locator.
bool Decode(std::string_view loc, int idx[6]) {
  if (loc.size() != 2 && loc.size() != 4 && loc.size() != 6) return false;
  std::fill(idx, idx + 6, -1);
  for (size_t i = 0; i < loc.size(); ++i) {
    if (i < 2) idx[i] = LetterIndex(loc[i], 'A', 'R');
    else if (i < 4) idx[i] = DigitIndex(loc[i]);
    else idx[i] = LetterIndex(loc[i], 'A', 'X');
    if (idx[i] < 0) return false;
  }
  return true;
}

}  // namespace

bool TLocator::IsValidLocator(std::string_view text) const {
  int idx[6];
  return Decode(ToStrings.Trim(text), idx);
}

bool TLocator::LocatorToLatLon(std::string_view loc, double& lat, double& lon) const {
  int idx[6];
  if (!Decode(ToStrings.Trim(loc), idx)) return false;
  lon = -180.0 + idx[0] * 20.0;
  lat = -90.0 + idx[1] * 10.0;
  if (idx[2] < 0) {
    lon += 10.0;
    lat += 5.0;
  } else {
    lon += idx[2] * 2.0;
    lat += idx[3] * 1.0;
    if (idx[4] < 0) {
      lon += 1.0;
      lat += 0.5;
    } else {
      lon += (idx[4] + 0.5) * (2.0 / 24.0);
      lat += (idx[5] + 0.5) * (1.0 / 24.0);
    }
  }
  return true;
}

std::string TLocator::LatLonToLocator(double lat, double lon, int length) const {
  if (!std::isfinite(lat) || !std::isfinite(lon)) return {};
  lon = std::fmod(lon + 180.0, 360.0);
  if (lon < 0) lon += 360.0;
  lat = std::clamp(lat + 90.0, 0.0, 180.0 - 1e-9);
  std::string out;
  out += static_cast<char>('A' + static_cast<int>(lon / 20.0));
  out += static_cast<char>('A' + static_cast<int>(lat / 10.0));
  if (length >= 4) {
    lon = std::fmod(lon, 20.0);
    lat = std::fmod(lat, 10.0);
    out += static_cast<char>('0' + static_cast<int>(lon / 2.0));
    out += static_cast<char>('0' + static_cast<int>(lat));
    if (length >= 6) {
      lon = std::fmod(lon, 2.0);
      lat = std::fmod(lat, 1.0);
      out += static_cast<char>('a' + std::min(23, static_cast<int>(lon * 12.0)));
      out += static_cast<char>('a' + std::min(23, static_cast<int>(lat * 24.0)));
    }
  }
  return out;
}

bool TLocator::Qrb(std::string_view own, std::string_view loc, double& bearing,
                   double& distance) const {
  bearing = 0;
  distance = 0;
  double lat1, lon1, lat2, lon2;
  if (!LocatorToLatLon(own, lat1, lon1) || !LocatorToLatLon(loc, lat2, lon2)) return false;
  const double p1 = lat1 * kRad, p2 = lat2 * kRad, dl = (lon2 - lon1) * kRad;
  // Haversine: stays exact for neighbouring squares, where the cosine form
  // loses its digits.
  const double h = std::sin((p2 - p1) / 2) * std::sin((p2 - p1) / 2) +
                   std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
  const double arc = 2 * std::atan2(std::sqrt(h), std::sqrt(std::max(0.0, 1 - h)));
  distance = arc / kRad * kKmPerDegree;
  if (distance > 0) {
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    bearing = std::fmod(std::atan2(y, x) / kRad + 360.0, 360.0);
  }
  return true;
}
