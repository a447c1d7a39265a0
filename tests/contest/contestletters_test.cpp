// The contest definitions of every letter, checked against the published
// rules field by field (the tables below are typed from the rules, not from
// the definitions).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestDefs.h"
#include "tests/contest/KindNumbers.h"
#include "contest/ContestFkt.h"
#include "base/kxdates.h"
#include "base/recfields.h"

namespace {

int32_t Day(const char* date) { return ToDates.DateStringToDate(date, "dd.mm.yyyy"); }

// A log of a domestic station with DOK Z11 in class 1, started in 2015.
TContestRecord Log(char letter, int position = 1, const char* dok = "Z11",
                   const char* call = "DL1ABC") {
  TContestRecord list{};
  rec::SetChar(list.data(), crec::kTyp, letter);
  rec::SetInt32(list.data(), crec::kDatumVon, Day("01.06.2015"));
  rec::SetInt32(list.data(), crec::kZusatzWert, -1);
  rec::SetStr(list.data(), crec::kDok, crec::kDokCap, dok);
  rec::SetStr(list.data(), crec::kCall, crec::kCallCap, call);
  rec::SetStr(list.data(), crec::kPLZ, crec::kPLZCap, "18055");
  list[crec::kTeilnahmeart] = static_cast<uint8_t>(position);
  return list;
}

TContestEnvironment Env(const char* name = "Hans Peter") {
  TContestEnvironment env;
  rec::SetStr(env.Station.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO64AC");
  rec::SetStr(env.Station.data(), stationrec::kName, stationrec::kNameCap, name);
  env.Today = Day("06.12.2026");
  return env;
}

std::unique_ptr<TContestRec> Define(TContestRecord list, const TContestEnvironment& env = Env(),
                                    std::vector<std::string>* warnings = nullptr) {
  auto rec = std::make_unique<TContestRec>();
  const char letter = static_cast<char>(list[crec::kTyp]);
  EXPECT_TRUE(DefineContestRules(*rec, list, env, letter, warnings)) << letter;
  return rec;
}

std::string Modes(const TContestRec& r) {
  std::string s;
  for (int i = 0; i < r.ModeCount(); ++i) s += (i ? " " : "") + r.Modes[i].str();
  return s;
}
std::string Bands(const TContestRec& r) { return std::string(r.BandLetters.data(), r.BandCount()); }
template <size_t N>
std::string Letters(const std::array<char, N>& a) {
  return std::string(a.data(), std::find(a.begin(), a.end(), '\0') - a.begin());
}
std::string SetText(const TByteSet& s) {
  std::string t;
  for (int e = 0; e <= 255; ++e)
    if (s.Contains(e)) t += (t.empty() ? "" : ",") + std::to_string(e);
  return t;
}
int ListCount(const std::array<TStr255, 100>& list) {
  int n = 0;
  for (const TStr255& s : list) n += s.empty() ? 0 : 1;
  return n;
}

constexpr char kAllLetters[] = "VBDqHEFJR5PGNSTLUIlZCKAfYoOQ123c678sm9a4bdeghijknprWuXtv";

// ---------------------------------------------------------------------------
// The table of the 56 contests, class 1 of a domestic station.

struct TRow {
  char Letter;
  const char* NameShown;  // nullptr: the name comes with the edition texts
  const char* Title;      // with a first date in 2015
  const char* TitleNoDate;
  const char* First;
  const char* Last;
  const char* Start;
  const char* End;
  int Dupe;
  int Classes;
  std::array<int32_t, 3> Received;
  std::array<const char*, 3> Captions;
  std::array<const char*, 3> MultCaptions;
  const char* MultKinds;
  const char* Outputs;
};

const TRow kRows[] = {
    {'V', "Mecklenburg-Vorpommern - Contest", "MVP-Contest 2015", "MVP-Contest", "21.03.2015",
     "21.03.2015", "13:00:00", "18:30:00", 1, 9, {4, 99, 0}, {"DOK", "", ""}, {"DOK", "DXCC", ""},
     "2,4", "1,2,3,4,5,6,7,8,12"},
    {'B', "Baden - Württemberg Aktivität", "BWA-Contest 2015", "BWA-Contest", "04.04.2015",
     "04.04.2015", "07:00:00", "12:00:00", 1, 4, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "DXCC", ""},
     "2,3,4", "1,2,3,4,5,6,7"},
    {'D', "Deutschland Contest des DTC e.V.", "DTC-Contest 2015", "DTC-Contest", "06.04.2015",
     "06.04.2015", "06:00:00", "09:00:00", 2, 4, {7, 4, 0}, {"Nr", "DOK", ""},
     {"DOK", "DXCC", "Callmulti"}, "2,3,4,10", "1,2,3,4,5,6,7"},
    {'q', "Handtastenparty", "Handtastenparty 2015", "Handtastenparty", "", "", "", "", 2, 8,
     {7, 99, 99}, {"Nr", "Klasse", "Name + Alter"}, {"", "", ""}, "", "1,2,3,4,5,6,7"},
    {'H', "Holyland - Contest", "Holyland-Contest 2015", "Holyland-Contest", "", "", "00:00:01",
     "23:59:59", 1, 7, {8, 0, 0}, {"Area", "", ""}, {"Area", "", ""}, "8", "1,2,3,4,5,6,7,10"},
    {'E', "Europatag der Schulstationen", "Europatag der Schulstationen",
     "Europatag der Schulstationen", "05.05.2015", "05.05.2015", "10:00:00", "16:00:00", 3, 2,
     {6, 20, 0}, {"LOC", "Name", ""}, {"WAE", "", ""}, "2,3,9,14", "1,2,4,5,6"},
    {'F', "Aktivitätswettbewerb Franken", "Aktivitätswettbewerb Franken",
     "Aktivitätswettbewerb Franken", "09.05.2015", "10.05.2015", "16:00:00", "10:00:00", 2, 6,
     {7, 4, 0}, {"Nr", "DOK", ""}, {"DOK", "", ""}, "4", "1,2,4,5,6"},
    {'J', "Hamburg Contest", "Hamburg Contest", "Hamburg Contest", "24.05.2015", "24.05.2015",
     "10:00:00", "18:00:00", 2, 2, {4, 6, 0}, {"DOK", "LOC", ""}, {"DOK", "DXCC", "Loc"},
     "2,3,4,5", "1,2,3,4,5,6"},
    {'R', "Rheinland-Pfalz - Aktivitätsabende", "Rheinland-Pfalz - Aktivitätsabende",
     "Rheinland-Pfalz - Aktivitätsabende", "03.10.2015", "03.10.2015", "18:00:00", "20:00:00", 2,
     12, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "Callmulti", ""}, "4,10", "1,2,3,4,5,6"},
    {'5', "Funkertag-QSO-Party", "Funkertag-QSO-Party 2015", "Funkertag-QSO-Party 2015",
     "13.06.2015", "13.06.2015", "06:00:00", "16:00:00", 1, 4, {99, 0, 0}, {"", "", ""},
     {"Prefix", "", ""}, "1", "3,4,5,6"},
    {'P', "Februar-QSO-Party", nullptr, nullptr, "01.02.2015", "01.02.2015", "07:00:00",
     "16:00:00", 1, 4, {99, 0, 0}, {"", "", ""}, {"Prefix", "", ""}, "1", "3,4,5,6"},
    {'G', "Hessencontest", "Hessencontest 2015", "Hessencontest 2015", "16.05.2015", "17.05.2015",
     "14:00:00", "10:00:00", 1, 10, {7, 4, 0}, {"Nr", "DOK", ""}, {"DOK", "", ""}, "4",
     "1,2,3,4,5,6"},
    {'N', "Nordic Activity Contest", "Nordic Activity Contest", "Nordic Activity Contest",
     "06.12.2026", "06.12.2026", "17:00:00", "21:00:00", 2, 5, {6, 0, 0}, {"LOC", "", ""},
     {"Loc", "", ""}, "5", "1,2,3,4,5,6,13"},
    {'S', "Aktivitätswettbewerbe H, S, W", "Aktivitätswettbewerbe H, S, W",
     "Aktivitätswettbewerbe H, S, W", "29.08.2015", "29.08.2015", "06:00:00", "15:00:00", 9, 8,
     {7, 4, 0}, {"Nr", "DOK", ""}, {"DOK", "", ""}, "4", "1,2,3,4,5,6"},
    {'T', "Thüringen-Contest", "Thüringen-Contest", "Thüringen-Contest", "19.09.2015",
     "19.09.2015", "06:00:00", "16:00:00", 9, 13, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "", ""}, "4",
     "1,2,3,4,5,6"},
    {'L', "Kurzcontest Ruhrgebiet", "Kurzcontest Ruhrgebiet", "Kurzcontest Ruhrgebiet",
     "27.09.2015", "27.09.2015", "07:00:00", "11:00:00", 9, 9, {4, 0, 0}, {"DOK", "", ""},
     {"DOK", "", ""}, "4", "1,2,3,4,5,6"},
    {'U', "Bayern-Ost-Contest", "Bayern-Ost-Contest", "Bayern-Ost-Contest", "17.10.2015",
     "18.10.2015", "06:00:00", "10:00:00", 1, 12, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "", ""}, "4",
     "1,2,3,4,5,6"},
    {'I', "Kurzwellenaktivitätstag Nordsee", "Kurzwellenaktivitätstag des Distriktes Nordsee",
     "Kurzwellenaktivitätstag des Distriktes Nordsee", "03.10.2008", "03.10.2008", "08:00:00",
     "11:30:00", 1, 2, {4, 0, 0}, {"DOK", "", ""}, {"", "", ""}, "4", "1,2,3,4,5,6"},
    {'l', "Aktivitätstag Nordsee", "Aktivitätstag des Distriktes Nordsee",
     "Aktivitätstag des Distriktes Nordsee", "03.10.2015", "03.10.2015", "08:00:00", "16:00:00", 2,
     4, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "", ""}, "4", "1,2,3,4,5,6"},
    {'Z', "IPARC-Contest", "IPARC-Contest", "IPARC-Contest", "", "", "06:00:00", "18:00:00", 1, 3,
     {11, 99, 12}, {"", "", "US-State"}, {"DXCC", "US-State", ""}, "2,3,12", "1,2,3,4,5,6"},
    {'C', "Brandenburg-Berlin-Contest", "Brandenburg-Berlin-Contest 2015",
     "Brandenburg-Berlin-Contest", "06.12.2015", "06.12.2015", "07:00:00", "11:00:00", 1, 5,
     {4, 0, 0}, {"DOK", "", ""}, {"DOK", "", ""}, "4", "1,2,3,4,5,6,7,8,10"},
    {'K', "Herbstcontest Köln-Aachen", "Herbst-Contest Köln-Aachen 2015",
     "Herbst-Contest Köln-Aachen", "21.11.2015", "22.11.2015", "08:30:00", "20:30:00", 8, 8,
     {13, 4, 0}, {"", "DOK", ""}, {"DOK", "", ""}, "4", "1,2,3,4,5,6"},
    {'A', "Deutscher Telegraphie-Contest", "Deutscher Telegraphie-Contest 2015",
     "Deutscher Telegraphie-Contest", "03.10.2015", "03.10.2015", "07:00:00", "10:00:00", 2, 4,
     {0, 0, 0}, {"LDK", "", ""}, {"", "", ""}, "", "1,2,3,4,5,6,7"},
    {'f', "Happy New Year-Contest", "Happy New Year-Contest 2015", "Happy New Year-Contest",
     "01.01.2016", "01.01.2016", "09:00:00", "12:00:00", 2, 3, {7, 16, 0}, {"", "", ""},
     {"AGCW", "", ""}, "16", "1,2,3,4,5,6,7"},
    {'Y', "VFDB-Contest", "VFDB-Contest", "VFDB-Contest", "10.10.2015", "10.10.2015", "07:00:00",
     "11:00:00", 1, 6, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "", ""}, "4", "1,2,4,5,6"},
    {'o', "VFDB-Aktivitätstage", "VFDB-Aktivitätstage", "VFDB-Aktivitätstage", "09.11.2015",
     "15.11.2015", "00:00:00", "23:59:59", 4, 4, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "", ""},
     "4,18", "1,2,4,5,6"},
    {'O', "Aktivitätswochenende Schleswig-Holstein", "Aktivitätswochenende SH",
     "Aktivitätswochenende SH", "14.11.2015", "15.11.2015", "07:00:00", "19:00:00", 2, 14,
     {20, 4, 0}, {"Name", "DOK", ""}, {"DOK", "DXCC", ""}, "2,3,4,14", "1,2,4,5,6"},
    {'Q', "Schwabenkontest", "Schwaben-Contest 2016", "Schwaben-Contest 2016", "02.01.2016",
     "02.01.2016", "07:00:00", "16:00:00", 1, 2, {4, 0, 0}, {"DOK", "", ""}, {"", "", ""}, "",
     "1,2,3,4,5,6,7,8,10"},
    {'1', "DARC 10 m-Contest", "DARC 10-m-Contest 2015", "DARC 10-m-Contest", "10.01.2016",
     "10.01.2016", "09:00:00", "11:00:00", 2, 6, {7, 4, 0}, {"", "DOK", ""}, {"DOK", "DXCC", ""},
     "2,3,4,14", "1,2,4,5,6,7,8,9,10"},
    {'2', "Westfalen Nord QRP Aktivitäts Contest", "WNQAC", "WNQAC", "", "", "19:00:00",
     "21:00:00", 2, 1, {4, 5, 0}, {"DOK", "LOC", ""}, {"DOK", "Loc", ""}, "4,5", "1,2,3,4,5,6"},
    {'3', "Westfalen Nord Contest", "WNC", "WNC", "", "", "", "", 2, 2, {4, 0, 0},
     {"DOK", "", ""}, {"DOK", "", ""}, "4", "1,2,3,4,5,6"},
    {'c', "Westfalen Nord Aktivitätstag", "Westfalen Nord Aktivitätstag",
     "Westfalen Nord Aktivitätstag", "", "", "19:00", "21:00", 5, 1, {4, 0, 0}, {"DOK", "", ""},
     {"DOK", "", ""}, "4", "1,2,3,4,5,6"},
    {'6', "HSC-CW-Contest", "HSC-CW-Contest", "HSC-CW-Contest", "02.11.2014", "02.11.2014",
     "09:00:00", "17:00:00", 4, 6, {99, 0, 0}, {"", "", ""}, {"", "", ""}, "", "1,2,3,4,5,6"},
    {'7', "DIG-QSO-Party", "DIG-QSO-Party", "DIG-QSO-Party", "", "", "", "", 1, 4, {16, 0, 0},
     {"", "", ""}, {"DXCC", "DIG", ""}, "2,3,14,16", "1,2,3,4,5,6"},
    {'8', "AGCW - VHF/UHF-Contest", "AGCW - VHF/UHF-Contest 2016", "AGCW - VHF/UHF-Contest 2016",
     "", "", "", "", 9, 6, {7, 99, 6}, {"", "", "LOC"}, {"", "", ""}, "", "1,2,4,5,6,7,10,13"},
    {'s', "QRP/QRP-Party der AGCW", "QRP/QRP-Party der AGCW 2015", "QRP/QRP-Party der AGCW 2015",
     "01.05.2015", "01.05.2015", "14:00", "20:00", 2, 2, {7, 99, 0}, {"", "", ""}, {"", "", ""},
     "2,3", "1,2,3,4,5,6,7,10"},
    {'m', "Großraum-Mobilwettbewerb 80m", "Großraum-Mobilwettbewerb 80m 2015",
     "Großraum-Mobilwettbewerb 80m", "", "", "05:30", "07:30", 2, 1, {99, 6, 0},
     {"Teiln.Nr.", "LOC", ""}, {"", "", ""}, "", "1,2,4,5,6,7,10"},
    {'9', "IARU-Region-1-Fieldday", "IARU-Region-1-Fieldday 2015", "IARU-Region-1-Fieldday", "",
     "", "", "", 2, 6, {7, 0, 0}, {"", "", ""}, {"DXCC", "", ""}, "2,3,14", "1,2,4,5,6,7,9,10"},
    {'a', "Nordrhein-Aktivität", "Nordrhein-Aktivität 2016", "Nordrhein-Aktivität 2016",
     "09.01.2016", "09.01.2016", "08:00", "17:00", 2, 7, {20, 4, 0}, {"Name", "DOK", ""},
     {"DOK", "", ""}, "4", "1,2,3,4,5,6,7,10"},
    {'4', "Party des Brazelund e.V.", "BRZ-Party 2015", "BRZ-Party", "20.12.2015", "20.12.2015",
     "08:00:00", "10:00:00", 2, 1, {99, 5, 0}, {"BRZ-Nr", "Loc", ""}, {"Nr", "Loc", ""}, "5",
     "1,2,4,5,6,7,9"},
    {'b', "Original-QRP-Contest", "Original-QRP-Contest 2015", "Original-QRP-Contest",
     "02.01.2016", "03.01.2016", "15:00", "15:00", 2, 4, {7, 99, 0}, {"", "Klasse", ""},
     {"DXCC", "", ""}, "2,3", "1,2,3,4,5,6,7,10"},
    {'d', "SAAR-Contest", "SAAR-Contest 2015", "SAAR-Contest", "18.07.2015", "18.07.2015",
     "06:00", "10:00", 1, 7, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "", ""}, "4", "1,2,3,4,5,6,7,10"},
    {'e', "Nord-Contest", "Nord-Contest 2015", "Nord-Contest", "18.04.2014", "19.04.2014",
     "13:00", "16:00", 1, 2, {7, 5, 4}, {"", "", "DOK"}, {"Loc", "DOK", ""}, "4,5",
     "1,2,4,5,6,7,10"},
    {'g', "Nordsee-Contest UKW", "UKW Nordsee-Contest 2015", "UKW Nordsee-Contest", "15.11.2008",
     "16.11.2008", "08:30", "17:00", 1, 2, {7, 5, 4}, {"", "LOC", "DOK"}, {"Loc", "DOK", ""},
     "4,5", "1,2,4,5,6,7,10"},
    {'h', "Rheinland-Pfalz - Aktivitätswoche", "Rheinland-Pfalz - Aktivitätswoche",
     "Rheinland-Pfalz - Aktivitätswoche", "01.01.2016", "07.01.2016", "00:00:00", "23:59:59", 4,
     8, {4, 0, 0}, {"DOK", "", ""}, {"DOK", "Callmulti", ""}, "4,10", "1,2,3,4,5,6"},
    {'i', "Naval-Contest", "Naval-Contest", "Naval-Contest", "10.12.2011", "11.12.2011",
     "16:00:00", "15:59:00", 2, 5, {19, 0, 0}, {"", "", ""}, {"Naval", "", ""}, "19",
     "1,2,4,5,6,10"},
    {'j', "MMMonVHF MS SPRINT CONTEST", "MSSprint-Contest", "MSSprint-Contest", "12.08.2012",
     "13.08.2012", "12:00:00", "12:00:00", 2, 3, {6, 0, 0}, {"LOC", "", ""}, {"", "", ""}, "",
     "1,2,4,5,6,10"},
    {'k', "QCWA-Party", "QCWA-Party", "QCWA-Party", "07.09.2015", "07.09.2015", "15:00:00",
     "16:00:00", 1, 1, {19, 0, 0}, {"", "", ""}, {"DXCC", "QCWA", "Callmulti"}, "2,3,10,14,19",
     "1,2,3,4,5,6,7"},
    {'n', "IBFD-Aktivitätstag", "IBFD-Aktivitätstag", "IBFD-Aktivitätstag", "15.10.2010",
     "15.10.2010", "15:00", "19:00", 2, 6, {16, 0, 0}, {"", "", ""}, {"IBFD", "", ""}, "19",
     "1,2,4,5,6"},
    {'p', "DSW-Kurzcontest", "DSW-Kurzcontest", "DSW-Kurzcontest", "30.12.2015", "30.12.2015",
     "13:00:00", "18:00:00", 1, 4, {19, 6, 0}, {"DSW/Paddel", "", ""}, {"DSW", "", ""}, "19",
     "1,2,4,5,6"},
    {'r', "YL-Party", "YL-Party 2015", "YL-Party", "14.03.2015", "15.03.2015", "19:00:00",
     "21:00:00", 2, 2, {20, 7, 4}, {"Name", "Nr", "DOK"}, {"DXCC", "DOK", ""}, "2,3,4",
     "1,2,4,5,6,7"},
    {'W', "Worked All Germany (WAG) Contest", "Worked All Germany (WAG) Contest",
     "Worked All Germany (WAG) Contest", "17.10.2015", "18.10.2015", "15:00:00", "14:59:59", 8, 7,
     {7, 0, 0}, {"lfd.Nr. / DOK", "", ""}, {"DXCC", "", ""}, "2,3,14", "1,2,3,4,5,6,9"},
    {'u', "DARC-Ausbildungs-Contest", "DARC-Ausbildungscontest", "DARC-Ausbildungscontest",
     "17.10.2015", "17.10.2015", "12:00:00", "14:30:00", 1, 3, {4, 0, 0},
     {"DOK / lfd.Nr.", "", ""}, {"Distrikt", "DXCC", ""}, "2,3,14,18", "1,2,3,4,5,6,9"},
    {'X', nullptr, "DARC-Weihnachtscontest", "DARC-Weihnachtscontest", "26.12.2015", "26.12.2015",
     "08:30:00", "10:59:00", 2, 4, {4, 0, 0}, {"DOK / lfd.Nr.", "", ""}, {"DOK", "Prefix", ""},
     "1,4", "1,2,4,5,6,9"},
    {'t', nullptr, "DARC-Ostercontest", "DARC-Ostercontest", "06.04.2015", "06.04.2015",
     "15:00:00", "17:30:00", 2, 4, {4, 0, 0}, {"DOK / lfd.Nr.", "", ""}, {"DOK", "Prefix", ""},
     "1,4", "1,2,4,5,6,9"},
    // The name shown begins with a blank, unlike the display title.
    {'v', " Military on the Air Aktivität der MRR", "Military on the Air Aktivität der MRR",
     "Military on the Air Aktivität der MRR", "12.11.2015", "12.11.2015", "17:00:00", "20:00:00",
     7, 2, {7, 99, 0}, {"MRR", "RIG", ""}, {"", "", ""}, "", "1,2,4,5,6"},
};

}  // namespace

