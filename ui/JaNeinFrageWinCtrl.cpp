#include "ui/JaNeinFrageWinCtrl.h"

#include <memory>

#include "ui/JaNeinFrageForm.h"

TJaNeinFrageWinCtrl::TJaNeinFrageWinCtrl(const std::string& caption, const std::string& header,
                                         const std::string& text, bool defaultYes)
    : caption_(caption), header_(header), text_(text), defaultYes_(defaultYes) {}

void TJaNeinFrageWinCtrl::FillRec(TJaNeinFrageWinRec& rec) const {
  rec = TJaNeinFrageWinRec{caption_, header_, text_, defaultYes_};
}

bool TJaNeinFrageWinCtrl::Execute() {
  auto form = std::make_unique<TJaNeinFrageForm>(this);
  TJaNeinFrageWinRec rec;
  FillRec(rec);
  form->ShowData(rec);
  return form->ShowModal() == mrYes;
}
