#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <limits>
#include <locale>
#include <random>
#include <vector>

#include "base/kxstrings.h"

namespace {

// Runs a test body under the German locale and puts the previous one back.
class GermanLocale {
 public:
  GermanLocale() : oldC_(std::setlocale(LC_ALL, nullptr)), oldCpp_(std::locale()) {
    german_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    if (german_) std::locale::global(std::locale("de_DE.UTF-8"));
  }
  ~GermanLocale() {
    std::locale::global(oldCpp_);
    std::setlocale(LC_ALL, oldC_.c_str());
  }
  bool Active() const { return german_; }

 private:
  std::string oldC_;
  std::locale oldCpp_;
  bool german_ = false;
};

}  // namespace

TEST(KxStringsCase, FollowsWindowsAnsiRulesOverAllBytes) {
  EXPECT_EQ(ToStrings.UpperCase("dl1abc/p äöü"), "DL1ABC/P ÄÖÜ");
  EXPECT_EQ(ToStrings.LowerCase("ÄÖÜ KÖLN"), "äöü köln");
  EXPECT_EQ(ToStrings.UpperCase("ß"), "ß");
  EXPECT_EQ(ToStrings.UpperCase("µ"), "µ");
  EXPECT_EQ(ToStrings.UpperCase("šœžÿ"), "ŠŒŽŸ");
  EXPECT_EQ(ToStrings.LowerCase("ŠŒŽŸ"), "šœžÿ");
  EXPECT_EQ(ToStrings.UpperCase("÷"), "÷");
  EXPECT_EQ(ToStrings.LowerCase("×"), "×");
  // Every byte: upper and lower case undo each other for letters that have
  // both forms, and nothing else changes.
  int changed = 0;
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const char up = ToStrings.UpperChar(c);
    const char low = ToStrings.LowerChar(c);
    if (up != c) {
      ++changed;
      EXPECT_EQ(ToStrings.LowerChar(up), c) << b;
    }
    if (low != c) {
      EXPECT_EQ(ToStrings.UpperChar(low), c) << b;
    }
    EXPECT_FALSE(up != c && low != c) << b;
  }
  EXPECT_EQ(changed, 26 + 30 + 4);  // a-z, à-þ without ÷, š œ ž ÿ
}

TEST(KxStringsText, TrimCutPadAndCentre) {
  EXPECT_EQ(ToStrings.Trim(" \t DL1ABC \0"), "DL1ABC");
  EXPECT_EQ(ToStrings.Trim(std::string("\0 x \0", 5)), "x");
  EXPECT_EQ(ToStrings.TrimShort(std::string("\0 a b \0", 7)), "a b");
  EXPECT_EQ(ToStrings.TrimShort(std::string(300, 'x')).size(), 255u);

  EXPECT_EQ(ToStrings.FixLen("DL1ABC", 10), "DL1ABC    ");
  EXPECT_EQ(ToStrings.FixLen("DL1ABCDEFGHIJ", 10), "DL1ABCDEFG");
  EXPECT_EQ(ToStrings.FixLen("DL1ABCDEFGHIJ", 10, false), "DL1ABCDEFGHIJ");
  EXPECT_EQ(ToStrings.FixLen("abc", -3), "");
  EXPECT_EQ(ToStrings.FixLenUpper("köln", 6), "KÖLN  ");

  EXPECT_EQ(ToStrings.LeftPad("7", 3), "  7");
  EXPECT_EQ(ToStrings.LeftPadCh("7", '0', 3), "007");
  EXPECT_EQ(ToStrings.LeftPadCh("1234", '0', 3), "1234");
  EXPECT_EQ(ToStrings.Center("ab", 7), "  ab   ");
  EXPECT_EQ(ToStrings.Center("abcdef", 3), "abcdef");
  EXPECT_EQ(ToStrings.CharStr('-', 4), "----");
  EXPECT_EQ(ToStrings.CharStr('-', -1), "");
}

