#include "hamradio/modi.h"

#include "hamradio/textkey.h"

TModi ToModi;

namespace {

constexpr TModeEntry kModes[] = {
    {"CW", kModeClassCw},       {"SSB", kModeClassPhone},    {"USB", kModeClassPhone},
    {"LSB", kModeClassPhone},   {"AM", kModeClassPhone},     {"FM", kModeClassFm},
    {"RTTY", kModeClassDigital}, {"PSK", kModeClassDigital}, {"PSK31", kModeClassDigital},
    {"PSK63", kModeClassDigital}, {"FT8", kModeClassDigital}, {"FT4", kModeClassDigital},
    {"JT65", kModeClassDigital}, {"JT9", kModeClassDigital}, {"MFSK", kModeClassDigital},
    {"OLIVIA", kModeClassDigital}, {"HELL", kModeClassDigital}, {"SSTV", kModeClassDigital},
    {"PR", kModeClassDigital},  {"PKT", kModeClassDigital},  {"PACTOR", kModeClassDigital},
    {"DIGI", kModeClassDigital}, {"DIGITAL", kModeClassDigital},
};

}  // namespace

std::span<const TModeEntry> TModi::Modes() const { return kModes; }

char TModi::ModeClass(std::string_view mode) const {
  const std::string key = BlankFreeUpper(mode);
  for (const auto& m : kModes)
    if (key == m.Mode) return m.Class;
  return ' ';
}

std::string TModi::ModeClassName(char modeClass) const {
  switch (modeClass) {
    case kModeClassCw: return "CW";
    case kModeClassPhone: return "PH";
    case kModeClassFm: return "FM";
    case kModeClassDigital: return "RY";
    default: return {};
  }
}

char ModeClass(std::string_view mode) { return ToModi.ModeClass(mode); }

std::string ModeClassName(char modeClass) { return ToModi.ModeClassName(modeClass); }
