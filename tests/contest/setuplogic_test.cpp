// The set-up logic of a contest log on real tables: the checks in their
// order, the stores, the category presets, the score panel and the
// per-contest inputs.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "contest/eingcontstdlogic.h"
#include "database/dbCall.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

using Kind = ScriptedMessages::Kind;

TContestRecord Stored(int32_t nummer) {
  TdbContest other(kContestList, false, 0);
  TContestRecord r{};
  if (other.FindByNumber(nummer)) other.GetContestRecord(r);
  return r;
}

class SetupLogic : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    savedOffset_ = UtcHourOffset;
    desc->FirstDate = "20.12.2015";
    desc->LastDate = "20.12.2015";
    desc->StartTime = "08:00:00";
    desc->EndTime = "10:00:00";
    desc->Classes[0].Text = "alle";
    desc->Modes[0] = "CW";
    desc->BandLetters[0] = 'b';
    desc->TimeZoneHours = -1;
  }
  void TearDown() override { UtcHourOffset = savedOffset_; }

  // A logic for a new log (or the log the list stands on), filled, with
  // inputs that pass every check.
  TContestSetupLogic& Make(char letter, bool exists = false, bool editOnly = false) {
    logic = std::make_unique<TContestSetupLogic>(exists, editOnly, letter, list, extra, *desc);
    logic->Refill = [](TContestRec&) {};  // the test's description stays
    logic->Fill(in, view);
    in.Name = "Party";
    in.Call = "dl1abc";
    in.CName = "Erika Muster";
    in.Strasse = "Weg 1";
    in.Plz = "12345";
    in.Ort = "Musterstadt";
    in.EMail = "erika@example.org";
    in.Loc = "JO31LK";
    in.ZeitUtc = true;
    in.Category = 0;
    in.Jahre = "17";
    in.Memo = "TRX 5 W";
    return *logic;
  }
  int32_t Nummer() const { return rec::GetInt32(logic->Record().data(), crec::kNummer); }

  TempProgramDir dir;
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
  std::unique_ptr<TContestSetupLogic> logic;
  TContestSetupInputs in;
  TContestSetupView view;
  ScriptedMessages msgs;
  int32_t savedOffset_ = 0;
};

// ---------------------------------------------------------------------------
// The check sequence: each check alone, its text, its control, nothing stored.

struct CheckCase {
  const char* name;
  std::function<void(TContestSetupInputs&, TContestRec&)> breakIt;
  const char* text;
  const char* colour;
  const char* focus;
};

class CheckSequence : public SetupLogic, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckSequence, FailedCheckWarnsMarksFocusesAndStoresNothing) {
  const CheckCase& c = GetParam();
  Make('V');
  c.breakIt(in, *desc);
  msgs.Expect(Kind::Achtung, c.text);
  const TSaveOutcome out = logic->Save(TSetupSender::Start, in);
  EXPECT_TRUE(msgs.AllShown());
  ASSERT_EQ(msgs.History().size(), 1u);
  EXPECT_EQ(msgs.History()[0].header, "Eingabedaten unvollständig!");
  EXPECT_EQ(msgs.History()[0].text, c.text);
  EXPECT_EQ(out.Colour, c.colour);
  EXPECT_EQ(out.Focus, c.focus);
  EXPECT_EQ(out.ModalResult, 0);
  EXPECT_FALSE(out.Stored);
  EXPECT_EQ(list.UsedRecords(), 0);
  EXPECT_FALSE(logic->RecordExists());
}

