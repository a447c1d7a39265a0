#pragma once
// TKeyStr: one index key value as it passes between the table classes, the
// browser grid and its events: a 32-bit length and up to 200 key bytes.
// Keys compare byte-wise (unsigned), shorter before longer on equal prefix.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

struct TKeyStr {
  static constexpr int kMax = 200;
  int32_t Len = 0;
  char Data[kMax] = {};

  std::string Str() const { return std::string(Data, static_cast<size_t>(Len)); }
  std::string_view View() const { return std::string_view(Data, static_cast<size_t>(Len)); }
};
static_assert(sizeof(TKeyStr) == 204, "TKeyStr is 204 bytes");

// All 204 bytes cleared, then the text (cut to 200 bytes) copied in.
inline TKeyStr MakeKeyStr(std::string_view text) {
  TKeyStr k;
  const size_t n = text.size() < TKeyStr::kMax ? text.size() : TKeyStr::kMax;
  std::memcpy(k.Data, text.data(), n);
  k.Len = static_cast<int32_t>(n);
  return k;
}

// -1, 0 or 1 by unsigned byte order of the texts.
inline int CompareKeyBytes(std::string_view a, std::string_view b) {
  const int c = a.compare(b);  // char_traits<char>::compare uses unsigned bytes
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The engine's sortable record-number form of an integer: 5 bytes, none of
// them zero, that compare byte-wise exactly as the integers compare
// (negative numbers included). 4 bits + 4 x 7 bits, each byte offset by 1.
// The same written after what out holds.
inline void AppendEncodedIntKey(std::string& out, int32_t value) {
  const uint32_t u = static_cast<uint32_t>(value) ^ 0x80000000u;
  const char s[5] = {static_cast<char>(((u >> 28) & 0x0F) + 1), static_cast<char>(((u >> 21) & 0x7F) + 1),
                     static_cast<char>(((u >> 14) & 0x7F) + 1), static_cast<char>(((u >> 7) & 0x7F) + 1),
                     static_cast<char>((u & 0x7F) + 1)};
  out.append(s, sizeof s);
}
inline std::string EncodeIntKey(int32_t value) {
  std::string s;
  AppendEncodedIntKey(s, value);
  return s;
}

// The integer of a 5-byte form made by EncodeIntKey (0 for anything else).
inline int32_t DecodeIntKey(std::string_view s) {
  if (s.size() < 5) return 0;
  auto b = [&](int i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[i]) - 1); };
  const uint32_t u = (b(0) << 28) | (b(1) << 21) | (b(2) << 14) | (b(3) << 7) | b(4);
  return static_cast<int32_t>(u ^ 0x80000000u);
}
