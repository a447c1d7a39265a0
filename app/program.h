#pragma once
// The program from its arguments to its end. The application is made as
// every window of the program needs it -- Qt's own dialogs in German, the
// keyboard rules, every service installed into the entry points -- and
// handed to run: the program's start and message loop (StartProgram).
#include <functional>

int RunProgram(int argc, char** argv, const std::function<int()>& run);

// The start in the program directory (the current one): the help, the main
// window with its list of logs, and the message loop until the window is
// closed; the exit code.
int StartProgram();
