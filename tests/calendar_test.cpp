// The calendar arithmetic under the library, both its paths and the
// dispatch between them, checked against <chrono> over the whole range of
// std::chrono::year and with fields out of their range.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>

#include "calendar.h"

namespace {

using namespace std::chrono;
using sec1996::detail::CivilDate;
using sec1996::detail::civilFromDays;
using sec1996::detail::civilFromDaysFast;
using sec1996::detail::civilFromDaysWide;
using sec1996::detail::daysFromCivil;
using sec1996::detail::daysFromCivilFast;
using sec1996::detail::daysFromCivilWide;
using sec1996::detail::daysFromFields;
using sec1996::detail::weekdayFromDays;

constexpr sys_days kEpoch = sys_days{1996y / January / 1};

bool sameDate(const CivilDate& date, std::int64_t y, int m, int d) {
  return date.year == y && date.mon == m && date.day == d;
}

// Every day of the years -32767 to 32767 that std::chrono::year holds, about
// 24 million of them, which is the fast path's whole domain: both paths and
// the dispatching functions, in both directions, and the weekday.
TEST(Calendar, EveryDayOfChronosRangeMatchesChrono) {
  long mismatches = 0;
  const sys_days first = sys_days{year::min() / January / 1};
  const sys_days last = sys_days{year::max() / December / 31};
  for (sys_days day = first; day <= last; day += days{1}) {
    const std::int64_t n = (day - kEpoch).count();
    const year_month_day ymd{day};
    const int y = int{ymd.year()};
    const int m = static_cast<int>(unsigned{ymd.month()});
    const int d = static_cast<int>(unsigned{ymd.day()});
    const auto n32 = static_cast<std::int32_t>(n);
    const bool ok = sameDate(civilFromDaysFast(n32), y, m, d) &&
                    sameDate(civilFromDaysWide(n), y, m, d) &&
                    sameDate(civilFromDays(n), y, m, d) && daysFromCivilFast(y, m) + d - 1 == n &&
                    daysFromCivilWide(y, m, d) == n && daysFromCivil(y, m, d) == n &&
                    daysFromFields(y, m, d) == n &&
                    weekdayFromDays(n) == static_cast<int>(weekday{day}.c_encoding());
    if (!ok && ++mismatches <= 5) ADD_FAILURE() << "day " << n << ", " << y << '-' << m << '-' << d;
  }
  EXPECT_EQ(mismatches, 0);
}

// Months and days out of their range roll over as <chrono> adds months to a
// year_month and then days to the day count: on a grid around the edges and
// at random fields far out, through the wide path and both dispatching
// functions.
TEST(Calendar, OutOfRangeMonthsAndDaysRollOverAsChronoAddsThem) {
  auto expected = [](int y, int m, int d) {
    const year_month ym = year{y} / January + months{m - 1};
    return (sys_days{ym / 1} + days{d - 1} - kEpoch).count();
  };
  for (int y : {-32000, -1, 0, 1600, 1900, 1995, 1996, 2000, 2100, 2132, 32000}) {
    for (int m = -40; m <= 40; ++m) {
      for (int d : {-400, -31, -1, 0, 1, 29, 30, 31, 32, 60, 367}) {
        EXPECT_EQ(daysFromCivilWide(y, m, d), expected(y, m, d)) << y << ' ' << m << ' ' << d;
        EXPECT_EQ(daysFromCivil(y, m, d), expected(y, m, d)) << y << ' ' << m << ' ' << d;
        EXPECT_EQ(daysFromFields(y, m, d), expected(y, m, d)) << y << ' ' << m << ' ' << d;
      }
    }
  }
  std::mt19937_64 random(1996);
  std::uniform_int_distribution<int> anyYear(-30000, 30000);
  std::uniform_int_distribution<int> anyMonth(-30000, 30000);
  std::uniform_int_distribution<int> anyDay(-3000000, 3000000);
  for (int i = 0; i < 200000; ++i) {
    const int y = anyYear(random);
    const int m = anyMonth(random);
    const int d = anyDay(random);
    ASSERT_EQ(daysFromCivilWide(y, m, d), expected(y, m, d)) << y << '-' << m << '-' << d;
    ASSERT_EQ(daysFromCivil(y, m, d), expected(y, m, d)) << y << '-' << m << '-' << d;
    ASSERT_EQ(daysFromFields(y, m, d), expected(y, m, d)) << y << '-' << m << '-' << d;
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
