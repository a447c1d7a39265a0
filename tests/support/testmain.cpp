// Test main of every test executable: widgets render offscreen, so tests
// never need a display and never show a window to a person. Buttons answer
// their Alt keys as in the program.
#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/keyboardrules.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  InstallKeyboardRules(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
