// The in-memory index against a plain ordered set, across many block splits
// and merges.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "storage/keymirror.h"

namespace {

// Key lengths within one compared word, across a word boundary and over two.
class KeyMirrorLengths : public ::testing::TestWithParam<int> {};

TEST_P(KeyMirrorLengths, AgreesWithAnOrderedSetThroughInsertsAndErases) {
  const int keyLength = GetParam();
  std::mt19937 rng(7);
  TKeyMirror m;
  m.Reset(keyLength);
  std::set<std::pair<std::string, int32_t>> ref;
  // 0..keyLength bytes over the whole byte range, zero bytes often, so that
  // keys differing only in trailing zeros meet.
  auto randomKey = [&] {
    std::string k(rng() % static_cast<unsigned>(keyLength + 1), '\0');
    for (char& c : k) {
      const unsigned r = rng() % 8;
      c = r == 0 ? '\xFF' : r == 1 ? '\0' : static_cast<char>(rng() % 256);
    }
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
    std::string_view ek;
    int32_t er = 0;
    m.EntryAt(i, ek, er);
    ASSERT_EQ(ek, k);
    ASSERT_EQ(er, r);
    ASSERT_EQ(m.Lower(k, r), i);
    ASSERT_EQ(m.Lower(k, static_cast<int64_t>(r) + 1), i + 1);
    ++i;
  }
  // Search texts longer than the key: behind every entry they begin with.
  for (int probe = 0; probe < 300; ++probe) {
    std::string k = randomKey();
    k.resize(static_cast<size_t>(keyLength) + 1 + rng() % 9, static_cast<char>(rng() % 2));
    const auto expected = std::distance(ref.begin(), ref.lower_bound({k, 0}));
    ASSERT_EQ(m.Lower(k, 0), static_cast<size_t>(expected));
  }
  EXPECT_EQ(m.Lower(std::string(static_cast<size_t>(keyLength) + 1, '\xFF'), 0), m.Count());
  EXPECT_EQ(m.Lower(std::string(), -1), 0u);
}

INSTANTIATE_TEST_SUITE_P(KeyMirror, KeyMirrorLengths, ::testing::Values(4, 8, 13, 17));

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
  // An empty key (a record whose key field is blank) sorts first.
  m.Insert(std::string_view(), 3);
  ASSERT_EQ(m.Count(), 2u);
  EXPECT_EQ(m.KeyAt(0), "");
  EXPECT_EQ(m.RefAt(0), 3);
  EXPECT_TRUE(m.Erase(std::string_view(), 3));
}

TEST(KeyMirror, ARepeatedSearchSeesTheChangesInBetween) {
  TKeyMirror m;
  m.Reset(6);
  m.Insert("DL", 1);
  m.Insert("OE", 2);
  ASSERT_EQ(m.Lower("K", 0), 1u);
  m.Insert("F", 3);
  EXPECT_EQ(m.Lower("K", 0), 2u);
  ASSERT_TRUE(m.Erase("DL", 1));
  EXPECT_EQ(m.Lower("K", 0), 1u);
  EXPECT_EQ(m.Lower("K", 3), 1u);  // another reference is another search
  m.Clear();
  m.Append("A", 1);
  m.Append("Z", 2);
  EXPECT_EQ(m.Lower("K", 0), 1u);
  m.Append("ZZ", 3);
  EXPECT_EQ(m.Lower("ZZZ", 0), 3u);
}

}  // namespace
