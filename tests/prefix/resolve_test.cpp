// Callsign resolution on small fixture tables: every rule of the search and
// of the record rules, checked through what a caller reads afterwards.
#include <gtest/gtest.h>

#include "base/kxdates.h"
#include "hamradio/prefixe.h"
#include "prefix/PrefixFixture.h"

namespace {

int32_t D(int y, int m, int d) { return ToDates.DMYToDate(d, m, y); }

// Picks the candidate with a fixed menu entry, or clears the record.
class ScriptedChooser : public TDxccChooser {
 public:
  explicit ScriptedChooser(std::string entry) : entry_(std::move(entry)) {}
  uint8_t ChooseDxccEntry(TdbPrefix& table, const TDxccQsoTexts&, int32_t, bool) override {
    ++calls;
    if (entry_.empty() || !table.FindPrefixMenue(table.GetPrefix(), entry_)) {
      table.ClearRecord();
      return 0;
    }
    return 1;
  }
  int calls = 0;

 private:
  std::string entry_;
};

class ResolveTest : public PrefixTablesTest {
 protected:
  void SetUp() override {
    AddPrefixRecords(kPrefixMain, {
        {.Prefix = "DL", .Dxcc = "DL", .Adif = 230},
        {.Prefix = "EA8", .Dxcc = "EA8", .Waz = "33", .Itu = "36", .Continent = "AF", .Adif = 29},
        {.Prefix = "SV/A", .Dxcc = "SV/A", .Adif = 180},
        {.Prefix = "SV", .Dxcc = "SV", .Adif = 236},
        // A last-character range: DR3 .. DR7.
        {.Prefix = "DR7", .Dxcc = "DR", .RangeStart = '3', .Adif = 901},
        // Wildcards: '?' any digit without own record, '~' any letter.
        {.Prefix = "ZZ5", .Dxcc = "ZZ5", .Adif = 902},
        {.Prefix = "ZZ?", .Dxcc = "ZZD", .Adif = 903},
        {.Prefix = "ZZ~", .Dxcc = "ZZL", .Adif = 904},
        // A wildcard that would restart on an unchanged text for ever.
        {.Prefix = "ZQ?X", .Dxcc = "ZQ", .Adif = 905},
        // Several DXCC candidates of one prefix.
        {.Prefix = "MM", .Dxcc = "MA", .Menue = "1", .Adif = 906},
        {.Prefix = "MM", .Dxcc = "MB", .Menue = "2", .Adif = 907},
        {.Prefix = "MM", .Dxcc = "MC", .Menue = "-", .Adif = 908},
        // Validity dates.
        {.Prefix = "VV", .Dxcc = "VV", .Adif = 909, .ValidUntil = D(2000, 12, 31)},
        {.Prefix = "VF", .Dxcc = "VF", .Adif = 910, .ValidFrom = D(2010, 1, 1)},
        // Link to an earlier entity; DXCC2 to a predecessor; "RA" with the district.
        {.Prefix = "LK", .Dxcc = "LK", .Adif = 911, .Link = "OLD", .LinkUntil = D(1990, 12, 31)},
        {.Prefix = "OLD", .Dxcc = "OLD", .Adif = 912},
        {.Prefix = "SU", .Dxcc = "SU", .Adif = 913, .Dxcc2 = "PRE", .Dxcc2Until = D(1995, 1, 1)},
        {.Prefix = "PRE", .Dxcc = "PRE", .Adif = 914},
        {.Prefix = "UA", .Dxcc = "UA", .Adif = 54, .Dxcc2 = "RA", .Dxcc2Until = D(1991, 12, 31)},
        {.Prefix = "RA3", .Dxcc = "USSR", .Adif = 915},
        {.Prefix = "LX", .Dxcc = "LX", .Adif = 916, .Link = "NONE", .LinkUntil = D(1990, 1, 1)},
        // Aliases: same length, '#' form, other text, "-NT", circular.
        {.Prefix = "VK", .Dxcc = "VK", .Adif = 150},
        {.Prefix = "AX", .Dxcc = "AX", .WiePref = "VK"},
        {.Prefix = "YB7", .Dxcc = "YB7", .Adif = 917},
        {.Prefix = "XA", .Dxcc = "XA", .WiePref = "YB#"},
        {.Prefix = "K", .Dxcc = "K", .Adif = 291, .ValidFrom = D(2000, 1, 1)},
        {.Prefix = "KG4", .Dxcc = "KG4", .WiePref = "K"},
        {.Prefix = "NK", .Dxcc = "NK", .WiePref = "K-NT"},
        {.Prefix = "CIR", .Dxcc = "CIR", .WiePref = "CIR1"},
        {.Prefix = "CIR1", .Dxcc = "CIR1", .WiePref = "CIR"},
        {.Prefix = "CA", .Dxcc = "CA", .WiePref = "CB"},
        {.Prefix = "CB", .Dxcc = "CB", .WiePref = "CA"},
        {.Prefix = "3D2/C-", .Dxcc = "3D2/C", .Adif = 489},
        // A candidate whose alias leads back to its own choice.
        {.Prefix = "NM", .Dxcc = "NM", .Menue = "1", .WiePref = "NMX"},
    });
    AddPrefixRecords(kPrefixES, {
        {.Prefix = "DL1XYZ", .Dxcc = "OE", .Waz = "15", .Country = "Austria"},
        {.Prefix = "DL2EE", .Dxcc = "OE", .Waz = "15"},
        {.Prefix = "DL1ABC", .Dxcc = "OE", .PrefixZus = "DEFGHIJK"},
        {.Prefix = "DL3ZUS", .Dxcc = "OE", .PrefixZus = "/LH"},
        {.Prefix = "FK8XX", .Dxcc = "3D2/C", .Adif = 489},
    });
    AddPrefixRecords(kPrefixEE, {
        {.Prefix = "DA0", .Dxcc = "I", .PrefixMatch = 'J'},
        {.Prefix = "DL2EE", .Dxcc = "HB"},
    });
    OpenAll();
  }
  void TearDown() override {
    SetDxccChooser(nullptr);
    ToPrefix.AskDxccChoice = 1;
    PrefixTablesTest::TearDown();
  }
};

struct Case {
  const char* Call;
  int32_t Date;
  uint8_t Result;
  const char* Dxcc;    // checked when the result is 0
  const char* Prefix;  // checked when not null
};

TEST_F(ResolveTest, SearchRulesRangesAndWildcards) {
  const Case cases[] = {
      {"DL1ABC", D(2020, 1, 1), 0, "DL", "DL1"},
      {" dl1abc ", D(2020, 1, 1), 0, "DL", "DL1"},
      {"DL\xD8" "ABC", D(2020, 1, 1), 0, "DL", "DL0"},  // slashed zero
      {"DL\xF8" "ABC", D(2020, 1, 1), 0, "DL", "DL0"},
      {"EA8/DL1ABC", D(2020, 1, 1), 0, "EA8", "EA8"},   // prefix before the slash
      {"DL1ABC/P", D(2020, 1, 1), 0, "DL", "DL1"},      // portable suffix cut away
      {"DL1ABC/EA8", D(2020, 1, 1), 0, "DL", nullptr},  // no special entity: cut through
      {"SV2ABC/A", D(2020, 1, 1), 0, "SV/A", nullptr},  // special entity written with a suffix
      {"SV2ABC", D(2020, 1, 1), 0, "SV", "SV2"},
      {"DR5ABC", D(2020, 1, 1), 0, "DR", "DR5"},
      {"DR3A", D(2020, 1, 1), 0, "DR", "DR3"},
      {"DR7A", D(2020, 1, 1), 0, "DR", "DR7"},
      {"DR2ABC", D(2020, 1, 1), 1, nullptr, nullptr},   // below the range
      {"ZZ5AB", D(2020, 1, 1), 0, "ZZ5", "ZZ5"},
      {"ZZ7AB", D(2020, 1, 1), 0, "ZZD", "ZZ7"},        // '?' takes the digit
      {"ZZQAB", D(2020, 1, 1), 0, "ZZL", "ZZQ"},        // '~' takes the letter
      {"ZQ5", D(2020, 1, 1), 1, nullptr, nullptr},      // restart on unchanged text ends
      {"MM-2", D(2020, 1, 1), 0, "MB", nullptr},        // menu entry given in the text
      {"3D2/C", D(2020, 1, 1), 1, nullptr, nullptr},    // entity record no search meets
      {"", D(2020, 1, 1), 1, nullptr, nullptr},
      {"Q", D(2020, 1, 1), 1, nullptr, nullptr},
  };
  TdbPrefix t;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Call);
    uint8_t choice = 9;
    EXPECT_EQ(t.ResolveCallsign(c.Call, c.Date, nullptr, choice), c.Result);
    EXPECT_EQ(choice, 0);
    if (c.Result == 0 && c.Dxcc) {
      EXPECT_EQ(t.GetDXCC(), c.Dxcc);
    }
    if (c.Prefix) {
      EXPECT_EQ(t.GetPrefix(), c.Prefix);
    }
  }
  // The menu entry chosen by the text leaves no menu: no choice was asked.
  ASSERT_EQ(t.ResolveCallsign("MM-2", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetMenue(), "");
}

