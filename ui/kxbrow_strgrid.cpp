#include "ui/kxbrow_strgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>
#include <algorithm>
#include <charconv>

#include "platform/codec.h"
#include "platform/messages.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_select.h"
#include "ui/kxgrafik.h"

const char* const TkxBrowStringGridCtrl::kUnreadable = " ***** Datensatz nicht lesbar *****";

// ---- display-free helpers -------------------------------------------------

std::vector<TSubColumnPiece> SplitSubColumns(std::string_view cell) {
  std::vector<TSubColumnPiece> out;
  size_t start = 0, scan = 0;
  for (;;) {
    const size_t open = cell.find('[', scan);
    if (open == std::string_view::npos) break;
    const size_t close = cell.find(']', open);
    if (close == std::string_view::npos) break;
    const std::string_view digits = cell.substr(open + 1, close - open - 1);
    int n = 0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (!digits.empty() && res.ec == std::errc() && res.ptr == digits.data() + digits.size() &&
        n >= 0) {
      out.push_back({std::string(cell.substr(start, open - start)), n});
      start = scan = close + 1;
    } else {
      scan = open + 1;  // a bracket that is no mark stays text
    }
  }
  if (start < cell.size() || out.empty()) out.push_back({std::string(cell.substr(start)), -1});
  return out;
}

std::vector<std::string> SplitCaptions(std::string_view line) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t semi = line.find(';', start);
    if (semi == std::string_view::npos) {
      parts.emplace_back(line.substr(start));
      break;
    }
    parts.emplace_back(line.substr(start, semi - start));
    start = semi + 1;
  }
  // A line ending in ";" has no empty column after it.
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
  return parts;
}

int VScrollMaxFor(int32_t n) {
  if (n <= 0) return 0;
  if (n < 3000) return n - 1;
  return 247;
}

std::vector<int> ComputeColumnWidths(const std::vector<std::string>& parts, int charWidth,
                                     bool list, bool setColumns, int gridLine, int clientWidth,
                                     const std::function<int(int)>& event,
                                     const std::vector<int>* stored) {
  std::vector<int> widths;
  int total = 5;
  for (size_t c = 0; c < parts.size(); ++c) {
    int w = static_cast<int>(parts[c].size() + 1) * charWidth;
    if (list && event) {
      const int e = event(static_cast<int>(c) + 1);
      if (e > 0) w = e;
    } else if (list && stored != nullptr && c < stored->size() && (*stored)[c] > 0 &&
               (*stored)[c] < clientWidth) {
      w = (*stored)[c];
    }
    widths.push_back(w);
    total += w + gridLine;
  }
  if (setColumns && list && !widths.empty() && clientWidth > total)
    widths.back() += clientWidth - total;
  return widths;
}

// ---- model ----------------------------------------------------------------

int TkxBrowPageModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TkxBrowPageModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

void TkxBrowPageModel::SetShape(int rows, int cols) {
  if (rows == rows_ && cols == cols_) {
    PageChanged();
    return;
  }
  beginResetModel();
  rows_ = std::max(rows, 0);
  cols_ = std::max(cols, 1);
  endResetModel();
}

void TkxBrowPageModel::PageChanged() {
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

void TkxBrowPageModel::CellChanged(int row, int col) {
  if (row < 0 || row >= rows_) return;
  if (ctrl_->Owner()->ViewMode() == 0)
    emit dataChanged(index(row, 0), index(row, cols_ - 1));
  else if (col >= 0 && col < cols_)
    emit dataChanged(index(row, col), index(row, col));
}

void TkxBrowPageModel::HeaderChanged() {
  emit headerDataChanged(Qt::Horizontal, 0, std::max(cols_ - 1, 0));
}

QVariant TkxBrowPageModel::data(const QModelIndex& ix, int role) const {
  TkxBrow* panel = ctrl_->Owner();
  TKBrowser* e = panel->Engine();
  if (e == nullptr || !ix.isValid()) return {};
  const int i = ctrl_->CellToIndex(ix.row(), ix.column());
  if (i < 1 || i > e->RowsInUse()) return {};
  const RowRec& row = e->Row(i);
  if (role == Qt::EditRole && ctrl_->IsDirectEdit()) {
    // The editor starts from what the owner makes of the cell.
    std::string value = QStringToAnsi(data(ix, Qt::DisplayRole).toString());
    if (panel->OnBrowTextinZelle && panel->HasRecords() && ctrl_->IsCurrentCell(ix.row(), ix.column()))
      panel->OnBrowTextinZelle(ix.column(), ix.row() + 1, value);
    return AnsiToQString(value);
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      if (row.Ref < 1) return QString();  // an empty slot may still hold an old text
      if (panel->ViewMode() != 0) return AnsiToQString(row.Row);
      const std::vector<std::string> parts = SplitCaptions(row.Row);
      const size_t c = static_cast<size_t>(ix.column());
      return c < parts.size() ? AnsiToQString(parts[c]) : QString();
    }
    case RowTextRole: return AnsiToQString(row.Row);
    case SelectedRole: return row.Ref > 0 && panel->DoFindeSelectRow(row.Ref) != 0;
    default: return {};
  }
}

