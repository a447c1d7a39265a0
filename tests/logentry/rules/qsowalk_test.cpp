// The walks of the multiplier counts over a log read in one pass must meet
// the records exactly as the walks over the table do: in the indexes' order,
// equal keys in record order, with values as awkward as logs hold them.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "database/dbContest.h"
#include "logentry/rules/multipliers.h"
#include "logentry/rules/qsowalk.h"
#include "logentry/multiqso.h"
#include "logentry/realcontest.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 61;

template <class T>
const T& Pick(std::mt19937& g, const std::vector<T>& v) {
  return v[g() % v.size()];
}

// QSOs with the values logs hold besides the clean ones: lower case, blanks
// before a value, a DOK cut over its two fields, a call logged portable or
// abroad, band-change rows, duplicates marked.
MultiQso AwkwardQso(std::mt19937& g, const std::vector<char>& bands) {
  static const std::vector<std::string> calls = {"DL1ABC", "dl1abc", "DL1ABC/P", "EA8/DL1ABC", "DK3AA", "DQ0E",
                                                 "OE1AB",  "DL0DSW", "DF0WN",    "F5ABC",      "DL2XYZ"};
  static const std::vector<std::string> doks = {"A01", "a01", " A01", "B02", "Z11", "M05", "NM", "", "",
                                                "ABCDEF", "ABCDEFGH", "A0123456", "F01", "U12", "WN"};
  static const std::vector<std::string> dxccs = {"DL", "DL", "dl", " DL", "OK", "F", "4X", "", "W"};
  static const std::vector<std::string> locs = {"JO40AB", "JO40CD", "jo40ab", "JO", "", "JN59XX", "JO40"};
  static const std::vector<std::string> areas = {"", "NY", "ny", "CA", "1"};
  static const std::vector<std::string> call2s = {"", "1234", "NM", "dsw1", "567"};
  static const std::vector<std::string> modes = {"CW", "SSB", "FM", "RTTY"};
  MultiQso q;
  q.call = Pick(g, calls);
  q.band = g() % 11 == 0 ? 'e' : Pick(g, bands);
  q.mode = Pick(g, modes);
  q.dok = Pick(g, doks);
  q.loc = Pick(g, locs);
  q.dxcc = Pick(g, dxccs);
  q.kontinent = g() % 4 ? "EU" : "NA";
  q.prefix = q.call.substr(0, 3);
  q.area = Pick(g, areas);
  q.call2 = Pick(g, call2s);
  q.cmulti = g() % 2 ? q.loc.substr(0, std::min<size_t>(4, q.loc.size())) : q.call2;
  q.cmulti2 = g() % 2 ? q.call2 : q.dok;
  q.exchange = g() % 3 ? "599 001 A01" : "599NM";
  if (g() % 25 == 0) q.marker = static_cast<uint8_t>(q.band);
  return q;
}

class QsoWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    ASSERT_TRUE(log_->IsOpen());
  }

  // count QSOs; their record numbers run against the order they are
  // stored, so that record number and record order disagree.
  void Fill(const std::vector<char>& bands, int count, unsigned seed) {
    std::mt19937 g(seed);
    log_->SetAutoKeyMode(1);
    ASSERT_TRUE(log_->BeginTransaction());
    for (int i = 0; i < count; ++i) {
      TContestQsoRecord q = MakeQso(AwkwardQso(g, bands), i);
      rec::SetInt32(q.data(), qrec::kNummer, count - i);
      log_->ClearRecord();
      log_->SetQsoRecord(q);
      ASSERT_TRUE(log_->Add());
    }
    ASSERT_TRUE(log_->CommitTransaction());
  }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_;
};

// Every record the walk meets from where it starts, by its unique time.
std::vector<int32_t> Walked(TQsoWalk& walk, bool found) {
  std::vector<int32_t> times;
  for (bool more = found; more; more = walk.Next()) times.push_back(rec::GetInt32(walk.Record().data(), qrec::kZeit));
  return times;
}

