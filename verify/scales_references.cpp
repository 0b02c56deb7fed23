// sec1996_scales_references: the true-time functions of sec1996_scales.h
// against ERFA (eraDat, eraDtf2d, eraUtctai, eraTaiutc, eraD2dtf, eraTaitt),
// in both directions, with the pinned leap-second list of the tests.
//
// Forward: a count's label (cvtFromSec1996_lossless) goes through ERFA from
// UTC to TAI and TT, and must give the library's TAI, TT, GPS and TAI-UTC.
// Back: a TAI second goes through ERFA to a UTC label; the library must give
// the count of that label, or refuse a 23:59:60 that the scale lacks with
// SEC1996_PARSE_LEAP_NOT_ON_SCALE and map it to 23:59:59's count when asked.
// The level-1 CUC (sec1996_ccsds.h) is checked with them: its coarse time
// must be ERFA's TAI, packed big-endian by hand, in a layout chosen by the
// count (4 to 7 coarse octets, 0 to 8 fine, with or without the P-field),
// and it must decode back; the code of a TAI second ERFA labels must
// decode to the count of that label, as cvtToSec1996_tai gives it; the
// array forms must agree with the single values.
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
#include <vector>

#include "timescale/sec1996_ccsds.h"
#include "timescale/sec1996_scales.h"

