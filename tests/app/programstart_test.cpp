// The program's start as its main runs it, on the application it makes
// itself. This test has gtest's main: the test main of the others makes
// the application and puts in the keyboard rules itself, and would hide a
// start that no longer does.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "app/program.h"
#include "platform/codec.h"

namespace {

// What the user types in any window of the program follows the keyboard
// rules: an Alt key that no control owns types nothing.
TEST(ProgramStart, PutsInTheKeyboardRules) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  char name[] = "ostrelon";
  char* argv[] = {name, nullptr};
  std::string typed = "(not run)";
  const int code = RunProgram(1, argv, [&typed] {
    QLineEdit edit;
    QTest::keyClicks(&edit, u"DL1"_qs);
    QTest::keyClick(&edit, Qt::Key_Exclam, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_M, Qt::AltModifier);
    typed = QStringToAnsi(edit.text());
    return 7;
  });
  EXPECT_EQ(code, 7);
  EXPECT_EQ(typed, "DL1");
}

}  // namespace
