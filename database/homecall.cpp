#include "database/homecall.h"

#include "database/kxstrings.h"

namespace {

std::string TakeAsIs(std::string_view call) { return ToStrings.Trim(call); }

THomeCallFunction g_homeCall = &TakeAsIs;

}  // namespace

void SetHomeCallFunction(THomeCallFunction fn) { g_homeCall = fn ? fn : &TakeAsIs; }

std::string HomeCallOf(std::string_view call) { return g_homeCall(call); }