TEST_F(ResolveTest, RecordRulesDatesLinksSuccessorsAndAliases) {
  const Case cases[] = {
      {"VV1A", D(2000, 6, 1), 0, "VV", nullptr},
      {"VV1A", D(2001, 1, 1), 2, nullptr, nullptr},     // after ValidUntil
      {"VF1A", D(2009, 12, 31), 2, nullptr, nullptr},   // before ValidFrom
      {"VF1A", D(2010, 1, 1), 0, "VF", nullptr},
      {"LK1A", D(1990, 12, 31), 0, "OLD", "LK1"},      // Link up to its day, own Prefix kept
      {"LK1A", D(1991, 1, 1), 0, "LK", "LK1"},
      {"LX1A", D(1989, 1, 1), 1, nullptr, nullptr},     // Link to nothing
      {"SU1A", D(1995, 1, 1), 0, "PRE", nullptr},       // successor entry: predecessor's DXCC
      {"SU1A", D(1995, 1, 2), 0, "SU", nullptr},
      {"UA3ABC", D(1991, 6, 1), 0, "USSR", nullptr},   // "RA" plus the district digit
      {"UA3ABC", D(1992, 1, 1), 0, "UA", nullptr},
      {"UA9ABC", D(1991, 6, 1), 1, nullptr, nullptr},  // "RA9" has no record
      {"AX2ABC", D(2020, 1, 1), 0, "VK", "AX2"},       // alias of the same length
      {"XA7ABC", D(2020, 1, 1), 0, "YB7", "XA7"},      // alias ending in '#'
      {"KG4AB", D(2020, 1, 1), 0, "K", "KG4"},         // alias text of another length
      {"KG4AB", D(1999, 1, 1), 2, nullptr, nullptr},   // ... at the QSO date
      {"NK1A", D(1999, 1, 1), 0, "K", nullptr},        // "-NT": at today's date
      {"CIR1A", D(2020, 1, 1), 1, nullptr, nullptr},   // circular alias ends
      {"CA1A", D(2020, 1, 1), 1, nullptr, nullptr},    // circular same-length aliases end
  };
  TdbPrefix t;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Call) + " " + std::to_string(c.Date));
    EXPECT_EQ(t.ResolveCallsign(c.Call, c.Date), c.Result);
    if (c.Result == 0 && c.Dxcc) {
      EXPECT_EQ(t.GetDXCC(), c.Dxcc);
    }
    if (c.Prefix) {
      EXPECT_EQ(t.GetPrefix(), c.Prefix);
    }
  }
}

