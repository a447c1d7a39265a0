// QSOs typed into the real log window, offscreen, for logs of three contest
// letters with different exchanges: the calls of MASTER.SCP resolved by the
// prefix tables of the real country file, band and mode switched by key,
// duplicates, unknown prefixes and a prefix of several entities on the way.
// Every stored QSO is read back at its offsets; the score the window shows
// is that of a full recount of the stored log.
#include "logentry/qsoentry_fixture.h"

#include <QListWidget>
#include <QPlainTextEdit>

#include "contest/ContestFkt.h"
#include "database/dbCall.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/exchangeautofill.h"

namespace qsoentry {
namespace {

int32_t Day20() { return ToDates.DMYToDate(20, 12, 2015); }

// One QSO as typed, and where the clock stood.
struct Typed {
  std::string call;
  std::vector<std::string> fields;  // what is typed into the fields after the call, in order
  char band = 'b';
  std::string mode = "CW";
  int32_t zeit = 0;
};



// What every stored QSO carries as it was typed: the call, band and mode,
// the date and time of the clock, its number in the log.
void ExpectAsTyped(const TContestQsoRecord& q, const Typed& t, size_t index) {
  const uint8_t* p = q.data();
  EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), t.call);
  EXPECT_EQ(rec::GetChar(p, qrec::kBandcode), t.band);
  EXPECT_EQ(Str(q, qrec::kMode, qrec::kModeCap), t.mode);
  EXPECT_EQ(rec::GetInt32(p, qrec::kDatum), Day20());
  EXPECT_EQ(rec::GetInt32(p, qrec::kZeit), t.zeit);
  EXPECT_EQ(rec::GetInt32(p, qrec::kWagNummer), static_cast<int32_t>(index + 1));
}

}  // namespace

