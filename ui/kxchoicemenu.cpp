#include "ui/kxchoicemenu.h"

#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWidgetAction>
#include <algorithm>

#include "platform/codec.h"
#include "ui/kxlayout.h"

namespace {

const char* const kItemIndex = "kxChoiceIndex";

}  // namespace

QMenu* NewChoiceMenu(QWidget* owner, const std::vector<std::string>& items, int current,
                     const std::function<void(int)>& chosen) {
  auto* menu = new QMenu(owner);
  menu->setProperty("kxLookMenu", true);
  auto* group = new QActionGroup(menu);
  group->setExclusive(true);
  std::vector<QAction*> actions;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    auto* a = new QAction(AnsiToQString(items[static_cast<size_t>(i)]), menu);
    a->setCheckable(true);
    a->setChecked(i == current);
    a->setProperty(kItemIndex, i);
    group->addAction(a);
    QObject::connect(a, &QAction::triggered, menu, [chosen, i] {
      if (chosen) chosen(i);
    });
    actions.push_back(a);
  }
  if (static_cast<int>(actions.size()) <= kChoiceMenuColumnRows) {
    for (QAction* a : actions) menu->addAction(a);
  } else {
    auto* columns = new QWidgetAction(menu);
    columns->setDefaultWidget(new TChoiceColumns(menu, actions));
    menu->addAction(columns);
  }
  return menu;
}

std::vector<QAction*> ChoiceMenuItems(const QMenu* menu) {
  std::vector<QAction*> items;
  if (menu == nullptr) return items;
  for (QAction* a : menu->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
    if (a->property(kItemIndex).isValid()) items.push_back(a);
  std::sort(items.begin(), items.end(), [](QAction* x, QAction* y) {
    return x->property(kItemIndex).toInt() < y->property(kItemIndex).toInt();
  });
  return items;
}

// ---- the columns ----------------------------------------------------------

TChoiceColumns::TChoiceColumns(QMenu* menu, std::vector<QAction*> items)
    : menu_(menu), items_(std::move(items)) {
  setObjectName(QStringLiteral("ChoiceColumns"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  Layout();
}

void TChoiceColumns::Layout() {
  const int columns = (Count() + kChoiceMenuColumnRows - 1) / kChoiceMenuColumnRows;
  columnLeft_.assign(static_cast<size_t>(columns), 0);
  columnWidth_.assign(static_cast<size_t>(columns), 0);
  rowHeight_ = 0;
  for (int i = 0; i < Count(); ++i) {
    int w = 0, h = 0;
    ToLayout.MeasureMenuItem(QStringToAnsi(items_[static_cast<size_t>(i)]->text()), w, h);
    int& cw = columnWidth_[static_cast<size_t>(i / kChoiceMenuColumnRows)];
    cw = std::max(cw, w);
    rowHeight_ = std::max(rowHeight_, h);
  }
  for (int c = 1; c < columns; ++c)
    columnLeft_[static_cast<size_t>(c)] =
        columnLeft_[static_cast<size_t>(c - 1)] + columnWidth_[static_cast<size_t>(c - 1)];
}

QRect TChoiceColumns::ItemRect(int i) const {
  if (i < 0 || i >= Count()) return {};
  const auto c = static_cast<size_t>(i / kChoiceMenuColumnRows);
  return {columnLeft_[c], (i % kChoiceMenuColumnRows) * rowHeight_, columnWidth_[c], rowHeight_};
}

QSize TChoiceColumns::sizeHint() const {
  if (columnWidth_.empty()) return {0, 0};
  return {columnLeft_.back() + columnWidth_.back(),
          std::min(Count(), kChoiceMenuColumnRows) * rowHeight_};
}

int TChoiceColumns::ItemAt(const QPoint& p) const {
  for (int i = 0; i < Count(); ++i)
    if (ItemRect(i).contains(p)) return i;
  return -1;
}

void TChoiceColumns::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (int i = 0; i < Count(); ++i) {
    const QAction* a = items_[static_cast<size_t>(i)];
    TMenuItemDraw item;
    item.Caption = QStringToAnsi(a->text());
    item.State.Selected = i == highlighted_ && a->isEnabled();
    item.State.Checked = a->isChecked();
    item.State.Enabled = a->isEnabled();
    ToLayout.DrawMenuItem(p, ItemRect(i), item);
  }
  // The rows the last column leaves free show the menu's ground.
  const int columns = static_cast<int>(columnWidth_.size());
  for (int i = Count(); i < columns * kChoiceMenuColumnRows; ++i) {
    const auto c = static_cast<size_t>(columns - 1);
    ToLayout.DrawMenuItem(p, QRect(columnLeft_[c], (i % kChoiceMenuColumnRows) * rowHeight_,
                                   columnWidth_[c], rowHeight_),
                          TMenuItemDraw{});
  }
}

void TChoiceColumns::Highlight(int i) {
  if (i == highlighted_) return;
  highlighted_ = i;
  update();
}

void TChoiceColumns::Choose(int i) {
  if (i < 0 || i >= Count() || !items_[static_cast<size_t>(i)]->isEnabled()) return;
  // The menu goes first, as a menu does when one of its items is chosen.
  if (menu_) menu_->close();
  items_[static_cast<size_t>(i)]->trigger();
}

void TChoiceColumns::mouseMoveEvent(QMouseEvent* event) {
  Highlight(ItemAt(event->position().toPoint()));
}

void TChoiceColumns::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Choose(ItemAt(event->position().toPoint()));
}

void TChoiceColumns::leaveEvent(QEvent*) { Highlight(-1); }

// The menu holds nothing but the columns: the keyboard is in them from the
// start, so that the first arrow key already moves to an item (the menu
// would only hand them the focus with it).
void TChoiceColumns::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  setFocus(Qt::PopupFocusReason);
}

void TChoiceColumns::keyPressEvent(QKeyEvent* event) {
  const int at = std::max(highlighted_, 0);
  int to = -1;
  switch (event->key()) {
    case Qt::Key_Up: to = highlighted_ < 0 ? 0 : at - 1; break;
    case Qt::Key_Down: to = highlighted_ < 0 ? 0 : at + 1; break;
    case Qt::Key_Left: to = at - kChoiceMenuColumnRows; break;
    case Qt::Key_Right: to = at + kChoiceMenuColumnRows; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: Choose(highlighted_); return;
    default: QWidget::keyPressEvent(event); return;
  }
  if (to >= 0 && to < Count()) Highlight(to);
}