QVariant TkxBrowPageModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o != Qt::Horizontal) return {};
  TkxBrow* panel = ctrl_->Owner();
  const auto& caps = panel->Captions();
  if (role == Qt::DisplayRole) {
    if (panel->ViewMode() != 0) return section == 0 && !caps.empty() ? AnsiToQString(caps[0]) : QVariant();
    return section < static_cast<int>(caps.size()) ? AnsiToQString(caps[static_cast<size_t>(section)])
                                                   : QVariant();
  }
  if (role == Qt::FontRole && panel->ViewMode() == 0) {
    bool current = false;
    panel->ColumnSortIndex(section, &current);
    if (current) {
      QFont f = panel->Grid()->font();
      f.setBold(true);
      return f;
    }
  }
  return {};
}

Qt::ItemFlags TkxBrowPageModel::flags(const QModelIndex& ix) const {
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  // Only the cells of the current row the owner allows take an editor.
  if (ctrl_->IsDirectEdit() && ctrl_->IsCurrentCell(ix.row(), ix.column()) &&
      ctrl_->Owner()->HasRecords() && !ctrl_->Owner()->DirectEditRefuses(ix.column(), ix.row() + 1))
    f |= Qt::ItemIsEditable;
  return f;
}

bool TkxBrowPageModel::setData(const QModelIndex& ix, const QVariant& value, int role) {
  if (role != Qt::EditRole) return false;
  TkxBrow* panel = ctrl_->Owner();
  if (!panel->OnBrowTextausZelle || !panel->HasRecords() || !ctrl_->IsCurrentCell(ix.row(), ix.column()))
    return false;
  panel->OnBrowTextausZelle(ix.column(), ix.row() + 1, QStringToAnsi(value.toString()));
  ctrl_->Reread();
  return true;
}

// ---- drawing --------------------------------------------------------------

void TkxBrowCellDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                                const QModelIndex& ix) const {
  TkxBrow* panel = ctrl_->Owner();
  if (panel->Engine() == nullptr) return;
  const QRect r = option.rect;
  if (!panel->DefaultDrawing() && panel->OnDrawCell) {
    panel->OnDrawCell(p, ix.column(), ix.row() + 1, r);
    return;
  }
  const bool current = ctrl_->IsCurrentCell(ix.row(), ix.column());
  const bool selected = ix.data(TkxBrowPageModel::SelectedRole).toBool();
  const bool editing = current && ctrl_->IsDirectEdit();
  // A cell of the edited row that the owner keeps from editing stands out
  // in full red.
  const TColor editFill =
      editing && panel->DirectEditRefuses(ix.column(), ix.row() + 1) ? 0x0000FF : 0xD5D5FF;
  QColor fill = option.palette.color(QPalette::Base);
  if (editing)
    fill = TColorToQColor(editFill);
  else if (current)
    fill = option.palette.color(QPalette::Highlight);
  else if (selected)
    fill = QColor(0xA8, 0xCA, 0xEC);
  else if (ctrl_->HoverHighlight() && ctrl_->IsHoverCell(ix.row(), ix.column()))
    fill = QColor(0xE8, 0xF0, 0xFA);
  p->fillRect(r, fill);
  if (editing)
    p->setPen(TColorToQColor(ToGrafik.ContrastColor(editFill)));
  else
    p->setPen(current ? option.palette.color(QPalette::HighlightedText)
                      : option.palette.color(QPalette::Text));
  p->setFont(option.font);
  DrawSubColumnText(*p, r.adjusted(2, 0, -2, 0), QStringToAnsi(ix.data(Qt::DisplayRole).toString()));
}

