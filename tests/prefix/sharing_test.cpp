// The resolution reads the engine's caches; a change that another program
// writes into the table file must still show in the next resolutions.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "platform/paths.h"
#include "prefix/PrefixFixture.h"
#include "storage/ifdriver.h"

namespace {

// Rewrites one record of ZQPREFIX through a connection of its own, as
// another station would.
void RewriteElsewhere(int32_t ref, const TPrefixRecord& r) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(NativeFileName(ProgramDirectory + "ZQPREFIX.DAT").c_str(), &db), SQLITE_OK);
  std::string sql = "UPDATE records SET data=?1";
  for (int k = 1; k <= TDatPrefix::kMainKeyCount; ++k)
    sql += ", k" + std::to_string(k) + "=?" + std::to_string(k + 1);
  sql += " WHERE ref=?" + std::to_string(TDatPrefix::kMainKeyCount + 2);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK);
  sqlite3_bind_blob(st, 1, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
  for (int k = 1; k <= TDatPrefix::kMainKeyCount; ++k) {
    const std::string key = TDatPrefix::BuildMainKey(r.data(), k);
    sqlite3_bind_blob(st, k + 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
  }
  sqlite3_bind_int(st, TDatPrefix::kMainKeyCount + 2, ref);
  EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
  sqlite3_finalize(st);
  sqlite3_close(db);
}

TEST(PrefixSharing, ChangeByAnotherStationShowsInTheNextResolution) {
  TempProgramDir dir;
  AddPrefixRecords(kPrefixMain, {{.Prefix = "DL", .Dxcc = "DL", .Adif = 230},
                                 {.Prefix = "OE", .Dxcc = "OE", .Adif = 206}});
  ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  {
    TdbPrefix t;
    ASSERT_EQ(t.ResolveCallsign("DL1ABC", 1), 0);
    ASSERT_EQ(t.GetDXCC(), "DL");
    const int32_t ref = t.CurrentRef();
    ASSERT_GT(ref, 0);
    // The other station files DL under another entity and renames the prefix.
    TPrefixRecord r{};
    t.GetRecord(r.data());
    rec::SetStr(r.data(), prefrec::kDXCC, prefrec::kDXCCCap, "XX");
    rec::SetStr(r.data(), prefrec::kPrefix, prefrec::kPrefixCap, "DM");
    RewriteElsewhere(ref, r);
    std::this_thread::sleep_for(std::chrono::milliseconds(DriverCacheCheckMs + 30));
    EXPECT_EQ(t.ResolveCallsign("DL1ABC", 1), 1);
    ASSERT_EQ(t.ResolveCallsign("DM1ABC", 1), 0);
    EXPECT_EQ(t.GetDXCC(), "XX");
  }
  ToDatPrefix.CloseTables(kAllPrefixTables);
}

}  // namespace