TEST(ContestLetters, EveryLetterIsDefinedAndMarksItsTotalsInTheExtraRecord) {
  ASSERT_EQ(std::size(kRows), 56u);
  for (char letter : std::string_view(kAllLetters)) {
    SCOPED_TRACE(letter);
    EXPECT_TRUE(IsDefinedContestLetter(letter));
    TContestRecord list = Log(letter);
    auto rec = std::make_unique<TContestRec>();
    EXPECT_TRUE(DefineContestRules(*rec, list, Env(), letter));
    EXPECT_EQ(list[crec::kTotalsPlace], 255);
    EXPECT_EQ(rec->EditionName, Edition::Name);
    EXPECT_EQ(rec->TitleLine, std::string(Edition::Title) + Edition::Notice);
    const int32_t number = letter == 'V' ? 500010201 : letter == 'B' ? 500010301 : 500010401;
    EXPECT_EQ(rec->ContestNumber, number);
  }
}

TEST(ContestLetters, TableOfTheContestsInClassOne) {
  TContestFkt fkt;
  fkt.Services().ContestDirectory = [] { return std::string("contest/"); };
  for (const TRow& row : kRows) {
    SCOPED_TRACE(std::string("letter ") + row.Letter);
    auto r = Define(Log(row.Letter));

    if (row.NameShown) {
      std::string name, picture;
      fkt.GetContestTitle(row.Letter, name, picture);
      EXPECT_EQ(name, std::string("\"") + row.NameShown + "\"");
    }
    if (row.Title) {
      EXPECT_EQ(r->DisplayTitle, row.Title);
      TContestRecord undated = Log(row.Letter);
      rec::SetInt32(undated.data(), crec::kDatumVon, 0);
      EXPECT_EQ(Define(undated)->DisplayTitle, row.TitleNoDate);
    }
    EXPECT_EQ(r->FirstDate, row.First);
    EXPECT_EQ(r->LastDate, row.Last);
    EXPECT_EQ(r->StartTime, row.Start);
    EXPECT_EQ(r->EndTime, row.End);
    EXPECT_EQ(r->DupeRule, row.Dupe);
    EXPECT_EQ(r->ClassCount(), row.Classes);
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(r->ReceivedKinds[i], row.Received[i]) << "received field " << i + 1;
      EXPECT_EQ(r->ExchangeCaptions[i], row.Captions[i]) << "caption " << i + 1;
      EXPECT_EQ(r->MultiplierCaptions[i], row.MultCaptions[i]) << "multiplier caption " << i + 1;
    }
    EXPECT_EQ(SetText(r->MultiplierKinds), row.MultKinds);
    EXPECT_EQ(SetText(r->OutputKinds), row.Outputs);
  }
}

