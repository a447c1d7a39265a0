// Key order, walks, positions, autokeys and record lengths of the engine on
// real table files.
#include <algorithm>
#include <cstring>
#include <functional>

#include "storage/ifdriver.h"
#include "storage_fixture.h"

using fx::StorageTest;

namespace {

TEST_F(StorageTest, DuplicatesRunInInsertOrderAndDescPartsReverse) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "SAME", 5, "A1"));
  ASSERT_TRUE(Put(*t, "OTHER", 7, "B1"));
  ASSERT_TRUE(Put(*t, "SAME", 100, "A2"));
  ASSERT_TRUE(Put(*t, "SAME", 42, "A3"));

  // Key 1: equal names by reference, i.e. in the order they were added.
  EXPECT_EQ(CodesOnKey(*t, 1), (std::vector<std::string>{"B1", "A1", "A2", "A3"}));
  EXPECT_EQ(CodesOnKey(*t, 1, true), (std::vector<std::string>{"A3", "A2", "A1", "B1"}));
  // Key 2: the DESC part puts the largest value first within a name.
  EXPECT_EQ(CodesOnKey(*t, 2), (std::vector<std::string>{"B1", "A2", "A3", "A1"}));

  // Changing a field that is not part of key 1 keeps the entry where it is.
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("A1")));
  fx::SetInt32(t->RecordBuffer(), fx::oValue, 1000);
  ASSERT_TRUE(t->Update());
  EXPECT_EQ(CodesOnKey(*t, 1), (std::vector<std::string>{"B1", "A1", "A2", "A3"}));
  EXPECT_EQ(CodesOnKey(*t, 2), (std::vector<std::string>{"B1", "A1", "A2", "A3"}));
}

