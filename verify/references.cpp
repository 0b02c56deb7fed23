// sec1996_references: compares the library with two independent references,
// Howard Hinnant's date library (utc_clock) and ERFA (the IAU's SOFA
// routines), which both know every leap second.
//
// 1. The library's core run with the full list of leap seconds since 1996,
//    read at run time from the tz database's leap-seconds.list, at every
//    second from a day before to a day after each leap second in the list,
//    and at random counts over the whole scale.
// 2. The public functions, with the library's own one-entry table, from the
//    epoch to the end of 1998, where that table and the full list agree: at
//    every second within a day of the leap second of 1997, at the first and
//    last second of every day, and at random counts.
// In both, a count must read as the references read it, except that a leap
// second, which the references show as 23:59:60, reads as 23:59:59; and the
// reference's date and time must convert back to the count (23:59:60 through
// the time of day added to the day's midnight count).
//
// Usage: sec1996_references [--random N] [--seed S] [--list PATH]
// Prints a summary on standard output; exits 0 if everything agreed, 1 on a
// mismatch, 2 if a reference or the list could not be used.
#include <date/date.h>
#include <date/tz.h>

#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "leap_seconds.h"
#include "mismatch_report.h"
#include "peers.h"
#include "scale.h"
#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

using sec1996::detail::LeapSeconds;
using sec1996::verify::describe;
using sec1996::verify::MismatchReport;
using sec1996::verify::sameRecord;
namespace erfa = sec1996::peers::erfa;
namespace hinnant = sec1996::peers::hinnant;

constexpr std::uint64_t kLastCount = 0xFFFFFFFFu;
constexpr std::int64_t kSecondsPerDay = 86400;
// The count of 1998-12-31 23:59:59, the last second that the one-entry table
// and the full list read alike (the full list inserts a leap second next).
constexpr std::uint64_t kLastCountOf1998 = 94694400;
constexpr std::uint64_t kDefaultRandomCounts = 3000000;
constexpr std::uint64_t kDefaultSeed = 1996;

// A count as a reference reads it: a UTC date and time whose seconds reach
// 60 during a leap second.
struct Reading {
  Date1996 record;    // sec is 60 in a leap second
  std::int64_t days;  // from 1996-01-01
  int dayOfYear;      // [1, 366]
  int weekday;        // [0, 6], 0 = Sunday
  bool leapSecond() const { return record.sec == 60; }
  // The record as the library shows it: 23:59:60 reads as 23:59:59.
  Date1996 shown() const {
    Date1996 r = record;
    if (leapSecond()) r.sec = 59;
    return r;
  }
};

std::string describeReading(const Reading& r) { return describe(r.record); }

// How Hinnant's date library reads a count: utc_clock counts leap seconds.
Reading readWithDate(Sec1996 count) {
  Date1996 record = hinnant::fromCount(count);
  if (hinnant::isLeapSecond(count)) record.sec = 60;
  const date::sys_days day = date::floor<date::days>(hinnant::sysTimeOf(count));
  const date::sys_days newYear{date::year{record.year} / 1 / 1};
  return {record, (day - date::sys_days{date::year{1996} / 1 / 1}).count(),
          static_cast<int>((day - newYear).count()) + 1,
          static_cast<int>(date::weekday{day}.c_encoding())};
}

struct Totals {
  std::uint64_t core = 0;
  std::uint64_t builtIn = 0;
};

class Comparison {
 public:
  Comparison(LeapSeconds fullList, MismatchReport& report) : fullList_(fullList), report_(report) {}

  // Both references read the count; they must agree with each other first.
  bool readBoth(std::uint64_t count, Reading& reading) {
    reading = readWithDate(static_cast<Sec1996>(count));
    Date1996 erfaRecord{};
    if (!erfa::read(static_cast<Sec1996>(count), erfaRecord)) {
      report_.add(count, "ERFA rejects the count");
      return false;
    }
    if (!sameRecord(erfaRecord, reading.record)) {
      report_.add(count, "the references disagree: date reads " + describeReading(reading) +
                             ", ERFA " + describe(erfaRecord));
      return false;
    }
    return true;
  }

