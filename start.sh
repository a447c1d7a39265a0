#!/usr/bin/env bash
# Builds the program and starts it in its program directory
# (OSTRELON_DATA, by default data/ in the checkout).
set -euo pipefail
top="$(cd "$(dirname "$0")" && pwd)"
# The program and the builder of its prefix tables: no tests, no benchmarks.
"$top/scripts/build.sh" ostrelon mkprefix
data="${OSTRELON_DATA:-$top/data}"
mkdir -p "$data"
if [ ! -s "$data/ZQPREFIX.DAT" ] && [ -x "$top/build/tools/mkprefix" ]; then
  "$top/build/tools/mkprefix" /usr/share/hamradio-files/cty.csv "$data/"
fi
if [ ! -x "$top/build/ostrelon" ]; then
  echo "The program has no main window yet: this command only builds."
  exit 0
fi
cd "$data"
exec "$top/build/ostrelon" "$@"
