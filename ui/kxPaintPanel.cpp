#include "ui/kxPaintPanel.h"

#include <QPainter>

void TkxPaintPanel::SetMuster(enumPaintPanelMuster m) {
  muster_ = m;
  update();
}

void TkxPaintPanel::paintEvent(QPaintEvent* e) {
  TkxMousePanel::paintEvent(e);
  if (OnPaint) {
    QPainter p(this);
    OnPaint(this, p);
  }
}
