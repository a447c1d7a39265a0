#pragma once
// File definitions of the call tables: the call database "ZQ5CALL" (kind 0),
// the call book "ZQ5CBUCH" (kind 1) and "ZQCCL" (kind 7), all with one record
// layout keyed by the home call.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "database/dbtable.h"
#include "base/recfields.h"

using TCallRecord = std::array<uint8_t, 256>;

namespace callrec {
constexpr size_t kSize = 256;
constexpr size_t kNummer = 4;     // int32, AUTOKEY
constexpr size_t kCall = 8;       // home call, string[14]
constexpr size_t kCallCap = 14;
constexpr size_t kName = 23;      // string[30]
constexpr size_t kNameCap = 30;
constexpr size_t kQTH = 54;       // string[40]
constexpr size_t kQTHCap = 40;
constexpr size_t kDOK = 95;       // string[8]
constexpr size_t kDOKCap = 8;
constexpr size_t kLocator = 104;  // string[6]
constexpr size_t kLocatorCap = 6;
constexpr size_t kDIG = 111;      // DIG member number, string[10]
constexpr size_t kDIGCap = 10;
constexpr size_t kAGCW = 122;     // AGCW member number, string[10]
constexpr size_t kAGCWCap = 10;
constexpr size_t kMF = 133;       // MF member number, string[10]
constexpr size_t kMFCap = 10;
enum Key : int { kKeyCall = 1, kKeyNummer = 2 };
}  // namespace callrec

enum TCallKind : int { kCallDatabase = 0, kCallBook = 1, kCallCCL = 7 };

class TDatCall : public TDatFamily {
 public:
  bool Definition(int kind, int32_t number, TTableDef& def) const override;
  // The key part of a call: upper-cased and blank-padded to 14.
  static std::string CallKey(const std::string& call);
};

extern TDatCall ToDatCall;
