/// @file
/// sec1996_scales.hpp - true time for C++20: the scale's time points as
/// TAI, GPS and UTC time points and SI durations, from the full leap-second
/// list of sec1996_scales.h.
///
/// sec1996::tai_clock, gps_clock and utc_clock are the standard library's
/// std::chrono clocks where it has them (libc++ 22 with
/// -fexperimental-library, libstdc++ from GCC 13) and clocks of this header
/// with the same epochs and units where it does not (libstdc++ 12):
///   tai_clock  seconds since 1958-01-01 00:00:00 TAI
///   gps_clock  seconds since 1980-01-06 00:00:00 UTC, TAI - 19 s
///   utc_clock  seconds since 1970-01-01 00:00:00 UTC, leap seconds counted
///              (utc = tai - 378691210 s, as std::chrono::utc_clock)
/// sec1996::clock_cast converts between them and sec1996::clock with the
/// default table; where the standard library has std::chrono::clock_cast
/// (not libc++ 22), it does the same between sec1996::clock and tai_clock or
/// gps_clock: this header specialises std::chrono::clock_time_conversion for
/// those pairs.
///
///   using namespace std::chrono;
///   const sec1996::time_point leap{seconds{47260800}};       // 1997-06-30 23:59:60
///   auto tai = sec1996::clock_cast<sec1996::tai_clock>(leap);  // 1246406430 s
///   auto back = sec1996::clock_cast<sec1996::clock>(tai);      // 47260800 s
///   seconds si = sec1996::si_between(sec1996::time_point{}, leap).value;  // 47260800 s
///
/// The checked functions (to_tai, from_tai, ... ) take a list, a null
/// pointer for the default table, and return the value with the status of
/// the C function; clock_cast throws std::range_error where the C function
/// refuses (a point off the scale or before the list) and maps a leap second
/// the scale lacks to 23:59:59, as std::chrono::utc_clock::to_sys maps one;
/// past the list's expiry it answers as the C function does, without a word.
#ifndef SEC1996_SEC1996_SCALES_HPP
#define SEC1996_SEC1996_SCALES_HPP

#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "sec1996.hpp"
#include "sec1996_scales.h"

/// The standard clocks: complete (with clock_cast) where __cpp_lib_chrono
/// says so; libc++'s experimental library has the clocks without clock_cast.
#if defined(__cpp_lib_chrono) && __cpp_lib_chrono >= 201907L
#define SEC1996_STD_TRUE_CLOCKS 1  ///< 1 where std::chrono has tai_clock, gps_clock, utc_clock
#define SEC1996_STD_CLOCK_CAST 1   ///< 1 where std::chrono::clock_cast exists too
#elif defined(_LIBCPP_VERSION) && defined(_LIBCPP_HAS_EXPERIMENTAL_TZDB) && \
    defined(_LIBCPP_HAS_TIME_ZONE_DATABASE)
#if _LIBCPP_HAS_EXPERIMENTAL_TZDB && _LIBCPP_HAS_TIME_ZONE_DATABASE && _LIBCPP_HAS_FILESYSTEM && \
    _LIBCPP_HAS_LOCALIZATION
#define SEC1996_STD_TRUE_CLOCKS 1
#else
#define SEC1996_STD_TRUE_CLOCKS 0
#endif
#define SEC1996_STD_CLOCK_CAST 0
#else
#define SEC1996_STD_TRUE_CLOCKS 0
#define SEC1996_STD_CLOCK_CAST 0
#endif

