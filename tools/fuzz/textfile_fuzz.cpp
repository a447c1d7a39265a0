// libFuzzer target: the decoding and line splitting of every text file the
// program reads (member lists, station files, notes, ADIF, cty.csv).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = DecodeTextBytes(bytes);
  // Decoding never makes text longer than its bytes (one byte a character).
  if (text.size() > bytes.size()) __builtin_trap();
  size_t total = 0;
  for (const std::string& line : SplitTextLines(text)) total += line.size();
  if (total > text.size()) __builtin_trap();
  return 0;
}
