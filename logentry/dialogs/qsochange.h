#pragma once
// Deleting and changing a stored QSO from a grid of the log window or of its
// QSO lists, with the renumbering and the recount that keep the numbers and
// the score true. The log window hands over what these commands need once,
// as a TQsoWindowLink, and calls them from its buttons and lists.
#include <QRect>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "contest/ContestRec.h"
#include "logentry/rules/ContestEingabeStd2Logic.h"
#include "logentry/rules/renumber.h"

class QWidget;
class TdbContest;
class TkxBrow;

struct TQsoWindowLink {
  QWidget* Window = nullptr;                 // owner of the dialogs and the progress window
  const TContestRec* Contest = nullptr;      // the window's copy of the contest description
  TdbContest* ContestListTable = nullptr;    // "ZQKK", on the log's record
  TdbContest* QsoTable = nullptr;            // the window's QSO table; its edit copy is the entry
  TQsoEditRoutines* Routines = nullptr;      // the window's companion object
  TQsoPointsProc Points;                     // empty: the points rule of the contest letter

  // Whether the window shows its received exchange field n (2, 3 or 4);
  // empty: all shown.
  std::function<bool(int field)> ReceivedFieldVisible;
  // Full recount after a delete or a change: multipliers ("Neuberechnung"),
  // score of every band and the multiplier panel.
  std::function<void()> RecountAll;
  // Empties the window's multiplier lists before a renumbering.
  std::function<void()> ClearMultiplierLists;
  // A fresh multiplier preparation for one renumbering (run on every
  // renumbered QSO); empty: the QSOs keep their multiplier fields.
  std::function<TRenumberPrepare()> PrepareRenumbered;
  // Clears the per-kind texts of new multipliers after a change.
  std::function<void()> ClearNewMultiTexts;
  // Prepares the next entry (the window's StartNewEntry with keep = false).
  std::function<void()> StartNewEntry;

  // For the QSO lists: the row text of a QSO and the caption line, as the
  // window's grid shows them.
  std::function<std::string(int32_t ref)> BuildGridRow;
  std::function<std::string()> BuildGridHeader;
  // Repaints the window's grid after a list changed the log or its widths.
  std::function<void()> RefreshLogGrid;
  // The widths the window's grid shows its columns at, first column first;
  // empty: no grid to keep them for.
  std::function<std::vector<int>()> LogGridWidths;
  // The window's "Clear" (after the QSO list and the band log).
  std::function<void()> ClickClear;
  // Where the QSO lists stood last (kept while the window lives).
  QRect ListBounds;
};

// Renumbers the log with the progress window "Neunummerierung"; an error is
// reported. True on success.
bool RenumberLog(TQsoWindowLink& link);

// Deletes the QSO of grid's current row after the warning and the question,
// renumbers and recounts. True when it was deleted.
bool DeleteQso(TQsoWindowLink& link, TkxBrow& grid);

// Runs the edit dialog on record ref of the window's table and renumbers
// the log when the change moves numbers, points or multipliers (renumbered
// tells). True when the QSO was stored. The recount is the caller's.
bool EditStoredQso(TQsoWindowLink& link, int32_t ref, bool* renumbered = nullptr);

// Changes the QSO of grid's current row through the edit dialog; renumbers
// and recounts when the change asks for it. True when it was stored.
bool ChangeQso(TQsoWindowLink& link, TkxBrow& grid);
