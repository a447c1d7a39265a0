#pragma once
// The contest rules give exchange kinds as numbers, and so do the tests that
// check the definitions against them; the program itself names its kinds.
#include <cstdint>

#include "contest/ContestRec.h"

constexpr bool operator==(ExchangeKind kind, int32_t number) { return static_cast<int32_t>(kind) == number; }
