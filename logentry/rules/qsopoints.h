#pragma once
// What one QSO is worth, by the contest letter of the open log. The rules
// only read: the QSO, the contest description, the contest-list record, the
// own locator and, for a few letters, other QSOs of the same log (searched
// through a second handle so the window's table keeps its position) and the
// club list "dsw.csv".
#include <cstdint>
#include <string>
#include <string_view>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

class TdbContest;
class TdbContestBase;

// The area test of the log window's entry routines (letter 'H': the DOK
// field holds an area code). The window passes its own routine object.
class TDokAreaCheck {
 public:
  virtual ~TDokAreaCheck() = default;
  // True when the DOK field's text is accepted.
  virtual bool CheckDok(std::string_view dok) = 0;
};

// Everything beyond the QSO, the contest description and the contest-list
// record that a rule may need.
struct TQsoPointsEnv {
  // The QSO log to search: its contest number and whether its handles are
  // detached. A rule that searches opens a second handle on it for the call,
  // unless SearchLog is given (a recount may lend one handle for all QSOs).
  int32_t ContestNumber = 0;
  bool Detached = false;
  TdbContest* SearchLog = nullptr;
  // Own locator of the station settings (letters 'e' and 'g').
  std::string OwnLocator;
  // Directory of the contest files, ending in "/" (letter 'p' reads "dsw.csv").
  std::string ContestFilesDir;
  // Letter 'H'; without it every area is accepted.
  TDokAreaCheck* AreaCheck = nullptr;
};

// The contest-files directory of the settings; an empty setting means the
// program directory. Ends in "/".
std::string ContestFilesDirectory();

// The environment of the points of log nummer: the own locator of the
// station settings, the contest-files directory and the area check.
TQsoPointsEnv StationPointsEnv(int32_t nummer, TDokAreaCheck* areaCheck);

// The points of a QSO. Zero for a QSO accepted as a duplicate, a callsign of
// fewer than three characters and a letter without a points rule.
int32_t QsoPoints(const TContestRec& contest, const TContestRecord& contestList,
                  const TContestQsoRecord& qso, const TQsoPointsEnv& env);

// The same for the QSO held by the log window's QSO table (its working copy,
// carrying its record number) and the contest-list table positioned on the
// log; the own locator and the contest-files directory come from the settings.
int32_t QsoPoints(const TContestRec& contest, const TdbContestBase& contestListTable,
                  const TdbContestBase& qsoTable, TDokAreaCheck* areaCheck = nullptr);

// The shared tests of the rules, usable on their own.
// A club or special station by the form of its callsign.
bool IsClubStation(std::string_view call);
// The partner's DOK: DOK1 followed by DOK2.
std::string PartnerDok(const TContestQsoRecord& qso);
// The partner's DOK equals the own DOK of the contest-list record, which is not empty.
bool SameDokAsOwn(const TContestQsoRecord& qso, const TContestRecord& contestList);
// The partner's DOK equals a non-empty entry of the bonus DOKs.
bool DokInBonusList(const TContestQsoRecord& qso, const TContestRec& contest);
// The partner's DOK is a letter of the bonus districts followed by two digits.
bool DokInBonusDistrict(const TContestQsoRecord& qso, const TContestRec& contest);
// Big-square rings between two locators: 1 for the same square, 2 for a neighbour.
int32_t RingDistance(std::string_view ownLocator, std::string_view locator);
