#include "logentry/rules/callrule.h"

#include "base/kxstrings.h"
#include "database/contestrecords.h"

namespace {

bool IsCallCharacter(char c) {
  // The entry appends "/p" in lower case for a portable station.
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
         c == kSlashedZero;
}

}  // namespace

TCallFault CallFault(std::string_view call) {
  for (char c : call)
    if (!IsCallCharacter(c)) return TCallFault::BadCharacter;
  return call.size() > qrec::kCallCap ? TCallFault::TooLong : TCallFault::None;
}
