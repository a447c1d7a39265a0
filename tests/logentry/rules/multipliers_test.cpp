// Counting multipliers over a QSO log with the contest definitions of the
// letters that count each kind.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "database/dbContest.h"
#include "logentry/rules/multipliers.h"
#include "logentry/multiqso.h"
#include "platform/textfile.h"
#include "logentry/realcontest.h"
#include "support/ForkedChild.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 42;

using M = MultiQso;

class MultipliersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    ASSERT_TRUE(log_->IsOpen());
  }
  void TearDown() override { log_.reset(); }

  void Use(char letter, const RealLog& log = {}) { c_ = DefineReal(letter, log); }
  void Store(const M& q) {
    log_->ClearRecord();
    log_->SetQsoRecord(MakeQso(q, ++zeit_));
    ASSERT_TRUE(log_->Add()) << q.call;
  }
  // The window's count: one walk that jumps past repeated values.
  int32_t Count(int kind, char band, TMultiplierLists* lists = nullptr) {
    TCountOptions o;
    o.FillList = lists != nullptr;
    return CountMultis(kind, band, *log_, *c_, c_.List, o, lists, nullptr);
  }
  // The full recount's count, with its caption counters.
  int32_t Recount(int kind, char band, TCountTotals* totals = nullptr) {
    TCountOptions o;
    o.Recount = true;
    TCountTotals t;
    return CountMultis(kind, band, *log_, *c_, c_.List, o, nullptr, totals ? totals : &t);
  }
  bool Finds(int kind, char band, const std::string& value) {
    TCountOptions o;
    o.Filter = value;
    return CountMultis(kind, band, *log_, *c_, c_.List, o, nullptr, nullptr) == 1;
  }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_;
  RealContest c_;
  int32_t zeit_ = 0;
};

// The caption that carries each kind, as the contests name their multipliers.
TEST(MultiplierCaptionsTest, KindsMatchTheMultiplierCaptionsOfTheirContests) {
  struct Case {
    char letter;
    int kind;
    int caption;  // 0: none
  };
  const Case cases[] = {
      {'P', 1, 1}, {'X', 1, 2},  {'X', 4, 1}, {'b', 2, 1},  {'k', 2, 1}, {'J', 2, 2},
      {'J', 4, 1}, {'J', 5, 3},  {'H', 4, 1}, {'4', 5, 2},  {'N', 5, 1}, {'D', 10, 3},
      {'R', 10, 2}, {'Z', 12, 2}, {'7', 16, 2}, {'f', 16, 1}, {'u', 18, 1}, {'o', 18, 1},
      {'i', 19, 1}, {'p', 19, 1}, {'k', 19, 2}, {'k', 10, 3}, {'n', 19, 0}, {'E', 2, 0},
  };
  for (const Case& t : cases) {
    const RealContest c = DefineReal(t.letter);
    std::set<int> matched;
    for (int n = 0; n <= 4; ++n)
      if (KindMatchesCaption(t.kind, n, *c)) matched.insert(n);
    const std::set<int> want = t.caption ? std::set<int>{t.caption} : std::set<int>{};
    EXPECT_EQ(matched, want) << t.letter << " kind " << t.kind;
  }
}

// --- kind 1 ---------------------------------------------------------------------

TEST_F(MultipliersTest, PrefixesCountOncePerContestUnderTheirCaption) {
  Use('P');
  Store({.call = "DL1A", .band = 'b', .prefix = "DL1"});
  Store({.call = "DL1B", .band = 'c', .prefix = "DL1"});
  Store({.call = "OE2A", .band = 'b', .prefix = "OE2"});
  Store({.call = "OE2B", .band = 'e', .prefix = "OE2", .marker = 'x'});
  Store({.call = "OK3A", .band = 'e', .prefix = "OK3", .marker = 'x'});  // marked: never
  EXPECT_EQ(Count(1, 'b'), 2);  // contest-wide: DL1 and OE2 from every band
  TCountTotals t;
  EXPECT_EQ(Recount(1, 'b', &t), 2);
  EXPECT_EQ(t.Captions[0], 2);  // "Prefix"
  EXPECT_EQ(t.Captions[1] + t.Captions[2], 0);
  EXPECT_TRUE(Finds(1, 'b', "OE2"));
  EXPECT_FALSE(Finds(1, 'b', "OK3"));
}