TEST_F(StorageTest, LongWalksMeetEveryRecordInIndexOrderBothWaysAndSeeOwnChanges) {
  // Enough records for a walk to read ahead many times, and names with many
  // duplicates, so that runs of equal keys cross the reads.
  constexpr int kRecords = 3000;
  std::vector<std::pair<std::string, int>> named;
  {
    auto t = Open();
    ASSERT_TRUE(t->BeginTransaction());
    for (int i = 0; i < kRecords; ++i) {
      named.emplace_back("N" + std::to_string(i % 7), i);
      ASSERT_TRUE(Put(*t, named.back().first, i % 13, "c" + std::to_string(i)));
    }
    ASSERT_TRUE(t->CommitTransaction());
  }
  std::stable_sort(named.begin(), named.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> expected;
  for (const auto& [name, i] : named) expected.push_back("c" + std::to_string(i));
  // Each walk starts on a file just opened: nothing of it is in memory yet.
  EXPECT_EQ(CodesOnKey(*Open(), 1), expected);
  EXPECT_EQ(CodesOnKey(*Open(), 1, true), std::vector<std::string>(expected.rbegin(), expected.rend()));

  // Another handle of this station changes a record the walk has read
  // ahead already and deletes another one: the walk meets the change and
  // passes the deleted record by.
  auto t = Open();
  auto other = Open();
  ASSERT_TRUE(t->First(1));
  for (int i = 0; i < 1500; ++i) ASSERT_TRUE(t->Next(1));
  ASSERT_TRUE(other->FindKey(3, MakeKeyStr(expected[2000])));
  fx::SetInt32(other->RecordBuffer(), fx::oValue, 4711);
  ASSERT_TRUE(other->Update());
  ASSERT_TRUE(other->FindKey(3, MakeKeyStr(expected[2500])));
  ASSERT_TRUE(other->Delete());
  std::vector<std::string> rest;
  int32_t changedValue = 0;
  while (t->Next(1)) {
    rest.push_back(Code(*t));
    if (rest.back() == expected[2000]) changedValue = Value(*t);
  }
  std::vector<std::string> expectedRest(expected.begin() + 1501, expected.end());
  expectedRest.erase(expectedRest.begin() + (2500 - 1501));
  EXPECT_EQ(rest, expectedRest);
  EXPECT_EQ(changedValue, 4711);

  // A scan along a key gives the records in the order of the walk.
  std::vector<std::string> scanned;
  ASSERT_TRUE(t->ScanRecords(
      [&](int32_t, std::string_view data) {
        scanned.push_back(fx::GetStr(reinterpret_cast<const uint8_t*>(data.data()), fx::oCode, 6));
        return true;
      },
      2));
  EXPECT_EQ(scanned, CodesOnKey(*t, 2));
  EXPECT_FALSE(t->ScanRecords([](int32_t, std::string_view) { return true; }, 99));
  EXPECT_EQ(DriverResult, drBadKeyNumber);
}

// A walk goes on from where it stands, also when another handle added or
// removed entries before it or after it.
TEST_F(StorageTest, WalksGoOnFromTheirEntryWhileOthersChangeTheIndex) {
  auto t = Open();
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(Put(*t, "N" + std::to_string(i % 4), i, "c" + std::to_string(i)));
  auto other = Open();
  for (bool forward : {true, false}) {
    SCOPED_TRACE(forward ? "forward" : "backward");
    ASSERT_TRUE(forward ? t->First(1) : t->Last(1));
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(forward ? t->Next(1) : t->Prev(1));
    const std::string here = Code(*t);
    // Entries added below the position in the index (so that it stands
    // further on there), one of its own key and one above it; an entry
    // removed above it.
    const std::string tag = forward ? "f" : "b";
    ASSERT_TRUE(Put(*other, "N0", 900, tag + "1"));
    ASSERT_TRUE(Put(*other, "N0", 901, tag + "2"));
    ASSERT_TRUE(Put(*other, Name(*t), 902, tag + "3"));
    ASSERT_TRUE(Put(*other, "N3", 903, tag + "4"));
    ASSERT_TRUE(other->FindKey(3, MakeKeyStr(forward ? "c39" : "c35")));
    ASSERT_TRUE(other->Delete());
    std::vector<std::string> all = CodesOnKey(*other, 1, !forward);
    const auto at = std::find(all.begin(), all.end(), here);
    ASSERT_NE(at, all.end());
    std::vector<std::string> got;
    while (forward ? t->Next(1) : t->Prev(1)) got.push_back(Code(*t));
    EXPECT_EQ(got, std::vector<std::string>(at + 1, all.end()));
  }
}

TEST_F(StorageTest, KeysCompareBytewiseOverTheWholeByteRange) {
  const std::vector<std::string> names = {
      std::string(), std::string(1, '\0'), std::string(2, '\0'), "\x01", "A", std::string("A\0", 2),
      "AB", "\x7F", "\x80", "\xE4", "\xFF", "\xFF\xFF", "a"};
  auto t = Open();
  for (size_t i = 0; i < names.size(); ++i)
    ASSERT_TRUE(Put(*t, names[i], 0, "C" + std::to_string(i))) << i;

  std::vector<std::string> expected = names;
  std::sort(expected.begin(), expected.end());  // char_traits<char> compares unsigned bytes
  std::vector<std::string> got;
  for (bool ok = t->First(1); ok; ok = t->Next(1)) got.push_back(Name(*t));
  EXPECT_EQ(got, expected);

  // Exact finds tell a key from its longer and shorter neighbours.
  ASSERT_TRUE(t->FindKey(1, MakeKeyStr(std::string("A\0", 2))));
  EXPECT_EQ(Name(*t), std::string("A\0", 2));
  EXPECT_FALSE(t->FindKey(1, MakeKeyStr("A\x01")));
  EXPECT_EQ(DriverClassOf(DriverResult), TDriverClass::NotFound);
  // A search lands on the first entry not below the key.
  ASSERT_TRUE(t->SearchKey(1, MakeKeyStr("A\x01")));
  EXPECT_EQ(Name(*t), "AB");
}

TEST_F(StorageTest, UniqueKeyRefusesASecondEntryAndLeavesTheFileAsItWas) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "ONE", 1, "X1"));
  ASSERT_TRUE(Put(*t, "TWO", 2, "X2"));
  EXPECT_FALSE(Put(*t, "THREE", 3, "X1"));
  EXPECT_EQ(DriverResult, drDuplicateKey);
  EXPECT_EQ(DriverClassOf(DriverResult), TDriverClass::Data);
  // The refused record took no AUTOKEY number and left no index entry.
  EXPECT_EQ(fx::StorageTest::Nummer(*t), 0);
  EXPECT_EQ(t->UsedRecords(), 2);
  EXPECT_EQ(CodesOnKey(*t, 1), (std::vector<std::string>{"X1", "X2"}));
  // An update that would collide is refused as well, the record keeps its data.
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("X2")));
  fx::SetStr(t->RecordBuffer(), fx::oCode, 6, "X1");
  EXPECT_FALSE(t->Update());
  t.reset();

  auto again = Open();
  EXPECT_EQ(again->UsedRecords(), 2);
  ASSERT_TRUE(again->FindKey(3, MakeKeyStr("X2")));
  EXPECT_EQ(Name(*again), "TWO");
  ASSERT_TRUE(Put(*again, "THREE", 3, "X3"));
  EXPECT_EQ(Nummer(*again), 3);
}