TEST(ContestLetters, ScoreFlagsByLetter) {
  const std::string modeOne = "ET5PoOQ4ijkpv";
  const std::string autoBand = "VJ74egu";
  for (char letter : std::string_view(kAllLetters)) {
    SCOPED_TRACE(letter);
    auto r = Define(Log(letter));
    const int mode = letter == 'G' ? 2 : modeOne.find(letter) != std::string::npos ? 1 : 0;
    EXPECT_EQ(r->MultiplierMode, mode);
    // U and C switch the automatic band by class; class 1 has it on for both.
    const bool autoOn = autoBand.find(letter) != std::string::npos || letter == 'U' || letter == 'C';
    EXPECT_EQ(r->AutoBand, autoOn);
    EXPECT_EQ(r->NoScoreFormula, std::string("5PN").find(letter) != std::string::npos);
    EXPECT_EQ(r->PerBandScore, letter == 'Z');
    EXPECT_EQ(r->Flag3, letter == 'J' || letter == 'G');
    EXPECT_EQ(r->LogOption, std::string("5PW").find(letter) != std::string::npos ? 1 : 0);
    EXPECT_EQ(SetText(r->ExtraKinds), letter == 'E' ? "5,6" : "");
  }
  // The class-dependent flags.
  EXPECT_FALSE(Define(Log('U', 5))->AutoBand);
  EXPECT_FALSE(Define(Log('U', 12))->AutoBand);
  EXPECT_TRUE(Define(Log('U', 7))->AutoBand);
  EXPECT_TRUE(Define(Log('C', 4))->AutoBand);
  EXPECT_FALSE(Define(Log('C', 2))->AutoBand);
  EXPECT_FALSE(Define(Log('G', 9))->AutoBand);
  EXPECT_TRUE(Define(Log('G', 10))->AutoBand);
  EXPECT_EQ(Define(Log('h', 6))->MultiplierMode, 1);
  EXPECT_EQ(Define(Log('h', 8))->MultiplierMode, 1);
  EXPECT_EQ(Define(Log('h', 5))->MultiplierMode, 0);
}

