#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "database/setups.h"
#include "logentry/rules/qsopoints.h"
#include "platform/textfile.h"
#include "logentry/multiqso.h"
#include "logentry/realcontest.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 17;

class QsoPointsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    ASSERT_TRUE(log_->IsOpen());
    env_.ContestNumber = kLog;
    env_.ContestFilesDir = dir_.Path();
    env_.OwnLocator = "JO40AA";
    SetList('1', 0);
  }
  void TearDown() override { log_.reset(); }

  void SetList(char letter, int klasse, const std::string& ownDok = "", const std::string& ownCall = "DL9OWN") {
    list_.fill(0);
    rec::SetChar(list_.data(), crec::kTyp, letter);
    rec::SetByte(list_.data(), crec::kTeilnahmeart, static_cast<uint8_t>(klasse));
    rec::SetStr(list_.data(), crec::kDok, crec::kDokCap, ownDok);
    rec::SetStr(list_.data(), crec::kCall, crec::kCallCap, ownCall);
  }

  // Stores the QSO in the log and gives back the stored record (with its number).
  TContestQsoRecord Store(const MultiQso& q) {
    log_->ClearRecord();
    log_->SetQsoRecord(MakeQso(q, ++zeit_));
    EXPECT_TRUE(log_->Add()) << q.call;
    TContestQsoRecord back;
    log_->GetQsoRecord(back);
    return back;
  }
  // Stores the QSO and scores it as the log window would after the save.
  int32_t Score(const MultiQso& q) { return QsoPoints(contest_, list_, Store(q), env_); }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_;
  TContestRec contest_;
  TContestRecord list_{};
  TQsoPointsEnv env_;
  int32_t zeit_ = 0;
};

TEST(QsoPointsShared, ClubStationsByTheFormOfTheCall) {
  EXPECT_TRUE(IsClubStation("DL0ABC"));
  EXPECT_TRUE(IsClubStation("DR1A"));
  EXPECT_TRUE(IsClubStation("DQ2024X"));
  EXPECT_TRUE(IsClubStation("DP0EPO"));
  EXPECT_TRUE(IsClubStation("DA1X"));
  EXPECT_TRUE(IsClubStation("DM5Z"));
  EXPECT_FALSE(IsClubStation("DM0AB"));
  EXPECT_FALSE(IsClubStation("DS1X"));
  EXPECT_FALSE(IsClubStation("DL1ABC"));
  EXPECT_FALSE(IsClubStation("DP0XYZ"));
  EXPECT_FALSE(IsClubStation("OK0AB"));
  EXPECT_FALSE(IsClubStation("D0"));
}

TEST(QsoPointsShared, RingDistanceCountsBigSquares) {
  EXPECT_EQ(RingDistance("JO40AA", "JO40XX"), 1);
  EXPECT_EQ(RingDistance("JO40", "JO41"), 2);
  EXPECT_EQ(RingDistance("JO40", "JN39"), 2);
  EXPECT_EQ(RingDistance("JO40", "JO50"), 2);
  EXPECT_EQ(RingDistance("JO40", "JO44"), 5);
  EXPECT_EQ(RingDistance("JO40", "KO40"), 11);
  EXPECT_EQ(RingDistance("jo40", "JO41"), 2);
}

TEST(QsoPointsShared, DokTestsCompareTheWholeDok) {
  TContestRec c;
  c.BonusDoks[42] = "DARC";
  c.BonusDistricts[0] = 'F';
  c.BonusDistricts[1] = 'Z';
  TContestRecord list{};
  rec::SetStr(list.data(), crec::kDok, crec::kDokCap, "F05");
  const auto qso = [](const std::string& dok) { MultiQso q; q.dok = dok; return MakeQso(q, 1); };
  EXPECT_TRUE(DokInBonusList(qso("DARC"), c));
  EXPECT_FALSE(DokInBonusList(qso("DAR"), c));
  EXPECT_FALSE(DokInBonusList(qso(""), c));  // empty entries never match
  EXPECT_TRUE(DokInBonusDistrict(qso("F12"), c));
  EXPECT_TRUE(DokInBonusDistrict(qso("Z99"), c));
  EXPECT_FALSE(DokInBonusDistrict(qso("F1"), c));
  EXPECT_FALSE(DokInBonusDistrict(qso("F1A"), c));
  EXPECT_FALSE(DokInBonusDistrict(qso("A12"), c));
  EXPECT_FALSE(DokInBonusDistrict(qso("F123"), c));
  EXPECT_TRUE(SameDokAsOwn(qso("F05"), list));
  EXPECT_FALSE(SameDokAsOwn(qso("F051"), list));
  EXPECT_EQ(PartnerDok(qso("SONDER75")), "SONDER75");
  TContestRecord noDok{};
  EXPECT_FALSE(SameDokAsOwn(qso(""), noDok));
}

