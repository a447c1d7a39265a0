#pragma once
// TContestLogModel: the log window without its widgets. It owns the QSO
// table (whose edit copy is the QSO being entered), a second handle for the
// searches and counts, the multiplier lists and score counters, and carries
// out what the window's handlers ask for: opening and closing the log, the
// exchange of the entry record with the entry fields, a new entry, band and
// mode changes, the clock and the score. The form copies its widgets into
// TEntryFields before a call and shows View afterwards.
//
// The operations are spread over files by concern: contlogmodel.cpp
// (opening, score, closing), contlogentry.cpp (gather, show, recount of the
// entry, exchange changes), contlogexit.cpp (callsign changes, leaving a
// field, worked before, autofill, where Enter moves), contlogsave.cpp (the
// check and the save), contlognew.cpp (new entry, band, mode),
// contlogclock.cpp (the tick), contlogimport.cpp (QSOs from another log).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "logentry/adif/adifimport.h"
#include "logentry/model/contlogalle.h"
#include "logentry/model/contlogsetup.h"
#include "logentry/model/contlogstate.h"
#include "logentry/rules/multipliers.h"
#include "logentry/rules/qsopoints.h"
#include "logentry/rules/recount.h"

class TdbContest;

// The callsign typed as the entry stores it: "-" and blanks become "/", a
// "#" at the end "/p". It may be longer than the record holds; the save
// refuses such a call.
std::string EntryCallOf(std::string typed);

// A progress window as the long jobs see it.
class TJobProgress {
 public:
  virtual ~TJobProgress() = default;
  // Position and, when above 0, a new maximum.
  virtual void Step(int32_t position, int32_t maximum) = 0;
};
using TProgressFactory =
    std::function<std::unique_ptr<TJobProgress>(const std::string& caption, int32_t maximum)>;

// What leaving an entry field did beyond the entry's own fields.
struct TExitResult {
  bool Saved = false;    // the QSO was stored; a new entry is prepared
  bool Cleared = false;  // the call was refused as a duplicate; a new entry is prepared
  bool Refused = false;  // the call cannot be stored as typed; it stays to be mended
};

// What a save did.
struct TEntrySaved {
  bool Saved = false;
  int32_t Ref = 0;  // the stored QSO's record reference
};

// What one clock tick changed.
struct TTickResult {
  bool Ran = false;          // the window has a QSO table
  bool BandChanged = false;  // the entry moved to the period's band: show it whole
  bool ClockChanged = false;  // only the date and time fields changed
};

class TContestLogModel {
 public:
  // listTable stands on the log's contest-list record, extraTable on its
  // contest-settings record; both belong to the caller.
  TContestLogModel(int32_t nummer, const TContestRec& contest, TdbContest& listTable,
                   TdbContest& extraTable);
  ~TContestLogModel();
  TContestLogModel(const TContestLogModel&) = delete;
  TContestLogModel& operator=(const TContestLogModel&) = delete;

  // ---- hooks of the form and of the units beside this one -----------------
  // Positions the grid on a record (ref > 0).
  std::function<void(int32_t ref)> PositionGrid;
  // The key number the grid pages along.
  std::function<int()> GridKeyNumber;
  // The progress window of the recount and the renumbering; none: no window.
  TProgressFactory StartProgress;
  // The DOK check of the entry (the entry routines' CheckDok for the log's
  // letter, set by Open); empty: every DOK is accepted.
  std::function<bool(std::string_view)> CheckDok;

  // ---- opening and closing ------------------------------------------------
  // Opens the QSO log and prepares the window's state for the contest:
  // starting band and mode, the renumbering of a log whose multiplier
  // fields were never filled, the opening recount on the band of the last
  // QSO. False when the QSO table cannot be opened.
  bool Open(const TLogShape& shape);
  // Renumbers, recounts the claimed totals and closes the tables. Failures
  // are reported through ToMessages; the log stays whole.
  void Close();
  bool IsOpen() const { return qsoTable_ != nullptr; }
  // The full name of the open log's QSO file; empty while none is open.
  std::string QsoFileName() const;

