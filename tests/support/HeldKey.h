#pragma once
// A key held down as the X server sends it: the press, then, while it stays
// down, a release and a press of one moment for every repeat, and the
// release at the end. Qt marks such a pair as a repeat when it sees both at
// once and leaves it unmarked when the press comes late: the repeats here
// take turns, marked and unmarked. The first press goes out at once; each
// repeat goes out on a turn of the event loop of its own, where the
// keyboard is by then -- the window the first press closed is gone,
// another may have come forward or opened.
#include <QApplication>
#include <QKeyEvent>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <functional>
#include <memory>

#include "support/KeyboardWindow.h"

namespace heldkey {

// Where the keyboard is at this moment, as the X server sends a repeat
// without waiting for anything: in an open menu, else in the control that
// has the focus in the window holding the keyboard (see KeyboardWindow),
// else in fallback's.
inline QWidget* Keyboard(QWidget* fallback) {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup->focusWidget() ? popup->focusWidget() : popup;
  QWidget* w = testwindows::KeyboardWindow();
  if (w == nullptr && fallback != nullptr && fallback->isVisible()) w = fallback;
  if (w == nullptr) return nullptr;
  return w->focusWidget() ? w->focusWidget() : w;
}

inline QString TextOf(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    const QChar c(static_cast<char16_t>(key));
    return (modifiers & Qt::ShiftModifier) ? QString(c) : QString(c.toLower());
  }
  if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) return QString(QChar(static_cast<char16_t>(key)));
  if (key == Qt::Key_Return) return QStringLiteral("\r");
  return {};
}

// One key event as the window system delivers it, at a moment of the server.
inline void Deliver(QWidget* w, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers, bool marked,
                    quint64 moment) {
  const QString text = TextOf(key, modifiers);
  if (type == QEvent::KeyPress && qt_sendShortcutOverrideEvent(w, moment, key, modifiers, text, marked)) return;
  QKeyEvent e(type, key, modifiers, text, marked);
  e.setTimestamp(moment);
  QSpontaneKeyEvent::setSpontaneous(&e);
  QApplication::instance()->notify(w, &e);
}

}  // namespace heldkey

// Holds key with modifiers down for `repeats` repeats. The flag turns true
// once the key is released; a test waits for it before it reads the result.
inline std::shared_ptr<bool> HoldKey(Qt::Key key, Qt::KeyboardModifiers modifiers, int repeats,
                                     QWidget* fallback = nullptr) {
  auto released = std::make_shared<bool>(false);
  if (QWidget* w = heldkey::Keyboard(fallback)) QTest::keyPress(w, key, modifiers);
  // The turn waiting in the queue holds the chain; the chain holds no turn.
  auto repeat = std::make_shared<std::function<void(int)>>();
  *repeat = [=, self = std::weak_ptr(repeat)](int left) {
    QWidget* w = heldkey::Keyboard(fallback);
    if (left > 0) {
      const quint64 moment = 100000 + 40 * static_cast<quint64>(left);
      const bool marked = left % 2 == 0;
      if (w != nullptr) heldkey::Deliver(w, QEvent::KeyRelease, key, modifiers, marked, moment);
      w = heldkey::Keyboard(fallback);
      if (w != nullptr) heldkey::Deliver(w, QEvent::KeyPress, key, modifiers, marked, moment);
      if (auto next = self.lock())
        QMetaObject::invokeMethod(qApp, [next, left] { (*next)(left - 1); }, Qt::QueuedConnection);
      return;
    }
    if (w != nullptr) QTest::keyRelease(w, key, modifiers);
    *released = true;
  };
  QMetaObject::invokeMethod(qApp, [repeat, repeats] { (*repeat)(repeats); }, Qt::QueuedConnection);
  return released;
}
