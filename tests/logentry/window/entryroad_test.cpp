// The entry of the log window on the roads an operator takes besides plain
// typing: a click into the grid and back into the call, the band button
// clicked with the mouse, an entry given up by Esc or "Clear", a call too
// long for the log, and F10 pressed in the middle of the exchange. Offscreen
// on the real window; the stored QSOs are read back and the score labels
// compared with a full recount of the stored log.
#include <QTableView>

#include "logentry/qsoentry_fixture.h"

namespace qsoentry {
namespace {


void ClickInto(QWidget* w) {
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2));
}

// A click on the first row of the log grid.
void ClickGridRow(TContestLogStd& w) {
  QTableView* grid = w.Brow->Grid();
  ASSERT_NE(grid, nullptr);
  const QRect row = grid->visualRect(grid->model()->index(0, 1));
  ASSERT_TRUE(row.isValid());
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row.center());
}

// The texts of the score panel, the headline and the markers.
std::vector<std::string> Figures(TContestLogStd& w) {
  std::vector<std::string> out;
  for (const char* name : {"Label28", "Label19", "Label20", "Label21", "lqso", "lmulti", "lPunkte"})
    out.push_back(LabelText(w, name));
  for (int i = 1; i <= 7; ++i)
    for (const char* kind : {"leQSO", "leMulti", "lePunkte"})
      out.push_back(LabelText(w, (kind + std::to_string(i)).c_str()));
  for (const TMultiEntry& m : w.Model().View.Multis) out.push_back(m.Text + ":" + std::to_string(m.Status));
  return out;
}

}  // namespace

class EntryRoadTest : public QsoEntryTest {
 protected:
  // A BRZ party QSO typed key by key: call, club number, square; Enter after each.
  void TypeQso(TContestLogStd& w, const std::string& call, const std::string& nr, const std::string& loc) {
    ClockAt(w, clock_);
    clock_ += 40;
    Type(call);
    Press(Qt::Key_Return);
    ASSERT_EQ(FocusName(), "eRSTr2") << call;
    Type(nr);
    Press(Qt::Key_Return);
    ASSERT_EQ(FocusName(), "eRSTr3") << call;
    Type(loc);
    Press(Qt::Key_Return);
    ASSERT_EQ(FocusName(), "eCall") << call;
  }
  // A few QSOs on 80 m, four squares among them.
  void TypeLog(TContestLogStd& w) {
    const std::vector<std::string> calls = MasterCalls(6, 2311, [](const std::string&) { return true; });
    ASSERT_EQ(calls.size(), 6u);
    const char* squares[] = {"JO31", "JO40HD", "JN58", "JO62", "JO31", "JN58"};
    for (size_t i = 0; i < calls.size(); ++i) TypeQso(w, calls[i], std::to_string(101 + i), squares[i]);
    ASSERT_EQ(StoredLog(nummer_).size(), calls.size());
  }
  int32_t clock_ = 8 * 3600 + 10;
};