TEST(KxStringsText, PositionsAreOneBasedAndSafeOutOfRange) {
  EXPECT_EQ(ToStrings.Pos("/", "DL/OE1ABC/P"), 3);
  EXPECT_EQ(ToStrings.Pos("X", "DL1ABC"), 0);
  EXPECT_EQ(ToStrings.Pos("", "DL1ABC"), 0);
  EXPECT_EQ(ToStrings.Copy("DL1ABC", 3, 2), "1A");
  EXPECT_EQ(ToStrings.Copy("DL1ABC", 5, 99), "BC");
  EXPECT_EQ(ToStrings.Copy("DL1ABC", 9, 2), "");
  EXPECT_EQ(ToStrings.Copy("DL1ABC", 0, 2), "DL");
  EXPECT_EQ(ToStrings.CopyFrom("DL1ABC", 4), "ABC");
  EXPECT_EQ(ToStrings.CopyFrom("DL1ABC", 7), "");
  EXPECT_EQ(ToStrings.LeftStr("DL1ABC", 2), "DL");
  EXPECT_EQ(ToStrings.LeftStr("DL", 5), "DL");
  std::string s = "DL1ABC/P";
  ToStrings.Delete(s, 7, 5);
  EXPECT_EQ(s, "DL1ABC");
  ToStrings.Delete(s, 10, 1);
  ToStrings.Delete(s, 0, 1);
  EXPECT_EQ(s, "DL1ABC");
}

TEST(KxStringsText, SeparatorsSplitAtTheFirstOccurrence) {
  EXPECT_EQ(ToStrings.StrAfter("Name;QTH;X", ";"), "QTH;X");
  EXPECT_EQ(ToStrings.StrAfter("Name;QTH", ";", true), ";QTH");
  EXPECT_EQ(ToStrings.StrAfter("NameQTH", ";"), "NameQTH");
  EXPECT_EQ(ToStrings.StrBefore("Name;QTH;X", ";"), "Name");
  EXPECT_EQ(ToStrings.StrBefore("Name;QTH", ";", true), "Name;");
  EXPECT_EQ(ToStrings.StrBefore("NameQTH", ";"), "");
  EXPECT_EQ(ToStrings.StrBetween("a<CALL:6>DL1ABC", "<", ">"), "CALL:6");
  EXPECT_EQ(ToStrings.StrBetween("a<CALL", "<", ">"), "CALL");
  EXPECT_EQ(ToStrings.StrBetween("aCALL>", "<", ">"), "");
}

TEST(KxStringsText, CharactersPathsAndSlashedZeros) {
  EXPECT_EQ(ToStrings.ReplaceChar("DL/P", '/', '_'), "DL_P");
  EXPECT_EQ(ToStrings.AddBackSlash("/home/ham"), "/home/ham/");
  EXPECT_EQ(ToStrings.AddBackSlash("/home/ham/"), "/home/ham/");
  EXPECT_EQ(ToStrings.AddBackSlash("C:"), "C:");
  EXPECT_EQ(ToStrings.AddBackSlash(""), "");
  EXPECT_EQ(ToStrings.AddBackSlash(std::string("x\0", 2)), std::string("x\0", 2));

  const std::string slashed = ToStrings.SlashZeros("DL0AA 100", true);
  EXPECT_EQ(slashed, "DLØAA 1ØØ");
  EXPECT_EQ(static_cast<unsigned char>(slashed[2]), 0xD8);
  EXPECT_EQ(ToStrings.SlashZeros("DL0AA", false), "DL0AA");
  EXPECT_EQ(ToStrings.UnslashZeros(slashed), "DL0AA 100");
}

TEST(KxStringsNumbers, IntegerTextWidths) {
  EXPECT_EQ(ToStrings.IntToStrRight(42, 6), "    42");
  EXPECT_EQ(ToStrings.IntToStrRight(-42, 5), "  -42");
  EXPECT_EQ(ToStrings.IntToStrRight(1234567, 3), "1234567");
  EXPECT_EQ(ToStrings.IntToStrRight(42, 0), "42");
  EXPECT_EQ(ToStrings.IntToStrZero(7, 3), "007");
  EXPECT_EQ(ToStrings.IntToStrZero(7, 0), "7");
  EXPECT_EQ(ToStrings.IntToStrZero(-7, 3), "-007");
  EXPECT_EQ(ToStrings.IntToStrZero(INT64_MIN, 1), "-9223372036854775808");
  EXPECT_EQ(ToStrings.Int64ToStr(-9000000000LL), "-9000000000");
}

