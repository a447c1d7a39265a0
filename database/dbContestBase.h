#pragma once
// TdbContestBase: one table object on one file of the contest database, with
// its own position and its own read and edit copies of the kind's record.
#include <cstdint>
#include <string>

#include "database/contestrecords.h"
#include "database/dbContestDat.h"
#include "database/dbtable.h"

class TdbContestBase : public TdbRecordTable {
 public:
  // kind: 0 contest list, 1 contest settings, 2 QSO log of contestNumber,
  // 5 temporary QSO log. Opens the file unless another object has it open.
  TdbContestBase(int kind, bool detached, int32_t contestNumber);

  // Contest list record (kind 0): out of the edit copy / into both copies.
  void GetContestRecord(TContestRecord& out) const;
  void SetContestRecord(const TContestRecord& in);
  // Contest-extra record (kind 1).
  void GetExtraRecord(TContestExtraRecord& out) const;
  void SetExtraRecord(const TContestExtraRecord& in);
  // QSO record (kinds 2 and 5).
  void GetQsoRecord(TContestQsoRecord& out) const;
  void SetQsoRecord(const TContestQsoRecord& in);

  // Fields of the current QSO record (edit copy); empty or 0 for the kinds
  // without QSOs.
  std::string GetCall() const;
  std::string GetMode() const;
  char GetBandcode() const;
  uint8_t GetQsoMarker() const;
  int32_t GetContestNumber() const { return contestNumber_; }

  bool IsQsoKind() const { return Kind() == kContestLog || Kind() == kContestTemp; }

 private:
  template <typename R>
  void CopyOut(R& out) const;
  template <typename R>
  void CopyIn(const R& in);

  int32_t contestNumber_;
};
