// A contest as a new user works it in the real log window with its real
// dialogs, offscreen: QSOs typed key by key, entries given up, a QSO changed
// through "QSO ändern", one deleted, a note, the QSO list opened and closed,
// and the window ended by "Contest beenden". Afterwards the score labels
// are compared with a full recount of the stored log. The windows the log
// window opens over itself, and where the keyboard is once they are gone.
#include <QTableView>

#include "logentry/AdifImportDriver.h"
#include "logentry/dialogs/ContestEingabeStd2Form.h"
#include "logentry/dialogs/qsowindowservices.h"
#include "logentry/dialogs/stdgetband.h"
#include "logentry/dialogs/stdkorr.h"
#include "logentry/dialogs/suchenQE.h"
#include "logentry/qsoentry_fixture.h"

namespace qsoentry {
namespace {


class ContestRoadTest : public QsoEntryTest {
 protected:
  void SetUp() override {
    QsoEntryTest::SetUp();
    InstallQsoWindowServices();
  }
  void TearDown() override {
    LogWindowServices() = TLogWindowServices();
    QsoEntryTest::TearDown();
  }
  // A BRZ party QSO typed key by key: call, club number, square.
  void TypeQso(TContestLogStd& w, const std::string& call, const std::string& nr, const std::string& loc) {
    ClockAt(w, clock_);
    clock_ += 47;
    Type(call);
    Press(Qt::Key_Return);
    ASSERT_EQ(FocusName(), "eRSTr2") << call;
    Type(nr);
    Press(Qt::Key_Return);
    Type(loc);
    Press(Qt::Key_Return);
    ASSERT_EQ(FocusName(), "eCall") << call;
    ASSERT_EQ(A(w.eCall->text()), "") << call;
  }
  // The QSO of the grid's first row changed through "QSO ändern", opened by
  // a double-click on the row or by the button: its time typed anew in the
  // dialog, which stores it as it closes. The window is not made active
  // again: the click that follows is the one that activates it, as on a
  // desktop after the dialog.
  void ChangeFromTheGrid(TContestLogStd& w, const char* time, bool byButton) {
    Activate(w);
    QTableView* grid = w.Brow->Grid();
    const QRect row = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_FALSE(w.InEntryMode());
    bool shown = false;
    WhenShown<TContestEingabeStd2Form>([&shown, time](TContestEingabeStd2Form& form) {
      shown = true;
      Activate(form);
      QTest::mouseClick(form.ezeit, Qt::LeftButton);
      Press(Qt::Key_A, Qt::ControlModifier);
      Type(time);
      Press(Qt::Key_Escape);
    });
    if (byButton)
      QTest::mouseClick(w.btnAendern, Qt::LeftButton);
    else
      QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_TRUE(shown);
  }
  // Every figure the window shows, by its label, and the multiplier
  // panel's markers.
  static std::vector<std::string> Figures(TContestLogStd& w) {
    std::vector<std::string> out;
    for (const QLabel* l : w.findChildren<QLabel*>()) out.push_back(A(l->objectName()) + " " + A(l->text()));
    for (const TMultiEntry& m : w.Model().View.Multis) out.push_back(m.Text + " " + std::to_string(m.Status));
    return out;
  }
  void RunTheContest(const std::function<void(TContestLogStd&, const char*)>& check);
  int32_t clock_ = 8 * 3600 + 10;
};

}  // namespace

// After a QSO is changed through "QSO ändern", one click on any of the
// three "Contest beenden" ends the window, as it does after typing.
TEST_F(ContestRoadTest, OneClickOnContestBeendenEndsTheWindowAfterAChange) {
  CreateLog('4');
  const std::vector<std::string> calls = MasterCalls(6, 3001, [](const std::string&) { return true; });
  ASSERT_EQ(calls.size(), 6u);
  const char* closers[] = {"btnbeenden2", "btnbeenden", "MenueBeenden"};
  for (size_t j = 0; j < 6; ++j) {
    const char* closer = closers[j % 3];
    bool closed = false;
    RunWindow([&](TContestLogStd& w) {
      TypeQso(w, calls[j], "123", "JO40");
      ChangeFromTheGrid(w, j % 2 == 0 ? "0701" : "0702", j >= 3);
      ASSERT_TRUE(w.isVisible());
      QWidget* c = w.findChild<QWidget*>(QString::fromLatin1(closer));
      ASSERT_NE(c, nullptr);
      QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(std::min(20, c->width() / 2), c->height() / 2));
      closed = !w.isVisible();
    });
    EXPECT_TRUE(closed) << closer << (j >= 3 ? " after the button" : " after a double-click");
  }
  EXPECT_EQ(StoredCount(nummer_), 6);
}

