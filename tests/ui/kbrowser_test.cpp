#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/kbrowser.h"
#include "ui/kbrowser_memindex.h"

namespace {

// Records are their own text; key 1 is the text, key 2 the text reversed.
std::string Reverse(const std::string& s) { return std::string(s.rbegin(), s.rend()); }

struct Table {
  TBrowMemIndex ix{{[](const std::string& r) { return r; }, Reverse}};
  std::vector<int32_t> refs;
  void AddNumbered(const std::string& prefix, int from, int to) {
    for (int i = from; i <= to; ++i) {
      std::string n = std::to_string(i);
      refs.push_back(ix.Add(prefix + std::string(4 - n.size(), '0') + n));
    }
  }
};

// Builds "<record>" from the record buffer; the filter is optional.
struct Owner : TKBrowserOwner {
  explicit Owner(TBrowMemIndex& ix) : ix(ix) {}
  TBrowMemIndex& ix;
  std::function<bool(RowRec&)> filter;
  int offered = 0, built = 0;
  void PerformFilter(RowRec& row, bool& use) override {
    ++offered;
    if (filter) use = filter(row);
  }
  void BuildRow(RowRec& row) override {
    ++built;
    row.Row = row.Status == -1 ? "?" : ix.Record();
  }
};

std::vector<std::string> Page(const TKBrowser& b) {
  std::vector<std::string> out;
  for (int i = 1; i <= b.LastValidRow(); ++i) out.push_back(b.Row(i).Row);
  return out;
}

TKBrowser Make(Table& t, int capacity, const std::string& lo = "", const std::string& hi = "") {
  return TKBrowser(&t.ix, capacity, 1, MakeKeyStr(lo), MakeKeyStr(hi), false);
}

}  // namespace

TEST(KBrowser, FirstAndLastKeepToPrefixBounds) {
  Table t;
  t.AddNumbered("AA", 1, 20);
  t.AddNumbered("AB", 1, 20);
  t.AddNumbered("AC", 1, 20);
  Owner o(t.ix);

  TKBrowser all = Make(t, 10);
  ASSERT_EQ(all.First(&o), 0);
  EXPECT_EQ(Page(all).front(), "AA0001");
  ASSERT_EQ(all.Last(&o), 0);
  EXPECT_EQ(Page(all).back(), "AC0020");
  EXPECT_EQ(all.CurrentRow(), 10);

  TKBrowser ab = Make(t, 10, "AB", "AB");
  ASSERT_EQ(ab.First(&o), 0);
  EXPECT_EQ(Page(ab).front(), "AB0001");
  EXPECT_EQ(Page(ab).back(), "AB0010");
  ASSERT_EQ(ab.Last(&o), 0);
  EXPECT_EQ(Page(ab).front(), "AB0011");
  EXPECT_EQ(Page(ab).back(), "AB0020");
  EXPECT_EQ(ab.CurrentRowKey(), "AB0020");

  // A bound that no key starts with leaves an empty page.
  TKBrowser none = Make(t, 10, "ZZ", "ZZ");
  EXPECT_EQ(none.First(&o), 1);
  EXPECT_EQ(none.CurrentRowRef(), 0);
  EXPECT_EQ(none.Last(&o), 1);
  EXPECT_EQ(none.LastValidRow(), 0);

  // A short page holds fewer rows than the capacity; Last puts the cursor on the last.
  TKBrowser few = Make(t, 50, "AC0015", "AC");
  ASSERT_EQ(few.Last(&o), 0);
  EXPECT_EQ(few.LastValidRow(), 6);
  EXPECT_EQ(few.CurrentRowKey(), "AC0020");
}

