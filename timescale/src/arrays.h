// The per-element kernels of the array forms: the core's conversions
// restated in branch-free unsigned 32-bit arithmetic, so that a loop over
// them vectorises.  Each gives exactly what the core gives (the verification
// stage compares them with the single-value functions on every count); the
// loops are compiled for AVX2 as well and chosen at run time, with the
// portable x86-64 code as the default.
#ifndef SEC1996_SRC_ARRAYS_H
#define SEC1996_SRC_ARRAYS_H

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "checked.h"
#include "timescale/sec1996.h"

// Each array form compiles its loop twice, for the portable x86-64 target
// and for AVX2, and picks one by the processor it runs on.  (By hand rather
// than with target_clones, whose resolvers the shared library would export,
// and asking cpuid itself rather than __builtin_cpu_supports, which would
// tie the archive to libgcc's __cpu_model.)
#if defined(__x86_64__) && defined(__GNUC__)
#include <cpuid.h>
#define SEC1996_AVX2_TARGET [[gnu::target("avx2")]]
#else
#define SEC1996_AVX2_TARGET
#endif

namespace sec1996::detail {

#if defined(__x86_64__) && defined(__GNUC__)
// Whether the processor has AVX2 and the system saves its registers.
inline bool askCpuForAvx2() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid(1, &a, &b, &c, &d) == 0) return false;
  if ((c & bit_OSXSAVE) == 0 || (c & bit_AVX) == 0) return false;
  unsigned xcr0 = 0, xcr0High = 0;
  __asm__("xgetbv" : "=a"(xcr0), "=d"(xcr0High) : "c"(0));
  if ((xcr0 & 6U) != 6U) return false;  // the XMM and YMM state
  if (__get_cpuid_max(0, nullptr) < 7) return false;
  __cpuid_count(7, 0, a, b, c, d);
  return (b & bit_AVX2) != 0;
}

// The answer, asked once: 0 not yet, 1 no, 2 yes.  A relaxed atomic, so
// that threads asking at once at worst all ask the processor.
inline std::atomic<int> avx2Answer{0};

inline bool hasAvx2() {
  int answer = avx2Answer.load(std::memory_order_relaxed);
  if (answer == 0) {
    answer = askCpuForAvx2() ? 2 : 1;
    avx2Answer.store(answer, std::memory_order_relaxed);
  }
  return answer == 2;
}
#else
inline bool hasAvx2() { return false; }
#endif

template <auto convert, class... Arguments>
SEC1996_AVX2_TARGET auto convertWithAvx2(Arguments... arguments) {
  return convert(arguments...);
}

// Runs convert, an always-inline loop, as compiled for this processor.
template <auto convert, class... Arguments>
auto convertArray(Arguments... arguments) {
  if (hasAvx2()) return convertWithAvx2<convert>(arguments...);
  return convert(arguments...);
}

// The two multipliers of losslessRecordOf, checked over their whole ranges.
constexpr bool hourAndMinuteMultipliersAreExact() {
  for (std::uint32_t second = 0; second < 86400; ++second) {
    if ((((second >> 4) * 9321) >> 21) != second / 3600) return false;
  }
  for (std::uint32_t second = 0; second < 3600; ++second) {
    if (((second * 2185) >> 17) != second / 60) return false;
  }
  return true;
}
static_assert(hourAndMinuteMultipliersAreExact());

// The lossless record of a count.  A count is at most one leap second past
// its nominal second, so the nominal count is count minus the entries at or
// before it, in [0, 2^32 - 1]; days are then [0, 49710].
constexpr Date1996 losslessRecordOf(std::uint32_t count) {
  const auto inserted = static_cast<std::uint32_t>(leapsThrough(count, kLeapSeconds));
  const std::uint32_t leap = isLeapCount(count, kLeapSeconds) ? 1U : 0U;
  const std::uint32_t nominal = count - inserted;
  const std::uint32_t days = nominal / 86400;                // [0, 49710]
  const std::uint32_t secondOfDay = nominal - days * 86400;  // [0, 86399]
  // The hour and the minute by multiplications that stay within 32 bits,
  // which vectorise without widening: exact over these ranges, since the
  // rounding error of each multiplier stays below the gap to the next
  // integer (1/225 of secondOfDay / 16 < 5400, 1/60 of secondOfHour < 3600).
  const std::uint32_t hour = ((secondOfDay >> 4) * 9321) >> 21;  // / 3600
  const std::uint32_t secondOfHour = secondOfDay - hour * 3600;
  const std::uint32_t min = (secondOfHour * 2185) >> 17;     // / 60
  const std::uint32_t sec = secondOfHour - min * 60 + leap;  // 60 in a leap second

  // C. Neri and L. Schneider's to_date (see calendar.h), with the era shift
  // that keeps every value positive; 4 * n + 3 stays below 2^26.
  const std::uint32_t n = days + kShiftDays;
  const std::uint32_t n1 = 4 * n + 3;
  const std::uint32_t century = n1 / 146097;
  const std::uint32_t n2 = (n1 % 146097) | 3;  // 4 * (day of the century) + 3
  const std::uint64_t p2 = std::uint64_t{2939745} * n2;
  const auto yearOfCentury = static_cast<std::uint32_t>(p2 >> 32);
  const std::uint32_t dayOfYear = static_cast<std::uint32_t>(p2) / 2939745 / 4;  // from 1 March
  const std::uint32_t n3 = 2141 * dayOfYear + 197913;
  const std::uint32_t month = n3 >> 16;                // [3, 14]
  const std::uint32_t day = (n3 & 0xFFFF) / 2141 + 1;  // [1, 31]
  const std::uint32_t january = dayOfYear >= 306 ? 1U : 0U;
  const std::uint32_t year = 100 * century + yearOfCentury - kShiftYears + january;
  return {static_cast<std::int32_t>(year), static_cast<std::int32_t>(month - 12 * january),
          static_cast<std::int32_t>(day),  static_cast<std::int32_t>(hour),
          static_cast<std::int32_t>(min),  static_cast<std::int32_t>(sec)};
}

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_ARRAYS_H
