#include "ui/kxHole.h"

#include <QKeyEvent>
#include <QPainter>

#include "ui/kxbuttons.h"

namespace {
constexpr int kButtonWidth = 18;

// Two glyphs of 14 x 12 side by side, normal and disabled: a downward
// arrow under a bar, the sign of taking a value over.
QImage FetchGlyph() {
  QImage strip(28, 12, QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  const QColor colours[] = {QColor(0x20, 0x50, 0xA0), QColor(0xA0, 0xA0, 0xA0)};
  for (int i = 0; i < 2; ++i) {
    const int x = i * 14;
    p.fillRect(x + 2, 1, 10, 2, colours[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(colours[i]);
    const QPoint arrow[] = {QPoint(x + 3, 5), QPoint(x + 11, 5), QPoint(x + 7, 10)};
    p.drawPolygon(arrow, 3);
  }
  return strip;
}
}  // namespace

TkxHole::TkxHole(QWidget* parent) : TkxEdit(parent) {
  setMaxLength(10);
  fetchButton_ =
      NewFieldButton(this, "FetchButton", FetchGlyph(), bkKUebernahme, [this] { Fetch(); });
  fetchButton_->setToolTip(toolTip());
  // Typed text stays clear of the button.
  setTextMargins(0, 0, kButtonWidth + 3, 0);
  resize(kButtonWidth + 75, 23);
}

void TkxHole::Fetch() {
  fetchButton_->update();
  emit doubleClicked();
  fetchButton_->update();
}

void TkxHole::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier) {
    event->accept();
    Fetch();
    return;
  }
  TkxEdit::keyPressEvent(event);
}

void TkxHole::resizeEvent(QResizeEvent* event) {
  TkxEdit::resizeEvent(event);
  fetchButton_->setGeometry(width() - 3 - kButtonWidth, 0, kButtonWidth, height() - 3);
}
