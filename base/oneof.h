#pragma once
// OneOf: whether a value equals one element of a short list, written where
// the rule names its values (OneOf(band, {'a', 'b', 'c'}), OneOf(call, kList)).
#include <initializer_list>

template <typename T, typename U>
constexpr bool OneOf(const T& value, std::initializer_list<U> list) {
  for (const U& element : list)
    if (value == element) return true;
  return false;
}

template <typename T, typename List>
constexpr bool OneOf(const T& value, const List& list) {
  for (const auto& element : list)
    if (value == element) return true;
  return false;
}