  // ---- the entry record ---------------------------------------------------
  TContestQsoRecord EntryRecord() const;
  void SetEntryRecord(const TContestQsoRecord& qso);
  // The fields into the entry record. warn: the field being left may warn
  // about an invalid DOK or locator (never from the clock).
  void GatherEntry(const TEntryFields& fields, TEntryFocusAt focus, bool warn);
  // The entry record into View (fields and value labels).
  void ShowEntry();
  // Withdraws the entry's tentative multipliers and counts them anew.
  void RecountEntry();
  void WithdrawEntryMultis();
  // A received or sent exchange edit changed while the user typed: the
  // tentative multipliers, the beam to a locator and the name default.
  // sentRow: one of eRSTs1..4 changed, else eRSTr1..4; index 0..3.
  void ExchangeChanged(const TEntryFields& fields, bool sentRow, int index);
  // eFreq changed: its colour by the band plan.
  void FrequencyChanged(const std::string& text);

  // ---- the QSO being typed (contlogexit.cpp) --------------------------------
  // eCall changed while the user typed: the prefix lookup with the points,
  // the DOK fields of a new entity, the tentative multipliers.
  void CallChanged(const TEntryFields& fields);
  // eName changed: its text goes into the exchange fields that carry the
  // name (View.Fields); true when one was filled.
  bool NameChanged(const TEntryFields& fields);
  // emode changed while it shows: the entry's mode follows it.
  void ModeEditChanged(const std::string& text);
  // The user left an entry edit (Tab, mouse or Enter): the fields gathered,
  // for eCall the band plan, worked-before check and autofill, for the
  // exchange, time and date fields the check, and after Enter in the last
  // field the save. A call longer than a QSO record holds is refused as
  // eCall is left. saveNow (F10): the QSO is saved after the leaving from
  // whichever field it was. Messages go through ToMessages.
  TExitResult FieldExit(const TEntryFields& fields, TEntryFocusAt left, bool saveNow = false);
  // The worked-before and duplicate display of the entry's call and the
  // unknown-prefix warning; false when a duplicate was refused and a new
  // entry was prepared in its place.
  bool CheckWorkedBefore();
  // Exchange values from the call book, the call database and the member
  // lists; the beam to the partner's locator.
  void AutofillEntry();
  // The prefix lookup of the entry record with its points; false for a
  // callsign whose prefix is unknown.
  bool LookupPrefix();
  // Whether an entry edit (by name) shows now.
  bool EditShown(std::string_view name) const;
  // The edit Enter moves the focus to from the edit named from; empty when
  // the focus stays.
  std::string EnterTarget(const std::string& from) const;

  // ---- check and save (contlogsave.cpp) ---------------------------------------
  // The check of the entry record, its warnings shown; true when it may be stored.
  bool CheckEntry();
  // Stores the QSO the fields hold: gathered, checked (a QSO that fails is
  // not stored), added with its numbers and points in one transaction, the
  // score moved on, the call book and member lists updated, the grid on the
  // new QSO and the next entry prepared. A failed add keeps the entry and
  // tells the user.
  TEntrySaved SaveEntry(const TEntryFields& fields);

  // ---- new entry, band, mode ----------------------------------------------
  void StartNewEntry(bool keep);
  void SetBand(char band);
  void SetMode(const std::string& mode);
  // The band and mode lists picked an item (a band name or a mode text).
  void BandChosen(const TEntryFields& fields, const std::string& bandName);
  void ModeChosen(const TEntryFields& fields, const std::string& mode, const std::string& freeMode);
  void ToggleQsl();
  void ToggleNameRow();

