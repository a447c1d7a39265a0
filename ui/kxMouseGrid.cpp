#include "ui/kxMouseGrid.h"

void TkxMouseGrid::enterEvent(QEnterEvent* e) {
  if (isEnabled() && OnMouseEnter) OnMouseEnter(this);
  QTableWidget::enterEvent(e);
}

void TkxMouseGrid::leaveEvent(QEvent* e) {
  if (isEnabled() && OnMouseLeave) OnMouseLeave(this);
  QTableWidget::leaveEvent(e);
}
