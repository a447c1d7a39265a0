#pragma once
// The help hook: every help request of the program arrives here.
#include <cstdint>

// Help command of a context request.
constexpr uint16_t kHelpContext = 1;
// Name of the help file the viewer opens.
inline constexpr const char* kHelpFile = "veltrix.chm";

// Handles context requests (command 1) by starting the help viewer with
// "-mapid <data> ms-its:veltrix.chm"; other commands are left to the
// caller. callHelp becomes false for context requests. Result false when
// no viewer is there; a notice then says how to name one.
bool HelpHook(uint16_t command, int32_t data, bool& callHelp);
// The help command of the application: the windows' help buttons call it.
bool ApplicationHelpCommand(uint16_t command, int32_t data);
