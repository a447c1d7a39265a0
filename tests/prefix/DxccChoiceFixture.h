#pragma once
// Prefix tables with several DXCC candidates per prefix, shared by the tests
// of the choice rules and of the choice dialog.
#include <string>
#include <vector>

#include "base/kxdates.h"
#include "hamradio/prefixe.h"
#include "prefix/PrefixFixture.h"
#include "prefix/prefauswlogic.h"

inline int32_t ChoiceDate(int y, int m, int d) { return ToDates.DMYToDate(d, m, y); }

// A candidate with its choice text (the fixture record has no field for it).
inline void AddCandidates(const std::vector<std::pair<PrefixSpec, std::string>>& entries) {
  TdbPrefix t(kPrefixMain);
  ASSERT_NE(t.GetTreiber(), nullptr);
  for (const auto& [entry, choiceText] : entries) {
    TPrefixRecord r = MakePrefixRecord(entry);
    rec::SetStr(r.data(), prefrec::kChoiceText, prefrec::kChoiceTextCap, choiceText);
    t.PutRecord(r.data());
    ASSERT_TRUE(t.Add()) << entry.Prefix << entry.Menue;
  }
}

class DxccChoiceTablesTest : public PrefixTablesTest {
 protected:
  void SetUp() override {
    const int32_t end2000 = ChoiceDate(2000, 12, 31), from2001 = ChoiceDate(2001, 1, 1);
    AddCandidates({
        // Two islands and a default entry.
        {{.Prefix = "MM", .Dxcc = "MA", .Menue = "1", .Country = "Isle A"}, "north"},
        {{.Prefix = "MM", .Dxcc = "MB", .Menue = "2", .Waz = "15", .Country = "Isle B"}, "south"},
        {{.Prefix = "MM", .Dxcc = "MC", .Menue = "-", .Country = "Isle C"}, "default"},
        // One entity replaced by another at the turn of 2000.
        {{.Prefix = "SAM", .Dxcc = "SA1", .Menue = "1", .ValidUntil = end2000}, "old"},
        {{.Prefix = "SAM", .Dxcc = "SA2", .Menue = "2", .ValidFrom = from2001}, "new"},
        // Two entries of one and the same entity.
        {{.Prefix = "DUP", .Dxcc = "DU", .Menue = "1", .Country = "Dupland"}, "east"},
        {{.Prefix = "DUP", .Dxcc = "DU", .Menue = "2", .Country = "Dupland"}, "west"},
        // The second candidate stands for entity ZE through its link; no "1".
        {{.Prefix = "LNK", .Dxcc = "LN", .Menue = "2"}, "plain"},
        {{.Prefix = "LNK",
          .Dxcc = "LM",
          .Menue = "3",
          .Link = "ZE",
          .LinkUntil = ChoiceDate(2030, 1, 1)},
         "linked"},
        {{.Prefix = "ZE", .Dxcc = "ZE", .Waz = "38", .Country = "Zed"}, ""},
        // Nothing valid in 2020.
        {{.Prefix = "GON", .Dxcc = "G1", .Menue = "1", .ValidUntil = end2000}, ""},
        {{.Prefix = "GON", .Dxcc = "G2", .Menue = "2", .ValidUntil = end2000}, ""},
    });
    // More candidates than the list shows, menu entries "1" .. "35".
    std::vector<std::pair<PrefixSpec, std::string>> many;
    for (int i = 1; i <= 35; ++i) {
      const std::string n = std::to_string(i);
      many.push_back({{.Prefix = "BIG", .Dxcc = "B" + n, .Menue = n}, "entry " + n});
    }
    AddCandidates(many);
    OpenAll();
  }
  void TearDown() override {
    SetDxccChooser(nullptr);
    ToPrefix.AskDxccChoice = 1;
    PrefixTablesTest::TearDown();
  }

  const int32_t y2020_ = ChoiceDate(2020, 6, 1);
  const int32_t y1995_ = ChoiceDate(1995, 6, 1);
};
