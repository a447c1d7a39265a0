#include "base/kxdates.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "platform/clock.h"

TDates ToDates;
int32_t UtcHourOffset = SystemUtcBiasMinutes() / 60;

namespace {

// Days since 1 January 1970 of a Gregorian date and back, by the usual
// era-of-400-years arithmetic: exact for every date, no tables, no time zone.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const int64_t kEpoch = DaysFromCivil(1600, 1, 1);

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int m, int y) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string Digits(int value, size_t width) {
  std::string s = std::to_string(value);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

// One field of a picture: its letter (lower case), start and length.
struct Field {
  char letter;
  size_t pos;
  size_t len;
};

// Walks the picture's runs of the given letters; other characters are
// literals. Calls onField for each run and onLiteral for each literal.
template <class F, class L>
void WalkPicture(std::string_view pic, std::string_view letters, F onField, L onLiteral) {
  for (size_t i = 0; i < pic.size();) {
    const char c = Lower(pic[i]);
    if (std::find(letters.begin(), letters.end(), c) != letters.end()) {
      size_t j = i;
      while (j < pic.size() && Lower(pic[j]) == c) ++j;
      onField(Field{c, i, j - i});
      i = j;
    } else {
      onLiteral(i, pic[i]);
      ++i;
    }
  }
}

// Writes the picture with its fields filled by value(field): digits with
// leading zeros up to the field's length, other characters as they stand.
template <class V>
void WritePicture(TTextWriter& out, std::string_view pic, std::string_view letters, V value) {
  WalkPicture(
      pic, letters,
      [&](const Field& f) {
        const int v = value(f);
        if (v >= 0 && v < 100 && f.len <= 2) {  // the usual day, month, hour, minute, second
          if (v >= 10 || f.len == 2) out.Char(static_cast<char>('0' + v / 10));
          out.Char(static_cast<char>('0' + v % 10));
          return;
        }
        char digits[12];
        const auto r = std::to_chars(digits, digits + sizeof digits, v);
        const size_t k = static_cast<size_t>(r.ptr - digits);
        if (k < f.len) out.Chars('0', f.len - k);
        out.Text(std::string_view(digits, k));
      },
      [&](size_t, char c) { out.Char(c); });
}

constexpr int kFieldValueLimit = 100000000;

// Reads the text by the picture's fields into values[letter]; false when a
// field is not a number or a literal position holds a digit.
bool ReadPicture(std::string_view text, std::string_view pic, std::string_view letters,
                 int (&values)[3], bool (&seen)[3]) {
  if (text.size() != pic.size()) return false;
  bool ok = true;
  WalkPicture(
      pic, letters,
      [&](const Field& f) {
        int v = 0;
        bool any = false;
        for (size_t i = f.pos; i < f.pos + f.len; ++i) {
          const char c = text[i];
          if (IsDigit(c)) {
            // A long field of digits saturates: far beyond any date or time,
            // so it fails the range checks instead of overflowing.
            if (v < kFieldValueLimit) v = v * 10 + (c - '0');
            any = true;
          } else if (c != ' ' || any) {  // blanks only in front
            ok = false;
          }
        }
        if (!any) ok = false;
        const size_t slot = letters.find(f.letter);
        values[slot] = v;
        seen[slot] = true;
      },
      [&](size_t i, char) {
        if (IsDigit(text[i])) ok = false;
      });
  return ok;
}

}  // namespace

// --- day numbers --------------------------------------------------------------

int TDates::ExpandYear(int year) const {
  if (year < 0 || year > 99) return year;
  const int now = CurrentLocalDateTime().date().year();
  int y = now / 100 * 100 + year;
  if (y > now + 20) y -= 100;
  else if (y <= now - 80) y += 100;
  return y;
}

bool TDates::ValidDate(int day, int month, int year) const {
  year = ExpandYear(year);
  if (year < 1600 || year > 3999 || month < 1 || month > 12) return false;
  return day >= 1 && day <= DaysInMonth(month, year);
}

