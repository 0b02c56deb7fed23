// The calendar arithmetic under the library, checked against <chrono> over
// the whole range of std::chrono::year.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>

#include "calendar.h"

namespace {

using namespace std::chrono;
using sec1996::detail::civilFromDays;
using sec1996::detail::daysFromCivil;
using sec1996::detail::weekdayFromDays;

constexpr sys_days kEpoch = sys_days{1996y / January / 1};

TEST(Calendar, EveryDayOfChronosRangeMatchesChrono) {
  const sys_days first = sys_days{year::min() / January / 1};
  const sys_days last = sys_days{year::max() / December / 31};
  for (sys_days day = first; day <= last; day += days{1}) {
    const std::int64_t n = (day - kEpoch).count();
    const year_month_day ymd{day};
    const auto date = civilFromDays(n);
    const std::int64_t y = int{ymd.year()};
    const int m = static_cast<int>(unsigned{ymd.month()});
    const int d = static_cast<int>(unsigned{ymd.day()});
    // FAIL() rather than ASSERT_EQ: 24 million days, and a failure stops at the first.
    if (date.year != y || date.mon != m || date.day != d) {
      FAIL() << "civilFromDays(" << n << ") = " << date.year << '-' << date.mon << '-' << date.day
             << ", chrono says " << y << '-' << m << '-' << d;
    }
    if (daysFromCivil(y, m, d) != n) FAIL() << "daysFromCivil of " << y << '-' << m << '-' << d;
    if (weekdayFromDays(n) != static_cast<int>(weekday{day}.c_encoding())) {
      FAIL() << "weekday of " << y << '-' << m << '-' << d;
    }
  }
}

TEST(Calendar, OutOfRangeMonthsAndDaysRollOverAsChronoAddsThem) {
  std::mt19937_64 random(1996);
  std::uniform_int_distribution<int> anyYear(-30000, 30000);
  std::uniform_int_distribution<int> anyMonth(-30000, 30000);
  std::uniform_int_distribution<int> anyDay(-3000000, 3000000);
  for (int i = 0; i < 200000; ++i) {
    const int y = anyYear(random);
    const int m = anyMonth(random);
    const int d = anyDay(random);
    // chrono adds months to a valid year_month, then days to the day count.
    const year_month first = year{y} / January + months{m - 1};
    const sys_days expected = sys_days{first / 1} + days{d - 1};
    ASSERT_EQ(daysFromCivil(y, m, d), (expected - kEpoch).count()) << y << '-' << m << '-' << d;
  }
}

TEST(Calendar, ThirtyTwoBitFieldsStayInRange) {
  // The widest inputs a Date1996 can carry; the results must be the plain
  // arithmetic continuation of the calendar.
  constexpr std::int64_t kMax = INT32_MAX;
  constexpr std::int64_t kMin = INT32_MIN;
  EXPECT_EQ(daysFromCivil(kMax, 1, 1) - daysFromCivil(kMax - 400, 1, 1), 146097);
  EXPECT_EQ(daysFromCivil(kMin + 400, 1, 1) - daysFromCivil(kMin, 1, 1), 146097);
  EXPECT_EQ(daysFromCivil(1996, kMax, 1),
            daysFromCivil(1996 + (kMax - 1) / 12, 1 + (kMax - 1) % 12, 1));
  EXPECT_EQ(daysFromCivil(1996, 1, kMax) - daysFromCivil(1996, 1, 1), kMax - 1);
  const auto far = civilFromDays(daysFromCivil(kMax, 12, 31));
  EXPECT_EQ(far.year, kMax);
  EXPECT_EQ(far.mon, 12);
  EXPECT_EQ(far.day, 31);
}

}  // namespace
