// libFuzzer target: a club member list read from a file, then searched and
// its fields taken as the log window does.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "logentry/rules/memberlists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = "/tmp/memberlists_fuzz." + std::to_string(getpid()) + "/";
  static const bool made = [] {
    std::filesystem::create_directories(folder);
    return true;
  }();
  (void)made;
  {
    std::ofstream out(folder + "liste.csv", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TMemberLists lists(folder);
  for (const char* call : {"DL1ABC", "DL1ABC/P", "", "1", ";", "OE/DL1ABC/M"}) {
    const int line = lists.FindMemberLine("liste.csv", call, 1);
    for (int field = 0; field <= 6; ++field) (void)lists.MemberField(field, line, 1);
    const int line2 = lists.FindMemberLineByField2("liste.csv", call, 2);
    (void)lists.MemberField(2, line2, 2);
    lists.AddMissingMember("X;Y", "liste.csv", 1, 3, call);
  }
  for (int i = -1; i <= lists.LineCount(1); ++i) (void)lists.MemberField(1, i, 1);
  return 0;
}
