// sec1996_scales_references: the true-time functions of sec1996_scales.h
// against ERFA (eraDat, eraDtf2d, eraUtctai, eraTaiutc, eraD2dtf, eraTaitt),
// in both directions, with the pinned leap-second list of the tests.
//
// Forward: a count's label (cvtFromSec1996_lossless) goes through ERFA from
// UTC to TAI and TT, and must give the library's TAI, TT, GPS and TAI-UTC.
// Back: a TAI second goes through ERFA to a UTC label; the library must give
// the count of that label, or refuse a 23:59:60 that the scale lacks with
// SEC1996_PARSE_LEAP_NOT_ON_SCALE and map it to 23:59:59's count when asked.
// Checked at every second from a day before to a day after each leap second
// of the list since 1996, and at N random counts and TAI seconds over the
// whole scale.  Both ERFA and the library assume no leap second after the
// last one they know.
//
// Usage: sec1996_scales_references [--random N] [--seed S] [--list PATH]
// Exits 0 if everything agreed, 1 on a difference, 2 if the list or ERFA
// could not be used.
#include <erfa.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "timescale/sec1996_scales.h"

namespace {

constexpr double kTaiEpochJd = 2436204.5;  // 1958-01-01 00:00:00
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kGpsEpochTai = 694656019;
constexpr std::int64_t kLastCount = 4294967295;

struct Totals {
  std::uint64_t forward = 0, back = 0, differences = 0;
};

void report(Totals& t, const char* what, std::int64_t input, const std::string& detail) {
  if (t.differences++ < 20) {
    std::printf("DIFFERENCE %s at %" PRId64 ": %s\n", what, input, detail.c_str());
  }
}

// TAI seconds since 1958 as the two-part Julian date ERFA takes, exactly:
// whole days and a fraction of a day.
void taiJd(std::int64_t tai, double& d1, double& d2) {
  const std::int64_t days = tai / kSecondsPerDay;  // tai is positive on the scale
  d1 = kTaiEpochJd + static_cast<double>(days);
  d2 = static_cast<double>(tai - days * kSecondsPerDay) / kSecondsPerDay;
}

// ERFA's reading of a count's label: TAI seconds, TT milliseconds, TAI-UTC.
bool erfaForward(const Date1996& r, std::int64_t& tai, std::int64_t& ttMs, int& dat) {
  double u1 = 0, u2 = 0, t1 = 0, t2 = 0, tt1 = 0, tt2 = 0, deltat = 0;
  if (eraDtf2d("UTC", r.year, r.mon, r.day, r.hour, r.min, r.sec, &u1, &u2) < 0) return false;
  if (eraUtctai(u1, u2, &t1, &t2) < 0) return false;
  if (eraTaitt(t1, t2, &tt1, &tt2) < 0) return false;
  if (eraDat(r.year, r.mon, r.day, 0.5, &deltat) < 0) return false;
  tai = std::llround(((t1 - kTaiEpochJd) + t2) * kSecondsPerDay);
  ttMs = std::llround(((tt1 - kTaiEpochJd) + tt2) * kSecondsPerDay * 1000.0);
  dat = static_cast<int>(std::lround(deltat));
  return true;
}

// ERFA's UTC label of a TAI second.
bool erfaBack(std::int64_t tai, Date1996& r) {
  double t1 = 0, t2 = 0, u1 = 0, u2 = 0;
  taiJd(tai, t1, t2);
  if (eraTaiutc(t1, t2, &u1, &u2) < 0) return false;
  int y = 0, m = 0, d = 0, hmsf[4] = {};
  if (eraD2dtf("UTC", 0, u1, u2, &y, &m, &d, hmsf) < 0) return false;
  r = {y, m, d, hmsf[0], hmsf[1], hmsf[2]};
  return true;
}

std::string text(const Date1996& r) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", static_cast<int>(r.year),
                r.mon, r.day, r.hour, r.min, r.sec);
  return buffer;
}

void checkForward(const Sec1996LeapList* list, Sec1996 count, Totals& t) {
  ++t.forward;
  const Date1996 label = cvtFromSec1996_lossless(count);
  std::int64_t refTai = 0, refTt = 0;
  int refDat = 0;
  if (!erfaForward(label, refTai, refTt, refDat)) {
    report(t, "ERFA refused the label", count, text(label));
    return;
  }
  std::int64_t tai = 0, tt = 0, gps = 0;
  std::int32_t dat = 0, week = 0, second = 0;
  cvtFromSec1996_tai(list, count, &tai);
  cvtFromSec1996_tt(list, count, &tt);
  cvtFromSec1996_gps(list, count, &gps);
  cvtFromSec1996_gpsWeek(list, count, &week, &second);
  taiMinusUtc1996(list, count, &dat);
  if (tai != refTai || tt != refTt || gps != refTai - kGpsEpochTai || dat != refDat ||
      std::int64_t{week} * 604800 + second != gps) {
    char detail[256];
    std::snprintf(detail, sizeof detail,
                  "%s: TAI %" PRId64 " (ERFA %" PRId64 "), TT %" PRId64 " (ERFA %" PRId64
                  "), TAI-UTC %d (ERFA %d)",
                  text(label).c_str(), tai, refTai, tt, refTt, static_cast<int>(dat), refDat);
    report(t, "count to TAI", count, detail);
  }
}

