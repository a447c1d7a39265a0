#pragma once
// Field-by-field comparison of two contest descriptions, naming the field
// and entry that differ.
#include <gtest/gtest.h>

#include <string>

#include "contest/ContestRec.h"

template <typename Array>
void ExpectSameEntries(const Array& actual, const Array& expected, const char* field) {
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(actual[i], expected[i]) << field << " entry " << i + 1;
}

inline void ExpectSameSet(const TByteSet& actual, const TByteSet& expected, const char* field) {
  for (int e = 0; e <= 255; ++e)
    EXPECT_EQ(actual.Contains(e), expected.Contains(e)) << field << " element " << e;
}

inline void ExpectSameDescription(const TContestRec& a, const TContestRec& e) {
  EXPECT_EQ(a.SwlLog, e.SwlLog) << "SwlLog";
  ExpectSameEntries(a.Modes, e.Modes, "Modes");
  ExpectSameEntries(a.BandLetters, e.BandLetters, "BandLetters");
  ExpectSameSet(a.MultiplierKinds, e.MultiplierKinds, "MultiplierKinds");
  for (size_t i = 0; i < e.Periods.size(); ++i) {
    SCOPED_TRACE("Periods entry " + std::to_string(i + 1));
    EXPECT_EQ(a.Periods[i].Date, e.Periods[i].Date);
    EXPECT_EQ(a.Periods[i].Date2, e.Periods[i].Date2);
    EXPECT_EQ(a.Periods[i].FromTime, e.Periods[i].FromTime);
    EXPECT_EQ(a.Periods[i].ToTime, e.Periods[i].ToTime);
    ExpectSameEntries(a.Periods[i].Bands, e.Periods[i].Bands, "Bands");
  }
  EXPECT_EQ(a.ContestNumber, e.ContestNumber) << "ContestNumber";
  ExpectSameEntries(a.MultiplierCaptions, e.MultiplierCaptions, "MultiplierCaptions");
  EXPECT_EQ(a.TitleLine, e.TitleLine) << "TitleLine";
  ExpectSameEntries(a.ReceivedKinds, e.ReceivedKinds, "ReceivedKinds");
  ExpectSameEntries(a.SentKinds, e.SentKinds, "SentKinds");
  ExpectSameEntries(a.SentDefaults, e.SentDefaults, "SentDefaults");
  EXPECT_EQ(a.DupeRule, e.DupeRule) << "DupeRule";
  ExpectSameEntries(a.CheckDoks, e.CheckDoks, "CheckDoks");
  ExpectSameEntries(a.CheckDistricts, e.CheckDistricts, "CheckDistricts");
  ExpectSameEntries(a.BonusStations, e.BonusStations, "BonusStations");
  ExpectSameEntries(a.BonusDoks, e.BonusDoks, "BonusDoks");
  ExpectSameEntries(a.BonusDistricts, e.BonusDistricts, "BonusDistricts");
  ExpectSameEntries(a.SpecialDoks, e.SpecialDoks, "SpecialDoks");
  ExpectSameEntries(a.SpecialDistricts, e.SpecialDistricts, "SpecialDistricts");
  EXPECT_EQ(a.DisplayTitle, e.DisplayTitle) << "DisplayTitle";
  EXPECT_EQ(a.EditionTitle, e.EditionTitle) << "EditionTitle";
  EXPECT_EQ(a.EditionName, e.EditionName) << "EditionName";
  for (size_t i = 0; i < e.Classes.size(); ++i) {
    SCOPED_TRACE("Classes entry " + std::to_string(i + 1));
    EXPECT_EQ(a.Classes[i].Text, e.Classes[i].Text);
    EXPECT_EQ(a.Classes[i].Period, e.Classes[i].Period);
    EXPECT_EQ(a.Classes[i].Name, e.Classes[i].Name);
  }
  EXPECT_EQ(a.FirstDate, e.FirstDate) << "FirstDate";
  EXPECT_EQ(a.LastDate, e.LastDate) << "LastDate";
  EXPECT_EQ(a.StartTime, e.StartTime) << "StartTime";
  EXPECT_EQ(a.EndTime, e.EndTime) << "EndTime";
  EXPECT_EQ(a.TimeZoneHours, e.TimeZoneHours) << "TimeZoneHours";
  EXPECT_EQ(a.ExtraText, e.ExtraText) << "ExtraText";
  EXPECT_EQ(a.LogOption, e.LogOption) << "LogOption";
  EXPECT_EQ(a.MultiplierMode, e.MultiplierMode) << "MultiplierMode";
  ExpectSameSet(a.OutputKinds, e.OutputKinds, "OutputKinds");
  ExpectSameSet(a.ExtraKinds, e.ExtraKinds, "ExtraKinds");
  EXPECT_EQ(a.NoScoreFormula, e.NoScoreFormula) << "NoScoreFormula";
  EXPECT_EQ(a.Flag3, e.Flag3) << "Flag3";
  EXPECT_EQ(a.PerBandScore, e.PerBandScore) << "PerBandScore";
  EXPECT_EQ(a.MemberClub, e.MemberClub) << "MemberClub";
  EXPECT_EQ(a.MemberClub2, e.MemberClub2) << "MemberClub2";
  EXPECT_EQ(a.AutoBand, e.AutoBand) << "AutoBand";
  ExpectSameEntries(a.ExchangeCaptions, e.ExchangeCaptions, "ExchangeCaptions");
  EXPECT_EQ(a.CabrilloBand, e.CabrilloBand) << "CabrilloBand";
  EXPECT_EQ(a.CabrilloMode, e.CabrilloMode) << "CabrilloMode";
  EXPECT_EQ(a.CabrilloSpare, e.CabrilloSpare) << "CabrilloSpare";
  EXPECT_EQ(a.CabrilloContest, e.CabrilloContest) << "CabrilloContest";
  EXPECT_EQ(a.CabrilloPower, e.CabrilloPower) << "CabrilloPower";
  EXPECT_EQ(a.CabrilloAssisted, e.CabrilloAssisted) << "CabrilloAssisted";
  EXPECT_EQ(a.CabrilloOperator, e.CabrilloOperator) << "CabrilloOperator";
}