// --- kind 2 ---------------------------------------------------------------------

TEST_F(MultipliersTest, DxccCountsGermanyOnlyWithKindThreeAndEuropeOnlyWithKindNine) {
  Store({.call = "DL1A", .dxcc = "DL"});
  Store({.call = "F1A", .dxcc = "F"});
  Store({.call = "W1A", .dxcc = "K", .kontinent = "NA"});
  Store({.call = "W2A", .dxcc = "K", .kontinent = "NA"});
  Use('V');  // DXCC without Germany
  EXPECT_EQ(Count(2, 'b'), 2);
  Use('b');  // DXCC with Germany
  EXPECT_EQ(Count(2, 'b'), 3);
  TCountTotals t;
  EXPECT_EQ(Recount(2, 'b', &t), 3);
  EXPECT_EQ(t.Captions[0], 3);  // "DXCC"
  EXPECT_EQ(t.Qsos, 4);
  Use('E');  // European entities only; its caption "WAE" names no kind
  EXPECT_EQ(Recount(2, 'b', &t), 2);
  EXPECT_EQ(t.Captions[0], 3);
}

// --- kind 4 ---------------------------------------------------------------------

TEST_F(MultipliersTest, DokCountsOncePerBandOrOncePerContest) {
  Store({.call = "DL1A", .band = 'b', .dok = "A01"});
  Store({.call = "DL1B", .band = 'b', .dok = "A01"});
  Store({.call = "DL1C", .band = 'c', .dok = "A01"});
  Store({.call = "DL1D", .band = 'b', .dok = "B02"});
  Store({.call = "DL1E", .band = 'b', .dok = ""});
  Store({.call = "DL1F", .band = 'b', .dok = "C03", .marker = 'c'});  // band-change row
  Use('U');  // per band, every DOK
  EXPECT_EQ(Count(4, 'b'), 2);
  EXPECT_EQ(Count(4, 'c'), 1);
  EXPECT_EQ(Count(4, 'd'), 0);
  Use('O', {.OwnDok = "M05"});  // once per contest
  EXPECT_EQ(Count(4, 'b'), 2);
  EXPECT_EQ(Count(4, 'c'), 2);
}

TEST_F(MultipliersTest, RepeatedDokCountsAgainOnlyInTheFullRecount) {
  // Letter 'L': a DOK of district L may count again, but only the recount
  // visits every QSO; the window's walk jumps past a value it has counted.
  Use('L');
  Store({.call = "DL1A", .dok = "L01"});
  Store({.call = "DL1B", .dok = "L01"});
  Store({.call = "DL1C", .dok = "L02"});
  Store({.call = "DL1D", .dok = "A01"});  // not of district L
  TMultiplierLists lists;
  EXPECT_EQ(Count(4, 'b', &lists), 2);
  ASSERT_EQ(lists.Count(4), 2);
  EXPECT_EQ(lists.Entry(4, 0).Text, "L01     ");
  EXPECT_EQ(Count(4, 'b'), Count(4, 'b'));  // a second recount gives the same
  EXPECT_EQ(Recount(4, 'b'), 3);

  // Letter 'G' (scope 2): again per mode class, in the recount only.
  Use('G');
  Store({.call = "DL2A", .mode = "CW", .dok = "F01"});
  Store({.call = "DL2B", .mode = "SSB", .dok = "F01"});
  Store({.call = "DL2C", .mode = "CW", .dok = "F01"});
  Store({.call = "DL2D", .mode = "SSB", .dok = "Z05"});  // special DOK: weight 1 more
  EXPECT_EQ(Count(4, 'b'), 1 + 2);
  EXPECT_EQ(Recount(4, 'b'), 2 + 2);
}

