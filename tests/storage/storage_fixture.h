#pragma once
// A small test table for the engine tests: 64-byte records
//   4 int32 Nummer, 8 string[10] Name (any bytes), 20 int32 Value, 24 string[6] Code
// and four keys:
//   1 "Name"            10 bytes, duplicates   (the raw name bytes, unpadded)
//   2 "Name,Value DESC" 15 bytes, duplicates   (name padded to 10 + 99999999 - Value)
//   3 "Code"             6 bytes, unique
//   4 "Nummer AUTOKEY"   5 bytes, unique
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/recfields.h"
#include "storage/keystr.h"
#include "storage/tdbtreiber.h"
#include "support/TempProgramDir.h"

namespace fx {

constexpr int kLen = 64;
constexpr size_t oNummer = 4, oName = 8, oValue = 20, oCode = 24;

inline void BuildKey(const uint8_t* r, int keyNo, std::string& k) {
  switch (keyNo) {
    case 1: k = rec::GetStr(r, oName, 10); break;
    case 2: {
      std::string name = rec::GetStr(r, oName, 10);
      name.resize(10, ' ');
      k = name + EncodeIntKey(99999999 - rec::GetInt32(r, oValue));
      break;
    }
    case 3: k = rec::GetStr(r, oCode, 6); break;
    case 4: k = EncodeIntKey(rec::GetInt32(r, oNummer)); break;
    default: k.clear();
  }
}

inline ToKeys Keys() {
  ToKeys k;
  k.Add(10, 1, "Name");
  k.Add(15, 1, "Name,Value DESC");
  k.Add(6, 0, "Code");
  k.Add(5, 0, "Nummer AUTOKEY");
  return k;
}

inline TIfdOpenParams Params(const std::string& path, int maxLen = kLen, int fixedLen = kLen) {
  TIfdOpenParams p;
  p.FileName = path;
  p.Title = "TEST";
  p.Keys = Keys();
  p.KeyBuilder = BuildKey;
  p.MaxRecordLength = maxLen;
  p.FixedRecordLength = fixedLen;
  return p;
}

class StorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DriverCacheCheckMs = 0;
    DriverErrorLogName.clear();
    DriverErrorReporter = nullptr;
    DefaultRetryHandler = nullptr;
  }
  void TearDown() override { DriverCacheCheckMs = 20; }

  std::string Path(const std::string& table = "TEST") const { return dir.File(table + ".DAT"); }

  // A driver on the test table, opened (and the AUTOKEY field registered).
  std::unique_ptr<TdbTreiber> Open(const std::string& table = "TEST") {
    auto t = std::make_unique<TdbTreiber>();
    EXPECT_NE(t->Open(Params(Path(table))), 2) << DriverResult;
    if (t->Driver()) t->Driver()->SetAutoIncField(4, static_cast<int>(oNummer));
    return t;
  }

  static bool Put(TdbTreiber& t, const std::string& name, int32_t value, const std::string& code,
                  uint8_t autoMode = 0, int32_t nummer = 0) {
    t.ClearBuffer();
    uint8_t* r = t.RecordBuffer();
    rec::SetStr(r, oName, 10, name);
    rec::SetInt32(r, oValue, value);
    rec::SetStr(r, oCode, 6, code);
    rec::SetInt32(r, oNummer, nummer);
    return t.Add(autoMode);
  }

  static std::string Name(TdbTreiber& t) { return rec::GetStr(t.RecordBuffer(), oName, 10); }
  static std::string Code(TdbTreiber& t) { return rec::GetStr(t.RecordBuffer(), oCode, 6); }
  static int32_t Value(TdbTreiber& t) { return rec::GetInt32(t.RecordBuffer(), oValue); }
  static int32_t Nummer(TdbTreiber& t) { return rec::GetInt32(t.RecordBuffer(), oNummer); }

  // Codes of the records in the order of a key, walked with loads.
  static std::vector<std::string> CodesOnKey(TdbTreiber& t, int keyNo, bool backwards = false) {
    std::vector<std::string> out;
    bool ok = backwards ? t.Last(keyNo) : t.First(keyNo);
    while (ok) {
      out.push_back(Code(t));
      ok = backwards ? t.Prev(keyNo) : t.Next(keyNo);
    }
    return out;
  }

  TempProgramDir dir;
};

}  // namespace fx
