#include "outputs/ToolsMemoForm.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

#include "outputs/ToolsMemoCtrl.h"
#include "platform/codec.h"
#include "platform/textfile.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

namespace {
// The button bar keeps this much room round its buttons, which grow with
// the font.
constexpr int kPanelPadding = 6;

TkxBitBtn* PanelButton(QWidget* panel, const char* name, const std::string& caption) {
  auto* b = new TkxBitBtn(panel);
  b->setObjectName(QString::fromLatin1(name));
  if (!caption.empty()) b->SetCaption(caption);
  b->resize(104, 40);
  return b;
}

QString LinesToEditorText(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << AnsiToQString(line);
  return list.join(QChar(u'\n'));
}
}  // namespace

TToolsMemoForm::TToolsMemoForm(QWidget* owner, TToolsMemoCtrl* ctrl)
    : TkxForm(owner), ctrl_(ctrl) {
  setObjectName(QStringLiteral("TToolsMemoForm"));
  setWindowTitle(QStringLiteral("Notizen"));
  setFont(QFont(QStringLiteral("Arial"), 9));
  resize(640, 440);
  setMinimumSize(560, 200);

  const QFont courier(QStringLiteral("Courier New"), 10);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFont(courier);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->installEventFilter(this);
  richedit1 = new QTextEdit(this);
  richedit1->setObjectName(QStringLiteral("richedit1"));
  richedit1->setFont(courier);
  richedit1->setAcceptRichText(false);
  richedit1->setLineWrapMode(QTextEdit::NoWrap);
  richedit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richedit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richedit1->installEventFilter(this);
  richedit1->hide();

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  btnDrucken = PanelButton(Panel1, "btnDrucken", "");
  btnDrucken->SetkxKind(bkDruck);
  btnSpeichernHo4 = PanelButton(Panel1, "btnSpeichernHo4", "");
  btnSpeichernHo4->SetkxKind(bkSpeichernAlsDatei);
  btnSpeichernHo4->SetCaption("als Datei|speichern");
  bkEMailHo4 = PanelButton(Panel1, "bkEMailHo4", "");
  bkEMailHo4->SetkxKind(bkExportEMail);
  bkEMailHo4->SetCaption("per EMail|versenden");
  btnOK = PanelButton(Panel1, "btnOK", "");
  btnOK->SetkxKind(bkOK);
  btnOK->SetCaption("&OK");
  btnAbbrechen = PanelButton(Panel1, "btnAbbrechen", "");
  btnAbbrechen->SetkxKind(bkCancel);
  btnAbbrechen->SetCaption("&Abbrechen");
  // Enter makes a new line in the text; only a click or Alt+O confirms.
  btnOK->SetDefault(false);

  btnDrucken->OnClick = [this] {
    const QFont f = MemoShown() ? Memo1->font() : richedit1->font();
    ctrl_->PrintLines(ShownLines(), MemoShown(), QStringToAnsi(f.family()),
                      f.pointSize());
  };
  btnSpeichernHo4->OnClick = [this] { ctrl_->SaveLines(this, ShownLines()); };
  bkEMailHo4->OnClick = [this] { ctrl_->MailLines(this, ShownLines()); };

  ToLayout.ApplyFormLook(this, true);
  // However narrow the window is made, the five buttons stay side by side.
  setMinimumWidth(std::max(minimumWidth(), 5 * btnOK->width() + 6 * kPanelPadding));
}

void TToolsMemoForm::resizeEvent(QResizeEvent* e) {
  TkxForm::resizeEvent(e);
  Arrange();
}

void TToolsMemoForm::Arrange() {
  const int w = width(), h = height();
  const int panelHeight = btnOK->height() + 2 * kPanelPadding;
  Memo1->setGeometry(0, 0, w, h - panelHeight);
  richedit1->setGeometry(0, 0, w, h - panelHeight);
  Panel1->setGeometry(0, h - panelHeight, w, panelHeight);
  int x = kPanelPadding;
  for (TkxBitBtn* b : {btnDrucken, btnSpeichernHo4, bkEMailHo4}) {
    b->move(x, kPanelPadding);
    if (!b->isHidden()) x += b->width() + kPanelPadding;
  }
  btnAbbrechen->move(w - btnAbbrechen->width() - kPanelPadding, kPanelPadding);
  btnOK->move(btnAbbrechen->x() - btnOK->width() - kPanelPadding, kPanelPadding);
}

bool TToolsMemoForm::eventFilter(QObject* watched, QEvent* e) {
  // Escape in the text closes the window without taking the text, after
  // asking when text was typed.
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape &&
      (watched == Memo1 || watched == richedit1)) {
    RunGuarded([this] { reject(); });
    return true;
  }
  return TkxForm::eventFilter(watched, e);
}

void TToolsMemoForm::ShowData(const TToolsMemoCtrlRec& rec) {
  btnDrucken->setVisible(rec.PrintVisible);
  btnSpeichernHo4->setVisible(rec.SaveVisible);
  bkEMailHo4->setVisible(rec.MailVisible);
  if (!rec.RichFileName.empty()) {
    Memo1->hide();
    richedit1->show();
    std::vector<std::string> lines;
    ReadTextFile(rec.RichFileName, lines);
    richedit1->setPlainText(LinesToEditorText(lines));
    richedit1->setFocus();
    name_ = rec.RichFileName;
  } else {
    Memo1->setPlainText(LinesToEditorText(rec.Text.empty() ? rec.Lines : TextToLines(rec.Text)));
    Memo1->setFocus();
  }
  ShownDocument()->setModified(false);
  if (rec.CursorAfterFirstLine) {
    QTextCursor at(ShownDocument()->firstBlock());
    at.movePosition(QTextCursor::EndOfBlock);
    if (MemoShown())
      Memo1->setTextCursor(at);
    else
      richedit1->setTextCursor(at);
  }
  if (!rec.Caption.empty()) setWindowTitle(AnsiToQString(rec.Caption));
  if (name_.empty()) name_ = QStringToAnsi(windowTitle());
  Arrange();
}

bool TToolsMemoForm::MemoShown() const { return !Memo1->isHidden(); }

QTextDocument* TToolsMemoForm::ShownDocument() const {
  return MemoShown() ? Memo1->document() : richedit1->document();
}

void TToolsMemoForm::reject() {
  if (ShownDocument()->isModified() && AskKeepChanges(name_)) {
    SetModalResult(mrOk);
    return;
  }
  TkxForm::reject();
}

std::vector<std::string> TToolsMemoForm::ShownLines() const {
  const QString text = MemoShown() ? Memo1->toPlainText() : richedit1->toPlainText();
  return TextToLines(QStringToAnsi(text));
}

void TToolsMemoForm::GetData(TToolsMemoCtrlRec& rec) const {
  rec.Lines = ShownLines();
  rec.Text = LinesToText(rec.Lines);
}
