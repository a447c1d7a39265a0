// The tool dialogs: the one-line input, the text window with its print,
// save and mail buttons, and the notes window of the contest module on a
// real notes file. Dialogs are driven while modal; file dialogs, the
// launcher, the messages and the printer are stand-ins.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QDir>
#include <QFile>
#include <QUrl>

#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "outputs/ToolsFkt.h"
#include "outputs/ToolsMemoCtrl.h"
#include "outputs/ToolsMemoForm.h"
#include "outputs/ToolsZeileEingForm.h"
#include "outputs/outprinter.h"
#include "outputs/printoop.h"
#include "outputs/allerout.h"
#include "outputs/wagdat.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/launcher.h"
#include "platform/textfile.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/ModalDriver.h"
#include "ui/filebaseoop.h"
#include "ui/kxbuttons.h"
#include "ui/kxform.h"
#include "support/ScriptedFileDialog.h"
#include "support/RecordingLauncher.h"

namespace {

using Kind = ScriptedMessages::Kind;
using Lines = std::vector<std::string>;

// A printer on a 254-dpi page (10 pixels per millimetre) of 2100 by 2970
// pixels with a fixed-pitch font of 10 pixels per character and 40 per
// line. It records the job's name, font and every page's texts.
struct PageJob {
  bool confirm = true;
  int dialogs = 0, jobs = 0;
  bool open = false;
  std::string title, font;
  int points = 0;
  struct Text {
    int x, y;
    std::string text;
  };
  std::vector<std::vector<Text>> pages;
  Lines AllLines() const {
    Lines out;
    for (const auto& page : pages)
      for (const Text& t : page) out.push_back(t.text);
    return out;
  }
};

class PagePrinter : public TOutputPrinter {
 public:
  explicit PagePrinter(PageJob& job) : job_(job) {}
  bool PrintDialog() override {
    ++job_.dialogs;
    return job_.confirm;
  }
  void SetFont(const std::string& name, int points) override {
    job_.font = name;
    job_.points = points;
  }
  void SetBold(bool) override {}
  void SetDocName(const std::string& name) override { job_.title = name; }
  bool BeginDoc() override {
    ++job_.jobs;
    job_.open = true;
    job_.pages.assign(1, {});
    return true;
  }
  int DpiX() const override { return 254; }
  int TextHeight(const std::string&) override { return 40; }
  int TextWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
  int PageHeight() const override { return 2970; }
  int PageWidth() const override { return 2100; }
  int PageNumber() const override { return static_cast<int>(job_.pages.size()); }
  void TextOut(int x, int y, const std::string& text) override {
    if (job_.open) job_.pages.back().push_back({x, y, text});
  }
  void NewPage() override {
    if (job_.open) job_.pages.emplace_back();
  }
  void EndDoc() override { job_.open = false; }

 private:
  PageJob& job_;
};

// Installs the page printer for its lifetime.
class PrinterScope {
 public:
  PrinterScope() {
    previous_ = SetOutputPrinterFactory([this] { return std::make_unique<PagePrinter>(job); });
  }
  ~PrinterScope() { SetOutputPrinterFactory(previous_); }
  PageJob job;

