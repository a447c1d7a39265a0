// The country-file import: parsing, the records it makes, and the tables
// built from the real cty.csv checked against an independent longest-prefix
// reading of the same file.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "base/kxdates.h"
#include "hamradio/prefixe.h"
#include "platform/textfile.h"
#include "prefix/PrefixFixture.h"
#include "prefix/ctyimport.h"
#include "support/RealCtyTables.h"

namespace {

const char kSmallCty[] =
    "DL,Fed. Rep. of Germany,230,EU,14,28,51.00,-10.00,-1.0,DA DL =DL0ABC(15)[29]{AS};\n"
    "K,United States,291,NA,5,8,37.60,91.87,5.0,K W AA0(4)[7] KH7<20.0/155.0>;\r\n"
    "3D2/c,Conway Reef,489,OC,32,56,-22.00,-175.00,-12.0,=3D2C;\n"
    "*GM/s,Shetland Islands,279,EU,14,27,60.50,1.50,0.0,=GB0SI;\n"
    "GM,Scotland,279,EU,14,27,56.82,4.18,0.0,GM MM =GB0SI;\n"
    "XX,Broken,abc,EU,1,1,0,0,0,XX;\n"
    "YY,Too short;\n";

TEST(CtyImport, ParsesEntitiesTokensAndOverrides) {
  std::vector<std::string> errors;
  const auto ents = ParseCtyCsv(kSmallCty, errors);
  ASSERT_EQ(ents.size(), 5u);
  EXPECT_EQ(errors.size(), 2u);  // the broken number and the short line

  const TCtyEntity& dl = ents[0];
  EXPECT_EQ(dl.Dxcc, "DL");
  EXPECT_EQ(dl.Adif, 230);
  EXPECT_DOUBLE_EQ(dl.Lon, 10.0);  // west-positive in the file
  ASSERT_EQ(dl.Tokens.size(), 3u);
  EXPECT_TRUE(dl.Tokens[2].WholeCall);
  EXPECT_EQ(dl.Tokens[2].Text, "DL0ABC");
  EXPECT_EQ(dl.Tokens[2].Cq, 15);
  EXPECT_EQ(dl.Tokens[2].Itu, 29);
  EXPECT_EQ(dl.Tokens[2].Continent, "AS");

  const TCtyEntity& k = ents[1];
  EXPECT_EQ(k.Tokens[2].Text, "AA0");
  EXPECT_EQ(k.Tokens[2].Cq, 4);
  EXPECT_TRUE(k.Tokens[3].HasLatLon);
  EXPECT_DOUBLE_EQ(k.Tokens[3].Lon, -155.0);
  EXPECT_EQ(ents[2].Dxcc, "3D2/C");
  EXPECT_TRUE(ents[3].WaeOnly);
  EXPECT_EQ(ents[3].Dxcc, "GM/S");
}

TEST(CtyImport, RecordsForPrefixesEntitiesAndAreas) {
  std::vector<std::string> errors;
  const TCtyRecords r = BuildPrefixRecords(ParseCtyCsv(kSmallCty, errors));
  using namespace prefrec;
  auto str = [](const TPrefixRecord& x, size_t off, size_t cap) { return rec::GetStr(x.data(), off, cap); };
  std::map<std::string, TPrefixRecord> main;
  for (const auto& x : r.Main) main[str(x, kPrefix, kPrefixCap)] = x;
  // The entity's own prefix carries the picker's mark; others do not.
  EXPECT_EQ(rec::GetChar(main.at("DL").data(), kSel), 'H');
  EXPECT_EQ(rec::GetChar(main.at("DA").data(), kSel), ' ');
  EXPECT_EQ(str(main.at("DL"), kLoc, kLocCap).substr(0, 4), "JO51");
  EXPECT_EQ(str(main.at("AA0"), kWAZ, kWAZCap), "04");
  EXPECT_EQ(str(main.at("AA0"), kITU, kITUCap), "07");
  EXPECT_EQ(str(main.at("K"), kWAZ, kWAZCap), "05");
  EXPECT_EQ(str(main.at("KH7"), kLoc, kLocCap).substr(0, 2), "BL");
  // An entity without a prefix of its own gets a record no search meets.
  ASSERT_TRUE(main.contains("3D2/C-"));
  EXPECT_EQ(str(main.at("3D2/C-"), kDXCC, kDXCCCap), "3D2/C");
  EXPECT_EQ(rec::GetInt16(main.at("3D2/C-").data(), kADIFNr), 489);

  std::map<std::string, TPrefixRecord> calls;
  for (const auto& x : r.Exceptions)
    calls[str(x, kPrefix, kPrefixCap) + str(x, kQSLBureau, kQSLBureauCap)] = x;
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(str(calls.at("DL0ABC"), kContinent, kContinentCap), "AS");
  // A call listed under the entity and under a WAE area: the area's entry,
  // filed under the DXCC entity.
  EXPECT_EQ(r.DuplicateCalls, 1);
  EXPECT_EQ(str(calls.at("GB0SI"), kWAE, kWAECap), "GM/S");
  EXPECT_EQ(str(calls.at("GB0SI"), kDXCC, kDXCCCap), "GM");
}

TEST(CtyImport, OutOfRangeValuesAreReportedWithTheirLineAndLeftOut) {
  const char text[] =
      "DL,Fed. Rep. of Germany,230,EU,14,28,51.00,-10.00,-1.0,DA DL;\n"
      "A1,Big Adif,70000,EU,14,28,51.00,-10.00,-1.0,A1;\n"
      "A2,Zero Adif,0,EU,14,28,51.00,-10.00,-1.0,A2;\n"
      "A3,Cq Zone,1,EU,41,28,51.00,-10.00,-1.0,A3;\n"
      "A4,Itu Zone,1,EU,14,128,51.00,-10.00,-1.0,A4;\n"
      "A5,Nan Lat,1,EU,14,28,nan,-10.00,-1.0,A5;\n"
      "A6,Inf Lon,1,EU,14,28,51.00,inf,-1.0,A6;\n"
      "A7,Far North,1,EU,14,28,90.5,-10.00,-1.0,A7;\n"
      "A8,Far West,1,EU,14,28,51.00,180.01,-1.0,A8;\n"
      "A9,Cq Override,1,EU,14,28,51.00,-10.00,-1.0,A9 =A9X(99);\n"
      "B1,Itu Override,1,EU,14,28,51.00,-10.00,-1.0,B1[0];\n"
      "B2,Position Override,1,EU,14,28,51.00,-10.00,-1.0,B2<nan/10.0>;\n"
      "B3,Far Override,1,EU,14,28,51.00,-10.00,-1.0,B3<10.0/-200.0>;\n"
      "B4,Limits,522,EU,40,90,-90.00,180.00,-1.0,B4;\n";
  std::vector<std::string> errors;
  const auto ents = ParseCtyCsv(text, errors);
  ASSERT_EQ(ents.size(), 2u);
  EXPECT_EQ(ents[0].Dxcc, "DL");
  EXPECT_EQ(ents[1].Dxcc, "B4");  // the edges of every range are taken
  EXPECT_EQ(ents[1].Adif, 522);
  ASSERT_EQ(errors.size(), 12u);
  for (size_t i = 0; i < errors.size(); ++i)
    EXPECT_TRUE(errors[i].starts_with("Zeile " + std::to_string(i + 2) + ": ")) << errors[i];
  EXPECT_NE(errors[0].find("70000"), std::string::npos) << errors[0];
  EXPECT_NE(errors[2].find("41"), std::string::npos) << errors[2];
  EXPECT_NE(errors[4].find("nan"), std::string::npos) << errors[4];
}

TEST_F(PrefixTablesTest, ALastLineCutShortIsReportedAndTheOthersStillResolve) {
  // The file ends inside Guernsey's "GP": read as a whole entity, its "G"
  // would take England's calls.
  const char text[] =
      "G,England,223,EU,14,27,52.77,1.47,0.0,G M;\n"
      "GU,Guernsey,106,EU,14,27,49.45,2.58,0.0,2U G";
  std::vector<std::string> errors;
  const auto ents = ParseCtyCsv(text, errors);
  ASSERT_EQ(ents.size(), 1u);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].starts_with("Zeile 2: ")) << errors[0];
  std::string error;
  ASSERT_TRUE(WritePrefixTables(BuildPrefixRecords(ents), error)) << error;
  OpenAll();
  TdbPrefix t;
  ASSERT_EQ(t.ResolveCallsign("G4ABC", ToDates.DMYToDate(1, 6, 2023)), 0);
  EXPECT_EQ(t.GetADIFNr(), 223);
}