struct RuleCase {
  char letter;
  int klasse;
  MultiQso qso;
  int32_t points;
};

// Rules that look only at the QSO, the contest and the own station.
TEST_F(QsoPointsTest, RulesByLetter) {
  contest_.BonusDoks[0] = "SQ";
  contest_.BonusDoks[1] = "DARC";
  contest_.BonusDoks[2] = "Z60";
  contest_.BonusDistricts[0] = 'F';
  contest_.CheckDoks[5] = "H20";
  contest_.MemberClub2 = "IPA";
  const RuleCase cases[] = {
      {'1', 0, {}, 1},
      {'v', 0, {}, 1},
      {'D', 0, {}, 2},
      {'8', 0, {.qrb = 345}, 345},
      {'M', 0, {}, 0},  // no rule for this letter
      {'2', 0, {}, 1},
      {'2', 0, {.call = "DL0XYZ"}, 2},
      {'2', 0, {.call = "DL0XYZ", .dok = "B3N"}, 3},
      {'2', 0, {.call = "DF0WN"}, 6},
      {'3', 0, {.call = "DK0AB"}, 5},
      {'3', 0, {.call = "DF0WN"}, 10},
      {'4', 0, {.exchange = "599 12"}, 1},
      {'4', 0, {.exchange = "599 12/3456"}, 2},
      {'4', 0, {.exchange = "599 12/"}, 1},
      {'6', 0, {.exchange = "599NM"}, 1},
      {'6', 0, {.exchange = "599"}, 1},
      {'6', 0, {.exchange = "599 25"}, 5},
      {'7', 0, {.exchange = "599"}, 1},
      {'7', 0, {.exchange = "5990"}, 1},
      {'7', 0, {.exchange = "599NM12"}, 1},
      {'7', 0, {.exchange = "599 12"}, 10},
      {'7', 3, {.qrb = 77, .exchange = "599 12"}, 77},
      {'9', 0, {.call = "DL1ABC/P"}, 4},
      {'9', 0, {.call = "K1ABC/M", .kontinent = "NA"}, 6},
      {'9', 0, {}, 2},
      {'9', 0, {.kontinent = "AS"}, 3},
      {'9', 6, {}, 0},
      {'A', 0, {.call = "DL0DA"}, 2},
      {'A', 0, {.call = "DL0DB"}, 1},
      {'B', 0, {.dok = "F05"}, 0},
      {'B', 2, {.qrb = 55}, 55},
      {'B', 4, {.dok = "F05"}, 1},
      {'B', 4, {}, 2},
      {'B', 1, {}, 1},
      {'C', 1, {.dok = "F12"}, 3},
      {'C', 4, {.dok = "SQ"}, 3},
      {'C', 1, {.dok = "B12"}, 1},
      {'C', 2, {}, 3},
      {'E', 0, {.qrb = 120}, 120},
      {'E', 0, {.kontinent = "AS", .qrb = 120}, 0},
      {'F', 3, {.dok = "F05", .qrb = 50}, 0},
      {'F', 3, {.qrb = 50}, 50},
      {'F', 1, {.qrb = 50}, 1},
      {'I', 0, {.call = "DL0ABC", .dok = "I05"}, 2},
      {'I', 0, {.dok = "I05"}, 1},
      {'J', 0, {.band = 'k', .qrb = 300}, 300},
      {'J', 0, {.qrb = 300}, 1},
      {'L', 0, {.call = "DL0XY"}, 5},
      {'L', 0, {.call = "DK0RYL"}, 10},
      {'L', 0, {.call = "DL0XY", .dok = "DVL"}, 20},
      {'L', 0, {.call = "DL0GC"}, 45},
      {'L', 0, {.call = "DQ4L"}, 60},
      {'L', 0, {.call = "DL65DARC"}, 65},
      {'Q', 0, {}, 1},
      {'Q', 0, {.dok = "F12"}, 5},
      {'Q', 0, {.call = "DL0ABC", .dok = "F12"}, 10},
      {'Q', 0, {.call = "DN1AB", .dok = "F12"}, 10},
      {'Q', 0, {.dok = "SQ"}, 10},
      {'Q', 0, {.call = "DL0ABC"}, 1},
      {'R', 1, {}, 3},
      {'R', 11, {}, 3},
      {'R', 3, {}, 1},
      {'R', 12, {}, 1},
      {'R', 1, {.dok = "F05"}, 0},
      {'V', 8, {.dok = "F12"}, 1},
      {'V', 9, {}, 0},
      {'V', 1, {.dok = "DARC"}, 3},
      {'V', 1, {}, 1},
      {'Y', 0, {.call = "DK0Z", .dok = "F05"}, 10},
      {'Y', 0, {.dok = "F05"}, 0},
      {'Y', 0, {.dok = "F12"}, 5},
      {'Y', 0, {.dok = "H20"}, 5},
      {'Y', 0, {.dok = "H21"}, 1},
      {'Z', 0, {.exchange = "599 IPA 12"}, 5},
      {'Z', 0, {.exchange = "599 12"}, 1},
      {'c', 0, {.mode = "FM"}, 2},
      {'c', 0, {.mode = "SSB"}, 4},
      {'c', 0, {.mode = "CW"}, 6},
      {'c', 0, {.mode = "RTTY"}, 1},
      {'d', 0, {.dok = "F05"}, 0},
      {'d', 0, {.call = "DL0ABC", .dok = "F12"}, 3},
      {'d', 0, {.call = "DA1X", .dok = "F12"}, 3},
      {'d', 0, {.dok = "F12"}, 2},
      {'d', 0, {.call = "DL0ABC"}, 1},
      {'e', 0, {.loc = "JO40XX"}, 1},
      {'e', 0, {.loc = "JO41"}, 2},
      {'e', 0, {}, 0},
      {'e', 0, {.dok = "DARC", .loc = "JO41AB"}, 12},
      {'e', 0, {.dok = "Z60", .loc = "JO41AB"}, 2},  // a regular DOK earns no bonus
      {'g', 0, {.dok = "F05", .loc = "JO41"}, 0},
      {'h', 0, {.band = 'm'}, 2},
      {'h', 0, {}, 1},
      {'h', 0, {.band = 'm', .dok = "F05"}, 0},
      {'i', 0, {.exchange = "599NM"}, 1},
      {'i', 0, {.exchange = "599"}, 1},
      {'i', 0, {.exchange = "5991A"}, 1},
      {'i', 0, {.exchange = "599AB"}, 10},
      {'k', 0, {.exchange = "59912345"}, 10},
      {'k', 0, {.exchange = "599 12"}, 1},
      {'k', 0, {.call = "DK0QCW"}, 10},
      {'l', 0, {.call = "DL0ABC", .dok = "I05"}, 2},
      {'l', 0, {.dok = "DARC"}, 2},
      {'l', 0, {.dok = "F12"}, 1},
      {'o', 0, {.call = "DA0Z"}, 2},
      {'o', 0, {.call = "DA0ZZ"}, 1},
      {'q', 1, {.exchange = "599 12/A"}, 9},
      {'q', 2, {.exchange = "599 12/B"}, 4},
      {'q', 7, {.exchange = "599 12/C"}, 2},
      {'q', 4, {.exchange = "599 12/A"}, 0},
      {'q', 1, {.exchange = "599 12/D"}, 0},
      {'q', 1, {.exchange = "599 A"}, 0},
      {'s', 0, {.exchange = "599 12/A"}, 2},
      {'s', 0, {.exchange = "599 12/B"}, 1},
      {'u', 0, {.call = "DO1AB"}, 2},
      {'u', 0, {.call = "DN1AB"}, 2},
      {'u', 0, {}, 1},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "letter " << c.letter << " class " << c.klasse << " call " << c.qso.call
                                    << " exchange " << c.qso.exchange << " dok " << c.qso.dok);
    SetList(c.letter, c.klasse, "F05");
    EXPECT_EQ(Score(c.qso), c.points);
  }
}

