#pragma once
// The form of the period dialog "Zeitangabe": from and to time, the list of
// window sums as a decision aid and a progress bar while it is computed.
#include <string>

#include "ui/kxform.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class TkxBitBtn;
class TzeitraumeutagCtrl;
struct TzeitraumeutagCtrlRec;

class TzeitraumeutagForm : public TkxForm {
  Q_OBJECT
 public:
  TzeitraumeutagForm(QWidget* owner, TzeitraumeutagCtrl* ctrl);

  void ShowData(const TzeitraumeutagCtrlRec& rec);
  void GetData(TzeitraumeutagCtrlRec& rec) const;

  // The decision aid's progress: 0 start, 1 one window, 2 the proposal.
  void Progress(int state, int position, const std::string& text, const std::string& text2);

  QLineEdit* evon = nullptr;
  QLineEdit* ebis = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  TkxBitBtn* Button1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void FormShow();
  void Button1Click();
  TzeitraumeutagCtrl* ctrl_;
  bool shown_ = false;
};
