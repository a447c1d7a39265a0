// File services on a temporary directory, the conversion of Windows filter
// texts for the file dialog, and the dialogs through a scripted runner.
#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "platform/codec.h"
#include "platform/textfile.h"
#include "support/TempProgramDir.h"
#include "ui/filebaseoop.h"
#include "support/ScriptedFileDialog.h"

namespace {

bool Matches(const std::string& pattern, const char* name) {
  const QRegularExpression re(
      QRegularExpression::wildcardToRegularExpression(AnsiToQString(pattern)));
  return re.match(QString::fromLatin1(name)).hasMatch();
}

std::string Content(const std::string& file) {
  std::vector<std::string> lines;
  return ReadTextFile(file, lines) && !lines.empty() ? lines[0] : std::string("<none>");
}

// Restores the current directory a test changes.
class KeepCurrentDir {
 public:
  ~KeepCurrentDir() { QDir::setCurrent(dir_); }

 private:
  QString dir_ = QDir::currentPath();
};

}  // namespace

TEST(FileFilter, WindowsFilterBecomesCaseInsensitiveNameFilters) {
  const auto filters = FileDialogFilters("ADIF-Dateien (*.adi)|*.adi;*.ADIF|Alle Dateien|*.*");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0], "ADIF-Dateien (*.adi) (*.[aA][dD][iI] *.[aA][dD][iI][fF])");
  EXPECT_EQ(filters[1], "Alle Dateien (*)");
  EXPECT_TRUE(FileDialogFilters("").empty());
  // A description without its pattern is dropped; an empty pattern means all.
  EXPECT_EQ(FileDialogFilters("Text|*.txt|Rest"), std::vector<std::string>{"Text (*.[tT][xX][tT])"});
  EXPECT_EQ(FileDialogFilters("Alles| "), std::vector<std::string>{"Alles (*)"});
}

TEST(FileFilter, PatternsMatchNamesInEitherCase) {
  const std::string pattern = CaseInsensitivePattern("*.cbr");
  EXPECT_TRUE(Matches(pattern, "DL1ABC.CBR"));
  EXPECT_TRUE(Matches(pattern, "dl1abc.cbr"));
  EXPECT_FALSE(Matches(pattern, "x.cbrx"));
  EXPECT_TRUE(Matches(CaseInsensitivePattern("*.*"), "README"));
  EXPECT_EQ(CaseInsensitivePattern("log?.[tT]xt"), "log?.[tT]xt");
}

TEST(FileBase, RenameReplacesTheTargetAndLosesNothingOnFailure) {
  TempProgramDir dir;
  const std::string a = dir.File("b1.tmp"), b = dir.File("b1.jpg");
  ASSERT_TRUE(WriteTextFile(a, {"neu"}));
  ASSERT_TRUE(WriteTextFile(b, {"alt"}));
  EXPECT_TRUE(FileBaseSS.RenameFile(a, b));
  EXPECT_FALSE(FileBaseSS.FileExists(a));
  EXPECT_EQ(Content(b), "neu");

  // The source is gone: the target stays as it is.
  EXPECT_FALSE(FileBaseSS.RenameFile(a, b));
  EXPECT_EQ(Content(b), "neu");
  EXPECT_TRUE(FileBaseSS.RenameFile(b, b));

  // Umlauts in names reach the file system as UTF-8 and come back.
  const std::string umlaut = dir.File("Übersicht.txt");
  EXPECT_TRUE(FileBaseSS.RenameFile(b, umlaut));
  EXPECT_TRUE(QDir(AnsiToQString(dir.Path())).exists(QStringLiteral(u"Übersicht.txt")));

  EXPECT_TRUE(FileBaseSS.DeleteFile(umlaut));
  EXPECT_FALSE(FileBaseSS.FileExists(umlaut));
}

TEST(FileBase, DirectoriesAreCreatedOneLevelAndEntered) {
  TempProgramDir dir;
  KeepCurrentDir keep;
  const std::string sub = dir.File("Logs");
  EXPECT_FALSE(FileBaseSS.CreateDirectory(""));
  EXPECT_FALSE(FileBaseSS.DirectoryExists(sub));
  EXPECT_TRUE(FileBaseSS.CreateDirectory(sub));
  EXPECT_TRUE(FileBaseSS.CreateDirectory(sub));  // exists: still fine
  EXPECT_TRUE(FileBaseSS.DirectoryExists(sub));
  EXPECT_FALSE(FileBaseSS.CreateDirectory(dir.File("a/b")));  // one level only

  ASSERT_TRUE(WriteTextFile(dir.File("datei.txt"), {"x"}));
  EXPECT_FALSE(FileBaseSS.DirectoryExists(dir.File("datei.txt")));

  EXPECT_FALSE(FileBaseSS.EnterDirectory(dir.File("Export"), false));
  EXPECT_TRUE(FileBaseSS.EnterDirectory(dir.File("Export"), true));
  EXPECT_EQ(FileBaseSS.GetCurrentDir() + "/", dir.File("Export/"));
  EXPECT_TRUE(FileBaseSS.EnterDirectory(sub, false));
  EXPECT_EQ(FileBaseSS.GetCurrentDir(), sub);
  EXPECT_FALSE(FileBaseSS.EnterDirectory(dir.File("x/y"), true));
  EXPECT_EQ(FileBaseSS.GetCurrentDir(), sub);
}

TEST(FileBase, SaveDialogTakesMissingSettingsFromTheComponentAndWritesTheNameBack) {
  ScriptedFileDialog runner;
  runner.answer = "/tmp/DL1ABC.CBR";
  TSaveDialog save;
  save.FileName = "DL1ABC.CBR";
  save.DefaultExt = "CBR";
  save.Title = "Cabrillo speichern";
  save.InitialDir = "/tmp";
  save.Filter = "Cabrillo|*.cbr";
  EXPECT_TRUE(FileBaseSS.ExecuteSaveDialog(nullptr, save));
  ASSERT_EQ(runner.requests.size(), 1u);
  const TFileDialogRequest& r = runner.requests[0];
  EXPECT_FALSE(r.Open);
  EXPECT_EQ(r.DefaultExt, "CBR");
  EXPECT_EQ(r.Title, "Cabrillo speichern");
  EXPECT_EQ(runner.proposed[0], "DL1ABC.CBR");
  EXPECT_EQ(save.FileName, "/tmp/DL1ABC.CBR");

  // Given extension and title win; a cancelled dialog keeps the name.
  runner.confirm = false;
  EXPECT_FALSE(FileBaseSS.ExecuteSaveDialog(nullptr, save, "TXT", "Liste"));
  EXPECT_EQ(runner.requests[1].DefaultExt, "TXT");
  EXPECT_EQ(runner.requests[1].Title, "Liste");
  EXPECT_EQ(save.FileName, "/tmp/DL1ABC.CBR");
}
