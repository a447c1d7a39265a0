#pragma once
// TdbSetupBase: a table object on one of the set-up tables with the read and
// edit copies of its 3530-byte record.
#include "database/dbSetupDat.h"
#include "database/setuprecords.h"

class TdbSetupBase : public TdbRecordTable {
 public:
  TdbSetupBase(int kind, bool detached);

  // Out of the edit copy / into both copies; no file access.
  void GetSetupRecord(TSetupRecord& out) const;
  void SetSetupRecord(const TSetupRecord& in);

  // The current project number held by the kind-0 record.
  int32_t GetProjectNumber() const;
  void SetProjectNumber(int32_t number);
};