// Lines of the real file damaged at random (characters changed, dropped or
// doubled, lines cut): whatever is taken stays within the ranges, and every
// line is either taken or reported.
TEST(CtyImport, RandomlyDamagedLinesAreTakenWithinRangeOrReported) {
  std::vector<std::string> real;
  ASSERT_TRUE(ReadTextFile("/usr/share/hamradio-files/cty.csv", real));
  ASSERT_GT(real.size(), 300u);
  std::mt19937 rng(4711);
  const std::string alphabet = ",;.-+0123456789nainf<>()[]{}/=~* eE\t";
  auto any = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  for (int round = 0; round < 3000; ++round) {
    std::string line = real[any(real.size())];
    for (int edits = 1 + static_cast<int>(any(4)); edits > 0 && !line.empty(); --edits) {
      const size_t at = any(line.size());
      switch (any(4)) {
        case 0: line[at] = alphabet[any(alphabet.size())]; break;
        case 1: line.erase(at, 1 + any(6)); break;
        case 2: line.insert(at, line.substr(at, 1 + any(8))); break;
        default: line.resize(at); break;
      }
    }
    std::vector<std::string> errors;
    const auto ents = ParseCtyCsv(line, errors);
    const bool blank = line.find_first_not_of(" \t\r") == std::string::npos;
    ASSERT_EQ(ents.size() + errors.size(), blank ? 0u : 1u) << line;
    for (const TCtyEntity& e : ents) {
      EXPECT_TRUE(e.Adif >= 1 && e.Adif <= 999) << line;
      EXPECT_TRUE(e.Cq >= 1 && e.Cq <= 40) << line;
      EXPECT_TRUE(e.Itu >= 1 && e.Itu <= 90) << line;
      EXPECT_TRUE(std::abs(e.Lat) <= 90 && std::abs(e.Lon) <= 180) << line;
      for (const TCtyToken& t : e.Tokens) {
        EXPECT_TRUE(t.Cq >= 0 && t.Cq <= 40 && t.Itu >= 0 && t.Itu <= 90) << line;
        EXPECT_TRUE(!t.HasLatLon || (std::abs(t.Lat) <= 90 && std::abs(t.Lon) <= 180)) << line;
      }
      for (const TPrefixRecord& r : BuildPrefixRecords({e}).Main)
        EXPECT_EQ(rec::GetStr(r.data(), prefrec::kLoc, prefrec::kLocCap).size(), 6u) << line;
    }
    if (HasFailure()) break;
  }
}

