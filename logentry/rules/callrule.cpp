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

const char* const kCallTooLong = "Das Rufzeichen ist zu lang (höchstens 12 Zeichen).";
const char* const kCallBadCharacter =
    "Das Rufzeichen enthält Zeichen, die in keinem Rufzeichen vorkommen (erlaubt sind Buchstaben, Ziffern und \"/\").";

const char* CallFaultText(TCallFault fault) {
  switch (fault) {
    case TCallFault::None: break;
    case TCallFault::TooLong: return kCallTooLong;
    case TCallFault::BadCharacter: return kCallBadCharacter;
  }
  return "";
}

TCallFault CallFault(std::string_view call) {
  for (char c : call)
    if (!IsCallCharacter(c)) return TCallFault::BadCharacter;
  return call.size() > qrec::kCallCap ? TCallFault::TooLong : TCallFault::None;
}
