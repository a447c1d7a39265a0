// The prefix tables as tables: key order, unique whole calls, shared opens,
// the layouts without file, and the maintenance at open and close.
#include <gtest/gtest.h>

#include <vector>

#include "prefix/PrefixFixture.h"

namespace {

std::vector<std::string> WalkPrefixes(TdbPrefix& t, int keyNo) {
  std::vector<std::string> out;
  for (bool ok = t.First(keyNo); ok; ok = t.Next()) out.push_back(t.GetPrefix());
  return out;
}

TEST(PrefixKeys, SelectionCountryAndNumberKeys) {
  PrefixSpec a{.Prefix = "AA", .Dxcc = "DL", .Country = "Germany", .Adif = 230};
  PrefixSpec b = a;
  b.Country = "GERMANY";
  const TPrefixRecord ra = MakePrefixRecord(a), rb = MakePrefixRecord(b);
  // Country order ignores case.
  EXPECT_EQ(TDatPrefix::BuildMainKey(ra.data(), 7), TDatPrefix::BuildMainKey(rb.data(), 7));
  EXPECT_EQ(TDatPrefix::BuildMainKey(ra.data(), 7).size(), 36u);
  // Number keys sort as numbers.
  PrefixSpec c = a;
  c.Adif = 1000;
  EXPECT_LT(TDatPrefix::BuildMainKey(ra.data(), 13),
            TDatPrefix::BuildMainKey(MakePrefixRecord(c).data(), 13));
  // The whole callsign of an exception entry, blank-padded to 14.
  PrefixSpec e{.Prefix = "DL1ABC", .Dxcc = "DL", .PrefixZus = "/P"};
  EXPECT_EQ(TDatPrefix::BuildExceptionKey(MakePrefixRecord(e).data(), 13), "DL1ABC/P      ");
  // Readable keys of tables without file join their parts.
  EXPECT_EQ(TDatPrefix::BuildMainKey(ra.data(), 2, true, "||"), "DL    ||AA    ");
}

TEST(PrefixTables, SelectionOrderAndUniqueWholeCalls) {
  TempProgramDir dir;
  AddPrefixRecords(kPrefixMain, {{.Prefix = "S1", .Dxcc = "X", .Sel = '*'},
                                 {.Prefix = "S2", .Dxcc = "X", .Sel = 'K'},
                                 {.Prefix = "S3", .Dxcc = "X", .Sel = 'A'},
                                 {.Prefix = "S4", .Dxcc = "X", .Sel = ' '},
                                 {.Prefix = "S5", .Dxcc = "X", .Sel = 'J'}});
  {
    TdbPrefix t;
    // '*' after everything, letters from 'J' in the middle, the rest first.
    EXPECT_EQ(WalkPrefixes(t, 10), (std::vector<std::string>{"S3", "S4", "S2", "S5", "S1"}));
  }
  AddPrefixRecords(kPrefixES, {{.Prefix = "DL1ABC", .Dxcc = "DL", .PrefixZus = "/P"}});
  TdbPrefix es(kPrefixES);
  es.PutRecord(MakePrefixRecord({.Prefix = "DL1ABC", .Dxcc = "OE", .PrefixZus = "/P"}).data());
  EXPECT_FALSE(es.Add());
  es.PutRecord(MakePrefixRecord({.Prefix = "DL1ABC", .Dxcc = "OE", .PrefixZus = "/M"}).data());
  EXPECT_TRUE(es.Add());
  EXPECT_GT(es.GetAutoKey(), 0);
  EXPECT_EQ(es.UsedRecords(), 2);
}

TEST(PrefixTables, SharedOpenAndLayoutsWithoutFile) {
  TempProgramDir dir;
  {
    auto first = std::make_unique<TdbPrefix>(kPrefixMain);
    EXPECT_TRUE(first->OpenedHere());
    {
      TdbPrefix second(kPrefixMain);
      EXPECT_FALSE(second.OpenedHere());
    }
    EXPECT_NE(first->GetTreiber(), nullptr);  // the second object did not close it
    first.reset();
    EXPECT_EQ(ToDatPrefix.GetTableDriver(kPrefixMain), nullptr);
  }
  TdbPrefix k3(kPrefixLayout3), k4(kPrefixLayout4);
  EXPECT_EQ(k3.GetTreiber(), nullptr);
  k3.SetPrefix("DL");
  k3.SetADIFNr(230);
  EXPECT_EQ(k3.GetPrefix(), "DL");
  EXPECT_EQ(k3.GetADIFNr(), 230);
  EXPECT_EQ(k3.GetCountry(), "");
  EXPECT_FALSE(k3.FindPrefixExact("DL"));
  k4.SetADIFNr(7);
  k4.SetPrefix("DL");
  EXPECT_EQ(k4.GetADIFNr(), 7);
  EXPECT_EQ(k4.GetPrefix(), "");
  EXPECT_FALSE(k4.First(0));
  EXPECT_FALSE(k4.Add());
}

std::vector<std::pair<std::string, int32_t>> AutoKeys(uint8_t kind) {
  TdbPrefix t(kind);
  std::vector<std::pair<std::string, int32_t>> out;
  for (bool ok = t.First(1); ok; ok = t.Next()) out.emplace_back(t.GetPrefix(), t.GetAutoKey());
  return out;
}

TEST(PrefixMaintenance, RenumbersOnlyWhenOutOfStep) {
  TempProgramDir dir;
  AddPrefixRecords(kPrefixES, {{.Prefix = "ZZ1A", .Dxcc = "X"},
                               {.Prefix = "AA1A", .Dxcc = "X"},
                               {.Prefix = "MM1A", .Dxcc = "X"}});
  // 1..3 without gaps: left as they are (not in Prefix order).
  using V = std::vector<std::pair<std::string, int32_t>>;
  EXPECT_EQ(AutoKeys(kPrefixES), (V{{"AA1A", 2}, {"MM1A", 3}, {"ZZ1A", 1}}));
  {
    TdbPrefix t(kPrefixES);
    ASSERT_TRUE(t.FindPrefixExact("AA1A"));
    ASSERT_TRUE(t.Delete());
  }
  // The next open renumbers in Prefix order, though MM1A's new number is
  // ZZ1A's old one in the unique autokey index of ZQPREFES.
  EXPECT_EQ(AutoKeys(kPrefixES), (V{{"MM1A", 1}, {"ZZ1A", 2}}));
}

TEST(PrefixMaintenance, RenamesRetiredEntitiesInExceptionTablesOnly) {
  TempProgramDir dir;
  AddPrefixRecords(kPrefixMain, {{.Prefix = "E5", .Dxcc = "E5"}});
  ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  AddPrefixRecords(kPrefixEE, {{.Prefix = "E51AA", .Dxcc = "E5"},
                               {.Prefix = "E51BB", .Dxcc = "E5"},
                               {.Prefix = "E50X", .Dxcc = "E50"},
                               {.Prefix = "TX0A", .Dxcc = "TX0"},
                               {.Prefix = "DL1A", .Dxcc = "DL"}});
  // The closing maintenance of the program end.
  ToDatPrefix.CloseTables(kAllPrefixTables, true);
  TdbPrefix ee(kPrefixEE);
  std::vector<std::string> dxcc;
  for (bool ok = ee.First(1); ok; ok = ee.Next()) dxcc.push_back(ee.GetDXCC());
  EXPECT_EQ(dxcc, (std::vector<std::string>{"DL", "E5/S", "E5/N", "E5/N", "FK/C"}));
  TdbPrefix main(kPrefixMain);
  ASSERT_TRUE(main.FindPrefixExact("E5"));
  EXPECT_EQ(main.GetDXCC(), "E5");
}

}  // namespace
