#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "platform/codec.h"
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

// Random program texts, written as UTF-8 or as Windows-1252, with or without
// the UTF-8 mark and with one kind of line end each, read back as they were.
TEST(TextFile, RandomTextsReadBackInEitherEncoding) {
  std::mt19937 rng(1912);
  std::uniform_int_distribution<int> byte(1, 255), length(0, 30), pick(0, 5);
  const char* const ends[] = {"\r\n", "\n", "\r"};
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> lines(static_cast<size_t>(pick(rng)));
    const char* const end = ends[pick(rng) % 3];
    std::string ansi;
    for (std::string& line : lines) {
      for (int n = length(rng); n > 0; --n) {
        const char c = static_cast<char>(byte(rng));
        if (c != '\r' && c != '\n') line += c;
      }
      ansi += line + end;
    }
    const bool mark = pick(rng) < 2;
    const std::string bom = mark ? "\xEF\xBB\xBF" : "";
    ASSERT_EQ(DecodeTextBytes(bom + AnsiToUtf8(ansi)), ansi) << round;
    // Bytes that are not UTF-8 are Windows-1252 text as they stand.
    if (!IsValidUtf8(ansi)) {
      ASSERT_EQ(DecodeTextBytes(bom + ansi), ansi) << round;
    }
    ASSERT_EQ(SplitTextLines(ansi), lines) << round;
  }
}
