#pragma once
// The callsign search "Suche" of the QSO list: the list shows the QSOs of the
// typed call's home call, on the QSO logged in exactly the typed form when
// the call was worked from abroad.
#include "ui/kxform.h"

class QLabel;
class TdbContest;
class TkxBitBtn;
class TkxBrow;
class TkxEdit;

class TSucheQE_ : public TkxForm {
  Q_OBJECT
 public:
  // browser: the list to position; log: the table the list pages.
  TSucheQE_(TkxBrow* browser, TdbContest& log);

  TkxEdit* eSuche;
  TkxBitBtn *btnAbbruchzq4, *btnendezq4;

  // The search; the list's key becomes "Call" bounded to the home call.
  void btnendezq3Click();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  TkxBrow* browser_;
  TdbContest& log_;
};
