// libFuzzer target: the ADIF reader of the import and the field values the
// import takes from what it read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logentry/adif/adifimport.h"
#include "platform/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text =
      DecodeTextBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  const TAdifFile file = ParseAdifText(text);
  static const std::vector<std::string> mapping = {"CALL", "QSO_DATE", "TIME_ON (TIME_OFF)",
                                                   "FREQ", "SRX (SRX_STRING)"};
  for (const TAdifRecord& r : file.Records)
    for (const char* field : {"CALL", "QSO_DATE", "TIME_ON", "FREQ", "MODE", "SRX", "BAND"})
      (void)GetFieldValue(r, mapping, field, "599");
  return 0;
}
