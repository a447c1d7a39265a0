// The note of the log window (F6) on the real window with the real note
// window over it: however the note is closed, with or without its question,
// the log window is the active one again, the keyboard back in the field the
// note was opened from (the call when no QSO is being typed), and what the
// operator types next goes there.
#include <QTextEdit>

#include "logentry/qsoentry_fixture.h"
#include "outputs/ToolsFkt.h"
#include "outputs/ToolsMemoForm.h"
#include "platform/paths.h"
#include "support/HangGuard.h"
#include "support/HeldKey.h"
#include "ui/kxbuttons.h"

namespace qsoentry {
namespace {

// How the note is closed.
enum class Close { Escape, CloseBox, Ok, Cancel };

struct Road {
  const char* name;
  const char* typed;  // into the note; nothing: no question
  Close close;
  bool keep;  // the answer to the question
};

}  // namespace

class LogNoteTest : public QsoEntryTest {
 protected:
  void SetUp() override {
    QsoEntryTest::SetUp();
    InstallToolsFkt();
  }
  void TearDown() override {
    SetMemoWindow(nullptr);
    QsoEntryTest::TearDown();
  }

  // F6, the note given its text and closed by close; the note file's first line.
  std::string NoteClosedBy(const char* text, std::function<void(TToolsMemoForm&)> close) {
    WhenModal([text, close](QWidget* w) {
      auto* form = qobject_cast<TToolsMemoForm*>(w);
      ASSERT_NE(form, nullptr);
      QTest::keyClicks(form->richedit1, QString::fromLatin1(text));
      close(*form);
    });
    Press(Qt::Key_F6);
    ProcessEventsUntilIdle();
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextFile(ProgramDirectory + "Test.TXT", lines));
    return lines.empty() ? std::string() : lines.front();
  }

  // F6 pressed where the keyboard is, the note closed on the road; the
  // lines of the note file afterwards.
  std::vector<std::string> NoteOnRoad(const Road& road) {
    bool shown = false;
    WhenModal([&shown, road](QWidget* w) {
      auto* note = qobject_cast<TToolsMemoForm*>(w);
      ASSERT_NE(note, nullptr);
      shown = true;
      if (*road.typed != 0) QTest::keyClicks(note->richedit1, QString::fromLatin1(road.typed));
      switch (road.close) {
        case Close::Escape: QTest::keyClick(note->richedit1, Qt::Key_Escape); break;
        case Close::CloseBox: note->close(); break;
        case Close::Ok: QTest::mouseClick(note->btnOK, Qt::LeftButton); break;
        case Close::Cancel: QTest::mouseClick(note->btnAbbrechen, Qt::LeftButton); break;
      }
    });
    Press(Qt::Key_F6);
    EXPECT_TRUE(shown) << road.name;
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextFile(ProgramDirectory + "Test.TXT", lines));
    return lines;
  }
};

// Typed text dropped by Esc or the close box after "Nein", kept after "Ja",
// nothing typed and no question: each time, with a call being typed and
// without, the log window is the active one again with the keyboard in the
// call, and the keys typed next land there.
TEST_F(LogNoteTest, TheKeyboardIsBackInTheCallAfterTheNote) {
  CreateLog('4');
  const Road roads[] = {{"text, Esc, Nein", "Band offen", Close::Escape, false},
                        {"text, close box, Nein", "Band offen", Close::CloseBox, false},
                        {"text, Esc, Ja", "Antenne neu", Close::Escape, true},
                        {"nothing typed, Esc", "", Close::Escape, false},
                        {"nothing typed, close box", "", Close::CloseBox, false}};
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    for (const Road& road : roads) {
      for (const bool entering : {false, true}) {
        const std::string how = std::string(road.name) + (entering ? ", call typed" : ", no call");
        MessageWindows question;
        if (*road.typed != 0) question.Expect(Kind::JaNeinFrage, "speichern?", road.keep);
        if (entering) Type("DK1RI");
        const std::vector<std::string> lines = NoteOnRoad(road);
        EXPECT_TRUE(question.AllShown()) << how;
        ASSERT_FALSE(lines.empty()) << how;
        EXPECT_EQ(lines.front().find(road.typed) != std::string::npos, *road.typed == 0 || road.keep)
            << how << ": " << lines.front();

        ProcessEventsUntilIdle();
        EXPECT_EQ(QApplication::activeWindow(), &w) << how;
        EXPECT_EQ(QApplication::focusWidget(), w.eCall) << how;
        if (QApplication::focusWidget() != w.eCall) continue;
        EXPECT_EQ(A(w.eCall->text()), entering ? "DK1RI" : "") << how;
        QTest::keyClicks(QApplication::focusWidget(), u"/p"_qs);
        EXPECT_EQ(A(w.eCall->text()), entering ? "DK1RI/P" : "/P") << how;
        // The same entry goes on: Esc gives it up, with the keyboard where it was.
        Press(Qt::Key_Escape);
        EXPECT_EQ(A(w.eCall->text()), "") << how;
      }
    }
    EXPECT_EQ(StoredCount(nummer_), 0);
  });
}

