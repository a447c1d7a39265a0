#include "ui/FehlerForm.h"

#include "ui/FehlerWinCtrl.h"
#include "ui/kxbuttons.h"

TFehlerForm::TFehlerForm(TFehlerWinCtrl* ctrl)
    : TkxMessageForm("Fehler", "Fehlermeldung:", "dlgfehler"), ctrl_(ctrl) {
  kxBitBtn1 = NewButton(166, 25, 113);
  kxBitBtn1->setObjectName(QStringLiteral("kxBitBtn1"));
  kxBitBtn1->SetkxKind(bkCancel);
  kxBitBtn1->SetCaption("&Abbrechen");
}

void TFehlerForm::ShowData(const TFehlerWinRec& rec) {
  SetText(rec.Text);
  SizeToText();
  kxBitBtn1->setFocus();
}

void TFehlerForm::Panel2Resize(int cw) {
  kxBitBtn1->move(cw / 2 - kxBitBtn1->width() / 2, kxBitBtn1->y());
}
