#include <gtest/gtest.h>

#include <QTimeZone>

#include "base/kxdates.h"
#include "platform/clock.h"

namespace {

// Puts the clock at a fixed local moment for one test and restores the real
// clock and the logging offset afterwards.
class FixedClock {
 public:
  FixedClock(int y, int mo, int d, int h, int mi, int s) : oldOffset_(UtcHourOffset) {
    const QDateTime at(QDate(y, mo, d), QTime(h, mi, s));
    SetClockOverride([at] { return at; });
  }
  ~FixedClock() {
    SetClockOverride({});
    UtcHourOffset = oldOffset_;
  }

 private:
  int32_t oldOffset_;
};

}  // namespace

TEST(KxDatesDays, EveryDayRoundTripsThroughItsText) {
  ASSERT_EQ(ToDates.DMYToDate(1, 1, 1600), 0);
  ASSERT_EQ(ToDates.DMYToDate(31, 12, 3999), MaxDate);
  int pd = 31, pm = 12, py = 1599;
  for (int32_t n = MinDate; n <= MaxDate; ++n) {
    int d, m, y;
    ToDates.DateToDMY(n, d, m, y);
    // Each day follows the one before it in the calendar.
    const bool nextDay = (d == pd + 1 && m == pm && y == py) ||
                         (d == 1 && ((m == pm + 1 && y == py) || (m == 1 && pm == 12 && y == py + 1)));
    ASSERT_TRUE(nextDay) << n;
    pd = d, pm = m, py = y;
    const std::string text = ToDates.DateToDateString(n, "dd.mm.yyyy");
    ASSERT_EQ(ToDates.DateStringToDate(text, "dd.mm.yyyy"), n) << text;
    ASSERT_EQ(ToDates.DateStringToDate(ToDates.DateToDateString(n, "yyyymmdd"), "yyyymmdd"), n);
  }
  EXPECT_EQ(py, 3999);
  // Leap days: 1600 and 2000 have one, 1700 and 2100 have none.
  EXPECT_TRUE(ToDates.ValidDate(29, 2, 1600));
  EXPECT_TRUE(ToDates.ValidDate(29, 2, 2000));
  EXPECT_FALSE(ToDates.ValidDate(29, 2, 1700));
  EXPECT_FALSE(ToDates.ValidDate(29, 2, 2100));
  // The day numbers agree with Qt's calendar.
  EXPECT_EQ(ToDates.DateToDateTime(ToDates.DMYToDate(24, 6, 2023)), QDate(2023, 6, 24));
  EXPECT_EQ(ToDates.DateTimeToDate(QDate(2023, 6, 24)) - ToDates.DateTimeToDate(QDate(1970, 1, 1)),
            QDate(1970, 1, 1).daysTo(QDate(2023, 6, 24)));
  EXPECT_EQ(ToDates.DayOfWeek(ToDates.DMYToDate(6, 12, 2026)), 0);  // a Sunday
}

TEST(KxDatesDays, InvalidDatesGiveBadDate) {
  for (const char* bad : {"", "31.02.2024", "00.01.2024", "01.13.2024", "32.01.2024",
                          "01.01.1599", "01.01.4000", "1.1.2024", "01.01.20x4", "01-01-2024x",
                          "0101.2024", "01.01.0024"})
    EXPECT_EQ(ToDates.DateStringToDate(bad, "dd.mm.yyyy"), BadDate) << bad;
  EXPECT_EQ(ToDates.DateToDateString(BadDate, "dd.mm.yyyy"), "");
  EXPECT_EQ(ToDates.DateToDateString(MaxDate + 1, "dd.mm.yyyy"), "");
  int d = 9, m = 9, y = 9;
  ToDates.DateToDMY(BadDate, d, m, y);
  EXPECT_EQ(d + m + y, 0);
  EXPECT_FALSE(ToDates.DateToDateTime(BadDate).isValid());
  EXPECT_EQ(ToDates.DateTimeToDate(QDate()), BadDate);
}