 private:
  TOutputPrinterFactory previous_;
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

// A contest log "Party" with one QSO with DL1ABC, whose note the contest
// module opens in the installed memo window.
struct NoteLog {
  NoteLog() {
    InstallToolsFkt();
    TContestRecord r{};
    rec::SetStr(r.data(), crec::kName, crec::kNameCap, "Party");
    rec::SetChar(r.data(), crec::kTyp, '4');
    list.ClearRecord();
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Add());
    list.GetContestRecord(r);
    log = std::make_unique<TdbContest>(kContestLog, false, rec::GetInt32(r.data(), crec::kNummer));
    TContestQsoRecord q{};
    rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
    log->ClearRecord();
    log->SetQsoRecord(q);
    EXPECT_TRUE(log->Add());
  }
  ~NoteLog() { SetMemoWindow(nullptr); }
  TdbContest list{kContestList, false, 0};
  std::unique_ptr<TdbContest> log;
};

TEST(NotesWindow, TheContestModulesNoteIsTypedAfterItsStampAndKept) {
  TempProgramDir dir;
  NoteLog note;
  TdbContest& list = note.list;
  TdbContest& log = *note.log;
  TContestRecord r{};
  const std::string file = dir.File("PARTY.TXT");
  ASSERT_TRUE(WriteTextFile(file, {"ältere Notiz"}));

  bool printShown = true, saveShown = false, mailShown = false;
  std::vector<int> help;
  SetHelpContextHandler([&help](int context) { help.push_back(context); });
  WhenModal([&](QWidget* w) {
    auto* form = static_cast<TToolsMemoForm*>(w);
    EXPECT_EQ(form->windowTitle(), u"Notiz");
    // F1 in the text: the program's help.
    form->richedit1->setFocus();
    QTest::keyClick(form->richedit1, Qt::Key_F1);
    EXPECT_FALSE(form->Memo1->isVisible());  // the file takes the memo's place
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
  EXPECT_EQ(help, std::vector<int>{kProgramHelpContext});
  SetHelpContextHandler(nullptr);
  SetMemoWindow(nullptr);
}

// The note opens with the cursor behind its stamp's " > ", so what the
// user types follows the stamp. Escape with typed text asks, as the file
// viewer's close box does: "Nein" drops the text, "Ja" keeps it. The stamp
// stays in the file either way.
TEST(NotesWindow, TypedTextFollowsTheStampAndEscapeAsksBeforeDroppingIt) {
  TempProgramDir dir;
  NoteLog note;
  const std::string file = dir.File("PARTY.TXT");
  ASSERT_TRUE(WriteTextFile(file, {"ältere Notiz"}));
  ScriptedMessages messages;
  auto typeThenEscape = [](const char* typed) {
    WhenModal([typed](QWidget* w) {
      auto* form = static_cast<TToolsMemoForm*>(w);
      QTest::keyClicks(form->richedit1, QString::fromLatin1(typed));
      QTest::keyClick(form->richedit1, Qt::Key_Escape);
    });
  };
  messages.Expect(Kind::JaNeinFrage, "Die Änderungen an " + file + " speichern?", false);
  typeThenEscape("Antenne umgebaut");
  TContestFkt().EditNote(file, note.list, *note.log);
  Lines lines;
  ASSERT_TRUE(ReadTextFile(file, lines));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 13), "DL1ABC     > ") << lines[0];

  messages.Expect(Kind::JaNeinFrage, "speichern?", true);
  typeThenEscape("Band offen");
  TContestFkt().EditNote(file, note.list, *note.log);
  EXPECT_TRUE(messages.AllShown());
  ASSERT_TRUE(ReadTextFile(file, lines));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 23), "DL1ABC     > Band offen") << lines[0];
  EXPECT_EQ(lines[1].substr(lines[1].size() - 13), "DL1ABC     > ") << lines[1];
  EXPECT_EQ(lines[2], "ältere Notiz");

  // Nothing typed: Escape closes without a question.
  WhenModal([](QWidget* w) { QTest::keyClick(static_cast<TToolsMemoForm*>(w)->richedit1, Qt::Key_Escape); });
  TContestFkt().EditNote(file, note.list, *note.log);
  EXPECT_EQ(messages.History().size(), 2u);
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
  window.Memo("Contestregeln", nullptr, file, result, false);
  EXPECT_EQ(Bytes(file), utf8);
  EXPECT_GE(result.Bottom, 1);

  WhenModal([](QWidget* w) {
    auto* form = static_cast<TToolsMemoForm*>(w);
    form->richedit1->append(u"weg"_qs);
    form->btnAbbrechen->click();
  });
  window.Memo("Contestregeln", nullptr, file, result, false);
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
  ScriptedFileDialog dialog;
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
  PrinterScope printer;
  PageJob& job = printer.job;
  TToolsMemoCtrl ctrl = Ctrl("Notizen");
  job.confirm = false;
  ctrl.PrintLines({"Öl", "zwei"}, true, "Courier New", 10);
  EXPECT_EQ(job.dialogs, 1);
  EXPECT_EQ(job.jobs, 0);
  EXPECT_EQ(Bytes(dir.File("MEMO.TMP")), "\xD6l\r\nzwei\r\n");

  job.confirm = true;
  ctrl.PrintLines({"Öl", "zwei"}, true, "Courier New", 10);
  EXPECT_EQ(job.jobs, 1);
  EXPECT_FALSE(job.open);
  EXPECT_EQ(job.title, dir.File("MEMO.TMP"));
  EXPECT_EQ(job.font, "Courier New");
  EXPECT_EQ(job.points, 10);
  EXPECT_EQ(job.AllLines(), (Lines{"Öl", "zwei"}));
  // Margins of 20 mm left and top on the 10-pixels-per-millimetre page.
  EXPECT_EQ(job.pages[0][0].x, 200);
  EXPECT_EQ(job.pages[0][0].y, 200);
  EXPECT_EQ(job.pages[0][1].y, 240);
}

