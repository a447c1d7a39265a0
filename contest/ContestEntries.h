#pragma once
// The places where the contest module reaches units that are built on top
// of it or beside it: the contest set-up dialog, the log-entry window and
// the prefix tables. Each is a function slot; the unit that provides it
// fills the slot at start (or a test fills it with a stand-in). An empty
// slot does nothing: no dialog, no window, no prefix check.
#include <QWidget>
#include <cstdint>
#include <functional>

#include "contest/ContestRec.h"

class TdbContest;

struct TContestEntries {
  // The set-up dialog of a contest log: the record reference of the saved
  // contest-list record when the user started the contest, else 0.
  std::function<int32_t(bool recordExists, bool editOnly, char letter, TdbContest& contestTable,
                        TdbContest& extraTable)>
      RunContestSetupDialog;
  // The log-entry window of contest number nummer, modal over owner; the
  // contest table stands on the log's record.
  std::function<void(QWidget* owner, int32_t nummer, const TContestRec& description,
                     TdbContest& contestTable, TdbContest& extraTable)>
      OpenContestLogWindow;
  // Opens the three prefix tables and answers how many records the main
  // prefix table holds; without a slot the table file is looked at directly.
  std::function<int32_t()> OpenPrefixTables;
  std::function<void()> ClosePrefixTables;
};

// The one set of entries of the program.
TContestEntries& ContestEntries();
