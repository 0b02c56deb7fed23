// The array forms against the single-value calls they stand for and against
// memcpy of the same bytes, on the benchmark's 16384 inputs, the checked
// doors against their normalising twins, and the inline C++ conversion of
// sec1996.hpp against the C call.  Every benchmark
// converts the whole array once per iteration; items_per_second counts
// values, so 1e9 / items_per_second is the cost of one value in ns.
// scripts/bench.sh turns the output into the table of docs/performance.md.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "inputs.h"
#include "timescale/sec1996.h"
#include "timescale/sec1996.hpp"

namespace {

using sec1996::bench::inputs;
using sec1996::bench::kInputs;

struct Outputs {
  std::vector<Date1996> records = std::vector<Date1996>(kInputs);
  std::vector<Sec1996> counts = std::vector<Sec1996>(kInputs);
  std::vector<std::int64_t> posix = std::vector<std::int64_t>(kInputs);
  std::vector<char> iso = std::vector<char>(kInputs * SEC1996_ISO_LENGTH);
  std::vector<Sec1996ParseStatus> status = std::vector<Sec1996ParseStatus>(kInputs);
};

Outputs out;

// Converts every input element by element through the single-value call.
template <class Out, class In, class Convert>
void eachOf(const std::vector<In>& in, std::vector<Out>& result, Convert convert) {
  for (std::size_t i = 0; i < kInputs; ++i) result[i] = convert(in[i]);
}

// The same through a checked door, which writes the count through a
// pointer; a refusal would leave 0.
template <class In, class Checked>
void eachChecked(const std::vector<In>& in, Checked checked) {
  for (std::size_t i = 0; i < kInputs; ++i) {
    Sec1996 count = 0;
    out.status[i] = checked(in[i], &count);
    out.counts[i] = count;
  }
}

void isoEach() {
  char text[SEC1996_ISO_SIZE];
  for (std::size_t i = 0; i < kInputs; ++i) {
    std::memcpy(&out.iso[i * SEC1996_ISO_LENGTH], stringDate1996_iso(inputs().counts[i], text),
                SEC1996_ISO_LENGTH);
  }
}

const struct {
  const char* name;
  std::function<void()> body;
} kBenchmarks[] = {
    {"countsToRecords/array",
     [] { cvtFromSec1996_lossless_n(inputs().counts.data(), kInputs, out.records.data()); }},
    {"countsToRecords/single",
     [] { eachOf(inputs().counts, out.records, cvtFromSec1996_lossless); }},
    {"countsToRecords/memcpy",
     [] { std::memcpy(out.records.data(), inputs().records.data(), kInputs * sizeof(Date1996)); }},
    {"recordsToCounts/array",
     [] { cvtToSec1996_n(inputs().records.data(), kInputs, out.counts.data()); }},
    {"recordsToCounts/single", [] { eachOf(inputs().records, out.counts, cvtToSec1996); }},
    {"recordsToCounts/hpp",
     [] {
       eachOf(inputs().records, out.counts,
              [](const Date1996& r) { return sec1996::to_count(sec1996::from_record(r)); });
     }},
    {"recordsToCounts/memcpy",
     [] { std::memcpy(out.records.data(), inputs().records.data(), kInputs * sizeof(Date1996)); }},
    {"recordsToCounts/checkedArray",
     [] {
       cvtToSec1996_checked_n(inputs().records.data(), kInputs, out.counts.data(),
                              out.status.data());
     }},
    {"recordsToCounts/checkedSingle", [] { eachChecked(inputs().records, cvtToSec1996_checked); }},
    {"yearDaysToCounts/single",
     [] {
       eachOf(inputs().yearDays, out.counts,
              [](const YearDay1996& yd) { return cvtToSec1996_yd(yd.dayOfYear, yd.year); });
     }},
    {"yearDaysToCounts/checkedSingle",
     [] {
       eachChecked(inputs().yearDays, [](const YearDay1996& yd, Sec1996* count) {
         return cvtToSec1996_yd_checked(yd.dayOfYear, yd.year, count);
       });
     }},
    {"countsToPosix/array",
     [] { cvtFromSec1996_posix_n(inputs().counts.data(), kInputs, out.posix.data()); }},
    {"countsToPosix/single", [] { eachOf(inputs().counts, out.posix, cvtFromSec1996_posix); }},
    {"countsToPosix/memcpy",
     [] { std::memcpy(out.posix.data(), inputs().posix.data(), kInputs * sizeof(std::int64_t)); }},
    {"posixToCounts/array",
     [] { cvtToSec1996_posix_n(inputs().posix.data(), kInputs, out.counts.data()); }},
    {"posixToCounts/single", [] { eachOf(inputs().posix, out.counts, cvtToSec1996_posix); }},
    {"posixToCounts/checkedSingle",
     [] { eachChecked(inputs().posix, cvtToSec1996_posix_checked); }},
    {"countsToIso/array",
     [] { stringDate1996_iso_n(inputs().counts.data(), kInputs, out.iso.data()); }},
    {"countsToIso/single", isoEach},
};

}  // namespace

int main(int argc, char** argv) {
  for (const auto& [name, body] : kBenchmarks) {
    benchmark::RegisterBenchmark(name, [&body = body](benchmark::State& state) {
      for (auto _ : state) {
        body();
        benchmark::ClobberMemory();
      }
      state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
    });
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