void checkBack(const Sec1996LeapList* list, std::int64_t tai, Totals& t) {
  ++t.back;
  Date1996 label{};
  if (!erfaBack(tai, label)) {
    report(t, "ERFA refused TAI", tai, "");
    return;
  }
  Sec1996 expected = 0;
  Sec1996ParseStatus expectedStatus = cvtToSec1996_checked(label, &expected);
  if (label.year < 1996 || expectedStatus == SEC1996_PARSE_OUT_OF_SPAN) {
    Sec1996 count = 0;
    if (cvtToSec1996_tai(list, tai, SEC1996_MAP_LEAP_TO_235959, &count) !=
        SEC1996_PARSE_OUT_OF_SPAN) {
      report(t, "TAI off the scale accepted", tai, text(label));
    }
    return;
  }
  bool mapped = false;
  if (expectedStatus == SEC1996_PARSE_NOT_LEAP_SECOND) {  // a leap second the scale lacks
    Date1996 before = label;
    before.sec = 59;
    cvtToSec1996_checked(before, &expected);
    mapped = true;
  }
  Sec1996 count = 0, mappedCount = 0;
  const Sec1996ParseStatus status = cvtToSec1996_tai(list, tai, 0, &count);
  cvtToSec1996_tai(list, tai, SEC1996_MAP_LEAP_TO_235959, &mappedCount);
  Sec1996 viaGps = 0, viaTt = 0;
  cvtToSec1996_gps(list, tai - kGpsEpochTai, SEC1996_MAP_LEAP_TO_235959, &viaGps);
  cvtToSec1996_tt(list, tai * 1000 + 32184, SEC1996_MAP_LEAP_TO_235959, &viaTt);
  const bool statusRight =
      mapped ? status == SEC1996_PARSE_LEAP_NOT_ON_SCALE
             : (status == SEC1996_PARSE_OK || status == SEC1996_PARSE_LIST_EXPIRED);
  const bool countRight = (mapped || count == expected) && mappedCount == expected &&
                          viaGps == expected && viaTt == expected;
  if (!statusRight || !countRight) {
    char detail[256];
    std::snprintf(detail, sizeof detail,
                  "ERFA %s, count %" PRIu32 " expected, got %" PRIu32 " (mapped %" PRIu32
                  ", status %d)",
                  text(label).c_str(), expected, count, mappedCount, static_cast<int>(status));
    report(t, "TAI to count", tai, detail);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t randomCount = 1000000;
  std::uint64_t seed = 1996;
  std::string path = SEC1996_PINNED_LIST;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--random") == 0)
      randomCount = std::strtoull(argv[i + 1], nullptr, 10);
    else if (std::strcmp(argv[i], "--seed") == 0)
      seed = std::strtoull(argv[i + 1], nullptr, 10);
    else if (std::strcmp(argv[i], "--list") == 0)
      path = argv[i + 1];
    else {
      std::fprintf(stderr, "usage: %s [--random N] [--seed S] [--list PATH]\n", argv[0]);
      return 2;
    }
  }
  Sec1996LeapList* list = nullptr;
  Sec1996LeapListError error{};
  if (leapListFromFile1996(path.c_str(), &list, &error) != SEC1996_PARSE_OK) {
    std::fprintf(stderr, "%s\n", error.message);
    return 2;
  }
  Sec1996LeapListInfo info{};
  leapListInfo1996(list, &info);

  Totals totals;
  std::uint64_t leaps = 0;
  // Every second within a day of each leap second since 1996, both ways.
  for (std::size_t i = 1; i < info.entryCount; ++i) {
    const Sec1996LeapEntry& e = info.entries[i];
    Sec1996 midnight = 0;
    if (cvtToSec1996_checked(e.date, &midnight) != SEC1996_PARSE_OK) continue;  // before 1996
    ++leaps;
    for (std::int64_t c = std::int64_t{midnight} - kSecondsPerDay - 1;
         c <= std::int64_t{midnight} + kSecondsPerDay; ++c) {
      if (c >= 0 && c <= kLastCount) checkForward(list, static_cast<Sec1996>(c), totals);
    }
    std::int64_t taiMidnight = 0;
    cvtFromSec1996_tai(list, midnight, &taiMidnight);
    for (std::int64_t t = taiMidnight - kSecondsPerDay - 2; t <= taiMidnight + kSecondsPerDay;
         ++t) {
      checkBack(list, t, totals);
    }
  }
  // Random counts and random TAI seconds over the whole scale.
  std::mt19937_64 random(seed);
  std::int64_t firstTai = 0, lastTai = 0;
  cvtFromSec1996_tai(list, 0, &firstTai);
  cvtFromSec1996_tai(list, static_cast<Sec1996>(kLastCount), &lastTai);
  std::uniform_int_distribution<std::int64_t> anyTai(firstTai, lastTai);
  for (std::uint64_t i = 0; i < randomCount; ++i) {
    checkForward(list, static_cast<Sec1996>(random()), totals);
    checkBack(list, anyTai(random), totals);
  }
  // Off the scale on both sides.
  Sec1996 c = 0;
  if (cvtToSec1996_tai(list, firstTai - 1, SEC1996_MAP_LEAP_TO_235959, &c) !=
          SEC1996_PARSE_OUT_OF_SPAN ||
      cvtToSec1996_tai(list, lastTai + 1, SEC1996_MAP_LEAP_TO_235959, &c) !=
          SEC1996_PARSE_OUT_OF_SPAN) {
    report(totals, "TAI off the scale accepted", firstTai - 1, "");
  }
  leapListFree1996(list);
  std::printf("true time against ERFA: %" PRIu64 " steps of TAI-UTC from 1996-01-01 on, %" PRIu64
              " counts forward, %" PRIu64 " TAI seconds back, %" PRIu64 " differences\n",
              leaps, totals.forward, totals.back, totals.differences);
  return totals.differences == 0 ? 0 : 1;
}
