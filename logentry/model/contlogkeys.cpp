#include "logentry/model/contlogkeys.h"

#include "contest/LetterRules.h"
namespace {

struct TKeyRow {
  int key;
  Qt::KeyboardModifiers modifiers;
  TLogKeyAction action;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
const Qt::KeyboardModifiers kAltPad = Qt::AltModifier | Qt::KeypadModifier;

const TKeyRow kKeys[] = {
    {Qt::Key_Escape, kNone, TLogKeyAction::Clear},
    {Qt::Key_F1, kNone, TLogKeyAction::Help},
    {Qt::Key_F4, kNone, TLogKeyAction::CallSearch},
    {Qt::Key_F5, kNone, TLogKeyAction::List},
    {Qt::Key_F6, kNone, TLogKeyAction::Note},
    {Qt::Key_F7, kNone, TLogKeyAction::Mode},
    {Qt::Key_F8, kNone, TLogKeyAction::Band},
    {Qt::Key_F9, kNone, TLogKeyAction::NameQth},
    {Qt::Key_F10, kNone, TLogKeyAction::Save},
    {Qt::Key_F11, kNone, TLogKeyAction::MemberChart},
    {Qt::Key_F12, kNone, TLogKeyAction::QsoList},
    {Qt::Key_Q, kAlt, TLogKeyAction::ToggleQsl},
    {Qt::Key_W, kAlt, TLogKeyAction::QsoList},
    {Qt::Key_F3, kAlt, TLogKeyAction::BandLog},
    {Qt::Key_1, kAltPad, TLogKeyAction::FocusField2},
    {Qt::Key_2, kAltPad, TLogKeyAction::FocusField3},
    {Qt::Key_3, kAltPad, TLogKeyAction::FocusField4},
};

}  // namespace

TLogKeyAction LogKeyAction(int key, Qt::KeyboardModifiers modifiers, char letter) {
  for (const TKeyRow& row : kKeys) {
    if (row.key != key || row.modifiers != modifiers) continue;
    if (row.action == TLogKeyAction::MemberChart && !IsMembershipYearsContest(letter)) return TLogKeyAction::None;
    return row.action;
  }
  return TLogKeyAction::None;
}
