#pragma once
// Typed access to fields of records kept as byte arrays, laid out exactly as
// stored in the table files: little-endian integers and floats, short strings
// as a length byte followed by their capacity in characters, booleans written
// 0 or 255 and read as non-zero. A stored length byte larger than the field's
// capacity is clamped, so a damaged record never reads past its field.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace rec {

inline uint8_t GetByte(const uint8_t* r, size_t off) { return r[off]; }
inline void SetByte(uint8_t* r, size_t off, uint8_t v) { r[off] = v; }

inline char GetChar(const uint8_t* r, size_t off) { return static_cast<char>(r[off]); }
inline void SetChar(uint8_t* r, size_t off, char v) { r[off] = static_cast<uint8_t>(v); }

inline bool GetBool(const uint8_t* r, size_t off) { return r[off] != 0; }
inline void SetBool(uint8_t* r, size_t off, bool v) { r[off] = v ? 255 : 0; }

inline int16_t GetInt16(const uint8_t* r, size_t off) {
  return static_cast<int16_t>(r[off] | (r[off + 1] << 8));
}
inline void SetInt16(uint8_t* r, size_t off, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  r[off] = static_cast<uint8_t>(u);
  r[off + 1] = static_cast<uint8_t>(u >> 8);
}
inline uint16_t GetUInt16(const uint8_t* r, size_t off) {
  return static_cast<uint16_t>(r[off] | (r[off + 1] << 8));
}
inline void SetUInt16(uint8_t* r, size_t off, uint16_t v) { SetInt16(r, off, static_cast<int16_t>(v)); }

inline int32_t GetInt32(const uint8_t* r, size_t off) {
  const uint32_t u = static_cast<uint32_t>(r[off]) | (static_cast<uint32_t>(r[off + 1]) << 8) |
                     (static_cast<uint32_t>(r[off + 2]) << 16) |
                     (static_cast<uint32_t>(r[off + 3]) << 24);
  return static_cast<int32_t>(u);
}
inline void SetInt32(uint8_t* r, size_t off, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) r[off + i] = static_cast<uint8_t>(u >> (8 * i));
}

inline int64_t GetInt64(const uint8_t* r, size_t off) {
  uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | r[off + static_cast<size_t>(i)];
  return static_cast<int64_t>(u);
}
inline void SetInt64(uint8_t* r, size_t off, int64_t v) {
  const auto u = static_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i) r[off + static_cast<size_t>(i)] = static_cast<uint8_t>(u >> (8 * i));
}

inline float GetFloat(const uint8_t* r, size_t off) {
  const uint32_t u = static_cast<uint32_t>(GetInt32(r, off));
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}
inline void SetFloat(uint8_t* r, size_t off, float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  SetInt32(r, off, static_cast<int32_t>(u));
}

// string[cap]: one length byte at off, then cap characters. The view lives
// as long as the record's bytes; lines built from many fields read them so.
inline std::string_view GetStrView(const uint8_t* r, size_t off, size_t cap) {
  size_t n = r[off];
  if (n > cap) n = cap;
  return std::string_view(reinterpret_cast<const char*>(r + off + 1), n);
}
inline std::string GetStr(const uint8_t* r, size_t off, size_t cap) { return std::string(GetStrView(r, off, cap)); }
// Writes the text cut to cap characters; the unused rest of the field is zeroed.
inline void SetStr(uint8_t* r, size_t off, size_t cap, std::string_view s) {
  const size_t n = s.size() < cap ? s.size() : cap;
  r[off] = static_cast<uint8_t>(n);
  if (n != 0) std::memcpy(r + off + 1, s.data(), n);  // an empty view may have no data
  std::memset(r + off + 1 + n, 0, cap - n);
}

}  // namespace rec
