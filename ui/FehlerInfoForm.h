#pragma once
// The error message with a second button that opens a page; the dialog stays open.
#include <string>

#include "ui/kxMessageForm.h"

struct TFehlerInfoWinRec;
class TFehlerInfoWinCtrl;
class TkxBitBtn;

class TFehlerInfoForm : public TkxMessageForm {
  Q_OBJECT
 public:
  explicit TFehlerInfoForm(TFehlerInfoWinCtrl* ctrl = nullptr);

  TkxBitBtn* kxBitBtn1;
  TkxBitBtn* kxBitBtn2;  // opens Target
  // Fills the form from the record and sizes it to the text.
  void ShowData(const TFehlerInfoWinRec& rec);
  const std::string& Target() const { return target_; }

 protected:
  void Panel2Resize(int clientWidth) override;

 private:
  TFehlerInfoWinCtrl* ctrl_;
  void kxBitBtn2Click();
  std::string target_;
};
