#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/codec.h"
#include "platform/textfile.h"

TEST(Codec, NarrowLiteralsAreWindows1252InTheBinary) {
  const std::string s = "Ungültige Daten!";
  ASSERT_EQ(s.size(), 16u);  // one byte per character
  EXPECT_EQ(static_cast<unsigned char>(s[3]), 0xFC);
  const std::string euro = "€ß";
  ASSERT_EQ(euro.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(euro[0]), 0x80);
  EXPECT_EQ(static_cast<unsigned char>(euro[1]), 0xDF);
}

TEST(Codec, EveryByteRoundTripsThroughQString) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const QString q = AnsiToQString(all);
  ASSERT_EQ(q.size(), 256);
  EXPECT_EQ(QStringToAnsi(q), all);
  EXPECT_EQ(q.at(0x80), QChar(0x20AC));
  EXPECT_EQ(q.at(0x9F), QChar(0x0178));
  EXPECT_EQ(q.at(0xE4), QChar(0x00E4));
}

TEST(Codec, CharactersOutsideWindows1252BecomeQuestionMarks) {
  EXPECT_EQ(QStringToAnsi(QString::fromUtf8("a\xE2\x82\xAC\xD0\x96z")), std::string("a\x80?z"));
  EXPECT_EQ(QStringToAnsi(QString::fromUcs4(U"\U0001F600")), "?");
}

TEST(TextFile, DecodesUtf8AndWindows1252AndSkipsTheBom) {
  EXPECT_EQ(DecodeTextBytes("M\xC3\xBCller"), "Müller");
  EXPECT_EQ(DecodeTextBytes("M\xFCller"), "Müller");  // not valid UTF-8: kept as Windows-1252
  EXPECT_EQ(DecodeTextBytes("\xEF\xBB\xBF" "abc"), "abc");
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_TRUE(IsValidUtf8("plain ascii"));
}

TEST(TextFile, SplitsCrLfLfAndLoneCr) {
  const auto lines = SplitTextLines("a\r\nb\nc\rd");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[3], "d");
  EXPECT_EQ(SplitTextLines("x\r\n").size(), 1u);
  EXPECT_EQ(SplitTextLines("x\r\n\r\n").size(), 2u);
}