// A few seeks on an index that is not in memory are answered by the file's
// own index, a walk by the mirror: every kind of seek must land alike in
// both, between duplicates, at both ends, on the empty key and on bytes
// above 0x7F, and a step after a seek in the file goes on from there.
TEST_F(StorageTest, SeeksLandAlikeInTheFileAndInTheMirror) {
  std::vector<int32_t> refs;
  {
    auto t = Open();
    int n = 0;
    for (const char* name : {"M", "", "AB", "M", "A", "\x80", "M", "\xFF\xFF", "B", ""}) {
      ASSERT_TRUE(Put(*t, name, n % 3, "c" + std::to_string(n)));
      refs.push_back(t->CurrentRef());
      ++n;
    }
  }
  const int32_t middle = refs[3];
  // Where a seek lands: found or not, the record's code, and where a step
  // on from there lands.
  using TSeek = std::function<std::string(TdbTreiber&)>;
  auto landed = [](TdbTreiber& t, bool found, int keyNo, bool forward) {
    std::string at = found ? Code(t) : std::string("-");
    const bool step = forward ? t.Next(keyNo) : t.Prev(keyNo);
    return at + (step ? ">" + Code(t) : std::string(">-"));
  };
  std::vector<TSeek> seeks;
  for (int keyNo : {1, 2}) {
    seeks.push_back([=](TdbTreiber& t) { return landed(t, t.First(keyNo), keyNo, true); });
    seeks.push_back([=](TdbTreiber& t) { return landed(t, t.Last(keyNo), keyNo, false); });
    for (const char* probe : {"", "A", "AA", "AB", "M", "N", "\x80", "\xFF", "\xFF\xFF\xFF"}) {
      const std::string p = probe;
      seeks.push_back([=](TdbTreiber& t) { return landed(t, t.FindKey(keyNo, MakeKeyStr(p)), keyNo, true); });
      seeks.push_back([=](TdbTreiber& t) { return landed(t, t.SearchKey(keyNo, MakeKeyStr(p)), keyNo, false); });
      for (int32_t ref : {0, middle, kIfdMaxRef}) {
        auto keyOnly = [=](bool (TdbTreiber::*op)(int, std::string&, int32_t&)) {
          return [=](TdbTreiber& t) {
            std::string key = p;
            int32_t at = ref;
            return (t.*op)(keyNo, key, at) ? key + "@" + std::to_string(at) : std::string("-");
          };
        };
        seeks.push_back(keyOnly(&TdbTreiber::NextKey));
        seeks.push_back(keyOnly(&TdbTreiber::PrevKey));
        seeks.push_back(keyOnly(&TdbTreiber::SearchKeyRef));
      }
    }
  }
  // In the file: each seek on the file just opened, nothing of it in memory.
  std::vector<std::string> inFile;
  for (const TSeek& seek : seeks) inFile.push_back(seek(*Open()));
  // In the mirrors: a walk over both indexes has loaded them, and the
  // handle that walked keeps the file open for the handles that seek.
  std::vector<std::string> inMirror;
  {
    auto walked = Open();
    ASSERT_EQ(CodesOnKey(*walked, 1).size(), refs.size());
    ASSERT_EQ(CodesOnKey(*walked, 2).size(), refs.size());
    for (const TSeek& seek : seeks) inMirror.push_back(seek(*Open()));
  }
  EXPECT_EQ(inFile, inMirror);
  // The same seeks asked again and again of one open file: each index goes
  // to its mirror on the way, and the answers stay.
  auto keeper = Open();
  for (int round = 0; round < 3; ++round) {
    std::vector<std::string> answers;
    for (const TSeek& seek : seeks) answers.push_back(seek(*Open()));
    EXPECT_EQ(answers, inFile) << "round " << round;
  }
}

