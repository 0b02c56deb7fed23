// The value-returning conversions and the forms that write into caller
// storage touch no shared storage: several threads converting at once get
// exactly the results one thread gets.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

struct Expected {
  Sec1996 count;
  Date1996 record;
  YearDay1996 yearDay;
  Sec1996 recordBack;
  Sec1996 yearDayBack;
  std::string text;  // stringDate1996_r
  std::string iso;   // stringDate1996_iso
  int tmYday;        // getDateFromSecondsSince1996_r
};

TEST(Threads, ConcurrentConversionsMatchSingleThreadedResults) {
  constexpr int kThreads = 4;
  constexpr int kCountsPerThread = 50000;
  std::mt19937 random(4);
  std::uniform_int_distribution<Sec1996> anyCount;
  std::vector<Expected> expected;
  for (int i = 0; i < kThreads * kCountsPerThread; ++i) {
    Expected e{};
    e.count = i == 0 ? 47260800 : anyCount(random);
    e.record = cvtFromSec1996(e.count);
    e.yearDay = cvtFromSec1996_yd(e.count);
    e.recordBack = cvtToSec1996(e.record);
    e.yearDayBack = cvtToSec1996_yd(e.yearDay.dayOfYear, e.yearDay.year);
    char buffer[SEC1996_ISO_SIZE];
    e.text = stringDate1996_r(e.count, buffer);
    e.iso = stringDate1996_iso(e.count, buffer);
    tm t;
    e.tmYday = getDateFromSecondsSince1996_r(e.count, &t)->tm_yday;
    expected.push_back(e);
  }
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      // Every thread walks the whole list from its own starting point, so
      // the same counts are converted at the same time in different threads.
      for (int k = 0; k < kThreads * kCountsPerThread; ++k) {
        const Expected& e = expected[(k + t * kCountsPerThread) % expected.size()];
        const Date1996 record = cvtFromSec1996(e.count);
        const YearDay1996 yearDay = cvtFromSec1996_yd(e.count);
        const bool same = record == e.record && yearDay.year == e.yearDay.year &&
                          yearDay.dayOfYear == e.yearDay.dayOfYear &&
                          cvtToSec1996(record) == e.recordBack &&
                          cvtToSec1996_yd(yearDay.dayOfYear, yearDay.year) == e.yearDayBack;
        char buffer[SEC1996_ISO_SIZE];
        tm broken;
        const bool sameText = e.text == stringDate1996_r(e.count, buffer) &&
                              e.iso == stringDate1996_iso(e.count, buffer) &&
                              getDateFromSecondsSince1996_r(e.count, &broken)->tm_yday == e.tmYday;
        mismatches[t] += same && sameText ? 0 : 1;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
