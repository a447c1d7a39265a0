#include "database/dbCallDat.h"

#include "base/kxstrings.h"

TDatCall ToDatCall;

std::string TDatCall::CallKey(const std::string& call) {
  return ToStrings.FixLenUpper(call, static_cast<int>(callrec::kCallCap));
}

bool TDatCall::Definition(int kind, int32_t, TTableDef& def) const {
  switch (kind) {
    case kCallDatabase: def.FileName = "ZQ5CALL"; def.Title = "Calldatenbank"; break;
    case kCallBook: def.FileName = "ZQ5CBUCH"; def.Title = "Callbuch"; break;
    case kCallCCL: def.FileName = "ZQCCL"; def.Title = "Callliste"; break;
    default: return false;
  }
  def.Keys.Clear();
  def.Keys.Add(static_cast<int>(callrec::kCallCap), 0, "Call");
  def.Keys.Add(11, 0, "Nummer AUTOKEY");
  def.Build = [](const uint8_t* r, int keyNo, bool readable, std::string& key) {
    if (keyNo == callrec::kKeyCall)
      key = CallKey(rec::GetStr(r, callrec::kCall, callrec::kCallCap));
    else if (keyNo == callrec::kKeyNummer)
      key = ToStrings.IntToKeyString(rec::GetInt32(r, callrec::kNummer), readable);
  };
  def.RecordSize = static_cast<int>(callrec::kSize);
  def.AutoKeyNumber = callrec::kKeyNummer;
  def.AutoKeyOffset = callrec::kNummer;
  return true;
}