// A click into the grid while a call is typed is list mode, which empties
// the entry; a click back into the call begins a new entry, so the QSO typed
// then is stored on the band and in the mode the window shows.
TEST_F(EntryRoadTest, BackFromTheGridTheQsoGetsTheWindowsBandAndMode) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    TypeLog(w);
    Press(Qt::Key_F8);  // on to 40 m
    ASSERT_EQ(LabelText(w, "lband"), "40 m");
    TypeQso(w, "OK1RF", "201", "JN79");
    Type("DL7ABC");
    ClickGridRow(w);
    EXPECT_FALSE(w.InEntryMode());
    EXPECT_EQ(A(w.eCall->text()), "");
    ClickInto(w.eCall);
    EXPECT_TRUE(w.InEntryMode());
    EXPECT_EQ(FocusName(), "eCall");
    TypeQso(w, "DL7ABC", "202", "JO62");
    // Back from the grid by a click into the exchange: the focus stays there.
    ClickGridRow(w);
    ClickInto(w.eRSTr[1]);
    EXPECT_EQ(FocusName(), "eRSTr2");
    w.eCall->setFocus();
    TypeQso(w, "SP9XY", "203", "KO00");

    const std::vector<TContestQsoRecord> log = StoredLog(nummer_);
    ASSERT_EQ(log.size(), 9u);
    for (size_t i = 6; i < log.size(); ++i) {
      const TContestQsoRecord& q = log[i];
      SCOPED_TRACE(Str(q, qrec::kCall, qrec::kCallCap));
      EXPECT_EQ(rec::GetChar(q.data(), qrec::kBandcode), 'c');
      EXPECT_EQ(Str(q, qrec::kMode, qrec::kModeCap), "CW");
      EXPECT_EQ(rec::GetInt32(q.data(), qrec::kWagNummer), static_cast<int32_t>(i + 1));
      EXPECT_EQ(rec::GetInt32(q.data(), qrec::kWagBandNr), static_cast<int32_t>(i - 5));
    }
    ExpectScoreOfFullRecount(w);
  });
}

// An entry given up leaves every figure of the window as it was: a new
// square typed and then Esc, the same with "Clear", and a call refused as
// too long, each more than once.
TEST_F(EntryRoadTest, AnEntryGivenUpLeavesTheScoreAsItWas) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    TypeLog(w);
    ExpectScoreOfFullRecount(w);
    const std::vector<std::string> before = Figures(w);
    auto newSquare = [&](const std::string& call, const std::string& square) {
      Type(call);
      Press(Qt::Key_Return);
      Type("333");
      Press(Qt::Key_Return);
      Type(square);
      // Typed, the square counts at once.
      ASSERT_NE(Figures(w), before) << square;
    };
    for (const char* square : {"KM71AA", "KN18"}) {
      newSquare("OK1RF", square);
      Press(Qt::Key_Escape);
      EXPECT_EQ(A(w.eCall->text()), "");
      windowscore::ExpectWindowShowsFullRecount(w, std::string("Esc after ") + square);
      EXPECT_EQ(Figures(w), before);
    }
    for (const char* square : {"KM72", "IO91"}) {
      newSquare("G3XYZ", square);
      ClickInto(w.btnClear);
      EXPECT_EQ(A(w.eCall->text()), "");
      windowscore::ExpectWindowShowsFullRecount(w, std::string("Clear after ") + square);
      EXPECT_EQ(Figures(w), before);
    }
    EXPECT_EQ(StoredLog(nummer_).size(), 6u);
  });
}

// A log opens on the band of its last QSO with its figures counted there
// once, which the first entry takes as they stand; a QSO that another
// handle deletes under the window takes its square off the band's markers
// at the next "Clear" (the totals wait for the next full recount, as they
// always have).
TEST_F(EntryRoadTest, AReopenedLogCountsOnItsLastBandAndSeesChangesUnderIt) {
  CreateLog('4');
  std::vector<std::string> closedWith;
  RunWindow([&](TContestLogStd& w) {
    TypeLog(w);
    Press(Qt::Key_F8);  // on to 40 m
    TypeQso(w, "OK1RF", "201", "JN79");
    TypeQso(w, "SP9XY", "202", "KO00");
    closedWith = Figures(w);
  });
  RunWindow([&](TContestLogStd& w) {
    EXPECT_EQ(LabelText(w, "lband"), "40 m");
    windowscore::ExpectWindowShowsFullRecount(w, "reopened");
    EXPECT_EQ(Figures(w), closedWith);
    {
      TdbContest log(kContestLog, false, nummer_);
      ASSERT_TRUE(log.Last(qrec::kKeyNummer));
      ASSERT_TRUE(log.Delete());
    }
    auto hasSquare = [&](const std::string& square) {
      for (const TMultiEntry& m : w.Model().View.Multis)
        if (m.Text.find(square) != std::string::npos) return true;
      return false;
    };
    ASSERT_TRUE(hasSquare("KO00"));
    ClickInto(w.btnClear);
    EXPECT_FALSE(hasSquare("KO00"));
    EXPECT_TRUE(hasSquare("JN79"));
  });
}

