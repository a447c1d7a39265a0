#pragma once
// Inside the contest definitions: the builder every letter's function fills
// the description with, the sources of the sent-exchange defaults, and the
// static table forms of periods and classes. One function per letter.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestDefs.h"

// One timed section as a letter's table writes it.
struct TPeriodDef {
  const char* Date;
  const char* FromTime;
  const char* ToTime;
  const char* Bands;  // band letters, at most 10
};

// One class as a letter's table writes it.
struct TClassDef {
  const char* Text;
  const char* Name;
  uint8_t Period;  // 1..10, 0 none
};

// Modes, bands and listener flag of one class: modes as one text separated
// by blanks ("SSB CW DIGITAL"), bands as band letters.
struct TClassModes {
  const char* Modes;
  const char* Bands;
  bool Swl = false;
};

// How a per-contest number becomes a sent-exchange default.
enum class TNumberText {
  Plain,         // decimal
  TwoDigits,     // two digits with leading zeros
  FiveDigits,    // five digits with leading zeros
  PositiveOnly,  // decimal when above 0, else empty
};

class TContestBuilder {
 public:
  TContestBuilder(TContestRec& rec, TContestRecord& listRecord, const TContestEnvironment& env,
                  std::vector<std::string>* warnings);

  TContestRec& Rec;

  // Sources of the sent-exchange defaults.
  std::string OwnDok() const;
  std::string OwnPlz() const;
  std::string OwnLdk() const;
  std::string OwnCall() const;
  std::string ContestText() const;
  int32_t ContestNumber() const;
  std::string ContestNumberText(TNumberText how) const;
  bool MembershipAnswer() const;
  const std::string& OwnLocator() const { return ownLocator_; }
  const std::string& OwnName() const { return ownName_; }
  // The own name up to its first blank (all of it without a blank), cut to
  // room characters; a room of 0 or less gives an empty text.
  std::string FirstName(int room = 255) const;
  // Domestic or foreign rules by the own call.
  bool OwnCallIsForeign() const;

  // The class position stored in the contest-list record mapped onto the
  // letter's class list: 1..classCount, or 0 when nothing is selected (a
  // position beyond the list, or 0 where the letter treats 0 as none).
  int ChosenClass(int classCount, bool zeroSelectsNothing = false) const;

  int32_t Today() const { return env_.Today; }
  // Lines of a station file; false when there is none.
  bool ReadFile(const std::string& fileName, std::vector<std::string>& lines) const;
  void Warn(const std::string& text) const;

  // The parts of the common pattern of a branch.
  void SetEdition();
  void SetTitle(std::string_view title);
  // prefix followed by the year of the log's first date; without a first
  // date the title is the prefix alone, without its trailing blank.
  void SetTitleWithYear(std::string_view prefix);
  void SetDates(std::string_view firstDate, std::string_view lastDate, std::string_view startTime,
                std::string_view endTime);
  void SetClasses(std::span<const TClassDef> classes);
  void SetPeriods(std::span<const TPeriodDef> periods);
  void SetModes(std::initializer_list<const char*> modes);
  void SetBands(std::string_view bandLetters);
  // The modes of a text separated by blanks.
  void SetModeList(std::string_view modes);
  // Modes, bands and listener flag of the chosen class (1-based) from the
  // letter's table; false, leaving them as they are, for class 0 or a class
  // beyond the table.
  bool ApplyClassModes(std::span<const TClassModes> table, int chosenClass);
  // Exchange field n (1..3): caption and received kind, sent kind and default.
  void SetExchange(int field, std::string_view caption, ExchangeKind receivedKind, ExchangeKind sentKind,
                   std::string_view sentDefault);
  void SetMultiplierCaptions(std::initializer_list<const char*> captions);
  // A list of DOKs or calls from its first entry, the rest cleared; an empty
  // text keeps its place in the list.
  static void SetList(std::array<TStr255, 100>& list, std::span<const char* const> entries);
  // District letters from the first place, the rest cleared.
  static void SetDistricts(std::array<char, 26>& districts, std::string_view letters);
  // The special DOKs and districts become the bonus ones as well.
  void CopySpecialToBonus();
  // The bonus DOKs and districts become the special ones as well.
  void CopyBonusToSpecial();

  // The own DOK, or "NM" (no member) when none is entered.
  std::string OwnDokOrNoMember() const;
  // The number the contest table gave the log.
  int32_t LogNumber() const;

 private:
  TContestRecord& list_;
  const TContestEnvironment& env_;
  std::vector<std::string>* warnings_;
  std::string ownLocator_;
  std::string ownName_;
};