// ---------------------------------------------------------------------------
// Modes, bands and listener logs by class position.

struct TClassRow {
  char Letter;
  int Position;
  const char* Modes;
  const char* Bands;
  bool Swl;
};

const TClassRow kClassRows[] = {
    {'V', 1, "CW", "ab", false},
    {'V', 3, "DIGITAL", "ab", false},
    {'V', 7, "SSB CW FM PR", "kl", false},
    {'V', 8, "SSB CW FM PR DIGITAL", "abkl", false},
    {'V', 9, "SSB CW DIGITAL", "ab", true},
    {'B', 1, "SSB CW", "bc", false},
    {'B', 3, "SSB CW", "l", false},
    {'B', 4, "SSB CW", "bckl", true},
    {'D', 4, "CW", "bc", true},
    {'q', 1, "CW", "b", false},
    {'q', 4, "CW", "b", true},
    {'q', 5, "CW", "c", false},
    {'H', 2, "SSB", "abcegi", false},
    {'H', 7, "SSB CW DIGITAL", "abcegi", true},
    {'E', 1, "SSB CW FM DIGITAL", "abcegi", false},
    {'E', 2, "SSB CW FM DIGITAL", "kl", false},
    {'F', 4, "SSB CW FM PR", "l", false},
    {'F', 6, "SSB CW FM PR", "kl", true},
    {'J', 2, "SSB CW", "bckl", true},
    {'R', 2, "DIGITAL", "k", false},
    {'R', 9, "SSB CW FM DIGITAL", "i", false},
    {'R', 10, "CW", "b", false},
    {'5', 2, "SSB CW FM DIGITAL", "kl", false},
    {'5', 3, "DIGITAL", "bcegikl", false},
    {'P', 4, "SSB CW FM DIGITAL", "bcegikl", true},
    {'G', 8, "SSB CW", "mnopqs", false},
    {'G', 9, "SSB CW", "bc", true},
    {'N', 4, "SSB CW FM", "j", false},
    {'N', 5, "SSB CW FM", "npqs", false},
    {'S', 1, "CW", "bi", false},
    {'S', 5, "CW", "bc", true},
    {'T', 7, "SSB CW FM", "mnopqs", false},
    {'T', 11, "FM", "k", true},
    {'L', 2, "CW", "b", false},
    {'L', 9, "SSB CW", "l", true},
    {'U', 6, "SSB CW FM", "l", false},
    {'U', 9, "SSB", "b", true},
    {'I', 2, "SSB CW DIGITAL", "c", false},
    {'l', 2, "SSB CW FM DIGITAL", "i", false},
    {'Z', 3, "SSB CW", "bcegi", true},
    {'Z', 4, "", "", false},
    {'C', 3, "SSB CW", "b", false},
    {'C', 5, "SSB CW FM", "kl", true},
    {'K', 1, "SSB", "b", false},
    {'K', 3, "SSB FM", "k", false},
    {'K', 6, "CW", "i", false},
    {'A', 4, "CW", "bc", true},
    {'f', 3, "CW", "bce", false},
    {'Y', 3, "SSB CW", "k", false},
    {'Y', 6, "CW", "c", false},
    {'o', 1, "SSB CW FM DIGITAL", "klmnopq", false},
    {'o', 4, "SSB CW FM DIGITAL", "bc", true},
    {'O', 1, "CW", "cb", false},
    {'O', 10, "SSB CW FM", "kl", false},
    {'O', 13, "SSB CW FM", "cb", true},
    {'Q', 2, "CW SSB FM", "kl", false},
    {'1', 1, "SSB CW", "i", false},
    {'1', 6, "CW", "i", false},
    {'2', 1, "SSB CW FM", "k", false},
    {'3', 2, "SSB CW", "bci", true},
    {'c', 1, "SSB CW FM", "kl", false},
    {'6', 1, "CW", "bcgei", false},
    {'7', 1, "SSB", "bcegi", false},
    {'7', 4, "SSB CW FM", "l", false},
    {'8', 5, "CW", "k", false},
    {'8', 6, "CW", "l", false},
    {'s', 2, "CW", "bcegi", false},
    {'m', 1, "CW SSB FM", "bkl", false},
    {'9', 3, "CW SSB", "abcegi", false},
    {'a', 2, "SSB", "b", false},
    {'a', 7, "SSB CW", "m", false},
    {'b', 1, "CW", "bce", false},
    {'d', 5, "SSB CW FM", "i", false},
    {'d', 7, "DIGITAL", "b", false},
    {'e', 2, "CW SSB", "l", false},
    {'g', 1, "CW SSB", "klm", false},
    {'h', 3, "DIGITAL", "b", false},
    {'h', 6, "SSB CW FM DIGITAL", "lmnopqst", false},
    {'h', 8, "SSB CW FM DIGITAL", "abcdefghi", false},
    {'i', 1, "CW SSB", "bcgei", false},
    {'i', 2, "CW", "bcgei", false},
    {'i', 3, "SSB", "bcgei", false},
    {'j', 1, "CW SSB FSK441", "k", false},
    {'j', 3, "CW SSB", "k", false},
    {'k', 1, "SSB", "b", false},
    {'n', 4, "SSB CW FM", "k", true},
    {'n', 5, "SSB CW FM", "l", false},
    {'p', 3, "SSB CW FM", "k", false},
    {'p', 4, "SSB CW FM", "bk", true},
    {'r', 1, "SSB", "b", false},
    {'r', 2, "SSB FM", "k", false},
    {'W', 1, "CW", "bcegi", false},
    {'W', 4, "SSB CW", "bcegi", false},
    {'W', 7, "SSB CW", "bcegi", true},
    {'u', 3, "SSB CW", "bc", false},
    {'X', 2, "SSB CW", "bc", false},
    {'t', 4, "CW", "bc", false},
    {'v', 2, "SSB CW FM", "icba", false},
};

