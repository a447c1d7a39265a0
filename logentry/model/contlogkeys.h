#pragma once
// The keys of the log window: one table from a key with its modifiers to
// what the window does. The form asks it for every key it sees first.
#include <Qt>

enum class TLogKeyAction {
  None,
  Clear,        // Esc: hide the band list or clear the entry
  Help,         // F1: the help, as the help button
  CallSearch,   // F4
  List,         // F5
  Note,         // F6
  Mode,         // F7
  Band,         // F8
  NameQth,      // F9
  MemberChart,  // F11, letters 'P' and '5'
  Save,         // F10
  QsoList,      // F12, Alt+W
  ToggleQsl,    // Alt+Q
  BandLog,      // Alt+F3
  FocusField2,  // Alt+keypad 1
  FocusField3,  // Alt+keypad 2
  FocusField4,  // Alt+keypad 3
};

// The action of a key (Qt::Key) with its modifiers in the log of letter.
TLogKeyAction LogKeyAction(int key, Qt::KeyboardModifiers modifiers, char letter);
