// Contest letters V B D q H E F J R 5 P G N.
#include <string>

#include "contest/ContestLetters.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"

namespace {

using enum ExchangeKind;

// ---- 'V' ------------------------------------------------------------------

constexpr TPeriodDef kMvpPeriods[] = {
    {"21.03.2015", "13:00:00", "15:00:00", "b"},
    {"21.03.2015", "15:00:00", "16:30:00", "a"},
    {"21.03.2015", "16:30:00", "17:30:00", "l"},
    {"21.03.2015", "17:30:00", "18:30:00", "k"},
};
constexpr TClassDef kMvpClasses[] = {
    {"A:KW,QRO Stn aus MVP,CW", "Klasse A", 0},
    {"B:KW,QRO Stn aus MVP,SSB", "Klasse B", 0},
    {"C:KW,QRO Stn aus MVP,DIGIMODE", "Klasse C", 0},
    {"D:KW,QRO Stn aus MVP,MIXED MODE", "Klasse D", 0},
    {"E:KW,QRP<15 Watt,Stn aus MVP", "Klasse E", 0},
    {"F1:VHF und UHF > 10 Watt", "Klasse F1", 0},
    {"F2:VHF und UHF =< 10 Watt", "Klasse F2", 0},
    {"G:Gäste", "Klasse G", 0},
    {"S:KW, SWLs", "Klasse S", 0},
};
constexpr TClassModes kMvpModes[] = {
    {"CW", "ab"},
    {"SSB", "ab"},
    {"DIGITAL", "ab"},
    {"SSB CW DIGITAL", "ab"},
    {"SSB CW DIGITAL", "ab"},
    {"SSB CW FM PR", "kl"},
    {"SSB CW FM PR", "kl"},
    {"SSB CW FM PR DIGITAL", "abkl"},
    {"SSB CW DIGITAL", "ab", true},
};
constexpr const char* kMvpSpecialDoks[] = {"MCM", "", "MVP", "Z87", "Z89", "YLV", "DVV", "VO"};

// ---- 'B' ------------------------------------------------------------------

constexpr TPeriodDef kBwaPeriods[] = {
    {"04.04.2015", "07:00:00", "09:00:00", "bc"},
    {"04.04.2015", "09:00:00", "11:00:00", "k"},
    {"04.04.2015", "11:00:00", "12:00:00", "l"},
};
constexpr TClassDef kBwaClasses[] = {
    {"1. 3.5 und 7.0 MHz", "Klasse 1", 1},
    {"2. 144 MHz", "Klasse 2", 2},
    {"3. 432 MHz", "Klasse 3", 3},
    {"4. SWL (Sektionen 1 - 3)", "Klasse 4", 0},
};
constexpr TClassModes kBwaModes[] = {
    {"SSB CW", "bc"},
    {"SSB CW", "k"},
    {"SSB CW", "l"},
    {"SSB CW", "bckl", true},
};
constexpr const char* kBwaBonusDoks[] = {"Z06", "Z09", "UKW10"};

// ---- 'D' ------------------------------------------------------------------

constexpr TClassDef kDtcClasses[] = {
    {"Klasse 1: mehr als 25 W Output", "", 0},
    {"Klasse 2: 5 - 25 W Output", "", 0},
    {"Klasse 3: max. 5 W Output (QRP)", "", 0},
    {"Klasse 4: SWLs", "", 0},
};
constexpr const char* kDtcBonusStations[] = {"DQ0E"};

// ---- 'q' ------------------------------------------------------------------

constexpr TClassDef kHtpClasses[] = {
    {"HTP80 A: max. 5W Output", "HTP80 Klasse A", 0},
    {"HTP80 B: max. 100W Output", "HTP80 Klasse B", 0},
    {"HTP80 C: über 100W Output", "HTP80 Klasse C", 0},
    {"HTP80 D: SWL", "HTP80 Klasse D", 0},
    {"HTP40 A: max. 5W Output", "HTP40 Klasse A", 0},
    {"HTP40 B: max. 100W Output", "HTP40 Klasse B", 0},
    {"HTP40 C: über 100W Output", "HTP40 Klasse C", 0},
    {"HTP40 D: SWL", "HTP40 Klasse D", 0},
};
constexpr TClassModes kHtpModes[] = {
    {"CW", "b"}, {"CW", "b"}, {"CW", "b"}, {"CW", "b", true},
    {"CW", "c"}, {"CW", "c"}, {"CW", "c"}, {"CW", "c", true},
};

// ---- 'H' ------------------------------------------------------------------

constexpr TClassDef kHolylandClasses[] = {
    {"1A: Single Op All Band, Mix", "", 0},
    {"1B: Single Op All Band, SSB", "", 0},
    {"1C: Single Op All Band, CW", "", 0},
    {"1D: Single Op All Band, CW QRP", "", 0},
    {"1E: Single Op All Band, Digital", "", 0},
    {"2: Multi Op", "", 0},
    {"3: SWL", "", 0},
};
constexpr TClassModes kHolylandModes[] = {
    {"SSB CW", "abcegi"},         {"SSB", "abcegi"},
    {"CW", "abcegi"},             {"CW", "abcegi"},
    {"SSB CW DIGITAL", "abcegi"}, {"SSB CW DIGITAL", "abcegi"},
    {"SSB CW DIGITAL", "abcegi", true},
};

// ---- 'E' ------------------------------------------------------------------

constexpr TClassDef kSchoolClasses[] = {
    {"A HF", "HF", 0},
    {"B VHF/UHF/SHF", "VHF-UHF-SHF", 0},
};
constexpr TClassModes kSchoolModes[] = {
    {"SSB CW FM DIGITAL", "abcegi"},
    {"SSB CW FM DIGITAL", "kl"},
};

// ---- 'F' ------------------------------------------------------------------

constexpr TPeriodDef kFrankenPeriods[] = {
    {"10.05.2015", "07:00:00", "10:00:00", "cb"},
    {"09.05.2015", "16:00:00", "18:00:00", "k"},
    {"09.05.2015", "18:00:00", "19:00:00", "l"},
};
constexpr TClassDef kFrankenClasses[] = {
    {"A- KW 80/40m CW", "", 1},
    {"B- KW 80/40m SSB", "", 1},
    {"C- UKW 2m (alle Betriebsarten)", "", 2},
    {"D- UKW 70cm (alle Betriebsarten)", "", 3},
    {"E- SWL, 80/40m (CW/SSB)", "", 1},
    {"F- SWL, 2m/70cm (alle Betriebsarten)", "", 0},
};
constexpr TClassModes kFrankenModes[] = {
    {"CW", "bc"},       {"SSB", "bc"},          {"SSB CW FM PR", "k"},
    {"SSB CW FM PR", "l"}, {"SSB CW", "bc", true}, {"SSB CW FM PR", "kl", true},
};
constexpr const char* kFrankenSpecialDoks[] = {"Z15", "Z42", "Z51", "Z52", "Z61",
                                               "DC",  "DVB", "YLB", "VO"};

// ---- 'J' ------------------------------------------------------------------

constexpr TPeriodDef kHamburgPeriods[] = {
    {"24.05.2015", "10:00:00", "12:00:00", "c"},
    {"24.05.2015", "12:00:00", "14:00:00", "k"},
    {"24.05.2015", "14:30:00", "16:00:00", "l"},
    {"24.05.2015", "16:00:00", "18:00:00", "b"},
};
constexpr TClassDef kHamburgClasses[] = {
    {"alle (außer SWL)", "single op", 0},
    {"SWL", "SWL", 0},
};
constexpr TClassModes kHamburgModes[] = {
    {"SSB CW", "bckl"},
    {"SSB CW", "bckl", true},
};
constexpr const char* kHamburgSpecialDoks[] = {"Z07", "DARC"};

// ---- 'R' ------------------------------------------------------------------

constexpr TPeriodDef kRlpEveningPeriods[] = {
    {"13.05.2015", "18:00:00", "20:00:00", "k"},
    {"22.05.2015", "18:00:00", "19:00:00", "l"},
    {"17.07.2015", "18:00:00", "20:00:00", "i"},
    {"03.10.2015", "15:00:00", "17:00:00", "b"},
};
constexpr TClassDef kRlpEveningClasses[] = {
    {"13.05.2015  2 m CW", "2m-CW", 1},
    {"13.05.2015  2 m DIGITAL", "2m-DIGITAL", 1},
    {"13.05.2015  2 m alle Modi", "2m-alleModi", 1},
    {"22.05.2015  70 cm CW", "70cm-CW", 2},
    {"22.05.2015  70 cm DIGITAL", "70cm-DIGITAL", 2},
    {"22.05.2015  70 cm alle Modi", "70cm-alleModi", 2},
    {"17.07.2015  10 m CW", "10m-CW", 3},
    {"17.07.2015  10 m DIGITAL", "10m-DIGITAL", 3},
    {"17.07.2015  10 m alle Modi", "10m-alleModi", 3},
    {"03.10.2015  80 m CW", "80m-CW", 4},
    {"03.10.2015  80 m DIGITAL", "80m-DIGITAL", 4},
    {"03.10.2015  80 m alle Modi", "80m-alleModi", 4},
};
constexpr TClassModes kRlpEveningModes[] = {
    {"CW", "k"}, {"DIGITAL", "k"}, {"SSB CW FM DIGITAL", "k"},
    {"CW", "l"}, {"DIGITAL", "l"}, {"SSB CW FM DIGITAL", "l"},
    {"CW", "i"}, {"DIGITAL", "i"}, {"SSB CW FM DIGITAL", "i"},
    {"CW", "b"}, {"DIGITAL", "b"}, {"SSB CW FM DIGITAL", "b"},
};
constexpr const char* kRlpEveningSpecialDoks[] = {"Z11", "RTA"};

// ---- '5' and 'P' ----------------------------------------------------------

constexpr TClassDef kPartyCategories[] = {
    {"Kategorie A:  Sendeamateure Allband  ( 3,5 MHz bis 440 MHz )", "", 0},
    {"Kategorie B:  Sendeamateure UKW  ( 144 MHz bis 440 MHz )", "", 0},
    {"Kategorie C:  Sendeamateure nur Digital ( 3,5 MHz bis 440 MHz )", "", 0},
    {"Kategorie D:  SWL ( 3,5 MHz bis 440 MHz )", "", 0},
};
constexpr TClassModes kPartyModes[] = {
    {"SSB CW FM DIGITAL", "bcegikl"},
    {"SSB CW FM DIGITAL", "kl"},
    {"DIGITAL", "bcegikl"},
    {"SSB CW FM DIGITAL", "bcegikl", true},
};

// The common rules of the two membership parties; only dates and titles differ.
void DefineMembershipParty(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  r.DupeRule = DupeRule::BandAndMode;
  b.SetClasses(kPartyCategories);
  // Years of membership as two digits; -1 stands for "not given".
  const std::string years =
      b.ContestNumber() == -1 ? std::string("XX") : b.ContestNumberText(TNumberText::TwoDigits);
  b.SetExchange(1, "", FreeText, FreeText, years);
  b.SetMultiplierCaptions({"Prefix"});
  r.MultiplierKinds = {MultiplierKind::Prefix};
  r.LogOption = 1;
  r.MultiplierMode = 1;
  r.NoScoreFormula = true;
  r.OutputKinds = {3, 4, 5, 6};
  b.SetModeList("SSB CW FM DIGITAL");  // the digital class narrows them
  b.ApplyClassModes(kPartyModes, b.ChosenClass(4));
}

// ---- 'G' ------------------------------------------------------------------

constexpr TPeriodDef kHessenPeriods[] = {
    {"16.05.2015", "12:00:00", "15:00:00", "l"},
    {"16.05.2015", "15:00:00", "18:00:00", "k"},
    {"16.05.2015", "12:00:00", "15:00:00", "mnopqs"},
    {"17.05.2015", "06:00:00", "8:00:00", "b"},
    {"17.05.2015", "08:00:00", "10:00:00", "c"},
};
constexpr TClassDef kHessenClasses[] = {
    {"1 - 3,5 MHz CW", "", 4},
    {"2 - 3,5 MHz SSB", "", 4},
    {"3 - 7 MHz CW", "", 5},
    {"4 - 7 MHz SSB", "", 5},
    {"5 - 144 MHz SSB", "", 2},
    {"6 - 144 MHz CW/SSB", "", 2},
    {"7 - 432 MHz CW/SSB", "", 1},
    {"8 - 1,3 GHz und höher CW/SSB", "", 3},
    {"9 - SWL KW", "", 0},
    {"10 - SWL UKW", "", 0},
};
constexpr TClassModes kHessenModes[] = {
    {"CW", "b"},          {"SSB", "b"},          {"CW", "c"},
    {"SSB", "c"},         {"SSB", "k"},          {"CW SSB", "k"},
    {"CW SSB", "l"},      {"SSB CW", "mnopqs"},  {"SSB CW", "bc", true},
    {"SSB CW", "kl", true},
};
constexpr const char* kHessenSpecialDoks[] = {"Z05", "HT14"};

// ---- 'N' ------------------------------------------------------------------

constexpr TClassDef kNordicClasses[] = {
    {"1: erster Dienstag 2 m", "", 0},
    {"2: zweiter Dienstag 70 cm", "", 0},
    {"3: dritter Dienstag 23 cm", "", 0},
    {"4: vierter Dienstag 6 m", "", 0},
    {"5: vierter Dienstag 13cm und höher", "", 0},
};
constexpr TClassModes kNordicModes[] = {
    {"SSB CW FM", "k"}, {"SSB CW FM", "l"},    {"SSB CW FM", "m"},
    {"SSB CW FM", "j"}, {"SSB CW FM", "npqs"},
};

}  // namespace

