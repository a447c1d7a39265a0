#pragma once
// The QSO grid of the log window as texts: the caption line, the text of
// one row (a QSO or a band change), the key ranges of the sort orders and
// the column widths kept per log in its contest-list record. The form hands
// these to the browser grid; nothing here knows a widget.
#include <cstdint>
#include <string>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

// The caption line: the column captions separated by ";".
std::string BuildGridHeader(const TContestRec& contest, bool english);

// The text of one row; letter is the log's contest letter.
std::string BuildGridRow(const TContestQsoRecord& qso, const TContestRec& contest, char letter);

// Key number and bounds of a sort order of the grid: index 0 "Bandcode,
// wagBandNrIntern" of the current band, 1 "Bandcode,Call,Mode", 2
// "Bandcode,DXCC", 3 "Nummer", 4 "Call,Datum,Zeit", 5 "DXCC", 6 "DOK1,DOK2".
// False for other indexes. readable: the table is detached.
struct TGridKeyRange {
  int KeyNumber = 0;
  std::string Lower, Upper;  // both empty: the whole table
};
bool GridSortKey(int index, char currentBand, bool readable, TGridKeyRange& range);

// The range the grid opens with: every QSO by record number.
TGridKeyRange GridOpenRange(bool readable);

// The characters the widest value of grid column (1-based) takes where
// that is more than its caption: the number, the calls, the mode and the
// multiplier columns; 0 for the others.
int GridColumnChars(const TContestRec& contest, int column);

// The grids whose column widths are kept: the log grid in its log's
// contest-list record; the DX-cluster grid and every other grid of the
// window and its dialogs in the colour record of the settings, ten columns
// per key number the grid runs on (a 'W' log's grids in a table of their
// own).
enum class TGridWidths { LogGrid = 0, ClusterGrid = 1, OtherGrid = 2 };

// The width kept for column (1-based) of a grid of kind on keyNumber in a
// log of contest letter; 0 when none is kept or the column or key has no
// place (the grid then finds its own width).
int KeptColumnWidth(TGridWidths kind, const TContestRecord& list, char letter, int keyNumber, int column);
// Keeps the widths of columns 1..n, as far as there are places for them:
// the log grid's in list, the others' in the settings' colour record.
void KeepColumnWidths(TGridWidths kind, TContestRecord& list, char letter, int keyNumber,
                      const std::vector<int>& widths);

// Stored width of grid column (1-based) in the contest-list record; 0 when
// none is stored (the grid then sizes the column by its caption).
int GridColumnWidth(const TContestRecord& list, int column);
// Stores the widths of columns 1..n (at most the record's 20 places).
void StoreGridColumnWidths(TContestRecord& list, const int* widths, int count);
// The width column (1-based) of a grid showing the log's QSOs opens with:
// the width the user left it at, else wide enough for its widest value in
// characters of charWidth pixels; 0 lets the grid size it by its caption.
int GridColumnShownWidth(const TContestRecord& list, const TContestRec& contest, int column, int charWidth);
