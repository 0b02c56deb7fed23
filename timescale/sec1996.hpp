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
///   std::cout << leap + 250ms;                // 1997-06-30T23:59:60.250Z
///   sys_seconds s = sec1996::clock::to_sys(leap);  // 1997-06-30 23:59:59
///   sec1996::clock::from_sys(s + 1s);         // 47260801, 1997-07-01 00:00:00
///
/// A point of the clock is any sec1996_time<Duration>: a duration of a signed
/// integral representation, seconds or finer (milliseconds print ".123") or
/// coarser (minutes count 60 seconds of the scale each).  Points are exact on
/// the whole of their 64-bit range: before count 0 and after count 4294967295
/// (2132-02-07T06:28:14Z, the last second of the span) the scale goes on with
/// no further leap seconds, so from_sys(1995-12-31 23:59:59) is count -1 and
/// prints 1995-12-31T23:59:59Z.  Only to_count narrows to the 32-bit Sec1996,
/// modulo 2^32 as the C functions take their counts; to_count_checked refuses
/// a point off the span instead.
///
/// Header-only apart from the types of sec1996.h; the leap seconds are the
/// library's own table, read through its core.  For Howard Hinnant's
/// date::clock_cast, include sec1996_date.hpp as well.
#ifndef SEC1996_SEC1996_HPP
#define SEC1996_SEC1996_HPP

#if __cplusplus < 202002L
#error "sec1996.hpp needs C++20 (sec1996.h alone serves C and older C++)"
#endif

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <ratio>
#include <string>
#include <type_traits>

#include "sec1996.h"
#include "sec1996/detail/date1996.h"
#include "sec1996/detail/scale.h"
#include "sec1996/detail/text.h"

/// SEC1996_HAS_STD_UTC_CLOCK is 1 where the standard library has
/// std::chrono::utc_clock, and with it clock::to_utc / from_utc: libstdc++ 13
/// and later, and libc++ 20 and later with its experimental time zone
/// database (clang -stdlib=libc++ -fexperimental-library), which announces
/// itself by its own macros rather than by __cpp_lib_chrono.
#if defined(__cpp_lib_chrono) && __cpp_lib_chrono >= 201907L
#define SEC1996_HAS_STD_UTC_CLOCK 1
#elif defined(_LIBCPP_VERSION) && _LIBCPP_VERSION >= 200000
#if _LIBCPP_HAS_EXPERIMENTAL_TZDB && _LIBCPP_HAS_TIME_ZONE_DATABASE && _LIBCPP_HAS_FILESYSTEM && \
    _LIBCPP_HAS_LOCALIZATION
#define SEC1996_HAS_STD_UTC_CLOCK 1
#endif
#endif
#ifndef SEC1996_HAS_STD_UTC_CLOCK
#define SEC1996_HAS_STD_UTC_CLOCK 0
#endif

