// Contest letters S T L U I l Z C K A f Y o O Q.
#include <string>

#include "contest/ContestLetters.h"
#include "base/kxstrings.h"

namespace {

using enum ExchangeKind;

// ---- 'S' ------------------------------------------------------------------

constexpr TPeriodDef kHswPeriods[] = {
    {"29.08.2015", "06:00:00", "09:00:00", "bi"},
    {"29.08.2015", "07:00:00", "10:00:00", "bi"},
    {"29.08.2015", "12:00:00", "14:00:00", "k"},
    {"29.08.2015", "14:00:00", "15:00:00", "l"},
};
constexpr TClassDef kHswClasses[] = {
    {"A=80 m/10 m CW", "", 2},
    {"B=80 m/10 m SSB", "", 1},
    {"C=2 m CW, SSB, FM", "", 3},
    {"D=70 cm CW, SSB, FM", "", 4},
    {"A-SWL=80 m/10 m CW", "", 2},
    {"B-SWL=80 m/10 m SSB", "", 1},
    {"C-SWL=2 m CW, SSB, FM", "", 3},
    {"D-SWL=70 cm CW, SSB, FM", "", 4},
};
constexpr TClassModes kHswModes[] = {
    {"CW", "bi"},              {"SSB", "bi"},
    {"SSB CW FM", "k"},        {"SSB CW FM", "l"},
    {"CW", "bc", true},        {"SSB", "bc", true},
    {"SSB CW FM", "k", true},  {"SSB CW FM", "l", true},
};
constexpr const char* kHswSpecialDoks[] = {"Z01", "IR2015"};

// ---- 'T' ------------------------------------------------------------------

constexpr TPeriodDef kThueringenPeriods[] = {
    {"19.09.2015", "06:00:00", "07:00:00", "b"},
    {"19.09.2015", "07:00:00", "08:00:00", "b"},
    {"19.09.2015", "12:00:00", "14:00:00", "k"},
    {"19.09.2015", "14:00:00", "15:00:00", "l"},
    {"19.09.2015", "15:00:00", "16:00:00", "mnopqs"},
};
constexpr TClassDef kThueringenClasses[] = {
    {"A: 3,5 MHz CW", "", 1},
    {"B: 3,5 MHz SSB", "", 2},
    {"C: 144 MHz CW/SSB", "", 3},
    {"D: 144 MHz FM", "", 3},
    {"E: 432 MHz CW/SSB", "", 4},
    {"F: 432 MHz FM", "", 4},
    {"G: 1,3 GHz und höher", "", 5},
    {"A-SWL: 3,5 MHz CW", "", 1},
    {"B-SWL: 3,5 MHz SSB", "", 2},
    {"C-SWL: 144 MHz CW/SSB", "", 3},
    {"D-SWL: 144 MHz FM", "", 3},
    {"E-SWL: 432 MHz CW/SSB", "", 4},
    {"F-SWL: 432 MHz FM", "", 4},
};
constexpr TClassModes kThueringenModes[] = {
    {"CW", "b"},     {"SSB", "b"},    {"SSB CW", "k"},       {"FM", "k"},
    {"SSB CW", "l"}, {"FM", "l"},     {"SSB CW FM", "mnopqs"},
    {"CW", "b", true},     {"SSB", "b", true}, {"SSB CW", "k", true},
    {"FM", "k", true},     {"SSB CW", "l", true}, {"FM", "l", true},
};
constexpr const char* kThueringenSpecialDoks[] = {"Z83", "Z88", "Z90", "THR", "DVX", "VO", "YLX"};

// ---- 'L' ------------------------------------------------------------------

constexpr TPeriodDef kRuhrPeriods[] = {
    {"27.09.2015", "07:00:00", "08:00:00", "b"},
    {"27.09.2015", "08:00:00", "09:00:00", "c"},
    {"27.09.2015", "09:00:00", "10:30:00", "k"},
    {"27.09.2015", "10:30:00", "11:00:00", "l"},
};
constexpr TClassDef kRuhrClasses[] = {
    {"A: Kurzwelle 80 Meter", "", 1},
    {"A-CW: Kurzwelle 80 Meter nur CW", "", 1},
    {"B: Kurzwelle 40 Meter", "", 2},
    {"C: UKW 2 Meter", "", 3},
    {"D: UKW 70 CM Meter", "", 4},
    {"E: SWLs Kurzwelle 80 Meter", "", 1},
    {"F: SWLs Kurzwelle 40 Meter", "", 2},
    {"G: SWLs UKW 2 Meter", "", 3},
    {"H: SWLs UKW 70 CM Meter", "", 4},
};
constexpr TClassModes kRuhrModes[] = {
    {"SSB CW", "b"}, {"CW", "b"},           {"SSB CW", "c"},
    {"SSB CW", "k"}, {"SSB CW", "l"},       {"SSB CW", "b", true},
    {"SSB CW", "c", true}, {"SSB CW", "k", true}, {"SSB CW", "l", true},
};

// ---- 'U' ------------------------------------------------------------------

constexpr TPeriodDef kBayernOstPeriods[] = {
    {"17.10.2015", "06:00:00", "07:00:00", "b"},
    {"17.10.2015", "07:00:00", "08:00:00", "b"},
    {"17.10.2015", "08:00:00", "09:00:00", "c"},
    {"17.10.2015", "09:00:00", "10:00:00", "c"},
    {"18.10.2015", "07:00:00", "08:30:00", "k"},
    {"18.10.2015", "09:00:00", "10:00:00", "l"},
};
constexpr TClassDef kBayernOstClasses[] = {
    {"A80: 3,5 MHz CW", "A80", 0},
    {"A40: 7 MHz CW", "A40", 0},
    {"B80: 3,5 MHz SSB", "B80", 0},
    {"B40: 7 MHz SSB", "B40", 0},
    {"C: 144 MHz", "C", 5},
    {"D: 432 MHz", "D", 6},
    {"SWL A80: 3,5 MHz CW", "SWL A80", 0},
    {"SWL A40: 7 MHz CW", "SWL A40", 0},
    {"SWL B80: 3,5 MHz SSB", "SWL B80", 0},
    {"SWL B40: 7 MHz SSB", "SWL B40", 0},
    {"SWL C: 144 MHz", "SWL C", 5},
    {"SWL D: 432 MHz", "SWL D", 6},
};
constexpr TClassModes kBayernOstModes[] = {
    {"CW", "b"},  {"CW", "c"},  {"SSB", "b"},  {"SSB", "c"},
    {"SSB CW FM", "k"},  {"SSB CW FM", "l"},
    {"CW", "b", true},  {"CW", "c", true},  {"SSB", "b", true},  {"SSB", "c", true},
    {"SSB CW FM", "k", true},  {"SSB CW FM", "l", true},
};

// ---- 'I' and 'l' ----------------------------------------------------------

constexpr TPeriodDef kNordseeHfPeriods[] = {
    {"03.10.2008", "08:00:00", "10:00:00", "b"},
    {"03.10.2008", "10:00:00", "11:30:00", "c"},
};
constexpr TClassDef kNordseeHfClasses[] = {
    {"Sektion A: 80 m", "", 1},
    {"Sektion B: 40 m", "", 2},
};
constexpr TClassModes kNordseeHfModes[] = {
    {"SSB CW DIGITAL", "b"},
    {"SSB CW DIGITAL", "c"},
};

constexpr TPeriodDef kNordseeDayPeriods[] = {
    {"03.10.2015", "08:00:00", "10:00:00", "b"},
    {"03.10.2015", "10:00:00", "11:00:00", "i"},
    {"03.10.2015", "11:00:00", "13:00:00", "k"},
    {"03.10.2015", "13:00:00", "14:00:00", "l"},
};
constexpr TClassDef kNordseeDayClasses[] = {
    {"Sektion A: 80 m CW+SSB", "", 1},
    {"Sektion B: 10 m ALL", "", 2},
    {"Sektion C: 2 m CW+SSB", "", 3},
    {"Sektion D: 70 cm CW+SSB", "", 4},
};
constexpr TClassModes kNordseeDayModes[] = {
    {"CW SSB", "b"},
    {"SSB CW FM DIGITAL", "i"},
    {"CW SSB", "k"},
    {"CW SSB", "l"},
};

// ---- 'Z' ------------------------------------------------------------------

constexpr TClassDef kIparcClasses[] = {
    {"A: Multi /Multi  Multi/Single, sowie Klub- und Sonderstationen ", "", 0},
    {"B: Single Op./ Single TRX", "", 0},
    {"C: SWL", "", 0},
};
constexpr TClassModes kIparcModes[] = {
    {"SSB CW", "bcegi"},
    {"SSB CW", "bcegi"},
    {"SSB CW", "bcegi", true},
};

// ---- 'C' ------------------------------------------------------------------

constexpr TPeriodDef kBrandenburgPeriods[] = {
    {"06.12.2015", "07:00:00", "08:00:00", "b"},
    {"06.12.2015", "08:00:00", "09:00:00", "b"},
    {"06.12.2015", "09:00:00", "10:00:00", "c"},
    {"06.12.2015", "10:00:00", "11:00:00", "c"},
    {"06.12.2015", "08:00:00", "10:00:00", "kl"},
};
constexpr TClassDef kBrandenburgClasses[] = {
    {"1: KW-Stationen", "", 0},
    {"2: UKW-Stationen", "", 0},
    {"3: KW-Stationen nur 80 m", "", 0},
    {"4: SWL KW", "", 0},
    {"5: SWL UKW", "", 0},
};
constexpr TClassModes kBrandenburgModes[] = {
    {"SSB CW", "bc"},        {"SSB CW FM", "kl"},       {"SSB CW", "b"},
    {"SSB CW", "bc", true},  {"SSB CW FM", "kl", true},
};
constexpr const char* kBrandenburgSpecialDoks[] = {"Z20", "VO"};

// ---- 'K' ------------------------------------------------------------------

constexpr TPeriodDef kKoelnAachenPeriods[] = {
    {"21.11.2015", "15:30:00", "17:00:00", "k"},
    {"21.11.2015", "17:00:00", "18:00:00", "k"},
    {"21.11.2015", "18:00:00", "19:30:00", "l"},
    {"21.11.2015", "19:30:00", "20:30:00", "l"},
    {"22.11.2015", "08:30:00", "10:00:00", "i"},
    {"22.11.2015", "10:00:00", "11:00:00", "i"},
    {"22.11.2015", "14:00:00", "15:30:00", "b"},
    {"22.11.2015", "15:30:00", "16:30:00", "b"},
};
constexpr TClassDef kKoelnAachenClasses[] = {
    {"A: 80m  SSB", "", 7},    {"B: 10m  SSB", "", 5}, {"C: 2m   SSB/FM", "", 1},
    {"D: 70cm SSB/FM", "", 3}, {"E: 80m  CW", "", 8},  {"F: 10m  CW", "", 6},
    {"G: 2m   CW", "", 2},     {"H: 70cm CW", "", 4},
};
constexpr TClassModes kKoelnAachenModes[] = {
    {"SSB", "b"}, {"SSB", "i"}, {"SSB FM", "k"}, {"SSB FM", "l"},
    {"CW", "b"},  {"CW", "i"},  {"CW", "k"},     {"CW", "l"},
};
constexpr const char* kKoelnAachenBonusDoks[] = {"Z12", "Z32", "Z37", "KA", "DVG", "VO", "YLG"};

// ---- 'A' ------------------------------------------------------------------

constexpr TClassDef kTelegraphyClasses[] = {
    {"1. QRP = bis 5 W Output", "", 0},
    {"2. LP = bis 100 W Output", "", 0},
    {"3. HP = über 100 W Output", "", 0},
    {"4. SWL", "", 0},
};

// ---- 'f' ------------------------------------------------------------------

constexpr TClassDef kNewYearClasses[] = {
    {"1: über 150W Output oder 300W Input", "", 0},
    {"2: max. 150W Output oder 300W Input", "", 0},
    {"3: max. 5W Output oder 10W Input", "", 0},
};

// ---- 'Y' ------------------------------------------------------------------

constexpr TPeriodDef kVfdbPeriods[] = {
    {"14.02.2015", "07:00:00", "09:00:00", "b"},
    {"14.02.2015", "09:00:00", "11:00:00", "c"},
    {"13.06.2015", "12:00:00", "14:00:00", "k"},
    {"13.06.2015", "14:00:00", "15:00:00", "l"},
    {"10.10.2015", "06:00:00", "08:00:00", "b"},
    {"10.10.2015", "08:00:00", "10:00:00", "c"},
};
constexpr TClassDef kVfdbClasses[] = {
    {"1: 14.02. 07.00-09.00 80 m SSB", "", 1},
    {"2: 14.02. 09.00-11.00 40 m SSB", "", 2},
    {"3: 13.06. 12.00-14.00 2 m SSB/CW", "", 3},
    {"4: 13.06. 14.00-15.00 70 cm SSB/CW", "", 4},
    {"5: 10.10. 06.00-08.00 80 m CW", "", 5},
    {"6: 10.10. 08.00-10.00 40 m CW", "", 6},
};
constexpr TClassModes kVfdbModes[] = {
    {"SSB", "b"}, {"SSB", "c"}, {"SSB CW", "k"},
    {"SSB CW", "l"}, {"CW", "b"}, {"CW", "c"},
};
constexpr const char* kVfdbBonusDoks[] = {"VFDB", "", "CPU", "WWFF"};

// ---- 'o' ------------------------------------------------------------------

constexpr TClassDef kVfdbDaysClasses[] = {
    {"Teil 1 04.05.-10.05.2015 UKW, lizenzierte Stationen", "UKW", 0},
    {"Teil 2 09.11.-15.11.2015 KW, lizenzierte Stationen", "KW", 0},
    {"Teil 1 04.05.-10.05.2015 UKW, SWL", "UKW SWL", 0},
    {"Teil 2 09.11.-15.11.2015 KW, SWL", "KW SWL", 0},
};
constexpr TClassModes kVfdbDaysModes[] = {
    {"SSB CW FM DIGITAL", "klmnopq"},
    {"SSB CW FM DIGITAL", "bc"},
    {"SSB CW FM DIGITAL", "klmnopq", true},
    {"SSB CW FM DIGITAL", "bc", true},
};
constexpr const char* kVfdbDaysBonusDoks[] = {"VFDB", "WWFF"};

// ---- 'O' ------------------------------------------------------------------

constexpr TClassDef kShWeekendClasses[] = {
    {"Sa A: KW CW", "Sa_A", 0},  {"Sa B: KW SSB", "Sa_B", 0},  {"Sa C: UKW", "Sa_C", 0},
    {"Sa D: KW QRP", "Sa_D", 0}, {"Sa E: UKW QRP", "Sa_E", 0}, {"Sa F: SWL KW", "Sa_F", 0},
    {"Sa G: SWL UKW", "Sa_G", 0},
    {"So A: KW CW", "So_A", 0},  {"So B: KW SSB", "So_B", 0},  {"So C: UKW", "So_C", 0},
    {"So D: KW QRP", "So_D", 0}, {"So E: UKW QRP", "So_E", 0}, {"So F: SWL KW", "So_F", 0},
    {"So G: SWL UKW", "So_G", 0},
};
// One day's classes A to G; Saturday and Sunday follow the same rules.
constexpr TClassModes kShWeekendModes[] = {
    {"CW", "cb"},
    {"SSB", "cb"},
    {"SSB CW FM", "kl"},
    {"SSB CW FM", "cb"},
    {"SSB CW FM", "kl"},
    {"SSB CW FM", "cb", true},
    {"SSB CW FM", "kl", true},
};
constexpr const char* kShWeekendBonusDoks[] = {"Z10", "MFS"};

// ---- 'Q' ------------------------------------------------------------------

constexpr TPeriodDef kSchwabenPeriods[] = {
    {"02.01.2016", "07:00:00", "11:00:00", "bc"},
    {"02.01.2016", "12:00:00", "16:00:00", "kl"},
};
constexpr TClassDef kSchwabenClasses[] = {
    {"A: KW 80m, 40m", "A: KW 80m, 40m", 0},
    {"B: UKW 2m, 70cm", "B: UKW 2m, 70cm", 0},
};
constexpr TClassModes kSchwabenModes[] = {
    {"CW SSB", "bc"},
    {"CW SSB FM", "kl"},
};
constexpr const char* kSchwabenSpecialDoks[] = {"Z30", "DVT", "VO", "YLT", "SQ"};

// The DOK as the single multiplier of the many district contests.
void DokMultiplier(TContestBuilder& b) {
  b.SetMultiplierCaptions({"DOK"});
  b.Rec.MultiplierKinds = {MultiplierKind::Dok};
}

}  // namespace

