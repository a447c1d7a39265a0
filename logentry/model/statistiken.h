#pragma once
// ToStatistiken: the statistics object of the log window. It holds no data
// and offers no operations yet; the statistics table control
// (kxstattabelle) asks its owner for figures instead.
class TStatistiken {};

extern TStatistiken ToStatistiken;
