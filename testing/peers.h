// Adapters for the peer libraries, in the library's own terms (counts,
// Date1996, YearDay1996), so that the benchmark times them and the
// verification compares against them through one piece of code:
//   glibc    gmtime_r() / timegm() and strftime(), with the library's leap
//            seconds applied around them;
//   hinnant  Howard Hinnant's date library, utc_clock, which knows every
//            leap second from the machine's tz database;
//   erfa     ERFA (the IAU's SOFA routines) with scale "UTC" through TAI,
//            which knows every leap second from its own table.
// The peers that know every leap second read other counts than the
// library's one-entry table after 1998.  Every function is inline, so that
// the benchmark loops see through them as they see through the library's
// own inlined limit loop.
#ifndef SEC1996_TESTING_PEERS_H
#define SEC1996_TESTING_PEERS_H

#include <date/date.h>
#include <date/tz.h>
#include <erfa.h>

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "scale.h"
#include "test_support.h"
#include "timescale/sec1996.h"

namespace sec1996::peers {

// ---- glibc: gmtime_r / timegm, leap seconds applied around them ------------

namespace glibc {

// Calendar time of 1996-01-01 00:00:00 UTC.
inline constexpr std::int64_t kEpochCalendarTime =
    detail::kEpochDaysFrom1970 * detail::kSecondsPerDay;

// Nominal seconds (days of 86400) from the epoch to a count.
inline std::int64_t nominalFromCount(Sec1996 count) {
  std::int64_t nominal = count;
  for (const std::int32_t entry : detail::kLeapSeconds) {
    if (std::int64_t{count} < std::int64_t{entry} - 1) break;
    --nominal;
  }
  return nominal;
}

inline Date1996 fromCount(Sec1996 count) {
  const std::time_t t = static_cast<std::time_t>(kEpochCalendarTime + nominalFromCount(count));
  struct tm b;
  gmtime_r(&t, &b);
  return {b.tm_year + 1900, b.tm_mon + 1, b.tm_mday, b.tm_hour, b.tm_min, b.tm_sec};
}

inline Sec1996 toCount(const Date1996& r) {
  struct tm b {};
  b.tm_year = r.year - 1900;
  b.tm_mon = r.mon - 1;
  b.tm_mday = r.day;
  const std::int64_t nominal = std::int64_t{timegm(&b)} - kEpochCalendarTime;
  return static_cast<Sec1996>(detail::countFromNominal(nominal, detail::kLeapSeconds)) +
         static_cast<Sec1996>(r.hour) * 3600U + static_cast<Sec1996>(r.min) * 60U +
         static_cast<Sec1996>(r.sec);
}

inline Sec1996 tmToCount(const struct tm& date) {
  struct tm b = date;  // timegm normalises its record in place
  const std::int64_t nominal = std::int64_t{timegm(&b)} - kEpochCalendarTime;
  return static_cast<Sec1996>(detail::countFromNominal(nominal, detail::kLeapSeconds));
}

inline struct tm tmFromCount(Sec1996 count) {
  const std::time_t t = static_cast<std::time_t>(kEpochCalendarTime + nominalFromCount(count));
  struct tm b;
  gmtime_r(&t, &b);
  return b;
}

// The text with strftime; "%d-%b-%Y %H:%M:%S" in the C locale.
inline std::size_t text(Sec1996 count, char* out, std::size_t size) {
  const struct tm b = tmFromCount(count);
  return std::strftime(out, size, "%d-%b-%Y %H:%M:%S", &b);
}

}  // namespace glibc

// ---- Hinnant's date: utc_clock ----------------------------------------------

namespace hinnant {

using UtcSeconds = date::utc_time<std::chrono::seconds>;

inline const UtcSeconds& epoch() {
  static const UtcSeconds utc =
      date::utc_clock::from_sys(date::sys_seconds{date::sys_days{date::year{1996} / 1 / 1}});
  return utc;
}

// The UTC time of a count; a leap second reads as the second before it,
// 23:59:59.
inline date::sys_seconds sysTimeOf(Sec1996 count) {
  return date::utc_clock::to_sys(epoch() + std::chrono::seconds{count});
}

inline bool isLeapSecond(Sec1996 count) {
  return date::get_leap_second_info(epoch() + std::chrono::seconds{count}).is_leap_second;
}

inline Date1996 fromCount(Sec1996 count) {
  const date::sys_seconds sys = sysTimeOf(count);
  const date::sys_days day = date::floor<date::days>(sys);
  const date::year_month_day ymd{day};
  const date::hh_mm_ss<std::chrono::seconds> time{sys - day};
  return {static_cast<int>(ymd.year()),
          static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())),
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

// The count of 00:00:00 on a day, not reduced modulo 2^32.
inline std::int64_t midnightCount(date::sys_days day) {
  return (date::utc_clock::from_sys(date::sys_seconds{day}) - epoch()).count();
}

// The count of a UTC date and time, not reduced modulo 2^32.  The time of
// day is added after the midnight, as the library does, so that 23:59:60 on
// a leap day reaches the leap second.
inline std::int64_t exactCount(const Date1996& r) {
  const date::sys_days day{date::year{r.year} / r.mon / r.day};
  return midnightCount(day) + std::int64_t{r.hour} * 3600 + std::int64_t{r.min} * 60 + r.sec;
}

inline Sec1996 toCount(const Date1996& r) { return static_cast<Sec1996>(exactCount(r)); }

inline YearDay1996 yearDayFromCount(Sec1996 count) {
  const UtcSeconds u = epoch() + std::chrono::seconds{count};
  const date::sys_seconds sys = date::utc_clock::to_sys(u);
  const date::sys_days day = date::floor<date::days>(sys);
  const date::year y = date::year_month_day{day}.year();
  const UtcSeconds midnight = date::utc_clock::from_sys(date::sys_seconds{day});
  const auto dayOfYear = (day - date::sys_days{y / 1 / 1}).count() + 1;
  return {static_cast<double>(dayOfYear) + static_cast<double>((u - midnight).count()) / 86400.0,
          static_cast<int>(y)};
}

inline Sec1996 yearDayToCount(const YearDay1996& yd) {
  const double whole = std::trunc(yd.dayOfYear);
  const auto seconds =
      static_cast<std::int64_t>(std::floor((yd.dayOfYear - whole) * 86400.0 + 0.5));
  const date::sys_days day =
      date::sys_days{date::year{yd.year} / 1 / 1} + date::days{static_cast<int>(whole) - 1};
  return static_cast<Sec1996>(midnightCount(day) + seconds);
}

inline std::string textOf(Sec1996 count) {
  return date::format("%d-%b-%Y %H:%M:%S", sysTimeOf(count));
}

inline std::size_t text(Sec1996 count, char* out, std::size_t size) {
  const std::string written = textOf(count);
  const std::size_t n = written.size() < size ? written.size() : size - 1;
  std::memcpy(out, written.data(), n);
  out[n] = '\0';
  return n;
}

// The leap seconds since 1996 that the tz database in use lists.
inline std::size_t leapSecondsSince1996() {
  std::size_t n = 0;
  for (const auto& leap : date::get_tzdb().leap_seconds) {
    if (leap.date() > date::sys_days{date::year{1996} / 1 / 1}) ++n;
  }
  return n;
}

}  // namespace hinnant

// ---- ERFA: UTC quasi-Julian dates through TAI ------------------------------

namespace erfa {

// 1996-01-01 00:00:00 UTC as a Julian date, and TAI - UTC then: a count is a
// number of SI seconds, so it is TAI seconds from that instant less 30.
inline constexpr double kEpochJulianDate = 2450083.5;
inline constexpr int kTaiMinusUtcAtEpoch = 30;

// The UTC date and time of a count, 23:59:60 in a leap second.  False only
// if ERFA rejects the date.
inline bool read(Sec1996 count, Date1996& record) {
  const std::uint64_t tai = std::uint64_t{count} + kTaiMinusUtcAtEpoch;
  const auto secondsPerDay = static_cast<std::uint64_t>(detail::kSecondsPerDay);
  const double tai1 = kEpochJulianDate + static_cast<double>(tai / secondsPerDay);
  const double tai2 =
      static_cast<double>(tai % secondsPerDay) / static_cast<double>(detail::kSecondsPerDay);
  double utc1 = 0;
  double utc2 = 0;
  if (eraTaiutc(tai1, tai2, &utc1, &utc2) < 0) return false;
  int y = 0;
  int m = 0;
  int d = 0;
  int hmsf[4] = {};
  if (eraD2dtf("UTC", 0, utc1, utc2, &y, &m, &d, hmsf) < 0) return false;
  record = {y, m, d, hmsf[0], hmsf[1], hmsf[2]};
  return true;
}

// The count of a UTC date and time, 23:59:60 being a leap second, not
// reduced modulo 2^32.  False only if ERFA rejects the date.
inline bool exactCount(const Date1996& r, std::int64_t& count) {
  double utc1 = 0;
  double utc2 = 0;
  if (eraDtf2d("UTC", r.year, r.mon, r.day, r.hour, r.min, r.sec, &utc1, &utc2) < 0) return false;
  double tai1 = 0;
  double tai2 = 0;
  if (eraUtctai(utc1, utc2, &tai1, &tai2) < 0) return false;
  const double seconds = ((tai1 - kEpochJulianDate) + tai2) * detail::kSecondsPerDay;
  count = std::llround(seconds) - kTaiMinusUtcAtEpoch;
  return true;
}

inline Date1996 fromCount(Sec1996 count) {
  Date1996 record{};
  read(count, record);
  return record;
}

inline Sec1996 toCount(const Date1996& r) {
  std::int64_t count = 0;
  exactCount(r, count);
  return static_cast<Sec1996>(count);
}

inline std::size_t text(Sec1996 count, char* out, std::size_t size) {
  const Date1996 r = fromCount(count);
  return static_cast<std::size_t>(std::snprintf(out, size, "%02d-%s-%04d %02d:%02d:%02d", r.day,
                                                testing::kMonthAbbreviations[r.mon - 1], r.year,
                                                r.hour, r.min, r.sec));
}

}  // namespace erfa

}  // namespace sec1996::peers

#endif  // SEC1996_TESTING_PEERS_H
