// The multipliers of the QSO being entered, with the contest definitions of
// the letters whose multiplier fields they fill.
#include <gtest/gtest.h>

#include <QFile>

#include <memory>
#include <string>
#include <vector>

#include "database/dbContest.h"
#include "logentry/rules/newmultis.h"
#include "logentry/multiqso.h"
#include "logentry/realcontest.h"
#include "platform/paths.h"
#include "support/ForkedChild.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 55;

class NewMultisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = std::make_unique<TdbContest>(kContestLog, false, kLog);
    ASSERT_TRUE(log_->IsOpen());
  }
  void TearDown() override { log_.reset(); }

  // The contest of the letter, a log of the given QSOs and the window's
  // lists as its recount fills them for the band.
  void Open(char letter, std::initializer_list<MultiQso> qsos, char band = 'b', const RealLog& log = {}) {
    c_ = DefineReal(letter, log);
    int32_t zeit = 0;
    for (const MultiQso& q : qsos) {
      log_->ClearRecord();
      log_->SetQsoRecord(MakeQso(q, ++zeit));
      ASSERT_TRUE(log_->Add());
    }
    TCountOptions fill;
    fill.FillList = true;
    for (int kind : kCountedKinds) CountMultis(kind, band, *log_, *c_, c_.List, fill, &lists_, nullptr);
  }
  TContestQsoRecord Enter(const MultiQso& q) {
    TContestQsoRecord r = MakeQso(q, 0);
    MarkNewMultis(r, *c_, c_.List, *log_, lists_, counters_);
    return r;
  }
  static std::string Str(const TContestQsoRecord& q, size_t off, size_t cap) {
    return rec::GetStr(q.data(), off, cap);
  }
  static std::string CMulti(const TContestQsoRecord& q) { return Str(q, qrec::kCMulti, qrec::kCMultiCap); }
  static std::string CMulti2(const TContestQsoRecord& q) { return Str(q, qrec::kCMulti2, qrec::kCMulti2Cap); }
  static std::string Call2(const TContestQsoRecord& q) { return Str(q, qrec::kCall2, qrec::kCall2Cap); }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> log_;
  RealContest c_;
  TMultiplierLists lists_;
  TScoreCounters counters_;
};

TEST_F(NewMultisTest, NewValuesGoIntoTheFieldsOfTheirCaptions) {
  // Letter 'D': DOK, DXCC and the club station DQ0E as captions 1 to 3.
  Open('D', {{.call = "DL1A", .band = 'b', .dok = "A01"}, {.call = "DL1B", .band = 'c', .dok = "B02"}});
  auto q = Enter({.call = "DL2X", .band = 'b', .dok = "B02", .call2 = "STALE"});
  EXPECT_EQ(CMulti(q), "B02");  // new on band b
  EXPECT_EQ(CMulti2(q), "");    // DL worked before on b
  EXPECT_EQ(Call2(q), "");      // this letter keeps nothing in Call2
  EXPECT_EQ(counters_.CurBandMultis, 1);
  EXPECT_EQ(counters_.BandMultiCount['b'], 1);
  ASSERT_EQ(lists_.Count(4), 2);
  EXPECT_EQ(lists_.Entry(4, 1).Text, "B02     ");
  EXPECT_EQ(lists_.Entry(4, 1).Status, 1);
  EXPECT_EQ(lists_.Entry(2, 0).Status, 2);
  EXPECT_EQ(lists_.NewText(4), "B02     ");

  auto club = Enter({.call = "DQ0E/P", .band = 'b', .dxcc = "F"});
  EXPECT_EQ(CMulti2(club), "F");
  EXPECT_EQ(Call2(club), "DQ0E");
  EXPECT_EQ(counters_.CurBandMultis, 3);
}

TEST_F(NewMultisTest, ContestWideScopeLooksOnEveryBand) {
  // Letter 'O' for a station of district M: every valid DOK, once per contest.
  Open('O', {{.call = "DL1A", .band = 'c', .dok = "B02"}}, 'b', {.OwnDok = "M05"});
  auto q = Enter({.call = "DL2X", .band = 'b', .dok = "B02", .dxcc = "OK"});
  EXPECT_EQ(CMulti(q), "");  // B02 was worked on c
  EXPECT_EQ(CMulti2(q), "OK");
  EXPECT_EQ(counters_.BandMultiCount[1], 1);
  EXPECT_EQ(counters_.BandMultiCount['b'], 0);
  auto other = Enter({.call = "DL3X", .band = 'b', .dok = "A01", .dxcc = "OK"});
  EXPECT_EQ(CMulti(other), "A01");
}

TEST_F(NewMultisTest, ValuesThatMayNotCountAreLeftAlone) {
  // Letter 'E': entities outside Europe bring nothing.
  Open('E', {});
  auto w = Enter({.call = "W1X", .dxcc = "K", .kontinent = "NA"});
  EXPECT_EQ(counters_.CurBandMultis, 0);
  EXPECT_EQ(CMulti(w), "");
  auto f = Enter({.call = "F1X", .dxcc = "F"});
  EXPECT_EQ(CMulti(f), "");  // "WAE" is no kind's caption
  EXPECT_EQ(counters_.BandMultiCount[1], 1);
}

