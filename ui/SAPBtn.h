#pragma once
// TSAPBtn: the flat button of list forms, a coloured rounded rectangle with
// a centred caption.
#include <QAbstractButton>

#include "ui/kxgrafik.h"

class TSAPBtn : public QAbstractButton {
  Q_OBJECT
 public:
  explicit TSAPBtn(QWidget* parent = nullptr);

  TColor FillColor = 0xAADFFF;
  bool Flat = true;
  bool Transparent = true;
  TColor Color = clBtnFace;  // face when not transparent

  QSize sizeHint() const override { return QSize(75, 25); }

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  bool mouseOver_ = false;
};
