// The struct tm pair, getDateFromSecondsSince1996 and
// getSecondsSince1996FromDate, checked against glibc's UTC functions.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <tuple>

#include "timescale/sec1996.h"

namespace {

constexpr std::int64_t kEpochUnix = 820454400;  // 1996-01-01 00:00:00
constexpr Sec1996 kLeapSecond = 47260800;

tm utcRecord(int year, int mon, int day, int hour, int min, int sec) {
  tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = mon - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = min;
  t.tm_sec = sec;
  t.tm_isdst = -1;
  return t;
}

std::string describe(const tm& t) {
  return std::to_string(t.tm_year + 1900LL) + '-' + std::to_string(t.tm_mon + 1LL) + '-' +
         std::to_string(t.tm_mday) + ' ' + std::to_string(t.tm_hour) + ':' +
         std::to_string(t.tm_min) + ':' + std::to_string(t.tm_sec);
}

// gmtime_r of the count's UTC time, with the library's leap second taken out.
tm referenceRecord(Sec1996 count) {
  const time_t t = static_cast<time_t>(kEpochUnix + count - (count >= kLeapSecond ? 1 : 0));
  tm result{};
  gmtime_r(&t, &result);
  return result;
}

TEST(TmForm, CountsBreakDownAsGmtimeDoes) {
  std::mt19937 random(47260800);
  std::uniform_int_distribution<Sec1996> anyCount;
  for (int i = 0; i < 100000; ++i) {
    const Sec1996 count = i < 4 ? kLeapSecond - 1 + static_cast<Sec1996>(i) : anyCount(random);
    const tm expected = referenceRecord(count);
#ifdef __GLIBC__
    time_str.tm_gmtoff = 3600;  // what the caller left there must not show through
#endif
    const tm* got = getDateFromSecondsSince1996(count);
    ASSERT_EQ(got, &time_str);
    ASSERT_EQ(got->tm_year, expected.tm_year) << count;
    ASSERT_EQ(got->tm_mon, expected.tm_mon) << count;
    ASSERT_EQ(got->tm_mday, expected.tm_mday) << count;
    ASSERT_EQ(got->tm_hour, expected.tm_hour) << count;
    ASSERT_EQ(got->tm_min, expected.tm_min) << count;
    ASSERT_EQ(got->tm_sec, expected.tm_sec) << count;
    ASSERT_EQ(got->tm_wday, expected.tm_wday) << count;
    ASSERT_EQ(got->tm_yday, expected.tm_yday) << count;
    ASSERT_EQ(got->tm_isdst, 0) << count;
#ifdef __GLIBC__
    ASSERT_EQ(got->tm_gmtoff, 0) << count;
    ASSERT_STREQ(got->tm_zone, "UTC") << count;  // gmtime_r writes "GMT"
#endif
    // The reentrant form fills the caller's record with the same fields
    // and leaves time_str alone.
    const tm shared = *got;
    time_str.tm_year = -1;
    tm own{};
    own.tm_gmtoff = 99;
    ASSERT_EQ(getDateFromSecondsSince1996_r(count, &own), &own);
    ASSERT_EQ(time_str.tm_year, -1) << count;
    ASSERT_EQ(
        std::tie(own.tm_year, own.tm_mon, own.tm_mday, own.tm_hour, own.tm_min, own.tm_sec,
                 own.tm_wday, own.tm_yday, own.tm_isdst, own.tm_gmtoff),
        std::tie(shared.tm_year, shared.tm_mon, shared.tm_mday, shared.tm_hour, shared.tm_min,
                 shared.tm_sec, shared.tm_wday, shared.tm_yday, shared.tm_isdst, shared.tm_gmtoff))
        << count;
    ASSERT_STREQ(own.tm_zone, shared.tm_zone) << count;
  }
}

TEST(TmForm, LeapSecondReadsBackAsRepeated235959) {
  for (const Sec1996 count : {kLeapSecond - 1, kLeapSecond}) {
    const tm* t = getDateFromSecondsSince1996(count);
    EXPECT_EQ(t->tm_year, 97);
    EXPECT_EQ(t->tm_mon, 5);
    EXPECT_EQ(t->tm_mday, 30);
    EXPECT_EQ(t->tm_hour * 3600 + t->tm_min * 60 + t->tm_sec, 86399);
  }
  const tm* next = getDateFromSecondsSince1996(kLeapSecond + 1);
  EXPECT_EQ(next->tm_mon, 6);
  EXPECT_EQ(next->tm_mday, 1);
  EXPECT_EQ(next->tm_hour + next->tm_min + next->tm_sec, 0);
}

TEST(TmForm, RecordsGiveTheirCounts) {
  const struct {
    tm record;
    Sec1996 count;
  } cases[] = {
      {utcRecord(1996, 1, 1, 0, 0, 0), 0},
      {utcRecord(1997, 6, 30, 23, 59, 59), 47260799},
      {utcRecord(1997, 6, 30, 23, 59, 60), 47260801},  // rolls over to 1 July
      {utcRecord(1997, 7, 1, 0, 0, 0), 47260801},
      {utcRecord(1999, 1, 1, 0, 0, 0), 94694401},
      {utcRecord(1996, 2, 30, 0, 0, 0), 5184000},
      {utcRecord(1996, 3, 1, 0, 0, 0), 5184000},
      {utcRecord(2132, 2, 7, 6, 28, 14), 4294967295U},
      {utcRecord(2132, 2, 7, 6, 28, 15), 0},               // wraps past the scale
      {utcRecord(1995, 12, 31, 23, 59, 59), 4294967295U},  // wraps before it
  };
  for (const auto& [record, count] : cases) {
    EXPECT_EQ(getSecondsSince1996FromDate(&record), count) << describe(record);
  }
}

TEST(TmForm, CallersRecordIsLeftUntouched) {
  tm record = utcRecord(1997, 14, -3, 25, 61, 61);
  record.tm_wday = 5;
  record.tm_yday = 77;
  tm copy;
  std::memcpy(&copy, &record, sizeof record);
  getSecondsSince1996FromDate(&record);
  EXPECT_EQ(std::memcmp(&copy, &record, sizeof record), 0);
}

TEST(TmForm, OutOfRangeFieldsRollOverAsTimegmDoes) {
  std::mt19937 random(1997);
  std::uniform_int_distribution<int> field(-1000, 1000);
  for (int i = 0; i < 100000; ++i) {
    tm record = utcRecord(2000 + field(random) / 20, field(random) / 10, field(random),
                          field(random), field(random), field(random));
    tm scratch = record;
    const std::int64_t nominal = static_cast<std::int64_t>(timegm(&scratch)) - kEpochUnix;
    // The library adds its one leap second from 1997-07-01 00:00:00 on.
    const std::int64_t exact = nominal + (nominal >= kLeapSecond ? 1 : 0);
    ASSERT_EQ(getSecondsSince1996FromDate(&record), static_cast<Sec1996>(exact))
        << describe(record);
  }
}

TEST(TmForm, ExtremeFieldsDoNotOverflow) {
  for (const int v : {INT_MIN, -1, 0, INT_MAX}) {
    tm record = utcRecord(0, 0, 0, 0, 0, 0);
    record.tm_year = record.tm_mon = record.tm_mday = v;
    record.tm_hour = record.tm_min = record.tm_sec = v;
    const Sec1996 count = getSecondsSince1996FromDate(&record);
    record.tm_hour = record.tm_min = record.tm_sec = 0;
    const Sec1996 midnight = getSecondsSince1996FromDate(&record);
    EXPECT_EQ(count - midnight, static_cast<Sec1996>(static_cast<std::int64_t>(v) * 3661)) << v;
  }
}

}  // namespace
