// Opening addresses and handing mails over through a recording launcher:
// which address reaches the desktop, which mail reaches the mail program,
// what the user is told; and the hyperlink label on top of it.
#include <QClipboard>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/launcher.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "platform/textfile.h"
#include "ui/WuUrlLabel.h"
#include "ui/weboop.h"
#include "support/RecordingLauncher.h"

namespace {

using Kind = ScriptedMessages::Kind;

}  // namespace

TEST(WebAddress, BareMailAddressesBecomeMailLinks) {
  EXPECT_EQ(WebAddressForOpen("dl1abc@example.org"), "mailto:dl1abc@example.org");
  EXPECT_EQ(WebAddressForOpen("MailTo:dl1abc@example.org"), "MailTo:dl1abc@example.org");
  // An "@" in a web address or a file path does not make a mail link.
  EXPECT_EQ(WebAddressForOpen("https://user@www.example.org/"), "https://user@www.example.org/");
  EXPECT_EQ(WebAddressForOpen("/home/dl1abc/contest@2024/notiz.txt"),
            "/home/dl1abc/contest@2024/notiz.txt");
}

TEST(WebAddress, SlashedZerosOpenAsPlainZeros) {
  RecordingLauncher launcher;
  WebSS.OpenURL("http://www.dl\xD8xyz.de/\xD8" "1");
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], "http://www.dl0xyz.de/01");
}

TEST(WebAddress, MailLinkEncodesSubjectAndBodyOnce) {
  EXPECT_EQ(TWebSS::MailLink("dl1abc@example.org", "Datei von DL1ABC & Co", ""),
            "mailto:dl1abc@example.org?subject=Datei%20von%20DL1ABC%20%26%20Co");
  EXPECT_EQ(TWebSS::MailLink("mailto:a@b.de", "Grüße", "C:\\x y.txt"),
            "mailto:a@b.de?subject=Gr%C3%BC%C3%9Fe&body=C%3A%5Cx%20y.txt");
  EXPECT_EQ(TWebSS::MailLink("a@b.de?cc=c@d.de", "", ""), "mailto:a@b.de?cc=c@d.de&subject=");
}

TEST(SendMail, HandsOverRecipientSubjectBodyAndTheAttachment) {
  TempProgramDir dir;
  const std::string file = dir.File("DL1ABC.CFD");
  ASSERT_TRUE(WriteTextFile(file, {"QSO"}));
  RecordingLauncher launcher;
  ScriptedMessages messages;
  messages.Expect(Kind::Hinweis, "übergeben");
  TWebMail mail;
  mail.Subject = "Datei DL1ABC";
  mail.Body = "In der Anlage dieser EMail befindet sich die Datei von DL1ABC.";
  mail.RecipientName = "dm2xyz@example.org";
  mail.RecipientAddress = "SMTP:dm2xyz@example.org";
  mail.AttachmentPath1 = file;
  mail.AttachmentName1 = file;
  EXPECT_TRUE(WebSS.SendMail(mail));
  ASSERT_EQ(launcher.mails.size(), 1u);
  const TMailRequest& sent = launcher.mails[0];
  EXPECT_EQ(sent.To, std::vector<std::string>{"dm2xyz@example.org"});
  EXPECT_EQ(sent.Subject, mail.Subject);
  EXPECT_EQ(sent.Body, mail.Body);
  EXPECT_EQ(sent.Attachments, std::vector<std::string>{file});
  EXPECT_TRUE(messages.AllShown());
  // Handed over, not claimed as sent.
  EXPECT_EQ(messages.History().at(0).header, "EMail-Versand");
  EXPECT_EQ(messages.History().at(0).text.find("Erfolgreich"), std::string::npos);
}

TEST(SendMail, AMissingAttachmentStopsBeforeTheMailProgram) {
  TempProgramDir dir;
  const std::string present = dir.File("da.txt");
  ASSERT_TRUE(WriteTextFile(present, {"x"}));
  RecordingLauncher launcher;
  ScriptedMessages messages;
  const std::string missing = dir.File("fehlt.txt");
  messages.Expect(Kind::Hinweis, "Datei \"" + missing + "\" nicht gefunden");
  messages.Expect(Kind::Hinweis, "Datei \"" + missing + "\" nicht gefunden");
  TWebMail first;
  first.RecipientAddress = "a@b.de";
  first.AttachmentPath1 = missing;
  EXPECT_FALSE(WebSS.SendMail(first));
  TWebMail second = first;
  second.AttachmentPath1 = present;
  second.AttachmentPath2 = missing;
  EXPECT_FALSE(WebSS.SendMail(second));
  EXPECT_TRUE(launcher.mails.empty());
  EXPECT_TRUE(messages.AllShown());
}

TEST(SendMail, OnlyTheSecondAttachmentSetGivesOneAttachmentNoEmptyOne) {
  TempProgramDir dir;
  const std::string file = dir.File("b.txt");
  ASSERT_TRUE(WriteTextFile(file, {"x"}));
  RecordingLauncher launcher;
  ScriptedMessages messages;
  messages.AllowAny(true);
  TWebMail mail;
  mail.RecipientName = "a@b.de";  // no address: the name is used
  mail.AttachmentPath2 = file;
  EXPECT_TRUE(WebSS.SendMail(mail));
  ASSERT_EQ(launcher.mails.size(), 1u);
  EXPECT_EQ(launcher.mails[0].Attachments, std::vector<std::string>{file});
  EXPECT_EQ(launcher.mails[0].To, std::vector<std::string>{"a@b.de"});
}

