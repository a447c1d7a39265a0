#pragma once
// The form of the one-line text input.
#include "ui/kxform.h"

class QLabel;
class QLineEdit;
class TkxBitBtn;
class TToolsZeileEingCtrl;
struct TToolsZeileEingCtrlRec;

class TToolsZeileEingForm : public TkxForm {
  Q_OBJECT
 public:
  TToolsZeileEingForm(QWidget* owner, TToolsZeileEingCtrl* ctrl);

  void ShowData(const TToolsZeileEingCtrlRec& rec);
  void GetData(TToolsZeileEingCtrlRec& rec) const;

  QLabel* lcaption = nullptr;
  QLineEdit* eZeile = nullptr;
  TkxBitBtn* btnOK = nullptr;
  TkxBitBtn* btnAbbrechen = nullptr;
  TkxBitBtn* btnemail = nullptr;

 private:
  TToolsZeileEingCtrl* ctrl_;
};
