#pragma once
// Callsign helpers: the home call of a callsign, the part that decides its
// country, the special-entity forms written with a suffix, and the country
// list by ADIF entity number (hamradio/entities.h).
#include <cstdint>
#include <string>
#include <string_view>

class TPrefixe {
 public:
  // The home call: the callsign without what an operator adds when working
  // away from home ("DL1ABC/P", "EA8/DL1ABC", "DL1ABC/MM" -> "DL1ABC").
  // Blanks are dropped, slashed zeros become '0', letters upper case.
  std::string BaseCall(std::string_view call) const;
  // Flag non-zero: BaseCall. Flag 0: the whole call, cleaned the same way.
  std::string BaseCallEx(std::string_view call, int flag) const;
  // The part that decides the country: the special-entity form ("SV/A"), the
  // foreign prefix of a call worked from abroad ("EA8" of "DL1ABC/EA8"), the
  // home call moved into another call area ("K1ABC/4" -> "K4ABC"), else the
  // home call.
  std::string CountryCall(std::string_view call) const;
  // True when the callsign and the text after its first '/' name a special
  // entity; n is then the number of leading callsign characters forming the
  // entity's prefix (2 or 3), else 0.
  bool PortablePrefixSide(std::string_view call, std::string_view part, int& n) const;
  // ADIF entity number of a DXCC prefix (case and surrounding blanks ignored);
  // a prefix shared with a deleted entity names the current one; 0 when unknown.
  int AdifCodeOfPrefix(std::string_view prefix) const;
  // German name of an entity given by its English name (also a name cut to
  // the 30 characters of a prefix record); an unknown name comes back as given.
  std::string CountryNameGerman(std::string_view english) const;

  // Non-zero: when several DXCC entities fit a callsign, the user picks one.
  uint8_t AskDxccChoice = 1;
};

extern TPrefixe ToPrefix;
