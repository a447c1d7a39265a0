#pragma once
// The controller of the progress window: Create, Show, any number of Step,
// then free it (which closes the window).
#include <QPointer>
#include <cstdint>
#include <string>

#include "contest/FortschrittWinForm.h"

class QWidget;

class TFortschrittWinCtrl {
 public:
  // abbrechen: show "Abbrechen" and let pending window messages through at each step.
  TFortschrittWinCtrl(QWidget* owner, std::string caption, std::string text, int32_t max,
                      bool abbrechen);
  ~TFortschrittWinCtrl();
  TFortschrittWinCtrl(const TFortschrittWinCtrl&) = delete;
  TFortschrittWinCtrl& operator=(const TFortschrittWinCtrl&) = delete;

  // Creates and shows the window (not modal); always true.
  bool Show();
  // newMax > 0 becomes the maximum; position 0 leaves the bar as it is;
  // cancel is set from the window's cancel flag (unchanged without a window).
  void Step(const std::string& text, int32_t position, bool& cancel, int32_t newMax = 0);

  // The window; nil before Show and after the system closed it.
  TFortschrittWinForm* Form() const { return form_.data(); }
  int32_t Max() const { return max_; }

 private:
  QWidget* owner_;
  std::string caption_, text_;
  int32_t max_;
  bool abbrechen_;
  // The window frees itself when closed; the guarded pointer then turns nil.
  QPointer<TFortschrittWinForm> form_;
};
