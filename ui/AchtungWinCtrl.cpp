#include "ui/AchtungWinCtrl.h"

#include <memory>

#include "ui/AchtungForm.h"

TAchtungWinCtrl::TAchtungWinCtrl(const std::string& header, const std::string& text)
    : header_(header), text_(text) {}

void TAchtungWinCtrl::FillRec(TAchtungWinRec& rec) const { rec = TAchtungWinRec{header_, text_}; }

bool TAchtungWinCtrl::Execute() {
  auto form = std::make_unique<TAchtungForm>(this);
  TAchtungWinRec rec;
  FillRec(rec);
  form->ShowData(rec);
  form->ShowModal();
  return true;
}
