// The pattern engine against glibc: formatDate1996 must write exactly what
// strftime_l in the "C" locale writes, for every conversion, over a million
// counts spread across the scale (and every second around the leap second
// and the ends of the scale and of the years); and parseDate1996 must read
// back every count from its own text, and agree with strptime + timegm on
// the common layout.
//
// parseDate1996_iso_n must give each of those counts' ISO texts, and of
// their copies with one byte changed, what parseDate1996_iso gives.
//
// The one difference by design: strftime's %s calls mktime, which reads
// 23:59:60 as the next day's 00:00:00; formatDate1996 writes the POSIX value
// of 23:59:59, as cvtFromSec1996_posix.  At the leap second %s is compared
// with glibc's reading of 23:59:59.
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <locale.h>

#include "timescale/sec1996.h"

namespace {

constexpr std::uint32_t kLeap = 47260800;
constexpr std::size_t kSpreadCounts = 1000000;

// Every conversion, alone, and a few layouts that mix them.
const char* const kConversions[] = {"%Y",
                                    "%m",
                                    "%d",
                                    "%H",
                                    "%M",
                                    "%S",
                                    "%j",
                                    "%y",
                                    "%b",
                                    "%B",
                                    "%a",
                                    "%A",
                                    "%e",
                                    "%T",
                                    "%F",
                                    "%D",
                                    "%R",
                                    "%s",
                                    "%%",
                                    "%C",
                                    "%u",
                                    "%w",
                                    "%U",
                                    "%W",
                                    "%G",
                                    "%V",
                                    "%g",
                                    "%z",
                                    "%Ez",
                                    "%Z",
                                    "%Y-%m-%d %H:%M:%S",
                                    "%Y.%j",
                                    "%Y-%jT%H:%M:%S",
                                    "%d %b %Y",
                                    "%a, %d %B %Y %T %z (%Z) %G-W%V-%u"};

// Patterns parseDate1996 reads a count back from exactly.
const char* const kReadable[] = {"%Y-%m-%d %H:%M:%S", "%Y-%jT%H:%M:%S", "%a, %d %B %Y %T %z",
                                 "%e %b %Y %R:%S %Z"};

std::vector<std::uint32_t> countsToCheck() {
  std::vector<std::uint32_t> counts;
  // Spread: an odd step from a random start, so that every second of the
  // minute, hour and day is met.
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  for (std::size_t i = 0; i < kSpreadCounts; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    counts.push_back(static_cast<std::uint32_t>(state >> 32));
  }
  for (std::uint32_t c = kLeap - 100; c <= kLeap + 100; ++c) counts.push_back(c);
  for (std::uint32_t c = 0; c < 100; ++c) counts.push_back(c);
  for (std::uint32_t c = 0xFFFFFFFFU - 100; c != 0; ++c) counts.push_back(c);
  // Every New Year's Eve and Day of the scale, for the week numbers.
  for (int year = 1996; year <= 2132; ++year) {
    for (const int mon : {1, 12}) {
      for (int day = mon == 1 ? 1 : 25; day <= (mon == 1 ? 7 : 31); ++day) {
        Sec1996 count = 0;
        if (cvtToSec1996_checked({year, mon, day, 12, 0, 0}, &count) == SEC1996_PARSE_OK) {
          counts.push_back(count);
        }
      }
    }
  }
  return counts;
}

std::tm tmOf(std::uint32_t count) {
  std::tm tm{};
  getDateFromSecondsSince1996_r(count, &tm);
  if (isLeapSecond1996(count) != 0) tm.tm_sec = 60;
  return tm;
}

}  // namespace

