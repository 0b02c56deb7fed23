#!/usr/bin/env bash
# Throughput of the sec1996 command: times it with hyperfine over a file of
# random counts (10 million by default), over the same instants written as
# ISO 8601 dates, and in column mode over a 5-column CSV file of as many
# lines whose second field holds those counts, and prints lines per second.
#   scripts/cli_throughput.sh [BINARY] [LINES]
# BINARY defaults to build/cli/sec1996 (build it first with
# cmake -S . -B build && cmake --build build -j2).
set -euo pipefail
cd "$(dirname "$0")/.."

binary=${1:-build/cli/sec1996}
lines=${2:-10000000}
[ -x "$binary" ] || { echo "no binary at $binary: build the project first" >&2; exit 2; }

source scripts/lib/need.sh
need_command hyperfine
install_needed

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Counts spread over the whole scale.  "%.0f", since mawk's "%d" stops at
# 2^31 - 1.
awk -v n="$lines" 'BEGIN { srand(1996); for (i = 0; i < n; i++) printf "%.0f\n", int(rand() * 4294967296) }' \
  >"$work/counts"
"$binary" <"$work/counts" | cut -f2 >"$work/iso"
# A sensor log: line number, count, sensor name, a reading, a status.
awk '{ printf "%d,%s,sensor-%d,%.1f,ok\n", NR, $1, NR % 17, (NR % 1000) / 10 }' "$work/counts" \
  >"$work/csv"

# measure NAME INPUT [OPTIONS]: times "$binary OPTIONS < INPUT".
measure() {
  local name=$1 input=$2 options=${3:-}
  hyperfine --style basic --warmup 1 --runs 5 --export-json "$work/$name.json" \
    "$binary${options:+ $options} < $input > /dev/null"
  # The mean wall time of the runs and their mean user and system times,
  # the first of each field in the export.  On a busy machine the CPU time
  # says more about the program than the wall time.
  field() { grep -o "\"$1\": *[0-9.e+-]*" "$work/$name.json" | head -1 | sed 's/.*: *//'; }
  awk -v n="$lines" -v wall="$(field mean)" -v user="$(field user)" -v sys="$(field system)" \
    -v name="$name" 'BEGIN {
      printf "%s: %d lines: %.2f million lines/s by wall time (%.3f s), %.2f million lines/s by CPU time (%.3f s)\n",
        name, n, n / wall / 1e6, wall, n / (user + sys) / 1e6, user + sys
    }'
}

measure counts "$work/counts"
measure iso "$work/iso"
# Column mode: every form appended to each line, and the count replaced by
# its ISO 8601 date.
measure csv "$work/csv" "--field 2 -d ,"
measure csv-replace "$work/csv" "--field 2 -d , --replace -o iso8601"
