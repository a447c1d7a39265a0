// Where Enter moves the focus in the entry panel: the jumps to the time and
// the date, and the next field in tab order with its wrap and the panel of
// the compact layout.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "logentry/model/contlogfocus.h"

namespace {

// The edits of a normal log in tab order; shown: the ones that can take the focus.
std::vector<TFocusEdit> Normal(const std::set<std::string>& shown, const std::string& timePanel = "panelEingabe") {
  std::vector<TFocusEdit> out;
  for (const char* n : {"eCall", "eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4", "eRSTr1", "eRSTr2", "eRSTr3", "eRSTr4",
                        "eCall2", "eFreq", "eName", "eQTH", "ezeit", "eDatum", "emode"}) {
    const std::string name = n;
    const bool onPanel2 = name == "ezeit" || name == "eDatum" || name == "emode";
    out.push_back({name, shown.contains(name), onPanel2 ? timePanel : "panelEingabe"});
  }
  return out;
}

std::string Enter(const std::string& from, const std::set<std::string>& shown, bool swl = false,
                  const std::string& timePanel = "panelEingabe") {
  const auto canFocus = [&shown](const std::string& n) { return shown.contains(n); };
  const std::string jump = EnterJump(from, swl, canFocus);
  return jump.empty() ? NextEntryField(from, Normal(shown, timePanel)) : jump;
}

}  // namespace

TEST(EnterFocus, JumpsToTimeAndDateOnlyWhereTheyShow) {
  // A locator contest with a typed time: the last exchange field goes to the time.
  const std::set<std::string> typedTime = {"eCall", "eRSTr2", "eRSTr3", "ezeit", "eDatum"};
  EXPECT_EQ(Enter("eCall", typedTime), "eRSTr2");
  EXPECT_EQ(Enter("eRSTr2", typedTime), "eRSTr3");
  EXPECT_EQ(Enter("eRSTr3", typedTime), "ezeit");
  EXPECT_EQ(Enter("ezeit", typedTime), "eDatum");
  EXPECT_EQ(Enter("eDatum", typedTime), "eCall");  // after the last, the first
  // With the clock setting the time there is nothing to jump to.
  const std::set<std::string> clock = {"eCall", "eRSTr2", "eRSTr3"};
  EXPECT_EQ(Enter("eRSTr3", clock), "eCall");
  // One exchange field: from it to the time.
  EXPECT_EQ(Enter("eRSTr2", {"eCall", "eRSTr2", "ezeit"}), "ezeit");
  // The QTH row open: through it, the QTH goes to the time.
  const std::set<std::string> nameRow = {"eCall", "eRSTr2", "eFreq", "eName", "eQTH", "ezeit", "eDatum"};
  EXPECT_EQ(Enter("eRSTr2", nameRow), "eFreq");
  EXPECT_EQ(Enter("eQTH", nameRow), "ezeit");
  // A listener log without the QTH: from the second RST to the time.
  const std::set<std::string> swl = {"eCall", "eRSTs1", "eCall2", "eRSTr1", "ezeit"};
  EXPECT_EQ(Enter("eRSTr1", swl, true), "ezeit");
  EXPECT_EQ(Enter("eRSTr1", swl, false), "eCall2");  // no jump: the next in tab order
}

TEST(EnterFocus, CompactLayoutReturnsFromItsPanelToTheFirstField) {
  // Time and date on Panel2 are outside the tab round of the entry panel.
  const std::set<std::string> shown = {"eCall", "eRSTr2", "ezeit", "eDatum"};
  EXPECT_EQ(Enter("eRSTr2", shown, false, "Panel2"), "ezeit");
  EXPECT_EQ(Enter("ezeit", shown, false, "Panel2"), "eDatum");
  EXPECT_EQ(Enter("eDatum", shown, false, "Panel2"), "eCall");
  // The free mode edit outside the entry panel is part of the round.
  const std::set<std::string> mode = {"eCall", "eRSTr2", "emode"};
  EXPECT_EQ(Enter("eRSTr2", mode, false, "Panel2"), "emode");
  EXPECT_EQ(Enter("emode", mode, false, "Panel2"), "eCall");
  // The only field goes nowhere; an unknown field neither.
  EXPECT_EQ(NextEntryField("eCall", Normal({"eCall"})), "eCall");
  EXPECT_EQ(NextEntryField("lCall", Normal({"eCall"})), "");
}