TEST(KBrowser, ScrollDownAndUpReturnToTheSamePage) {
  Table t;
  t.AddNumbered("K", 1, 100);
  Owner o(t.ix);
  TKBrowser b = Make(t, 10);
  ASSERT_EQ(b.First(&o), 0);
  const auto first = Page(b);

  ASSERT_EQ(b.ScrollDown(&o, 7, 0, 0, true), 0);
  EXPECT_EQ(b.MovedRows(), 7);
  ASSERT_EQ(b.ScrollDown(&o, 10, 0, 0, true), 0);
  EXPECT_EQ(Page(b).front(), "K0018");
  EXPECT_EQ(Page(b).back(), "K0027");
  ASSERT_EQ(b.ScrollUp(&o, 10, 0, true), 0);
  ASSERT_EQ(b.ScrollUp(&o, 7, 0, true), 0);
  EXPECT_EQ(Page(b), first);

  // At the ends a scroll moves what there is and reports it.
  ASSERT_EQ(b.ScrollUp(&o, 5, 1, true), 0);
  EXPECT_EQ(b.MovedRows(), 0);
  EXPECT_EQ(b.CurrentRow(), 1);
  ASSERT_EQ(b.Last(&o), 0);
  ASSERT_EQ(b.ScrollDown(&o, 10, 0, 2, true), 0);
  EXPECT_EQ(b.MovedRows(), 0);
  EXPECT_EQ(Page(b).back(), "K0100");
  EXPECT_EQ(b.CurrentRow(), 10);

  // A page step with adjust 2 puts the cursor on the first row that came in.
  ASSERT_EQ(b.First(&o), 0);
  ASSERT_EQ(b.ScrollDown(&o, 10, 0, 2, true), 0);
  EXPECT_EQ(b.CurrentRow(), 1);
  EXPECT_EQ(b.CurrentRowKey(), "K0011");
}

TEST(KBrowser, RowsDeletedAtThePageEdgesByAnotherStation) {
  Table t;
  t.AddNumbered("K", 1, 40);
  Owner o(t.ix);
  TKBrowser b = Make(t, 10);
  ASSERT_EQ(b.First(&o), 0);
  ASSERT_EQ(b.ScrollDown(&o, 10, 0, 0, true), 0);  // K0011..K0020

  // The last row goes: the next step down brings K0021, nothing skipped.
  t.ix.Remove(b.Row(10).Ref);
  ASSERT_EQ(b.ScrollDown(&o, 1, 0, 0, true), 0);
  EXPECT_EQ(Page(b).back(), "K0021");
  EXPECT_EQ(Page(b)[8], "K0020");  // the deleted row is still shown until a re-read

  // The first row goes: the step up brings the row before it, not a row
  // of the page a second time.
  const std::string before = Page(b).front();  // K0012
  t.ix.Remove(b.Row(1).Ref);
  ASSERT_EQ(b.ScrollUp(&o, 1, 0, true), 0);
  EXPECT_EQ(Page(b)[0], "K0011");
  EXPECT_EQ(Page(b)[1], before);
  std::vector<std::string> p = Page(b);
  EXPECT_EQ(std::adjacent_find(p.begin(), p.end()), p.end());

  // The row under the cursor goes: a re-read keeps the cursor where it was,
  // on the row that followed.
  b.SetCurrentRow(5);
  const std::string next = b.Row(6).Row;
  t.ix.Remove(b.CurrentRowRef());
  ASSERT_EQ(b.Reread(&o), 0);
  EXPECT_EQ(b.CurrentRow(), 5);
  EXPECT_EQ(b.Row(5).Row, next);
}

