#include "database/dbSetupDat.h"

#include "base/kxstrings.h"
#include "database/setuprecords.h"

TDatSetup ToDatSetup;

bool TDatSetup::Definition(int kind, int32_t, TTableDef& def) const {
  if (kind != 0 && kind != 1) return false;
  def.FileName = kind == 0 ? "ZQSETUP" : "ZQSETUP2";
  def.Title = kind == 0 ? "Setup" : "Setup 2";
  def.Keys.Clear();
  def.Keys.Add(11, 0, "Nummer AUTOKEY");
  def.Build = [](const uint8_t* r, int keyNo, bool readable, std::string& key) {
    if (keyNo == 1) key = ToStrings.IntToKeyString(rec::GetInt32(r, setuprec::kNummer), readable);
  };
  def.RecordSize = static_cast<int>(setuprec::kSize);
  def.AutoKeyNumber = 1;
  def.AutoKeyOffset = setuprec::kNummer;
  return true;
}
