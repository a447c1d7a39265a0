#include "platform/mnemonics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QShortcutEvent>

namespace {

class TImmediateMnemonics : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Shortcut) return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr) return false;
    const auto* shortcut = static_cast<const QShortcutEvent*>(event);
    // A key several buttons share moves the focus from one to the next, a
    // button that cannot be clicked does nothing, a shortcut not the
    // button's own is not its click: Qt's way for all of them.
    if (shortcut->isAmbiguous() || shortcut->key() != button->shortcut() || !button->isEnabled() ||
        !button->isVisible())
      return false;
    // A check box or radio button takes the focus, as in Qt's own answer.
    if (button->isCheckable() && (button->focusPolicy() & Qt::TabFocus) != 0)
      button->setFocus(Qt::ShortcutFocusReason);
    button->click();
    return true;
  }
};

}  // namespace

void InstallImmediateMnemonics(QApplication& app) { app.installEventFilter(new TImmediateMnemonics(&app)); }
