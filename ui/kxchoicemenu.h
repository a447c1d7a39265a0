#pragma once
// The popup menu of choices behind the look's menu buttons (sort orders,
// views): one radio item per choice, the current one checked. A long list
// does not run down the screen: a new column starts after every
// kChoiceMenuColumnRows items.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

constexpr int kChoiceMenuColumnRows = 10;

// The menu is owned by owner; chosen gets the index of the item clicked.
QMenu* NewChoiceMenu(QWidget* owner, const std::vector<std::string>& items, int current,
                     const std::function<void(int)>& chosen);

// The item actions of a choice menu in their order, whether the menu shows
// them in one column or in several.
std::vector<QAction*> ChoiceMenuItems(const QMenu* menu);

// The items of a menu with more than one column, laid out column by column
// and painted as the look paints menu items.
class TChoiceColumns : public QWidget {
  Q_OBJECT
 public:
  TChoiceColumns(QMenu* menu, std::vector<QAction*> items);

  int Count() const { return static_cast<int>(items_.size()); }
  // Where item i stands in the widget.
  QRect ItemRect(int i) const;
  int Highlighted() const { return highlighted_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Layout();
  int ItemAt(const QPoint& p) const;
  void Highlight(int i);
  void Choose(int i);

  QMenu* menu_;
  std::vector<QAction*> items_;
  std::vector<int> columnLeft_, columnWidth_;
  int rowHeight_ = 0;
  int highlighted_ = -1;
};