void DefineHswActivity(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAlso;
  b.SetTitle("Aktivitätswettbewerbe H, S, W");
  b.SetDates("29.08.2015", "29.08.2015", "06:00:00", "15:00:00");
  b.SetClasses(kHswClasses);
  b.SetPeriods(kHswPeriods);
  b.SetList(r.SpecialDoks, kHswSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "HSW");
  b.CopySpecialToBonus();
  b.SetExchange(1, "Nr", Serial, Serial, "");
  b.SetExchange(2, "DOK", Dok, Dok, b.OwnDok());
  DokMultiplier(b);
  r.OutputKinds = TByteSet::Range(1, 6);
  const int cls = b.ChosenClass(8);
  b.ApplyClassModes(kHswModes, cls);
  // Listeners may log a station as often as they hear it.
  if (cls >= 5) r.DupeRule = DupeRule::NoCheck;
}

void DefineThueringenContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAlso;
  b.SetTitle("Thüringen-Contest");
  b.SetDates("19.09.2015", "19.09.2015", "06:00:00", "16:00:00");
  b.SetClasses(kThueringenClasses);
  b.SetPeriods(kThueringenPeriods);
  b.SetList(r.SpecialDoks, kThueringenSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "X");
  b.CopySpecialToBonus();
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  DokMultiplier(b);
  r.MultiplierMode = 1;
  r.OutputKinds = TByteSet::Range(1, 6);
  b.ApplyClassModes(kThueringenModes, b.ChosenClass(13));
}

void DefineRuhrShortContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAlso;
  b.SetTitle("Kurzcontest Ruhrgebiet");
  b.SetDates("27.09.2015", "27.09.2015", "07:00:00", "11:00:00");
  b.SetClasses(kRuhrClasses);
  b.SetPeriods(kRuhrPeriods);
  b.SetDistricts(r.SpecialDistricts, "L");
  b.CopySpecialToBonus();
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  DokMultiplier(b);
  r.OutputKinds = TByteSet::Range(1, 6);
  b.SetModeList("SSB CW");  // the contest's modes; one class narrows them to CW
  b.ApplyClassModes(kRuhrModes, b.ChosenClass(9));
}

void DefineBayernOstContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("Bayern-Ost-Contest");
  b.SetDates("17.10.2015", "18.10.2015", "06:00:00", "10:00:00");
  b.SetClasses(kBayernOstClasses);
  b.SetPeriods(kBayernOstPeriods);
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  DokMultiplier(b);
  r.OutputKinds = TByteSet::Range(1, 6);

  const int cls = b.ChosenClass(12);
  b.ApplyClassModes(kBayernOstModes, cls);
  const bool vhf = cls == 5 || cls == 6 || cls == 11 || cls == 12;
  // The VHF/UHF sections have a single period each: no band to choose by time.
  r.AutoBand = !vhf;
  if (vhf) {
    b.SetExchange(2, "LOC", Locator, Locator, ToStrings.LeftStr(b.OwnLocator(), 4));
    b.SetMultiplierCaptions({"DOK", "Loc"});
    r.MultiplierKinds.Include(MultiplierKind::Locator);
  }
}