namespace {

constexpr double kTaiEpochJd = 2436204.5;  // 1958-01-01 00:00:00
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kGpsEpochTai = 694656019;
constexpr std::int64_t kLastCount = 4294967295;

struct Totals {
  std::uint64_t forward = 0, back = 0, codes = 0, differences = 0;
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

// The level-1 CUC layout for a TAI second: 4 to 7 coarse octets (5 at
// least from 2^32 on), 0 to 8 fine, with or without the P-field, from its
// low bits.
Sec1996CucLayout layoutFor(std::int64_t tai) {
  const auto bits = static_cast<std::uint64_t>(tai);
  int coarse = 4 + static_cast<int>((bits >> 1) % 4);
  if (coarse == 4 && (bits >> 32) != 0) coarse = 5;
  return {static_cast<int>(bits & 1), coarse, static_cast<int>((bits >> 3) % 9)};
}

// The P-field an encoder writes for a level-1 layout (time code id 001),
// by the recommendation's bit layout.
std::size_t pFieldOf(const Sec1996CucLayout& l, std::uint8_t* out) {
  const int basicCoarse = l.coarseOctets < 4 ? l.coarseOctets : 4;
  const int basicFine = l.fineOctets < 3 ? l.fineOctets : 3;
  const bool extended = l.coarseOctets > 4 || l.fineOctets > 3;
  out[0] =
      static_cast<std::uint8_t>((extended ? 0x80 : 0) | 0x10 | (basicCoarse - 1) << 2 | basicFine);
  if (!extended) return 1;
  out[1] = static_cast<std::uint8_t>((l.coarseOctets - basicCoarse) << 5 |
                                     (l.fineOctets - basicFine) << 2);
  return 2;
}

// A level-1 code by hand: the P-field if asked, the TAI big-endian in the
// coarse octets, the top octets of the fraction in the fine ones.
std::size_t codeByHand(std::int64_t tai, std::uint64_t fraction, const Sec1996CucLayout& l,
                       std::uint8_t* out) {
  std::size_t at = l.pField != 0 ? pFieldOf(l, out) : 0;
  for (int i = l.coarseOctets - 1; i >= 0; --i) {
    out[at++] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(tai) >> (8 * i));
  }
  for (int i = 0; i < l.fineOctets; ++i) {
    out[at++] = static_cast<std::uint8_t>(fraction >> (56 - 8 * i));
  }
  return at;
}

std::uint64_t truncated(std::uint64_t fraction, int fineOctets) {
  return fineOctets == 0 ? 0 : fraction >> (64 - 8 * fineOctets) << (64 - 8 * fineOctets);
}

void checkCodeForward(const Sec1996LeapList* list, Sec1996 count, std::int64_t refTai, Totals& t) {
  ++t.codes;
  const std::uint64_t fraction = std::uint64_t{count} * 0x9E3779B97F4A7C15u;
  const Sec1996CucLayout layout = layoutFor(refTai);
  std::uint8_t expected[SEC1996_CCSDS_MAX_SIZE], code[SEC1996_CCSDS_MAX_SIZE];
  const std::size_t expectedLength = codeByHand(refTai, fraction, layout, expected);
  std::size_t length = 0;
  std::int64_t tai = 0;
  const Sec1996ParseStatus taiStatus = cvtFromSec1996_tai(list, count, &tai);
  const Sec1996ParseStatus status =
      cvtFromSec1996_cucTai(list, count, fraction, &layout, code, sizeof code, &length);
  Sec1996 back = 0;
  std::uint64_t backFraction = 0;
  const Sec1996ParseStatus backStatus =
      cvtToSec1996_cucTai(list, code, length, &layout, 0, &back, &backFraction, nullptr);
  if (status != taiStatus || length != expectedLength || std::memcmp(code, expected, length) != 0 ||
      backStatus != status || back != count ||
      backFraction != truncated(fraction, layout.fineOctets)) {
    char detail[160];
    std::snprintf(detail, sizeof detail,
                  "CUC level 1 %d+%d: status %d (TAI's %d), back %" PRIu32 " status %d",
                  layout.coarseOctets, layout.fineOctets, static_cast<int>(status),
                  static_cast<int>(taiStatus), back, static_cast<int>(backStatus));
    report(t, "count to CUC level 1", count, detail);
  }
}

// The code of a TAI second by hand as a count, or the leap second the
// scale lacks refused or mapped: as cvtToSec1996_tai gives it, which the
// caller has checked against ERFA.
void checkCodeBack(const Sec1996LeapList* list, std::int64_t tai, Totals& t) {
  ++t.codes;
  const Sec1996CucLayout layout = layoutFor(tai);
  std::uint8_t code[SEC1996_CCSDS_MAX_SIZE];
  const std::uint64_t fraction = static_cast<std::uint64_t>(tai) << 40;
  const std::size_t length = codeByHand(tai, fraction, layout, code);
  for (const unsigned flags : {0u, SEC1996_MAP_LEAP_TO_235959}) {
    Sec1996 expected = 7, count = 7;
    std::uint64_t got = 7;
    const Sec1996ParseStatus expectedStatus = cvtToSec1996_tai(list, tai, flags, &expected);
    const Sec1996ParseStatus status =
        cvtToSec1996_cucTai(list, code, length, &layout, flags, &count, &got, nullptr);
    const bool set = expectedStatus == SEC1996_PARSE_OK ||
                     expectedStatus == SEC1996_PARSE_LIST_EXPIRED ||
                     (expectedStatus == SEC1996_PARSE_LEAP_NOT_ON_SCALE && flags != 0);
    const std::uint64_t expectedFraction = set ? truncated(fraction, layout.fineOctets) : 7;
    if (status != expectedStatus || count != expected || got != expectedFraction) {
      char detail[160];
      std::snprintf(detail, sizeof detail,
                    "CUC level 1 %d+%d, flags %u: count %" PRIu32 " status %d, expected %" PRIu32
                    " status %d",
                    layout.coarseOctets, layout.fineOctets, flags, count, static_cast<int>(status),
                    expected, static_cast<int>(expectedStatus));
      report(t, "CUC level 1 to count", tai, detail);
    }
  }
}

// The array forms against the single values, over counts of one layout.
void checkCodeArrays(const Sec1996LeapList* list, const std::vector<Sec1996>& counts,
                     const Sec1996CucLayout& layout, Totals& t) {
  const std::size_t n = counts.size(), size = codeLength1996_cuc(&layout);
  std::vector<std::uint64_t> fractions(n);
  for (std::size_t i = 0; i < n; ++i) fractions[i] = std::uint64_t{counts[i]} << 33 | i;
  std::vector<std::uint8_t> codes(n * size);
  std::vector<Sec1996ParseStatus> status(n), backStatus(n);
  std::vector<Sec1996> back(n);
  std::vector<std::uint64_t> backFractions(n);
  const std::size_t flagged = cvtFromSec1996_cucTai_n(list, counts.data(), fractions.data(), n,
                                                      &layout, codes.data(), status.data());
  const std::size_t backFlagged = cvtToSec1996_cucTai_n(
      list, codes.data(), n, &layout, 0, back.data(), backFractions.data(), backStatus.data());
  std::size_t notOk = 0, backNotOk = 0;
  for (std::size_t i = 0; i < n; ++i) {
    ++t.codes;
    std::uint8_t code[SEC1996_CCSDS_MAX_SIZE] = {};
    std::size_t length = 0;
    const Sec1996ParseStatus s =
        cvtFromSec1996_cucTai(list, counts[i], fractions[i], &layout, code, sizeof code, &length);
    Sec1996 count = 0;
    std::uint64_t fraction = 0;
    const Sec1996ParseStatus b = cvtToSec1996_cucTai(list, codes.data() + i * size, size, &layout,
                                                     0, &count, &fraction, nullptr);
    const bool refused = s != SEC1996_PARSE_OK && s != SEC1996_PARSE_LIST_EXPIRED;
    notOk += s != SEC1996_PARSE_OK;
    backNotOk += backStatus[i] != SEC1996_PARSE_OK;
    const bool codeSame = std::memcmp(codes.data() + i * size, code, size) == 0;
    const bool backSame = refused ? back[i] == 0 && backFractions[i] == 0
                                  : backStatus[i] == b && back[i] == count &&
                                        backFractions[i] == fraction && count == counts[i];
    if (s != status[i] || !codeSame || !backSame) {
      report(t, "CUC level 1 array form", counts[i], "differs from the single value");
    }
  }
  if (flagged != notOk || backFlagged != backNotOk) {
    report(t, "CUC level 1 array form", static_cast<std::int64_t>(n), "counts differ");
  }
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
  checkCodeForward(list, count, refTai, t);
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
  checkCodeBack(list, tai, t);
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
  std::vector<Sec1996> counts;
  for (std::uint64_t i = 0; i < randomCount; ++i) {
    const auto count = static_cast<Sec1996>(random());
    checkForward(list, count, totals);
    checkBack(list, anyTai(random), totals);
    if (counts.size() < 65536) counts.push_back(count);
  }
  // The array forms in every level-1 layout, over the random counts (those
  // past 4 coarse octets refused in 4+F layouts) and the scale's leap second.
  counts.push_back(47260800);
  for (int pField = 0; pField <= 1; ++pField) {
    for (int coarse = 1; coarse <= 7; ++coarse) {
      for (int fine = 0; fine <= 8; ++fine) {
        checkCodeArrays(list, counts, Sec1996CucLayout{pField, coarse, fine}, totals);
      }
    }
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
              " counts forward, %" PRIu64 " TAI seconds back, %" PRIu64
              " level-1 CUC codes, %" PRIu64 " differences\n",
              leaps, totals.forward, totals.back, totals.codes, totals.differences);
  return totals.differences == 0 ? 0 : 1;
}
