// The core of the scale: counts to calendar fields and back, with the table
// of leap seconds passed in, so that the same code serves the library's own
// table and any other.  Pure constexpr functions; nothing here keeps state.
//
// Every count here is exact, in 64-bit scale seconds: negative before the
// epoch, above kLastCount after the end of the span.  Every int32_t field
// value and every POSIX second of a four-digit year stays exact (a day count
// from 32-bit fields is below 2^40, its seconds below 2^57).  The 32-bit
// scale keeps an exact count modulo 2^32; that wrap (wrapCount) is made only
// by the conversions whose documented behaviour it is.
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
  const std::int64_t nominal = count - leapsThrough(count, leaps);
  const std::int64_t days = floorDiv(nominal, kSecondsPerDay);
  return {days, static_cast<int>(nominal - days * kSecondsPerDay), isLeapCount(count, leaps)};
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

// The exact count of a moment given in nominal seconds from the epoch (days
// of 86400 seconds, no leap seconds): every leap second inserted before that
// moment is added.
constexpr std::int64_t countFromNominal(std::int64_t nominal, LeapSeconds leaps) {
  return nominal + leapsBeforeNominal(nominal, leaps);
}

// The exact count of 00:00:00 on a day.
constexpr std::int64_t midnightCount(std::int64_t days, LeapSeconds leaps) {
  return days * kSecondsPerDay + leapsBeforeDay(days, leaps);
}

// The 32-bit scale keeps an exact count modulo 2^32.
constexpr std::uint32_t wrapCount(std::int64_t exactCount) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(exactCount));
}

inline constexpr std::int64_t kFirstCount = 0;
inline constexpr std::int64_t kLastCount = UINT32_MAX;

constexpr bool isOnScale(std::int64_t exactCount) {
  return exactCount >= kFirstCount && exactCount <= kLastCount;
}