TEST(ContestLetters, ModesBandsAndListenersByClass) {
  for (const TClassRow& row : kClassRows) {
    SCOPED_TRACE(std::string("letter ") + row.Letter + " class " + std::to_string(row.Position));
    auto r = Define(Log(row.Letter, row.Position));
    EXPECT_EQ(Modes(*r), row.Modes);
    EXPECT_EQ(Bands(*r), row.Bands);
    EXPECT_EQ(r->SwlLog, row.Swl);
  }
}

TEST(ContestLetters, ClassPositionZeroIsTheFirstClassButForSevenLetters) {
  const std::string noneLetters = "19abdXt";
  for (char letter : std::string_view(kAllLetters)) {
    SCOPED_TRACE(letter);
    auto zero = Define(Log(letter, 0));
    auto first = Define(Log(letter, 1));
    if (noneLetters.find(letter) != std::string::npos) continue;
    EXPECT_EQ(Modes(*zero), Modes(*first));
    EXPECT_EQ(Bands(*zero), Bands(*first));
    EXPECT_EQ(zero->SentDefaults[0], first->SentDefaults[0]);
  }
  // The others keep their fixed modes but lose what the class decides.
  auto field = Define(Log('9', 0));
  EXPECT_EQ(Modes(*field), "CW SSB");
  EXPECT_TRUE(field->CabrilloPower.empty());
  EXPECT_EQ(Define(Log('b', 0))->SentDefaults[1], "");
  EXPECT_EQ(Define(Log('b', 2))->SentDefaults[1], "QRP");
  EXPECT_TRUE(Define(Log('X', 0))->CabrilloMode.empty());
}

// What each contest fixes whatever the class (typed from the table of the
// rules: modes and bands that are not class-dependent); a class-dependent
// field is empty here. Compared as sets of modes and of band letters.
struct TFixedRow {
  char Letter;
  const char* Modes;
  const char* Bands;
};
const TFixedRow kFixed[] = {
    {'V', "", ""},        {'B', "SSB CW", ""},        {'D', "CW", "bc"},
    {'q', "CW", ""},      {'H', "", "abcegi"},        {'E', "SSB CW FM DIGITAL", ""},
    {'F', "", ""},        {'J', "SSB CW", "bckl"},    {'R', "", ""},
    {'5', "SSB CW FM DIGITAL", ""},                   {'P', "SSB CW FM DIGITAL", ""},
    {'G', "", ""},        {'N', "SSB CW FM", ""},     {'S', "", ""},
    {'T', "", ""},        {'L', "SSB CW", ""},        {'U', "", ""},
    {'I', "SSB CW DIGITAL", ""},                      {'l', "", ""},
    {'Z', "", ""},  // the rules leave both empty above the third class
    {'C', "", ""},        {'K', "", ""},              {'A', "CW", "bc"},
    {'f', "CW", "bce"},   {'Y', "", ""},              {'o', "SSB CW FM DIGITAL", ""},
    {'O', "", ""},        {'Q', "", ""},              {'1', "", "i"},
    {'2', "SSB CW FM", "k"},                          {'3', "SSB CW", "bci"},
    {'c', "SSB CW FM", "kl"},                         {'6', "CW", "bcegi"},
    {'7', "", ""},        {'8', "CW", ""},            {'s', "CW", "bcegi"},
    {'m', "CW SSB FM", "bkl"},                        {'9', "CW SSB", "abcegi"},
    {'a', "", ""},        {'4', "CW", "bc"},          {'b', "CW", "bce"},
    {'d', "", ""},        {'e', "CW SSB", ""},        {'g', "CW SSB", "klm"},
    {'h', "", ""},        {'i', "CW SSB", "bcgei"},   {'j', "CW SSB FSK441", "k"},
    {'k', "SSB", "b"},    {'n', "SSB CW FM", ""},     {'p', "", ""},
    {'r', "", ""},        {'W', "SSB CW", "bcegi"},   {'u', "SSB CW", "bc"},
    {'X', "", "bc"},      {'t', "", "bc"},            {'v', "SSB CW FM", "icba"},
};

std::string SortedWords(const std::string& text) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start < text.size()) {
    const size_t blank = text.find(' ', start);
    const size_t end = blank == std::string::npos ? text.size() : blank;
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::sort(words.begin(), words.end());
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}
std::string SortedLetters(std::string text) {
  std::sort(text.begin(), text.end());
  return text;
}

TEST(ContestLetters, NoClassChosenKeepsWhatTheContestFixes) {
  ASSERT_EQ(std::size(kFixed), std::strlen(kAllLetters));
  for (const TFixedRow& row : kFixed) {
    SCOPED_TRACE(std::string("letter ") + row.Letter);
    int classes = 0;
    const auto plain = Define(Log(row.Letter));  // lives through the loop below
    for (const TContestClass& c : plain->Classes) classes += c.Text.empty() ? 0 : 1;
    // A position beyond the class list, and the highest one a record can hold.
    for (int position : {classes + 1, 255}) {
      auto r = Define(Log(row.Letter, position));
      EXPECT_EQ(SortedWords(Modes(*r)), SortedWords(row.Modes)) << position;
      EXPECT_EQ(SortedLetters(Bands(*r)), SortedLetters(row.Bands)) << position;
      EXPECT_FALSE(r->SwlLog) << position;
    }
  }
  // Position 0 chooses nothing for seven letters: they too keep what is fixed.
  for (const TFixedRow& row : kFixed) {
    if (std::string_view("19abdXt").find(row.Letter) == std::string_view::npos) continue;
    SCOPED_TRACE(std::string("letter ") + row.Letter + " position 0");
    auto r = Define(Log(row.Letter, 0));
    EXPECT_EQ(SortedWords(Modes(*r)), SortedWords(row.Modes));
    EXPECT_EQ(SortedLetters(Bands(*r)), SortedLetters(row.Bands));
  }
  // A new ten-metre log has its band before its class is chosen.
  EXPECT_EQ(Bands(*Define(Log('1', 0))), "i");
}

// ---------------------------------------------------------------------------
// Sent exchange defaults.

