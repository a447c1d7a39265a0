#include "logentry/rules/auswertung.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "platform/messages.h"
#include "storage/ifderrors.h"
#include "storage/ifdriver.h"

namespace {

constexpr int T = kChartTop;
constexpr int32_t kBlack = 0x000000;
constexpr int32_t kBlue = 0xFF0000;  // $00BBGGRR
constexpr int32_t kRed = 0x0000FF;
constexpr int kBarFoot = T + 230;

bool IsQsoRow(const TContestQsoRecord& q) {
  const uint8_t marker = rec::GetByte(q.data(), qrec::kQsoMarker);
  return marker == 0 || marker == ' ';
}

// A filled rectangle from (x1, y1) to (x2, y2), both corners included.
TChartShape Rect(int x1, int y1, int x2, int y2) {
  TChartShape s;
  s.kind = TChartShape::Kind::Rect;
  s.Left = x1;
  s.Top = y1;
  s.Width = x2 - x1 + 1;
  s.Height = y2 - y1 + 1;
  s.Color = kBlack;
  return s;
}

TChartShape Label(int x, int y, std::string text, bool bold = false, int32_t color = kBlack) {
  TChartShape s;
  s.kind = TChartShape::Kind::Label;
  s.Left = x;
  s.Top = y;
  s.Text = std::move(text);
  s.Bold = bold;
  s.Color = color;
  return s;
}

void Axes(std::vector<TChartShape>& out, int xEnd) {
  out.push_back(Rect(40, T + 30, 42, T + 240));
  for (int k = 1; k <= 10; ++k) out.push_back(Rect(30, T + 230 - 20 * k, 40, T + 233 - 20 * k));
  out.push_back(Rect(40, T + 230, xEnd, T + 232));
}

// The value labels of the y axis, each drawn once from the top down.
void ValueLabels(std::vector<TChartShape>& out, int32_t m) {
  int32_t last = 10000;
  for (int k = 10; k >= 1; --k) {
    const auto v = static_cast<int32_t>(std::lround(static_cast<double>(m) * k / 10.0));
    if (v >= last) continue;
    TChartShape s = Label(0, T + 230 - 20 * k - 5, ToStrings.IntToStrRight(v, 3));
    s.RightAlignDigits = 3;
    out.push_back(s);
    last = v;
  }
}

void Bar(std::vector<TChartShape>& out, int x, int width, int32_t c, int32_t m, int32_t color) {
  if (c <= 0 || m <= 0) return;
  TChartShape s;
  s.kind = TChartShape::Kind::Bar;
  s.Left = x;
  s.Top = BarTop(c, m);
  s.Width = width;
  s.Height = kBarFoot - s.Top;
  s.Color = color;
  out.push_back(s);
}

int32_t MaxOf(const int32_t* first, const int32_t* last) {
  return first == last ? 0 : *std::max_element(first, last);
}

// Walks the QSO log in date and time order, the record of each row in q;
// visit returns false to stop. The walk holds the file's shared lock, so
// that the lock is taken once and not once a record, and no other station
// writes into the log while it is counted.
void WalkLog(int32_t contestNumber, bool detached,
             const std::function<bool(const TContestQsoRecord& q)>& visit) {
  TdbContest log(kContestLog, detached, contestNumber);
  if (!log.IsOpen()) return;
  IFDriver* file = log.GetTreiber()->Driver();
  const bool locked = file != nullptr && file->ReadLockFileBlock() == drOk;
  TContestQsoRecord q;
  for (bool ok = log.First(qrec::kKeyDatumZeit, true); ok; ok = log.Next(false, true)) {
    log.GetQsoRecord(q);
    if (!visit(q)) break;
  }
  if (locked) file->UnlockFileBlock();
}

}  // namespace

int32_t ChartScale(int32_t maxCounter) {
  if (maxCounter <= 0) return 0;
  if (maxCounter < 10) return 10;
  return (maxCounter + 9) / 10 * 10;
}

