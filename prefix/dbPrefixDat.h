#pragma once
// ToDatPrefix: the file-definition object of the prefix tables ZQPREFIX,
// ZQPREFEE and ZQPREFES. It builds their keys, opens and closes the files
// (keeping one table driver per table) and starts the maintenance that runs
// when a table is opened and when the program closes the exception tables.
#include <cstdint>
#include <string>

#include "database/dbbase.h"

// A set of prefix tables: bit k stands for kind k (bit 0 ZQPREFIX, bit 1
// ZQPREFEE, bit 2 ZQPREFES, bit 3 the layout without file).
using TPrefixTableSet = uint8_t;
inline constexpr TPrefixTableSet PrefixSetOf(uint8_t kind) {
  return static_cast<TPrefixTableSet>(1u << kind);
}
inline constexpr TPrefixTableSet kAllPrefixTables = 0x07;

class TDatPrefix : public ToDatBase {
 public:
  static constexpr int kMainKeyCount = 15;
  static constexpr int kExceptionKeyCount = 14;

  // Key keyNo (1-based) of a ZQPREFIX record. Text parts are blank-padded or
  // cut to their width; with readable keys (tables without file) numbers are
  // decimal text and parts are joined by sep.
  static std::string BuildMainKey(const uint8_t* rec, int keyNo, bool readable = false,
                                  std::string_view sep = {});
  // Key keyNo of a ZQPREFEE / ZQPREFES record.
  static std::string BuildExceptionKey(const uint8_t* rec, int keyNo, bool readable = false,
                                       std::string_view sep = {});
  // The key definitions of ZQPREFIX (kind 0) or of an exception table.
  static ToKeys KeysOf(uint8_t kind);
  static const char* TableName(uint8_t kind);

  // Opens the tables of the set in the order ZQPREFIX, ZQPREFEE, ZQPREFES,
  // each only while the earlier ones of this call opened. In mode 2 the
  // object's own driver is opened instead. True when all requested opens
  // succeeded.
  bool OpenTables(TPrefixTableSet set, TdbTreiber* ownDriver = nullptr, uint8_t mode = 0);
  // With maintenance set, first runs the closing maintenance of the
  // exception tables; then releases one use of each table of the set.
  void CloseTables(TPrefixTableSet set, bool maintenance = false, uint8_t mode = 0,
                   TdbTreiber* ownDriver = nullptr);
  // Mode 2: the object's own driver; otherwise the shared driver of kind 0, 1
  // or 2. nil unless that driver has its file open.
  TdbTreiber* GetTableDriver(uint8_t kind, uint8_t mode = 0, TdbTreiber* ownDriver = nullptr);

  // A table whose file proved damaged when it was opened is not tried again
  // in this run: the storage engine reported it once, not at every look-up.
  bool IsDamaged(uint8_t kind) const;
  // After the tables were written anew.
  void ForgetDamage();
  // The table's file is in the program directory.
  static bool TableExists(uint8_t kind);
  // A table whose file is missing while the others are there is not made
  // anew, empty, in this run: an empty exception table would give wrong
  // answers without a word. Kept so until ForgetDamage.
  void KeepMissing(uint8_t kind);
  bool IsMissing(uint8_t kind) const;

  // Stage 1 at open, 2 at the final close. Never re-entered.
  void RunMaintenance(int stage, TPrefixTableSet set, uint8_t mode = 0);
  bool MaintenanceRunning() const { return maintenanceRunning_ != 0; }

 private:
  bool OpenTable(uint8_t kind, uint8_t mode, TdbTreiber* ownDriver);
  TdbTreiber& Driver(uint8_t kind);

  uint8_t maintenanceRunning_ = 0;
  TdbTreiber drivers_[3];
  std::string damagedFiles_[3];  // full names, so another program directory is tried afresh
  std::string missingFiles_[3];  // the same for KeepMissing
};

extern TDatPrefix ToDatPrefix;