INSTANTIATE_TEST_SUITE_P(
    EachCheck, CheckSequence,
    ::testing::Values(
        CheckCase{"Name", [](auto& i, auto&) { i.Name = "  "; },
                  "Eingabe eines Contest-Namens notwendig.", "eName", "eName"},
        CheckCase{"Plz", [](auto& i, auto&) { i.Plz.clear(); },
                  "Angabe der Postleitzahl und des Ortes notwendig.", "ePLZ", "ePLZ"},
        CheckCase{"EMailForCabrillo",
                  [](auto& i, auto& d) {
                    i.EMail.clear();
                    d.OutputKinds = {9};
                  },
                  "Angabe der EMail-Adresse notwendig.", "eEMail", "eEMail"},
        CheckCase{"LocatorSent",
                  [](auto& i, auto& d) {
                    i.Loc.clear();
                    d.SentKinds[1] = ExchangeKind::LocatorDistance;
                  },
                  "Angabe des Standortlocators notwendig.", "eLoc", "eLoc"},
        CheckCase{"Call",
                  [](auto& i, auto&) {
                    i.Call.clear();
                    i.Swl.clear();
                  },
                  "Eingabe des Rufzeichens notwendig.", "eCall", "eCall"},
        CheckCase{"DateFrom", [](auto& i, auto&) { i.DatumVon.clear(); },
                  "Eingabe eines Contest-Datums notwendig.", "eDatumvon", "eDatumvon"},
        CheckCase{"DateTo", [](auto& i, auto&) { i.DatumBis = "31.02.2015"; },
                  "Eingabe eines Contest-Datums notwendig.", "eDatumbis", "eDatumbis"},
        CheckCase{"CallOutsideLettersDigitsSlash", [](auto& i, auto&) { i.Call = "x!1 ö?abcdef"; },
                  "Das Rufzeichen X!1 Ö?ABCDEF ist ungültig: erlaubt sind nur Buchstaben, "
                  "Ziffern und \"/\".",
                  "eCall", "eCall"},
        CheckCase{"CallWithoutDigit", [](auto& i, auto&) { i.Call = "ABC/P"; },
                  "Das Rufzeichen ABC/P ist ungültig: erlaubt sind nur Buchstaben, Ziffern "
                  "und \"/\".",
                  "eCall", "eCall"},
        CheckCase{"Locator", [](auto& i, auto&) { i.Loc = "zz99zz"; },
                  "Der Standortlocator ZZ99ZZ ist ungültig (Beispiel: JO31LK).", "eLoc", "eLoc"},
        CheckCase{"PeriodBackwards", [](auto& i, auto&) { i.DatumVon = "21.12.2015"; },
                  "Das letzte Contest-Datum liegt vor dem ersten.", "eDatumbis", "eDatumbis"},
        CheckCase{"EndBeforeStartOnOneDay", [](auto& i, auto&) { i.ZeitBis = "0730"; },
                  "Das Contest-Ende liegt vor dem Contest-Beginn.", "eZeitbis", "eZeitbis"},
        CheckCase{"TimeImpossible", [](auto& i, auto&) { i.ZeitVon = "25:99"; },
                  "Die Uhrzeit 25:99 ist ungültig. Bitte als Stunde und Minute eingeben (hh:mm).",
                  "eZeitvon", "eZeitvon"},
        CheckCase{"HourOutOfRange", [](auto& i, auto&) { i.ZeitBis = "24"; },
                  "Die Uhrzeit 24:00 ist ungültig. Bitte als Stunde und Minute eingeben (hh:mm).",
                  "eZeitbis", "eZeitbis"},
        CheckCase{"Clock", [](auto& i, auto&) { i.ZeitUtc = false; },
                  "Es wurde nicht bestimmt, ob der Computer mit Ortszeit läuft.", "grouputc",
                  "rZeitOrt"},
        CheckCase{"Category", [](auto& i, auto&) { i.Category = -1; },
                  "Sie haben keine Teilnahmeart angegeben.", "groupteilnahmeart",
                  "eteilnahmeart"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupLogic, ChecksRunInTheirOrderAndTheFirstFailureWins) {
  Make('V');
  desc->OutputKinds = {9};
  in.Name.clear();
  in.Plz.clear();
  in.EMail.clear();
  msgs.Expect(Kind::Achtung, "Contest-Namens");
  EXPECT_EQ(logic->Save(TSetupSender::Ok, in).Focus, "eName");
  in.Name = "P";
  msgs.Expect(Kind::Achtung, "Postleitzahl");
  EXPECT_EQ(logic->Save(TSetupSender::Ok, in).Focus, "ePLZ");
  in.Plz = "1";
  msgs.Expect(Kind::Achtung, "EMail-Adresse");
  EXPECT_EQ(logic->Save(TSetupSender::Ok, in).Focus, "eEMail");
  // Without the Cabrillo output the address is not needed.
  desc->OutputKinds = {1, 2};
  EXPECT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_TRUE(msgs.AllShown());
}

TEST_F(SetupLogic, EmptyDokIsAskedAndNoKeepsTheOwnCall) {
  ToSetups.SetOwnCall("DK0OLD");
  Make('V');
  desc->MultiplierKinds = {MultiplierKind::Dok};
  in.Dok = "";
  msgs.Expect(Kind::JaNeinFrage, "Kein DOK angegeben. Trotzdem weiter?", false);
  const TSaveOutcome out = logic->Save(TSetupSender::Start, in);
  EXPECT_EQ(out.Colour, "eDOK");
  EXPECT_EQ(out.Focus, "eDOK");
  EXPECT_FALSE(msgs.History()[0].defaultYes);
  EXPECT_EQ(list.UsedRecords(), 0);
  EXPECT_EQ(ToSetups.OwnCall(), "DK0OLD");  // the call check has not passed yet

  msgs.Expect(Kind::JaNeinFrage, "Kein DOK", true);
  EXPECT_TRUE(logic->Save(TSetupSender::Start, in).Stored);
  EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC");

  // Changes only: no question.
  Make('V', true, true);
  desc->MultiplierKinds = {MultiplierKind::Dok};
  EXPECT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_TRUE(msgs.AllShown());
}

TEST_F(SetupLogic, LdkContestsAskForTheLdkAndStoreIt) {
  Make('V');
  desc->MultiplierKinds = {MultiplierKind::Ldk};
  in.Dok = "";
  msgs.Expect(Kind::JaNeinFrage, "Kein LDK angegeben.", false);
  EXPECT_EQ(logic->Save(TSetupSender::Ok, in).Focus, "eDOK");
  in.Dok = "ab";
  EXPECT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_EQ(rec::GetStr(Stored(Nummer()).data(), crec::kLDK, crec::kLDKCap), "AB");
  ToSetupStation st{};
  ToSetups.GetStation(st);
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kLDK, stationrec::kLDKCap), "AB");
}