class KeyOnlyTest : public StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    t = Open();
    // Names with duplicates; the refs of the entries in key-1 order are kept.
    for (const char* n : {"M", "B", "M", "Z", "B", "A"}) ASSERT_TRUE(Put(*t, n, 0, std::string("c") + n + std::to_string(++i)));
    for (bool ok = t->First(1); ok; ok = t->Next(1)) order.emplace_back(Name(*t), t->CurrentRef());
    ASSERT_EQ(order.size(), 6u);
  }
  std::unique_ptr<TdbTreiber> t;
  std::vector<std::pair<std::string, int32_t>> order;
  int i = 0;
};

TEST_F(KeyOnlyTest, WalksBothWaysFromBothEndsWithoutTouchingTheRecord) {
  // Put a known record in the buffer; key-only steps must leave it alone.
  ASSERT_TRUE(t->FindKey(1, MakeKeyStr("Z")));
  const int32_t current = t->CurrentRef();
  std::vector<uint8_t> before(t->RecordBuffer(), t->RecordBuffer() + fx::kLen);

  std::string key;
  int32_t ref = 0;
  std::vector<std::pair<std::string, int32_t>> fwd;
  while (t->NextKey(1, key, ref)) fwd.emplace_back(key, ref);
  EXPECT_EQ(fwd, order);
  // At the end: no further step forward, one step back gives the one before.
  EXPECT_FALSE(t->NextKey(1, key, ref));
  EXPECT_EQ(ref, order.back().second);
  ASSERT_TRUE(t->PrevKey(1, key, ref));
  EXPECT_EQ(ref, order[order.size() - 2].second);

  key.assign(50, '\xFF');
  ref = kIfdMaxRef;
  std::vector<std::pair<std::string, int32_t>> back;
  while (t->PrevKey(1, key, ref)) back.emplace_back(key, ref);
  std::reverse(back.begin(), back.end());
  EXPECT_EQ(back, order);
  EXPECT_FALSE(t->PrevKey(1, key, ref));
  ASSERT_TRUE(t->NextKey(1, key, ref));
  EXPECT_EQ(ref, order[1].second);

  EXPECT_EQ(t->CurrentRef(), current);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), t->RecordBuffer()));
}

TEST_F(KeyOnlyTest, ScanningVisitsEveryRecordInReferenceOrderAndStopsWhenTold) {
  // A record written inside an open job shows too.
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("cA6")));
  fx::SetInt32(t->RecordBuffer(), fx::oValue, 77);
  ASSERT_TRUE(t->Update());

  std::vector<int32_t> refs;
  std::vector<std::string> codes;
  int32_t value = 0;
  ASSERT_TRUE(t->ScanRecords([&](int32_t ref, std::string_view data) {
    EXPECT_EQ(data.size(), static_cast<size_t>(fx::kLen));
    const auto* r = reinterpret_cast<const uint8_t*>(data.data());
    refs.push_back(ref);
    codes.push_back(fx::GetStr(r, fx::oCode, 6));
    if (codes.back() == "cA6") value = fx::GetInt32(r, fx::oValue);
    return true;
  }));
  ASSERT_TRUE(t->CommitTransaction());
  std::vector<int32_t> sorted;
  for (const auto& e : order) sorted.push_back(e.second);
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(refs, sorted);
  EXPECT_EQ(codes, (std::vector<std::string>{"cM1", "cB2", "cM3", "cZ4", "cB5", "cA6"}));
  EXPECT_EQ(value, 77);

  int visited = 0;
  EXPECT_TRUE(t->ScanRecords([&](int32_t, std::string_view) { return ++visited < 2; }));
  EXPECT_EQ(visited, 2);

  // A scan leaves the position and the buffer as they were.
  ASSERT_TRUE(t->FindKey(1, MakeKeyStr("Z")));
  const int32_t current = t->CurrentRef();
  std::vector<uint8_t> found(t->RecordBuffer(), t->RecordBuffer() + fx::kLen);
  ASSERT_TRUE(t->ScanRecords([](int32_t, std::string_view) { return true; }));
  EXPECT_EQ(t->CurrentRef(), current);
  EXPECT_TRUE(std::equal(found.begin(), found.end(), t->RecordBuffer()));
  EXPECT_FALSE(t->Next(1));  // "Z" is the last entry of key 1

  TdbTreiber closed;
  EXPECT_FALSE(closed.ScanRecords([](int32_t, std::string_view) { return true; }));
}

