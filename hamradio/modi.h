#pragma once
// The operating-mode table: every mode text the program knows and the mode
// class it belongs to. The class groups modes for running numbers, default
// frequencies and the export codes of the log formats.
#include <span>
#include <string>
#include <string_view>

inline constexpr char kModeClassCw = 'C';
inline constexpr char kModeClassPhone = 'P';
inline constexpr char kModeClassFm = 'F';
inline constexpr char kModeClassDigital = 'R';

struct TModeEntry {
  const char* Mode;  // mode text as logged ("SSB", "RTTY")
  char Class;        // one of the kModeClass letters
};

class TModi {
 public:
  std::span<const TModeEntry> Modes() const;
  // Mode class letter of a mode text (blanks and case ignored), blank when
  // the mode is unknown.
  char ModeClass(std::string_view mode) const;
  // Export code of a class letter: "CW", "PH", "FM", "RY"; empty otherwise.
  std::string ModeClassName(char modeClass) const;
};

extern TModi ToModi;

// The same as ToModi.ModeClass / ToModi.ModeClassName.
char ModeClass(std::string_view mode);
std::string ModeClassName(char modeClass);