// A note in the middle of a QSO, closed by OK or by "Abbrechen": the keys
// typed next go on into the field the note was opened from and the call
// stays as typed; with nothing typed they go into the call.
TEST_F(LogNoteTest, TheKeyboardGoesBackToTheFieldTheNoteWasOpenedFrom) {
  CreateLog('4');
  struct Start {
    const char* name;
    std::vector<std::string> typed;  // the call, BRZ-Nr, Loc: as far as typed
    const char* field;               // where the keyboard was
    const char* more;                // typed after the note
    const char* after;               // what that field holds then
  };
  const Start starts[] = {{"in BRZ-Nr", {"DM2AA", "1"}, "eRSTr2", "7", "17"},
                          {"in Loc", {"DL2ZZ", "12", "JO4"}, "eRSTr3", "5", "JO45"},
                          {"nothing typed", {}, "eCall", "dk1ri", "DK1RI"}};
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    for (const Close close : {Close::Ok, Close::Cancel}) {
      for (const Start& start : starts) {
        const std::string how = std::string(start.name) + (close == Close::Ok ? ", OK" : ", Abbrechen");
        TypeHalfQso(start.typed);
        const Road road{start.name, close == Close::Ok ? "Band offen" : "", close, true};
        const std::vector<std::string> lines = NoteOnRoad(road);
        ASSERT_FALSE(lines.empty()) << how;
        // The note is stamped with the call being typed.
        if (!start.typed.empty()) {
          EXPECT_NE(lines.front().find(start.typed.front()), std::string::npos) << how;
        }

        EXPECT_EQ(KeyboardAfterWindows(w), start.field) << how;
        if (QApplication::focusWidget() == Child<TkxEdit>(w, start.field)) {
          QTest::keyClicks(QApplication::focusWidget(), Q(start.more));
          EXPECT_EQ(A(Child<TkxEdit>(w, start.field)->text()), start.after) << how;
        }
        EXPECT_EQ(A(w.eCall->text()), start.typed.empty() ? start.after : start.typed.front()) << how;
        Press(Qt::Key_Escape);
      }
    }
    EXPECT_EQ(StoredCount(nummer_), 0);
  });
}