// A call longer than the log holds is refused as the call is left, by Tab,
// Enter or the mouse, before anything else is typed; the call stays to be
// mended and counts for nothing meanwhile.
TEST_F(EntryRoadTest, ACallTooLongIsRefusedAsTheCallIsLeft) {
  CreateLog('X', [](TEingContestStd& dlg) {
    if (auto* e = Child<TkxEdit>(dlg, "eDOK")) QTest::keyClicks(e, u"z11"_qs);
  });
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 9 * 3600);
    ExpectScoreOfFullRecount(w);
    const std::vector<std::string> before = Figures(w);
    const char* tooLong = "Das Rufzeichen ist zu lang (höchstens 12 Zeichen).";
    Type("VP2E/DL2XYZ/P");
    ASSERT_EQ(A(w.eCall->text()), "VP2E/DL2XYZ/P");
    // While typed, its country counts.
    ASSERT_NE(Figures(w), before);
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Return}) {
      msgs.Expect(Kind::Achtung, tooLong);
      Press(key);
      EXPECT_TRUE(msgs.AllShown());
      EXPECT_EQ(FocusName(), "eCall");
      EXPECT_EQ(A(w.eCall->text()), "VP2E/DL2XYZ/P");
      windowscore::ExpectWindowShowsFullRecount(w, "refused");
      EXPECT_EQ(Figures(w), before);
    }
    msgs.Expect(Kind::Achtung, tooLong);
    ClickInto(w.eRSTr[1]);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(FocusName(), "eCall");
    EXPECT_TRUE(StoredLog(nummer_).empty());
    // Off to the grid instead: list mode gives the call up.
    msgs.Expect(Kind::Achtung, tooLong);
    ClickInto(w.Brow->Grid()->viewport());
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_FALSE(w.InEntryMode());
    EXPECT_EQ(A(w.eCall->text()), "");
    windowscore::ExpectWindowShowsFullRecount(w, "list mode");
    ClickInto(w.eCall);
    Type("VP2E/DL2XYZ/P");
    // Mended, it goes on as any call.
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Return);
    EXPECT_EQ(FocusName(), "eRSTr2");
  });
}

// The same refusal after the entry was given up by Esc or "Clear", which
// leave the keyboard in the call: a new call typed there is left like any
// other, whichever key or click leaves it, and mended it goes in.
TEST_F(EntryRoadTest, ACallTooLongIsRefusedAfterEscOrClear) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    TypeQso(w, "OK1RF", "201", "JN79");
    const char* tooLong = "Das Rufzeichen ist zu lang (höchstens 12 Zeichen).";
    const std::pair<const char*, std::function<void()>> giveUps[] = {
        {"Esc", [] { Press(Qt::Key_Escape); }}, {"Clear", [&w] { ClickInto(w.btnClear); }}};
    const std::pair<const char*, std::function<void()>> leaves[] = {
        {"Enter", [] { Press(Qt::Key_Return); }},
        {"Tab", [] { Press(Qt::Key_Tab); }},
        {"Shift+Tab", [] { Press(Qt::Key_Backtab, Qt::ShiftModifier); }},
        {"click", [&w] { ClickInto(w.eRSTr[1]); }}};
    for (const auto& [givenUpBy, giveUp] : giveUps) {
      for (const auto& [leftBy, leave] : leaves) {
        const std::string how = std::string(givenUpBy) + ", then " + leftBy;
        Type("DK1RI");
        giveUp();
        ASSERT_EQ(A(w.eCall->text()), "") << how;
        ASSERT_EQ(FocusName(), "eCall") << how;
        Type("DL1234567890AB");
        msgs.Expect(Kind::Achtung, tooLong);
        leave();
        EXPECT_TRUE(msgs.AllShown()) << how;
        EXPECT_EQ(FocusName(), "eCall") << how;
        EXPECT_EQ(A(w.eCall->text()), "DL1234567890AB") << how;
        Press(Qt::Key_Escape);
      }
    }
    ASSERT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredLog(nummer_).size(), 1u);
    // Given up once more and mended: stored whole.
    Type("DL1234567890AB");
    Press(Qt::Key_Escape);
    TypeQso(w, "DL1234567890", "202", "JO62");
    const std::vector<TContestQsoRecord> log = StoredLog(nummer_);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(Str(log.back(), qrec::kCall, qrec::kCallCap), "DL1234567890");
  });
}