namespace sec1996 {

#if SEC1996_STD_TRUE_CLOCKS
using tai_clock = std::chrono::tai_clock;  ///< TAI: std::chrono's, or the header's own
using gps_clock = std::chrono::gps_clock;  ///< GPS: std::chrono's, or the header's own
using utc_clock = std::chrono::utc_clock;  ///< UTC with every leap second
#else
namespace detail_clocks {
/// A clock with std::chrono's shape whose now() goes through the scale.
template <class Tag>
struct true_clock {
  using rep = std::int64_t;
  using period = std::ratio<1>;
  using duration = std::chrono::duration<rep, period>;
  using time_point = std::chrono::time_point<true_clock, duration>;
  static constexpr bool is_steady = false;
  static time_point now();
};
struct tai_tag {};
struct gps_tag {};
struct utc_tag {};
}  // namespace detail_clocks
using tai_clock = detail_clocks::true_clock<detail_clocks::tai_tag>;  ///< TAI
using gps_clock = detail_clocks::true_clock<detail_clocks::gps_tag>;  ///< GPS
using utc_clock = detail_clocks::true_clock<detail_clocks::utc_tag>;  ///< UTC, every leap second
#endif

/// A point of a true-time clock in whole seconds.
template <class Clock>
using true_seconds = std::chrono::time_point<Clock, std::chrono::seconds>;
using tai_seconds = true_seconds<tai_clock>;  ///< TAI seconds since 1958-01-01 TAI
using gps_seconds = true_seconds<gps_clock>;  ///< GPS seconds since 1980-01-06 UTC
using utc_seconds = true_seconds<utc_clock>;  ///< UTC seconds, leap seconds counted

/// TT as a duration since 1958-01-01 00:00:00 TT, exact in milliseconds.
using tt_duration = std::chrono::milliseconds;

/// A result and the status of the C function that gave it; value is
/// meaningful when ok() (which includes the expiry warning).
template <class T>
struct checked {
  T value{};                                     ///< the result
  Sec1996ParseStatus status = SEC1996_PARSE_OK;  ///< the C function's status
  /// Whether value holds a result: OK, or the expiry warning.
  constexpr bool ok() const {
    return status == SEC1996_PARSE_OK || status == SEC1996_PARSE_LIST_EXPIRED;
  }
};

/// Seconds from the UTC clock's epoch to the TAI clock's, as std::chrono
/// counts them.
inline constexpr std::chrono::seconds kUtcToTai{378691210};

// ---- Checked conversions ---------------------------------------------------
//
// Each takes the default table unless a list is given, and refuses a point
// off the span with SEC1996_PARSE_OUT_OF_SPAN rather than wrap its count.

/// TAI of a point on the scale.
inline checked<tai_seconds> to_tai(time_point point, const Sec1996LeapList* list = nullptr) {
  const std::optional<Sec1996> count = to_count_checked(point);
  if (!count) return {{}, SEC1996_PARSE_OUT_OF_SPAN};
  std::int64_t tai = 0;
  const Sec1996ParseStatus status = cvtFromSec1996_tai(list, *count, &tai);
  return {tai_seconds{std::chrono::seconds{tai}}, status};
}

/// GPS time of a point on the scale.
inline checked<gps_seconds> to_gps(time_point point, const Sec1996LeapList* list = nullptr) {
  const std::optional<Sec1996> count = to_count_checked(point);
  if (!count) return {{}, SEC1996_PARSE_OUT_OF_SPAN};
  std::int64_t gps = 0;
  const Sec1996ParseStatus status = cvtFromSec1996_gps(list, *count, &gps);
  return {gps_seconds{std::chrono::seconds{gps}}, status};
}

/// The point on a UTC clock that counts every leap second.
inline checked<utc_seconds> to_utc(time_point point, const Sec1996LeapList* list = nullptr) {
  const checked<tai_seconds> tai = to_tai(point, list);
  return {utc_seconds{tai.value.time_since_epoch() - kUtcToTai}, tai.status};
}

/// TT of a point on the scale, in milliseconds since 1958-01-01 TT.
inline checked<tt_duration> to_tt(time_point point, const Sec1996LeapList* list = nullptr) {
  const std::optional<Sec1996> count = to_count_checked(point);
  if (!count) return {{}, SEC1996_PARSE_OUT_OF_SPAN};
  std::int64_t tt = 0;
  const Sec1996ParseStatus status = cvtFromSec1996_tt(list, *count, &tt);
  return {tt_duration{tt}, status};
}

/// The SI seconds from one point to another: TAI(to) - TAI(from).
inline checked<std::chrono::seconds> si_between(time_point from, time_point to,
                                                const Sec1996LeapList* list = nullptr) {
  const std::optional<Sec1996> first = to_count_checked(from);
  const std::optional<Sec1996> last = to_count_checked(to);
  if (!first || !last) return {{}, SEC1996_PARSE_OUT_OF_SPAN};
  std::int64_t seconds = 0;
  const Sec1996ParseStatus status = siSecondsBetween1996(list, *first, *last, &seconds);
  return {std::chrono::seconds{seconds}, status};
}

/// TAI-UTC in force at a point.
inline checked<std::chrono::seconds> tai_minus_utc(time_point point,
                                                   const Sec1996LeapList* list = nullptr) {
  const std::optional<Sec1996> count = to_count_checked(point);
  if (!count) return {{}, SEC1996_PARSE_OUT_OF_SPAN};
  std::int32_t seconds = 0;
  const Sec1996ParseStatus status = taiMinusUtc1996(list, *count, &seconds);
  return {std::chrono::seconds{seconds}, status};
}

/// Back to the scale; flags as for the C functions (0 or
/// SEC1996_MAP_LEAP_TO_235959).
inline checked<time_point> from_tai(tai_seconds tai, unsigned flags = 0,
                                    const Sec1996LeapList* list = nullptr) {
  Sec1996 count = 0;
  const Sec1996ParseStatus status =
      cvtToSec1996_tai(list, tai.time_since_epoch().count(), flags, &count);
  return {time_point{std::chrono::seconds{count}}, status};
}

/// Back from GPS time; flags as for from_tai.
inline checked<time_point> from_gps(gps_seconds gps, unsigned flags = 0,
                                    const Sec1996LeapList* list = nullptr) {
  Sec1996 count = 0;
  const Sec1996ParseStatus status =
      cvtToSec1996_gps(list, gps.time_since_epoch().count(), flags, &count);
  return {time_point{std::chrono::seconds{count}}, status};
}

/// Back from a UTC clock's point; flags as for from_tai.
inline checked<time_point> from_utc(utc_seconds utc, unsigned flags = 0,
                                    const Sec1996LeapList* list = nullptr) {
  return from_tai(tai_seconds{utc.time_since_epoch() + kUtcToTai}, flags, list);
}

/// Back from TT; flags as for from_tai.
inline checked<time_point> from_tt(tt_duration tt, unsigned flags = 0,
                                   const Sec1996LeapList* list = nullptr) {
  Sec1996 count = 0;
  const Sec1996ParseStatus status = cvtToSec1996_tt(list, tt.count(), flags, &count);
  return {time_point{std::chrono::seconds{count}}, status};
}

/// ---- clock_cast ------------------------------------------------------------

namespace detail_clocks {

template <class T>
T valueOrThrow(const checked<T>& result, const char* what) {
  if (result.ok() || result.status == SEC1996_PARSE_LEAP_NOT_ON_SCALE) return result.value;
  throw std::range_error(std::string(what) + ": " + parseStatusText1996(result.status));
}

template <class Dest, class Duration>
auto castFromScale(const std::chrono::time_point<sec1996::clock, Duration>& point) {
  const auto whole = std::chrono::floor<std::chrono::seconds>(point);
  const auto within = point - whole;
  if constexpr (std::is_same_v<Dest, tai_clock>) {
    return valueOrThrow(to_tai(whole), "clock_cast to TAI") + within;
  } else if constexpr (std::is_same_v<Dest, gps_clock>) {
    return valueOrThrow(to_gps(whole), "clock_cast to GPS") + within;
  } else {
    static_assert(std::is_same_v<Dest, utc_clock>, "clock_cast: TAI, GPS or UTC");
    return valueOrThrow(to_utc(whole), "clock_cast to UTC") + within;
  }
}

template <class Source, class Duration>
auto castToScale(const std::chrono::time_point<Source, Duration>& point) {
  const auto whole = std::chrono::floor<std::chrono::seconds>(point);
  const auto within = point - whole;
  constexpr unsigned kMap = SEC1996_MAP_LEAP_TO_235959;
  if constexpr (std::is_same_v<Source, tai_clock>) {
    return valueOrThrow(from_tai(whole, kMap), "clock_cast from TAI") + within;
  } else if constexpr (std::is_same_v<Source, gps_clock>) {
    return valueOrThrow(from_gps(whole, kMap), "clock_cast from GPS") + within;
  } else {
    static_assert(std::is_same_v<Source, utc_clock>, "clock_cast: TAI, GPS or UTC");
    return valueOrThrow(from_utc(whole, kMap), "clock_cast from UTC") + within;
  }
}

}  // namespace detail_clocks

/// A time point of sec1996::clock as a TAI, GPS or UTC time point, or one of
/// those as a time point of the scale, with the default table.
template <class Dest, class Source, class Duration>
auto clock_cast(const std::chrono::time_point<Source, Duration>& point) {
  if constexpr (std::is_same_v<Source, sec1996::clock>) {
    return detail_clocks::castFromScale<Dest>(point);
  } else {
    static_assert(std::is_same_v<Dest, sec1996::clock>,
                  "sec1996::clock_cast converts to or from sec1996::clock");
    return detail_clocks::castToScale(point);
  }
}

#if !SEC1996_STD_TRUE_CLOCKS
template <class Tag>
typename detail_clocks::true_clock<Tag>::time_point detail_clocks::true_clock<Tag>::now() {
  const auto point = std::chrono::floor<std::chrono::seconds>(sec1996::clock::now());
  return time_point{clock_cast<true_clock>(point).time_since_epoch()};
}
#endif

}  // namespace sec1996

