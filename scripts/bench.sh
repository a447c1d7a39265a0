#!/usr/bin/env bash
# Builds everything and runs every benchmark of tools/ (tools/*bench.cpp),
# one after the other, then prints one table of their figures:
#   figure | project ms | same-run reference ms | ratio
# Each benchmark prints its figures as lines "figure<TAB>project ms<TAB>
# reference ms<TAB>ratio" on standard output; its other words go to
# bench-logs/<name>.log in the build directory. Windows are shown offscreen
# unless QT_QPA_PLATFORM says otherwise (e.g. xcb under Xvfb).
#   scripts/bench.sh [name ...]     (only these benchmarks, e.g. savebench)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/build.sh" >/dev/null
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

bin="$top/build/tools"
logs="$top/build/bench-logs"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$logs"

# Arguments of the benchmarks that need any.
bench_args() {
  case "$1" in
    prefixbench)
      # Prefix tables made from the country file, as the program's start makes them.
      mkdir -p "$work/prefix" &&
        "$bin/mkprefix" /usr/share/hamradio-files/cty.csv "$work/prefix/" >>"$logs/prefixbench.log" 2>&1 &&
        echo "$work/prefix/" ;;
    *) ;;
  esac
}

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for src in "$top"/tools/*bench.cpp; do names+=("$(basename "$src" .cpp)"); done
fi

table="$work/figures.tsv"
: >"$table"
failed=()
for name in "${names[@]}"; do
  echo "running $name ..." >&2
  : >"$logs/$name.log"
  args=()
  while IFS= read -r a; do [ -n "$a" ] && args+=("$a"); done < <(bench_args "$name")
  rc=0
  "$bin/$name" "${args[@]}" >"$work/$name.out" 2>>"$logs/$name.log" || rc=$?
  cat "$work/$name.out" >>"$logs/$name.log"
  grep -aP '^[^\t]+\t[0-9.]+\t[0-9.]+\t[0-9.]+$' "$work/$name.out" >>"$table" || true
  # A benchmark that ends badly is reported, whatever figures it printed.
  if [ "$rc" -ne 0 ]; then failed+=("$name"); fi
done

awk -F'\t' '
  BEGIN { w = length("figure") }
  { rows[NR] = $0; if (length($1) > w) w = length($1) }
  END {
    printf "%-" w "s  %12s  %14s  %7s\n", "figure", "project ms", "reference ms", "ratio"
    line = ""; for (i = 0; i < w + 41; i++) line = line "-"; print line
    for (i = 1; i <= NR; i++) {
      split(rows[i], f, "\t")
      printf "%-" w "s  %12.2f  %14.2f  %7.2f\n", f[1], f[2], f[3], f[4]
    }
  }' "$table"

if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]} (see $logs)" >&2
  exit 1
fi
