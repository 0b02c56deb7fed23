// The calendar record pair, cvtFromSec1996 and cvtToSec1996.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct CountAndRecord {
  Sec1996 count;
  Date1996 record;
};

// Counts and the records they read as, from the epoch to the end of the
// 32-bit scale, around the leap second and past 2038.
constexpr CountAndRecord kReadings[] = {
    {0, {1996, 1, 1, 0, 0, 0}},
    {86399, {1996, 1, 1, 23, 59, 59}},
    {5097600, {1996, 2, 29, 0, 0, 0}},
    {5184000, {1996, 3, 1, 0, 0, 0}},
    {31622399, {1996, 12, 31, 23, 59, 59}},
    {31622400, {1997, 1, 1, 0, 0, 0}},
    {47260799, {1997, 6, 30, 23, 59, 59}},
    {47260800, {1997, 6, 30, 23, 59, 59}},  // the leap second repeats 23:59:59
    {47260801, {1997, 7, 1, 0, 0, 0}},
    {94694401, {1999, 1, 1, 0, 0, 0}},
    {1324425600, {2037, 12, 19, 23, 59, 59}},
    {1327029247, {2038, 1, 19, 3, 14, 6}},
    {1327029248, {2038, 1, 19, 3, 14, 7}},  // past the signed 32-bit calendar time
    {2147483648U, {2064, 1, 19, 3, 14, 7}},
    {4294944001U, {2132, 2, 7, 0, 0, 0}},
    {4294967295U, {2132, 2, 7, 6, 28, 14}},
};

TEST(RecordForm, CountsReadAsTheirUtcRecords) {
  for (const auto& [count, record] : kReadings) {
    EXPECT_EQ(cvtFromSec1996(count), record) << "count " << count;
  }
}

TEST(RecordForm, RecordsConvertBackExceptTheLeapSecond) {
  for (const auto& [count, record] : kReadings) {
    const Sec1996 expected = count == 47260800 ? 47260799 : count;
    EXPECT_EQ(cvtToSec1996(record), expected) << "count " << count;
  }
}

TEST(RecordForm, LosslessRecordsShowTheLeapSecondAndCountBack) {
  for (const auto& [count, record] : kReadings) {
    const bool leap = count == 47260800;
    Date1996 expected = record;
    expected.sec += leap ? 1 : 0;  // 23:59:60
    EXPECT_EQ(cvtFromSec1996_lossless(count), expected) << "count " << count;
    EXPECT_EQ(cvtToSec1996(cvtFromSec1996_lossless(count)), count) << "count " << count;
    EXPECT_EQ(isLeapSecond1996(count), leap ? 1 : 0) << "count " << count;
  }
}

TEST(RecordForm, LeapSecondIsReachedBySixtySecondsOrTwentyFourHours) {
  EXPECT_EQ(cvtToSec1996({1997, 6, 30, 23, 59, 60}), 47260800U);
  EXPECT_EQ(cvtToSec1996({1997, 6, 30, 24, 0, 0}), 47260800U);
  // On an ordinary day the same fields are simply the next midnight.
  EXPECT_EQ(cvtToSec1996({1997, 6, 29, 23, 59, 60}), cvtToSec1996({1997, 6, 30, 0, 0, 0}));
  EXPECT_EQ(cvtToSec1996({1997, 6, 29, 24, 0, 0}), 47174400U);
}

