#pragma once
// The notice, closed with "&Schließen" or "&Weiter", with an optional check box.
#include <QCheckBox>
#include <string>

#include "ui/kxMessageForm.h"

struct THinweisWinRec;
class THinweisWinCtrl;
class TkxBitBtn;

class THinweisForm : public TkxMessageForm {
  Q_OBJECT
 public:
  explicit THinweisForm(THinweisWinCtrl* ctrl = nullptr);

  TkxBitBtn* kxBitBtn1;
  QCheckBox* ccheck;
  // Fills the form from the record and sizes it to the text.
  void ShowData(const THinweisWinRec& rec);
  void ReadResult(THinweisWinRec& rec) const;

 protected:
  void Panel2Resize(int clientWidth) override;
  int ButtonStripWidth() const override;

 private:
  THinweisWinCtrl* ctrl_;
};
