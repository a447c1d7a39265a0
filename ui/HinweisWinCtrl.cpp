#include "ui/HinweisWinCtrl.h"

#include <memory>

#include "ui/HinweisForm.h"

THinweisWinCtrl::THinweisWinCtrl(const std::string& caption, const std::string& header,
                                 const std::string& text, bool weiter, bool showCheckbox)
    : caption_(caption),
      header_(header),
      text_(text),
      weiter_(weiter),
      showCheckbox_(showCheckbox) {}

void THinweisWinCtrl::FillRec(THinweisWinRec& rec) const {
  rec = THinweisWinRec{caption_, header_, text_, weiter_, showCheckbox_, false};
}

bool THinweisWinCtrl::Execute() {
  auto form = std::make_unique<THinweisForm>(this);
  THinweisWinRec rec;
  FillRec(rec);
  form->ShowData(rec);
  form->ShowModal();
  form->ReadResult(rec);
  return rec.Checked;
}
