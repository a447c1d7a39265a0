// The entry record between the fields and the rules, without the form:
// what the gathering makes of typed texts (callsign forms, time, the RST's
// tone digit, the room a name leaves a DOK, the warnings of the field being
// left), the name copied into the exchange, the autofill with the beam to
// the partner's locator and the exchange a mode change writes. Real contest
// definitions of the letters, small prefix tables.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contest/ContestFkt.h"
#include "tests/contest/KindNumbers.h"
#include "database/dbCall.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"
#include "hamradio/modi.h"
#include "logentry/model/contlogmodel.h"
#include "platform/clock.h"
#include "prefix/PrefixFixture.h"
#include "support/ScriptedMessages.h"

namespace {

using Kind = ScriptedMessages::Kind;

class EntryModelTest : public PrefixTablesTest {
 protected:
  void SetUp() override {
    AddPrefixRecords(kPrefixMain, {{.Prefix = "DL", .Dxcc = "DL"},
                                   {.Prefix = "DK", .Dxcc = "DL"},
                                   {.Prefix = "G", .Dxcc = "G"},
                                   {.Prefix = "OK", .Dxcc = "OK"}});
    OpenAll();
    ToSetups.Reset();
    ToSetupStation st{};
    rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
    ToSetups.SetStation(st);
    SetClockOverride([] { return QDateTime(QDate(2015, 12, 20), QTime(8, 30, 0)); });
  }
  void TearDown() override {
    model_.reset();
    SetClockOverride({});
    PrefixTablesTest::TearDown();
  }
  // A log of the letter as the set-up dialog leaves it: automatic date and
  // time, the first class, own DOK Z11.
  TContestLogModel& Open(char letter) {
    list_.ClearRecord();
    TContestRecord r;
    list_.GetContestRecord(r);
    rec::SetChar(r.data(), crec::kTyp, letter);
    rec::SetStr(r.data(), crec::kDok, crec::kDokCap, "Z11");
    rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
    rec::SetInt32(r.data(), crec::kZusatzWert, 123);
    rec::SetBool(r.data(), crec::kDatumAuto, true);
    rec::SetBool(r.data(), crec::kZeitAuto, true);
    r[crec::kTeilnahmeart] = 1;
    list_.SetContestRecord(r);
    EXPECT_TRUE(list_.Add());
    ContestFkt.EnsureExtraRecord(list_.CurrentRef(), list_, extra_);
    ContestFkt.DefineContest(desc_, list_, letter, true);
    list_.GetContestRecord(r);
    model_ = std::make_unique<TContestLogModel>(rec::GetInt32(r.data(), crec::kNummer), desc_, list_, extra_);
    EXPECT_TRUE(model_->Open(ShapeLogWindow(desc_, r, TContestExtraRecord{}, {})));
    model_->StartNewEntry(false);
    return *model_;
  }
  TContestQsoRecord Entry() const { return model_->EntryRecord(); }
  std::string Field(size_t off, size_t cap) const { return rec::GetStr(Entry().data(), off, cap); }

  ScriptedMessages msgs;
  TdbContest list_{kContestList, false, 0};
  TdbContest extra_{kContestExtra, false, 0};
  TContestRec desc_;
  std::unique_ptr<TContestLogModel> model_;
};

TEST_F(EntryModelTest, GatheringNormalisesCallsTimesAndTheRst) {
  TContestLogModel& m = Open('4');
  TEntryFields f = m.View.Fields;
  struct Case {
    const char* typed;
    const char* stored;
  };
  for (const Case& c : {Case{"DL1ABC#", "DL1ABC/p"}, Case{"DL1ABC-P", "DL1ABC/P"}, Case{"DL1ABC P", "DL1ABC/P"},
                        Case{"EA8/DL1ABC P", "EA8/DL1ABCP"}, Case{"DL1#ABC", "DL1#ABC"},
                        Case{"DL1ABCDEFGHIJ#", "DL1ABCDEFGHI"}}) {
    f.Call = c.typed;
    m.GatherEntry(f, {}, false);
    EXPECT_EQ(Field(qrec::kCall, qrec::kCallCap), c.stored) << c.typed;
  }
  // Times are completed; five characters get their seconds.
  f.Call = "DL1ABC";
  for (const auto& [typed, seconds] : {std::pair{"1234", 12 * 3600 + 34 * 60}, std::pair{"12:34", 12 * 3600 + 34 * 60},
                                       std::pair{"12:34:56", 12 * 3600 + 34 * 60 + 56}}) {
    f.Zeit = typed;
    m.GatherEntry(f, {}, false);
    EXPECT_EQ(rec::GetInt32(Entry().data(), qrec::kZeit), seconds) << typed;
  }
  // In CW a two-digit report gets its tone digit.
  f.RSTr[0] = "57";
  m.GatherEntry(f, {}, false);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(Entry()).substr(0, 3), "579");
  // In SSB the third character goes.
  m.SetMode("SSB");
  f = m.View.Fields;
  f.RSTr[0] = "599";
  m.GatherEntry(f, {}, false);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(Entry()).substr(0, 3), "59 ");
}

