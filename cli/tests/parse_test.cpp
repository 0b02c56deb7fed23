// The strict reader of input values: what each form accepts, what it
// refuses and why, and that every printed form reads back to its count.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "format.h"
#include "parse.h"

namespace {

using sec1996::cli::formatLine;
using sec1996::cli::kMaxOutputLineLength;
using sec1996::cli::parseValue;

constexpr Sec1996 kLeapSecond = 47260800;
constexpr Sec1996 kLastCount = 4294967295U;

struct Accepted {
  std::string_view input;
  Sec1996 count;
};

constexpr Accepted kAccepted[] = {
    // counts
    {"0", 0},
    {"47260800", kLeapSecond},
    {"4294967295", kLastCount},
    {"000047260800", kLeapSecond},  // CvtTest's 12-digit column
    {"00000000000000000000000000000001", 1},
    // ISO 8601, with and without Z
    {"1996-01-01T00:00:00", 0},
    {"1996-01-01T00:00:00Z", 0},
    {"1996-02-29T00:00:00Z", 5097600},
    {"1997-06-30T23:59:59Z", 47260799},
    {"1997-06-30T23:59:60Z", kLeapSecond},
    {"1997-07-01T00:00:00Z", 47260801},
    {"2038-01-19T03:14:07Z", 1327029248},
    {"2132-02-07T06:28:14Z", kLastCount},
    // the library's text: 23:59:59 is the first of the two around the leap
    {"01-Jan-1996 00:00:00", 0},
    {"30-Jun-1997 23:59:59", 47260799},
    {"30-Jun-1997 23:59:60", kLeapSecond},
    {"19-Dec-2037 23:59:59", 1324425600},
    {"07-Feb-2132 06:28:14", kLastCount},
    // year.day as CvtTest prints it; a day below 10 with or without blank
    {"1996. 1.000000", 0},
    {"1996.1.000000", 0},
    {"1996. 1.500000", 43200},
    {"1996.10.000000", 777600},
    {"1996.100.000000", 8553600},
    {"1996.366.000000", 31536000},
    {"1997.181.999988", 47260799},
    {"1997.182.000000", 47260801},  // the leap second's reading is 1 July
    {"1997.182.999988", 47347200},
    {"2037.353.999988", 1324425600},
    {"2132.38.269606", kLastCount},  // 0.269606 days is 06:28:13.96
};

TEST(Parse, AcceptsEveryFormAndReadsItsCount) {
  for (const auto& [input, count] : kAccepted) {
    const auto result = parseValue(input);
    EXPECT_TRUE(result.ok) << '"' << input << "\": " << result.reason;
    EXPECT_EQ(result.count, count) << '"' << input << '"';
  }
}

struct Refused {
  std::string_view input;
  std::string_view reason;  // a part of the message
};

const Refused kRefused[] = {
    // lines that are not a value at all
    {"", "empty"},
    {" 5", "starts with white space"},
    {"5 ", "ends with white space"},
    {"5\t", "ends with white space"},
    {"5\r", "carriage return"},
    {"five", "not a count or a date"},
    {"12345x", "not a count or a date"},
    {"1996/01/01", "not a count or a date"},
    {"+1996-01-01T00:00:00", "not a count or a date"},  // a sign before a year
    {std::string_view("5\0", 2), "not a count or a date"},
    // counts out of range or signed
    {"4294967296", "above 4294967295"},
    {"99999999999999999999999999", "above 4294967295"},
    {"-1", "no sign"},
    {"-0", "no sign"},
    {"+5", "no sign"},
    // ISO 8601: shape
    {"1996-01-01", "not an ISO 8601 date"},
    {"1996-01-01 00:00:00", "not an ISO 8601 date"},
    {"1996-1-01T00:00:00", "not an ISO 8601 date"},
    {"1996-01-01t00:00:00", "not an ISO 8601 date"},
    {"1996-01-01T00:00:00z", "trailing characters"},
    {"1996-01-01T00:00:00ZZ", "trailing characters"},
    {"1996-01-01T00:00:00.5", "trailing characters"},
    {"1996-01-01T00:00:00+00:00", "trailing characters"},
    // ISO 8601: fields that do not exist
    {"1996-13-01T00:00:00", "month 13 does not exist"},
    {"1996-00-01T00:00:00", "month 00 does not exist"},
    {"1996-02-30T00:00:00", "day 30 does not exist in 1996-02, which has 29 days"},
    {"1997-02-29T00:00:00", "day 29 does not exist in 1997-02, which has 28 days"},
    {"2100-02-29T00:00:00", "day 29 does not exist in 2100-02"},
    {"1996-04-31T00:00:00", "day 31 does not exist"},
    {"1996-01-00T00:00:00", "day 00 does not exist"},
    {"1996-01-01T24:00:00", "hour 24 does not exist"},
    {"1996-01-01T24:00:01", "hour 24 does not exist"},
    {"1996-01-01T00:60:00", "minute 60 does not exist"},
    {"1996-01-01T00:00:61", "second 61 does not exist"},
    // :60 only on the leap second of the table
    {"1996-06-30T23:59:60", "is not a leap second"},
    {"1996-12-31T23:59:60", "is not a leap second"},
    {"1998-12-31T23:59:60", "is not a leap second"},
    {"1997-06-30T23:58:60", "is not a leap second"},
    {"1997-06-30T22:59:60", "is not a leap second"},
    {"1997-07-01T23:59:60", "is not a leap second"},
    // outside the scale
    {"1995-12-31T23:59:59", "before the start of the scale, 1996-01-01T00:00:00Z"},
    {"0000-01-01T00:00:00", "before the start"},
    {"2132-02-07T06:28:15", "after the end of the scale, 2132-02-07T06:28:14Z"},
    {"2132-02-08T00:00:00", "after the end"},
    {"9999-12-31T23:59:59", "after the end"},
    // the library's text
    {"1-Jan-1996 00:00:00", "not a count or a date"},
    {"01-Jan-1996T00:00:00", "not a date in the library's form"},
    {"01-Jan-96 00:00:00", "not a date in the library's form"},
    {"01-J4n-1996 00:00:00", "not a date in the library's form"},  // a digit in the name
    {"01-jan-1996 00:00:00", "unknown month name \"jan\""},
    {"01-JAN-1996 00:00:00", "unknown month name"},
    {"01-Foo-1996 00:00:00", "unknown month name"},
    {"01-Jaz-1996 00:00:00", "unknown month name \"Jaz\" (Jan to Dec)"},  // close to a name
    {"01-Jan-1996 00:00:00Z", "trailing characters"},
    {"30-Feb-1996 00:00:00", "day 30 does not exist"},
    {"31-Dec-1995 23:59:59", "before the start"},
    {"07-Feb-2132 06:28:15", "after the end"},
    {"30-Jun-1996 23:59:60", "is not a leap second"},
    {"01-Jan-1996 24:00:00", "hour 24 does not exist"},
    // year.day
    {"1996.0.000000", "day 0 does not exist"},
    {"1996. 0.000000", "day 0 does not exist"},
    {"1997.366.000000", "day 366 does not exist in 1997, which has 365 days"},
    {"1996.367.000000", "day 367 does not exist in 1996, which has 366 days"},
    {"1996.01.000000", "without leading zeros"},
    {"1996.001.000000", "without leading zeros"},
    {"1996. 10.000000", "a blank pads only a day of the year below 10"},
    {"1996.  1.000000", "not a year and day of the year"},
    {"1996.1000.000000", "not a year and day of the year"},
    {"1996..000000", "not a year and day of the year"},
    {"1996.1", "not a year and day of the year"},
    {"1996.1.5", "exactly six decimals"},
    {"1996.1.0000000", "exactly six decimals"},
    {"1996.1.", "exactly six decimals"},
    {"1996.1.000000x", "trailing characters"},
    {"1996.1.000000 ", "ends with white space"},
    {"1995.365.999988", "before the start"},
    {"2132.38.269618", "after the end"},  // rounds to 06:28:15
    {"2132.39.000000", "after the end"},
    {"2133.1.000000", "after the end"},
};

TEST(Parse, RefusesWithTheReason) {
  for (const auto& [input, reason] : kRefused) {
    const auto result = parseValue(input);
    EXPECT_FALSE(result.ok) << '"' << input << "\" read as " << result.count;
    EXPECT_NE(result.reason.find(reason), std::string::npos)
        << '"' << input << "\": \"" << result.reason << "\" lacks \"" << reason << '"';
  }
}

TEST(Parse, AcceptsTheLastDayOfEveryMonthAndRefusesTheDayAfter) {
  const int lengths[2][12] = {{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},   // 1996
                              {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};  // 1997
  for (int leap = 0; leap < 2; ++leap) {
    const int year = leap == 0 ? 1996 : 1997;
    for (int mon = 1; mon <= 12; ++mon) {
      const int last = lengths[leap][mon - 1];
      char text[32];
      std::snprintf(text, sizeof text, "%04d-%02d-%02dT12:00:00", year, mon, last);
      EXPECT_TRUE(parseValue(text).ok) << text;
      std::snprintf(text, sizeof text, "%04d-%02d-%02dT12:00:00", year, mon, last + 1);
      EXPECT_FALSE(parseValue(text).ok) << text;
    }
  }
}

// The columns of the line the converter prints for count.
std::vector<std::string> columnsOf(Sec1996 count) {
  char line[kMaxOutputLineLength];
  const std::string text(line, formatLine(line, count));
  std::vector<std::string> columns;
  std::size_t start = 0;
  for (std::size_t tab; (tab = text.find_first_of("\t\n", start)) != std::string::npos;) {
    columns.push_back(text.substr(start, tab - start));
    start = tab + 1;
  }
  return columns;
}

// Counts around the leap second and the ends of the scale, each day's
// first and last second over the first years, and a random sample.
std::vector<Sec1996> sampleCounts() {
  std::vector<Sec1996> counts = {
      0, 1, kLeapSecond - 1, kLeapSecond, kLeapSecond + 1, kLastCount - 1, kLastCount};
  for (Sec1996 midnight = 0; midnight < 3 * 31622400U; midnight += 86400) {
    counts.push_back(midnight);
    counts.push_back(midnight + 86399);
  }
  std::mt19937 random(1996);
  std::uniform_int_distribution<Sec1996> anyCount;
  for (int i = 0; i < 200000; ++i) counts.push_back(anyCount(random));
  return counts;
}

// The ISO column is lossless; the other two read a leap second as another
// second (23:59:59 before it, the next midnight after it), like the library.
TEST(Parse, EveryPrintedFormReadsBackToItsCount) {
  for (const Sec1996 count : sampleCounts()) {
    const auto columns = columnsOf(count);
    ASSERT_EQ(columns.size(), 4U) << count;
    const bool leap = count == kLeapSecond;
    const Sec1996 expected[] = {count, count, leap ? count - 1 : count, leap ? count + 1 : count};
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const auto result = parseValue(columns[i]);
      ASSERT_TRUE(result.ok) << '"' << columns[i] << "\": " << result.reason;
      EXPECT_EQ(result.count, expected[i]) << '"' << columns[i] << '"';
    }
  }
}

}  // namespace
