// sec1996::clock and the constexpr conversions of sec1996.hpp, and
// date::clock_cast through sec1996_date.hpp where Hinnant's date is at hand.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <sstream>

#include "test_support.h"
#include "timescale/sec1996.hpp"
#if SEC1996_TEST_WITH_DATE
#include "timescale/sec1996_date.hpp"
#endif

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr sec1996::time_point kLeap = sec1996::from_count(47260800);

// The conversions are constant expressions over the library's own table.
static_assert(sec1996::to_record(kLeap).sec == 60);
static_assert(sec1996::to_count(sec1996::from_record({1997, 6, 30, 24, 0, 0})) == 47260800);
static_assert(sec1996::to_date_time(kLeap).time_of_day == 86400s);
static_assert(sec1996::clock::to_sys(kLeap) == sys_days{1997y / June / 30} + 86399s);
// Off the span the count stays exact, and to_count alone wraps it.
static_assert(sec1996::clock::from_sys(sys_days{1996y / January / 1} - 1s).time_since_epoch() ==
              -1s);
static_assert(sec1996::to_count(sec1996::from_count(0) - 1s) == 4294967295U);
static_assert(sec1996::to_record(sec1996::from_count(0) - 1s).year == 1995);

TEST(ChronoClock, SystemTimeFoldsTheLeapSecondAsUtcClockDoes) {
  const sys_seconds before = sys_days{1997y / June / 30} + 86399s;
  const struct {
    sec1996::time_point point;
    sys_seconds sys;
    sec1996::time_point back;
  } cases[] = {
      {kLeap - 1s, before, kLeap - 1s},
      {kLeap, before, kLeap - 1s},
      {kLeap + 1s, before + 1s, kLeap + 1s},
      {sec1996::from_count(0), sys_days{1996y / January / 1}, sec1996::from_count(0)},
      {sec1996::from_count(0) - 1s, sys_days{1996y / January / 1} - 1s,
       sec1996::from_count(0) - 1s},
  };
  for (const auto& [point, sys, back] : cases) {
    EXPECT_EQ(sec1996::clock::to_sys(point), sys) << point;
    EXPECT_EQ(sec1996::clock::from_sys(sys), back) << point;
  }
  // Within the leap second, finer durations stop just short of midnight.
  EXPECT_EQ(sec1996::clock::to_sys(kLeap + 500ms), before + 999ms);
  EXPECT_EQ(sec1996::clock::from_sys(before + 1s + 250ms), kLeap + 1s + 250ms);
}

TEST(ChronoClock, CalendarFieldsAndTextAreLossless) {
  for (const Sec1996 count : {0U, 47260799U, 47260800U, 47260801U, 4294967295U}) {
    const sec1996::time_point point = sec1996::from_count(count);
    EXPECT_EQ(sec1996::to_record(point), cvtFromSec1996_lossless(count));
    EXPECT_EQ(sec1996::from_record(sec1996::to_record(point)), point);
    const auto [date, timeOfDay] = sec1996::to_date_time(point);
    EXPECT_EQ(sec1996::from_date_time(date, timeOfDay), point);
    char iso[SEC1996_ISO_SIZE];
    std::ostringstream out;
    out << point;
    EXPECT_EQ(out.str(), stringDate1996_iso(count, iso));
    EXPECT_EQ(sec1996::to_iso_string(point), iso);
  }
}