TEST(KxDatesDays, LongPictureFieldsDoNotWrapAround) {
  // 4294969320 is 2024 past 2^32: a field that wrapped would read as 2024.
  EXPECT_EQ(ToDates.DateStringToDate("01.01.4294969320", "dd.mm.yyyyyyyyyy"), BadDate);
  EXPECT_EQ(ToDates.DateStringToDate("99999999999999999999.01.2024",
                                     "dddddddddddddddddddd.mm.yyyy"),
            BadDate);
  EXPECT_EQ(ToDates.TimeStringToTime("4294967308:00", "hhhhhhhhhh:mm"), BadTime);
  // Leading zeros in a long field still read.
  EXPECT_EQ(ToDates.DateStringToDate("01.01.0000002024", "dd.mm.yyyyyyyyyy"),
            ToDates.DMYToDate(1, 1, 2024));
}

TEST(KxDatesDays, PicturesAndTwoDigitYears) {
  FixedClock clock(2026, 12, 6, 12, 0, 0);
  const int32_t day = ToDates.DMYToDate(5, 3, 2024);
  EXPECT_EQ(ToDates.DateToDateString(day, "dd.mm.yyyy"), "05.03.2024");
  EXPECT_EQ(ToDates.DateToDateString(day, "dd.mm.yy"), "05.03.24");
  EXPECT_EQ(ToDates.DateToDateString(day, "yyyy-mm-dd"), "2024-03-05");
  EXPECT_EQ(ToDates.DateToDateString(day, "yyyymmdd"), "20240305");
  EXPECT_EQ(ToDates.DateToDateString(day, "yymmdd"), "240305");
  EXPECT_EQ(ToDates.DateToDateString(day, "ddmmyy"), "050324");
  EXPECT_EQ(ToDates.DateToDateString(day, "yyyy"), "2024");
  for (const char* pic : {"dd.mm.yy", "yyyy-mm-dd", "yymmdd", "ddmmyy", "DD.MM.YYYY"})
    EXPECT_EQ(ToDates.DateStringToDate(ToDates.DateToDateString(day, pic), pic), day) << pic;
  EXPECT_EQ(ToDates.DateStringToDate("05,03,2024", "dd.mm.yyyy"), day);
  // Two-digit years fall in the hundred years up to 20 years ahead.
  EXPECT_EQ(ToDates.ExpandYear(46), 2046);
  EXPECT_EQ(ToDates.ExpandYear(47), 1947);
  EXPECT_EQ(ToDates.ExpandYear(0), 2000);
  EXPECT_EQ(ToDates.ExpandYear(1999), 1999);
  EXPECT_TRUE(ToDates.ValidDate(29, 2, 24));
  EXPECT_FALSE(ToDates.ValidDate(29, 2, 23));
  EXPECT_EQ(ToDates.DateStringToDate("010199", "ddmmyy"), ToDates.DMYToDate(1, 1, 1999));
}

TEST(KxDatesDays, IncDateCutsToTheMonthEnd) {
  const int32_t d = ToDates.DMYToDate(31, 1, 2024);
  EXPECT_EQ(ToDates.IncDate(d, 0, 1, 0), ToDates.DMYToDate(29, 2, 2024));
  EXPECT_EQ(ToDates.IncDate(d, 0, 13, 0), ToDates.DMYToDate(28, 2, 2025));
  EXPECT_EQ(ToDates.IncDate(d, 0, -2, 0), ToDates.DMYToDate(30, 11, 2023));
  EXPECT_EQ(ToDates.IncDate(ToDates.DMYToDate(29, 2, 2024), 0, 0, 1), ToDates.DMYToDate(28, 2, 2025));
  EXPECT_EQ(ToDates.IncDate(ToDates.DMYToDate(31, 12, 2023), 1, 0, 0), ToDates.DMYToDate(1, 1, 2024));
  EXPECT_EQ(ToDates.IncDate(d, -1, 0, 0), d - 1);
  EXPECT_EQ(ToDates.IncDate(MinDate, -1, 0, 0), BadDate);
  EXPECT_EQ(ToDates.IncDate(MaxDate, 0, 0, 1), BadDate);
  EXPECT_EQ(ToDates.IncDate(BadDate, 1, 0, 0), BadDate);
}

