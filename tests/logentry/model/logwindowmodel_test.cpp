// The log window's rules without its widgets, on a real '4' log in a
// temporary program directory: periods and the clock, the grid's rows, a
// new entry's exchange and numbers, and the exchange edits while typing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/model/contlogalle.h"
#include "logentry/model/contlogclock.h"
#include "logentry/model/contloggrid.h"
#include "logentry/model/contlogmodel.h"
#include "logentry/rules/score.h"
#include "platform/clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

int32_t Day(const char* d) { return ToDates.DateStringToDate(d, "dd.mm.yyyy"); }

class LogModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    ToSetupStation st{};
    rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
    ToSetups.SetStation(st);
    savedOffset_ = UtcHourOffset;
    UtcHourOffset = 0;
    SetClockOverride([this] { return now; });
    list.ClearRecord();
    TContestRecord r;
    list.GetContestRecord(r);
    rec::SetChar(r.data(), crec::kTyp, '4');
    rec::SetInt32(r.data(), crec::kZusatzWert, 123);
    r[crec::kTeilnahmeart] = 1;
    rec::SetBool(r.data(), crec::kDatumAuto, true);
    rec::SetBool(r.data(), crec::kZeitAuto, true);
    rec::SetBool(r.data(), crec::kBandAuto, true);
    list.SetContestRecord(r);
    ASSERT_TRUE(list.Add());
    ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra);
    ContestFkt.DefineContest(desc, list, '4', true);
    list.GetContestRecord(r);
    nummer = rec::GetInt32(r.data(), crec::kNummer);
  }
  void TearDown() override {
    model.reset();
    SetClockOverride({});
    UtcHourOffset = savedOffset_;
  }
  TContestLogModel& Open() {
    model = std::make_unique<TContestLogModel>(nummer, desc, list, extra);
    const TContestExtraRecord x{};
    TContestRecord r;
    list.GetContestRecord(r);
    EXPECT_TRUE(model->Open(ShapeLogWindow(desc, r, x, {})));
    return *model;
  }
  int32_t Zeit() const { return rec::GetInt32(model->EntryRecord().data(), qrec::kZeit); }

  TempProgramDir dir;
  ScriptedMessages msgs;  // any message shown fails the test
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  TContestRec desc;
  int32_t nummer = 0;
  QDateTime now{QDate(2015, 12, 20), QTime(8, 30, 0)};
  std::unique_ptr<TContestLogModel> model;
  int32_t savedOffset_ = 0;
};

}  // namespace

TEST_F(LogModelTest, PeriodsDecideTheBand) {
  // '4': 08:00-09:00 on 80 m, 09:00-10:00 on 40 m, 20.12.2015.
  const int32_t day = Day("20.12.2015");
  EXPECT_EQ(CurrentPeriod(desc, day, 8 * 3600), 0);
  EXPECT_EQ(CurrentPeriod(desc, day, 9 * 3600 - 1), 0);
  EXPECT_EQ(CurrentPeriod(desc, day, 9 * 3600), 1);
  EXPECT_EQ(CurrentPeriod(desc, day, 10 * 3600), -1);
  EXPECT_EQ(CurrentPeriod(desc, day + 1, 8 * 3600), -1);
  EXPECT_EQ(AutomaticBand(desc, 'b', day, 9 * 3600 + 5), 'c');
  EXPECT_EQ(AutomaticBand(desc, 'c', day, 11 * 3600), 'c');  // outside every period: stays
  TContestRec second = desc;
  second.Periods[2].Date2 = "21.12.2015";
  second.Periods[2].Date = "20.12.2015";
  second.Periods[2].Bands = {'a', 'c'};
  EXPECT_EQ(CurrentPeriod(second, day + 5, 0), 2);            // a second date: current all the time
  EXPECT_EQ(PeriodBand(second.Periods[2], 'c'), 'c');         // allowed band stays
  EXPECT_EQ(PeriodBand(second.Periods[2], 'b'), 'a');
}

