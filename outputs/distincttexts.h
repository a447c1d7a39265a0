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
    // Neighbouring QSOs often share theirs: the last one is asked first.
    if (last_ && *last_ == text) return;
    auto it = texts_.find(text);
    if (it == texts_.end()) it = texts_.emplace(text).first;
    last_ = &*it;
  }
  size_t Count() const { return texts_.size(); }

 private:
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_set<std::string, THash, std::equal_to<>> texts_;
  const std::string* last_ = nullptr;  // elements stay where they are while the set grows
};
