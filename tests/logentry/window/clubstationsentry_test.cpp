// An 'R' log typed into the real log window, offscreen: the DOK field of
// German stations (real DOKs of the DARC's call history) beside the club's
// list of its own stations, which count as call multipliers; stations worked
// from abroad with a prefix in front, a station of the operator's own DOK
// and a duplicate on the way. Every stored QSO is read back at its offsets;
// the score the window shows is that of a full recount of the stored log.
#include "logentry/qsoentry_fixture.h"

#include <cctype>

#include "contest/ContestFkt.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/exchangeautofill.h"

namespace qsoentry {
namespace {

struct Entered {
  std::string call;
  std::string exchange;  // what the DOK field held when the QSO was saved
  int32_t zeit = 0;
};

bool IsClubStation(const TContestRec& c, const std::string& call) {
  for (const auto& s : c.BonusStations)
    if (!s.empty() && s.view() == HomeCallOf(call)) return true;
  return false;
}

// The contest's DOK multipliers: district K and its two special DOKs.
bool DokCounts(const std::string& dok) {
  if (dok == "Z11" || dok == "RTA") return true;
  return dok.size() == 3 && dok[0] == 'K' && std::isdigit(static_cast<unsigned char>(dok[1])) &&
         std::isdigit(static_cast<unsigned char>(dok[2]));
}

TEST_F(QsoEntryTest, RhinelandPalatinateLogWithDoksAndTheClubStations) {
  CreateLog('R', [](TEingContestStd& dlg) {
    if (auto* e = Child<TkxEdit>(dlg, "eDOK")) QTest::keyClicks(e, u"k01"_qs);
  });
  ASSERT_EQ(desc_->BonusStations[0].view(), "DA0RP");

  // Stations of the district and of others with their DOK, the club's own
  // stations, and stations abroad (some signing with a prefix in front).
  std::vector<std::pair<std::string, std::string>> german;
  std::set<std::string> homes;
  int ofK = 0, others = 0;
  for (size_t i = 0; i < doks_->size() && german.size() < 12; i += 7) {
    const auto& [call, dok] = (*doks_)[i];
    const bool k = dok.size() == 3 && dok[0] == 'K';
    Place p;
    if (dok.size() != 3 || !IsValidDok(dok, 'R') || !IsDokStation(call, 'R') || call.size() > 10 || dok == "K01" ||
        CheckCallForm(call) != 0 || !oracle_->Find(call, p) || (k ? ofK >= 6 : others >= 6) ||
        !homes.insert(call).second)
      continue;
    (k ? ofK : others)++;
    german.emplace_back(call, dok);
  }
  ASSERT_EQ(german.size(), 12u);
  const std::vector<std::string> foreign = MasterCalls(6, 3001, [](const std::string& c) { return c[0] != 'D'; });
  ASSERT_EQ(foreign.size(), 6u);

  std::vector<Entered> entered;
  auto storedCount = [this] { return static_cast<int>(TdbContest(kContestLog, false, nummer_).UsedRecords()); };
  RunWindow([&](TContestLogStd& w) {
    ASSERT_EQ(FocusName(), "eCall");
    const char band = w.Model().State.CurrentBand;
    const std::string mode = w.Model().State.CurrentMode;
    int32_t clock = 8 * 3600 + 10;
    auto enter = [&](const std::string& call, const std::string& exchange) {
      ClockAt(w, clock);
      Entered e{call, {}, clock};
      clock += 53;
      Type(call);
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eRSTr2") << call;
      e.exchange = TypeOver(exchange);
      Press(Qt::Key_Return);  // the only exchange field: saved
      ASSERT_EQ(FocusName(), "eCall") << call;
      entered.push_back(e);
      ASSERT_EQ(storedCount(), static_cast<int>(entered.size())) << call;
    };

    for (size_t i = 0; i < 6; ++i) enter(german[i].first, german[i].second);
    enter("DA0RP", "RTA");
    enter("9A/" + foreign[0], "11");
    enter("DF0RLP", "Z11");
    enter("DL1AAA", "K01");  // the operator's own DOK
    for (size_t i = 6; i < 12; ++i) enter(german[i].first, german[i].second);
    enter("EW/" + foreign[1], "12");
    enter("DK0RLP", "K32");
    for (size_t i = 2; i < 6; ++i) enter(foreign[i], std::to_string(11 + i));
    enter("F/DA0AAA", "15");

    // Worked on this band already: warned, the entry cleared, nothing stored.
    msgs.Expect(Kind::Achtung, "Call DF0RLP bereits auf Band vorhanden");
    Type("DF0RLP");
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(FocusName(), "eCall");
    ASSERT_EQ(storedCount(), static_cast<int>(entered.size()));
    ASSERT_EQ(entered.size(), 23u);

    TdbContest log(kContestLog, false, nummer_);
    std::set<std::string> doksWorked, clubWorked;
    size_t i = 0;
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next(), ++i) {
      ASSERT_LT(i, entered.size());
      const TContestQsoRecord q = StoredAt(log);
      const Entered& e = entered[i];
      const uint8_t* p = q.data();
      SCOPED_TRACE(e.call);
      EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), e.call);
      EXPECT_EQ(rec::GetChar(p, qrec::kBandcode), band);
      EXPECT_EQ(Str(q, qrec::kMode, qrec::kModeCap), mode);
      EXPECT_EQ(rec::GetInt32(p, qrec::kDatum), ToDates.DMYToDate(20, 12, 2015));
      EXPECT_EQ(rec::GetInt32(p, qrec::kZeit), e.zeit);
      EXPECT_EQ(rec::GetInt32(p, qrec::kWagNummer), static_cast<int32_t>(i + 1));
      EXPECT_EQ(rec::GetInt32(p, qrec::kWagBandNr), static_cast<int32_t>(i + 1));
      EXPECT_EQ(TContestFkt::GetSentExchange(q), "599K01");
      EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599" + e.exchange);
      // Only a German station's DOK goes into the DOK field.
      const std::string dok = Str(q, qrec::kDOK1, qrec::kDOK1Cap) + Str(q, qrec::kDOK2, qrec::kDOK2Cap);
      EXPECT_EQ(dok, IsDokStation(e.call, 'R') ? e.exchange : "");
      // A station of the operator's own DOK gives no points.
      EXPECT_EQ(rec::GetUInt16(p, qrec::kPunkte), dok == "K01" ? 0 : 3);
      // Multipliers: a DOK of the district or a special DOK, and a club
      // station, each on the QSO that brought it.
      const bool newDok = DokCounts(dok) && doksWorked.insert(dok).second;
      EXPECT_EQ(Str(q, qrec::kCMulti, qrec::kCMultiCap), newDok ? dok : "");
      const bool newClub = IsClubStation(*desc_, e.call) && clubWorked.insert(HomeCallOf(e.call)).second;
      EXPECT_EQ(Str(q, qrec::kCMulti2, qrec::kCMulti2Cap), newClub ? HomeCallOf(e.call) : "");
      EXPECT_EQ(rec::GetByte(p, qrec::kDupeMark), 0);
    }
    EXPECT_EQ(i, entered.size());
    EXPECT_EQ(clubWorked.size(), 3u);
    EXPECT_GE(doksWorked.size(), 6u);
    ExpectScoreOfFullRecount(w);
  });
}

}  // namespace
}  // namespace qsoentry
