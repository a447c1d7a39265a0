#include <gtest/gtest.h>

#include <fstream>

#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/TempProgramDir.h"

TEST(TextFile, WritesWindows1252WithCrLfAndReadsItBack) {
  TempProgramDir dir;
  const std::string name = dir.File("Überblick.txt");  // non-ASCII file name
  ASSERT_TRUE(WriteTextFile(name, {"Grüße", "", "Ende"}));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(name, bytes));
  EXPECT_EQ(bytes, "Gr\xFC\xDF" "e\r\n\r\nEnde\r\n");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(name, lines));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Grüße");
  EXPECT_TRUE(FileExistsAnsi(name));
  EXPECT_TRUE(DeleteFileAnsi(name));
  EXPECT_FALSE(FileExistsAnsi(name));
  EXPECT_FALSE(ReadTextFile(name, lines));
}

TEST(Paths, ProgramDirectoryEndsInSlash) {
  const std::string saved = ProgramDirectory;
  InitProgramDirectory();
  ASSERT_FALSE(ProgramDirectory.empty());
  EXPECT_EQ(ProgramDirectory.back(), '/');
  ProgramDirectory = saved;
}

TEST(TextFile, ByteOrderMarkBeforeWindows1252TextKeepsTheUmlauts) {
  TempProgramDir dir;
  const std::string name = dir.File("stations.txt");
  {
    std::ofstream out(NativeFileName(name), std::ios::binary);
    out << "\xEF\xBB\xBF" "M\xFCller\r\nStra\xDF" "e\r\n";
  }
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(name, lines));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Müller");
  EXPECT_EQ(lines[1], "Straße");
  // With the mark and valid UTF-8 the text is still read as UTF-8.
  EXPECT_EQ(DecodeTextBytes("\xEF\xBB\xBF" "M\xC3\xBCller"), "Müller");
}