TEST(KxStringsNumbers, FloatDigitsRoundHalvesAwayFromZero) {
  EXPECT_EQ(ToStrings.FloatToStrDigits(14.025, 0, 4, '.'), "14.0250");
  EXPECT_EQ(ToStrings.FloatToStrDigits(123.45, 3, 1, ','), "123,5");
  EXPECT_EQ(ToStrings.FloatToStrDigits(5.04, 3, 1, ','), "  5,0");
  EXPECT_EQ(ToStrings.FloatToStrDigits(4321.5, 5, 0, ','), " 4322");
  EXPECT_EQ(ToStrings.FloatToStrDigits(2.675, 0, 2, '.'), "2.68");
  EXPECT_EQ(ToStrings.FloatToStrDigits(-0.5, 0, 0, '.'), "-1");
  EXPECT_EQ(ToStrings.FloatToStrDigits(-0.004, 0, 2, '.'), "0.00");
  EXPECT_EQ(ToStrings.FloatToStrDigits(9.999, 0, 2, '.'), "10.00");
  EXPECT_EQ(ToStrings.FloatToStrDigits(0.0, 0, 0, '.'), "0");
}

TEST(KxStringsNumbers, ParsingAcceptsOnlyDigitsAndOneSeparator) {
  EXPECT_DOUBLE_EQ(ToStrings.StrToFloat("14,025"), 14.025);
  EXPECT_DOUBLE_EQ(ToStrings.StrToFloat(" 14.025 "), 14.025);
  EXPECT_DOUBLE_EQ(ToStrings.StrToFloat("-3,5"), -3.5);
  EXPECT_DOUBLE_EQ(ToStrings.StrToFloat(",5"), 0.5);
  EXPECT_DOUBLE_EQ(ToStrings.StrToFloat("7"), 7.0);
  for (const char* bad : {"", "1.2.3", "1,2,3", "14 MHz", "1e3", "abc", "-", ","})
    EXPECT_EQ(ToStrings.StrToFloat(bad), 0.0) << bad;

  EXPECT_EQ(ToStrings.StrToIntOrZero("599"), 599);
  EXPECT_EQ(ToStrings.StrToIntOrZero(" -12 "), -12);
  EXPECT_EQ(ToStrings.StrToIntOrZero("+12"), 12);
  for (const char* bad : {"", "1,5", "12a", "99999999999", "--1"})
    EXPECT_EQ(ToStrings.StrToIntOrZero(bad), 0) << bad;
}

TEST(KxStringsNumbers, SameResultsUnderAGermanLocale) {
  auto sample = [] {
    std::vector<std::string> out;
    out.push_back(ToStrings.FloatToStrDigits(1234.5678, 0, 3, '.'));
    out.push_back(ToStrings.Form(-1234.5, "#,###,###.##"));
    out.push_back(ToStrings.FormLong(1234567, "###,###,###"));
    out.push_back(ToStrings.IntToStrRight(1234567, 10));
    out.push_back(ToStrings.FloatToStrDigits(ToStrings.StrToFloat("1.5") * 4, 0, 2, '.'));
    out.push_back(ToStrings.FloatToStrDigits(ToStrings.StrToFloat("1,5") * 4, 0, 2, '.'));
    out.push_back(ToStrings.IntToStr(ToStrings.StrToIntOrZero("1234")));
    return out;
  };
  const auto plain = sample();
  GermanLocale de;
  ASSERT_TRUE(de.Active()) << "locale de_DE.UTF-8 missing";
  EXPECT_EQ(sample(), plain);
  EXPECT_EQ(plain[0], "1234.568");
  EXPECT_DOUBLE_EQ(ToStrings.StrToFloat("1.5"), 1.5);
}

