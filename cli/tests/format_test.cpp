// The output line: its columns for known counts, and the day-of-year
// column byte for byte as printf's "%4.4ld.%9.6f" (CvtTest's format).
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "format.h"

namespace {

using sec1996::cli::formatLine;
using sec1996::cli::formatYearDay;
using sec1996::cli::kMaxOutputLineLength;

std::string lineOf(Sec1996 count) {
  char line[kMaxOutputLineLength];
  return std::string(line, formatLine(line, count));
}

std::string yearDayOf(const YearDay1996& yearDay) {
  char text[kMaxOutputLineLength];
  return std::string(text, formatYearDay(text, yearDay));
}

std::string printfYearDay(const YearDay1996& yearDay) {
  char text[64];
  std::snprintf(text, sizeof text, "%4.4ld.%9.6f", static_cast<long>(yearDay.year),
                yearDay.dayOfYear);
  return text;
}

struct KnownLine {
  Sec1996 count;
  std::string_view line;
};

// Among them the rows of CvtTest's expected output.
constexpr KnownLine kKnownLines[] = {
    {0, "0\t1996-01-01T00:00:00Z\t01-Jan-1996 00:00:00\t1996. 1.000000\n"},
    {777600, "777600\t1996-01-10T00:00:00Z\t10-Jan-1996 00:00:00\t1996.10.000000\n"},
    {8553600, "8553600\t1996-04-09T00:00:00Z\t09-Apr-1996 00:00:00\t1996.100.000000\n"},
    {47260799, "47260799\t1997-06-30T23:59:59Z\t30-Jun-1997 23:59:59\t1997.181.999988\n"},
    {47260800, "47260800\t1997-06-30T23:59:60Z\t30-Jun-1997 23:59:59\t1997.182.000000\n"},
    {47260801, "47260801\t1997-07-01T00:00:00Z\t01-Jul-1997 00:00:00\t1997.182.000000\n"},
    {47347200, "47347200\t1997-07-01T23:59:59Z\t01-Jul-1997 23:59:59\t1997.182.999988\n"},
    {1324425600, "1324425600\t2037-12-19T23:59:59Z\t19-Dec-2037 23:59:59\t2037.353.999988\n"},
    {4294967295U, "4294967295\t2132-02-07T06:28:14Z\t07-Feb-2132 06:28:14\t2132.38.269606\n"},
};

TEST(Format, KnownCountsPrintTheirLines) {
  for (const auto& [count, line] : kKnownLines) EXPECT_EQ(lineOf(count), line);
}

// Every second of the days where the field width changes (1, 9, 10, 99,
// 100, 366 of 1996) and of the leap day, whose last second reads 182.0.
TEST(Format, YearDayMatchesPrintfForEverySecondOfTheseDays) {
  const Sec1996 midnights[] = {0,          8 * 86400,   9 * 86400, 98 * 86400,
                               99 * 86400, 365 * 86400, 47174400};
  for (const Sec1996 midnight : midnights) {
    for (Sec1996 count = midnight; count <= midnight + 86400; ++count) {
      const YearDay1996 yearDay = cvtFromSec1996_yd(count);
      ASSERT_EQ(yearDayOf(yearDay), printfYearDay(yearDay)) << "count " << count;
    }
  }
}

TEST(Format, YearDayMatchesPrintfAcrossTheScale) {
  std::mt19937 random(2132);
  std::uniform_int_distribution<Sec1996> anyCount;
  for (int i = 0; i < 500000; ++i) {
    const YearDay1996 yearDay = cvtFromSec1996_yd(anyCount(random));
    ASSERT_EQ(yearDayOf(yearDay), printfYearDay(yearDay));
  }
}

// Values the library never returns take printf's own path.
TEST(Format, YearDayOfOtherValuesFallsBackToPrintf) {
  const YearDay1996 others[] = {{1.0000001, 1996}, {182.25, 1997}, {0.5, 1996}, {12.5, 999}};
  for (const YearDay1996& yearDay : others) {
    EXPECT_EQ(yearDayOf(yearDay), printfYearDay(yearDay)) << yearDay.dayOfYear;
  }
}

TEST(Format, LinesFitTheLongestLineAndOneReachesIt) {
  std::size_t longest = 0;
  for (Sec1996 count = 4000000000U; count < 4000000000U + 366 * 86400U; count += 3600) {
    longest = std::max(longest, lineOf(count).size());
  }
  EXPECT_EQ(longest, kMaxOutputLineLength);
}

}  // namespace