// A '4' log: club number and locator; two bands, F8 switches; CW only.
TEST_F(QsoEntryTest, BrzPartyLogTypedKeyByKey) {
  CreateLog('4', [](TEingContestStd& dlg) {
    if (auto* e = Child<TkxEdit>(dlg, "eJahre")) QTest::keyClicks(e, u"123"_qs);
  });
  const std::vector<std::string> calls = MasterCalls(48, 1601, [](const std::string&) { return true; });
  ASSERT_EQ(calls.size(), 48u);
  const char* locators[] = {"JO31", "JO40HD", "JN58", "JO62", "IO91", "JO22", "KN09", "JO30", "JN49", "JO50"};
  std::vector<Typed> typed;
  RunWindow([&](TContestLogStd& w) {
    ASSERT_EQ(FocusName(), "eCall");
    int32_t clock = 8 * 3600 + 10;
    auto enter = [&](const std::string& call, char band) {
      const size_t i = typed.size();
      Typed t{call, {std::to_string(100 + (i * 37) % 900), locators[i % 10]}, band, "CW", clock};
      ClockAt(w, clock);
      clock += 37;
      Type(call);
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eRSTr2") << call;
      Type(t.fields[0]);
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eRSTr3") << call;
      Type(t.fields[1]);
      Press(Qt::Key_Return);  // the last field: saved, the next entry begins
      ASSERT_EQ(FocusName(), "eCall") << call;
      typed.push_back(t);
      ASSERT_EQ(StoredCount(nummer_), static_cast<int>(typed.size())) << call;
      EXPECT_EQ(A(w.eCall->text()), "");
    };

    for (size_t i = 0; i < 23; ++i) {
      if (i == 9) {
        // "TO" belongs to several entities: asked for at once, the second chosen.
        bool asked = false;
        WhenShown<TPrefAuswahl>([&asked](TPrefAuswahl& f) {
          asked = true;
          Activate(f);
          EXPECT_EQ(A(f.windowTitle()), "Auswahl DXCC");
          Press(Qt::Key_Down);
          Press(Qt::Key_Down);
          Press(Qt::Key_Return);
        });
        enter("TO5A", 'b');
        EXPECT_TRUE(asked);
      }
      enter(calls[i], 'b');
    }
    ASSERT_EQ(typed.size(), 24u);

    // Worked on this band already: warned, the entry cleared, nothing stored.
    msgs.Expect(Kind::Achtung, "Call " + HomeCallOf(calls[3]) + " bereits auf Band vorhanden");
    Type(calls[3]);
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(FocusName(), "eCall");
    EXPECT_EQ(A(w.eCall->text()), "");
    EXPECT_EQ(StoredCount(nummer_), 24);

    // A prefix the country file does not know: warned, the QSO stays typed.
    msgs.Expect(Kind::Achtung, "Präfix unbekannt");
    Type("QX1ABC");
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(A(w.eCall->text()), "QX1ABC");
    Press(Qt::Key_Escape);  // given up
    EXPECT_EQ(FocusName(), "eCall");
    EXPECT_EQ(A(w.eCall->text()), "");
    EXPECT_EQ(StoredCount(nummer_), 24);

    // The mode list by key: one mode, taken again; the band by key: two
    // bands, switched at once.
    Press(Qt::Key_F7);
    ASSERT_TRUE(w.listmode->isVisible());
    Press(Qt::Key_Return);
    EXPECT_FALSE(w.listmode->isVisible());
    EXPECT_EQ(w.Model().State.CurrentMode, "CW");
    Press(Qt::Key_F8);
    EXPECT_FALSE(w.listband->isVisible());
    EXPECT_EQ(w.Model().State.CurrentBand, 'c');
    EXPECT_EQ(LabelText(w, "lband"), "40 m");
    EXPECT_EQ(FocusName(), "eCall");

    for (size_t i = 23; i < 48; ++i) enter(calls[i], 'c');
    enter(calls[0], 'c');  // the band rule: on 40 m the station is new
    ASSERT_EQ(typed.size(), 50u);

    // The grid stands on the last QSO; the score is that of the stored log.
    const std::vector<TContestQsoRecord> stored = StoredLog(nummer_);
    ASSERT_EQ(stored.size(), 50u);
    EXPECT_EQ(w.Brow->CurrentRowRef(), rec::GetInt32(stored.back().data(), qrec::kNummer));
    EXPECT_EQ(LabelText(w, "lNummer"), "51");

    TContestRecord list;
    list_.GetContestRecord(list);
    std::map<char, int32_t> perBand;
    std::set<std::string> squares;
    TdbPrefix prefixes(kPrefixMain);
    for (size_t i = 0; i < stored.size(); ++i) {
      const TContestQsoRecord& q = stored[i];
      const Typed& t = typed[i];
      const uint8_t* p = q.data();
      SCOPED_TRACE(t.call);
      ExpectAsTyped(q, t, i);
      EXPECT_EQ(rec::GetInt32(p, qrec::kWagBandNr), ++perBand[t.band]);
      EXPECT_EQ(rec::GetInt32(p, qrec::kWagBandNrIntern), perBand[t.band]);
      EXPECT_EQ(rec::GetUInt16(p, qrec::kModeNr), i + 1);
      EXPECT_EQ(rec::GetChar(p, qrec::kQSLs), rec::GetChar(list.data(), crec::kQslSentDefault));
      EXPECT_EQ(TContestFkt::GetSentExchange(q), "599123/JO31");
      EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599" + t.fields[0] + "/" + t.fields[1]);
      EXPECT_EQ(Str(q, qrec::kLoc, qrec::kLocCap), t.fields[1]);
      EXPECT_EQ(rec::GetInt32(p, qrec::kQrb), QrbKm("JO31LK", t.fields[1]));
      EXPECT_EQ(rec::GetUInt16(p, qrec::kPunkte), 2);  // club number and locator given
      // A square counts once in the contest, on the QSO that brought it.
      const bool first = squares.insert(t.fields[1].substr(0, 4)).second;
      EXPECT_EQ(Str(q, qrec::kCMulti2, qrec::kCMulti2Cap), first ? t.fields[1].substr(0, 4) : "");
      EXPECT_EQ(rec::GetByte(p, qrec::kDupeMark), 0);
      const std::string dxcc = Str(q, qrec::kDXCC, qrec::kDXCCCap);
      if (t.call == "TO5A") {
        EXPECT_EQ(dxcc, "FM");  // the entity chosen in the dialog
        EXPECT_EQ(Str(q, qrec::kKontinent, qrec::kKontinentCap), "NA");
        continue;
      }
      Place want;
      ASSERT_TRUE(oracle_->Find(t.call, want));
      EXPECT_EQ(Str(q, qrec::kKontinent, qrec::kKontinentCap), want.Continent);
      EXPECT_EQ(ToStrings.Trim(prefixes.AdifNumberText(dxcc)), std::to_string(want.Adif)) << dxcc;
    }
    ExpectScoreOfFullRecount(w);
    EXPECT_TRUE(msgs.History().size() == 2u);
  });
}