TEST(KxStringsForm, DigitPlacesAndFills) {
  EXPECT_EQ(ToStrings.FormLong(1234, "########"), "    1234");
  EXPECT_EQ(ToStrings.FormLong(7, "###"), "  7");
  EXPECT_EQ(ToStrings.FormLong(0, "###"), "  0");
  EXPECT_EQ(ToStrings.FormLong(42, "@@@@"), "0042");
  EXPECT_EQ(ToStrings.FormLong(42, "****"), "**42");
  EXPECT_EQ(ToStrings.Form(3.14159, "########.##"), "       3.14");
  EXPECT_EQ(ToStrings.Form(0.5, "###.##"), "  0.50");
  EXPECT_EQ(ToStrings.Form(0.5, ".##"), ".50");
  EXPECT_EQ(ToStrings.Form(2.5, "###"), "  3");
  EXPECT_EQ(ToStrings.Form(12.5, "### MHz"), " 13 MHz");
  EXPECT_EQ(ToStrings.FormLong(12, "##.##"), "12.00");
}

TEST(KxStringsForm, SeparatorsSignsAndCurrency) {
  EXPECT_EQ(ToStrings.FormLong(1234567, "#,###,###"), "1,234,567");
  EXPECT_EQ(ToStrings.FormLong(4567, "#,###,###"), "    4,567");
  EXPECT_EQ(ToStrings.FormLong(4567, "*,***,***"), "****4,567");
  EXPECT_EQ(ToStrings.FormLong(4567, "@,@@@,@@@"), "0,004,567");
  EXPECT_EQ(ToStrings.FormLong(12345, "###,##"), "123,45");

  EXPECT_EQ(ToStrings.FormLong(-5, "-###"), "-  5");
  EXPECT_EQ(ToStrings.FormLong(5, "-###"), "   5");
  EXPECT_EQ(ToStrings.FormLong(5, "###+"), "  5+");
  EXPECT_EQ(ToStrings.FormLong(-5, "###+"), "  5-");
  // Without a sign place the minus floats next to the digits ...
  EXPECT_EQ(ToStrings.FormLong(-5, "####"), "  -5");
  EXPECT_EQ(ToStrings.FormLong(-123, "###,###"), "   -123");
  EXPECT_EQ(ToStrings.FormLong(-1234, "#,###"), "*,***");
  // ... or to the front when the fill is zeros.
  EXPECT_EQ(ToStrings.FormLong(-5, "@@@@"), "-005");

  EXPECT_EQ(ToStrings.Form(12.5, "$$$$.##"), " $12.50");
  EXPECT_EQ(ToStrings.Form(-12.5, "$$$$$.##"), " $-12.50");
}

TEST(KxStringsForm, OverflowFillsEveryDigitPlaceWithAsterisks) {
  EXPECT_EQ(ToStrings.FormLong(12345, "###"), "***");
  EXPECT_EQ(ToStrings.Form(1234.5, "##.##"), "**.**");
  EXPECT_EQ(ToStrings.Form(99.999, "##.##"), "**.**");  // rounds to 100.00
  EXPECT_EQ(ToStrings.FormLong(-5, "#"), "*");           // no room for the minus
  EXPECT_EQ(ToStrings.Form(1e300, "########.##"), "********.**");
  EXPECT_EQ(ToStrings.Form(std::numeric_limits<double>::quiet_NaN(), "##"), "**");
  EXPECT_EQ(ToStrings.Form(1.0, std::string(300, '#')).size(), 255u);
}

TEST(KxStringsAdif, FieldsCarryTheTrimmedLength) {
  EXPECT_EQ(ToStrings.AdifField("CALL", " DL1ABC "), "<CALL:6>DL1ABC ");
  EXPECT_EQ(ToStrings.AdifField("FREQ", "14.0250", "N"), "<FREQ:7:N>14.0250 ");
  EXPECT_EQ(ToStrings.AdifField("CALL", ""), "<CALL:0> ");
  EXPECT_EQ(ToStrings.AdifField("NAME", "Jürgen"), "<NAME:6>Jürgen ");
}

