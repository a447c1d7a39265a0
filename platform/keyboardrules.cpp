#include "platform/keyboardrules.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QShortcutEvent>

namespace {

// Alt as the user holds it to choose a control. Ctrl together with Alt is
// AltGr on keyboards that report it so; what it gives is a character.
bool AltChooses(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::AltModifier) != 0 && (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) == 0;
}

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
         key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}

bool IsKeyEvent(QEvent::Type t) {
  return t == QEvent::ShortcutOverride || t == QEvent::KeyPress || t == QEvent::KeyRelease;
}

class TKeyboardRules : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Key events pass the window's QWindow first and its widget after; the
    // rules judge them at the widget.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    const QEvent::Type t = event->type();
    if (t == QEvent::Shortcut) return ClickAtOnce(widget, *static_cast<QShortcutEvent*>(event));
    if (!IsKeyEvent(t)) return false;
    auto& key = *static_cast<QKeyEvent*>(event);
    if (DropRepeat(widget, key)) return true;
    return t == QEvent::KeyPress && TypeNoAltCharacter(widget, key);
  }

 private:
  // The button a shortcut chooses, by its own mnemonic or by that of the
  // label that leads to it; nullptr where the shortcut is not such a choice.
  static QAbstractButton* ChosenButton(QWidget* target, const QShortcutEvent& shortcut) {
    if (auto* button = qobject_cast<QAbstractButton*>(target))
      return shortcut.key() == button->shortcut() ? button : nullptr;
    if (auto* label = qobject_cast<QLabel*>(target))
      if (shortcut.key() == QKeySequence::mnemonic(label->text())) return qobject_cast<QAbstractButton*>(label->buddy());
    return nullptr;
  }

  static bool ClickAtOnce(QWidget* target, const QShortcutEvent& shortcut) {
    QAbstractButton* button = ChosenButton(target, shortcut);
    // A key several controls share moves the focus from one to the next, a
    // button that cannot be clicked does nothing: Qt's way for both.
    if (button == nullptr || shortcut.isAmbiguous() || !button->isEnabled() || !button->isVisible()) return false;
    // The focus goes where Qt's own answer puts it: to a check box or radio
    // button chosen itself, to any focusable button a label leads to.
    const bool viaLabel = target != button;
    if (viaLabel ? button->focusPolicy() != Qt::NoFocus
                 : button->isCheckable() && (button->focusPolicy() & Qt::TabFocus) != 0)
      button->setFocus(Qt::ShortcutFocusReason);
    button->click();
    return true;
  }

  // A repeat of the held key goes on only where its first press went, and
  // never when Alt was held with it. A repeat given up as a shortcut
  // candidate is marked overridden, so that Qt tries no shortcut and hands
  // it on as a key press, which is dropped here in turn.
  bool DropRepeat(QWidget* target, QKeyEvent& key) {
    QWidget* window = target->window();
    const bool repeat = IsRepeat(key);
    if (key.type() == QEvent::KeyRelease) {
      releasedKey_ = key.key();
      releasedAt_ = key.timestamp();
    }
    if (!repeat) {
      if (key.type() != QEvent::KeyRelease && !IsModifierKey(key.key())) {
        heldKey_ = key.key();
        heldWithAlt_ = AltChooses(key.modifiers());
        heldIn_ = window;
      }
      return false;
    }
    if (key.key() == heldKey_ && !heldWithAlt_ && heldIn_ != nullptr && heldIn_ == window) return false;
    key.accept();
    return true;
  }

  // The X server repeats a held key as a release and a press of the same
  // moment. Qt marks them as repeats only when the press is already in its
  // queue as it reads the release, which it often is not: the moment tells
  // them all. Keys without a moment (made by the program) are never repeats.
  bool IsRepeat(const QKeyEvent& key) const {
    if (key.isAutoRepeat()) return true;
    return key.type() != QEvent::KeyRelease && key.timestamp() != 0 && key.key() == releasedKey_ &&
           key.timestamp() == releasedAt_;
  }

  // An Alt key no shortcut took reaches its control as a key without text:
  // the control, its window's key table and the parents see the key as
  // before, and no edit types its character -- letter, digit, punctuation
  // or whatever Shift makes of it. A menu open on the screen chooses its
  // entries by their letters, with Alt or without.
  static bool TypeNoAltCharacter(QWidget* target, QKeyEvent& key) {
    if (!AltChooses(key.modifiers()) || key.text().isEmpty()) return false;
    if (qobject_cast<QMenu*>(target) != nullptr) return false;
    QKeyEvent bare(key.type(), key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                   key.nativeModifiers(), QString(), key.isAutoRepeat(), key.count());
    bare.setTimestamp(key.timestamp());
    QCoreApplication::sendEvent(target, &bare);
    // The bare key has been offered to the parents already.
    key.accept();
    return true;
  }

  int heldKey_ = 0;
  bool heldWithAlt_ = false;
  QPointer<QWidget> heldIn_;
  int releasedKey_ = 0;
  quint64 releasedAt_ = 0;
};

}  // namespace

void InstallKeyboardRules(QApplication& app) { app.installEventFilter(new TKeyboardRules(&app)); }
