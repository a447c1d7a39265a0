#pragma once
// How long a test waits for anything -- a window's state, another process's
// answer -- before it takes the program for hung: a guard against a hang,
// never a measure of the machine's speed.
inline constexpr int kHangGuardMs = 60'000;