TEST(ChronoClock, ExactCountTellsRecordsOffTheScale) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const struct {
    Date1996 record;
    std::int64_t exact;
  } cases[] = {
      {{1996, 1, 1, 0, 0, 0}, 0},
      {{1995, 12, 31, 23, 59, 59}, -1},
      {{1997, 6, 30, 23, 59, 60}, 47260800},
      {{2132, 2, 7, 6, 28, 14}, 4294967295},
      {{2132, 2, 7, 6, 28, 15}, 4294967296},
      // The time of day is added to the midnight as it stands, as cvtToSec1996 adds it.
      {{1996, 1, 1, kMax, kMax, kMax}, std::int64_t{kMax} * 3661},
  };
  for (const auto& [record, exact] : cases) {
    EXPECT_EQ(sec1996::exact_count(record), exact) << record;
    EXPECT_EQ(sec1996::to_count(sec1996::from_record(record)), static_cast<Sec1996>(exact))
        << record;
  }
  // Far years stay exact: a year of 2^31 - 1 days is far beyond 2^32 seconds.
  EXPECT_GT(sec1996::exact_count({kMax, 1, 1, 0, 0, 0}), std::int64_t{1} << 50);
}

TEST(ChronoClock, LabelsAreExactForAnyPointAndPrecision) {
  const sec1996::time_point epoch = sec1996::from_count(0);
  const struct {
    sec1996::sec1996_time<microseconds> point;  // nanoseconds span only 584 years
    const char* seconds;                        // the label at whole seconds
    const char* milliseconds;                   // the label at millisecond precision
    Date1996 record;
  } cases[] = {
      {kLeap, "1997-06-30T23:59:60Z", "1997-06-30T23:59:60.000Z", {1997, 6, 30, 23, 59, 60}},
      {kLeap + 999999us,
       "1997-06-30T23:59:60Z",
       "1997-06-30T23:59:60.999Z",
       {1997, 6, 30, 23, 59, 60}},
      {kLeap - 1us, "1997-06-30T23:59:59Z", "1997-06-30T23:59:59.999Z", {1997, 6, 30, 23, 59, 59}},
      {kLeap + 1s + 123ms,
       "1997-07-01T00:00:00Z",
       "1997-07-01T00:00:00.123Z",
       {1997, 7, 1, 0, 0, 0}},
      // Off the span the labels go on, not modulo 2^32.
      {epoch - 1s, "1995-12-31T23:59:59Z", "1995-12-31T23:59:59.000Z", {1995, 12, 31, 23, 59, 59}},
      {epoch - 1ms, "1995-12-31T23:59:59Z", "1995-12-31T23:59:59.999Z", {1995, 12, 31, 23, 59, 59}},
      {sec1996::from_count(4294967295U) + 1s,
       "2132-02-07T06:28:15Z",
       "2132-02-07T06:28:15.000Z",
       {2132, 2, 7, 6, 28, 15}},
      // Years beyond four digits as std::chrono prints them.
      {sec1996::clock::from_sys(sys_days{year{-1} / December / 31}),
       "-0001-12-31T00:00:00Z",
       "-0001-12-31T00:00:00.000Z",
       {-1, 12, 31, 0, 0, 0}},
      {sec1996::clock::from_sys(sys_days{year{10000} / January / 1}),
       "10000-01-01T00:00:00Z",
       "10000-01-01T00:00:00.000Z",
       {10000, 1, 1, 0, 0, 0}},
  };
  for (const auto& [point, wholeText, milliText, record] : cases) {
    const auto whole = floor<seconds>(point);
    const auto milli = floor<milliseconds>(point);
    EXPECT_EQ(sec1996::to_iso_string(whole), wholeText);
    EXPECT_EQ(sec1996::to_iso_string(milli), milliText);
    std::ostringstream out;
    out << milli;
    EXPECT_EQ(out.str(), milliText);
    // Every precision labels the second that holds the point.
    EXPECT_EQ(sec1996::to_record(point), record) << wholeText;
    EXPECT_EQ(sec1996::to_record(milli), record) << wholeText;
    EXPECT_EQ(sec1996::from_record(record), whole) << wholeText;
  }
  EXPECT_EQ(sec1996::to_iso_string(kLeap + 5us), "1997-06-30T23:59:60.000005Z");
  EXPECT_EQ(sec1996::to_iso_string(kLeap + 5ns), "1997-06-30T23:59:60.000000005Z");
  // The ends of int64 seconds, 292 billion years away, and no overflow on the way there.
  EXPECT_EQ(sec1996::to_iso_string(sec1996::time_point::min()), "-292277022631-01-26T08:29:52Z");
  EXPECT_EQ(sec1996::to_iso_string(sec1996::time_point::max()), "292277026622-12-05T15:30:06Z");
  EXPECT_EQ(sec1996::to_record(sec1996::time_point::min()).year,
            std::numeric_limits<std::int32_t>::min());
  EXPECT_FALSE(sec1996::to_date_time(sec1996::time_point::max()).date.ok());
  // A minute of the scale is 60 of its seconds, the leap second among them.
  EXPECT_EQ(sec1996::to_iso_string(sec1996::sec1996_time<minutes>{minutes{787681}}),
            "1997-07-01T00:00:59Z");
}

