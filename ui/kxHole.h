#pragma once
// An edit with a small fetch button at its right edge: the button, and
// Alt+Down in the edit, run the edit's double-click action (a form's
// look-up of the value).
#include "ui/kxEdit.h"

class TkxBitBtn;

class TkxHole : public TkxEdit {
  Q_OBJECT
 public:
  explicit TkxHole(QWidget* parent = nullptr);

  TkxBitBtn* FetchButton() const { return fetchButton_; }
  // Fires the edit's double-click action.
  void Fetch();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TkxBitBtn* fetchButton_;
};
