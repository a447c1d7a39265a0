// The prefix lookup of the QSO being entered: on small prefix tables for its
// rules, and on the tables built from the real cty.csv for every call of
// MASTER.SCP worked at home, portable and abroad.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "hamradio/prefixe.h"
#include "logentry/rules/prefixlookup.h"
#include "logentry/rules/qsopoints.h"
#include "platform/textfile.h"
#include "prefix/PrefixFixture.h"
#include "logentry/realcontest.h"
#include "support/RealCtyTables.h"

namespace {

constexpr int32_t kLog = 31;

TContestQsoRecord Entry(const std::string& call, int32_t datum = 0) {
  TContestQsoRecord r{};
  rec::SetStr(r.data(), qrec::kCall, qrec::kCallCap, call);
  rec::SetInt32(r.data(), qrec::kDatum, datum);
  rec::SetChar(r.data(), qrec::kBandcode, 'b');
  rec::SetStr(r.data(), qrec::kMode, qrec::kModeCap, "CW");
  return r;
}

std::string Str(const TContestQsoRecord& q, size_t off, size_t cap) { return rec::GetStr(q.data(), off, cap); }
std::string Dxcc(const TContestQsoRecord& q) { return Str(q, qrec::kDXCC, qrec::kDXCCCap); }
std::string Kontinent(const TContestQsoRecord& q) { return Str(q, qrec::kKontinent, qrec::kKontinentCap); }

// Decides for the candidate with the given menu entry while asking is on.
class ScriptedChooser : public TDxccChooser {
 public:
  uint8_t ChooseDxccEntry(TdbPrefix& table, const TDxccQsoTexts&, int32_t, bool) override {
    asked.push_back(ToPrefix.AskDxccChoice);
    const std::string prefix = table.GetPrefix();
    if (ToPrefix.AskDxccChoice != 0 && table.FindPrefixMenue(prefix, pick)) return 1;
    table.PositionOnDefaultCandidate(prefix);
    return 0;
  }
  std::string pick = "2";
  std::vector<uint8_t> asked;  // the choice switch at each call
};

class PrefixLookupTest : public PrefixTablesTest {
 protected:
  void SetUp() override {
    AddPrefixRecords(kPrefixMain, {
                                      {.Prefix = "DK", .Dxcc = "DL"},
                                      {.Prefix = "DL", .Dxcc = "DL"},
                                      {.Prefix = "EA8", .Dxcc = "EA8", .Waz = "33", .Itu = "36", .Continent = "AF"},
                                      {.Prefix = "I", .Dxcc = "I", .Waz = "15"},
                                      {.Prefix = "MM", .Dxcc = "MA", .Menue = "1"},
                                      {.Prefix = "MM", .Dxcc = "MB", .Menue = "2", .Continent = "AF"},
                                  });
    // Sicily: an area of its own for the WAE.
    TPrefixRecord sicily = MakePrefixRecord({.Prefix = "IT9", .Dxcc = "I", .Waz = "15"});
    rec::SetStr(sicily.data(), prefrec::kWAE, prefrec::kWAECap, "IT9");
    {
      TdbPrefix t(kPrefixMain);
      t.PutRecord(sicily.data());
      ASSERT_TRUE(t.Add());
    }
    OpenAll();
  }
  void TearDown() override {
    SetDxccChooser(nullptr);
    PrefixTablesTest::TearDown();
  }
  // Looks the call up for the letter; the points are the record's length
  // of call, so that a test sees whether they were computed.
  bool Lookup(const RealContest& c, TContestQsoRecord& q) {
    return lookup_.LookupPrefix(q, *c, c.List, [](const TContestQsoRecord& r) {
      return static_cast<int32_t>(ToStrings.Trim(rec::GetStr(r.data(), qrec::kCall, qrec::kCallCap)).size());
    });
  }

  TPrefixLookup lookup_;
};

TEST_F(PrefixLookupTest, CallWorkedAbroadCountsForThePlaceItWasWorkedFrom) {
  const RealContest dxcc = DefineReal('b');
  struct Case {
    const char* call;
    const char* dxcc;
    const char* continent;
  };
  for (const Case& c : {Case{"DK1RI", "DL", "EU"}, Case{"DK1RI/P", "DL", "EU"}, Case{"DK1RI/EA8", "EA8", "AF"},
                        Case{"EA8/DK1RI", "EA8", "AF"}, Case{"EA8/DK1RI/P", "EA8", "AF"},
                        Case{"DK1RI/IT9", "I", "EU"}}) {
    TContestQsoRecord q = Entry(c.call);
    ASSERT_TRUE(Lookup(dxcc, q)) << c.call;
    EXPECT_EQ(Dxcc(q), c.dxcc) << c.call;
    EXPECT_EQ(Kontinent(q), c.continent) << c.call;
    EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), c.call);  // kept as logged
    EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), std::string(c.call).size());
  }
  EXPECT_EQ(lookup_.LastLookupCall(), "DK1RI/IT9");
  EXPECT_EQ(rec::GetStr(lookup_.LastRecord().data(), prefrec::kWAZ, prefrec::kWAZCap), "15");
}

