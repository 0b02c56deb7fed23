// Results are UTC whatever the process time zone says.  A library that
// computed through mktime() would read 01:00:00 for count 0 under
// Europe/London, which kept UTC+1 all through 1970.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

// Zones whose offset changed between 1970 and today, or that never had a
// whole-hour offset, and a few POSIX strings.
const char* const kZones[] = {
    "Europe/London", "Europe/Moscow",          "America/Caracas",  "Pacific/Apia",
    "Asia/Kolkata",  "Pacific/Kiritimati",     "America/St_Johns", "UTC-14",
    "<+0530>-5:30",  "EST5EDT,M3.2.0,M11.1.0",
};

class InTimeZone : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TZ");
    hadTz_ = old != nullptr;
    if (hadTz_) oldTz_ = old;
    setenv("TZ", GetParam(), 1);
    tzset();
  }
  void TearDown() override {
    if (hadTz_) {
      setenv("TZ", oldTz_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  bool hadTz_ = false;
  std::string oldTz_;
};

TEST_P(InTimeZone, EveryConversionGivesTheUtcResult) {
  EXPECT_EQ(cvtFromSec1996(0), (Date1996{1996, 1, 1, 0, 0, 0}));
  EXPECT_EQ(cvtFromSec1996(47260800), (Date1996{1997, 6, 30, 23, 59, 59}));
  EXPECT_EQ(cvtToSec1996({1996, 1, 1, 0, 0, 0}), 0U);
  EXPECT_EQ(cvtToSec1996({2010, 7, 1, 12, 0, 0}), 457531201U);
  EXPECT_DOUBLE_EQ(cvtFromSec1996_yd(43200).dayOfYear, 1.5);
  EXPECT_EQ(cvtToSec1996_yd(181.0, 1997), 47174400U);
  EXPECT_STREQ(stringDate1996(0), "01-Jan-1996 00:00:00");
  EXPECT_EQ(getDateFromSecondsSince1996(0)->tm_hour, 0);
  tm record{};
  record.tm_year = 99;
  record.tm_mday = 1;
  EXPECT_EQ(getSecondsSince1996FromDate(&record), 94694401U);
}

INSTANTIATE_TEST_SUITE_P(Zones, InTimeZone, ::testing::ValuesIn(kZones));

}  // namespace
