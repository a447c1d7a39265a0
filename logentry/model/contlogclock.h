#pragma once
// The contest periods of the log window: which period is running now and
// which band belongs to it. The clock tick and the opening of the window use
// them to follow the contest from band to band.
#include <cstdint>

#include "contest/ContestRec.h"

// Index (0..9) of the first period that is current at the UTC day number
// today and the UTC time now (seconds since midnight); -1 when none is. A
// period is current when its date is today and from <= now < to, or when it
// has a second date that differs from its date (then at any time).
int CurrentPeriod(const TContestRec& contest, int32_t today, int32_t now);

// The band to work in a period: the current band when the period allows it,
// else the period's first band (0 when the period names none).
char PeriodBand(const TContestPeriod& period, char currentBand);

// The band the automatic band choice wants now: PeriodBand of the current
// period, or currentBand when no period is current.
char AutomaticBand(const TContestRec& contest, char currentBand, int32_t today, int32_t now);
