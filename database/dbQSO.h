#pragma once
// TdbQSO: the operations on a project's general logbook.
#include <string>
#include <string_view>

#include "database/dbQSOBase.h"

class TdbQSO : public TdbQSOBase {
 public:
  using TdbQSOBase::TdbQSOBase;

  // First QSO at or after the call (by call, date and time).
  bool SearchCall(std::string_view call);
  // Text of a field of the current QSO by its field number (2 call, 3 DXCC,
  // 4 date, 5 UTC, 7 band, 8 frequency, 9 mode, 15 prefix, 18 name, 19 QTH,
  // 20 locator, 21 DOK); empty for fields this logbook does not keep.
  bool GetFieldText(int field, std::string& text) const;
};
