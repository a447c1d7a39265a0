#include "ui/kxbrow_select.h"

#include <QPainter>
#include <QTableView>
#include <QWidget>

#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"

namespace {

// The band itself: a plain child of the grid's viewport that paints the
// band's colours and lets the mouse through.
class TBandWidget : public QWidget {
 public:
  TBandWidget(QWidget* parent, const TkxBrowSelect* sel) : QWidget(parent), sel_(sel) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    sel_->PaintRubberBand(p);
  }

 private:
  const TkxBrowSelect* sel_;
};

}  // namespace

TkxBrowSelect::TkxBrowSelect(TkxBrow* owner) : owner_(owner) {}

TkxBrowSelect::~TkxBrowSelect() {
  EndRubberBand();
  refs_.clear();
}

bool TkxBrowSelect::Detached() const { return owner_->DetachedView(); }

void TkxBrowSelect::SetRef(int32_t ref, int op) {
  auto fire = [this] {
    if (owner_->OnInternselect) owner_->OnInternselect();
  };
  if (Detached()) {
    fire();
    return;
  }
  bool any = false;
  for (int32_t& r : refs_) {
    if (r == ref && ref > 0) {
      if (op == 1) return;
      r = 0;
      fire();
      return;
    }
    if (r > 0) any = true;
  }
  if (!any) refs_.clear();
  if (op == 0 || ref <= 0) return;
  for (int32_t& r : refs_) {
    if (r == 0) {
      r = ref;
      fire();
      return;
    }
  }
  refs_.push_back(ref);
  fire();
}

bool TkxBrowSelect::IsSelected(int32_t ref) {
  if (Detached() || ref <= 0) return false;
  bool any = false;
  for (int32_t r : refs_) {
    if (r == ref) return true;
    if (r > 0) any = true;
  }
  if (!any) refs_.clear();
  return false;
}

bool TkxBrowSelect::IsSelectedCell(int column, int row) {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return false;
  const int i = owner_->GridCtrl()->CellToIndex(row, column);
  if (i < 1 || i > e->RowsInUse()) return false;
  return IsSelected(e->Row(i).Ref);
}

bool TkxBrowSelect::IsCurrentSelected() {
  TKBrowser* e = owner_->Engine();
  if (Detached() || e == nullptr || e->FindCurrent() != 0) return false;
  return IsSelected(owner_->Table()->CurrentRef());
}

bool TkxBrowSelect::HasMultiSelection() {
  if (Detached()) return false;
  int count = 0;
  int32_t one = 0;
  for (int32_t r : refs_) {
    if (r > 0) {
      ++count;
      one = r;
    }
  }
  if (count >= 2) return true;
  if (count == 0) return false;
  // Building a page reads every row, so the record under the cursor stands
  // for the table's current one.
  return owner_->CurrentRowRef() != one;
}

bool TkxBrowSelect::FindFirst() {
  if (Detached()) return false;
  cursor_ = -1;
  return FindNext();
}

bool TkxBrowSelect::FindNext() {
  if (Detached()) return false;
  for (size_t i = static_cast<size_t>(cursor_ + 1); i < refs_.size(); ++i) {
    if (refs_[i] > 0) {
      cursor_ = static_cast<int>(i);
      return true;
    }
  }
  cursor_ = static_cast<int>(refs_.size());
  return false;
}

bool TkxBrowSelect::GotoCurrent() {
  if (Detached() || cursor_ < 0 || cursor_ >= static_cast<int>(refs_.size())) return false;
  const int32_t ref = refs_[static_cast<size_t>(cursor_)];
  if (ref <= 0 || owner_->Table() == nullptr) return false;
  return owner_->Table()->ReadRecord(ref, false) == 0;
}

void TkxBrowSelect::Clear() {
  if (Detached()) return;
  cursor_ = -1;
  refs_.clear();
}

void TkxBrowSelect::SelectOp(int op) {
  TKBrowser* e = owner_->Engine();
  TBrowDriver* t = owner_->Table();
  if (e == nullptr || t == nullptr) return;
  const bool detached = Detached();
  int32_t ref = 0;
  std::string key;
  const std::string prevKey = anchorKey_;
  const int32_t prevRef = anchorRef_;
  const bool prevValid = anchorKeyNumber_ == e->KeyNumber() && prevRef > 0;
  if (!detached) {
    if (e->FindCurrent() != 0) return;
    ref = t->CurrentRef();
    key = e->CurrentRowKey();
    anchorKey_ = key;
    anchorRef_ = ref;
    anchorKeyNumber_ = e->KeyNumber();
  }
  switch (op) {
    case 1: SetRef(ref, 2); break;
    case 3: SetRef(ref, 1); break;
    case 4: SetRef(ref, 0); break;
    case 2:
      if (detached) break;
      // The range runs along the index the list shows, between the old
      // anchor and this record, over the entries the list accepts.
      if (!prevValid) {
        SetRef(ref, 1);
        break;
      }
      e->WalkRange(owner_->GridCtrl(), prevKey, prevRef, key, ref,
                   [this](int32_t r) { SetRef(r, 1); });
      break;
    default: break;
  }
}

