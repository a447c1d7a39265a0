#pragma once
// A date field "dd.mm.yyyy" with an up-down that steps the date by a day,
// a calendar button and a drop-down month calendar. The arrow keys Up and
// Down step the date as the up-down does; Escape closes the calendar.
#include <QPointer>

#include "ui/kxEdit.h"

#include <QCalendarWidget>
class QToolButton;
class TkxBitBtn;

// Two small arrow buttons on top of each other.
class TkxUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TkxUpDown(QWidget* parent = nullptr);
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  void stepped(int direction);  // +1 up, -1 down

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

class TkxDatum : public TkxEdit {
  Q_OBJECT
 public:
  explicit TkxDatum(QWidget* parent = nullptr);
  ~TkxDatum() override;

  TkxUpDown* UpDown() const { return upDown_; }
  TkxBitBtn* DateButton() const { return dateButton_; }
  QCalendarWidget* Calendar() const { return calendar_; }

  // One day up (direction > 0) or down; a text that is no date steps from today.
  void StepDate(int direction);
  // Shows the calendar under (or above) the field with the field's date, or hides it.
  void ToggleCalendar();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TakeCalendarDate();

  TkxUpDown* upDown_;
  TkxBitBtn* dateButton_;
  QPointer<QCalendarWidget> calendar_;
};