// One lookup object serves a whole import: it must follow the tables when
// maintenance closes and changes them, and must not keep them open when it
// had to open them itself.
TEST_F(PrefixLookupTest, LookupsFollowThePrefixTablesThroughClosingAndReopening) {
  const RealContest dxcc = DefineReal('b');
  TContestQsoRecord q = Entry("DK1RI");
  ASSERT_TRUE(Lookup(dxcc, q));
  EXPECT_EQ(Dxcc(q), "DL");

  ToDatPrefix.CloseTables(kAllPrefixTables);
  opened_ = false;
  AddPrefixRecords(kPrefixMain, {{.Prefix = "DK1", .Dxcc = "EA8", .Continent = "AF"}});
  q = Entry("DK1RI");
  ASSERT_TRUE(Lookup(dxcc, q));
  EXPECT_EQ(Dxcc(q), "EA8");
  EXPECT_EQ(Kontinent(q), "AF");
  {
    TdbPrefix probe(kPrefixMain);
    EXPECT_TRUE(probe.OpenedHere()) << "the lookup left the tables open";
  }

  OpenAll();
  q = Entry("DK2XY");
  ASSERT_TRUE(Lookup(dxcc, q));
  EXPECT_EQ(Dxcc(q), "DL");
  q = Entry("DK1AB");
  ASSERT_TRUE(Lookup(dxcc, q));
  EXPECT_EQ(Dxcc(q), "EA8");
}

TEST_F(PrefixLookupTest, WaeAreasAreMarkedAndCountedWhereTheContestSaysSo) {
  TContestQsoRecord q = Entry("IT9ABC");
  ASSERT_TRUE(Lookup(DefineReal('b'), q));
  EXPECT_EQ(Dxcc(q), "I");
  EXPECT_EQ(rec::GetByte(q.data(), qrec::kWAEMark), 255);
  // Letter '9' counts WAE areas as entities.
  q = Entry("IT9ABC");
  ASSERT_TRUE(Lookup(DefineReal('9'), q));
  EXPECT_EQ(Dxcc(q), "IT9");
  q = Entry("I1ABC");
  ASSERT_TRUE(Lookup(DefineReal('9'), q));
  EXPECT_EQ(Dxcc(q), "I");
  EXPECT_EQ(rec::GetByte(q.data(), qrec::kWAEMark), 0);
}

TEST_F(PrefixLookupTest, UnknownPrefixFailsUnlessTheContestCountsPrefixes) {
  TContestQsoRecord q = Entry("QQ1ABC");
  rec::SetStr(q.data(), qrec::kDXCC, qrec::kDXCCCap, "DL");
  rec::SetStr(q.data(), qrec::kKontinent, qrec::kKontinentCap, "EU");
  rec::SetByte(q.data(), qrec::kWAEMark, 255);
  rec::SetUInt16(q.data(), qrec::kPunkte, 77);
  EXPECT_FALSE(Lookup(DefineReal('b'), q));
  EXPECT_EQ(Dxcc(q), "");
  EXPECT_EQ(Kontinent(q), "");
  EXPECT_EQ(rec::GetByte(q.data(), qrec::kWAEMark), 0);
  EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), 77);  // not scored
  // A call of two characters is still being typed: no failure.
  q = Entry("QQ");
  EXPECT_TRUE(Lookup(DefineReal('b'), q));
  EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), 2);
  // Prefix contests take the prefix from the call itself.
  q = Entry("QQ1ABC");
  EXPECT_TRUE(Lookup(DefineReal('P'), q));
  EXPECT_EQ(Str(q, qrec::kPrefix, qrec::kPrefixCap), "QQ1");
  EXPECT_EQ(Kontinent(q), "");
}

