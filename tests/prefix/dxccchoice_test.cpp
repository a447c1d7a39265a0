// The DXCC choice rules on small candidate tables, with a scripted user.
#include <gtest/gtest.h>

#include "database/dbProject.h"
#include "prefix/DxccChoiceFixture.h"

namespace {

// Answers every question with one row number (0: cancel) and keeps what it was shown.
class ScriptedAsker : public TDxccAsker {
 public:
  explicit ScriptedAsker(int32_t answer) : answer_(answer) {}
  int32_t AskDxccRow(const TDxccChoiceRequest& request) override {
    ++calls;
    last = request;
    return answer_;
  }
  int calls = 0;
  TDxccChoiceRequest last;

 private:
  int32_t answer_;
};

class DxccChoiceTest : public DxccChoiceTablesTest {
 protected:
  // Resolves a call with the choice installed; returns the result, choice in choice_.
  uint8_t Resolve(std::string_view call, int32_t date, const TDxccQsoTexts* qso = nullptr) {
    return table_.ResolveCallsign(call, date, qso, choice_);
  }
  void Install(TDxccChoice& choice) { SetDxccChooser(&choice); }

  TdbPrefix table_;
  uint8_t choice_ = 9;
};

TEST_F(DxccChoiceTest, CandidateRowsShowEachCandidateAsAtTheDate) {
  // From entry "1" on: the default entry "-" is no row of its own.
  auto rows = ReadDxccCandidates("MM", y2020_);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Dxcc, "MA");
  EXPECT_EQ(rows[0].Country, "Isle A");
  EXPECT_EQ(rows[1].Dxcc, "MB");
  EXPECT_EQ(rows[1].Waz, "15");

  // Candidates outside their validity are marked, whichever side they miss.
  rows = ReadDxccCandidates("SAM", y2020_);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].ChoiceText, "old  (deleted)");
  EXPECT_FALSE(rows[0].Valid());
  EXPECT_TRUE(rows[1].Valid());
  rows = ReadDxccCandidates("SAM", y1995_);
  EXPECT_TRUE(rows[0].Valid());
  EXPECT_EQ(rows[1].Country, "not current");
  EXPECT_FALSE(rows[1].Valid());

  // A linked candidate shows the entity it stands for at the date; a list
  // without entry "1" starts with the next one.
  rows = ReadDxccCandidates("LNK", y2020_);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Dxcc, "LN");
  EXPECT_EQ(rows[1].Dxcc, "ZE");
  EXPECT_EQ(rows[1].Waz, "38");
  EXPECT_EQ(rows[1].Country, "Zed");

  EXPECT_TRUE(ReadDxccCandidates("NOPE", y2020_).empty());
}

TEST_F(DxccChoiceTest, AtMostThirtyRowsAndEachRowFetchesItsOwnCandidate) {
  const auto rows = ReadDxccCandidates("BIG", y2020_);
  ASSERT_EQ(rows.size(), 30u);
  for (const TDxccCandidateRow& row : rows) {
    TdbPrefix holder;
    ASSERT_TRUE(FetchDxccCandidate(holder, "BIG", row.Nr, y2020_)) << row.Nr;
    EXPECT_EQ(holder.GetDXCC(), row.Dxcc) << row.Nr;
    EXPECT_EQ(holder.GetChoiceText(), row.ChoiceText) << row.Nr;
  }
  TdbPrefix holder;
  EXPECT_FALSE(FetchDxccCandidate(holder, "BIG", 31, y2020_));
  EXPECT_FALSE(FetchDxccCandidate(holder, "BIG", 0, y2020_));
  EXPECT_FALSE(FetchDxccCandidate(holder, "MM", 3, y2020_));
}

TEST(DxccChoiceCount, IdenticalAndDeletedRowsDoNotAddChoices) {
  auto row = [](const char* dxcc, const char* country, const char* waz, const char* text) {
    TDxccCandidateRow r;
    r.Dxcc = dxcc;
    r.Country = country;
    r.Waz = waz;
    r.Itu = "28";
    r.ChoiceText = text;
    return r;
  };
  EXPECT_EQ(CountDxccChoices({}, false), 0);
  EXPECT_EQ(CountDxccChoices({row("A", "X", "14", "")}, false), 1);
  EXPECT_EQ(CountDxccChoices({row("A", "X", "14", ""), row("A", "X", "14", "b")}, false), 1);
  // Zones and country count as much as the DXCC.
  EXPECT_EQ(CountDxccChoices({row("A", "X", "14", ""), row("A", "X", "15", "")}, false), 2);
  EXPECT_EQ(CountDxccChoices({row("A", "X", "14", ""), row("A", "Y", "14", "")}, false), 2);
  // Deleted rows count neither as choices nor as the first valid row.
  const std::vector<TDxccCandidateRow> oneLeft = {row("A", "X", "14", "  (deleted)"),
                                                  row("B", "X", "14", "")};
  EXPECT_EQ(CountDxccChoices(oneLeft, false), 1);
  EXPECT_EQ(CountDxccChoices({row("A", "X", "14", "  (deleted)")}, false), 0);
  // Without a known QSO date every candidate with a DXCC is a choice.
  EXPECT_EQ(CountDxccChoices(oneLeft, true), 2);
  EXPECT_EQ(CountDxccChoices({row("", "X", "14", "  (deleted)"), row("B", "X", "14", "")}, true),
            1);
}