int BarTop(int32_t c, int32_t m) {
  if (m <= 0) return kBarFoot;
  c = std::clamp(c, 0, m);
  return static_cast<int>(static_cast<int64_t>(m - c) * 200 / m) + T + 30;
}

// ---------------------------------------------------------------------------
// Membership-age chart

int MembershipAge(std::string_view receivedExchange) {
  std::string two(receivedExchange.size() > 3 ? receivedExchange.substr(3, 2) : std::string_view());
  const size_t first = two.find_first_not_of(' ');
  two = first == std::string::npos ? std::string() : two.substr(first);
  if (ToStrings.UpperCase(two) == "XX") return 1;
  int n = 0;
  for (char c : two) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
  }
  return std::min(n, 90);
}

int MembershipBucket(int age, int step) {
  age = std::clamp(age, 0, 90);
  if (step != 5 && step != 10) return age;
  return age / step * step;
}

TMembershipAges MembershipCounters(const TMembershipAges& ages, int step) {
  TMembershipAges out{};
  for (int a = 0; a <= 90; ++a) out[static_cast<size_t>(MembershipBucket(a, step))] += ages[static_cast<size_t>(a)];
  return out;
}

TMembershipAges CountMembershipAges(int32_t contestNumber, bool detached) {
  TMembershipAges ages{};
  WalkLog(contestNumber, detached, [&](const TContestQsoRecord& q) {
    if (IsQsoRow(q) && rec::GetUInt16(q.data(), qrec::kPunkte) > 0)
      ++ages[static_cast<size_t>(MembershipAge(TContestFkt::GetReceivedExchange(q)))];
    return true;
  });
  return ages;
}

std::string MembershipTitle(int step) {
  const std::string title = "Anzahl QSO pro Alter der DARC-Mitgliedschaft";
  if (step == 5) return title + " (5-Jahres-Schritte)";
  if (step == 10) return title + " (10-Jahresschritte)";
  return title;
}

std::vector<TChartShape> MembershipChart(const TMembershipAges& ages, int step) {
  std::vector<TChartShape> out;
  out.push_back(Label(0, 0, MembershipTitle(step), true, kBlue));
  out.push_back(Label(300, T + 270, "Lizenzalter", true));
  Axes(out, 600);
  for (int a = 0; a <= 90; ++a) {
    const int x = 5 * a + 42;
    if (a % 10 == 0)
      out.push_back(Rect(x, T + 230, x + 2, T + 243));
    else if (a % 5 == 0 && step != 10)
      out.push_back(Rect(x, T + 230, x + 2, T + 240));
    else if (step == 1)
      out.push_back(Rect(x, T + 230, x + 2, T + 237));
  }
  for (int a = 0; a <= 90; a += 5) {
    if (step == 10 && a % 10 != 0) continue;
    std::string text = ToStrings.IntToStr(a);
    if (a == 90)
      text = "90 und mehr";
    else if (step == 5)
      text += "-" + ToStrings.IntToStr(a + 4);
    else if (step == 10)
      text += "-" + ToStrings.IntToStr(a + 9);
    out.push_back(Label(5 * a + 35, T + 245 + (a % 10 == 0 ? 10 : 0), text));
  }
  const TMembershipAges counters = MembershipCounters(ages, step);
  const int32_t m = ChartScale(MaxOf(counters.data(), counters.data() + counters.size()));
  if (m == 0) {
    out.push_back(Label(200, T + 150, "keine gültigen QSO im Log", true));
    return out;
  }
  ValueLabels(out, m);
  const int width = step == 10 ? 30 : step == 5 ? 15 : 3;
  for (int i = 0; i <= 90; ++i) Bar(out, 5 * i + 42, width, counters[static_cast<size_t>(i)], m, kBlue);
  return out;
}

// ---------------------------------------------------------------------------
// Hourly chart

