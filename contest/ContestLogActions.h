#pragma once
// The actions on one whole contest log: its contest-list record in "ZQKK",
// its extra record in "ZQKZ" and its QSO table "ZQLK" + number. The main
// window's delete button and the list's own delete command both go through
// ContestFkt.DeleteContest, which asks and deletes with these.
#include <QWidget>
#include <cstdint>
#include <string>

#include "contest/ContestRec.h"
#include "database/dbContest.h"

// Positions the contest list on ref (when above 0) and makes sure the log's
// extra record exists and keeps the log's claimed totals (those of a log of
// an older version moved there, see MoveClaimedTotalsToExtraRecord); false
// when it is missing and cannot be added, or the totals cannot be moved.
bool EnsureExtraRecord(int32_t ref, TdbContest& contestTable, TdbContest& extraTable);
// The two questions before a log is deleted; true when both are answered Ja.
bool ConfirmDeleteLog(const std::string& name);
// Deletes the log of contest-list record ref without asking: QSO table,
// extra record, list record. Nothing is deleted when the QSO table cannot
// be opened. True when the log is gone.
bool DeleteWholeLog(int32_t ref, TdbContest& contestTable, TdbContest& extraTable);
// True when a new log must not take this number: a QSO table or an extra
// record of that number is left from an earlier log (for instance after
// the contest list was emptied or its entry alone deleted).
bool LogNumberHasRemains(int32_t nummer, TdbContest& extraTable);
// Gives the contest-list record ref, just added, a number without remains
// of an earlier log (its own when it has none); false when the record
// could not be rewritten.
bool GiveFreshLogNumber(int32_t ref, TdbContest& contestTable, TdbContest& extraTable);
// The name of the contest-list record ref ("" when it cannot be read).
std::string ContestName(TdbContest& contestTable, int32_t ref);
// The set-up dialog through its entry; 0 for letter #0 or without a dialog.
int32_t ContestSetup(char letter, bool recordExists, bool editOnly, TdbContest& contestTable,
                     TdbContest& extraTable, TContestRec* description = nullptr);
// The log-entry window of the record the contest list stands on (nothing
// for a record without contest letter).
void OpenLog(QWidget* owner, const TContestRec& description, TdbContest& contestTable,
             TdbContest& extraTable);