namespace sec1996 {

class clock;

/// A point of the clock at the precision of Duration, as std::chrono::sys_time
/// is one of system_clock.
template <class Duration>
using sec1996_time = std::chrono::time_point<clock, Duration>;

/// The arithmetic of time points of any precision, private to this header.
namespace clock_detail {

/// The duration the conversions answer in: Duration, or seconds where
/// Duration is coarser, as std::chrono's clocks answer.
template <class Duration>
using Fine = std::common_type_t<Duration, std::chrono::seconds>;

template <class Duration>
inline constexpr bool kIsIntegral =
    std::is_integral_v<typename Duration::rep>&& std::is_signed_v<typename Duration::rep>;

/// Ticks of Fine in one second: Fine's period divides a second.
template <class FineDuration>
inline constexpr typename FineDuration::rep kTicksPerSecond =
    std::ratio_divide<std::ratio<1>, typename FineDuration::period>::num;

template <class FineDuration>
struct Split {
  std::int64_t second;                // the whole second that holds the point
  typename FineDuration::rep within;  // ticks into it, [0, kTicksPerSecond)
};

/// A duration since an epoch as its whole second and the ticks into it,
/// rounded toward the past and without overflow for any value.
template <class FineDuration>
constexpr Split<FineDuration> split(FineDuration duration) noexcept {
  /// Every conversion of a point starts here.
  static_assert(kIsIntegral<FineDuration>,
                "sec1996::clock converts points of a signed integral representation; "
                "std::chrono::floor a floating-point point first");
  constexpr auto kTicks = kTicksPerSecond<FineDuration>;
  const auto ticks = duration.count();
  auto second = ticks / kTicks;
  auto within = ticks % kTicks;
  if (within < 0) {
    --second;
    within += kTicks;
  }
  return {static_cast<std::int64_t>(second), within};
}

/// second plus within ticks, at the end of Fine's range where it does not
/// fit there.
template <class FineDuration>
constexpr FineDuration join(std::int64_t second, typename FineDuration::rep within) noexcept {
  typename FineDuration::rep ticks{};
  if (__builtin_mul_overflow(second, kTicksPerSecond<FineDuration>, &ticks) ||
      __builtin_add_overflow(ticks, within, &ticks)) {
    return second < 0 ? FineDuration::min() : FineDuration::max();
  }
  return FineDuration{ticks};
}

constexpr std::int64_t addSaturated(std::int64_t a, std::int64_t b) noexcept {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) {
    return b < 0 ? std::numeric_limits<std::int64_t>::min()
                 : std::numeric_limits<std::int64_t>::max();
  }
  return sum;
}

/// The core's clock reading of an exact count, for every int64_t.  The core
/// forms days * 86400, which leaves the 64-bit range in the day that holds
/// INT64_MIN; a count there is read a day later.  A sound table's entries all
/// lie after the epoch, so that day holds no leap second.
constexpr detail::ClockTime readingOf(std::int64_t count) noexcept {
  constexpr std::int64_t kFirstWholeDay =
      std::numeric_limits<std::int64_t>::min() + detail::kSecondsPerDay;
  if (count >= kFirstWholeDay) [[likely]] {
    return detail::clockFromExactCount(count, detail::kLeapSeconds);
  }
  detail::ClockTime reading =
      detail::clockFromExactCount(count + detail::kSecondsPerDay, detail::kLeapSeconds);
  --reading.days;
  return reading;
}

/// The record fields of an exact count, the leap second as 23:59:60.  The
/// year is exact for every count of a 64-bit point.
constexpr detail::Fields losslessFields(std::int64_t count) noexcept {
  const detail::ClockTime reading = readingOf(count);
  detail::Fields fields = detail::fieldsFromClock(reading);
  if (reading.leapSecond) fields.sec = 60;
  return fields;
}

/// Room for the longest text: a sign and 12 digits of year, 15 characters of
/// month to second, a point and 18 digits of fraction, and the "Z".
inline constexpr std::size_t kIsoCapacity = 48;

/// Writes the decimal digits of value, at least width of them, and returns
/// the end.
constexpr char* putNumber(char* out, std::uint64_t value, int width) noexcept {
  char digits[20] = {};
  int length = 0;
  do {
    digits[length++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (int i = length; i < width; ++i) *out++ = '0';
  while (length > 0) *out++ = digits[--length];
  return out;
}

/// "YYYY-MM-DDTHH:MM:SS[.fff]Z" of a point, with as many digits of fraction
/// as std::chrono::hh_mm_ss gives FineDuration, and the year as std::chrono
/// formats %Y: at least four digits, a '-' before the negative ones.
/// Returns the length.
template <class FineDuration>
constexpr std::size_t formatIso(char* out, const Split<FineDuration>& point) noexcept {
  const detail::Fields fields = losslessFields(point.second);
  char* end = out;
  const std::int64_t year = fields.date.year;
  if (year >= 0 && year <= 9999) {
    end = detail::formatIso(out, fields) - 1;  // without its "Z"
  } else {
    /// The core's text after its four digits of year, behind the whole year.
    char rest[detail::kTextLength];
    detail::formatIso(rest, fields);
    if (year < 0) *end++ = '-';
    end = putNumber(end, year < 0 ? 0 - static_cast<std::uint64_t>(year) : year, 4);
    for (std::size_t i = 4; i + 1 < detail::kTextLength; ++i) *end++ = rest[i];
  }
  using Time = std::chrono::hh_mm_ss<FineDuration>;
  if constexpr (Time::fractional_width > 0) {
    *end++ = '.';
    const auto fraction = Time{FineDuration{point.within}}.subseconds().count();
    end = putNumber(end, static_cast<std::uint64_t>(fraction), Time::fractional_width);
  }
  *end++ = 'Z';
  return static_cast<std::size_t>(end - out);
}

}  // namespace clock_detail

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
  /// that follows it (23:59:59 in whole seconds, 23:59:59.999 in
  /// milliseconds), as utc_clock::to_sys does.  A point within 820454401
  /// seconds of the end of the duration's range saturates there instead of
  /// wrapping, so that time_point::max() stays sys_time::max().
  template <class Duration>
  static constexpr std::chrono::sys_time<clock_detail::Fine<Duration>> to_sys(
      const sec1996_time<Duration>& point) noexcept {
    using Fine = clock_detail::Fine<Duration>;
    const auto [second, within] = clock_detail::split(Fine{point.time_since_epoch()});
    const detail::ClockTime reading = clock_detail::readingOf(second);
    /// The nominal seconds lie between second - 1 and second, so the unsigned
    /// arithmetic that forms them cannot wrap in the end.
    const auto nominal = static_cast<std::int64_t>(static_cast<std::uint64_t>(reading.days) *
                                                       detail::kSecondsPerDay +
                                                   static_cast<std::uint64_t>(reading.secondOfDay));
    const std::int64_t posix = clock_detail::addSaturated(nominal, detail::kPosixEpoch);
    const auto last = clock_detail::kTicksPerSecond<Fine> - 1;
    return std::chrono::sys_time<Fine>{
        clock_detail::join<Fine>(posix, reading.leapSecond ? last : within)};
  }

  /// The point of a system time; never inside a leap second.  Saturates at
  /// the start of the duration's range as to_sys does at its end.
  template <class Duration>
  static constexpr sec1996_time<clock_detail::Fine<Duration>> from_sys(
      const std::chrono::sys_time<Duration>& time) noexcept {
    using Fine = clock_detail::Fine<Duration>;
    const auto [posix, within] = clock_detail::split(Fine{time.time_since_epoch()});
    const std::int64_t nominal = clock_detail::addSaturated(posix, -detail::kPosixEpoch);
    const std::int64_t count = detail::countFromNominal(nominal, detail::kLeapSeconds);
    return sec1996_time<Fine>{clock_detail::join<Fine>(count, within)};
  }

#if SEC1996_HAS_STD_UTC_CLOCK
  /// With the standard library's utc_clock, which knows every leap second:
  /// see sec1996::to_utc_time and from_utc_time below.
  template <class Duration>
  static std::chrono::utc_time<clock_detail::Fine<Duration>> to_utc(
      const sec1996_time<Duration>& point);

  /// The point of a utc_clock time: see sec1996::from_utc_time below.
  template <class Duration>
  static sec1996_time<clock_detail::Fine<Duration>> from_utc(
      const std::chrono::utc_time<Duration>& time);
#endif

  /// Whether the second that holds point is a leap second of the scale.
  template <class Duration>
  static constexpr bool is_leap_second(const sec1996_time<Duration>& point) noexcept {
    const auto [second, within] =
        clock_detail::split(clock_detail::Fine<Duration>{point.time_since_epoch()});
    return clock_detail::readingOf(second).leapSecond;
  }
};

using time_point = clock::time_point;  ///< a point of the scale in whole seconds

/// The Sec1996 count of the second that holds a point, modulo 2^32 as the C
/// functions keep their counts: count -1 becomes 4294967295.
template <class Duration>
constexpr Sec1996 to_count(const sec1996_time<Duration>& point) noexcept {
  return detail::wrapCount(
      clock_detail::split(clock_detail::Fine<Duration>{point.time_since_epoch()}).second);
}

/// The same, or nothing for a point off the span: before 1996-01-01T00:00:00Z
/// or after 2132-02-07T06:28:14Z.
template <class Duration>
constexpr std::optional<Sec1996> to_count_checked(const sec1996_time<Duration>& point) noexcept {
  const std::int64_t second =
      clock_detail::split(clock_detail::Fine<Duration>{point.time_since_epoch()}).second;
  if (!detail::isOnScale(second)) return std::nullopt;
  return detail::wrapCount(second);
}

/// The point of a Sec1996 count.
constexpr time_point from_count(Sec1996 count) noexcept {
  return time_point{std::chrono::seconds{count}};
}

/// The UTC record of the second that holds a point, the leap second as
/// {..., 23, 59, 60}: for counts of the span what cvtFromSec1996_lossless
/// gives, and as exact off it.  A year beyond the int32_t of the record (more
/// than two billion years away) is held at its end.
template <class Duration>
constexpr Date1996 to_record(const sec1996_time<Duration>& point) noexcept {
  detail::Fields fields = clock_detail::losslessFields(
      clock_detail::split(clock_detail::Fine<Duration>{point.time_since_epoch()}).second);
  constexpr std::int64_t kYearMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kYearMax = std::numeric_limits<std::int32_t>::max();
  if (fields.date.year < kYearMin) fields.date.year = kYearMin;
  if (fields.date.year > kYearMax) fields.date.year = kYearMax;
  return detail::recordOf(fields);
}

/// The point of a record, with the rules of cvtToSec1996 (the date rolls
/// over, the time of day is added to its midnight as it stands, 23:59:60 or
/// 24:00:00 on a leap day is the leap second) but exact, before the modulo
/// 2^32: {1995, 12, 31, 23, 59, 59} is count -1.  Exact for any field values;
/// to_count(from_record(r)) is cvtToSec1996(r).
constexpr time_point from_record(const Date1996& record) noexcept {
  return time_point{std::chrono::seconds{
      detail::exactCountFromRecord(record.year, record.mon, record.day, record.hour, record.min,
                                   record.sec, detail::kLeapSeconds)}};
}

/// The exact count of a record: from_record(record)'s count, negative before
/// 1996-01-01 00:00:00 and above 4294967295 after 2132-02-07 06:28:14, so
/// that a caller can tell a record off the scale.
constexpr std::int64_t exact_count(const Date1996& record) noexcept {
  return from_record(record).time_since_epoch().count();
}

/// A point as its UTC date and the seconds since that date's midnight,
/// [0, 86399], or 86400 in a leap second.
struct date_time {
  std::chrono::year_month_day date;  ///< the UTC date
  std::chrono::seconds time_of_day;  ///< seconds since its midnight, 86400 in a leap second
};

/// The date and time of day of the second that holds a point.  A year that
/// std::chrono::year cannot hold (beyond -32767 and 32767) reads as year
/// -32768, for which date.ok() is false.
template <class Duration>
constexpr date_time to_date_time(const sec1996_time<Duration>& point) noexcept {
  const detail::ClockTime reading = clock_detail::readingOf(
      clock_detail::split(clock_detail::Fine<Duration>{point.time_since_epoch()}).second);
  const detail::CivilDate date = detail::civilFromDays(reading.days);
  const bool heldByYear = date.year >= static_cast<int>(std::chrono::year::min()) &&
                          date.year <= static_cast<int>(std::chrono::year::max());
  return {std::chrono::year_month_day{
              std::chrono::year{heldByYear ? static_cast<int>(date.year) : -32768},
              std::chrono::month{static_cast<unsigned>(date.mon)},
              std::chrono::day{static_cast<unsigned>(date.day)}},
          std::chrono::seconds{reading.secondOfDay + (reading.leapSecond ? 1 : 0)}};
}

/// The point of a date and a time of day added to its midnight, as
/// from_record adds it: time_of_day 86400 on 1997-06-30 is the leap second.
/// An invalid date rolls over as from_record rolls it; a time of day that
/// would leave the 64-bit range is held at its end.
constexpr time_point from_date_time(std::chrono::year_month_day date,
                                    std::chrono::seconds time_of_day) noexcept {
  const std::int64_t midnight = detail::midnightCount(
      detail::daysFromCivil(static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                            static_cast<unsigned>(date.day())),
      detail::kLeapSeconds);
  return time_point{
      std::chrono::seconds{clock_detail::addSaturated(midnight, time_of_day.count())}};
}

/// "YYYY-MM-DDTHH:MM:SSZ" of a point, 23:59:60 in a leap second, with the
/// fraction its duration holds ("...:60.250Z" in milliseconds) and the year
/// as std::chrono prints it (1995-12-31T23:59:59Z, -0001-12-31T00:00:00Z,
/// 10000-01-01T00:00:00Z).
template <class Duration>
std::string to_iso_string(const sec1996_time<Duration>& point) {
  char text[clock_detail::kIsoCapacity];
  const std::size_t length = clock_detail::formatIso(
      text, clock_detail::split(clock_detail::Fine<Duration>{point.time_since_epoch()}));
  return std::string(text, length);
}

/// Writes to_iso_string(point): 23:59:60 in the leap second, the fraction
/// of the point's precision.
template <class Duration>
std::ostream& operator<<(std::ostream& out, const sec1996_time<Duration>& point) {
  char text[clock_detail::kIsoCapacity];
  const std::size_t length = clock_detail::formatIso(
      text, clock_detail::split(clock_detail::Fine<Duration>{point.time_since_epoch()}));
  return out.write(text, static_cast<std::streamsize>(length));
}

/// ---- Through a utc_clock ----------------------------------------------------
///
/// The one pair of conversions between the scale and a clock that counts
/// every leap second: std::chrono::utc_clock (clock::to_utc / from_utc) and
/// Hinnant's date::utc_clock (sec1996_date.hpp) alike.  UtcClock needs the
/// interface of std::chrono::utc_clock: from_sys, to_sys and a
/// get_leap_second_info that argument-dependent lookup finds for its points.

/// The scale's leap second is one of UtcClock's, so a point inside it maps to
/// the same leap second there.
template <class UtcClock, class Duration>
std::chrono::time_point<UtcClock, clock_detail::Fine<Duration>> to_utc_time(
    const sec1996_time<Duration>& point) {
  const auto whole = std::chrono::floor<std::chrono::seconds>(point);
  const auto utc = UtcClock::from_sys(clock::to_sys(whole));
  return utc + std::chrono::seconds{clock::is_leap_second(whole) ? 1 : 0} + (point - whole);
}

/// A leap second that the scale does not count maps, as utc_clock::to_sys
/// maps it, to the end of the 23:59:59 before it.
template <class UtcClock, class Duration>
sec1996_time<clock_detail::Fine<Duration>> from_utc_time(
    const std::chrono::time_point<UtcClock, Duration>& time) {
  const auto whole = std::chrono::floor<std::chrono::seconds>(time);
  const auto before = clock::from_sys(UtcClock::to_sys(whole));
  if (get_leap_second_info(whole).is_leap_second &&
      clock::is_leap_second(before + std::chrono::seconds{1})) {
    return before + std::chrono::seconds{1} + (time - whole);
  }
  return clock::from_sys(UtcClock::to_sys(time));
}

#if SEC1996_HAS_STD_UTC_CLOCK
template <class Duration>
std::chrono::utc_time<clock_detail::Fine<Duration>> clock::to_utc(
    const sec1996_time<Duration>& point) {
  return to_utc_time<std::chrono::utc_clock>(point);
}

template <class Duration>
sec1996_time<clock_detail::Fine<Duration>> clock::from_utc(
    const std::chrono::utc_time<Duration>& time) {
  return from_utc_time(time);
}
#endif

}  // namespace sec1996

#endif  // SEC1996_SEC1996_HPP
