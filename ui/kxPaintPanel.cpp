#include "ui/kxPaintPanel.h"

#include <QPainter>

#include "ui/kxform.h"

void TkxPaintPanel::SetMuster(enumPaintPanelMuster m) {
  muster_ = m;
  update();
}

void TkxPaintPanel::paintEvent(QPaintEvent* e) {
  TkxMousePanel::paintEvent(e);
  if (OnPaint) {
    QPainter p(this);
    RunGuarded([&] { OnPaint(this, p); });
  }
}