TEST_F(ResolveTest, DateZeroMeansToday) {
  TdbPrefix t;
  // VV ended in 2000: today is after it; VF began in 2010: today is after that.
  EXPECT_EQ(t.ResolveCallsign("VV1A", 0), 2);
  EXPECT_EQ(t.ResolveCallsign("VF1A", -5), 0);
}

TEST_F(ResolveTest, ExceptionTables) {
  TdbPrefix t;
  // A whole call: the entry's fields, the ADIF number from its DXCC.
  ASSERT_EQ(t.ResolveCallsign("DL1XYZ", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "OE");
  EXPECT_EQ(t.GetCountry(), "Austria");
  EXPECT_EQ(t.GetWAZ(), "15");
  EXPECT_EQ(t.GetADIFNr(), ToPrefix.AdifCodeOfPrefix("OE"));
  EXPECT_GT(t.GetADIFNr(), 0);
  // A longer call does not match a whole-call entry.
  ASSERT_EQ(t.ResolveCallsign("DL1XYZ/P", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "DL");
  // A call beginning entry ('J') matches every call that begins with it.
  ASSERT_EQ(t.ResolveCallsign("DA0XYZ", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "I");
  // ZQPREFEE before ZQPREFES.
  ASSERT_EQ(t.ResolveCallsign("DL2EE", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "HB");
  // The rest of the callsign never shows as a QSL bureau.
  ASSERT_EQ(t.ResolveCallsign("DL3ZUS/LH", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "OE");
  EXPECT_EQ(t.GetQSLBureau(), "");
  // 14 characters are a whole call; a 15th makes it another call.
  ASSERT_EQ(t.ResolveCallsign("DL1ABCDEFGHIJK", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "OE");
  ASSERT_EQ(t.ResolveCallsign("DL1ABCDEFGHIJKL", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "DL");
  // ... while a beginning entry still applies to it.
  ASSERT_EQ(t.ResolveCallsign("DA0ABCDEFGHIJKLMN", D(2020, 1, 1)), 0);
  EXPECT_EQ(t.GetDXCC(), "I");
  // Without the exception check the prefix decides.
  uint8_t choice = 0;
  ASSERT_EQ(t.ResolveCallsign("DL1XYZ", D(2020, 1, 1), nullptr, choice, nullptr, nullptr, false), 0);
  EXPECT_EQ(t.GetDXCC(), "DL");
}

TEST_F(ResolveTest, DxccChoice) {
  TdbPrefix t;
  uint8_t choice = 9;
  // Nobody to ask: the "-" candidate, not decided.
  ASSERT_EQ(t.ResolveCallsign("MM1ABC", D(2020, 1, 1), nullptr, choice), 0);
  EXPECT_EQ(t.GetDXCC(), "MC");
  EXPECT_EQ(choice, 0);

  ScriptedChooser chooser("2");
  SetDxccChooser(&chooser);
  ASSERT_EQ(t.ResolveCallsign("MM1ABC", D(2020, 1, 1), nullptr, choice), 0);
  EXPECT_EQ(t.GetDXCC(), "MB");
  EXPECT_EQ(choice, 1);
  EXPECT_EQ(chooser.calls, 1);

  // Asking switched off: the chooser still decides (a DXCC stored with the
  // QSO beats the default candidate; the real chooser then asks nobody).
  ToPrefix.AskDxccChoice = 0;
  ASSERT_EQ(t.ResolveCallsign("MM1ABC", D(2020, 1, 1), nullptr, choice), 0);
  EXPECT_EQ(chooser.calls, 2);
  ToPrefix.AskDxccChoice = 1;

  // A choice that found nothing is no result.
  ScriptedChooser cancel("");
  SetDxccChooser(&cancel);
  EXPECT_EQ(t.ResolveCallsign("MM1ABC", D(2020, 1, 1), nullptr, choice), 1);
}

// Evaluates the first candidate for the date, as the choice dialog does.
class EvaluatingChooser : public TDxccChooser {
 public:
  uint8_t ChooseDxccEntry(TdbPrefix& table, const TDxccQsoTexts&, int32_t date, bool) override {
    ++calls;
    if (!table.FindPrefixMenue(table.GetPrefix(), "1")) return 0;
    table.ResolveCurrentEntity(date);
    return 1;
  }
  int calls = 0;
};

TEST_F(ResolveTest, NestedChoiceAndAliasEnds) {
  EvaluatingChooser chooser;
  SetDxccChooser(&chooser);
  TdbPrefix t;
  t.ResolveCallsign("NM1A", D(2020, 1, 1));
  // choice -> candidate -> alias -> choice ... stops after a few levels.
  EXPECT_GE(chooser.calls, 2);
  EXPECT_LE(chooser.calls, 10);
}

TEST_F(ResolveTest, EntityLookupsAndValidity) {
  TdbPrefix t;
  EXPECT_EQ(t.FindEntityByDxcc("DL"), 0);
  EXPECT_EQ(t.GetPrefix(), "DL");
  EXPECT_EQ(t.AdifNumberText(" DL "), "230");
  EXPECT_EQ(t.AdifNumberText("EA8"), " 29");
  EXPECT_EQ(t.AdifNumberText("MA"), "906");     // found by its DXCC though its Prefix differs
  EXPECT_EQ(t.AdifNumberText("AX"), "");        // ADIF number 0
  EXPECT_EQ(t.AdifNumberText("NOPE"), "");
  EXPECT_EQ(t.FindEntityByDxcc("NOPE"), 1);
  EXPECT_EQ(t.FindEntityByDxcc(""), 1);

  // An entity whose record has a Prefix no search meets.
  EXPECT_EQ(t.AdifNumberText("3D2/C"), "489");

  ASSERT_TRUE(t.FindPrefixExact("VV"));
  EXPECT_EQ(t.IsNotCurrent(), 1);
  ASSERT_TRUE(t.FindPrefixExact("VF"));
  EXPECT_EQ(t.IsNotCurrent(), 0);

  // The entity a candidate stands for at a date.
  ASSERT_TRUE(t.FindPrefixExact("SU"));
  std::string d;
  t.CurrentEntityDxcc(D(1994, 1, 1), d);
  EXPECT_EQ(d, "PRE");
  t.CurrentEntityDxcc(D(1996, 1, 1), d);
  EXPECT_EQ(d, "SU");
  t.ResolveCurrentEntity(D(1994, 1, 1));
  EXPECT_EQ(t.GetDXCC(), "PRE");
  ASSERT_TRUE(t.FindPrefixExact("VF"));
  t.ResolveCurrentEntity(D(2000, 1, 1));
  EXPECT_EQ(t.GetCountry(), "not current");
}

}  // namespace