TEST_F(MultipliersTest, SpecialDokStationsCountEveryValidDok) {
  // Letter 'O': DOKs of district M and the contest's special DOKs count;
  // stations of district M, or with a special DOK themselves, count every
  // valid DOK.
  for (const char* d : {"A01", "B36", "SQ", "M29", "ZZ", "X", "M05", "MFS"})
    Store({.call = std::string("DL") + d, .band = 'c', .dok = d});
  Use('O', {.OwnDok = "Z11"});
  EXPECT_EQ(Count(4, 'c'), 2);  // M05, MFS
  Use('O', {.OwnDok = "M20"});
  EXPECT_EQ(Count(4, 'c'), 5);  // A01, B36, SQ, M05, MFS; not M29, ZZ or X
  Use('O', {.OwnDok = "Z10"});
  EXPECT_EQ(Count(4, 'c'), 5);
  EXPECT_TRUE(Finds(4, 'c', "SQ"));
  EXPECT_FALSE(Finds(4, 'c', "ZZ"));
}

TEST_F(MultipliersTest, DokRulesExcludedBonusListAndDistricts) {
  for (const char* d : {"A01", "B02", "A05", "P07", "M26", "Z15", "DC", "DX"})
    Store({.call = std::string("DL") + d, .dok = d});
  // Letter 'F': its special DOKs or district B.
  Use('F');
  EXPECT_EQ(Count(4, 'b'), 3);  // B02, Z15, DC
  // Letter 'B': its own DOK never counts, districts A and P do.
  Use('B', {.OwnDok = "A05"});
  EXPECT_EQ(c_->ExtraText, "A05");
  EXPECT_EQ(Count(4, 'b'), 2);  // A01, P07
}

TEST_F(MultipliersTest, AnyDokContestsCountSpecialDoksOfEveryDistrict) {
  // Letters 'J' and 'G' count, beside their own district and special DOKs,
  // every other valid DOK that is not a plain district DOK (a letter, then a
  // digit): club and special-event DOKs from anywhere. Non-DOKs never count.
  for (const char* d : {"E05", "F05", "A01", "A1N", "DARC", "HT14", "SQ", "DAR", "UKW10", "X", "M26", "123"})
    Store({.call = std::string("DL") + d, .dok = d});
  Use('J');  // district E and DARC of its own; no bonus weights
  EXPECT_EQ(Count(4, 'b'), 6);  // E05, DARC, HT14, SQ, DAR, UKW10
  EXPECT_EQ(Recount(4, 'b'), 6);
  EXPECT_TRUE(Finds(4, 'b', "DAR"));
  EXPECT_FALSE(Finds(4, 'b', "A01"));
  EXPECT_FALSE(Finds(4, 'b', "X"));
  Use('G');  // district F and HT14 of its own; HT14 weighs 1 more
  EXPECT_EQ(Count(4, 'b'), 1 + 1 + 2 + 1 + 1 + 1);  // F05, DARC, HT14, SQ, DAR, UKW10
  EXPECT_TRUE(Finds(4, 'b', "SQ"));
  EXPECT_FALSE(Finds(4, 'b', "E05"));
  EXPECT_FALSE(Finds(4, 'b', "M26"));
}

// --- kind 5 ---------------------------------------------------------------------

TEST_F(MultipliersTest, LocatorSquaresWithTheirWeights) {
  Store({.call = "DL1A", .band = 'k', .loc = "JO40AB"});
  Store({.call = "DL1B", .band = 'k', .loc = "JO40CD"});
  Store({.call = "DL1C", .band = 'k', .loc = "JO41AA"});
  Store({.call = "DL1D", .band = 'b', .loc = "JO41AA"});
  Use('2');  // each square weighs 2 more
  EXPECT_EQ(Count(5, 'k'), 2 * 3);
  Use('J');  // a square counts on 2 m and 70 cm only
  EXPECT_EQ(Count(5, 'k'), 2);
  EXPECT_EQ(Count(5, 'b'), 0);
  TCountTotals t;
  Recount(5, 'k', &t);
  EXPECT_EQ(t.Captions[2], 2);  // "Loc" is the third caption of 'J'
}

// --- kind 10 --------------------------------------------------------------------

TEST_F(MultipliersTest, CallMultipliersOnlyForTheListedStations) {
  Use('D');
  Store({.call = "DQ0E/P", .band = 'b'});
  Store({.call = "DQ0E", .band = 'b'});
  Store({.call = "DL1ABC", .band = 'b'});
  EXPECT_EQ(Count(10, 'b'), 1);
  TCountTotals t;
  EXPECT_EQ(Recount(10, 'b', &t), 1);
  EXPECT_EQ(t.Captions[2], 1);  // "Callmulti"
  EXPECT_TRUE(Finds(10, 'b', "DQ0E"));
}

