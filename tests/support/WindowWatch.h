#pragma once
// Drives the modal windows of the program from a test without ever
// blocking: the test says what it will do in a window before the key or
// click that opens it, and the steps run once that window is up, on top and
// holding the keyboard -- however long the machine takes to get there. A
// minute is the guard against a hang: a window awaited that long, or left
// open that long by the steps that should have closed it, fails the test by
// name and is closed so that the test goes on.
#include <QWidget>

#include <functional>
#include <string>

namespace testwindows {

// Runs action once, on the first modal window shown from now on that
// accepts takes, once it is the modal window on top and holds the keyboard.
// what names the window awaited in failures. Windows are handed out in the
// order their actions were given; a window handed to one action is given
// to no other while it stays shown.
void WhenWindowUp(std::function<bool(QWidget&)> accepts, std::function<void(QWidget&)> action, std::string what);

// While it lives, runs action on every modal window shown that accepts
// takes, once per showing, once it is on top and holds the keyboard: for a
// window that may come any number of times, or must not come at all.
class EachWindowUp {
 public:
  EachWindowUp(std::function<bool(QWidget&)> accepts, std::function<void(QWidget&)> action);
  ~EachWindowUp();
  EachWindowUp(const EachWindowUp&) = delete;
  EachWindowUp& operator=(const EachWindowUp&) = delete;

 private:
  int id_;
};

// As a test ends: every window still awaited fails it, and nothing awaited
// or guarded is carried over into the next test.
void EndOfTest();

}  // namespace testwindows
