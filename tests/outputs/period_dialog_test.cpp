// The period dialog of the one-hour day contest: the window sums of the
// decision aid over a real QSO table, the proposal, the checks of the typed
// times and the dialog driven while it is modal.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "outputs/ZeitraumEUTagCtrl.h"
#include "outputs/stdrout.h"
#include "outputs/zeitraumeutagForm.h"
#include "platform/codec.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/ModalDriver.h"
#include "ui/kxbuttons.h"

namespace {

using Kind = ScriptedMessages::Kind;

int32_t T(int h, int m, int s = 0) { return ToDates.HMSToTime(h, m, s); }

struct AidRun {
  std::vector<std::string> lines;
  std::string von, bis;
  std::vector<int> states;
};

AidRun RunAid(const std::vector<TQsoTimePoints>& qsos) {
  AidRun run;
  RunPeriodAid(qsos, [&run](int state, int, const std::string& a, const std::string& b) {
    run.states.push_back(state);
    if (state == 1) run.lines.push_back(a);
    if (state == 2) {
      run.von = a;
      run.bis = b;
    }
  });
  return run;
}

// A QSO log with QSOs of the given times and points, plus a band change.
int32_t MakeLog(const std::vector<TQsoTimePoints>& qsos) {
  const int32_t nummer = 7;
  TdbContest log(kContestLog, false, nummer);
  int32_t day = ToDates.DateStringToDate("05.07.2026", "dd.mm.yyyy");
  for (const TQsoTimePoints& q : qsos) {
    TContestQsoRecord r{};
    rec::SetInt32(r.data(), qrec::kDatum, day);
    rec::SetInt32(r.data(), qrec::kZeit, q.Time);
    rec::SetUInt16(r.data(), qrec::kPunkte, static_cast<uint16_t>(q.Points));
    rec::SetStr(r.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
    log.ClearRecord();
    log.SetQsoRecord(r);
    EXPECT_TRUE(log.Add());
  }
  TContestQsoRecord change{};
  rec::SetInt32(change.data(), qrec::kDatum, day);
  rec::SetInt32(change.data(), qrec::kZeit, T(10, 30, 1));
  rec::SetUInt16(change.data(), qrec::kPunkte, 500);
  rec::SetByte(change.data(), qrec::kQsoMarker, '2');
  log.ClearRecord();
  log.SetQsoRecord(change);
  EXPECT_TRUE(log.Add());
  return nummer;
}

}  // namespace

TEST(PeriodAid, ListsAll301WindowsAndProposesTheFirstBestOne) {
  const AidRun empty = RunAid({});
  ASSERT_EQ(empty.lines.size(), 301u);
  EXPECT_EQ(empty.lines.front(), "10:00:00 -> 10:59:59 = 0");
  EXPECT_EQ(empty.lines[61], "11:01:00 -> 12:00:59 = 0");
  EXPECT_EQ(empty.lines.back(), "15:00:00 -> 15:59:59 = 0");
  EXPECT_EQ(empty.von, "10:00:00");  // no points: the first window
  EXPECT_EQ(empty.bis, "10:59:59");
  EXPECT_EQ(empty.states.front(), 0);
  EXPECT_EQ(empty.states.back(), 2);

  // Both ends of a window count; 10:59:59 is in the first window, 11:00 not.
  const AidRun edges = RunAid({{T(10, 0), 2}, {T(10, 59, 59), 3}, {T(11, 0), 5}, {T(9, 59, 59), 9}});
  EXPECT_EQ(edges.lines[0], "10:00:00 -> 10:59:59 = 5");
  EXPECT_EQ(edges.lines[1], "10:01:00 -> 11:00:59 = 8");
  EXPECT_EQ(edges.von, "10:01:00");

  // Two equal best sums: the earlier window wins.
  const AidRun tie = RunAid({{T(11, 30), 4}, {T(14, 30), 4}});
  EXPECT_EQ(tie.von, "10:31:00");
  EXPECT_EQ(tie.bis, "11:30:59");
  EXPECT_EQ(tie.lines[30], "10:30:00 -> 11:29:59 = 0");
  EXPECT_EQ(tie.lines[31], "10:31:00 -> 11:30:59 = 4");

  // A busy late hour beats a thin early one.
  const AidRun late = RunAid({{T(10, 10), 3}, {T(15, 20), 2}, {T(15, 40), 2}});
  EXPECT_EQ(late.von, "14:41:00");
  EXPECT_EQ(late.bis, "15:40:59");
  EXPECT_EQ(late.lines.back(), "15:00:00 -> 15:59:59 = 4");
}

TEST(PeriodAid, ReadsTheLogsQsosButNotItsBandChanges) {
  TempProgramDir dir;
  const int32_t nummer = MakeLog({{T(12, 0), 6}, {T(10, 30), 1}});
  const std::vector<TQsoTimePoints> qsos = ReadQsoTimePoints(nummer);
  ASSERT_EQ(qsos.size(), 2u);
  int32_t points = 0;
  for (const TQsoTimePoints& q : qsos) points += q.Points;
  EXPECT_EQ(points, 7);
  EXPECT_TRUE(ReadQsoTimePoints(99).empty());
}

TEST(PeriodAid, TenThousandQsosAreSummedInEveryWindow) {
  std::vector<TQsoTimePoints> qsos;
  for (int i = 0; i < 10000; ++i) qsos.push_back({T(8, 0) + (i * 37) % (10 * 3600), 1 + i % 3});
  const AidRun run = RunAid(qsos);
  EXPECT_EQ(run.lines.size(), 301u);
}

TEST(PeriodTexts, HoursAndMinutesOrSecondsPassOtherTextAndReversedEndsDoNot) {
  std::string message;
  EXPECT_TRUE(CheckPeriodTexts("10:05", "11:04", message));
  EXPECT_TRUE(CheckPeriodTexts("10:05:00", "11:04:59", message));
  EXPECT_FALSE(CheckPeriodTexts("", "11:04", message));
  EXPECT_FALSE(CheckPeriodTexts("10:05", "11 Uhr", message));
  EXPECT_FALSE(CheckPeriodTexts("25:00", "26:00", message));
  EXPECT_FALSE(CheckPeriodTexts("12:00", "11:00", message));
  EXPECT_EQ(message, "Das Ende des Zeitraums liegt vor seinem Anfang.");
}

TEST(PeriodDialog, ShowsTheAidProposesTheBestHourAndReturnsTheConfirmedTexts) {
  TempProgramDir dir;
  const int32_t nummer = MakeLog({{T(13, 15), 4}, {T(13, 45), 4}, {T(10, 5), 3}});
  TzeitraumeutagCtrl ctrl(nullptr, nummer);
  int memoLines = 0;
  QString von, bis, title;
  bool barVisible = true;
  WhenModal([&](QWidget* w) {
    auto* form = static_cast<TzeitraumeutagForm*>(w);
    title = form->windowTitle();
    memoLines = form->Memo1->document()->blockCount();
    von = form->evon->text();
    bis = form->ebis->text();
    barVisible = form->ProgressBar1->isVisible();
    form->ebis->setText(u"13:50"_qs);
    form->Button1->click();
  });
  ASSERT_TRUE(ctrl.Execute());
  EXPECT_EQ(title, u"Zeitangabe");
  EXPECT_EQ(memoLines, 301);
  EXPECT_EQ(von, u"12:46:00");
  EXPECT_EQ(bis, u"13:45:59");
  EXPECT_FALSE(barVisible);
  EXPECT_EQ(ctrl.Von(), "12:46:00");
  EXPECT_EQ(ctrl.Bis(), "13:50");
}

TEST(PeriodDialog, ABadTimeKeepsTheDialogOpenAndClosingPassesNoPeriod) {
  TempProgramDir dir;
  ScriptedMessages msgs;
  TzeitraumeutagCtrl ctrl(nullptr, MakeLog({}));
  msgs.Expect(Kind::Achtung, "hh:mm");
  WhenModal([](QWidget* w) {
    auto* form = static_cast<TzeitraumeutagForm*>(w);
    form->evon->setText(u"1o:00"_qs);
    form->Button1->click();
    EXPECT_TRUE(form->isVisible());
    form->evon->setText(u"10:00"_qs);
    form->Button1->click();
  });
  ASSERT_TRUE(ctrl.Execute());
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_EQ(ctrl.Von(), "10:00");
  EXPECT_EQ(ctrl.Bis(), "10:59:59");

  WhenModal([](QWidget* w) { w->close(); });
  EXPECT_FALSE(ctrl.Execute());
}

TEST(PeriodDialog, TheOutputDriverAsksThroughTheInstalledDialog) {
  TempProgramDir dir;
  const int32_t nummer = MakeLog({{T(14, 0), 2}});
  InstallPeriodDialog();
  TStdRout writer;
  std::string from = "x", to = "y";
  WhenModal([](QWidget* w) { w->close(); });
  EXPECT_FALSE(writer.ChoosePeriod(nullptr, nummer, from, to));
  EXPECT_EQ(from, "x");
  WhenModal([](QWidget* w) { static_cast<TzeitraumeutagForm*>(w)->Button1->click(); });
  ASSERT_TRUE(writer.ChoosePeriod(nullptr, nummer, from, to));
  EXPECT_EQ(from, "13:01:00");
  EXPECT_EQ(to, "14:00:59");
  // The driver reads the texts with the seconds picture.
  EXPECT_EQ(ToDates.TimeStringToTime(from, "hh:mm:ss"), T(13, 1));
  SetPeriodChooser(nullptr);
}
