// The core of the scale: counts to calendar fields and back, with the table
// of leap seconds passed in, so that the same code serves the library's own
// table and any other.  Pure constexpr functions; nothing here keeps state.
#ifndef SEC1996_SRC_SCALE_H
#define SEC1996_SRC_SCALE_H

#include <cstdint>

#include "calendar.h"
#include "leap_seconds.h"

namespace sec1996::detail {

// A count as a clock reads it.
struct ClockTime {
  std::int64_t days;  // from 1996-01-01
  int secondOfDay;    // [0, 86399]; a leap second reads 86399, as 23:59:59
  bool leapSecond;    // the count is an inserted 23:59:60
};

// The broken-down fields of a ClockTime.
struct Fields {
  CivilDate date;
  int hour;  // [0, 23]
  int min;   // [0, 59]
  int sec;   // [0, 59]
};

constexpr ClockTime clockFromCount(std::uint32_t count, LeapSeconds leaps) {
  std::int64_t inserted = 0;
  bool leapSecond = false;
  for (const std::int32_t entry : leaps) {
    if (std::int64_t{count} < std::int64_t{entry} - 1) break;
    ++inserted;
    leapSecond = std::int64_t{count} == std::int64_t{entry} - 1;
  }
  const std::int64_t nominal = std::int64_t{count} - inserted;  // [-entries, 2^32 - 1]
  const std::int64_t days = floorDiv(nominal, kSecondsPerDay);
  return {days, static_cast<int>(nominal - days * kSecondsPerDay), leapSecond};
}

constexpr Fields fieldsFromClock(const ClockTime& clock) {
  // Unsigned, the divisions by constants are a multiplication and a shift.
  const auto second = static_cast<unsigned>(clock.secondOfDay);
  return {civilFromDays(clock.days), static_cast<int>(second / 3600),
          static_cast<int>(second / 60 % 60), static_cast<int>(second % 60)};
}

constexpr Fields fieldsFromCount(std::uint32_t count, LeapSeconds leaps) {
  return fieldsFromClock(clockFromCount(count, leaps));
}

// The exact count, before any wrapping, of a moment given in nominal seconds
// from the epoch (days of 86400 seconds, no leap seconds): every leap second
// inserted before that moment is added.  Each entry is compared with the
// count the earlier entries have already raised, since the entries are
// counted on the scale itself.
constexpr std::int64_t countFromNominal(std::int64_t nominal, LeapSeconds leaps) {
  for (const std::int32_t entry : leaps) {
    if (nominal < std::int64_t{entry} - 1) break;
    ++nominal;
  }
  return nominal;
}

// The exact count of 00:00:00 on a day.
constexpr std::int64_t midnightCount(std::int64_t days, LeapSeconds leaps) {
  return countFromNominal(days * kSecondsPerDay, leaps);
}

// The 32-bit scale keeps an exact count modulo 2^32.
constexpr std::uint32_t wrapCount(std::int64_t exactCount) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(exactCount));
}

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_SCALE_H