/// @cond
#if SEC1996_STD_CLOCK_CAST
/// std::chrono::clock_cast between sec1996::clock and TAI or GPS goes through
/// the full list of this library rather than through utc_clock.
template <>
struct std::chrono::clock_time_conversion<std::chrono::tai_clock, sec1996::clock> {
  template <class Duration>
  auto operator()(const std::chrono::time_point<sec1996::clock, Duration>& point) const {
    return sec1996::clock_cast<std::chrono::tai_clock>(point);
  }
};
template <>
struct std::chrono::clock_time_conversion<sec1996::clock, std::chrono::tai_clock> {
  template <class Duration>
  auto operator()(const std::chrono::time_point<std::chrono::tai_clock, Duration>& point) const {
    return sec1996::clock_cast<sec1996::clock>(point);
  }
};
template <>
struct std::chrono::clock_time_conversion<std::chrono::gps_clock, sec1996::clock> {
  template <class Duration>
  auto operator()(const std::chrono::time_point<sec1996::clock, Duration>& point) const {
    return sec1996::clock_cast<std::chrono::gps_clock>(point);
  }
};
template <>
struct std::chrono::clock_time_conversion<sec1996::clock, std::chrono::gps_clock> {
  template <class Duration>
  auto operator()(const std::chrono::time_point<std::chrono::gps_clock, Duration>& point) const {
    return sec1996::clock_cast<sec1996::clock>(point);
  }
};
#endif
/// @endcond

#endif  // SEC1996_SEC1996_SCALES_HPP
