// The tool dialogs: the one-line input, the text window with its print,
// save and mail buttons, and the notes window of the contest module on a
// real notes file. Dialogs are driven while modal; file dialogs, the
// launcher, the messages and the printer are stand-ins.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QFile>
#include <QUrl>

#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/recfields.h"
#include "database/setups.h"
#include "outputs/ToolsFkt.h"
#include "outputs/ToolsMemoCtrl.h"
#include "outputs/ToolsMemoForm.h"
#include "outputs/ToolsZeileEingForm.h"
#include "outputs/printoop.h"
#include "outputs/RecordingPrinter.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/launcher.h"
#include "platform/textfile.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/ModalDriver.h"
#include "ui/filebaseoop.h"
#include "ui/kxbuttons.h"

namespace {

using Kind = ScriptedMessages::Kind;
using Lines = std::vector<std::string>;

class RecordingLauncher : public TLauncher {
 public:
  RecordingLauncher() { previous_ = SetLauncher(this); }
  ~RecordingLauncher() override { SetLauncher(previous_); }
  bool OpenUrl(const std::string& url) override {
    opened.push_back(url);
    return true;
  }
  int SendMail(const TMailRequest& mail) override {
    mails.push_back(mail);
    return kMailHandedOver;
  }
  std::vector<std::string> opened;
  std::vector<TMailRequest> mails;

 private:
  TLauncher* previous_;
};

class ScriptedSaveDialog : public TFileDialogRunner {
 public:
  ScriptedSaveDialog() { previous_ = SetFileDialogRunner(this); }
  ~ScriptedSaveDialog() override { SetFileDialogRunner(previous_); }
  bool Run(const TFileDialogRequest&, std::string& fileName) override {
    proposed.push_back(fileName);
    if (confirm) fileName = answer;
    return confirm;
  }
  std::vector<std::string> proposed;
  bool confirm = true;
  std::string answer;

 private:
  TFileDialogRunner* previous_;
};

std::string Bytes(const std::string& file) {
  std::string bytes;
  ReadFileBytes(file, bytes);
  return bytes;
}

template <typename T>
T* Child(QWidget* w, const char* name) {
  return w->findChild<T*>(QString::fromLatin1(name));
}

// Types the address into the line input once it is up and confirms it.
void AnswerAddress(const std::string& address) {
  WhenModal([address](QWidget* w) {
    Child<QLineEdit>(w, "eZeile")->setText(AnsiToQString(address));
    Child<TkxBitBtn>(w, "btnOK")->click();
  });
}

}  // namespace

TEST(LineInput, EmptyCaptionAndLabelShowTheirDefaultsAndOkReturnsTheTypedValue) {
  std::string value = "alt";
  QString title, label;
  bool addressVisible = true;
  WhenModal([&](QWidget* w) {
    title = w->windowTitle();
    label = Child<QLabel>(w, "lcaption")->text();
    addressVisible = Child<TkxBitBtn>(w, "btnemail")->isVisible();
    EXPECT_EQ(Child<QLineEdit>(w, "eZeile")->text(), u"alt");
    Child<QLineEdit>(w, "eZeile")->setText(u"dl1abc@example.org"_qs);
    Child<TkxBitBtn>(w, "btnOK")->click();
  });
  EXPECT_TRUE(ToolsFkt.LineInput("", "", "", value));
  EXPECT_EQ(title, u"Quelvarin");
  EXPECT_EQ(label, u"Eingabe Text:");
  EXPECT_FALSE(addressVisible);
  EXPECT_EQ(value, "dl1abc@example.org");

  // Cancel: the value stays as it was.
  WhenModal([](QWidget* w) {
    Child<QLineEdit>(w, "eZeile")->setText(u"verworfen"_qs);
    Child<TkxBitBtn>(w, "btnAbbrechen")->click();
  });
  EXPECT_FALSE(ToolsFkt.LineInput("Titel", "Wert:", "", value));
  EXPECT_EQ(value, "dl1abc@example.org");
}

TEST(LineInput, TheAddressButtonOpensTheAddressFile) {
  RecordingLauncher launcher;
  std::string value;
  WhenModal([](QWidget* w) {
    auto* b = Child<TkxBitBtn>(w, "btnemail");
    EXPECT_TRUE(b->isVisible());
    b->click();
    EXPECT_TRUE(w->isVisible());  // the button does not close the input
    Child<TkxBitBtn>(w, "btnAbbrechen")->click();
  });
  ToolsFkt.LineInput("Adresse", "An:", "/tmp/adressen.txt", value);
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_NE(launcher.opened[0].find("/tmp/adressen.txt"), std::string::npos) << launcher.opened[0];
}