TEST_F(QsoWalkTest, SnapshotWalksEveryIndexInTheTablesOrder) {
  Fill({'b', 'c'}, 300, 7);
  TLogSnapshot snapshot;
  ASSERT_TRUE(snapshot.Read(*log_));
  ASSERT_EQ(snapshot.Count(), 300u);
  // The snapshot stands in record-number order, the reverse of storing.
  EXPECT_EQ(rec::GetInt32(snapshot.Record(0).data(), qrec::kNummer), 1);
  EXPECT_EQ(rec::GetInt32(snapshot.Record(0).data(), qrec::kZeit), 299);

  TSnapshotWalk memory(snapshot);
  TdbContest other(kContestLog, false, kLog);
  TTableWalk table(other);
  for (int keyNo = 1; keyNo <= qrec::kKeyCount; ++keyNo) {
    SCOPED_TRACE("key " + std::to_string(keyNo));
    EXPECT_EQ(Walked(memory, memory.First(keyNo)), Walked(table, table.First(keyNo)));
    // Searches start where the table's would, also between and beyond keys.
    for (const std::string& start : {std::string("b"), std::string("c") + "JO40", std::string("D"), std::string("zz")}) {
      const TKeyStr key = MakeKeyStr(start);
      EXPECT_EQ(Walked(memory, memory.Search(keyNo, key)), Walked(table, table.Search(keyNo, key))) << start;
    }
  }
}

TEST_F(QsoWalkTest, CountsOverTheSnapshotEqualThoseOverTheTable) {
  // Letters of every counted kind, per band and contest-wide, with DOKs
  // that count again per mode class ('G') or always ('L').
  for (const char letter : {'D', 'O', 'G', 'L', '4', 'J', 'k', 'X', 'P', 'i', 'u', 'Z', 'f', 'p', 'N'}) {
    SCOPED_TRACE(std::string("letter ") + letter);
    const RealContest c = DefineReal(letter);
    std::vector<char> bands;
    for (char b : c->BandLetters)
      if (b >= 'a' && b <= 'z' && bands.size() < 3) bands.push_back(b);
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog + static_cast<uint8_t>(letter));
    Fill(bands, 250, static_cast<unsigned>(letter));
    TLogSnapshot snapshot;
    ASSERT_TRUE(snapshot.Read(*log_));
    TSnapshotWalk memory(snapshot);
    for (const int kind : kCountedKinds) {
      for (const char band : bands) {
        SCOPED_TRACE("kind " + std::to_string(kind) + " band " + band);
        // The window's count, which fills the lists.
        TCountOptions fill;
        fill.FillList = true;
        TMultiplierLists onTable, inMemory;
        EXPECT_EQ(CountMultis(kind, band, memory, *c, c.List, fill, &inMemory, nullptr),
                  CountMultis(kind, band, *log_, *c, c.List, fill, &onTable, nullptr));
        ASSERT_EQ(inMemory.Count(kind), onTable.Count(kind));
        for (int i = 0; i < onTable.Count(kind); ++i) EXPECT_EQ(inMemory.Entry(kind, i).Text, onTable.Entry(kind, i).Text);
        // The full recount's, with its counters and the steps of its bar.
        TCountOptions recount;
        recount.Recount = true;
        std::vector<int32_t> barTable, barMemory;
        TCountTotals totalsTable, totalsMemory;
        recount.Progress = [&](int32_t p) { barTable.push_back(p); };
        const int32_t onTableCount = CountMultis(kind, band, *log_, *c, c.List, recount, nullptr, &totalsTable);
        recount.Progress = [&](int32_t p) { barMemory.push_back(p); };
        EXPECT_EQ(CountMultis(kind, band, memory, *c, c.List, recount, nullptr, &totalsMemory), onTableCount);
        EXPECT_EQ(totalsMemory.Qsos, totalsTable.Qsos);
        EXPECT_EQ(totalsMemory.Visited, totalsTable.Visited);
        EXPECT_EQ(totalsMemory.Captions, totalsTable.Captions);
        EXPECT_EQ(barMemory, barTable);
      }
    }
  }
}

}  // namespace