// The band button "..." clicked with the mouse: the band changes and the
// keyboard is back in the call, so the next call typed is taken.
TEST_F(EntryRoadTest, AfterTheBandButtonTheNextCallGoesIntoTheCall) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    ASSERT_TRUE(w.btnBand->isVisible());
    ClickInto(w.btnBand);
    EXPECT_EQ(LabelText(w, "lband"), "40 m");
    EXPECT_EQ(FocusName(), "eCall");
    TypeQso(w, "OK1RF", "201", "JN79");
    ClickInto(w.btnBand);
    EXPECT_EQ(LabelText(w, "lband"), "80 m");
    TypeQso(w, "OK1RF", "202", "JN79");
    const std::vector<TContestQsoRecord> log = StoredLog(nummer_);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(rec::GetChar(log[0].data(), qrec::kBandcode), 'c');
    EXPECT_EQ(rec::GetChar(log[1].data(), qrec::kBandcode), 'b');
  });
}

// F10 in the square's field leaves it as Enter does: a square that is no
// locator gets Enter's warning, then the QSO is saved as Enter saves it
// (the square as far as it was a locator, no distance).
TEST_F(EntryRoadTest, F10LeavesTheFieldAsEnterDoes) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    TypeLog(w);
    char suffix = 'A';
    const std::pair<Qt::Key, const char*> typed[] = {
        {Qt::Key_Return, "JO73A"}, {Qt::Key_Return, "JO720AB"}, {Qt::Key_Return, "JO48YY"},
        {Qt::Key_F10, "JO83A"},    {Qt::Key_F10, "JO820AB"},    {Qt::Key_F10, "JO58YY"}};
    for (const auto& [key, bad] : typed) {
      const std::string call = std::string("SP1") + suffix++ + "A";
      const std::string how = std::string(bad) + (key == Qt::Key_F10 ? " F10" : " Enter");
      ClockAt(w, clock_);
      clock_ += 40;
      Type(call);
      Press(Qt::Key_Return);
      Type("404");
      Press(Qt::Key_Return);
      Type(bad);
      msgs.Expect(Kind::Achtung, "Fehler bei Locator-Angabe");
      Press(key);
      EXPECT_TRUE(msgs.AllShown()) << how;
      EXPECT_EQ(A(w.eCall->text()), "") << how;
      EXPECT_EQ(FocusName(), "eCall") << how;
      windowscore::ExpectWindowShowsFullRecount(w, how);
      const TContestQsoRecord q = StoredLog(nummer_).back();
      ASSERT_EQ(Str(q, qrec::kCall, qrec::kCallCap), call) << how;
      const std::string square = std::string(bad).substr(0, 4);
      EXPECT_EQ(TContestFkt::GetReceivedExchange(q), std::string("599404/") + bad) << how;
      EXPECT_EQ(Str(q, qrec::kLoc, qrec::kLocCap), square) << how;
      EXPECT_EQ(Str(q, qrec::kCMulti2, qrec::kCMulti2Cap), square) << how;
      EXPECT_EQ(rec::GetInt32(q.data(), qrec::kQrb), 0) << how;
    }
    EXPECT_EQ(StoredLog(nummer_).size(), 12u);
  });
}

}  // namespace qsoentry
