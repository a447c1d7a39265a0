// The reference of the program's start in startbench: a Qt program with one
// empty window of the main window's size, started as a whole process, that
// ends as soon as its window is on the screen (as the program does when
// OSTRELON_EXIT_WHEN_SHOWN is set).
#include <QApplication>
#include <QWidget>

#include "ui/windowshown.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(1006, 600);
  window.show();
  return WaitUntilShown(window) ? 0 : 3;
}
