// Contest letters i j k n p r W u X t v.
#include <string>
#include <vector>

#include "contest/ContestLetters.h"
#include "base/kxstrings.h"

namespace {

using enum ExchangeKind;

// ---- 'i' ------------------------------------------------------------------

constexpr TClassDef kNavalClasses[] = {
    {"A = All band mixed mode (single op)", "A", 0},
    {"B = All band CW (single op)", "B", 0},
    {"C = All band SSB (single op)", "C", 0},
    {"D = Multi op", "D", 0},
    {"F = Non Naval", "F", 0},
};

// ---- 'j' ------------------------------------------------------------------

constexpr TClassDef kMsSprintClasses[] = {
    {"QRP (maximal 1,5 KW ERP/2.5KW EIRP)", "", 0},
    {"QRO (größer 1,5 KW ERP/12KW EIRP)", "", 0},
    {"TEAM (ohne Leistungbegrenzung)", "", 0},
};

// ---- 'k' ------------------------------------------------------------------

constexpr TClassDef kEveryoneClass[] = {{"alle", "", 0}};
constexpr const char* kQcwaBonusStations[] = {"DA0QC", "DK0QCW", "DL0QCW"};

// ---- 'n' ------------------------------------------------------------------

constexpr TPeriodDef kIbfdPeriods[] = {{"15.10.2010", "15:00:00", "19:00:00", "egi"}};
constexpr TClassDef kIbfdClasses[] = {
    {"1. Kurzwelle", "", 0},          {"1. Kurzwelle SWL", "", 0},
    {"2. UKW 2m", "", 0},             {"2. UKW SWL 2m", "", 0},
    {"4. UHF/VHF 70m", "", 0},        {"4. UHF/VHF SWL 70m", "", 0},
};
constexpr TClassModes kIbfdModes[] = {
    {"SSB CW FM", "b"}, {"SSB CW FM", "b", true}, {"SSB CW FM", "k"},
    {"SSB CW FM", "k", true}, {"SSB CW FM", "l"}, {"SSB CW FM", "l", true},
};

// ---- 'p' ------------------------------------------------------------------

constexpr TPeriodDef kDswPeriods[] = {
    {"30.12.2015", "13:00:00", "14:30:00", "k"},
    {"30.12.2015", "15:00:00", "17:00:00", "b"},
    {"30.12.2015", "17:00:00", "18:00:00", "b"},
};
constexpr TClassDef kDswClasses[] = {
    {"A - 80m (SSB)", "", 2},
    {"B - 80m (CW)", "", 3},
    {"C - 2 m (SSB/CW/FM)", "", 1},
    {"D - SWL (nur Nichtlizenzierte (DE))", "", 0},
};
constexpr TClassModes kDswModes[] = {
    {"SSB", "b"},
    {"CW", "b"},
    {"SSB CW FM", "k"},
    {"SSB CW FM", "bk", true},
};

// ---- 'r' ------------------------------------------------------------------

constexpr TPeriodDef kYlPeriods[] = {
    {"14.03.2015", "19:00:00", "21:00:00", "b"},
    {"15.03.2015", "19:00:00", "21:00:00", "k"},
};
constexpr TClassDef kYlClasses[] = {
    {"14.3. - 80m (SSB)", "80m", 1},
    {"15.3. - 2m (SSB,FM)", "2m", 2},
};
constexpr TClassModes kYlModes[] = {{"SSB", "b"}, {"SSB FM", "k"}};

// ---- 'W' ------------------------------------------------------------------

constexpr TClassDef kWagClasses[] = {
    {"Single operator, CW, low power", "Single-CW-low", 0},
    {"Single operator, CW, high power", "Single-CW-high", 0},
    {"Single operator, mixed, low power", "Single-mixed-low", 0},
    {"Single operator, mixed, high power", "Single-mixed-high", 0},
    {"Single operator, mixed, QRP", "Single-mixed-QRP", 0},
    {"Multi operator, single transmitter", "Multi-single", 0},
    {"SWL, single operator", "SWL", 0},
};
constexpr TClassModes kWagModes[] = {
    {"CW", "bcegi"},     {"CW", "bcegi"},     {"SSB CW", "bcegi"}, {"SSB CW", "bcegi"},
    {"SSB CW", "bcegi"}, {"SSB CW", "bcegi"}, {"SSB CW", "bcegi", true},
};

// ---- 'u' ------------------------------------------------------------------

constexpr TClassDef kTrainingClasses[] = {
    {"Einsteiger: Stationen mit einem DN- oder DO-Rufzeichen", "Einsteiger", 0},
    {"Fortgeschrittene: Alle anderen deutschen Stationen", "Fortgeschrittene", 0},
    {"Stationen aus dem Ausland", "Ausland", 0},
};

// ---- 'X' and 't' ----------------------------------------------------------

constexpr TClassDef kDarcShortClasses[] = {
    {"Single operator, mixed, low power", "Single-mixed-low", 0},
    {"Single operator, mixed, high power", "Single-mixed-high", 0},
    {"Single operator, CW, low power", "Single-CW-low", 0},
    {"Single operator, CW, high power", "Single-CW-high", 0},
};
constexpr TClassModes kDarcShortModes[] = {
    {"SSB CW", "bc"}, {"SSB CW", "bc"}, {"CW", "bc"}, {"CW", "bc"},
};
constexpr const char* kDarcShortPower[] = {"LOW", "HIGH", "LOW", "HIGH"};
constexpr const char* kDarcShortMode[] = {"MIXED", "MIXED", "CW", "CW"};

// The common rules of the DARC's Christmas and Easter contests; only the
// dates, titles and Cabrillo names differ.
void DefineDarcShortContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  r.DupeRule = DupeRule::Band;
  b.SetClasses(kDarcShortClasses);
  // Domestic stations send their DOK, foreign ones a serial number.
  if (b.OwnCallIsForeign())
    b.SetExchange(1, "DOK / lfd.Nr.", Dok, Serial, "");
  else
    b.SetExchange(1, "DOK / lfd.Nr.", Dok, Dok, b.OwnDokOrNoMember());
  b.SetMultiplierCaptions({"DOK", "Prefix"});
  r.MultiplierKinds = {MultiplierKind::Prefix, MultiplierKind::Dok};
  r.OutputKinds = {1, 2, 4, 5, 6, 9};
  b.SetBands("bc");  // the contest's bands; the class decides the modes