TEST(KxDatesTimes, TextAndPictures) {
  EXPECT_EQ(ToDates.TimeStringToTime("12:34:56", "hh:mm:ss"), 12 * 3600 + 34 * 60 + 56);
  EXPECT_EQ(ToDates.TimeStringToTime("12:34", "hh:mm:ss"), 12 * 3600 + 34 * 60);
  EXPECT_EQ(ToDates.TimeStringToTime("12:34", "hh:mm"), 12 * 3600 + 34 * 60);
  EXPECT_EQ(ToDates.TimeStringToTime("0000", "hhmm"), 0);
  EXPECT_EQ(ToDates.TimeStringToTime("2359", "hhmm"), 86340);
  for (const char* bad : {"", "24:00:00", "12:60:00", "12:00:60", "1:00:00", "ab:cd:ef", "12:3"})
    EXPECT_EQ(ToDates.TimeStringToTime(bad, "hh:mm:ss"), BadTime) << bad;
  EXPECT_EQ(ToDates.TimeStringToTime("12:34:56", "hh:mm"), BadTime);

  const int32_t t = 9 * 3600 + 5 * 60 + 7;
  EXPECT_EQ(ToDates.TimeToTimeString(t, "hh:mm:ss"), "09:05:07");
  EXPECT_EQ(ToDates.TimeToTimeString(t, "hh:mm"), "09:05");
  EXPECT_EQ(ToDates.TimeToTimeString(t, "hhmm"), "0905");
  EXPECT_EQ(ToDates.TimeToTimeString(BadTime, "hh:mm"), "");
  EXPECT_EQ(ToDates.TimeToTimeString(86400, "hh:mm"), "");
  for (int32_t s = 0; s < SecondsPerDay; s += 7)
    ASSERT_EQ(ToDates.TimeStringToTime(ToDates.TimeToTimeString(s, "hh:mm:ss"), "hh:mm:ss"), s);

  int h, m, s;
  ToDates.TimeToHMS(t, h, m, s);
  EXPECT_EQ(h * 10000 + m * 100 + s, 90507);
  ToDates.TimeToHMS(BadTime, h, m, s);
  EXPECT_EQ(h + m + s, 0);
}

TEST(KxDatesTimes, IncTimeWrapsAroundMidnight) {
  const int32_t ten = 10 * 3600;
  EXPECT_EQ(ToDates.IncTime(ten, 0, 59, 59), ten + 3599);
  EXPECT_EQ(ToDates.IncTime(23 * 3600, 2, 0, 0), 3600);
  EXPECT_EQ(ToDates.IncTime(3600, -2, 0, 0), 23 * 3600);
  EXPECT_EQ(ToDates.IncTime(0, 0, 0, -1), 86399);
  EXPECT_EQ(ToDates.IncTime(0, 48, 0, 0), 0);
  EXPECT_EQ(ToDates.IncTime(BadTime, 1, 0, 0), BadTime);
}

TEST(KxDatesInput, ShortDatesAreCompletedFromToday) {
  FixedClock clock(2026, 12, 6, 12, 0, 0);
  EXPECT_EQ(ToDates.CompleteDateInput("5"), "05.12.2026");
  EXPECT_EQ(ToDates.CompleteDateInput("5."), "05.12.2026");
  EXPECT_EQ(ToDates.CompleteDateInput("5.3"), "05.03.2026");
  EXPECT_EQ(ToDates.CompleteDateInput("5,3,24"), "05.03.2024");
  EXPECT_EQ(ToDates.CompleteDateInput("5.3.99"), "05.03.1999");
  EXPECT_EQ(ToDates.CompleteDateInput("05.03.2024"), "05.03.2024");
  EXPECT_EQ(ToDates.CompleteDateInput("0503"), "05.03.2026");
  EXPECT_EQ(ToDates.CompleteDateInput("050324"), "05.03.2024");
  EXPECT_EQ(ToDates.CompleteDateInput("05032024"), "05.03.2024");
  for (const char* kept : {"", "abc", "5.3.202", "1.2.3.4", "123", "05.03.2024 12", "5..3", "123.4"})
    EXPECT_EQ(ToDates.CompleteDateInput(kept), kept) << kept;
}