TEST_F(LogModelTest, TheClockFollowsTimeAndPeriodWithoutUndoingASave) {
  TContestLogModel& m = Open();
  m.StartNewEntry(false);
  EXPECT_EQ(m.State.CurrentBand, 'b');
  EXPECT_EQ(Zeit(), 8 * 3600 + 30 * 60);
  // A save moved its QSO one second on: the entry never goes back before it.
  m.State.LastDate = Day("20.12.2015");
  m.State.LastTime = 8 * 3600 + 30 * 60 + 1;
  m.Tick(m.View.Fields);
  EXPECT_EQ(Zeit(), 8 * 3600 + 30 * 60 + 1);
  now = now.addSecs(5);
  m.Tick(m.View.Fields);
  EXPECT_EQ(Zeit(), 8 * 3600 + 30 * 60 + 5);
  EXPECT_EQ(m.View.lZeit, "08:30:05");

  // A callsign being typed keeps its band; the next entry takes the period's.
  now = QDateTime(QDate(2015, 12, 20), QTime(9, 0, 2));
  TEntryFields typing = m.View.Fields;
  typing.Call = "DL2XYZ";
  const TTickResult r = m.Tick(typing);
  EXPECT_FALSE(r.BandChanged);
  EXPECT_EQ(m.State.CurrentBand, 'b');
  EXPECT_EQ(m.State.PreviousBand, 'c');
  m.StartNewEntry(false);
  EXPECT_EQ(m.State.CurrentBand, 'c');
  EXPECT_EQ(m.State.PreviousBand, 0);
  EXPECT_EQ(rec::GetChar(m.EntryRecord().data(), qrec::kBandcode), 'c');
  // The tick raised no message (the scripted responder allows none).
  EXPECT_TRUE(msgs.History().empty());
}

TEST_F(LogModelTest, NewEntrySendsTheContestTextsAndCountsOn) {
  TContestLogModel& m = Open();
  m.StartNewEntry(false);
  const TContestQsoRecord q = m.EntryRecord();
  EXPECT_EQ(TContestFkt::GetSentExchange(q), "599123/JO31");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599");
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kWagNummer), 1);
  EXPECT_EQ(m.View.lQSLs, "&QSL senden: nein");
  // A record left with other texts does not change what the next one sends.
  TContestQsoRecord other = q;
  TContestFkt::SetSentExchange("599999/XX99", other);
  m.SetEntryRecord(other);
  m.StartNewEntry(false);
  EXPECT_EQ(TContestFkt::GetSentExchange(m.EntryRecord()), "599123/JO31");
  // The QSL label toggles N to Y and back.
  m.ToggleQsl();
  EXPECT_EQ(m.State.QslSent, 'Y');
  m.ToggleQsl();
  EXPECT_EQ(m.State.QslSent, 'N');
}

TEST_F(LogModelTest, TypingALocatorShowsTheBeamAndStoresNoPlaceholderCall) {
  TContestLogModel& m = Open();
  m.StartNewEntry(false);
  TEntryFields f = m.View.Fields;
  f.RSTr[2] = "JO62";  // eRSTr3, the locator
  // Kind 5 (locator) shows no beam; a distance kind does.
  m.ExchangeChanged(f, false, 2);
  EXPECT_EQ(rec::GetStr(m.EntryRecord().data(), qrec::kCall, qrec::kCallCap), "");
  EXPECT_EQ(rec::GetStr(m.EntryRecord().data(), qrec::kLoc, qrec::kLocCap), "JO62");
  TContestRec withBeam = desc;
  withBeam.ReceivedKinds[1] = ExchangeKind::LocatorDistance;
  model = std::make_unique<TContestLogModel>(nummer, withBeam, list, extra);
  TContestRecord r;
  list.GetContestRecord(r);
  ASSERT_TRUE(model->Open(ShapeLogWindow(withBeam, r, TContestExtraRecord{}, {})));
  model->StartNewEntry(false);
  f = model->View.Fields;
  f.RSTr[2] = "JO62";
  model->ExchangeChanged(f, false, 2);
  ASSERT_TRUE(model->View.BeamVisible);
  // The bearing from JO31 towards JO62 (north-east), not the distance.
  const double beam = std::stod(model->View.lbeam);
  EXPECT_GT(beam, 45.0);
  EXPECT_LT(beam, 90.0);
  EXPECT_EQ(rec::GetStr(model->EntryRecord().data(), qrec::kCall, qrec::kCallCap), "");
}

