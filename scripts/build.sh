#!/usr/bin/env bash
# Configures and builds everything into build/.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/deps.sh"
launcher=()
# A compiler cache, where the machine has one, makes rebuilds of other checkouts cheap.
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$top/build" -j"$(nproc)"
