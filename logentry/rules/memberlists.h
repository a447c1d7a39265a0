#pragma once
// TMemberLists: the club member lists of one log window. Two in-memory lists
// (list 1 and list 2), each filled from the one file named when the list is
// first used, read from the contest-files folder of the settings and never
// written back. The save adds partners who are not listed yet in memory only,
// so the next QSO with them finds their number while the window stays open.
//
// Lines are ";"-separated fields; field 1 is the member's home call (but for
// "naval.csv", whose field 1 is the member number and field 2 the call).
// Lookups go through hash maps keyed by the trimmed field, first line wins,
// so a search costs the same on a list of 20,000 members as on one of ten.
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TMemberLists {
 public:
  // The lists are read from folder (ending in "/"); an empty folder means the
  // contest-files folder of the settings, or the program directory when that
  // is unset, asked at the moment a list is first loaded.
  explicit TMemberLists(std::string folder = {});

  // Creates list (1 or 2) when it does not exist yet and, when the file
  // exists, loads its lines. True only when this call loaded a file. A list
  // that exists already, also an empty one from a missing file, stays as it is.
  bool LoadMemberList(const std::string& fileName, int list);

  // Index of the first line of list whose field 1 (trimmed) is the home call
  // of callsign, compared exactly; -1 when none. Loads the list first.
  int FindMemberLine(const std::string& fileName, std::string_view callsign, int list);

  // Index of the first line of list whose field 2 (trimmed) is the home call
  // of callsign; -1 when none. Loads the list first. Serves "naval.csv".
  int FindMemberLineByField2(const std::string& fileName, std::string_view callsign, int list);

  // Field 1 to 5 of a line, trimmed (numbers above 5 give field 5); empty
  // for a line or list that does not exist.
  std::string MemberField(int field, int line, int list) const;

  // Appends "home call" + (field - 1) times ";" + value to list in memory
  // when the partner is not listed there yet. Nothing is written to disk.
  void AddMissingMember(const std::string& value, const std::string& fileName, int list, int field,
                        std::string_view callsign);

  // True when the line was added in memory by AddMissingMember.
  bool IsAddedLine(int line, int list) const;

  // Number of lines of a list (0 while it does not exist).
  int LineCount(int list) const;

  // Splits a member line into its fields: the text before the first ";",
  // between the first and the second, and so on; not trimmed.
  static std::vector<std::string_view> SplitFields(std::string_view line);

 private:
  struct TList {
    bool exists = false;
    std::vector<std::string> lines;
    size_t loadedLines = 0;  // lines read from the file; the rest were added
    std::unordered_map<std::string, int> byField1;
    std::unordered_map<std::string, int> byField2;  // built on first use
    bool field2Indexed = false;
  };

  TList* ListOf(int list);
  const TList* ListOf(int list) const;
  void Append(TList& l, std::string line);
  std::string Folder() const;

  std::string folder_;
  std::array<TList, 2> lists_;
};