TEST_F(QsoPointsTest, NavalMembersScoreTenUnlessNoNumberOrNM) {
  // Letter 'i': 10 for a member exchange; 1 when nothing follows the report,
  // when it is "NM" or when it starts with a digit.
  const RealContest naval = DefineReal('i');
  contest_ = *naval;
  list_ = naval.List;
  EXPECT_EQ(Score({.exchange = "599NL123"}), 10);
  EXPECT_EQ(Score({.exchange = "599 "}), 10);
  EXPECT_EQ(Score({.exchange = "599"}), 1);
  EXPECT_EQ(Score({.exchange = "599NM"}), 1);
  EXPECT_EQ(Score({.exchange = "5991234"}), 1);
}

TEST_F(QsoPointsTest, ListenerLogCountsOneForLetterC) {
  contest_.SwlLog = true;
  SetList('C', 2);
  EXPECT_EQ(Score({}), 1);
}

TEST_F(QsoPointsTest, MarkedDuplicatesAndShortCallsScoreNothing) {
  SetList('L', 0);
  EXPECT_EQ(Score({.call = "DL0GC"}), 45);
  EXPECT_EQ(Score({.call = "DL0GC", .dupe = 255}), 0);
  SetList('1', 0);
  EXPECT_EQ(Score({.call = "DL"}), 0);
  EXPECT_EQ(Score({.call = "DL1"}), 1);
}

