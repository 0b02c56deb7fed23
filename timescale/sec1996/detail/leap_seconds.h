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

// ---- Reading a table --------------------------------------------------------
//
// The rest of the core reaches a table through the functions below only.
// Each compares with every entry and adds up, without a branch, so that a
// loop over values that calls them vectorises.  They take exact counts
// (int64_t), or counts on the scale (uint32_t), which are compared in 32
// bits: every entry less one is a count on the scale.

// The leap seconds at or before a count, the count's own included when it
// is one: entry L counts from its leap second, L - 1, on.
constexpr std::int64_t leapsThrough(std::int64_t count, LeapSeconds leaps) {
  std::int64_t inserted = 0;
  for (const std::int32_t entry : leaps) inserted += count >= std::int64_t{entry} - 1 ? 1 : 0;
  return inserted;
}

constexpr std::uint32_t leapsThrough(std::uint32_t count, LeapSeconds leaps) {
  std::uint32_t inserted = 0;
  for (const std::int32_t entry : leaps) {
    inserted += count >= static_cast<std::uint32_t>(entry) - 1 ? 1U : 0U;
  }
  return inserted;
}

// Whether a count is one of the table's leap seconds.
constexpr bool isLeapCount(std::int64_t count, LeapSeconds leaps) {
  bool leap = false;
  for (const std::int32_t entry : leaps) leap |= count == std::int64_t{entry} - 1;
  return leap;
}

constexpr bool isLeapCount(std::uint32_t count, LeapSeconds leaps) {
  bool leap = false;
  for (const std::int32_t entry : leaps) leap |= count == static_cast<std::uint32_t>(entry) - 1;
  return leap;
}

// The leap seconds inserted before a moment given in nominal seconds from
// the epoch (days of 86400 seconds, no leap seconds).  Entry i (from 0) of
// a sound table is the count of the midnight after its leap second, i + 1
// leap seconds included, so that midnight lies L - i - 1 nominal seconds
// after the epoch, and every nominal second from it on counts the entry.
constexpr std::int64_t leapsBeforeNominal(std::int64_t nominal, LeapSeconds leaps) {
  std::int64_t inserted = 0;
  std::int64_t i = 0;
  for (const std::int32_t entry : leaps) {
    inserted += nominal >= std::int64_t{entry} - i - 1 ? 1 : 0;
    ++i;
  }
  return inserted;
}

// The same at 00:00:00 of a day counted from the epoch: those midnights
// are whole days, so days are compared with days.
constexpr std::int64_t leapsBeforeDay(std::int64_t days, LeapSeconds leaps) {
  std::int64_t inserted = 0;
  std::int64_t i = 0;
  for (const std::int32_t entry : leaps) {
    inserted += days >= (std::int64_t{entry} - i - 1) / kSecondsPerDay ? 1 : 0;
    ++i;
  }
  return inserted;
}

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_LEAP_SECONDS_H