void TkxBrowSelect::CellClick(int row, int column, Qt::KeyboardModifiers shift,
                              Qt::MouseButton button) {
  TkxBrowStringGridCtrl* ctrl = owner_->GridCtrl();
  TKBrowser* e = owner_->Engine();
  if (e == nullptr || ctrl->IsDirectEdit()) return;
  const int i = ctrl->CellToIndex(row, column);
  if (i < 1 || i > e->LastValidRow()) return;
  e->SetCurrentRow(i);
  if (shift & Qt::ControlModifier)
    owner_->DoAddSelectRow(1);
  else if (button == Qt::RightButton && !owner_->MultiSelect())
    owner_->DoAddSelectRow(1);
  else if (shift & Qt::ShiftModifier)
    owner_->DoAddSelectRow(2);
  else
    owner_->DoAddSelectRow(owner_->MultiSelect() ? 3 : 0);
  if (button == Qt::RightButton && owner_->OnGetSelectRow) owner_->OnGetSelectRow();
  ctrl->SyncCursor();
}

void TkxBrowSelect::StartRubberBand(QPoint at, bool doubleClick) {
  EndRubberBand();
  if (doubleClick) return;
  QTableView* g = owner_->Grid();
  band_ = new TBandWidget(g->viewport(), this);
  band_->setGeometry(at.x(), at.y(), 1, 1);
  dragStart_ = at;
  bandCells_ = QRect();
}

QRect TkxBrowSelect::RubberBandRect() const {
  return band_ == nullptr ? QRect() : band_->geometry();
}

void TkxBrowSelect::MoveRubberBand(QPoint to) {
  if (band_ == nullptr) return;
  QTableView* g = owner_->Grid();
  const QRect r = QRect(dragStart_, to).normalized();
  band_->setGeometry(r.adjusted(0, 0, 1, 1));
  band_->show();
  band_->update();
  // Cells under the two corners; rows only in the list layout.
  const QModelIndex a = g->indexAt(r.topLeft());
  const QModelIndex b = g->indexAt(r.bottomRight());
  const int rows = g->model()->rowCount();
  const int cols = g->model()->columnCount();
  const int r0 = a.isValid() ? a.row() : 0;
  const int r1 = b.isValid() ? b.row() : rows - 1;
  const bool list = owner_->ViewMode() == 0;
  const int c0 = list ? 0 : (a.isValid() ? a.column() : 0);
  const int c1 = list ? 0 : (b.isValid() ? b.column() : cols - 1);
  const QRect now(QPoint(c0, r0), QPoint(c1, r1));
  const QRect all = bandCells_.isNull() ? now : now.united(bandCells_);
  for (int row = all.top(); row <= all.bottom(); ++row)
    for (int col = all.left(); col <= all.right(); ++col)
      SelectCell(row, col, now.contains(col, row));
  bandCells_ = now;
  g->viewport()->update();
}

void TkxBrowSelect::SelectCell(int row, int column, bool add) {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  const int i = owner_->GridCtrl()->CellToIndex(row, column);
  if (i < 1 || i > TKBrowser::kMaxRows || i > e->LastValidRow()) return;
  const int32_t ref = e->Row(i).Ref;
  const bool sel = IsSelected(ref);
  if (add && !sel)
    SetRef(ref, 1);
  else if (!add && sel)
    SetRef(ref, 0);
  else
    return;
  owner_->GridCtrl()->FillRow(i);
}

void TkxBrowSelect::EndRubberBand() {
  if (band_ == nullptr) return;
  delete band_;
  band_ = nullptr;
  bandCells_ = QRect();
  if (owner_->Grid() != nullptr) owner_->Grid()->viewport()->update();
}

void TkxBrowSelect::PaintRubberBand(QPainter& p) const {
  if (band_ == nullptr) return;
  p.setBrush(QColor(0xA8, 0xCA, 0xEC));  // $ECCAA8
  p.setPen(QColor(0x33, 0x99, 0xFF));    // $FF9933
  p.drawRect(band_->rect().adjusted(0, 0, -1, -1));
}
