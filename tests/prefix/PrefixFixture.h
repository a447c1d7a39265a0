#pragma once
// Small prefix tables for tests: records described field by field, written
// into ZQPREFIX / ZQPREFEE / ZQPREFES of a temporary program directory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/recfields.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"
#include "support/TempProgramDir.h"

struct PrefixSpec {
  std::string Prefix = {}, Dxcc = {}, Menue = {}, Waz = "14", Itu = "28", Continent = "EU",
              Country = {};
  char RangeStart = 0;
  int Adif = 0;
  std::string WiePref = {}, Link = {}, Dxcc2 = {};
  int32_t LinkUntil = 0, Dxcc2Until = 0, ValidFrom = 0, ValidUntil = 0;
  char Sel = ' ', PrefixMatch = ' ';
  std::string PrefixZus = {};  // exception tables: the callsign after its sixth character
};

inline TPrefixRecord MakePrefixRecord(const PrefixSpec& s) {
  using namespace prefrec;
  TPrefixRecord r{};
  uint8_t* p = r.data();
  rec::SetStr(p, kPrefix, kPrefixCap, s.Prefix);
  rec::SetStr(p, kDXCC, kDXCCCap, s.Dxcc);
  rec::SetStr(p, kMenue, kMenueCap, s.Menue);
  rec::SetStr(p, kWAZ, kWAZCap, s.Waz);
  rec::SetStr(p, kITU, kITUCap, s.Itu);
  rec::SetStr(p, kContinent, kContinentCap, s.Continent);
  rec::SetStr(p, kCountry, kCountryCap, s.Country.empty() ? s.Dxcc + " land" : s.Country);
  rec::SetStr(p, kQSLBureau, kQSLBureauCap, s.PrefixZus);
  rec::SetInt32(p, kValidFrom, s.ValidFrom);
  rec::SetInt32(p, kValidUntil, s.ValidUntil);
  rec::SetInt32(p, kDXCC2Until, s.Dxcc2Until);
  rec::SetStr(p, kDXCC2, kDXCC2Cap, s.Dxcc2);
  rec::SetChar(p, kRangeStart, s.RangeStart);
  rec::SetInt16(p, kADIFNr, static_cast<int16_t>(s.Adif));
  rec::SetStr(p, kWiePref, kWiePrefCap, s.WiePref);
  rec::SetInt32(p, kLinkUntil, s.LinkUntil);
  rec::SetStr(p, kLink, kLinkCap, s.Link);
  rec::SetChar(p, kSel, s.Sel);
  rec::SetChar(p, kPrefixMatch, s.PrefixMatch);
  return r;
}

// Adds the records to the table of that kind (opened and closed here).
inline void AddPrefixRecords(uint8_t kind, const std::vector<PrefixSpec>& specs) {
  TdbPrefix t(kind);
  ASSERT_NE(t.GetTreiber(), nullptr);
  ASSERT_TRUE(t.BeginTransaction());
  for (const PrefixSpec& s : specs) {
    const TPrefixRecord r = MakePrefixRecord(s);
    t.PutRecord(r.data());
    EXPECT_TRUE(t.Add()) << s.Prefix << s.PrefixZus;
  }
  ASSERT_TRUE(t.CommitTransaction());
}

// A temporary program directory whose prefix tables stay open for the test,
// as the main window keeps them open.
class PrefixTablesTest : public ::testing::Test {
 protected:
  void OpenAll() { ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables)); opened_ = true; }
  void TearDown() override {
    if (opened_) ToDatPrefix.CloseTables(kAllPrefixTables);
  }
  TempProgramDir dir_;
  bool opened_ = false;
};
