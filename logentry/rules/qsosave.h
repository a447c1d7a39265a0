#pragma once
// Storing a checked QSO: the add to the QSO log (one second later when that
// moment is taken already), its points, the exchange numbers written with
// three digits, and the call book entry of the station. The QSO is stored
// in one transaction: whole or not at all.
#include <cstdint>
#include <string>
#include <string_view>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

class TdbContestBase;
class TDokAreaCheck;

// The numbers the log window prepared for the next QSO.
struct TNextNumbers {
  int32_t QsoNumber = 0;
  int32_t BandNumber = 0;
  int32_t BandNumberIntern = 0;
  int32_t ModeNumber = 0;
  char QslSent = '\0';
};

// Why a save stored nothing.
enum class TSaveFailure : uint8_t {
  None,
  TimeTaken,     // the moment and the ten seconds after it are taken
  LockRefused,   // another station holds the log and the lock question was answered no
  FileLost,      // the open log file was deleted, moved or replaced: no save of the window reaches it
  Damaged,       // the log file is damaged
  Other,         // any other failure of the log file (reported by the file manager)
};

struct TSaveResult {
  // False when the QSO could not be stored; nothing was then written and
  // the entry (the table's edit copy) is as it was before the save.
  bool Added = false;
  TSaveFailure Failure = TSaveFailure::None;
  int32_t Points = 0;
  // A real QSO (marker 0): the window adds it to its score counters.
  bool Counted = false;
};

// Letter 'q': the fourth received field is written "text/number".
std::string NormalizeFourthField(std::string_view text);

// How many seconds the add moves a QSO on at most: a stored QSO lies that
// far after its own moment at the latest.
inline constexpr int kAddMovesAtMost = 10;

// Adds the edit copy of table with the prepared numbers. The time key is
// unique, so a QSO in a second that is taken already is tried one second
// later (the date moves on past midnight), up to kAddMovesAtMost times; any
// other failure (a lock refused after the lock question) is not retried
// here and keeps the time. None on success.
TSaveFailure AddQso(TdbContestBase& table, const TNextNumbers& next);

// Writes one- and two-digit numbers of the sent and received exchange with
// three digits, for the exchange kinds that carry numbers.
void PadExchangeNumbers(const TContestRec& contest, TContestQsoRecord& qso);

// Adds the QSO in the edit copy of qsoTable and stores its points and padded
// exchange numbers, in one transaction; the record stays the table's
// current record. On failure the edit copy keeps the entry as it was.
// areaCheck: the entry routines' test of area codes (letter 'H').
TSaveResult SaveQso(const TContestRec& contest, const TdbContestBase& contestListTable,
                    TdbContestBase& qsoTable, const TNextNumbers& next, TDokAreaCheck* areaCheck = nullptr);

// What the entry fields add to the call book.
struct TCallBookInput {
  std::string Field2, Field3;  // received exchange fields 2 and 3
  std::string Name, Qth;
  bool NameEnabled = false, QthEnabled = false;
};

// Updates the call book "ZQ5CBUCH" entry of the QSO's home call (created when
// missing) with DOK, club numbers, name and QTH. Calls of two characters or
// fewer are left out. Failures leave the call book as it was.
void UpdateCallBook(const TContestQsoRecord& qso, char contestLetter, const TCallBookInput& input);