// The RLP club stations, shared by the activity evenings and the activity week.
const std::array<const char*, 8> kRlpClubStations = {"DA0RP", "DF0RLP", "DF0RPJ", "DK0RLP",
                                                     "DL0RP", "DM0K",   "DL0K",   "DL0YLK"};

void DefineMvpContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.ContestNumber = 500010201;
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitleWithYear("MVP-Contest ");
  b.SetDates("21.03.2015", "21.03.2015", "13:00:00", "18:30:00");
  b.SetClasses(kMvpClasses);
  b.SetPeriods(kMvpPeriods);
  b.SetList(r.SpecialDoks, kMvpSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "V");
  b.SetMultiplierCaptions({"DOK", "DXCC"});
  r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::Dok};
  r.AutoBand = true;
  r.OutputKinds = TByteSet::Range(1, 8);
  r.OutputKinds.Include(12);

  const int cls = b.ChosenClass(9);
  b.ApplyClassModes(kMvpModes, cls);
  // The listeners send nothing of their own; everybody else the DOK and
  // either the postal code or, on VHF/UHF, the locator.
  const bool listener = cls == 9;
  b.SetExchange(1, "DOK", Dok, Dok, listener ? "" : b.OwnDok());
  if (cls == 6 || cls == 7)
    b.SetExchange(2, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
  else
    b.SetExchange(2, "", FreeText, FreeText, listener ? "" : b.OwnPlz());
  if (cls == 8) {
    // Guests are checked against the district's own DOK list.
    r.CheckDoks = r.SpecialDoks;
    r.CheckDistricts = r.SpecialDistricts;
    b.CopySpecialToBonus();
  }
}

void DefineBwaContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.ContestNumber = 500010301;
  r.ExtraText = b.OwnDok();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitleWithYear("BWA-Contest ");
  b.SetDates("04.04.2015", "04.04.2015", "07:00:00", "12:00:00");
  b.SetClasses(kBwaClasses);
  b.SetPeriods(kBwaPeriods);
  b.SetList(r.BonusDoks, kBwaBonusDoks);
  b.SetDistricts(r.BonusDistricts, "AP");
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK", "DXCC"});
  r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::Dok};
  r.OutputKinds = TByteSet::Range(1, 7);
  // The modes are the contest's; only the bands follow the class.
  b.SetModeList("SSB CW");

  const int cls = b.ChosenClass(4);
  b.ApplyClassModes(kBwaModes, cls);
  if (cls >= 2) b.SetExchange(2, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
}

void DefineDtcContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("DTC-Contest ");
  b.SetDates("06.04.2015", "06.04.2015", "06:00:00", "09:00:00");
  b.SetClasses(kDtcClasses);
  b.SetList(r.BonusStations, kDtcBonusStations);
  b.SetExchange(1, "Nr", Serial, Serial, "");
  b.SetExchange(2, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK", "DXCC", "Callmulti"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::Dok,
      MultiplierKind::Callmulti};
  r.OutputKinds = TByteSet::Range(1, 7);
  b.SetModes({"CW"});
  b.SetBands("bc");
  if (b.ChosenClass(4) == 4) r.SwlLog = true;
}