  // ---- QSOs from another log (contlogimport.cpp) ---------------------------
  using TQsoPreparation = std::function<void(TContestQsoRecord&)>;
  // The entry's preparation of a QSO read from another log, as for a QSO
  // typed by hand: the window moves to the QSO's band and mode, the QSO is
  // shown in the fields and gathered from them (its exchange stored by
  // kind), its country looked up and its multipliers marked. The QSO's
  // frequency, name and QTH stay as they came.
  void PrepareImportedQso(TContestQsoRecord& qso);
  // What the save updates beside the log for a stored QSO: the call book
  // entry of the station and the member lists, from the entry's fields.
  void RecordStation(const TContestQsoRecord& stored, const TEntryFields& fields);
  // What an import takes from the window: its mode and frequency as the
  // entry shows them (given by the form), the shape the entry's defaults
  // follow, and, for every QSO stored after its preparation, the save's
  // update of the call book and member lists.
  TAdifEntryDefaults ImportDefaults(const std::string& mode, const std::string& freq);
  // Runs an import that prepares each QSO with PrepareImportedQso. The
  // window's band and mode, which follow each QSO, are back as they were
  // when this returns, and no tentative multiplier is left counted.
  void RunImport(const std::function<void(const TQsoPreparation& prepare)>& import);

  // ---- clock and score ----------------------------------------------------
  // The one-second tick: the band of the current period, then the date and
  // time of the entry. Raises no message.
  TTickResult Tick(const TEntryFields& fields);
  // storePoints false: the points are counted, never written back.
  void RecountScore(bool full, bool storePoints = true);
  void ShowScore();
  void ShowMultiPanel();

  // ---- access ---------------------------------------------------------------
  TLogWindowState State;
  TEntryView View;
  const TLogShape& Shape() const { return shape_; }
  const TContestRec& Contest() const { return contest_; }
  char ContestLetter() const;
  int32_t ContestNumber() const { return nummer_; }
  TdbContest& QsoTable() { return *qsoTable_; }
  TdbContest& ContestListTable() { return listTable_; }
  TdbContest& ContestSettingsTable() { return extraTable_; }
  TContLogAlle& Companion() { return companion_; }
  TMultiplierLists& Lists() { return *lists_; }
  TScoreCounters& Counters() { return counters_; }
  TContestRecord ListRecord() const;
  // The search handle: a second handle on the log, never the entry's table.
  TdbContest& SearchLog() { return *searchLog_; }
  // A fresh multiplier preparation for one renumbering of this log.
  std::function<void(TContestQsoRecord&)> RenumberPreparation() const;
  // Full recount after the log changed under the window: the claimed totals
  // stored ("Neuberechnung"), the score of every band and the multiplier
  // panel.
  void RecountAfterChange();
  // Whether the opening renumbered the log.
  bool RenumberedAtOpening() const { return renumberedAtOpening_; }
  // Whether the opening checked the log's file whole.
  bool CheckedAtOpening() const { return checkedAtOpening_; }

