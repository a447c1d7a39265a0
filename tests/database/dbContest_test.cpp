// The contest database on real tables in a temporary program directory.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "platform/paths.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int32_t kLog = 7;

// One QSO as the test generates it; the generated values spread over every
// key so that searches meet equal values, gaps and band borders.
struct Qso {
  std::string call, mode, dok, dxcc, prefix, loc, area, call2;
  char band;
  int32_t datum, zeit, bandNr, bandNrIntern, wagNummer, modeNr;
  int32_t nummer = 0;  // as assigned on insert
};

std::vector<Qso> MakeQsos(int n) {
  static const char bands[] = {'a', 'b', 'c', 'k'};
  static const char* modes[] = {"CW", "SSB", "FM"};
  static const char* dxccs[] = {"DL", "F", "G", "OE", "SP", "I"};
  static const char* areas[] = {"14", "15", "16", "05"};
  std::vector<Qso> v;
  int perBand[4] = {0, 0, 0, 0};
  int perMode[3] = {0, 0, 0};
  for (int i = 0; i < n; ++i) {
    Qso q;
    const int b = (i * 7) % 4, m = (i / 3) % 3;
    q.band = bands[b];
    q.mode = modes[m];
    q.call = "DL" + std::to_string(i % 9 + 1) + std::string(1, 'A' + i % 26) +
             std::string(1, 'A' + (i / 26) % 26) + std::string(1, 'A' + (i * 5) % 26);
    q.dok = i % 5 == 0 ? "" : std::string(1, 'A' + i % 12) + ToStrings.IntToStrZero(i % 30, 2);
    q.dxcc = dxccs[i % 6];
    q.prefix = q.dxcc + std::to_string(i % 10);
    q.loc = "JO" + std::to_string(30 + i % 7) + std::string(1, 'A' + i % 24) + "B";
    q.area = areas[i % 4];
    q.call2 = i % 4 == 0 ? "" : "M" + std::to_string(1000 + (i * 37) % 500);
    q.datum = 155000 + i / 100;
    q.zeit = (i * 61) % 86400;
    q.bandNr = q.bandNrIntern = ++perBand[b];
    q.wagNummer = i + 1;
    q.modeNr = ++perMode[m];
    v.push_back(q);
  }
  return v;
}

void ToRecord(const Qso& q, TContestQsoRecord& r) {
  r.fill(0);
  uint8_t* p = r.data();
  using namespace qrec;
  rec::SetStr(p, kCall, kCallCap, q.call);
  rec::SetStr(p, kMode, kModeCap, q.mode);
  rec::SetStr(p, kDOK1, kDOK1Cap, q.dok.substr(0, std::min<size_t>(6, q.dok.size())));
  if (q.dok.size() > 6) rec::SetStr(p, kDOK2, kDOK2Cap, q.dok.substr(6));
  rec::SetStr(p, kDXCC, kDXCCCap, q.dxcc);
  rec::SetStr(p, kPrefix, kPrefixCap, q.prefix);
  rec::SetStr(p, kLoc, kLocCap, q.loc);
  rec::SetStr(p, kWazUsStaat, kWazUsStaatCap, q.area);
  rec::SetStr(p, kCall2, kCall2Cap, q.call2);
  rec::SetChar(p, kBandcode, q.band);
  rec::SetInt32(p, kDatum, q.datum);
  rec::SetInt32(p, kZeit, q.zeit);
  rec::SetInt32(p, kWagBandNr, q.bandNr);
  rec::SetInt32(p, kWagBandNrIntern, q.bandNrIntern);
  rec::SetInt32(p, kWagNummer, q.wagNummer);
  rec::SetUInt16(p, kModeNr, static_cast<uint16_t>(q.modeNr));
}

int32_t WagNummerOf(const TdbContest& t) {
  TContestQsoRecord r;
  t.GetQsoRecord(r);
  return rec::GetInt32(r.data(), qrec::kWagNummer);
}