TEST_F(KeyOnlyTest, ScanningWithKeysGivesTheStoredKeysThatOrderTheIndexes) {
  // A record changed inside an open job shows with its new keys.
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("cZ4")));
  fx::SetStr(t->RecordBuffer(), fx::oName, 10, "B");
  fx::SetInt32(t->RecordBuffer(), fx::oValue, 9);
  ASSERT_TRUE(t->Update());

  struct TRow {
    int32_t ref;
    std::string code, name, nameValue;
  };
  std::vector<TRow> rows;
  ASSERT_TRUE(t->ScanRecordsWithKeys({1, 2}, [&](int32_t ref, std::string_view data,
                                                 const std::vector<std::string_view>& keys) {
    EXPECT_EQ(keys.size(), 2u);
    rows.push_back({ref, fx::GetStr(reinterpret_cast<const uint8_t*>(data.data()), fx::oCode, 6),
                    std::string(keys[0]), std::string(keys[1])});
    return true;
  }));
  ASSERT_TRUE(t->CommitTransaction());
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const TRow& a, const TRow& b) { return a.ref < b.ref; }));
  // Sorted by a key and then the reference, the records stand as a walk
  // along that index meets them.
  for (int keyNo : {1, 2}) {
    std::vector<TRow> byKey = rows;
    std::stable_sort(byKey.begin(), byKey.end(), [keyNo](const TRow& a, const TRow& b) {
      return keyNo == 1 ? a.name < b.name : a.nameValue < b.nameValue;
    });
    std::vector<std::string> codes;
    for (const TRow& r : byKey) codes.push_back(r.code);
    EXPECT_EQ(codes, CodesOnKey(*t, keyNo)) << "key " << keyNo;
  }

  int visited = 0;
  EXPECT_TRUE(t->ScanRecordsWithKeys({3}, [&](int32_t, std::string_view, const std::vector<std::string_view>&) {
    return ++visited < 2;
  }));
  EXPECT_EQ(visited, 2);
  EXPECT_FALSE(t->ScanRecordsWithKeys({1, 99}, [](int32_t, std::string_view, const std::vector<std::string_view>&) {
    return true;
  }));
  EXPECT_EQ(DriverResult, drBadKeyNumber);
}

TEST_F(KeyOnlyTest, SearchKeyRefFindsAtOrAfterAndPrevKeyGoesOnFromThereAfterAMiss) {
  // The second "B" exactly, and just after the first "B".
  std::string key = order[1].first;
  int32_t ref = order[1].second;
  ASSERT_TRUE(t->SearchKeyRef(1, key, ref));
  EXPECT_EQ(ref, order[1].second);
  key = order[1].first;
  ref = order[1].second + 1;
  ASSERT_TRUE(t->SearchKeyRef(1, key, ref));
  EXPECT_EQ(std::make_pair(key, ref), order[2]);

  // Nothing at or after "ZZ": false, and the next PrevKey yields the last entry.
  key = "ZZ";
  ref = 0;
  EXPECT_FALSE(t->SearchKeyRef(1, key, ref));
  EXPECT_EQ(DriverResult, drNotFound);
  ASSERT_TRUE(t->PrevKey(1, key, ref));
  EXPECT_EQ(std::make_pair(key, ref), order.back());

  EXPECT_EQ(t->KeyCount(1), 6);
  EXPECT_EQ(t->KeyCount(4), 6);
}

