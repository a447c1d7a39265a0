#include "ui/FehlerWinCtrl.h"

#include <memory>

#include "ui/FehlerForm.h"

TFehlerWinCtrl::TFehlerWinCtrl(const std::string& text) : text_(text) {}

void TFehlerWinCtrl::FillRec(TFehlerWinRec& rec) const { rec = TFehlerWinRec{text_}; }

bool TFehlerWinCtrl::Execute() {
  auto form = std::make_unique<TFehlerForm>(this);
  TFehlerWinRec rec;
  FillRec(rec);
  form->ShowData(rec);
  form->ShowModal();
  return true;
}
