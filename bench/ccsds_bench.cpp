// The array forms of the CCSDS codes on the benchmark's 16384 counts, each
// with a fraction, in the layouts the command writes by default (CUC 4+2,
// CDS level 1 with a 16-bit day and microseconds, CCS by month and day with
// three sub-second octets, every one with its P-field) and in the
// day-of-year CCS, and CUC level 1 (TAI from 1958) from the tests' pinned
// leap-second list in 5+2 octets, which hold every count (4 coarse octets
// end in 2094).  Every benchmark converts the whole array once per
// iteration; items_per_second counts values, so 1e9 / items_per_second is
// the cost of one value in ns.
//
//   build/bench/sec1996_ccsds_bench --benchmark_min_time=0.2
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "inputs.h"
#include "timescale/sec1996_ccsds.h"

namespace {

using sec1996::bench::inputs;
using sec1996::bench::kInputs;

constexpr Sec1996CucLayout kCuc = {1, 4, 2};
constexpr Sec1996CdsLayout kCds = {1, 2, SEC1996_CDS_MICROSECONDS, 0, 0, 0, 0};
constexpr Sec1996CcsLayout kCcs = {1, 0, 3};
constexpr Sec1996CcsLayout kCcsYearDay = {1, 1, 3};
constexpr Sec1996CucLayout kCucTai = {1, 5, 2};

const Sec1996LeapList* pinnedList() {
  static const Sec1996LeapList* list = [] {
    Sec1996LeapList* loaded = nullptr;
    Sec1996LeapListError error{};
    if (leapListFromFile1996(SEC1996_PINNED_LIST, &loaded, &error) != SEC1996_PARSE_OK) {
      std::fprintf(stderr, "%s\n", error.message);
      std::exit(2);
    }
    return loaded;
  }();
  return list;
}

struct Data {
  std::vector<std::uint64_t> binary = std::vector<std::uint64_t>(kInputs);
  std::vector<std::uint64_t> picoseconds = std::vector<std::uint64_t>(kInputs);
  std::vector<std::uint8_t> codes = std::vector<std::uint8_t>(kInputs * SEC1996_CCSDS_MAX_SIZE);
  std::vector<std::uint8_t> cuc, cds, ccs, ccsYearDay, cucTai;  // the inputs' codes
  std::size_t pastExpiry = 0;  // level-1 values with the list's warning, not refused
  std::vector<Sec1996> counts = std::vector<Sec1996>(kInputs);
  std::vector<std::uint64_t> fractions = std::vector<std::uint64_t>(kInputs);
  std::vector<Sec1996ParseStatus> status = std::vector<Sec1996ParseStatus>(kInputs);
};

Data& data() {
  static Data d = [] {
    Data built;
    std::mt19937_64 random(19);
    for (std::size_t i = 0; i < kInputs; ++i) {
      built.binary[i] = random();
      built.picoseconds[i] = random() % 1000000000000;
    }
    const auto encode = [&built](auto encodeN, const auto& layout, std::size_t length,
                                 const std::vector<std::uint64_t>& fractions) {
      std::vector<std::uint8_t> codes(kInputs * length);
      encodeN(inputs().counts.data(), fractions.data(), kInputs, &layout, codes.data(), nullptr);
      return codes;
    };
    built.cuc = encode(cvtFromSec1996_cuc_n, kCuc, codeLength1996_cuc(&kCuc), built.binary);
    built.cds = encode(cvtFromSec1996_cds_n, kCds, codeLength1996_cds(&kCds), built.picoseconds);
    built.ccs = encode(cvtFromSec1996_ccs_n, kCcs, codeLength1996_ccs(&kCcs), built.picoseconds);
    built.ccsYearDay = encode(cvtFromSec1996_ccs_n, kCcsYearDay, codeLength1996_ccs(&kCcsYearDay),
                              built.picoseconds);
    built.cucTai.resize(kInputs * codeLength1996_cuc(&kCucTai));
    built.pastExpiry =
        cvtFromSec1996_cucTai_n(pinnedList(), inputs().counts.data(), built.binary.data(), kInputs,
                                &kCucTai, built.cucTai.data(), built.status.data());
    for (const Sec1996ParseStatus s : built.status) {
      if (s != SEC1996_PARSE_OK && s != SEC1996_PARSE_LIST_EXPIRED) std::exit(3);
    }
    return built;
  }();
  return d;
}

const struct {
  const char* name;
  std::function<std::size_t()> body;  // the refusals, which must be none
} kBenchmarks[] = {
    {"cuc/encode",
     [] {
       Data& d = data();
       return cvtFromSec1996_cuc_n(inputs().counts.data(), d.binary.data(), kInputs, &kCuc,
                                   d.codes.data(), d.status.data());
     }},
    {"cuc/decode",
     [] {
       Data& d = data();
       return cvtToSec1996_cuc_n(d.cuc.data(), kInputs, &kCuc, d.counts.data(), d.fractions.data(),
                                 d.status.data());
     }},
    {"cds/encode",
     [] {
       Data& d = data();
       return cvtFromSec1996_cds_n(inputs().counts.data(), d.picoseconds.data(), kInputs, &kCds,
                                   d.codes.data(), d.status.data());
     }},
    {"cds/decode",
     [] {
       Data& d = data();
       return cvtToSec1996_cds_n(d.cds.data(), kInputs, &kCds, d.counts.data(), d.fractions.data(),
                                 d.status.data());
     }},
    {"ccs/encode",
     [] {
       Data& d = data();
       return cvtFromSec1996_ccs_n(inputs().counts.data(), d.picoseconds.data(), kInputs, &kCcs,
                                   d.codes.data(), d.status.data());
     }},
    {"ccs/decode",
     [] {
       Data& d = data();
       return cvtToSec1996_ccs_n(d.ccs.data(), kInputs, &kCcs, d.counts.data(), d.fractions.data(),
                                 d.status.data());
     }},
    {"ccsYearDay/encode",
     [] {
       Data& d = data();
       return cvtFromSec1996_ccs_n(inputs().counts.data(), d.picoseconds.data(), kInputs,
                                   &kCcsYearDay, d.codes.data(), d.status.data());
     }},
    {"ccsYearDay/decode",
     [] {
       Data& d = data();
       return cvtToSec1996_ccs_n(d.ccsYearDay.data(), kInputs, &kCcsYearDay, d.counts.data(),
                                 d.fractions.data(), d.status.data());
     }},
    // The elements past the list's expiry are counted with their warning.
    {"cucTai/encode",
     [] {
       Data& d = data();
       return cvtFromSec1996_cucTai_n(pinnedList(), inputs().counts.data(), d.binary.data(),
                                      kInputs, &kCucTai, d.codes.data(), d.status.data()) -
              d.pastExpiry;
     }},
    {"cucTai/decode",
     [] {
       Data& d = data();
       return cvtToSec1996_cucTai_n(pinnedList(), d.cucTai.data(), kInputs, &kCucTai, 0,
                                    d.counts.data(), d.fractions.data(), d.status.data()) -
              d.pastExpiry;
     }},
};

}  // namespace

int main(int argc, char** argv) {
  for (const auto& [name, body] : kBenchmarks) {
    benchmark::RegisterBenchmark(name, [&body = body](benchmark::State& state) {
      for (auto _ : state) {
        if (body() != 0) state.SkipWithError("an element was refused");
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