TEST_F(KeyOnlyTest, RelativePositionsCoverTheIndexMonotonically) {
  IFDriver* d = t->Driver();
  std::string key;
  int32_t ref = 0;
  ASSERT_EQ(d->KeyAtPosition(1, 0, 1000, key, ref), drOk);
  EXPECT_EQ(std::make_pair(key, ref), order.front());
  ASSERT_EQ(d->KeyAtPosition(1, 1000, 1000, key, ref), drOk);
  EXPECT_EQ(std::make_pair(key, ref), order.back());

  int32_t last = -1;
  for (const auto& [k, r] : order) {
    int32_t p = -1;
    ASSERT_EQ(d->PositionOfKey(1, k, r, 1000, p), drOk);
    EXPECT_GT(p, last);
    last = p;
    // The entry at that position is the entry itself.
    std::string k2;
    int32_t r2 = 0;
    ASSERT_EQ(d->KeyAtPosition(1, p, 1000, k2, r2), drOk);
    EXPECT_EQ(r2, r);
  }
  EXPECT_EQ(last, 1000);

  auto empty = Open("EMPTY");
  EXPECT_NE(empty->Driver()->KeyAtPosition(1, 0, 10, key, ref), drOk);
}

TEST_F(KeyOnlyTest, SavedPositionsComeBackOrMoveOnWhenTheirRecordIsGone) {
  IFDriver* d = t->Driver();
  ASSERT_TRUE(t->FindKey(1, MakeKeyStr("M")));  // the first "M"
  const int32_t saved = t->CurrentRef();
  ASSERT_EQ(saved, order[3].second);
  TIfdPosition pos;
  ASSERT_EQ(d->SavePosition(1, pos), drOk);
  EXPECT_EQ(pos.Ref, saved);

  ASSERT_TRUE(t->Last(1));
  ASSERT_EQ(d->RestorePosition(pos, 0), drOk);
  EXPECT_EQ(t->CurrentRef(), saved);
  EXPECT_EQ(Name(*t), "M");
  ASSERT_TRUE(t->Next(1));  // the walk goes on from the restored place
  EXPECT_EQ(t->CurrentRef(), order[4].second);

  // Another handle deletes the saved record.
  auto other = Open();
  ASSERT_TRUE(other->DeleteRef(saved));
  EXPECT_EQ(d->RestorePosition(pos, 0), drNotFound);
  ASSERT_EQ(d->RestorePosition(pos, 1), drOk);
  EXPECT_EQ(t->CurrentRef(), order[4].second);
  ASSERT_EQ(d->RestorePosition(pos, -1), drOk);
  EXPECT_EQ(t->CurrentRef(), order[2].second);
}

TEST_F(KeyOnlyTest, StepsGoOnAcrossADeleteAndAChangeOfKey) {
  ASSERT_TRUE(t->FindKey(1, MakeKeyStr("M")));
  ASSERT_TRUE(t->Delete(false));
  EXPECT_EQ(t->CurrentRef(), 0);
  ASSERT_TRUE(t->Next(1));  // the neighbour after the deleted entry
  EXPECT_EQ(t->CurrentRef(), order[4].second);
  ASSERT_TRUE(t->Prev(1));  // and back over the gap
  EXPECT_EQ(t->CurrentRef(), order[2].second);

  // Delete with reposition reads the next record.
  ASSERT_TRUE(t->Delete(true));
  EXPECT_EQ(t->CurrentRef(), order[4].second);
  EXPECT_EQ(Name(*t), "M");

  // Switching the key keeps the record and steps along the other index.
  EXPECT_EQ(CodesOnKey(*t, 3), (std::vector<std::string>{"cA6", "cB2", "cM3", "cZ4"}));
  ASSERT_TRUE(t->FindKey(1, MakeKeyStr("B")));
  EXPECT_EQ(Code(*t), "cB2");
  ASSERT_TRUE(t->Next(3));
  EXPECT_EQ(Code(*t), "cM3");
  ASSERT_TRUE(t->Prev(1));  // and back on key 1, from "M" (ref 3) to "B"
  EXPECT_EQ(Code(*t), "cB2");
}

