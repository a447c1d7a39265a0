// Contest letters 1 2 3 c 6 7 8 s m 9 a b d e g h.
#include <string>

#include "contest/ContestLetters.h"
#include "base/kxstrings.h"

namespace {

using enum ExchangeKind;

// ---- '1' ------------------------------------------------------------------

constexpr TClassDef kTenMeterClasses[] = {
    {"Single operator, mixed, low power", "DL_mixed_low", 0},
    {"Single operator, mixed, high power", "DL_mixed_high", 0},
    {"Single operator, CW, low power", "DL_CW_low", 0},
    {"Single operator, CW, high power", "DL_CW_high", 0},
    {"Ausland Single operator, mixed", "Ausland_mixed", 0},
    {"Ausland Single operator, CW", "Ausland_CW", 0},
};
constexpr TClassModes kTenMeterModes[] = {
    {"SSB CW", "i"}, {"SSB CW", "i"}, {"CW", "i"},
    {"CW", "i"},     {"SSB CW", "i"}, {"CW", "i"},
};
// Cabrillo power and mode of the classes.
constexpr const char* kTenMeterPower[] = {"LOW", "HIGH", "LOW", "HIGH", "HIGH", "HIGH"};
constexpr const char* kTenMeterMode[] = {"MIXED", "MIXED", "CW", "CW", "MIXED", "CW"};

// ---- '2', '3', 'c' --------------------------------------------------------

constexpr TClassDef kEveryoneClass[] = {{"alle", "", 0}};
constexpr const char* kWnqacBonusDoks[] = {"1N", "2N", "3N", "4N",  "5N",  "6N",  "7N", "8N",
                                           "9N", "10N", "11N", "12N", "13N", "WN"};
constexpr TClassDef kWncClasses[] = {{"SSB/CW", "", 0}, {"SWL", "", 0}};
constexpr const char* kWncBonusDoks[] = {"1N",  "2N",  "3N",  "4N",  "5N", "6N",  "7N",
                                         "8N",  "9N",  "10N", "11N", "12N", "13N", "WN",
                                         "Z14", "Z41", "Z60", "Z80"};
constexpr const char* kWnDayBonusDoks[] = {"WN", "Z14", "Z41", "Z60", "Z80"};

// ---- '6' ------------------------------------------------------------------

constexpr TPeriodDef kHscPeriods[] = {
    {"23.02.2014", "09:00:00", "17:00:00", "bcgei"},
    {"02.11.2014", "09:00:00", "17:00:00", "bcgei"},
};
constexpr TClassDef kHscClasses[] = {
    {"Febr. 1- HSC-Mitglieder (max. 150W Output)", "", 1},
    {"Febr. 2- Nicht-Mitglieder (max. 150W Output)", "", 1},
    {"Febr. 3- QRP Stationen (max. 5W Output)", "", 1},
    {"Nov. 1- HSC-Mitglieder (max. 150W Output)", "", 2},
    {"Nov. 2- Nicht-Mitglieder (max. 150W Output)", "", 2},
    {"Nov. 3- QRP Stationen (max. 5W Output)", "", 2},
};

// ---- '7' ------------------------------------------------------------------

constexpr TPeriodDef kDigPeriods[] = {
    {"14.03.2015", "12:00:00", "17:00:00", "egi"},
    {"15.03.2015", "07:00:00", "09:00:00", "b"},
    {"15.03.2015", "09:00:00", "11:00:00", "c"},
    {"11.04.2015", "12:00:00", "17:00:00", "egi"},
    {"12.04.2015", "07:00:00", "09:00:00", "b"},
    {"12.04.2015", "09:00:00", "11:00:00", "c"},
    {"09.05.2015", "13:00:00", "16:00:00", "k"},
    {"09.05.2015", "16:00:00", "18:00:00", "l"},
};
constexpr TClassDef kDigClasses[] = {
    {"KW Sendeamateure SSB", "KW-SSB", 0},
    {"KW Sendeamateure CW", "KW-CW", 0},
    {"VHF Sendeamateure", "VHF", 0},
    {"UHF Sendeamateure", "UHF", 0},
};
constexpr TClassModes kDigModes[] = {
    {"SSB", "bcegi"},
    {"CW", "bcegi"},
    {"SSB CW FM", "k"},
    {"SSB CW FM", "l"},
};

// ---- '8' ------------------------------------------------------------------

constexpr TClassDef kAgcwVhfClasses[] = {
    {"A: bis 5 Watt Output VHF 2m", "VHF", 0},
    {"A: bis 5 Watt Output UHF 70cm", "UHF", 0},
    {"B: bis 50 Watt Output VHF 2m", "VHF", 0},
    {"B: bis 50 Watt Output UHF 70cm", "UHF", 0},
    {"C: mehr als 50W Output VHF 2m", "VHF", 0},
    {"C: mehr als 50W Output UHF 70cm", "UHF", 0},
};
constexpr TClassModes kAgcwVhfModes[] = {
    {"CW", "k"}, {"CW", "l"}, {"CW", "k"}, {"CW", "l"}, {"CW", "k"}, {"CW", "l"},
};

// ---- 's' ------------------------------------------------------------------

constexpr TClassDef kQrpPartyClasses[] = {
    {"A: max 5 Watt Output", "Klasse A 5W", 0},
    {"B: max 20 Watt Output", "Klasse B 20W", 0},
};

// ---- '9' ------------------------------------------------------------------

constexpr TClassDef kFielddayClasses[] = {
    {"Portable, single operator, QRP, assisted", "", 0},
    {"Portable, multi operator, low power, non-assisted", "", 0},
    {"Portable, multi operator, low power, assisted", "", 0},
    {"Portable, multi operator, QRP, assisted", "", 0},
    {"Portable, multi operator, high power, assisted", "", 0},
    {"Fixed", "", 0},
};
struct TCabrilloCategory {
  const char* Assisted;
  const char* Power;
  const char* Operator;
};
constexpr TCabrilloCategory kFielddayCategories[] = {
    {"ASSISTED", "QRP", "SINGLE-OP"},     {"NON-ASSISTED", "LOW", "MULTI-OP"},
    {"ASSISTED", "LOW", "MULTI-OP"},      {"ASSISTED", "QRP", "MULTI-OP"},
    {"ASSISTED", "HIGH", "MULTI-OP"},     {"NON-ASSISTED", "HIGH", "SINGLE-OP"},
};

// ---- 'a' ------------------------------------------------------------------

constexpr TClassDef kNordrheinClasses[] = {
    {"Klasse A:80m  CW", "", 0},     {"Klasse B:80m  SSB", "", 0},
    {"Klasse C:40m  CW", "", 0},     {"Klasse D:40m  SSB", "", 0},
    {"Klasse E:2m   SSB/CW", "", 0}, {"Klasse F:70cm SSB/CW", "", 0},
    {"Klasse G:23cm SSB/CW", "", 0},
};
constexpr TClassModes kNordrheinModes[] = {
    {"CW", "b"},     {"SSB", "b"},    {"CW", "c"},     {"SSB", "c"},
    {"SSB CW", "k"}, {"SSB CW", "l"}, {"SSB CW", "m"},
};
constexpr const char* kNordrheinBonusDoks[] = {"BY", "ARDFR"};

// ---- 'b' ------------------------------------------------------------------

constexpr TClassDef kOriginalQrpClasses[] = {
    {"V L P  (1W out / 2W in)", "VLP", 0},
    {"Q R P  (5W out / 10W in)", "QRP", 0},
    {"M P    (20W out / 40W in)", "MP", 0},
    {"Keine QRO-Klasse", "keine QRO-Klasse", 0},
};
constexpr const char* kOriginalQrpSent[] = {"VLP", "QRP", "MP", ""};

// ---- 'd' ------------------------------------------------------------------

constexpr TClassDef kSaarClasses[] = {
    {"Klasse A: 80m SSB", "", 0},          {"Klasse B: 80m CW", "", 0},
    {"Klasse C: 40m SSB", "", 0},          {"Klasse D: 40m CW", "", 0},
    {"Klasse E: 10m SSB/CW/FM", "", 0},    {"Klasse F: 2m SSB/CW", "", 0},
    {"Klasse G: 80m DIGITAL", "", 0},
};
constexpr TClassModes kSaarModes[] = {
    {"SSB", "b"},       {"CW", "b"},     {"SSB", "c"},      {"CW", "c"},
    {"SSB CW FM", "i"}, {"SSB CW", "k"}, {"DIGITAL", "b"},
};
constexpr const char* kSaarBonusDoks[] = {"Z19", "YLQ"};
constexpr const char* kSaarSpecialDoks[] = {"Z19"};

// ---- 'e' ------------------------------------------------------------------

constexpr TPeriodDef kNordPeriods[] = {
    {"18.04.2015", "13:00:00", "16:00:00", "k"},
    {"19.04.2015", "08:00:00", "10:00:00", "l"},
};
constexpr TClassDef kNordClasses[] = {
    {"Sektion A - 144MHz", "", 0},
    {"Sektion B - 432MHz", "", 0},
};
constexpr TClassModes kNordModes[] = {{"CW SSB", "k"}, {"CW SSB", "l"}};
constexpr const char* kNordSpecialDoks[] = {"Z01", "IR2014"};

// ---- 'g' ------------------------------------------------------------------

constexpr TPeriodDef kNordseeVhfPeriods[] = {
    {"15.11.2008", "14:00:00", "17:00:00", "k"},
    {"16.11.2008", "08:30:00", "10:30:00", "l"},
    {"16.11.2008", "11:00:00", "12:00:00", "m"},
};
constexpr TClassDef kNordseeVhfClasses[] = {
    {"Sektion A - Stationen aus dem DARC-Distrikt I", "", 0},
    {"Sektion B - Stationen außerhalb DARC-Distrikt I", "", 0},
};
constexpr const char* kNordseeVhfSpecialDoks[] = {"Z02", "VO"};

// ---- 'h' ------------------------------------------------------------------

constexpr TClassDef kRlpWeekClasses[] = {
    {"A: 80 m nur SSB", "", 0},
    {"B: 80 m nur CW", "", 0},
    {"C: 80 m nur DIGITAL", "", 0},
    {"D: 10 m alle Betriebsarten", "", 0},
    {"E: 2 m alle Betriebsarten", "", 0},
    {"F: 70 cm und höher alle Betriebsarten", "", 0},
    {"G: SWL", "", 0},
    {"H: 1,8 MHz - 29,7 MHz alle Betriebsarten", "", 0},
};
constexpr TClassModes kRlpWeekModes[] = {
    {"SSB", "b"},
    {"CW", "b"},
    {"DIGITAL", "b"},
    {"SSB CW FM DIGITAL", "i"},
    {"SSB CW FM DIGITAL", "k"},
    {"SSB CW FM DIGITAL", "lmnopqst"},
    {"SSB CW FM DIGITAL", "rabcdefghijuklmnopqst", true},
    {"SSB CW FM DIGITAL", "abcdefghi"},
};
constexpr const char* kRlpWeekSpecialDoks[] = {"Z11", "NOTK"};

}  // namespace

void DefineTenMeterContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("DARC 10-m-Contest ");
  r.CabrilloContest = "10M";
  b.SetDates("10.01.2016", "10.01.2016", "09:00:00", "11:00:00");
  b.SetClasses(kTenMeterClasses);
  b.SetExchange(1, "", Serial, Serial, "");
  // Without an own DOK the second field is sent as plain text.
  const std::string dok = b.OwnDok();
  b.SetExchange(2, "DOK", Dok, dok.empty() ? None : Dok, dok);
  b.SetMultiplierCaptions({"DOK", "DXCC"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::Dok,
      MultiplierKind::WaeAreas};
  r.OutputKinds = {1, 2, 4, 5, 6, 7, 8, 9, 10};
  b.SetBands("i");  // the contest's band; the class decides the modes

  const int cls = b.ChosenClass(6, true);
  if (b.ApplyClassModes(kTenMeterModes, cls)) {
    const size_t i = static_cast<size_t>(cls - 1);
    r.CabrilloAssisted = "NON-ASSISTED";
    r.CabrilloOperator = "SINGLE-OP";
    r.CabrilloPower = kTenMeterPower[i];
    r.CabrilloMode = kTenMeterMode[i];
  }
}

void DefineWnqac(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("WNQAC");
  b.SetDates("", "", "19:00:00", "21:00:00");
  b.SetClasses(kEveryoneClass);
  b.SetList(r.BonusDoks, kWnqacBonusDoks);
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetExchange(2, "LOC", Locator, Locator, ToStrings.LeftStr(b.OwnLocator(), 4));
  b.SetMultiplierCaptions({"DOK", "Loc"});
  r.MultiplierKinds = {MultiplierKind::Dok, MultiplierKind::Locator};
  r.OutputKinds = TByteSet::Range(1, 6);
  b.SetModes({"SSB", "CW", "FM"});
  b.SetBands("k");
}

