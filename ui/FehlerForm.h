#pragma once
// The error message.
#include <string>

#include "ui/kxMessageForm.h"

struct TFehlerWinRec;
class TFehlerWinCtrl;
class TkxBitBtn;

class TFehlerForm : public TkxMessageForm {
  Q_OBJECT
 public:
  explicit TFehlerForm(TFehlerWinCtrl* ctrl = nullptr);

  TkxBitBtn* kxBitBtn1;
  // Fills the form from the record and sizes it to the text.
  void ShowData(const TFehlerWinRec& rec);

 protected:
  void Panel2Resize(int clientWidth) override;

 private:
  TFehlerWinCtrl* ctrl_;
};
