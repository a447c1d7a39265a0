#pragma once
// Damages a table file as a few bad bytes on a disk would, where only the
// full check of the file can see it: inside the first index page that
// holds the key bytes, the key's last byte is lowered by one. The index
// then holds an entry that matches no record, and misses the entry of the
// record it belonged to; the pages themselves stay well-formed. The file
// must not be open. False when no index page holds the key.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths.h"

inline bool DamageIndexEntry(const std::string& fileName, std::string_view key) {
  const std::string name = NativeFileName(fileName);
  std::vector<char> bytes;
  {
    std::ifstream in(name, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (bytes.size() < 100 || key.empty()) return false;
  size_t pageSize = (static_cast<uint8_t>(bytes[16]) << 8) | static_cast<uint8_t>(bytes[17]);
  if (pageSize == 1) pageSize = 65536;
  if (pageSize < 512) return false;
  constexpr char kIndexLeaf = 0x0A;
  for (size_t page = 0; page + pageSize <= bytes.size(); page += pageSize) {
    const size_t header = page == 0 ? 100 : page;
    if (bytes[header] != kIndexLeaf) continue;
    const std::string_view content(bytes.data() + page, pageSize);
    const size_t at = content.find(key);
    if (at == std::string_view::npos) continue;
    --bytes[page + at + key.size() - 1];
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  }
  return false;
}
