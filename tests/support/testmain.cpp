// Test main of every test executable: widgets render offscreen, so tests
// never need a display and never show a window to a person. Buttons answer
// their Alt keys as in the program. A window a test awaited and never saw
// fails that test, not a later one.
#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/keyboardrules.h"
#include "support/WindowWatch.h"

namespace {
class WindowsOfTheTest : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { testwindows::EndOfTest(); }
};
}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  InstallKeyboardRules(app);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new WindowsOfTheTest);
  return RUN_ALL_TESTS();
}