// An 'X' log: the DOK of German stations (real DOKs of the DARC's call
// history), a number from the others; prefixes and DOKs count per band;
// SSB and CW switched by F7, 80 and 40 m by F8; the call book gives the DOK
// of a station worked before.
TEST_F(QsoEntryTest, ChristmasContestLogWithDoksAndTheCallBook) {
  CreateLog('X', [](TEingContestStd& dlg) {
    if (auto* e = Child<TkxEdit>(dlg, "eDOK")) QTest::keyClicks(e, u"z11"_qs);
  });
  // Stations with their DOK, and foreign ones of MASTER.SCP.
  std::vector<std::pair<std::string, std::string>> german;
  std::set<std::string> homes;
  for (size_t i = 0; i < doks_->size() && german.size() < 16; i += 151) {
    const auto& [call, dok] = (*doks_)[i];
    Place p;
    if (dok.empty() || dok.size() > 6 || !IsValidDok(dok, 'X') || !IsDokStation(call, 'X') ||
        call.size() > 10 || CheckCallForm(call) != 0 || !oracle_->Find(call, p) || !homes.insert(call).second)
      continue;
    german.emplace_back(call, dok);
  }
  ASSERT_EQ(german.size(), 16u);
  const std::vector<std::string> foreign =
      MasterCalls(10, 2011, [](const std::string& c) { return c[0] != 'D'; });
  ASSERT_EQ(foreign.size(), 10u);

  std::vector<Typed> typed;
  RunWindow([&](TContestLogStd& w) {
    int32_t clock = 8 * 3600 + 10;
    const std::string startMode = w.Model().State.CurrentMode;
    auto enter = [&](const std::string& call, const std::string& exchange) {
      ClockAt(w, clock);
      Typed t{call, {exchange}, w.Model().State.CurrentBand, w.Model().State.CurrentMode, clock};
      clock += 41;
      Type(call);
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eRSTr2") << call;
      // What the call book knows is there already; typing replaces it.
      t.fields[0] = TypeOver(exchange);
      Press(Qt::Key_Return);  // the only exchange field: saved
      ASSERT_EQ(FocusName(), "eCall") << call;
      typed.push_back(t);
      ASSERT_EQ(StoredCount(nummer_), static_cast<int>(typed.size())) << call;
    };
    for (size_t i = 0; i < 8; ++i) enter(german[i].first, german[i].second);
    for (size_t i = 0; i < 5; ++i) enter(foreign[i], std::to_string(10 + i));
    // A DOK that never counts is not stored, without a word.
    enter(german[8].first, "M29");

    // The other mode by F7: two modes toggle, the fixed RST follows.
    Press(Qt::Key_F7);
    EXPECT_FALSE(w.listmode->isVisible());
    ASSERT_NE(w.Model().State.CurrentMode, startMode);
    EXPECT_EQ(LabelText(w, "lMode"), w.Model().State.CurrentMode);
    EXPECT_EQ(LabelText(w, "lRSTs1"), w.Model().State.CurrentMode == "CW" ? "599" : "59 ");
    for (size_t i = 9; i < 16; ++i) enter(german[i].first, german[i].second);
    for (size_t i = 5; i < 10; ++i) enter(foreign[i], std::to_string(10 + i));

    // Worked on this band already.
    msgs.Expect(Kind::Achtung, "Call " + german[2].first + " bereits auf Band vorhanden");
    Type(german[2].first);
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredCount(nummer_), 26);

    // 40 m: stations worked on 80 m bring their DOK from the call book.
    Press(Qt::Key_F8);
    ASSERT_EQ(w.Model().State.CurrentBand, 'c');
    for (size_t i = 0; i < 4; ++i) {
      Type(german[i].first);
      Press(Qt::Key_Return);
      EXPECT_EQ(A(w.eRSTr[1]->text()), german[i].second) << german[i].first;
      ClockAt(w, clock);
      typed.push_back({german[i].first, {german[i].second}, 'c', w.Model().State.CurrentMode, clock});
      clock += 41;
      Press(Qt::Key_Return);
      ASSERT_EQ(StoredCount(nummer_), static_cast<int>(typed.size()));
    }
    ASSERT_EQ(typed.size(), 30u);

    const std::vector<TContestQsoRecord> stored = StoredLog(nummer_);
    ASSERT_EQ(stored.size(), typed.size());
    std::map<char, std::set<std::string>> doksOnBand, prefixesOnBand;
    for (size_t i = 0; i < stored.size(); ++i) {
      const TContestQsoRecord& q = stored[i];
      const Typed& t = typed[i];
      const uint8_t* p = q.data();
      SCOPED_TRACE(t.call);
      ExpectAsTyped(q, t, i);
      const std::string rst = t.mode == "CW" ? "599" : "59 ";
      EXPECT_EQ(TContestFkt::GetSentExchange(q), rst + "Z11");
      EXPECT_EQ(TContestFkt::GetReceivedExchange(q), rst + t.fields[0]);
      const bool dokStation = IsDokStation(t.call, 'X');
      const std::string dok = Str(q, qrec::kDOK1, qrec::kDOK1Cap) + Str(q, qrec::kDOK2, qrec::kDOK2Cap);
      EXPECT_EQ(dok, dokStation && t.fields[0] != "M29" ? t.fields[0] : "");
      EXPECT_EQ(rec::GetUInt16(p, qrec::kPunkte), 1);
      // Multipliers per band: a DOK and a prefix count on the QSO that brought them.
      const std::string prefix = Str(q, qrec::kPrefix, qrec::kPrefixCap);
      EXPECT_TRUE(!prefix.empty() && t.call.starts_with(prefix) && std::isdigit(static_cast<unsigned char>(prefix.back())))
          << prefix;
      const bool newDok = !dok.empty() && doksOnBand[t.band].insert(dok).second;
      EXPECT_EQ(Str(q, qrec::kCMulti, qrec::kCMultiCap), newDok ? dok : "");
      const bool newPrefix = prefixesOnBand[t.band].insert(prefix).second;
      EXPECT_EQ(Str(q, qrec::kCMulti2, qrec::kCMulti2Cap), newPrefix ? prefix : "");
    }
    ExpectScoreOfFullRecount(w);
  });
  // The call book keeps the DOK of every German station given one; the
  // station whose DOK was refused told nothing and has no entry.
  TdbCall book(kCallBook, false);
  for (size_t i = 0; i < german.size(); ++i) {
    ASSERT_EQ(book.FindCall(german[i].first), i != 8) << german[i].first;
    if (i != 8) {
      EXPECT_EQ(book.GetDOK(), german[i].second) << german[i].first;
    }
  }
}