void DefineNordseeHfDay(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("Kurzwellenaktivitätstag des Distriktes Nordsee");
  b.SetDates("03.10.2008", "03.10.2008", "08:00:00", "11:30:00");
  b.SetClasses(kNordseeHfClasses);
  b.SetPeriods(kNordseeHfPeriods);
  b.SetDistricts(r.SpecialDistricts, "I");
  b.SetDistricts(r.BonusDistricts, "I");
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  r.MultiplierKinds = {MultiplierKind::Dok};
  r.OutputKinds = TByteSet::Range(1, 6);
  b.SetModeList("SSB CW DIGITAL");  // both sections; the section decides the band
  b.ApplyClassModes(kNordseeHfModes, b.ChosenClass(2));
}

void DefineNordseeActivityDay(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Aktivitätstag des Distriktes Nordsee");
  b.SetDates("03.10.2015", "03.10.2015", "08:00:00", "16:00:00");
  b.SetClasses(kNordseeDayClasses);
  b.SetPeriods(kNordseeDayPeriods);
  b.SetDistricts(r.SpecialDistricts, "I");
  b.CopySpecialToBonus();
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  DokMultiplier(b);
  r.OutputKinds = TByteSet::Range(1, 6);
  b.ApplyClassModes(kNordseeDayModes, b.ChosenClass(4));
}

void DefineIparcContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("IPARC-Contest");
  b.SetDates("", "", "06:00:00", "18:00:00");
  b.SetClasses(kIparcClasses);
  b.SetExchange(1, "", ModeNumber, ModeNumber, "");
  // Members of the association say so in the second field.
  b.SetExchange(2, "", FreeText, FreeText, b.MembershipAnswer() ? "IPA" : "");
  b.SetExchange(3, "US-State", UsState, UsState, "");
  b.SetMultiplierCaptions({"DXCC", "US-State"});
  r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::UsState};
  r.PerBandScore = true;
  r.MemberClub = "IPA";
  r.MemberClub2 = "IPA";
  r.OutputKinds = TByteSet::Range(1, 6);
  b.ApplyClassModes(kIparcModes, b.ChosenClass(3));
}

void DefineBrandenburgContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitleWithYear("Brandenburg-Berlin-Contest ");
  b.SetDates("06.12.2015", "06.12.2015", "07:00:00", "11:00:00");
  b.SetClasses(kBrandenburgClasses);
  b.SetPeriods(kBrandenburgPeriods);
  b.SetList(r.SpecialDoks, kBrandenburgSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "DY");
  b.CopySpecialToBonus();
  // Stations without a DOK send a serial number instead.
  const std::string dok = b.OwnDok();
  if (dok.empty())
    b.SetExchange(1, "Nr", Dok, Serial, "");
  else
    b.SetExchange(1, "DOK", Dok, Dok, dok);
  DokMultiplier(b);
  r.OutputKinds = TByteSet::Range(1, 8);
  r.OutputKinds.Include(10);

  const int cls = b.ChosenClass(5);
  b.ApplyClassModes(kBrandenburgModes, cls);
  if (cls == 1 || cls == 4) r.AutoBand = true;
  if (cls == 4 || cls == 5) b.SetExchange(2, "Nr", Serial, Serial, "");
}

void DefineKoelnAachenContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndModeWarned;
  b.SetTitleWithYear("Herbst-Contest Köln-Aachen ");
  b.SetDates("21.11.2015", "22.11.2015", "08:30:00", "20:30:00");
  b.SetClasses(kKoelnAachenClasses);
  b.SetPeriods(kKoelnAachenPeriods);
  b.SetList(r.BonusDoks, kKoelnAachenBonusDoks);
  b.SetDistricts(r.BonusDistricts, "G");
  b.SetExchange(1, "", BandNumber, BandNumber, "");
  b.SetExchange(2, "DOK", Dok, Dok, b.OwnDok());
  DokMultiplier(b);
  r.OutputKinds = TByteSet::Range(1, 6);
  b.ApplyClassModes(kKoelnAachenModes, b.ChosenClass(8));
}

void DefineTelegraphyContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("Deutscher Telegraphie-Contest ");
  b.SetDates("03.10.2015", "03.10.2015", "07:00:00", "10:00:00");
  b.SetClasses(kTelegraphyClasses);
  b.SetExchange(1, "LDK", None, None, b.OwnLdk());
  r.OutputKinds = TByteSet::Range(1, 7);
  b.SetModes({"CW"});
  b.SetBands("bc");
  if (b.ChosenClass(4) == 4) r.SwlLog = true;
}

void DefineHappyNewYear(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("Happy New Year-Contest ");
  b.SetDates("01.01.2016", "01.01.2016", "09:00:00", "12:00:00");
  b.SetClasses(kNewYearClasses);
  b.SetExchange(1, "", Serial, Serial, "");
  b.SetExchange(2, "", MemberDigAgcwIbfd, MemberDigAgcwIbfd,
                b.ContestNumberText(TNumberText::PositiveOnly));
  b.SetMultiplierCaptions({"AGCW"});
  r.MultiplierKinds = {MultiplierKind::ClubDigIbfdAgcwQcwa};
  r.OutputKinds = TByteSet::Range(1, 7);
  b.SetModes({"CW"});
  b.SetBands("bce");
}

void DefineVfdbContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("VFDB-Contest");
  b.SetDates("10.10.2015", "10.10.2015", "07:00:00", "11:00:00");
  b.SetClasses(kVfdbClasses);
  b.SetPeriods(kVfdbPeriods);
  b.SetList(r.BonusDoks, kVfdbBonusDoks);
  b.SetDistricts(r.BonusDistricts, "Z");
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  DokMultiplier(b);
  r.OutputKinds = {1, 2, 4, 5, 6};
  // Listeners are told apart by the per-contest number, not by a class.
  if (b.ContestNumber() == 2) r.SwlLog = true;

  const int cls = b.ChosenClass(6);
  b.ApplyClassModes(kVfdbModes, cls);
  if (cls == 3 || cls == 4) {
    b.SetExchange(2, "LOC", Locator, Locator, ToStrings.LeftStr(b.OwnLocator(), 4));
    b.SetMultiplierCaptions({"DOK", "Loc"});
    r.MultiplierKinds.Include(MultiplierKind::Locator);
  }
}

void DefineVfdbActivityDays(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandPeriodAndDay;
  b.SetTitle("VFDB-Aktivitätstage");
  b.SetDates("09.11.2015", "15.11.2015", "00:00:00", "23:59:59");
  b.SetClasses(kVfdbDaysClasses);
  b.SetList(r.BonusDoks, kVfdbDaysBonusDoks);
  b.SetDistricts(r.BonusDistricts, "ABCDEFGHIKLMNOPQRSTUVWXYZ");
  b.SetDistricts(r.SpecialDistricts, "Z");
  b.SetExchange(1, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DOK"});
  r.MultiplierKinds = {MultiplierKind::Dok, MultiplierKind::DokOrDistrict};
  r.MultiplierMode = 1;
  r.OutputKinds = {1, 2, 4, 5, 6};
  b.SetModeList("SSB CW FM DIGITAL");  // every part; the part decides the bands
  b.ApplyClassModes(kVfdbDaysModes, b.ChosenClass(4));
}

void DefineShActivityWeekend(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Aktivitätswochenende SH");
  b.SetDates("14.11.2015", "15.11.2015", "07:00:00", "19:00:00");
  b.SetClasses(kShWeekendClasses);
  b.SetList(r.BonusDoks, kShWeekendBonusDoks);
  b.SetDistricts(r.BonusDistricts, "M");
  b.SetMultiplierCaptions({"DOK", "DXCC"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::Dok,
      MultiplierKind::WaeAreas};
  r.MultiplierMode = 1;
  r.OutputKinds = {1, 2, 4, 5, 6};

  const int cls = b.ChosenClass(14);
  const int dayClass = cls > 7 ? cls - 7 : cls;  // Sunday's classes repeat Saturday's
  b.ApplyClassModes(kShWeekendModes, dayClass);
  const bool withLocator = dayClass == 3 || dayClass == 5 || dayClass == 7;
  // Name and DOK share 16 characters; the locator classes need 7 more of them.
  const std::string dok = b.OwnDok();
  const int room = 16 - static_cast<int>(dok.size()) - (withLocator ? 7 : 0);
  b.SetExchange(1, "Name", Name, Name, b.FirstName(room));
  b.SetExchange(2, "DOK", Dok, Dok, dok);
  if (withLocator) b.SetExchange(3, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
}

void DefineSchwabenContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("Schwaben-Contest 2016");
  b.SetDates("02.01.2016", "02.01.2016", "07:00:00", "16:00:00");
  b.SetClasses(kSchwabenClasses);
  b.SetPeriods(kSchwabenPeriods);
  b.SetList(r.SpecialDoks, kSchwabenSpecialDoks);
  b.SetDistricts(r.SpecialDistricts, "T");
  // Stations without a DOK send a serial number instead.
  const std::string dok = b.OwnDok();
  if (dok.empty())
    b.SetExchange(1, "DOK", Dok, Serial, "");
  else
    b.SetExchange(1, "DOK", Dok, Dok, dok);
  r.MultiplierMode = 1;
  r.OutputKinds = TByteSet::Range(1, 8);
  r.OutputKinds.Include(10);

  const int cls = b.ChosenClass(2);
  b.ApplyClassModes(kSchwabenModes, cls);
  // On VHF both sides give DOK and locator: the second sent field carries
  // the own locator.
  if (cls == 2) b.SetExchange(2, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
}
