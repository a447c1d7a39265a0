#pragma once
// TContLogAlle: the companion of the log window. It carries the routines
// the window shares with its dialogs: opening the QSO log, the numbers of
// the next QSO, the newest QSO of a band, the grid's column widths in the
// contest-list record, the note file, the QSL default, distances, the
// prefix lookup and member lists of the entry, and the closing of the tables. Searches go through second handles on the log, so
// the window's table keeps its position and its entry record. Display-free.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "logentry/model/contloggrid.h"
#include "database/dbCall.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/memberlists.h"
#include "logentry/rules/prefixlookup.h"
#include "logentry/rules/qsosave.h"
#include "storage/ifderrors.h"

class TdbContest;

// One action of the user on a log (a save, the close) for its lifetime: the
// storage layer names each fault once in it (see TDriverAction), and the
// log's QSO file qsoFile, deleted or moved away under the open window, is
// named as the QSO file of the log, as the next opening names it; one that
// another program replaced under it (a copy put in its place) is named as
// such, with the log to be closed and opened again. "No" to the lock
// question of a file (the QSO file, the contest list) ends the action's
// waits for that file. holds: as for TDriverAction.
class TLogAction {
 public:
  explicit TLogAction(const std::string& qsoFile, std::function<bool()> holds = {});

 private:
  TDriverAction action_;
  TReporterScope reports_;
};

// What the opening of a QSO log found.
struct TOpenedLog {
  bool Opened = false;
  bool HasQso = false;
  // The file was as the last normal close left it: neither checked whole
  // nor cleaned of band-change rows.
  bool UnchangedSinceClose = false;
  // The full check of the file ran.
  bool Checked = false;
  // The last QSO along "CMulti": its multiplier texts under captions 1 and 2
  // (not looked up when the file is as the last close left it).
  std::string LastCMulti, LastCMulti2;
};

class TContLogAlle {
 public:
  TContLogAlle() = default;
  TContLogAlle(const TContLogAlle&) = delete;
  TContLogAlle& operator=(const TContLogAlle&) = delete;
  ~TContLogAlle();

  // Creates the QSO table of log nummer, keeps the call file "ZQCCL" open,
  // empties the exchange values that band-change rows may carry (one
  // transaction) and looks at the last QSO along "CMulti". A log that holds
  // QSOs (hasQsos) whose file is missing is not opened, and no empty file
  // takes the place of the lost one: a message names the file. A file that
  // fails the full check is not opened either (the storage layer reports
  // the damage). When unchangedSinceClose says, once the table is open,
  // that the file is as the last normal close left it, the full check and
  // the cleaning are not needed and do not run.
  TOpenedLog OpenQsoLog(std::unique_ptr<TdbContest>& qsoTable, int32_t nummer, bool hasQsos = false,
                        const std::function<bool()>& unchangedSinceClose = {});

  // The numbers the next QSO on band in mode gets (withQso: its QSO number
  // too, else QsoNumber stays 0). Searched through a second handle.
  static TNextNumbers NextNumbers(bool withQso, char band, const TdbContest& qsoTable,
                                  std::string_view mode);

  // Reference of the newest QSO of band along "Bandcode,wagBandNrIntern"; 0
  // when the band has none.
  static int32_t NewestOfBand(char band, const TdbContest& qsoTable);

  // Rewrites the current records of the contest list and the contest
  // settings from their edit copies, closes "ZQCCL" and frees the QSO table.
  void CloseLogTables(TdbContest& listTable, TdbContest& extraTable,
                      std::unique_ptr<TdbContest>& qsoTable);

  // The log grid's column widths into the contest-list record, written back.
  static bool SaveColumnWidths(TdbContest& listTable, const std::vector<int>& widths);
  // The widths of a grid of any kind (contloggrid.h): the log grid's into
  // the contest-list record, written back; the others' into the settings.
  static bool SaveColumnWidths(TGridWidths kind, int keyNumber, TdbContest& listTable,
                               const std::vector<int>& widths);
  // The kept width of a column of such a grid; 0 when none is kept.
  static int GetColumnWidth(TGridWidths kind, int keyNumber, TdbContest& listTable, int column);

  // The member lists of the window's autofill and save.
  TMemberLists& MemberLists() { return memberLists_; }
  // The call book and the call database, open from OpenQsoLog to
  // CloseLogTables so that the lookups and the save of every QSO find them
  // open (null before and after).
  TdbCall* CallBook() const { return callBook_.get(); }
  TdbCall* CallDatabase() const { return callDatabase_.get(); }

  // The prefix lookup of the QSO being entered; it keeps the callsign of
  // the last lookup and the user's DXCC choice from one lookup to the next.
  TPrefixLookup& PrefixLookup() { return prefixLookup_; }

 private:
  // Empties the exchange values of the band-change rows (one job).
  static void EmptyBandChangeRows(TdbContest& log);
  bool callFileOpen_ = false;
  std::unique_ptr<TdbCall> callBook_, callDatabase_;
  TMemberLists memberLists_;
  TPrefixLookup prefixLookup_;
};

// The note file of a contest: the letters, digits, blanks, '+', '-' and '_'
// of its name, then ".TXT".
std::string NoteFileName(std::string_view contestName);

// The QSL-sent flag after a toggle: 'N' for any of "JSYjsy", else 'Y'.
char ToggledQsl(char qsl);
// "&QSL senden: nein" for 0, a blank, 'N' and 'n', else "&QSL senden: ja".
std::string QslLabel(char qsl);

// The beam to a locator in degrees from the own locator; false when either
// locator is invalid.
bool BeamTo(std::string_view locator, double& bearing);
// The beam label's text: a blank, then the bearing with one decimal.
std::string BeamLabel(double bearing);
