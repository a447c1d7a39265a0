#include "logentry/dialogs/qsochange.h"

#include <QApplication>
#include <QCursor>
#include <memory>

#include "contest/FortschrittWinCtrl.h"
#include "database/dbContest.h"
#include "logentry/dialogs/ContestEingabeStd2Ctrl.h"
#include "platform/messages.h"
#include "ui/kxbrow.h"

namespace {

// The hourglass while a job runs.
class TWaitCursor {
 public:
  TWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// The renumbering's progress in the progress window.
class TRenumberWindow {
 public:
  TRenumberWindow(QWidget* owner, int32_t records)
      : ctrl_(owner, "Neunummerierung", "Neunummerierung", records, false) {
    ctrl_.Show();
  }
  // The bar moves by whole percents: finer steps would only repaint it
  // with the same picture, a good part of the job's time on a large log.
  TRenumberProgress Progress() {
    return [this](int32_t position, int32_t maximum) {
      const bool newMax = maximum != ctrl_.Max();
      if (position < shown_) shown_ = 0;  // the job's next pass starts
      if (!newMax && position != maximum && (position - shown_) * 100 < maximum) return;
      shown_ = position;
      bool cancel = false;
      ctrl_.Step("Neunummerierung", position, cancel, newMax ? maximum : 0);
    };
  }

 private:
  TFortschrittWinCtrl ctrl_;
  int32_t shown_ = 0;
};

// Runs a renumbering job under the hourglass and the progress window, with
// the window's multiplier lists emptied around it; reports its error.
template <typename Job>
bool WithRenumberWindow(TQsoWindowLink& link, Job job) {
  if (link.ClearMultiplierLists) link.ClearMultiplierLists();
  TRenumberResult r;
  {
    TWaitCursor wait;
    TRenumberWindow window(link.Window, link.QsoTable->UsedRecords());
    r = job(window.Progress());
  }
  if (link.ClearMultiplierLists) link.ClearMultiplierLists();
  if (!r.Ok && !r.Error.empty()) ToMessages.Fehler(r.Error);
  return r.Ok;
}

// Puts the window's table on the QSO of the grid's row; false when the row
// holds none or a band-change row.
bool PositionOnRow(TQsoWindowLink& link, TkxBrow& grid, int32_t& ref) {
  if (link.QsoTable == nullptr || link.Contest == nullptr || link.ContestListTable == nullptr) return false;
  if (!grid.HasRecords()) return false;
  ref = grid.CurrentRowRef();
  return ref > 0 && link.QsoTable->GotoRecord(ref) && IsDeletableQso(*link.QsoTable);
}

TRenumberPrepare Preparation(const TQsoWindowLink& link) {
  return link.PrepareRenumbered ? link.PrepareRenumbered() : TRenumberPrepare{};
}

void AfterLogChanged(TQsoWindowLink& link) {
  if (link.RecountAll) link.RecountAll();
  if (link.RefreshLogGrid) link.RefreshLogGrid();
}

void NextEntry(TQsoWindowLink& link) {
  link.QsoTable->ClearRecord();
  if (link.StartNewEntry) link.StartNewEntry();
}

}  // namespace

bool RenumberLog(TQsoWindowLink& link) {
  return WithRenumberWindow(link, [&](const TRenumberProgress& progress) {
    return Renumber(*link.Contest, link.QsoTable->GetContestNumber(), link.QsoTable->IsDetached(), progress,
                    Preparation(link));
  });
}

bool DeleteQso(TQsoWindowLink& link, TkxBrow& grid) {
  int32_t ref = 0;
  if (!PositionOnRow(link, grid, ref)) return false;
  ToMessages.Achtung("", kDeleteWarning);
  if (!ToMessages.JaNeinFrage("", "Sicherheitsabfrage", DeleteQuestion(link.QsoTable->GetCall()), true))
    return false;
  const bool ok = WithRenumberWindow(link, [&](const TRenumberProgress& progress) {
    return DeleteAndRenumber(*link.Contest, *link.QsoTable, ref, progress, Preparation(link));
  });
  // Within the grid's own bounds: the band log stays on its band.
  grid.GoLast();
  AfterLogChanged(link);
  NextEntry(link);
  return ok;
}

bool EditStoredQso(TQsoWindowLink& link, int32_t ref, bool* renumbered) {
  if (renumbered) *renumbered = false;
  if (link.Routines == nullptr || link.QsoTable == nullptr || !link.QsoTable->GotoRecord(ref) ||
      !IsDeletableQso(*link.QsoTable))
    return false;
  auto visible = [&](int field) { return !link.ReceivedFieldVisible || link.ReceivedFieldVisible(field); };
  TContestEingabeStd2Ctrl ctrl(link.Window, link.Points, *link.Routines, visible(4), visible(3), visible(2),
                               *link.ContestListTable, *link.QsoTable, *link.Contest);
  if (!ctrl.Execute()) return false;
  if (link.ClearNewMultiTexts) link.ClearNewMultiTexts();
  if (ctrl.RecountNeeded) {
    RenumberLog(link);
    if (renumbered) *renumbered = true;
  }
  return true;
}

bool ChangeQso(TQsoWindowLink& link, TkxBrow& grid) {
  int32_t ref = 0;
  if (!PositionOnRow(link, grid, ref)) return false;
  bool renumbered = false;
  const bool stored = EditStoredQso(link, ref, &renumbered);
  if (renumbered)
    AfterLogChanged(link);
  else if (stored && link.RefreshLogGrid)
    link.RefreshLogGrid();
  if (stored) grid.GotoRecord(ref);
  NextEntry(link);
  return stored;
}