TEST(KBrowser, PositionsAndGotoKey) {
  Table t;
  t.AddNumbered("K", 0, 1000);
  Owner o(t.ix);
  TKBrowser b = Make(t, 20);
  std::string key;
  int32_t ref = 0;
  ASSERT_TRUE(b.GotoPosition(&o, 0, 247, key, ref));
  EXPECT_EQ(key, "K0000");
  ASSERT_TRUE(b.GotoPosition(&o, 247, 247, key, ref));
  EXPECT_EQ(key, "K1000");
  ASSERT_TRUE(b.GotoPosition(&o, 100, 200, key, ref));
  EXPECT_EQ(key, "K0500");

  ASSERT_EQ(b.GotoKey(&o, 1, key, ref, 20, 8), 0);
  EXPECT_EQ(b.CurrentRowKey(), "K0500");
  EXPECT_EQ(b.CurrentRow(), 1);  // the page was empty: the cursor starts at row 1
  ASSERT_EQ(b.GotoKey(&o, 1, "K0600", 0, 20, 8), 0);
  EXPECT_EQ(b.CurrentRow(), 8);
  EXPECT_EQ(Page(b).front(), "K0593");
  EXPECT_EQ(b.CurrentPosition(1000), 600);

  // A key near the end cannot keep the cursor row: the page ends with the table.
  ASSERT_EQ(b.GotoKey(&o, 1, "K0998", 0, 20, 8), 0);
  EXPECT_EQ(Page(b).back(), "K1000");
  EXPECT_EQ(b.CurrentRowKey(), "K0998");
  EXPECT_EQ(b.LastValidRow(), 20);

  // Keys beyond the bounds are clamped into them.
  TKBrowser sub = Make(t, 5, "K02", "K03");
  ASSERT_EQ(sub.GotoKey(&o, 1, "K9", 0, 5, 1), 0);
  EXPECT_EQ(sub.CurrentRowKey(), "K0399");
  ASSERT_EQ(sub.GotoKey(&o, 1, "A", 0, 5, 1), 0);
  EXPECT_EQ(sub.CurrentRowKey(), "K0200");
}

TEST(KBrowser, LockYieldCountsEveryOfferedRowAndReleasesOnlyItsOwnLock) {
  Table t;
  t.AddNumbered("K", 1, 300);
  t.ix.SetLocking(true);
  Owner o(t.ix);
  o.filter = [](RowRec& r) { return r.Key == "K0100" || r.Key == "K0200" || r.Key == "K0300"; };
  TKBrowser b = Make(t, 10);
  int sleeps = 0;
  b.SetSleeper([&](int ms) {
    EXPECT_EQ(ms, 50);
    ++sleeps;
  });
  // No other station wants the table: the lock is kept through the walk,
  // without a pause.
  ASSERT_EQ(b.First(&o), 0);
  EXPECT_EQ(Page(b).size(), 3u);
  EXPECT_EQ(o.offered, 300);
  EXPECT_EQ(sleeps, 0);
  EXPECT_EQ(t.ix.ReadLockCalls(), 1);
  EXPECT_EQ(t.ix.UnlockCalls(), 1);
  EXPECT_FALSE(t.ix.IsReadLocked());

  // Another station waits: the lock is handed over every 64 offered rows.
  t.ix.SetLockWanted(true);
  o.offered = 0;
  const int locks = t.ix.ReadLockCalls(), unlocksBefore = t.ix.UnlockCalls();
  ASSERT_EQ(b.First(&o), 0);
  EXPECT_EQ(Page(b).size(), 3u);
  EXPECT_EQ(o.offered, 300);
  EXPECT_EQ(sleeps, 300 / 64);
  EXPECT_EQ(t.ix.ReadLockCalls() - locks, 1 + sleeps);
  EXPECT_EQ(t.ix.UnlockCalls() - unlocksBefore, 1 + sleeps);
  EXPECT_FALSE(t.ix.IsReadLocked());

  // While the station holds its own write lock the engine neither yields
  // nor releases it.
  t.ix.SetStationWriteLock(true);
  const int unlocks = t.ix.UnlockCalls();
  sleeps = 0;
  ASSERT_EQ(b.First(&o), 0);
  EXPECT_EQ(sleeps, 0);
  EXPECT_EQ(t.ix.UnlockCalls(), unlocks);
  EXPECT_TRUE(t.ix.IsWriteLocked());
  EXPECT_EQ(b.LockCount(), 0);
  t.ix.SetStationWriteLock(false);

  // A refused lock fails the operation; the next one re-reads first.
  t.ix.SetRefuseLocks(true);
  EXPECT_EQ(b.First(&o), TBrowMemIndex::kErrLockRefused);
  EXPECT_FALSE(b.LastOpOk());
  t.ix.SetRefuseLocks(false);
  ASSERT_EQ(b.ScrollDown(&o, 1, 0, 0, true), 0);
  EXPECT_TRUE(b.RereadFirst());
}