TEST_F(NewMultisTest, EveryDokOfTheDistrictIsNewForLetterL) {
  Open('L', {{.call = "DL1A", .dok = "L01"}});
  auto q = Enter({.call = "DL3X", .dok = "L01"});
  EXPECT_EQ(CMulti(q), "L01");
  auto a = Enter({.call = "DL4X", .dok = "A01"});
  EXPECT_EQ(CMulti(a), "");  // not of district L
  EXPECT_EQ(counters_.CurBandMultis, 1);
}

TEST_F(NewMultisTest, AnyDokContestMarksASpecialDokOfAnotherDistrictAsNew) {
  Open('J', {{.call = "DL1A", .dok = "E05"}});
  auto dar = Enter({.call = "DL1B", .dok = "DAR"});
  EXPECT_EQ(CMulti(dar), "DAR");
  EXPECT_EQ(lists_.NewText(4), "DAR     ");
  auto district = Enter({.call = "DL1C", .dok = "A01"});
  EXPECT_EQ(CMulti(district), "");
  auto none = Enter({.call = "DL1D", .dok = "ZZ"});
  EXPECT_EQ(CMulti(none), "");
}

TEST_F(NewMultisTest, MemberNumberInCall2IsKept) {
  // Letter 'k': DXCC, QCWA number and club stations as captions 1 to 3; the
  // number stays in Call2 also when the club station is a new multiplier.
  Open('k', {});
  auto q = Enter({.call = "DL0QCW", .dxcc = "DL", .call2 = "12345"});
  EXPECT_EQ(CMulti(q), "DL");
  EXPECT_EQ(CMulti2(q), "12345");
  EXPECT_EQ(Call2(q), "12345");
  EXPECT_EQ(counters_.BandMultiCount[1], 3);
  auto zero = Enter({.call = "DL4X", .dxcc = "DL", .call2 = "0"});
  EXPECT_EQ(Call2(zero), "");
}

TEST_F(NewMultisTest, DistrictUnderTheDokCaptionStoresTheWholeDok) {
  // Letter 'o': DOKs starting with Z count as DOKs, the others by their district.
  Open('o', {}, 'k');
  auto a = Enter({.call = "DL1X", .band = 'k', .dok = "A12"});
  EXPECT_EQ(CMulti(a), "A12");
  EXPECT_EQ(lists_.NewText(18), "A");
  EXPECT_EQ(lists_.NewText(4), "");
  auto z = Enter({.call = "DL2X", .band = 'k', .dok = "Z12"});
  EXPECT_EQ(CMulti(z), "Z12");
  EXPECT_EQ(lists_.NewText(4), "Z12     ");
}

TEST_F(NewMultisTest, UsStateReplacesTheEntity) {
  // Letter 'Z': a QSO with a US state counts the state, not the entity.
  Open('Z', {});
  auto q = Enter({.call = "W1X", .dxcc = "K", .kontinent = "NA", .exchange = "599IPA", .area = "MA"});
  EXPECT_EQ(CMulti(q), "");
  EXPECT_EQ(CMulti2(q), "MA");
  auto f = Enter({.call = "F1X", .dxcc = "F", .exchange = "599IPA"});
  EXPECT_EQ(CMulti(f), "F");
}

// A log with values repeated across bands, modes and continents, empty
// values and values that may not count.
std::vector<TContestQsoRecord> MixedQsos() {
  const char* calls[] = {"DL1AA", "DK2BB", "DQ0E", "F5XY", "W1AW", "JA1XX", "OE3AB", "DL1AA/P", "EA8BB", "DF0XX"};
  const char* dxccs[] = {"DL", "DL", "DL", "F", "K", "JA", "OE", "DL", "EA8", "DL"};
  const char* conts[] = {"EU", "EU", "EU", "EU", "NA", "AS", "EU", "EU", "AF", "EU"};
  const char* doks[] = {"B01", "F05", "Z11", "", "", "", "", "B01", "", "M29", "NM", "X33"};
  const char* locs[] = {"JO31", "JO62", "JN58", "", "FN31", "PM95", "JN88", "JO31", "IL18", "JO40"};
  const char* exchanges[] = {"599", "599001", "59912/JO31", "599B01", "599 ", "599NM", "59933"};
  std::vector<TContestQsoRecord> qsos;
  for (int i = 0; i < 240; ++i) {
    MultiQso q;
    const int c = (i * 7 + i / 13) % 10;
    q.call = calls[c];
    q.dxcc = dxccs[c];
    q.kontinent = conts[c];
    q.prefix = q.call.substr(0, 3);
    q.dok = doks[(i * 5 + i / 7) % 12];
    q.loc = locs[(i * 3 + i / 11) % 10];
    q.band = "bcdg"[(i / 3) % 4];
    q.mode = i % 5 == 0 ? "SSB" : "CW";
    q.exchange = exchanges[i % 7];
    q.area = i % 9 == 0 ? "CA" : "";
    q.call2 = i % 4 == 0 ? std::to_string(100 + i % 17) : "";
    qsos.push_back(MakeQso(q, i + 1));
  }
  return qsos;
}