TEST(KxStringsKeys, KeyStringsAreClearedCutAndCompareByUnsignedBytes) {
  const TKeyStr k = ToStrings.StrToKeyStr("DL1ABC");
  EXPECT_EQ(k.Len, 6);
  EXPECT_TRUE(std::all_of(k.Data + 6, k.Data + TKeyStr::kMax, [](char c) { return c == 0; }));
  EXPECT_EQ(ToStrings.KeyStrToStr(k), "DL1ABC");
  EXPECT_EQ(ToStrings.StrToKeyStr(std::string(250, 'x')).Len, 200);

  EXPECT_EQ(ToStrings.CompareKeyStr(k, ToStrings.StrToKeyStr("DL1ABC")), 0);
  EXPECT_EQ(ToStrings.CompareKeyStr(k, ToStrings.StrToKeyStr("DL1ABD")), -1);
  EXPECT_EQ(ToStrings.CompareKeyStr(k, ToStrings.StrToKeyStr("DL1AB")), 1);
  EXPECT_EQ(ToStrings.CompareKeyStr(ToStrings.StrToKeyStr("Ä"), ToStrings.StrToKeyStr("Z")), 1);

  TKeyStr damaged = k;
  damaged.Len = 5000;  // never read past the buffer
  EXPECT_EQ(ToStrings.KeyStrToStr(damaged).size(), 200u);
  damaged.Len = -3;
  EXPECT_EQ(ToStrings.CompareKeyStr(damaged, ToStrings.StrToKeyStr("")), 0);
}

TEST(KxStringsKeys, CompactIntegerKeysSortLikeTheIntegers) {
  std::vector<int32_t> values = {INT32_MIN, INT32_MIN + 1, -100000, -129, -128, -1, 0, 1,
                                 127, 128, 999999999, INT32_MAX - 1, INT32_MAX};
  std::mt19937 rng(7);
  std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 2000; ++i) values.push_back(any(rng));
  std::vector<std::string> keys;
  for (int32_t v : values) {
    const std::string key = ToStrings.IntToKeyString(v);
    ASSERT_EQ(key.size(), 5u);
    EXPECT_EQ(key.find('\0'), std::string::npos);
    EXPECT_EQ(DecodeIntKey(key), v);
    keys.push_back(key);
  }
  for (size_t i = 0; i < values.size(); ++i)
    for (size_t j = i + 1; j < std::min(values.size(), i + 40); ++j) {
      const int want = values[i] < values[j] ? -1 : (values[i] > values[j] ? 1 : 0);
      EXPECT_EQ(CompareKeyBytes(keys[i], keys[j]), want) << values[i] << " " << values[j];
    }
  // The TKeyStr form and the readable form of a detached table.
  EXPECT_EQ(ToStrings.KeyStrToStr(ToStrings.IntToKeyStr(-7)), ToStrings.IntToKeyString(-7));
  EXPECT_EQ(ToStrings.IntToKeyString(999999999, true), "999999999");
  EXPECT_EQ(ToStrings.KeyStrToStr(ToStrings.IntToKeyStr(1, true)), "1");
}

TEST(KxStringsKeys, IncKeyStringSkipsEveryKeyWithThatStart) {
  const std::string value = "DL    ";
  const std::string next = ToStrings.IncKeyString(value);
  for (const std::string& same : {value, value + "\xFF\xFF", value + "ZZZ", value + std::string(1, '\0')})
    EXPECT_LT(CompareKeyBytes(same, next), 0) << same;
  EXPECT_EQ(CompareKeyBytes(next, "DL   !"), 0);
  EXPECT_LT(CompareKeyBytes(next, "DM"), 0);
  // A trailing 0xFF carries into the byte before it.
  EXPECT_EQ(ToStrings.IncKeyString("A\xFF"), "B");
  const std::string top = ToStrings.IncKeyString("\xFF\xFF");
  EXPECT_GT(CompareKeyBytes(top, "\xFF\xFF\xFF"), 0);
  EXPECT_EQ(top.size(), 200u);
  EXPECT_EQ(ToStrings.KeyStrToStr(ToStrings.IncKeyString(ToStrings.StrToKeyStr("K1"))), "K2");
}

TEST(KxStringsLanguage, TextFollowsTheSwitch) {
  ASSERT_EQ(LanguageFlag, 1);
  EXPECT_EQ(LanguageText("Punkte ", "Score "), "Punkte ");
  LanguageFlag = 0;
  EXPECT_EQ(LanguageText("Punkte ", "Score "), "Score ");
  LanguageFlag = 1;
}
