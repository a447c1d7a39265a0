// libFuzzer target: the country-file reader of the prefix tool and the
// records it builds for the prefix tables.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "prefix/ctyimport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> errors;
  const std::vector<TCtyEntity> entities =
      ParseCtyCsv(std::string_view(reinterpret_cast<const char*>(data), size), errors);
  (void)BuildPrefixRecords(entities);
  return 0;
}
