#include "prefix/dbPrefixDat.h"

#include <memory>

#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/dbbase.h"
#include "platform/paths.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixBase.h"
#include "storage/ifderrors.h"

TDatPrefix ToDatPrefix;

using namespace prefrec;

namespace {

std::string Part(const uint8_t* rec, size_t off, size_t cap, int width) {
  return ToStrings.FixLen(rec::GetStr(rec, off, cap), width);
}

// The sort byte of key 10: '*' after everything, letters from 'J' in the
// middle, everything else first.
char SelOrder(char sel) {
  if (sel == '*') return 2;
  return static_cast<unsigned char>(sel) < static_cast<unsigned char>('J') ? 0 : 1;
}

// Keys 1..12 are the same in all three tables; only key 8's first part is
// named differently (QSL bureau / rest of the callsign).
bool CommonKey(const uint8_t* rec, int keyNo, std::string_view sep, std::string& k) {
  const std::string prefix = Part(rec, kPrefix, kPrefixCap, 6);
  auto join = [&](const std::string& a, const std::string& b) { return a + std::string(sep) + b; };
  switch (keyNo) {
    case 1: k = prefix; return true;
    case 2: k = join(Part(rec, kDXCC, kDXCCCap, 6), prefix); return true;
    case 3: k = join(prefix, Part(rec, kMenue, kMenueCap, 3)); return true;
    case 4: k = join(Part(rec, kWAZ, kWAZCap, 2), prefix); return true;
    case 5: k = join(Part(rec, kITU, kITUCap, 2), prefix); return true;
    case 6: k = join(Part(rec, kContinent, kContinentCap, 2), prefix); return true;
    case 7:
      k = join(ToStrings.FixLenUpper(rec::GetStr(rec, kCountry, kCountryCap), 30), prefix);
      return true;
    case 8: k = join(Part(rec, kQSLBureau, kQSLBureauCap, 8), prefix); return true;
    case 9: k = Part(rec, kWAE, kWAECap, 6); return true;
    case 10: k = join(std::string(1, SelOrder(rec::GetChar(rec, kSel))), prefix); return true;
    case 11: k = Part(rec, kWiePref, kWiePrefCap, 6); return true;
    case 12: k = Part(rec, kDXCC2, kDXCC2Cap, 6); return true;
    default: return false;
  }
}

}  // namespace

std::string TDatPrefix::BuildMainKey(const uint8_t* rec, int keyNo, bool readable,
                                     std::string_view sep) {
  std::string k;
  if (CommonKey(rec, keyNo, sep, k)) return k;
  switch (keyNo) {
    case 13: return ToStrings.IntToKeyString(rec::GetInt16(rec, kADIFNr), readable);
    case 14:
      return std::string(1, rec::GetChar(rec, kSel)) + std::string(sep) +
             Part(rec, kDXCC, kDXCCCap, 6);
    case 15: return ToStrings.IntToKeyString(rec::GetInt32(rec, kAutore), readable);
    default: return {};
  }
}

std::string TDatPrefix::BuildExceptionKey(const uint8_t* rec, int keyNo, bool readable,
                                          std::string_view sep) {
  std::string k;
  if (CommonKey(rec, keyNo, sep, k)) return k;
  switch (keyNo) {
    case 13:
      return Part(rec, kPrefix, kPrefixCap, 6) + std::string(sep) +
             Part(rec, kQSLBureau, kQSLBureauCap, 8);
    case 14: return ToStrings.IntToKeyString(rec::GetInt32(rec, kAutore), readable);
    default: return {};
  }
}

ToKeys TDatPrefix::KeysOf(uint8_t kind) {
  ToKeys keys;
  const bool main = kind == kPrefixMain;
  const std::string p = main ? "Prefix" : "Prefix1";
  keys.Add(6, 1, p);
  keys.Add(12, 1, "DXCC," + p);
  keys.Add(9, 1, p + ",Menue");
  keys.Add(8, 1, "WAZ," + p);
  keys.Add(8, 1, "ITU," + p);
  keys.Add(8, 1, "Continent," + p);
  keys.Add(36, 1, "Country," + p);
  keys.Add(14, 1, (main ? "QSLBureau," : "PrefixZus,") + p);
  keys.Add(13, 1, "WAE");
  keys.Add(7, 1, "u," + p);
  keys.Add(6, 1, "wiePref");
  keys.Add(6, 1, "DXCC2");
  if (main) {
    keys.Add(5, 1, "ADIFNr");
    keys.Add(7, 1, "sel,DXCC");
    keys.Add(5, 1, "autore AUTOKEY");
  } else {
    keys.Add(14, 0, "Prefix1,PrefixZus");
    keys.Add(5, kind == kPrefixEE ? 1 : 0, "autore AUTOKEY");
  }
  return keys;
}

const char* TDatPrefix::TableName(uint8_t kind) {
  switch (kind) {
    case kPrefixMain: return "ZQPREFIX";
    case kPrefixEE: return "ZQPREFEE";
    case kPrefixES: return "ZQPREFES";
    default: return "";
  }
}

TdbTreiber& TDatPrefix::Driver(uint8_t kind) { return drivers_[kind]; }

