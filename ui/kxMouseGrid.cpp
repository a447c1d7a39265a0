#include "ui/kxMouseGrid.h"

#include "ui/kxform.h"

void TkxMouseGrid::enterEvent(QEnterEvent* e) {
  if (isEnabled() && OnMouseEnter) RunGuarded([&] { OnMouseEnter(this); });
  QTableWidget::enterEvent(e);
}

void TkxMouseGrid::leaveEvent(QEvent* e) {
  if (isEnabled() && OnMouseLeave) RunGuarded([&] { OnMouseLeave(this); });
  QTableWidget::leaveEvent(e);
}
