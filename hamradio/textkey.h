#pragma once
// How the value helpers compare names typed by users or read from records:
// without blanks and by the upper case of Windows-1252, so that "80 m",
// "80m" and "80M" name the same band and "ssb " the mode "SSB".
#include <string>
#include <string_view>

#include "base/kxstrings.h"

inline std::string BlankFreeUpper(std::string_view s) {
  std::string u = ToStrings.UpperCase(ToStrings.Trim(s));
  std::erase(u, ' ');
  return u;
}
