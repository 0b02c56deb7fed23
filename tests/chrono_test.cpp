// sec1996::clock and the constexpr conversions of sec1996.hpp, and
// date::clock_cast through sec1996_date.hpp where Hinnant's date is at hand.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
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
