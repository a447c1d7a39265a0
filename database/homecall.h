#pragma once
// The home call of a callsign (portable parts removed) is the key of every
// duplicate search, of the call book and of the call database. The rule
// lives with the callsign helpers, which install it at start-up; until then
// a call is taken as it is (trimmed).
#include <string>
#include <string_view>

using THomeCallFunction = std::string (*)(std::string_view call);
void SetHomeCallFunction(THomeCallFunction fn);
std::string HomeCallOf(std::string_view call);