TEST(RecordForm, OutOfRangeDateFieldsAreNormalised) {
  const struct {
    Date1996 odd;
    Date1996 normal;
  } cases[] = {
      {{1996, 13, 1, 0, 0, 0}, {1997, 1, 1, 0, 0, 0}},
      {{1996, 3, 0, 0, 0, 0}, {1996, 2, 29, 0, 0, 0}},
      {{1996, 2, 30, 0, 0, 0}, {1996, 3, 1, 0, 0, 0}},
      {{1997, 0, 1, 0, 0, 0}, {1996, 12, 1, 0, 0, 0}},
      {{1997, -11, 1, 0, 0, 0}, {1996, 1, 1, 0, 0, 0}},
      {{1996, 1, 367, 0, 0, 0}, {1997, 1, 1, 0, 0, 0}},
      {{1998, 25, -30, 0, 0, 0}, {1999, 12, 1, 0, 0, 0}},
  };
  for (const auto& [odd, normal] : cases) {
    EXPECT_EQ(cvtToSec1996(odd), cvtToSec1996(normal)) << odd;
  }
  EXPECT_EQ(cvtToSec1996({1996, 13, 1, 0, 0, 0}), 31622400U);
  EXPECT_EQ(cvtToSec1996({1996, 3, 0, 0, 0, 0}), 5097600U);
  EXPECT_EQ(cvtToSec1996({1996, 2, 30, 0, 0, 0}), 5184000U);
}

TEST(RecordForm, TimeOfDayMovesTheCountAsItStands) {
  // The time of day is added to the date's midnight count, leap second or not.
  EXPECT_EQ(cvtToSec1996({1997, 6, 30, 48, 0, 0}), 47174400U + 172800U);
  EXPECT_EQ(cvtToSec1996({1997, 7, 1, -1, 0, 0}), 47260801U - 3600U);
  EXPECT_EQ(cvtToSec1996({1996, 1, 2, 0, -1440, 0}), 0U);
  EXPECT_EQ(cvtToSec1996({1996, 1, 1, 0, 0, 100000}), 100000U);
}

TEST(RecordForm, ExtremeFieldsWrapModulo2To32WithoutOverflow) {
  // The exact count is reduced modulo 2^32; none of these may overflow.
  EXPECT_EQ(cvtToSec1996({1996, 1, 1, kMax, 0, 0}),
            static_cast<Sec1996>(static_cast<std::uint64_t>(kMax) * 3600U));
  EXPECT_EQ(cvtToSec1996({1996, 1, 1, kMax, kMax, kMax}),
            static_cast<Sec1996>(static_cast<std::uint64_t>(kMax) * 3661U));
  EXPECT_EQ(cvtToSec1996({1996, 1, 1, kMin, kMin, kMin}),
            static_cast<Sec1996>(static_cast<std::uint64_t>(kMin) * 3661U));
  EXPECT_EQ(cvtToSec1996({1996, 1, 1, 0, 0, -1}), 4294967295U);
  // Before the epoch the count wraps round: no leap second applies there.
  EXPECT_EQ(cvtToSec1996({1995, 12, 31, 0, 0, 0}), static_cast<Sec1996>(-86400));
  // Past the end of the scale it wraps round to the start.
  EXPECT_EQ(cvtToSec1996({2132, 2, 7, 6, 28, 15}), 0U);
  // The extremes of every field convert without trapping the sanitizers.
  for (const std::int32_t year : {kMin, -1, 0, kMax}) {
    for (const std::int32_t mon : {kMin, 0, 12, kMax}) {
      for (const std::int32_t day : {kMin, 0, kMax}) {
        const Date1996 record{year, mon, day, kMax, kMin, kMax};
        const Sec1996 count = cvtToSec1996(record);
        EXPECT_EQ(count - cvtToSec1996({year, mon, day, 0, 0, 0}),
                  static_cast<Sec1996>(static_cast<std::uint64_t>(kMax) * 3601U -
                                       static_cast<std::uint64_t>(1U << 31) * 60U));
      }
    }
  }
}

TEST(RecordForm, EveryDayOfTheScaleRoundTripsAtMidnightAndLastSecond) {
  for (Sec1996 midnight = 0; midnight < 4294944000U;) {
    const Date1996 record = cvtFromSec1996(midnight);
    ASSERT_EQ(record.hour * 3600 + record.min * 60 + record.sec, 0) << "count " << midnight;
    ASSERT_EQ(cvtToSec1996(record), midnight);
    const Sec1996 next = midnight == 47174400 ? 47260801 : midnight + 86400;
    const Date1996 last = cvtFromSec1996(next - 1);
    ASSERT_EQ(last.hour * 3600 + last.min * 60 + last.sec, 86399) << "count " << next - 1;
    midnight = next;
  }
}

}  // namespace
