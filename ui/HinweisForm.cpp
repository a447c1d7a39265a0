#include "ui/HinweisForm.h"

#include "ui/kxlayout.h"

#include <algorithm>

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
  ccheck->resize(std::max(185, ccheck->sizeHint().width()), 17);
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
    ToLayout.ApplyButtonGlyphs(this);  // the glyph of the new kind
  }
  // The only button: Escape closes the notice as it does.
  kxBitBtn1->SetCancel(true);
  kxBitBtn1->setFocus();
}

void THinweisForm::ReadResult(THinweisWinRec& rec) const { rec.Checked = ccheck->isChecked(); }

int THinweisForm::ButtonStripWidth() const {
  if (ccheck->isHidden()) return 0;
  return ccheck->x() + ccheck->width() + 8 + kxBitBtn1->width() + 8;
}

void THinweisForm::Panel2Resize(int cw) {
  int left = cw / 2 - kxBitBtn1->width() / 2;
  // A visible check box keeps the button clear of itself.
  if (!ccheck->isHidden()) left = std::max(left, ccheck->x() + ccheck->width() + 8);
  kxBitBtn1->move(left, kxBitBtn1->y());
}