// The test's own idea of "the first QSO at or after a value": the smallest
// value not below the asked one, the earliest inserted among equals.
std::optional<int32_t> Expected(const std::vector<Qso>& qsos, const std::function<bool(const Qso&)>& in,
                                const std::function<std::string(const Qso&)>& value,
                                const std::string& from) {
  const Qso* best = nullptr;
  for (const Qso& q : qsos) {
    if (!in(q) || value(q) < from) continue;
    if (best == nullptr || value(q) < value(*best)) best = &q;
  }
  if (best == nullptr) return std::nullopt;
  return best->wagNummer;
}

std::string Pad(const std::string& s, size_t n) { return s + std::string(n > s.size() ? n - s.size() : 0, ' '); }

class ContestLogTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    qsos_ = MakeQsos(300);
    log_ = std::make_unique<TdbContest>(kContestLog, Detached(), kLog);
    ASSERT_TRUE(log_->IsOpen());
    ASSERT_TRUE(log_->BeginTransaction());
    for (Qso& q : qsos_) {
      TContestQsoRecord r;
      ToRecord(q, r);
      log_->ClearRecord();
      log_->SetQsoRecord(r);
      ASSERT_TRUE(log_->Add()) << q.call;
      TContestQsoRecord back;
      log_->GetQsoRecord(back);
      q.nummer = rec::GetInt32(back.data(), qrec::kNummer);
    }
    ASSERT_TRUE(log_->CommitTransaction());
  }
  bool Detached() const { return GetParam(); }

  // Checks a search against the test's expectation (nullopt: nothing found).
  // band: a search behind a band code may run on into the next band when
  // its own band has nothing at or after the value.
  void Check(bool found, std::optional<int32_t> expected, const std::string& what, char band = 0) {
    if (!expected) {
      if (band != 0 && found)
        EXPECT_NE(log_->GetBandcode(), band) << what;
      else
        EXPECT_FALSE(found) << what;
      return;
    }
    ASSERT_TRUE(found) << what;
    EXPECT_EQ(WagNummerOf(*log_), *expected) << what;
  }

  TempProgramDir dir_;
  std::vector<Qso> qsos_;
  std::unique_ptr<TdbContest> log_;
};

TEST_P(ContestLogTest, AddAssignsDistinctNumbersAndUniqueDateTimeRefusesASecondEntry) {
  EXPECT_EQ(log_->UsedRecords(), 300);
  std::vector<int32_t> numbers;
  for (const Qso& q : qsos_) numbers.push_back(q.nummer);
  std::sort(numbers.begin(), numbers.end());
  EXPECT_GT(numbers.front(), 0);
  EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end());

  // Key 1 "Datum,Zeit" allows no duplicates: the caller retries a second later.
  TContestQsoRecord r;
  ToRecord(qsos_[10], r);
  log_->ClearRecord();
  log_->SetQsoRecord(r);
  EXPECT_FALSE(log_->Add());
  EXPECT_EQ(log_->UsedRecords(), 300);
}

TEST_P(ContestLogTest, CallSearchesUseTheHomeCallPaddedTo14) {
  const Qso& q = qsos_[123];
  ASSERT_TRUE(log_->FindCall(q.call));
  EXPECT_EQ(log_->GetCall(), q.call);
  EXPECT_FALSE(log_->FindCall(q.call.substr(0, q.call.size() - 1)));  // exact only

  // A portable or prefixed call finds its home call.
  EXPECT_TRUE(log_->FindCall(q.call + "/P"));
  EXPECT_TRUE(log_->FindCall("ea8/" + q.call));
  EXPECT_TRUE(log_->FindBandCallMode(q.band, q.call + "/P", q.mode));

  EXPECT_FALSE(log_->FindBandCallMode(q.band, q.call, q.mode == "CW" ? "SSB" : "CW"));
  Check(log_->SearchCall("DL5"), Expected(qsos_, [](const Qso&) { return true; },
                                          [](const Qso& x) { return Pad(x.call, 14); }, Pad("DL5", 14)),
        "SearchCall");
  Check(log_->SearchBandCallMode('b', "DL3M"),
        Expected(qsos_, [](const Qso& x) { return x.band == 'b'; },
                 [](const Qso& x) { return Pad(x.call, 14) + Pad(x.mode, 6); }, Pad("DL3M", 14)),
        "SearchBandCallMode");
  // An empty call gives the band's first record on that key.
  Check(log_->SearchBandCallMode('k', ""),
        Expected(qsos_, [](const Qso& x) { return x.band == 'k'; },
                 [](const Qso& x) { return Pad(x.call, 14) + Pad(x.mode, 6); }, ""),
        "SearchBandCallMode empty");
  EXPECT_FALSE(log_->SearchBandCallMode('z', ""));
}