void DefineHandKeyParty(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("Handtastenparty ");
  b.SetClasses(kHtpClasses);
  r.OutputKinds = TByteSet::Range(1, 7);
  b.SetModeList("CW");  // a hand-key party: CW whatever the class

  const int cls = b.ChosenClass(8);
  b.ApplyClassModes(kHtpModes, cls);
  static constexpr const char* kClassLetters[] = {"A", "B", "C", "D"};
  const std::string classLetter = cls > 0 ? kClassLetters[(cls - 1) % 4] : "";
  // Name and age: the age follows only when one was entered.
  std::string nameAge = b.FirstName();
  if (b.ContestNumber() > 0) nameAge += "/" + b.ContestNumberText(TNumberText::Plain);
  b.SetExchange(1, "Nr", Serial, Serial, "");
  b.SetExchange(2, "Klasse", FreeText, FreeText, classLetter);
  b.SetExchange(3, "Name + Alter", FreeText, FreeText, nameAge);
}

void DefineHolylandContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitleWithYear("Holyland-Contest ");
  b.SetDates("", "", "00:00:01", "23:59:59");
  b.SetClasses(kHolylandClasses);
  b.SetBands("abcegi");
  b.SetMultiplierCaptions({"Area"});
  r.MultiplierKinds = {MultiplierKind::AreaLabel};
  r.OutputKinds = TByteSet::Range(1, 7);
  r.OutputKinds.Include(10);

  const int cls = b.ChosenClass(7);
  b.ApplyClassModes(kHolylandModes, cls);
  if (cls == 7)
    b.SetExchange(1, "Area", Area, Area, "");
  else
    b.SetExchange(1, "Area", Area, Serial, cls == 6 ? "" : b.OwnDok());
}

