// Proleptic Gregorian calendar arithmetic on day numbers counted from the
// scale's epoch, 1996-01-01.  Pure constexpr functions.  The wide path works
// in 64-bit arithmetic, in which every year and month a 32-bit field can hold
// stays far inside its range; a fast 32-bit path serves the years around
// ours, which is where every count on the scale lies.
#ifndef SEC1996_DETAIL_CALENDAR_H
#define SEC1996_DETAIL_CALENDAR_H

#include <chrono>
#include <cstdint>

namespace sec1996::detail {

inline constexpr std::int64_t kSecondsPerDay = 86400;
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

// ---- The wide path: any year a 64-bit day count can hold ----------------

// Days from 1996-01-01 to year-mon-day, for fields in any range: month 13
// is January of the next year, day 0 the last day of the previous month.
// Valid for |year| and |mon| and |day| up to 2^40 or so; 32-bit fields never
// come close.  (H. Hinnant, "chrono-Compatible Low-Level Date Algorithms",
// days_from_civil.)
constexpr std::int64_t daysFromCivilWide(std::int64_t year, std::int64_t mon, std::int64_t day) {
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

// The date that lies days after 1996-01-01 (before it when negative), for
// any day count.  (H. Hinnant, civil_from_days.)
constexpr CivilDate civilFromDaysWide(std::int64_t days) {
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

// ---- The fast path: 32-bit arithmetic over the years of <chrono> ----------
//
// Every count on the scale, and every record a caller is likely to write,
// falls in the years -32767 to 32767 that std::chrono::year holds.  There
// the standard library's own conversions serve (libstdc++ implements them
// with the 32-bit algorithms of the paper below), except for days from a
// date, where the hand-written form below measured 7% faster for
// cvtToSec1996: it tells January and February from the sign of mon - 3
// where the library compares and selects.

inline constexpr std::int32_t kFastYearMin = -32767;
inline constexpr std::int32_t kFastYearMax = 32767;
inline constexpr std::int64_t kFastDaysMin = daysFromCivilWide(kFastYearMin, 1, 1);
inline constexpr std::int64_t kFastDaysMax = daysFromCivilWide(kFastYearMax, 12, 31);

// The date of a day count in [kFastDaysMin, kFastDaysMax].
constexpr CivilDate civilFromDaysFast(std::int32_t days) {
  const std::chrono::year_month_day date{
      std::chrono::sys_days{std::chrono::days{days + kEpochDaysFrom1970}}};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

// C. Neri and L. Schneider, "Euclidean affine functions and their
// application to calendar algorithms", Software: Practice and Experience
// 53(4), 2023, pp. 937-970: to_rata_die.  A computational calendar whose
// years start on 1 March turns the date into a few multiplications and
// shifts in unsigned 32-bit arithmetic; shifting the years by whole 400-year
// eras keeps every intermediate value non-negative.  The tests compare it
// with <chrono> on every date of its domain.

// The shift: 82 eras of 400 years before 0000-03-01, so that year 0 of the
// computational calendar lies before kFastYearMin.
inline constexpr std::uint32_t kShiftEras = 82;
inline constexpr std::uint32_t kShiftYears = 400 * kShiftEras;
inline constexpr std::uint32_t kShiftDays = 719468 + 146097 * kShiftEras + kEpochDaysFrom1970;
static_assert(kFastYearMin + std::int64_t{kShiftYears} > 0);
// 1461 * y below must not overflow.
static_assert((kFastYearMax + std::int64_t{kShiftYears}) * 1461 <= UINT32_MAX);

// Days from 1996-01-01 to the first of a month, for year in
// [kFastYearMin, kFastYearMax] and mon in [1, 12].
constexpr std::int32_t daysFromCivilFast(std::int32_t year, std::int32_t mon) {
  // January and February end the computational year: the sign bit of
  // mon - 3, without a comparison.
  const std::uint32_t january = (static_cast<std::uint32_t>(mon) - 3) >> 31;
  const std::uint32_t y = static_cast<std::uint32_t>(year) + kShiftYears - january;
  const std::uint32_t m = static_cast<std::uint32_t>(mon) + 12 * january;  // [3, 14]
  const std::uint32_t century = y / 100;
  const std::uint32_t yearDays = 1461 * y / 4 - century + century / 4;
  const std::uint32_t monthDays = (979 * m - 2919) / 32;  // days from 1 March
  return static_cast<std::int32_t>(yearDays + monthDays - kShiftDays);
}

// ---- The functions the library calls ---------------------------------------

// Days from 1996-01-01 to year-mon-day, for fields in any range (see
// daysFromCivilWide); the fast path serves every in-range month of the
// years -32767 to 32767, with the day added as it stands.
constexpr std::int64_t daysFromCivil(std::int64_t year, std::int64_t mon, std::int64_t day) {
  constexpr auto kYearSpan = static_cast<std::uint64_t>(kFastYearMax - kFastYearMin);
  // Unsigned subtraction: a range test that cannot overflow.
  if (static_cast<std::uint64_t>(year) - static_cast<std::uint64_t>(kFastYearMin) <= kYearSpan &&
      static_cast<std::uint64_t>(mon) - 1 < 12) {
    return daysFromCivilFast(static_cast<std::int32_t>(year), static_cast<std::int32_t>(mon)) +
           (day - 1);
  }
  return daysFromCivilWide(year, mon, day);
}

// The same for a record's 32-bit fields, with the range test made in 32-bit
// arithmetic: the to-count conversions call this once per record.
constexpr std::int64_t daysFromFields(std::int32_t year, std::int32_t mon, std::int32_t day) {
  constexpr auto kYearSpan = static_cast<std::uint32_t>(kFastYearMax - kFastYearMin);
  // Unsigned subtraction: wraps instead of overflowing for any int32 field.
  const std::uint32_t yearIndex =
      static_cast<std::uint32_t>(year) - static_cast<std::uint32_t>(kFastYearMin);
  const std::uint32_t monthIndex = static_cast<std::uint32_t>(mon) - 1;
  if (yearIndex <= kYearSpan && monthIndex < 12) {
    return std::int64_t{daysFromCivilFast(year, mon)} + day - 1;
  }
  return daysFromCivilWide(year, mon, day);
}

// The date that lies days after 1996-01-01 (before it when negative).
constexpr CivilDate civilFromDays(std::int64_t days) {
  constexpr auto kDaySpan = static_cast<std::uint64_t>(kFastDaysMax - kFastDaysMin);
  if (static_cast<std::uint64_t>(days) - static_cast<std::uint64_t>(kFastDaysMin) <= kDaySpan) {
    return civilFromDaysFast(static_cast<std::int32_t>(days));
  }
  return civilFromDaysWide(days);
}

// Day of the week, 0 = Sunday, as struct tm counts it.
constexpr int weekdayFromDays(std::int64_t days) {
  return static_cast<int>(floorMod(days + kEpochWeekday, 7));
}

static_assert(daysFromCivilWide(1996, 1, 1) == 0 && daysFromCivilFast(1996, 1) == 0);
static_assert(civilFromDaysWide(59).mon == 2 && civilFromDaysFast(59).day == 29);
static_assert(daysFromCivil(1996, 1, 1) == 0);
static_assert(daysFromCivil(1970, 1, 1) == -kEpochDaysFrom1970);
static_assert(daysFromCivil(1996, 13, 1) == 366);
static_assert(daysFromCivil(1996, 3, 0) == daysFromCivil(1996, 2, 29));
static_assert(civilFromDays(0).year == 1996 && civilFromDays(-1).year == 1995);
static_assert(civilFromDays(49710).year == 2132 && civilFromDays(49710).mon == 2 &&
              civilFromDays(49710).day == 7);

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_CALENDAR_H
