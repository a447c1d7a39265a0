#include "outputs/ToolsZeileEingForm.h"

#include <QLabel>
#include <QLineEdit>

#include "outputs/ToolsZeileEingCtrl.h"
#include "platform/codec.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

TToolsZeileEingForm::TToolsZeileEingForm(QWidget* owner, TToolsZeileEingCtrl* ctrl)
    : TkxForm(owner), ctrl_(ctrl) {
  setObjectName(QStringLiteral("TToolsZeileEingForm"));
  setFont(QFont(QStringLiteral("Arial"), 9));
  setFixedSize(470, 112);

  lcaption = new QLabel(AnsiToQString("Eingabe Text:"), this);
  lcaption->setObjectName(QStringLiteral("lcaption"));
  lcaption->setGeometry(12, 10, 446, 18);
  eZeile = new QLineEdit(this);
  eZeile->setObjectName(QStringLiteral("eZeile"));
  eZeile->setGeometry(12, 32, 446, 24);

  btnemail = new TkxBitBtn(this);
  btnemail->setObjectName(QStringLiteral("btnemail"));
  btnemail->SetCaption("EMail-Adressdatei");
  btnemail->setGeometry(12, 72, 140, 28);
  btnemail->OnClick = [this] { ctrl_->OpenAddressFile(); };

  btnOK = new TkxBitBtn(this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->SetkxKind(bkOK);
  btnOK->SetCaption("&OK");
  btnOK->setGeometry(252, 72, 100, 28);
  btnAbbrechen = new TkxBitBtn(this);
  btnAbbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
  btnAbbrechen->SetkxKind(bkCancel);
  btnAbbrechen->setGeometry(358, 72, 100, 28);

  ToLayout.ApplyFormLook(this, true);
}

void TToolsZeileEingForm::ShowData(const TToolsZeileEingCtrlRec& rec) {
  eZeile->setText(AnsiToQString(rec.Value));
  setWindowTitle(AnsiToQString(rec.Caption));
  lcaption->setText(AnsiToQString(rec.LabelText));
  btnemail->setVisible(rec.ShowAddressButton);
  eZeile->setFocus();
}

void TToolsZeileEingForm::GetData(TToolsZeileEingCtrlRec& rec) const {
  rec.Value = QStringToAnsi(eZeile->text());
}
