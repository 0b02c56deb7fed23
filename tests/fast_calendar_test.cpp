// The calendar core's fast 32-bit path (the hand-written Neri-Schneider
// days-from-date, and <chrono> the other way) serves the years of <chrono>;
// the dispatch sends every other input to the 64-bit path, and is checked
// against that path so that no public result changes with the fast path.
// calendar_test.cpp compares both paths with <chrono> day by day.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "calendar.h"
#include "leap_seconds.h"
#include "scale.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;
namespace chr = std::chrono;

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr chr::sys_days kEpoch = chr::sys_days{chr::year{1996} / 1 / 1};

bool sameDate(const CivilDate& a, const CivilDate& b) {
  return a.year == b.year && a.mon == b.mon && a.day == b.day;
}

TEST(FastCalendar, DomainIsEveryDayOfChronosYears) {
  EXPECT_EQ(kFastDaysMin, (chr::sys_days{chr::year::min() / 1 / 1} - kEpoch).count());
  EXPECT_EQ(kFastDaysMax, (chr::sys_days{chr::year::max() / 12 / 31} - kEpoch).count());
}

// Outside the fast domain, and on its edges, the dispatch gives the wide
// path's answer: any int32 record field, any day count near the domain.
TEST(FastCalendar, DispatchAgreesWithTheWidePathForAnyFields) {
  constexpr std::int32_t kEdges[] = {kInt32Min,
                                     kInt32Min + 1,
                                     -32769,
                                     -32768,
                                     -32767,
                                     -32766,
                                     -13,
                                     -12,
                                     -11,
                                     -1,
                                     0,
                                     1,
                                     2,
                                     3,
                                     11,
                                     12,
                                     13,
                                     14,
                                     32766,
                                     32767,
                                     32768,
                                     32769,
                                     kInt32Max - 1,
                                     kInt32Max};
  for (const std::int32_t year : kEdges) {
    for (const std::int32_t mon : kEdges) {
      for (const std::int32_t day : kEdges) {
        ASSERT_EQ(daysFromFields(year, mon, day), daysFromCivilWide(year, mon, day))
            << year << ' ' << mon << ' ' << day;
        ASSERT_EQ(daysFromCivil(year, mon, day), daysFromCivilWide(year, mon, day));
      }
    }
  }
  std::mt19937 random(3);
  std::uniform_int_distribution<std::int32_t> any(kInt32Min, kInt32Max);
  std::uniform_int_distribution<std::int32_t> nearYear(-40000, 40000);
  std::uniform_int_distribution<std::int32_t> nearMonth(-30, 30);
  for (int i = 0; i < 1'000'000; ++i) {
    const std::int32_t year = i % 2 == 0 ? any(random) : nearYear(random);
    const std::int32_t mon = i % 3 == 0 ? any(random) : nearMonth(random);
    const std::int32_t day = any(random);
    ASSERT_EQ(daysFromFields(year, mon, day), daysFromCivilWide(year, mon, day))
        << year << ' ' << mon << ' ' << day;
  }
  for (const std::int64_t days :
       {kFastDaysMin - 2, kFastDaysMin - 1, kFastDaysMax + 1, kFastDaysMax + 2,
        std::int64_t{kInt32Min} * 400, std::int64_t{kInt32Max} * 400}) {
    EXPECT_TRUE(sameDate(civilFromDays(days), civilFromDaysWide(days))) << days;
  }
}

// The public to-count functions, on any input, against the same arithmetic
// done wholly on the wide path: the fast path must not change one result.
TEST(FastCalendar, RecordToCountIsUnchangedForAnyInt32Record) {
  auto reference = [](const Date1996& r) {
    const std::int64_t days = daysFromCivilWide(r.year, r.mon, r.day);
    return wrapCount(midnightCount(days, kLeapSeconds)) +
           static_cast<std::uint32_t>(r.hour) * 3600U + static_cast<std::uint32_t>(r.min) * 60U +
           static_cast<std::uint32_t>(r.sec);
  };
  std::mt19937 random(5);
  std::uniform_int_distribution<std::int32_t> any(kInt32Min, kInt32Max);
  std::uniform_int_distribution<std::int32_t> nearYear(1900, 2200);
  std::uniform_int_distribution<std::int32_t> nearMonth(-2, 15);
  for (int i = 0; i < 1'000'000; ++i) {
    const Date1996 r{i % 2 == 0 ? any(random) : nearYear(random),
                     i % 3 == 0 ? any(random) : nearMonth(random),
                     any(random),
                     any(random),
                     any(random),
                     any(random)};
    ASSERT_EQ(cvtToSec1996(r), reference(r))
        << r.year << ' ' << r.mon << ' ' << r.day << ' ' << r.hour << ' ' << r.min << ' ' << r.sec;
  }
}

TEST(FastCalendar, YearDayToCountIsUnchangedForAnyDouble) {
  auto reference = [](double dayOfYear, std::int32_t year) {
    constexpr double kDayLimit = 2147483648.0;
    if (std::isnan(dayOfYear)) dayOfYear = 1.0;
    dayOfYear = std::fmax(-kDayLimit, std::fmin(dayOfYear, kDayLimit));
    const double wholeDays = std::trunc(dayOfYear);
    const auto seconds =
        static_cast<std::int64_t>(std::floor((dayOfYear - wholeDays) * 86400.0 + 0.5));
    const std::int64_t days =
        daysFromCivilWide(year, 1, 1) + static_cast<std::int64_t>(wholeDays) - 1;
    return wrapCount(midnightCount(days, kLeapSeconds) + seconds);
  };
  // Signed zeros, the clamp, halves of a second and values next to them.
  const double kEdges[] = {0.0,
                           -0.0,
                           1e-300,
                           -1e-300,
                           0.5,
                           -0.5,
                           1.0,
                           1.5 / 86400.0,
                           std::nextafter(1.0 + 0.5 / 86400.0, 0.0),
                           1.0 + 0.5 / 86400.0,
                           -0.5 / 86400.0,
                           std::nextafter(-0.5 / 86400.0, 0.0),
                           365.99999,
                           2147483647.5,
                           2147483648.0,
                           2147483649.0,
                           -2147483648.0,
                           -2147483649.0,
                           1e300,
                           -1e300,
                           HUGE_VAL,
                           -HUGE_VAL,
                           NAN};
  for (const double dayOfYear : kEdges) {
    for (const std::int32_t year : {kInt32Min, -1, 1996, 1997, 2132, kInt32Max}) {
      EXPECT_EQ(cvtToSec1996_yd(dayOfYear, year), reference(dayOfYear, year))
          << dayOfYear << ' ' << year;
    }
  }
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::int32_t> any(kInt32Min, kInt32Max);
  std::uniform_real_distribution<double> nearDay(-400.0, 800.0);
  for (int i = 0; i < 1'000'000; ++i) {
    double dayOfYear = nearDay(random);
    if (i % 2 == 0) {  // any bit pattern: NaNs, infinities, subnormals, huge values
      const std::uint64_t bits = random();
      std::memcpy(&dayOfYear, &bits, sizeof dayOfYear);
    }
    const std::int32_t year = i % 3 == 0 ? any(random) : 1996 + static_cast<std::int32_t>(i % 300);
    ASSERT_EQ(cvtToSec1996_yd(dayOfYear, year), reference(dayOfYear, year))
        << dayOfYear << ' ' << year;
  }
}

}  // namespace
