#!/usr/bin/env bash
# Builds the program and runs the whole test suite.
set -euo pipefail
top="$(cd "$(dirname "$0")" && pwd)"
"$top/scripts/build.sh"
ctest --test-dir "$top/build" --output-on-failure -j"$(nproc)"