int HourlySlot(int32_t startDate, int32_t date, int32_t time) {
  if (date < 1 || time < 0) return -1;
  // Seconds since the start; the date decides as much as the hour, so a
  // QSO a whole day later never falls into the slot of its hour.
  const int64_t since = (static_cast<int64_t>(date) - startDate) * 86400 + time - kHourlyStartSecond;
  if (since < 0) return 0;
  const int64_t slot = since / 3600 + 1;
  return slot > 24 ? 25 : static_cast<int>(slot);
}

THourlyCounts CountHourly(int32_t contestNumber, bool detached, int32_t startDate) {
  THourlyCounts c;
  WalkLog(contestNumber, detached, [&](const TContestQsoRecord& q) {
    if (!IsQsoRow(q)) return true;
    const int slot = HourlySlot(startDate, rec::GetInt32(q.data(), qrec::kDatum),
                                rec::GetInt32(q.data(), qrec::kZeit));
    if (slot < 0) return true;
    if (slot == 0) {
      ++c.Early;
      return true;
    }
    if (slot > 24) {
      // The log runs in date and time order: everything from here on is late.
      c.Late = true;
      return false;
    }
    ++c.Qsos[static_cast<size_t>(slot)];
    if (!rec::GetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap).empty()) ++c.Multis[static_cast<size_t>(slot)];
    return true;
  });
  return c;
}

void ReportHourlyOutliers(const THourlyCounts& counts) {
  if (counts.Early > 0)
    ToMessages.Achtung("", ToStrings.IntToStr(counts.Early) +
                               " QSO wurden vor Beginn des Contestes geführt und werden "
                               "deshalb nicht angezeigt!");
  if (counts.Late)
    ToMessages.Achtung("",
                       "Ein oder mehrere QSO wurden nach Ende des Contestes geführt und werden "
                       "deshalb nicht angezeigt!");
}

std::vector<TChartShape> HourlyChart(const THourlyCounts& counts, int32_t startDate) {
  std::vector<TChartShape> out;
  out.push_back(Label(0, 0, "QSO pro Stunde", true, kBlue));
  out.push_back(Label(0, 20, "Multi pro Stunde", true, kRed));
  out.push_back(Label(300, T + 270, "UTC", true));
  out.push_back(Label(40, T + 265, ToDates.DateToDateString(startDate, "dd.mm.yyyy"), true));
  out.push_back(Label(495, T + 265, ToDates.DateToDateString(startDate + 1, "dd.mm.yyyy"), true));
  Axes(out, 570);
  for (int i = 1; i <= 24; ++i) {
    const int x = 22 * i;
    out.push_back(Rect(x + 40, T + 230, x + 42, T + 240));
    TChartShape hour = Label(x + 35, T + 245, ToStrings.IntToStrRight((i + 14) % 24, 2));
    hour.RightAlignDigits = 2;
    out.push_back(hour);
  }
  const int32_t m = ChartScale(MaxOf(counts.Qsos.data() + 1, counts.Qsos.data() + counts.Qsos.size()));
  if (m == 0) {
    out.push_back(Label(200, T + 150, "keine QSO im Contestzeitraum", true));
    return out;
  }
  ValueLabels(out, m);
  for (int i = 1; i <= 24; ++i) {
    Bar(out, 22 * i + 34, 6, counts.Qsos[static_cast<size_t>(i)], m, kBlue);
    Bar(out, 22 * i + 40, 6, counts.Multis[static_cast<size_t>(i)], m, kRed);
  }
  return out;
}

// ---------------------------------------------------------------------------

bool CheckContestStart(const TContestRecord& contestList) {
  if (rec::GetInt32(contestList.data(), crec::kDatumVon) >= 1) return true;
  ToMessages.Achtung(ToMessages.HeaderUnvollstaendig,
                     "Der Beginn des Contestes wurde nicht angegeben.");
  return false;
}

TChartKind ChartForLetter(char letter, bool fromF11) {
  if (IsMembershipYearsContest(letter)) return TChartKind::Membership;
  if (letter == 'W' && !fromF11) return TChartKind::Hourly;
  return TChartKind::None;
}
