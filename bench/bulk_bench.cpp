// The array forms against the single-value calls they stand for and against
// memcpy of the same bytes, on 16384 counts spread over the whole scale (and
// the records of them), and the inline C++ conversions of sec1996.hpp
// against the C calls.  Every benchmark converts the whole array once per
// iteration; items_per_second counts values, so 1e9 / items_per_second is
// the cost of one value in ns.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "timescale/sec1996.h"
#include "timescale/sec1996.hpp"

namespace {

constexpr std::size_t kValues = std::size_t{1} << 14;

struct Arrays {
  std::vector<Sec1996> counts;
  std::vector<Date1996> records;
  std::vector<std::int64_t> posix;
};

const Arrays& arrays() {
  static const Arrays built = [] {
    Arrays a;
    std::mt19937 random(1996);  // fixed seed: every run converts the same counts
    for (std::size_t i = 0; i < kValues; ++i) {
      const auto count = static_cast<Sec1996>(random());
      a.counts.push_back(count);
      a.records.push_back(cvtFromSec1996_lossless(count));
      a.posix.push_back(cvtFromSec1996_posix(count));
    }
    return a;
  }();
  return built;
}

// Runs body over the arrays once per iteration and counts kValues items.
template <class Body>
void perValue(benchmark::State& state, Body body) {
  for (auto _ : state) {
    body();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kValues));
}

template <class Out>
void copyFloor(benchmark::State& state, const void* in) {
  std::vector<Out> out(kValues);
  perValue(state, [&] { std::memcpy(out.data(), in, kValues * sizeof(Out)); });
}

void registerAll() {
  const Arrays& a = arrays();
  static std::vector<Date1996> records(kValues);
  static std::vector<Sec1996> counts(kValues);
  static std::vector<std::int64_t> posix(kValues);
  static std::vector<char> iso(kValues * SEC1996_ISO_LENGTH);

  // counts to records
  benchmark::RegisterBenchmark("countsToRecords/array", [&](benchmark::State& s) {
    perValue(s, [&] { cvtFromSec1996_lossless_n(a.counts.data(), kValues, records.data()); });
  });
  benchmark::RegisterBenchmark("countsToRecords/single", [&](benchmark::State& s) {
    perValue(s, [&] {
      for (std::size_t i = 0; i < kValues; ++i) records[i] = cvtFromSec1996_lossless(a.counts[i]);
    });
  });
  benchmark::RegisterBenchmark("countsToRecords/memcpy", [&](benchmark::State& s) {
    copyFloor<Date1996>(s, a.records.data());
  });

  // records to counts
  benchmark::RegisterBenchmark("recordsToCounts/array", [&](benchmark::State& s) {
    perValue(s, [&] { cvtToSec1996_n(a.records.data(), kValues, counts.data()); });
  });
  benchmark::RegisterBenchmark("recordsToCounts/single", [&](benchmark::State& s) {
    perValue(s, [&] {
      for (std::size_t i = 0; i < kValues; ++i) counts[i] = cvtToSec1996(a.records[i]);
    });
  });
  benchmark::RegisterBenchmark("recordsToCounts/hpp", [&](benchmark::State& s) {
    perValue(s, [&] {
      for (std::size_t i = 0; i < kValues; ++i) {
        counts[i] = sec1996::to_count(sec1996::from_record(a.records[i]));
      }
    });
  });
  benchmark::RegisterBenchmark("recordsToCounts/memcpy", [&](benchmark::State& s) {
    copyFloor<Date1996>(s, a.records.data());
  });

  // counts to POSIX seconds
  benchmark::RegisterBenchmark("countsToPosix/array", [&](benchmark::State& s) {
    perValue(s, [&] { cvtFromSec1996_posix_n(a.counts.data(), kValues, posix.data()); });
  });
  benchmark::RegisterBenchmark("countsToPosix/single", [&](benchmark::State& s) {
    perValue(s, [&] {
      for (std::size_t i = 0; i < kValues; ++i) posix[i] = cvtFromSec1996_posix(a.counts[i]);
    });
  });
  benchmark::RegisterBenchmark("countsToPosix/memcpy", [&](benchmark::State& s) {
    copyFloor<std::int64_t>(s, a.posix.data());
  });

  // POSIX seconds to counts
  benchmark::RegisterBenchmark("posixToCounts/array", [&](benchmark::State& s) {
    perValue(s, [&] { cvtToSec1996_posix_n(a.posix.data(), kValues, counts.data()); });
  });
  benchmark::RegisterBenchmark("posixToCounts/single", [&](benchmark::State& s) {
    perValue(s, [&] {
      for (std::size_t i = 0; i < kValues; ++i) counts[i] = cvtToSec1996_posix(a.posix[i]);
    });
  });

  // counts to ISO 8601 text
  benchmark::RegisterBenchmark("countsToIso/array", [&](benchmark::State& s) {
    perValue(s, [&] { stringDate1996_iso_n(a.counts.data(), kValues, iso.data()); });
  });
  benchmark::RegisterBenchmark("countsToIso/single", [&](benchmark::State& s) {
    perValue(s, [&] {
      char text[SEC1996_ISO_SIZE];
      for (std::size_t i = 0; i < kValues; ++i) {
        stringDate1996_iso(a.counts[i], text);
        std::memcpy(&iso[i * SEC1996_ISO_LENGTH], text, SEC1996_ISO_LENGTH);
      }
    });
  });
}

}  // namespace

int main(int argc, char** argv) {
  registerAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