TEST_F(MemoButtons, PrintAndCfdMailFilesGoToTheNotesFolderOfTheSettings) {
  const std::string notes = dir.File("notizen");
  ASSERT_TRUE(QDir().mkpath(FileNameToQString(notes)));
  ToSetupDirs dirs;
  dirs[kDirNotes] = notes;  // without the closing slash, as a user types it
  ToSetups.SetDirs(dirs);
  PrinterScope printer;
  printer.job.confirm = false;
  TToolsMemoCtrl memo = Ctrl("Notizen");
  memo.PrintLines({"Druck"}, true, "Courier New", 10);
  TToolsMemoCtrl cfd = Ctrl("CFD-Datei");
  msgs.Expect(Kind::JaNeinFrage, "Datei per EMail versenden?", false);
  cfd.MailLines(nullptr, {"CFD"});
  ToSetups.SetDirs(ToSetupDirs{});

  EXPECT_EQ(Bytes(notes + "/MEMO.TMP"), "Druck\r\n");
  EXPECT_EQ(Bytes(notes + "/DL1ABC_P.CFD"), "CFD\r\n");
  EXPECT_FALSE(FileExistsAnsi(dir.File("MEMO.TMP")));
  EXPECT_FALSE(FileExistsAnsi(dir.File("DL1ABC_P.CFD")));
}

TEST(PrintText, LongLinesBreakAtBlanksAndFullPagesStartTheNext) {
  PrinterScope printer;
  const PageJob& job = printer.job;
  // 2100 - 200 - 250 pixels leave 165 characters; 2970 - 200 - 200 pixels 64 lines.
  const std::string word(100, 'w');
  const std::string longLine = word + " " + word;
  const std::string noBlank(400, 'x');
  ASSERT_TRUE(PrintSS.PrintText("t", {longLine, "", noBlank}, "Arial", 10));
  EXPECT_EQ(job.AllLines(), (Lines{word, word, "", std::string(165, 'x'), std::string(165, 'x'),
                                    std::string(70, 'x')}));

  Lines many(150, "Zeile");
  ASSERT_TRUE(PrintSS.PrintText("t", many, "Arial", 10));
  ASSERT_EQ(job.pages.size(), 3u);
  EXPECT_EQ(job.pages[0].size(), 64u);
  EXPECT_EQ(job.pages[1].size(), 64u);
  EXPECT_EQ(job.pages[2].size(), 22u);
  EXPECT_EQ(job.pages[1][0].y, 200);
  EXPECT_LE(job.pages[0].back().y + 40, 2770);
}

TEST(FileViewer, SaveAndCloseKeepsTheEditsTheCloseBoxAsksForThem) {
  TempProgramDir dir;
  ScriptedMessages messages;
  const std::string file = dir.File("DL1ABC.CAB");
  ASSERT_TRUE(WriteTextFile(file, {"START-OF-LOG: 3.0", "END-OF-LOG:"}));
  auto closeAfter = [](const char* added) {
    WhenModal([added](QWidget* w) {
      auto* viewer = static_cast<Twagdatei*>(w);
      if (added) viewer->redit->appendPlainText(QString::fromLatin1(added));
      viewer->close();
    });
  };

  // Unchanged: the close box closes without a question.
  closeAfter(nullptr);
  EXPECT_FALSE(ShowFileInViewer(file));
  EXPECT_TRUE(messages.History().empty());
  // Changed: Nein drops the edits, Ja writes them.
  messages.Expect(ScriptedMessages::Kind::JaNeinFrage, "Die Änderungen an " + file + " speichern?",
                  false);
  closeAfter("verworfen");
  EXPECT_FALSE(ShowFileInViewer(file));
  EXPECT_EQ(Bytes(file), "START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\n");
  messages.Expect(ScriptedMessages::Kind::JaNeinFrage, "speichern?", true);
  closeAfter("SOAPBOX: behalten");
  ShowFileInViewer(file);
  EXPECT_TRUE(messages.AllShown());
  EXPECT_TRUE(messages.History().back().defaultYes);
  EXPECT_EQ(Bytes(file), "START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\nSOAPBOX: behalten\r\n");

  QString title;
  WhenModal([&](QWidget* w) {
    auto* viewer = static_cast<Twagdatei*>(w);
    title = viewer->windowTitle();
    viewer->redit->setPlainText(u"START-OF-LOG: 3.0\nSOAPBOX: Grüße\nEND-OF-LOG:\n"_qs);
    viewer->btnSpeichern->click();
  });
  EXPECT_TRUE(ShowFileInViewer(file));
  EXPECT_EQ(title, FileNameToQString(file));
  EXPECT_EQ(Bytes(file), "START-OF-LOG: 3.0\r\nSOAPBOX: Gr\xFC\xDF" "e\r\nEND-OF-LOG:\r\n");
}

