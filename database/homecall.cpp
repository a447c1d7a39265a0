#include "database/homecall.h"

#include "hamradio/prefixe.h"

std::string HomeCallOf(std::string_view call) { return ToPrefix.BaseCall(call); }
