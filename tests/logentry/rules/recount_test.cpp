// The recounts over a whole QSO log, with the contest definitions of the
// letters whose totals they store.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "database/dbContest.h"
#include "database/filemanager.h"
#include "logentry/rules/newmultis.h"
#include "logentry/rules/recount.h"
#include "logentry/rules/score.h"
#include "logentry/multiqso.h"
#include "logentry/realcontest.h"
#include "platform/paths.h"
#include "storage/ifderrors.h"
#include "support/ForkedChild.h"
#include "support/FullDisk.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 77;

TContestQsoRecord Qso(const std::string& call, char band, const std::string& dok,
                      const std::string& dxcc, int32_t zeit, uint8_t marker = 0) {
  return MakeQso({.call = call, .band = band, .dok = dok, .dxcc = dxcc, .marker = marker, .punkte = 99}, zeit);
}

class RecountTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    listTable_ = std::make_unique<TdbContest>(kContestList, false, 0);
    extraTable_ = std::make_unique<TdbContest>(kContestExtra, false, 0);
    ASSERT_TRUE(log_->IsOpen() && listTable_->IsOpen() && extraTable_->IsOpen());
    TContestExtraRecord extra{};
    rec::SetInt32(extra.data(), xrec::kNummer, kLog);
    extraTable_->ClearRecord();
    extraTable_->SetExtraRecord(extra);
    ASSERT_TRUE(extraTable_->Add());
  }
  void TearDown() override {
    log_.reset();
    listTable_.reset();
    extraTable_.reset();
  }
  // The log's contest-list record as the definitions of the letter leave it.
  void Open(char letter, const RealLog& log = {}, uint8_t totalsPlace = 0) {
    c_ = DefineReal(letter, log);
    rec::SetInt32(c_.List.data(), crec::kNummer, kLog);
    rec::SetByte(c_.List.data(), crec::kTotalsPlace, totalsPlace);
    listTable_->ClearRecord();
    listTable_->SetContestRecord(c_.List);
    ASSERT_TRUE(listTable_->Add());
    TContestRecord stored;
    listTable_->GetContestRecord(stored);
    listNummer_ = rec::GetInt32(stored.data(), crec::kNummer);
  }
  void Store(const TContestQsoRecord& q) {
    log_->ClearRecord();
    log_->SetQsoRecord(q);
    ASSERT_TRUE(log_->Add());
  }
  TContestRecord StoredList() {
    EXPECT_TRUE(listTable_->FindByNumber(listNummer_));
    TContestRecord list;
    listTable_->GetContestRecord(list);
    return list;
  }
  TContestExtraRecord StoredExtra() {
    EXPECT_TRUE(extraTable_->FindByNumber(kLog));
    TContestExtraRecord extra;
    extraTable_->GetExtraRecord(extra);
    return extra;
  }
  // The stored QSOs whose points differ from what the rules give them.
  int WrongPoints() {
    const TContestRecord list = StoredList();
    TQsoPointsEnv env;
    env.ContestNumber = kLog;
    int wrong = 0;
    TContestQsoRecord q;
    for (bool ok = log_->First(qrec::kKeyNummer); ok; ok = log_->Next()) {
      log_->GetQsoRecord(q);
      if (rec::GetByte(q.data(), qrec::kQsoMarker) != 0) continue;
      if (rec::GetUInt16(q.data(), qrec::kPunkte) != QsoPoints(*c_, list, q, env)) ++wrong;
    }
    return wrong;
  }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_, listTable_, extraTable_;
  RealContest c_;
  std::array<int32_t, 256> points_{};
  int32_t listNummer_ = 0;
};