// Buttons chosen by their Alt keys act at once: the keys typed right after,
// with nothing between, go where the keyboard is once the windows are gone
// -- on into BRZ-Nr after the question's "Nein" (Alt+N), into the call after
// the note's OK (Alt+O) -- and none of them into the note or the question.
TEST_F(LogNoteTest, KeysTypedRightAfterAnAltKeyGoOnInTheLogWindow) {
  CreateLog('4');
  const auto note = [this](const char* text, std::function<void(TToolsMemoForm&)> close) {
    return NoteClosedBy(text, std::move(close));
  };
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    TypeHalfQso({"DM2AA", "1"});
    MessageWindows question;
    question.Expect(Kind::JaNeinFrage, "speichern?", false);
    question.AnswerKeys = [] {
      Press(Qt::Key_N, Qt::AltModifier);
      TypeAhead("23");
    };
    std::string kept = note("Band offen", [](TToolsMemoForm& f) { QTest::keyClick(f.richedit1, Qt::Key_Escape); });
    EXPECT_TRUE(question.AllShown());
    EXPECT_EQ(A(Child<TkxEdit>(w, "eRSTr2")->text()), "123");
    EXPECT_EQ(kept.find("Band offen"), std::string::npos) << kept;

    Press(Qt::Key_Escape);
    Type("DK1RI");
    kept = note("Antenne neu", [](TToolsMemoForm& f) {
      QTest::keyClick(f.richedit1, Qt::Key_O, Qt::AltModifier);
      TypeAhead("/p");
    });
    EXPECT_EQ(A(w.eCall->text()), "DK1RI/P");
    EXPECT_NE(kept.find("Antenne neu"), std::string::npos) << kept;
    EXPECT_EQ(kept.find("/p"), std::string::npos) << kept;
    Press(Qt::Key_Escape);
    EXPECT_EQ(StoredCount(nummer_), 0);
  });
}

// A key held down acts once: its repeats go on to the log window when the
// first press has answered the note's question, closed the note or a
// warning, and there an Alt key neither types its letter nor acts as the
// window's own key (Alt+W would open the QSO list), nor does Enter move on.
TEST_F(LogNoteTest, AKeyHeldDownActsOnce) {
  CreateLog('4');
  int lists = 0;
  LogWindowServices().QsoList = [&lists](TContestLogStd&) { ++lists; };
  std::shared_ptr<bool> released;
  const auto hold = [&released](Qt::Key key) { released = HoldKey(key, Qt::AltModifier, 8); };
  const auto untilReleased = [&released] { QTRY_VERIFY_WITH_TIMEOUT(released && *released, kHangGuardMs); };
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    TypeHalfQso({"DM2AA", "1"});
    MessageWindows messages;
    messages.Expect(Kind::JaNeinFrage, "speichern?", false);
    messages.AnswerKeys = [&hold] { hold(Qt::Key_N); };
    std::string kept = NoteClosedBy("Band offen", [](TToolsMemoForm& f) { QTest::keyClick(f.richedit1, Qt::Key_Escape); });
    untilReleased();
    EXPECT_TRUE(messages.AllShown());
    Type("23");
    EXPECT_EQ(A(Child<TkxEdit>(w, "eRSTr2")->text()), "123");
    EXPECT_EQ(kept.find("Band offen"), std::string::npos) << kept;

    Press(Qt::Key_Escape);
    Type("DK1RI");
    kept = NoteClosedBy("Antenne neu", [&hold](TToolsMemoForm&) { hold(Qt::Key_O); });
    untilReleased();
    EXPECT_EQ(A(w.eCall->text()), "DK1RI");
    EXPECT_NE(kept.find("Antenne neu"), std::string::npos) << kept;

    Press(Qt::Key_Escape);
    messages.Expect(Kind::Achtung, "Präfix unbekannt");
    messages.AnswerKeys = [&hold] { hold(Qt::Key_W); };
    Type("QX1ABC");
    Press(Qt::Key_Tab);
    untilReleased();
    EXPECT_TRUE(messages.AllShown());
    EXPECT_EQ(lists, 0);
    EXPECT_EQ(A(w.eCall->text()), "QX1ABC");
    EXPECT_EQ(A(Child<TkxEdit>(w, "eRSTr2")->text()), "");

    // Enter held on the warning's default button: the window behind keeps
    // the keyboard where the warning left it.
    Press(Qt::Key_Escape);
    messages.Expect(Kind::Achtung, "Präfix unbekannt");
    messages.AnswerKeys = [&released] { released = HoldKey(Qt::Key_Return, Qt::NoModifier, 8); };
    Type("QX1ABC");
    Press(Qt::Key_Tab);
    untilReleased();
    EXPECT_TRUE(messages.AllShown());
    EXPECT_EQ(FocusName(), "eRSTr2");
    Press(Qt::Key_Escape);
    EXPECT_EQ(StoredCount(nummer_), 0);
  });
  LogWindowServices() = TLogWindowServices();
}

}  // namespace qsoentry
