#pragma once
// A small test table for the engine tests: 64-byte records
//   4 int32 Nummer, 8 string[10] Name (any bytes), 20 int32 Value, 24 string[6] Code
// and four keys:
//   1 "Name"            10 bytes, duplicates   (the raw name bytes, unpadded)
//   2 "Name,Value DESC" 15 bytes, duplicates   (name padded to 10 + 99999999 - Value)
//   3 "Code"             6 bytes, unique
//   4 "Nummer AUTOKEY"   5 bytes, unique
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/keystr.h"
#include "storage/tdbtreiber.h"
#include "support/TempProgramDir.h"

namespace fx {

// Field access of the test record (the engine tests stay below the database layer).
inline int32_t GetInt32(const uint8_t* r, size_t off) {
  int32_t v;
  std::memcpy(&v, r + off, 4);
  return v;
}
inline void SetInt32(uint8_t* r, size_t off, int32_t v) { std::memcpy(r + off, &v, 4); }
inline std::string GetStr(const uint8_t* r, size_t off, size_t cap) {
  return std::string(reinterpret_cast<const char*>(r + off + 1), std::min<size_t>(r[off], cap));
}
inline void SetStr(uint8_t* r, size_t off, size_t cap, const std::string& s) {
  const size_t n = std::min(s.size(), cap);
  r[off] = static_cast<uint8_t>(n);
  std::memcpy(r + off + 1, s.data(), n);
}

constexpr int kLen = 64;
constexpr size_t oNummer = 4, oName = 8, oValue = 20, oCode = 24;

inline void BuildKey(const uint8_t* r, int keyNo, std::string& k) {
  switch (keyNo) {
    case 1: k = fx::GetStr(r, oName, 10); break;
    case 2: {
      std::string name = fx::GetStr(r, oName, 10);
      name.resize(10, ' ');
      k = name + EncodeIntKey(99999999 - fx::GetInt32(r, oValue));
      break;
    }
    case 3: k = fx::GetStr(r, oCode, 6); break;
    case 4: k = EncodeIntKey(fx::GetInt32(r, oNummer)); break;
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
    fx::SetStr(r, oName, 10, name);
    fx::SetInt32(r, oValue, value);
    fx::SetStr(r, oCode, 6, code);
    fx::SetInt32(r, oNummer, nummer);
    return t.Add(autoMode);
  }

  static std::string Name(TdbTreiber& t) { return fx::GetStr(t.RecordBuffer(), oName, 10); }
  static std::string Code(TdbTreiber& t) { return fx::GetStr(t.RecordBuffer(), oCode, 6); }
  static int32_t Value(TdbTreiber& t) { return fx::GetInt32(t.RecordBuffer(), oValue); }
  static int32_t Nummer(TdbTreiber& t) { return fx::GetInt32(t.RecordBuffer(), oNummer); }

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
