#pragma once
// The distinct texts among many (the countries or locator squares of a
// log's QSOs), counted as they come: a text seen before costs a hash and
// no string.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

class TDistinctTexts {
 public:
  void Add(std::string_view text) {
    if (texts_.find(text) == texts_.end()) texts_.emplace(text);
  }
  size_t Count() const { return texts_.size(); }

 private:
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_set<std::string, THash, std::equal_to<>> texts_;
};