void DefineWnc(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("WNC");
  b.SetClasses(kWncClasses);
  b.SetList(r.BonusDoks, kWncBonusDoks);
  b.SetDistricts(r.BonusDistricts, "N");
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok};
  r.OutputKinds = TByteSet::Range(1, 6);
  b.SetModes({"SSB", "CW"});
  b.SetBands("bci");
  if (b.ChosenClass(2) == 2) r.SwlLog = true;
}

void DefineWnActivityDay(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::OncePerContest;
  b.SetTitle("Westfalen Nord Aktivitätstag");
  b.SetDates("", "", "19:00", "21:00");
  b.SetClasses(kEveryoneClass);
  b.SetList(r.BonusDoks, kWnDayBonusDoks);
  b.SetDistricts(r.BonusDistricts, "N");
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok};
  r.OutputKinds = TByteSet::Range(1, 6);
  b.SetModes({"SSB", "CW", "FM"});
  b.SetBands("kl");
}

void DefineHscCwContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandPeriodAndDay;
  b.SetTitle("HSC-CW-Contest");
  b.SetDates("02.11.2014", "02.11.2014", "09:00:00", "17:00:00");
  b.SetClasses(kHscClasses);
  b.SetPeriods(kHscPeriods);
  // Non-members send "NM" instead of their club number.
  const std::string number = b.ContestNumberText(TNumberText::PositiveOnly);
  b.SetExchange(1, "", FreeText, FreeText, number.empty() ? std::string("NM") : number);
  r.OutputKinds = TByteSet::Range(1, 6);
  b.SetModes({"CW"});
  b.SetBands("bcgei");
}

