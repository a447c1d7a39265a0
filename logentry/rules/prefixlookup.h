#pragma once
// The prefix lookup of the QSO being entered: the partner's DXCC entity,
// continent and WAE mark from the prefix tables, the prefix for prefix
// multipliers, and then the QSO's points. The log window's companion keeps
// one object for the life of the window and runs it on every change of the
// callsign; the QSO edit dialog runs one of its own.
//
// A call worked away from home counts for the place it was worked from:
// "DK1RI/EA8" and "EA8/DK1RI" are the Canary Islands, "DK1RI/P" is Germany.
// The call itself stays as logged.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "prefix/dbPrefixBase.h"

class TdbContestBase;
class TDokAreaCheck;
class TdbPrefix;

class TPrefixLookup {
 public:
  TPrefixLookup();
  ~TPrefixLookup();
  TPrefixLookup(const TPrefixLookup&) = delete;
  TPrefixLookup& operator=(const TPrefixLookup&) = delete;

  // The points of the QSO record as it stands after the lookup.
  using TPointsProc = std::function<int32_t(const TContestQsoRecord&)>;

  // Looks the record's Call up and fills DXCC, Kontinent, WAEMark (and
  // Prefix for prefix multipliers); a record whose PrefixFest is set keeps
  // its prefix data. Then Punkte := points(record). False, with DXCC,
  // Kontinent and WAEMark emptied and the points left alone, when a call of
  // three or more characters has no prefix and the contest does not count
  // prefixes.
  bool LookupPrefix(TContestQsoRecord& qso, const TContestRec& contest,
                    const TContestRecord& contestList, const TPointsProc& points);

  // The same on the edit copy of the window's QSO table, scored by the
  // contest's points rule (QsoPoints on the tables); the record is stored
  // back into the edit copy in every case.
  bool LookupPrefix(TdbContestBase& qsoTable, const TdbContestBase& contestListTable,
                    const TContestRec& contest, TDokAreaCheck* areaCheck = nullptr);

  // The callsign of the last lookup.
  const std::string& LastLookupCall() const { return lastLookupCall_; }
  // Non-zero while the user's DXCC choice for the call being typed holds: a
  // call that keeps the prefix the choice was made for keeps the chosen entity.
  uint8_t ResolveHold() const { return resolveHold_; }
  // A new QSO begins: the user's choice for the last call no longer holds.
  void ResetHold() {
    resolveHold_ = 0;
    holdPrefix_.clear();
  }
  // The prefix record the last lookup used (all zeros when none applied):
  // zones, country name, ADIF number of the partner.
  const TPrefixRecord& LastRecord() const { return lastRecord_; }

 private:
  bool Resolve(const std::string& call, int32_t date, bool askChoice);
  // The main prefix table for one resolution, as a fresh object would find
  // it. While the program holds the tables open, one object (with its
  // exception tables) serves every lookup; one that had to open the tables
  // itself lives in local and closes them with the resolution.
  TdbPrefix& MainTable(std::unique_ptr<TdbPrefix>& local);

  std::string lastLookupCall_;
  uint8_t resolveHold_ = 0;
  std::string holdPrefix_;      // the prefix the held choice was made for
  TPrefixRecord holdRecord_{};  // and the record chosen
  TPrefixRecord lastRecord_{};
  std::unique_ptr<TdbPrefix> table_;
};
