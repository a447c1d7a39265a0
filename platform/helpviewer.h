#pragma once
// The help viewer: a program of the user's choice that shows the help file.
// Its path comes from the environment variable OSTRELON_HELPVIEWER unless the
// program sets one; without one, the help hook tells the user how to name one.
// The viewer gets the same arguments as any help viewer ("-mapid", the
// context number, the topic path) and is started detached through the
// launcher, so tests see the arguments without starting anything.
#include <string>
#include <vector>

// The configured viewer program (program text); empty when none.
std::string HelpViewerProgram();
// Overrides the configured viewer (empty: back to the environment's).
void SetHelpViewerProgram(const std::string& program);

// Starts a program with an argument list. Result 0 when it started, else an
// error number in the numbering of the error texts of the help system:
// 2 file not found, 5 access denied (not executable), 31 other failure.
int StartProgram(const std::string& program, const std::vector<std::string>& args);
