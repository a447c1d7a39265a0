#pragma once
// What the log window shows of the score, read from its labels, against a
// full recount of the QSOs stored in its log: after any change, typed or
// made through a dialog, the window must show what counting the whole log
// anew gives, not a sum carried along from before.
#include <gtest/gtest.h>

#include <QLabel>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/recount.h"
#include "logentry/rules/score.h"
#include "logentry/window/contlogstd.h"
#include "platform/codec.h"

namespace windowscore {

inline std::string LabelOf(const QWidget& w, const std::string& name) {
  const auto* l = w.findChild<QLabel*>(AnsiToQString(name));
  EXPECT_NE(l, nullptr) << name;
  return l != nullptr ? QStringToAnsi(l->text()) : std::string("(no label " + name + ")");
}

// The score labels, the headline and the multiplier markers of the window
// against a full recount of its log, on the window's current band.
inline void ExpectWindowShowsFullRecount(TContestLogStd& w, const std::string& where = {}) {
  const TContestLogModel& m = w.Model();
  const TContestRec& contest = m.Contest();
  const char letter = m.ContestLetter();
  TdbContest log(kContestLog, false, m.ContestNumber());
  TdbContest listTable(kContestList, false, 0);
  ASSERT_TRUE(listTable.FindByNumber(m.ContestNumber()));
  TContestRecord list{};
  listTable.GetContestRecord(list);
  TQsoPointsEnv env;
  env.ContestNumber = m.ContestNumber();
  ToSetupStation station;
  ToSetups.GetStation(station);
  env.OwnLocator = rec::GetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap);
  env.ContestFilesDir = ContestFilesDirectory();
  TEntryDokCheck dok(letter);
  env.AreaCheck = &dok;
  TScoreCounters c;
  auto lists = std::make_unique<TMultiplierLists>();
  const char band = m.State.CurrentBand;
  RecountScore(true, band, log, contest, list, env, *lists, c);
  const TScoreView score = ShowScore(contest, c, band);
  EXPECT_EQ(LabelOf(w, "Label28"), score.QsoText) << where;
  EXPECT_EQ(LabelOf(w, "Label19"), score.MultiText) << where;
  EXPECT_EQ(LabelOf(w, "Label20"), score.PointsText) << where;
  EXPECT_EQ(LabelOf(w, "Label21"), score.ScoreText) << where;
  for (int i = 0; i < 7; ++i) {
    const std::string n = std::to_string(i + 1);
    const TScoreColumn& col = score.Columns[static_cast<size_t>(i)];
    EXPECT_EQ(LabelOf(w, "leQSO" + n), col.Qsos) << where << " column " << n;
    EXPECT_EQ(LabelOf(w, "leMulti" + n), col.Mults) << where << " column " << n;
    EXPECT_EQ(LabelOf(w, "lePunkte" + n), col.Points) << where << " column " << n;
  }
  const THeadline head = ShowHeadline(contest, letter, band, c);
  EXPECT_EQ(LabelOf(w, "lqso"), head.Qsos) << where;
  EXPECT_EQ(LabelOf(w, "lmulti"), head.Mults) << where;
  EXPECT_EQ(LabelOf(w, "lPunkte"), head.Points) << where;
  EXPECT_EQ(LabelOf(w, "lNummer"), head.Number) << where;
  // The markers of the multiplier panel: the recount's lists.
  const std::vector<TMultiEntry> merged = MergedMultiplierList(*lists);
  ASSERT_EQ(m.View.Multis.size(), merged.size()) << where;
  for (size_t i = 0; i < merged.size(); ++i) {
    EXPECT_EQ(m.View.Multis[i].Text, merged[i].Text) << where << " marker " << i;
    EXPECT_EQ(m.View.Multis[i].Status, merged[i].Status) << where << " marker " << i;
  }
}

}  // namespace windowscore
