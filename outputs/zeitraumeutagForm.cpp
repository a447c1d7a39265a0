#include "outputs/zeitraumeutagForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "outputs/ZeitraumEUTagCtrl.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

namespace {
QLabel* NewLabel(QWidget* parent, const char* name, const char* text, int x, int y, int w) {
  auto* l = new QLabel(AnsiToQString(text), parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(x, y, w, 18);
  return l;
}
}  // namespace

TzeitraumeutagForm::TzeitraumeutagForm(QWidget* owner, TzeitraumeutagCtrl* ctrl)
    : TkxForm(owner), ctrl_(ctrl) {
  setObjectName(QStringLiteral("TzeitraumeutagForm"));
  setWindowTitle(QStringLiteral("Zeitangabe"));
  setFont(QFont(QStringLiteral("Arial"), 9));
  setFixedSize(330, 400);

  Label1 = NewLabel(this, "Label1", "Zeitraum von", 12, 14, 90);
  evon = new QLineEdit(this);
  evon->setObjectName(QStringLiteral("evon"));
  evon->setGeometry(104, 10, 76, 24);
  Label2 = NewLabel(this, "Label2", "bis", 190, 14, 30);
  ebis = new QLineEdit(this);
  ebis->setObjectName(QStringLiteral("ebis"));
  ebis->setGeometry(222, 10, 76, 24);
  Label3 = NewLabel(this, "Label3", "Angabe hh:mm", 104, 38, 160);

  Label4 = NewLabel(this, "Label4", "Entscheidungshilfe:", 12, 66, 200);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(12, 86, 306, 256);
  Memo1->setReadOnly(true);
  Memo1->setFont(QFont(QStringLiteral("Courier New"), 9));
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setGeometry(12, 348, 306, 12);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->hide();

  Button1 = new TkxBitBtn(this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->SetkxKind(bkOK);
  Button1->SetCaption("OK");
  Button1->setGeometry(228, 364, 90, 28);
  Button1->OnClick = [this] { Button1Click(); };

  ToLayout.ApplyFormLook(this, true);
}

void TzeitraumeutagForm::ShowData(const TzeitraumeutagCtrlRec& rec) {
  evon->setText(AnsiToQString(rec.Von));
  ebis->setText(AnsiToQString(rec.Bis));
}

void TzeitraumeutagForm::GetData(TzeitraumeutagCtrlRec& rec) const {
  rec.Von = QStringToAnsi(evon->text().trimmed());
  rec.Bis = QStringToAnsi(ebis->text().trimmed());
}

void TzeitraumeutagForm::showEvent(QShowEvent* e) {
  TkxForm::showEvent(e);
  if (shown_) return;
  shown_ = true;
  RunGuarded([this] { FormShow(); });
}

void TzeitraumeutagForm::FormShow() {
  RunPeriodAid(ReadQsoTimePoints(ctrl_->Nummer()),
               [this](int state, int position, const std::string& text, const std::string& text2) {
                 Progress(state, position, text, text2);
               });
}

void TzeitraumeutagForm::Progress(int state, int position, const std::string& text,
                                  const std::string& text2) {
  switch (state) {
    case 0:
      ProgressBar1->setRange(0, 300);
      ProgressBar1->setValue(0);
      ProgressBar1->show();
      break;
    case 1:
      ProgressBar1->setValue(position);
      Memo1->appendPlainText(AnsiToQString(text));
      break;
    default:
      ProgressBar1->hide();
      evon->setText(AnsiToQString(text));
      ebis->setText(AnsiToQString(text2));
      break;
  }
}

void TzeitraumeutagForm::Button1Click() {
  TzeitraumeutagCtrlRec rec;
  GetData(rec);
  std::string message;
  if (!CheckPeriodTexts(rec.Von, rec.Bis, message)) {
    ToMessages.Achtung(ToMessages.HeaderUngueltig, message);
    SetModalResult(0);
    evon->setFocus();
  }
}