TEST_F(RecountTest, PerBandTotalsGoIntoTheContestListRecord) {
  // Letter 'D': DOK, DXCC and the club station per band on 80 and 40 m.
  Open('D');
  int32_t t = 0;
  Store(Qso("DL1A", 'b', "A01", "DL", ++t));
  Store(Qso("DL1B", 'b', "A01", "DL", ++t));
  Store(Qso("F1A", 'b', "", "F", ++t));
  Store(Qso("DQ0E", 'b', "", "DL", ++t));
  Store(Qso("DL1C", 'c', "B02", "DL", ++t));
  Store(Qso("", 'c', "", "", ++t, 'c'));      // band change: never counted
  Store(Qso("DL1D", 'e', "C03", "DL", ++t));  // a band the contest does not have
  points_['b'] = 30;
  points_['c'] = 7;
  int steps = 0;
  ASSERT_TRUE(Neuberechnung(*c_, *listTable_, *extraTable_, *log_, points_, [&](int32_t) { ++steps; }));
  const TContestRecord list = StoredList();
  const crec::SlotOffsets b = crec::SlotAt(1), c = crec::SlotAt(2);
  const uint8_t* p = list.data();
  EXPECT_EQ(rec::GetInt16(p, b.qsos), 4);
  EXPECT_EQ(rec::GetInt16(p, c.qsos), 1);
  EXPECT_EQ(rec::GetInt16(p, b.mults), 4);  // A01; DL, F; DQ0E
  EXPECT_EQ(rec::GetInt16(p, c.mults), 2);  // B02; DL
  EXPECT_EQ(rec::GetInt32(p, b.points), 30);
  EXPECT_EQ(rec::GetInt32(p, c.points), 7);
  EXPECT_EQ(rec::GetInt16(p, b.caption1), 1);  // "DOK"
  EXPECT_EQ(rec::GetInt16(p, b.caption2), 2);  // "DXCC"
  EXPECT_EQ(rec::GetInt16(p, c.caption2), 1);
  EXPECT_EQ(rec::GetInt16(p, crec::SlotAt(3).qsos), 0);
  // The extra record stays as it was.
  EXPECT_EQ(rec::GetInt32(StoredExtra().data(), xrec::QsosAt(1)), 0);
}

TEST_F(RecountTest, ContestWideTotalsGoIntoTheExtraRecord) {
  // Letter 'O' (bands 40 and 80 m), a station of district M: every valid
  // DOK and every entity but Germany, once per contest.
  Open('O', {.OwnDok = "M05"}, 1);
  int32_t t = 0;
  Store(Qso("DL1A", 'b', "A01", "DL", ++t));
  Store(Qso("DL1B", 'b', "A01", "DL", ++t));
  Store(Qso("F1A", 'b', "", "F", ++t));
  Store(Qso("DL1C", 'c', "B02", "DL", ++t));
  Store(Qso("DL1D", 'c', "A01", "OK", ++t));
  Store(Qso("DL1E", 'c', "M29", "DL", ++t));  // no valid DOK
  points_['b'] = 5;
  std::array<TSlotTotals, 100> totals;
  ASSERT_TRUE(Neuberechnung(*c_, *listTable_, *extraTable_, *log_, points_, {}, &totals));
  const TContestExtraRecord extra = StoredExtra();
  const uint8_t* x = extra.data();
  EXPECT_EQ(rec::GetInt32(x, xrec::QsosAt(1)), 3);  // slot 1 is 40 m
  EXPECT_EQ(rec::GetInt32(x, xrec::QsosAt(2)), 3);
  EXPECT_EQ(rec::GetInt32(x, xrec::PointsAt(2)), 5);
  // A01, B02; DL, F, OK; all in slot 1.
  EXPECT_EQ(rec::GetInt32(x, xrec::MultsAt(1)), 5);
  EXPECT_EQ(rec::GetInt32(x, xrec::MultsAt(2)), 0);
  EXPECT_EQ(rec::GetInt16(x, xrec::Caption1At(1)), 2);
  EXPECT_EQ(rec::GetInt16(x, xrec::Caption2At(1)), 3);
  EXPECT_EQ(totals[0].Mults, 5);
  EXPECT_EQ(c_->MultiplierMode, 1);  // the caller's description is left as it was
}

