// sec1996_exhaustive: checks the public conversions at every count of the
// scale, 0 to 4294967295, on all cores.
//
// Each worker walks a block of counts in order and keeps its own clock: the
// record it expects, the day of the year and the weekday, moved on by one
// second per count (and held still at a leap second, which reads as a
// repeated 23:59:59).  At every count it checks
//   - cvtFromSec1996 gives the expected record, and cvtToSec1996 of it gives
//     the count back (one less at a leap second);
//   - cvtFromSec1996_yd gives the expected year and day of the year, and
//     cvtToSec1996_yd of it gives the count back (one more at a leap second);
// and at a sample of counts spread over the range and at every leap second,
// stringDate1996, getDateFromSecondsSince1996 and getSecondsSince1996FromDate
// against the same clock.  Every count also goes through the modern layer:
// cvtFromSec1996_lossless must give the clock's record with 23:59:60 at a
// leap second, isLeapSecond1996 must agree with the table, each array form
// must give for every element what its single-value function gives, the
// ISO 8601 text of every count must read back as the count, and the
// lossless record of every count must pass the checked doors
// (cvtToSec1996_checked and cvtToSec1996_checked_n) back to the count.  A block starts from the
// library's record of its first count; the blocks are then chained: the clock at the end of each
// block, moved on by one second, must be the start of the next, and the first block starts from the
// epoch itself, so that every record is tied to 1996-01-01 00:00:00.
//
// Usage: sec1996_exhaustive [--threads N] [--first COUNT] [--last COUNT]
// Prints progress on standard error and a summary on standard output; exits
// 0 if every check passed, 1 on any mismatch, 2 on bad arguments.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "leap_seconds.h"
#include "mismatch_report.h"
#include "timescale/sec1996.h"

namespace {

using sec1996::verify::describe;
using sec1996::verify::MismatchReport;
using sec1996::verify::sameRecord;

constexpr std::uint64_t kLastCount = 0xFFFFFFFFu;
constexpr std::uint64_t kBlockSize = std::uint64_t{1} << 22;  // 1024 blocks over the scale
// A stride prime to 60 and to 86400, so that the sampled counts fall on
// every second of the minute and at varied times of day.
constexpr std::uint64_t kSampleStride = 65537;
constexpr int kSecondsPerDay = 86400;
constexpr int kTmYearBase = 1900;

constexpr char kMonthNames[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool isLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(std::int64_t year, int mon) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return mon == 2 && isLeapYear(year) ? 29 : kDays[mon - 1];
}

// Day of the year, from 1, by summing month lengths.
int dayOfYearOf(std::int64_t year, int mon, int day) {
  int days = day;
  for (int m = 1; m < mon; ++m) days += daysInMonth(year, m);
  return days;
}

// Weekday, 0 = Sunday (Sakamoto's method; years here are positive).
int weekdayOf(std::int64_t year, int mon, int day) {
  static constexpr int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const std::int64_t y = year - (mon < 3 ? 1 : 0);
  return static_cast<int>((y + y / 4 - y / 100 + y / 400 + kMonthOffset[mon - 1] + day) % 7);
}

// The clock a worker keeps: what the library should report for one count.
struct Clock {
  Date1996 record;
  int dayOfYear;  // [1, 366]
  int weekday;    // [0, 6], 0 = Sunday
  bool leapSecond;
};

bool sameClock(const Clock& a, const Clock& b) {
  return sameRecord(a.record, b.record) && a.dayOfYear == b.dayOfYear && a.weekday == b.weekday &&
         a.leapSecond == b.leapSecond;
}

constexpr Clock kEpochClock = {{1996, 1, 1, 0, 0, 0}, 1, 1, false};  // a Monday

// One second on, with every carry; a leap second holds the clock at 23:59:59.
void tick(Clock& clock, bool leapSecond) {
  clock.leapSecond = leapSecond;
  if (leapSecond) return;
  Date1996& r = clock.record;
  if (++r.sec < 60) return;
  r.sec = 0;
  if (++r.min < 60) return;
  r.min = 0;
  if (++r.hour < 24) return;
  r.hour = 0;
  ++clock.dayOfYear;
  clock.weekday = (clock.weekday + 1) % 7;
  if (++r.day <= daysInMonth(r.year, r.mon)) return;
  r.day = 1;
  if (++r.mon <= 12) return;
  r.mon = 1;
  ++r.year;
  clock.dayOfYear = 1;
}

// Seconds since the clock's midnight; a leap second lies 86400 after it.
int secondsSinceMidnight(const Clock& clock) {
  const Date1996& r = clock.record;
  return clock.leapSecond ? kSecondsPerDay : r.hour * 3600 + r.min * 60 + r.sec;
}

struct BlockEnds {
  Clock first;
  Clock last;
};

class Checker {
 public:
  Checker(std::uint64_t first, std::uint64_t last) : first_(first), last_(last) {}

