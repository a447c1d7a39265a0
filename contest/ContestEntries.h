#pragma once
// The places where the contest module reaches units that are built on top
// of it or beside it: the contest set-up dialog, and the log-entry window. Each is a function slot; the unit that provides it
// fills the slot at start (or a test fills it with a stand-in). An empty
// slot does nothing: no dialog, no window, no prefix check.
#include <QWidget>
#include <cstdint>
#include <functional>

#include "contest/ContestRec.h"

class TdbContest;

struct TContestEntries {
  // The set-up dialog of a contest log: the record reference of the saved
  // contest-list record when the user started the contest, else 0. The
  // dialog refills description (the list's contest description) for the letter.
  std::function<int32_t(bool recordExists, bool editOnly, char letter, TdbContest& contestTable,
                        TdbContest& extraTable, TContestRec* description)>
      RunContestSetupDialog;
  // The log-entry window of contest number nummer, modal over owner; the
  // contest table stands on the log's record.
  std::function<void(QWidget* owner, int32_t nummer, const TContestRec& description,
                     TdbContest& contestTable, TdbContest& extraTable)>
      OpenContestLogWindow;
  // Brings the claimed totals of the log the contest table stands on up to
  // the log as it is, before the set-up dialog shows them and offers the
  // outputs that read them (a close killed before its recount leaves them
  // behind the log).
  std::function<void(TdbContest& contestTable, TdbContest& extraTable, const TContestRec& description)>
      UpdateClaimedTotals;
};

// The one set of entries of the program.
TContestEntries& ContestEntries();
