// The note of the log window (F6) on the real window with the real note
// window over it: however the note is closed, with or without its question,
// the keyboard is back in the call afterwards, and what the operator types
// next goes there. Offscreen, no window manager hands the activation back:
// the log window has to take it itself.
#include <QAbstractEventDispatcher>
#include <QPushButton>
#include <QTextEdit>

#include "logentry/qsoentry_fixture.h"
#include "outputs/ToolsFkt.h"
#include "outputs/ToolsMemoForm.h"
#include "platform/paths.h"

namespace qsoentry {
namespace {

// The question comes up as a window of its own over the note, as the
// message dialogs do, and goes again by a click on the scripted answer.
class QuestionWindows : public ScriptedMessages {
 public:
  bool JaNeinFrage(const std::string& caption, const std::string& header, const std::string& text,
                   bool defaultYes) override {
    const bool answer = ScriptedMessages::JaNeinFrage(caption, header, text, defaultYes);
    QDialog box;
    box.setObjectName(QStringLiteral("Abfrage"));
    auto* button = new QPushButton(answer ? u"Ja"_qs : u"Nein"_qs, &box);
    QObject::connect(button, &QPushButton::clicked, &box, &QDialog::accept);
    WhenModal([button](QWidget*) { QTest::mouseClick(button, Qt::LeftButton); });
    box.exec();
    return answer;
  }
};

// Lets the window system's and the posted events run until none is left;
// the turns it took.
int ProcessEventsUntilIdle() {
  int turns = 0;
  while (turns < 100 && QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents)) ++turns;
  return turns;
}

// How the note is closed.
enum class Close { Escape, CloseBox };

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

  // F6 pressed where the keyboard is, the note closed on the road; the
  // lines of the note file afterwards.
  std::vector<std::string> NoteOnRoad(const Road& road) {
    bool shown = false;
    WhenModal([&shown, road](QWidget* w) {
      auto* note = qobject_cast<TToolsMemoForm*>(w);
      ASSERT_NE(note, nullptr);
      shown = true;
      if (*road.typed != 0) QTest::keyClicks(note->richedit1, QString::fromLatin1(road.typed));
      if (road.close == Close::Escape)
        QTest::keyClick(note->richedit1, Qt::Key_Escape);
      else
        note->close();
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
        QuestionWindows question;
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

}  // namespace qsoentry