TEST_F(PrefixLookupTest, PrefixesForPrefixMultipliers) {
  TContestQsoRecord q = Entry("DL1ABC");
  ASSERT_TRUE(Lookup(DefineReal('P'), q));
  EXPECT_EQ(Str(q, qrec::kPrefix, qrec::kPrefixCap), "DL1");
  EXPECT_EQ(Dxcc(q), "");  // prefixes only: no entity
  EXPECT_EQ(Kontinent(q), "EU");
  // Counting prefixes as entities too (no contest does so today): the
  // prefix is the entity.
  RealContest both = DefineReal('P');
  both.Rec->MultiplierKinds.Include(MultiplierKind::DxccOrPrefix);
  q = Entry("DL1ABC");
  ASSERT_TRUE(Lookup(both, q));
  EXPECT_EQ(Str(q, qrec::kPrefix, qrec::kPrefixCap), "DL1");
  EXPECT_EQ(Dxcc(q), "DL1");
}

TEST_F(PrefixLookupTest, FixedPrefixDataAreKept) {
  TContestQsoRecord q = Entry("DK1RI/EA8");
  rec::SetByte(q.data(), qrec::kPrefixFest, 255);
  rec::SetStr(q.data(), qrec::kDXCC, qrec::kDXCCCap, "ZZ");
  EXPECT_TRUE(Lookup(DefineReal('b'), q));
  EXPECT_EQ(Dxcc(q), "ZZ");
  EXPECT_EQ(Kontinent(q), "");
  EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), 9);  // scored all the same
  EXPECT_EQ(lookup_.LastLookupCall(), "");
}

TEST_F(PrefixLookupTest, DxccChoiceIsAskedForANewCallAndHeldWhileItIsEdited) {
  ScriptedChooser chooser;
  SetDxccChooser(&chooser);
  RealContest c = DefineReal('b');
  rec::SetByte(c.List.data(), crec::kPrefixMenu, 1);
  auto dxccOf = [&](const std::string& call) {
    TContestQsoRecord q = Entry(call);
    EXPECT_TRUE(Lookup(c, q)) << call;
    return Dxcc(q);
  };
  // A call pasted whole: the user picks the second candidate.
  EXPECT_EQ(dxccOf("MM1ABC"), "MB");
  ASSERT_EQ(chooser.asked, std::vector<uint8_t>({1}));
  EXPECT_EQ(lookup_.ResolveHold(), 1);
  EXPECT_EQ(ToPrefix.AskDxccChoice, 1);  // restored after the lookup
  // Edited within the prefix: the choice holds, nobody is asked.
  EXPECT_EQ(dxccOf("MM1AB"), "MB");
  EXPECT_EQ(dxccOf("MM1ABD"), "MB");
  EXPECT_EQ(chooser.asked.size(), 1u);
  // Another call drops it.
  EXPECT_EQ(dxccOf("DL1ABC"), "DL");
  EXPECT_EQ(lookup_.ResolveHold(), 0);
  // Typed on from the last lookup: the choice switch is off, the default
  // candidate counts.
  EXPECT_EQ(dxccOf("M"), "");
  EXPECT_EQ(dxccOf("MM"), "MA");
  EXPECT_EQ(chooser.asked.back(), 0);
  // Without the log's prefix-menu option nobody is asked either.
  rec::SetByte(c.List.data(), crec::kPrefixMenu, 0);
  EXPECT_EQ(dxccOf("MM7XY"), "MA");
  EXPECT_EQ(chooser.asked.back(), 0);
}

TEST_F(PrefixLookupTest, PointsOnTheWindowsTablesFollowThePlaceWorkedFrom) {
  // Letter '9': 2 in Europe, 3 elsewhere; portable 4 and 6.
  const RealContest c = DefineReal('9');
  TdbContest listTable(kContestList, false, 0);
  TdbContest qsoTable(kContestLog, false, kLog);
  TContestRecord list = c.List;
  rec::SetInt32(list.data(), crec::kNummer, kLog);
  listTable.ClearRecord();
  listTable.SetContestRecord(list);
  ASSERT_TRUE(listTable.Add());
  struct Case {
    const char* call;
    int points;
  };
  for (const Case& t : {Case{"DK1RI", 2}, Case{"DK1RI/EA8", 3}, Case{"DK1RI/P", 4}, Case{"EA8/DK1RI/P", 6}}) {
    qsoTable.ClearRecord();
    qsoTable.SetQsoRecord(Entry(t.call, ToDates.DMYToDate(1, 6, 2015)));
    ASSERT_TRUE(lookup_.LookupPrefix(qsoTable, listTable, *c)) << t.call;
    TContestQsoRecord q;
    qsoTable.GetQsoRecord(q);
    EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), t.points) << t.call;
    EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), t.call);
  }
}

