#!/usr/bin/env bash
# Configures and builds into build/: the targets named (e.g. ostrelon), or
# everything when none is named.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/deps.sh"
launcher=()
# A compiler cache, where the machine has one, makes rebuilds of other checkouts cheap.
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$top/build" -j"$(nproc)" "${targets[@]}"
