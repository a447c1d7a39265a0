#include "logentry/model/statistiken.h"

TStatistiken ToStatistiken;