void DrawSubColumnText(QPainter& p, const QRect& inner, const std::string& text) {
  const QFontMetrics fm(p.font());
  const int digit = fm.horizontalAdvance(QLatin1Char('8'));
  p.save();
  p.setClipRect(inner, Qt::IntersectClip);
  // Text drawn at its base line: no layout per piece, the clip cuts it.
  const int base = inner.top() + (inner.height() - fm.height()) / 2 + fm.ascent();
  int x = inner.left();
  for (const TSubColumnPiece& piece : SplitSubColumns(text)) {
    if (piece.digits == 0) continue;
    if (!piece.text.empty()) {
      p.save();
      if (piece.digits > 0)
        p.setClipRect(QRect(x, inner.top(), piece.digits * digit, inner.height()), Qt::IntersectClip);
      p.drawText(QPoint(x, base), AnsiToQString(piece.text));
      p.restore();
    }
    if (piece.digits < 0) break;
    x += piece.digits * digit + 1;
  }
  p.restore();
}

// ---- controller -----------------------------------------------------------

TkxBrowStringGridCtrl::TkxBrowStringGridCtrl(TkxBrow* owner) : owner_(owner) {}

TkxBrowStringGridCtrl::~TkxBrowStringGridCtrl() = default;

void TkxBrowStringGridCtrl::CreateGrid(QWidget* area) {
  grid_ = new QTableView(area);
  grid_->setObjectName(QStringLiteral("Grid"));
  model_ = new TkxBrowPageModel(this);
  model_->setParent(grid_);
  delegate_ = new TkxBrowCellDelegate(this);
  delegate_->setParent(grid_);
  grid_->setModel(model_);
  grid_->setItemDelegate(delegate_);
  // The view is passive: it neither scrolls nor selects by itself.
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  grid_->setAutoScroll(false);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setTabKeyNavigation(false);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  const int h = std::max(1, static_cast<int>(std::lround(grid_->fontMetrics().height() * 1.2)));
  grid_->verticalHeader()->setDefaultSectionSize(h);
  grid_->verticalHeader()->setMinimumSectionSize(1);
  grid_->horizontalHeader()->setSectionsClickable(true);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->horizontalHeader()->setStretchLastSection(false);
  grid_->setWordWrap(false);
  grid_->setMouseTracking(true);
  QObject::connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, grid_,
                   [this](int section) {
                     if (owner_->Engine() == nullptr || owner_->MouseClicksIgnored()) return;
                     try {
                       const int s = owner_->ColumnSortIndex(section);
                       if (s >= 0) owner_->SwitchKey(s, 0, {}, {});
                     } catch (const std::exception& e) {
                       ToMessages.Fehler(e.what());
                     }
                   });
  QObject::connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, grid_,
                   [this](int section, int, int size) {
                     if (owner_->ViewMode() != 0 || owner_->Engine() == nullptr) return;
                     auto& table = owner_->ColumnWidthTable(owner_->CurrentKeyNumber());
                     if (static_cast<int>(table.size()) <= section) table.resize(static_cast<size_t>(section) + 1);
                     table[static_cast<size_t>(section)] = size;
                   });
}

int TkxBrowStringGridCtrl::CellToIndex(int row, int col) const {
  if (row < 0 || col < 0) return 0;
  switch (owner_->ViewMode()) {
    case 1: return col * visibleRows_ + row + 1;
    case 3: return row * visibleCols_ + col + 1;
    default: return row + 1;
  }
}

bool TkxBrowStringGridCtrl::IndexToCell(int index, int& row, int& col) const {
  if (index < 1) return false;
  switch (owner_->ViewMode()) {
    case 1:
      col = (index - 1) / visibleRows_;
      row = (index - 1) % visibleRows_;
      break;
    case 3:
      col = (index - 1) % visibleCols_;
      row = (index - 1) / visibleCols_;
      break;
    default:
      row = index - 1;
      col = 0;
  }
  return row < model_->rowCount() && (owner_->ViewMode() == 0 || col < model_->columnCount());
}