TEST_F(DxccChoiceTest, UserPicksOrCancels) {
  ScriptedAsker asker(2);
  TDxccChoice choice(&asker);
  Install(choice);
  ASSERT_EQ(Resolve("MM1ABC", y2020_), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MB");
  EXPECT_EQ(choice_, 1);
  ASSERT_EQ(asker.calls, 1);
  EXPECT_EQ(asker.last.Prefix, "MM");
  EXPECT_EQ(asker.last.Date, y2020_);
  EXPECT_EQ(asker.last.Rows.size(), 2u);

  ScriptedAsker cancel(0);
  TDxccChoice cancelling(&cancel);
  Install(cancelling);
  EXPECT_EQ(Resolve("MM1ABC", y2020_), TdbPrefix::kNotFound);
  EXPECT_EQ(cancel.calls, 1);
  EXPECT_EQ(table_.GetDXCC(), "");

  // A row number the list does not have decides nothing either.
  ScriptedAsker wrong(7);
  TDxccChoice wrongRow(&wrong);
  Install(wrongRow);
  EXPECT_EQ(Resolve("MM1ABC", y2020_), TdbPrefix::kNotFound);
}

TEST_F(DxccChoiceTest, DecidedWithoutAskingWhenTheDateLeavesOneCandidate) {
  ScriptedAsker asker(1);
  TDxccChoice choice(&asker);
  Install(choice);
  ASSERT_EQ(Resolve("SAM1X", y2020_), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "SA2");
  EXPECT_EQ(choice_, 1);
  ASSERT_EQ(Resolve("SAM1X", y1995_), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "SA1");
  // Candidates of one entity count once: the first is taken.
  ASSERT_EQ(Resolve("DUP1X", y2020_), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "DU");
  EXPECT_EQ(table_.GetChoiceText(), "east");
  EXPECT_EQ(asker.calls, 0);

  // Without a QSO date the date cannot decide: the user is asked. The old
  // entity picked for today is outside its validity: undecided.
  ASSERT_EQ(Resolve("SAM1X", 0), TdbPrefix::kUndecided);
  EXPECT_EQ(asker.calls, 1);
  EXPECT_EQ(table_.GetDXCC(), "SA1");

  // No valid candidate at all: nothing is found and nobody is asked.
  EXPECT_EQ(Resolve("GON1X", y2020_), TdbPrefix::kNotFound);
  EXPECT_EQ(asker.calls, 1);
}

TEST_F(DxccChoiceTest, StoredDxccOfTheQsoDecides) {
  ScriptedAsker asker(1);
  TDxccChoice choice(&asker);
  Install(choice);
  TDxccQsoTexts qso{.Call = "", .Dxcc = "MB", .Field19 = "", .Field20 = ""};
  ASSERT_EQ(Resolve("MM1ABC", y2020_, &qso), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MB");
  EXPECT_EQ(choice_, 1);
  // The default entry is a candidate here too.
  qso.Dxcc = "MC";
  ASSERT_EQ(Resolve("MM1ABC", y2020_, &qso), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MC");
  // A candidate that reaches the stored entity through its link (the link
  // then leads the resolution on to that entity).
  qso.Dxcc = "ZE";
  ASSERT_EQ(Resolve("LNK1X", y2020_, &qso), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "ZE");
  EXPECT_EQ(asker.calls, 0);
  // A stored DXCC that fits no candidate leaves the choice to the user.
  qso.Dxcc = "XX";
  ASSERT_EQ(Resolve("MM1ABC", y2020_, &qso), TdbPrefix::kFound);
  EXPECT_EQ(asker.calls, 1);
  EXPECT_EQ(table_.GetDXCC(), "MA");
}

TEST_F(DxccChoiceTest, AskingOffTakesTheDefaultEntryUndecided) {
  ScriptedAsker asker(2);
  TDxccChoice choice(&asker);
  ToPrefix.AskDxccChoice = 0;
  const TDxccQsoTexts none;
  auto choose = [&](const char* prefix) {
    EXPECT_TRUE(table_.FindPrefixMenue(prefix, "2"));
    return choice.ChooseDxccEntry(table_, none, y2020_, false);
  };
  EXPECT_EQ(choose("MM"), 0);
  EXPECT_EQ(table_.GetDXCC(), "MC");  // "-" wins over "1"
  EXPECT_EQ(choose("SAM"), 0);
  EXPECT_EQ(table_.GetDXCC(), "SA1");
  EXPECT_EQ(choose("LNK"), 0);  // neither "-" nor "1": the first of the prefix
  EXPECT_EQ(table_.GetDXCC(), "LN");
  EXPECT_EQ(asker.calls, 0);

  // The QSO's stored DXCC still decides.
  const TDxccQsoTexts stored{.Call = "", .Dxcc = "MB", .Field19 = "", .Field20 = ""};
  EXPECT_TRUE(table_.FindPrefixMenue("MM", "1"));
  EXPECT_EQ(choice.ChooseDxccEntry(table_, stored, y2020_, false), 1);
  EXPECT_EQ(table_.GetDXCC(), "MB");
}

TEST_F(DxccChoiceTest, ResolutionWithAskingOffStillHonoursTheStoredDxcc) {
  ScriptedAsker asker(2);
  TDxccChoice choice(&asker);
  SetDxccChooser(&choice);
  ToPrefix.AskDxccChoice = 0;
  const TDxccQsoTexts stored{.Call = "MM1ABC", .Dxcc = "MB", .Field19 = "", .Field20 = ""};
  uint8_t decided = 9;
  ASSERT_EQ(table_.ResolveCallsign("MM1ABC", y2020_, &stored, decided), 0);
  EXPECT_EQ(table_.GetDXCC(), "MB");
  ASSERT_EQ(table_.ResolveCallsign("MM1ABC", y2020_, nullptr, decided), 0);
  EXPECT_EQ(table_.GetDXCC(), "MC");  // no stored DXCC: the default entry
  EXPECT_EQ(asker.calls, 0);
  SetDxccChooser(nullptr);
  ToPrefix.AskDxccChoice = 1;
}

TEST_F(DxccChoiceTest, ChoiceForAQsoCallIsKeptAsException) {
  ScriptedAsker asker(2);
  TDxccChoice choice(&asker);
  Install(choice);
  TDxccQsoTexts qso{.Call = " mm1abcdefgh/p ", .Dxcc = "", .Field19 = "", .Field20 = ""};
  ASSERT_EQ(Resolve("MM1ABCDEFGH/P", y2020_, &qso), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MB");

  TdbPrefix ee(kPrefixEE);
  ASSERT_TRUE(ee.FindPrefixExact("MM1ABCDEFGH/P"));
  EXPECT_EQ(ee.GetPrefix(), "MM1ABC");
  EXPECT_EQ(ee.GetDXCC(), "MB");
  EXPECT_EQ(ee.UsedRecords(), 1);

  // The next resolution of that call takes the entry, without asking.
  ASSERT_EQ(Resolve("MM1ABCDEFGH/P", y2020_, &qso), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MB");
  EXPECT_EQ(asker.calls, 1);

  // Short calls, automatic choices and resolutions without a call add nothing.
  qso.Call = "MM1";
  ASSERT_EQ(Resolve("MM1", y2020_, &qso), TdbPrefix::kFound);
  qso.Call = "SAM1XY";
  ASSERT_EQ(Resolve("SAM1XY", y2020_, &qso), TdbPrefix::kFound);
  ASSERT_EQ(Resolve("MM2XY", y2020_), TdbPrefix::kFound);
  EXPECT_EQ(asker.calls, 3);
  EXPECT_EQ(ee.UsedRecords(), 1);
}

TEST_F(DxccChoiceTest, DialogPositionIsKeptPerProject) {
  int32_t left = -5, top = -5;
  ToProjecte.SelectProject(-1);
  EXPECT_FALSE(LoadDxccDialogPosition(left, top));
  StoreDxccDialogPosition(140, 90);
  ToProjecte.Close();
  ASSERT_TRUE(LoadDxccDialogPosition(left, top));
  EXPECT_EQ(left, 140);
  EXPECT_EQ(top, 90);
  // A left edge of 0 means "not stored": the dialog is centred again.
  StoreDxccDialogPosition(0, 90);
  EXPECT_FALSE(LoadDxccDialogPosition(left, top));
  ToProjecte.Close();
  ToProjecte.SelectProject(-1);
}

}  // namespace
