// The inputs every benchmark converts: counts spread uniformly over the whole
// 32-bit scale, and the records, day-of-year values, tm records and POSIX
// seconds built from them.  Each iteration converts the next one, so that neither the
// branch predictor nor a single cached value hides the cost.
#ifndef SEC1996_BENCH_INPUTS_H
#define SEC1996_BENCH_INPUTS_H

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <random>
#include <vector>

#include "timescale/sec1996.h"

namespace sec1996::bench {

// A power of two, so that the index wraps with a mask; 16384 counts and
// their records (about half a megabyte) stay in the second-level cache.
inline constexpr std::size_t kInputs = std::size_t{1} << 14;
inline constexpr std::size_t kMask = kInputs - 1;

struct Inputs {
  std::vector<Sec1996> counts;
  std::vector<Date1996> records;
  std::vector<YearDay1996> yearDays;
  std::vector<struct tm> tms;
  std::vector<std::int64_t> posix;
};

inline const Inputs& inputs() {
  static const Inputs in = [] {
    Inputs built;
    std::mt19937 random(1996);  // fixed seed: every run converts the same counts
    for (std::size_t i = 0; i < kInputs; ++i) {
      const Sec1996 count = static_cast<Sec1996>(random());
      built.counts.push_back(count);
      built.records.push_back(cvtFromSec1996(count));
      built.yearDays.push_back(cvtFromSec1996_yd(count));
      built.tms.push_back(*getDateFromSecondsSince1996(count));
      built.posix.push_back(cvtFromSec1996_posix(count));
    }
    return built;
  }();
  return in;
}

}  // namespace sec1996::bench

#endif  // SEC1996_BENCH_INPUTS_H
