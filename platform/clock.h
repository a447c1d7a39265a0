#pragma once
// The wall clock and the system time zone, replaceable by tests.
#include <QDateTime>
#include <functional>

// Local date and time now (or what a test set).
QDateTime CurrentLocalDateTime();

// Minutes to add to local time to get UTC (Windows' sign convention:
// Central European Time gives -60, summer time -120).
int SystemUtcBiasMinutes();

// Replaces the clock; an empty function restores the real one.
void SetClockOverride(std::function<QDateTime()> clock);
