#pragma once
// The multipliers of the QSO being entered: which of its values are new on
// its band (or in the contest) and which were worked before. New values are
// written into the QSO's multiplier fields, put into the window's lists with
// the red mark and added to the counters; known ones get the green mark.
#include <functional>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "logentry/rules/multipliers.h"
#include "logentry/rules/recount.h"

class TdbContest;

// Checks one kind for the QSO; true when its value is new. log is a second
// handle on the QSO log, which does not hold the QSO yet.
bool CheckNewMulti(int kind, TContestQsoRecord& qso, const TContestRec& contest,
                   const TContestRecord& contestList, TdbContest& log, TMultiplierLists& lists,
                   TScoreCounters& counters, const TCountOptions& options = {});

// Prepares the QSO's multiplier fields and checks every active kind.
// allWorkedBefore, when given, tells whether every value the QSO has for an
// active kind was found in log already (a QSO without values counts as such).
void MarkNewMultis(TContestQsoRecord& qso, const TContestRec& contest,
                   const TContestRecord& contestList, TdbContest& log, TMultiplierLists& lists,
                   TScoreCounters& counters, const TCountOptions& options = {},
                   bool* allWorkedBefore = nullptr);

// The multiplier preparation of a renumbering: every QSO, in the order of the
// renumbered log, is counted against the QSOs before it, so that a value
// counts as new exactly where it first appears. Those QSOs are kept as
// scratch in a temporary log in memory, private to the returned function and
// gone with it. Make one per renumbering.
std::function<void(TContestQsoRecord&)> RenumberMultiplierPreparation(const TContestRec& contest,
                                                                       const TContestRecord& contestList,
                                                                       const TCountOptions& options = {});