  std::uint64_t blockCount() const { return (last_ - first_) / kBlockSize + 1; }
  std::uint64_t blockBegin(std::uint64_t block) const { return first_ + block * kBlockSize; }
  std::uint64_t blockEnd(std::uint64_t block) const {  // inclusive
    return std::min(last_, blockBegin(block) + kBlockSize - 1);
  }

  static bool isLeapSecond(std::uint64_t count) {
    for (const std::int32_t entry : sec1996::detail::kLeapSeconds) {
      if (count + 1 == static_cast<std::uint64_t>(entry)) return true;
    }
    return false;
  }

  // The clock for a block's first count: the epoch itself, or the library's
  // record, which the chaining of blocks checks afterwards.
  static Clock startClock(std::uint64_t count) {
    if (count == 0) return kEpochClock;
    const Date1996 r = cvtFromSec1996(static_cast<Sec1996>(count));
    return {r, dayOfYearOf(r.year, r.mon, r.day), weekdayOf(r.year, r.mon, r.day),
            isLeapSecond(count)};
  }

  BlockEnds checkBlock(std::uint64_t block, std::atomic<std::uint64_t>& done) {
    const std::uint64_t begin = blockBegin(block);
    const std::uint64_t end = blockEnd(block);
    Clock clock = startClock(begin);
    const Clock first = clock;
    std::uint64_t sinceProgress = 0;
    for (std::uint64_t count = begin;; ++count) {
      if (count != begin) tick(clock, isLeapSecondFast(count));
      checkCount(count, clock);
      if (count % kSampleStride == 0 || clock.leapSecond) checkSample(count, clock);
      if (++sinceProgress == 1u << 16) {
        done += sinceProgress;
        sinceProgress = 0;
      }
      if (count == end) break;
    }
    done += sinceProgress;
    checkArrays(begin, end);
    return {first, clock};
  }

  MismatchReport& report() { return report_; }

 private:
  // Leap seconds are few: a worker compares against the next one only.
  static bool isLeapSecondFast(std::uint64_t count) {
    thread_local std::uint64_t nextLeap = 0;
    thread_local std::uint64_t lookedUpAt = ~std::uint64_t{0};
    if (count != lookedUpAt + 1 || count > nextLeap) {
      nextLeap = ~std::uint64_t{0};
      for (const std::int32_t entry : sec1996::detail::kLeapSeconds) {
        const auto leap = static_cast<std::uint64_t>(entry) - 1;
        if (leap >= count) {
          nextLeap = leap;
          break;
        }
      }
    }
    lookedUpAt = count;
    return count == nextLeap;
  }

  void checkCount(std::uint64_t count, const Clock& clock) {
    const auto c = static_cast<Sec1996>(count);
    const Date1996 record = cvtFromSec1996(c);
    if (!sameRecord(record, clock.record)) {
      report_.add(count, "cvtFromSec1996 gives " + describe(record) + ", expected " +
                             describe(clock.record));
    }
    const Sec1996 back = cvtToSec1996(record);
    const Sec1996 expectedBack = clock.leapSecond ? c - 1 : c;
    if (back != expectedBack) {
      report_.add(count, "cvtToSec1996(" + describe(record) + ") gives " + std::to_string(back) +
                             ", expected " + std::to_string(expectedBack));
    }
    Date1996 lossless = clock.record;
    lossless.sec += clock.leapSecond ? 1 : 0;
    const Date1996 gotLossless = cvtFromSec1996_lossless(c);
    if (!sameRecord(gotLossless, lossless)) {
      report_.add(count, "cvtFromSec1996_lossless gives " + describe(gotLossless) + ", expected " +
                             describe(lossless));
    }
    if (isLeapSecond1996(c) != (clock.leapSecond ? 1 : 0)) {
      report_.add(count, "isLeapSecond1996 gives " + std::to_string(isLeapSecond1996(c)));
    }
    const YearDay1996 yd = cvtFromSec1996_yd(c);
    const double expectedDay = static_cast<double>(clock.dayOfYear) +
                               secondsSinceMidnight(clock) / static_cast<double>(kSecondsPerDay);
    if (yd.year != clock.record.year || yd.dayOfYear != expectedDay) {
      char text[128];
      std::snprintf(text, sizeof text,
                    "cvtFromSec1996_yd gives {%.9f, %" PRId32 "}, expected {%.9f, %" PRId32 "}",
                    yd.dayOfYear, yd.year, expectedDay, clock.record.year);
      report_.add(count, text);
    }
    const Sec1996 backYd = cvtToSec1996_yd(yd.dayOfYear, yd.year);
    const Sec1996 expectedBackYd = clock.leapSecond ? c + 1 : c;
    if (backYd != expectedBackYd) {
      char text[128];
      std::snprintf(text, sizeof text,
                    "cvtToSec1996_yd(%.9f, %" PRId32 ") gives %" PRIu32 ", expected %" PRIu32,
                    yd.dayOfYear, yd.year, backYd, expectedBackYd);
      report_.add(count, text);
    }
  }