bool TkxBrowStringGridCtrl::IsCurrentCell(int row, int col) const {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return false;
  int r = 0, c = 0;
  // A page without records has no current row to show.
  if (e->CurrentRowRef() < 1 || !IndexToCell(e->CurrentRow(), r, c)) return false;
  return r == row && (owner_->ViewMode() == 0 || c == col);
}

bool TkxBrowStringGridCtrl::CurrentRowFailed() const {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr || e->CurrentRowRef() == 0) return true;
  return e->Row(e->CurrentRow()).Status == -1;
}

void TkxBrowStringGridCtrl::FillRow(int index) {
  int r = 0, c = 0;
  if (IndexToCell(index, r, c)) model_->CellChanged(r, c);
}

void TkxBrowStringGridCtrl::SyncCursor() {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  int r = 0, c = 0;
  if (IndexToCell(e->CurrentRow(), r, c)) {
    const int left = grid_->horizontalScrollBar()->value();
    grid_->setCurrentIndex(model_->index(r, owner_->ViewMode() == 0 ? std::max(grid_->currentIndex().column(), 0) : c));
    if (owner_->ViewMode() == 0) grid_->horizontalScrollBar()->setValue(left);
  }
  grid_->viewport()->update();
}

void TkxBrowStringGridCtrl::AfterMove() {
  model_->PageChanged();
  SyncCursor();
  UpdateVScroll();
  UpdateHScroll();
}

void TkxBrowStringGridCtrl::GoFirst() {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  e->First(this);
  AfterMove();
}

void TkxBrowStringGridCtrl::GoLast() {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  e->Last(this);
  AfterMove();
}

void TkxBrowStringGridCtrl::PageForward() {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  if (owner_->ViewMode() == 3) {
    int r = 0, c = 0;
    IndexToCell(e->CurrentRow(), r, c);
    const int lastRow = (e->LastValidRow() - 1) / std::max(visibleCols_, 1);
    if (r >= lastRow)
      e->ScrollDown(this, std::max(1, pageSize_ - visibleCols_), 0, 1, true);
    else
      e->SetCurrentRow(std::min(e->LastValidRow(), lastRow * visibleCols_ + c + 1));
  } else {
    e->ScrollDown(this, pageSize_, 0, 1, true);
  }
  AfterMove();
}

void TkxBrowStringGridCtrl::PageBack() {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  if (owner_->ViewMode() == 3) {
    int r = 0, c = 0;
    IndexToCell(e->CurrentRow(), r, c);
    if (r <= 0)
      e->ScrollUp(this, std::max(1, pageSize_ - visibleCols_), 1, true);
    else
      e->SetCurrentRow(e->FirstValidRow() + c);
  } else {
    e->ScrollUp(this, pageSize_, 1, true);
  }
  AfterMove();
}

// Moves the cursor by `records` (negative: back) while the page has a
// record there, otherwise scrolls the page by `scroll` records.
void TkxBrowStringGridCtrl::MoveBy(int records, int scroll) {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  const int target = e->CurrentRow() + records;
  if (target >= 1 && target <= e->LastValidRow()) {
    e->SetCurrentRow(target);
  } else if (records > 0) {
    const int keep = e->CurrentRow();
    const int free = e->RowsInUse() - e->LastValidRow();
    e->ScrollDown(this, scroll, 0, 0, true);
    // Rows that came into the free rows of a page that was not full (an
    // entry another station added) leave the rows above where they were;
    // only the rows beyond them push the page up.
    const int shifted = std::max(0, e->MovedRows() - free);
    e->SetCurrentRow(std::min(e->LastValidRow(), keep + records - shifted));
  } else {
    const int keep = e->CurrentRow();
    e->ScrollUp(this, scroll, 0, true);
    const int moved = e->MovedRows();
    e->SetCurrentRow(std::max(1, moved > 0 ? keep + records + moved : keep));
  }
  AfterMove();
}

void TkxBrowStringGridCtrl::RowDown() {
  switch (owner_->ViewMode()) {
    case 1: MoveBy(1, visibleRows_); break;
    case 3: MoveBy(visibleCols_, visibleCols_); break;
    default: MoveBy(1, 1);
  }
}

