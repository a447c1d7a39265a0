#include "logentry/rules/bandplan.h"

namespace {

struct TRange {
  long double Low;
  long double High;
};

// The bounds are compared at extended precision with the single-precision
// frequency, so a value typed at a bound counts by what the field holds.
bool Inside(float f, const TRange& r) {
  const long double v = f;
  return v >= r.Low && v <= r.High;
}

template <size_t N>
bool InsideAny(float f, const TRange (&ranges)[N]) {
  for (const TRange& r : ranges)
    if (Inside(f, r)) return true;
  return false;
}

// Letter 'W': segments kept free of the mode, whatever the band.
constexpr TRange kExcludedCw[] = {{3.56L, 3.8L}, {7.04L, 7.2L}, {14.06L, 14.35L}};
constexpr TRange kExcludedSsb[] = {{3.65L, 3.7L},     {7.04L, 7.14L},    {14.1L, 14.125L},
                                   {14.28L, 14.35L},  {21.35L, 21.45L},  {28.225L, 28.4L}};

// Other letters: where the mode belongs on the checked bands.
constexpr TRange kCw160[] = {{1.8099L, 1.849L}};
constexpr TRange kCw80[] = {{3.5099L, 3.56L}};
constexpr TRange kCw20[] = {{13.999L, 14.06L}};
constexpr TRange kSsb80[] = {{3.599L, 3.65L}, {3.699L, 3.8L}};
constexpr TRange kSsb20[] = {{14.1249L, 14.3L}};

}  // namespace

bool CheckBandPlan(float frequency, std::string_view mode, char band, char contestLetter) {
  const bool cw = mode == "CW";
  const bool ssb = mode == "SSB";
  if (contestLetter == 'W') {
    if (cw) return !InsideAny(frequency, kExcludedCw);
    if (ssb) return !InsideAny(frequency, kExcludedSsb);
    return true;
  }
  if (cw) {
    switch (band) {
      case 'a': return InsideAny(frequency, kCw160);
      case 'b': return InsideAny(frequency, kCw80);
      case 'e': return InsideAny(frequency, kCw20);
      default: return true;
    }
  }
  if (ssb) {
    switch (band) {
      case 'b': return InsideAny(frequency, kSsb80);
      case 'e': return InsideAny(frequency, kSsb20);
      default: return true;
    }
  }
  return true;
}