TEST_F(SetupLogic, PeriodFieldsAreCompletedOrRefusedNeverChangedSilently) {
  Make('V');
  // An hour alone is the full hour, on leaving the field and on saving.
  EXPECT_EQ(logic->PeriodFieldLeft(4, "08:00", "7"), "07:00");
  EXPECT_EQ(logic->PeriodFieldLeft(8, "10:00", " 17 "), "17:00");
  EXPECT_EQ(logic->PeriodFieldLeft(8, "10:00", "25:99"), "25:99");  // kept for the check
  in.ZeitVon = "7";
  in.ZeitBis = "1130";
  ASSERT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_EQ(in.ZeitVon, "07:00");
  TContestRecord r = Stored(Nummer());
  EXPECT_EQ(rec::GetInt32(r.data(), crec::kZeitVon), 7 * 3600);
  EXPECT_EQ(rec::GetInt32(r.data(), crec::kZeitBis), 11 * 3600 + 30 * 60);

  // The silent save of a category click stores no impossible period: the
  // last good one stays, and the next check names the field.
  in.ZeitVon = "25:99";
  in.DatumBis = "19.12.2015";
  EXPECT_TRUE(logic->Save(TSetupSender::None, in).Stored);
  EXPECT_TRUE(msgs.History().empty());
  r = Stored(Nummer());
  EXPECT_EQ(rec::GetInt32(r.data(), crec::kZeitVon), 7 * 3600);
  EXPECT_EQ(rec::GetInt32(r.data(), crec::kDatumBis), ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"));
  msgs.Expect(Kind::Achtung, "Die Uhrzeit 25:99 ist ungültig.");
  EXPECT_EQ(logic->Save(TSetupSender::Ok, in).Focus, "eZeitvon");
  EXPECT_TRUE(msgs.AllShown());
}

TEST_F(SetupLogic, SilentSaveKeepsTheLastAcceptableCallAndLocator) {
  Make('V');
  ASSERT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  in.Call = "dl1abc/../../x";
  in.Loc = "ZZ99ZZ";
  EXPECT_TRUE(logic->Save(TSetupSender::None, in).Stored);
  EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC");
  EXPECT_EQ(rec::GetStr(Stored(Nummer()).data(), crec::kCall, crec::kCallCap), "DL1ABC");
  ToSetupStation st{};
  ToSetups.GetStation(st);
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap), "JO31LK");
  // Portable and prefixed calls are calls like any other.
  for (const char* call : {"DL1ABC/P", "OE/DL1ABC", "DA0HQ", "9A1A"}) EXPECT_TRUE(IsUsableOwnCall(call)) << call;
  for (const char* call : {"DL1 ABC", "/", "DL1ABC.", "dl1abc", "Ö1ABC"}) EXPECT_FALSE(IsUsableOwnCall(call)) << call;
}

