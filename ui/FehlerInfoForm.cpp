#include "ui/FehlerInfoForm.h"

#include "platform/launcher.h"
#include "ui/FehlerInfoWinCtrl.h"
#include "ui/kxbuttons.h"

TFehlerInfoForm::TFehlerInfoForm(TFehlerInfoWinCtrl* ctrl)
    : TkxMessageForm("Fehler", "Fehlermeldung:", "dlgfehler"), ctrl_(ctrl) {
  kxBitBtn1 = NewButton(10, 25, 113);
  kxBitBtn1->setObjectName(QStringLiteral("kxBitBtn1"));
  kxBitBtn1->SetkxKind(bkCancel);
  kxBitBtn1->SetCaption("&Abbrechen");
  kxBitBtn2 = NewButton(176, 24, 265);
  kxBitBtn2->setObjectName(QStringLiteral("kxBitBtn2"));
  kxBitBtn2->SetkxKind(bkGAmpelgelb);
  kxBitBtn2->OnClick = [this] { kxBitBtn2Click(); };
}

void TFehlerInfoForm::ShowData(const TFehlerInfoWinRec& rec) {
  SetText(rec.Text);
  kxBitBtn2->SetCaption(rec.ButtonCaption);
  target_ = rec.Target;
  SizeToText();
  kxBitBtn1->setFocus();
}

// Opens the page and leaves the dialog open.
void TFehlerInfoForm::kxBitBtn2Click() { Launcher().OpenUrl(target_); }

void TFehlerInfoForm::Panel2Resize(int cw) {
  kxBitBtn2->move(cw - 5 - kxBitBtn2->width(), kxBitBtn2->y());
  kxBitBtn1->move(kxBitBtn2->x() / 2 - kxBitBtn1->width() / 2, kxBitBtn1->y());
}
