#pragma once
// Storing a checked QSO: the add to the QSO log (one second later when that
// moment is taken already), its points, the exchange numbers written with
// three digits, and the call book entry of the station.
#include <cstdint>
#include <string>
#include <string_view>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

class TdbContestBase;

// The numbers the log window prepared for the next QSO.
struct TNextNumbers {
  int32_t QsoNumber = 0;
  int32_t BandNumber = 0;
  int32_t BandNumberIntern = 0;
  int32_t ModeNumber = 0;
  char QslSent = '\0';
};

struct TSaveResult {
  // False when every attempt to add failed; nothing was then written.
  bool Added = false;
  int32_t Points = 0;
  // A real QSO (marker 0): the window adds it to its score counters.
  bool Counted = false;
};

// Letter 'q': the fourth received field is written "text/number".
std::string NormalizeFourthField(std::string_view text);

// Adds the edit copy of table with the prepared numbers. The time key is
// unique, so a QSO in a second that is taken already is tried one second
// later, up to ten times. True when it was added.
bool AddQso(TdbContestBase& table, const TNextNumbers& next);

// Writes one- and two-digit numbers of the sent and received exchange with
// three digits, for the exchange kinds that carry numbers.
void PadExchangeNumbers(const TContestRec& contest, TContestQsoRecord& qso);

// Adds the QSO in the edit copy of qsoTable and stores its points and padded
// exchange numbers; the record stays the table's current record.
TSaveResult SaveQso(const TContestRec& contest, const TdbContestBase& contestListTable,
                    TdbContestBase& qsoTable, const TNextNumbers& next);

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