TEST_F(SetupLogic, SilentSaveChecksNothingAndStaysOpen) {
  Make('V');
  in.Name.clear();
  in.Category = -1;
  in.ZeitUtc = false;
  const TSaveOutcome out = logic->Save(TSetupSender::None, in);
  EXPECT_TRUE(out.Stored);
  EXPECT_EQ(out.ModalResult, 0);
  EXPECT_TRUE(msgs.History().empty());
  EXPECT_TRUE(logic->RecordExists());
  EXPECT_EQ(UtcHourOffset, -1);  // local clock: the contest's hour offset
}

// ---------------------------------------------------------------------------
// Storing

TEST_F(SetupLogic, NewLogStoresListRecordExtraRecordAndStation) {
  ToSetups.SetOwnCall("DK0OLD");
  Make('V');
  in.Dok = "z 11";
  in.QslS = "b";
  in.StartMode = 2;
  in.RstSentFixed = false;
  in.RstRcvdFixed = true;
  in.RstsNichtSperren = true;
  in.DatumVon = "5.1.26";
  in.DatumBis = "6.1.26";
  in.ZeitVon = "730";
  const TSaveOutcome out = logic->Save(TSetupSender::Start, in);
  ASSERT_TRUE(out.Stored);
  EXPECT_EQ(out.ModalResult, 1);
  EXPECT_EQ(in.DatumVon, "05.01.2026");  // completed in place
  EXPECT_EQ(in.ZeitVon, "07:30");

  const int32_t n = Nummer();
  EXPECT_GT(n, 0);
  const TContestRecord r = Stored(n);
  const uint8_t* p = r.data();
  EXPECT_EQ(rec::GetStr(p, crec::kName, crec::kNameCap), "Party");
  EXPECT_EQ(rec::GetStr(p, crec::kCall, crec::kCallCap), "DL1ABC");
  EXPECT_EQ(rec::GetStr(p, crec::kDok, crec::kDokCap), "Z11");
  EXPECT_EQ(rec::GetStr(p, crec::kPLZ, crec::kPLZCap), "12345");
  EXPECT_EQ(rec::GetChar(p, crec::kTyp), 'V');
  EXPECT_EQ(p[crec::kByte71], 255);
  EXPECT_EQ(p[crec::kByte72], 1);
  EXPECT_EQ(p[crec::kChar194], 'D');
  EXPECT_EQ(p[crec::kByte195], 255);
  EXPECT_EQ(rec::GetInt32(p, crec::kDatumVon), ToDates.DateStringToDate("05.01.2026", "dd.mm.yyyy"));
  EXPECT_EQ(rec::GetInt32(p, crec::kZeitVon), 7 * 3600 + 30 * 60);
  EXPECT_EQ(rec::GetInt32(p, crec::kZeitBis), 10 * 3600);  // the contest's end
  EXPECT_EQ(p[crec::kTeilnahmeart], 1);
  EXPECT_EQ(p[crec::kStartFM], 255);
  EXPECT_EQ(p[crec::kStartSSB], 0);
  EXPECT_EQ(p[crec::kRstSentFree], 255);
  EXPECT_EQ(p[crec::kRstRcvdFree], 0);
  EXPECT_EQ(p[crec::kQslSentDefault], 'B');
  EXPECT_EQ(UtcHourOffset, 0);

  ASSERT_TRUE(extra.FindByNumber(n));
  TContestExtraRecord x{};
  extra.GetExtraRecord(x);
  EXPECT_EQ(rec::GetInt32(x.data(), xrec::kNummer), n);
  EXPECT_EQ(x[xrec::kRstsNichtSperren], 255);

  ToSetupStation st{};
  ToSetups.GetStation(st);
  EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap), "12345 Musterstadt");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kName, stationrec::kNameCap), "Erika Muster");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap),
            "Erika Muster");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap), "JO31LK");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kLocator2, stationrec::kLocator2Cap), "JO31LK");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kDOK, stationrec::kDOKCap), "Z11");

  // The station data are in the set-up table at once, not only after a
  // clean end of the program: a fresh load finds them.
  ToSetupStation blank{};
  ToSetups.SetStation(blank);
  ToSetups.SetOwnCall("");
  LoadSettings();
  ToSetups.GetStation(st);
  EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap), "12345 Musterstadt");
}

