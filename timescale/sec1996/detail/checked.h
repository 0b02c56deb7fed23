// The checked doors of the core: whether fields, a POSIX second or a day of
// the year name a second of the scale, and which count.  They share the
// exact arithmetic of the normalising conversions, so that a value they
// accept has the count the normalising door gives it.
#ifndef SEC1996_DETAIL_CHECKED_H
#define SEC1996_DETAIL_CHECKED_H

#include <cstdint>

#include "../../sec1996.h"
#include "scale.h"

namespace sec1996::detail {

inline constexpr int kLeapSecondField = 60;

// A checked conversion's answer: count is meaningful only when status is
// SEC1996_PARSE_OK.
struct Checked {
  Sec1996ParseStatus status;
  std::uint32_t count;
};

constexpr Checked refused(Sec1996ParseStatus status) { return {status, 0}; }

// An exact count as a checked answer: on the scale or refused.
constexpr Checked onScale(std::int64_t exactCount) {
  if (!isOnScale(exactCount)) return refused(SEC1996_PARSE_OUT_OF_SPAN);
  return {SEC1996_PARSE_OK, wrapCount(exactCount)};
}

// Whether low <= value <= high, by one unsigned comparison.
constexpr bool inRange(std::int32_t value, std::int32_t low, std::int32_t high) {
  return static_cast<std::uint32_t>(value) - static_cast<std::uint32_t>(low) <=
         static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low);
}

// The years of the span, from the core's own reading of its ends.
inline constexpr std::int32_t kFirstYear = static_cast<std::int32_t>(
    civilFromDays(clockFromExactCount(kFirstCount, kLeapSeconds).days).year);
inline constexpr std::int32_t kLastYear = static_cast<std::int32_t>(
    civilFromDays(clockFromExactCount(kLastCount, kLeapSeconds).days).year);

// The last day of the span, and the second of that day the span ends at.
inline constexpr ClockTime kLastClock = clockFromExactCount(kLastCount, kLeapSeconds);
static_assert(!kLastClock.leapSecond);

// The one year of the span divisible by 4 that is a common year (2100),
// found from the calendar's own rule, so that within the span a leap year
// is told by two comparisons.
constexpr std::int32_t commonYearDivisibleBy4OfSpan() {
  std::int32_t found = 0;
  int years = 0;
  for (std::int32_t year = kFirstYear; year <= kLastYear; ++year) {
    if (year % 4 == 0 && !isLeapYear(year)) {
      found = year;
      ++years;
    }
  }
  return years == 1 ? found : 0;
}
inline constexpr std::int32_t kCommonYearDivisibleBy4 = commonYearDivisibleBy4OfSpan();
static_assert(kCommonYearDivisibleBy4 != 0);

constexpr bool isLeapYearOfSpan(std::int32_t year) {
  return (unsigned{(year & 3) == 0} & unsigned{year != kCommonYearDivisibleBy4}) != 0;
}

// Whether a record is plainly a second of the scale: every field in its
// range, the day in its month, a year of the span, neither second 60 nor
// 24:00:00, and on the scale.  All in 32-bit arithmetic without a branch,
// so that an array loop vectorises; a record it does not call plain (the
// leap second among them) goes to checkedUnusualRecord, which finds the
// reason.  Whether it lies on the scale is told by its day: a plain
// record's day is not before the epoch, and it lies on the scale when that
// day is before the last of the span, or is the last and the time of day is
// not past the span's end.
constexpr bool isPlainRecord(std::int32_t year, std::int32_t mon, std::int32_t day,
                             std::int32_t hour, std::int32_t min, std::int32_t sec) {
  // Each test as 0 or 1, combined with & rather than &&: no branch.
  const unsigned fields = unsigned{inRange(year, kFirstYear, kLastYear)} &
                          unsigned{inRange(mon, 1, 12)} & unsigned{inRange(day, 1, 31)} &
                          unsigned{inRange(hour, 0, 23)} & unsigned{inRange(min, 0, 59)} &
                          unsigned{inRange(sec, 0, 59)};
  const std::uint32_t days = static_cast<std::uint32_t>(daysFromCivilFast(year, mon)) +
                             static_cast<std::uint32_t>(day) - 1;
  constexpr auto kLastDay = static_cast<std::uint32_t>(kLastClock.days);
  constexpr auto kLastSecond = static_cast<std::uint32_t>(kLastClock.secondOfDay);
  const std::uint32_t secondOfDay = secondOfDayModulo(hour, min, sec);
  const unsigned onScale = unsigned{days < kLastDay} |
                           (unsigned{days == kLastDay} & unsigned{secondOfDay <= kLastSecond});
  const int monthDays = daysInMonthOf(isLeapYearOfSpan(year), mon);
  return (fields & unsigned{day <= monthDays} & onScale) != 0;
}