 private:
  TQsoPointsEnv PointsEnv() const;
  // The QSOs the log's claimed totals count (see ClaimedQsoTotal).
  int64_t ClaimedQsos() const;
  TCountOptions CountOptions() const;
  bool NeedsRenumbering(const TOpenedLog& opened) const;
  // The opening's full count of the log (writable: changed points and the
  // claimed totals stored where they are not those of the log as it is;
  // asClosed: the log is as its last normal close left it, and only counted).
  void RecountAtOpening(bool writable, bool asClosed);
  // After a save: the claimed totals of a log that claimed no QSO so far
  // are stored, so that they mark it as holding QSOs.
  void KeepLogClaimingQsos();
  // True, after telling the user, when the typed call is longer than a
  // QSO record holds or holds a character no call has.
  bool RefuseBadCall(const std::string& typed);
  // The window's band and mode into an entry record that lost them.
  void KeepWindowBandAndMode();
  // The lists and counters were just counted from the log on the current
  // band; CountsStand: they still are what that count would give (the same
  // band, the log unchanged since, nothing tentative of an entry in them).
  void NoteCounted();
  bool CountsStand();
  // sayFailure false: a failure is left to the storage layer's own report.
  bool RunRenumber(bool sayFailure = true);
  // The full recount: points, score, lists and the claimed totals.
  // heldCount, when given, gets the log's change count as the recount
  // counted it inside its job on the log; 0 when it could not hold the log.
  bool RunRecount(uint64_t* heldCount = nullptr);
  // A job of the log (the renumbering, the recount) failed; text is its own
  // word. A job that failed after the user gave up waiting for another
  // station's lock on the log in the action at hand failed for that: the
  // user is told that the log is in use, once per action, instead. So for
  // a job that writes the totals (totals true) and the contest list, which
  // it writes with them: the list is in use. Either word names when the
  // program does the job again.
  void TellJobFailure(const std::string& text, bool totals = false);
  std::string DefaultRst() const;
  // Whether the sent exchange fields 2 and 3 show: a number they do not
  // show is sent in the new entry's place.
  std::array<bool, 2> SentNumberShown() const;
  void StoreReceivedKinds(TContestQsoRecord& qso, const std::string& rcvd, TEntryFocusAt focus,
                          bool warn);
  void NewEntry(bool keep, bool recount);
  // The entry's tentative multipliers became the stored QSO's.
  void AcceptEntryMultis();
  void UpdateMemberLists(const TEntryFields& fields, const std::string& call);
  void ClockFields(TContestQsoRecord& qso, const TContestRecord& list);
  // Whether the entry's time follows the clock (automatic time).
  bool TimeFollowsClock() const;
  // Date and time of the log's latest QSO when it is later than the clock's
  // today and now (beyond the seconds a busy second moves a QSO on).
  std::optional<std::pair<int32_t, int32_t>> LogAheadOfClock(int32_t today, int32_t now) const;
  // Tells the user that the clock is behind the log's last QSO; once per window.
  void TellClockBehind(int32_t today, int32_t now, std::pair<int32_t, int32_t> last);
  // The closed-log stamp is removed at the session's first write (see
  // closedlogstamp.h); dropped when the session's writes are over.
  void GuardClosedLogStamp();
  void DropStampGuard();

  int32_t nummer_;
  TContestRec contest_;
  TdbContest& listTable_;
  TdbContest& extraTable_;
  std::unique_ptr<TdbContest> qsoTable_;
  std::unique_ptr<TdbContest> searchLog_;
  TContLogAlle companion_;
  std::unique_ptr<TMultiplierLists> lists_;
  TScoreCounters counters_;
  // Counters as they were before the entry's tentative multipliers.
  std::optional<TScoreCounters> beforeEntry_;
  std::array<std::vector<std::string>, TMultiplierLists::kLists + 1> entryLists_;
  // The log's change count and the band of the last count (see NoteCounted;
  // 0: no count stands).
  uint64_t countedChange_ = 0;
  char countedBand_ = 0;
  TLogShape shape_;
  // The DOK field's check of the log's letter, for the points rules.
  std::unique_ptr<TEntryDokCheck> dokCheck_;
  bool renumberedAtOpening_ = false;
  bool checkedAtOpening_ = false;
  // Storage errors of the QSO file met before the opening: a session that
  // met more keeps no closed-log stamp.
  uint64_t fileErrorsAtOpening_ = 0;
  // The stored claimed totals count QSOs (or were stored once since the
  // opening): see KeepLogClaimingQsos.
  bool logClaimsQsos_ = false;
  // The user was told that the clock is behind the log.
  bool clockBehindTold_ = false;
  // The window closes (see Close): no close of it comes any more.
  bool closing_ = false;
  // While an import runs the panel is not shown; pending: it is to be shown
  // when the import ends.
  bool panelHeld_ = false;
  bool panelPending_ = false;
};
