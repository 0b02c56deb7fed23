// The calendar core's two paths: the fast 32-bit one (the hand-written
// Neri-Schneider days-from-date, and <chrono> the other way) and the 64-bit
// one, both checked day by day against <chrono> over the fast path's whole
// domain; and the dispatch that sends every other input to the 64-bit path,
// checked against that path so that no public result changes with the fast
// path.
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

bool sameDate(const CivilDate& d, const chr::year_month_day& ymd) {
  return d.year == static_cast<int>(ymd.year()) &&
         d.mon == static_cast<int>(static_cast<unsigned>(ymd.month())) &&
         d.day == static_cast<int>(static_cast<unsigned>(ymd.day()));
}

bool sameDate(const CivilDate& a, const CivilDate& b) {
  return a.year == b.year && a.mon == b.mon && a.day == b.day;
}

TEST(FastCalendar, DomainIsEveryDayOfChronosYears) {
  EXPECT_EQ(kFastDaysMin, (chr::sys_days{chr::year::min() / 1 / 1} - kEpoch).count());
  EXPECT_EQ(kFastDaysMax, (chr::sys_days{chr::year::max() / 12 / 31} - kEpoch).count());
}

// Every day of the years -32767 to 32767, about 24 million of them: the
// wide path's algorithm, and the fast path's shift of the epoch.
TEST(FastCalendar, CivilFromDaysMatchesChronoOnEveryDayOfItsDomain) {
  long mismatches = 0;
  for (std::int64_t days = kFastDaysMin; days <= kFastDaysMax; ++days) {
    const chr::year_month_day expected{kEpoch + chr::days{days}};
    const auto d = static_cast<std::int32_t>(days);
    if (!sameDate(civilFromDaysFast(d), expected) || !sameDate(civilFromDaysWide(days), expected) ||
        !sameDate(civilFromDays(days), expected)) {
      if (++mismatches <= 5) ADD_FAILURE() << "day " << days;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// Every month of the years -32767 to 32767, and every day of each through
// the dispatching functions, which add the day to the month's first.
TEST(FastCalendar, DaysFromCivilMatchesChronoOnEveryDateOfItsDomain) {
  long mismatches = 0;
  for (int year = kFastYearMin; year <= kFastYearMax; ++year) {
    for (unsigned mon = 1; mon <= 12; ++mon) {
      const chr::year_month ym{chr::year{year}, chr::month{mon}};
      const std::int64_t first = (chr::sys_days{ym / 1} - kEpoch).count();
      const auto m = static_cast<std::int32_t>(mon);
      bool ok = daysFromCivilFast(year, m) == first && daysFromCivilWide(year, m, 1) == first;
      const auto lastDay = static_cast<unsigned>((ym / chr::last).day());
      for (unsigned day = 1; day <= lastDay; ++day) {
        const std::int64_t expected = first + day - 1;
        const auto d = static_cast<std::int32_t>(day);
        ok = ok && daysFromCivil(year, m, d) == expected && daysFromFields(year, m, d) == expected;
      }
      if (!ok && ++mismatches <= 5) ADD_FAILURE() << year << '-' << mon;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// The wide path normalises months and days as <chrono> does when it adds
// months to a year_month and days to a date.
TEST(FastCalendar, OutOfRangeMonthsAndDaysRollOverAsChronoAddsThem) {
  for (int year : {-32000, -1, 0, 1600, 1900, 1995, 1996, 2000, 2100, 2132, 32000}) {
    for (int mon = -40; mon <= 40; ++mon) {
      for (int day : {-400, -31, -1, 0, 1, 29, 30, 31, 32, 60, 367}) {
        const chr::year_month ym = chr::year{year} / chr::January + chr::months{mon - 1};
        const std::int64_t expected = (chr::sys_days{ym / 1} + chr::days{day - 1} - kEpoch).count();
        EXPECT_EQ(daysFromCivilWide(year, mon, day), expected) << year << ' ' << mon << ' ' << day;
        EXPECT_EQ(daysFromFields(year, mon, day), expected) << year << ' ' << mon << ' ' << day;
      }
    }
  }
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
