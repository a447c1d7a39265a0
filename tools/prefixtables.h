#pragma once
// The prefix tables of the program directory (ZQPREFIX, ZQPREFEE,
// ZQPREFES) made from a country file in the shared cty.csv form: the job of
// mkprefix, and of the benchmarks that run the program on its own data.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/textfile.h"
#include "prefix/ctyimport.h"

struct TPrefixTablesMade {
  size_t Entities = 0, Prefixes = 0, Calls = 0;
  int DuplicateCalls = 0;
  std::vector<std::string> Warnings;  // lines of the file that were left out
  std::string Error;                  // why nothing was made
};

inline bool MakePrefixTables(const std::string& ctyFile, TPrefixTablesMade& made) {
  std::string bytes;
  if (!ReadFileBytes(ctyFile, bytes)) {
    made.Error = ctyFile + " cannot be read";
    return false;
  }
  const std::vector<TCtyEntity> entities = ParseCtyCsv(DecodeTextBytes(bytes), made.Warnings);
  if (entities.empty()) {
    made.Error = "no entities in " + ctyFile;
    return false;
  }
  const TCtyRecords records = BuildPrefixRecords(entities);
  made.Entities = entities.size();
  made.Prefixes = records.Main.size();
  made.Calls = records.Exceptions.size();
  made.DuplicateCalls = records.DuplicateCalls;
  return WritePrefixTables(records, made.Error);
}

// The country file of the Debian package hamradio-files.
inline constexpr const char* kSystemCtyFile = "/usr/share/hamradio-files/cty.csv";
