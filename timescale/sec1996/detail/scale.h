// The core of the scale: counts to calendar fields and back, with the table
// of leap seconds passed in, so that the same code serves the library's own
// table and any other.  Pure constexpr functions; nothing here keeps state.
#ifndef SEC1996_DETAIL_SCALE_H
#define SEC1996_DETAIL_SCALE_H

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

// The clock reading of an exact count, on the scale or off it: before the
// epoch no leap second has been inserted, after the end of the span all of
// the table's have.
constexpr ClockTime clockFromExactCount(std::int64_t count, LeapSeconds leaps) {
  std::int64_t inserted = 0;
  bool leapSecond = false;
  for (const std::int32_t entry : leaps) {
    if (count < std::int64_t{entry} - 1) break;
    ++inserted;
    leapSecond = count == std::int64_t{entry} - 1;
  }
  const std::int64_t nominal = count - inserted;
  const std::int64_t days = floorDiv(nominal, kSecondsPerDay);
  return {days, static_cast<int>(nominal - days * kSecondsPerDay), leapSecond};
}

constexpr ClockTime clockFromCount(std::uint32_t count, LeapSeconds leaps) {
  return clockFromExactCount(std::int64_t{count}, leaps);
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

// Records near the scale: a year in [kFastYearMin, kFastYearMax] and a
// month in [1, 12], any day.  Their count needs no 64-bit multiplication.
constexpr bool isNearRecord(std::int32_t year, std::int32_t mon) {
  constexpr auto kYearSpan = static_cast<std::uint32_t>(kFastYearMax - kFastYearMin);
  // Unsigned subtraction: a range test that wraps instead of overflowing.
  const std::uint32_t yearIndex =
      static_cast<std::uint32_t>(year) - static_cast<std::uint32_t>(kFastYearMin);
  const std::uint32_t monthIndex = static_cast<std::uint32_t>(mon) - 1;
  return (yearIndex <= kYearSpan) & (monthIndex < 12);
}

// The count of a near record (see isNearRecord), modulo 2^32: its day's
// midnight plus secondOfDay.  Entry i (from 0) of a sound table is the
// midnight of day (L - i - 1) / 86400, after which every midnight counts it,
// so the leap seconds before the day are a comparison of day counts each;
// the day count itself, exact in 64 bits, is only needed modulo 2^32 for
// the count.  For any other record the result is meaningless, but computed
// without overflow, so that an array loop may compute it and discard it.
constexpr std::uint32_t nearCount(std::int32_t year, std::int32_t mon, std::int32_t day,
                                  std::uint32_t secondOfDay, LeapSeconds leaps) {
  const std::int64_t days = std::int64_t{daysFromCivilFast(year, mon)} + day - 1;
  std::uint32_t inserted = 0;
  std::int64_t i = 0;
  for (const std::int32_t entry : leaps) {
    inserted += days >= (std::int64_t{entry} - i - 1) / kSecondsPerDay ? 1U : 0U;
    ++i;
  }
  return static_cast<std::uint32_t>(days) * 86400U + inserted + secondOfDay;
}

// The count of a record's fields: 00:00:00 of the normalised date, plus the
// time of day as it stands, modulo 2^32.  Adding the time of day to the
// day's midnight is what lets 23:59:60 and 24:00:00 of a leap day reach the
// leap second; unsigned arithmetic wraps where the signed fields would
// overflow.
constexpr std::uint32_t countFromRecord(std::int32_t year, std::int32_t mon, std::int32_t day,
                                        std::int32_t hour, std::int32_t min, std::int32_t sec,
                                        LeapSeconds leaps) {
  const std::uint32_t secondOfDay = static_cast<std::uint32_t>(hour) * 3600U +
                                    static_cast<std::uint32_t>(min) * 60U +
                                    static_cast<std::uint32_t>(sec);
  if (isNearRecord(year, mon)) return nearCount(year, mon, day, secondOfDay, leaps);
  return wrapCount(midnightCount(daysFromCivilWide(year, mon, day), leaps)) + secondOfDay;
}

static_assert(countFromRecord(1997, 6, 30, 23, 59, 60, kLeapSeconds) == 47260800);
static_assert(countFromRecord(1997, 7, 1, 0, 0, 0, kLeapSeconds) == 47260801);
static_assert(countFromRecord(40000, 1, 1, 0, 0, 0, kLeapSeconds) ==
              wrapCount(midnightCount(daysFromCivil(40000, 1, 1), kLeapSeconds)));

// ---- Exact counts ---------------------------------------------------------
//
// The count of an instant before any wrapping to 32 bits: negative before
// the epoch, above kLastCount after the end of the span.  Every int32_t
// field value and every 64-bit POSIX second of a four-digit year stays
// exact: a day count from 32-bit fields is below 2^40, its seconds below
// 2^57.

inline constexpr std::int64_t kFirstCount = 0;
inline constexpr std::int64_t kLastCount = UINT32_MAX;

constexpr bool isOnScale(std::int64_t exactCount) {
  return exactCount >= kFirstCount && exactCount <= kLastCount;
}

// The exact count of a record's fields: 00:00:00 of the normalised date
// plus the time of day as it stands.  countFromRecord is this modulo 2^32.
constexpr std::int64_t exactCountFromRecord(std::int32_t year, std::int32_t mon, std::int32_t day,
                                            std::int32_t hour, std::int32_t min, std::int32_t sec,
                                            LeapSeconds leaps) {
  return midnightCount(daysFromFields(year, mon, day), leaps) + std::int64_t{hour} * 3600 +
         std::int64_t{min} * 60 + sec;
}

static_assert(exactCountFromRecord(1995, 12, 31, 23, 59, 59, kLeapSeconds) == -1);
static_assert(exactCountFromRecord(2132, 2, 7, 6, 28, 15, kLeapSeconds) == kLastCount + 1);

// The days in a month of a year, for mon in [1, 12].
constexpr int daysInMonth(std::int64_t year, int mon) {
  return static_cast<int>(daysFromCivil(year, mon + 1, 1) - daysFromCivil(year, mon, 1));
}

// The exact count of a year and fractional day of the year: 00:00:00 of day
// trunc(dayOfYear), counted from 1 January so that days outside the year
// carry into its neighbours, plus the fraction rounded to whole seconds.
// NaN reads as day 1 and values past 2^31 days are clamped, so that every
// conversion to an integer below is defined.
constexpr std::int64_t exactCountFromYearDay(double dayOfYear, std::int32_t year,
                                             LeapSeconds leaps) {
  // Past 2^31 days every year a 32-bit field holds is left far behind.
  constexpr double kDayLimit = 2147483648.0;
  if (dayOfYear != dayOfYear) dayOfYear = 1.0;  // NaN
  if (dayOfYear < -kDayLimit) dayOfYear = -kDayLimit;
  if (dayOfYear > kDayLimit) dayOfYear = kDayLimit;
  // Truncation and floor by conversion to an integer, which both values
  // survive exactly: no calls into the maths library, which the library
  // then does not need to load at all.
  const auto wholeDays = static_cast<std::int64_t>(dayOfYear);  // toward zero
  const double roundedSeconds = (dayOfYear - static_cast<double>(wholeDays)) * 86400.0 + 0.5;
  auto secondsIntoDay = static_cast<std::int64_t>(roundedSeconds);             // [-86400, 86400]
  if (static_cast<double>(secondsIntoDay) > roundedSeconds) --secondsIntoDay;  // floor
  const std::int64_t days = daysFromFields(year, 1, 1) + wholeDays - 1;
  return midnightCount(days, leaps) + secondsIntoDay;
}

// Whether count is the inserted leap second of one of the entries.
constexpr bool isLeapCount(std::uint32_t count, LeapSeconds leaps) {
  for (const std::int32_t entry : leaps) {
    if (std::int64_t{count} == std::int64_t{entry} - 1) return true;
  }
  return false;
}

// The record fields of a count with the leap second as second 60 of
// 23:59, so that counting the fields back gives the count itself.
constexpr Fields losslessFieldsFromCount(std::uint32_t count, LeapSeconds leaps) {
  const ClockTime clock = clockFromCount(count, leaps);
  Fields fields = fieldsFromClock(clock);
  fields.sec += clock.leapSecond ? 1 : 0;  // 23:59:59 of the leap day becomes 23:59:60
  return fields;
}

// ---- POSIX seconds ----------------------------------------------------------
//
// POSIX time counts every day as 86400 seconds since 1970-01-01 00:00:00:
// it is the nominal count moved by the epoch, and a leap second has the
// value of the 23:59:59 before it.

inline constexpr std::int64_t kPosixEpoch = kEpochDaysFrom1970 * kSecondsPerDay;  // 820454400

constexpr std::int64_t posixFromCount(std::uint32_t count, LeapSeconds leaps) {
  std::int64_t inserted = 0;  // leap seconds at or before count
  for (const std::int32_t entry : leaps) inserted += std::int64_t{count} >= std::int64_t{entry} - 1;
  return std::int64_t{count} - inserted + kPosixEpoch;
}

// The count of a POSIX second, modulo 2^32.  Far from the scale every leap
// second lies on one side, and the arithmetic wraps in unsigned 64 bits so
// that no value of seconds can overflow.
constexpr std::uint32_t countFromPosix(std::int64_t seconds, LeapSeconds leaps) {
  constexpr std::int64_t kNear = std::int64_t{1} << 40;  // far beyond any table entry
  const std::uint64_t nominal = static_cast<std::uint64_t>(seconds) - kPosixEpoch;
  if (seconds >= kPosixEpoch - kNear && seconds <= kPosixEpoch + kNear) {
    return wrapCount(countFromNominal(seconds - kPosixEpoch, leaps));
  }
  const std::uint64_t inserted = seconds > kPosixEpoch ? leaps.size() : 0;
  return static_cast<std::uint32_t>(nominal + inserted);
}

static_assert(posixFromCount(0, kLeapSeconds) == 820454400);
static_assert(posixFromCount(47260800, kLeapSeconds) == posixFromCount(47260799, kLeapSeconds));
static_assert(countFromPosix(867715200, kLeapSeconds) == 47260801);

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_SCALE_H