TEST(MemoWindow, LinesComeBackOnOkOnlyAndEscapeInTheTextCancels) {
  Lines lines{"Zeile eins", "Grüße"};
  std::string text;
  bool printShown = true;
  WhenModal([&](QWidget* w) {
    auto* form = static_cast<TToolsMemoForm*>(w);
    EXPECT_EQ(form->windowTitle(), u"Notizen");
    printShown = form->btnDrucken->isVisible();
    EXPECT_TRUE(form->btnSpeichernHo4->isVisible());
    EXPECT_EQ(form->Memo1->toPlainText(), u"Zeile eins\nGrüße");
    form->Memo1->appendPlainText(u"neu"_qs);
    form->btnOK->click();
  });
  ASSERT_TRUE(ToolsFkt.Memo("", &lines, nullptr, "", false, true, false, "", text));
  EXPECT_FALSE(printShown);
  EXPECT_EQ(lines, (Lines{"Zeile eins", "Grüße", "neu"}));
  EXPECT_EQ(text, "Zeile eins\r\nGrüße\r\nneu\r\n");

  // A given text replaces the lines; Escape leaves lines and text alone.
  text = "erste\r\nzweite";
  WhenModal([](QWidget* w) {
    auto* form = static_cast<TToolsMemoForm*>(w);
    EXPECT_EQ(form->Memo1->toPlainText(), u"erste\nzweite");
    form->Memo1->setFocus();
    Key(w, Qt::Key_Escape);
  });
  EXPECT_FALSE(ToolsFkt.Memo("Titel", &lines, nullptr, "", true, true, true, "", text));
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(text, "erste\r\nzweite");
}

TEST(MemoWindow, BoundsPlaceTheWindowOnlyWithABottomAndAlwaysComeBack) {
  TMemoBounds bounds{};  // bottom 0: the window's own place
  std::string text;
  WhenModal([](QWidget* w) { static_cast<TToolsMemoForm*>(w)->btnAbbrechen->click(); });
  ToolsFkt.Memo("", nullptr, &bounds, "", false, false, false, "", text);
  EXPECT_GE(bounds.Bottom, 1);
  EXPECT_EQ(bounds.Right - bounds.Left + 1, 640);
  EXPECT_EQ(bounds.Bottom - bounds.Top + 1, 440);

  bounds = {50, 60, 749, 459};
  QRect shownAt;
  WhenModal([&](QWidget* w) {
    shownAt = QRect(w->pos(), w->size());
    w->move(80, 90);  // the user moves and shrinks it
    w->resize(600, 300);
    static_cast<TToolsMemoForm*>(w)->btnOK->click();
  });
  ToolsFkt.Memo("", nullptr, &bounds, "", false, false, false, "", text);
  EXPECT_EQ(shownAt, QRect(50, 60, 700, 400));
  EXPECT_EQ(bounds.Left, 80);
  EXPECT_EQ(bounds.Top, 90);
  EXPECT_EQ(bounds.Right, 679);
  EXPECT_EQ(bounds.Bottom, 389);
}

TEST(MemoWindow, AFileTakesThePlaceOfTheMemoAndItsEditedLinesComeBack) {
  TempProgramDir dir;
  const std::string file = dir.File("Regeln.txt");
  ASSERT_TRUE(WriteTextFile(file, {"Regel 1", "Regel 2"}));
  Lines lines{"nicht gezeigt"};
  std::string text;
  WhenModal([](QWidget* w) {
    auto* form = static_cast<TToolsMemoForm*>(w);
    EXPECT_FALSE(form->Memo1->isVisible());
    EXPECT_TRUE(form->richedit1->isVisible());
    EXPECT_EQ(form->windowTitle(), u"Contestregeln");
    EXPECT_EQ(form->richedit1->toPlainText(), u"Regel 1\nRegel 2");
    form->richedit1->append(u"Regel 3"_qs);
    form->btnOK->click();
  });
  ASSERT_TRUE(ToolsFkt.Memo("Contestregeln", &lines, nullptr, "", false, true, true, file, text));
  EXPECT_EQ(lines, (Lines{"Regel 1", "Regel 2", "Regel 3"}));
}

