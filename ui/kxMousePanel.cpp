#include "ui/kxMousePanel.h"

#include "ui/kxform.h"

void TkxMousePanel::enterEvent(QEnterEvent* e) {
  if (isEnabled() && OnMouseEnter) RunGuarded([&] { OnMouseEnter(this); });
  TkxPanel::enterEvent(e);
}

void TkxMousePanel::leaveEvent(QEvent* e) {
  if (isEnabled() && OnMouseLeave) RunGuarded([&] { OnMouseLeave(this); });
  TkxPanel::leaveEvent(e);
}
