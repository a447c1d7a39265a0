#include "logentry/dialogs/qsowindowservices.h"

#include <QRect>
#include <QTimer>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "logentry/dialogs/ContestAdifimportCtrl.h"
#include "logentry/dialogs/ContestEingabeStd2Ctrl.h"
#include "logentry/dialogs/DatenPrefixFkt.h"
#include "logentry/dialogs/auswertungform.h"
#include "logentry/model/contloggrid.h"
#include "logentry/window/contlogstd.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/dialogs/qsochange.h"
#include "logentry/dialogs/stdkorr.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"

namespace {

char LetterOf(TdbContestBase& listTable) {
  TContestRecord list{};
  listTable.GetContestRecord(list);
  return rec::GetChar(list.data(), crec::kTyp);
}

// What the services keep for the window that calls them: the routines the
// dialog stores with and the place of the lists.
struct TWindowKept {
  const TContestLogStd* Window = nullptr;
  TEntryRoutinesForEdit Routines;
  QRect ListBounds;
  TChartWindowRect ChartPlace;  // both charts share one place per window
};

TWindowKept& KeptFor(const TContestLogStd& window) {
  static TWindowKept kept;
  if (kept.Window != &window) {
    kept.Window = &window;
    kept.ListBounds = QRect();
    kept.ChartPlace = TChartWindowRect{};
  }
  return kept;
}

// What the change and list commands need of the window.
TQsoWindowLink LinkOf(TContestLogStd& window, TWindowKept& kept, TdbContest& rows) {
  TContestLogModel& model = window.Model();
  TQsoWindowLink link;
  link.Window = &window;
  link.Contest = &model.Contest();
  link.ContestListTable = &model.ContestListTable();
  link.QsoTable = &model.QsoTable();
  link.Routines = &kept.Routines;
  link.ListBounds = kept.ListBounds;
  link.ReceivedFieldVisible = [&window](int field) {
    TkxEdit* e = window.eRSTr[static_cast<size_t>(field - 1)];
    return e != nullptr && e->isVisible();
  };
  link.RecountAll = [&window, &model] {
    model.RecountAfterChange();
    window.ShowView(false);
  };
  link.PrepareRenumbered = [&model] { return model.RenumberPreparation(); };
  link.ClearMultiplierLists = [&model] { model.Lists().Clear(); };
  link.ClearNewMultiTexts = [&model] { model.Lists().ClearMarks(); };
  link.StartNewEntry = [&window] { window.StartNewEntry(false); };
  link.BuildGridRow = [&model, &rows](int32_t ref) -> std::string {
    // Read anew: the QSO may have been changed through another handle since
    // this one last held it (the edit dialog, a renumbering).
    if (!rows.ReadRecord(ref)) return {};
    TContestQsoRecord q;
    rows.GetQsoRecord(q);
    return BuildGridRow(q, model.Contest(), model.ContestLetter());
  };
  link.BuildGridHeader = [&model] { return BuildGridHeader(model.Contest(), LanguageFlag == 0); };
  link.RefreshLogGrid = [&window] {
    if (window.Brow == nullptr) return;
    window.Brow->DoSetHeaderFooter();  // the lists may have changed the column widths
    window.Brow->Refresh();
  };
  link.LogGridWidths = [&window] { return window.GridColumnWidths(); };
  link.ClickClear = [&window] { window.btnClearClick(); };
  return link;
}

void ShowList(TContestLogStd& window, TKorrekturMode mode) {
  TWindowKept& kept = KeptFor(window);
  TContestLogModel& model = window.Model();
  // The rows are read through a handle of their own: paging never moves
  // the window's table, whose edit copy is the entry.
  TdbContest rows(kContestLog, model.QsoTable().IsDetached(), model.ContestNumber());
  TQsoWindowLink link = LinkOf(window, kept, rows);
  ShowQsoList(link, mode, model.State.CurrentBand);
  kept.ListBounds = link.ListBounds;
}

// The file the dialog ended with, imported: every record goes through the
// entry's own preparation on its own band (its exchange stored by kind, the
// country looked up, the multipliers marked), then the window's check and
// save; the window is back on its band and mode with the score recounted
// and the grid refreshed before the totals are told, so the notice stands
// over the log it speaks of.
void ImportChosenFile(TContestLogStd& window, const TContestAdifimportCtrl& chosen) {
  TContestLogModel& model = window.Model();
  const TAdifEntryDefaults defaults = model.ImportDefaults(
      window.emode->isVisible() ? QStringToAnsi(window.emode->text()) : model.State.CurrentMode,
      QStringToAnsi(window.eFreq->text()));
  TAdifImportTotals totals;
  model.RunImport([&](const TContestLogModel::TQsoPreparation& prepare) {
    totals = chosen.Import(model.ContestLetter(), model.ContestListTable(), model.QsoTable(), prepare, defaults);
  });
  model.RecountAfterChange();
  if (window.Brow != nullptr) window.Brow->Refresh();
  window.PositionGrid(TContLogAlle::NewestOfBand(model.State.CurrentBand, model.QsoTable()));
  model.QsoTable().ClearRecord();
  window.StartNewEntry(false);
  ToMessages.Hinweis("", "", ImportTotalsText(totals), false);
}

// The import button: the clock rests while the dialog and the import run.
// The dialog comes first: given up without a file, it leaves the entry
// being typed, its tentative multipliers and the field the user was in as
// they were; only an import gives the entry up.
void ImportAdif(TContestLogStd& window) {
  const bool ticking = window.timerzeit->isActive();
  window.timerzeit->stop();
  TContestAdifimportCtrl chosen(&window, window.Model().Contest());
  if (chosen.Execute()) ImportChosenFile(window, chosen);
  if (ticking) window.timerzeit->start();
}

}  // namespace

