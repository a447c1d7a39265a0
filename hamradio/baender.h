#pragma once
// The band table: the 21 amateur bands the program logs, each known by a
// one-letter band code stored in QSO records, with its names, its edges and
// its default frequencies (IARU Region 1).
#include <span>
#include <string>
#include <string_view>

struct TZq5Band {
  char Code;               // band code 'a'..'u'
  const char* Name;        // first name ("160 m", "70 cm")
  const char* Name2;       // second name, the ADIF band ("160m", "70cm")
  const char* ShortName;   // short name ("160M", "70CM")
  const char* ShortName2;  // second short name, the Cabrillo band ("1800", "432")
  double Low;              // lower band edge in MHz
  double High;             // upper band edge in MHz
  double Wavelength;       // the number of the first name, 0 when it is not typed as one
  double Default;          // default frequency in MHz when the mode is unknown
  double Cw;               // default frequencies in MHz by mode class
  double Phone;
  double Fm;
  double Digital;
};

class TBaender {
 public:
  // The 21 bands in the program's order (2190 m first, then by frequency).
  std::span<const TZq5Band> Bands() const;
  // The band with that code, or nullptr.
  const TZq5Band* Find(char code) const;

  // First name (flag 0) or second name (flag 1); '0' gives "all", an
  // unknown code "???".
  std::string BandName(char code, int flag = 0) const;
  // Short name (flag 0) or second short name (flag 1); '0' gives "ALL", an
  // unknown code "-".
  std::string BandShortName(char code, int flag = 0) const;
  // The code of a band named by any of its names (blanks and case ignored),
  // blank when none.
  char BandCodeFromText(std::string_view text) const;
  // The code of the band holding the frequency (MHz, edges included), blank
  // when it lies in no band.
  char BandFromFrequency(double mhz) const;
  // A typed frequency as MHz: a value in a band stays, a kHz value inside a
  // band becomes MHz, a band's wavelength becomes its default frequency;
  // anything else stays as it is.
  double NormalizeFrequency(double value) const;
  // Default frequency in MHz of a band for a mode class letter of ToModi
  // (another class, blank or 0: the band's general default); 0 for an
  // unknown band.
  double ModeDefaultFrequency(char code, char modeClass) const;
  // General default frequency in MHz of a band given by text; 0 when unknown.
  double DefaultFrequency(std::string_view bandText) const;
};

extern TBaender ToBaender;