TEST_F(RecountTest, WindowFigureStaysTheSameAfterItsFullRecount) {
  // Letter 'G' (DOKs per band and mode class): the window's live count, its
  // own full recount and its current-band recount agree.
  Open('G');
  TContestRecord list = StoredList();
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  TMultiplierLists lists;
  TScoreCounters live;
  int32_t t = 0;
  for (const auto& [mode, dok] : {std::pair{"CW", "F01"}, {"SSB", "F01"}, {"CW", "F01"}, {"SSB", "F02"}}) {
    TContestQsoRecord q = MakeQso({.call = std::string("DL") + std::to_string(t) + "A", .mode = mode, .dok = dok}, ++t);
    MarkNewMultis(q, *c_, list, *log_, lists, live);
    Store(q);
  }
  EXPECT_EQ(live.CurBandMultis, 2);
  TScoreCounters recounted;
  RecountScore(true, 'b', *log_, *c_, list, env, lists, recounted);
  EXPECT_EQ(recounted.CurBandMultis, live.CurBandMultis);
  EXPECT_EQ(recounted.BandMultiCount['b'], live.BandMultiCount['b']);
  RecountScore(false, 'b', *log_, *c_, list, env, lists, recounted);
  EXPECT_EQ(recounted.CurBandMultis, 2);
}

TEST_F(RecountTest, PointsRecountRewritesChangedPointsAndCounts) {
  Open('D');
  int32_t t = 0;
  Store(Qso("DL1A", 'b', "A01", "DL", ++t));
  Store(Qso("DL1B", 'b', "A01", "DL", ++t));
  Store(Qso("F1A", 'b', "", "F", ++t));
  Store(Qso("DL1C", 'c', "B02", "DL", ++t));
  Store(Qso("", 'c', "", "", ++t, 'c'));
  Store(Qso("DL", 'c', "B02", "DL", ++t));  // too short a call to score
  const TContestRecord list = StoredList();
  TScoreCounters c;
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  RecountPoints(*c_, list, *log_, env, c);
  EXPECT_EQ(c.BandQsoCount['b'], 3);
  EXPECT_EQ(c.BandQsoCount['c'], 2);
  EXPECT_EQ(c.QsoCounter, 6);
  EXPECT_EQ(c.LastBand, 'c');
  // Every stored QSO now holds the points the rule gives it, and the band
  // sums add them up.
  int32_t sumB = 0;
  TContestQsoRecord q;
  for (bool ok = log_->First(qrec::kKeyNummer); ok; ok = log_->Next()) {
    log_->GetQsoRecord(q);
    if (rec::GetByte(q.data(), qrec::kQsoMarker) != 0) continue;
    const int32_t pts = QsoPoints(*c_, list, q, env);
    EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), pts);
    if (rec::GetChar(q.data(), qrec::kBandcode) == 'b') sumB += pts;
  }
  EXPECT_EQ(c.BandPoints['b'], sumB);
  EXPECT_GT(sumB, 0);

  TMultiplierLists lists;
  RecountScore(true, 'b', *log_, *c_, list, env, lists, c);
  EXPECT_EQ(c.CurBandMultis, 3);
  EXPECT_EQ(c.BandMultiCount['b'], 3);
  EXPECT_EQ(c.BandMultiCount['c'], 2);
  EXPECT_EQ(c.CurBandQsos, 3);
  const auto merged = MergedMultiplierList(lists);
  ASSERT_EQ(merged.size(), 3u);
  EXPECT_EQ(merged[0].Text, "A01     ");
  EXPECT_EQ(merged[1].Text, "DL    ");
  EXPECT_EQ(merged[2].Text, "F     ");
}