// The contest a new user types: 45 QSOs on two bands, an entry given up,
// a note, the QSO list opened and closed, a QSO deleted. check runs after
// each of the last three and at the end.
void ContestRoadTest::RunTheContest(const std::function<void(TContestLogStd&, const char*)>& check) {
  CreateLog('4');
  const std::vector<std::string> calls = MasterCalls(45, 1409, [](const std::string&) { return true; });
  ASSERT_EQ(calls.size(), 45u);
  const char* squares[] = {"JO31", "JO40HD", "JN58", "JO62", "IO91", "JO22", "KN09", "JO30", "JN49", "JO50", "JO61"};
  RunWindow([&](TContestLogStd& w) {
    check(w, "at opening");
    for (size_t i = 0; i < calls.size(); ++i) {
      if (i == 25) Press(Qt::Key_F8);  // on to 40 m
      TypeQso(w, calls[i], std::to_string(100 + i * 7), squares[i % 11]);
      if (i == 10) {
        // A new square typed, then the entry given up.
        Type("OK1RF");
        Press(Qt::Key_Return);
        Type("555");
        Press(Qt::Key_Return);
        Type("KM71AA");
        Press(Qt::Key_Escape);
        check(w, "entry given up");
      }
      if (i == 20) {
        Press(Qt::Key_F6);  // a note, stamped with the last QSO's call
        EXPECT_EQ(FocusName(), "eCall");
      }
      if (i == 30) {
        WhenShown<TKorrekturstd>([](TKorrekturstd& list) {
          Activate(list);
          Press(Qt::Key_Escape);
        });
        Press(Qt::Key_F12);
        Activate(w);
        check(w, "after the QSO list");
        w.eCall->setFocus();
      }
    }
    ASSERT_EQ(StoredCount(nummer_), 45);
    // The QSO before the newest deleted from the grid.
    Press(Qt::Key_F5);
    Press(Qt::Key_Up);
    msgs.Expect(Kind::Achtung, "Durch das Löschen eines Eintrages");
    msgs.Expect(Kind::JaNeinFrage, "löschen?", true);
    QTest::mouseClick(w.btnLoeschen, Qt::LeftButton);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredCount(nummer_), 44);
    check(w, "after the delete");
  });
}

TEST_F(ContestRoadTest, AFortyFiveQsoContestEndsWithTheScoreOfAFullRecount) {
  RunTheContest([](TContestLogStd& w, const char* where) { windowscore::ExpectWindowShowsFullRecount(w, where); });
}

// The same contest: the log grid keeps the widths of its columns through
// it, the QSO list opened and closed included.
TEST_F(ContestRoadTest, AFortyFiveQsoContestKeepsTheGridsColumnWidths) {
  std::vector<int> widths;
  RunTheContest([&widths](TContestLogStd& w, const char* where) {
    if (widths.empty()) widths = w.GridColumnWidths();
    EXPECT_EQ(w.GridColumnWidths(), widths) << where;
  });
}