int32_t TDates::DMYToDate(int day, int month, int year) const {
  year = ExpandYear(year);
  if (!ValidDate(day, month, year)) return BadDate;
  return static_cast<int32_t>(DaysFromCivil(year, month, day) - kEpoch);
}

void TDates::DateToDMY(int32_t date, int& day, int& month, int& year) const {
  if (date < MinDate || date > MaxDate) {
    day = month = year = 0;
    return;
  }
  CivilFromDays(date + kEpoch, year, month, day);
}

int32_t TDates::IncDate(int32_t date, int days, int months, int years) const {
  int d, m, y;
  DateToDMY(date, d, m, y);
  if (y == 0) return BadDate;
  // Count in months since year 0, then split back into year and month.
  int64_t mi = static_cast<int64_t>(y) * 12 + (m - 1) + months + static_cast<int64_t>(years) * 12;
  const int64_t ny = mi >= 0 ? mi / 12 : (mi - 11) / 12;
  if (ny < 1600 || ny > 3999) return BadDate;
  y = static_cast<int>(ny);
  m = static_cast<int>(mi - ny * 12) + 1;
  if (d > DaysInMonth(m, y)) d = DaysInMonth(m, y);
  const int64_t r = static_cast<int64_t>(DMYToDate(d, m, y)) + days;
  return r < MinDate || r > MaxDate ? BadDate : static_cast<int32_t>(r);
}

int TDates::DayOfWeek(int32_t date) const {
  if (date < MinDate || date > MaxDate) return -1;
  return static_cast<int>((date + 6) % 7);  // 01.01.1600 was a Saturday
}

// --- times ----------------------------------------------------------------------

bool TDates::ValidTime(int hours, int minutes, int seconds) const {
  return hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 && seconds >= 0 && seconds < 60;
}

int32_t TDates::HMSToTime(int hours, int minutes, int seconds) const {
  if (!ValidTime(hours, minutes, seconds)) return BadTime;
  return hours * 3600 + minutes * 60 + seconds;
}

void TDates::TimeToHMS(int32_t time, int& hours, int& minutes, int& seconds) const {
  if (time < 0 || time >= SecondsPerDay) {
    hours = minutes = seconds = 0;
    return;
  }
  hours = time / 3600;
  minutes = time / 60 % 60;
  seconds = time % 60;
}

int32_t TDates::IncTime(int32_t time, int hours, int minutes, int seconds) const {
  if (time < 0 || time >= SecondsPerDay) return BadTime;
  int64_t t = static_cast<int64_t>(time) + static_cast<int64_t>(hours) * 3600 +
              static_cast<int64_t>(minutes) * 60 + seconds;
  t %= SecondsPerDay;
  if (t < 0) t += SecondsPerDay;
  return static_cast<int32_t>(t);
}

// --- text -------------------------------------------------------------------------

int32_t TDates::DateStringToDate(std::string_view text, std::string_view picture) const {
  const std::string t = TrimBlanks(text);
  int v[3] = {0, 0, 0};  // d, m, y
  bool seen[3] = {false, false, false};
  if (picture.empty() || !ReadPicture(t, picture, "dmy", v, seen)) return BadDate;
  const int day = seen[0] ? v[0] : 1;
  const int month = seen[1] ? v[1] : 1;
  int year = seen[2] ? v[2] : CurrentLocalDateTime().date().year();
  // Only a two-character year field is a short year; "0024" means 24.
  bool shortYear = false;
  WalkPicture(
      picture, "dmy", [&](const Field& f) { if (f.letter == 'y' && f.len <= 2) shortYear = true; },
      [](size_t, char) {});
  if (seen[2] && !shortYear && year < 100) return BadDate;
  return DMYToDate(day, month, year);
}