void DefineDigParty(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("DIG-QSO-Party");
  b.SetClasses(kDigClasses);
  b.SetPeriods(kDigPeriods);
  b.SetExchange(1, "", MemberDigAgcwIbfd, MemberDigAgcwIbfd,
                b.ContestNumberText(TNumberText::PositiveOnly));
  b.SetMultiplierCaptions({"DXCC", "DIG"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::WaeAreas,
      MultiplierKind::ClubDigIbfdAgcwQcwa};
  r.AutoBand = true;
  r.OutputKinds = TByteSet::Range(1, 6);

  const int cls = b.ChosenClass(4);
  b.ApplyClassModes(kDigModes, cls);
  if (cls == 3 || cls == 4) {
    b.SetExchange(2, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
    b.SetMultiplierCaptions({"DIG"});
    r.MultiplierKinds = {MultiplierKind::ClubDigIbfdAgcwQcwa};
  }
}

void DefineAgcwVhfContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAlso;
  b.SetTitle("AGCW - VHF/UHF-Contest 2016");
  b.SetClasses(kAgcwVhfClasses);
  r.OutputKinds = {1, 2, 4, 5, 6, 7, 10, 13};
  b.SetModeList("CW");  // every class; the class decides the band

  const int cls = b.ChosenClass(6);
  b.ApplyClassModes(kAgcwVhfModes, cls);
  static constexpr const char* kPowerClass[] = {"A", "A", "B", "B", "C", "C"};
  b.SetExchange(1, "", Serial, Serial, "");
  b.SetExchange(2, "", FreeText, FreeText, cls > 0 ? kPowerClass[cls - 1] : "");
  b.SetExchange(3, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
}

void DefineAgcwQrpParty(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("QRP/QRP-Party der AGCW 2015");
  b.SetDates("01.05.2015", "01.05.2015", "14:00", "20:00");
  b.SetClasses(kQrpPartyClasses);
  const int cls = b.ChosenClass(2);
  b.SetExchange(1, "", Serial, Serial, "");
  b.SetExchange(2, "", FreeText, FreeText, cls == 1 ? "A" : cls == 2 ? "B" : "");
  r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts};
  r.OutputKinds = TByteSet::Range(1, 7);
  r.OutputKinds.Include(10);
  b.SetModes({"CW"});
  b.SetBands("bcegi");
}

void DefineMobileContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("Großraum-Mobilwettbewerb 80m ");
  b.SetDates("", "", "05:30", "07:30");
  b.SetClasses(kEveryoneClass);
  const std::string number =
      b.ContestNumber() > 0 ? b.ContestNumberText(TNumberText::FiveDigits) : std::string();
  b.SetExchange(1, "Teiln.Nr.", FreeText, FreeText, number);
  b.SetExchange(2, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
  r.OutputKinds = {1, 2, 4, 5, 6, 7, 10};
  b.SetModes({"CW", "SSB", "FM"});
  b.SetBands("bkl");
}

void DefineIaruFieldday(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("IARU-Region-1-Fieldday ");
  r.CabrilloContest = "IARU-FD-R1-DARC";
  b.SetClasses(kFielddayClasses);
  b.SetExchange(1, "", Serial, Serial, "");
  b.SetMultiplierCaptions({"DXCC"});
  r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::WaeAreas};
  r.OutputKinds = {1, 2, 4, 5, 6, 7, 9, 10};
  b.SetModes({"CW", "SSB"});
  b.SetBands("abcegi");

  const int cls = b.ChosenClass(6, true);
  if (cls > 0) {
    const TCabrilloCategory& c = kFielddayCategories[cls - 1];
    r.CabrilloAssisted = c.Assisted;
    r.CabrilloPower = c.Power;
    r.CabrilloOperator = c.Operator;
  }
}

