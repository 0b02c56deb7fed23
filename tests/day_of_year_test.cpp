// The day-of-year pair, cvtFromSec1996_yd and cvtToSec1996_yd.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "timescale/sec1996.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Sec1996 kLeapSecond = 47260800;

TEST(DayOfYearForm, CountsReadAsYearAndFractionalDay) {
  const struct {
    Sec1996 count;
    double dayOfYear;
    std::int32_t year;
  } cases[] = {
      {0, 1.0, 1996},
      {43200, 1.5, 1996},
      {86400, 2.0, 1996},
      {31536000, 366.0, 1996},  // 31 December of the leap year 1996
      {31622400, 1.0, 1997},
      {47174400, 181.0, 1997},
      {47260799, 181.0 + 86399 / 86400.0, 1997},
      {kLeapSecond, 182.0, 1997},  // the leap second ends its day
      {47260801, 182.0, 1997},
      {47347200, 182.0 + 86399 / 86400.0, 1997},
      {4294944001U, 38.0, 2132},  // 2132-02-07 00:00:00
  };
  for (const auto& [count, dayOfYear, year] : cases) {
    const YearDay1996 yd = cvtFromSec1996_yd(count);
    EXPECT_EQ(yd.year, year) << "count " << count;
    EXPECT_DOUBLE_EQ(yd.dayOfYear, dayOfYear) << "count " << count;
  }
  EXPECT_NEAR(cvtFromSec1996_yd(47260799).dayOfYear, 181.99998842592592, 1e-12);
}

TEST(DayOfYearForm, YearAndDayGiveTheirCounts) {
  const struct {
    double dayOfYear;
    std::int32_t year;
    Sec1996 count;
  } cases[] = {
      {1.0, 1996, 0},
      {1.5, 1996, 43200},
      {181.0, 1997, 47174400},
      {182.0, 1997, 47260801},  // one count after the leap second
      {0.5, 1997, 31579200},    // day 0 is 31 December 1996
      {367.0, 1996, 31622400},  // past the year's end carries into the next
      {366.0, 1997, 63158401},  // day 366 of a common year is 1 January 1998
      {38.0 + 23294 / 86400.0, 2132, 4294967295U},
      {1.0, 2133, 28402305},  // 2133-01-01 is 4323369601, past the scale: wrapped
      {0.0, 1996, static_cast<Sec1996>(-86400)},
      // Negative days round to the nearest second too: day -0.5 is noon of 30 December 1995.
      {-0.5, 1996, static_cast<Sec1996>(-86400 - 43200)},
  };
  for (const auto& [dayOfYear, year, count] : cases) {
    EXPECT_EQ(cvtToSec1996_yd(dayOfYear, year), count) << dayOfYear << ' ' << year;
  }
}

TEST(DayOfYearForm, FractionRoundsToTheNearestSecondHalvesUp) {
  constexpr double kSecond = 1 / 86400.0;
  EXPECT_EQ(cvtToSec1996_yd(1.0 + 0.49 * kSecond, 1996), 0U);
  EXPECT_EQ(cvtToSec1996_yd(1.0 + 0.5 * kSecond, 1996), 1U);
  EXPECT_EQ(cvtToSec1996_yd(1.0 + 1.49 * kSecond, 1996), 1U);
  EXPECT_EQ(cvtToSec1996_yd(std::nextafter(2.0, 0.0), 1996), 86400U);
}

TEST(DayOfYearForm, OddInputHasItsDocumentedResult) {
  // NaN reads as the start of the year; beyond 2^31 days values are clamped.
  EXPECT_EQ(cvtToSec1996_yd(kNaN, 1997), 31622400U);
  EXPECT_EQ(cvtToSec1996_yd(-kNaN, 1996), 0U);
  const Sec1996 top = cvtToSec1996_yd(2147483648.0, 1996);
  const Sec1996 bottom = cvtToSec1996_yd(-2147483648.0, 1996);
  EXPECT_EQ(cvtToSec1996_yd(kInf, 1996), top);
  EXPECT_EQ(cvtToSec1996_yd(1e300, 1996), top);
  EXPECT_EQ(cvtToSec1996_yd(-kInf, 1996), bottom);
  EXPECT_EQ(cvtToSec1996_yd(-1e300, 1996), bottom);
  // The clamp lies on a whole day: the days before it are still exact.
  EXPECT_EQ(top - cvtToSec1996_yd(2147483647.0, 1996), 86400U);
  EXPECT_EQ(cvtToSec1996_yd(-2147483647.0, 1996) - bottom, 86400U);
  for (const std::int32_t year : {INT32_MIN, -1, 0, INT32_MAX}) {
    for (const double day : {kNaN, -kInf, -1e18, -1.5, 0.0, 1.0, 1e18, kInf}) {
      // Wide years and days carry on the calendar without overflow.
      EXPECT_EQ(cvtToSec1996_yd(day, year) - cvtToSec1996_yd(std::isnan(day) ? 1.0 : day, year),
                0U);
    }
  }
}

TEST(DayOfYearForm, RoundTripIsExactExceptOneCountAfterTheLeapSecond) {
  std::mt19937 random(182);
  std::uniform_int_distribution<Sec1996> anyCount;
  for (int i = 0; i < 1000000; ++i) {
    const Sec1996 count = i < 5 ? kLeapSecond - 2 + static_cast<Sec1996>(i) : anyCount(random);
    const YearDay1996 yd = cvtFromSec1996_yd(count);
    const Sec1996 expected = count == kLeapSecond ? count + 1 : count;
    ASSERT_EQ(cvtToSec1996_yd(yd.dayOfYear, yd.year), expected) << "count " << count;
  }
}

}  // namespace
