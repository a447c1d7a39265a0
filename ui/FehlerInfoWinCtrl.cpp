#include "ui/FehlerInfoWinCtrl.h"

#include <memory>

#include "ui/FehlerInfoForm.h"

TFehlerInfoWinCtrl::TFehlerInfoWinCtrl(const std::string& text, const std::string& buttonCaption,
                                       const std::string& target)
    : text_(text), buttonCaption_(buttonCaption), target_(target) {}

void TFehlerInfoWinCtrl::FillRec(TFehlerInfoWinRec& rec) const {
  rec = TFehlerInfoWinRec{text_, buttonCaption_, target_};
}

bool TFehlerInfoWinCtrl::Execute() {
  auto form = std::make_unique<TFehlerInfoForm>(this);
  TFehlerInfoWinRec rec;
  FillRec(rec);
  form->ShowData(rec);
  form->ShowModal();
  return true;
}
