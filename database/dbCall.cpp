#include "database/dbCall.h"

#include "database/homecall.h"

TdbCall::TdbCall(int kind, bool detached, uint8_t autoKeyMode) : TdbCallBase(kind, detached) {
  SetAutoKeyMode(autoKeyMode);
}

bool TdbCall::FindCall(std::string_view call) {
  return FindKey(MakeKeyStr(TDatCall::CallKey(HomeCallOf(call))), callrec::kKeyCall, true);
}
