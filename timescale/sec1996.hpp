/// @file
/// sec1996.hpp - the Sec1996 scale as a std::chrono clock, for C++20.
///
/// sec1996::clock is a clock in the manner of std::chrono::gps_clock and
/// tai_clock: its time_point counts the seconds of the scale, so that
/// clock::time_point{std::chrono::seconds{47260800}} is the leap second
/// 1997-06-30 23:59:60 UTC, and conversions to and from other clocks go
/// through to_sys / from_sys (and to_utc / from_utc where the standard
/// library has std::chrono::utc_clock).  Around it, constexpr conversions
/// between a point on the scale and its calendar fields, inline over the same
/// core as the compiled library (the calls cost nothing), and stream output as
/// lossless ISO 8601.
///
///   using namespace std::chrono;
///   const sec1996::clock::time_point leap{seconds{47260800}};
///   std::cout << leap;                        // 1997-06-30T23:59:60Z
///   sys_seconds s = sec1996::clock::to_sys(leap);  // 1997-06-30 23:59:59
///   sec1996::clock::from_sys(s + 1s);         // 47260801, 1997-07-01 00:00:00
///
/// Time points hold any std::chrono::seconds value; those before count 0 or
/// after count 4294967295 lie off the 32-bit scale.  The calendar
/// conversions below take a point modulo 2^32 seconds, as the C functions
/// take their counts; to_sys and from_sys extend the scale both ways, with no
/// further leap seconds.
///
/// Header-only apart from the types of sec1996.h; the leap-second table is the
/// library's own.  For Howard Hinnant's date::clock_cast, include
/// sec1996_date.hpp as well.
#ifndef SEC1996_SEC1996_HPP
#define SEC1996_SEC1996_HPP

#if __cplusplus < 202002L
#error "sec1996.hpp needs C++20 (sec1996.h alone serves C and older C++)"
#endif

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>
#include <type_traits>

#include "sec1996.h"
#include "sec1996/detail/date1996.h"
#include "sec1996/detail/scale.h"
#include "sec1996/detail/text.h"

namespace sec1996 {

/// The Sec1996 scale as a std::chrono clock: a time_point counts the
/// seconds of the scale from 1996-01-01 00:00:00 UTC, its leap second
/// included.
class clock {
 public:
  using rep = std::int64_t;                                     ///< seconds, signed
  using period = std::ratio<1>;                                 ///< one second
  using duration = std::chrono::duration<rep, period>;          ///< seconds of the scale
  using time_point = std::chrono::time_point<clock, duration>;  ///< a point on the scale
  static constexpr bool is_steady = false;  ///< follows the system clock, which may be set

  /// The system clock's reading, on the scale.
  static time_point now() {
    return from_sys(std::chrono::floor<duration>(std::chrono::system_clock::now()));
  }

  /// The system time of a point: POSIX seconds, every day 86400 seconds.  A
  /// point inside a leap second maps to the last value before the midnight
  /// that follows it (23:59:59 in whole seconds), as utc_clock::to_sys does.
  template <class Duration>
  static constexpr std::chrono::sys_time<std::common_type_t<Duration, std::chrono::seconds>> to_sys(
      const std::chrono::time_point<clock, Duration>& point) {
    using Result = std::common_type_t<Duration, std::chrono::seconds>;
    const auto whole = std::chrono::floor<std::chrono::seconds>(point);
    const Result within = point - whole;
    const std::int64_t second = whole.time_since_epoch().count();
    std::int64_t inserted = 0;
    bool leap = false;
    for (const std::int32_t entry : detail::kLeapSeconds) {
      inserted += second >= std::int64_t{entry} - 1;
      leap = leap || second == std::int64_t{entry} - 1;
    }
    const std::chrono::sys_seconds posix{
        std::chrono::seconds{wrapAdd(second, detail::kPosixEpoch - inserted)}};
    if (leap) return posix + (Result{std::chrono::seconds{1}} - Result{1});
    return posix + within;
  }

  /// The point of a system time; never inside a leap second.
  template <class Duration>
  static constexpr std::chrono::time_point<clock,
                                           std::common_type_t<Duration, std::chrono::seconds>>
  from_sys(const std::chrono::sys_time<Duration>& time) {
    using Result = std::common_type_t<Duration, std::chrono::seconds>;
    const auto whole = std::chrono::floor<std::chrono::seconds>(time);
    const Result within = time - whole;
    const std::int64_t nominal = wrapAdd(whole.time_since_epoch().count(), -detail::kPosixEpoch);
    // Each entry is counted on the scale itself, so it is compared with the
    // count the earlier entries have already raised.
    std::int64_t count = nominal;
    for (const std::int32_t entry : detail::kLeapSeconds) {
      if (count < std::int64_t{entry} - 1) break;
      count = wrapAdd(count, 1);
    }
    return std::chrono::time_point<clock, Result>{std::chrono::seconds{count}} + within;
  }

#if defined(__cpp_lib_chrono) && __cpp_lib_chrono >= 201907L
  /// With the standard library's utc_clock, which knows every leap second:
  /// the scale's own leap seconds are among them, so a point inside one maps
  /// to the same leap second there.
  template <class Duration>
  static std::chrono::utc_time<std::common_type_t<Duration, std::chrono::seconds>> to_utc(
      const std::chrono::time_point<clock, Duration>& point) {
    const auto whole = std::chrono::floor<std::chrono::seconds>(point);
    const auto utc = std::chrono::utc_clock::from_sys(to_sys(whole));
    return utc + std::chrono::seconds{is_leap_second(whole) ? 1 : 0} + (point - whole);
  }