  // The array forms against the single-value functions, chunk by chunk,
  // and every ISO 8601 text read back.
  void checkArrays(std::uint64_t begin, std::uint64_t end) {
    constexpr std::size_t kChunk = std::size_t{1} << 16;
    std::vector<Sec1996> counts(kChunk);
    std::vector<Date1996> records(kChunk);
    std::vector<Sec1996> back(kChunk);
    std::vector<std::int64_t> posix(kChunk);
    std::vector<Sec1996> fromPosix(kChunk);
    std::vector<char> iso(kChunk * SEC1996_ISO_LENGTH);
    std::vector<Sec1996> checked(kChunk);
    std::vector<Sec1996ParseStatus> status(kChunk);
    for (std::uint64_t chunk = begin; chunk <= end; chunk += kChunk) {
      const std::size_t n =
          static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, end - chunk + 1));
      for (std::size_t i = 0; i < n; ++i) counts[i] = static_cast<Sec1996>(chunk + i);
      cvtFromSec1996_lossless_n(counts.data(), n, records.data());
      cvtToSec1996_n(records.data(), n, back.data());
      cvtFromSec1996_posix_n(counts.data(), n, posix.data());
      cvtToSec1996_posix_n(posix.data(), n, fromPosix.data());
      stringDate1996_iso_n(counts.data(), n, iso.data());
      const std::size_t refusals =
          cvtToSec1996_checked_n(records.data(), n, checked.data(), status.data());
      if (refusals != 0) {
        report_.add(chunk, "cvtToSec1996_checked_n refuses " + std::to_string(refusals) +
                               " lossless records of this chunk");
      }
      for (std::size_t i = 0; i < n; ++i) {
        const Sec1996 c = counts[i];
        if (!sameRecord(records[i], cvtFromSec1996_lossless(c))) {
          report_.add(c, "cvtFromSec1996_lossless_n gives " + describe(records[i]));
        }
        if (back[i] != cvtToSec1996(records[i])) {
          report_.add(c, "cvtToSec1996_n gives " + std::to_string(back[i]));
        }
        Sec1996 checkedCount = 0;
        const Sec1996ParseStatus checkedStatus = cvtToSec1996_checked(records[i], &checkedCount);
        if (checkedStatus != SEC1996_PARSE_OK || checkedCount != c) {
          report_.add(c, "cvtToSec1996_checked(" + describe(records[i]) + ") gives status " +
                             std::to_string(checkedStatus) + ", count " +
                             std::to_string(checkedCount));
        }
        if (status[i] != SEC1996_PARSE_OK || checked[i] != c) {
          report_.add(c, "cvtToSec1996_checked_n gives status " + std::to_string(status[i]) +
                             ", count " + std::to_string(checked[i]));
        }
        if (posix[i] != cvtFromSec1996_posix(c)) {
          report_.add(c, "cvtFromSec1996_posix_n gives " + std::to_string(posix[i]));
        }
        if (fromPosix[i] != cvtToSec1996_posix(posix[i])) {
          report_.add(c, "cvtToSec1996_posix_n gives " + std::to_string(fromPosix[i]));
        }
        char single[SEC1996_ISO_SIZE];
        const char* text = &iso[i * SEC1996_ISO_LENGTH];
        if (std::memcmp(text, stringDate1996_iso(c, single), SEC1996_ISO_LENGTH) != 0) {
          report_.add(c, "stringDate1996_iso_n gives " + std::string(text, SEC1996_ISO_LENGTH));
        }
        Sec1996 parsed = 0;
        if (parseDate1996_iso(text, SEC1996_ISO_LENGTH, &parsed, nullptr) != SEC1996_PARSE_OK ||
            parsed != c) {
          report_.add(c, "parseDate1996_iso does not read back " + std::string(single));
        }
      }
    }
  }

  // The functions with static results, one thread at a time.
  void checkSample(std::uint64_t count, const Clock& clock) {
    const auto c = static_cast<Sec1996>(count);
    const Date1996& r = clock.record;
    char expected[64];
    std::snprintf(expected, sizeof expected,
                  "%02" PRId32 "-%s-%04" PRId32 " %02" PRId32 ":%02" PRId32 ":%02" PRId32, r.day,
                  kMonthNames[r.mon - 1], r.year, r.hour, r.min, r.sec);
    const std::lock_guard<std::mutex> lock(staticResults_);
    const std::string text = stringDate1996(c);
    if (text != expected) {
      report_.add(count, "stringDate1996 gives \"" + text + "\", expected \"" + expected + "\"");
    }
    const struct tm t = *getDateFromSecondsSince1996(c);
    const Clock fromTm = {
        {t.tm_year + kTmYearBase, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec},
        t.tm_yday + 1,
        t.tm_wday,
        clock.leapSecond};
    if (!sameClock(fromTm, clock) || t.tm_isdst != 0) {
      report_.add(count, "getDateFromSecondsSince1996 gives " + describe(fromTm.record) + " yday " +
                             std::to_string(t.tm_yday) + " wday " + std::to_string(t.tm_wday));
    }
    const Sec1996 back = getSecondsSince1996FromDate(&t);
    if (back != (clock.leapSecond ? c - 1 : c)) {
      report_.add(count, "getSecondsSince1996FromDate gives " + std::to_string(back));
    }
  }

  std::uint64_t first_;
  std::uint64_t last_;
  MismatchReport report_;
  std::mutex staticResults_;
};

