// The help hook, topic paths, shell error texts and the help diagnostic log.
#include <gtest/gtest.h>

#include <QFile>
#include <string>
#include <vector>

#include "contest/hh.h"
#include "contest/hh_funcs.h"
#include "platform/helpviewer.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "support/RecordingLauncher.h"

namespace {

std::string ReadAll(const std::string& file) {
  QFile f(FileNameToQString(file));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray b = f.readAll();
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

void WriteFile(const std::string& file, const std::string& text, bool executable) {
  QFile f(FileNameToQString(file));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text.data(), static_cast<qint64>(text.size()));
  f.close();
  if (executable) f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

class HelpTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetHelpViewerProgram("");
    HelpDebugSwitch = false;
  }
  TempProgramDir dir;
  ScriptedMessages messages;
  RecordingLauncher launcher;
};

TEST(HelpTopicPath, ModesPrefixesTopicsAndWindows) {
  std::string path;
  MakeTopicPath("my%20help.chm", "kapitel\\seite.htm", "", 1, path);
  EXPECT_EQ(path, "mk:@MSITStore:my help.chm::/kapitel/seite.htm");
  MakeTopicPath(" veltrix.chm ", "/a.htm", "main", 2, path);
  EXPECT_EQ(path, "ms-its:veltrix.chm::/a.htm>main");
  MakeTopicPath("", "a.htm", "", 0, path);
  EXPECT_EQ(path, "/a.htm");
  MakeTopicPath("veltrix.chm", "", "", 2, path);
  EXPECT_EQ(path, "ms-its:veltrix.chm");
}

TEST(HelpErrorText, CodesAndTheirTexts) {
  EXPECT_EQ(LastErrorText(2), "[Error:2] File Not Found");
  EXPECT_EQ(LastErrorText(33), "[Error:33] File In Use");
  EXPECT_EQ(LastErrorText(1393), "[Error:1393] Corrupt File Or Disk");
  EXPECT_EQ(LastErrorText(1358), "[Error:1358] Corrupt Registry");
  EXPECT_EQ(LastErrorText(4711), "[Error:4711] General Failure");
}

TEST_F(HelpTest, ContextRequestStartsTheViewerWithMapIdAndTopic) {
  const std::string viewer = dir.File("viewer");
  WriteFile(viewer, "#!/bin/sh\n", true);
  SetHelpViewerProgram(viewer);
  bool callHelp = true;
  EXPECT_TRUE(HelpHook(kHelpContext, 1, callHelp));
  EXPECT_FALSE(callHelp);
  ASSERT_EQ(launcher.runs.size(), 1u);
  EXPECT_EQ(launcher.runs[0].program, viewer);
  EXPECT_EQ(launcher.runs[0].args,
            (std::vector<std::string>{"-mapid", "1", "ms-its:veltrix.chm"}));

  // Other help commands are left to the caller's standard handling.
  callHelp = true;
  HelpHook(3, 7, callHelp);
  EXPECT_TRUE(callHelp);
  EXPECT_EQ(launcher.runs.size(), 1u);
}

TEST_F(HelpTest, MissingViewerIsExplainedAndAFailedStartIsReported) {
  // None configured: the notice names the variable that names one.
  messages.Expect(ScriptedMessages::Kind::Hinweis, "Umgebungsvariablen OSTRELON_HELPVIEWER");
  bool callHelp = true;
  EXPECT_FALSE(HelpHook(kHelpContext, 1, callHelp));
  EXPECT_FALSE(callHelp);
  // Configured but missing: the notice names the file.
  SetHelpViewerProgram(dir.File("fehlt"));
  messages.Expect(ScriptedMessages::Kind::Hinweis, "Das Hilfeprogramm " + dir.File("fehlt"));
  EXPECT_FALSE(HelpHook(kHelpContext, 1, callHelp));
  EXPECT_TRUE(launcher.runs.empty());
  ASSERT_TRUE(messages.AllShown());
  EXPECT_EQ(messages.History()[0].caption, "Hilfe");

  // A viewer that cannot be run: the warning names the call and the error.
  const std::string viewer = dir.File("viewer");
  WriteFile(viewer, "kein Programm", false);
  SetHelpViewerProgram(viewer);
  messages.Expect(ScriptedMessages::Kind::Achtung, "[Error:5] Access Denied");
  HelpHook(kHelpContext, 12, callHelp);
  ASSERT_TRUE(messages.AllShown());
  EXPECT_NE(messages.History().back().text.find("Function ShellExecute(" + viewer +
                                            ", -mapid 12 ms-its:veltrix.chm)\rReturned: "),
            std::string::npos);
}

TEST_F(HelpTest, DebugSwitchWritesTheStartReportAndMessagesToTheLog) {
  const std::string log = dir.File("HHDebug.txt");
  WriteFile(log, "alte Meldungen\r\n", false);
  InitHelpFunctions(dir.Path(), {"-x"});
  EXPECT_FALSE(HelpDebugSwitch);
  EXPECT_EQ(HelpLogFile(), log);
  EXPECT_FALSE(FileExistsAnsi(log));  // an old log goes even without the switch

  InitHelpFunctions(dir.Path(), {"-DEBUG"});
  EXPECT_TRUE(HelpDebugSwitch);
  std::string text = ReadAll(log);
  EXPECT_EQ(text.substr(0, 82), std::string(80, '=') + "\r\n");
  EXPECT_NE(text.find("Argumente: -DEBUG"), std::string::npos);

  messages.Expect(ScriptedMessages::Kind::Achtung, "Probe");
  HelpMessage("Probe");
  text = ReadAll(log);
  // A plain message carries the time, three blanks and the text.
  const size_t at = text.rfind("   Probe\r\n");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(text[at - 3], ':');
  AppendHelpLog("!ohne Zeit");
  EXPECT_NE(ReadAll(log).find("\r\nohne Zeit\r\n"), std::string::npos);

  // "debug.debug" in the program's folder switches it on as well.
  WriteFile(dir.File("debug.debug"), "", false);
  InitHelpFunctions(dir.Path(), {});
  EXPECT_TRUE(HelpDebugSwitch);
  EXPECT_TRUE(HasDebugArgument({"/Debug"}));
  EXPECT_FALSE(HasDebugArgument({"debug"}));
}

}  // namespace