// A whole date is completed without the clock (an import gathers thousands
// of them); a short one still takes the month and year of today.
TEST(KxDatesInput, OnlyShortDatesReadTheClock) {
  int reads = 0;
  SetClockOverride([&reads] {
    ++reads;
    return QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0));
  });
  EXPECT_EQ(ToDates.CompleteDateInput("05.03.2024"), "05.03.2024");
  EXPECT_EQ(ToDates.CompleteDateInput("05032024"), "05.03.2024");
  EXPECT_EQ(ToDates.CompleteDateInput("31.02.0999"), "31.02.0999");  // kept as typed; the check judges it
  EXPECT_EQ(ToDates.CompleteDateInput(" 5.3.2024"), "05.03.2024");
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(ToDates.CompleteDateInput("5.3"), "05.03.2026");
  EXPECT_GT(reads, 0);
  reads = 0;
  EXPECT_EQ(ToDates.CompleteDateInput("5.3.99"), "05.03.1999");  // the century from today
  EXPECT_GT(reads, 0);
  SetClockOverride({});
}

TEST(KxDatesInput, ShortTimesAreCompleted) {
  EXPECT_EQ(ToDates.CompleteTimeInput("1230"), "12:30");
  EXPECT_EQ(ToDates.CompleteTimeInput("930"), "09:30");
  EXPECT_EQ(ToDates.CompleteTimeInput("9.30"), "09:30");
  EXPECT_EQ(ToDates.CompleteTimeInput("9,30"), "09:30");
  EXPECT_EQ(ToDates.CompleteTimeInput("9:30"), "09:30");
  EXPECT_EQ(ToDates.CompleteTimeInput("12,30"), "12:30");
  for (const char* kept : {"", "12:30", "12", "12345", "ab:cd", "1:2"})
    EXPECT_EQ(ToDates.CompleteTimeInput(kept), kept) << kept;
}

TEST(KxDatesNow, LocalAndLoggingTimeFromTheClock) {
  FixedClock clock(2024, 12, 31, 23, 30, 15);
  UtcHourOffset = 0;
  EXPECT_EQ(ToDates.Today(), ToDates.DMYToDate(31, 12, 2024));
  EXPECT_EQ(ToDates.TodayString("dd.mm.yyyy"), "31.12.2024");
  EXPECT_EQ(ToDates.CurrentTimeString("hh:mm:ss"), "23:30:15");
  EXPECT_EQ(ToDates.TodayUTC(), ToDates.Today());
  EXPECT_EQ(ToDates.CurrentTimeUTCString("hh:mm"), "23:30");
  // A logging zone one hour ahead crosses midnight into the new year ...
  UtcHourOffset = 1;
  EXPECT_EQ(ToDates.TodayUTCString("dd.mm.yyyy"), "01.01.2025");
  EXPECT_EQ(ToDates.CurrentTimeUTC(), 30 * 60 + 15);
  // ... and one far behind goes back a day.
  UtcHourOffset = -24;
  EXPECT_EQ(ToDates.TodayUTCString("dd.mm.yyyy"), "30.12.2024");
  EXPECT_EQ(ToDates.CurrentTimeUTCString("hh:mm:ss"), "23:30:15");
  EXPECT_EQ(ToDates.TodayString("dd.mm.yyyy"), "31.12.2024");
}

TEST(KxDatesNow, BiasHasTheWindowsSignAndFollowsSummerTime) {
  const QByteArray oldTz = qgetenv("TZ");
  qputenv("TZ", "Europe/Berlin");
  const QDateTime winter(QDate(2024, 1, 15), QTime(12, 0));
  SetClockOverride([winter] { return winter; });
  EXPECT_EQ(ToDates.UtcBiasMinutes(), -60);
  const QDateTime summer(QDate(2024, 7, 15), QTime(12, 0));
  SetClockOverride([summer] { return summer; });
  EXPECT_EQ(ToDates.UtcBiasMinutes(), -120);
  SetClockOverride({});
  if (oldTz.isNull()) qunsetenv("TZ");
  else qputenv("TZ", oldTz);
}
