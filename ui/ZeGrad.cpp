#include "ui/ZeGrad.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/kxform.h"

TZeGradient::TZeGradient(QWidget* parent) : QWidget(parent) {
  resize(100, 80);
  buffer_ = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
  RebuildTable();
}

void TZeGradient::Changed() {
  bufW_ = bufH_ = 0;
  update();
}

void TZeGradient::RebuildTable() {
  ToGrafik.FillGradientTable(startColor_, endColor_, direction_ == gdUpLeft, table_);
}

void TZeGradient::SetBuffered(bool on) {
  if (on == buffered_) return;
  buffered_ = on;
  buffer_ = on ? QImage(1, 1, QImage::Format_ARGB32_Premultiplied) : QImage();
  Changed();
}

void TZeGradient::SetDirection(TGradDirection d) {
  if (d == direction_) return;
  direction_ = d;
  RebuildTable();
  Changed();
}

void TZeGradient::SetStartColor(TColor c) {
  if (c == startColor_) return;
  startColor_ = c;
  RebuildTable();
  Changed();
}

void TZeGradient::SetEndColor(TColor c) {
  if (c == endColor_) return;
  endColor_ = c;
  RebuildTable();
  Changed();
}

void TZeGradient::SetStepWidth(int w) {
  if (w < 1 || w > 10 || w == stepWidth_) return;
  stepWidth_ = w;
  Changed();
}

void TZeGradient::SetStyle(TGradStyle s) {
  if (s == style_) return;
  style_ = s;
  Changed();
}

void TZeGradient::PaintGradient(QPainter& p) {
  ++gradientPaints_;
  ToGrafik.PaintGradientTable(p, {0, 0, width() - 1, height() - 1}, table_, stepWidth_, style_);
}

void TZeGradient::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter p(this);
  if (!buffered_) {
    PaintGradient(p);
    return;
  }
  if (bufW_ != width() || bufH_ != height()) {
    bufW_ = width();
    bufH_ = height();
    buffer_ = QImage(bufW_, bufH_, QImage::Format_ARGB32_Premultiplied);
    // The ellipse leaves its corners clear, so that what lies behind shows there.
    buffer_.fill(Qt::transparent);
    QPainter bp(&buffer_);
    PaintGradient(bp);
  }
  p.drawImage(0, 0, buffer_);
}

void TZeGradient::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && OnClick)
    RunGuarded(OnClick);
  QWidget::mouseReleaseEvent(e);
}

void TZeGradient::mouseDoubleClickEvent(QMouseEvent* e) {
  RunGuarded(OnDblClick);
  QWidget::mouseDoubleClickEvent(e);
}
