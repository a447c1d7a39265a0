#include "logentry/rules/exchangeparts.h"

namespace {

std::string Cut(std::string_view s, size_t capacity) {
  return std::string(s.substr(0, capacity));
}

}  // namespace

TExchangeParts SplitExchangeParts(std::string_view text, size_t capacity) {
  const TExchangePartViews v = SplitExchangePartViews(text);
  TExchangeParts p;
  p.Part1 = Cut(v.Part1, capacity);
  p.Part2 = Cut(v.Part2, capacity);
  p.Part3 = Cut(v.Part3, capacity);
  p.Part4 = Cut(v.Part4, capacity);
  return p;
}

TExchangePartViews SplitExchangePartViews(std::string_view text) {
  std::string_view rest = text.size() > 3 ? text.substr(3) : std::string_view();
  std::string_view part3;
  std::string_view part4;
  if (const size_t slash = rest.find('/'); slash != std::string_view::npos) {
    part3 = rest.substr(slash + 1);
    rest = rest.substr(0, slash);
    if (const size_t slash2 = part3.find('/'); slash2 != std::string_view::npos) {
      part4 = part3.substr(slash2 + 1);
      part3 = part3.substr(0, slash2);
    }
  }
  return {text.substr(0, 3), rest, part3, part4};
}

std::string JoinExchangeParts(std::string_view part1, std::string_view part2, std::string_view part3,
                              std::string_view part4) {
  std::string text(part1.substr(0, 3));
  text.resize(3, ' ');
  text += part2;
  if (!part3.empty() || !part4.empty()) {
    text += '/';
    text += part3;
  }
  if (!part4.empty()) {
    text += '/';
    text += part4;
  }
  return text;
}

std::string PadExchangeNumber(std::string_view value) {
  if (value.empty() || value.size() > 2) return std::string(value);
  for (char c : value)
    if (c < '0' || c > '9') return std::string(value);
  return std::string(3 - value.size(), '0') + std::string(value);
}