// The marks of a renumbering done the plain way: every QSO checked against
// a log of all before it.
std::vector<TContestQsoRecord> MarkedOneByOne(const std::vector<TContestQsoRecord>& qsos, const RealContest& c) {
  TdbContest before(kContestLog, false, kLog + 1);
  before.DeleteTableFiles();
  EXPECT_TRUE(before.BeginTransaction());
  std::vector<TContestQsoRecord> marked;
  for (TContestQsoRecord q : qsos) {
    TMultiplierLists lists;
    TScoreCounters counters;
    MarkNewMultis(q, *c, c.List, before, lists, counters);
    marked.push_back(q);
    before.ClearRecord();
    before.SetQsoRecord(q);
    EXPECT_TRUE(before.Add());
  }
  before.RollbackTransaction();
  before.DeleteTableFiles();
  return marked;
}

// The renumbering's preparation keeps only the QSOs that can still change a
// later answer. It must mark every QSO exactly as a check against all the
// QSOs before it does, for letters of every kind of multiplier; the log has
// values repeated across bands, modes and continents, empty values and
// values that may not count.
TEST_F(NewMultisTest, RenumberingMarksAsACheckAgainstEveryEarlierQso) {
  for (char letter : {'4', 'D', 'O', 'o', 'L', 'G', 'X', 'P', 'E', 'k', 'p', 'i', 'Z', 'W', 'N', '7'}) {
    SCOPED_TRACE(std::string("letter ") + letter);
    c_ = DefineReal(letter);
    const std::vector<TContestQsoRecord> qsos = MixedQsos();
    const std::vector<TContestQsoRecord> expected = MarkedOneByOne(qsos, c_);
    const auto prepare = RenumberMultiplierPreparation(*c_, c_.List);
    int marked = 0;
    for (size_t i = 0; i < qsos.size(); ++i) {
      TContestQsoRecord q = qsos[i];
      prepare(q);
      ASSERT_EQ(CMulti(q), CMulti(expected[i])) << i;
      ASSERT_EQ(CMulti2(q), CMulti2(expected[i])) << i;
      ASSERT_EQ(Call2(q), Call2(expected[i])) << i;
      marked += !CMulti(q).empty() || !CMulti2(q).empty();
    }
    if (letter == '4' || letter == 'D' || letter == 'X' || letter == 'W') {
      EXPECT_GT(marked, 0);
    }
  }
}

// Another station on the same program folder renumbers at the same time:
// its scratch QSOs must neither be deleted nor be read as this station's, and
// the preparation leaves no scratch file of its own behind.
TEST_F(NewMultisTest, RenumberingKeepsItsScratchLogToItself) {
  c_ = DefineReal('X');
  const std::vector<TContestQsoRecord> qsos = MixedQsos();
  const std::vector<TContestQsoRecord> expected = MarkedOneByOne(qsos, c_);
  const std::string shared = ProgramDirectory + "ZQLKTEMP.DAT";
  auto prepareAll = [&] {
    const auto prepare = RenumberMultiplierPreparation(*c_, c_.List);
    for (size_t i = 0; i < qsos.size(); ++i) {
      TContestQsoRecord q = qsos[i];
      prepare(q);
      ASSERT_EQ(CMulti(q), CMulti(expected[i])) << i;
      ASSERT_EQ(CMulti2(q), CMulti2(expected[i])) << i;
    }
  };
  prepareAll();
  EXPECT_FALSE(QFile::exists(FileNameToQString(shared)));

  // The other station's scratch log holds every QSO, and it is in the
  // middle of writing more when this station starts.
  ForkedChild other;
  ASSERT_TRUE(other.Fork());
  if (other.InChild()) {
    ForkedChild::OwnConnections();
    TdbContest temp(kContestTemp, false, 0);
    bool ok = temp.BeginTransaction();
    for (const TContestQsoRecord& q : qsos) {
      temp.ClearRecord();
      temp.SetQsoRecord(q);
      ok = ok && temp.Add();
    }
    ok = ok && temp.CommitTransaction() && temp.BeginTransaction();
    TContestQsoRecord more = qsos.front();
    rec::SetInt32(more.data(), qrec::kZeit, 100000);
    temp.ClearRecord();
    temp.SetQsoRecord(more);
    ok = ok && temp.Add();
    other.Tell(ok ? 'W' : '!');
    other.Wait();
    temp.RollbackTransaction();
    // What the station finds in its scratch file when it opens it anew.
    ForkedChild::OwnConnections();
    TdbContest again(kContestTemp, false, 0);
    _exit(again.UsedRecords() == static_cast<int32_t>(qsos.size()) ? 0 : 1);
  }
  ASSERT_EQ(other.Receive(), 'W');
  prepareAll();
  other.Send('D');
  EXPECT_EQ(other.Exit(), 0) << "the other station's scratch log was touched";
}

}  // namespace
