#pragma once
// An exchange text cut into its four parts: the RST in characters 1 to 3 and
// up to three values separated by "/", and the parts joined again.
#include <string>
#include <string_view>

struct TExchangeParts {
  std::string Part1, Part2, Part3, Part4;
};

// Part 1 := characters 1 to 3; the rest is cut at its first "/" into part 2
// and the remainder, which is cut again at its first "/" into parts 3 and 4
// (a third "/" stays inside part 4). Each part keeps at most capacity characters.
TExchangeParts SplitExchangeParts(std::string_view text, size_t capacity = 255);

// Part 1 cut or blank-padded to 3 characters, part 2, then "/" + part 3 when
// part 3 or part 4 is given and "/" + part 4 when part 4 is given.
std::string JoinExchangeParts(const TExchangeParts& parts);
