#include <gtest/gtest.h>

#include <vector>

#include "base/recfields.h"

TEST(RecordFields, IntegersAreLittleEndianAndSigned) {
  std::vector<uint8_t> r(16, 0);
  rec::SetInt32(r.data(), 1, -2);
  EXPECT_EQ(r[1], 0xFE);
  EXPECT_EQ(r[4], 0xFF);
  EXPECT_EQ(rec::GetInt32(r.data(), 1), -2);
  rec::SetUInt16(r.data(), 8, 0xBEEF);
  EXPECT_EQ(r[8], 0xEF);
  EXPECT_EQ(rec::GetUInt16(r.data(), 8), 0xBEEF);
  EXPECT_EQ(rec::GetInt16(r.data(), 8), static_cast<int16_t>(0xBEEF));
  rec::SetFloat(r.data(), 10, 14.025f);
  EXPECT_FLOAT_EQ(rec::GetFloat(r.data(), 10), 14.025f);
}

TEST(RecordFields, StringsAreCutZeroFilledAndClampedOnRead) {
  std::vector<uint8_t> r(10, 0xAA);
  rec::SetStr(r.data(), 0, 6, "DL1ABCDEF");
  EXPECT_EQ(r[0], 6);
  EXPECT_EQ(rec::GetStr(r.data(), 0, 6), "DL1ABC");
  rec::SetStr(r.data(), 0, 6, "Ä");
  EXPECT_EQ(rec::GetStr(r.data(), 0, 6), "Ä");
  EXPECT_EQ(r[2], 0);  // rest zeroed
  r[0] = 200;          // damaged length byte
  EXPECT_EQ(rec::GetStr(r.data(), 0, 6).size(), 6u);
  // A part of a text that does not reach the field is an empty view without
  // any buffer behind it; the field is emptied all the same.
  rec::SetStr(r.data(), 0, 6, "Ä");
  rec::SetStr(r.data(), 0, 6, std::string_view());
  EXPECT_EQ(r[0], 0);
  EXPECT_EQ(r[1], 0);
}

TEST(RecordFields, BooleansWrite255AndReadNonZero) {
  std::vector<uint8_t> r(2, 0);
  rec::SetBool(r.data(), 0, true);
  EXPECT_EQ(r[0], 255);
  r[1] = 1;
  EXPECT_TRUE(rec::GetBool(r.data(), 1));
}
