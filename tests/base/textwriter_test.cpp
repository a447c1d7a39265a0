// The line writer: its pieces follow the text helpers' rules, it grows the
// string as far as needed, and the string ends up holding exactly what was
// written after what it held before.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/textwriter.h"

TEST(TextWriter, PiecesAreTheTextHelpersResults) {
  std::string line = "Nr ";
  {
    TTextWriter w(line);
    w.Fix("DL1ABC", 10);
    w.Char('|');
    w.Fix("DL1ABCDEFGHIJ", 10);
    w.Char('|');
    w.Fix("DL1ABCDEFGHIJ", 10, false);
    w.Char('|');
    w.Fix("abc", -3);
    for (int64_t v : {0LL, 7LL, 42LL, 99LL, 100LL, -1LL, -42LL, 1234567LL}) {
      for (int width : {0, 1, 3, 6}) {
        w.Char('|');
        w.IntRight(v, width);
      }
    }
    EXPECT_EQ(w.Written().substr(0, 10), "DL1ABC    ");
  }
  std::string expected = "Nr " + ToStrings.FixLen("DL1ABC", 10) + "|" + ToStrings.FixLen("DL1ABCDEFGHIJ", 10) + "|" +
                         ToStrings.FixLen("DL1ABCDEFGHIJ", 10, false) + "|" + ToStrings.FixLen("abc", -3);
  for (int64_t v : {0LL, 7LL, 42LL, 99LL, 100LL, -1LL, -42LL, 1234567LL})
    for (int width : {0, 1, 3, 6}) {
      std::string digits = std::to_string(v);
      if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), ' ');
      expected += "|" + digits;
    }
  EXPECT_EQ(line, expected);
}

TEST(TextWriter, GrowsBeyondItsFirstRoomAndCutsBack) {
  std::string line(300, 'x');  // more than the writer's first step already there
  std::string expected = line;
  {
    TTextWriter w(line);
    for (int i = 0; i < 200; ++i) {
      w.Text("DL" + std::to_string(i));
      w.Chars(' ', 3);
      expected += "DL" + std::to_string(i) + "   ";
    }
    w.Text(std::string(5000, 'Z'));  // one piece larger than any step
    expected += std::string(5000, 'Z');
    const size_t before = w.Size();
    w.Text("remove me");
    w.Cut(before);
    w.Cut(before + 100);  // beyond the end: nothing changes
    EXPECT_EQ(w.Size(), before);
    char* taken = w.Take(3);
    taken[0] = '<', taken[1] = 'x', taken[2] = '>';
    expected += "<x>";
  }
  EXPECT_EQ(line, expected);

  std::string empty;
  { TTextWriter w(empty); }
  EXPECT_EQ(empty, "");
}

TEST(TextWriter, DatesTimesAndAdifFieldsAsTheirTextFunctionsGiveThem) {
  const int32_t day = ToDates.DMYToDate(5, 3, 2016);
  const std::pair<const char*, const char*> dates[] = {
      {"dd.mm.yyyy", "05.03.2016"}, {"ddmmyy", "050316"}, {"yyyymmdd", "20160305"}, {"yyyy-mm-dd", "2016-03-05"},
      {"yymmdd", "160305"},         {"d.m.yy", "5.3.16"}, {"ddddd", "00005"}};
  for (const auto& [picture, text] : dates) {
    std::string line = "x";
    {
      TTextWriter w(line);
      ToDates.WriteDateString(w, day, picture);
      ToDates.WriteDateString(w, BadDate, picture);  // nothing for a bad day
    }
    EXPECT_EQ(line, std::string("x") + text) << picture;
  }
  const int32_t time = ToDates.HMSToTime(7, 5, 9);
  const std::pair<const char*, const char*> times[] = {
      {"hhmm", "0705"}, {"hh:mm", "07:05"}, {"hhmmss", "070509"}, {"h.m.s", "7.5.9"}, {"hhhh", "0007"}};
  for (const auto& [picture, text] : times) {
    std::string line;
    {
      TTextWriter w(line);
      ToDates.WriteTimeString(w, time, picture);
      ToDates.WriteTimeString(w, SecondsPerDay, picture);  // nothing for a bad time
    }
    EXPECT_EQ(line, text) << picture;
  }

  std::string adif;
  {
    TTextWriter w(adif);
    ToStrings.AdifField(w, "CALL", "  DL1ABC ");
    ToStrings.AdifField(w, "FREQ", "14.0250", "N");
    ToStrings.AdifField(w, "NAME", "");
  }
  EXPECT_EQ(adif, "<CALL:6>DL1ABC <FREQ:7:N>14.0250 <NAME:0> ");
  EXPECT_EQ(ToStrings.AdifField("QTH", std::string(120, 'a')), "<QTH:120>" + std::string(120, 'a') + " ");
  EXPECT_EQ(ToStrings.AdifField("NAME", std::string(42, 'b')), "<NAME:42>" + std::string(42, 'b') + " ");
  EXPECT_EQ(ToStrings.AdifField("NAME", std::string(10, 'c')), "<NAME:10>" + std::string(10, 'c') + " ");
}

TEST(TextWriter, TrimViewAndUpperCaseInPlaceMatchTheirCopyingTwins) {
  for (const std::string& s : {std::string(), std::string("  "), std::string(" \t DL1ABC \0", 11), std::string("x")})
    EXPECT_EQ(std::string(ToStrings.TrimView(s)), ToStrings.Trim(s));
  // Every byte, in runs of eight plain ASCII characters and of mixed ones,
  // and at every offset, upper-cased by the character rule.
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  for (size_t from = 0; from < 9; ++from) {
    std::string text = all.substr(from) + "abcdefghijklmnopqrstuvwxyz{}`@[]";
    std::string expected = text;
    for (char& c : expected) c = ToStrings.UpperChar(c);
    ToStrings.UpperCaseInPlace(text);
    EXPECT_EQ(text, expected) << from;
  }
  std::string word = "dl1abc/p äöü ß ÿ";
  ToStrings.UpperCaseInPlace(word);
  EXPECT_EQ(word, "DL1ABC/P ÄÖÜ ß Ÿ");
}