namespace {
std::string TableFile(uint8_t kind) { return ToDatBase::DataFileName(TDatPrefix::TableName(kind)); }
}  // namespace

bool TDatPrefix::IsDamaged(uint8_t kind) const {
  return kind <= kPrefixES && !damagedFiles_[kind].empty() && damagedFiles_[kind] == TableFile(kind);
}

void TDatPrefix::ForgetDamage() {
  for (std::string& f : damagedFiles_) f.clear();
  for (std::string& f : missingFiles_) f.clear();
}

bool TDatPrefix::TableExists(uint8_t kind) { return kind <= kPrefixES && FileExistsAnsi(TableFile(kind)); }

void TDatPrefix::KeepMissing(uint8_t kind) {
  if (kind <= kPrefixES) missingFiles_[kind] = TableFile(kind);
}

bool TDatPrefix::IsMissing(uint8_t kind) const {
  return kind <= kPrefixES && !missingFiles_[kind].empty() && missingFiles_[kind] == TableFile(kind) &&
         !FileExistsAnsi(missingFiles_[kind]);
}

bool TDatPrefix::OpenTable(uint8_t kind, uint8_t mode, TdbTreiber* ownDriver) {
  if (mode != 2 && (IsDamaged(kind) || IsMissing(kind))) return false;
  TdbTreiber& drv = (mode == 2 && ownDriver != nullptr) ? *ownDriver : Driver(kind);
  const bool readable = mode == 2;
  const std::string sep = readable ? "||" : "";
  TKeyBuilder builder;
  if (kind == kPrefixMain)
    builder = [readable, sep](const uint8_t* rec, int keyNo, std::string& key) {
      key = BuildMainKey(rec, keyNo, readable, sep);
    };
  else
    builder = [readable, sep](const uint8_t* rec, int keyNo, std::string& key) {
      key = BuildExceptionKey(rec, keyNo, readable, sep);
    };
  // The prefix directory of the settings is always empty: the tables sit in
  // the program directory, which the driver puts in front of the name.
  const int result = OpenDataFile(mode, drv, KeysOf(kind), builder, TableName(kind), TableName(kind),
                                  static_cast<int>(kSize), static_cast<int>(kSize));
  if (result == 2 && mode != 2 && kind <= kPrefixES &&
      DriverClassOf(DriverResult) == TDriverClass::Damaged)
    damagedFiles_[kind] = TableFile(kind);
  if (result == 0) {
    RunMaintenance(1, PrefixSetOf(kind), mode);
    if (mode == 0 && drv.RecordBuffer() != nullptr)
      SetAutoIncField(drv, PrefixAutoKeyNumber(kind), drv.RecordBuffer() + kAutore);
  }
  return result != 2;
}

bool TDatPrefix::OpenTables(TPrefixTableSet set, TdbTreiber* ownDriver, uint8_t mode) {
  for (uint8_t kind = kPrefixMain; kind <= kPrefixES; ++kind) {
    if ((set & PrefixSetOf(kind)) == 0) continue;
    if (!OpenTable(kind, mode, ownDriver)) return false;
  }
  return true;
}

void TDatPrefix::CloseTables(TPrefixTableSet set, bool maintenance, uint8_t mode,
                             TdbTreiber* ownDriver) {
  if (maintenance)
    RunMaintenance(2, PrefixSetOf(kPrefixEE) | PrefixSetOf(kPrefixES) | PrefixSetOf(kPrefixLayout3),
                   mode);
  for (uint8_t kind = kPrefixMain; kind <= kPrefixES; ++kind) {
    if ((set & PrefixSetOf(kind)) == 0) continue;
    TdbTreiber& drv = (mode == 2 && ownDriver != nullptr) ? *ownDriver : Driver(kind);
    if (drv.IsOpen()) CloseDataFile(mode, drv);
  }
}

TdbTreiber* TDatPrefix::GetTableDriver(uint8_t kind, uint8_t mode, TdbTreiber* ownDriver) {
  TdbTreiber* drv = nullptr;
  if (mode == 2)
    drv = ownDriver;
  else if (kind <= kPrefixES)
    drv = &Driver(kind);
  return (drv != nullptr && drv->IsOpen()) ? drv : nullptr;
}

void TDatPrefix::RunMaintenance(int stage, TPrefixTableSet set, uint8_t mode) {
  if (mode == 2 || maintenanceRunning_ != 0) return;
  maintenanceRunning_ = 1;
  auto run = [&](uint8_t kind) {
    TdbPrefix table(kind, mode);
    table.MaintainTable();
  };
  if ((set & PrefixSetOf(kPrefixMain)) && stage >= 1 && stage <= 3) run(kPrefixMain);
  if ((set & PrefixSetOf(kPrefixEE)) && (stage == 1 || stage == 2)) run(kPrefixEE);
  if ((set & PrefixSetOf(kPrefixES)) && (stage == 1 || stage == 2)) run(kPrefixES);
  if ((set & PrefixSetOf(kPrefixLayout3)) && stage == 2) run(kPrefixLayout3);
  maintenanceRunning_ = 0;
}
