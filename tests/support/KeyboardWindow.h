#pragma once
// The keyboard as a window manager hands it out, for tests that type as a
// user does: keys go to the focused control of the window that holds the
// keyboard, never to whatever had the focus a moment before. The window on
// top gets the keyboard once the window system has handed over its
// activation; where none is coming (offscreen a closed window hands it to
// nobody) the test's side asks for it as a window manager would.
#include <QWidget>

namespace testwindows {

// The window the user's keys go to: the active window where no modal window
// blocks it, else the modal window on top; null when there is none.
QWidget* KeyboardWindow();

// w is shown and active, and the focus, where a widget has it, is inside w.
bool HoldsKeyboard(const QWidget& w);

// Lets the queued activations take effect and, where w still does not hold
// the keyboard, asks the window system to activate it and lets that take
// effect too. Whether w holds the keyboard then; it never waits.
bool OfferKeyboard(QWidget& w);

// Offers w the keyboard and waits until it holds it; false, with a failure
// naming w, when w is not shown or the guard runs out first.
bool GiveKeyboard(QWidget& w);

// Where the user's keys go now: the focused control of the keyboard window
// once it holds the keyboard, or the window itself when no control takes
// the focus; without any window, whatever has the focus.
QWidget* KeyTarget();
// The same within w: once w holds the keyboard, its focused control or w.
// A window already closed gets the keys as they are sent to it.
QWidget* KeyTargetIn(QWidget& w);

}  // namespace testwindows
