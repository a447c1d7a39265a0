#pragma once
// How the keyboard behaves in every window and message of the program, as
// on the desktop the program comes from. One filter on the application,
// put in where the QApplication is made, keeps three rules:
//
// - A button chosen by its Alt key, or by the Alt key of a label that leads
//   to it, acts at once, as it does after Enter. Qt answers a mnemonic with
//   animateClick(): the button shows itself pressed for 100 ms and only then
//   acts, and what the user types in that moment goes to the window still
//   open -- the keys after Alt+N in a question are lost, those after Alt+O
//   in the note go into the note.
// - A key held down acts once. Its repeats go on only where they are wanted
//   -- characters, BackSpace and Delete in a text field, the arrow and page
//   keys in a field or list -- and only while the keyboard stays in the
//   control the first press went to; they reach it marked as repeats. The
//   repeats of every other key, and all of them when Alt was held with it,
//   do nothing: a button that closes its window must not be clicked again,
//   nor its letter typed, in the window that comes forward (holding Alt+S
//   on "Schließen" of a message would end the program through the window
//   behind), a key that toggles, switches or moves on must not do so again.
// - An Alt key that no control owns types nothing, whatever its character;
//   Qt's edits would take it as text. The key still reaches the window's own
//   key handling. Characters given with AltGr (no Alt, or Alt together with
//   Ctrl) and the Ctrl editing keys are untouched.
class QApplication;
class QWidget;

void InstallKeyboardRules(QApplication& app);

// control is a list of the program's own (the browse panel; whatever sits
// in a menu counts as part of the menu already):
// the arrow and page keys move through it, and their repeats are wanted in
// it and in every part of it that has the keyboard, as in Qt's lists.
void MoveThroughWithKeys(QWidget& control);