bool TEntryRoutinesForEdit::LookupPrefix(TdbContestBase& qsoTable, TdbContestBase& contestListTable,
                                         const TContestRec& contest) {
  TEntryDokCheck area(LetterOf(contestListTable));
  return lookup_.LookupPrefix(qsoTable, contestListTable, contest, &area);
}

bool TEntryRoutinesForEdit::CheckDok(std::string_view dok, TdbContestBase& contestListTable) {
  return ::CheckDok(dok, LetterOf(contestListTable));
}

int32_t TEntryRoutinesForEdit::QrbKm(std::string_view locator) { return ::QrbKm(locator); }

std::string TEntryRoutinesForEdit::UsStateCode(std::string_view text) { return ::UsStateCode(text); }

void InstallQsoWindowServices() {
  // The edit dialog's "..." button picks the DXCC from the prefix list.
  ChooseDxccHook() = [](QWidget* owner, const std::string& startText) {
    std::string dxcc, prefix;
    TDatenPrefixFkt::ChooseDxcc(dxcc, startText, prefix, owner);
    return dxcc;
  };
  TLogWindowServices& s = LogWindowServices();
  // The chart is chosen by the log's contest letter; the window asks only
  // for letters that have one.
  s.Chart = [](TContestLogStd& window, int chart) {
    RunEvaluationChart(&window, window.Model().ContestListTable(), KeptFor(window).ChartPlace, chart == 1);
  };
  s.ChangeQso = [](TContestLogStd& window, int32_t ref) {
    TWindowKept& kept = KeptFor(window);
    TdbContest rows(kContestLog, window.Model().QsoTable().IsDetached(), window.Model().ContestNumber());
    TQsoWindowLink link = LinkOf(window, kept, rows);
    // The window recounts and positions its grid when this says true.
    return EditStoredQso(link, ref);
  };
  s.DeleteQso = [](TContestLogStd& window) {
    TWindowKept& kept = KeptFor(window);
    TdbContest rows(kContestLog, window.Model().QsoTable().IsDetached(), window.Model().ContestNumber());
    TQsoWindowLink link = LinkOf(window, kept, rows);
    DeleteQso(link, *window.Brow);
  };
  s.AdifImport = ImportAdif;
  s.QsoList = [](TContestLogStd& window) { ShowList(window, kKorrekturQsoList); };
  s.CallSearch = [](TContestLogStd& window) { ShowList(window, kKorrekturCallSearch); };
  s.BandLog = [](TContestLogStd& window) { ShowList(window, kKorrekturBandLog); };
}
