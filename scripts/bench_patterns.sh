#!/usr/bin/env bash
# Benchmarks the pattern engine and the ISO 8601 array reader against glibc
# (bench/patterns_bench.cpp) and prints, after Google Benchmark's table, the
# ratios measured in this one run:
#
#   scripts/bench_patterns.sh     # about half a minute
#
# Builds in build-bench/ with -DSEC1996_BUILD_BENCH=ON.  The ratios are of
# CPU time per value, which a machine shared with other work disturbs less
# than wall time; run it with nothing else busy all the same.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
source scripts/lib/need.sh
need_command cmake
need_command g++
need_package libbenchmark-dev libhowardhinnant-date-dev liberfa-dev
install_needed

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSEC1996_BUILD_BENCH=ON \
  -DSEC1996_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target sec1996_patterns_bench >/dev/null
"$build/bench/sec1996_patterns_bench" --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 "$@"
