// The evaluation charts on 500-QSO logs of the membership parties ('P',
// '5') and of the WAG contest ('W'), made with the real contest definitions
// and saved with their real points: the counters, the buckets and their
// labels, the hour slots, the messages, and the chart windows as the log
// window opens them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <numeric>

#include "contest/ContestDefs.h"
#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "logentry/rules/auswertung.h"
#include "logentry/dialogs/auswertungform.h"
#include "logentry/dialogs/partyausw.h"
#include "logentry/rules/qsosave.h"
#include "logentry/dialogs/wagausw.h"
#include "platform/codec.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "logentry/window_driver.h"
#include "ui/kxPanel.h"
#include "ui/kxbuttons.h"

namespace {

using Kind = ScriptedMessages::Kind;

// A contest log of one letter as the set-up dialog creates it (start date
// from the definitions) and the log window fills it (points by the rules).
class ContestLog {
 public:
  explicit ContestLog(char letter, bool withStart = true) {
    list_ = std::make_unique<TdbContest>(kContestList, false, 0);
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, letter);
    rec::SetByte(r.data(), crec::kTeilnahmeart, 1);
    rec::SetInt32(r.data(), crec::kZusatzWert, 25);  // own years of membership
    rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
    rec::SetStr(r.data(), crec::kDok, crec::kDokCap, "Z11");
    TContestEnvironment env;
    rec::SetStr(env.Station.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO62QM");
    env.Today = ToDates.DMYToDate(1, 3, 2015);
    EXPECT_TRUE(DefineContestRules(contest_, r, env, letter));
    start_ = ToDates.DateStringToDate(contest_.FirstDate.str(), "dd.mm.yyyy");
    EXPECT_GT(start_, 0) << letter;
    if (withStart) rec::SetInt32(r.data(), crec::kDatumVon, start_);
    list_->ClearRecord();
    list_->SetContestRecord(r);
    EXPECT_TRUE(list_->Add());
    list_->GetContestRecord(r);
    number_ = rec::GetInt32(r.data(), crec::kNummer);
    log_ = std::make_unique<TdbContest>(kContestLog, false, number_);
  }

  // Saves a QSO as the log window does: added, then its points by the rules.
  void Save(TContestQsoRecord q) {
    log_->ClearRecord();
    log_->SetQsoRecord(q);
    ++next_.QsoNumber;
    ASSERT_TRUE(SaveQso(contest_, *list_, *log_, next_).Added);
  }
  // A band-change row of the log window.
  void BandChange(int32_t date, int32_t time, char band) {
    TContestQsoRecord q{};
    rec::SetInt32(q.data(), qrec::kDatum, date);
    rec::SetInt32(q.data(), qrec::kZeit, time);
    rec::SetByte(q.data(), qrec::kQsoMarker, static_cast<uint8_t>(band));
    log_->ClearRecord();
    log_->SetQsoRecord(q);
    ASSERT_TRUE(log_->Add());
  }

  TdbContest& List() { return *list_; }
  TdbContest& Log() { return *log_; }  // stands for the log window's QSO table
  const TContestRec& Contest() const { return contest_; }
  int32_t Number() const { return number_; }
  int32_t Start() const { return start_; }
  TContestRecord ListRecord() const {
    TContestRecord r;
    list_->GetContestRecord(r);
    return r;
  }

 private:
  std::unique_ptr<TdbContest> list_, log_;
  TContestRec contest_;
  TNextNumbers next_;
  int32_t number_ = 0, start_ = 0;
};

TContestQsoRecord Qso(const std::string& call, const std::string& mode, int32_t date, int32_t time,
                      const std::string& received) {
  TContestQsoRecord q{};
  rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, call);
  rec::SetChar(q.data(), qrec::kBandcode, 'b');
  rec::SetStr(q.data(), qrec::kMode, qrec::kModeCap, mode);
  rec::SetInt32(q.data(), qrec::kDatum, date);
  rec::SetInt32(q.data(), qrec::kZeit, time);
  TContestFkt::SetReceivedExchange(received, q);
  return q;
}