  // The core with the full list against the references, both ways.
  void checkCore(std::uint64_t count) {
    ++totals_.core;
    Reading ref{};
    if (!readBoth(count, ref)) return;
    const auto c = static_cast<std::uint32_t>(count);
    const auto clock = sec1996::detail::clockFromCount(c, fullList_);
    const auto fields = sec1996::detail::fieldsFromClock(clock);
    const Date1996 core = {static_cast<std::int32_t>(fields.date.year),
                           fields.date.mon,
                           fields.date.day,
                           fields.hour,
                           fields.min,
                           fields.sec};
    if (!sameRecord(core, ref.shown()) || clock.days != ref.days ||
        clock.leapSecond != ref.leapSecond()) {
      report_.add(count, "core reads " + describe(core) + (clock.leapSecond ? " (leap)" : "") +
                             ", references " + describeReading(ref));
    }
    // Back: the time of day on top of the day's midnight count, so that
    // 23:59:60 is the day's 86401st second.
    const std::int64_t secondOfDay = ref.record.hour * 3600 + ref.record.min * 60 + ref.record.sec;
    const std::int64_t back = sec1996::detail::midnightCount(ref.days, fullList_) + secondOfDay;
    if (back != static_cast<std::int64_t>(count)) {
      report_.add(count, "core converts " + describeReading(ref) + " to " + std::to_string(back));
    }
    if (!ref.leapSecond()) {
      const std::int64_t nominal = ref.days * kSecondsPerDay + secondOfDay;
      const std::int64_t fromNominal = sec1996::detail::countFromNominal(nominal, fullList_);
      if (fromNominal != static_cast<std::int64_t>(count)) {
        report_.add(count, "core converts nominal " + std::to_string(nominal) + " to " +
                               std::to_string(fromNominal));
      }
    }
    checkReferencesBack(count, ref);
  }

  // The public functions (one-entry table) against the references.
  void checkBuiltIn(std::uint64_t count) {
    ++totals_.builtIn;
    Reading ref{};
    if (!readBoth(count, ref)) return;
    const auto c = static_cast<Sec1996>(count);
    const bool leap = ref.leapSecond();
    const Date1996 record = cvtFromSec1996(c);
    if (!sameRecord(record, ref.shown())) {
      report_.add(count, "cvtFromSec1996 gives " + describe(record) + ", references " +
                             describeReading(ref));
    }
    const Sec1996 back = cvtToSec1996(ref.record);  // 23:59:60 addresses the leap second
    if (back != c) {
      report_.add(count,
                  "cvtToSec1996(" + describeReading(ref) + ") gives " + std::to_string(back));
    }
    const YearDay1996 yd = cvtFromSec1996_yd(c);
    const int secondOfDay = ref.record.hour * 3600 + ref.record.min * 60 + ref.record.sec;
    const double expectedDay = ref.dayOfYear + secondOfDay / static_cast<double>(kSecondsPerDay);
    if (yd.year != ref.record.year || yd.dayOfYear != expectedDay) {
      report_.add(count, "cvtFromSec1996_yd gives " + std::to_string(yd.dayOfYear) + " of " +
                             std::to_string(yd.year) + ", references " + describeReading(ref));
    }
    const Sec1996 backYd = cvtToSec1996_yd(expectedDay, ref.record.year);
    if (backYd != (leap ? c + 1 : c)) {
      report_.add(count, "cvtToSec1996_yd(" + std::to_string(expectedDay) + ", " +
                             std::to_string(ref.record.year) + ") gives " + std::to_string(backYd));
    }
    const std::string text = stringDate1996(c);
    const std::string expectedText = hinnant::textOf(c);
    if (text != expectedText) {
      report_.add(count,
                  "stringDate1996 gives \"" + text + "\", expected \"" + expectedText + "\"");
    }
    const struct tm t = *getDateFromSecondsSince1996(c);
    const Date1996 fromTm = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                             t.tm_hour,        t.tm_min,     t.tm_sec};
    if (!sameRecord(fromTm, ref.shown()) || t.tm_yday + 1 != ref.dayOfYear ||
        t.tm_wday != ref.weekday) {
      report_.add(count, "getDateFromSecondsSince1996 gives " + describe(fromTm) + " yday " +
                             std::to_string(t.tm_yday) + " wday " + std::to_string(t.tm_wday));
    }
    if (getSecondsSince1996FromDate(&t) != (leap ? c - 1 : c)) {
      report_.add(count, "getSecondsSince1996FromDate(" + describe(fromTm) + ") gives " +
                             std::to_string(getSecondsSince1996FromDate(&t)));
    }
  }

  const Totals& totals() const { return totals_; }

 private:
  // Each reference converts its own reading back to the count.
  void checkReferencesBack(std::uint64_t count, const Reading& ref) {
    const auto exact = static_cast<std::int64_t>(count);
    if (hinnant::exactCount(ref.record) != exact) {
      report_.add(count, "date converts " + describeReading(ref) + " back to " +
                             std::to_string(hinnant::exactCount(ref.record)));
    }
    std::int64_t erfaCount = 0;
    if (!erfa::exactCount(ref.record, erfaCount) || erfaCount != exact) {
      report_.add(
          count, "ERFA converts " + describeReading(ref) + " back to " + std::to_string(erfaCount));
    }
  }

  LeapSeconds fullList_;
  MismatchReport& report_;
  Totals totals_;
};