// An import prepares every record as the entry would, each bringing its
// locator square for a moment; the panel is not drawn for every record but
// shows the window as the import leaves it: without the last record's
// tentative square, as the counters and lists are.
TEST_F(LogModelTest, AnImportLeavesThePanelShowingTheWindowsCounts) {
  TContestLogModel& m = Open();
  m.StartNewEntry(false);
  int prepared = 0;
  m.RunImport([&](const TContestLogModel::TQsoPreparation& prepare) {
    for (int i = 0; i < 3; ++i) {
      TContestQsoRecord q{};
      rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i + 1) + "ABC");
      rec::SetChar(q.data(), qrec::kBandcode, 'b');
      rec::SetStr(q.data(), qrec::kMode, qrec::kModeCap, "CW");
      rec::SetInt32(q.data(), qrec::kDatum, Day("20.12.2015"));
      rec::SetInt32(q.data(), qrec::kZeit, 8 * 3600 + 60 * i);
      TContestFkt::SetReceivedExchange("599" + std::to_string(100 + i) + "/JO" + std::to_string(40 + i), q);
      prepare(q);
      EXPECT_EQ(rec::GetStr(q.data(), qrec::kLoc, qrec::kLocCap), "JO" + std::to_string(40 + i));
      ++prepared;
    }
  });
  ASSERT_EQ(prepared, 3);
  EXPECT_EQ(m.Counters().CurBandMultis, 0);
  EXPECT_EQ(m.View.Score.TotalMults, ShowScore(m.Contest(), m.Counters(), m.State.CurrentBand).TotalMults);
  EXPECT_EQ(m.View.Score.MultiText, ShowScore(m.Contest(), m.Counters(), m.State.CurrentBand).MultiText);
  EXPECT_EQ(m.View.Multis.size(), MergedMultiplierList(m.Lists()).size());
}

// Band-change rows carry no exchange. Values an older version left in them
// are emptied when the log's table opens, so that no list or count meets
// them; the QSOs keep theirs.
TEST_F(LogModelTest, OpeningEmptiesTheExchangeValuesOfBandChangeRows) {
  {
    TdbContest log(kContestLog, false, nummer);
    int32_t zeit = 8 * 3600;
    for (const uint8_t marker : {uint8_t(0), uint8_t('c'), uint8_t(0), uint8_t('b'), uint8_t(' ')}) {
      TContestQsoRecord q{};
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kCall, qrec::kCallCap, marker == 0 || marker == ' ' ? "DL1ABC" : "");
      rec::SetChar(p, qrec::kBandcode, 'b');
      rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
      rec::SetInt32(p, qrec::kDatum, Day("20.12.2015"));
      rec::SetInt32(p, qrec::kZeit, zeit += 60);
      rec::SetByte(p, qrec::kQsoMarker, marker);
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "JO40AB");
      rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, "DL");
      rec::SetStr(p, qrec::kDOK1, qrec::kDOK1Cap, "ABCDEF");
      rec::SetStr(p, qrec::kDOK2, qrec::kDOK2Cap, "GH");
      rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, "M1234");
      log.ClearRecord();
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Add());
    }
  }
  TContLogAlle companion;
  std::unique_ptr<TdbContest> table;
  const TOpenedLog opened = companion.OpenQsoLog(table, nummer, true);
  ASSERT_TRUE(opened.Opened);
  EXPECT_TRUE(opened.HasQso);
  TdbContest log(kContestLog, false, nummer);
  int rows = 0, changes = 0;
  TContestQsoRecord q;
  for (bool more = log.First(qrec::kKeyDatumZeit); more; more = log.Next(), ++rows) {
    log.GetQsoRecord(q);
    const uint8_t marker = rec::GetByte(q.data(), qrec::kQsoMarker);
    const bool qso = marker == 0 || marker == ' ';
    changes += qso ? 0 : 1;
    EXPECT_EQ(rec::GetStr(q.data(), qrec::kLoc, qrec::kLocCap), qso ? "JO40AB" : "") << rows;
    EXPECT_EQ(rec::GetStr(q.data(), qrec::kDXCC, qrec::kDXCCCap), qso ? "DL" : "") << rows;
    EXPECT_EQ(rec::GetStr(q.data(), qrec::kDOK1, qrec::kDOK1Cap), qso ? "ABCDEF" : "") << rows;
    EXPECT_EQ(rec::GetStr(q.data(), qrec::kDOK2, qrec::kDOK2Cap), qso ? "GH" : "") << rows;
    EXPECT_EQ(rec::GetStr(q.data(), qrec::kCall2, qrec::kCall2Cap), qso ? "M1234" : "") << rows;
  }
  EXPECT_EQ(rows, 5);
  EXPECT_EQ(changes, 2);
}

