// The launcher's hand-off to the mail program (argument list, result codes,
// a real child process standing in for the mail program) and the URLs it
// hands to the desktop.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/codec.h"
#include "platform/launcher.h"
#include "platform/paths.h"

namespace {

std::string InDir(const QTemporaryDir& dir, const char* name) {
  return QStringToFileName(dir.filePath(QString::fromLatin1(name)));
}

void Touch(const std::string& name) {
  QFile f(FileNameToQString(name));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("x");
}

// A stand-in mail program: writes each argument on a line of args.txt
// beside it and exits with the given code.
std::string FakeMailProgram(const QTemporaryDir& dir, int exitCode) {
  const std::string path = InDir(dir, "fake-mail");
  QFile f(FileNameToQString(path));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  const QByteArray script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                            dir.path().toUtf8() + "/args.txt\"\nexit " +
                            QByteArray::number(exitCode) + "\n";
  f.write(script);
  f.close();
  f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

QStringList RecordedArguments(const QTemporaryDir& dir) {
  QFile f(dir.filePath(QStringLiteral("args.txt")));
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

TEST(MailArguments, OnlySetAndExistingAttachmentsGoAlongAsAbsolutePaths) {
  QTemporaryDir dir;
  const std::string present = InDir(dir, "log.txt");
  Touch(present);
  TMailRequest mail;
  mail.To = {"dl1abc@example.org"};
  mail.Subject = "Datei DL1ABC";
  mail.Body = "Hallo";
  mail.Attachments = {"", InDir(dir, "missing.txt"), present};
  const std::vector<std::string> expected = {"--subject", "Datei DL1ABC", "--body", "Hallo",
                                             "--attach", present, "dl1abc@example.org"};
  EXPECT_EQ(MailArguments(mail), expected);

  // A relative attachment is made absolute against the current directory.
  const QString old = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  TMailRequest relative;
  relative.Attachments = {"log.txt"};
  const auto args = MailArguments(relative);
  QDir::setCurrent(old);
  ASSERT_EQ(args.size(), 2u);
  EXPECT_EQ(args[1], present);
}

TEST(MailArguments, RecipientThatLooksLikeAnOptionIsDropped) {
  TMailRequest mail;
  mail.To = {"--attach=/etc/passwd", "", "a@b.de"};
  EXPECT_EQ(MailArguments(mail), std::vector<std::string>{"a@b.de"});
}

TEST(MailResult, ExitCodesOfTheHandOffProgramMapOntoMailCodes) {
  EXPECT_EQ(MailResultFromExitCode(0), kMailHandedOver);
  EXPECT_EQ(MailResultFromExitCode(1), kMailFailure);
  EXPECT_EQ(MailResultFromExitCode(2), kMailAttachmentMissing);
  EXPECT_EQ(MailResultFromExitCode(3), kMailNoMailProgram);
  EXPECT_EQ(MailResultFromExitCode(4), kMailFailure);
  EXPECT_EQ(MailResultFromExitCode(5), kMailAttachmentUnreadable);
  EXPECT_EQ(MailResultFromExitCode(77), kMailFailure);
}

TEST(LauncherSendMail, PassesTheArgumentsUnchangedToTheMailProgram) {
  QTemporaryDir dir;
  TLauncher launcher(FakeMailProgram(dir, 0));
  TMailRequest mail;
  mail.To = {"dl1abc@example.org"};
  mail.Subject = "Grüße; $(rm -rf ~) \"x\"";  // no shell sees it
  EXPECT_EQ(launcher.SendMail(mail), kMailHandedOver);
  const QStringList args = RecordedArguments(dir);
  ASSERT_EQ(args.size(), 3);
  EXPECT_EQ(args[0], QStringLiteral("--subject"));
  EXPECT_EQ(args[1], QStringLiteral(u"Grüße; $(rm -rf ~) \"x\""));
  EXPECT_EQ(args[2], QStringLiteral("dl1abc@example.org"));
}

TEST(LauncherSendMail, FailuresOfTheMailProgramAreReportedNotHandedOver) {
  QTemporaryDir dir;
  TLauncher failing(FakeMailProgram(dir, 2));
  EXPECT_EQ(failing.SendMail({}), kMailAttachmentMissing);
  TLauncher missing(InDir(dir, "no-such-program"));
  EXPECT_EQ(missing.SendMail({}), kMailNoMailProgram);
}

TEST(UrlForOpen, SchemesStayFilesBecomeFileUrls) {
  EXPECT_EQ(UrlForOpen("https://www.example.org/a?b=c").toString(),
            QStringLiteral("https://www.example.org/a?b=c"));
  EXPECT_EQ(UrlForOpen("mailto:dl1abc@example.org?subject=Datei von DL1ABC").scheme(),
            QStringLiteral("mailto"));
  EXPECT_EQ(UrlForOpen("www.example.org").toString(), QStringLiteral("http://www.example.org"));

  const QUrl file = UrlForOpen("/tmp/contest@home/Regeln 2015.pdf");
  EXPECT_TRUE(file.isLocalFile());
  EXPECT_EQ(file.toLocalFile(), QStringLiteral("/tmp/contest@home/Regeln 2015.pdf"));
  const QUrl relative = UrlForOpen("MVP-Contest.pdf");
  EXPECT_TRUE(relative.isLocalFile());
  EXPECT_EQ(relative.toLocalFile(), QDir::current().absoluteFilePath(QStringLiteral("MVP-Contest.pdf")));
}

TEST(UrlForOpen, SchemeNeedsTwoLettersAndAColon) {
  EXPECT_TRUE(HasUrlScheme("http://x"));
  EXPECT_TRUE(HasUrlScheme("svn+ssh://x"));
  EXPECT_FALSE(HasUrlScheme("C:/x"));
  EXPECT_FALSE(HasUrlScheme("a@b.de"));
  EXPECT_FALSE(HasUrlScheme("/home/x:y"));
}
