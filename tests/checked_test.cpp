// The checked doors: every refusal with its reason, the leap second and the
// ends of the span accepted, and agreement with the normalising twins on
// what they accept.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "timescale/sec1996.h"

namespace {

struct RecordCase {
  Date1996 date;
  Sec1996ParseStatus status;
  Sec1996 count;  // when accepted
};

constexpr RecordCase kRecordCases[] = {
    {{1996, 1, 1, 0, 0, 0}, SEC1996_PARSE_OK, 0},
    {{1997, 6, 30, 23, 59, 59}, SEC1996_PARSE_OK, 47260799},
    {{1997, 6, 30, 23, 59, 60}, SEC1996_PARSE_OK, 47260800},
    {{1997, 6, 30, 24, 0, 0}, SEC1996_PARSE_OK, 47260800},
    {{1997, 7, 1, 0, 0, 0}, SEC1996_PARSE_OK, 47260801},
    {{2000, 2, 29, 12, 0, 0}, SEC1996_PARSE_OK, 131371201},
    {{2132, 2, 7, 6, 28, 14}, SEC1996_PARSE_OK, 4294967295U},
    {{1996, 0, 1, 0, 0, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 13, 1, 0, 0, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 0, 0, 0, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 32, 0, 0, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 1, -1, 0, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 1, 25, 0, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1997, 6, 30, 24, 0, 1}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 1, 0, 60, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 1, 0, -1, 0}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 1, 0, 0, 61}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{1996, 1, 1, 0, 0, -1}, SEC1996_PARSE_FIELD_RANGE, 0},
    {{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN},
     SEC1996_PARSE_FIELD_RANGE,
     0},
    {{1997, 2, 29, 25, 0, 0}, SEC1996_PARSE_FIELD_RANGE, 0},  // ranges before the date
    {{1997, 2, 29, 0, 0, 0}, SEC1996_PARSE_NO_SUCH_DATE, 0},
    {{2100, 2, 29, 0, 0, 0}, SEC1996_PARSE_NO_SUCH_DATE, 0},
    {{1996, 4, 31, 0, 0, 0}, SEC1996_PARSE_NO_SUCH_DATE, 0},
    {{1995, 12, 31, 23, 59, 59}, SEC1996_PARSE_OUT_OF_SPAN, 0},
    {{2132, 2, 7, 6, 28, 15}, SEC1996_PARSE_OUT_OF_SPAN, 0},
    {{2140, 1, 1, 0, 0, 0}, SEC1996_PARSE_OUT_OF_SPAN, 0},
    {{INT32_MAX, 12, 31, 23, 59, 59}, SEC1996_PARSE_OUT_OF_SPAN, 0},
    {{1998, 12, 31, 23, 59, 60}, SEC1996_PARSE_NOT_LEAP_SECOND, 0},
    {{1997, 6, 30, 12, 30, 60}, SEC1996_PARSE_NOT_LEAP_SECOND, 0},
    {{1997, 6, 29, 23, 59, 60}, SEC1996_PARSE_NOT_LEAP_SECOND, 0},
    {{1996, 3, 1, 24, 0, 0}, SEC1996_PARSE_NOT_LEAP_SECOND, 0},
};

TEST(Checked, RecordRefusalsAndAcceptances) {
  for (const RecordCase& c : kRecordCases) {
    const Date1996& d = c.date;
    SCOPED_TRACE(testing::Message() << d.year << '-' << d.mon << '-' << d.day << ' ' << d.hour
                                    << ':' << d.min << ':' << d.sec);
    Sec1996 count = 12345;
    EXPECT_EQ(cvtToSec1996_checked(d, &count), c.status);
    EXPECT_EQ(count, c.status == SEC1996_PARSE_OK ? c.count : 12345U);
    if (c.status == SEC1996_PARSE_OK) {
      EXPECT_EQ(cvtToSec1996(d), c.count);
    }
  }
}

TEST(Checked, ArrayFormGivesEachElementItsStatusAndZeroWhereRefused) {
  constexpr std::size_t n = std::size(kRecordCases);
  Date1996 in[n];
  for (std::size_t i = 0; i < n; ++i) in[i] = kRecordCases[i].date;
  Sec1996 out[n];
  Sec1996ParseStatus status[n];
  std::size_t refusals = 0;
  for (const RecordCase& c : kRecordCases) refusals += c.status != SEC1996_PARSE_OK;
  EXPECT_EQ(cvtToSec1996_checked_n(in, n, out, status), refusals);
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(status[i], kRecordCases[i].status) << i;
    EXPECT_EQ(out[i], kRecordCases[i].count) << i;
  }
  EXPECT_EQ(cvtToSec1996_checked_n(in, n, out, nullptr), refusals);
  EXPECT_EQ(cvtToSec1996_checked_n(nullptr, 0, nullptr, nullptr), 0U);
}

