// The per-element kernels of the array forms: the core's conversions
// restated in branch-free unsigned 32-bit arithmetic, so that a loop over
// them vectorises.  Each gives exactly what the core gives (the verification
// stage compares them with the single-value functions on every count); the
// loops are compiled for AVX2 and AVX-512 as well and chosen at run time,
// with the portable x86-64 code as the default.
#ifndef SEC1996_SRC_ARRAYS_H
#define SEC1996_SRC_ARRAYS_H

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "checked.h"
#include "timescale/sec1996.h"

// Each array form compiles its loop three times, for the portable x86-64
// target, for AVX2 and for AVX-512 (F, DQ, BW and VL), and picks one by the
// processor it runs on.  (By hand rather than with target_clones, whose
// resolvers the shared library would export, and asking cpuid itself rather
// than __builtin_cpu_supports, which would tie the archive to libgcc's
// __cpu_model.)
#if defined(__x86_64__) && defined(__GNUC__)
#include <cpuid.h>
#define SEC1996_AVX2_TARGET [[gnu::target("avx2")]]
#define SEC1996_AVX512_TARGET [[gnu::target("avx512f,avx512dq,avx512bw,avx512vl")]]
#else
#define SEC1996_AVX2_TARGET
#define SEC1996_AVX512_TARGET
#endif

namespace sec1996::detail {

enum class VectorUnit { kUnknown, kPortable, kAvx2, kAvx512 };

#if defined(__x86_64__) && defined(__GNUC__)
// The widest vector unit the processor has and the system saves the
// registers of.
inline VectorUnit askCpuForVectorUnit() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid(1, &a, &b, &c, &d) == 0) return VectorUnit::kPortable;
  if ((c & bit_OSXSAVE) == 0 || (c & bit_AVX) == 0) return VectorUnit::kPortable;
  unsigned xcr0 = 0, xcr0High = 0;
  __asm__("xgetbv" : "=a"(xcr0), "=d"(xcr0High) : "c"(0));
  if ((xcr0 & 6U) != 6U) return VectorUnit::kPortable;  // the XMM and YMM state
  if (__get_cpuid_max(0, nullptr) < 7) return VectorUnit::kPortable;
  __cpuid_count(7, 0, a, b, c, d);
  if ((b & bit_AVX2) == 0) return VectorUnit::kPortable;
  constexpr unsigned kAvx512 = bit_AVX512F | bit_AVX512DQ | bit_AVX512BW | bit_AVX512VL;
  // The opmask and both halves of the ZMM state, besides XMM and YMM.
  if ((b & kAvx512) != kAvx512 || (xcr0 & 0xE6U) != 0xE6U) return VectorUnit::kAvx2;
  return VectorUnit::kAvx512;
}

// The answer, asked once.  A relaxed atomic, so that threads asking at once
// at worst all ask the processor.
inline std::atomic<VectorUnit> vectorUnitAnswer{VectorUnit::kUnknown};

inline VectorUnit vectorUnit() {
  VectorUnit answer = vectorUnitAnswer.load(std::memory_order_relaxed);
  if (answer == VectorUnit::kUnknown) {
    answer = askCpuForVectorUnit();
    vectorUnitAnswer.store(answer, std::memory_order_relaxed);
  }
  return answer;
}
#else
inline VectorUnit vectorUnit() { return VectorUnit::kPortable; }
#endif

template <auto convert, class... Arguments>
SEC1996_AVX2_TARGET auto convertWithAvx2(Arguments... arguments) {
  return convert(arguments...);
}

template <auto convert, class... Arguments>
SEC1996_AVX512_TARGET auto convertWithAvx512(Arguments... arguments) {
  return convert(arguments...);
}

