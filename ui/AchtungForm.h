#pragma once
// The warning about incomplete or invalid input.
#include <string>

#include "ui/kxMessageForm.h"

struct TAchtungWinRec;
class TAchtungWinCtrl;
class TkxBitBtn;

class TAchtungForm : public TkxMessageForm {
  Q_OBJECT
 public:
  explicit TAchtungForm(TAchtungWinCtrl* ctrl = nullptr);

  TkxBitBtn* kxBitBtn1;
  // Fills the form from the record and sizes it to the text.
  void ShowData(const TAchtungWinRec& rec);

 protected:
  void Panel2Resize(int clientWidth) override;

 private:
  TAchtungWinCtrl* ctrl_;
};