TEST(ContestLetters, YearsOfMembershipAsTwoDigitsOrXX) {
  for (char letter : {'5', 'P'}) {
    TContestRecord list = Log(letter);
    rec::SetInt32(list.data(), crec::kZusatzWert, 7);
    EXPECT_EQ(Define(list)->SentDefaults[0], "07") << letter;
    rec::SetInt32(list.data(), crec::kZusatzWert, 42);
    EXPECT_EQ(Define(list)->SentDefaults[0], "42") << letter;
    rec::SetInt32(list.data(), crec::kZusatzWert, 0);
    EXPECT_EQ(Define(list)->SentDefaults[0], "00") << letter;
    rec::SetInt32(list.data(), crec::kZusatzWert, -1);
    EXPECT_EQ(Define(list)->SentDefaults[0], "XX") << letter;
  }
  // The February party names the program edition in its title.
  const std::string title = Define(Log('P'))->DisplayTitle.str();
  EXPECT_NE(title.find(Edition::Name), std::string::npos) << title;
}

TEST(ContestLetters, FirstNameSharesItsRoomWithTheDok) {
  const TContestEnvironment env = Env("Maximilianuss Berg");
  // 16 - 3 = 13 characters: the whole first word.
  EXPECT_EQ(Define(Log('O', 1), env)->SentDefaults[0], "Maximilianuss");
  // The locator classes need 7 more: 6 characters are left.
  for (int position : {3, 5, 7, 10}) {
    auto r = Define(Log('O', position), env);
    EXPECT_EQ(r->SentDefaults[0], "Maximi") << position;
    EXPECT_EQ(r->SentKinds[2], 6) << position;
    EXPECT_EQ(r->SentDefaults[2], "JO64AC") << position;
  }
  EXPECT_EQ(Define(Log('O', 1), env)->SentDefaults[1], "Z11");
  // A long DOK leaves no room at all rather than a negative one.
  EXPECT_EQ(Define(Log('O', 3, "ABCDEFGHIJ"), env)->SentDefaults[0], "");
  EXPECT_EQ(Define(Log('a', 1, "ABCDEF"), env)->SentDefaults[0], "Maximilian");
  EXPECT_EQ(Define(Log('r', 1), env)->SentDefaults[0], "Maximilianuss");
  EXPECT_EQ(Define(Log('E', 1), env)->SentDefaults[1], "Maximilianuss");
}

TEST(ContestLetters, ForeignCallsSendASerialInsteadOfTheDok) {
  for (char letter : {'X', 't'}) {
    SCOPED_TRACE(letter);
    auto dl = Define(Log(letter, 1, "Z11", "DL1ABC"));
    EXPECT_EQ(dl->SentKinds[0], 4);
    EXPECT_EQ(dl->SentDefaults[0], "Z11");
    EXPECT_EQ(Define(Log(letter, 1, "", "DL1ABC"))->SentDefaults[0], "NM");
    for (const char* call : {"OE1ABC", "DI1AB"}) {
      auto foreign = Define(Log(letter, 1, "", call));
      EXPECT_EQ(foreign->SentKinds[0], 7) << call;
      EXPECT_EQ(foreign->SentDefaults[0], "") << call;
      EXPECT_EQ(foreign->ReceivedKinds[0], 4) << call;
    }
  }
  // Cabrillo categories of the Christmas contest like the 10 m contest's.
  auto xmas = Define(Log('X', 2));
  EXPECT_EQ(xmas->CabrilloContest, "DARC-XMAS");
  EXPECT_EQ(xmas->CabrilloPower, "HIGH");
  EXPECT_EQ(xmas->CabrilloMode, "MIXED");
  EXPECT_EQ(xmas->CabrilloOperator, "SINGLE-OP");
  EXPECT_EQ(xmas->CabrilloAssisted, "NON-ASSISTED");
  auto easter = Define(Log('t', 3));
  EXPECT_EQ(easter->CabrilloContest, "EASTER");
  EXPECT_EQ(easter->CabrilloPower, "LOW");
  EXPECT_EQ(easter->CabrilloMode, "CW");
}

TEST(ContestLetters, WagRulesForDomesticForeignAndListeners) {
  auto domestic = Define(Log('W', 3));
  EXPECT_EQ(domestic->SentKinds[0], 0);
  EXPECT_EQ(domestic->SentDefaults[0], "Z11");
  EXPECT_EQ(Define(Log('W', 1))->SentKinds[0], 4);

  auto foreign = Define(Log('W', 3, "", "PA3XYZ"));
  EXPECT_EQ(foreign->ReceivedKinds[0], 4);
  EXPECT_EQ(foreign->ExchangeCaptions[0], "DOK");
  EXPECT_EQ(foreign->SentKinds[0], 4);
  EXPECT_EQ(foreign->SentDefaults[0], "NM");
  EXPECT_EQ(foreign->MultiplierCaptions[0], "Distrikt");
  EXPECT_EQ(SetText(foreign->MultiplierKinds), "18,21");

  auto listener = Define(Log('W', 7));
  EXPECT_EQ(listener->ReceivedKinds[0], 4);
  EXPECT_EQ(listener->SentKinds[0], 7);
  EXPECT_EQ(listener->MultiplierCaptions[0], "Distrikt");
  EXPECT_EQ(SetText(listener->MultiplierKinds), "18");
  EXPECT_EQ(domestic->CabrilloContest, "WAG");
}

TEST(ContestLetters, MissingDokSwitchesTheSentField) {
  auto c = Define(Log('C', 1, ""));
  EXPECT_EQ(c->SentKinds[0], 7);
  EXPECT_EQ(c->SentDefaults[0], "");
  EXPECT_EQ(c->ExchangeCaptions[0], "Nr");
  EXPECT_EQ(Define(Log('C', 1))->SentKinds[0], 4);

  auto q = Define(Log('Q', 1, ""));
  EXPECT_EQ(q->SentKinds[0], 7);
  EXPECT_EQ(Define(Log('Q', 1))->SentDefaults[0], "Z11");

  auto ten = Define(Log('1', 1, ""));
  EXPECT_EQ(ten->SentKinds[1], 0);
  EXPECT_EQ(ten->SentDefaults[1], "");
  EXPECT_EQ(Define(Log('1', 1))->SentKinds[1], 4);

  EXPECT_EQ(Define(Log('u', 1, ""))->SentDefaults[0], "NM");
  auto abroad = Define(Log('u', 3));
  EXPECT_EQ(abroad->SentKinds[0], 7);
  EXPECT_EQ(abroad->SentDefaults[0], "");
}

