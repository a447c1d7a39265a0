#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RecordExpect.h"
#include "contest/ContestDefs.h"
#include "contest/ContestLetters.h"
#include "base/kxdates.h"
#include "base/recfields.h"

namespace {

int32_t Day(const char* date) { return ToDates.DateStringToDate(date, "dd.mm.yyyy"); }

// A contest-list record of a log of the party.
TContestRecord PartyLog(int32_t clubNumber, const char* firstDate = "20.12.2015") {
  TContestRecord list{};
  rec::SetChar(list.data(), crec::kTyp, '4');
  rec::SetInt32(list.data(), crec::kDatumVon, Day(firstDate));
  rec::SetInt32(list.data(), crec::kZusatzWert, clubNumber);
  rec::SetStr(list.data(), crec::kDok, crec::kDokCap, "Z11");
  rec::SetStr(list.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  return list;
}

TContestEnvironment Station(const char* locator, int biasMinutes = -60) {
  TContestEnvironment env;
  rec::SetStr(env.Station.data(), stationrec::kLocator, stationrec::kLocatorCap, locator);
  rec::SetStr(env.Station.data(), stationrec::kName, stationrec::kNameCap, "Hans Peter");
  env.UtcBiasMinutes = biasMinutes;
  env.Today = Day("06.12.2026");
  return env;
}

// The description of the party as the rules of letter '4' state it.
std::unique_ptr<TContestRec> PartyDescription(const std::string& clubNumber,
                                              const std::string& square,
                                              const std::string& title, int32_t zoneHours) {
  auto e = std::make_unique<TContestRec>();
  e->EditionName = "Ostrelon";
  e->EditionTitle = "Ostrelon Version 2015-2.0";
  e->TitleLine = std::string("Ostrelon Version 2015-2.0") + Edition::Notice;
  e->ContestNumber = 500010401;
  e->DupeRule = 2;
  e->DisplayTitle = title;
  e->CabrilloContest = "BRZ-PARTY";
  e->FirstDate = "20.12.2015";
  e->LastDate = "20.12.2015";
  e->StartTime = "08:00:00";
  e->EndTime = "10:00:00";
  e->Classes[0].Text = "alle";
  e->Periods[0].Date = "20.12.2015";
  e->Periods[0].FromTime = "08:00:00";
  e->Periods[0].ToTime = "09:00:00";
  e->Periods[0].Bands[0] = 'b';
  e->Periods[1].Date = "20.12.2015";
  e->Periods[1].FromTime = "09:00:00";
  e->Periods[1].ToTime = "10:00:00";
  e->Periods[1].Bands[0] = 'c';
  e->AutoBand = true;
  e->OutputKinds = {1, 2, 4, 5, 6, 7, 9};
  e->Modes[0] = "CW";
  e->BandLetters[0] = 'b';
  e->BandLetters[1] = 'c';
  e->MultiplierMode = 1;
  e->MultiplierKinds = {5};
  e->ExchangeCaptions[0] = "BRZ-Nr";
  e->ExchangeCaptions[1] = "Loc";
  e->ReceivedKinds = {ExchangeKind::FreeText, ExchangeKind::Locator, ExchangeKind::None};
  e->SentKinds = {ExchangeKind::FreeText, ExchangeKind::Locator, ExchangeKind::None};
  e->MultiplierCaptions[0] = "Nr";
  e->MultiplierCaptions[1] = "Loc";
  e->SentDefaults[0] = clubNumber;
  e->SentDefaults[1] = square;
  e->TimeZoneHours = zoneHours;
  return e;
}

}  // namespace

TEST(BrzParty, LogWithClubNumberGetsEveryFieldOfTheRules) {
  TContestRecord list = PartyLog(123);
  const TContestRecord before = list;
  auto rec = std::make_unique<TContestRec>();
  std::vector<std::string> warnings;
  EXPECT_TRUE(DefineContestRules(*rec, list, Station("JO31LK"), '4', &warnings));

  ExpectSameDescription(*rec, *PartyDescription("123", "JO31", "BRZ-Party 2015", -1));
  EXPECT_TRUE(warnings.empty());
  // The only change to the list record: the totals live in the extra record.
  EXPECT_EQ(list[crec::kTotalsPlace], 255);
  for (size_t i = 0; i < list.size(); ++i)
    if (i != crec::kTotalsPlace) {
      EXPECT_EQ(list[i], before[i]) << "list record byte " << i;
    }
}

TEST(BrzParty, LogWithoutClubNumberAndShortLocator) {
  for (int32_t number : {0, -1}) {
    SCOPED_TRACE(number);
    TContestRecord list = PartyLog(number, "05.01.2016");
    auto rec = std::make_unique<TContestRec>();
    // Bias -150 minutes: 2.5 hours east, cut toward zero to 2 hours.
    DefineContestRules(*rec, list, Station("JO3", -150), '4');
    ExpectSameDescription(*rec, *PartyDescription("", "JO3", "BRZ-Party 2016", -2));
  }
}

TEST(BrzParty, RefillReplacesEverythingOfAnEarlierDescription) {
  auto rec = std::make_unique<TContestRec>();
  rec->SwlLog = true;
  rec->Modes[5] = "SSB";
  rec->BonusDoks[0] = "Z99";
  rec->Classes[3].Text = "alt";
  rec->CabrilloPower = "HIGH";
  TContestRecord list = PartyLog(7);
  DefineContestRules(*rec, list, Station("JO31LK", 0), '4');
  ExpectSameDescription(*rec, *PartyDescription("7", "JO31", "BRZ-Party 2015", 0));
}

TEST(BrzParty, ModesAndBandsDoNotFollowTheClassPosition) {
  for (uint8_t position : {0, 1, 5}) {
    TContestRecord list = PartyLog(1);
    list[crec::kTeilnahmeart] = position;
    auto rec = std::make_unique<TContestRec>();
    DefineContestRules(*rec, list, Station("JO31LK"), '4');
    EXPECT_EQ(rec->ModeCount(), 1) << int(position);
    EXPECT_EQ(rec->BandCount(), 2) << int(position);
  }
}

TEST(BrzParty, TitleWithoutFirstDateShowsNoYear) {
  TContestRecord list = PartyLog(1);
  rec::SetInt32(list.data(), crec::kDatumVon, 0);
  auto rec = std::make_unique<TContestRec>();
  DefineContestRules(*rec, list, Station("JO31LK"), '4');
  EXPECT_EQ(rec->DisplayTitle, "BRZ-Party");

  rec::SetInt32(list.data(), crec::kDatumVon, -1);  // the bad date
  DefineContestRules(*rec, list, Station("JO31LK"), '4');
  EXPECT_EQ(rec->DisplayTitle, "BRZ-Party");
}

TEST(UnknownLetter, GivesTheClearedDescriptionWithZoneHoursAndDefaultOutputs) {
  for (char letter : {'x', 'w', '0', '\0'}) {
    SCOPED_TRACE(int(letter));
    TContestRecord list = PartyLog(123);
    const TContestRecord before = list;
    auto rec = std::make_unique<TContestRec>();
    rec->Modes[0] = "CW";  // left over from an earlier fill
    rec->DupeRule = 2;
    EXPECT_FALSE(DefineContestRules(*rec, list, Station("JO31LK", 120), letter));
    EXPECT_FALSE(IsDefinedContestLetter(letter));

    auto expected = std::make_unique<TContestRec>();
    expected->TimeZoneHours = 2;
    expected->OutputKinds = TByteSet::Range(1, 7);
    ExpectSameDescription(*rec, *expected);
    EXPECT_EQ(list, before);  // nothing to remember for an unknown contest
  }
  EXPECT_TRUE(IsDefinedContestLetter('4'));
}

// --- sources of the sent-exchange defaults ---------------------------------

TEST(ContestBuilder, FirstNameIsCutToItsRoomAndNeverBelowNothing) {
  TContestRecord list{};
  TContestEnvironment env = Station("JO31");
  auto rec = std::make_unique<TContestRec>();
  TContestBuilder b(*rec, list, env, nullptr);
  EXPECT_EQ(b.FirstName(), "Hans");
  EXPECT_EQ(b.FirstName(2), "Ha");
  EXPECT_EQ(b.FirstName(0), "");
  EXPECT_EQ(b.FirstName(16 - 13 - 7), "");  // a long DOK leaves no room

  rec::SetStr(env.Station.data(), stationrec::kName, stationrec::kNameCap, "Maximilianusss");
  TContestBuilder whole(*rec, list, env, nullptr);
  EXPECT_EQ(whole.FirstName(13), "Maximilianuss");
  EXPECT_EQ(whole.FirstName(), "Maximilianusss");
}

TEST(ContestBuilder, PerContestNumberInItsFourForms) {
  TContestRecord list{};
  const TContestEnvironment env = Station("JO31");
  auto rec = std::make_unique<TContestRec>();
  TContestBuilder b(*rec, list, env, nullptr);

  rec::SetInt32(list.data(), crec::kZusatzWert, 7);
  EXPECT_EQ(b.ContestNumberText(TNumberText::Plain), "7");
  EXPECT_EQ(b.ContestNumberText(TNumberText::TwoDigits), "07");
  EXPECT_EQ(b.ContestNumberText(TNumberText::FiveDigits), "00007");
  EXPECT_EQ(b.ContestNumberText(TNumberText::PositiveOnly), "7");

  rec::SetInt32(list.data(), crec::kZusatzWert, 123456);
  EXPECT_EQ(b.ContestNumberText(TNumberText::TwoDigits), "123456");

  rec::SetInt32(list.data(), crec::kZusatzWert, -1);
  EXPECT_EQ(b.ContestNumberText(TNumberText::Plain), "-1");
  EXPECT_EQ(b.ContestNumberText(TNumberText::PositiveOnly), "");
}

TEST(ContestBuilder, ClassPositionZeroMeansFirstUnlessTheLetterSaysNone) {
  TContestRecord list{};
  const TContestEnvironment env = Station("JO31");
  auto rec = std::make_unique<TContestRec>();
  TContestBuilder b(*rec, list, env, nullptr);

  EXPECT_EQ(b.ChosenClass(4), 1);
  EXPECT_EQ(b.ChosenClass(4, true), 0);
  list[crec::kTeilnahmeart] = 4;
  EXPECT_EQ(b.ChosenClass(4), 4);
  EXPECT_EQ(b.ChosenClass(4, true), 4);
  list[crec::kTeilnahmeart] = 5;
  EXPECT_EQ(b.ChosenClass(4), 0);
}

TEST(ContestBuilder, ForeignCallsByTheirFirstTwoCharacters) {
  for (const char* domestic : {"DL1ABC", "DA0HQ", "DH1X", "DJ2YA", "DR1A", "", "D", "O"})
    EXPECT_FALSE(IsForeignCall(domestic)) << domestic;
  for (const char* foreign : {"DI1A", "DS2AB", "DZ1A", "OE1ABC", "PA3X", "9A1A"})
    EXPECT_TRUE(IsForeignCall(foreign)) << foreign;
}

TEST(ContestBuilder, TablesFillFromTheFirstEntryAndClearTheRest) {
  TContestRecord list{};
  const TContestEnvironment env = Station("JO31");
  auto rec = std::make_unique<TContestRec>();
  rec->Classes[5].Text = "alt";
  rec->Periods[4].Date = "01.01.2000";
  TContestBuilder b(*rec, list, env, nullptr);

  constexpr TClassDef classes[] = {{"A: eins", "Klasse A", 2}, {"B: zwei", "Klasse B", 0}};
  constexpr TPeriodDef periods[] = {{"01.02.2015", "07:00:00", "09:00:00", "bcegikl"}};
  b.SetClasses(classes);
  b.SetPeriods(periods);
  b.SetModes({"SSB", "CW"});
  b.SetBands("ab");
  b.SetBands("k");  // a second call replaces the list

  EXPECT_EQ(rec->ClassCount(), 2);
  EXPECT_EQ(rec->Classes[0].Name, "Klasse A");
  EXPECT_EQ(rec->Classes[0].Period, 2);
  EXPECT_TRUE(rec->Classes[5].Text.empty());
  EXPECT_EQ(std::string(rec->Periods[0].Bands.data(), 7), "bcegikl");
  EXPECT_EQ(rec->Periods[0].Bands[7], '\0');
  EXPECT_TRUE(rec->Periods[0].Date2.empty());
  EXPECT_TRUE(rec->Periods[4].Date.empty());
  EXPECT_EQ(rec->ModeCount(), 2);
  EXPECT_EQ(rec->BandCount(), 1);
  EXPECT_EQ(rec->BandLetters[0], 'k');
}
