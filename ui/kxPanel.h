#pragma once
// TkxPanel: the plain panel every form and the toolkit place controls on.
#include <QFrame>

#include "ui/kxgrafik.h"

class TkxPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TkxPanel(QWidget* parent = nullptr);

  // false: the panel paints its own colour; true: the parent shows through.
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool on);
  // The panel's colour (TColor, system colours allowed).
  void SetColor(TColor color);
  TColor Color() const { return color_; }

 private:
  bool parentBackground_ = false;
  TColor color_ = clBtnFace;
};