bool parseCount(const char* text, std::uint64_t& value) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long parsed = std::strtoull(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || parsed > kLastCount) return false;
  value = parsed;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t first = 0;
  std::uint64_t last = kLastCount;
  std::uint64_t threads = std::max(1u, std::thread::hardware_concurrency());
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    bool ok = hasValue;
    if (hasValue && std::strcmp(argv[i], "--first") == 0) {
      ok = parseCount(argv[++i], first);
    } else if (hasValue && std::strcmp(argv[i], "--last") == 0) {
      ok = parseCount(argv[++i], last);
    } else if (hasValue && std::strcmp(argv[i], "--threads") == 0) {
      ok = parseCount(argv[++i], threads) && threads >= 1 && threads <= 256;
    } else {
      ok = false;
    }
    if (!ok || first > last) {
      std::fprintf(stderr, "usage: %s [--threads N] [--first COUNT] [--last COUNT]\n", argv[0]);
      return 2;
    }
  }

  Checker checker(first, last);
  const std::uint64_t blocks = checker.blockCount();
  std::vector<BlockEnds> ends(blocks);
  std::atomic<std::uint64_t> nextBlock{0};
  std::atomic<std::uint64_t> done{0};
  const auto started = std::chrono::steady_clock::now();

  std::vector<std::thread> workers;
  for (std::uint64_t t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      for (std::uint64_t block; (block = nextBlock++) < blocks;) {
        ends[block] = checker.checkBlock(block, done);
      }
    });
  }

  const std::uint64_t total = last - first + 1;
  constexpr int kProgressStep = 10;  // percent
  int nextPercent = kProgressStep;
  while (done.load() < total) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const int percent = static_cast<int>(done.load() * 100 / total);
    if (percent >= nextPercent) {
      nextPercent = percent - percent % kProgressStep + kProgressStep;
      const double elapsed =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
      std::fprintf(stderr, "exhaustive: %3d%% of %" PRIu64 " counts, %.0f s\n", percent, total,
                   elapsed);
    }
  }
  for (auto& worker : workers) worker.join();

  // Chain the blocks: each must start one second after the previous ended.
  for (std::uint64_t block = 1; block < blocks; ++block) {
    Clock expected = ends[block - 1].last;
    const std::uint64_t begin = checker.blockBegin(block);
    tick(expected, Checker::isLeapSecond(begin));
    if (!sameClock(expected, ends[block].first)) {
      checker.report().add(begin, "block starts at " + describe(ends[block].first.record) +
                                      ", expected " + describe(expected.record));
    }
  }
  // The last count of the scale.
  constexpr Clock kLastClock = {{2132, 2, 7, 6, 28, 14}, 38, 4, false};  // a Thursday
  if (last == kLastCount && !sameClock(ends.back().last, kLastClock)) {
    checker.report().add(last, "the scale ends at " + describe(ends.back().last.record) +
                                   ", expected " + describe(kLastClock.record));
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  checker.report().print();
  const std::uint64_t mismatches = checker.report().mismatches();
  std::printf("exhaustive: checked %" PRIu64 " counts (%" PRIu64 " to %" PRIu64 ") on %" PRIu64
              " threads in %.1f s: %" PRIu64 " mismatches\n",
              total, first, last, threads, seconds, mismatches);
  return mismatches == 0 ? 0 : 1;
}
