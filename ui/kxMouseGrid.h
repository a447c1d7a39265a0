#pragma once
// TkxMouseGrid: the string grid of the browser, telling when the mouse comes
// in and goes out.
#include <QTableWidget>
#include <functional>

class TkxMouseGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit TkxMouseGrid(QWidget* parent = nullptr) : QTableWidget(parent) {}

  // Fired with the grid as sender, only while the grid is enabled.
  std::function<void(QObject*sender)> OnMouseEnter, OnMouseLeave;

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
};
