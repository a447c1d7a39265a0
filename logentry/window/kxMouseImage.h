#pragma once
// TkxMouseImage: the picture control of the statistics table. Besides the
// picture it tells when the mouse comes in, moves over it and goes out.
#include <QLabel>
#include <functional>

class TkxMouseImage : public QLabel {
  Q_OBJECT
 public:
  explicit TkxMouseImage(QWidget* parent = nullptr);

  // Raised after the control's own handling, with the control as sender.
  std::function<void(QObject* sender)> OnMouseEnter, OnMouseLeave;
  // Position in the control's coordinates.
  std::function<void(QObject* sender, QPoint pos)> OnMouseMove;

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
};