// A log left by a job that stored its QSOs but was killed before it
// renumbered them (an import): the entry marked its locators, the later
// QSOs stand out of time order. Opening puts numbers and marks in order.
TEST_F(LogModelTest, OpeningRenumbersALogWhoseNumbersAreOutOfTimeOrder) {
  {
    TdbContest log(kContestLog, false, nummer);
    struct Stored {
      const char* call;
      int minute;
      const char* loc;
      const char* mark;
    };
    int32_t n = 0;
    for (const Stored& s : {Stored{"DL1AAA", 10, "JO31", "JO31"}, Stored{"DL2BBB", 20, "JO40", "JO40"},
                            Stored{"DL3CCC", 5, "JO31", ""}}) {
      TContestQsoRecord q{};
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kCall, qrec::kCallCap, s.call);
      rec::SetChar(p, qrec::kBandcode, 'b');
      rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
      rec::SetInt32(p, qrec::kDatum, Day("20.12.2015"));
      rec::SetInt32(p, qrec::kZeit, 8 * 3600 + s.minute * 60);
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, s.loc);
      rec::SetStr(p, qrec::kCMulti2, qrec::kCMulti2Cap, s.mark);
      rec::SetInt32(p, qrec::kWagBandNr, ++n);
      rec::SetInt32(p, qrec::kWagBandNrIntern, n);
      rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(n));
      log.ClearRecord();
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Add());
    }
  }
  Open();
  TdbContest log(kContestLog, false, nummer);
  std::vector<std::string> seen;
  for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    const uint8_t* p = q.data();
    seen.push_back(rec::GetStr(p, qrec::kCall, qrec::kCallCap) + " " + std::to_string(rec::GetInt32(p, qrec::kNummer)) +
                   " " + std::to_string(rec::GetInt32(p, qrec::kWagBandNr)) + " " +
                   rec::GetStr(p, qrec::kCMulti2, qrec::kCMulti2Cap));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"DL3CCC 1 1 JO31", "DL1AAA 2 2 ", "DL2BBB 3 3 JO40"}));
  EXPECT_TRUE(model->RenumberedAtOpening());
}

TEST(LogGridRows, QsoAndBandChangeRowsAndTheirKeys) {
  TContestRec c;
  c.MultiplierCaptions[0] = "Nr";
  TContestQsoRecord q{};
  uint8_t* p = q.data();
  rec::SetStr(p, qrec::kCall, qrec::kCallCap, "dl1abc");
  rec::SetChar(p, qrec::kBandcode, 'b');
  rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
  rec::SetInt32(p, qrec::kDatum, Day("20.12.2015"));
  rec::SetInt32(p, qrec::kZeit, 0);  // midnight
  rec::SetInt32(p, qrec::kWagNummer, 12);
  TContestFkt::SetSentExchange("599001", q);
  TContestFkt::SetReceivedExchange("579042", q);
  std::string row = BuildGridRow(q, c, '4');
  EXPECT_EQ(row.substr(0, row.find(';')), "    12");
  EXPECT_NE(row.find(";20.12.15;00:00;DL1ABC;80 M;CW;599 001;579  042; ;0;"), std::string::npos) << row;
  rec::SetInt32(p, qrec::kZeit, -1);
  row = BuildGridRow(q, c, '4');
  EXPECT_NE(row.find(";20.12.15;     ;"), std::string::npos) << row;
  rec::SetByte(p, qrec::kQsoMarker, 'c');
  EXPECT_EQ(BuildGridRow(q, c, '4').substr(0, 42), ";20.12.15;     ;*** QSY 40 m ***;;;;;;;");
  // The header names the multiplier column; the sort keys have their ranges.
  EXPECT_NE(BuildGridHeader(c, false).find(";Nr    ;Pkt;sQr;Name"), std::string::npos);
  TGridKeyRange range;
  EXPECT_TRUE(GridSortKey(0, 'c', true, range));
  EXPECT_EQ(range.KeyNumber, qrec::kKeyBandNrIntern);
  EXPECT_EQ(range.Lower, "c||");
  EXPECT_FALSE(GridSortKey(7, 'c', true, range));
  EXPECT_EQ(GridOpenRange(true).Upper, "999999999");
  // Column widths kept per log in its contest-list record.
  TContestRecord list{};
  const int widths[3] = {40, 0, 77};
  StoreGridColumnWidths(list, widths, 3);
  EXPECT_EQ(GridColumnWidth(list, 3), 77);
  EXPECT_EQ(GridColumnWidth(list, 21), 0);
  EXPECT_EQ(NoteFileName("BRZ/Party 2015+_x!"), "BRZParty 2015+_x.TXT");
}