TEST(ContestLetters, SentDefaultsFromNumbersTextsAndClasses) {
  TContestRecord list = Log('q', 6);
  rec::SetInt32(list.data(), crec::kZusatzWert, 67);
  auto htp = Define(list);
  EXPECT_EQ(htp->SentDefaults[1], "B");
  EXPECT_EQ(htp->SentDefaults[2], "Hans/67");
  EXPECT_EQ(Define(Log('q', 6))->SentDefaults[2], "Hans");

  list = Log('m');
  rec::SetInt32(list.data(), crec::kZusatzWert, 42);
  EXPECT_EQ(Define(list)->SentDefaults[0], "00042");
  EXPECT_EQ(Define(Log('m'))->SentDefaults[0], "");

  list = Log('6');
  EXPECT_EQ(Define(list)->SentDefaults[0], "NM");
  rec::SetInt32(list.data(), crec::kZusatzWert, 1234);
  EXPECT_EQ(Define(list)->SentDefaults[0], "1234");

  for (char letter : {'7', 'n', 'f'}) {
    list = Log(letter);
    rec::SetInt32(list.data(), crec::kZusatzWert, 815);
    auto r = Define(list);
    EXPECT_EQ(r->SentDefaults[letter == 'f' ? 1 : 0], "815") << letter;
  }

  EXPECT_EQ(Define(Log('8', 4))->SentDefaults[1], "B");
  EXPECT_EQ(Define(Log('8', 4))->SentDefaults[2], "JO64AC");
  EXPECT_EQ(Define(Log('s', 2))->SentDefaults[1], "B");
  EXPECT_EQ(Define(Log('b', 3))->SentDefaults[1], "MP");
  EXPECT_EQ(Define(Log('b', 4))->SentDefaults[1], "");

  // Postal code beside the DOK, the locator on VHF, nothing for listeners.
  auto mvp = Define(Log('V', 1));
  EXPECT_EQ(mvp->SentDefaults[1], "18055");
  auto mvpVhf = Define(Log('V', 6));
  EXPECT_EQ(mvpVhf->ReceivedKinds[1], 6);
  EXPECT_EQ(mvpVhf->SentDefaults[1], "JO64AC");
  auto mvpSwl = Define(Log('V', 9));
  EXPECT_EQ(mvpSwl->SentDefaults[0], "");
  EXPECT_EQ(mvpSwl->SentDefaults[1], "");

  // Four-character squares.
  EXPECT_EQ(Define(Log('2'))->SentDefaults[1], "JO64");
  EXPECT_EQ(Define(Log('U', 5))->SentDefaults[1], "JO64");
  EXPECT_EQ(Define(Log('Y', 4))->SentDefaults[1], "JO64");
  EXPECT_EQ(Define(Log('h', 5))->SentDefaults[1], "JO64");

  // Membership of the IPA club.
  list = Log('Z');
  EXPECT_EQ(Define(list)->SentDefaults[1], "");
  list[crec::kMitglied] = 255;
  EXPECT_EQ(Define(list)->SentDefaults[1], "IPA");

  // The DOK of the BWA log goes into the extra text.
  EXPECT_EQ(Define(Log('B'))->ExtraText, "Z11");
  EXPECT_EQ(Define(Log('A'))->SentDefaults[0], "");
  list = Log('A');
  rec::SetStr(list.data(), crec::kLDK, crec::kLDKCap, "HRO");
  EXPECT_EQ(Define(list)->SentDefaults[0], "HRO");
}

TEST(ContestLetters, DswSendsItsKindOnlyWithANumber) {
  TContestRecord list = Log('p', 3);
  auto none = Define(list);
  EXPECT_EQ(none->SentKinds[0], 0);
  rec::SetStr(list.data(), crec::kZusatzText, crec::kZusatzTextCap, "P123");
  auto r = Define(list);
  EXPECT_EQ(r->SentKinds[0], 19);
  EXPECT_EQ(r->SentDefaults[0], "P123");
  EXPECT_EQ(r->SentDefaults[1], "JO64AC");
  EXPECT_EQ(r->MultiplierCaptions[1], "Loc");
  EXPECT_EQ(SetText(r->MultiplierKinds), "5,19");
}

// ---------------------------------------------------------------------------
// Periods, lists and the special cases.

TEST(ContestLetters, HessenClassesPointAtTheirPeriods) {
  auto r = Define(Log('G', 1));
  const TContestPeriod& p1 = r->Periods[r->Classes[0].Period - 1];
  EXPECT_EQ(r->Classes[0].Period, 4);
  EXPECT_EQ(p1.Date, "17.05.2015");
  EXPECT_EQ(p1.FromTime, "06:00:00");
  EXPECT_EQ(p1.ToTime, "8:00:00");
  EXPECT_EQ(Letters(p1.Bands), "b");
  const TContestPeriod& p3 = r->Periods[r->Classes[2].Period - 1];
  EXPECT_EQ(r->Classes[2].Period, 5);
  EXPECT_EQ(p3.Date, "17.05.2015");
  EXPECT_EQ(p3.FromTime, "08:00:00");
  EXPECT_EQ(p3.ToTime, "10:00:00");
  EXPECT_EQ(Letters(p3.Bands), "c");
  // Locator field in the VHF classes only.
  EXPECT_EQ(r->ReceivedKinds[2], 0);
  EXPECT_EQ(Define(Log('G', 7))->ReceivedKinds[2], 6);
  EXPECT_EQ(Define(Log('G', 10))->SentDefaults[2], "JO64AC");
}

TEST(ContestLetters, HandKeyPartyFortyMeterListener) {
  auto r = Define(Log('q', 8));
  EXPECT_EQ(Bands(*r), "c");
  EXPECT_TRUE(r->SwlLog);
  EXPECT_EQ(r->SentDefaults[1], "D");
  EXPECT_EQ(r->Classes[7].Name, "HTP40 Klasse D");
}

TEST(ContestLetters, RlpWeekListenerWarnsAndStillFills) {
  std::vector<std::string> warnings;
  auto r = Define(Log('h', 7), Env(), &warnings);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], "SWL wird nicht unterstützt");
  EXPECT_EQ(r->BandCount(), 21);
  EXPECT_EQ(Modes(*r), "SSB CW FM DIGITAL");
  EXPECT_TRUE(r->SwlLog);
  EXPECT_EQ(ListCount(r->BonusStations), 0);
  EXPECT_EQ(r->DisplayTitle, "Rheinland-Pfalz - Aktivitätswoche");

  warnings.clear();
  auto first = Define(Log('h', 1), Env(), &warnings);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(ListCount(first->BonusStations), 8);
  EXPECT_EQ(first->BonusStations[7], "DL0YLK");
  EXPECT_EQ(Letters(first->BonusDistricts), "K");
  EXPECT_EQ(first->SpecialDoks[0], "Z11");
  // Classes 5 and 6 keep the club stations but not the DOK lists.
  auto vhf = Define(Log('h', 5));
  EXPECT_EQ(ListCount(vhf->BonusStations), 8);
  EXPECT_TRUE(vhf->SpecialDoks[0].empty());
  EXPECT_EQ(vhf->MultiplierCaptions[2], "Loc");
  EXPECT_EQ(vhf->ReceivedKinds[1], 5);
}