std::string CallOf(int i) {
  std::string c = "DL" + std::to_string(i % 9 + 1);
  c += static_cast<char>('A' + i % 26);
  c += static_cast<char>('A' + i / 26 % 26);
  c += static_cast<char>('A' + i / 676 % 26);
  return c;
}

// ---------------------------------------------------------------------------
// The membership parties.

// 500 rows: QSOs with every membership value from 0 to 96, "XX" in either
// case, a minus sign, duplicates (no points) and band-change rows. ages
// receives what each counted QSO stands for.
void FillMembershipLog(ContestLog& log, TMembershipAges& ages, int& counted) {
  ages.fill(0);
  counted = 0;
  ASSERT_TRUE(log.Log().BeginTransaction());
  int rows = 0;
  for (int i = 0; rows < 500; ++i) {
    const int32_t time = 6 * 3600 + i * 60;
    if (i % 100 == 50) {
      log.BandChange(log.Start(), time - 30, 'c');
      ++rows;
    }
    std::string years;
    int age = 0;
    if (i % 50 == 7) {
      years = "XX", age = 1;
    } else if (i % 50 == 19) {
      years = "xx", age = 1;
    } else if (i % 61 == 5) {
      years = "-5", age = 0;  // a minus sign ends the number at once
    } else {
      const int a = (i * 37 + 11) % 97;
      years = ToStrings.IntToStrZero(a, 2);
      age = std::min(a, 90);
    }
    const bool cw = i % 2 == 0;
    TContestQsoRecord q = Qso(CallOf(i), cw ? "CW" : "SSB", log.Start(), time,
                              ToStrings.FixLen(cw ? "599" : "59", 3) + years);
    const bool dupe = i % 17 == 3;
    if (dupe) rec::SetByte(q.data(), qrec::kDupeMark, 255);
    log.Save(q);
    ++rows;
    if (!dupe) {
      ++ages[static_cast<size_t>(age)];
      ++counted;
    }
  }
  ASSERT_TRUE(log.Log().CommitTransaction());
}

int32_t SumAges(const TMembershipAges& ages, int from, int to) {
  int32_t n = 0;
  for (int a = from; a <= std::min(to, 90); ++a) n += ages[static_cast<size_t>(a)];
  return n;
}

class MembershipChartTest : public ::testing::TestWithParam<char> {
 protected:
  TempProgramDir dir_;
  ScriptedMessages messages_;
};

