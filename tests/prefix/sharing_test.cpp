// The resolution reads the engine's caches; a change that another program
// writes into the table file must still show in the next resolutions.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <string>
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

// Adds a record to ZQPREFES through a connection of its own.
void AddExceptionElsewhere(const PrefixSpec& entry) {
  TPrefixRecord r = MakePrefixRecord(entry);
  static int32_t number = 1000;  // the autokey is unique in ZQPREFES
  rec::SetInt32(r.data(), prefrec::kAutore, ++number);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(NativeFileName(ProgramDirectory + "ZQPREFES.DAT").c_str(), &db), SQLITE_OK);
  std::string sql = "INSERT INTO records(data";
  for (int k = 1; k <= TDatPrefix::kExceptionKeyCount; ++k) sql += ", k" + std::to_string(k);
  sql += ") VALUES(?1";
  for (int k = 1; k <= TDatPrefix::kExceptionKeyCount; ++k) sql += ", ?" + std::to_string(k + 1);
  sql += ")";
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK);
  sqlite3_bind_blob(st, 1, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
  for (int k = 1; k <= TDatPrefix::kExceptionKeyCount; ++k) {
    const std::string key = TDatPrefix::BuildExceptionKey(r.data(), k);
    sqlite3_bind_blob(st, k + 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
  }
  EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
  sqlite3_finalize(st);
  sqlite3_close(db);
}

// The lookup remembers whether ZQPREFES has entries for call beginnings;
// whoever adds or removes one, the next resolutions must know.
TEST(PrefixSharing, CallBeginningEntriesAddedOrRemovedLaterApply) {
  TempProgramDir dir;
  AddPrefixRecords(kPrefixMain, {{.Prefix = "DL", .Dxcc = "DL", .Adif = 230},
                                 {.Prefix = "OE", .Dxcc = "OE", .Adif = 206}});
  AddPrefixRecords(kPrefixES, {{.Prefix = "DL1XX", .Dxcc = "HB"}});
  ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  {
    TdbPrefix t;
    auto dxccOf = [&t](const char* call) {
      return t.ResolveCallsign(call, 1) == 0 ? t.GetDXCC() : std::string("-");
    };
    EXPECT_EQ(dxccOf("DL1XX"), "HB");
    EXPECT_EQ(dxccOf("DL1ABC"), "DL");
    EXPECT_EQ(dxccOf("DL1ABCDEFGHIJKLM"), "DL");

    // Added here: the very next resolution sees it, for long calls too.
    TdbPrefix es(kPrefixES);
    const TPrefixRecord added = MakePrefixRecord({.Prefix = "DL1AB", .Dxcc = "I", .PrefixMatch = 'J'});
    es.PutRecord(added.data());
    ASSERT_TRUE(es.Add());
    EXPECT_EQ(dxccOf("DL1ABC"), "I");
    EXPECT_EQ(dxccOf("DL1ABCDEFGHIJKLM"), "I");
    EXPECT_EQ(dxccOf("DL1XX"), "HB");
    EXPECT_EQ(dxccOf("DL1AC"), "DL");

    // Removed here: gone at once.
    ASSERT_TRUE(es.FindPrefixExact("DL1AB"));
    ASSERT_TRUE(es.Delete());
    EXPECT_EQ(dxccOf("DL1ABC"), "DL");

    // Whole calls added here or elsewhere count at once / after the check time.
    const TPrefixRecord whole = MakePrefixRecord({.Prefix = "DL9NEW", .Dxcc = "F"});
    es.PutRecord(whole.data());
    ASSERT_TRUE(es.Add());
    EXPECT_EQ(dxccOf("DL9NEW"), "F");
    AddExceptionElsewhere({.Prefix = "OE9NEW", .Dxcc = "SP", .PrefixZus = "/P"});
    std::this_thread::sleep_for(std::chrono::milliseconds(DriverCacheCheckMs + 30));
    EXPECT_EQ(dxccOf("OE9NEW/P"), "SP");
    EXPECT_EQ(dxccOf("OE9NEW"), "OE");

    // Added by another station: seen once the caches are asked again.
    AddExceptionElsewhere({.Prefix = "OE2", .Dxcc = "HA", .PrefixMatch = 'J'});
    std::this_thread::sleep_for(std::chrono::milliseconds(DriverCacheCheckMs + 30));
    EXPECT_EQ(dxccOf("OE2XYZABCDEFGHIJ"), "HA");  // too long for a whole-call entry
    EXPECT_EQ(dxccOf("OE2XYZ"), "HA");
    EXPECT_EQ(dxccOf("OE3XYZ"), "OE");
    EXPECT_EQ(dxccOf("DL1XX"), "HB");
  }
  ToDatPrefix.CloseTables(kAllPrefixTables);
}

// The exception tables a resolution uses on its own are kept only while
// their tables are open anyway.
TEST(PrefixSharing, ResolutionsLeaveNoTableOpenBehindTheOwnersBacks) {
  TempProgramDir dir;
  AddPrefixRecords(kPrefixMain, {{.Prefix = "DL", .Dxcc = "DL", .Adif = 230}});
  AddPrefixRecords(kPrefixES, {{.Prefix = "DL1XX", .Dxcc = "HB"}});
  TdbPrefix t;  // opens ZQPREFIX for itself
  ASSERT_EQ(t.ResolveCallsign("DL1XX", 1), 0);
  EXPECT_EQ(t.GetDXCC(), "HB");
  EXPECT_EQ(ToDatPrefix.GetTableDriver(kPrefixES), nullptr);

  ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  ASSERT_EQ(t.ResolveCallsign("DL1XX", 1), 0);
  EXPECT_EQ(t.GetDXCC(), "HB");
  ToDatPrefix.CloseTables(kAllPrefixTables);
  EXPECT_EQ(ToDatPrefix.GetTableDriver(kPrefixES), nullptr);
  // Closed by their owners: the next resolution opens them for itself again.
  ASSERT_EQ(t.ResolveCallsign("DL1XX", 1), 0);
  EXPECT_EQ(t.GetDXCC(), "HB");
  EXPECT_EQ(ToDatPrefix.GetTableDriver(kPrefixES), nullptr);
  EXPECT_EQ(ToDatPrefix.GetTableDriver(kPrefixEE), nullptr);
}

}  // namespace
