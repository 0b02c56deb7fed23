// What formatDate1996, parseDate1996 and the ISO 8601 variants share: the
// English names of the "C" locale, the calendar values a pattern can show of
// a count, and the conversion of local fields at a UTC offset to a count.
#ifndef SEC1996_SRC_PATTERN_H
#define SEC1996_SRC_PATTERN_H

#include <cstddef>
#include <cstdint>

#include "checked.h"
#include "scale.h"
#include "text.h"
#include "timescale/sec1996.h"

namespace sec1996::detail {

inline constexpr const char* kFullMonthNames[12] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
// From Sunday, as struct tm counts the weekday.
inline constexpr const char* kFullDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                 "Thursday", "Friday", "Saturday"};
inline constexpr const char kDayNames[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

inline constexpr int kSecondsPerHour = 3600;
inline constexpr int kSecondsPerMinute = 60;
// POSIX's reading of a two-digit year: 69-99 are the 1900s, 00-68 the 2000s.
inline constexpr int kTwoDigitPivot = 69;

// Everything a conversion can show of a count.
struct PatternValues {
  std::int64_t year;
  int mon;      // [1, 12]
  int day;      // [1, 31]
  int hour;     // [0, 23]
  int min;      // [0, 59]
  int sec;      // [0, 60]; 60 in a leap second
  int yearDay;  // [0, 365], from 1 January
  int weekday;  // [0, 6], from Sunday
  std::int64_t posix;
};

constexpr int daysInYear(std::int64_t year) { return isLeapYear(year) ? 366 : 365; }

constexpr PatternValues patternValuesOf(std::uint32_t count) {
  const ClockTime clock = clockFromCount(count, kLeapSeconds);
  const Fields fields = fieldsFromClock(clock);
  return {fields.date.year,
          fields.date.mon,
          fields.date.day,
          fields.hour,
          fields.min,
          fields.sec + (clock.leapSecond ? 1 : 0),
          static_cast<int>(clock.days - daysFromCivil(fields.date.year, 1, 1)),
          weekdayFromDays(clock.days),
          posixFromCount(count, kLeapSeconds)};
}

// ISO 8601 weeks start on Monday; week 1 holds the year's first Thursday.
struct IsoWeek {
  std::int64_t year;
  int week;  // [1, 53]
};

constexpr int isoWeeksInYear(std::int64_t year) {
  // 53 weeks when 1 January is a Thursday, or a Wednesday in a leap year:
  // p(y) is the weekday (Sunday 0) of 31 December of year y.
  const auto p = [](std::int64_t y) { return floorMod(y + y / 4 - y / 100 + y / 400, 7); };
  return p(year) == 4 || p(year - 1) == 3 ? 53 : 52;
}

constexpr IsoWeek isoWeekOf(std::int64_t year, int yearDay, int weekday) {
  const int isoWeekday = weekday == 0 ? 7 : weekday;  // [1, 7], Monday 1
  const int week = (yearDay + 1 - isoWeekday + 10) / 7;
  if (week < 1) return {year - 1, isoWeeksInYear(year - 1)};
  if (week > isoWeeksInYear(year)) return {year + 1, 1};
  return {year, week};
}

static_assert(isoWeekOf(1996, 0, 1).week == 1);     // Monday 1996-01-01
static_assert(isoWeekOf(1999, 0, 5).year == 1998);  // Friday 1999-01-01: 1998-W53
static_assert(isoWeekOf(1999, 0, 5).week == 53);
static_assert(isoWeekOf(2008, 364, 3).year == 2009);  // Wednesday 2008-12-31: 2009-W01

// The count of local fields at a UTC offset, checked: the date must have been
// checked already (month and day in range, the day in its month); second 60
// is accepted where the UTC second it names is a leap second of the table.
// The offset moves nominal seconds, so that a local time after a leap second
// lands on the same UTC second as Z would.
constexpr Checked checkedCountFromLocal(std::int64_t year, int mon, int day, int hour, int min,
                                        int sec, std::int64_t offsetSeconds) {
  const bool leapField = sec == kLeapSecondField;
  const std::int64_t nominal = daysFromCivil(year, mon, day) * kSecondsPerDay +
                               hour * kSecondsPerHour + min * kSecondsPerMinute +
                               (leapField ? kLeapSecondField - 1 : sec) - offsetSeconds;
  std::int64_t exact = countFromNominal(nominal, kLeapSeconds);
  if (leapField) {
    ++exact;  // the second after xx:xx:59
    if (isOnScale(exact) && !isLeapCount(static_cast<std::uint32_t>(exact), kLeapSeconds)) {
      return refused(SEC1996_PARSE_NOT_LEAP_SECOND);
    }
  }
  return onScale(exact);
}

static_assert(checkedCountFromLocal(1997, 6, 30, 23, 59, 60, 0).count == 47260800);
static_assert(checkedCountFromLocal(1997, 7, 1, 1, 59, 60, 7200).count == 47260800);
static_assert(checkedCountFromLocal(1997, 7, 1, 0, 30, 0, 3600).count == 47259000);
static_assert(checkedCountFromLocal(1997, 6, 30, 22, 59, 60, 0).status ==
              SEC1996_PARSE_NOT_LEAP_SECOND);

// The length of a zero-terminated pattern, reading no further than its
// first limit + 1 characters: above limit when it does not end by then.
constexpr std::size_t boundedLength(const char* pattern, std::size_t limit) {
  std::size_t n = 0;
  while (n <= limit && pattern[n] != '\0') ++n;
  return n;
}

constexpr char lowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_PATTERN_H