TEST_F(RecountTest, TenThousandQsosCountLikeTheirDistinctValues) {
  Open('D');
  const char bands[] = "bc";
  std::set<std::pair<char, std::string>> doks, dxccs;
  ASSERT_TRUE(log_->BeginTransaction());
  for (int i = 0; i < 10000; ++i) {
    const std::string dok = std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(10 + i % 40);
    const std::string dxcc = i % 3 ? "DL" : "OK";
    const char band = bands[i % 7 % 2];
    doks.insert({band, dok});
    dxccs.insert({band, dxcc});
    Store(Qso("DL" + std::to_string(i) + "X", band, dok, dxcc, i));
  }
  ASSERT_TRUE(log_->CommitTransaction());
  std::array<TSlotTotals, 100> totals;
  int steps = 0;
  ASSERT_TRUE(Neuberechnung(*c_, *listTable_, *extraTable_, *log_, points_,
                            [&](int32_t pos) { ++steps; EXPECT_LT(pos, 500); }, &totals));
  EXPECT_EQ(totals[0].Qsos + totals[1].Qsos, 10000);
  EXPECT_GT(steps, 0);
  auto onBand = [](const auto& set, char band) {
    return static_cast<int32_t>(std::count_if(set.begin(), set.end(), [&](const auto& e) { return e.first == band; }));
  };
  EXPECT_EQ(totals[0].Mults, onBand(doks, 'b') + onBand(dxccs, 'b'));
  EXPECT_EQ(totals[1].Mults, onBand(doks, 'c') + onBand(dxccs, 'c'));

  // The window's own recounts on the same log: the full one when it opens,
  // the current band's one before every new entry.
  const TContestRecord list = StoredList();
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  TMultiplierLists lists;
  TScoreCounters c;
  RecountScore(true, 'b', *log_, *c_, list, env, lists, c);
  EXPECT_EQ(c.CurBandMultis, totals[0].Mults);
  EXPECT_EQ(c.BandMultiCount['c'], totals[1].Mults);
  EXPECT_EQ(c.QsoCounter, 10001);
  RecountScore(false, 'b', *log_, *c_, list, env, lists, c);
  EXPECT_EQ(c.CurBandMultis, totals[0].Mults);
  EXPECT_EQ(lists.Count(4), 500);  // 520 DOKs, the list holds 500
}

TEST_F(RecountTest, FullRecountStoresThePointsAndTheTotalsOfTheRules) {
  // The recount after a change: the points of the rules go into the QSOs,
  // the window's score and lists are counted, and the totals stored add up
  // the points of the rules, all from one reading of the log.
  Open('D');
  int32_t t = 0;
  Store(Qso("DL1A", 'b', "A01", "DL", ++t));
  Store(Qso("DL1B", 'b', "A01", "DL", ++t));
  Store(Qso("F1A", 'b', "", "F", ++t));
  Store(Qso("", 'c', "", "", ++t, 'c'));
  Store(Qso("DL1C", 'c', "B02", "DL", ++t));
  ASSERT_EQ(WrongPoints(), 4);  // every QSO holds 99 points
  TContestRecord list = StoredList();
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  TMultiplierLists lists;
  TScoreCounters c;
  std::array<TSlotTotals, 100> totals;
  ASSERT_TRUE(FullRecount(*c_, *listTable_, *extraTable_, *log_, env, 'b', lists, c, {}, &totals));
  EXPECT_EQ(WrongPoints(), 0);
  EXPECT_EQ(c.QsoCounter, 5);
  EXPECT_EQ(c.LastBand, 'c');
  EXPECT_EQ(c.CurBandMultis, 3);  // A01; DL, F
  EXPECT_EQ(c.BandMultiCount['c'], 2);
  EXPECT_EQ(MergedMultiplierList(lists).size(), 3u);
  EXPECT_GT(c.BandPoints['b'], 0);
  list = StoredList();
  EXPECT_EQ(rec::GetInt32(list.data(), crec::SlotAt(1).points), c.BandPoints['b']);
  EXPECT_EQ(rec::GetInt32(list.data(), crec::SlotAt(2).points), c.BandPoints['c']);
  EXPECT_EQ(rec::GetInt16(list.data(), crec::SlotAt(1).qsos), 3);
  EXPECT_EQ(rec::GetInt16(list.data(), crec::SlotAt(1).mults), 3);
  EXPECT_EQ(totals[1].Mults, 2);
  // The window's own full recount of the stored log finds the same.
  TScoreCounters again;
  RecountScore(true, 'b', *log_, *c_, list, env, lists, again);
  EXPECT_EQ(again.BandPoints, c.BandPoints);
  EXPECT_EQ(again.BandMultiCount, c.BandMultiCount);
}

