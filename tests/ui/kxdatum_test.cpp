// The date field: stepping by a day (also across month and year ends and
// from unreadable text), placing the calendar, and the field itself driven
// offscreen by keys, its up-down, its calendar button and Escape.
#include <QCalendarWidget>
#include <QTest>
#include <QToolButton>

#include "ui/kxbuttons.h"

#include <gtest/gtest.h>

#include "base/kxdates.h"
#include "platform/clock.h"
#include "ui/kxDatum.h"
#include "ui/kxDatumLogic.h"
#include "support/KeyboardWindow.h"

namespace {

// Today is fixed at 15 June 2024 while a test runs.
class FixedToday : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClockOverride([] { return QDateTime(QDate(2024, 6, 15), QTime(12, 0)); });
  }
  void TearDown() override { SetClockOverride({}); }
  int32_t Today() const { return ToDates.Today(); }
};

}  // namespace

TEST_F(FixedToday, StepDateCrossesMonthAndYearEnds) {
  EXPECT_EQ(StepDateText("31.12.2023", 1, Today()), "01.01.2024");
  EXPECT_EQ(StepDateText("01.01.2024", -1, Today()), "31.12.2023");
  EXPECT_EQ(StepDateText("01.03.2023", -1, Today()), "28.02.2023");
  // Text that is no date steps from today.
  EXPECT_EQ(StepDateText("xx", 1, Today()), "16.06.2024");
  EXPECT_EQ(StepDateText("", -1, Today()), "14.06.2024");
  EXPECT_EQ(StepDateText("31.02.2024", 1, Today()), "16.06.2024");
}

TEST(CalendarPlace, BelowTheFieldAboveItOrAsLowAsTheParentAllows) {
  // Field 23 high, calendar 150 high. No room above either: as low as the parent allows.
  EXPECT_EQ(CalendarPlace(10, 100, 23, 150, 200).Top, 50);
}

class DateField : public FixedToday {
 protected:
  void SetUp() override {
    FixedToday::SetUp();
    form.resize(400, 300);
    field = new TkxDatum(&form);
    field->move(20, 20);
    form.show();
    EXPECT_TRUE(testwindows::GiveKeyboard(form));
    field->setFocus();
  }
  QWidget form;
  TkxDatum* field = nullptr;
};

TEST_F(DateField, ArrowKeysAndUpDownStepTheDate) {
  EXPECT_EQ(field->width(), 109);
  field->SetText("31.12.2023");
  QTest::keyClick(field, Qt::Key_Up);
  EXPECT_EQ(field->GetText(), "01.01.2024");
  QTest::keyClick(field, Qt::Key_Down);
  QTest::keyClick(field, Qt::Key_Down);
  EXPECT_EQ(field->GetText(), "30.12.2023");
  QTest::mouseClick(field->UpDown()->UpButton(), Qt::LeftButton);
  EXPECT_EQ(field->GetText(), "31.12.2023");
  QTest::mouseClick(field->UpDown()->DownButton(), Qt::LeftButton);
  EXPECT_EQ(field->GetText(), "30.12.2023");

  field->SetText("xx");
  QTest::keyClick(field, Qt::Key_Up);
  EXPECT_EQ(field->GetText(), "16.06.2024");
}

TEST_F(DateField, CalendarOpensUnderTheFieldWithItsDateAndEscapeClosesIt) {
  field->SetText("30.12.2023");
  QTest::mouseClick(field->DateButton(), Qt::LeftButton);
  QCalendarWidget* calendar = field->Calendar();
  ASSERT_TRUE(calendar->isVisible());
  EXPECT_EQ(calendar->parentWidget(), &form);
  EXPECT_EQ(calendar->selectedDate(), QDate(2023, 12, 30));
  EXPECT_EQ(calendar->pos(), QPoint(20, 20 + field->height()));

  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_FALSE(calendar->isVisible());
  EXPECT_EQ(field->GetText(), "30.12.2023");

  // A text that is no date opens the calendar on today.
  field->SetText("bald");
  QTest::mouseClick(field->DateButton(), Qt::LeftButton);
  EXPECT_EQ(calendar->selectedDate(), QDate(2024, 6, 15));
  QTest::mouseClick(field->DateButton(), Qt::LeftButton);
  EXPECT_FALSE(calendar->isVisible());
}

TEST_F(DateField, ChoosingADayInTheCalendarSetsTheField) {
  field->SetText("01.02.2024");
  QTest::mouseClick(field->DateButton(), Qt::LeftButton);
  QCalendarWidget* calendar = field->Calendar();
  calendar->setSelectedDate(QDate(2024, 2, 29));
  calendar->setFocus();
  QWidget* view = calendar->focusWidget() ? calendar->focusWidget() : calendar;
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(field->GetText(), "29.02.2024");
  EXPECT_FALSE(calendar->isVisible());

  // Escape inside the calendar closes it too.
  QTest::mouseClick(field->DateButton(), Qt::LeftButton);
  ASSERT_TRUE(calendar->isVisible());
  calendar->setFocus();
  view = calendar->focusWidget() ? calendar->focusWidget() : calendar;
  QTest::keyClick(view, Qt::Key_Escape);
  EXPECT_FALSE(calendar->isVisible());
}

TEST_F(DateField, CalendarNearTheBottomOpensAboveTheField) {
  field->move(20, 260);
  QTest::mouseClick(field->DateButton(), Qt::LeftButton);
  QCalendarWidget* calendar = field->Calendar();
  ASSERT_TRUE(calendar->isVisible());
  EXPECT_EQ(calendar->y() + calendar->height(), 260);
}

TEST_F(DateField, LeavingTheFieldCompletesAShortDate) {
  QWidget other(&form);
  other.setFocusPolicy(Qt::StrongFocus);
  other.show();
  field->setFocus();
  QTest::keyClicks(field, QStringLiteral("3.1"));
  other.setFocus();
  EXPECT_EQ(field->GetText(), "03.01.2024");
}