TEST(SendMail, ResultCodesAreReportedAsNoticesOrErrors) {
  struct Case {
    int code;
    Kind kind;
    const char* text;
  };
  const Case cases[] = {
      {1, Kind::Hinweis, "Benutzer hat Senden abgebrochen oder MAPI nicht installiert."},
      {2, Kind::Fehler, "EMail-Versand: Unbekannter Fehler."},
      {11, Kind::Fehler, "EMail-Versand: Datei zum Anhängen nicht gefunden"},
      {25, Kind::Fehler, "EMail-Versand: Empfänger nicht eindeutig."},
      {16, Kind::Hinweis, "Fehler Nr.16"},
  };
  for (const Case& c : cases) {
    RecordingLauncher launcher;
    launcher.mailResult = c.code;
    ScriptedMessages messages;
    messages.Expect(c.kind, c.text);
    TWebMail mail;
    mail.RecipientAddress = "a@b.de";
    EXPECT_FALSE(WebSS.SendMail(mail)) << c.code;
    EXPECT_TRUE(messages.AllShown()) << c.code;
  }
}

TEST(LinkAddress, SchemesInFrontOnceAndTheSubjectEncoded) {
  EXPECT_EQ(LinkAddress(TLabelType::hmMAIL, "dl1abc@example.org", ""),
            "mailto:dl1abc@example.org?subject=");
  EXPECT_EQ(LinkAddress(TLabelType::hmMAIL, "a@b.de", "Log & Liste"),
            "mailto:a@b.de?subject=Log%20%26%20Liste");
  EXPECT_EQ(LinkAddress(TLabelType::hmHTTP, "www.example.org", ""), "http://www.example.org");
  EXPECT_EQ(LinkAddress(TLabelType::hmHTTP, "http://www.example.org", ""), "http://www.example.org");
  EXPECT_EQ(LinkAddress(TLabelType::hmNews, "de.comm.ham", ""), "news://de.comm.ham");
  EXPECT_EQ(LinkAddress(TLabelType::hmCUSTOM, "zq4v.htm", ""), "zq4v.htm");
}

TEST(UrlLabel, ClickRunsTheClickThenOpensTheLink) {
  RecordingLauncher launcher;
  TWuUrlLabel label;
  label.setText(QStringLiteral("www.example.org"));
  label.resize(150, 20);
  label.show();
  int openedAtClick = -1;
  QObject::connect(&label, &TWuUrlLabel::clicked,
                   [&] { openedAtClick = static_cast<int>(launcher.opened.size()); });
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(openedAtClick, 0);
  EXPECT_EQ(launcher.opened, std::vector<std::string>{"http://www.example.org"});
}

TEST(UrlLabel, WebLinkFallsBackToBrowsersThenTellsTheUser) {
  RecordingLauncher launcher;
  launcher.openResult = false;
  launcher.runResult = false;
  ScriptedMessages messages;
  messages.Expect(Kind::Hinweis, "Sorry your browser could not be found");
  OpenLabelLink(TLabelType::hmHTTP, "http://www.example.org");
  EXPECT_EQ(launcher.runs.size(), 2u);
  EXPECT_TRUE(messages.AllShown());

  launcher.runResult = true;
  OpenLabelLink(TLabelType::hmHTTP, "http://www.example.org");
  EXPECT_EQ(launcher.runs.size(), 3u);  // the first browser took it

  // Other kinds are handed to the desktop once, unexamined.
  launcher.runs.clear();
  OpenLabelLink(TLabelType::hmFTP, "ftp://x");
  EXPECT_TRUE(launcher.runs.empty());
}

TEST(UrlLabel, Effect98UnderlinesAndColoursOnlyWhileHovered) {
  RecordingLauncher launcher;
  TWuUrlLabel label;
  label.setText(QStringLiteral("x"));
  label.show();
  EXPECT_TRUE(label.font().underline());
  label.SetEffect98(true);
  EXPECT_FALSE(label.font().underline());
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(&label, &enter);
  EXPECT_TRUE(label.font().underline());
  EXPECT_EQ(label.CurrentColor(), label.URLColPre());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&label, &leave);
  EXPECT_FALSE(label.font().underline());
  EXPECT_EQ(label.CurrentColor(), label.URLColStd());

  // A custom link never changes its underline on hover.
  label.SetLabelType(TLabelType::hmCUSTOM);
  QCoreApplication::sendEvent(&label, &enter);
  EXPECT_FALSE(label.font().underline());
  EXPECT_EQ(label.CurrentColor(), label.URLColPre());
}

TEST(UrlLabel, RightClickOffersCopyOnlyForWebMailAndNews) {
  TWuUrlLabel label;
  label.setText(QStringLiteral("ftp.example.org"));
  label.show();
  label.SetLabelType(TLabelType::hmFTP);
  QTest::mouseClick(&label, Qt::RightButton);
  EXPECT_FALSE(label.CopyMenu()->isVisible());
  label.SetLabelType(TLabelType::hmNews);
  QTest::mouseClick(&label, Qt::RightButton);
  EXPECT_TRUE(label.CopyMenu()->isVisible());
  label.CopyMenu()->hide();

  label.SetURL("de.comm.ham");
  label.CopyLink();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("de.comm.ham"));
}
