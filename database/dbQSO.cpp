#include "database/dbQSO.h"

#include "base/kxdates.h"
#include "base/kxstrings.h"

bool TdbQSO::SearchCall(std::string_view call) {
  return SearchKey(MakeKeyStr(ToStrings.FixLenUpper(call, static_cast<int>(qsorec::kKeyCallWidth))),
                   qsorec::kKeyCallDatumUtc, true);
}

bool TdbQSO::GetFieldText(int field, std::string& text) const {
  const uint8_t* r = EditCopy().data();
  using namespace qsorec;
  text.clear();
  switch (field) {
    case 1: text = ToStrings.IntToStr(rec::GetInt32(r, kNummer)); break;
    case 2: text = rec::GetStr(r, kCall, kCallCap); break;
    case 3: text = rec::GetStr(r, kDXCC, kDXCCCap); break;
    case 4: {
      const int32_t d = rec::GetInt32(r, kDatum);
      if (d > 0) text = ToDates.DateToDateString(d, "dd.mm.yyyy");
      break;
    }
    case 5: {
      const int32_t t = rec::GetInt32(r, kUtc);
      if (t >= 0 && rec::GetInt32(r, kDatum) > 0) text = ToDates.TimeToTimeString(t, "hh:mm");
      break;
    }
    case 7: {
      const char b = rec::GetChar(r, kBand);
      if (b != 0) text = std::string(1, b);
      break;
    }
    case 8: {
      const float f = rec::GetFloat(r, kFrequenz);
      if (f > 0) text = ToStrings.FloatToStrDigits(f, 0, 4, '.');
      break;
    }
    case 9: text = rec::GetStr(r, kMode, kModeCap); break;
    case 15: text = rec::GetStr(r, kPrefix, kPrefixCap); break;
    case 18: text = rec::GetStr(r, kName, kNameCap); break;
    case 19: text = rec::GetStr(r, kQTH, kQTHCap); break;
    case 20: text = rec::GetStr(r, kLocator, kLocatorCap); break;
    case 21: text = rec::GetStr(r, kDOK, kDOKCap); break;
    default: return false;
  }
  return true;
}