TEST_F(SetupLogic, LaterSaveRewritesTheOwnRecordWhereverTheTableStands) {
  Make('V');
  ASSERT_TRUE(logic->Save(TSetupSender::None, in).Stored);
  const int32_t mine = Nummer();

  // Another log is added through the same table, which then stands on it.
  TContestRecord other{};
  rec::SetStr(other.data(), crec::kName, crec::kNameCap, "Andere");
  list.ClearRecord();
  list.SetContestRecord(other);
  ASSERT_TRUE(list.Add());
  list.GetContestRecord(other);
  const int32_t theirs = rec::GetInt32(other.data(), crec::kNummer);

  in.Name = "Geändert";
  const TSaveOutcome out = logic->Save(TSetupSender::Ok, in);
  EXPECT_TRUE(out.Stored);
  EXPECT_EQ(out.ModalResult, 2);
  EXPECT_EQ(list.UsedRecords(), 2);
  EXPECT_EQ(rec::GetStr(Stored(mine).data(), crec::kName, crec::kNameCap), "Geändert");
  EXPECT_EQ(rec::GetStr(Stored(theirs).data(), crec::kName, crec::kNameCap), "Andere");
  EXPECT_EQ(extra.UsedRecords(), 1);
}

TEST_F(SetupLogic, ChangeModeShowsTheStoredLogAndItsExtraOptions) {
  Make('V');
  in.DoppelQso = true;
  in.RstsNichtSperren = true;
  in.ZeitVon = "00:00";
  ASSERT_TRUE(logic->Save(TSetupSender::None, in).Stored);
  UtcHourOffset = 0;
  desc->StartTime.clear();  // else the contest's start fills the empty time

  TContestSetupInputs again;
  TContestSetupView v;
  TContestSetupLogic reopened(true, false, 'V', list, extra, *desc);
  reopened.Fill(again, v);
  EXPECT_EQ(again.Name, "Party");
  EXPECT_EQ(again.ZeitVon, "");  // midnight shows as an empty field
  EXPECT_EQ(again.ZeitBis, "10:00");
  EXPECT_TRUE(again.DoppelQso);
  EXPECT_TRUE(again.RstsNichtSperren);
  EXPECT_TRUE(again.ZeitUtc);
  EXPECT_FALSE(again.CategoryEnabled);  // a chosen category stays
  EXPECT_EQ(again.Category, 0);
  EXPECT_EQ(again.Plz, "12345");
  EXPECT_EQ(again.Ort, "Musterstadt");
  EXPECT_EQ(v.Caption, "\"\"  Contest-Konfiguration");
}

// ---------------------------------------------------------------------------
// Category click

TEST_F(SetupLogic, CategoryPresetsPeriodModesAndKeepsUserEditedFields) {
  desc->Classes[1].Text = "QRP";
  desc->Classes[1].Period = 2;
  desc->Periods[1].Date = "07.03.2026";
  desc->Periods[1].FromTime = "13:00:00";
  desc->Periods[1].ToTime = "16:00:00";
  desc->Modes[0] = "SSB";
  desc->Modes[1] = "RTTY";
  Make('V');
  EXPECT_EQ(view.Categories.size(), 2u);

  // The user typed the start time himself.
  in.ZeitVon = logic->PeriodFieldLeft(4, "08:00", "915");
  EXPECT_EQ(in.ZeitVon, "09:15");
  EXPECT_EQ(logic->PeriodFieldLeft(8, "10:00", "10:00"), "10:00");  // unchanged: not edited

  in.Category = 1;
  in.StartMode = 0;
  logic->CategoryClicked(in, view);
  EXPECT_TRUE(logic->RecordExists());  // the silent save inserted the log
  EXPECT_EQ(in.DatumVon, "07.03.2026");
  EXPECT_EQ(in.DatumBis, "07.03.2026");  // Date2 empty: Date
  EXPECT_EQ(in.ZeitVon, "09:15");
  EXPECT_EQ(in.ZeitBis, "16:00");
  EXPECT_EQ(logic->Record()[crec::kEditedPeriod], 4);
  EXPECT_EQ(in.ModeEnabled, (std::array<bool, 4>{false, true, false, true}));
  EXPECT_EQ(view.PRCaption, "RTTY");
  EXPECT_EQ(in.StartMode, -1);  // CW is no longer possible
}

