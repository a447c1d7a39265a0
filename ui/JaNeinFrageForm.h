#pragma once
// The yes/no question: "&Ja" and "&Nein", either of them the default.
#include <string>

#include "ui/kxMessageForm.h"

struct TJaNeinFrageWinRec;
class TJaNeinFrageWinCtrl;
class TkxBitBtn;

class TJaNeinFrageForm : public TkxMessageForm {
  Q_OBJECT
 public:
  explicit TJaNeinFrageForm(TJaNeinFrageWinCtrl* ctrl = nullptr);

  TkxBitBtn* kxBitBtn1;  // Ja
  TkxBitBtn* kxBitBtn2;  // Nein, also the cancel button
  // Fills the form from the record and sizes it to the text.
  void ShowData(const TJaNeinFrageWinRec& rec);

 protected:
  void Panel2Resize(int clientWidth) override;

 private:
  TJaNeinFrageWinCtrl* ctrl_;
};