TEST(ContestLetters, BonusAndCheckListsAndDistricts) {
  auto mvp = Define(Log('V', 1));
  EXPECT_EQ(mvp->SpecialDoks[0], "MCM");
  EXPECT_TRUE(mvp->SpecialDoks[1].empty());
  EXPECT_EQ(mvp->SpecialDoks[7], "VO");
  EXPECT_EQ(Letters(mvp->SpecialDistricts), "V");
  EXPECT_TRUE(mvp->CheckDoks[0].empty());
  EXPECT_EQ(Letters(mvp->CheckDistricts), "");
  auto guests = Define(Log('V', 8));
  EXPECT_EQ(guests->CheckDoks[2], "MVP");
  EXPECT_EQ(Letters(guests->CheckDistricts), "V");
  EXPECT_EQ(guests->BonusDoks[7], "VO");
  EXPECT_EQ(Letters(guests->BonusDistricts), "V");

  auto wnc = Define(Log('3'));
  EXPECT_EQ(ListCount(wnc->BonusDoks), 18);
  EXPECT_EQ(wnc->BonusDoks[12], "13N");
  EXPECT_EQ(wnc->BonusDoks[17], "Z80");
  EXPECT_EQ(Letters(wnc->BonusDistricts), "N");
  EXPECT_EQ(ListCount(Define(Log('2'))->BonusDoks), 14);

  auto franken = Define(Log('F'));
  EXPECT_EQ(ListCount(franken->BonusDoks), 9);
  EXPECT_EQ(franken->BonusDoks[8], "VO");
  EXPECT_EQ(Letters(franken->BonusDistricts), "B");

  auto rlp = Define(Log('R'));
  EXPECT_EQ(rlp->BonusStations[0], "DA0RP");
  EXPECT_EQ(Letters(rlp->BonusDistricts), "K");

  auto vfdb = Define(Log('o'));
  EXPECT_EQ(Letters(vfdb->BonusDistricts), "ABCDEFGHIKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(Letters(vfdb->SpecialDistricts), "Z");

  auto nord = Define(Log('e'));
  EXPECT_EQ(Letters(nord->BonusDistricts), "EHIMV");
  EXPECT_EQ(Letters(nord->SpecialDistricts), "EHIMV");
  EXPECT_EQ(nord->BonusDoks[0], "Z01");

  auto saar = Define(Log('d', 1));
  EXPECT_EQ(saar->BonusDoks[1], "YLQ");
  EXPECT_EQ(saar->SpecialDoks[0], "Z19");
  EXPECT_TRUE(saar->SpecialDoks[1].empty());

  auto schwaben = Define(Log('Q'));
  EXPECT_EQ(ListCount(schwaben->SpecialDoks), 5);
  EXPECT_EQ(Letters(schwaben->SpecialDistricts), "T");
  EXPECT_EQ(ListCount(schwaben->BonusDoks), 0);

  auto brandenburg = Define(Log('C'));
  EXPECT_EQ(Letters(brandenburg->BonusDistricts), "DY");
  EXPECT_EQ(Define(Log('k'))->BonusStations[2], "DL0QCW");
  EXPECT_EQ(Define(Log('D'))->BonusStations[0], "DQ0E");
  EXPECT_EQ(Define(Log('K'))->BonusDoks[6], "YLG");
}

TEST(ContestLetters, CabrilloCategoriesByClass) {
  auto ten = Define(Log('1', 3));
  EXPECT_EQ(ten->CabrilloContest, "10M");
  EXPECT_EQ(ten->CabrilloPower, "LOW");
  EXPECT_EQ(ten->CabrilloMode, "CW");
  EXPECT_EQ(ten->CabrilloAssisted, "NON-ASSISTED");
  EXPECT_EQ(ten->CabrilloOperator, "SINGLE-OP");
  auto tenAbroad = Define(Log('1', 5));
  EXPECT_EQ(tenAbroad->CabrilloPower, "HIGH");
  EXPECT_EQ(tenAbroad->CabrilloMode, "MIXED");

  auto fd1 = Define(Log('9', 1));
  EXPECT_EQ(fd1->CabrilloContest, "IARU-FD-R1-DARC");
  EXPECT_EQ(fd1->CabrilloAssisted, "ASSISTED");
  EXPECT_EQ(fd1->CabrilloPower, "QRP");
  EXPECT_EQ(fd1->CabrilloOperator, "SINGLE-OP");
  auto fd2 = Define(Log('9', 2));
  EXPECT_EQ(fd2->CabrilloAssisted, "NON-ASSISTED");
  EXPECT_EQ(fd2->CabrilloPower, "LOW");
  EXPECT_EQ(fd2->CabrilloOperator, "MULTI-OP");
  auto fd6 = Define(Log('9', 6));
  EXPECT_EQ(fd6->CabrilloPower, "HIGH");
  EXPECT_EQ(fd6->CabrilloOperator, "SINGLE-OP");
  EXPECT_EQ(Define(Log('u'))->CabrilloContest, "AC");
  EXPECT_EQ(Define(Log('4'))->CabrilloContest, "BRZ-PARTY");
}

TEST(ContestLetters, ListenerClassesOfTheHswContestsSkipTheDupeCheck) {
  EXPECT_EQ(Define(Log('S', 4))->DupeRule, 9);
  EXPECT_EQ(Define(Log('S', 5))->DupeRule, 0);
  EXPECT_EQ(Define(Log('S', 8))->DupeRule, 0);
}

TEST(ContestLetters, NordicContestStartsToday) {
  TContestEnvironment env = Env();
  env.Today = Day("03.03.2026");
  auto r = Define(Log('N'), env);
  EXPECT_EQ(r->FirstDate, "03.03.2026");
  EXPECT_EQ(r->LastDate, "03.03.2026");
}

// ---------------------------------------------------------------------------
// The rig of the military contest comes from the log's station file.

namespace {
class TFakeFiles : public TContestFileReader {
 public:
  std::map<std::string, std::vector<std::string>> Files;
  std::vector<std::string> Asked;
  bool ReadLines(const std::string& fileName, std::vector<std::string>& lines) override {
    Asked.push_back(fileName);
    auto it = Files.find(fileName);
    if (it == Files.end()) return false;
    lines = it->second;
    return true;
  }
};
}  // namespace

TEST(ContestLetters, MilitaryRigFromTheStationFile) {
  TFakeFiles files;
  TContestEnvironment env = Env();
  env.Files = &files;
  TContestRecord list = Log('v');
  rec::SetInt32(list.data(), crec::kNummer, 42);
  rec::SetStr(list.data(), crec::kZusatzText, crec::kZusatzTextCap, "MRR17");

  auto missing = Define(list, env);
  ASSERT_EQ(files.Asked.size(), 1u);
  EXPECT_EQ(files.Asked[0], "mrr    42.STN");
  EXPECT_EQ(missing->SentDefaults[0], "MRR17");
  EXPECT_EQ(missing->SentDefaults[1], "");

  files.Files["mrr    42.STN"] = {};
  EXPECT_EQ(Define(list, env)->SentDefaults[1], "");

  files.Files["mrr    42.STN"] = {"IC-7300 mit 100 W an Dipol", "zweite Zeile"};
  EXPECT_EQ(Define(list, env)->SentDefaults[1], "IC-7300 mit ");

  // Without any file reader the file counts as missing.
  EXPECT_EQ(Define(list)->SentDefaults[1], "");
}

TEST(ContestLetters, ClassTextsAndNamesWhereTheRulesNameThem) {
  struct TName {
    char Letter;
    int Position;
    const char* Text;
    const char* Name;
  };
  const TName names[] = {
      {'V', 1, "A:KW,QRO Stn aus MVP,CW", "Klasse A"},
      {'V', 9, "S:KW, SWLs", "Klasse S"},
      {'B', 4, "4. SWL (Sektionen 1 - 3)", "Klasse 4"},
      {'J', 1, "alle (außer SWL)", "single op"},
      {'E', 2, "B VHF/UHF/SHF", "VHF-UHF-SHF"},
      {'O', 14, "So G: SWL UKW", "So_G"},
      {'Q', 2, "B: UKW 2m, 70cm", "B: UKW 2m, 70cm"},
      {'1', 1, "Single operator, mixed, low power", "DL_mixed_low"},
      {'1', 6, "Ausland Single operator, CW", "Ausland_CW"},
      {'7', 1, "KW Sendeamateure SSB", "KW-SSB"},
      {'8', 6, "C: mehr als 50W Output UHF 70cm", "UHF"},
      {'s', 2, "B: max 20 Watt Output", "Klasse B 20W"},
      {'b', 4, "Keine QRO-Klasse", "keine QRO-Klasse"},
      {'r', 2, "15.3. - 2m (SSB,FM)", "2m"},
      {'W', 7, "SWL, single operator", "SWL"},
      {'u', 3, "Stationen aus dem Ausland", "Ausland"},
      {'X', 4, "Single operator, CW, high power", "Single-CW-high"},
      {'k', 1, "alle", ""},
      {'v', 2, "12.November (1955: Gründung der Bundeswehr)", ""},
  };
  for (const TName& n : names) {
    auto r = Define(Log(n.Letter));
    const TContestClass& c = r->Classes[static_cast<size_t>(n.Position - 1)];
    EXPECT_EQ(c.Text, n.Text) << n.Letter << n.Position;
    EXPECT_EQ(c.Name, n.Name) << n.Letter << n.Position;
  }
  // The Naval contest's fifth class has its text in entry 5 and its name in entry 6.
  auto naval = Define(Log('i'));
  EXPECT_EQ(naval->Classes[4].Text, "F = Non Naval");
  EXPECT_TRUE(naval->Classes[4].Name.empty());
  EXPECT_TRUE(naval->Classes[5].Text.empty());
  EXPECT_EQ(naval->Classes[5].Name, "F");
  EXPECT_EQ(naval->Classes[3].Name, "D");
}
