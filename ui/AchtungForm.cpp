#include "ui/AchtungForm.h"

#include "ui/AchtungWinCtrl.h"
#include "ui/kxbuttons.h"

TAchtungForm::TAchtungForm(TAchtungWinCtrl* ctrl)
    : TkxMessageForm("Achtung", "Achtung:", "dlgachtung"), ctrl_(ctrl) {
  kxBitBtn1 = NewButton(170, 25, 105);
  kxBitBtn1->setObjectName(QStringLiteral("kxBitBtn1"));
  kxBitBtn1->SetkxKind(bkWeiter);
  kxBitBtn1->SetCancel(true);  // the only button: Escape closes the warning as it does
}

void TAchtungForm::ShowData(const TAchtungWinRec& rec) {
  SetHeader(rec.Header);
  // A warning whose text begins with "Achtung:" itself says it once: the
  // form's own header gives way.
  if (rec.Header.empty() && rec.Text.starts_with("Achtung:")) Label1->clear();
  SetText(rec.Text);
  SizeToText();
  kxBitBtn1->setFocus();
}

void TAchtungForm::Panel2Resize(int cw) {
  kxBitBtn1->move(cw / 2 - kxBitBtn1->width() / 2, kxBitBtn1->y());
}
