#pragma once
// The contest definitions: the rules of every contest as code that fills a
// TContestRec for a contest letter. Display-free: everything the rules depend
// on comes in as arguments (the log's contest-list record, the own-station
// settings, the time zone, today, a file reader) and everything they want to
// say goes out as warnings for the caller to show.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "database/setuprecords.h"

// This program edition: its own contest and how it presents itself.
namespace Edition {
constexpr char Letter = '4';
constexpr const char* Name = "Ostrelon";
constexpr const char* Title = "Ostrelon Version 2015-2.0";
constexpr const char* VersionLine = "Tavrin Ostrelon Version 2015-2.0  BRZ-Party";
constexpr const char* TitleBitmap = "titel_ostrelon";
// Completes the title line of every description after the title.
constexpr const char* Notice = "  Contest-Log für Funkamateure";
}  // namespace Edition

// Reads the text files some contests take sent-exchange defaults from
// (the station files of the logs, in the program directory).
class TContestFileReader {
 public:
  virtual ~TContestFileReader() = default;
  // The file's lines as program text; false when it is missing or unreadable.
  virtual bool ReadLines(const std::string& fileName, std::vector<std::string>& lines) = 0;
};

// What the rules read besides the contest-list record.
struct TContestEnvironment {
  ToSetupStation Station{};             // the own-station settings record
  int UtcBiasMinutes = 0;               // local time + bias = UTC
  int32_t Today = 0;                    // today's local date as a day number
  TContestFileReader* Files = nullptr;  // none: every station file counts as missing
};

// Fills rec for the letter from the contest-list record (its working copy
// listRecord, which the rules mark as they go). Warnings, if any, are to be
// shown with an empty header. Returns false for a letter the definitions do
// not know; rec then holds the cleared description with only the time-zone
// hours and the default output kinds set.
bool DefineContestRules(TContestRec& rec, TContestRecord& listRecord,
                        const TContestEnvironment& env, char letter,
                        std::vector<std::string>* warnings = nullptr);

// True for the letters the definitions know.
bool IsDefinedContestLetter(char letter);

// The file name (without folder) of a log's station file for the letters
// that keep one: "OQRP" ('b'), "mssprint" ('j') or "mrr" ('v'), the log
// number right-aligned in six places, ".STN". Empty for other letters.
std::string StationFileBaseName(char letter, int32_t nummer);
