#include "logentry/model/contlogmodel.h"

#include <utility>

#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"
#include "logentry/model/closedlogstamp.h"
#include "logentry/model/contlogclock.h"
#include "logentry/rules/newmultis.h"
#include "logentry/rules/renumber.h"
#include "logentry/rules/score.h"
#include "platform/messages.h"
#include "storage/ifderrors.h"
#include "storage/tdbtreiber.h"

TContestLogModel::TContestLogModel(int32_t nummer, const TContestRec& contest,
                                   TdbContest& listTable, TdbContest& extraTable)
    : nummer_(nummer), contest_(contest), listTable_(listTable), extraTable_(extraTable),
      lists_(std::make_unique<TMultiplierLists>()) {}

TContestLogModel::~TContestLogModel() { DropStampGuard(); }

void TContestLogModel::GuardClosedLogStamp() {
  fileErrorsAtOpening_ = DriverErrorsOfFile(qsoTable_->GetTreiber()->FileName());
  qsoTable_->GetTreiber()->SetBeforeFirstWrite([this] { ForgetClosedLogStamp(nummer_, extraTable_); });
}

void TContestLogModel::DropStampGuard() {
  if (qsoTable_ && qsoTable_->GetTreiber()) qsoTable_->GetTreiber()->SetBeforeFirstWrite({});
}

char TContestLogModel::ContestLetter() const {
  TContestRecord r;
  listTable_.GetContestRecord(r);
  return rec::GetChar(r.data(), crec::kTyp);
}

TContestRecord TContestLogModel::ListRecord() const {
  TContestRecord r;
  listTable_.GetContestRecord(r);
  return r;
}

int64_t TContestLogModel::ClaimedQsos() const { return StoredClaimedQsos(ListRecord()); }

TQsoPointsEnv TContestLogModel::PointsEnv() const { return StationPointsEnv(nummer_, dokCheck_.get()); }

TCountOptions TContestLogModel::CountOptions() const {
  return TCountOptions{};
}

bool TContestLogModel::Open(const TLogShape& shape) {
  shape_ = shape;
  State = TLogWindowState{};
  counters_ = TScoreCounters{};
  View = TEntryView{};
  const TOpenedLog opened =
      companion_.OpenQsoLog(qsoTable_, nummer_, ClaimedQsos() > 0, [this] { return LogUnchangedSinceClose(nummer_, *qsoTable_); });
  checkedAtOpening_ = opened.Checked;
  if (!opened.Opened) {
    qsoTable_.reset();
    return false;
  }
  GuardClosedLogStamp();
  searchLog_ = std::make_unique<TdbContest>(kContestLog, false, nummer_);
  const TContestRecord list = ListRecord();
  // The DOK field is judged by the rules of the log's letter, in the entry
  // and in the points.
  const char letter = rec::GetChar(list.data(), crec::kTyp);
  dokCheck_ = std::make_unique<TEntryDokCheck>(letter);
  if (!CheckDok) CheckDok = [letter](std::string_view dok) { return ::CheckDok(dok, letter); };
  State.CurrentBand = contest_.BandLetters[0];
  State.AutoTime = rec::GetBool(list.data(), crec::kZeitAuto);
  // A log that cannot be written at opening (a full disk, a lock not given)
  // opens as it is stored: the storage layer has said why, once, and the
  // opening's recount only counts instead of failing again on every write.
  bool writable = true;
  if (NeedsRenumbering(opened)) {
    renumberedAtOpening_ = RunRenumber(false);
    writable = renumberedAtOpening_;
  }
  qsoTable_->ClearRecord();
  if (rec::GetBool(list.data(), crec::kBandAuto))
    State.CurrentBand = AutomaticBand(contest_, State.CurrentBand, ToDates.TodayUTC(), ToDates.CurrentTimeUTC());
  State.CurrentMode = StartingMode(contest_, list);
  View.ModeEditVisible = rec::GetBool(list.data(), crec::kStartPR) && IsContestMode(contest_, "DIGITAL");
  State.CurrentBandName = ToBaender.BandName(State.CurrentBand);

  RecountAtOpening(writable, opened.UnchangedSinceClose);
  // The grid on the newest QSO of the band, the entry record empty.
  const int32_t newest = TContLogAlle::NewestOfBand(State.CurrentBand, *qsoTable_);
  if (newest > 0 && PositionGrid) PositionGrid(newest);
  TContestQsoRecord empty{};
  rec::SetInt32(empty.data(), qrec::kDatum, -1);
  rec::SetInt32(empty.data(), qrec::kZeit, -1);
  qsoTable_->ClearRecord();
  qsoTable_->SetQsoRecord(empty);
  ShowMultiPanel();
  return true;
}

// The numbers and multiplier marks of a log are right only while every job
// that changed it also finished its renumbering; a job killed in between (an
// import committed but not renumbered, a log of an older version) leaves
// them out of time order, and nothing short of the renumbering itself tells.
// The renumbering rewrites only the records that change, so a log in order
// costs it a read. An empty log stays as it is, and so does a log as the
// last normal close left it: that close renumbered it.
bool TContestLogModel::NeedsRenumbering(const TOpenedLog& opened) const {
  return opened.HasQso && !opened.UnchangedSinceClose;
}