// Escape typed into the text closes the viewer as its close box does,
// asking for unsaved edits; F1 opens the program's help.
TEST(FileViewer, EscapeClosesAsTheCloseBoxAndF1OpensTheHelp) {
  TempProgramDir dir;
  ScriptedMessages messages;
  std::vector<int> help;
  SetHelpContextHandler([&help](int context) { help.push_back(context); });
  const std::string file = dir.File("DL1ABC.CAB");
  ASSERT_TRUE(WriteTextFile(file, {"START-OF-LOG: 3.0", "END-OF-LOG:"}));
  bool open = true;
  WhenModal([&](QWidget* w) {
    auto* viewer = static_cast<Twagdatei*>(w);
    viewer->redit->setFocus();
    QTest::keyClick(viewer->redit, Qt::Key_F1);
    QTest::keyClick(viewer->redit, Qt::Key_Escape);  // unchanged: closes at once
    open = viewer->isVisible();
  });
  EXPECT_FALSE(ShowFileInViewer(file));
  EXPECT_FALSE(open);
  EXPECT_EQ(help, std::vector<int>{kProgramHelpContext});
  EXPECT_TRUE(messages.History().empty());

  messages.Expect(ScriptedMessages::Kind::JaNeinFrage, "speichern?", true);
  WhenModal([](QWidget* w) {
    auto* viewer = static_cast<Twagdatei*>(w);
    viewer->redit->setFocus();
    viewer->redit->moveCursor(QTextCursor::End);
    QTest::keyClick(viewer->redit, Qt::Key_Return);
    QTest::keyClicks(viewer->redit, u"SOAPBOX: Esc"_qs);
    QTest::keyClick(viewer->redit, Qt::Key_Escape);
  });
  EXPECT_FALSE(ShowFileInViewer(file));
  EXPECT_TRUE(messages.AllShown());
  EXPECT_EQ(Bytes(file), "START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\nSOAPBOX: Esc\r\n");
  SetHelpContextHandler(nullptr);
}

TEST(FileViewer, PrintSavesTheEditsAndPrintsThroughThePrintDialog) {
  TempProgramDir dir;
  ScriptedMessages messages;  // no error message may come
  PrinterScope printer;
  const std::string file = dir.File("LOG.SUM");
  ASSERT_TRUE(WriteTextFile(file, {"Zeile 1"}));
  // The dialog cancelled: nothing printed, nothing said.
  printer.job.confirm = false;
  WhenModal([](QWidget* w) {
    auto* viewer = static_cast<Twagdatei*>(w);
    viewer->redit->appendPlainText(u"Zeile 2"_qs);
    viewer->btnDrucken->click();
    EXPECT_TRUE(viewer->isVisible());  // printing does not close the viewer
    viewer->close();  // saved by the print: no question
  });
  EXPECT_FALSE(ShowFileInViewer(file));
  EXPECT_EQ(printer.job.dialogs, 1);
  EXPECT_EQ(printer.job.jobs, 0);
  EXPECT_EQ(Bytes(file), "Zeile 1\r\nZeile 2\r\n");

  printer.job.confirm = true;
  WhenModal([](QWidget* w) {
    auto* viewer = static_cast<Twagdatei*>(w);
    viewer->btnDrucken->click();
    viewer->close();
  });
  EXPECT_FALSE(ShowFileInViewer(file));
  EXPECT_EQ(printer.job.dialogs, 2);
  EXPECT_EQ(printer.job.jobs, 1);
  EXPECT_EQ(printer.job.title, file);
  EXPECT_EQ(printer.job.font, "Courier New");
  EXPECT_EQ(printer.job.AllLines(), (Lines{"Zeile 1", "Zeile 2"}));
  EXPECT_TRUE(messages.History().empty());
}

TEST(FileViewer, TheOutputFrameShowsWrittenFilesThroughTheInstalledViewer) {
  TempProgramDir dir;
  const std::string file = dir.File("LOG.STF");
  ASSERT_TRUE(WriteTextFile(file, {"STF"}));
  InstallFileViewer();
  const TOutputFileViewer installed = SetOutputFileViewer(nullptr);
  ASSERT_TRUE(installed);
  QString shown;
  WhenModal([&](QWidget* w) {
    shown = w->windowTitle();
    w->close();
  });
  installed(file);
  EXPECT_EQ(shown, FileNameToQString(file));
}
