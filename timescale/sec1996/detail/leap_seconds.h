// The leap seconds of the scale: the one definition of the table, checked
// when the library compiles.
#ifndef SEC1996_DETAIL_LEAP_SECONDS_H
#define SEC1996_DETAIL_LEAP_SECONDS_H

#include <cstddef>
#include <cstdint>
#include <span>

#include "calendar.h"

namespace sec1996::detail {

// Each entry is the count of 00:00:00 UTC on the day after an inserted leap
// second, counted on the scale itself (that leap second and all earlier ones
// included), so the leap second's own count is the entry minus one.  The
// table is ascending and closed by 0.  Counts already stored depend on it:
// a new leap second is one more line above the 0.
inline constexpr std::int32_t leapSecondsSince1996[] = {
    47260801,  // 1997-06-30 23:59:60
    0,
};

// The entries of a table, without the closing 0.
using LeapSeconds = std::span<const std::int32_t>;

// A table is sound when it is closed by its only entry <= 0 and every entry
// i (from 1) lies at a midnight at least a day after the epoch, after the
// i leap seconds it includes: (L - i) a positive multiple of 86400.  That
// also makes the entries ascend at least a day apart.
constexpr bool isSoundLeapTable(std::span<const std::int32_t> table) {
  if (table.empty() || table.back() != 0) return false;
  std::int64_t previousMidnight = 0;
  for (std::size_t i = 0; i + 1 < table.size(); ++i) {
    const std::int64_t midnight = std::int64_t{table[i]} - static_cast<std::int64_t>(i + 1);
    if (midnight % kSecondsPerDay != 0 || midnight <= previousMidnight) return false;
    previousMidnight = midnight;
  }
  return true;
}

constexpr LeapSeconds entriesOf(std::span<const std::int32_t> table) {
  return table.first(table.size() - 1);
}

static_assert(isSoundLeapTable(leapSecondsSince1996));

inline constexpr LeapSeconds kLeapSeconds = entriesOf(leapSecondsSince1996);

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_LEAP_SECONDS_H