void TkxBrowStringGridCtrl::RowUp() {
  switch (owner_->ViewMode()) {
    case 1: MoveBy(-1, visibleRows_); break;
    case 3: MoveBy(-visibleCols_, visibleCols_); break;
    default: MoveBy(-1, 1);
  }
}

void TkxBrowStringGridCtrl::MoveRight() {
  switch (owner_->ViewMode()) {
    case 1: MoveBy(visibleRows_, visibleRows_); break;
    case 3: MoveBy(1, visibleCols_); break;
    default: {
      QScrollBar* h = grid_->horizontalScrollBar();
      h->setValue(h->value() + 1);
      UpdateHScroll();
    }
  }
}

void TkxBrowStringGridCtrl::MoveLeft() {
  switch (owner_->ViewMode()) {
    case 1: MoveBy(-visibleRows_, visibleRows_); break;
    case 3: MoveBy(-1, visibleCols_); break;
    default: {
      QScrollBar* h = grid_->horizontalScrollBar();
      h->setValue(h->value() - 1);
      UpdateHScroll();
    }
  }
}

void TkxBrowStringGridCtrl::FirstColumn() {
  if (owner_->ViewMode() == 3) {
    GoFirst();
    return;
  }
  grid_->horizontalScrollBar()->setValue(0);
  UpdateHScroll();
}

void TkxBrowStringGridCtrl::LastColumn() {
  if (owner_->ViewMode() == 3) {
    GoLast();
    return;
  }
  grid_->horizontalScrollBar()->setValue(grid_->horizontalScrollBar()->maximum());
  UpdateHScroll();
}

void TkxBrowStringGridCtrl::Reread() {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  const int rc = e->Reread(this);
  model_->PageChanged();
  SyncCursor();
  if (rc == 0) {
    UpdateVScroll();
    UpdateHScroll();
  }
}

int TkxBrowStringGridCtrl::GotoKey(const std::string& key, int32_t ref) {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return 5;
  const int rc = e->GotoKey(this, e->KeyNumber(), key, ref, pageSize_, e->CurrentRow());
  if (rc == 0) {
    const bool hadMulti = owner_->HasMultiSelection();
    owner_->ClearSelection();
    if (hadMulti) e->Reread(this);
  }
  AfterMove();
  return rc;
}

int TkxBrowStringGridCtrl::FindCurrent() {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr || !owner_->IsOpen()) return 5;
  return e->FindCurrent();
}

void TkxBrowStringGridCtrl::GotoPosition(int32_t p) {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr) return;
  std::string key;
  int32_t ref = 0;
  if (e->GotoPosition(this, p, scrollMax_, key, ref)) GotoKey(key, ref);
}

void TkxBrowStringGridCtrl::VScroll(QScrollBar* bar, int action) {
  if (owner_->Engine() == nullptr) return;
  if (owner_->OnBrowScroll) owner_->OnBrowScroll();
  if (bar == owner_->VScrollBar()) {
    switch (action) {
      case QAbstractSlider::SliderSingleStepSub: RowUp(); break;
      case QAbstractSlider::SliderSingleStepAdd: RowDown(); break;
      case QAbstractSlider::SliderPageStepSub:
        if (owner_->ViewMode() == 3) PageBack(); else GotoPosition(bar->sliderPosition());
        break;
      case QAbstractSlider::SliderPageStepAdd:
        if (owner_->ViewMode() == 3) PageForward(); else GotoPosition(bar->sliderPosition());
        break;
      case QAbstractSlider::SliderNoAction: break;
      default: GotoPosition(bar->sliderPosition());
    }
    return;
  }
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub: MoveLeft(); break;
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd: MoveRight(); break;
    case QAbstractSlider::SliderToMinimum: FirstColumn(); break;
    case QAbstractSlider::SliderToMaximum: LastColumn(); break;
    case QAbstractSlider::SliderMove:
      grid_->horizontalScrollBar()->setValue(bar->sliderPosition());
      break;
    default: break;
  }
}

