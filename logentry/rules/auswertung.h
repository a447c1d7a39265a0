#pragma once
// The evaluation charts of a contest log, free of any display: the counting
// over the QSO log (always through a table handle of its own, so the log
// window's table keeps its position and edit copy), the scale, and the chart
// as a list of shapes in the pixel coordinates of the chart panel. The chart
// windows (partyausw, wagausw) only turn the shapes into controls.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/contestrecords.h"

// The place of the chart windows, remembered by the log window for its
// lifetime and shared by both charts; a width of 0: not shown yet.
struct TChartWindowRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// One element of a chart. Rect: a filled rectangle (axes, ticks); Bar: a
// bar of the chart; Label: a text whose top-left corner is (Left, Top).
struct TChartShape {
  enum class Kind { Rect, Bar, Label };
  Kind kind = Kind::Rect;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int32_t Color = 0;  // TColor
  std::string Text;   // labels, program text
  bool Bold = false;
  // Labels: the text is right-aligned in a box of this many digit widths (0: as it is).
  int RightAlignDigits = 0;
};

// Top of the chart area inside the panel.
inline constexpr int kChartTop = 20;

// Chart scale for the largest counter: 0 stays 0 (nothing to draw), below
// 10 gives 10, else the next multiple of 10.
int32_t ChartScale(int32_t maxCounter);
// The top edge of a bar for counter value c at scale m (its foot is kChartTop + 230).
int BarTop(int32_t c, int32_t m);

// ---- membership-age chart (contest letters 'P' and '5') ----

// QSOs by years of club membership: index 0..89 the years, 90 ninety and more.
using TMembershipAges = std::array<int32_t, 91>;

// The years of a received exchange text (characters 4 and 5, leading blanks
// skipped): "XX" (not given) counts as one year; digits are read up to the
// first other character, so a minus sign reads as 0; 90 and more give 90.
int MembershipAge(std::string_view receivedExchange);
// The bucket of an age for a step of 1, 5 or 10 years: the first age of
// its group, so that a bucket holds exactly the ages its label names.
int MembershipBucket(int age, int step);
// The counters of the chart for a step: each age's QSOs in its bucket.
TMembershipAges MembershipCounters(const TMembershipAges& ages, int step);

// Counts the QSOs of the log (contest number, detached) that count: a QSO
// row (no band change) with points above 0.
TMembershipAges CountMembershipAges(int32_t contestNumber, bool detached);

// The title of the chart for a step.
std::string MembershipTitle(int step);
std::vector<TChartShape> MembershipChart(const TMembershipAges& ages, int step);

// ---- hourly chart (contest letter 'W': 24 hours from 15:00 UTC) ----

struct THourlyCounts {
  std::array<int32_t, 25> Qsos{};    // slots 1..24; slot 1 is 15:00-15:59 UTC of the start day
  std::array<int32_t, 25> Multis{};  // QSOs that brought a multiplier (CMulti not empty)
  int32_t Early = 0;                 // QSOs before the start
  bool Late = false;                 // a QSO after the end
};

inline constexpr int32_t kHourlyStartSecond = 15 * 3600;

// The slot (1..24) of a QSO at day number date and second time for a
// contest starting on startDate at 15:00 UTC: 0 before the start, 25 after
// the end, -1 when the QSO has no date or time.
int HourlySlot(int32_t startDate, int32_t date, int32_t time);
// Counts the QSO rows of the log in date and time order.
THourlyCounts CountHourly(int32_t contestNumber, bool detached, int32_t startDate);
// Tells the user about QSOs before the start and after the end (warnings).
void ReportHourlyOutliers(const THourlyCounts& counts);
std::vector<TChartShape> HourlyChart(const THourlyCounts& counts, int32_t startDate);

// ---- entry checks ----

// The start date of the contest-list record; below 1 the user is told that
// the start is missing and false is returned.
bool CheckContestStart(const TContestRecord& contestList);

// Which chart the log window's evaluation button (or F11) opens for a contest letter.
enum class TChartKind { None, Membership, Hourly };
TChartKind ChartForLetter(char letter, bool fromF11);
