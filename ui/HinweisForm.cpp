#include "ui/HinweisForm.h"

#include "platform/codec.h"
#include "ui/HinweisWinCtrl.h"
#include "ui/kxbuttons.h"

THinweisForm::THinweisForm(THinweisWinCtrl* ctrl)
    : TkxMessageForm("Hinweis", "Hinweis:", "dlghinweis"), ctrl_(ctrl) {
  kxBitBtn1 = NewButton(170, 25, 105);
  kxBitBtn1->setObjectName(QStringLiteral("kxBitBtn1"));
  kxBitBtn1->SetkxKind(bkClose);
  kxBitBtn1->SetCaption("&Schließen");
  ccheck = new QCheckBox(Panel2);
  ccheck->setObjectName(QStringLiteral("ccheck"));
  ccheck->setGeometry(16, 40, 185, 17);
  ccheck->setText(AnsiToQString("Meldung nicht mehr anzeigen"));
  ccheck->setVisible(false);
}

void THinweisForm::ShowData(const THinweisWinRec& rec) {
  SetCaptionText(rec.Caption);
  SetHeader(rec.Header);
  SetText(rec.Text);
  ccheck->setVisible(rec.ShowCheckbox);
  SizeToText();
  if (rec.Weiter) {
    kxBitBtn1->SetkxKind(bkWeiter);
    kxBitBtn1->kxKindZq5 = bkWeiter;
    // The glyph of the new kind comes with the common look's button glyphs.
  }
  kxBitBtn1->setFocus();
}

void THinweisForm::ReadResult(THinweisWinRec& rec) const { rec.Checked = ccheck->isChecked(); }

void THinweisForm::Panel2Resize(int cw) {
  kxBitBtn1->move(cw / 2 - kxBitBtn1->width() / 2, kxBitBtn1->y());
}
