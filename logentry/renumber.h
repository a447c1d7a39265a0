#pragma once
// Renumbering a contest log after a QSO was deleted or changed: the running
// numbers per band and per mode class follow the order of the QSOs again.
// The log is copied into the temporary log "ZQLKTEMP" and rebuilt from it in
// one transaction, so a failure leaves the log as it was. Band-change rows
// are left out of the rebuilt log.
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

// True when one of the sent-exchange kinds is a serial number: the log then
// keeps its record numbers and is ordered by them, else by date and time.
bool KeepsRecordNumbers(const TContestRec& contest);

// Renumbers the QSO log of contestNumber through handles of its own; the log
// window's table must be positioned anew afterwards.
TRenumberResult Renumber(const TContestRec& contest, int32_t contestNumber, bool detached,
                         const TRenumberProgress& progress = {}, const TRenumberPrepare& prepare = {});