  const int cls = b.ChosenClass(4, true);
  if (b.ApplyClassModes(kDarcShortModes, cls)) {
    const size_t i = static_cast<size_t>(cls - 1);
    r.CabrilloAssisted = "NON-ASSISTED";
    r.CabrilloOperator = "SINGLE-OP";
    r.CabrilloPower = kDarcShortPower[i];
    r.CabrilloMode = kDarcShortMode[i];
  }
}

// ---- 'v' ------------------------------------------------------------------

constexpr TClassDef kMrrClasses[] = {
    {"01.März (1956: Gründung der NVA)", "", 0},
    {"12.November (1955: Gründung der Bundeswehr)", "", 0},
};

}  // namespace

void DefineNavalContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("Naval-Contest");
  b.SetDates("10.12.2011", "11.12.2011", "16:00:00", "15:59:00");
  b.SetClasses(kNavalClasses);
  // The non-members' class name belongs to the sixth entry, the one the
  // club check of the set-up dialog treats as the non-members' category.
  r.Classes[5].Name = r.Classes[4].Name;
  r.Classes[4].Name.clear();
  b.SetExchange(1, "", MemberNavalQcwaDsw, MemberNavalQcwaDsw, b.ContestText());
  b.SetMultiplierCaptions({"Naval"});
  r.MultiplierKinds = {MultiplierKind::ClubNavalQcwaDsw};
  r.MultiplierMode = 1;
  r.MemberClub = "Naval";
  r.OutputKinds = {1, 2, 4, 5, 6, 10};
  b.SetBands("bcgei");
  switch (b.ChosenClass(5)) {
    case 2:
      b.SetModes({"CW"});
      break;
    case 3:
      b.SetModes({"SSB"});
      break;
    default:
      b.SetModes({"CW", "SSB"});
  }
}

