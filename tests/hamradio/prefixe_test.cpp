#include "hamradio/prefixe.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/kxstrings.h"
#include "hamradio/entities.h"

namespace {

struct CallCase {
  const char* call;
  const char* expected;
};

TEST(PrefixeTest, BaseCallDropsWhatIsAddedAwayFromHome) {
  const CallCase cases[] = {
      {"DL1ABC", "DL1ABC"},
      {"DL1ABC/P", "DL1ABC"},          // portable
      {"dl1abc/p", "DL1ABC"},          // typed in lower case
      {"DL1ABC/M", "DL1ABC"},          // mobile
      {"DL1ABC/MM", "DL1ABC"},         // maritime mobile
      {"DL1ABC/AM", "DL1ABC"},         // aeronautical mobile
      {"EA8/DL1ABC", "DL1ABC"},        // prefixed from abroad
      {"EA8/DL1ABC/P", "DL1ABC"},
      {"DL1ABC/EA8", "DL1ABC"},        // foreign prefix written behind
      {"F/DL1ABC", "DL1ABC"},          // prefix without digit
      {"HB0/DJ2XY", "DJ2XY"},
      {"W1AW/KH6", "W1AW"},
      {"KH6/W1AW", "W1AW"},
      {"K1A/QRPP", "K1A"},             // a longer mark is no callsign
      {"UA3ABC/9", "UA3ABC"},          // other call area
      {"SV2ASP/A", "SV2ASP"},          // special-entity forms
      {"JW5X/B", "JW5X"},
      {"3D2AG/R", "3D2AG"},
      {"GM3ABC/SH", "GM3ABC"},
      {"DLØABC", "DL0ABC"},            // slashed zeros
      {"DKØXXX/P", "DK0XXX"},
      {"dløabc", "DL0ABC"},            // lower-case slashed zero
      {" DL1ABC / P ", "DL1ABC"},      // blanks
      {"\tdl 1abc\r", "DL1ABC"},        // control characters around, a blank inside
      {"ÿ1ø", "\x9f" "10"},            // Windows upper case of the letters beyond ASCII
      {"4U1ITU", "4U1ITU"},
      {"EA8/A4A", "A4A"},              // short call behind a prefix of its length
      {"A4A/EA8", "A4A"},
      {"", ""},
      {"/", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToPrefix.BaseCall(c.call), c.expected) << c.call;
  EXPECT_EQ(ToPrefix.BaseCallEx("EA8/DL1ABC/P", 1), "DL1ABC");
  EXPECT_EQ(ToPrefix.BaseCallEx("ea8/dlØabc/p", 0), "EA8/DL0ABC/P");
}

TEST(PrefixeTest, CountryCallIsThePartThatDecidesTheCountry) {
  const CallCase cases[] = {
      {"DL1ABC", "DL1ABC"},
      {"DL1ABC/P", "DL1ABC"},
      {"DL1ABC/M", "DL1ABC"},
      {"DL1ABC/MM", "DL1ABC"},
      {"DL1ABC/QRP", "DL1ABC"},
      {"EA8/DL1ABC", "EA8"},
      {"EA8/DL1ABC/P", "EA8"},
      {"DL1ABC/EA8", "EA8"},
      {"DL1ABC/EA8/P", "EA8"},
      {"F/DL1ABC", "F"},
      {"M/DL1ABC", "M"},               // in front, one letter is England
      {"DL1ABC/OE", "OE"},
      {"K1ABC/4", "K4ABC"},            // call area moved
      {"UA3ABC/9", "UA9ABC"},
      {"SV2ASP/A", "SV/A"},            // special entities
      {"JW5X/B", "JW/B"},
      {"3Y0X/P", "3Y/P"},
      {"FR5ZU/T", "FR/T"},
      {"FO5ABC/M", "FO/M"},
      {"3D2AG/R", "3D2/R"},
      {"3D2CR/C", "3D2/C"},
      {"VQ9AB/D", "VQ9/D"},
      {"ZK1AB/N", "ZK1/N"},
      {"GM3ABC/SH", "GM/SH"},
      {"3D2AG/P", "3D2AG"},            // P names no entity of Fiji
      {"SV2ASP/P", "SV2ASP"},
      {"DLØABC/P", "DL0ABC"},
      {"EA8/DKØXX", "EA8"},
      {"EA8/A4A", "EA8"},
      {"A4A/EA8", "EA8"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToPrefix.CountryCall(c.call), c.expected) << c.call;
}

TEST(PrefixeTest, PortablePrefixSideKnowsExactlyTheSpecialEntityForms) {
  struct Case {
    const char* call;
    const char* part;
    int n;  // 0: not a special entity
  };
  const Case cases[] = {
      {"SV2ASP/A", "A", 2}, {"SV1ABC", "A", 2},   {"SV2ASP", "B", 0},
      {"JW5X", "B", 2},     {"JW5X", "S", 2},     {"JW5X", "P", 0},   {"JW5X", "BB", 0},
      {"3Y0X", "B", 2},     {"3Y0X", "P", 2},     {"3Y0X", "A", 0},
      {"FR5ZU", "B", 2},    {"FR5ZU", "E", 2},    {"FR5ZU", "G", 2},  {"FR5ZU", "J", 2},
      {"FR5ZU", "T", 2},    {"FR5ZU", "A", 0},
      {"FO5ABC", "A", 2},   {"FO5ABC", "C", 2},   {"FO5ABC", "F", 2}, {"FO5ABC", "M", 2},
      {"FO5ABC", "P", 0},
      {"3D2AG", "C", 3},    {"3D2AG", "R", 3},    {"3D2AG", "P", 0},
      {"VQ9AB", "A", 3},    {"VQ9AB", "D", 3},    {"VQ9AB", "F", 3},  {"VQ9AB", "B", 0},
      {"ZK1AB", "N", 3},    {"ZK1AB", "S", 3},    {"ZK1AB", "C", 0},
      {"GM3ABC", "SH", 2},  {"GM3ABC", "SC", 2},  {"GM3ABC", "S", 0}, {"GM3ABC", "SHX", 0},
      {"DL1ABC", "A", 0},   {"DL1ABC", "SH", 0},  {"DL1ABC", "P", 0}, {"SV2ASP", "", 0},
      {"EA8/SV2ASP", "SV2ASP", 0},
  };
  for (const auto& c : cases) {
    int n = 99;
    EXPECT_EQ(ToPrefix.PortablePrefixSide(c.call, c.part, n), c.n > 0) << c.call << " " << c.part;
    EXPECT_EQ(n, c.n) << c.call << " " << c.part;
  }
}

struct CtyLine {
  std::string prefix, name;
  int adif;
};

std::vector<CtyLine> ReadCty() {
  std::vector<CtyLine> out;
  std::ifstream in("/usr/share/hamradio-files/cty.csv");
  std::string line;
  while (std::getline(in, line)) {
    std::stringstream ss(line);
    std::string prefix, name, adif;
    if (std::getline(ss, prefix, ',') && std::getline(ss, name, ',') && std::getline(ss, adif, ','))
      out.push_back({prefix, name, std::stoi(adif)});
  }
  return out;
}

TEST(EntityListTest, AgreesWithEveryEntityOfTheCountryFile) {
  const auto cty = ReadCty();
  ASSERT_GT(cty.size(), 300u) << "cty.csv of hamradio-files is missing";
  std::set<int> current;
  for (const auto& l : cty) {
    if (l.prefix.starts_with('*')) {
      // Areas inside an entity (Sicily, Shetland ...) resolve to its number.
      EXPECT_EQ(ToPrefix.AdifCodeOfPrefix(l.prefix), l.adif) << l.prefix;
      EXPECT_EQ(ToPrefix.AdifCodeOfPrefix(l.prefix.substr(1)), l.adif) << l.prefix;
      continue;
    }
    current.insert(l.adif);
    const TDxccEntity* e = FindDxccEntity(l.adif);
    ASSERT_NE(e, nullptr) << l.adif << " " << l.name;
    EXPECT_FALSE(e->Deleted) << l.adif;
    EXPECT_EQ(e->Prefix, ToStrings.UpperCase(l.prefix)) << l.adif;
    EXPECT_EQ(ToPrefix.AdifCodeOfPrefix(l.prefix), l.adif) << l.prefix;
    EXPECT_NE(ToPrefix.CountryNameGerman(l.name), "") << l.name;
  }
  // No entity counts as current that the country file does not know.
  for (const auto& e : DxccEntities()) {
    EXPECT_TRUE(e.Deleted || current.count(e.Adif)) << e.Adif << " " << e.Name;
  }
}

TEST(EntityListTest, IsSortedCompleteAndKeepsDeletedEntities) {
  int previous = 0, deleted = 0;
  for (const auto& e : DxccEntities()) {
    EXPECT_GT(e.Adif, previous);
    EXPECT_LE(e.Adif, 522);
    EXPECT_STRNE(e.Prefix, "");
    EXPECT_STRNE(e.Name, "");
    EXPECT_STRNE(e.NameGerman, "");
    EXPECT_EQ(FindDxccEntity(e.Adif), &e);
    previous = e.Adif;
    deleted += e.Deleted;
  }
  EXPECT_EQ(deleted, 62);
  EXPECT_EQ(FindDxccEntity(0), nullptr);
  EXPECT_EQ(FindDxccEntity(73), nullptr);  // a number ADIF never gave out
  EXPECT_EQ(FindDxccEntity(600), nullptr);
  ASSERT_NE(FindDxccEntity(229), nullptr);
  EXPECT_TRUE(FindDxccEntity(229)->Deleted);
}

TEST(EntityListTest, AdifCodeOfPrefixPrefersCurrentEntities) {
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("DL"), 230);     // not the Germany of 1945-1973
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("OK"), 503);     // not Czechoslovakia
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("4W"), 511);     // not the Yemen Arab Republic
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("7O"), 492);
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("Y2"), 229);     // deleted, prefix of its own
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("VQ9/A"), 8);
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix(" dl   "), 230); // padded record field
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("3d2/c"), 489);
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix(""), 0);
  EXPECT_EQ(ToPrefix.AdifCodeOfPrefix("XX0"), 0);
}

TEST(EntityListTest, CountryNameGerman) {
  EXPECT_EQ(ToPrefix.CountryNameGerman("Fed. Rep. of Germany"), "Deutschland");
  EXPECT_EQ(ToPrefix.CountryNameGerman("FED. REP. OF GERMANY "), "Deutschland");
  EXPECT_EQ(ToPrefix.CountryNameGerman("Austria"), "Österreich");
  EXPECT_EQ(ToPrefix.CountryNameGerman("Sicily"), "Sizilien");
  EXPECT_EQ(ToPrefix.CountryNameGerman("Comoros"), "Komoren");  // current, not the old one
  EXPECT_EQ(ToPrefix.CountryNameGerman("German Democratic Republic"),
            "Deutsche Demokratische Republik");
  // Cut to the 30 characters of a prefix record.
  EXPECT_EQ(ToPrefix.CountryNameGerman("Tristan da Cunha & Gough Islan"),
            "Tristan da Cunha und Gough");
  EXPECT_EQ(ToPrefix.CountryNameGerman("Atlantis"), "Atlantis");
  EXPECT_EQ(ToPrefix.CountryNameGerman(""), "");
}

}  // namespace