// --- the real country file ---------------------------------------------------------

// The place a logged call names, by the usual reading of such calls: a
// letter, a number of several digits or an operating mark behind the call
// names none, a lone digit moves the call into that call area, and of a
// call and a prefix the shorter part is the prefix.
std::string PlaceOf(const std::string& call) {
  std::vector<std::string> parts;
  std::string digit;
  size_t start = 0;
  while (start <= call.size()) {
    size_t end = call.find('/', start);
    if (end == std::string::npos) end = call.size();
    const std::string p = call.substr(start, end - start);
    const bool behind = start > 0;
    start = end + 1;
    const bool number = !p.empty() && p.find_first_not_of("0123456789") == std::string::npos;
    if (p.empty() || p == "MM" || p == "AM" || p == "QRP" || p == "QRPP" ||
        (behind && p.size() == 1 && !number) || (behind && p.size() > 1 && number))
      continue;
    if (behind && p.size() == 1)
      digit = p;
    else
      parts.push_back(p);
  }
  if (parts.empty()) return call;
  if (parts.size() == 1) {
    std::string home = parts[0];
    if (!digit.empty()) {
      size_t d = home.find_last_of("0123456789");
      if (d != std::string::npos) home[d] = digit[0];
    }
    return home;
  }
  std::string shortest = parts[0];
  for (const std::string& p : parts)
    if (p.size() < shortest.size()) shortest = p;
  return shortest;
}

class RealCtyLookup : public RealCtyTablesTest {
 protected:
  // Looks every call up in one form and counts the lookups that agree with
  // the file: the logged text's own entry, else the place the form names.
  // The forms worked away from home are made of the calls without "/".
  void CheckForm(const char* name, const std::function<std::string(const std::string&)>& form,
                 const std::function<std::string(const std::string&)>& place, bool plainOnly = true) {
    const RealContest c = DefineReal('b');
    TPrefixLookup lookup;
    size_t agree = 0, total = 0, shown = 0;
    for (const std::string& call : master_) {
      if (plainOnly && call.find('/') != std::string::npos) continue;
      const std::string logged = form(call);
      if (logged.size() > qrec::kCallCap) continue;
      ++total;
      Place want;
      const bool known = oracle_->FindCall(logged, want) || oracle_->Find(place(call), want);
      TContestQsoRecord q = Entry(logged, date_);
      const bool found = lookup.LookupPrefix(q, *c, c.List, [](const TContestQsoRecord&) { return 1; });
      const TPrefixRecord& r = lookup.LastRecord();
      auto text = [&](size_t off, size_t cap) { return ToStrings.Trim(rec::GetStr(r.data(), off, cap)); };
      bool same = known == found;
      if (same && known) {
        same = rec::GetInt16(r.data(), prefrec::kADIFNr) == want.Adif &&
               std::atoi(text(prefrec::kWAZ, prefrec::kWAZCap).c_str()) == want.Cq &&
               std::atoi(text(prefrec::kITU, prefrec::kITUCap).c_str()) == want.Itu &&
               text(prefrec::kContinent, prefrec::kContinentCap) == want.Continent &&
               Kontinent(q) == want.Continent && Dxcc(q) == text(prefrec::kDXCC, prefrec::kDXCCCap) &&
               Str(q, qrec::kCall, qrec::kCallCap) == logged;
      }
      if (same) {
        ++agree;
      } else if (shown++ < 10) {
        std::printf("%s: %s gives ADIF %d, the file %d\n", name, logged.c_str(),
                    found ? rec::GetInt16(r.data(), prefrec::kADIFNr) : -1, known ? want.Adif : -1);
      }
    }
    const double share = static_cast<double>(agree) / static_cast<double>(total);
    std::printf("%s: %zu of %zu calls as the file says (%.3f %%)\n", name, agree, total, 100 * share);
    EXPECT_GE(share, 0.995) << name;
  }

  const int32_t date_ = ToDates.DMYToDate(1, 6, 2023);
};

TEST_F(RealCtyLookup, CallsAsListed) {
  CheckForm("CALL", [](const std::string& c) { return c; }, PlaceOf, false);
}

TEST_F(RealCtyLookup, CallsPortable) {
  CheckForm("CALL/P", [](const std::string& c) { return c + "/P"; }, PlaceOf);
}

TEST_F(RealCtyLookup, CallsWorkedFromTheCanaryIslandsWithThePrefixInFront) {
  CheckForm("EA8/CALL", [](const std::string& c) { return "EA8/" + c; },
            [](const std::string&) { return std::string("EA8"); });
}

