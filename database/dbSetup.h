#pragma once
// TdbSetup: the set-up table of one kind. Each kind holds a single record.
#include "database/dbSetupBase.h"

class TdbSetup : public TdbSetupBase {
 public:
  using TdbSetupBase::TdbSetupBase;

  // Positions on the table's record, adding an empty one when the table has
  // none; false when the table cannot be opened or written.
  bool FirstOrAdd();
};