TEST(NotesWindow, TheContestModulesNoteIsTypedAfterItsStampAndKept) {
  TempProgramDir dir;
  InstallToolsFkt();
  TdbContest list{kContestList, false, 0};
  TContestRecord r{};
  rec::SetStr(r.data(), crec::kName, crec::kNameCap, "Party");
  rec::SetChar(r.data(), crec::kTyp, '4');
  list.ClearRecord();
  list.SetContestRecord(r);
  ASSERT_TRUE(list.Add());
  list.GetContestRecord(r);
  TdbContest log(kContestLog, false, rec::GetInt32(r.data(), crec::kNummer));
  TContestQsoRecord q{};
  rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
  log.ClearRecord();
  log.SetQsoRecord(q);
  ASSERT_TRUE(log.Add());
  const std::string file = dir.File("PARTY.TXT");
  ASSERT_TRUE(WriteTextFile(file, {"ältere Notiz"}));

  bool printShown = true, saveShown = false, mailShown = false;
  WhenModal([&](QWidget* w) {
    auto* form = static_cast<TToolsMemoForm*>(w);
    EXPECT_EQ(form->windowTitle(), u"Notiz");
    printShown = form->btnDrucken->isVisible();
    saveShown = form->btnSpeichernHo4->isVisible();
    mailShown = form->bkEMailHo4->isVisible();
    QTextCursor c = form->richedit1->textCursor();
    c.movePosition(QTextCursor::Start);
    c.movePosition(QTextCursor::EndOfLine);
    c.insertText(u"Antenne umgebaut"_qs);
    form->richedit1->setTextCursor(c);
    w->move(120, 80);
    form->btnOK->click();
  });
  TContestFkt().EditNote(file, list, log);
  EXPECT_FALSE(printShown);
  EXPECT_TRUE(saveShown);
  EXPECT_TRUE(mailShown);
  Lines lines;
  ASSERT_TRUE(ReadTextFile(file, lines));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("DL1ABC     > Antenne umgebaut"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1], "ältere Notiz");
  EXPECT_EQ(Bytes(file).substr(Bytes(file).size() - 14), "\xE4ltere Notiz\r\n");
  list.First(1);
  list.GetContestRecord(r);
  EXPECT_EQ(rec::GetInt16(r.data(), crec::kNoteLeft), 120);
  EXPECT_EQ(rec::GetInt16(r.data(), crec::kNoteTop), 80);
  SetMemoWindow(nullptr);
}

TEST(NotesWindow, CancelOrUnchangedTextLeavesTheFileAsItWas) {
  TempProgramDir dir;
  TToolsMemoWindow window;
  const std::string file = dir.File("regeln.rtf");
  const std::string utf8 = "Gr\xC3\xBC\xC3\x9F" "e\n{\\rtf1 x}\n";  // a UTF-8 file stays UTF-8
  {
    QFile f(FileNameToQString(file));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(utf8.data(), static_cast<qint64>(utf8.size()));
  }
  TMemoBounds result{};
  WhenModal([](QWidget* w) { static_cast<TToolsMemoForm*>(w)->btnOK->click(); });
  window.Memo("Contestregeln", nullptr, file, result);
  EXPECT_EQ(Bytes(file), utf8);
  EXPECT_GE(result.Bottom, 1);

  WhenModal([](QWidget* w) {
    auto* form = static_cast<TToolsMemoForm*>(w);
    form->richedit1->append(u"weg"_qs);
    form->btnAbbrechen->click();
  });
  window.Memo("Contestregeln", nullptr, file, result);
  EXPECT_EQ(Bytes(file), utf8);
}

class MemoButtons : public ::testing::Test {
 protected:
  void SetUp() override { ToSetups.SetOwnCall("DL1ABC/P"); }
  void TearDown() override { ToSetups.SetOwnCall(""); }
  TToolsMemoCtrl Ctrl(const std::string& caption) {
    return TToolsMemoCtrl(nullptr, caption, nullptr, nullptr, "dk0xx@example.org", true, true,
                          true, "", "");
  }
  TempProgramDir dir;
  ScriptedMessages msgs;
  ScriptedSaveDialog dialog;
  RecordingLauncher launcher;
};

