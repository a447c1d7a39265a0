#include "logentry/rules/dswlist.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "base/kxstrings.h"
#include "logentry/rules/memberlists.h"
#include "platform/paths.h"
#include "platform/textfile.h"

namespace {

TDswList ParseDswList(const std::vector<std::string>& lines) {
  TDswList list;
  for (const std::string& line : lines) {
    const std::vector<std::string_view> fields = TMemberLists::SplitFields(line);
    if (fields.size() < 2) continue;  // no ";": not a member line
    // Five pieces: the fourth field is closed by a fourth ";".
    list.ClosedNumberByCall.try_emplace(std::string(fields[0]), fields.size() >= 5 && !fields[3].empty());
    if (fields.size() >= 4) {
      std::string number = ToStrings.Trim(fields[3]);
      if (!number.empty()) list.Numbers.insert(std::move(number));
    }
  }
  return list;
}

}  // namespace

const TDswList& DswList(const std::string& fileName) {
  struct TCache {
    std::string Name;
    bool Present = false;
    std::uintmax_t Size = 0;
    std::filesystem::file_time_type Time{};
    TDswList List;
  };
  static TCache cache;
  std::error_code ec;
  const std::filesystem::path path(NativeFileName(fileName));
  const auto time = std::filesystem::last_write_time(path, ec);
  const bool present = !ec;
  const std::uintmax_t size = present ? std::filesystem::file_size(path, ec) : 0;
  if (cache.Name == fileName && cache.Present == present && cache.Size == size && cache.Time == time)
    return cache.List;
  std::vector<std::string> lines;
  if (!present || !ReadTextFile(fileName, lines)) lines.clear();
  cache = TCache{fileName, present, size, present ? time : std::filesystem::file_time_type{},
                 ParseDswList(lines)};
  return cache.List;
}
