#pragma once
// TdbQSOBase: a table object on a general logbook with the read and edit
// copies of its QSO record.
#include "database/dbQSODat.h"

class TdbQSOBase : public TdbRecordTable {
 public:
  TdbQSOBase(int kind, bool detached, int32_t projectNumber);

  void GetQsoRecord(TQsoRecord& out) const;
  void SetQsoRecord(const TQsoRecord& in);
};
