#pragma once
// The progress window: a text line, a progress bar and, on request, a
// cancel button. Not modal; it frees itself when closed.
#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

struct TFortschrittWinRec {
  std::string Caption;
  std::string Text;
  int32_t Max = 0;
  bool Abbrechen = false;
};

class TFortschrittWinForm : public QDialog {
  Q_OBJECT
 public:
  explicit TFortschrittWinForm(QWidget* owner);

  void ShowData(const TFortschrittWinRec& rec);
  // One step: new text (when given and different), new position (when above
  // 0) and then a higher maximum; cancel receives the cancel flag.
  void StepData(const std::string& text, int32_t position, int32_t max, bool& cancel);
  bool CancelFlag() const { return cancel_; }

  QLabel* lfortschritt = nullptr;
  QProgressBar* fortschritt = nullptr;
  QPushButton* Button1 = nullptr;

 private:
  void Button1Click() { cancel_ = true; }
  bool cancel_ = false;
};