TEST_F(MemoButtons, SaveWritesTheShownLinesAndProposesTheNameNextTime) {
  TToolsMemoCtrl ctrl = Ctrl("Notizen");
  dialog.confirm = false;
  EXPECT_FALSE(ctrl.SaveLines(nullptr, {"a"}));
  EXPECT_TRUE(ctrl.SavedFileName().empty());

  dialog.confirm = true;
  dialog.answer = dir.File("notizen.txt");
  ASSERT_TRUE(ctrl.SaveLines(nullptr, {"Müller", "", "Ende"}));
  EXPECT_EQ(Bytes(dialog.answer), "M\xFCller\r\n\r\nEnde\r\n");
  ASSERT_TRUE(ctrl.SaveLines(nullptr, {"x"}));
  EXPECT_EQ(dialog.proposed, (Lines{"", "", dir.File("notizen.txt")}));

  // The CFD notes are proposed under the own call in its file-name form.
  TToolsMemoCtrl cfd = Ctrl("CFD-Datei");
  ASSERT_TRUE(cfd.SaveLines(nullptr, {"x"}));
  EXPECT_EQ(dialog.proposed.back(), "DL1ABC_P.CFD");
}

TEST_F(MemoButtons, MailOfTheCfdNotesSavesWithoutDialogAndHandsTheFileOver) {
  TToolsMemoCtrl ctrl = Ctrl("CFD-Datei");
  msgs.Expect(Kind::JaNeinFrage, "Datei per EMail versenden?", true)
      .Expect(Kind::JaNeinFrage, "Datei per MAPI versenden?", true)
      .Expect(Kind::Hinweis, "übergeben");
  AnswerAddress("dl2xyz@example.org");
  ctrl.MailLines(nullptr, {"CFD"});
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_TRUE(dialog.proposed.empty());
  const std::string file = dir.File("DL1ABC_P.CFD");
  EXPECT_EQ(Bytes(file), "CFD\r\n");
  EXPECT_EQ(msgs.History()[0].header, "EMail-Versand");
  EXPECT_EQ(msgs.History()[1].caption, "Dateiexport");
  ASSERT_EQ(launcher.mails.size(), 1u);
  const TMailRequest& m = launcher.mails[0];
  EXPECT_EQ(m.To, (Lines{"dl2xyz@example.org"}));
  EXPECT_EQ(m.Subject, "Datei DL1ABC_P");
  EXPECT_EQ(m.Body, "In der Anlage dieser EMail befindet sich die Datei von DL1ABC/P.");
  EXPECT_EQ(m.Attachments, (Lines{file}));
  EXPECT_EQ(ctrl.MailAddress(), "dl2xyz@example.org");
}

TEST_F(MemoButtons, MailWithoutMapiOpensAMailLinkNamingTheFile) {
  TToolsMemoCtrl ctrl = Ctrl("Notizen");
  dialog.answer = dir.File("log notiz.txt");
  msgs.Expect(Kind::JaNeinFrage, "Datei per EMail versenden?", true)
      .Expect(Kind::JaNeinFrage, "Datei per MAPI versenden?", false);
  std::string startAddress;
  WhenModal([&](QWidget* w) {
    startAddress = QStringToAnsi(Child<QLineEdit>(w, "eZeile")->text());
    Child<TkxBitBtn>(w, "btnOK")->click();
  });
  ctrl.MailLines(nullptr, {"x"});
  EXPECT_EQ(startAddress, "dk0xx@example.org");
  EXPECT_TRUE(launcher.mails.empty());
  ASSERT_EQ(launcher.opened.size(), 1u);
  const QUrl url(AnsiToQString(launcher.opened[0]));
  EXPECT_EQ(url.scheme(), u"mailto");
  EXPECT_EQ(url.path(), u"dk0xx@example.org");
  const QString query = QUrl::fromPercentEncoding(url.query(QUrl::FullyEncoded).toUtf8());
  EXPECT_TRUE(query.contains(u"subject=Datei von DL1ABC/P")) << query.toStdString();
  EXPECT_TRUE(query.contains(
      AnsiToQString("Fuegen Sie jetzt als EMail-Anlage die folgende Datei ein: " +
                    dir.File("log notiz.txt"))))
      << query.toStdString();
}