// The grids of the window other than the log grid keep their widths in the
// settings' colour record, ten columns per key number, the cluster grid and
// the grids of a 'W' log in tables of their own; the log grid keeps its in
// its log's record. A column or key without a place keeps nothing.
TEST_F(LogModelTest, EveryGridKindKeepsItsColumnWidthsInItsOwnPlace) {
  ToSetups.Reset();
  const std::vector<int> widths = {31, 42, 53, 64, 75, 86, 97, 108, 119, 130, 141};  // eleven columns
  ASSERT_TRUE(TContLogAlle::SaveColumnWidths(TGridWidths::OtherGrid, 4, list, widths));
  ASSERT_TRUE(TContLogAlle::SaveColumnWidths(TGridWidths::ClusterGrid, 2, list, {17, 18}));
  ToSetupColors colours;
  ToSetups.GetColors(colours);
  EXPECT_EQ(rec::GetUInt16(colours.data(), 2089 + 20 * 4), 31);
  EXPECT_EQ(rec::GetUInt16(colours.data(), 2089 + 20 * 4 + 18), 130);  // the tenth column
  EXPECT_EQ(rec::GetUInt16(colours.data(), 2089 + 20 * 5), 0);         // the eleventh has no place
  EXPECT_EQ(rec::GetUInt16(colours.data(), 1889 + 20 * 2 + 2), 18);
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::OtherGrid, 4, list, 3), 53);
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::OtherGrid, 4, list, 11), 0);
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::OtherGrid, 5, list, 1), 0);
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::ClusterGrid, 2, list, 1), 17);
  // A key beyond the cluster's ten has no place: nothing is written over the next table.
  ASSERT_TRUE(TContLogAlle::SaveColumnWidths(TGridWidths::ClusterGrid, 10, list, {99}));
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::ClusterGrid, 10, list, 1), 0);
  ToSetups.GetColors(colours);
  EXPECT_EQ(rec::GetUInt16(colours.data(), 2089), 0);
  // The log grid's widths stay in the log's record, apart from the others.
  TContestRecord before;
  list.GetContestRecord(before);
  ASSERT_TRUE(TContLogAlle::SaveColumnWidths(TGridWidths::LogGrid, 4, list, {60, 70}));
  TdbContest other(kContestList, false, 0);
  ASSERT_TRUE(other.FindByNumber(nummer));
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::LogGrid, 0, other, 2), 70);
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::OtherGrid, 4, other, 2), 42);

  // A 'W' log's other grids use the table of that letter.
  TContestRecord r;
  list.GetContestRecord(r);
  rec::SetChar(r.data(), crec::kTyp, 'W');
  list.SetContestRecord(r);
  ASSERT_TRUE(list.Update());
  ASSERT_TRUE(TContLogAlle::SaveColumnWidths(TGridWidths::OtherGrid, 4, list, {23}));
  ToSetups.GetColors(colours);
  EXPECT_EQ(rec::GetUInt16(colours.data(), 1229 + 20 * 4), 23);
  EXPECT_EQ(rec::GetUInt16(colours.data(), 2089 + 20 * 4), 31);
  EXPECT_EQ(TContLogAlle::GetColumnWidth(TGridWidths::OtherGrid, 4, list, 1), 23);
}

// The save is the last guard of what a QSO is stored with: an entry record
// emptied behind the entry's back still gives a QSO on the window's band
// and in its mode, never one of no band that nothing counts.
TEST_F(LogModelTest, AQsoIsNeverStoredWithoutBandAndMode) {
  TContestLogModel& m = Open();
  m.StartNewEntry(false);
  TEntryFields f = m.View.Fields;
  ASSERT_FALSE(f.Zeit.empty());
  f.Call = "DL7ABC";
  f.RSTr[1] = "123";
  f.RSTr[2] = "JO62";
  m.QsoTable().ClearRecord();
  ASSERT_TRUE(m.SaveEntry(f).Saved);
  TdbContest log(kContestLog, false, nummer);
  ASSERT_TRUE(log.Last(qrec::kKeyNummer));
  TContestQsoRecord q;
  log.GetQsoRecord(q);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap), "DL7ABC");
  EXPECT_EQ(rec::GetChar(q.data(), qrec::kBandcode), m.State.CurrentBand);
  EXPECT_NE(m.State.CurrentBand, 0);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kMode, qrec::kModeCap), "CW");
}
