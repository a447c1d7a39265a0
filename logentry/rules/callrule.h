#pragma once
// What a callsign may hold to be stored: the one rule for the call typed
// into the entry and the call read from another log's file.
#include <cstdint>
#include <string_view>

enum class TCallFault : uint8_t {
  None,
  TooLong,       // more characters than a QSO record holds
  BadCharacter,  // a character no callsign has
};

// The fault of a call in the form the log stores it (after the entry's
// turning of "-" and blanks into "/"). A callsign is made of letters,
// digits, the slashed zero and "/"; anything else (blanks, punctuation,
// control bytes) means the text is no call. An empty call has no fault
// here: the check of the QSO refuses it.
TCallFault CallFault(std::string_view call);

// What the user is told of a call refused for its fault (None: nothing).
const char* CallFaultText(TCallFault fault);

// The message of a call longer than the 12 characters a QSO record holds.
extern const char* const kCallTooLong;
// The message of a call holding a character no callsign has.
extern const char* const kCallBadCharacter;