// The seconds of a time of day as a record gives it, each field as it
// stands: exact for any int32_t values.
constexpr std::int64_t secondsOfTime(std::int32_t hour, std::int32_t min, std::int32_t sec) {
  return std::int64_t{hour} * 3600 + std::int64_t{min} * 60 + sec;
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

// The count of a near record (isNearRecord) modulo 2^32, for the loops
// that vectorise: each step is made in unsigned 32-bit lanes, whose
// arithmetic is arithmetic modulo 2^32, so that the wrap of an entry point
// that wraps (cvtToSec1996_n) is made in every step instead of once; a
// count on the scale (a plain record, checked.h) comes out exact.  Only the
// day count is exact in 64 bits, for the comparison with the table.  For any other
// record the result is meaningless, but computed without overflow, so
// that an array loop may compute it and discard it.
constexpr std::uint32_t nearCount(std::int32_t year, std::int32_t mon, std::int32_t day,
                                  std::uint32_t secondOfDay, LeapSeconds leaps) {
  const std::int64_t days = std::int64_t{daysFromCivilFast(year, mon)} + day - 1;
  const auto inserted = static_cast<std::uint32_t>(leapsBeforeDay(days, leaps));
  return static_cast<std::uint32_t>(days) * 86400U + inserted + secondOfDay;
}

// The time of day of a record in seconds, modulo 2^32.
constexpr std::uint32_t secondOfDayModulo(std::int32_t hour, std::int32_t min, std::int32_t sec) {
  return static_cast<std::uint32_t>(hour) * 3600U + static_cast<std::uint32_t>(min) * 60U +
         static_cast<std::uint32_t>(sec);
}

static_assert(nearCount(1997, 6, 30, secondOfDayModulo(24, 0, 0), kLeapSeconds) == 47260800);
static_assert(nearCount(1995, 12, 31, secondOfDayModulo(23, 59, 59), kLeapSeconds) == UINT32_MAX);

// The exact count of a record's fields: 00:00:00 of the normalised date
// plus the time of day as it stands.  Adding the time of day to the day's
// midnight, rather than normalising the time first, is what lets 23:59:60
// and 24:00:00 of a leap day reach the leap second.
constexpr std::int64_t exactCountFromRecord(std::int32_t year, std::int32_t mon, std::int32_t day,
                                            std::int32_t hour, std::int32_t min, std::int32_t sec,
                                            LeapSeconds leaps) {
  return midnightCount(daysFromFields(year, mon, day), leaps) + secondsOfTime(hour, min, sec);
}

// The count of a record's fields modulo 2^32, as the to-count conversions
// of records give it.
constexpr std::uint32_t countFromRecord(std::int32_t year, std::int32_t mon, std::int32_t day,
                                        std::int32_t hour, std::int32_t min, std::int32_t sec,
                                        LeapSeconds leaps) {
  return wrapCount(exactCountFromRecord(year, mon, day, hour, min, sec, leaps));
}

static_assert(countFromRecord(1997, 6, 30, 23, 59, 60, kLeapSeconds) == 47260800);
static_assert(countFromRecord(1997, 7, 1, 0, 0, 0, kLeapSeconds) == 47260801);
static_assert(countFromRecord(40000, 1, 1, 0, 0, 0, kLeapSeconds) ==
              wrapCount(midnightCount(daysFromCivil(40000, 1, 1), kLeapSeconds)));
static_assert(exactCountFromRecord(1995, 12, 31, 23, 59, 59, kLeapSeconds) == -1);
static_assert(exactCountFromRecord(2132, 2, 7, 6, 28, 15, kLeapSeconds) == kLastCount + 1);

// Whether a year of the proleptic Gregorian calendar has a 29 February.
constexpr bool isLeapYear(std::int64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// The days in a month, for mon in [1, 12], without a branch: the long
// months are the odd ones up to July and the even ones from August, which
// mon + mon / 8 makes all odd.  Any other mon gives a meaningless value
// without overflow (unsigned arithmetic), so that a branch-free test may
// compute it and discard it.
constexpr int daysInMonthOf(bool leapYear, int mon) {
  const auto m = static_cast<unsigned>(mon);
  const int longMonth = static_cast<int>((m + (m >> 3)) & 1U);
  const int february = mon == 2 ? 1 : 0;
  return 30 + longMonth - february * (leapYear ? 1 : 2);
}

constexpr int daysInMonth(std::int64_t year, int mon) {
  return daysInMonthOf(isLeapYear(year), mon);
}

// Against the calendar: every month of a year, and February of every year
// of a 400-year cycle on either side of year 0 (the rule repeats with it).
constexpr bool daysInMonthAgreeWithTheCalendar() {
  const auto agrees = [](std::int64_t year, int mon) {
    return daysInMonth(year, mon) == daysFromCivil(year, mon + 1, 1) - daysFromCivil(year, mon, 1);
  };
  for (int mon = 1; mon <= 12; ++mon) {
    if (!agrees(1996, mon)) return false;
  }
  for (std::int64_t year = -400; year < 400; ++year) {
    if (!agrees(year + 1800, 2) || !agrees(year, 2)) return false;
  }
  return true;
}
static_assert(daysInMonthAgreeWithTheCalendar());

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
  return std::int64_t{count} - leapsThrough(count, leaps) + kPosixEpoch;
}

// POSIX seconds within 2^40 of the epoch (some 34,800 years, every
// four-digit year included) have an exact count.
inline constexpr std::int64_t kPosixNear = std::int64_t{1} << 40;

constexpr bool isNearPosix(std::int64_t seconds) {
  return seconds >= kPosixEpoch - kPosixNear && seconds <= kPosixEpoch + kPosixNear;
}

// The exact count of a POSIX second near the epoch (isNearPosix).
constexpr std::int64_t exactCountFromPosix(std::int64_t seconds, LeapSeconds leaps) {
  return countFromNominal(seconds - kPosixEpoch, leaps);
}

// The count of any POSIX second, modulo 2^32.  Far from the scale, where
// seconds - kPosixEpoch could overflow, every leap second lies on one side,
// and the same sum is made in unsigned 64 bits: modulo 2^64, so modulo 2^32
// too.
constexpr std::uint32_t countFromPosix(std::int64_t seconds, LeapSeconds leaps) {
  if (isNearPosix(seconds)) return wrapCount(exactCountFromPosix(seconds, leaps));
  const std::uint64_t nominal = static_cast<std::uint64_t>(seconds) - kPosixEpoch;
  const std::uint64_t inserted = seconds > kPosixEpoch ? leaps.size() : 0;
  return static_cast<std::uint32_t>(nominal + inserted);
}

static_assert(posixFromCount(0, kLeapSeconds) == 820454400);
static_assert(posixFromCount(47260800, kLeapSeconds) == posixFromCount(47260799, kLeapSeconds));
static_assert(countFromPosix(867715200, kLeapSeconds) == 47260801);

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_SCALE_H
