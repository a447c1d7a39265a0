#pragma once
// TkxMousePanel: a panel that tells when the mouse comes in and goes out.
#include <functional>

#include "ui/kxPanel.h"

class TkxMousePanel : public TkxPanel {
  Q_OBJECT
 public:
  explicit TkxMousePanel(QWidget* parent = nullptr) : TkxPanel(parent) {}

  // Fired with the panel as sender, only while the panel is enabled.
  std::function<void(QObject*sender)> OnMouseEnter, OnMouseLeave;

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
};
