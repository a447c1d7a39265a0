#pragma once
// The band plan check of the log window: CW and SSB belong into their parts
// of the bands. The window only warns; it never refuses a QSO for it.
#include <string_view>

// True when the frequency (MHz, as the single-precision value of the
// frequency field) keeps to the band plan for the mode text and band code,
// or when that mode and band are not checked; contestLetter is the Typ of
// the log's contest-list record.
bool CheckBandPlan(float frequency, std::string_view mode, char band, char contestLetter);