void DefineMsSprint(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("MSSprint-Contest");
  b.SetDates("12.08.2012", "13.08.2012", "12:00:00", "12:00:00");
  b.SetClasses(kMsSprintClasses);
  b.SetExchange(1, "LOC", LocatorDistance, LocatorDistance, b.OwnLocator());
  r.MultiplierMode = 1;
  r.OutputKinds = {1, 2, 4, 5, 6, 10};
  b.SetBands("k");
  // Teams work without the meteor-scatter mode.
  if (b.ChosenClass(3) == 3)
    b.SetModes({"CW", "SSB"});
  else
    b.SetModes({"CW", "SSB", "FSK441"});
}

void DefineQcwaParty(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("QCWA-Party");
  b.SetDates("07.09.2015", "07.09.2015", "15:00:00", "16:00:00");
  b.SetClasses(kEveryoneClass);
  b.SetList(r.BonusStations, kQcwaBonusStations);
  b.SetExchange(1, "", MemberNavalQcwaDsw, MemberNavalQcwaDsw, "");
  r.SentDefaults[1] = b.ContestNumberText(TNumberText::PositiveOnly);
  b.SetMultiplierCaptions({"DXCC", "QCWA", "Callmulti"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::Callmulti,
      MultiplierKind::WaeAreas, MultiplierKind::ClubNavalQcwaDsw};
  r.MultiplierMode = 1;
  r.OutputKinds = TByteSet::Range(1, 7);
  b.SetModes({"SSB"});
  b.SetBands("b");
}

void DefineIbfdActivityDay(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitle("IBFD-Aktivitätstag");
  b.SetDates("15.10.2010", "15.10.2010", "15:00", "19:00");
  b.SetClasses(kIbfdClasses);
  b.SetPeriods(kIbfdPeriods);
  b.SetExchange(1, "", MemberDigAgcwIbfd, MemberDigAgcwIbfd,
                b.ContestNumberText(TNumberText::PositiveOnly));
  b.SetMultiplierCaptions({"IBFD"});
  r.MultiplierKinds = {MultiplierKind::ClubNavalQcwaDsw};
  r.OutputKinds = {1, 2, 4, 5, 6};
  b.SetModeList("SSB CW FM");  // every class; the class decides the band
  b.ApplyClassModes(kIbfdModes, b.ChosenClass(6));
}

void DefineDswShortContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("DSW-Kurzcontest");
  b.SetDates("30.12.2015", "30.12.2015", "13:00:00", "18:00:00");
  b.SetClasses(kDswClasses);
  b.SetPeriods(kDswPeriods);
  // Without a DSW or paddle number the first field is sent as plain text.
  const std::string number = b.ContestText();
  b.SetExchange(1, "DSW/Paddel", MemberNavalQcwaDsw, number.empty() ? None : MemberNavalQcwaDsw,
                number);
  b.SetMultiplierCaptions({"DSW"});
  r.MultiplierKinds = {MultiplierKind::ClubNavalQcwaDsw};
  r.MultiplierMode = 1;
  r.OutputKinds = {1, 2, 4, 5, 6};

  // Everybody receives the locator; only the 2 m class sends its own.
  b.SetExchange(2, "", LocatorDistance, None, "");

  const int cls = b.ChosenClass(4);
  b.ApplyClassModes(kDswModes, cls);
  if (cls == 3) {
    b.SetExchange(2, "", LocatorDistance, LocatorDistance, b.OwnLocator());
    b.SetMultiplierCaptions({"DSW", "Loc"});
    r.MultiplierKinds.Include(MultiplierKind::Locator);
  }
}

void DefineYlParty(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("YL-Party ");
  b.SetDates("14.03.2015", "15.03.2015", "19:00:00", "21:00:00");
  b.SetClasses(kYlClasses);
  b.SetPeriods(kYlPeriods);
  b.SetExchange(1, "Name", Name, Name, b.FirstName());
  b.SetExchange(2, "Nr", Serial, Serial, "");
  b.SetExchange(3, "DOK", Dok, Dok, b.OwnDok());
  b.SetMultiplierCaptions({"DXCC", "DOK"});
  r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::Dok};
  r.OutputKinds = {1, 2, 4, 5, 6, 7};
  b.ApplyClassModes(kYlModes, b.ChosenClass(2));
}

void DefineWagContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndModeWarned;
  b.SetTitle("Worked All Germany (WAG) Contest");
  r.CabrilloContest = "WAG";
  r.LogOption = 1;
  b.SetDates("17.10.2015", "18.10.2015", "15:00:00", "14:59:59");
  b.SetClasses(kWagClasses);
  r.OutputKinds = TByteSet::Range(1, 6);
  r.OutputKinds.Include(9);

  // Domestic stations work the world for DXCC countries and receive serial
  // numbers or DOKs; foreign stations work German DOKs and districts.
  const bool foreign = b.OwnCallIsForeign();
  const std::string sent = b.OwnDokOrNoMember();
  if (foreign) {
    b.SetExchange(1, "DOK", Dok, Dok, sent);
    b.SetMultiplierCaptions({"Distrikt"});
    r.MultiplierKinds = {MultiplierKind::DokOrDistrict, MultiplierKind::AnyDokAsDistrict};
  } else {
    b.SetExchange(1, "lfd.Nr. / DOK", Serial, None, sent);
    b.SetMultiplierCaptions({"DXCC"});
    r.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::WaeAreas};
  }

  // The contest's modes and bands; two classes narrow the modes to CW.
  b.SetModeList("SSB CW");
  b.SetBands("bcegi");
  const int cls = b.ChosenClass(7);
  b.ApplyClassModes(kWagModes, cls);
  if (cls == 1 || cls == 2) r.SentKinds[0] = Dok;
  if (cls == 7) {
    b.SetExchange(1, "DOK", Dok, Serial, sent);
    b.SetMultiplierCaptions({"Distrikt"});
    r.MultiplierKinds = {MultiplierKind::DokOrDistrict};
  }
}

void DefineTrainingContest(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndMode;
  b.SetTitle("DARC-Ausbildungscontest");
  r.CabrilloContest = "AC";
  b.SetDates("17.10.2015", "17.10.2015", "12:00:00", "14:30:00");
  b.SetClasses(kTrainingClasses);
  // Stations abroad send a serial number instead of a DOK.
  if (b.ChosenClass(3) == 3)
    b.SetExchange(1, "DOK / lfd.Nr.", Dok, Serial, "");
  else
    b.SetExchange(1, "DOK / lfd.Nr.", Dok, Dok, b.OwnDokOrNoMember());
  b.SetMultiplierCaptions({"Distrikt", "DXCC"});
  r.MultiplierKinds = {
      MultiplierKind::DxccOrPrefix, MultiplierKind::DlCounts, MultiplierKind::WaeAreas,
      MultiplierKind::DokOrDistrict};
  r.AutoBand = true;
  r.OutputKinds = TByteSet::Range(1, 6);
  r.OutputKinds.Include(9);
  b.SetModes({"SSB", "CW"});
  b.SetBands("bc");
}

void DefineChristmasContest(TContestBuilder& b) {
  b.SetEdition();
  b.SetTitle("DARC-Weihnachtscontest");
  b.Rec.CabrilloContest = "DARC-XMAS";
  b.SetDates("26.12.2015", "26.12.2015", "08:30:00", "10:59:00");
  DefineDarcShortContest(b);
}

void DefineEasterContest(TContestBuilder& b) {
  b.SetEdition();
  b.SetTitle("DARC-Ostercontest");
  b.Rec.CabrilloContest = "EASTER";
  b.SetDates("06.04.2015", "06.04.2015", "15:00:00", "17:30:00");
  DefineDarcShortContest(b);
}

void DefineMilitaryOnTheAir(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::BandAndModeAccepted;
  b.SetTitle("Military on the Air Aktivität der MRR");
  b.SetDates("12.11.2015", "12.11.2015", "17:00:00", "20:00:00");
  b.SetClasses(kMrrClasses);
  // The rig comes from the log's own station file, when there is one.
  std::string rig;
  std::vector<std::string> lines;
  if (b.ReadFile(StationFileBaseName('v', b.LogNumber()), lines) && !lines.empty()) rig = ToStrings.LeftStr(lines.front(), 12);
  b.SetExchange(1, "MRR", Serial, Serial, b.ContestText());
  b.SetExchange(2, "RIG", FreeText, FreeText, rig);
  r.MultiplierMode = 1;
  r.OutputKinds = {1, 2, 4, 5, 6};
  b.SetModes({"SSB", "CW", "FM"});
  b.SetBands("icba");
}
