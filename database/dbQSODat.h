#pragma once
// File definition of the project's general logbook "ZQ5QSO" + the project's
// four-digit number (kind 0) and the layout of its QSO record.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "database/dbtable.h"
#include "base/recfields.h"

using TQsoRecord = std::array<uint8_t, 256>;

namespace qsorec {
constexpr size_t kSize = 256;
constexpr size_t kNummer = 4;      // int32, AUTOKEY
constexpr size_t kCall = 8;        // string[20]
constexpr size_t kCallCap = 20;
constexpr size_t kDXCC = 29;       // string[6]
constexpr size_t kDXCCCap = 6;
constexpr size_t kDatum = 36;      // int32 day number
constexpr size_t kUtc = 40;        // int32 seconds since midnight
constexpr size_t kBand = 44;       // char band code
constexpr size_t kFrequenz = 45;   // float MHz
constexpr size_t kMode = 49;       // string[10]
constexpr size_t kModeCap = 10;
constexpr size_t kPrefix = 60;     // string[8]
constexpr size_t kPrefixCap = 8;
constexpr size_t kName = 69;       // string[30]
constexpr size_t kNameCap = 30;
constexpr size_t kQTH = 100;       // string[40]
constexpr size_t kQTHCap = 40;
constexpr size_t kLocator = 141;   // string[8]
constexpr size_t kLocatorCap = 8;
constexpr size_t kDOK = 150;       // string[10]
constexpr size_t kDOKCap = 10;
enum Key : int { kKeyCallDatumUtc = 1, kKeyDatumUtc = 2, kKeyNummer = 3 };
constexpr size_t kKeyCallWidth = 20;
}  // namespace qsorec

class TDatQSO : public TDatFamily {
 public:
  bool Definition(int kind, int32_t number, TTableDef& def) const override;
};

extern TDatQSO ToDatQSO;