// ---------------------------------------------------------------------------
// Score panel

class ScorePanel : public SetupLogic {
 protected:
  // A stored log with totals in the record (bands 1, 2 and 6) or in the
  // extra record, reopened.
  const TScorePanel& Open(bool inExtra) {
    TContestRecord r{};
    uint8_t* p = r.data();
    rec::SetChar(p, crec::kTyp, 'V');
    const int qsos[] = {10, 5, 0, 0, 0, 2, 0};
    const int mults[] = {4, 0, 0, 0, 0, 1, 0};
    const int points[] = {30, 7, 0, 0, 0, 6, 0};
    for (int n = 1; n <= 7; ++n) {
      const crec::SlotOffsets s = crec::SlotAt(n);
      rec::SetUInt16(p, s.qsos, static_cast<uint16_t>(qsos[n - 1]));
      rec::SetUInt16(p, s.mults, static_cast<uint16_t>(mults[n - 1]));
      rec::SetInt32(p, s.points, points[n - 1]);
    }
    p[crec::kTotalsPlace] = inExtra ? 255 : 0;
    list.ClearRecord();
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Add());
    list.GetContestRecord(r);
    TContestExtraRecord x{};
    rec::SetInt32(x.data(), xrec::kNummer, rec::GetInt32(r.data(), crec::kNummer));
    for (int slot : {1, 2, 40}) {
      rec::SetInt32(x.data(), xrec::QsosAt(slot), 100 * slot);
      rec::SetInt32(x.data(), xrec::MultsAt(slot), slot == 2 ? 0 : 3);
      rec::SetInt32(x.data(), xrec::PointsAt(slot), 10 * slot);
    }
    extra.ClearRecord();
    extra.SetExtraRecord(x);
    EXPECT_TRUE(extra.Add());
    logic = std::make_unique<TContestSetupLogic>(true, false, 'V', list, extra, *desc);
    logic->Fill(in, view);
    return logic->Score();
  }
};

TEST_F(ScorePanel, RecordTotalsMultipliedWithTheBandRows) {
  desc->MultiplierKinds = {MultiplierKind::Locator};
  desc->BandLetters[1] = 'c';
  const TScorePanel& s = Open(false);
  EXPECT_EQ(s.Rows[0].Qsos, "   10");
  EXPECT_EQ(s.Rows[5].Points, "    6");
  EXPECT_TRUE(s.Rows[0].Visible);
  EXPECT_TRUE(s.Rows[1].MultiVisible);
  EXPECT_FALSE(s.Rows[2].Visible);
  EXPECT_FALSE(s.Rows[0].Band.empty());
  EXPECT_EQ(s.QsoTotal, "17 QSO");
  EXPECT_EQ(s.MultiTotal, "5 Multi x");
  EXPECT_EQ(s.PointsTotal, "43 Punkte =");
  EXPECT_EQ(s.FinalScore, "215 Pkt.");
}

TEST_F(ScorePanel, NoMultipliersGivesThePointsAlone) {
  const TScorePanel& s = Open(false);
  EXPECT_FALSE(s.MultiEnabled);
  EXPECT_EQ(s.MultiTotal, "");
  EXPECT_EQ(s.PointsTotal, "");
  EXPECT_EQ(s.FinalScore, "43 Pkt.");
}