// A number behind the call that names no country ("/33", a French
// département) or a call area the country does not have ("JD1BNN/3") must
// not leave the call unresolved: the lookup answers as plain resolution of
// the logged text does. A call area that exists moves the call into it.
class RealCtyAreaLookup : public RealCtyLookup {
 protected:
  // Counts the calls whose lookup in the form gives what plain resolution of
  // expected(call) gives: entity, zones and continent.
  void CheckAgainstPlain(const char* name, const std::function<std::string(const std::string&)>& form,
                         const std::function<std::string(const std::string&)>& expected) {
    const RealContest c = DefineReal('b');
    TPrefixLookup lookup;
    TdbPrefix plain(kPrefixMain);
    size_t agree = 0, total = 0, lost = 0;
    for (const std::string& call : master_) {
      if (call.find('/') != std::string::npos) continue;
      const std::string logged = form(call);
      if (logged.size() > qrec::kCallCap) continue;
      ++total;
      const bool want = plain.ResolveCallsign(expected(call), date_) == TdbPrefix::kFound;
      TPrefixRecord w{};
      if (want) plain.GetRecord(w.data());
      TContestQsoRecord q = Entry(logged, date_);
      const bool found = lookup.LookupPrefix(q, *c, c.List, [](const TContestQsoRecord&) { return 1; });
      const TPrefixRecord& r = lookup.LastRecord();
      auto same = [&](size_t off, size_t cap) { return rec::GetStr(r.data(), off, cap) == rec::GetStr(w.data(), off, cap); };
      if (want && !found) ++lost;
      if (want == found && (!want || (rec::GetInt16(r.data(), prefrec::kADIFNr) == rec::GetInt16(w.data(), prefrec::kADIFNr) &&
                                      same(prefrec::kWAZ, prefrec::kWAZCap) && same(prefrec::kITU, prefrec::kITUCap) &&
                                      same(prefrec::kContinent, prefrec::kContinentCap))))
        ++agree;
    }
    std::printf("%s: %zu of %zu calls as plain resolution, %zu unresolved\n", name, agree, total, lost);
    EXPECT_EQ(lost, 0u) << name;
    EXPECT_GE(static_cast<double>(agree) / static_cast<double>(total), 0.995) << name;
  }

  // The call moved into another call area, as an operator reads "/3".
  static std::string Moved(const std::string& call, char area) {
    std::string home = call;
    size_t end = home.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(home[end - 1]))) --end;
    if (end > 0 && end < home.size() && std::isdigit(static_cast<unsigned char>(home[end - 1]))) home[end - 1] = area;
    return home;
  }
};

TEST_F(RealCtyAreaLookup, ANumberBehindTheCallNamesNoCountry) {
  CheckAgainstPlain("CALL/33", [](const std::string& c) { return c + "/33"; },
                    [](const std::string& c) { return c + "/33"; });
}

TEST_F(RealCtyAreaLookup, ACallAreaBehindTheCallMovesItWhereTheAreaExists) {
  TdbPrefix table(kPrefixMain);
  CheckAgainstPlain("CALL/3", [](const std::string& c) { return c + "/3"; }, [&](const std::string& c) {
    const std::string moved = Moved(c, '3');
    return table.ResolveCallsign(moved, date_) == TdbPrefix::kFound ? moved : c + "/3";
  });
}

TEST_F(RealCtyAreaLookup, CallsOfTheFaultReport) {
  const RealContest c = DefineReal('b');
  TPrefixLookup lookup;
  const std::pair<const char*, int> calls[] = {
      {"F6GPT/33", 227}, {"G0GDA/70", 223}, {"JD1BNN/3", 192}, {"UA3ABC/9", 15}, {"DK1RI/EA8", 29}};
  for (const auto& [call, adif] : calls) {
    TContestQsoRecord q = Entry(call, date_);
    EXPECT_TRUE(lookup.LookupPrefix(q, *c, c.List, [](const TContestQsoRecord&) { return 1; })) << call;
    EXPECT_EQ(rec::GetInt16(lookup.LastRecord().data(), prefrec::kADIFNr), adif) << call;
  }
}

TEST_F(RealCtyLookup, CallsWorkedFromTheCanaryIslandsWithThePrefixBehind) {
  CheckForm("CALL/EA8", [](const std::string& c) { return c + "/EA8"; },
            [](const std::string&) { return std::string("EA8"); });
}

}  // namespace