TEST_F(QsoPointsTest, MembershipYears) {
  struct Years {
    char letter;
    MultiQso qso;
    int32_t points;
  };
  const Years cases[] = {
      {'5', {.exchange = "599 3"}, 10},
      {'5', {.exchange = "599 25"}, 25},
      {'5', {.exchange = "59925J"}, 25},
      {'5', {.exchange = "599 00"}, 100},
      {'5', {.exchange = "599NM"}, 10},
      {'5', {.exchange = "599xx"}, 10},
      {'5', {.exchange = "599"}, 10},
      {'5', {.call = "DN1XY", .exchange = "599 3"}, 100},
      {'5', {.call = "DL65DARC", .exchange = "599 3"}, 100},
      {'5', {.call = "DK0XY", .exchange = "599 40"}, 10},
      {'P', {.exchange = "599 30"}, 30},
      {'P', {.call = "DL65DARC", .exchange = "599 3"}, 10},
      {'P', {.call = "DF0XY", .exchange = "599 00"}, 10},
  };
  for (const Years& c : cases) {
    SCOPED_TRACE(testing::Message() << c.letter << " " << c.qso.call << " " << c.qso.exchange);
    SetList(c.letter, 0);
    EXPECT_EQ(Score(c.qso), c.points);
  }
}

TEST_F(QsoPointsTest, LicenceDateRuleByOwnCallAndClass) {
  SetList('W', 7);
  EXPECT_EQ(Score({.dxcc = "OK"}), 0);
  EXPECT_EQ(Score({.mode = "CW"}), 3);
  EXPECT_EQ(Score({.mode = "SSB"}), 1);
  SetList('W', 1, "", "DL1OWN");
  EXPECT_EQ(Score({}), 1);
  EXPECT_EQ(Score({.dxcc = "IT9", .wae = 255}), 3);
  EXPECT_EQ(Score({.dxcc = ""}), 0);
  EXPECT_EQ(Score({.dxcc = "W"}), 5);
  for (const char* own : {"OE1OWN", "DI1OWN", "DS1OWN"}) {
    SCOPED_TRACE(own);
    SetList('W', 1, "", own);
    EXPECT_EQ(Score({}), 3);
    EXPECT_EQ(Score({.dxcc = "W"}), 0);
  }
}