TEST_F(ScorePanel, ExtraRecordSumsAllSlotsAndModeOneTakesTheFirstBand) {
  desc->MultiplierKinds = {MultiplierKind::Locator};
  desc->MultiplierMode = 1;
  desc->MultiplierCaptions[0] = "PLZ";
  desc->NoScoreFormula = true;
  const TScorePanel& s = Open(true);
  EXPECT_EQ(s.Rows[1].Qsos, "  200");
  EXPECT_FALSE(s.MultiHeadingsVisible);
  EXPECT_FALSE(s.Rows[0].MultiVisible);
  EXPECT_EQ(s.QsoTotal, "4300 QSO");
  EXPECT_EQ(s.MultiTotal, "3 PLZ");
  EXPECT_EQ(s.FinalScore, "430 Pkt.");  // no formula: the points
}

TEST_F(ScorePanel, PerBandScoreCountsSlotsWithoutMultipliersByTheirPoints) {
  desc->MultiplierKinds = {MultiplierKind::Locator};
  desc->PerBandScore = true;
  desc->MultiplierCaptions[0] = "Prefix";
  const TScorePanel& s = Open(true);
  // 3 x 10 + 20 + 3 x 400
  EXPECT_EQ(s.FinalScore, "1250 Pkt.");
  EXPECT_EQ(s.MultiTotal, "6 Prefixe");
  EXPECT_EQ(s.PointsTotal, "430 Punkte");
  EXPECT_FALSE(s.PointsTotalVisible);
}

// ---------------------------------------------------------------------------
// Per-contest inputs

TEST_F(SetupLogic, NumberLettersShowAndStoreTheirNumbers) {
  struct Case {
    char letter;
    std::string typed;
    int32_t stored;
    std::string shownAgain;
  };
  const Case cases[] = {
      {'5', "XX", -1, "XX"}, {'5', "7", 7, "07"},    {'q', "xx", -1, "XX"},
      {'6', "NM", -1, "NM"}, {'6', "0", -1, "NM"},   {'6', "123", 123, "123"},
      {'7', "0", -1, "0"},   {'4', "12ab", 12, "12"}, {'k', "abc", 0, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.letter) + " " + c.typed);
    Make(c.letter);
    in.Jahre = c.typed;
    ASSERT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
    EXPECT_EQ(rec::GetInt32(Stored(Nummer()).data(), crec::kZusatzWert), c.stored);
    TContestSetupInputs again;
    TContestSetupView v;
    TContestSetupLogic reopened(true, false, c.letter, list, extra, *desc);
    reopened.Fill(again, v);
    EXPECT_EQ(again.Jahre, c.shownAgain);
    EXPECT_TRUE(v.ZusatzVisible);
  }
  EXPECT_TRUE(msgs.History().empty());
}

TEST_F(SetupLogic, EmptyNumberStopsOnlyTheLettersThatCount) {
  Make('5');
  in.Jahre = "";
  msgs.Expect(Kind::Achtung, "DARC-Alter");
  TSaveOutcome out = logic->Save(TSetupSender::Ok, in);
  EXPECT_FALSE(out.Stored);
  EXPECT_EQ(out.Focus, "eJahre");
  // The silent save shows the message and goes on.
  msgs.Expect(Kind::Achtung, "DARC-Alter");
  EXPECT_TRUE(logic->Save(TSetupSender::None, in).Stored);

  Make('4');
  in.Jahre = " ";
  msgs.Expect(Kind::Achtung, "BRZ-Mitgliedschaft");
  out = logic->Save(TSetupSender::Start, in);
  EXPECT_TRUE(out.Stored);  // the message alone
  EXPECT_EQ(out.ModalResult, 1);
  EXPECT_TRUE(msgs.AllShown());
}

TEST_F(SetupLogic, TextLettersStoreTheirText) {
  Make('i');
  in.Jahre = "mf 1234";
  in.Category = 5;
  desc->Classes[5].Text = "SWL";
  ASSERT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_EQ(rec::GetStr(Stored(Nummer()).data(), crec::kZusatzText, crec::kZusatzTextCap),
            "MF 123");
  in.Jahre = "";  // category 6: no club needed
  EXPECT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_TRUE(msgs.History().empty());

  Make('p');
  in.Jahre = "";
  in.Category = 0;
  msgs.Expect(Kind::JaNeinFrage, "DSW- bzw. Paddel-Nummer", false);
  const TSaveOutcome out = logic->Save(TSetupSender::Start, in);
  EXPECT_FALSE(out.Stored);
  EXPECT_EQ(out.Focus, "eJahre");
  EXPECT_EQ(msgs.History()[0].caption, "Contest");
  EXPECT_TRUE(msgs.History()[0].defaultYes);
}

