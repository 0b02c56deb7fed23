// True time (sec1996_scales.h): every array form and the single-value calls,
// on the benchmark's 16384 counts spread over the whole scale (so that every
// step of the list is crossed) and on the TAI, TT, GPS and week values made
// from them, with the pinned list of the tests.  items_per_second counts
// values: 1e9 / items_per_second is the cost of one value in ns (targets: at
// most 1 ns a value for the array forms, 10 ns for a single call).
//   build-bench/bench/sec1996_scales_bench --benchmark_min_time=0.2
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "inputs.h"
#include "timescale/sec1996_scales.h"

namespace {

using sec1996::bench::inputs;
using sec1996::bench::kInputs;
using sec1996::bench::kMask;

const Sec1996LeapList* list() {
  static const Sec1996LeapList* loaded = [] {
    Sec1996LeapList* l = nullptr;
    Sec1996LeapListError error{};
    if (leapListFromFile1996(SEC1996_PINNED_LIST, &l, &error) != SEC1996_PARSE_OK) {
      std::fprintf(stderr, "%s\n", error.message);
      std::exit(2);
    }
    return l;
  }();
  return loaded;
}

struct Values {
  std::vector<std::int64_t> tai, tt, gps;
  std::vector<std::int32_t> week, second;
  std::vector<Sec1996> later;
};

const Values& values() {
  static const Values v = [] {
    Values built{std::vector<std::int64_t>(kInputs), std::vector<std::int64_t>(kInputs),
                 std::vector<std::int64_t>(kInputs), std::vector<std::int32_t>(kInputs),
                 std::vector<std::int32_t>(kInputs), std::vector<Sec1996>(kInputs)};
    const std::vector<Sec1996>& counts = inputs().counts;
    cvtFromSec1996_tai_n(list(), counts.data(), kInputs, built.tai.data(), nullptr);
    cvtFromSec1996_tt_n(list(), counts.data(), kInputs, built.tt.data(), nullptr);
    cvtFromSec1996_gps_n(list(), counts.data(), kInputs, built.gps.data(), nullptr);
    cvtFromSec1996_gpsWeek_n(list(), counts.data(), kInputs, built.week.data(), built.second.data(),
                             nullptr);
    for (std::size_t i = 0; i < kInputs; ++i) built.later[i] = counts[(i + 1) & kMask];
    return built;
  }();
  return v;
}

std::vector<std::int64_t> out64(kInputs);
std::vector<std::int32_t> out32(kInputs), out32b(kInputs);
std::vector<Sec1996> outCounts(kInputs);
std::vector<Sec1996ParseStatus> statuses(kInputs);

template <class Run>
void arrayBench(benchmark::State& state, Run run) {
  values();
  for (auto _ : state) {
    run();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

#define ARRAY_BENCH(name, call)                                 \
  void name(benchmark::State& state) {                          \
    const std::vector<Sec1996>& in = inputs().counts;           \
    const Values& v = values();                                 \
    (void)in;                                                   \
    (void)v;                                                    \
    arrayBench(state, [&] { benchmark::DoNotOptimize(call); }); \
  }                                                             \
  BENCHMARK(name)

ARRAY_BENCH(BM_tai_n,
            cvtFromSec1996_tai_n(list(), in.data(), kInputs, out64.data(), statuses.data()));
ARRAY_BENCH(BM_tt_n,
            cvtFromSec1996_tt_n(list(), in.data(), kInputs, out64.data(), statuses.data()));
ARRAY_BENCH(BM_gps_n,
            cvtFromSec1996_gps_n(list(), in.data(), kInputs, out64.data(), statuses.data()));
ARRAY_BENCH(BM_gpsWeek_n, cvtFromSec1996_gpsWeek_n(list(), in.data(), kInputs, out32.data(),
                                                   out32b.data(), statuses.data()));
ARRAY_BENCH(BM_taiMinusUtc_n,
            taiMinusUtc1996_n(list(), in.data(), kInputs, out32.data(), statuses.data()));
ARRAY_BENCH(BM_siSecondsBetween_n, siSecondsBetween1996_n(list(), in.data(), v.later.data(),
                                                          kInputs, out64.data(), statuses.data()));
ARRAY_BENCH(BM_tai_n_no_status,
            cvtFromSec1996_tai_n(list(), in.data(), kInputs, out64.data(), nullptr));
ARRAY_BENCH(BM_toCount_tai_n, cvtToSec1996_tai_n(list(), v.tai.data(), kInputs, 0, outCounts.data(),
                                                 statuses.data()));
ARRAY_BENCH(BM_toCount_tt_n,
            cvtToSec1996_tt_n(list(), v.tt.data(), kInputs, 0, outCounts.data(), statuses.data()));
ARRAY_BENCH(BM_toCount_gps_n, cvtToSec1996_gps_n(list(), v.gps.data(), kInputs, 0, outCounts.data(),
                                                 statuses.data()));
ARRAY_BENCH(BM_toCount_gpsWeek_n,
            cvtToSec1996_gpsWeek_n(list(), v.week.data(), v.second.data(), kInputs, 0,
                                   outCounts.data(), statuses.data()));

// One call per iteration, on the next input each time.
template <class Call>
void scalarBench(benchmark::State& state, Call call) {
  values();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(call(i));
    i = (i + 1) & kMask;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_tai(benchmark::State& state) {
  std::int64_t r = 0;
  scalarBench(state, [&](std::size_t i) {
    cvtFromSec1996_tai(list(), inputs().counts[i], &r);
    return r;
  });
}
BENCHMARK(BM_tai);

void BM_tai_defaultList(benchmark::State& state) {
  std::int64_t r = 0;
  scalarBench(state, [&](std::size_t i) {
    cvtFromSec1996_tai(nullptr, inputs().counts[i], &r);
    return r;
  });
}
BENCHMARK(BM_tai_defaultList);

void BM_gpsWeek(benchmark::State& state) {
  std::int32_t w = 0, s = 0;
  scalarBench(state, [&](std::size_t i) {
    cvtFromSec1996_gpsWeek(list(), inputs().counts[i], &w, &s);
    return w + s;
  });
}
BENCHMARK(BM_gpsWeek);

void BM_siSecondsBetween(benchmark::State& state) {
  std::int64_t r = 0;
  scalarBench(state, [&](std::size_t i) {
    siSecondsBetween1996(list(), inputs().counts[i], values().later[i], &r);
    return r;
  });
}
BENCHMARK(BM_siSecondsBetween);

void BM_taiMinusUtc(benchmark::State& state) {
  std::int32_t r = 0;
  scalarBench(state, [&](std::size_t i) {
    taiMinusUtc1996(list(), inputs().counts[i], &r);
    return r;
  });
}
BENCHMARK(BM_taiMinusUtc);

void BM_toCount_tai(benchmark::State& state) {
  Sec1996 r = 0;
  scalarBench(state, [&](std::size_t i) {
    cvtToSec1996_tai(list(), values().tai[i], 0, &r);
    return r;
  });
}
BENCHMARK(BM_toCount_tai);

void BM_toCount_tt(benchmark::State& state) {
  Sec1996 r = 0;
  scalarBench(state, [&](std::size_t i) {
    cvtToSec1996_tt(list(), values().tt[i], 0, &r);
    return r;
  });
}
BENCHMARK(BM_toCount_tt);

void BM_toCount_gpsWeek(benchmark::State& state) {
  Sec1996 r = 0;
  scalarBench(state, [&](std::size_t i) {
    cvtToSec1996_gpsWeek(list(), values().week[i], values().second[i], 0, &r);
    return r;
  });
}
BENCHMARK(BM_toCount_gpsWeek);

}  // namespace

BENCHMARK_MAIN();
