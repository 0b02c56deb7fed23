// Proleptic Gregorian calendar arithmetic on day numbers counted from the
// scale's epoch, 1996-01-01.  Pure constexpr functions in 64-bit arithmetic:
// every year and month a 32-bit field can hold stays far inside their range.
#ifndef SEC1996_SRC_CALENDAR_H
#define SEC1996_SRC_CALENDAR_H

#include <cstdint>

namespace sec1996::detail {

inline constexpr std::int64_t kSecondsPerDay = 86400;
inline constexpr std::int64_t kHalfDay = kSecondsPerDay / 2;
// 1996-01-01 counted from 1970-01-01 (calendar time 820454400).
inline constexpr std::int64_t kEpochDaysFrom1970 = 9496;
// 1996-01-01 was a Monday.
inline constexpr int kEpochWeekday = 1;

struct CivilDate {
  std::int64_t year;
  int mon;  // [1, 12]
  int day;  // [1, 31]
};

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b) { return a - floorDiv(a, b) * b; }

// Days from 1996-01-01 to year-mon-day.  Month and day may lie outside their
// ranges and roll over into the neighbouring months and years: month 13 is
// January of the next year, day 0 the last day of the previous month.
// Valid for |year| and |mon| and |day| up to 2^40 or so; 32-bit fields never
// come close.  (H. Hinnant, "chrono-Compatible Low-Level Date Algorithms",
// days_from_civil.)
constexpr std::int64_t daysFromCivil(std::int64_t year, std::int64_t mon, std::int64_t day) {
  const std::int64_t monthsFromJanuary = mon - 1;
  std::int64_t y = year + floorDiv(monthsFromJanuary, 12);
  const std::int64_t m = floorMod(monthsFromJanuary, 12) + 1;  // [1, 12]
  y -= m <= 2;                                                 // years start in March
  const std::int64_t era = floorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;                            // [0, 399]
  const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5;  // [0, 365]
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;    // [0, 146096]
  return era * 146097 + doe - 719468 - kEpochDaysFrom1970 + (day - 1);
}

// The date that lies days after 1996-01-01 (before it when negative).
// (H. Hinnant, civil_from_days.)
constexpr CivilDate civilFromDays(std::int64_t days) {
  const std::int64_t z = days + kEpochDaysFrom1970 + 719468;
  const std::int64_t era = floorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;                                       // [0, 146096]
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
  const std::int64_t mp = (5 * doy + 2) / 153;                                     // [0, 11]
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);                  // [1, 31]
  const int mon = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);                     // [1, 12]
  return {yoe + era * 400 + (mon <= 2), mon, day};
}

// Day of the week, 0 = Sunday, as struct tm counts it.
constexpr int weekdayFromDays(std::int64_t days) {
  return static_cast<int>(floorMod(days + kEpochWeekday, 7));
}

static_assert(daysFromCivil(1996, 1, 1) == 0);
static_assert(daysFromCivil(1970, 1, 1) == -kEpochDaysFrom1970);
static_assert(daysFromCivil(1996, 13, 1) == 366);
static_assert(daysFromCivil(1996, 3, 0) == daysFromCivil(1996, 2, 29));
static_assert(civilFromDays(0).year == 1996 && civilFromDays(-1).year == 1995);
static_assert(civilFromDays(49710).year == 2132 && civilFromDays(49710).mon == 2 &&
              civilFromDays(49710).day == 7);

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_CALENDAR_H
