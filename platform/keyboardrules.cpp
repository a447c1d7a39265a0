#include "platform/keyboardrules.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShortcutEvent>
#include <QTextEdit>

namespace {

const char* const kListProperty = "kxMovesWithKeys";

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

// The control the keyboard is in: that of an open menu or list, else the
// focused control, else the window that takes the keys itself. A popup that
// hands its keys to a field (a file name's completion list) counts as the
// field.
QWidget* KeyboardIn(QWidget* receiver) {
  QWidget* in = QApplication::focusWidget();
  if (QWidget* popup = QApplication::activePopupWidget()) in = popup->focusWidget() ? popup->focusWidget() : popup;
  if (in == nullptr) in = receiver->window();
  while (in->focusProxy() != nullptr) in = in->focusProxy();
  return in;
}

bool IsTextField(const QWidget* w) {
  if (qobject_cast<const QLineEdit*>(w) != nullptr || qobject_cast<const QTextEdit*>(w) != nullptr ||
      qobject_cast<const QPlainTextEdit*>(w) != nullptr || qobject_cast<const QAbstractSpinBox*>(w) != nullptr)
    return true;
  const auto* combo = qobject_cast<const QComboBox*>(w);
  return combo != nullptr && combo->isEditable();
}

// A list, or a part of one (the grid, the columns, a button of a list's
// own bar): the keyboard moves through the list wherever in it it is.
bool IsList(const QWidget* in) {
  for (const QWidget* w = in; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget())
    if (qobject_cast<const QAbstractItemView*>(w) != nullptr || qobject_cast<const QComboBox*>(w) != nullptr ||
        qobject_cast<const QMenu*>(w) != nullptr || w->property(kListProperty).toBool())
      return true;
  return false;
}

// A text of several lines that Enter writes a line break into.
bool TakesLineBreaks(const QWidget* w) {
  if (const auto* text = qobject_cast<const QTextEdit*>(w)) return !text->isReadOnly();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w)) return !plain->isReadOnly();
  return false;
}

// The keys whose repeats a user wants in the control: they type, delete or
// move through a text or a list, and again is only more of the same.
bool RepeatWanted(const QWidget* in, const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return IsTextField(in) || IsList(in);
    case Qt::Key_Backspace:
    case Qt::Key_Delete: return IsTextField(in);
    case Qt::Key_Return:
    case Qt::Key_Enter: return TakesLineBreaks(in);
    default: break;
  }
  const QString text = key.text();
  return IsTextField(in) && !text.isEmpty() && text.at(0).isPrint();
}

// key again, to the same receiver, with another text or repeat mark; its
// parents see it in turn as they see the key itself.
void SendAs(QWidget* target, const QKeyEvent& key, const QString& text, bool autoRepeat) {
  QKeyEvent copy(key.type(), key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                 key.nativeModifiers(), text, autoRepeat, key.count());
  copy.setTimestamp(key.timestamp());
  QCoreApplication::sendEvent(target, &copy);
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
    const bool repeat = IsRepeat(key);
    if (t == QEvent::KeyRelease) {
      releasedKey_ = key.key();
      releasedAt_ = key.timestamp();
    }
    if (repeat) return DropRepeat(widget, key);
    if (t != QEvent::KeyRelease && !IsModifierKey(key.key())) {
      heldKey_ = key.key();
      heldWithAlt_ = AltChooses(key.modifiers());
      heldIn_ = KeyboardIn(widget);
    }
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

  // A repeat of the held key goes on only where the user wants it and only
  // while the keyboard stays in the control its first press went to; never
  // when Alt was held with it. One that Qt left unmarked goes on marked, so
  // that a control or a window's key handling can tell it from a fresh
  // press: a character that acts as a key of its own acts once.
  // A repeat given up as a shortcut candidate is marked overridden, so that
  // Qt tries no shortcut and hands it on as a key press, which is dropped
  // here in turn.
  bool DropRepeat(QWidget* target, QKeyEvent& key) {
    QWidget* in = KeyboardIn(target);
    const bool wanted = key.key() == heldKey_ && !heldWithAlt_ && heldIn_ == in && RepeatWanted(in, key);
    if (wanted && (key.isAutoRepeat() || key.type() != QEvent::KeyPress)) return false;
    if (wanted) SendAs(target, key, key.text(), true);
    key.accept();
    return true;
  }

  // The X server repeats a held key as a release and a press of the same
  // moment. Qt marks them as repeats only when the press is already in its
  // queue as it reads the release, which it often is not: the moment tells
  // the presses. The release of such a pair comes before its press and
  // passes as a release; it acts nowhere once the presses are held back (a
  // button clicks on a release only after a press has set it down, and only
  // the first press has). Keys without a moment (made by the program) are
  // never repeats.
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
    SendAs(target, key, QString(), key.isAutoRepeat());
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

void MoveThroughWithKeys(QWidget& control) { control.setProperty(kListProperty, true); }
