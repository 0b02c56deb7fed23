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
  return {SEC1996_PARSE_OK, static_cast<std::uint32_t>(exactCount)};
}

// A record names a second of the scale when every field is in its range, the
// day exists, the instant lies on the scale, and a second 60 (or the end of
// day 24:00:00) is a leap second of the table.
constexpr Checked checkedCountFromRecord(std::int32_t year, std::int32_t mon, std::int32_t day,
                                         std::int32_t hour, std::int32_t min, std::int32_t sec,
                                         LeapSeconds leaps) {
  if (mon < 1 || mon > 12 || day < 1 || day > 31) return refused(SEC1996_PARSE_FIELD_RANGE);
  if (day > daysInMonth(year, mon)) return refused(SEC1996_PARSE_NO_SUCH_DATE);
  const bool endOfDay = hour == 24 && min == 0 && sec == 0;
  if (!endOfDay &&
      (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > kLeapSecondField)) {
    return refused(SEC1996_PARSE_FIELD_RANGE);
  }
  const Checked checked = onScale(exactCountFromRecord(year, mon, day, hour, min, sec, leaps));
  if (checked.status != SEC1996_PARSE_OK) return checked;
  if ((endOfDay || sec == kLeapSecondField) && !isLeapCount(checked.count, leaps)) {
    return refused(SEC1996_PARSE_NOT_LEAP_SECOND);
  }
  return checked;
}

static_assert(checkedCountFromRecord(1997, 6, 30, 23, 59, 60, kLeapSeconds).count == 47260800);
static_assert(checkedCountFromRecord(1997, 6, 30, 24, 0, 0, kLeapSeconds).count == 47260800);
static_assert(checkedCountFromRecord(1998, 12, 31, 23, 59, 60, kLeapSeconds).status ==
              SEC1996_PARSE_NOT_LEAP_SECOND);

// A POSIX second names a second of the scale between the POSIX values of the
// first and the last count; never a leap second.
constexpr Checked checkedCountFromPosix(std::int64_t seconds, LeapSeconds leaps) {
  if (seconds < posixFromCount(0, leaps) || seconds > posixFromCount(UINT32_MAX, leaps)) {
    return refused(SEC1996_PARSE_OUT_OF_SPAN);
  }
  return {SEC1996_PARSE_OK, wrapCount(countFromNominal(seconds - kPosixEpoch, leaps))};
}

// A year and fractional day name a second of the scale when the value is a
// number, its whole day exists in the year, and the rounded second lies on
// the scale.
constexpr Checked checkedCountFromYearDay(double dayOfYear, std::int32_t year, LeapSeconds leaps) {
  constexpr double kInfinity = __builtin_huge_val();
  if (dayOfYear != dayOfYear || dayOfYear == kInfinity || dayOfYear == -kInfinity) {
    return refused(SEC1996_PARSE_NOT_A_NUMBER);
  }
  if (dayOfYear < 1.0 || dayOfYear >= 367.0) return refused(SEC1996_PARSE_FIELD_RANGE);
  if (static_cast<int>(dayOfYear) > daysFromFields(year, 13, 1) - daysFromFields(year, 1, 1)) {
    return refused(SEC1996_PARSE_NO_SUCH_DATE);
  }
  return onScale(exactCountFromYearDay(dayOfYear, year, leaps));
}

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_CHECKED_H
