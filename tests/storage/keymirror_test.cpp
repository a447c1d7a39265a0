// The in-memory index against a plain ordered set, across many block splits
// and merges.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "storage/keymirror.h"

namespace {

TEST(KeyMirror, AgreesWithAnOrderedSetThroughInsertsAndErases) {
  std::mt19937 rng(7);
  TKeyMirror m;
  m.Reset(4);
  std::set<std::pair<std::string, int32_t>> ref;
  auto randomKey = [&] {
    std::string k(rng() % 5, '\0');  // 0..4 bytes, byte values over the whole range
    for (char& c : k) c = static_cast<char>(rng() % 4 == 0 ? 0xFF : rng() % 256);
    return k;
  };
  int32_t next = 1;
  for (int i = 0; i < 600; ++i) {  // as loaded from the file: many equal keys
    m.Append(std::string(), next);
    ref.emplace(std::string(), next++);
  }
  for (int step = 0; step < 6000; ++step) {
    if (rng() % 3 != 0 || ref.empty()) {
      const std::string k = randomKey();
      m.Insert(k, next);
      ref.emplace(k, next++);
    } else {
      auto it = ref.begin();
      std::advance(it, rng() % ref.size());
      ASSERT_TRUE(m.Erase(it->first, it->second));
      ref.erase(it);
    }
  }
  EXPECT_FALSE(m.Erase("none", 1));
  ASSERT_EQ(m.Count(), ref.size());
  size_t i = 0;
  for (const auto& [k, r] : ref) {
    ASSERT_EQ(m.KeyAt(i), k) << i;
    ASSERT_EQ(m.RefAt(i), r) << i;
    ASSERT_EQ(m.Lower(k, r), i);
    ASSERT_EQ(m.Lower(k, static_cast<int64_t>(r) + 1), i + 1);
    ++i;
  }
  EXPECT_EQ(m.Lower(std::string(5, '\xFF'), 0), m.Count());
  EXPECT_EQ(m.Lower(std::string(), -1), 0u);
}

TEST(KeyMirror, KeysAreCutToTheKeyLength) {
  TKeyMirror m;
  m.Reset(3);
  m.Insert("ABCDEF", 1);
  m.Insert("ABC", 2);
  ASSERT_EQ(m.Count(), 2u);
  EXPECT_EQ(m.KeyAt(0), "ABC");
  EXPECT_EQ(m.RefAt(1), 2);
  EXPECT_TRUE(m.Erase("ABCXYZ", 1));
  EXPECT_EQ(m.Count(), 1u);
}

}  // namespace