  /// A leap second that the scale does not count maps, as utc_clock::to_sys
  /// maps it, to the end of the 23:59:59 before it.
  template <class Duration>
  static std::chrono::time_point<clock, std::common_type_t<Duration, std::chrono::seconds>>
  from_utc(const std::chrono::utc_time<Duration>& time) {
    const auto whole = std::chrono::floor<std::chrono::seconds>(time);
    const auto before = from_sys(std::chrono::utc_clock::to_sys(whole));
    if (std::chrono::get_leap_second_info(whole).is_leap_second &&
        is_leap_second(before + std::chrono::seconds{1})) {
      return before + std::chrono::seconds{1} + (time - whole);
    }
    return from_sys(std::chrono::utc_clock::to_sys(time));
  }
#endif

  /// Whether the second that contains point is a leap second of the scale.
  template <class Duration>
  static constexpr bool is_leap_second(const std::chrono::time_point<clock, Duration>& point) {
    const std::int64_t second =
        std::chrono::floor<std::chrono::seconds>(point).time_since_epoch().count();
    for (const std::int32_t entry : detail::kLeapSeconds) {
      if (second == std::int64_t{entry} - 1) return true;
    }
    return false;
  }

 private:
  /// a + b, wrapping instead of overflowing for points at the ends of int64.
  static constexpr std::int64_t wrapAdd(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
  }
};

/// A point on the scale, in whole seconds.
using time_point = clock::time_point;

/// A point as the Sec1996 count of its second, modulo 2^32.
constexpr Sec1996 to_count(time_point point) {
  return static_cast<Sec1996>(static_cast<std::uint64_t>(point.time_since_epoch().count()));
}

/// The point of a Sec1996 count.
constexpr time_point from_count(Sec1996 count) { return time_point{std::chrono::seconds{count}}; }

/// The UTC record of a point, the leap second as {..., 23, 59, 60}: what
/// cvtFromSec1996_lossless gives for its count.
constexpr Date1996 to_record(time_point point) {
  return detail::recordOf(detail::losslessFieldsFromCount(to_count(point), detail::kLeapSeconds));
}

/// The point of a record, with the rules of cvtToSec1996: the date rolls
/// over, the time of day is added to its midnight as it stands, 23:59:60 on a
/// leap day is the leap second, and the count wraps modulo 2^32.
constexpr time_point from_record(const Date1996& record) {
  return from_count(detail::countFromRecord(record.year, record.mon, record.day, record.hour,
                                            record.min, record.sec, detail::kLeapSeconds));
}

/// The exact count of a record, before the modulo 2^32 that from_record and
/// cvtToSec1996 apply: negative before 1996-01-01 00:00:00 and above
/// 4294967295 after 2132-02-07 06:28:14, so that a caller can tell a record
/// off the scale.  Exact for any field values.
constexpr std::int64_t exact_count(const Date1996& record) {
  return detail::midnightCount(detail::daysFromCivil(record.year, record.mon, record.day),
                               detail::kLeapSeconds) +
         std::int64_t{record.hour} * 3600 + std::int64_t{record.min} * 60 + record.sec;
}

/// A point as its UTC date and the seconds since that date's midnight,
/// [0, 86399], or 86400 in a leap second.
struct date_time {
  std::chrono::year_month_day date;  ///< the UTC date
  std::chrono::seconds time_of_day;  ///< since the date's midnight, 86400 in a leap second
};

/// The UTC date and time of day of a point (modulo 2^32).
constexpr date_time to_date_time(time_point point) {
  const detail::ClockTime clock = detail::clockFromCount(to_count(point), detail::kLeapSeconds);
  const detail::CivilDate date = detail::civilFromDays(clock.days);
  return {std::chrono::year_month_day{std::chrono::year{static_cast<int>(date.year)},
                                      std::chrono::month{static_cast<unsigned>(date.mon)},
                                      std::chrono::day{static_cast<unsigned>(date.day)}},
          std::chrono::seconds{clock.secondOfDay + (clock.leapSecond ? 1 : 0)}};
}

/// The point of a date and a time of day added to its midnight, as
/// from_record adds it: time_of_day 86400 on 1997-06-30 is the leap second.
/// An invalid date rolls over as from_record rolls it.
constexpr time_point from_date_time(std::chrono::year_month_day date,
                                    std::chrono::seconds time_of_day) {
  const std::int64_t midnight = detail::midnightCount(
      detail::daysFromCivil(static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                            static_cast<unsigned>(date.day())),
      detail::kLeapSeconds);
  return from_count(detail::wrapCount(static_cast<std::int64_t>(
      static_cast<std::uint64_t>(midnight) + static_cast<std::uint64_t>(time_of_day.count()))));
}

/// "YYYY-MM-DDTHH:MM:SSZ" of a point (modulo 2^32), 23:59:60 in a leap second.
inline std::string to_iso_string(time_point point) {
  std::string text(detail::kTextLength, '\0');
  detail::formatIso(text.data(),
                    detail::losslessFieldsFromCount(to_count(point), detail::kLeapSeconds));
  return text;
}

/// Writes to_iso_string(point), 23:59:60 in a leap second.
inline std::ostream& operator<<(std::ostream& out, time_point point) {
  char text[detail::kTextLength];
  detail::formatIso(text, detail::losslessFieldsFromCount(to_count(point), detail::kLeapSeconds));
  return out.write(text, detail::kTextLength);
}

}  // namespace sec1996

#endif  // SEC1996_SEC1996_HPP