TEST_F(StorageTest, NoLoadStepsMoveWithoutReadingTheRecord) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "A", 1, "A"));
  ASSERT_TRUE(Put(*t, "B", 2, "B"));
  ASSERT_TRUE(t->First(1));
  ASSERT_TRUE(t->Next(1, false));
  EXPECT_EQ(Name(*t), "A");  // buffer untouched
  EXPECT_EQ(t->CurrentRef(), 2);
  ASSERT_TRUE(t->ReadRecord(t->CurrentRef()));
  EXPECT_EQ(Name(*t), "B");
  EXPECT_FALSE(t->ReadRecord(99));
  EXPECT_EQ(DriverResult, drRecordGone);
}

TEST_F(StorageTest, AutokeyNumbersOrKeepsAndNeverGoesBack) {
  {
    auto t = Open();
    ASSERT_TRUE(Put(*t, "A", 0, "A"));
    EXPECT_EQ(Nummer(*t), 1);
    ASSERT_TRUE(Put(*t, "B", 0, "B", 0, 77));  // mode 0 ignores the number given
    EXPECT_EQ(Nummer(*t), 2);
    ASSERT_TRUE(Put(*t, "C", 0, "C", 1, 100));  // mode 1 keeps it
    EXPECT_EQ(Nummer(*t), 100);
    ASSERT_TRUE(Put(*t, "D", 0, "D"));
    EXPECT_EQ(Nummer(*t), 101);
    // A kept number that is taken already is refused by the unique AUTOKEY key.
    EXPECT_FALSE(Put(*t, "E", 0, "E", 1, 2));
    EXPECT_EQ(DriverResult, drDuplicateKey);
    // The stored record carries the number, and key 4 orders by it.
    ASSERT_TRUE(t->FindKey(4, MakeKeyStr(EncodeIntKey(100))));
    EXPECT_EQ(Code(*t), "C");
    EXPECT_EQ(CodesOnKey(*t, 4), (std::vector<std::string>{"A", "B", "C", "D"}));
  }
  // The counter lives in the file; a rolled-back job gives its numbers back.
  auto t = Open();
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(Put(*t, "X", 0, "X"));
  EXPECT_EQ(Nummer(*t), 102);
  t->RollbackTransaction();
  ASSERT_TRUE(Put(*t, "F", 0, "F"));
  EXPECT_EQ(Nummer(*t), 102);
}

TEST_F(StorageTest, VariableLengthRecordsKeepTheirLengthAndRefuseCutWrites) {
  auto t = std::make_unique<TdbTreiber>();
  ASSERT_NE(t->Open(fx::Params(Path("VAR"), 300, 40)), 2);
  IFDriver* d = t->Driver();
  ASSERT_EQ(d->SetAutoIncField(4, fx::oNummer), drOk);
  EXPECT_TRUE(d->IsVarLength());
  EXPECT_NE(d->SetRecordLength(20), drOk);  // below the fixed part
  for (int len : {100, 300}) {
    t->ClearBuffer();
    uint8_t* r = t->RecordBuffer();
    fx::SetStr(r, fx::oCode, 6, "L" + std::to_string(len));
    for (int i = 40; i < len; ++i) r[i] = static_cast<uint8_t>(i);
    ASSERT_EQ(d->SetRecordLength(len), drOk);
    ASSERT_TRUE(t->Add());
  }
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("L100")));
  EXPECT_EQ(d->RecordLength(), 100);
  EXPECT_EQ(t->RecordBuffer()[99], 99);
  EXPECT_EQ(t->RecordBuffer()[100], 0);  // nothing of an earlier record left behind

  // A cut read delivers the first bytes only and cannot be written back.
  d->SetVarReadLength(50);
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("L300")));
  EXPECT_EQ(d->RecordLength(), 300);
  EXPECT_EQ(t->RecordBuffer()[49], 49);
  EXPECT_EQ(t->RecordBuffer()[50], 0);
  EXPECT_FALSE(t->Update());
  EXPECT_EQ(DriverResult, drRecordLength);

  d->SetVarReadLength(kIfdWholeRecord);
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("L300")));
  EXPECT_EQ(t->RecordBuffer()[299], static_cast<uint8_t>(299));
  fx::SetInt32(t->RecordBuffer(), fx::oValue, 5);
  ASSERT_TRUE(t->Update());
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("L300")));
  EXPECT_EQ(Value(*t), 5);
  EXPECT_EQ(t->RecordBuffer()[299], static_cast<uint8_t>(299));
}

}  // namespace