TEST(KBrowser, RowFilterAndRowsBuiltWhileFiltering) {
  Table t;
  t.AddNumbered("K", 1, 50);
  Owner o(t.ix);
  // Odd records only; every tenth row is built by the filter from its key,
  // rows 5, 15, ... are marked never to be read.
  o.filter = [](RowRec& r) {
    const int n = std::stoi(r.Key.substr(1));
    if (n % 2 == 0) return false;
    if (n % 10 == 1) {
      r.Row = "built " + r.Key;
      r.Built = true;
    } else if (n % 10 == 5) {
      r.Status = -10;
    }
    return true;
  };
  TKBrowser b = Make(t, 10);
  const int reads = t.ix.RecordReads();
  ASSERT_EQ(b.First(&o), 0);
  const auto p = Page(b);
  ASSERT_EQ(p.size(), 10u);
  EXPECT_EQ(p[0], "built K0001");
  EXPECT_EQ(p[1], "K0003");
  EXPECT_EQ(b.Row(3).Status, -10);
  EXPECT_EQ(p[9], "K0019");
  // Two built rows and two never-read rows: six records read.
  EXPECT_EQ(t.ix.RecordReads() - reads, 6);

  ASSERT_EQ(b.ScrollDown(&o, 5, 0, 0, true), 0);
  EXPECT_EQ(Page(b).back(), "K0029");
  ASSERT_EQ(b.ScrollUp(&o, 5, 0, true), 0);
  EXPECT_EQ(Page(b), p);

  // Backwards from the end the page ends on the last accepted entry, not
  // on a refused one after it.
  ASSERT_EQ(b.Last(&o), 0);
  EXPECT_EQ(b.CurrentRowKey(), "K0049");
  EXPECT_EQ(Page(b).front(), "built K0031");
}

TEST(KBrowser, UnreadableRowsAreMarkedOnlyWhileTheyAre) {
  Table t;
  t.AddNumbered("K", 1, 5);
  Owner o(t.ix);
  TKBrowser b = Make(t, 10);
  t.ix.SetRecordLocked(t.refs[2], true);
  ASSERT_EQ(b.First(&o), 0);
  EXPECT_EQ(b.Row(3).Status, -1);
  EXPECT_EQ(b.Row(3).Row, "?");
  EXPECT_EQ(b.Row(4).Row, "K0004");
  t.ix.SetRecordLocked(t.refs[2], false);
  ASSERT_EQ(b.Reread(&o), 0);
  EXPECT_EQ(b.Row(3).Status, 0);
  EXPECT_EQ(b.Row(3).Row, "K0003");
}

TEST(KBrowser, SteppingStopsAtTheFirstKeyBeyondTheUpperBound) {
  Table t;
  t.AddNumbered("A", 1, 5);
  t.AddNumbered("B", 1, 2000);
  Owner o(t.ix);
  o.filter = [](RowRec&) { return true; };
  TKBrowser b = Make(t, 10, "A", "A");
  const int steps = t.ix.KeySteps();
  ASSERT_EQ(b.First(&o), 0);
  EXPECT_EQ(Page(b).size(), 5u);
  EXPECT_LT(t.ix.KeySteps() - steps, 10);
  EXPECT_EQ(o.offered, 5);
}

