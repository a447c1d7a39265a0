// The entry routines of the log window's companion: prefixes for prefix
// multipliers, DOK and US-state checks, distances, the call book, label
// colours and the key filter of the callsign fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/dbCall.h"
#include "database/setups.h"
#include "logentry/rules/entryroutines.h"
#include "support/TempProgramDir.h"

namespace {

TEST(EntryRoutines, WpxPrefixEndsWithTheFirstRunOfDigits) {
  EXPECT_EQ(WpxPrefix("DL1ABC"), "DL1");
  EXPECT_EQ(WpxPrefix("4X1AB"), "4X1");
  EXPECT_EQ(WpxPrefix("3DA0ABC"), "3DA0");
  EXPECT_EQ(WpxPrefix("DL2000ABC"), "DL2000");
  EXPECT_EQ(WpxPrefix("F/DL1ABC"), "F/DL1");  // a country part without digits stays in front
  EXPECT_EQ(WpxPrefix("EA8/DK1RI"), "EA8");
  EXPECT_EQ(WpxPrefix("D"), "D");
  EXPECT_EQ(WpxPrefix(""), "");
}

TEST(EntryRoutines, DokChecks) {
  for (const char* ok : {"A01", "Z11", "DARC", "VFDB", "SQ", "YL", "1N", "9N"})
    EXPECT_TRUE(IsValidDok(ok, 'O')) << ok;
  for (const char* bad : {"", "A", "M26", "M29", "M36", "ZZ", "B3", "0N", "123", "NM", "a01"})
    EXPECT_FALSE(IsValidDok(bad, 'O')) << bad;
  EXPECT_TRUE(IsValidDok("NM", '1'));  // "not a member" counts for one contest only
  EXPECT_FALSE(IsValidDok("M29", '1'));

  EXPECT_TRUE(IsValidDokH("A12HF"));
  EXPECT_TRUE(IsValidDokH("Z99YN"));
  EXPECT_FALSE(IsValidDokH("A12XX"));  // not a district pair
  EXPECT_FALSE(IsValidDokH("112HF"));
  EXPECT_FALSE(IsValidDokH("A1HF"));
  EXPECT_FALSE(IsValidDokH("A12HFX"));
  // The DOK field checks area codes for letter 'H' only.
  EXPECT_TRUE(CheckDok("A12HF", 'H'));
  EXPECT_FALSE(CheckDok("A01", 'H'));
  EXPECT_TRUE(CheckDok("A01", 'D'));
  TEntryDokCheck holyland('H');
  EXPECT_TRUE(holyland.CheckDok("B07RA"));
  EXPECT_FALSE(holyland.CheckDok("B07"));
}

TEST(EntryRoutines, UsStatesAndDistances) {
  EXPECT_EQ(UsStateCode("PA"), "PA");
  EXPECT_EQ(UsStateCode("DC"), "DC");
  EXPECT_EQ(UsStateCode("WY"), "WY");
  EXPECT_EQ(UsStateCode("PR"), "");
  EXPECT_EQ(UsStateCode("pa"), "");
  EXPECT_EQ(UsStateCode("PAX"), "");

  // Two squares side by side at the equator: two degrees of longitude.
  EXPECT_EQ(QrbKm("JJ00AA", "JJ10AA"), 222);
  EXPECT_EQ(QrbKm("JO40AA", "JO40AA"), 0);
  EXPECT_EQ(QrbKm("JO40AA", "XX99"), 0);
  EXPECT_EQ(QrbKm("", "JO40AA"), 0);
  // From the own locator of the settings.
  ToSetupStation station{};
  rec::SetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap, "JJ00AA");
  ToSetupStation saved{};
  ToSetups.GetStation(saved);
  ToSetups.SetStation(station);
  EXPECT_EQ(QrbKm("JJ10AA"), 222);
  ToSetups.SetStation(saved);
}

TEST(EntryRoutines, NameAndQthFromTheCallBookOrTheCallDatabase) {
  TempProgramDir dir;
  auto add = [](int kind, const std::string& call, const std::string& name, const std::string& qth) {
    TdbCall t(kind, false);
    t.ClearRecord();
    t.SetCall(call);
    t.SetName(name);
    t.SetQTH(qth);
    ASSERT_TRUE(t.Add()) << call;
  };
  add(kCallBook, "DL1ABC", "Hans-Joachim Friedrich Mustermann", "Neustadt an der Weinstrasse");
  add(kCallBook, "DL2ABC", "", "Kiel");
  add(kCallDatabase, "DL2ABC", "Anna", "Bonn");
  add(kCallDatabase, "DL3ABC", "Otto", "Ulm");
  TdbCall book(kCallBook, false), database(kCallDatabase, false);

  TNameQth a = NameQthFromCallBook("DL1ABC/P", &book, &database);
  EXPECT_EQ(a.Name, "Hans-Joachim Friedri");  // 20 characters
  EXPECT_EQ(a.Name.size(), 20u);
  EXPECT_EQ(a.Qth, "Neustadt an der Wein");
  TNameQth b = NameQthFromCallBook("DL2ABC", &book, &database);
  EXPECT_EQ(b.Name, "Anna");  // the book has no name
  EXPECT_EQ(b.Qth, "Kiel");
  TNameQth c = NameQthFromCallBook("EA8/DL3ABC", &book, &database);
  EXPECT_EQ(c.Name, "Otto");  // only in the call database: no QTH
  EXPECT_EQ(c.Qth, "");
  TNameQth d = NameQthFromCallBook("DL9ZZZ", &book, &database);
  EXPECT_EQ(d.Name, "");
  EXPECT_EQ(d.Qth, "");
  EXPECT_EQ(NameQthFromCallBook("DL2ABC").Name, "Anna");
}

