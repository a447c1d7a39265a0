#pragma once
// The QSO lists of the log window without their windows: the key and bounds
// each list pages along and the callsign search. (Their column widths are
// the log grid's, logentry/contloggrid.)
#include <cstdint>
#include <string>
#include <string_view>

#include "database/contestrecords.h"

class TdbContest;

// The three lists over the log.
enum TKorrekturMode : uint8_t {
  kKorrekturQsoList = 0,     // the whole log by QSO number
  kKorrekturCallSearch = 1,  // the QSOs of one home call
  kKorrekturBandLog = 2,     // the QSOs of one band
};

struct TKorrekturKeys {
  int KeyNumber = qrec::kKeyWagNummer;
  std::string Low, High;  // key bounds in the table's key encoding
};

// The key a list opens on; readable: the table has readable keys.
TKorrekturKeys KorrekturKeys(TKorrekturMode mode, char band, bool readable);
// The caption of the list window.
std::string KorrekturCaption(TKorrekturMode mode);

// The callsign search: the home call of the typed text bounds the list on
// the key "Call"; when the typed call is worked from abroad (its country part
// differs from the home call), the list is put on the first QSO logged in
// exactly that form.
struct TCallSearch {
  std::string Typed;     // upper case
  std::string HomeCall;  // upper case
  std::string Bound;     // the home call as key part of "Call"
  bool FindTypedForm = false;
};
TCallSearch CallSearchFor(std::string_view typed);
// Walks the home call's QSOs on "Call,Datum,Zeit" of log; the reference of
// the first whose call begins with the typed text, 0 when none does.
int32_t FindTypedCall(TdbContest& log, const TCallSearch& search);
