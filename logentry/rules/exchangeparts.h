#pragma once
// An exchange text is held as one string: the RST in characters 1 to 3 and
// up to three further values separated by "/". The entry fields, the save,
// the autofill and the QSO edit dialog show and change it part by part.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "contest/ContestRec.h"

struct TExchangeParts {
  std::string Part1;  // the RST
  std::string Part2;
  std::string Part3;
  std::string Part4;
};

// Cuts an exchange text into its four parts; a part longer than capacity is cut.
TExchangeParts SplitExchangeParts(std::string_view text, size_t capacity = 255);
// The same four parts (uncut) as views into the text.
struct TExchangePartViews {
  std::string_view Part1, Part2, Part3, Part4;
};
TExchangePartViews SplitExchangePartViews(std::string_view text);

// Joins four parts into one exchange text: the RST brought to exactly three
// characters, then part 2, and "/" before part 3 and part 4 where needed.
std::string JoinExchangeParts(std::string_view part1, std::string_view part2, std::string_view part3,
                              std::string_view part4);
inline std::string JoinExchangeParts(const TExchangeParts& p) {
  return JoinExchangeParts(p.Part1, p.Part2, p.Part3, p.Part4);
}

// True for the kinds, by their number, whose one- and two-digit values the
// save writes as three digits with leading zeros (IsNumberKind).
inline bool IsPaddedNumberKind(int32_t kind) { return IsNumberKind(static_cast<ExchangeKind>(kind)); }
// The value of such a field as stored: "7" -> "007", "42" -> "042"; every
// other value (empty, three digits and more, not all digits) stays as it is.
std::string PadExchangeNumber(std::string_view value);
