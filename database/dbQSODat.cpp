#include "database/dbQSODat.h"

#include "base/kxstrings.h"

TDatQSO ToDatQSO;

bool TDatQSO::Definition(int kind, int32_t number, TTableDef& def) const {
  if (kind != 0) return false;
  def.FileName = "ZQ5QSO" + ToStrings.IntToStrZero(number, 4);
  def.Title = "Logbuch";
  def.Keys.Clear();
  def.Keys.Add(static_cast<int>(qsorec::kKeyCallWidth) + 26, 1, "Call,Datum,UTC");
  def.Keys.Add(24, 1, "Datum,UTC");
  def.Keys.Add(11, 0, "Nummer AUTOKEY");
  def.Build = [](const uint8_t* r, int keyNo, bool readable, std::string& key) {
    const std::string sep = readable ? "||" : "";
    const std::string dz = ToStrings.IntToKeyString(rec::GetInt32(r, qsorec::kDatum), readable) +
                           sep + ToStrings.IntToKeyString(rec::GetInt32(r, qsorec::kUtc), readable);
    switch (keyNo) {
      case qsorec::kKeyCallDatumUtc:
        key = ToStrings.FixLenUpper(rec::GetStr(r, qsorec::kCall, qsorec::kCallCap),
                                    static_cast<int>(qsorec::kKeyCallWidth)) +
              sep + dz;
        break;
      case qsorec::kKeyDatumUtc: key = dz; break;
      case qsorec::kKeyNummer:
        key = ToStrings.IntToKeyString(rec::GetInt32(r, qsorec::kNummer), readable);
        break;
      default: break;
    }
  };
  def.RecordSize = static_cast<int>(qsorec::kSize);
  def.AutoKeyNumber = qsorec::kKeyNummer;
  def.AutoKeyOffset = qsorec::kNummer;
  return true;
}
