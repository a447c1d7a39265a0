#pragma once
// File definitions of the set-up tables "ZQSETUP" (kind 0) and "ZQSETUP2"
// (kind 1), one 3530-byte record each.
#include "database/dbtable.h"

class TDatSetup : public TDatFamily {
 public:
  bool Definition(int kind, int32_t number, TTableDef& def) const override;
};

extern TDatSetup ToDatSetup;
