#include "support/KeyboardWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "support/WindowEvents.h"

namespace testwindows {
namespace {

// A window that a modal one leaves to the user: the modal window itself or
// a window it owns.
bool OwnedBy(const QWidget& window, const QWidget& modal) {
  for (const QWidget* w = &window; w != nullptr; w = w->parentWidget())
    if (w == &modal) return true;
  return false;
}

}  // namespace

QWidget* KeyboardWindow() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && !modal->isVisible()) modal = nullptr;
  QWidget* active = QApplication::activeWindow();
  if (active != nullptr && active->isVisible() && (modal == nullptr || OwnedBy(*active, *modal))) return active;
  return modal;
}

bool HoldsKeyboard(const QWidget& w) {
  if (!w.isVisible() || QApplication::activeWindow() != &w) return false;
  const QWidget* focus = QApplication::focusWidget();
  return focus == nullptr || focus->window() == &w;
}

bool OfferKeyboard(QWidget& w) {
  QPointer<QWidget> window(&w);
  // The activation the window system has queued -- the window's own from
  // its showing, or one the program asked for -- comes first; a request of
  // ours made before it would be overtaken by it.
  Drain();
  if (!window || !window->isVisible()) return false;
  if (HoldsKeyboard(*window)) return true;
  window->activateWindow();
  Drain();
  return window && HoldsKeyboard(*window);
}

bool GiveKeyboard(QWidget& w) {
  QPointer<QWidget> window(&w);
  const std::string name = Describe(w);
  if (OfferKeyboard(w)) return true;
  if (!window || !window->isVisible()) {
    ADD_FAILURE() << name << " is not shown and cannot take the keyboard";
    return false;
  }
  return WaitFor([&window] { return window && HoldsKeyboard(*window); }, name + " taking the keyboard");
}

QWidget* KeyTarget() {
  Drain();
  QWidget* window = KeyboardWindow();
  if (window == nullptr) return QApplication::focusWidget();
  return KeyTargetIn(*window);
}

QWidget* KeyTargetIn(QWidget& w) {
  // A window that would not take the keyboard has failed the test; the keys
  // still go to it so that the test runs on to its end.
  if (!w.isVisible() || !GiveKeyboard(w)) return &w;
  QWidget* focus = QApplication::focusWidget();
  return focus != nullptr ? focus : &w;
}

}  // namespace testwindows