// --- the real file ------------------------------------------------------------

// The tables are built once for the suite, in one temporary program directory.
class RealCtyTables : public RealCtyTablesTest {
 protected:
  // Resolves and compares with the file's own reading.
  void Check(TdbPrefix& t, const std::string& call, int& placed) {
    Place want;
    const bool known = oracle_->Find(call, want);
    const uint8_t got = t.ResolveCallsign(call, date_);
    if (!known) {
      EXPECT_EQ(got, 1) << call;
      return;
    }
    ++placed;
    ASSERT_EQ(got, 0) << call;
    EXPECT_EQ(t.GetADIFNr(), want.Adif) << call;
    EXPECT_EQ(std::stoi(t.GetWAZ()), want.Cq) << call;
    EXPECT_EQ(std::stoi(t.GetITU()), want.Itu) << call;
    EXPECT_EQ(t.GetContinent(), want.Continent) << call;
  }

  int32_t date_ = ToDates.DMYToDate(1, 6, 2023);
};

TEST_F(RealCtyTables, EveryMasterCallResolvesAsTheFileSays) {
  TdbPrefix t;
  int placed = 0;
  for (const std::string& c : master_) {
    Check(t, c, placed);
    if (HasFatalFailure()) return;
  }
  // Only calls the file itself cannot place (misspelt with '0' for 'O' and
  // the like) stay unresolved.
  EXPECT_GT(placed, static_cast<int>(master_.size()) - 50);
}

TEST_F(RealCtyTables, PortableAndPrefixedFormsFromAllContinents) {
  // Calls of every continent, each plain, portable and worked from abroad.
  std::map<std::string, std::vector<std::string>> byContinent;
  for (const std::string& c : master_) {
    Place p;
    if (c.find('/') == std::string::npos && oracle_->Find(c, p) && byContinent[p.Continent].size() < 40)
      byContinent[p.Continent].push_back(c);
  }
  EXPECT_GE(byContinent.size(), 6u);
  size_t base = 0;
  for (const auto& [cont, calls] : byContinent) base += calls.size();
  EXPECT_GE(base, 200u);
  const char* abroad[] = {"EA8", "VK", "JA", "PY", "W", "ZS", "OH0", "KH6"};
  TdbPrefix t;
  int placed = 0, n = 0;
  for (const auto& [cont, calls] : byContinent)
    for (const std::string& c : calls) {
      for (const std::string& form :
           {c, c + "/P", c + "/QRP", std::string(abroad[n % 8]) + "/" + c}) {
        Check(t, form, placed);
        if (HasFatalFailure()) return;
      }
      ++n;
    }
  EXPECT_GE(placed, 200 * 4);
}

TEST_F(RealCtyTables, EntityListAgreesWithTheFile) {
  // Exception hits take their ADIF number from the program's entity list by
  // the DXCC text; the file's entities must be known there under that text.
  TdbPrefix t;
  for (const TCtyEntity& e : entities_) {
    if (e.WaeOnly) continue;
    EXPECT_EQ(ToPrefix.AdifCodeOfPrefix(e.Dxcc), e.Adif) << e.Dxcc;
    EXPECT_EQ(t.FindEntityByDxcc(e.Dxcc), 0) << e.Dxcc;
    EXPECT_EQ(t.GetADIFNr(), e.Adif) << e.Dxcc;
  }
  // The DXCC picker's order starts at the entities' own records.
  std::set<std::string> marked;
  for (bool ok = t.SearchDxcc(""); ok; ok = t.Next())
    if (t.GetSelFlag() == 'H') marked.insert(t.GetDXCC());
  size_t dxcc = 0;
  for (const TCtyEntity& e : entities_) dxcc += e.WaeOnly ? 0 : 1;
  EXPECT_EQ(marked.size(), dxcc);
}

}  // namespace
