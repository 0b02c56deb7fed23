#!/usr/bin/env bash
# Benchmarks the library against its peers and prints the tables of
# docs/performance.md: ns per call of every public conversion and its peers,
# the ratios to the limit loop and to the classic approach, thread scaling,
# and the CPU time of the whole CvtTest process against the classic driver.
#
#   scripts/bench.sh            # about two minutes on a quiet machine
#
# Installs the peers' Debian packages when they are missing (needs root),
# builds in build-bench/ with -DSEC1996_BUILD_BENCH=ON and runs with TZ=UTC,
# the classic approach's fastest case.  Numbers are only as good as the
# machine is quiet: run it with nothing else busy.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
repetitions=${BENCH_REPETITIONS:-5}
driverRuns=${BENCH_DRIVER_RUNS:-40}

source scripts/lib/need.sh
need_command cmake
need_command g++
need_command python3
need_package libbenchmark-dev libhowardhinnant-date-dev liberfa-dev tzdata
install_needed

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSEC1996_BUILD_BENCH=ON \
  -DSEC1996_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target sec1996_bench sec1996_bulk_bench CvtTest CvtTest_classic >/dev/null

export TZ=UTC
ours=$("$build/driver/CvtTest" | sha256sum)
classic=$("$build/bench/CvtTest_classic" | sha256sum)
if [ "$ours" != "$classic" ]; then
  echo "CvtTest and CvtTest_classic print different output" >&2
  exit 1
fi

"$build/bench/sec1996_bench" --benchmark_repetitions="$repetitions" --benchmark_min_time=0.2 \
  --benchmark_out="$build/bench.json" --benchmark_out_format=json >/dev/null 2>"$build/bench.log"

"$build/bench/sec1996_bulk_bench" --benchmark_repetitions="$repetitions" --benchmark_min_time=0.2 \
  --benchmark_out="$build/bulk.json" --benchmark_out_format=json >/dev/null 2>&1

python3 scripts/bench_report.py "$build" "$driverRuns" "$repetitions"
echo
echo "machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) CPUs;" \
  "$(grep -m1 "Load Average" "$build/bench.log" || true) at the start"