void DefineSchoolStationsDay(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Mode;
  b.SetTitle("Europatag der Schulstationen");
  b.SetDates("05.05.2015", "05.05.2015", "10:00:00", "16:00:00");
  b.SetClasses(kSchoolClasses);
  b.SetExchange(1, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
  b.SetExchange(2, "Name", Name, Name, b.FirstName());
  b.SetMultiplierCaptions({"WAE"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::EuropeOnly,
      MultiplierKind::WaeAreas};
  r.MultiplierMode = 1;
  r.OutputKinds = {1, 2, 4, 5, 6};
  r.ExtraKinds = {5, 6};
  b.SetModeList("SSB CW FM DIGITAL");  // every class; the class decides the bands

  const int cls = b.ChosenClass(2);
  b.ApplyClassModes(kSchoolModes, cls);
  if (cls == 2) r.MultiplierKinds.Include(MultiplierKind::Locator);
}

void DefineFrankenActivity(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Aktivitätswettbewerb Franken");
  b.SetDates("09.05.2015", "10.05.2015", "16:00:00", "10:00:00");
  b.SetClasses(kFrankenClasses);
  b.SetPeriods(kFrankenPeriods);
  b.SetList(r.SpecialDoks, kFrankenSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "B");
  b.CopySpecialToBonus();
  b.SetExchange(1, "Nr", Serial, Serial, "");
  b.SetExchange(2, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok};
  r.OutputKinds = {1, 2, 4, 5, 6};

  const int cls = b.ChosenClass(6);
  b.ApplyClassModes(kFrankenModes, cls);
  if (cls == 3 || cls == 4) {
    b.SetExchange(3, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
    b.SetMultiplierCaptions({"DOK", "Loc"});
    r.MultiplierKinds.Include(MultiplierKind::Locator);
  }
}

void DefineHamburgContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Hamburg Contest");
  b.SetDates("24.05.2015", "24.05.2015", "10:00:00", "18:00:00");
  b.SetClasses(kHamburgClasses);
  b.SetPeriods(kHamburgPeriods);
  b.SetList(r.SpecialDoks, kHamburgSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "E");
  b.CopySpecialToBonus();
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetExchange(2, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
  b.SetMultiplierCaptions({"DOK", "DXCC", "Loc"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::Dok, MultiplierKind::Locator};
  r.AutoBand = true;
  r.Flag3 = true;
  r.OutputKinds = TByteSet::Range(1, 6);
  // Both classes work the same modes and bands.
  b.SetModeList("SSB CW");
  b.SetBands("bckl");
  b.ApplyClassModes(kHamburgModes, b.ChosenClass(2));
}

void DefineRlpActivityEvenings(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Rheinland-Pfalz - Aktivitätsabende");
  b.SetDates("03.10.2015", "03.10.2015", "18:00:00", "20:00:00");
  b.SetClasses(kRlpEveningClasses);
  b.SetPeriods(kRlpEveningPeriods);
  b.SetList(r.SpecialDoks, kRlpEveningSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "K");
  b.CopySpecialToBonus();
  b.SetList(r.BonusStations, kRlpClubStations);
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK", "Callmulti"});
  r.MultiplierKinds = {MultiplierKind::Dok, MultiplierKind::Callmulti};
  r.OutputKinds = TByteSet::Range(1, 6);
  b.ApplyClassModes(kRlpEveningModes, b.ChosenClass(12));
}

void DefineRadioDayParty(TContestBuilder& b) {
  b.SetEdition();
  b.SetTitle("Funkertag-QSO-Party 2015");
  b.SetDates("13.06.2015", "13.06.2015", "06:00:00", "16:00:00");
  DefineMembershipParty(b);
}

void DefineFebruaryParty(TContestBuilder& b) {
  b.SetEdition();
  b.SetTitle(std::string("Februar-QSO-Party mit ") + Edition::Name);
  b.SetDates("01.02.2015", "01.02.2015", "07:00:00", "16:00:00");
  DefineMembershipParty(b);
}

void DefineHessenContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("Hessencontest 2015");
  b.SetDates("16.05.2015", "17.05.2015", "14:00:00", "10:00:00");
  b.SetClasses(kHessenClasses);
  b.SetPeriods(kHessenPeriods);
  b.SetList(r.SpecialDoks, kHessenSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "F");
  b.CopySpecialToBonus();
  b.SetExchange(1, "Nr", Serial, Serial, "");
  b.SetExchange(2, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok};
  r.MultiplierMode = 2;
  r.Flag3 = true;
  r.OutputKinds = TByteSet::Range(1, 6);

  const int cls = b.ChosenClass(10);
  b.ApplyClassModes(kHessenModes, cls);
  if ((cls >= 5 && cls <= 8) || cls == 10)
    b.SetExchange(3, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
  if (cls == 10) r.AutoBand = true;
}

void DefineNordicActivity(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Nordic Activity Contest");
  // The contest runs every Tuesday: the log starts as today's.
  const std::string today = ToDates.DateToDateString(b.Today(), "dd.mm.yyyy");
  b.SetDates(today, today, "17:00:00", "21:00:00");
  b.SetClasses(kNordicClasses);
  b.SetExchange(1, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
  b.SetMultiplierCaptions({"Loc"});
  r.MultiplierKinds = {MultiplierKind::Locator};
  r.NoScoreFormula = true;
  r.OutputKinds = TByteSet::Range(1, 6);
  r.OutputKinds.Include(13);
  b.SetModeList("SSB CW FM");  // every Tuesday; the class decides the band
  b.ApplyClassModes(kNordicModes, b.ChosenClass(5));
}