TEST_P(ContestLogTest, ValueSearchesFindTheFirstRecordAtOrAfterThePaddedValue) {
  auto all = [](const Qso&) { return true; };
  auto dok = [](const Qso& x) { return Pad(x.dok, 8); };
  Check(log_->SearchDok("C1"), Expected(qsos_, all, dok, Pad("C1", 8)), "SearchDok");
  Check(log_->SearchDxcc("G"), Expected(qsos_, all, [](const Qso& x) { return Pad(x.dxcc, 6); }, Pad("G", 6)),
        "SearchDxcc");
  Check(log_->SearchPrefix("OE3"),
        Expected(qsos_, all, [](const Qso& x) { return Pad(x.prefix, 6); }, Pad("OE3", 6)), "SearchPrefix");
  Check(log_->SearchLoc("JO33"),
        Expected(qsos_, all,
                 [](const Qso& x) { return Pad(x.loc, 6) + ToStrings.IntToStrZero(x.datum, 8) +
                                           ToStrings.IntToStrZero(x.zeit, 6); },
                 Pad("JO33", 6)),
        "SearchLoc");
  Check(log_->SearchWazState("15"), Expected(qsos_, all, [](const Qso& x) { return x.area; }, "15"),
        "SearchWazState");
  Check(log_->SearchCall2("M12"),
        Expected(qsos_, all, [](const Qso& x) { return Pad(x.call2, 12); }, Pad("M12", 6)), "SearchCall2");
  EXPECT_FALSE(log_->SearchDxcc("ZZ"));

  const Qso& q = qsos_[77];
  ASSERT_FALSE(q.dok.empty());
  ASSERT_TRUE(log_->FindDok(q.dok));
  TContestQsoRecord r;
  log_->GetQsoRecord(r);
  EXPECT_EQ(rec::GetStr(r.data(), qrec::kDOK1, qrec::kDOK1Cap), q.dok);
  EXPECT_FALSE(log_->FindDok(q.dok + "X"));
}

TEST_P(ContestLogTest, BandSearchesStayOnTheirBandOrReportTheNextOne) {
  for (char band : {'a', 'c'}) {
    auto on = [band](const Qso& x) { return x.band == band; };
    Check(log_->SearchBandDok(band, "E"), Expected(qsos_, on, [](const Qso& x) { return Pad(x.dok, 8); }, Pad("E", 8)),
          "SearchBandDok", band);
    Check(log_->SearchBandDxcc(band, "OE"),
          Expected(qsos_, on, [](const Qso& x) { return Pad(x.dxcc, 6); }, Pad("OE", 6)), "SearchBandDxcc", band);
    Check(log_->SearchBandPrefix(band, "F"),
          Expected(qsos_, on, [](const Qso& x) { return Pad(x.prefix, 6); }, Pad("F", 6)), "SearchBandPrefix", band);
    Check(log_->SearchBandLoc(band, "JO35"),
          Expected(qsos_, on, [](const Qso& x) { return Pad(x.loc, 6); }, Pad("JO35", 6)), "SearchBandLoc", band);
    Check(log_->SearchBandWazState(band, "16"),
          Expected(qsos_, on, [](const Qso& x) { return x.area; }, "16"), "SearchBandWazState", band);
    Check(log_->SearchBandCall2(band, "M13"),
          Expected(qsos_, on, [](const Qso& x) { return Pad(x.call2, 12); }, Pad("M13", 6)), "SearchBandCall2", band);
    // An empty value positions on the band's first record of that key.
    Check(log_->SearchBandDxcc(band, ""), Expected(qsos_, on, [](const Qso& x) { return Pad(x.dxcc, 6); }, ""),
          "SearchBandDxcc empty", band);
  }
  // Past the last value of a band the search lands on the next band: the
  // caller sees that by the band code.
  ASSERT_TRUE(log_->SearchBandDxcc('a', "ZZ"));
  EXPECT_EQ(log_->GetBandcode(), 'b');
}

