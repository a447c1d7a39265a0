#include "database/dbProjectDat.h"

#include "base/kxstrings.h"

TDatProject ToDatProject;

bool TDatProject::Definition(int kind, int32_t, TTableDef& def) const {
  if (kind != 0) return false;
  def.FileName = "ZQ5PRO";
  def.Title = "Projekte";
  def.Keys.Clear();
  def.Keys.Add(11, 0, "Nummer AUTOKEY");
  def.Build = [](const uint8_t* r, int keyNo, bool readable, std::string& key) {
    if (keyNo == 1) key = ToStrings.IntToKeyString(rec::GetInt32(r, prorec::kNummer), readable);
  };
  def.RecordSize = static_cast<int>(prorec::kSize);
  def.AutoKeyNumber = 1;
  def.AutoKeyOffset = prorec::kNummer;
  return true;
}