static_assert(isPlainRecord(2132, 2, 7, 6, 28, 14) && !isPlainRecord(2132, 2, 7, 6, 28, 15));
static_assert(isPlainRecord(1996, 1, 1, 0, 0, 0) && !isPlainRecord(1995, 12, 31, 23, 59, 59));
static_assert(!isPlainRecord(1997, 6, 30, 23, 59, 60) && !isPlainRecord(2100, 2, 29, 0, 0, 0));

// Why a record that isPlainRecord does not call plain is refused, if it
// is: the reasons in the order checkedCountFromRecord documents.  Kept out
// of line, so that the plain path holds no registers for it.
[[gnu::noinline, gnu::cold]] constexpr Checked checkedUnusualRecord(
    std::int32_t year, std::int32_t mon, std::int32_t day, std::int32_t hour, std::int32_t min,
    std::int32_t sec, std::int64_t exact, LeapSeconds leaps) {
  const bool endOfDay = hour == 24 && min == 0 && sec == 0;
  if (!inRange(mon, 1, 12) || !inRange(day, 1, 31) ||
      (!endOfDay &&
       (!inRange(hour, 0, 23) || !inRange(min, 0, 59) || !inRange(sec, 0, kLeapSecondField)))) {
    return refused(SEC1996_PARSE_FIELD_RANGE);
  }
  if (day > daysInMonth(year, mon)) return refused(SEC1996_PARSE_NO_SUCH_DATE);
  if (!isOnScale(exact)) return refused(SEC1996_PARSE_OUT_OF_SPAN);
  if ((endOfDay || sec == kLeapSecondField) && !isLeapCount(exact, leaps)) {
    return refused(SEC1996_PARSE_NOT_LEAP_SECOND);
  }
  return {SEC1996_PARSE_OK, wrapCount(exact)};
}

// A record names a second of the scale when every field is in its range, the
// day exists, the instant lies on the scale, and a second 60 (or the end of
// day 24:00:00) is a leap second of the table; the reasons are found in that
// order.
constexpr Checked checkedCountFromRecord(std::int32_t year, std::int32_t mon, std::int32_t day,
                                         std::int32_t hour, std::int32_t min, std::int32_t sec,
                                         LeapSeconds leaps) {
  if (isPlainRecord(year, mon, day, hour, min, sec)) [[likely]] {
    return {SEC1996_PARSE_OK, nearCount(year, mon, day, secondOfDayModulo(hour, min, sec), leaps)};
  }
  return checkedUnusualRecord(year, mon, day, hour, min, sec,
                              exactCountFromRecord(year, mon, day, hour, min, sec, leaps), leaps);
}

static_assert(kFirstYear == 1996 && kLastYear == 2132);
static_assert(checkedCountFromRecord(1997, 6, 30, 23, 59, 60, kLeapSeconds).count == 47260800);
static_assert(checkedCountFromRecord(1997, 6, 30, 24, 0, 0, kLeapSeconds).count == 47260800);
static_assert(checkedCountFromRecord(1998, 12, 31, 23, 59, 60, kLeapSeconds).status ==
              SEC1996_PARSE_NOT_LEAP_SECOND);
static_assert(checkedCountFromRecord(1997, 2, 29, 25, 0, 0, kLeapSeconds).status ==
              SEC1996_PARSE_FIELD_RANGE);

// A POSIX second names a second of the scale between the POSIX seconds of
// the first and the last count; never a leap second.
constexpr Checked checkedCountFromPosix(std::int64_t seconds, LeapSeconds leaps) {
  if (seconds < posixFromCount(0, leaps) || seconds > posixFromCount(UINT32_MAX, leaps)) {
    return refused(SEC1996_PARSE_OUT_OF_SPAN);
  }
  return {SEC1996_PARSE_OK, wrapCount(exactCountFromPosix(seconds, leaps))};
}

// A year and fractional day name a second of the scale when the value is a
// number, its whole day exists in the year, and the rounded second lies on
// the scale.
constexpr Checked checkedCountFromYearDay(double dayOfYear, std::int32_t year, LeapSeconds leaps) {
  // One test passes every day of a year and fails NaN and the infinities
  // with the other values outside it.
  if (dayOfYear >= 1.0 && dayOfYear < 367.0) [[likely]] {
    if (dayOfYear >= 366.0 && !isLeapYear(year)) return refused(SEC1996_PARSE_NO_SUCH_DATE);
    return onScale(exactCountFromYearDay(dayOfYear, year, leaps));
  }
  constexpr double kInfinity = __builtin_huge_val();
  if (dayOfYear != dayOfYear || dayOfYear == kInfinity || dayOfYear == -kInfinity) {
    return refused(SEC1996_PARSE_NOT_A_NUMBER);
  }
  return refused(SEC1996_PARSE_FIELD_RANGE);
}

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_CHECKED_H