// Runs convert, an always-inline loop, as compiled for this processor.
template <auto convert, class... Arguments>
auto convertArray(Arguments... arguments) {
  switch (vectorUnit()) {
    case VectorUnit::kAvx512:
      return convertWithAvx512<convert>(arguments...);
    case VectorUnit::kAvx2:
      return convertWithAvx2<convert>(arguments...);
    default:
      return convert(arguments...);
  }
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

// ---- Division of small values by a multiplication --------------------------
//
// Vector units have a 32-bit multiplication but no division, and the
// compiler's own replacement for a division by a constant needs the high
// half of a 32 x 32-bit product, which AVX2 has only for half the lanes.
// Below a limit known in advance, x / d is (x * m) >> k with a product
// that stays within 32 bits: for m = ceil(2^k / d) with error
// e = m * d - 2^k, (x * m) / 2^k is x / d plus x * e / (d * 2^k), which is
// below 1 / d when x * e < 2^k, too little to reach the next integer.

struct SmallDivisor {
  std::uint32_t multiplier;
  int shift;
};

constexpr SmallDivisor smallDivisor(std::uint32_t divisor, std::uint32_t limit) {
  for (int shift = 0; shift < 32; ++shift) {
    const std::uint64_t power = std::uint64_t{1} << shift;
    const std::uint64_t multiplier = (power + divisor - 1) / divisor;
    if (multiplier * limit > UINT32_MAX) break;
    if ((multiplier * divisor - power) * limit < power) {
      return {static_cast<std::uint32_t>(multiplier), shift};
    }
  }
  return {0, 0};  // none: refused by the static_assert of the user
}

template <std::uint32_t kDivisor, std::uint32_t kLimit>
constexpr std::uint32_t divideSmall(std::uint32_t x) {
  constexpr SmallDivisor kBy = smallDivisor(kDivisor, kLimit);
  static_assert(kBy.multiplier != 0, "no 32-bit multiplier for this divisor and limit");
  return (x * kBy.multiplier) >> kBy.shift;
}

// ---- The lossless record of a count ----------------------------------------
//
// Over the span the calendar is simpler than in general: one year divisible
// by 4 is a common year (kCommonYearDivisibleBy4, 2100).  Counting days from
// 1 March of a year divisible by 4 before the epoch, with one day added from
// 1 March of that common year on as if it had a 29 February, every 4 years
// are 1461 days with the long year last, and every value stays below 2^16.

// The last year divisible by 4 before the first of the span, whose 1 March
// lies before the epoch.
inline constexpr std::int64_t kCycleStartYear = (kFirstYear - 1) / 4 * 4;
inline constexpr auto kCycleStart =
    static_cast<std::uint32_t>(-daysFromCivilWide(kCycleStartYear, 3, 1));
inline constexpr auto kSkippedLeapDay =
    static_cast<std::uint32_t>(daysFromCivilWide(kCommonYearDivisibleBy4, 3, 1) + kCycleStart);
// Above every day of the span so counted.
inline constexpr std::uint32_t kCycleDaysLimit =
    static_cast<std::uint32_t>(kLastClock.days) + kCycleStart + 1;
static_assert(kCycleDaysLimit < 65536);

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

  // Days from 1 March of kCycleStartYear, as if every fourth year had a
  // 29 February; then the 4-year cycle, the year in it (the long year's
  // last day, 1460, is still of the fourth), and the day of the year from
  // 1 March, whose month is C. Neri and L. Schneider's (see calendar.h).
  const std::uint32_t d = days + kCycleStart + (days + kCycleStart >= kSkippedLeapDay ? 1U : 0U);
  const std::uint32_t cycle = divideSmall<1461, kCycleDaysLimit>(d);
  const std::uint32_t dayOfCycle = d - cycle * 1461;                                  // [0, 1460]
  const std::uint32_t yearOfCycle = divideSmall<365, 1460>(dayOfCycle);               // [0, 4]
  const std::uint32_t yearInCycle = yearOfCycle - (yearOfCycle >> 2);                 // [0, 3]
  const std::uint32_t dayOfYear = dayOfCycle - yearInCycle * 365;                     // [0, 365]
  const std::uint32_t month = (2141 * dayOfYear + 197913) >> 16;                      // [3, 14]
  const std::uint32_t day = dayOfYear - divideSmall<5, 1685>(153 * month - 457) + 1;  // [1, 31]
  const std::uint32_t january = month > 12 ? 1U : 0U;
  const std::uint32_t year =
      static_cast<std::uint32_t>(kCycleStartYear) + 4 * cycle + yearInCycle + january;
  return {static_cast<std::int32_t>(year), static_cast<std::int32_t>(month - 12 * january),
          static_cast<std::int32_t>(day),  static_cast<std::int32_t>(hour),
          static_cast<std::int32_t>(min),  static_cast<std::int32_t>(sec)};
}

// The record of days of the span against the core's calendar: every 61st
// day (61 is prime to 7, 1461 and every month length, so the days sampled
// fall on every day of the month and of the week), and the days around
// 1 March of the common year.  (The verification stage compares every
// count of the span.)
constexpr bool losslessRecordsMatchTheCalendar() {
  const auto matches = [](std::int64_t days) {
    const Date1996 r = losslessRecordOf(wrapCount(midnightCount(days, kLeapSeconds)));
    const CivilDate c = civilFromDaysWide(days);
    return r.year == c.year && r.mon == c.mon && r.day == c.day;
  };
  for (std::int64_t days = 0; days <= kLastClock.days; days += 61) {
    if (!matches(days)) return false;
  }
  const std::int64_t skipped = kSkippedLeapDay - std::int64_t{kCycleStart};
  for (std::int64_t days = skipped - 3; days <= skipped + 3; ++days) {
    if (!matches(days)) return false;
  }
  return matches(kLastClock.days);
}
static_assert(losslessRecordsMatchTheCalendar());

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_ARRAYS_H