TEST(Checked, LosslessRecordsOfTheLeapDayComeBack) {
  for (Sec1996 count = 47260800 - 86400; count <= 47260800 + 86400; ++count) {
    Sec1996 back = 0;
    ASSERT_EQ(cvtToSec1996_checked(cvtFromSec1996_lossless(count), &back), SEC1996_PARSE_OK);
    ASSERT_EQ(back, count);
  }
}

struct PosixCase {
  std::int64_t seconds;
  Sec1996ParseStatus status;
  Sec1996 count;
};

constexpr PosixCase kPosixCases[] = {
    {820454400, SEC1996_PARSE_OK, 0},          {867715199, SEC1996_PARSE_OK, 47260799},
    {867715200, SEC1996_PARSE_OK, 47260801},   {5115421694, SEC1996_PARSE_OK, 4294967295U},
    {820454399, SEC1996_PARSE_OUT_OF_SPAN, 0}, {5115421695, SEC1996_PARSE_OUT_OF_SPAN, 0},
    {INT64_MIN, SEC1996_PARSE_OUT_OF_SPAN, 0}, {INT64_MAX, SEC1996_PARSE_OUT_OF_SPAN, 0},
};

TEST(Checked, PosixSecondsOnTheScaleOnly) {
  for (const PosixCase& c : kPosixCases) {
    SCOPED_TRACE(c.seconds);
    Sec1996 count = 12345;
    EXPECT_EQ(cvtToSec1996_posix_checked(c.seconds, &count), c.status);
    EXPECT_EQ(count, c.status == SEC1996_PARSE_OK ? c.count : 12345U);
  }
}

struct YearDayCase {
  double dayOfYear;
  std::int32_t year;
  Sec1996ParseStatus status;
  Sec1996 count;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr YearDayCase kYearDayCases[] = {
    {1.0, 1996, SEC1996_PARSE_OK, 0},
    {366.5, 1996, SEC1996_PARSE_OK, 31579200},
    {181.99999999, 1997, SEC1996_PARSE_OK, 47260800},
    {182.0, 1997, SEC1996_PARSE_OK, 47260801},
    {kNaN, 1996, SEC1996_PARSE_NOT_A_NUMBER, 0},
    {kInf, 1996, SEC1996_PARSE_NOT_A_NUMBER, 0},
    {-kInf, 1996, SEC1996_PARSE_NOT_A_NUMBER, 0},
    {0.5, 1997, SEC1996_PARSE_FIELD_RANGE, 0},
    {-3.0, 1997, SEC1996_PARSE_FIELD_RANGE, 0},
    {367.0, 1996, SEC1996_PARSE_FIELD_RANGE, 0},
    {1e300, 1996, SEC1996_PARSE_FIELD_RANGE, 0},
    {366.0, 1997, SEC1996_PARSE_NO_SUCH_DATE, 0},
    {365.0, 1995, SEC1996_PARSE_OUT_OF_SPAN, 0},
    {1.0, 2133, SEC1996_PARSE_OUT_OF_SPAN, 0},
};

TEST(Checked, DayOfYearRefusalsAndAcceptances) {
  for (const YearDayCase& c : kYearDayCases) {
    SCOPED_TRACE(testing::Message() << c.dayOfYear << " of " << c.year);
    Sec1996 count = 12345;
    EXPECT_EQ(cvtToSec1996_yd_checked(c.dayOfYear, c.year, &count), c.status);
    EXPECT_EQ(count, c.status == SEC1996_PARSE_OK ? c.count : 12345U);
    if (c.status == SEC1996_PARSE_OK) {
      EXPECT_EQ(cvtToSec1996_yd(c.dayOfYear, c.year), c.count);
    }
  }
}

TEST(Checked, TheTableHoldsTheOneLeapSecond) {
  const Sec1996* entries = nullptr;
  ASSERT_EQ(leapSeconds1996(&entries), 1U);
  EXPECT_EQ(entries[0], 47260801U);
  EXPECT_EQ(leapSeconds1996(nullptr), 1U);
  EXPECT_EQ(isLeapSecond1996(entries[0] - 1), 1);
}

TEST(Checked, EveryStatusHasItsOwnText) {
  const std::string unknown = parseStatusText1996(static_cast<Sec1996ParseStatus>(-1));
  for (int s = SEC1996_PARSE_OK; s <= SEC1996_PARSE_LIST_NOT_FOUND; ++s) {
    const std::string text = parseStatusText1996(static_cast<Sec1996ParseStatus>(s));
    EXPECT_NE(text, unknown) << s;
    for (int t = SEC1996_PARSE_OK; t < s; ++t) {
      EXPECT_NE(text, parseStatusText1996(static_cast<Sec1996ParseStatus>(t))) << s << ' ' << t;
    }
  }
}

}  // namespace
