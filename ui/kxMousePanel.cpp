#include "ui/kxMousePanel.h"

void TkxMousePanel::enterEvent(QEnterEvent* e) {
  if (isEnabled() && OnMouseEnter) OnMouseEnter(this);
  TkxPanel::enterEvent(e);
}

void TkxMousePanel::leaveEvent(QEvent* e) {
  if (isEnabled() && OnMouseLeave) OnMouseLeave(this);
  TkxPanel::leaveEvent(e);
}