// The windows the log window opens over itself, by their keys from the
// middle of a QSO and with nothing typed, and messages between: once they
// are gone the log window is the active one. Where the entry is kept as it
// was (the callsign search, the band chooser or the import given up, a
// warning as a field is left) the keys typed next go on in the field the
// user was in or moved to, and the figures shown stay; where it is cleared
// (the QSO list, the band log, a refused duplicate, a save, "QSO ändern")
// they go into the call.
TEST_F(ContestRoadTest, AfterAWindowOverTheLogWindowTheKeysGoWhereTheEntryNeedsThem) {
  CreateLog('4');
  // The list that comes up is the active window, as the window manager
  // makes it, before Esc is pressed in it.
  const auto escapeList = [] {
    WhenShown<TKorrekturstd>([](TKorrekturstd& list) {
      Activate(list);
      Press(Qt::Key_Escape);
    });
  };
  // The import dialog, up over the log window, closed without a file.
  const auto importGivenUp = [](const std::function<void(TContestAdifimportForm*)>& close) {
    adifdialog::WhenShown([close](TContestAdifimportForm* form) {
      Activate(*form);
      close(form);
    });
    QTest::mouseClick(CurrentLogWindow()->btnadifimport, Qt::LeftButton);
  };
  struct Road {
    const char* name;
    std::function<void()> open;
    bool keeps;  // the entry stays as it was
  };
  const Road roads[] = {
      {"callsign search given up",
       [&] {
         WhenShown<TSucheQE_>([&](TSucheQE_& search) {
           escapeList();  // the list comes all the same, on the newest QSO
           QTest::mouseClick(search.btnAbbruchzq4, Qt::LeftButton);
         });
         Press(Qt::Key_F4);
       },
       true},
      {"band chooser given up",
       [] {
         WhenShown<Tstdband>([](Tstdband&) { Press(Qt::Key_Escape); });
         Press(Qt::Key_F3, Qt::AltModifier);
       },
       true},
      {"band log",
       [&] {
         WhenShown<Tstdband>([&](Tstdband&) {
           escapeList();
           Press(Qt::Key_Return);
         });
         Press(Qt::Key_F3, Qt::AltModifier);
       },
       false},
      {"QSO list",
       [&] {
         escapeList();
         Press(Qt::Key_F12);
       },
       false},
      {"ADIF import given up by Esc", [&] { importGivenUp([](TContestAdifimportForm*) { Press(Qt::Key_Escape); }); },
       true},
      {"ADIF import given up by Abbruch",
       [&] { importGivenUp([](TContestAdifimportForm* form) { adifdialog::Click(form->BitBtn1); }); }, true},
      {"ADIF import given up by the close box",
       [&] { importGivenUp([](TContestAdifimportForm* form) { form->close(); }); }, true},
  };
  struct Start {
    const char* name;
    std::vector<std::string> typed;  // the call, BRZ-Nr, Loc: as far as typed
  };
  const Start starts[] = {{"in BRZ-Nr", {"DM2AA", "1"}}, {"in Loc", {"DL2ZZ", "12", "JO4"}}, {"nothing typed", {}}};
  const char* fields[] = {"eCall", "eRSTr2", "eRSTr3"};

  RunWindow([&](TContestLogStd& w) {
    TypeQso(w, "DK1RI", "7", "JO40");  // the lists have a QSO to show
    // After the windows of the road, the keys typed go into the field
    // expected to hold the keyboard, after what it held.
    const auto expectKeyboard = [&](const std::string& how, size_t at, std::vector<std::string> texts) {
      const std::string keyboard = KeyboardAfterWindows(w);
      EXPECT_EQ(keyboard, fields[at]) << how;
      if (keyboard == fields[at]) {
        QTest::keyClicks(QApplication::focusWidget(), u"9"_qs);
        texts.resize(3);
        texts[at] += "9";
        for (size_t i = 0; i < 3; ++i)
          EXPECT_EQ(A(Child<TkxEdit>(w, fields[i])->text()), texts[i]) << how << " " << fields[i];
      }
      // The entry given up for the next road.
      Activate(w);
      Press(Qt::Key_Escape);
    };
    for (const Road& road : roads) {
      for (const Start& start : starts) {
        const std::string how = std::string(road.name) + ", " + start.name;
        TypeHalfQso(start.typed);
        const std::vector<std::string> figures = Figures(w);
        road.open();
        // An entry kept keeps its tentative multipliers: every figure as it was.
        if (road.keeps) {
          EXPECT_EQ(Figures(w), figures) << how;
        }
        const size_t was = start.typed.empty() ? 0 : start.typed.size() - 1;
        expectKeyboard(how, road.keeps ? was : 0, road.keeps ? start.typed : std::vector<std::string>{});
      }
    }

    // Messages between, as fields are left. A warning keeps the entry: the
    // keyboard in the field Tab or Shift+Tab went to. The call of a QSO
    // stored is refused and the entry starts afresh; F10 stores a QSO with
    // a bad square after the warning: the keyboard in the new entry's call.
    const auto afterMessage = [&](const char* text, const std::vector<std::string>& typed, Qt::Key key,
                                  Qt::KeyboardModifiers modifiers, size_t at, const std::vector<std::string>& kept) {
      MessageWindows messages;
      messages.Expect(Kind::Achtung, text);
      TypeHalfQso(typed);
      Press(key, modifiers);
      EXPECT_TRUE(messages.AllShown()) << text;
      expectKeyboard(text, at, kept);
    };
    afterMessage("Präfix unbekannt", {"QX1ABC"}, Qt::Key_Tab, Qt::NoModifier, 1, {"QX1ABC"});
    afterMessage("Locator-Angabe", starts[1].typed, Qt::Key_Backtab, Qt::ShiftModifier, 1, starts[1].typed);
    afterMessage("bereits auf Band vorhanden", {"DK1RI"}, Qt::Key_Tab, Qt::NoModifier, 0, {});
    afterMessage("Locator-Angabe", starts[1].typed, Qt::Key_F10, Qt::NoModifier, 0, {});
    EXPECT_EQ(StoredCount(nummer_), 2);
    // "QSO ändern" from the grid, which gave the entry up.
    ChangeFromTheGrid(w, "0701", true);
    expectKeyboard("QSO ändern", 0, {});
  });
}

// The import dialog comes up over the log window in the middle of a QSO:
// Esc, the first key the user presses in it, gives the dialog up -- it
// does not reach the entry below, which the dialog has taken the keyboard
// from -- and the keys typed after it go on in the field the user was in.
TEST_F(ContestRoadTest, EscPressedAsTheImportDialogComesUpGivesTheDialogUpAndKeepsTheEntry) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    TypeHalfQso({"DM2AA", "1"});
    bool closedByEsc = false;
    adifdialog::WhenShown([&closedByEsc](TContestAdifimportForm* form) {
      Press(Qt::Key_Escape);
      closedByEsc = !form->isVisible();
    });
    QTest::mouseClick(w.btnadifimport, Qt::LeftButton);
    EXPECT_TRUE(closedByEsc);
    EXPECT_EQ(KeyboardAfterWindows(w), "eRSTr2");
    EXPECT_EQ(A(w.eCall->text()), "DM2AA");
    EXPECT_EQ(A(Child<TkxEdit>(w, "eRSTr2")->text()), "1");
  });
}

}  // namespace qsoentry
