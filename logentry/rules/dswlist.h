#pragma once
// The club list "dsw.csv" as the points and the multipliers of the DSW
// contest read it: lines of ";"-separated fields, field 1 the member's call,
// field 4 the member number. The file is read again whenever its size or
// time stamp changes, so an edited list counts at once while a recount reads
// it only once.
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

struct TDswList {
  // By call (field 1 as written; the first line of a call decides): true
  // when the line holds a field 4 closed by a fourth ";" that is not empty.
  std::unordered_map<std::string, bool> ClosedNumberByCall;
  // Every field 4 (trimmed, also the last field of a line), empty ones left out.
  std::unordered_set<std::string> Numbers;
};

// The list of the file; an empty list when the file is missing.
const TDswList& DswList(const std::string& fileName);