TEST(KBrowser, PageNeverOutgrowsItsCapacity) {
  Table t;
  t.AddNumbered("K", 1, 400);
  Owner o(t.ix);
  TKBrowser big = Make(t, 1000);
  EXPECT_EQ(big.PageCapacity(), TKBrowser::kMaxRows);
  ASSERT_EQ(big.First(&o), 0);
  EXPECT_EQ(big.LastValidRow(), TKBrowser::kMaxRows);

  TKBrowser b = Make(t, 20);
  ASSERT_EQ(b.ShrinkRows(&o, 5), 0);
  ASSERT_EQ(b.First(&o), 0);
  EXPECT_EQ(b.LastValidRow(), 5);
  EXPECT_EQ(b.GrowRows(&o, 21), 0);  // ignored
  EXPECT_EQ(b.RowsInUse(), 5);
  EXPECT_EQ(b.GotoKey(&o, 1, "K0100", 0, 30, 1), 1);  // more rows than the page holds
  EXPECT_EQ(b.RowsInUse(), 5);
}

TEST(KBrowser, GrowAndShrinkKeepTheCursorOnItsRecord) {
  Table t;
  t.AddNumbered("K", 1, 100);
  Owner o(t.ix);
  TKBrowser b = Make(t, 30);
  ASSERT_EQ(b.First(&o), 0);
  ASSERT_EQ(b.GotoKey(&o, 1, "K0050", 0, 10, 8), 0);
  ASSERT_EQ(b.ShrinkRows(&o, 4), 0);
  EXPECT_EQ(b.CurrentRow(), 4);
  EXPECT_EQ(b.CurrentRowKey(), "K0050");
  EXPECT_EQ(b.LastValidRow(), 4);
  ASSERT_EQ(b.GrowRows(&o, 20), 0);
  EXPECT_EQ(b.CurrentRowKey(), "K0050");
  EXPECT_EQ(b.LastValidRow(), 20);
  EXPECT_EQ(Page(b).front(), "K0047");

  // Growing at the end of the table fills the page from above.
  ASSERT_EQ(b.GotoKey(&o, 1, "K0099", 0, 5, 3), 0);
  ASSERT_EQ(b.GrowRows(&o, 10), 0);
  EXPECT_EQ(Page(b).front(), "K0091");
  EXPECT_EQ(Page(b).back(), "K0100");
  EXPECT_EQ(b.CurrentRowKey(), "K0099");
}

TEST(KBrowser, RangeWalkTakesAcceptedEntriesWithBothEnds) {
  Table t;
  t.AddNumbered("K", 1, 30);
  Owner o(t.ix);
  o.filter = [](RowRec& r) { return r.Key != "K0012"; };
  TKBrowser b = Make(t, 10);
  std::vector<int32_t> seen;
  auto add = [&](int32_t ref) { seen.push_back(ref); };
  ASSERT_EQ(b.WalkRange(&o, "K0015", t.refs[14], "K0010", t.refs[9], add), 0);
  EXPECT_EQ(seen, (std::vector<int32_t>{t.refs[9], t.refs[10], t.refs[12], t.refs[13], t.refs[14]}));
  seen.clear();
  ASSERT_EQ(b.WalkRange(&o, "K0020", t.refs[19], "K0020", t.refs[19], add), 0);
  EXPECT_EQ(seen, std::vector<int32_t>{t.refs[19]});
}

TEST(KBrowser, SecondKeyNumberAndInvalidDriver) {
  Table t;
  t.AddNumbered("K", 1, 30);
  Owner o(t.ix);
  TKBrowser b(&t.ix, 5, 2, TKeyStr{}, TKeyStr{}, false);
  ASSERT_EQ(b.First(&o), 0);
  // Reversed keys: "0100K" before "0200K"; the first is K0010.
  EXPECT_EQ(Page(b).front(), "K0010");
  EXPECT_THROW(TKBrowser(nullptr, 5, 1, TKeyStr{}, TKeyStr{}, false), EConstructorInvalid);
}