TEST_P(ContestLogTest, DescKeysGiveTheHighestNumberNotAboveTheAskedOne) {
  for (int32_t asked : {1, 17, 40, 75, 1000}) {
    for (char band : {'a', 'k'}) {
      std::optional<int32_t> expected;
      int32_t bestNr = -1;
      for (const Qso& q : qsos_)
        if (q.band == band && q.bandNr <= asked && q.bandNr > bestNr) {
          bestNr = q.bandNr;
          expected = q.wagNummer;
        }
      Check(log_->SearchBandNrDesc(band, asked), expected, "SearchBandNrDesc");
      EXPECT_EQ(log_->GetBandcode(), band);
      Check(log_->SearchBandNrInternDesc(band, asked), expected, "SearchBandNrInternDesc");
    }
  }
  ASSERT_TRUE(log_->FindBandNrIntern('c', 12));
  TContestQsoRecord r;
  log_->GetQsoRecord(r);
  EXPECT_EQ(rec::GetInt32(r.data(), qrec::kWagBandNrIntern), 12);
  EXPECT_EQ(log_->GetBandcode(), 'c');

  ASSERT_TRUE(log_->SearchModeNrDesc("SSB", 33));
  EXPECT_EQ(log_->GetMode(), "SSB");
  log_->GetQsoRecord(r);
  EXPECT_EQ(rec::GetUInt16(r.data(), qrec::kModeNr), 33);

  // Walking the DESC key runs from the newest QSO of a band backwards.
  ASSERT_TRUE(log_->SearchBandNrDesc('b', 999999));
  int32_t last = 1 << 30;
  int walked = 0;
  do {
    log_->GetQsoRecord(r);
    if (log_->GetBandcode() != 'b') break;
    const int32_t nr = rec::GetInt32(r.data(), qrec::kWagBandNr);
    EXPECT_LT(nr, last);
    last = nr;
    ++walked;
  } while (log_->Next());
  EXPECT_EQ(walked, std::count_if(qsos_.begin(), qsos_.end(), [](const Qso& x) { return x.band == 'b'; }));
}

// The one-pass read of a log gives its records in the order of the number
// index with their references, as a walk along that index meets them: in
// a log stored in number order, and after numbers moved out of the
// table's own order (a QSO moved in time), where a detached log's
// readable keys order "1000" before "2".
TEST_P(ContestLogTest, TheLogReadInOnePassComesInTheNumberIndexOrder) {
  auto walked = [&] {
    std::vector<std::pair<int32_t, int32_t>> out;  // (ref, wagNummer)
    for (bool more = log_->First(qrec::kKeyNummer); more; more = log_->Next())
      out.emplace_back(log_->CurrentRef(), WagNummerOf(*log_));
    return out;
  };
  auto read = [&] {
    std::vector<TContestQsoRecord> records;
    std::vector<int32_t> refs;
    EXPECT_TRUE(ReadLogInNumberOrder(*log_, records, &refs));
    EXPECT_EQ(records.size(), refs.size());
    std::vector<std::pair<int32_t, int32_t>> out;
    for (size_t i = 0; i < records.size() && i < refs.size(); ++i)
      out.emplace_back(refs[i], rec::GetInt32(records[i].data(), qrec::kWagNummer));
    return out;
  };
  EXPECT_EQ(read(), walked());
  // Numbers turned round in a block, one moved far behind the last.
  std::vector<int32_t> refs;
  for (const auto& [ref, wagNummer] : walked()) refs.push_back(ref);
  ASSERT_TRUE(log_->BeginTransaction());
  for (int32_t ref : refs) {
    ASSERT_TRUE(log_->ReadRecord(ref));
    TContestQsoRecord r;
    log_->GetQsoRecord(r);
    const int32_t nummer = rec::GetInt32(r.data(), qrec::kNummer);
    int32_t moved = nummer;
    if (nummer >= 40 && nummer < 90) moved = 1000 + (90 - nummer);
    if (nummer == 7) moved = 5000;
    if (moved == nummer) continue;
    rec::SetInt32(r.data(), qrec::kNummer, moved);
    log_->SetQsoRecord(r);
    ASSERT_TRUE(log_->Update()) << nummer;
  }
  ASSERT_TRUE(log_->CommitTransaction());
  const auto afterMove = walked();
  ASSERT_EQ(afterMove.size(), qsos_.size());
  EXPECT_EQ(read(), afterMove);
}