bool parseNumber(const char* text, std::uint64_t& value) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long parsed = std::strtoull(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0') return false;
  value = parsed;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t randomCounts = kDefaultRandomCounts;
  std::uint64_t seed = kDefaultSeed;
  const char* listPath = LEAP_SECONDS_LIST;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    bool ok = hasValue;
    if (hasValue && std::strcmp(argv[i], "--random") == 0) {
      ok = parseNumber(argv[++i], randomCounts);
    } else if (hasValue && std::strcmp(argv[i], "--seed") == 0) {
      ok = parseNumber(argv[++i], seed);
    } else if (hasValue && std::strcmp(argv[i], "--list") == 0) {
      listPath = argv[++i];
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "usage: %s [--random N] [--seed S] [--list PATH]\n", argv[0]);
      return 2;
    }
  }

  const std::vector<std::int32_t> table = sec1996::testing::leapTableSince1996FromList(listPath);
  if (table.empty() || !sec1996::detail::isSoundLeapTable(table)) {
    std::fprintf(stderr, "references: no usable leap seconds in %s\n", listPath);
    return 2;
  }
  const LeapSeconds fullList = sec1996::detail::entriesOf(table);
  if (fullList.front() != sec1996::detail::kLeapSeconds.front()) {
    std::fprintf(stderr, "references: %s does not start with the library's leap second\n",
                 listPath);
    return 2;
  }

  MismatchReport report;
  Comparison comparison(fullList, report);
  std::printf("references: %zu leap seconds since 1996 in %s, %zu in date's tz database\n",
              fullList.size(), listPath, hinnant::leapSecondsSince1996());

  // 1. The core with the full list.
  for (const std::int32_t entry : fullList) {
    const auto leap = static_cast<std::uint64_t>(entry) - 1;
    for (std::uint64_t count = leap - kSecondsPerDay; count <= leap + kSecondsPerDay; ++count) {
      comparison.checkCore(count);
    }
  }
  std::mt19937_64 random(seed);
  std::uniform_int_distribution<std::uint64_t> anyCount(0, kLastCount);
  for (std::uint64_t i = 0; i < randomCounts; ++i) comparison.checkCore(anyCount(random));
  comparison.checkCore(0);
  comparison.checkCore(kLastCount);

  // 2. The public functions, up to the end of 1998.
  const auto builtInLeap = static_cast<std::uint64_t>(sec1996::detail::kLeapSeconds.front()) - 1;
  for (std::uint64_t count = builtInLeap - kSecondsPerDay; count <= builtInLeap + kSecondsPerDay;
       ++count) {
    comparison.checkBuiltIn(count);
  }
  for (std::uint64_t midnight = 0; midnight < kLastCountOf1998;) {
    std::uint64_t next = midnight + kSecondsPerDay;
    if (next == builtInLeap) ++next;  // the leap day is a second longer
    comparison.checkBuiltIn(midnight);
    comparison.checkBuiltIn(next - 1);
    midnight = next;
  }
  std::uniform_int_distribution<std::uint64_t> countTo1998(0, kLastCountOf1998);
  for (std::uint64_t i = 0; i < randomCounts / 2; ++i) comparison.checkBuiltIn(countTo1998(random));

  report.print();
  std::printf("references: core with the full list checked at %" PRIu64
              " counts; public functions with the built-in table at %" PRIu64
              " counts to the end of 1998 (seed %" PRIu64 "): %" PRIu64 " mismatches\n",
              comparison.totals().core, comparison.totals().builtIn, seed, report.mismatches());
  return report.mismatches() == 0 ? 0 : 1;
}