// Labels of an entry panel: the caption labels of eCall (control 0) and
// eRSTr2 (control 6), a value label and a label outside the rules.
struct Panel {
  enum : int { kCall = 0, kRst2 = 6, kFreq = 10 };
  std::vector<TCaptionLabel> labels = {
      {.Tag = 0, .FocusControl = kCall},
      {.Tag = 1, .FocusControl = kRst2},
      {.Tag = 97, .FocusControl = TCaptionLabel::kNoControl, .FontColour = LabelColour::Value},
      {.Tag = 9999, .FocusControl = kFreq},
  };
  int32_t Colour(size_t i) const { return labels[i].FontColour; }
};

TEST(EntryRoutines, CaptionLabelsShowFocusAndMouse) {
  Panel p;
  // The mouse over eRSTr2 while eCall has the focus.
  HoverEditLabel(p.labels, Panel::kRst2, Panel::kCall);
  EXPECT_EQ(p.Colour(1), LabelColour::Hover);
  EXPECT_EQ(p.Colour(0), LabelColour::Normal);
  // Then over eCall's caption: eRSTr2's label turns back, eCall's stays as
  // it is since its field is the active one.
  HoverLabel(p.labels, 0, Panel::kCall);
  EXPECT_EQ(p.Colour(1), LabelColour::Normal);
  EXPECT_EQ(p.Colour(0), LabelColour::Normal);
  // Entering eRSTr2 marks its label red; the mouse over it changes nothing.
  MarkFocusLabel(p.labels, Panel::kRst2, Panel::kRst2);
  EXPECT_EQ(p.Colour(1), LabelColour::Focus);
  HoverEditLabel(p.labels, Panel::kRst2, Panel::kRst2);
  EXPECT_EQ(p.Colour(1), LabelColour::Focus);
  // Labels outside the rules keep their colours.
  HoverEditLabel(p.labels, Panel::kFreq, Panel::kCall);
  EXPECT_EQ(p.Colour(3), LabelColour::Normal);
  HoverLabel(p.labels, 2, Panel::kCall);
  EXPECT_EQ(p.Colour(2), LabelColour::Value);
  HoverLabel(p.labels, 99, Panel::kCall);  // no such label: only the reset
  EXPECT_EQ(p.Colour(1), LabelColour::Focus);
}

TEST(EntryRoutines, MenuLabelHighlight) {
  std::vector<TMenuLabel> menu = {{.Tag = 100, .Transparent = true}, {.Tag = 200}, {.Tag = 98, .Transparent = true},
                                  {.Tag = 0}, {.Tag = 150}};
  HighlightMenuLabel(menu, 0);
  EXPECT_FALSE(menu[0].Transparent);
  EXPECT_TRUE(menu[1].Transparent);
  EXPECT_TRUE(menu[2].Transparent);   // not a multiple of 100: left as it was
  EXPECT_FALSE(menu[3].Transparent);
  EXPECT_FALSE(menu[4].Transparent);
  HighlightMenuLabel(menu, 2);  // Tag 98 never turns opaque
  EXPECT_TRUE(menu[2].Transparent);
  EXPECT_TRUE(menu[0].Transparent);
}

TEST(EntryRoutines, KeyFilterOfTheCallsignFields) {
  // "#" in eCall: "/p" once, and the key becomes Enter.
  TCallKeyResult r = CallKeyPress({.Key = '#', .IsCallField = true, .Text = "DL1ABC"});
  EXPECT_TRUE(r.TextChanged);
  EXPECT_EQ(r.Text, "DL1ABC/p");
  EXPECT_EQ(r.Key, kEnterKey);
  EXPECT_TRUE(r.PressEnter);
  for (const char* held : {"DL1ABC/p", "DL1ABC/P"}) {
    r = CallKeyPress({.Key = '#', .IsCallField = true, .Text = held});
    EXPECT_FALSE(r.TextChanged) << held;
    EXPECT_EQ(r.Key, kEnterKey);
    EXPECT_TRUE(r.PressEnter);
  }
  // Elsewhere "#" is a key like others.
  r = CallKeyPress({.Key = '#', .IsCallField = false, .Text = "DL1ABC"});
  EXPECT_EQ(r.Key, '#');
  EXPECT_FALSE(r.TextChanged || r.PressEnter);

  // The slashed zero needs the field's switch and the settings' option.
  EXPECT_EQ(CallKeyPress({.Key = '0', .EditSlashedZero = true, .SlashedZeroOption = true, .Text = {}}).Key, kSlashedZero);
  EXPECT_EQ(CallKeyPress({.Key = '0', .EditSlashedZero = true, .Text = {}}).Key, '0');
  EXPECT_EQ(CallKeyPress({.Key = '0', .SlashedZeroOption = true, .Text = {}}).Key, '0');
  EXPECT_EQ(CallKeyPress({.Key = 'A', .EditSlashedZero = true, .SlashedZeroOption = true, .Text = {}}).Key, 'A');

  ToSetupWeitere saved{}, weitere{};
  ToSetups.GetWeitere(saved);
  weitere[weiterrec::kSlashedZero] = 1;
  ToSetups.SetWeitere(weitere);
  EXPECT_TRUE(SlashedZeroOption());
  ToSetups.SetWeitere(saved);
}

}  // namespace
