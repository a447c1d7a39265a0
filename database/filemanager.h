#pragma once
// The file manager: starts and ends the storage engine for the program.
#include <cstdint>
#include <string>

// Starts the engine and the driver layer: error log "KX.ERR" while starting,
// checks that the program directory can hold the tables, then log "IFD.ERR",
// installs the lock-retry question (through ToMessages) and the error report.
// On failure shows "Dateiverwaltung konnte nicht initialisiert werden" (or its
// English text, by the language switch), followed, when the engine started
// but the program directory takes no files, by why (missing, or not
// writable) and which directory, and returns false; the caller ends the program with exit code 1.
bool StartFileManager();
// Sets the closing flag of the fatal-error path and closes every table file.
void ExitFileManager();
// The error report of the database layer: errors about the program directory
// being unwritable get the installation notice with its help link
// (ToMessages.FehlerInfo); a write-protected table file in a writable
// directory is named once per run; every other error ToMessages.Fehler with
// its text.
void SpecialDebugStack(int32_t result, const std::string& text);
// The lock-retry question: true = try again.
bool AskLockRetry(const std::string& title, uint8_t reason);
