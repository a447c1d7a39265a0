#pragma once
// The contest set-up dialog: station, category and participant data of one
// contest log, its checks, the score panel and the output menu.
#include <cstdint>

class TdbContest;
struct TContestRec;
class QWidget;

// Shows the set-up dialog of a contest log modally. recordExists: the
// contest list stands on the log's record (else a new log is created);
// editOnly: changes only, no start. description, when given, is the contest
// description the caller keeps (the contest-list controller's); it is
// refilled for the letter. Result: the reference of the contest-list record
// when the user started the contest ("Contest starten"), else 0.
int32_t RunContestSetupDialog(bool recordExists, bool editOnly, char letter,
                              TdbContest& contestTable, TdbContest& extraTable,
                              TContestRec* description = nullptr);
