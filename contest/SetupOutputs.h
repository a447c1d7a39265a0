#pragma once
// The output menu of the contest set-up dialog: which entries the contest
// allows and the run of one output through the log-output writer.
#include <cstdint>
#include <string>
#include <vector>

#include "contest/ContestRec.h"

class QWidget;
class TdbContest;
class TLogOutputWriter;

struct TOutputMenuEntry {
  std::string Item;     // objectName of the menu item; empty for a separator
  std::string Caption;
  int Kind = -1;        // output kind handed to RunOutput
  bool Enabled = true;
};

// The menu in its order, enabled and captioned by the contest's output kinds.
std::vector<TOutputMenuEntry> OutputMenuEntries(const TContestRec& description, char letter);

// Runs one output of the given kind for the log the contest list stands on.
// The print job and the output file are ended and closed whatever a writer
// does; exceptions of the writers pass on to the caller afterwards.
void RunOutput(uint8_t kind, char letter, const TContestRec& description, TdbContest& contestTable,
               TdbContest& extraTable, QWidget* owner, TLogOutputWriter& writer);