// The call counts as foreign when it has more than one character and does
// not begin with 'D' followed by 'A'..'H' or 'J'..'R'.
bool IsForeignCall(std::string_view call);

// One function per letter.
void DefineBrzParty(TContestBuilder& b);  // '4'
// contest/ContestLettersA.cpp
void DefineMvpContest(TContestBuilder& b);            // 'V'
void DefineBwaContest(TContestBuilder& b);            // 'B'
void DefineDtcContest(TContestBuilder& b);            // 'D'
void DefineHandKeyParty(TContestBuilder& b);          // 'q'
void DefineHolylandContest(TContestBuilder& b);       // 'H'
void DefineSchoolStationsDay(TContestBuilder& b);     // 'E'
void DefineFrankenActivity(TContestBuilder& b);       // 'F'
void DefineHamburgContest(TContestBuilder& b);        // 'J'
void DefineRlpActivityEvenings(TContestBuilder& b);   // 'R'
void DefineRadioDayParty(TContestBuilder& b);         // '5'
void DefineFebruaryParty(TContestBuilder& b);         // 'P'
void DefineHessenContest(TContestBuilder& b);         // 'G'
void DefineNordicActivity(TContestBuilder& b);        // 'N'
// contest/ContestLettersB.cpp
void DefineHswActivity(TContestBuilder& b);           // 'S'
void DefineThueringenContest(TContestBuilder& b);     // 'T'
void DefineRuhrShortContest(TContestBuilder& b);      // 'L'
void DefineBayernOstContest(TContestBuilder& b);      // 'U'
void DefineNordseeHfDay(TContestBuilder& b);          // 'I'
void DefineNordseeActivityDay(TContestBuilder& b);    // 'l'
void DefineIparcContest(TContestBuilder& b);          // 'Z'
void DefineBrandenburgContest(TContestBuilder& b);    // 'C'
void DefineKoelnAachenContest(TContestBuilder& b);    // 'K'
void DefineTelegraphyContest(TContestBuilder& b);     // 'A'
void DefineHappyNewYear(TContestBuilder& b);          // 'f'
void DefineVfdbContest(TContestBuilder& b);           // 'Y'
void DefineVfdbActivityDays(TContestBuilder& b);      // 'o'
void DefineShActivityWeekend(TContestBuilder& b);     // 'O'
void DefineSchwabenContest(TContestBuilder& b);       // 'Q'
// contest/ContestLettersC.cpp
void DefineTenMeterContest(TContestBuilder& b);       // '1'
void DefineWnqac(TContestBuilder& b);                 // '2'
void DefineWnc(TContestBuilder& b);                   // '3'
void DefineWnActivityDay(TContestBuilder& b);         // 'c'
void DefineHscCwContest(TContestBuilder& b);          // '6'
void DefineDigParty(TContestBuilder& b);              // '7'
void DefineAgcwVhfContest(TContestBuilder& b);        // '8'
void DefineAgcwQrpParty(TContestBuilder& b);          // 's'
void DefineMobileContest(TContestBuilder& b);         // 'm'
void DefineIaruFieldday(TContestBuilder& b);          // '9'
void DefineNordrheinActivity(TContestBuilder& b);     // 'a'
void DefineOriginalQrpContest(TContestBuilder& b);    // 'b'
void DefineSaarContest(TContestBuilder& b);           // 'd'
void DefineNordContest(TContestBuilder& b);           // 'e'
void DefineNordseeVhfContest(TContestBuilder& b);     // 'g'
void DefineRlpActivityWeek(TContestBuilder& b);       // 'h'
// contest/ContestLettersD.cpp
void DefineNavalContest(TContestBuilder& b);          // 'i'
void DefineMsSprint(TContestBuilder& b);              // 'j'
void DefineQcwaParty(TContestBuilder& b);             // 'k'
void DefineIbfdActivityDay(TContestBuilder& b);       // 'n'
void DefineDswShortContest(TContestBuilder& b);       // 'p'
void DefineYlParty(TContestBuilder& b);               // 'r'
void DefineWagContest(TContestBuilder& b);            // 'W'
void DefineTrainingContest(TContestBuilder& b);       // 'u'
void DefineChristmasContest(TContestBuilder& b);      // 'X'
void DefineEasterContest(TContestBuilder& b);         // 't'
void DefineMilitaryOnTheAir(TContestBuilder& b);      // 'v'

// The eight club stations of the Rhineland-Palatinate contests (letters R, h).
extern const std::array<const char*, 8> kRlpClubStations;