TEST_P(MembershipChartTest, CountsEveryScoredQsoOnceInTheBucketItsLabelNames) {
  ContestLog log(GetParam());
  ASSERT_TRUE(log.Contest().LogOption != 0);  // the log window shows its evaluation button
  TMembershipAges expected;
  int counted = 0;
  FillMembershipLog(log, expected, counted);
  ASSERT_GT(counted, 400);

  // The log window's table holds the QSO being typed; counting leaves it alone.
  ASSERT_TRUE(log.Log().First(qrec::kKeyDatumZeit));
  ASSERT_TRUE(log.Log().Next());
  const int32_t windowRef = log.Log().CurrentRef();
  TContestQsoRecord typing = Qso("DL9NEW", "CW", log.Start(), 0, "599");
  log.Log().SetQsoRecord(typing);

  const TMembershipAges ages = CountMembershipAges(log.Number(), false);
  EXPECT_EQ(ages, expected);
  EXPECT_EQ(log.Log().CurrentRef(), windowRef);
  EXPECT_EQ(log.Log().GetCall(), "DL9NEW");

  for (int step : {1, 5, 10}) {
    const TMembershipAges counters = MembershipCounters(ages, step);
    // Every QSO is counted exactly once, "XX" included.
    EXPECT_EQ(std::accumulate(counters.begin(), counters.end(), 0), counted) << step;
    const std::vector<TChartShape> chart = MembershipChart(ages, step);
    int bars = 0;
    for (const TChartShape& bar : chart) {
      if (bar.kind != TChartShape::Kind::Bar) continue;
      ++bars;
      const int first = (bar.Left - 42) / 5;
      ASSERT_EQ(bar.Left, 5 * first + 42);
      EXPECT_EQ(bar.Width, step == 1 ? 3 : step * 3);
      // The bar stands for the ages its label names, no more and no less.
      const int last = first == 90 ? 90 : first + step - 1;
      EXPECT_EQ(counters[static_cast<size_t>(first)], SumAges(expected, first, last)) << step << " " << first;
      if (step > 1) {
        const auto label = std::find_if(chart.begin(), chart.end(), [&](const TChartShape& s) {
          return s.kind == TChartShape::Kind::Label && s.Left == 5 * first + 35 && s.Top >= kChartTop + 245;
        });
        ASSERT_NE(label, chart.end()) << step << " " << first;
        EXPECT_EQ(label->Text, first == 90 ? "90 und mehr"
                                           : std::to_string(first) + "-" + std::to_string(last));
      }
      // Highest bar reaches the top of the scale, none goes above it.
      EXPECT_GE(bar.Top, kChartTop + 30);
      EXPECT_EQ(bar.Top + bar.Height, kChartTop + 230);
    }
    EXPECT_EQ(bars, std::count_if(counters.begin(), counters.end(), [](int32_t c) { return c > 0; }));
  }
  // "XX" in either case is one year: in the first group of the coarser steps.
  EXPECT_EQ(MembershipCounters(ages, 1)[1], expected[1]);
  EXPECT_GE(expected[1], 20);
}

INSTANTIATE_TEST_SUITE_P(Letters, MembershipChartTest, ::testing::Values('P', '5'));

TEST(MembershipAge, ReadsTheTwoCharactersAfterTheReport) {
  const struct {
    const char* exchange;
    int age;
  } cases[] = {{"59 25", 25}, {"59925", 25}, {"599XX", 1},  {"59 xx", 1}, {"59 -5", 0},
               {"59 99", 90}, {"59 90", 90}, {"59 5", 5},   {"59  7", 7}, {"59 4A", 4},
               {"599", 0},    {"", 0},       {"59 123", 12}};
  for (const auto& c : cases) EXPECT_EQ(MembershipAge(c.exchange), c.age) << c.exchange;
}

