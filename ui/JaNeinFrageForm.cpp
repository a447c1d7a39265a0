#include "ui/JaNeinFrageForm.h"

#include "ui/JaNeinFrageWinCtrl.h"
#include "ui/kxbuttons.h"

TJaNeinFrageForm::TJaNeinFrageForm(TJaNeinFrageWinCtrl* ctrl)
    : TkxMessageForm("Abfrage", "Abfrage:", "dlgabfrage"), ctrl_(ctrl) {
  kxBitBtn1 = NewButton(142, 25, 81);
  kxBitBtn1->setObjectName(QStringLiteral("kxBitBtn1"));
  kxBitBtn1->SetkxKind(bkYes);
  kxBitBtn1->SetCaption("&Ja");
  kxBitBtn2 = NewButton(224, 25, 81);
  kxBitBtn2->setObjectName(QStringLiteral("kxBitBtn2"));
  kxBitBtn2->SetkxKind(bkNo);
  kxBitBtn2->SetCaption("&Nein");
}

void TJaNeinFrageForm::ShowData(const TJaNeinFrageWinRec& rec) {
  SetCaptionText(rec.Caption);
  SetHeader(rec.Header);
  SetText(rec.Text);
  SizeToText();
  kxBitBtn1->SetDefault(rec.DefaultYes);
  kxBitBtn2->SetDefault(!rec.DefaultYes);
  (kxBitBtn2->Default() ? kxBitBtn2 : kxBitBtn1)->setFocus();
}

void TJaNeinFrageForm::Panel2Resize(int cw) {
  kxBitBtn1->move(cw / 2 - kxBitBtn1->width(), kxBitBtn1->y());
  kxBitBtn2->move(cw / 2 + 1, kxBitBtn2->y());
}
