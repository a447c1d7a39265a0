// mkprefix <cty.csv> <program directory/>
// Fills the prefix tables ZQPREFIX, ZQPREFEE and ZQPREFES of a program
// directory from a country file in the shared cty.csv form.
#include <cstdio>
#include <string>

#include "base/kxstrings.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "prefixtables.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mkprefix <cty.csv> <program directory/>\n");
    return 2;
  }
  ProgramDirectory = ToStrings.AddBackSlash(Utf8ToAnsi(argv[2]));
  TPrefixTablesMade made;
  const bool ok = MakePrefixTables(Utf8ToAnsi(argv[1]), made);
  for (const std::string& w : made.Warnings) std::fprintf(stderr, "mkprefix: %s\n", AnsiToUtf8(w).c_str());
  if (!ok) {
    std::fprintf(stderr, "mkprefix: %s\n", AnsiToUtf8(made.Error).c_str());
    return 1;
  }
  std::printf("mkprefix: %zu entities, %zu prefixes, %zu whole callsigns (%d listed twice)\n",
              made.Entities, made.Prefixes, made.Calls, made.DuplicateCalls);
  return 0;
}