TEST_F(SetupLogic, DistrictPresetFollowsTheDok) {
  Make('U');
  EXPECT_TRUE(view.FrageVisible);
  EXPECT_EQ(view.FrageCaption, "Distrikt");
  in.HmJa = false;
  in.Dok = "x12";
  logic->DokChanged(in);
  EXPECT_FALSE(in.HmJa);
  in.Dok = "Z44";
  logic->DokChanged(in);
  EXPECT_TRUE(in.HmJa);
  in.Dok = "U05";
  in.HmJa = false;
  logic->DokChanged(in);
  EXPECT_TRUE(in.HmJa);
  ASSERT_TRUE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_EQ(Stored(Nummer())[crec::kMitglied], 255);
}

TEST_F(SetupLogic, StationMemoIsWrittenForAStoredLogAndLoadedAgain) {
  EXPECT_EQ(TContestSetupLogic::StationFileName('b', 7), ProgramDirectory + "OQRP     7.STN");
  EXPECT_EQ(TContestSetupLogic::StationFileName('j', 12), ProgramDirectory + "mssprint    12.STN");
  EXPECT_EQ(TContestSetupLogic::StationFileName('4', 7), "");

  Make('v');
  in.Memo.clear();
  msgs.Expect(Kind::Achtung, "Angaben zur Station");
  TSaveOutcome out = logic->Save(TSetupSender::Ok, in);
  EXPECT_FALSE(out.Stored);
  EXPECT_EQ(out.Focus, "memogroupzusatz3");

  in.Memo = "IC-7300\nDipol";
  in.MrrNr = "m 4711";
  out = logic->Save(TSetupSender::Ok, in);
  ASSERT_TRUE(out.Stored);
  const std::string file = TContestSetupLogic::StationFileName('v', Nummer());
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(file, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"IC-7300", "Dipol"}));
  EXPECT_EQ(rec::GetStr(Stored(Nummer()).data(), crec::kZusatzText, crec::kZusatzTextCap),
            "M 4711");

  TContestSetupInputs again;
  TContestSetupView v;
  TContestSetupLogic reopened(true, false, 'v', list, extra, *desc);
  reopened.Fill(again, v);
  EXPECT_EQ(again.Memo, "IC-7300\nDipol");
  EXPECT_EQ(again.MrrNr, "M 4711");
  EXPECT_EQ(v.Zusatz3Caption, "RIG");
  EXPECT_TRUE(v.MrrVisible);
}

TEST_F(SetupLogic, StationMemoOfAFailedSaveIsNotWritten) {
  Make('b');
  in.Name.clear();
  msgs.Expect(Kind::Achtung, "Contest-Namens");
  EXPECT_FALSE(logic->Save(TSetupSender::Ok, in).Stored);
  EXPECT_FALSE(FileExistsAnsi(TContestSetupLogic::StationFileName('b', 0)));
}

}  // namespace

namespace {

TEST_F(SetupLogic, MemberNumberIsLookedUpOnlyForAnInputStillAtZero) {
  {
    TdbCall calls(0, false);
    calls.ClearRecord();
    calls.SetCall("DL1ABC");
    calls.SetDIG("4711");
    calls.SetAGCW("");
    ASSERT_TRUE(calls.Add());
  }
  Make('7');
  in.Call = "dl1abc";
  in.Jahre = " 0";
  logic->CallLeft(in);
  EXPECT_EQ(in.Jahre, "4711");
  in.Jahre = "12";  // typed by the user: kept
  logic->CallLeft(in);
  EXPECT_EQ(in.Jahre, "12");

  Make('f');  // no AGCW number: stays "0"
  in.Call = "DL1ABC";
  in.Jahre = "0";
  logic->CallLeft(in);
  EXPECT_EQ(in.Jahre, "0");
}

}  // namespace