TEST_F(QsoPointsTest, SameDokCountsOnlyOnceWhereTheRuleSearchesTheLog) {
  SetList('K', 1, "F05");
  EXPECT_EQ(Score({.dok = "F05"}), 1);
  EXPECT_EQ(Score({.call = "DL2ABC", .dok = "F05"}), 0);
  EXPECT_EQ(Score({.call = "DL3ABC", .dok = "F06"}), 1);
  SetList('U', 1, "F06");
  EXPECT_EQ(Score({.call = "DL4ABC", .dok = "F06"}), 0);
  SetList('G', 5, "F05");
  EXPECT_EQ(Score({.call = "DL5ABC", .dok = "F05", .qrb = 40}), 0);
  EXPECT_EQ(Score({.call = "DL6ABC", .dok = "F07", .qrb = 40}), 40);
  SetList('G', 1, "F05");
  EXPECT_EQ(Score({.call = "DL6ABC", .dok = "F07", .qrb = 40}), 1);
  // The first QSO with the own DOK keeps its point in a recount.
  TContestQsoRecord first;
  ASSERT_TRUE(log_->FindDok("F05"));
  log_->GetQsoRecord(first);
  SetList('K', 1, "F05");
  EXPECT_EQ(QsoPoints(contest_, list_, first, env_), 1);
}

TEST_F(QsoPointsTest, SquareBonusForMicrowaveDistance) {
  SetList('N', 0);
  EXPECT_EQ(Score({.band = 'k', .loc = "JO40AB", .qrb = 2500}), 2500);
  EXPECT_EQ(Score({.band = 'k', .loc = "JO40CD", .qrb = 300}), 800);  // also the second in the square
  EXPECT_EQ(Score({.band = 'n', .loc = "JO50AA", .qrb = 100}), 700);
  EXPECT_EQ(Score({.band = 's', .loc = "JN59AA", .qrb = 10}), 560);
  EXPECT_EQ(Score({.band = 'r', .loc = "JO60AA", .qrb = 100}), 0);
  EXPECT_EQ(Score({.band = 'b', .loc = "JO60AA", .qrb = 100}), 0);

  // QSOs not in the log: number 0 gets no bonus; an unknown number gets it
  // when another square follows, not when the walk runs off the band's end.
  MultiQso q{.band = 'k', .loc = "JO40AB", .qrb = 2500};
  TContestQsoRecord r = MakeQso(q, 9999);
  EXPECT_EQ(QsoPoints(contest_, list_, r, env_), 2000);
  rec::SetInt32(r.data(), qrec::kNummer, 99999);
  EXPECT_EQ(QsoPoints(contest_, list_, r, env_), 2500);  // band 'n' follows in the index
  rec::SetStr(r.data(), qrec::kLoc, qrec::kLocCap, "JO30AA");
  EXPECT_EQ(QsoPoints(contest_, list_, r, env_), 2500);  // nothing in the square itself
  // Band 's' ends the index: walking its last square never meets the QSO.
  rec::SetChar(r.data(), qrec::kBandcode, 's');
  rec::SetStr(r.data(), qrec::kLoc, qrec::kLocCap, "JN59ZZ");
  rec::SetInt32(r.data(), qrec::kQrb, 10);
  EXPECT_EQ(QsoPoints(contest_, list_, r, env_), 60);
}

TEST_F(QsoPointsTest, NewDxccAndNewDokOnTheVhfBands) {
  SetList('O', 0);
  EXPECT_EQ(Score({.band = 'k', .dxcc = "OK", .qrb = 100}), 200);
  EXPECT_EQ(Score({.call = "OK2AB", .band = 'k', .dxcc = "OK", .qrb = 100}), 100);
  EXPECT_EQ(Score({.call = "OK3AB", .band = 'l', .dxcc = "OK", .qrb = 100}), 200);
  EXPECT_EQ(Score({.call = "OK3AB", .band = 'b', .dxcc = "OK", .qrb = 100}), 1);
  EXPECT_EQ(Score({.band = 'k', .dok = "F05", .qrb = 10}), 210);
  EXPECT_EQ(Score({.call = "DL2ABC", .band = 'k', .dok = "F05", .qrb = 10}), 10);
  EXPECT_EQ(Score({.call = "DL3ABC", .band = 'k', .dok = "F06", .qrb = 10}), 110);

  // A first QSO marked as a duplicate does not make the DXCC old: the next
  // one is new, and the one after that is not.
  EXPECT_EQ(Score({.call = "SP1AB", .band = 'k', .dxcc = "SP", .qrb = 5, .dupe = 255}), 0);
  EXPECT_EQ(Score({.call = "SP2AB", .band = 'k', .dxcc = "SP", .qrb = 5}), 105);
  EXPECT_EQ(Score({.call = "SP3AB", .band = 'k', .dxcc = "SP", .qrb = 5}), 5);
}