TEST(ChronoClock, LeapSecondIsTheOnlySecondSixtyAtEveryPrecision) {
  const auto check = [](auto tick) {
    using Duration = decltype(tick);
    for (std::int64_t count = 47260798; count <= 47260802; ++count) {
      const sec1996::sec1996_time<Duration> start{seconds{count}};
      for (const auto point : {start, start + seconds{1} - tick}) {  // its first and last tick
        const bool leap = count == 47260800;
        EXPECT_EQ(sec1996::clock::is_leap_second(point), leap) << count;
        EXPECT_EQ(sec1996::to_record(point).sec == 60, leap) << count;
        EXPECT_EQ(sec1996::to_date_time(point).time_of_day == 86400s, leap) << count;
        EXPECT_EQ(sec1996::to_iso_string(point).substr(17, 2) == "60", leap) << count;
      }
    }
  };
  check(1s);
  check(1ms);
  check(1us);
  check(1ns);
}

TEST(ChronoClock, FromRecordAndFromSysAgreeOnEveryRecord) {
  // Every record of a second the scale shares with the system clock names
  // the same point both ways, on the span and off it.
  const sec1996::time_point points[] = {
      sec1996::from_count(0) - 86400s,
      sec1996::from_count(0) - 1s,
      sec1996::from_count(0),
      kLeap - 1s,
      kLeap + 1s,
      sec1996::from_count(4294967295U),
      sec1996::from_count(4294967295U) + 86400s * 400,
  };
  for (const sec1996::time_point point : points) {
    const Date1996 r = sec1996::to_record(point);
    const sys_seconds sys =
        sys_days{year{r.year} / r.mon / r.day} + hours{r.hour} + minutes{r.min} + seconds{r.sec};
    EXPECT_EQ(sec1996::from_record(r), sec1996::clock::from_sys(sys)) << r;
    EXPECT_EQ(sec1996::from_record(r), point) << r;
    EXPECT_EQ(sec1996::to_count(sec1996::from_record(r)), cvtToSec1996(r)) << r;
  }
  // The leap second, by either of its names, and its neighbours.
  const struct {
    Date1996 record;
    std::int64_t count;
  } leapDay[] = {
      {{1997, 6, 30, 23, 59, 59}, 47260799},
      {{1997, 6, 30, 23, 59, 60}, 47260800},
      {{1997, 6, 30, 24, 0, 0}, 47260800},
      {{1997, 7, 1, 0, 0, 0}, 47260801},
      {{1997, 7, 1, 0, 0, -1}, 47260800},
      {{1997, 6, 29, 23, 59, 60}, 47174400},  // not a leap day: the next midnight
  };
  for (const auto& [record, count] : leapDay) {
    EXPECT_EQ(sec1996::from_record(record).time_since_epoch().count(), count) << record;
  }
}