std::function<void(TContestQsoRecord&)> TContestLogModel::RenumberPreparation() const {
  return RenumberMultiplierPreparation(contest_, ListRecord(), CountOptions());
}

// The window opens on the band of the log's last QSO: the count is made on
// that band at once (TCountedBand::OfLastRecord), and the window follows.
void TContestLogModel::RecountAtOpening(bool writable, bool asClosed) {
  if (!writable || asClosed) {
    // Only counted: a log that cannot be written, and a log as its last
    // normal close left it, whose points and totals that close stored.
    ::RecountScore(true, State.CurrentBand, *searchLog_, contest_, ListRecord(), PointsEnv(), *lists_, counters_,
                   false, TCountedBand::OfLastRecord);
  } else {
    // The outputs read the claimed totals, not the log: a close killed
    // before its recount left them behind the log, and they are brought up
    // to it here, not only at the next normal close.
    if (extraTable_.CurrentRef() <= 0) extraTable_.FindByNumber(nummer_);
    OpeningRecount(contest_, listTable_, extraTable_, *searchLog_, PointsEnv(), State.CurrentBand, *lists_,
                   counters_, TCountedBand::OfLastRecord);
  }
  if (counters_.LastBand != 0) {
    State.CurrentBand = static_cast<char>(counters_.LastBand);
    State.CurrentBandName = ToBaender.BandName(State.CurrentBand);
  }
  beforeEntry_.reset();
  NoteCounted();
  ShowScore();
  logClaimsQsos_ = ClaimedQsos() > 0;
}

namespace {

// 0 when the log cannot tell.
uint64_t LogChangeCount(const std::unique_ptr<TdbContest>& log) {
  TdbTreiber* driver = log ? log->GetTreiber() : nullptr;
  return driver ? driver->ChangeCount() : 0;
}

}  // namespace

void TContestLogModel::NoteCounted() {
  countedChange_ = LogChangeCount(searchLog_);
  countedBand_ = State.CurrentBand;
}

bool TContestLogModel::CountsStand() {
  return countedChange_ != 0 && !beforeEntry_ && countedBand_ == State.CurrentBand &&
         LogChangeCount(searchLog_) == countedChange_;
}

void TContestLogModel::KeepLogClaimingQsos() {
  if (logClaimsQsos_ || !searchLog_) return;
  // Once per window: a log whose totals stay empty after this (band
  // changes only) is not counted again at every save.
  logClaimsQsos_ = true;
  // The first QSO of a log: its claimed totals say from now on that the log
  // holds QSOs, also when the program is killed before the window closes.
  // That is what tells a lost QSO file from a log that never had one.
  if (extraTable_.CurrentRef() <= 0) extraTable_.FindByNumber(nummer_);
  Neuberechnung(contest_, listTable_, extraTable_, *searchLog_, counters_.BandPoints);
}

void TContestLogModel::RecountAfterChange() {
  RunRecount();
  ShowMultiPanel();
}

bool TContestLogModel::RunRenumber(bool sayFailure) {
  std::unique_ptr<TJobProgress> progress;
  if (StartProgress) progress = StartProgress("Neunummerierung", qsoTable_->UsedRecords());
  const uint64_t fileErrors = DriverErrorsOfFile(QsoFileName());
  const TRenumberPrepare prepare = RenumberPreparation();
  const TRenumberResult result = Renumber(
      contest_, nummer_, false,
      [&progress](int32_t position, int32_t maximum) {
        if (progress) progress->Step(position, maximum);
      },
      prepare);
  lists_->Clear();
  countedChange_ = 0;
  if (!result.Ok) {
    // A failure of the QSO file itself was named as it happened: the
    // renumbering's own word would only say that something failed.
    const bool named = DriverErrorsOfFile(QsoFileName()) != fileErrors;
    if (sayFailure && !named)
      TellJobFailure(result.Error.empty() ? "Fehler beim Neuaufbau der Datenbank" : result.Error);
    return false;
  }
  return true;
}

bool TContestLogModel::RunRecount(uint64_t* heldCount) {
  std::unique_ptr<TJobProgress> progress;
  if (StartProgress) progress = StartProgress("Neuberechnung", 500);
  if (extraTable_.CurrentRef() <= 0) extraTable_.FindByNumber(nummer_);
  uint64_t counted = 0;
  const bool ok = FullRecount(
      contest_, listTable_, extraTable_, *searchLog_, PointsEnv(), State.CurrentBand, *lists_, counters_,
      [&progress](int32_t n) {
        if (progress) progress->Step(n, 0);
      },
      nullptr, &counted);
  // The lists were refilled: nothing is tentative any more.
  beforeEntry_.reset();
  NoteCounted();
  // The count of the file as it was counted: a write of another station
  // since then is not in these counts.
  if (counted != 0) countedChange_ = counted;
  if (heldCount) *heldCount = counted;
  ShowScore();
  if (!ok) TellJobFailure("Die Summen des Logs konnten nicht gespeichert werden.", true);
  return ok;
}