TEST_F(QsoPointsTest, ClubListDecidesTheMemberPoints) {
  ASSERT_TRUE(WriteTextFile(dir_.File("dsw.csv"), {"DK1XX;Fritz;a;", "DL1ABC;Hans;Hamburg;1234;",
                                                     "DL2ABC;Anna;Bonn;1234", "DL3ABC;Otto;Kiel;;"}));
  SetList('p', 1);
  EXPECT_EQ(Score({.exchange = "599 1234"}), 3);
  EXPECT_EQ(Score({.call = "DL1ABC/P", .exchange = "599 1234"}), 3);
  EXPECT_EQ(Score({.call = "DL2ABC", .exchange = "599 1234"}), 2);
  EXPECT_EQ(Score({.call = "DL3ABC", .exchange = "599 1234"}), 2);
  EXPECT_EQ(Score({.call = "DL4ABC", .exchange = "599 1234"}), 2);
  EXPECT_EQ(Score({.exchange = "599"}), 1);
  EXPECT_EQ(Score({.call = "DL0DSW"}), 5);
  SetList('p', 3);
  EXPECT_EQ(Score({.qrb = 321, .exchange = "599 1234"}), 321);
  SetList('p', 5);
  EXPECT_EQ(Score({.exchange = "599 1234"}), 1);
  // An edited list counts at once.
  ASSERT_TRUE(WriteTextFile(dir_.File("dsw.csv"), {"DL2ABC;Anna;Bonn;1234;"}));
  SetList('p', 1);
  EXPECT_EQ(Score({.call = "DL2ABC", .exchange = "599 1234"}), 3);
  EXPECT_EQ(Score({.exchange = "599 1234"}), 2);
  env_.ContestFilesDir = dir_.Path() + "missing/";
  SetList('p', 0);
  EXPECT_EQ(Score({.exchange = "599 1234"}), 2);
}

class RejectArea : public TDokAreaCheck {
 public:
  bool CheckDok(std::string_view dok) override {
    asked.emplace_back(dok);
    return dok != "XX";
  }
  std::vector<std::string> asked;
};

TEST_F(QsoPointsTest, AreaRuleAsksTheWindowsAreaCheck) {
  RejectArea area;
  env_.AreaCheck = &area;
  SetList('H', 0);
  EXPECT_EQ(Score({.call = "4X1AB", .band = 'b', .dok = "TA", .dxcc = "4X"}), 2);
  EXPECT_EQ(Score({.call = "4X1AB", .band = 'e', .dok = "TA", .dxcc = "4X"}), 1);
  EXPECT_EQ(Score({.call = "4X1AB", .band = 'b', .dok = "XX", .dxcc = "4X"}), 0);
  EXPECT_EQ(Score({.call = "DL1AB", .dok = "TA"}), 0);
  EXPECT_EQ(area.asked, (std::vector<std::string>{"TA", "TA", "XX"}));
}

TEST_F(QsoPointsTest, TablesAndSettingsFeedTheRules) {
  ToSetupStation station{};
  rec::SetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO41AA");
  ToSetups.SetStation(station);
  TdbContest listTable(kContestList, false, 0);
  ASSERT_TRUE(listTable.IsOpen());
  SetList('e', 0);
  listTable.ClearRecord();
  listTable.SetContestRecord(list_);
  ASSERT_TRUE(listTable.Add());
  Store({.loc = "JO43AA"});
  EXPECT_EQ(QsoPoints(contest_, listTable, *log_), 3);
  ToSetups.Reset();
}

}  // namespace