void TkxBrowStringGridCtrl::UpdateVScroll() {
  TKBrowser* e = owner_->Engine();
  QScrollBar* v = owner_->VScrollBar();
  if (e == nullptr || v == nullptr) return;
  scrollMax_ = VScrollMaxFor(e->Driver()->UsedRecords());
  const QSignalBlocker block(v);
  v->setRange(0, scrollMax_);
  if (visibleRows_ - 1 > 0) v->setPageStep(visibleRows_ - 1);
  v->setSingleStep(1);
  v->setSliderPosition(e->CurrentPosition(scrollMax_));
  v->setValue(v->sliderPosition());
}

void TkxBrowStringGridCtrl::UpdateHScroll() {
  QScrollBar* h = owner_->HScrollBar();
  if (h == nullptr) return;
  const QSignalBlocker block(h);
  h->setRange(0, std::max(0, model_->columnCount() - 1));
  h->setValue(grid_->horizontalScrollBar()->value());
  lastLeftCol_ = grid_->horizontalScrollBar()->value();
}

void TkxBrowStringGridCtrl::ApplyWidths(const std::vector<int>& widths) {
  QHeaderView* hh = grid_->horizontalHeader();
  for (size_t c = 0; c < widths.size() && static_cast<int>(c) < model_->columnCount(); ++c)
    hh->resizeSection(static_cast<int>(c), widths[c]);
}

void TkxBrowStringGridCtrl::SetHeaderFooter(const std::string& captions, const std::string& footer,
                                            const std::string& /*rec1*/, const std::string& /*rec2*/,
                                            bool setColumns) {
  if (owner_->Engine() == nullptr) return;
  const std::vector<std::string> parts = SplitCaptions(captions);
  const bool list = owner_->ViewMode() == 0;
  if (setColumns && list) model_->SetShape(visibleRows_, static_cast<int>(parts.size()));
  const int line = grid_->showGrid() ? 1 : 0;
  const std::vector<int>* stored = nullptr;
  auto& table = owner_->ColumnWidthTable(owner_->CurrentKeyNumber());
  if (!table.empty()) stored = &table;
  const std::vector<int> keepStored = stored ? *stored : std::vector<int>{};
  const std::vector<int> widths =
      list ? ComputeColumnWidths(parts, owner_->CharWidth(), true, setColumns, line,
                                 grid_->viewport()->width(), owner_->OnBrowColWidths,
                                 stored ? &keepStored : nullptr)
           : std::vector<int>{};
  if (list) ApplyWidths(widths);
  // The widths just set are the program's, not the user's.
  table = keepStored;
  model_->HeaderChanged();
  int sum = 0;
  for (int w : widths) sum += w;
  if (QScrollBar* h = owner_->HScrollBar())
    h->setVisible(list ? (sum > grid_->viewport()->width() && parts.size() > 1)
                       : owner_->ViewMode() != 3);
  if (footer.empty() || footer == "\xFE")
    owner_->SetFooter({});
  else
    owner_->SetFooter(footer);
  UpdateHScroll();
}

void TkxBrowStringGridCtrl::Relayout() {
  TKBrowser* e = owner_->Engine();
  const int rh = std::max(1, grid_->verticalHeader()->defaultSectionSize());
  int rows = grid_->viewport()->height() / rh;
  if (rows < 1 || rows > 65520) rows = 1;
  int cols = 1;
  if (owner_->ViewMode() != 0) {
    const int cw = std::max(1, grid_->horizontalHeader()->defaultSectionSize());
    cols = std::max(1, grid_->viewport()->width() / cw);
  }
  const int cap = e != nullptr ? e->PageCapacity() : TKBrowser::kMaxRows;
  // The page never holds more than the engine can.
  while (rows * cols > cap) {
    if (cols > 1) --cols; else rows = cap;
  }
  visibleRows_ = rows;
  visibleCols_ = cols;
  const int newSize = rows * cols;
  if (e != nullptr && newSize != pageSize_) {
    if (newSize < pageSize_)
      e->ShrinkRows(this, newSize);
    else
      e->GrowRows(this, newSize);
  }
  pageSize_ = newSize;
  if (owner_->ViewMode() == 0)
    model_->SetShape(rows, std::max(1, static_cast<int>(owner_->Captions().size())));
  else
    model_->SetShape(rows, cols);
  SyncCursor();
}