int main() {
  // strftime's %s goes through mktime, which reads TZ.
  setenv("TZ", "UTC", 1);
  tzset();
  const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  if (c == static_cast<locale_t>(nullptr)) {
    std::puts("no C locale");
    return 1;
  }
  const std::vector<std::uint32_t> counts = countsToCheck();
  std::uint64_t compared = 0, differ = 0, readBack = 0, unread = 0, glibcRead = 0, glibcDiffer = 0;
  char ours[256], theirs[256];
  for (const std::uint32_t count : counts) {
    const std::tm tm = tmOf(count);
    for (const char* pattern : kConversions) {
      std::tm reference = tm;
      if (std::strcmp(pattern, "%s") == 0 && tm.tm_sec == 60) reference.tm_sec = 59;
      const std::size_t n = strftime_l(theirs, sizeof theirs, pattern, &reference, c);
      size_t length = 0;
      const Sec1996ParseStatus status = formatDate1996(count, pattern, ours, sizeof ours, &length);
      ++compared;
      if (status != SEC1996_PARSE_OK || length != n || std::memcmp(ours, theirs, n) != 0) {
        if (++differ <= 20) {
          std::printf("count %u, %s: ours \"%s\" (status %d), glibc \"%s\"\n", count, pattern,
                      status == SEC1996_PARSE_OK ? ours : "", status, theirs);
        }
      }
    }
    for (const char* pattern : kReadable) {
      size_t length = 0;
      Sec1996 back = 0;
      size_t offset = 0;
      formatDate1996(count, pattern, ours, sizeof ours, &length);
      const Sec1996ParseStatus status = parseDate1996(ours, length, pattern, &back, &offset);
      ++readBack;
      if (status != SEC1996_PARSE_OK || back != count) {
        if (++unread <= 20) {
          std::printf("count %u, %s: \"%s\" reads back as %u (status %d at %zu)\n", count, pattern,
                      ours, back, status, offset);
        }
      }
    }
    // strptime cannot read 23:59:60 into a time it can count.
    if (isLeapSecond1996(count) == 0) {
      size_t length = 0;
      formatDate1996(count, "%Y-%m-%d %H:%M:%S", ours, sizeof ours, &length);
      std::tm read{};
      const char* end = strptime(ours, "%Y-%m-%d %H:%M:%S", &read);
      ++glibcRead;
      Sec1996 back = 0;
      parseDate1996(ours, length, "%Y-%m-%d %H:%M:%S", &back, nullptr);
      if (end == nullptr || *end != '\0' || cvtToSec1996_posix(timegm(&read)) != back) {
        if (++glibcDiffer <= 20)
          std::printf("count %u: strptime reads \"%s\" otherwise\n", count, ours);
      }
    }
  }
  // The ISO array form against the single reader: each text as written, and
  // with one byte changed to a character that the shape holds elsewhere or
  // the zero that ends a text early.
  constexpr char kReplacements[] = "0123456789-T:Z 6\0";
  std::vector<char> column(counts.size() * SEC1996_ISO_LENGTH);
  std::vector<Sec1996> arrayCounts(counts.size());
  std::vector<Sec1996ParseStatus> arrayStatuses(counts.size());
  std::uint64_t isoDiffer = 0;
  std::uint64_t state = 1996;
  for (int round = 0; round < 2; ++round) {
    stringDate1996_iso_n(counts.data(), counts.size(), column.data());
    if (round == 1) {
      for (std::size_t i = 0; i < counts.size(); ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        column[i * SEC1996_ISO_LENGTH + (state >> 33) % SEC1996_ISO_LENGTH] =
            kReplacements[(state >> 45) % (sizeof kReplacements - 1)];
      }
    }
    parseDate1996_iso_n(column.data(), counts.size(), SEC1996_ISO_LENGTH, arrayCounts.data(),
                        arrayStatuses.data());
    for (std::size_t i = 0; i < counts.size(); ++i) {
      const char* text = &column[i * SEC1996_ISO_LENGTH];
      const std::size_t length = strnlen(text, SEC1996_ISO_LENGTH);
      Sec1996 single = 0;
      const Sec1996ParseStatus status = parseDate1996_iso(text, length, &single, nullptr);
      if (status != arrayStatuses[i] ||
          (status == SEC1996_PARSE_OK ? single : 0) != arrayCounts[i]) {
        if (++isoDiffer <= 20) {
          std::printf("\"%.*s\": parseDate1996_iso %d %u, the array form %d %u\n",
                      static_cast<int>(length), text, status, single, arrayStatuses[i],
                      arrayCounts[i]);
        }
      }
    }
  }
  freelocale(c);
  std::printf(
      "checked %zu counts: %llu formats against strftime_l, %llu differ; %llu texts read back, "
      "%llu not; %llu against strptime+timegm, %llu differ; %zu ISO texts in the array form, "
      "%llu differ\n",
      counts.size(), static_cast<unsigned long long>(compared),
      static_cast<unsigned long long>(differ), static_cast<unsigned long long>(readBack),
      static_cast<unsigned long long>(unread), static_cast<unsigned long long>(glibcRead),
      static_cast<unsigned long long>(glibcDiffer), 2 * counts.size(),
      static_cast<unsigned long long>(isoDiffer));
  return differ == 0 && unread == 0 && glibcDiffer == 0 && isoDiffer == 0 ? 0 : 1;
}
