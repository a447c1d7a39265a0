#pragma once
// TdbCall: the call tables' operations.
#include <string>
#include <string_view>

#include "database/dbCallBase.h"

class TdbCall : public TdbCallBase {
 public:
  // autoKeyMode: 0 the engine numbers new entries, 1 the number is kept.
  TdbCall(int kind, bool detached, uint8_t autoKeyMode = 0);

  // Exact find of the home call of call; the entry is loaded when found.
  bool FindCall(std::string_view call);
};
