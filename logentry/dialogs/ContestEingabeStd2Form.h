#pragma once
// The form "QSO ändern": the fields of one stored QSO in a fixed layout.
// It shows a transfer record and reads it back; what is stored and how is
// the controller's (logentry/ContestEingabeStd2Ctrl). Every way of closing
// (Esc, "Beenden", the close box) asks the controller first, which stores
// the QSO or keeps the form open for a correction.
#include <cstdint>
#include <functional>
#include <string>

#include "logentry/rules/ContestEingabeStd2Logic.h"
#include "ui/kxform.h"

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class TkxEdit;

class TContestEingabeStd2Form : public TkxForm {
  Q_OBJECT
 public:
  explicit TContestEingabeStd2Form(QWidget* owner = nullptr);

  void ShowRecord(const TContestEingabeStd2CtrlRec& t);
  // Completes date and time in their fields, then copies every field.
  void ReadRecord(TContestEingabeStd2CtrlRec& t);

  // Asked before the form closes: 1 close (stored), 2 close (changes
  // dropped), 0 stay open. Without it the form closes with 1.
  std::function<int()> OnCloseQuery;
  // The DXCC picker; the chosen DXCC, empty when none was chosen.
  std::function<std::string()> OnChooseDxcc;

  // Handlers, as the controls call them.
  void BitBtn1Click();
  void eFreqExit();
  void combobandChange();
  void combomodeChange();
  void btnHoleDXCCClick();

  TkxEdit *eCall, *eCall2, *eRSTs1, *eRSTs2, *eRSTs3, *eRSTs4, *eRSTr1, *eRSTr2, *eRSTr3, *eRSTr4;
  TkxEdit *eDatum, *ezeit, *eQSLw, *eqslr, *eMulti, *eName, *eQTH, *eFreq, *emode;
  QComboBox *combomode, *comboband;
  QLabel *lnummer, *lerstr, *lcall2, *lemulti;
  QToolButton* btnHoleDXCC;
  // A framed push button drawn by the style, as "..." beside it is: the
  // program's flat picture buttons show no frame until the mouse is over
  // them, and without a picture such a button reads as a plain label.
  QPushButton* BitBtn1;

 public:
  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  bool FormCloseQuery(int& result);

  uint8_t guard_ = 0;  // the band list and the frequency do not re-trigger each other
  bool closing_ = false;
};
