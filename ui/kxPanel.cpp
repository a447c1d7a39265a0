#include "ui/kxPanel.h"

TkxPanel::TkxPanel(QWidget* parent) : QFrame(parent) { SetColor(clBtnFace); }

void TkxPanel::SetParentBackground(bool on) {
  parentBackground_ = on;
  setAutoFillBackground(!on);
  update();
}

void TkxPanel::SetColor(TColor color) {
  color_ = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, TColorToQColor(color));
  setPalette(pal);
  setAutoFillBackground(!parentBackground_);
  update();
}