std::string TDates::DateToDateString(int32_t date, std::string_view picture) const {
  return WrittenText([&](TTextWriter& w) { WriteDateString(w, date, picture); });
}

void TDates::WriteDateString(TTextWriter& out, int32_t date, std::string_view picture) const {
  int d, m, y;
  DateToDMY(date, d, m, y);
  if (y == 0) return;
  WritePicture(out, picture, "dmy", [&](const Field& f) {
    switch (f.letter) {
      case 'd': return d;
      case 'm': return m;
      default: return f.len <= 2 ? y % 100 : y;
    }
  });
}

int32_t TDates::TimeStringToTime(std::string_view text, std::string_view picture) const {
  std::string t = TrimBlanks(text);
  if (t.size() == 5 && picture.size() == 8 && Lower(picture[6]) == 's') t += ":00";
  int v[3] = {0, 0, 0};  // h, m, s
  bool seen[3] = {false, false, false};
  if (picture.empty() || !ReadPicture(t, picture, "hms", v, seen)) return BadTime;
  return HMSToTime(v[0], v[1], v[2]);
}

std::string TDates::TimeToTimeString(int32_t time, std::string_view picture) const {
  return WrittenText([&](TTextWriter& w) { WriteTimeString(w, time, picture); });
}

void TDates::WriteTimeString(TTextWriter& out, int32_t time, std::string_view picture) const {
  if (time < 0 || time >= SecondsPerDay) return;
  int h, m, s;
  TimeToHMS(time, h, m, s);
  WritePicture(out, picture, "hms", [&](const Field& f) { return f.letter == 'h' ? h : (f.letter == 'm' ? m : s); });
}

std::string TDates::CompleteDateInput(std::string_view text) const {
  // A date shown by the entry ("dd.mm.yyyy") comes back as it is.
  auto digitsAt = [&](std::initializer_list<size_t> at) {
    return std::all_of(at.begin(), at.end(), [&](size_t i) { return IsDigit(text[i]); });
  };
  if (text.size() == 10 && text[2] == '.' && text[5] == '.' && digitsAt({0, 1, 3, 4, 6, 7, 8, 9}))
    return std::string(text);
  std::string t = TrimBlanks(text);
  for (char& c : t)
    if (c == ',') c = '.';
  if (t.empty() || t.size() >= 11) return std::string(text);
  std::string parts[3];
  int n = 0;
  if (t.find('.') != std::string::npos) {
    size_t start = 0;
    while (start <= t.size()) {
      const size_t dot = t.find('.', start);
      const std::string part = t.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
      if (dot == std::string::npos) {
        if (!part.empty()) {
          if (n == 3) return std::string(text);
          parts[n++] = part;
        }
        break;
      }
      if (part.empty() || n == 3) return std::string(text);  // "..5" or too many parts
      parts[n++] = part;
      start = dot + 1;
    }
  } else {
    switch (t.size()) {
      case 1: case 2: parts[n++] = t; break;
      case 4: parts[n++] = t.substr(0, 2); parts[n++] = t.substr(2); break;
      case 6: case 8:
        parts[n++] = t.substr(0, 2);
        parts[n++] = t.substr(2, 2);
        parts[n++] = t.substr(4);
        break;
      default: return std::string(text);
    }
  }
  for (int i = 0; i < n; ++i) {
    const std::string& p = parts[i];
    for (char c : p)
      if (!IsDigit(c)) return std::string(text);
    if (i < 2 && p.size() > 2) return std::string(text);
    if (i == 2 && p.size() != 1 && p.size() != 2 && p.size() != 4) return std::string(text);
  }
  if (n == 0) return std::string(text);
  // Only a date without its month or year needs today's; a whole date is
  // completed without reading the clock (a job that gathers thousands of
  // dates would otherwise ask the system for its time zone every time).
  int d0 = 0, m0 = 0, y0 = 0;
  if (n < 3) DateToDMY(Today(), d0, m0, y0);
  const int day = std::atoi(parts[0].c_str());
  const int month = n >= 2 ? std::atoi(parts[1].c_str()) : m0;
  int year = y0;
  if (n == 3) {
    year = std::atoi(parts[2].c_str());
    if (parts[2].size() <= 2) year = ExpandYear(year);
  }
  return Digits(day, 2) + "." + Digits(month, 2) + "." + Digits(year, 4);
}

