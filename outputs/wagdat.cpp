#include "outputs/wagdat.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "outputs/ToolsMemoCtrl.h"
#include "outputs/allerout.h"
#include "outputs/printoop.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/textfile.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

namespace {
// The button bar keeps this much room above and below its buttons, which
// grow with the font.
constexpr int kPanelPadding = 5;
}

Twagdatei::Twagdatei(QWidget* owner, const std::string& fileName)
    : TkxForm(owner), fileName_(fileName) {
  setObjectName(QStringLiteral("Twagdatei"));
  setWindowTitle(AnsiToQString(fileName));
  setFont(QFont(QStringLiteral("Arial"), 9));
  resize(760, 520);

  redit = new QPlainTextEdit(this);
  redit->setObjectName(QStringLiteral("redit"));
  redit->setFont(QFont(QStringLiteral("Courier New"), 10));
  redit->setLineWrapMode(QPlainTextEdit::NoWrap);
  redit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  redit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  btnDrucken = new TkxBitBtn(Panel1);
  btnDrucken->setObjectName(QStringLiteral("btnDrucken"));
  btnDrucken->SetkxKind(bkDruck);
  btnDrucken->SetCaption("Drucken");
  btnDrucken->resize(110, 30);
  btnDrucken->OnClick = [this] { DruckenClick(); };
  btnSpeichern = new TkxBitBtn(Panel1);
  btnSpeichern->setObjectName(QStringLiteral("btnSpeichern"));
  btnSpeichern->SetkxKind(bkOK);
  btnSpeichern->SetCaption("Speichern und Beenden");
  btnSpeichern->SetDefault(false);  // Enter makes a new line in the text
  btnSpeichern->resize(190, 30);
  btnSpeichern->OnClick = [this] { SpeichernClick(); };

  std::vector<std::string> lines;
  ReadTextFile(fileName_, lines);
  QStringList text;
  for (const std::string& line : lines) text << AnsiToQString(line);
  redit->setPlainText(text.join(QChar(u'\n')));

  ToLayout.ApplyFormLook(this, true);
}

void Twagdatei::resizeEvent(QResizeEvent* e) {
  TkxForm::resizeEvent(e);
  const int panelHeight = btnSpeichern->height() + 2 * kPanelPadding;
  redit->setGeometry(0, 0, width(), height() - panelHeight);
  Panel1->setGeometry(0, height() - panelHeight, width(), panelHeight);
  btnDrucken->move(6, kPanelPadding);
  btnSpeichern->move(width() - btnSpeichern->width() - 6, kPanelPadding);
}

bool Twagdatei::SaveFile() {
  if (WriteTextFile(fileName_, TextToLines(QStringToAnsi(redit->toPlainText())))) {
    redit->document()->setModified(false);
    return true;
  }
  ToMessages.Fehler("Die Datei " + fileName_ + " konnte nicht gespeichert werden.");
  return false;
}

void Twagdatei::DruckenClick() {
  if (!SaveFile()) return;
  // Printed as the saved file reads, on the printer the print dialog names.
  std::vector<std::string> lines;
  ReadTextFile(fileName_, lines);
  PrintSS.PrintWithDialog(fileName_, lines, "Courier New", redit->font().pointSize());
}

void Twagdatei::reject() {
  // The close box does not throw edits away unasked; a file that cannot be
  // written keeps the window open with the text.
  if (redit->document()->isModified() && AskKeepChanges(fileName_) && !SaveFile())
    return;
  TkxForm::reject();
}

void Twagdatei::keyPressEvent(QKeyEvent* e) {
  // The viewer has no cancel button for Escape to reach.
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    e->accept();
    reject();
    return;
  }
  TkxForm::keyPressEvent(e);
}

void Twagdatei::SpeichernClick() {
  // A file that cannot be written keeps the window open with the text.
  if (!SaveFile()) {
    SetModalResult(0);
    return;
  }
  redit->clear();
}

bool ShowFileInViewer(const std::string& fileName) {
  Twagdatei form(QApplication::activeWindow(), fileName);
  return form.ShowModal() == 1;
}

void InstallFileViewer() {
  SetOutputFileViewer([](const std::string& fileName) { ShowFileInViewer(fileName); });
}
