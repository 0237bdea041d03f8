#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Loading as a user measures it: whole processes under /usr/bin/time. `sylvanode-cli check` on a
# generated 100,000-item scheme against inih's bare scan of the same file (bench/inih_scan.cpp);
# the median of five runs of each. CPU time (user + system) is compared, as elapsed time depends on
# whatever else the machine does; peak memory is compared with the file's size. (bench_core's
# BM_Load and BM_InihScan measure the same in one process, with a warm allocator.)
#   bench/load_process.sh BUILD_DIR [ITEMS]
set -euo pipefail
build=${1:?usage: load_process.sh BUILD_DIR [ITEMS]}
items=${2:-100000}
cli=$build/src/sylvanode-cli
for tool in "$cli" "$build/bench/make_scheme" "$build/bench/inih_scan" /usr/bin/time; do
  [[ -x $tool ]] || { echo "load_process: $tool is missing" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/load.menu
"$build/bench/make_scheme" "$items" "$file"
bytes=$(stat -c %s "$file")

# Prints "cpu_seconds peak_kb" for one run of the command.
measure() {
  /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null
  awk '{ printf "%.3f %d\n", $1 + $2, $3 }' "$work/time"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for run in 1 2 3 4 5; do
  measure "$cli" check "$file" >>"$work/load"
  measure "$build/bench/inih_scan" "$file" >>"$work/inih"
done
load_cpu=$(cut -d' ' -f1 "$work/load" | median)
load_kb=$(cut -d' ' -f2 "$work/load" | median)
inih_cpu=$(cut -d' ' -f1 "$work/inih" | median)
inih_kb=$(cut -d' ' -f2 "$work/inih" | median)
awk -v n="$items" -v b="$bytes" -v lc="$load_cpu" -v lk="$load_kb" -v ic="$inih_cpu" -v ik="$inih_kb" 'BEGIN {
  printf "whole process, %d items, file %.1f MB (median of 5)\n", n, b / 1e6
  printf "  sylvanode-cli check  cpu %.3f s  peak %.1f MB\n", lc, lk * 1024 / 1e6
  printf "  inih scan            cpu %.3f s  peak %.1f MB\n", ic, ik * 1024 / 1e6
  printf "  load / inih time %.2fx   load peak / file %.2fx\n", (ic > 0 ? lc / ic : 0), lk * 1024 / b
}'
