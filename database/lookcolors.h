#pragma once
// Colour arithmetic on stored TColor values ($00BBGGRR; a value with the top
// bit set names a system colour by its index in the low byte). The settings
// loading derives the menu colour from the base colour with it, and the look
// of the user interface uses the same two functions.
#include <cstdint>

// Resolves system colour index -> $00BBGGRR. The user interface installs one
// that reads its palette; until then the standard desktop values are used.
using TSystemColorResolver = int32_t (*)(int index);
void SetSystemColorResolver(TSystemColorResolver resolver);

// The RGB form of a colour: system colours resolved, the flag byte dropped.
int32_t ColorToRGB(int32_t color);

// Moves a colour towards white (percent > 0) or black (percent < 0).
int32_t ChangeBrightness(int32_t color, double percent);