void DefineNordrheinActivity(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Nordrhein-Aktivität 2016");
  b.SetDates("09.01.2016", "09.01.2016", "08:00", "17:00");
  b.SetClasses(kNordrheinClasses);
  b.SetList(r.BonusDoks, kNordrheinBonusDoks);
  b.SetDistricts(r.BonusDistricts, "R");
  // Name and DOK share 16 characters.
  const std::string dok = b.OwnDok();
  b.SetExchange(1, "Name", Name, Name, b.FirstName(16 - static_cast<int>(dok.size())));
  b.SetExchange(2, "DOK", Dok, Dok, dok);
  b.SetMultiplierCaptions({"DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok};
  r.OutputKinds = TByteSet::Range(1, 7);
  r.OutputKinds.Include(10);
  b.ApplyClassModes(kNordrheinModes, b.ChosenClass(7, true));
}

void DefineOriginalQrpContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("Original-QRP-Contest ");
  b.SetDates("02.01.2016", "03.01.2016", "15:00", "15:00");
  b.SetClasses(kOriginalQrpClasses);
  const int cls = b.ChosenClass(4, true);
  b.SetExchange(1, "", Serial, Serial, "");
  b.SetExchange(2, "Klasse", FreeText, FreeText, cls > 0 ? kOriginalQrpSent[cls - 1] : "");
  b.SetMultiplierCaptions({"DXCC"});
  r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts};
  r.OutputKinds = TByteSet::Range(1, 7);
  r.OutputKinds.Include(10);
  b.SetModes({"CW"});
  b.SetBands("bce");
}

void DefineSaarContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitleWithYear("SAAR-Contest ");
  b.SetDates("18.07.2015", "18.07.2015", "06:00", "10:00");
  b.SetClasses(kSaarClasses);
  b.SetList(r.BonusDoks, kSaarBonusDoks);
  b.SetList(r.SpecialDoks, kSaarSpecialDoks);
  b.SetDistricts(r.BonusDistricts, "Q");
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok};
  r.OutputKinds = TByteSet::Range(1, 7);
  r.OutputKinds.Include(10);
  b.ApplyClassModes(kSaarModes, b.ChosenClass(7, true));
}

void DefineNordContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitleWithYear("Nord-Contest ");
  b.SetDates("18.04.2014", "19.04.2014", "13:00", "16:00");
  b.SetClasses(kNordClasses);
  b.SetPeriods(kNordPeriods);
  b.SetList(r.SpecialDoks, kNordSpecialDoks);
  b.SetDistricts(r.BonusDistricts, "EHIMV");
  r.BonusDoks = r.SpecialDoks;
  r.SpecialDistricts = r.BonusDistricts;
  b.SetExchange(1, "", Serial, Serial, "");
  b.SetExchange(2, "", Locator, Locator, "");
  b.SetExchange(3, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"Loc", "DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok, MultiplierKind::Locator};
  r.AutoBand = true;
  r.OutputKinds = {1, 2, 4, 5, 6, 7, 10};
  b.SetModeList("CW SSB");  // both sections; the section decides the band
  b.ApplyClassModes(kNordModes, b.ChosenClass(2));
}

void DefineNordseeVhfContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitleWithYear("UKW Nordsee-Contest ");
  b.SetDates("15.11.2008", "16.11.2008", "08:30", "17:00");
  b.SetClasses(kNordseeVhfClasses);
  b.SetPeriods(kNordseeVhfPeriods);
  b.SetList(r.SpecialDoks, kNordseeVhfSpecialDoks);
  b.SetDistricts(r.BonusDistricts, "I");
  r.BonusDoks = r.SpecialDoks;
  r.SpecialDistricts = r.BonusDistricts;
  b.SetExchange(1, "", Serial, Serial, "");
  b.SetExchange(2, "LOC", Locator, Locator, "");
  b.SetExchange(3, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"Loc", "DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok, MultiplierKind::Locator};
  r.AutoBand = true;
  r.OutputKinds = {1, 2, 4, 5, 6, 7, 10};
  b.SetModes({"CW", "SSB"});
  b.SetBands("klm");
}

void DefineRlpActivityWeek(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandPeriodAndDay;
  b.SetTitle("Rheinland-Pfalz - Aktivitätswoche");
  b.SetDates("01.01.2016", "07.01.2016", "00:00:00", "23:59:59");
  b.SetClasses(kRlpWeekClasses);
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK", "Callmulti"});
  r.MultiplierKinds = {MultiplierKind::Dok, MultiplierKind::Callmulti};
  r.OutputKinds = TByteSet::Range(1, 6);

  const int cls = b.ChosenClass(8);
  b.ApplyClassModes(kRlpWeekModes, cls);
  if (cls == 5 || cls == 6) {
    b.SetExchange(2, "LOC", Locator, Locator, ToStrings.LeftStr(b.OwnLocator(), 4));
    b.SetMultiplierCaptions({"DOK", "Callmulti", "Loc"});
    r.MultiplierKinds.Include(MultiplierKind::Locator);
  }
  if (cls == 6 || cls == 8) r.MultiplierMode = 1;
  if (cls == 7) b.Warn("SWL wird nicht unterstützt");
  if ((cls >= 1 && cls <= 4) || cls == 8) {
    b.SetList(r.SpecialDoks, kRlpWeekSpecialDoks);
    b.SetDistricts(r.SpecialDistricts, "K");
    b.CopySpecialToBonus();
  }
  if (cls >= 1 && cls != 7) b.SetList(r.BonusStations, kRlpClubStations);
}