std::string TDates::CompleteTimeInput(std::string_view text) const {
  std::string t = TrimBlanks(text);
  for (char& c : t)
    if (c == ',') c = '.';
  auto digits = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
      if (!IsDigit(t[i])) return false;
    return true;
  };
  auto sep = [&](size_t i) { return t[i] == '.' || t[i] == ':'; };
  if (t.size() == 4 && digits(0, 4)) return t.substr(0, 2) + ":" + t.substr(2);      // hhmm
  if (t.size() == 3 && digits(0, 3)) return "0" + t.substr(0, 1) + ":" + t.substr(1);  // hmm
  if (t.size() == 4 && digits(0, 1) && sep(1) && digits(2, 4))                         // h.mm
    return "0" + t.substr(0, 1) + ":" + t.substr(2);
  if (t.size() == 5 && digits(0, 2) && t[2] == '.' && digits(3, 5))  // hh.mm
    return t.substr(0, 2) + ":" + t.substr(3);
  return std::string(text);
}

// --- Qt values --------------------------------------------------------------------

QDate TDates::DateToDateTime(int32_t date) const {
  int d, m, y;
  DateToDMY(date, d, m, y);
  return y == 0 ? QDate() : QDate(y, m, d);
}

int32_t TDates::DateTimeToDate(const QDate& d) const {
  if (!d.isValid()) return BadDate;
  return DMYToDate(d.day(), d.month(), d.year());
}

// --- now ----------------------------------------------------------------------------

int32_t TDates::Today() const { return DateTimeToDate(CurrentLocalDateTime().date()); }

int32_t TDates::CurrentTime() const {
  const QTime t = CurrentLocalDateTime().time();
  return HMSToTime(t.hour(), t.minute(), t.second());
}

std::string TDates::TodayString(std::string_view picture) const {
  return DateToDateString(Today(), picture);
}

std::string TDates::CurrentTimeString(std::string_view picture) const {
  return TimeToTimeString(CurrentTime(), picture);
}

namespace {
// Day number and time of day at the logging time zone, read from one
// clock reading so that date and time never straddle midnight apart.
void LoggingNow(const TDates& dates, int32_t& date, int32_t& time) {
  const QDateTime now = CurrentLocalDateTime();
  const QTime t = now.time();
  const int64_t secs = t.hour() * 3600 + t.minute() * 60 + t.second() +
                       static_cast<int64_t>(UtcHourOffset) * 3600;
  const int64_t dayShift = secs >= 0 ? secs / SecondsPerDay : (secs - SecondsPerDay + 1) / SecondsPerDay;
  const int32_t local = dates.DateTimeToDate(now.date());
  date = local == BadDate ? BadDate : dates.IncDate(local, static_cast<int>(dayShift), 0, 0);
  time = static_cast<int32_t>(secs - dayShift * SecondsPerDay);
}
}  // namespace

int32_t TDates::TodayUTC() const {
  int32_t d, t;
  LoggingNow(*this, d, t);
  return d;
}

int32_t TDates::CurrentTimeUTC() const {
  int32_t d, t;
  LoggingNow(*this, d, t);
  return t;
}

std::string TDates::TodayUTCString(std::string_view picture) const {
  return DateToDateString(TodayUTC(), picture);
}

std::string TDates::CurrentTimeUTCString(std::string_view picture) const {
  return TimeToTimeString(CurrentTimeUTC(), picture);
}

int TDates::UtcBiasMinutes() const { return SystemUtcBiasMinutes(); }
