#include "platform/textfile.h"

#include <fstream>
#include <iterator>

#include "platform/codec.h"
#include "platform/paths.h"

std::string DecodeTextBytes(std::string_view bytes) {
  // Editors put the UTF-8 mark in front of files they then save in another
  // encoding; the mark is dropped and the rest judged on its own bytes.
  if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF)
    bytes.remove_prefix(3);
  if (IsValidUtf8(bytes)) return Utf8ToAnsi(bytes);
  return std::string(bytes);
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  std::ifstream in(NativeFileName(fileName), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool ReadTextFile(const std::string& fileName, std::vector<std::string>& lines) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return false;
  lines = SplitTextLines(DecodeTextBytes(bytes));
  return true;
}

bool WriteTextFile(const std::string& fileName, const std::vector<std::string>& lines) {
  std::ofstream out(NativeFileName(fileName), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const auto& l : lines) {
    out.write(l.data(), static_cast<std::streamsize>(l.size()));
    out.write("\r\n", 2);
  }
  out.close();
  return !out.fail();
}
