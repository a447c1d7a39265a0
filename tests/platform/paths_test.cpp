#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <string>

#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/TempProgramDir.h"

TEST(FileNamePart, CallsAndNamesNeverLeaveTheirFolder) {
  // Ordinary calls keep their look, a portable mark loses only its slash.
  EXPECT_EQ(FileNamePart("DL1ABC"), "DL1ABC");
  EXPECT_EQ(FileNamePart("OE/DL1ABC/P"), "OE_DL1ABC_P");
  EXPECT_EQ(FileNamePart("X!1 Ö?ABC"), "X!1 Ö_ABC");
  EXPECT_EQ(FileNamePart("a\\b:c*d\"e<f>g|h\ti"), "a_b_c_d_e_f_g_h_i");
  // Dots in front would name a parent folder or a hidden file.
  EXPECT_EQ(FileNamePart(".."), "__");
  EXPECT_EQ(FileNamePart(".versteckt.CFD"), "_versteckt.CFD");
  EXPECT_EQ(FileNamePart("DL.1"), "DL.1");
  EXPECT_EQ(FileNamePart(""), "");

  // Whatever the text, the file is written inside the folder.
  TempProgramDir dir;
  const QString folder = QDir(FileNameToQString(dir.Path())).canonicalPath();
  for (const char* evil : {"../../raus", "/etc/passwd", "..", "..\\..\\raus", "a/../../b", "\x01."}) {
    SCOPED_TRACE(evil);
    const std::string file = dir.Path() + FileNamePart(evil) + ".ADI";
    ASSERT_TRUE(WriteTextFile(file, {"x"}));
    const QFileInfo written(FileNameToQString(file));
    EXPECT_EQ(written.absoluteDir().canonicalPath(), folder);
    EXPECT_FALSE(written.fileName().startsWith(QLatin1Char('.')));
  }
}