// A call worked with a prefix in front is indexed by its home call, which
// may sort after the call as logged ("9A/DL2XYZ" under DL2XYZ): the walk
// must step on past it, neither come back to it nor jump over the calls
// between. The count runs in a child with an alarm, so that a walk that
// never ends fails the test instead of hanging the suite.
TEST_F(MultipliersTest, CallMultipliersWorkedWithAPrefixInFrontAreCountedOnce) {
  const std::pair<char, uint8_t> logs[] = {{'D', 1}, {'h', 1}, {'h', 2}, {'k', 1}, {'R', 1}};
  for (const auto& [letter, klasse] : logs) {
    SCOPED_TRACE(std::string(1, letter) + " class " + std::to_string(klasse));
    log_->DeleteTableFiles();
    Use(letter, {.Klasse = klasse});
    std::vector<std::string> listed;
    for (const auto& s : c_->BonusStations)
      if (!s.empty()) listed.push_back(std::string(s.view()));
    const std::string station = listed.empty() ? "DA0RP" : listed[0];
    // Stored so that each prefixed form's home call sorts after what is
    // logged, and the listed station lies between "DA0AAA" and "F/".
    for (const std::string& call : {std::string("9A/DL2XYZ"), std::string("EW/R1AT"),
                                    std::string("F/DA0AAA"), station, station + "/P", "SP/" + station})
      Store({.call = call, .band = 'b'});
    // Every station counts once where the contest lists none; else only the
    // listed one, worked as itself or portable.
    const int32_t want = listed.empty() ? 4 : 1;

    ForkedChild child;
    ASSERT_TRUE(child.Fork());
    if (child.InChild()) {
      alarm(kHangGuardMs / 1000);
      ForkedChild::OwnConnections();
      log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
      const int32_t window = Count(10, 'b');
      const int32_t recount = Recount(10, 'b');
      const bool found = Finds(10, 'b', station) && !Finds(10, 'b', "DL9NIX");
      _exit(window == want && recount == want && found ? 0 : 1);
    }
    EXPECT_EQ(child.Exit(), 0) << "-1: the walk did not end";
  }
}

// --- kind 12 --------------------------------------------------------------------

TEST_F(MultipliersTest, UsStatesCountOnlyWithTheClubWordInTheExchange) {
  Use('Z');  // the exchange must name the club "IPA"
  Store({.call = "W1A", .dxcc = "K", .kontinent = "NA", .exchange = "599IPA", .area = "MA"});
  Store({.call = "W2A", .dxcc = "K", .kontinent = "NA", .exchange = "599", .area = "NY"});
  Store({.call = "W3A", .dxcc = "K", .kontinent = "NA", .exchange = "599 IPA", .area = "PA"});
  TCountTotals t;
  EXPECT_EQ(Recount(12, 'b', &t), 2);
  EXPECT_EQ(t.Captions[1], 2);  // "US-State"
  EXPECT_EQ(t.Captions[0], 0);
  EXPECT_FALSE(Finds(12, 'b', "NY"));
}

// --- kinds 15, 16 and 19 ---------------------------------------------------------

TEST_F(MultipliersTest, MemberNumbersCountInTheRecountWhereTheEntryStoredThem) {
  Use('7');  // DIG numbers under caption 2
  Store({.call = "DL1A", .dxcc = "F", .call2 = "123", .cmulti2 = "123"});
  Store({.call = "DL1B", .dxcc = "F", .call2 = "456"});  // not new when entered
  Store({.call = "DL1C", .dxcc = "G", .call2 = "789", .cmulti = "F", .cmulti2 = "789"});
  Store({.call = "DL1D", .dxcc = "G", .call2 = "NM", .cmulti2 = "NM"});
  EXPECT_EQ(Count(16, 'b'), 3);  // "NM" never counts
  TCountTotals t;
  EXPECT_EQ(Recount(16, 'b', &t), 2);
  EXPECT_EQ(t.Captions[1], 2);  // "DIG"
  EXPECT_EQ(Recount(2, 'b', &t), 2);
  EXPECT_EQ(t.Captions[0], 2);  // "DXCC"
  EXPECT_EQ(t.Visited, 8);
}

