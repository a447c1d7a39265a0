#include "logentry/statistiken.h"

TStatistiken ToStatistiken;
