#pragma once
// ToDates: dates as day numbers (days since 1 January 1600, which is day 0;
// the last valid day is 31 December 3999) and times as seconds since
// midnight. BadDate and BadTime (-1) mark what is missing or unreadable.
//
// Pictures name the fields by letter runs: "dd" day, "mm" month, "yy" or
// "yyyy" year in a date picture; "hh" hours, "mm" minutes, "ss" seconds in a
// time picture. Other characters stand for themselves ("dd.mm.yyyy",
// "yyyy-mm-dd", "yyyymmdd", "yymmdd", "ddmmyy", "yyyy", "hh:mm:ss", "hh:mm",
// "hhmm" ...). Two-digit years are read in the hundred years that end 20
// years after the current year.
//
// "Now" comes from the injectable clock of platform/clock.h. The logging time
// zone is the computer's local time plus UtcHourOffset hours.
#include <QDate>
#include <QDateTime>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/textwriter.h"

inline constexpr int32_t BadDate = -1;
inline constexpr int32_t BadTime = -1;
inline constexpr int32_t MinDate = 0;        // 01.01.1600
inline constexpr int32_t MaxDate = 876581;   // 31.12.3999
inline constexpr int32_t SecondsPerDay = 86400;

// Hours added to the computer's time to get the logging time. Starts as the
// system time zone's offset (local + offset = UTC); the contest set-up sets
// it to 0 when the computer clock runs on UTC.
extern int32_t UtcHourOffset;

class TDates {
 public:
  // --- day numbers ----------------------------------------------------------
  // A two-digit year (0..99) expanded into the current century window;
  // other years unchanged.
  int ExpandYear(int year) const;
  // True when the year (two-digit years expanded) lies in 1600..3999, the
  // month in 1..12 and the day in 1..the days of that month.
  bool ValidDate(int day, int month, int year) const;
  // Day number of a date, BadDate when not valid (two-digit years expanded).
  int32_t DMYToDate(int day, int month, int year) const;
  // Day, month and year of a day number; 0, 0, 0 for a bad one.
  void DateToDMY(int32_t date, int& day, int& month, int& year) const;
  // Years and months first (the day cut to the new month's length), then
  // days; BadDate when the start or the result is not a valid day number.
  int32_t IncDate(int32_t date, int days, int months, int years) const;
  // 0 Sunday .. 6 Saturday; -1 for a bad date.
  int DayOfWeek(int32_t date) const;

  // --- times ---------------------------------------------------------------
  bool ValidTime(int hours, int minutes, int seconds) const;
  // Seconds since midnight, BadTime when not valid.
  int32_t HMSToTime(int hours, int minutes, int seconds) const;
  // Hours, minutes and seconds of a time; 0, 0, 0 for a bad one.
  void TimeToHMS(int32_t time, int& hours, int& minutes, int& seconds) const;
  // The time moved by the given amounts, modulo one day; BadTime stays bad.
  int32_t IncTime(int32_t time, int hours, int minutes, int seconds) const;

  // --- text ----------------------------------------------------------------
  // The text read by the picture; BadDate when unreadable or not a date.
  int32_t DateStringToDate(std::string_view text, std::string_view picture) const;
  // The day number written by the picture; empty text for a bad day number.
  std::string DateToDateString(int32_t date, std::string_view picture) const;
  // The text read by the picture; BadTime when unreadable. A five-character
  // text ("hh:mm") read with "hh:mm:ss" gets ":00".
  int32_t TimeStringToTime(std::string_view text, std::string_view picture) const;
  // The time written by the picture; empty text for a bad time.
  std::string TimeToTimeString(int32_t time, std::string_view picture) const;
  // The same two texts written by a line's writer (nothing for a bad date or
  // time), for lines built field by field.
  void WriteDateString(TTextWriter& out, int32_t date, std::string_view picture) const;
  void WriteTimeString(TTextWriter& out, int32_t time, std::string_view picture) const;

  // A short date entry (under 11 characters, ',' read as '.') completed to
  // "dd.mm.yyyy", missing month and year taken from today: "5" "5.3"
  // "5.3.24" "0503" "050324" "05032024". Other text is returned unchanged.
  std::string CompleteDateInput(std::string_view text) const;
  // A short time entry completed to "hh:mm": "hhmm", "hmm", "h.mm", "h:mm",
  // "hh.mm" (',' read as '.'). Other text is returned unchanged.
  std::string CompleteTimeInput(std::string_view text) const;

  // --- Qt values (for the month calendar) -------------------------------------
  // An invalid QDate for a bad day number.
  QDate DateToDateTime(int32_t date) const;
  int32_t DateTimeToDate(const QDate& d) const;
  int32_t DateTimeToDate(const QDateTime& dt) const { return DateTimeToDate(dt.date()); }

  // --- now -----------------------------------------------------------------
  // Today and the time of day by the computer's local clock.
  int32_t Today() const;
  int32_t CurrentTime() const;
  std::string TodayString(std::string_view picture) const;
  std::string CurrentTimeString(std::string_view picture) const;
  // Today and the time of day at the logging time zone (local time plus
  // UtcHourOffset hours, the date moving across midnight).
  int32_t TodayUTC() const;
  int32_t CurrentTimeUTC() const;
  std::string TodayUTCString(std::string_view picture) const;
  std::string CurrentTimeUTCString(std::string_view picture) const;

  // Minutes to add to local time to get UTC (Central European Time -60,
  // summer time -120).
  int UtcBiasMinutes() const;
};

extern TDates ToDates;