TEST(ChartScale, RoundsUpToTensAndDrawsEachValueOnce) {
  EXPECT_EQ(ChartScale(0), 0);
  EXPECT_EQ(ChartScale(7), 10);
  EXPECT_EQ(ChartScale(10), 10);
  EXPECT_EQ(ChartScale(23), 30);
  EXPECT_EQ(ChartScale(30), 30);
  EXPECT_EQ(BarTop(30, 30), kChartTop + 30);
  EXPECT_EQ(BarTop(0, 30), kChartTop + 230);
  EXPECT_EQ(BarTop(7, 10), kChartTop + 30 + 60);

  TMembershipAges ages{};
  ages[3] = 7;
  std::vector<std::string> values;
  for (const TChartShape& s : MembershipChart(ages, 1))
    if (s.RightAlignDigits == 3) values.push_back(ToStrings.Trim(s.Text));
  EXPECT_EQ(values, (std::vector<std::string>{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
}

TEST(MembershipChart, LogWithoutScoredQsoSaysSo) {
  TempProgramDir dir;
  ContestLog log('P');
  TContestQsoRecord dupe = Qso("DL1AAA", "CW", log.Start(), 7 * 3600, "59925");
  rec::SetByte(dupe.data(), qrec::kDupeMark, 255);
  log.Save(dupe);
  log.BandChange(log.Start(), 8 * 3600, 'c');
  const std::vector<TChartShape> chart = MembershipChart(CountMembershipAges(log.Number(), false), 1);
  EXPECT_EQ(std::count_if(chart.begin(), chart.end(),
                          [](const TChartShape& s) { return s.kind == TChartShape::Kind::Bar; }),
            0);
  EXPECT_TRUE(std::any_of(chart.begin(), chart.end(), [](const TChartShape& s) {
    return s.Text == "keine gültigen QSO im Log" && s.Bold;
  }));
}

// ---------------------------------------------------------------------------
// The WAG contest: 24 hours from 15:00 UTC.

int32_t At(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

// 500 rows: QSOs in every hour but 03:00 to 05:59, multipliers on the first
// QSO of each country, three QSOs before the start (the last at 14:59:30),
// three after the end (the first at 15:00:00 of the second day) and
// band-change rows.
THourlyCounts FillWagLog(ContestLog& log) {
  static const char* const kCountries[] = {"DL", "F",  "G",  "I",  "EA", "OK", "OM", "SP",
                                           "HA", "YO", "LZ", "S5", "9A", "OE", "HB", "ON",
                                           "PA", "OZ", "SM", "LA", "OH", "ES", "YL", "LY",
                                           "UR", "EW", "UA", "CT", "EI", "GM", "GW", "LX",
                                           "TF", "SV", "TA", "4X", "K",  "VE", "JA", "VK"};
  THourlyCounts want;
  const int32_t d = log.Start();
  EXPECT_TRUE(log.Log().BeginTransaction());
  auto save = [&](int i, int32_t date, int32_t time, const char* dxcc, bool multi) {
    TContestQsoRecord q = Qso(CallOf(i), "CW", date, time, "599123");
    rec::SetStr(q.data(), qrec::kDXCC, qrec::kDXCCCap, dxcc);
    if (multi) rec::SetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap, dxcc);
    log.Save(q);
  };
  save(1000, d - 1, At(20, 0), "DL", false);
  save(1001, d, At(10, 0), "DL", false);
  save(1002, d, At(14, 59, 30), "DL", false);
  want.Early = 3;
  bool seen[40] = {};
  for (int i = 0; i < 489; ++i) {
    int slot = 1 + (i * 7) % 24;
    if (slot >= 13 && slot <= 15) slot -= 3;  // nobody on the air 03:00 - 05:59
    const int32_t t = kHourlyStartSecond + (slot - 1) * 3600 + (i * 53) % 3500;
    const int country = (i * 13) % 40;
    const bool multi = !seen[country];
    seen[country] = true;
    save(i, d + t / 86400, t % 86400, kCountries[country], multi);
    ++want.Qsos[static_cast<size_t>(slot)];
    if (multi) ++want.Multis[static_cast<size_t>(slot)];
    if (i % 100 == 10) log.BandChange(d + t / 86400, t % 86400 + 1, 'c');
  }
  save(1003, d + 1, At(15, 0), "DL", false);
  save(1004, d + 1, At(16, 0), "F", false);
  save(1005, d + 2, At(9, 0), "G", false);
  want.Late = true;
  EXPECT_TRUE(log.Log().CommitTransaction());
  return want;
}

class HourlyChartTest : public ::testing::Test {
 protected:
  TempProgramDir dir_;
  ScriptedMessages messages_;
};

TEST_F(HourlyChartTest, CountsQsosAndMultipliersPerHourOfTheContest) {
  ContestLog log('W');
  ASSERT_EQ(log.Contest().StartTime.str(), "15:00:00");  // what the slots rest on
  const THourlyCounts want = FillWagLog(log);
  EXPECT_EQ(log.Log().UsedRecords(), 500);

  const THourlyCounts got = CountHourly(log.Number(), false, log.Start());
  EXPECT_EQ(got.Qsos, want.Qsos);
  EXPECT_EQ(got.Multis, want.Multis);
  EXPECT_EQ(got.Early, 3);
  EXPECT_TRUE(got.Late);
  EXPECT_EQ(std::accumulate(got.Multis.begin(), got.Multis.end(), 0), 40);
  for (int slot : {13, 14, 15}) EXPECT_EQ(got.Qsos[static_cast<size_t>(slot)], 0);

  // The gap shows as empty slots; every other hour has both of its bars
  // where the hour's tick stands.
  const std::vector<TChartShape> chart = HourlyChart(got, log.Start());
  for (int slot = 1; slot <= 24; ++slot) {
    const bool qsoBar = std::any_of(chart.begin(), chart.end(), [&](const TChartShape& s) {
      return s.kind == TChartShape::Kind::Bar && s.Left == 22 * slot + 34 && s.Color == 0xFF0000;
    });
    EXPECT_EQ(qsoBar, got.Qsos[static_cast<size_t>(slot)] > 0) << slot;
  }
  const auto hourLabel = std::find_if(chart.begin(), chart.end(), [](const TChartShape& s) {
    return s.kind == TChartShape::Kind::Label && s.Left == 22 + 35;
  });
  ASSERT_NE(hourLabel, chart.end());
  EXPECT_EQ(hourLabel->Text, "15");

  messages_.Expect(Kind::Achtung, "3 QSO wurden vor Beginn des Contestes geführt");
  messages_.Expect(Kind::Achtung, "Ein oder mehrere QSO wurden nach Ende des Contestes geführt");
  ReportHourlyOutliers(got);
  EXPECT_TRUE(messages_.AllShown());
}

TEST_F(HourlyChartTest, TheSlotDependsOnTheDateNotOnlyOnTheHour) {
  const int32_t d = 50000;
  EXPECT_EQ(HourlySlot(d, d, 15 * 3600), 1);
  EXPECT_EQ(HourlySlot(d, d, 14 * 3600 + 59 * 60), 0);
  EXPECT_EQ(HourlySlot(d, d + 1, 14 * 3600 + 59 * 60 + 59), 24);
  EXPECT_EQ(HourlySlot(d, d + 1, 15 * 3600), 25);
  EXPECT_EQ(HourlySlot(d, d + 1, 16 * 3600 + 10 * 60), 25);
  EXPECT_EQ(HourlySlot(d, d - 1, 23 * 3600), 0);
  EXPECT_EQ(HourlySlot(d, 0, 16 * 3600), -1);
  EXPECT_EQ(HourlySlot(d, d, -1), -1);

  // Two QSOs in the same hour a day apart: the second lies after the end.
  ContestLog log('W');
  log.Save(Qso("DL1AAA", "CW", log.Start(), 16 * 3600 + 5 * 60, "599001"));
  log.Save(Qso("DL1BBB", "CW", log.Start() + 1, 16 * 3600 + 10 * 60, "599002"));
  const THourlyCounts got = CountHourly(log.Number(), false, log.Start());
  EXPECT_EQ(got.Qsos[2], 1);
  EXPECT_EQ(std::accumulate(got.Qsos.begin(), got.Qsos.end(), 0), 1);
  EXPECT_TRUE(got.Late);
  EXPECT_EQ(got.Early, 0);
}

// ---------------------------------------------------------------------------
// The chart windows as the log window opens them.

QList<QLabel*> Labels(QWidget* panel) {
  return panel->findChildren<QLabel*>(QStringLiteral("label"), Qt::FindDirectChildrenOnly);
}
bool HasLabel(QWidget* panel, const std::string& text) {
  for (QLabel* l : Labels(panel))
    if (QStringToAnsi(l->text()) == text) return true;
  return false;
}
int Bars(QWidget* panel) {
  return static_cast<int>(panel->findChildren<TkxPanel*>(QStringLiteral("bar"), Qt::FindDirectChildrenOnly).size());
}

TEST_F(HourlyChartTest, EvaluationButtonOpensTheChartOfTheLetterWhereItWasLeft) {
  ContestLog party('P');
  TMembershipAges ages;
  int counted = 0;
  FillMembershipLog(party, ages, counted);
  TChartWindowRect place;

  int bars1 = 0, bars10 = 0;
  bool titleChanged = false;
  WhenUp([&](QWidget* w) {
    auto* f = qobject_cast<Tpartyauswertungform*>(w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Übersicht"));
    EXPECT_TRUE(f->r1->isChecked());
    bars1 = Bars(f->panelausw);
    QTest::mouseClick(f->r10, Qt::LeftButton);
    bars10 = Bars(f->panelausw);
    titleChanged = HasLabel(f->panelausw, MembershipTitle(10));
    f->move(120, 80);
    f->resize(700, 400);
    QTest::keyClick(f, Qt::Key_Escape);
  });
  EXPECT_TRUE(RunEvaluationChart(nullptr, party.List(), place));
  const TMembershipAges c1 = MembershipCounters(ages, 1), c10 = MembershipCounters(ages, 10);
  EXPECT_EQ(bars1, std::count_if(c1.begin(), c1.end(), [](int32_t c) { return c > 0; }));
  EXPECT_EQ(bars10, std::count_if(c10.begin(), c10.end(), [](int32_t c) { return c > 0; }));
  EXPECT_TRUE(titleChanged);
  EXPECT_EQ(place.Width, 700);
  EXPECT_EQ(place.Height, 400);

  // The hourly chart of a WAG log opens where the last chart was left; F11
  // has no chart for it.
  ContestLog wag('W');
  FillWagLog(wag);
  messages_.Expect(Kind::Achtung, "vor Beginn");
  messages_.Expect(Kind::Achtung, "nach Ende");
  QRect shown;
  bool hourlyTitle = false, noQsoText = true;
  WhenUp([&](QWidget* w) {
    auto* f = qobject_cast<Twagauswertungform*>(w);
    ASSERT_NE(f, nullptr);
    shown = QRect(f->x(), f->y(), f->width(), f->height());
    hourlyTitle = HasLabel(f->panelausw, "QSO pro Stunde") && HasLabel(f->panelausw, "Multi pro Stunde");
    noQsoText = HasLabel(f->panelausw, "keine QSO im Contestzeitraum");
    QTest::mouseClick(f->btnOK, Qt::LeftButton);
  });
  EXPECT_TRUE(RunEvaluationChart(nullptr, wag.List(), place));
  EXPECT_TRUE(messages_.AllShown());
  EXPECT_EQ(shown, QRect(place.Left, place.Top, 700, 400));
  EXPECT_TRUE(hourlyTitle);
  EXPECT_FALSE(noQsoText);
  EXPECT_FALSE(RunEvaluationChart(nullptr, wag.List(), place, true));
}

TEST_F(HourlyChartTest, WithoutStartDateOnlyTheWarningIsShown) {
  for (char letter : {'P', 'W'}) {
    ContestLog log(letter, false);
    log.Save(Qso("DL1AAA", "CW", log.Start(), 16 * 3600, "59925"));
    messages_.Expect(Kind::Achtung, "Der Beginn des Contestes wurde nicht angegeben.");
    // A chart window would block the call: it is closed as it comes, and
    // said so.
    bool opened = false;
    {
      const testwindows::EachWindowUp closer([](QWidget&) { return true; }, [&opened](QWidget& w) {
        opened = true;
        w.close();
      });
      TChartWindowRect place;
      EXPECT_FALSE(RunEvaluationChart(nullptr, log.List(), place));
    }
    EXPECT_FALSE(opened) << letter;
    EXPECT_EQ(messages_.History().back().header, "Eingabedaten unvollständig!");
  }
  EXPECT_TRUE(messages_.AllShown());
}

}  // namespace
