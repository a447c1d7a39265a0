#pragma once
// Checking a QSO before it is stored: plausibility of date, time and call,
// the contest's duplicate rule over the log, the DOK list and the district
// rule. Display-free: what the user must be told comes back as messages that
// the log window shows (ShowCheckMessages) in order.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

class TdbContest;
class TdbContestBase;

// Results of the byte-valued duplicate searches.
enum TDupeResult : uint8_t {
  kNoDupe = 0,
  kDupeRefused = 1,
  kDupeAcceptedSilent = 2,
  kDupeAcceptedWarned = 3,
};

// One thing the window shows after a check, in order.
struct TCheckMessage {
  enum Kind { Beep, Achtung, Hinweis };
  Kind kind = Beep;
  std::string caption, header, text;
};

struct TQsoCheckResult {
  bool Passed = false;
  // A soft rule accepted the QSO as a duplicate; DupeMark is now 255.
  bool Marked = false;
  std::vector<TCheckMessage> Messages;
};

// 0 plausible, 1 too short (or a short "D" call), 2 starts with two digits or
// three letters. Judged on the home call of the trimmed call.
int CheckCallForm(std::string_view call);

// The duplicate searches. Each searches through a second handle on the log
// of table, so the caller's table keeps its position and edit copy: the one
// search lends (a job over many QSOs lends one for all of them), else a
// handle of its own. Calls are compared by their home calls. ownRef names a
// stored QSO that is being changed: it is no duplicate of itself (0: none).
uint8_t DupeBandMode(std::string_view call, char band, TdbContestBase& table, const TContestRec& contest,
                     std::string_view mode, TdbContest* search = nullptr, int32_t ownRef = 0);
uint8_t DupeBand(std::string_view call, char band, char contestLetter, TdbContestBase& table,
                 const TContestRec& contest, TdbContest* search = nullptr, int32_t ownRef = 0);
uint8_t DupeContest(std::string_view call, const TContestRec& contest, TdbContestBase& table,
                    TdbContest* search = nullptr, int32_t ownRef = 0);
// True when no duplicate was found.
bool DupeMode(std::string_view call, std::string_view mode, TdbContestBase& table, const TContestRec& contest,
              TdbContest* search = nullptr, int32_t ownRef = 0);
bool DupeBandPeriod(std::string_view call, char band, char contestLetter, TdbContestBase& table,
                    const TContestRec& contest, int32_t zeit, TdbContest* search = nullptr, int32_t ownRef = 0);
bool DupeBandDay(std::string_view call, char band, char contestLetter, TdbContestBase& table,
                 const TContestRec& contest, int32_t datum, TdbContest* search = nullptr, int32_t ownRef = 0);

// The duplicate rules of the contest for a QSO of call worked on band in
// mode (rule 4 also by its time and date), in the order the check runs them.
// A refusing rule ends the search; a rule that accepts the duplicate warns
// only while the QSO is not marked yet (alreadyMarked), so a second check of
// the same QSO stays quiet. Every duplicate found beeps. A stored QSO being
// changed passes its reference as ownRef.
struct TDupeVerdict {
  bool Refused = false;
  bool Accepted = false;  // a duplicate let pass: the QSO is to be marked
  std::vector<TCheckMessage> Messages;
};
TDupeVerdict CheckDuplicates(const TContestRec& contest, char contestLetter, TdbContestBase& table,
                             std::string_view call, char band, std::string_view mode, int32_t zeit,
                             int32_t datum, bool alreadyMarked, TdbContest* search = nullptr,
                             int32_t ownRef = 0);

// The check of the QSO in table's edit copy (the log window's QSO table),
// worked on currentBand in currentMode, in the log of contestLetter. May set
// DupeMark 255 in the edit copy. search: see the duplicate searches.
TQsoCheckResult CheckQso(const TContestRec& contest, char contestLetter, TdbContestBase& table,
                         char currentBand, std::string_view currentMode, TdbContest* search = nullptr);

// Shows the messages of a check: beeps and ToMessages dialogs.
void ShowCheckMessages(const TQsoCheckResult& result);