TEST(ChronoClock, CheckedCountRefusesPointsOffTheSpan) {
  const struct {
    sec1996::sec1996_time<milliseconds> point;
    std::optional<Sec1996> count;
  } cases[] = {
      {sec1996::from_count(0), 0U},
      {sec1996::from_count(0) - 1ms, std::nullopt},
      {sec1996::from_count(0) + 999ms, 0U},
      {sec1996::from_count(4294967295U) + 999ms, 4294967295U},
      {sec1996::from_count(4294967295U) + 1s, std::nullopt},
      {sec1996::sec1996_time<milliseconds>::min(), std::nullopt},
  };
  for (const auto& [point, count] : cases) {
    EXPECT_EQ(sec1996::to_count_checked(point), count) << point;
    // The wrapping form keeps its count modulo 2^32.
    if (count) {
      EXPECT_EQ(sec1996::to_count(point), *count) << point;
    }
  }
  EXPECT_EQ(sec1996::to_count(sec1996::from_count(4294967295U) + 1s), 0U);
}

TEST(ChronoClock, SystemTimeSaturatesAtTheEndsOfItsRange) {
  using Ms = sec1996::sec1996_time<milliseconds>;
  using Sec = sec1996::time_point;
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kEpoch = 820454400;  // 1996-01-01 in POSIX seconds
  // The ends stay the ends: a sentinel survives the round trip.
  static_assert(sec1996::clock::to_sys(Sec::max()) == sys_seconds::max());
  static_assert(sec1996::clock::to_sys(Ms::max()) == sys_time<milliseconds>::max());
  static_assert(sec1996::clock::from_sys(sys_seconds::min()) == Sec::min());
  static_assert(sec1996::clock::from_sys(sys_time<milliseconds>::min()) == Ms::min());
  static_assert(sec1996::clock::from_sys(sys_time<milliseconds>::min() + 1ms) == Ms::min());
  // Constant evaluation refuses any overflow on the way, down to the first second.
  static_assert(sec1996::clock::to_sys(Sec::min()).time_since_epoch().count() == kMin + kEpoch);
  static_assert(sec1996::to_record(Sec::min()).year == std::numeric_limits<std::int32_t>::min());
  const struct {
    std::int64_t count;
    std::int64_t posix;
  } toSys[] = {
      {kMax - kEpoch, kMax - 1},  // one leap second behind
      {kMax - kEpoch + 1, kMax},
      {kMax - kEpoch + 2, kMax},  // held, not wrapped
      {kMin, kMin + kEpoch},
  };
  for (const auto& [count, posix] : toSys) {
    EXPECT_EQ(sec1996::clock::to_sys(Sec{seconds{count}}).time_since_epoch().count(), posix)
        << count;
  }
  const struct {
    std::int64_t posix;
    std::int64_t count;
  } fromSys[] = {
      {kMin + kEpoch, kMin},
      {kMin + kEpoch - 1, kMin},  // held, not wrapped
      {kMax, kMax - kEpoch + 1},
  };
  for (const auto& [posix, count] : fromSys) {
    EXPECT_EQ(sec1996::clock::from_sys(sys_seconds{seconds{posix}}).time_since_epoch().count(),
              count)
        << posix;
  }
}

#if SEC1996_TEST_WITH_DATE
TEST(ChronoClock, DateClockCastKeepsTheLeapSecond) {
  // Every second from a minute before to a minute after the leap second,
  // to date::utc_clock and back, against date's own reading.
  for (auto point = kLeap - 60s; point <= kLeap + 60s; point += 1s) {
    const auto utc = date::clock_cast<date::utc_clock>(point);
    EXPECT_EQ(date::format("%FT%TZ", utc), sec1996::to_iso_string(point));
    EXPECT_EQ(date::clock_cast<sec1996::clock>(utc), point);
  }
  // A leap second the scale does not count reads as the second before it.
  const auto uncounted = date::clock_cast<date::utc_clock>(sys_days{2017y / January / 1}) - 1s;
  ASSERT_TRUE(date::get_leap_second_info(uncounted).is_leap_second);
  EXPECT_EQ(sec1996::to_iso_string(date::clock_cast<sec1996::clock>(uncounted)),
            "2016-12-31T23:59:59Z");
}
#endif

}  // namespace