TEST_F(MultipliersTest, DswNumbersMustBeInTheClubList) {
  ASSERT_TRUE(WriteTextFile(dir_.File("dsw.csv"),
                            {"DL1AAA;Hans;Bonn;4711;", "DL2BBB;Anna;Kiel;;", "DL3CCC;Otto;Ulm; 0815"}));
  Use('p');
  Store({.call = "DL1AAA", .call2 = "4711", .cmulti = "4711"});
  Store({.call = "DL3CCC", .call2 = "0815"});
  Store({.call = "DL4DDD", .call2 = "9999", .cmulti = "9999"});
  EXPECT_EQ(Count(19, 'b'), 2);  // 4711 and 0815
  EXPECT_FALSE(Finds(19, 'b', "9999"));
  // The recount trusts what the entry stored as new.
  EXPECT_EQ(Recount(19, 'b'), 2);  // 4711 and 9999
  // Without the list no number counts while entering.
  ASSERT_TRUE(WriteTextFile(dir_.File("dsw.csv"), {"DL9ZZZ;Eva;Hof;1;"}));
  EXPECT_EQ(Count(19, 'b'), 0);
}

TEST_F(MultipliersTest, NavalNumbersNeedAMemberExchange) {
  Use('i');  // bonus text "Naval": a number after the report, not "NM", not a digit first
  Store({.call = "DL1A", .exchange = "599NL123", .call2 = "NL123", .cmulti = "NL123"});
  Store({.call = "DL1B", .exchange = "599123", .call2 = "123", .cmulti = "123"});
  Store({.call = "DL1C", .exchange = "599NM", .call2 = "NM", .cmulti = "NM"});
  Store({.call = "DL1D", .exchange = "599", .call2 = "X1", .cmulti = "X1"});
  EXPECT_EQ(Count(19, 'b'), 1);
  TCountTotals t;
  EXPECT_EQ(Recount(19, 'b', &t), 1);
  EXPECT_EQ(t.Captions[0], 1);  // "Naval"
}

TEST_F(MultipliersTest, ANumberNoCaptionStoresCountsInTheRecountAsInTheWindow) {
  // Letter 'n' counts kind 19 under the caption "IBFD", which names kind
  // 16: the entry stores its numbers nowhere, so the recount counts every
  // number rather than none.
  Use('n');
  Store({.call = "DL1A", .call2 = "12"});
  Store({.call = "DL1B", .call2 = "12"});
  Store({.call = "DL1C", .call2 = "34"});
  EXPECT_EQ(Count(19, 'b'), 2);
  EXPECT_EQ(Recount(19, 'b'), 2);
}

// --- kind 18 --------------------------------------------------------------------

TEST_F(MultipliersTest, DistrictLettersOfTheDok) {
  for (const char* d : {"A01", "A02", "J05", "Z10", "K7", "SQ"})
    Store({.call = std::string("DL") + d, .dok = d});
  Use('u');  // districts A to I and K to Z
  TMultiplierLists lists;
  EXPECT_EQ(Count(18, 'b', &lists), 2);  // A, Z
  ASSERT_EQ(lists.Count(18), 2);
  EXPECT_EQ(lists.Entry(18, 1).Text, "Z");
  TCountTotals t;
  Recount(18, 'b', &t);
  EXPECT_EQ(t.Captions[0], 2);  // "Distrikt"
}

// --- lists and filters ------------------------------------------------------------

TEST_F(MultipliersTest, FilterFindsAValueAndListsFill) {
  Use('X');  // DOKs and prefixes per band
  Store({.call = "DL1A", .dok = "A01", .prefix = "DL1"});
  Store({.call = "OE1A", .dok = "", .prefix = "OE1"});
  Store({.call = "DL2A", .dok = "B02", .prefix = "DL2"});
  Store({.call = "DL2B", .band = 'c', .dok = "C03", .prefix = "DL3"});
  EXPECT_TRUE(Finds(1, 'b', "OE1"));
  EXPECT_FALSE(Finds(1, 'b', "OE2"));
  EXPECT_FALSE(Finds(1, 'b', "DL3"));  // worked on another band

  TMultiplierLists lists;
  EXPECT_EQ(Count(1, 'b', &lists), 3);
  EXPECT_EQ(Count(4, 'b', &lists), 2);
  ASSERT_EQ(lists.Count(1), 3);
  EXPECT_EQ(lists.Entry(1, 0).Text, "DL1 ");
  EXPECT_EQ(lists.Entry(1, 2).Text, "OE1 ");
  ASSERT_EQ(lists.Count(4), 2);
  EXPECT_EQ(lists.Entry(4, 1).Text, "B02     ");
}

