// Values behind the edit controls: decimal reading, picture masks, ranges of
// the small integer types, the double cache, slashed zeros; then the edit
// and the fetch edit driven offscreen by keys.
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include "ui/kxbuttons.h"

#include <bit>
#include <clocale>
#include <locale>

#include <gtest/gtest.h>

#include "base/kxstrings.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "ui/kxEdit.h"
#include "ui/kxEditValue.h"
#include "ui/kxHole.h"

namespace {

using DT = kxeditdatatype;

TkxEditValue Typed(DT type, const std::string& mask = "") {
  TkxEditValue v;
  v.DataType = type;
  v.SetPictureMask(mask);
  return v;
}

long double Float(const TkxValue& v) { return std::get<long double>(v); }
int64_t Int(const TkxValue& v) { return std::get<int64_t>(v); }

// The locale a German desktop runs with: decimal comma, dot grouping.
class GermanLocale {
 public:
  GermanLocale() : old_(std::locale()), oldC_(std::setlocale(LC_ALL, nullptr)), oldQt_(QLocale()) {
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    std::locale::global(std::locale("de_DE.UTF-8"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  ~GermanLocale() {
    std::locale::global(old_);
    std::setlocale(LC_ALL, oldC_.c_str());
    QLocale::setDefault(oldQt_);
  }

 private:
  std::locale old_;
  std::string oldC_;
  QLocale oldQt_;
};

}  // namespace

TEST(ParseDecimal, CommaIsTheDecimalSeparator) {
  EXPECT_DOUBLE_EQ(*ParseDecimal("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(*ParseDecimal("1,05"), 1.05);
  EXPECT_DOUBLE_EQ(*ParseDecimal("1,"), 1.0);
  EXPECT_DOUBLE_EQ(*ParseDecimal(",5"), 0.5);
  EXPECT_DOUBLE_EQ(*ParseDecimal("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(*ParseDecimal(" 12,25 "), 12.25);
  // A negative number keeps its sign over the fraction.
  EXPECT_DOUBLE_EQ(*ParseDecimal("-1,5"), -1.5);
  EXPECT_DOUBLE_EQ(*ParseDecimal("-0,25"), -0.25);
  EXPECT_DOUBLE_EQ(*ParseDecimal("-,5"), -0.5);
}

TEST(ParseDecimal, WhatIsNoNumberIsAnError) {
  for (const char* text : {"abc", "", "1,5,3", "1,x", "1,-5", "x,5", "inf", "nan", "1e99999", "+-1"})
    EXPECT_FALSE(ParseDecimal(text).has_value()) << text;
}

TEST(PictureMask, NinesAreStoredAsDigitPlaces) {
  TkxEditValue v;
  v.SetPictureMask("999,99");
  EXPECT_EQ(v.PictureMask(), "###,##");
  v.SetPictureMask(std::string(300, '9'));
  EXPECT_EQ(v.PictureMask(), std::string(255, '#'));
}

TEST(EditValue, IntegerTypesGetTheirDefaultMaskAndShowTheNumber) {
  TkxEditValue longint = Typed(DT::dtLongint);
  EXPECT_EQ(longint.TextFor(int64_t{1234}, ""), "1234");
  EXPECT_EQ(longint.PictureMask(), "########");
  TkxEditValue byte = Typed(DT::dtByte);
  EXPECT_EQ(byte.TextFor(int64_t{7}, ""), "7");
  EXPECT_EQ(byte.PictureMask(), "###");
}

TEST(EditValue, SmallIntegerTypesRefuseValuesOutOfRange) {
  bool refused = false;
  TkxEditValue byte = Typed(DT::dtByte);
  EXPECT_FALSE(byte.TextFor(int64_t{300}, "7", &refused).has_value());
  EXPECT_TRUE(refused);

  bool ok = true;
  EXPECT_EQ(Int(byte.ValueOf("255", &ok)), 255);
  EXPECT_TRUE(ok);
  EXPECT_EQ(Int(byte.ValueOf("300", &ok)), 0);  // not 44
  EXPECT_FALSE(ok);
  TkxEditValue word = Typed(DT::dtWord);
  EXPECT_EQ(Int(word.ValueOf("65536", &ok)), 0);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Int(word.ValueOf("-1", &ok)), 0);
  EXPECT_FALSE(ok);
  TkxEditValue integer = Typed(DT::dtInteger);
  EXPECT_EQ(Int(integer.ValueOf("2147483648", &ok)), 0);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Int(integer.ValueOf(" +12 ", &ok)), 12);
  EXPECT_EQ(Int(integer.ValueOf("12a", &ok)), 0);
  EXPECT_FALSE(ok);
}

TEST(EditValue, FloatTypesReadTheDecimalCommaAndShowThroughTheMask) {
  bool ok = true;
  TkxEditValue single = Typed(DT::dtSingle);
  EXPECT_EQ(single.TextFor(1.1L, ""), "1.10");
  EXPECT_EQ(single.PictureMask(), "########.##");
  EXPECT_EQ(Float(single.ValueOf("1,1")), static_cast<long double>(1.1f));
  EXPECT_EQ(Float(single.ValueOf("1e50", &ok)), 0);  // beyond a float
  EXPECT_FALSE(ok);

  TkxEditValue oneDecimal = Typed(DT::dtReal, "999.9");
  EXPECT_EQ(oneDecimal.TextFor(12.25L, ""), "12.3");
}

TEST(EditValue, ValuesAreFormattedAndReadTheSameUnderAGermanLocale) {
  GermanLocale german;
  TkxEditValue dbl = Typed(DT::dtDouble);
  EXPECT_EQ(dbl.TextFor(1234.5L, ""), "1234.50");
  EXPECT_DOUBLE_EQ(Float(dbl.ValueOf("1234.50")), 1234.5);
  EXPECT_DOUBLE_EQ(Float(dbl.ValueOf("1234,5")), 1234.5);
  EXPECT_DOUBLE_EQ(*ParseDecimal("0.25"), 0.25);
  TkxEditValue integer = Typed(DT::dtLongint);
  EXPECT_EQ(integer.TextFor(int64_t{1234567}, ""), "1234567");
}

TEST(EditValue, DoubleCacheKeepsTheUsersSpellingOnlyWhileItShowsTheValue) {
  TkxEditValue dbl = Typed(DT::dtDouble);
  ASSERT_EQ(dbl.TextFor(1.5L, ""), "1.50");
  // The user writes the same number the own way; it is read and set again.
  EXPECT_DOUBLE_EQ(Float(dbl.ValueOf("1,5")), 1.5);
  EXPECT_FALSE(dbl.TextFor(1.5L, "1,5").has_value());
  // The user has since typed another number: setting 1.5 must show 1.5.
  EXPECT_EQ(dbl.TextFor(1.5L, "2"), "1.50");
  EXPECT_EQ(dbl.TextFor(1.5L, ""), "1.50");

  TkxEditValue ext = Typed(DT::dtExtended);
  ASSERT_EQ(ext.TextFor(2.25L, ""), "2.25");
  EXPECT_FALSE(ext.TextFor(2.25L, "2,25").has_value());
  EXPECT_EQ(ext.TextFor(2.25L, "7"), "2.25");
}

TEST(EditValue, CharTypeReadsTheFirstCharacterOrNul) {
  TkxEditValue ch = Typed(DT::dtChar);
  EXPECT_EQ(std::get<char>(ch.ValueOf("")), '\0');
  EXPECT_EQ(std::get<char>(ch.ValueOf(std::string(" \0x", 3))), 'x');
  EXPECT_EQ(ch.TextFor('\0', "A"), "");
  EXPECT_EQ(ch.TextFor('Q', ""), "Q");
}

TEST(EditValue, SlashedZerosAreShownSlashedAndReadPlain) {
  TkxEditValue s = Typed(DT::dtString);
  s.SlashedZeros = true;
  const auto shown = s.TextFor(std::string("DL0ABC 100"), "");
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(*shown, "DL\xD8" "ABC 1\xD8\xD8");
  EXPECT_EQ(std::get<std::string>(s.ValueOf(*shown)), "DL0ABC 100");
  s.SlashedZeros = false;
  EXPECT_EQ(s.TextFor(std::string("100"), ""), "100");
}

TEST(KxEdit, SlashedZerosAreTypedSlashedAndReadBackPlain) {
  TkxEdit edit;
  edit.SetSlashedZeros(true);
  edit.show();
  edit.setFocus();
  QTest::keyClicks(&edit, QStringLiteral("DL0AB 10"));
  EXPECT_EQ(edit.text(), QStringLiteral(u"DLØAB 1Ø"));
  EXPECT_EQ(edit.GetText(), "DL0AB 10");
  EXPECT_EQ(edit.Text(), "DL\xD8" "AB 1\xD8");

  edit.SetText("2000");
  EXPECT_EQ(edit.text(), QStringLiteral(u"2ØØØ"));
  EXPECT_EQ(edit.GetValueString(), "2000");
  edit.SetSlashedZeros(false);
  edit.setText(QStringLiteral(u"JØRGEN"));
  EXPECT_EQ(edit.GetText(), "J\xD8RGEN");

  // A number edit keeps its zeros plain even with the switch on.
  TkxEdit number;
  number.SetDataType(DT::dtInteger);
  number.SetSlashedZeros(true);
  number.show();
  QTest::keyClicks(&number, QStringLiteral("105"));
  EXPECT_EQ(number.text(), QStringLiteral("105"));
  EXPECT_EQ(number.GetValueNumber(), 105);
}

TEST(KxEdit, FloatEditTakesAndGivesThirtyTwoBitFloats) {
  TkxEdit edit;
  edit.SetDataType(DT::dtSingle);
  edit.SetLong(std::bit_cast<int32_t>(2.5f));
  EXPECT_EQ(edit.text(), QStringLiteral("2.50"));
  edit.setText(QStringLiteral("144,3"));
  EXPECT_EQ(edit.GetNumber(), 144.3f);
  EXPECT_EQ(edit.GetValueNumber(), 144);
}

TEST(KxEdit, DateAndTimeEntriesAreCompletedInPlace) {
  SetClockOverride([] { return QDateTime(QDate(2024, 6, 15), QTime(10, 0)); });
  TkxEdit date;
  date.setText(QStringLiteral("5,3"));
  date.CompleteDate();
  EXPECT_EQ(date.GetText(), "05.03.2024");
  TkxEdit time;
  time.SetSlashedZeros(true);
  time.setText(QStringLiteral("930"));
  time.CompleteTime();
  EXPECT_EQ(time.GetText(), "09:30");
  EXPECT_EQ(time.text(), QStringLiteral(u"Ø9:3Ø"));
  SetClockOverride({});
}

TEST(KxHole, FetchButtonAndAltDownRunTheDoubleClickAction) {
  QWidget form;
  TkxHole hole(&form);
  form.show();
  EXPECT_EQ(hole.width(), 93);
  QSignalSpy fetched(&hole, &TkxEdit::doubleClicked);
  QTest::mouseClick(hole.FetchButton(), Qt::LeftButton);
  EXPECT_EQ(fetched.count(), 1);
  hole.setFocus();
  QTest::keyClick(&hole, Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(fetched.count(), 2);
  QTest::keyClick(&hole, Qt::Key_Down);
  EXPECT_EQ(fetched.count(), 2);

  hole.resize(120, 30);
  EXPECT_EQ(hole.FetchButton()->geometry(), QRect(120 - 3 - 18, 0, 18, 27));
  hole.setEnabled(false);
  EXPECT_FALSE(hole.FetchButton()->isEnabled());
}
