#include "logentry/rules/stdkorrlogic.h"

#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/homecall.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/prefixe.h"

TKorrekturKeys KorrekturKeys(TKorrekturMode mode, char band, bool readable) {
  switch (mode) {
    case kKorrekturCallSearch: return {qrec::kKeyCallDatumZeit, "A", ""};
    case kKorrekturBandLog: return {qrec::kKeyBandNrIntern, std::string(1, band), std::string(1, band)};
    case kKorrekturQsoList:
    default:
      return {qrec::kKeyWagNummer, ToStrings.IntToKeyString(1, readable),
              ToStrings.IntToKeyString(999999999, readable)};
  }
}

std::string KorrekturCaption(TKorrekturMode mode) {
  return mode == kKorrekturBandLog ? "Band - Log (Ändern mit Eingabetaste oder Doppelklick)"
                                   : "QSO - Liste (Ändern mit Eingabetaste oder Doppelklick)";
}

TCallSearch CallSearchFor(std::string_view typed) {
  TCallSearch s;
  s.Typed = ToStrings.UpperCase(ToStrings.Trim(typed));
  s.HomeCall = ToStrings.UpperCase(ToPrefix.BaseCall(s.Typed));
  s.Bound = contestkey::Text(s.HomeCall, qrec::kKeyCallWidth);
  s.FindTypedForm = !s.HomeCall.empty() && ToPrefix.CountryCall(s.Typed) != s.HomeCall;
  return s;
}

int32_t FindTypedCall(TdbContest& log, const TCallSearch& search) {
  if (search.HomeCall.empty()) return 0;
  for (bool more = log.SearchCall(search.HomeCall); more; more = log.Next()) {
    const std::string call = ToStrings.UpperCase(log.GetCall());
    if (HomeCallOf(call) != search.HomeCall) break;
    if (call.compare(0, search.Typed.size(), search.Typed) == 0) return log.CurrentRef();
  }
  return 0;
}
