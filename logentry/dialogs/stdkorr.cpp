#include "logentry/dialogs/stdkorr.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QToolButton>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "contest/ContestRec.h"
#include "database/dbContest.h"
#include "logentry/model/contlogalle.h"
#include "logentry/model/contloggrid.h"
#include "logentry/dialogs/qsochange.h"
#include "logentry/dialogs/stdgetband.h"
#include "logentry/dialogs/suchenQE.h"
#include "platform/codec.h"
#include "ui/kbrowser.h"
#include "ui/kxbrow.h"
#include "ui/kxlayout.h"

namespace {
constexpr int kListNumber = 46;
}

TKorrekturstd::TKorrekturstd(QWidget* owner, TKorrekturMode mode, char band, const TContestRec& contest,
                             TQsoWindowLink& link)
    : TkxForm(owner), mode_(mode), band_(band), contest_(std::make_unique<TContestRec>(contest)), link_(link) {
  setObjectName(QStringLiteral("Korrekturstd"));
  setWindowTitle(AnsiToQString(KorrekturCaption(mode)));
  resize(760, 480);
  Brow = new TkxBrow(this);
  Brow->setObjectName(QStringLiteral("Brow"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Brow);
  // The look first: the browser's bar and rows take their sizes from the
  // font it sets.
  ToLayout.ApplyFormLook(this, true);

  Brow->OnBuildRow = [this](RowRec& row) { BrowBuildRow(row); };
  Brow->OnSetHeaderFooter = [this] { BrowSetHeaderFooter(); };
  Brow->OnBrowColWidths = [this](int column) { return BrowBrowColWidths(column); };
  Brow->OnBrowEnter = [this] { BrowBrowEnter(); };
  Brow->OnBrowDoppelKlick = [this] { BrowBrowEnter(); };
  Brow->OnDatensatz_Loeschen = [this] { return BrowDatensatz_Loeschen(); };
  // The grid's close button closes the list, as Esc does.
  Brow->OnBrowCloseBtnKlick = [this](QObject*) { done(mrCancel); };
  // The grid keeps the keys it knows; Esc is the list's.
  Brow->OnProcessPostCommand = [this](Qt::KeyboardModifiers, int key) {
    if (key != Qt::Key_Escape) return false;
    done(mrCancel);
    return true;
  };

  TContestRecord list{};
  link_.ContestListTable->GetContestRecord(list);
  table_ = std::make_unique<TdbContest>(kContestLog, link_.QsoTable->IsDetached(),
                                        rec::GetInt32(list.data(), crec::kNummer));
  const TKorrekturKeys keys = KorrekturKeys(mode, band, table_->IsDetached());
  ToLayout.PaintBrowserCells(Brow);
  Brow->Open(kListNumber, table_.get(), MakeKeyStr(keys.Low), MakeKeyStr(keys.High), keys.KeyNumber);

  // The list is for reading and picking rows: one order, no views, no
  // direct editing; the look's sort controls go as well.
  Brow->SetNoDrag(true);
  ToLayout.LayoutBrowser(this, Brow);
  Brow->ShowSortList(false);
  for (const char* name : {"btnSortierung", "imgSortierung"})
    if (QWidget* w = Brow->FooterBar()->findChild<QWidget*>(QString::fromLatin1(name))) w->hide();
  if (Brow->ViewCombo()) Brow->ViewCombo()->hide();
  if (Brow->EditButton()) Brow->EditButton()->hide();
  // However narrow the list is made, the quick search stays clear of the
  // paging buttons at the bar's right end.
  QWidget* paging = Brow->NavButton(0)->parentWidget();
  int searchEnd = 0;
  for (QWidget* w : Brow->FooterBar()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (w != paging && !w->isHidden()) searchEnd = std::max(searchEnd, w->geometry().right() + 1);
  setMinimumWidth(searchEnd + paging->width() + 8);
  Brow->SetRowHeight(static_cast<int>(std::lround(QFontMetrics(font()).height() * 1.3)));
  Brow->SetGridFont(QStringLiteral("ARIAL"), 10, 1);
  Brow->setFocus();
  if (mode != kKorrekturCallSearch) Brow->GoLast();
}

TKorrekturstd::~TKorrekturstd() {
  SaveColumnWidths();
  delete Brow;  // the grid goes before the table it pages
  Brow = nullptr;
}

int TKorrekturstd::RunCallSearch() {
  TSucheQE_ search(Brow, *table_);
  const int result = search.exec();
  if (result != mrOk) Brow->GoLast();
  return result;
}

void TKorrekturstd::BrowBuildRow(RowRec& row) {
  if (link_.BuildGridRow && row.Ref > 0) row.Row = link_.BuildGridRow(row.Ref);
}

void TKorrekturstd::BrowSetHeaderFooter() {
  if (!link_.BuildGridHeader) return;
  const std::string noColumns(50, '\0');
  Brow->SetHeaderFooter(link_.BuildGridHeader(), {}, noColumns, noColumns, "UTC:ZeitS;Datum:DatumS;Mod:Mode;");
}

int TKorrekturstd::BrowBrowColWidths(int column) {
  TContestRecord list{};
  link_.ContestListTable->GetContestRecord(list);
  // The same widths as the log grid, whose rows the list shows.
  return GridColumnShownWidth(list, *contest_, column, Brow->CharWidth());
}

void TKorrekturstd::BrowBrowEnter() {
  ChangeQso(link_, *Brow);
  Brow->Refresh();
}

bool TKorrekturstd::BrowDatensatz_Loeschen() {
  DeleteQso(link_, *Brow);
  return true;
}

void TKorrekturstd::SaveColumnWidths() {
  if (Brow == nullptr || !Brow->IsOpen() || Brow->ColCount() == 0) return;
  // The log grid shows its columns at these widths again. A column the user
  // sized here keeps that width; every other one the width the log grid
  // shows, not the one the list's larger font and its stretched last column
  // gave it here.
  const std::vector<int> logGrid = link_.LogGridWidths ? link_.LogGridWidths() : std::vector<int>{};
  const std::vector<int>& sized = Brow->ColumnWidthTable(Brow->CurrentKeyNumber());
  std::vector<int> widths;
  for (int k = 0; k < Brow->ColCount() - Brow->FixedCols(); ++k) {
    const auto at = static_cast<size_t>(k);
    if (at < sized.size() && sized[at] > 0)
      widths.push_back(sized[at]);
    else if (at < logGrid.size())
      widths.push_back(logGrid[at]);
    else
      widths.push_back(Brow->ColWidth(Brow->FixedCols() + k));
  }
  TContLogAlle::SaveColumnWidths(*link_.ContestListTable, widths);
}

void TKorrekturstd::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    e->accept();
    done(mrCancel);
    return;
  }
  TkxForm::keyPressEvent(e);
}

bool ShowQsoList(TQsoWindowLink& link, TKorrekturMode mode, char currentBand) {
  char band = 0;
  if (mode == kKorrekturBandLog) {
    band = ChooseBand(link.Window, *link.Contest, currentBand);
    if (band == 0) return false;
  }
  {
    TKorrekturstd list(link.Window, mode, band, *link.Contest, link);
    if (mode == kKorrekturCallSearch) list.RunCallSearch();
    if (link.ListBounds.isValid()) list.setGeometry(link.ListBounds);
    list.exec();
    link.ListBounds = list.geometry();
  }
  // The list wrote its column widths into the log's record.
  link.ContestListTable->ReadRecord(link.ContestListTable->CurrentRef());
  if (link.RefreshLogGrid) link.RefreshLogGrid();
  if (mode != kKorrekturCallSearch && link.ClickClear) link.ClickClear();
  return true;
}