TEST(MultiBonusTest, DokWeightsByLetter) {
  TContestRec c;
  c.BonusDoks[0] = "Z16";
  c.BonusDoks[1] = "F05";
  TContestRecord list{};
  auto weight = [&](char letter, const std::string& dok, uint8_t cat = 0, uint8_t districts = 0) {
    rec::SetChar(list.data(), crec::kTyp, letter);
    rec::SetByte(list.data(), crec::kTeilnahmeart, cat);
    rec::SetByte(list.data(), crec::kMitglied, districts);
    TContestQsoRecord q{};
    rec::SetStr(q.data(), qrec::kDOK1, qrec::kDOK1Cap, dok);
    return MultiBonus(4, q, c, list);
  };
  EXPECT_EQ(weight('2', "WN"), 5);
  EXPECT_EQ(weight('2', "A1N"), 2);
  EXPECT_EQ(weight('2', "A01"), 0);
  EXPECT_EQ(weight('1', "NM"), -1);
  EXPECT_EQ(weight('G', "Z16"), 1);
  EXPECT_EQ(weight('G', "F05"), 0);
  EXPECT_EQ(weight('h', "K01", 5), 2);
  EXPECT_EQ(weight('h', "K01", 3), 0);
  EXPECT_EQ(weight('U', "A01", 0, 1), 1);
  EXPECT_EQ(weight('U', "U05", 0, 1), 0);
  EXPECT_EQ(weight('U', "Z16", 0, 0), 1);
  EXPECT_EQ(weight('A', "WN"), 0);
}

TEST(MultiplierListsTest, FullListKeepsItsOrder) {
  TMultiplierLists l;
  for (int i = 0; i < 510; ++i) {
    char t[8];
    std::snprintf(t, sizeof t, "B%03d", i);
    l.Append(4, t);
  }
  ASSERT_EQ(l.Count(4), 500);
  EXPECT_EQ(l.Entry(4, 499).Text, "B499");
  l.InsertNew(4, "A000");  // sorts first: the last entry drops out
  EXPECT_EQ(l.Count(4), 500);
  EXPECT_EQ(l.Entry(4, 0).Text, "A000");
  EXPECT_EQ(l.Entry(4, 0).Status, 1);
  EXPECT_EQ(l.Entry(4, 499).Text, "B498");
  l.InsertNew(4, "C000");  // above every entry of a full list: stays out
  EXPECT_EQ(l.Entry(4, 499).Text, "B498");
  EXPECT_EQ(l.NewText(4), "C000");
  l.MarkWorked(4, "B010 ");
  EXPECT_EQ(l.Entry(4, 11).Status, 2);
  l.InsertNew(4, "B010");  // an entry of the same text only gets the mark
  EXPECT_EQ(l.Entry(4, 11).Status, 1);
  EXPECT_EQ(l.Count(4), 500);
  l.ClearMarks();
  EXPECT_EQ(l.Entry(4, 0).Status, 0);
  EXPECT_EQ(l.NewText(4), "");

  TMultiplierLists s;
  s.Append(1, "DL");
  s.Append(1, "OK");
  s.InsertNew(1, "F");
  EXPECT_EQ(s.Entry(1, 1).Text, "F");
  EXPECT_EQ(s.Entry(1, 2).Text, "OK");
}

TEST(MultiplierKindsTest, CountingBand) {
  EXPECT_EQ(CountingBand('c', 1, 'A', 0), 'c');
  EXPECT_EQ(CountingBand('c', 2, 'A', 1), 'c');
  EXPECT_EQ(CountingBand('c', 1, 'A', 1), 1);
}

}  // namespace