// A 'v' log: the MRR number (a serial number of the exchange kind) and the
// rig, filled from the club's member lists; three modes and four bands
// chosen from their lists by key; a duplicate on band and mode is accepted
// but marked and scores nothing; a partner not listed is remembered for the
// rest of the contest.
TEST_F(QsoEntryTest, MilitaryRadioLogWithSerialNumbersAndMemberLists) {
  const std::vector<std::string> calls = MasterCalls(24, 2333, [](const std::string&) { return true; });
  ASSERT_EQ(calls.size(), 24u);
  // The first eight are members with their number and rig.
  {
    std::vector<std::string> mrr, rigs;
    for (size_t i = 0; i < 8; ++i) {
      mrr.push_back(HomeCallOf(calls[i]) + ";" + std::to_string(700 + i) + ";x");
      rigs.push_back(HomeCallOf(calls[i]) + ";" + "R" + std::to_string(390 + i));
    }
    ASSERT_TRUE(WriteTextFile(dir_.File(MemberFile::Mrr), mrr));
    ASSERT_TRUE(WriteTextFile(dir_.File(MemberFile::MrrRig), rigs));
  }
  CreateLog('v', [](TEingContestStd& dlg) {
    if (auto* memo = Child<QPlainTextEdit>(dlg, "memogroupzusatz3")) QTest::keyClicks(memo, u"R390"_qs);
  });
  std::vector<Typed> typed;
  RunWindow([&](TContestLogStd& w) {
    int32_t clock = 17 * 3600;
    // number and rig: typed when given, else what the lists filled in.
    auto enter = [&](const std::string& call, const std::string& number, const std::string& rig) {
      ClockAt(w, clock);
      Typed t{call, {}, w.Model().State.CurrentBand, w.Model().State.CurrentMode, clock};
      clock += 29;
      Type(call);
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eRSTr2") << call;
      t.fields.push_back(TypeOver(number));
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eRSTr3") << call;
      t.fields.push_back(TypeOver(rig));
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eCall") << call;
      typed.push_back(t);
      ASSERT_EQ(StoredCount(nummer_), static_cast<int>(typed.size())) << call;
    };
    // Chooses an item of a list opened by key: Down n times, Enter.
    auto choose = [&](Qt::Key key, QListWidget* list, int downs) {
      Press(key);
      ASSERT_TRUE(list->isVisible());
      for (int i = 0; i < downs; ++i) Press(Qt::Key_Down);
      Press(Qt::Key_Return);
      EXPECT_FALSE(list->isVisible());
      EXPECT_EQ(FocusName(), "eCall");
    };

    const char first = w.Model().State.CurrentBand;
    for (size_t i = 0; i < 6; ++i) enter(calls[i], "", "");             // members: all from the lists
    for (size_t i = 8; i < 14; ++i) enter(calls[i], std::to_string(i), "FT" + std::to_string(i));
    EXPECT_EQ(typed[0].fields, (std::vector<std::string>{"700", "R390"}));

    // The same station on the same band in the same mode: let through,
    // marked as worked before, no points.
    Type(calls[9]);
    Press(Qt::Key_Return);
    EXPECT_EQ(LabelText(w, "lqsopartner"), "SCHON GEARBEITET");
    w.eRSTr[1]->selectAll();
    Type("9");
    Press(Qt::Key_Return);
    Type("FT9");
    ClockAt(w, clock);
    typed.push_back({calls[9], {"9", "FT9"}, first, w.Model().State.CurrentMode, clock});
    clock += 29;
    Press(Qt::Key_Return);
    ASSERT_EQ(StoredCount(nummer_), 13);
    EXPECT_EQ(LabelText(w, "lqsopartner"), "QSO-Partner");

    // Another mode and another band, each from its list.
    const std::string mode0 = w.Model().State.CurrentMode;
    choose(Qt::Key_F7, w.listmode, 1);
    EXPECT_NE(w.Model().State.CurrentMode, mode0);
    choose(Qt::Key_F8, w.listband, 2);
    EXPECT_NE(w.Model().State.CurrentBand, first);
    for (size_t i = 14; i < 24; ++i) enter(calls[i], std::to_string(i), "");
    // Members and the partners added in memory bring their values.
    enter(calls[6], "", "");
    enter(calls[8], "", "");
    EXPECT_EQ(typed.back().fields, (std::vector<std::string>{"8", "FT8"}));
    ASSERT_EQ(typed.size(), 25u);

    const std::vector<TContestQsoRecord> stored = StoredLog(nummer_);
    ASSERT_EQ(stored.size(), typed.size());
    std::map<std::string, int> modeNumbers;
    for (size_t i = 0; i < stored.size(); ++i) {
      const TContestQsoRecord& q = stored[i];
      const Typed& t = typed[i];
      const uint8_t* p = q.data();
      SCOPED_TRACE(t.call);
      ExpectAsTyped(q, t, i);
      EXPECT_EQ(rec::GetUInt16(p, qrec::kModeNr), ++modeNumbers[t.mode]);
      const std::string rst = t.mode == "CW" ? "599" : "59 ";
      // The own serial number with three digits and the own rig; the
      // partner's number written with three digits too.
      EXPECT_EQ(TContestFkt::GetSentExchange(q), rst + ToStrings.IntToStrZero(static_cast<int32_t>(i + 1), 3) + "/R390");
      const std::string number = ToStrings.IntToStrZero(std::stoi(t.fields[0]), 3);
      EXPECT_EQ(TContestFkt::GetReceivedExchange(q), rst + number + (t.fields[1].empty() ? "" : "/" + t.fields[1]));
      const bool marked = i == 12;
      EXPECT_EQ(rec::GetByte(p, qrec::kDupeMark), marked ? 255 : 0);
      EXPECT_EQ(rec::GetUInt16(p, qrec::kPunkte), marked ? 0 : 1);
    }
    ExpectScoreOfFullRecount(w);
    // Partners not in the lists are there now, in memory only.
    TMemberLists& lists = w.Model().Companion().MemberLists();
    const int line = lists.FindMemberLine(MemberFile::Mrr, calls[10], 1);
    ASSERT_GE(line, 0);
    EXPECT_TRUE(lists.IsAddedLine(line, 1));
    EXPECT_EQ(lists.MemberField(2, line, 1), "10");
  });
  std::vector<std::string> file;
  ASSERT_TRUE(ReadTextFile(dir_.File(MemberFile::Mrr), file));
  EXPECT_EQ(file.size(), 8u);  // never written
}

}  // namespace qsoentry