void TContestLogModel::TellJobFailure(const std::string& text, bool totals) {
  // The close renumbers and recounts the log and stores its totals; a close
  // that could not keeps no closed-log stamp, so the next opening does.
  const std::string again =
      std::string(" Das Programm holt das beim ") + (closing_ ? "nächsten Öffnen" : "Schließen") + " des Logs nach.";
  const std::string file = QsoFileName();
  if (DriverLockGivenUp(file)) {
    if (DriverTellOnce(drLockRefused, file))
      ToMessages.Fehler("Das Log wird gerade von einer anderen Station benutzt: seine Nummern und Summen konnten "
                        "darum nicht auf den neuesten Stand gebracht werden." + again);
    return;
  }
  // The totals go into the contest list or beside it, in one job with it.
  const TdbTreiber* list = totals ? listTable_.GetTreiber() : nullptr;
  if (list != nullptr && DriverLockGivenUp(list->FileName())) {
    if (DriverTellOnce(drLockRefused, list->FileName()))
      ToMessages.Fehler("Die Datei \"" + list->Title() + "\" wird gerade von einer anderen Station benutzt: " +
                        (closing_ ? std::string("das Schließen des Logs konnte darum nicht alles darin speichern. "
                                                "Das Programm zählt das Log beim nächsten Öffnen neu und bringt "
                                                "dabei seine Summen auf den neuesten Stand.")
                                  : "die Summen des Logs konnten darum nicht gespeichert werden." + again));
    return;
  }
  ToMessages.Fehler(text);
}

std::string TContestLogModel::QsoFileName() const {
  const TdbTreiber* driver = qsoTable_ ? qsoTable_->GetTreiber() : nullptr;
  return driver ? driver->FileName() : std::string();
}

void TContestLogModel::Close() {
  if (!qsoTable_) return;
  const TLogAction action(QsoFileName());
  closing_ = true;
  // Numbers first: the totals stored are those of the renumbered log.
  const bool renumbered = RunRenumber();
  // A recount that could not hold the log (another station held it and
  // the user gave up waiting) counted a file that may have changed under
  // it: it leaves no count to vouch for.
  uint64_t held = 0;
  const bool recounted = RunRecount(&held);
  DropStampGuard();
  // The file is now as the next opening's check and renumbering would
  // leave it, unless a write of the session failed or another station
  // wrote since the recount: kept so, that opening need not run them.
  const bool sound = renumbered && recounted && held != 0 &&
                     DriverErrorsOfFile(qsoTable_->GetTreiber()->FileName()) == fileErrorsAtOpening_;
  const std::optional<TClosedLogFile> file = sound ? CheckedLogFile(*searchLog_, held) : std::nullopt;
  searchLog_.reset();
  companion_.CloseLogTables(listTable_, extraTable_, qsoTable_);
  TContestExtraRecord extra{};
  extraTable_.GetExtraRecord(extra);
  RecordClosedLog(nummer_, file, ListRecord(), extra, extraTable_);
}

void TContestLogModel::RecountScore(bool full, bool storePoints) {
  // A recount of the current band rebuilds that band's counts only: what
  // the entry added on top of the others (a contest-wide multiplier, the
  // totals) must be taken back first, or a discarded entry stays counted.
  // A band recount of counts that still stand (the window's first entry
  // after the opening counted the log, Esc on an entry that counted
  // nothing) would count the same again.
  const bool stand = !full && CountsStand();
  WithdrawEntryMultis();
  if (!stand) {
    ::RecountScore(full, State.CurrentBand, *searchLog_, contest_, ListRecord(), PointsEnv(), *lists_,
                   counters_, storePoints);
    NoteCounted();
  }
  // The lists were refilled: nothing is tentative any more.
  beforeEntry_.reset();
  ShowScore();
}

void TContestLogModel::ShowScore() {
  if (panelHeld_) {
    panelPending_ = true;
    return;
  }
  View.Score = ::ShowScore(contest_, counters_, State.CurrentBand);
}

void TContestLogModel::ShowMultiPanel() {
  if (panelHeld_) {
    panelPending_ = true;
    return;
  }
  panelPending_ = false;
  View.Headline = ShowHeadline(contest_, ContestLetter(), State.CurrentBand, counters_);
  View.Multis = MergedMultiplierList(*lists_);
  ShowScore();
}

void TContestLogModel::ToggleQsl() {
  State.QslSent = ToggledQsl(State.QslSent);
  View.lQSLs = QslLabel(State.QslSent);
  TContestQsoRecord q = EntryRecord();
  rec::SetChar(q.data(), qrec::kQSLs, State.QslSent);
  SetEntryRecord(q);
}

void TContestLogModel::ToggleNameRow() {
  shape_.NameRowVisible = !shape_.NameRowVisible;
  View.CallNameVisible = !shape_.NameRowVisible;
}
