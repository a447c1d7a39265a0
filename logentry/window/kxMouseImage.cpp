#include "logentry/window/kxMouseImage.h"

#include <QMouseEvent>

#include "ui/kxform.h"

TkxMouseImage::TkxMouseImage(QWidget* parent) : QLabel(parent) { setMouseTracking(true); }

void TkxMouseImage::enterEvent(QEnterEvent* e) {
  QLabel::enterEvent(e);
  if (OnMouseEnter) RunGuarded([&] { OnMouseEnter(this); });
}

void TkxMouseImage::leaveEvent(QEvent* e) {
  QLabel::leaveEvent(e);
  if (OnMouseLeave) RunGuarded([&] { OnMouseLeave(this); });
}

void TkxMouseImage::mouseMoveEvent(QMouseEvent* e) {
  QLabel::mouseMoveEvent(e);
  if (OnMouseMove) RunGuarded([&] { OnMouseMove(this, e->position().toPoint()); });
}