TEST_F(MemoButtons, NoToTheMailOrACancelledAddressSendsNothingButKeepsTheFile) {
  TToolsMemoCtrl ctrl = Ctrl("Notizen");
  dialog.confirm = false;
  ctrl.MailLines(nullptr, {"x"});  // cancelled save dialog: no question at all
  EXPECT_TRUE(msgs.History().empty());

  dialog.confirm = true;
  dialog.answer = dir.File("a.txt");
  msgs.Expect(Kind::JaNeinFrage, "Datei per EMail versenden?", false);
  ctrl.MailLines(nullptr, {"erste"});
  EXPECT_EQ(Bytes(dir.File("a.txt")), "erste\r\n");

  msgs.Expect(Kind::JaNeinFrage, "Datei per EMail versenden?", true)
      .Expect(Kind::JaNeinFrage, "Datei per MAPI versenden?", true);
  WhenModal([](QWidget* w) { Child<TkxBitBtn>(w, "btnAbbrechen")->click(); });
  ctrl.MailLines(nullptr, {"zweite"});
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_TRUE(launcher.mails.empty());
  EXPECT_TRUE(launcher.opened.empty());
  EXPECT_EQ(Bytes(dir.File("a.txt")), "zweite\r\n");
}

TEST(MailAttachmentPath, NamesWithDriveNetworkOrFullPathStayBareNamesGetTheDirectory) {
  EXPECT_EQ(MailAttachmentPath("C:notiz.txt", "/home/op"), "C:notiz.txt");
  EXPECT_EQ(MailAttachmentPath("//server/log/notiz.txt", "/home/op"), "//server/log/notiz.txt");
  EXPECT_EQ(MailAttachmentPath("/var/log/notiz.txt", "/home/op"), "/var/log/notiz.txt");
  EXPECT_EQ(MailAttachmentPath("notiz.txt", "/home/op"), "/home/op/notiz.txt");
  EXPECT_EQ(MailAttachmentPath("notiz.txt", "/home/op/"), "/home/op/notiz.txt");
}

TEST_F(MemoButtons, PrintGoesThroughTheTemporaryFileAndOnlyAfterTheDialog) {
  RecordingPrinter printer;
  TToolsMemoCtrl ctrl = Ctrl("Notizen");
  printer.dialogAnswer = false;
  ctrl.PrintLines(nullptr, {"Öl", "zwei"}, true, "Courier New", 10);
  EXPECT_EQ(printer.dialogsShown, 1);
  EXPECT_EQ(printer.jobs, 0);
  EXPECT_EQ(Bytes(dir.File("MEMO.TMP")), "\xD6l\r\nzwei\r\n");

  printer.dialogAnswer = true;
  ctrl.PrintLines(nullptr, {"Öl", "zwei"}, true, "Courier New", 10);
  EXPECT_EQ(printer.jobs, 1);
  EXPECT_FALSE(printer.open);
  EXPECT_EQ(printer.title, dir.File("MEMO.TMP"));
  EXPECT_EQ(printer.fontName, "Courier New");
  EXPECT_EQ(printer.fontSize, 10);
  EXPECT_EQ(printer.Lines(), (Lines{"Öl", "zwei"}));
  // Margins of 20 mm left and top on the 10-pixels-per-millimetre page.
  EXPECT_EQ(printer.pages[0][0].x, 200);
  EXPECT_EQ(printer.pages[0][0].y, 200);
  EXPECT_EQ(printer.pages[0][1].y, 240);
}

TEST(PrintText, LongLinesBreakAtBlanksAndFullPagesStartTheNext) {
  RecordingPrinter printer;
  // 2100 - 200 - 250 pixels leave 165 characters; 2970 - 200 - 200 pixels 64 lines.
  const std::string word(100, 'w');
  const std::string longLine = word + " " + word;
  const std::string noBlank(400, 'x');
  ASSERT_TRUE(PrintSS.PrintText("t", {longLine, "", noBlank}, "Arial", 10));
  EXPECT_EQ(printer.Lines(), (Lines{word, word, "", std::string(165, 'x'), std::string(165, 'x'),
                                    std::string(70, 'x')}));

  Lines many(150, "Zeile");
  ASSERT_TRUE(PrintSS.PrintText("t", many, "Arial", 10));
  ASSERT_EQ(printer.pages.size(), 3u);
  EXPECT_EQ(printer.pages[0].size(), 64u);
  EXPECT_EQ(printer.pages[1].size(), 64u);
  EXPECT_EQ(printer.pages[2].size(), 22u);
  EXPECT_EQ(printer.pages[1][0].y, 200);
  EXPECT_LE(printer.pages[0].back().y + 40, 2770);
}
