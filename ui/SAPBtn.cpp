#include "ui/SAPBtn.h"

#include <QPainter>
#include <QStyleOptionButton>

TSAPBtn::TSAPBtn(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);  // a speed button never takes the focus
  resize(75, 25);
}

void TSAPBtn::enterEvent(QEnterEvent* e) {
  mouseOver_ = true;
  update();
  QAbstractButton::enterEvent(e);
}

void TSAPBtn::leaveEvent(QEvent* e) {
  mouseOver_ = false;
  update();
  QAbstractButton::leaveEvent(e);
}

void TSAPBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  const bool down = isDown() || isChecked();
  QRect r(0, 0, width(), height());
  if (Flat) {
    if (down || mouseOver_) {
      // The thin flat-button edge: raised under the mouse, sunken when down.
      const QColor light = TColorToQColor(clBtnHighlight), dark = TColorToQColor(clBtnShadow);
      p.setPen(down ? dark : light);
      p.drawLine(r.left(), r.top(), r.right(), r.top());
      p.drawLine(r.left(), r.top(), r.left(), r.bottom());
      p.setPen(down ? light : dark);
      p.drawLine(r.right(), r.top(), r.right(), r.bottom());
      p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    } else if (!Transparent) {
      p.fillRect(r, TColorToQColor(Color));
    }
    r.adjust(1, 1, -1, -1);
    const QColor line = isEnabled() ? QColor(Qt::black) : TColorToQColor(clSilver);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(TColorToQColor(FillColor));
    p.setPen(line);
    p.drawRoundedRect(QRectF(1.5, 1.5, width() - 3, height() - 3), 5, 5);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(line);
    p.drawText(QRect(0, 0, width(), height()), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    return;
  }
  QStyleOptionButton opt;
  opt.initFrom(this);
  opt.text = text();
  opt.icon = icon();
  opt.iconSize = iconSize();
  if (down) opt.state |= QStyle::State_Sunken;
  style()->drawControl(QStyle::CE_PushButton, &opt, &p, this);
}
