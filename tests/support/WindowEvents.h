#pragma once
// What a test sees of its windows, offscreen: the window system shows a
// window at once but activates it through its own event queue, some turns of
// the event loop later, and hands the activation to nobody when a window
// closes. A test therefore waits for the state its next step needs -- a
// window up, active, holding the focus -- and is told of every change of
// that state instead of looking every few milliseconds. The only time limit
// is a guard against a hang, never a measure of the machine's speed.
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

#include "support/HangGuard.h"

namespace testwindows {

// The number of w's current showing: each window shown gets a new, higher
// one; 0 for a window not shown since the tests began to watch.
uint64_t ShowingOf(const QWidget& w);
// The number of the latest showing: windows shown from now on are above it.
uint64_t LatestShowing();

// Calls f whenever a window is shown or hidden, activated or deactivated,
// blocked or unblocked by a modal one, or a widget takes the focus -- from
// inside the event's delivery, so f only takes note -- until Unlisten(id).
int Listen(std::function<void()> f);
void Unlisten(int id);

// Lets what the window system has queued (activations among it) and the
// posted events (layouts among them) take effect, and what they bring in
// turn, until nothing is left to do: the windows as a user sees them. A
// program that never stops posting is stopped by the hang guard. The turns
// it took.
int Drain();

// Runs the event loop until ready() holds, looked at again after each
// change Listen reports. False, with a failure naming what, when the guard
// runs out first.
bool WaitFor(const std::function<bool()>& ready, const std::string& what);

// Waits until the shown window w is exposed -- drawn on its screen -- with
// the hang guard as the only limit.
bool WaitExposed(QWidget& w);

// A window as failures name it: its class and its object name.
std::string Describe(const QWidget& w);

// Ends a window the test can no longer drive, so that the test goes on: a
// dialog's modal loop ends as by Cancel, without its own handlers asking.
void ForceClose(QWidget& w);

}  // namespace testwindows