void TkxBrowStringGridCtrl::Resize() {
  if (owner_->DetachedView() || owner_->Engine() == nullptr) return;
  const int before = pageSize_;
  // A new page shape can change the header and with it the visible area
  // (a change Qt reports to nobody while the area's own resize is being
  // handled): the page follows until the area stays put.
  for (int pass = 0; pass < 3; ++pass) {
    const int height = grid_->viewport()->height();
    Relayout();
    if (grid_->viewport()->height() == height) break;
  }
  if (before != pageSize_) {
    UpdateVScroll();
    grid_->viewport()->update();
  }
}

void TkxBrowStringGridCtrl::Invalidate(bool wholeGrid) {
  if (wholeGrid) model_->PageChanged();
  grid_->viewport()->update();
}

void TkxBrowStringGridCtrl::SetDirectEdit(bool on) {
  directEdit_ = on;
  grid_->setEditTriggers(on ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
  // An open cell editor commits and closes when it loses the focus.
  QWidget* focus = QApplication::focusWidget();
  if (!on && focus != nullptr && grid_->viewport()->isAncestorOf(focus)) grid_->setFocus();
  Invalidate();
}

bool TkxBrowStringGridCtrl::KeyDown(Qt::KeyboardModifiers shift, int key, bool& keepSearch) {
  keepSearch = false;
  QWidget* focus = QApplication::focusWidget();
  const bool focused = focus == owner_ || focus == grid_ || (focus != nullptr && grid_->isAncestorOf(focus));
  const bool inSearch = focus != nullptr && focus == static_cast<QWidget*>(owner_->SearchField());
  const bool inSort = focus != nullptr && focus == static_cast<QWidget*>(owner_->SortCombo());
  const bool multi = owner_->MultiSelect();
  const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  auto add = [&](int op) {
    if (multi) owner_->DoAddSelectRow(op);
  };
  if (mods == Qt::NoModifier) {
    switch (key) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (focused && owner_->OnBrowEnter) {
          owner_->OnBrowEnter();
          return true;
        }
        if (inSearch && owner_->OnBrowSuchfeldEnter) {
          keepSearch = true;
          owner_->OnBrowSuchfeldEnter();
          return true;
        }
        if (inSearch && owner_->OnBrowEnter) {
          owner_->OnBrowEnter();
          return true;
        }
        return owner_->DoProcessPostCommand(shift, key);
      case Qt::Key_Escape:
        if (focused) {
          owner_->ToggleEscapeFlag();
          owner_->DoProcessPostCommand(shift, key);
          return true;
        }
        return owner_->DoProcessPostCommand(shift, key);
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        if (inSort) return false;
        owner_->ClearSelection();
        if (key == Qt::Key_PageUp) PageBack(); else PageForward();
        add(3);
        return true;
      case Qt::Key_Up:
      case Qt::Key_Down:
        if (inSort) return false;
        owner_->ClearSelection();
        if (key == Qt::Key_Up) RowUp(); else RowDown();
        add(3);
        return true;
      case Qt::Key_End: LastColumn(); return true;
      case Qt::Key_Home: FirstColumn(); return true;
      case Qt::Key_Left:
      case Qt::Key_Right:
        if (!focused) return false;
        if (key == Qt::Key_Left) MoveLeft(); else MoveRight();
        return true;
      case Qt::Key_Delete:
        // The quick-search field keeps Delete for its own text.
        if (focused) {
          owner_->DeleteCommand();
          return true;
        }
        keepSearch = true;
        return owner_->DoProcessPostCommand(shift, key);
      default: return owner_->DoProcessPostCommand(shift, key);
    }
  }
  if (mods == Qt::ControlModifier) {
    switch (key) {
      case Qt::Key_PageUp:
      case Qt::Key_Home:
        owner_->ClearSelection();
        GoFirst();
        return true;
      case Qt::Key_PageDown:
      case Qt::Key_End:
        owner_->ClearSelection();
        GoLast();
        return true;
      case Qt::Key_Left: MoveLeft(); return true;
      case Qt::Key_Right: MoveRight(); return true;
      default: return owner_->DoProcessPostCommand(shift, key);
    }
  }
  if (mods == Qt::ShiftModifier) {
    switch (key) {
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        if (inSort) return false;
        if (key == Qt::Key_PageUp) PageBack(); else PageForward();
        owner_->DoAddSelectRow(2);
        return true;
      case Qt::Key_Home:
      case Qt::Key_End:
        if (key == Qt::Key_Home) GoFirst(); else GoLast();
        owner_->DoAddSelectRow(2);
        return true;
      case Qt::Key_Up:
      case Qt::Key_Down:
        if (inSort) return false;
        if (key == Qt::Key_Up) RowUp(); else RowDown();
        owner_->DoAddSelectRow(3);
        return true;
      default: return owner_->DoProcessPostCommand(shift, key);
    }
  }
  return owner_->DoProcessPostCommand(shift, key);
}

