// The round-trip driver CvtTest, run as a process.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

struct ProcessResult {
  std::string out;
  int status;
};

// Runs a shell command and collects its standard output and exit status.
ProcessResult runCommand(const std::string& command) {
  ProcessResult run{"", -1};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    result.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "output does not end with a newline";
  return result;
}

const std::string kDriver = CVTTEST_PATH;

TEST(Driver, PrintsTheExpectedRowsAndExitsZero) {
  const ProcessResult run = runCommand("TZ=UTC '" + kDriver + "'");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> got = lines(run.out);
  ASSERT_EQ(got.size(), 15330U);
  const struct {
    std::size_t index;
    const char* line;
  } rows[] = {
      {0, "000000000000   0  0 01-Jan-1996 00:00:00 1996. 1.000000"},
      {9, "000000777600   0  0 10-Jan-1996 00:00:00 1996.10.000000"},
      {99, "000008553600   0  0 09-Apr-1996 00:00:00 1996.100.000000"},
      {547, "000047260800   1 -1 30-Jun-1997 23:59:59 1997.182.000000"},
      {548, "000047347200   0  0 01-Jul-1997 23:59:59 1997.182.999988"},
      {15329, "001324425600   0  0 19-Dec-2037 23:59:59 2037.353.999988"},
  };
  for (const auto& [index, line] : rows) EXPECT_EQ(got[index], line) << "line " << index + 1;
}

TEST(Driver, OnlyTheLeapSecondLineShowsDifferences) {
  const ProcessResult run = runCommand("'" + kDriver + "'");
  ASSERT_EQ(run.status, 0);
  unsigned long expectedCount = 0;
  for (const std::string& line : lines(run.out)) {
    unsigned long count = 0;
    long recordDiff = 0, yearDayDiff = 0, year = 0;
    double dayOfYear = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%12lu %ld %ld %*s %*s %4ld.%lf", &count, &recordDiff,
                          &yearDayDiff, &year, &dayOfYear),
              5)
        << line;
    ASSERT_EQ(count, expectedCount) << line;
    // The day of the year takes 9 characters, 10 from day 100 on.
    ASSERT_EQ(line.size(), dayOfYear < 100 ? 55U : 56U) << line;
    if (count == 47260800) {
      EXPECT_EQ(recordDiff, 1);
      EXPECT_EQ(yearDayDiff, -1);
    } else {
      ASSERT_EQ(recordDiff, 0) << line;
      ASSERT_EQ(yearDayDiff, 0) << line;
    }
    expectedCount += 86400;
  }
}

TEST(Driver, OutputIsTheSameInEveryTimeZone) {
  const std::string utc = runCommand("TZ=UTC '" + kDriver + "'").out;
  ASSERT_FALSE(utc.empty());
  for (const char* zone : sec1996::testing::kTimeZones) {
    const ProcessResult run = runCommand(std::string("TZ='") + zone + "' '" + kDriver + "'");
    EXPECT_EQ(run.status, 0) << zone;
    EXPECT_TRUE(run.out == utc) << "output differs under TZ=" << zone;
  }
  EXPECT_TRUE(runCommand("env -u TZ '" + kDriver + "'").out == utc) << "TZ unset";
}

TEST(Driver, FailureToWriteIsReportedAndExitsOne) {
  const ProcessResult run = runCommand("'" + kDriver + "' 2>&1 >/dev/full");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("cannot write standard output"), std::string::npos) << run.out;
}

}  // namespace
