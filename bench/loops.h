// The benchmark loops and their registration.  One loop serves every
// conversion: it hands the next input to the conversion and keeps the
// result alive; the text loop gives the conversion a buffer to write.
#ifndef SEC1996_BENCH_LOOPS_H
#define SEC1996_BENCH_LOOPS_H

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "inputs.h"

namespace sec1996::bench {

// Each thread starts at its own place in the inputs.
inline std::size_t firstIndex(const benchmark::State& state) {
  return static_cast<std::size_t>(state.thread_index()) * (kInputs / 2);
}

// Converts the inputs one after another: input names the inputs the
// conversion takes (Inputs::counts, ::records, ::yearDays or ::tms), and the
// conversion is a template argument, so that the loop calls it directly or
// inlines it.
template <auto Inputs::*input, auto convert>
void convertEach(benchmark::State& state) {
  const auto& in = inputs().*input;
  std::size_t i = firstIndex(state);
  for (auto _ : state) {
    auto result = convert(in[i & kMask]);
    benchmark::DoNotOptimize(result);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

// The same for a conversion that writes text into a buffer and returns its
// length.
template <auto write>
void writeEach(benchmark::State& state) {
  const std::vector<Sec1996>& counts = inputs().counts;
  std::size_t i = firstIndex(state);
  char out[64];
  for (auto _ : state) {
    const std::size_t length = write(counts[i & kMask], out, sizeof out);
    benchmark::DoNotOptimize(length);
    benchmark::DoNotOptimize(out);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

// Registers a benchmark run on one thread, and on two when the conversion
// may be called from several threads at once.
inline void add(const char* name, void (*body)(benchmark::State&), bool twoThreads = false) {
  benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(name, body);
  b->UseRealTime()->Threads(1);
  if (twoThreads) b->Threads(2);
}

}  // namespace sec1996::bench

#endif  // SEC1996_BENCH_LOOPS_H
