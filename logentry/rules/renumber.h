#pragma once
// Renumbering a contest log after a QSO was deleted or changed: the running
// numbers per band and per mode class follow the order of the QSOs again.
// The log is rewritten in one transaction through a handle of its own, so a
// failure leaves it as it was. Band-change rows are left out of the
// renumbered log.
#include <cstdint>
#include <functional>
#include <string>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

// Position and maximum of the progress window; a new maximum comes with
// position 0.
using TRenumberProgress = std::function<void(int32_t position, int32_t maximum)>;
// The multiplier preparation of the log window, run on every rebuilt QSO.
using TRenumberPrepare = std::function<void(TContestQsoRecord& qso)>;

struct TRenumberResult {
  bool Ok = false;
  // The German error text for ToMessages.Fehler; empty on success.
  std::string Error;
  int32_t Records = 0;  // QSOs in the rebuilt log
};

class TdbContestBase;

// The warning before a delete and the question that follows it.
inline constexpr const char* kDeleteWarning =
    "Achtung: Durch das Löschen eines Eintrages werden die Nummern aller nachfolgenden Einträge um 1 "
    "verringert.";
std::string DeleteQuestion(const std::string& call);

// True when the table's current record is a QSO (band-change rows are
// neither deleted nor changed).
bool IsDeletableQso(const TdbContestBase& table);

// True when one of the sent-exchange kinds is a serial number: the log then
// keeps its record numbers and is ordered by them, else by date and time.
bool KeepsRecordNumbers(const TContestRec& contest);

// Renumbers the QSO log of contestNumber through handles of its own; the log
// window's table must be positioned anew afterwards.
TRenumberResult Renumber(const TContestRec& contest, int32_t contestNumber, bool detached,
                         const TRenumberProgress& progress = {}, const TRenumberPrepare& prepare = {});

// Deletes record ref of the log window's table and renumbers the log. Ok is
// false without an error text when ref is no QSO (nothing happened).
TRenumberResult DeleteAndRenumber(const TContestRec& contest, TdbContestBase& table, int32_t ref,
                                  const TRenumberProgress& progress = {}, const TRenumberPrepare& prepare = {});