TEST_F(RecountTest, FullRecountOnAFullDiskKeepsNeitherPointsNorTotals) {
  // The points fill more of the disk than it has; the totals alone would
  // fit. Kept apart, the log's totals would add up points its QSOs do not
  // hold.
  Open('D');
  ASSERT_TRUE(log_->BeginTransaction());
  for (int i = 0; i < 2000; ++i) Store(Qso("DL" + std::to_string(i) + "A", i % 2 ? 'b' : 'c', "A01", "DL", i));
  ASSERT_TRUE(log_->CommitTransaction());
  ASSERT_EQ(WrongPoints(), 2000);
  ForkedChild child;
  ASSERT_TRUE(child.Fork());
  if (child.InChild()) {
    ForkedChild::OwnConnections();
    ScriptedMessages messages;
    messages.AllowAny(true);
    DriverErrorReporter = SpecialDebugStack;
    TdbContest log(kContestLog, false, kLog), list(kContestList, false, 0), extra(kContestExtra, false, 0);
    if (!list.FindByNumber(listNummer_) || !extra.FindByNumber(kLog)) _exit(1);
    TQsoPointsEnv env;
    env.ContestNumber = kLog;
    TMultiplierLists lists;
    TScoreCounters c;
    if (!FillDisk(256 * 1024)) _exit(90);
    if (FullRecount(*c_, list, extra, log, env, 'b', lists, c)) _exit(2);
    // What went wrong was said, once.
    _exit(messages.History().empty() ? 3 : 0);
  }
  EXPECT_EQ(child.Exit(), 0);
  EXPECT_EQ(WrongPoints(), 2000);
  EXPECT_EQ(rec::GetInt32(StoredList().data(), crec::SlotAt(1).points), 0);
  EXPECT_EQ(rec::GetInt16(StoredList().data(), crec::SlotAt(1).qsos), 0);
  // With room on the disk both go in.
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  TMultiplierLists lists;
  TScoreCounters c;
  ASSERT_TRUE(FullRecount(*c_, *listTable_, *extraTable_, *log_, env, 'b', lists, c));
  EXPECT_EQ(WrongPoints(), 0);
  EXPECT_EQ(rec::GetInt16(StoredList().data(), crec::SlotAt(1).qsos), 1000);
}

TEST_F(RecountTest, ALogThatCannotBeReadKeepsItsStoredTotals) {
  // Counted from a log that cannot be read, the totals would claim nothing
  // and overwrite what the log last claimed.
  Open('D');
  for (int i = 0; i < 4; ++i) Store(Qso("DL" + std::to_string(i) + "A", 'b', "A01", "DL", i));
  TQsoPointsEnv env;
  env.ContestNumber = kLog;
  TMultiplierLists lists;
  TScoreCounters c;
  ASSERT_TRUE(FullRecount(*c_, *listTable_, *extraTable_, *log_, env, 'b', lists, c));
  const TContestRecord claimed = StoredList();
  ASSERT_EQ(rec::GetInt16(claimed.data(), crec::SlotAt(1).qsos), 4);

  // A log file of no bytes is damaged: its handle opens nothing.
  { std::ofstream(NativeFileName(dir_.File("ZQLK0078.DAT")), std::ios::binary); }
  ScriptedMessages messages;
  messages.AllowAny(true);
  TdbContest unreadable(kContestLog, false, 78);
  ASSERT_FALSE(unreadable.IsOpen());
  EXPECT_FALSE(FullRecount(*c_, *listTable_, *extraTable_, unreadable, env, 'b', lists, c));
  EXPECT_FALSE(Neuberechnung(*c_, *listTable_, *extraTable_, unreadable, c.BandPoints));
  EXPECT_FALSE(RecountPoints(*c_, StoredList(), unreadable, env, c, true));
  EXPECT_EQ(StoredList(), claimed);
}

}  // namespace