INSTANTIATE_TEST_SUITE_P(FileAndDetached, ContestLogTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Detached" : "File"; });

// ---------------------------------------------------------------------------

class ContestTableTest : public ::testing::Test {
 protected:
  static void AddQso(TdbContest& t, const std::string& call, int32_t zeit, uint8_t marker = 0) {
    TContestQsoRecord r{};
    rec::SetStr(r.data(), qrec::kCall, qrec::kCallCap, call);
    rec::SetInt32(r.data(), qrec::kDatum, 155000);
    rec::SetInt32(r.data(), qrec::kZeit, zeit);
    rec::SetChar(r.data(), qrec::kBandcode, 'b');
    rec::SetByte(r.data(), qrec::kQsoMarker, marker);
    t.ClearRecord();
    t.SetQsoRecord(r);
    ASSERT_TRUE(t.Add());
  }
  TempProgramDir dir_;
};

// A QSO logged with a portable or prefixed call is found by its home call,
// whichever form the search is given.
TEST_F(ContestTableTest, CallsAreFoundByTheirHomeCallWhateverFormWasLogged) {
  TdbContest log(kContestLog, false, 7);
  AddQso(log, "DL1ABC/P", 100);
  AddQso(log, "EA8/DK2XY", 200);
  TdbContest search(kContestLog, false, 7);
  ASSERT_TRUE(search.FindCall("DL1ABC"));
  EXPECT_EQ(search.GetCall(), "DL1ABC/P");  // the record keeps the call as logged
  EXPECT_TRUE(search.FindCall("DL1ABC/M"));
  ASSERT_TRUE(search.FindCall("DK2XY"));
  EXPECT_EQ(search.GetCall(), "EA8/DK2XY");
  EXPECT_TRUE(search.FindBandCallMode('b', "DK2XY/P", ""));
  ASSERT_TRUE(search.SearchCall("DK2"));
  EXPECT_EQ(search.GetCall(), "EA8/DK2XY");
}

// The keys of a QSO as the log files hold them: files written by earlier
// runs keep their keys, so a key built otherwise would no longer find them.
// Readable (detached) keys show the layout; the file's keys are the same
// parts with integers in their compact form and no separators.
TEST_F(ContestTableTest, QsoKeysKeepTheirLayout) {
  TContestQsoRecord r{};
  uint8_t* p = r.data();
  rec::SetStr(p, qrec::kCall, qrec::kCallCap, "ea8/dl1abc");
  rec::SetStr(p, qrec::kMode, qrec::kModeCap, "cw");
  rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "jo40ab");
  rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, "DL");
  rec::SetStr(p, qrec::kPrefix, qrec::kPrefixCap, "EA8");
  rec::SetStr(p, qrec::kDOK1, qrec::kDOK1Cap, "ABCDEF");
  rec::SetStr(p, qrec::kDOK2, qrec::kDOK2Cap, "G");
  rec::SetStr(p, qrec::kWazUsStaat, qrec::kWazUsStaatCap, "ny");
  rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, "M1234");
  rec::SetStr(p, qrec::kCMulti, qrec::kCMultiCap, "jo40");
  rec::SetChar(p, qrec::kBandcode, 'b');
  rec::SetInt32(p, qrec::kDatum, 155000);
  rec::SetInt32(p, qrec::kZeit, 3600);
  rec::SetInt32(p, qrec::kNummer, 12);
  rec::SetInt32(p, qrec::kWagBandNr, 7);
  rec::SetInt32(p, qrec::kWagBandNrIntern, 8);
  rec::SetInt32(p, qrec::kWagNummer, 9);
  rec::SetUInt16(p, qrec::kModeNr, 5);
  auto keysOf = [&](bool detached) {
    TdbContest log(kContestLog, detached, 7);
    std::copy(r.begin(), r.end(), log.RecordBuffer());
    std::vector<std::string> keys;
    for (int k = 1; k <= qrec::kKeyCount; ++k) {
      TKeyStr key;
      log.BufferKey(k, key);
      keys.push_back(key.Str());
    }
    return keys;
  };
  const std::vector<std::string> readable = keysOf(true);
  EXPECT_EQ(readable[0], "155000||3600");
  EXPECT_EQ(readable[1], "DL1ABC        ||155000||3600");
  EXPECT_EQ(readable[2], "JO40AB||155000||3600");
  EXPECT_EQ(readable[3], "12");
  EXPECT_EQ(readable[4], "DL    ");
  EXPECT_EQ(readable[5], "DL1ABC        ");
  EXPECT_EQ(readable[6], "");
  EXPECT_EQ(readable[7], "b||8");
  EXPECT_EQ(readable[8], "b||DL1ABC        ||CW    ");
  EXPECT_EQ(readable[9], "b||DL    ");
  EXPECT_EQ(readable[10], "b||" + ToStrings.IntToKeyString(qrec::kDescBase - 7, true));
  EXPECT_EQ(readable[11], "b||" + ToStrings.IntToKeyString(qrec::kDescBase - 8, true));
  EXPECT_EQ(readable[12], "9");
  EXPECT_EQ(readable[17], "ABCDEF||G ");
  EXPECT_EQ(readable[18], "JO40  ");
  EXPECT_EQ(readable[19], "M1234       ");
  EXPECT_EQ(readable[20], "b||ABCDEF||G ");
  EXPECT_EQ(readable[21], "b||EA8   ");
  EXPECT_EQ(readable[22], "b||JO40AB");
  EXPECT_EQ(readable[23], "CW    ||" + ToStrings.IntToKeyString(qrec::kDescBase - 5, true));
  EXPECT_EQ(readable[24], "b||NY");
  EXPECT_EQ(readable[25], "NY");
  EXPECT_EQ(readable[26], "b||M1234       ");
  EXPECT_EQ(readable[27], "EA8   ");
  const std::vector<std::string> stored = keysOf(false);
  EXPECT_EQ(stored[1], "DL1ABC        " + EncodeIntKey(155000) + EncodeIntKey(3600));
  EXPECT_EQ(stored[8], "bDL1ABC        CW    ");
  EXPECT_EQ(stored[20], "bABCDEFG ");
  EXPECT_EQ(stored[23], "CW    " + EncodeIntKey(qrec::kDescBase - 5));
}