void TkxBrowStringGridCtrl::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                      QPoint pos, bool doubleClick) {
  TKBrowser* e = owner_->Engine();
  if (e == nullptr || owner_->MouseClicksIgnored()) return;
  if (button != Qt::LeftButton && button != Qt::RightButton) return;
  const QModelIndex ix = grid_->indexAt(pos);
  if (!ix.isValid()) return;
  TkxBrowSelect* sel = owner_->Selection();
  if (owner_->MultiSelect() && button == Qt::LeftButton &&
      !(shift & (Qt::ControlModifier | Qt::AltModifier))) {
    const bool onSelected = ix.data(TkxBrowPageModel::SelectedRole).toBool();
    if (!onSelected || doubleClick) owner_->ClearSelection();
  }
  if (owner_->MultiSelect() && button == Qt::LeftButton) sel->StartRubberBand(pos, doubleClick);
  sel->CellClick(ix.row(), ix.column(), shift, button);
  UpdateVScroll();
  UpdateHScroll();
  if (button == Qt::RightButton && owner_->GridPopupMenu() != nullptr &&
      !owner_->GridPopupMenu()->actions().isEmpty())
    owner_->GridPopupMenu()->popup(grid_->viewport()->mapToGlobal(pos));
  Invalidate(false);
}

void TkxBrowStringGridCtrl::MouseMove(Qt::MouseButtons buttons, QPoint pos) {
  if (owner_->Engine() == nullptr) return;
  if ((buttons & Qt::LeftButton) && owner_->Selection()->RubberBandActive())
    owner_->Selection()->MoveRubberBand(pos);
  const QModelIndex ix = grid_->indexAt(pos);
  if (!ix.isValid()) return;
  if (ix.row() != hoverRow_ || ix.column() != hoverCol_) {
    hoverRow_ = ix.row();
    hoverCol_ = ix.column();
    QToolTip::hideText();
    if (hoverHighlight_) grid_->viewport()->update();
  }
  // The whole text as a hint when it does not fit its column.
  const QString text = ix.data(Qt::DisplayRole).toString();
  if (owner_->ViewMode() == 0 &&
      grid_->fontMetrics().horizontalAdvance(text) > grid_->columnWidth(ix.column()) - 4)
    grid_->viewport()->setToolTip(text);
  else
    grid_->viewport()->setToolTip(QString());
}

void TkxBrowStringGridCtrl::MouseLeave() {
  hoverRow_ = hoverCol_ = -1;
  if (hoverHighlight_) grid_->viewport()->update();
}

bool TkxBrowStringGridCtrl::IsHoverCell(int row, int col) const {
  return row == hoverRow_ && (owner_->ViewMode() == 0 || col == hoverCol_);
}

// ---- engine hooks ---------------------------------------------------------

void TkxBrowStringGridCtrl::BuildRow(RowRec& row) {
  // Only a row whose record failed to read gets the mark; rows built from
  // their key alone (status -10 and below) go to the owner like any other.
  if (row.Status == -1) {
    row.Row = kUnreadable;
    return;
  }
  if (owner_->OnBuildRow) owner_->OnBuildRow(row);
}

void TkxBrowStringGridCtrl::PerformFilter(RowRec& row, bool& useIt) {
  useIt = true;
  if (owner_->OnPerformFilter) owner_->OnPerformFilter(row, useIt);
}

void TkxBrowStringGridCtrl::PreCompletePage() {
  if (owner_->OnPreCompletePage) owner_->OnPreCompletePage();
}

void TkxBrowStringGridCtrl::PostCompletePage() {
  if (owner_->OnPostCompletePage) owner_->OnPostCompletePage();
}
