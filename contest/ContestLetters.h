#pragma once
// Inside the contest definitions: the builder every letter's function fills
// the description with, the sources of the sent-exchange defaults, and the
// static table forms of periods and classes. One function per letter.
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
  // Exchange field n (1..3): caption and received kind, sent kind and default.
  void SetExchange(int field, std::string_view caption, int32_t receivedKind, int32_t sentKind,
                   std::string_view sentDefault);
  void SetMultiplierCaptions(std::initializer_list<const char*> captions);

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