TEST_F(ContestTableTest, AddThenUpdateKeepsNummer) {
  TdbContest list(kContestList, false, 0);
  TContestRecord c{};
  rec::SetChar(c.data(), crec::kTyp, '4');
  rec::SetStr(c.data(), crec::kName, crec::kNameCap, "BRZ-Party 2026");
  list.ClearRecord();
  list.SetContestRecord(c);
  ASSERT_TRUE(list.Add());
  list.GetContestRecord(c);
  const int32_t nummer = rec::GetInt32(c.data(), crec::kNummer);
  EXPECT_GT(nummer, 0);

  rec::SetStr(c.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  list.SetContestRecord(c);
  ASSERT_TRUE(list.Update());
  EXPECT_EQ(list.UsedRecords(), 1);

  TdbContest other(kContestList, false, 0);
  ASSERT_TRUE(other.FindByNumber(nummer));
  TContestRecord back;
  other.GetContestRecord(back);
  EXPECT_EQ(rec::GetStr(back.data(), crec::kCall, crec::kCallCap), "DL1ABC");
  EXPECT_EQ(rec::GetInt32(back.data(), crec::kNummer), nummer);
  EXPECT_FALSE(other.FindByNumber(nummer + 1));

  // The extra record goes by the contest's number, given by the caller.
  TdbContest extra(kContestExtra, false, 0);
  TContestExtraRecord x{};
  rec::SetInt32(x.data(), xrec::kNummer, nummer);
  rec::SetInt32(x.data(), xrec::PointsAt(100), 4711);
  extra.ClearRecord();
  extra.SetExtraRecord(x);
  ASSERT_TRUE(extra.Add());
  TdbContest extra2(kContestExtra, false, 0);
  ASSERT_TRUE(extra2.FindByNumber(nummer));
  extra2.GetExtraRecord(x);
  EXPECT_EQ(rec::GetInt32(x.data(), xrec::PointsAt(100)), 4711);
}

TEST_F(ContestTableTest, TwoObjectsOnOneLogKeepTheirOwnPositionsAndCopies) {
  TdbContest a(kContestLog, false, kLog);
  for (int i = 0; i < 10; ++i) AddQso(a, "DL" + std::to_string(i) + "AA", 100 + i);
  TdbContest b(kContestLog, false, kLog);
  ASSERT_TRUE(a.First(qrec::kKeyDatumZeit));
  ASSERT_TRUE(b.Last(qrec::kKeyDatumZeit));
  ASSERT_TRUE(a.Next());
  EXPECT_EQ(a.GetCall(), "DL1AA");
  EXPECT_EQ(b.GetCall(), "DL9AA");
  // b's search does not move a.
  ASSERT_TRUE(b.FindCall("DL5AA"));
  ASSERT_TRUE(a.Next());
  EXPECT_EQ(a.GetCall(), "DL2AA");

  // Each object rewrites its own record from its own edit copy.
  TContestQsoRecord r;
  b.GetQsoRecord(r);
  rec::SetStr(r.data(), qrec::kMode, qrec::kModeCap, "CW");
  b.SetQsoRecord(r);
  ASSERT_TRUE(b.Update());
  EXPECT_EQ(a.GetCall(), "DL2AA");
  EXPECT_EQ(a.GetMode(), "");
  ASSERT_TRUE(a.FindCall("DL5AA"));
  EXPECT_EQ(a.GetMode(), "CW");
  ASSERT_TRUE(a.Next());
  EXPECT_EQ(a.UsedRecords(), 10);
}

TEST_F(ContestTableTest, CopyQsoFromAddsUpdatesAndSkipsBandChangeRows) {
  TdbContest log(kContestLog, false, kLog);
  AddQso(log, "DL1AA", 100);
  AddQso(log, "", 200, 'c');  // band-change row
  AddQso(log, "DL2BB", 300, ' ');
  TdbContest temp(kContestTemp, false, kLog);
  ASSERT_TRUE(temp.IsOpen());
  temp.DeleteTableFiles();

  int copied = 0;
  for (bool ok = log.First(qrec::kKeyDatumZeit); ok; ok = log.Next())
    if (temp.CopyQsoFrom(log, 0)) ++copied;
  EXPECT_EQ(copied, 2);
  EXPECT_EQ(temp.UsedRecords(), 2);
  EXPECT_TRUE(temp.FindCall("DL2BB"));

  // Mode 1 rewrites the current record and keeps its number.
  ASSERT_TRUE(temp.FindCall("DL1AA"));
  TContestQsoRecord t;
  temp.GetQsoRecord(t);
  const int32_t tempNummer = rec::GetInt32(t.data(), qrec::kNummer);
  ASSERT_TRUE(log.FindCall("DL1AA"));
  TContestQsoRecord l;
  log.GetQsoRecord(l);
  rec::SetStr(l.data(), qrec::kMode, qrec::kModeCap, "FM");
  rec::SetInt32(l.data(), qrec::kNummer, 999);
  log.SetQsoRecord(l);
  ASSERT_TRUE(temp.CopyQsoFrom(log, 1));
  TdbContest check(kContestTemp, false, kLog);
  ASSERT_TRUE(check.FindByNumber(tempNummer));
  EXPECT_EQ(check.GetMode(), "FM");
  EXPECT_EQ(check.UsedRecords(), 2);
}

TEST_F(ContestTableTest, DeleteTableFilesLeavesNothingBehindAndTheTableIsEmptyAtItsNextUse) {
  auto filesOfLog = [&] {
    return QDir(FileNameToQString(dir_.Path())).entryList({QStringLiteral("ZQLK0007*")}, QDir::Files);
  };
  {
    TdbContest log(kContestLog, false, kLog);
    AddQso(log, "DL1AA", 100);
    ASSERT_FALSE(filesOfLog().isEmpty());
    ASSERT_TRUE(log.DeleteTableFiles());
  }
  EXPECT_TRUE(filesOfLog().isEmpty()) << filesOfLog().join(u',').toStdString();

  TdbContest log(kContestLog, false, kLog);
  EXPECT_EQ(log.UsedRecords(), 0);
  AddQso(log, "DL2BB", 100);
  // With a second user of the file the table is emptied for both.
  TdbContest second(kContestLog, false, kLog);
  ASSERT_TRUE(log.DeleteTableFiles());
  EXPECT_EQ(second.UsedRecords(), 0);
  EXPECT_EQ(log.UsedRecords(), 0);  // reopened, empty, at its next use
  AddQso(log, "DL3CC", 100);
  EXPECT_EQ(log.UsedRecords(), 1);
  EXPECT_EQ(second.UsedRecords(), 1);
}

// The record is a file format: other programs and later versions read the
// bytes at their documented places.
TEST_F(ContestTableTest, RecordBytesSitAtTheirOffsetsInTheFile) {
  int32_t nummer = 0;
  {
    TdbContest list(kContestList, false, 0);
    TContestRecord c{};
    rec::SetChar(c.data(), crec::kTyp, '4');
    rec::SetStr(c.data(), crec::kName, crec::kNameCap, "Party Ä");
    rec::SetInt32(c.data(), crec::kDatumVon, 155123);
    rec::SetBool(c.data(), crec::kPrefixMenu, true);
    const auto slot6 = crec::SlotAt(6);
    rec::SetInt16(c.data(), slot6.qsos, 321);
    rec::SetInt32(c.data(), slot6.points, 98765);
    list.ClearRecord();
    list.SetContestRecord(c);
    ASSERT_TRUE(list.Add());
    list.GetContestRecord(c);
    nummer = rec::GetInt32(c.data(), crec::kNummer);
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(NativeFileName(dir_.File("ZQKK.DAT")).c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
            SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT data FROM records", -1, &st, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
  ASSERT_EQ(sqlite3_column_bytes(st, 0), 379);
  const auto* d = static_cast<const uint8_t*>(sqlite3_column_blob(st, 0));
  EXPECT_EQ(d[4] | d[5] << 8 | d[6] << 16 | d[7] << 24, nummer);
  EXPECT_EQ(d[191], '4');
  EXPECT_EQ(d[24], 7);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(d + 25), 7), "Party \xC4");
  EXPECT_EQ(d[8] | d[9] << 8 | d[10] << 16 | d[11] << 24, 155123);
  EXPECT_EQ(d[375], 255);
  EXPECT_EQ(d[341] | d[342] << 8, 321);
  EXPECT_EQ(d[345] | d[346] << 8 | d[347] << 16 | d[348] << 24, 98765);
  sqlite3_finalize(st);
  sqlite3_close(db);
}

TEST_F(ContestTableTest, OpenFilesKeepsTheLogOpenAndNamesItByTheFourDigitNumber) {
  ASSERT_TRUE(ToDatContest.OpenFiles(KindBit(kContestList) | KindBit(kContestLog), 42));
  EXPECT_TRUE(FileExistsAnsi(dir_.File("ZQKK.DAT")));
  EXPECT_TRUE(FileExistsAnsi(dir_.File("ZQLK0042.DAT")));
  {
    TdbContest log(kContestLog, false, 42);
    AddQso(log, "DL1AA", 100);
  }
  TdbContest again(kContestLog, false, 42);
  EXPECT_EQ(again.UsedRecords(), 1);
  EXPECT_EQ(again.GetContestNumber(), 42);
  ToDatContest.CloseFiles(KindBit(kContestList) | KindBit(kContestLog), 42);
  EXPECT_FALSE(ToDatContest.OpenFiles(KindBit(3)));
}

}  // namespace
