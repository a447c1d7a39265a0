#pragma once
// A button chosen by its Alt key acts at once, as the desktop's dialogs do
// and as it does after Enter. Qt's buttons answer their mnemonic with
// animateClick(): they show themselves pressed for 100 ms and only then
// emit clicked, and what the user types in that moment goes to the window
// still open -- the keys after Alt+N in a question are lost, those after
// Alt+O in the note go into the note. One filter on the application, put
// in where the QApplication is made, covers every window and message.
class QApplication;

void InstallImmediateMnemonics(QApplication& app);
