// The classic way to build this library, kept as a yardstick for the
// benchmark and the classic CvtTest, and as a reference for the tests: every
// conversion asks the C library's mktime() for the epoch and gmtime() for the
// broken-down time, and the leap seconds are applied around them.  It reads
// the process time zone (run it with TZ=UTC, its fastest case), shares
// gmtime()'s static record and is single-threaded.  Same results as the
// library in UTC over the counts 0 to 1327029247; never shipped.
#ifndef SEC1996_TESTING_CLASSIC_H
#define SEC1996_TESTING_CLASSIC_H

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "leap_seconds.h"
#include "test_support.h"
#include "timescale/sec1996.h"

namespace classic {

// The calendar time of 1996-01-01 00:00:00 less two, from which the
// from-count direction builds its leap thresholds.
inline constexpr std::time_t kThresholdBase = 820454398;
// The from-count direction copies at most this many thresholds.
inline constexpr int kMaxThresholds = 19;
inline constexpr int kTmYearBase = 1900;

inline struct tm scratch;

// Sets the seven fields both epoch look-ups fill, leaving the others.
inline void setMidnightOfNewYear(struct tm& t, int yearsSince1900) {
  t.tm_sec = 0;
  t.tm_min = 0;
  t.tm_hour = 0;
  t.tm_mday = 1;
  t.tm_mon = 0;
  t.tm_year = yearsSince1900;
  t.tm_isdst = 0;
}

inline struct tm* getDateFromSecondsSince1996(Sec1996 count) {
  const std::int32_t* table = sec1996::detail::leapSecondsSince1996;
  std::time_t thresholds[kMaxThresholds];
  int n = 0;
  for (; n < kMaxThresholds && table[n] > 0; ++n) thresholds[n] = table[n] + kThresholdBase;
  setMidnightOfNewYear(scratch, 70);
  const std::time_t m70 = std::mktime(&scratch);
  setMidnightOfNewYear(scratch, 96);
  const std::time_t m96 = std::mktime(&scratch);
  const std::time_t t0 = m96 - m70 + static_cast<std::time_t>(count);
  std::time_t t = t0;
  for (int i = 0; i < n && thresholds[i] < t0; ++i) --t;
  return std::gmtime(&t);
}

inline Sec1996 getSecondsSince1996FromDate(struct tm* date) {
  date->tm_isdst = 0;
  const std::time_t a = std::mktime(date);
  setMidnightOfNewYear(*date, 96);
  const std::time_t b = std::mktime(date);
  std::time_t c = a - b;
  const std::int32_t* table = sec1996::detail::leapSecondsSince1996;
  for (int i = 0; table[i] > 0 && c >= table[i] - 1; ++i) ++c;
  return static_cast<Sec1996>(c);
}

inline Date1996 cvtFromSec1996(Sec1996 count) {
  const struct tm* p = getDateFromSecondsSince1996(count);
  return {p->tm_year + kTmYearBase, p->tm_mon + 1, p->tm_mday, p->tm_hour, p->tm_min, p->tm_sec};
}

inline Sec1996 cvtToSec1996(Date1996 date) {
  struct tm t {};
  t.tm_year = date.year - kTmYearBase;
  t.tm_mon = date.mon - 1;
  t.tm_mday = date.day;
  const Sec1996 midnight = getSecondsSince1996FromDate(&t);
  return midnight + static_cast<Sec1996>(date.hour) * 3600U + static_cast<Sec1996>(date.min) * 60U +
         static_cast<Sec1996>(date.sec);
}

inline YearDay1996 cvtFromSec1996_yd(Sec1996 count) {
  const struct tm* p = getDateFromSecondsSince1996(count);
  Date1996 r{p->tm_year + kTmYearBase, p->tm_mon + 1, p->tm_mday, 0, 0, 0};
  const Sec1996 c = classic::cvtToSec1996(r);
  const double frac = static_cast<double>(count - c) / 86400.0;
  r.mon = 1;
  r.day = 1;
  const Sec1996 d = classic::cvtToSec1996(r);
  const Sec1996 day = (c - d + 43200U) / 86400U + 1U;
  return {static_cast<double>(day) + frac, r.year};
}

inline Sec1996 cvtToSec1996_yd(double dayOfYear, std::int32_t year) {
  const auto n = static_cast<std::int32_t>(dayOfYear);
  const auto s = static_cast<std::int32_t>((dayOfYear - n) * 86400.0 + 0.5);
  // The product in 32-bit arithmetic, made unsigned so that it wraps.
  const auto noonOffset =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(n) * 86400U - 43200U);
  Date1996 r = classic::cvtFromSec1996(classic::cvtToSec1996({year, 1, 1, 0, 0, noonOffset}));
  r.hour = 0;
  r.min = 0;
  r.sec = 0;
  return classic::cvtToSec1996(r) + static_cast<Sec1996>(s);
}

inline char* stringDate1996(Sec1996 count) {
  // Room for any six long values, so that the compiler sees no truncation.
  static char string[80];
  const Date1996 r = classic::cvtFromSec1996(count);
  std::snprintf(string, sizeof string, "%2.2ld-%s-%4.4ld %2.2ld:%2.2ld:%2.2ld",
                static_cast<long>(r.day), sec1996::testing::kMonthAbbreviations[r.mon - 1],
                static_cast<long>(r.year), static_cast<long>(r.hour), static_cast<long>(r.min),
                static_cast<long>(r.sec));
  return string;
}

}  // namespace classic

#endif  // SEC1996_TESTING_CLASSIC_H
