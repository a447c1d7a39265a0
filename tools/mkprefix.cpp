// mkprefix <cty.csv> <program directory/>
// Fills the prefix tables ZQPREFIX, ZQPREFEE and ZQPREFES of a program
// directory from a country file in the shared cty.csv form.
#include <cstdio>
#include <string>
#include <vector>

#include "database/kxstrings.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mkprefix <cty.csv> <program directory/>\n");
    return 2;
  }
  const std::string source = Utf8ToAnsi(argv[1]);
  std::string bytes;
  if (!ReadFileBytes(source, bytes)) {
    std::fprintf(stderr, "mkprefix: %s cannot be read\n", argv[1]);
    return 1;
  }
  ProgramDirectory = ToStrings.AddBackSlash(Utf8ToAnsi(argv[2]));

  std::vector<std::string> errors;
  const std::vector<TCtyEntity> entities = ParseCtyCsv(DecodeTextBytes(bytes), errors);
  for (const std::string& e : errors) std::fprintf(stderr, "mkprefix: %s\n", AnsiToUtf8(e).c_str());
  if (entities.empty()) {
    std::fprintf(stderr, "mkprefix: no entities in %s\n", argv[1]);
    return 1;
  }
  const TCtyRecords records = BuildPrefixRecords(entities);
  std::string error;
  if (!WritePrefixTables(records, error)) {
    std::fprintf(stderr, "mkprefix: %s\n", AnsiToUtf8(error).c_str());
    return 1;
  }
  std::printf("mkprefix: %zu entities, %zu prefixes, %zu whole callsigns (%d listed twice)\n",
              entities.size(), records.Main.size(), records.Exceptions.size(),
              records.DuplicateCalls);
  return 0;
}
