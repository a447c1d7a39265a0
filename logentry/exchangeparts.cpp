#include "logentry/exchangeparts.h"

#include <algorithm>

TExchangeParts SplitExchangeParts(std::string_view text, size_t capacity) {
  TExchangeParts p;
  std::string_view rest = text.size() > 3 ? text.substr(3) : std::string_view();
  std::string_view part3, part4;
  const size_t slash = rest.find('/');
  if (slash != std::string_view::npos) {
    part3 = rest.substr(slash + 1);
    rest = rest.substr(0, slash);
    const size_t slash2 = part3.find('/');
    if (slash2 != std::string_view::npos) {
      part4 = part3.substr(slash2 + 1);
      part3 = part3.substr(0, slash2);
    }
  }
  p.Part1 = std::string(text.substr(0, std::min<size_t>(3, capacity)));
  p.Part2 = std::string(rest.substr(0, capacity));
  p.Part3 = std::string(part3.substr(0, capacity));
  p.Part4 = std::string(part4.substr(0, capacity));
  return p;
}

std::string JoinExchangeParts(const TExchangeParts& parts) {
  std::string text = parts.Part1.substr(0, 3);
  text.resize(3, ' ');
  text += parts.Part2;
  if (!parts.Part3.empty() || !parts.Part4.empty()) text += "/" + parts.Part3;
  if (!parts.Part4.empty()) text += "/" + parts.Part4;
  return text;
}
