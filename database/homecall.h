#pragma once
// The home call of a callsign (portable parts removed) is the key of every
// duplicate search, of the call book and of the call database.
#include <string>
#include <string_view>

std::string HomeCallOf(std::string_view call);
