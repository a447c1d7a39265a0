#include "database/lookcolors.h"

#include <algorithm>
#include <cmath>

namespace {

// Standard desktop values of the system colours 0..30.
constexpr int32_t kStandardSysColors[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0};

int32_t StandardResolver(int index) {
  if (index < 0 || index >= static_cast<int>(sizeof(kStandardSysColors) / sizeof(int32_t)))
    return 0;
  return kStandardSysColors[index];
}

TSystemColorResolver g_resolver = &StandardResolver;

}  // namespace

void SetSystemColorResolver(TSystemColorResolver resolver) {
  g_resolver = resolver ? resolver : &StandardResolver;
}

int32_t ColorToRGB(int32_t color) {
  if (color < 0) return g_resolver(color & 0xFF) & 0xFFFFFF;
  return color & 0xFFFFFF;
}

int32_t ChangeBrightness(int32_t color, double percent) {
  const int32_t rgb = ColorToRGB(color);
  if (percent == 0) return rgb;
  const int ch[3] = {rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF};
  const int k = static_cast<int>(std::trunc(std::fabs(percent) / 100.0 * 255.0));
  int out[3];
  for (int i = 0; i < 3; ++i) {
    const double target = percent >= 0 ? 255.0 : 0.0;
    const double factor = percent >= 0 ? 1.0 : ch[i] / 255.0;
    // Halves round to the even neighbour, as the look's other arithmetic does.
    const double moved = ch[i] + std::nearbyint((target - ch[i]) / 255.0 * k);
    out[i] = std::clamp(static_cast<int>(std::trunc(moved * factor)), 0, 255);
  }
  return out[0] | (out[1] << 8) | (out[2] << 16);
}
