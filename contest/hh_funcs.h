#pragma once
// Help functions: topic paths of the help file, the folder of the help
// viewer, starting a program with an error report, and the help
// diagnostic log "HHDebug.txt", written only while the help debug switch is on.
#include <cstdint>
#include <string>
#include <vector>

// On when "debug.debug" lies in the program's folder or the program got
// "/debug" or "-debug" (any case).
extern bool HelpDebugSwitch;

// Mode 1 "mk:@MSITStore:" prefix, mode 2 "ms-its:", other modes none.
void MakeTopicPath(std::string chmFile, std::string topic, std::string window, uint8_t mode,
                   std::string& path);
// The folder that holds the help viewer, without a trailing "/"; empty when
// no viewer is configured.
std::string GetWindowsDir();
// "[Error:<code>] <text>" for a system error number.
std::string LastErrorText(int code);
// Starts the program with its arguments; on failure a warning names the
// call and the error. True when it started.
bool ShellExec(const std::string& fileName, const std::vector<std::string>& args);
// Shows the text as a warning and appends it to the help log when the switch is on.
void HelpMessage(const std::string& text);

// The start of the help functions: notes the program's folder and
// arguments, chooses the log folder, sets the switch, deletes an old log
// and, with the switch on, writes the start-up report. programFolder ends in "/".
void InitHelpFunctions(const std::string& programFolder, const std::vector<std::string>& args);
// The full name of the help log (valid after InitHelpFunctions).
std::string HelpLogFile();
// Appends one message: "-" and "=" become a rule of 80; a leading "!", "-"
// or "=" is dropped and the line gets no time stamp; other lines start
// with the time and three blanks.
void AppendHelpLog(const std::string& message);
// True when one of the arguments switches the help diagnostics on.
bool HasDebugArgument(const std::vector<std::string>& args);
