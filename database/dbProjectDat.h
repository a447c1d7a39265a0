#pragma once
// File definition of the project table "ZQ5PRO" (kind 0) and the layout of
// its record.
#include <array>
#include <cstddef>
#include <cstdint>

#include "database/dbtable.h"
#include "base/recfields.h"

using TProjectRecord = std::array<uint8_t, 256>;

namespace prorec {
constexpr size_t kSize = 256;
constexpr size_t kNummer = 4;          // int32 project number, AUTOKEY
constexpr size_t kName = 8;            // string[40]
constexpr size_t kNameCap = 40;
constexpr size_t kDxccDialogLeft = 49; // int32 screen position of the DXCC choice
constexpr size_t kDxccDialogTop = 53;  // int32
}  // namespace prorec

class TDatProject : public TDatFamily {
 public:
  bool Definition(int kind, int32_t number, TTableDef& def) const override;
};

extern TDatProject ToDatProject;