TEST_F(EntryModelTest, TheFieldBeingLeftWarnsAboutItsOwnValueOnly) {
  TContestLogModel& m = Open('4');
  TEntryFields f = m.View.Fields;
  f.Call = "DL1ABC";
  f.RSTr[2] = "XX99";  // no locator
  // Typing on, or leaving another field: stored quietly.
  m.GatherEntry(f, {}, true);
  m.GatherEntry(f, {TEntryFocus::RSTr, 1}, true);
  EXPECT_TRUE(msgs.History().empty());
  msgs.Expect(Kind::Achtung, "Fehler bei Locator-Angabe");
  m.GatherEntry(f, {TEntryFocus::RSTr, 2}, true);
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_EQ(rec::GetInt32(Entry().data(), qrec::kQrb), 0);
  f.RSTr[2] = "JO62QM";
  m.GatherEntry(f, {TEntryFocus::RSTr, 2}, true);
  EXPECT_EQ(Field(qrec::kLoc, qrec::kLocCap), "JO62QM");
  EXPECT_EQ(rec::GetInt32(Entry().data(), qrec::kQrb), QrbKm("JO31LK", "JO62QM"));
}

TEST_F(EntryModelTest, DokFieldsOfGermanStations) {
  TContestLogModel& m = Open('X');
  TEntryFields f = m.View.Fields;
  f.Call = "DK1RI";
  f.RSTr[1] = "B36";
  m.GatherEntry(f, {TEntryFocus::RSTr, 1}, true);
  EXPECT_EQ(Field(qrec::kDOK1, qrec::kDOK1Cap), "B36");
  // Never a DOK: dropped without a word.
  f.RSTr[1] = "M29";
  m.GatherEntry(f, {TEntryFocus::RSTr, 1}, true);
  EXPECT_EQ(Field(qrec::kDOK1, qrec::kDOK1Cap), "");
  // "J" and a digit is a serial number typed into the DOK field.
  f.RSTr[1] = "J12";
  m.GatherEntry(f, {}, true);
  msgs.Expect(Kind::Achtung, "Fehler bei DOK-Angabe");
  m.GatherEntry(f, {TEntryFocus::RSTr, 1}, true);
  EXPECT_TRUE(msgs.AllShown());
  // A long DOK goes into both parts; a foreign station's number is no DOK.
  f.RSTr[1] = "DARC50JA";
  m.GatherEntry(f, {}, false);
  EXPECT_EQ(Field(qrec::kDOK1, qrec::kDOK1Cap), "DARC50");
  EXPECT_EQ(Field(qrec::kDOK2, qrec::kDOK2Cap), "JA");
  f.Call = "G3XYZ";
  f.RSTr[1] = "017";
  m.GatherEntry(f, {}, false);
  EXPECT_EQ(Field(qrec::kDOK1, qrec::kDOK1Cap), "DARC50");  // left as it was
}

TEST_F(EntryModelTest, NameAndDokShareSixteenCharacters) {
  TContestLogModel& m = Open('O');
  ASSERT_EQ(desc_.ReceivedKinds[0], ExchangeKind::Name);
  TEntryFields f = m.View.Fields;
  f.Call = "DL2XYZ";
  f.Name = "Bartholomaeus";
  ASSERT_TRUE(m.NameChanged(f));
  EXPECT_EQ(m.View.Fields.RSTr[1], "Bartholomaeus");
  f.RSTr[1] = "Bartholomaeus-Maximilian";
  f.RSTr[2] = "Z11";
  m.GatherEntry(f, {}, false);
  // The name is cut so that name and DOK fit the exchange.
  EXPECT_EQ(TContestFkt::GetReceivedExchange(Entry()).substr(3), "Bartholomaeus/Z11");
  f.Name.clear();
  EXPECT_FALSE(m.NameChanged(f));
}

TEST_F(EntryModelTest, AutofillTakesTheLocatorAndShowsTheBeam) {
  {
    TdbCall database(kCallDatabase, false);
    database.ClearRecord();
    database.SetCall("DL7XYZ");
    database.SetLocator("JO62QM");
    ASSERT_TRUE(database.Add());
  }
  TContestLogModel& m = Open('4');
  TEntryFields f = m.View.Fields;
  f.Call = "DL7XYZ";
  m.CallChanged(f);
  const TExitResult r = m.FieldExit(m.View.Fields, {TEntryFocus::Call, 0});
  EXPECT_FALSE(r.Saved);
  EXPECT_EQ(m.View.Fields.RSTr[2], "JO62");
  ASSERT_TRUE(m.View.BeamVisible);
  const double beam = std::stod(m.View.lbeam);
  EXPECT_GT(beam, 45.0);  // from JO31 north-east to Berlin
  EXPECT_LT(beam, 90.0);
  // A station nobody knows: the beam goes.
  f = m.View.Fields;
  f.Call = "OK1RF";
  f.RSTr[2].clear();
  m.CallChanged(f);
  m.FieldExit(m.View.Fields, {TEntryFocus::Call, 0});
  EXPECT_FALSE(m.View.BeamVisible);
  EXPECT_EQ(m.View.lbeam, "");
}

TEST_F(EntryModelTest, AModeChangeWritesTheModeNumberIntoTheExchange) {
  // 'Z' sends the number of the QSO within its mode.
  TContestLogModel& m = Open('Z');
  ASSERT_EQ(desc_.SentKinds[0], 11);
  m.SetMode("CW");
  EXPECT_EQ(TContestFkt::GetSentExchange(Entry()).substr(0, 6), "599001");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(Entry()), "599");
  m.SetMode("SSB");
  EXPECT_EQ(TContestFkt::GetSentExchange(Entry()).substr(0, 6), "59 001");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(Entry()), "59 ");
  EXPECT_EQ(rec::GetFloat(Entry().data(), qrec::kFrequenz), static_cast<float>(ToBaender.ModeDefaultFrequency(
                                                                  m.State.CurrentBand, ModeClass("SSB"))));
}

}  // namespace
