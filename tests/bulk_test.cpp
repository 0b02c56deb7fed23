// The array forms give, element by element, what the single-value
// functions give (verify/ proves it for every count; here the edges, the
// leap second and records far from the scale, on every vector unit the
// processor has), and the POSIX pair keeps to its rules at the extremes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "test_support.h"
#include "timescale/sec1996.h"
#include "vector_units.h"

namespace {

std::vector<Sec1996> sampleCounts() {
  std::vector<Sec1996> counts = {0, 1, 86399, 86400, 4294967294U, 4294967295U};
  for (Sec1996 c = 47260800 - 3; c <= 47260800 + 3; ++c) counts.push_back(c);
  for (std::uint64_t c = 7; c <= UINT32_MAX; c += 999983) counts.push_back(static_cast<Sec1996>(c));
  return counts;
}

// Outputs start as values no conversion gives for the first elements, so
// that an element left unwritten shows.
constexpr Sec1996 kUnwritten = 0xDEADBEEF;
constexpr Date1996 kUnwrittenRecord = {-7, -7, -7, -7, -7, -7};

TEST(ArrayForms, EachElementIsWhatTheSingleValueFunctionGives) {
  onEveryVectorUnit([] {
    const std::vector<Sec1996> counts = sampleCounts();
    const std::size_t n = counts.size();
    std::vector<Date1996> records(n, kUnwrittenRecord);
    std::vector<Sec1996> back(n, kUnwritten);
    std::vector<std::int64_t> posix(n, kUnwritten);
    std::vector<Sec1996> fromPosix(n, kUnwritten);
    std::vector<char> iso(n * SEC1996_ISO_LENGTH + 1, '#');
    cvtFromSec1996_lossless_n(counts.data(), n, records.data());
    cvtToSec1996_n(records.data(), n, back.data());
    cvtFromSec1996_posix_n(counts.data(), n, posix.data());
    cvtToSec1996_posix_n(posix.data(), n, fromPosix.data());
    stringDate1996_iso_n(counts.data(), n, iso.data());
    for (std::size_t i = 0; i < n; ++i) {
      const Sec1996 c = counts[i];
      ASSERT_EQ(records[i], cvtFromSec1996_lossless(c)) << c;
      ASSERT_EQ(back[i], c) << c;
      ASSERT_EQ(posix[i], cvtFromSec1996_posix(c)) << c;
      ASSERT_EQ(fromPosix[i], cvtToSec1996_posix(posix[i])) << c;
      char text[SEC1996_ISO_SIZE];
      ASSERT_EQ(std::memcmp(&iso[i * SEC1996_ISO_LENGTH], stringDate1996_iso(c, text), 20), 0) << c;
    }
    EXPECT_EQ(iso.back(), '#') << "wrote past n texts";
  });
}

// Records far from the scale (years beyond +-32767, months outside 1-12),
// one or two in a block of near ones, and a length that ends in a partial
// block, through both record arrays: each element as its single-value
// function gives it, and nothing written past n.
TEST(ArrayForms, FarRecordsAndPartialBlocksAsTheSingleValueFunctions) {
  const Date1996 far[] = {
      {40000, 1, 1, 0, 0, 0},
      {-40000, 6, 15, 12, 0, 0},
      {32768, 1, 1, 0, 0, 0},
      {-32768, 12, 31, 23, 59, 59},
      {2000, 0, 1, 0, 0, 0},
      {2000, 13, 1, 0, 0, 0},
      {32767, 13, 1, 0, 0, 0},
      {1996, -5, 10, 0, 0, 0},
      {INT32_MIN, 1, 1, 0, 0, 0},
      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
      {1997, 6, 30, 23, 59, 60},
      {1997, 6, 30, 24, 0, 0},
      {1997, 2, 29, 0, 0, 0},
      {1995, 12, 31, 23, 59, 59},
      {2132, 2, 7, 6, 28, 15},
      {2100, 2, 29, 0, 0, 0},
  };
  constexpr std::size_t n = 300;  // a whole block of 256 and a partial one
  std::vector<Date1996> records(n);
  for (std::size_t i = 0; i < n; ++i) {
    records[i] = i % 19 == 5 ? far[(i / 19) % std::size(far)]
                             : cvtFromSec1996_lossless(static_cast<Sec1996>(i * 14316557U));
  }
  onEveryVectorUnit([&] {
    std::vector<Sec1996> counts(n + 1, kUnwritten);
    std::vector<Sec1996> checked(n + 1, kUnwritten);
    std::vector<Sec1996ParseStatus> status(n + 1, SEC1996_PARSE_LIST_NOT_FOUND);
    cvtToSec1996_n(records.data(), n, counts.data());
    std::size_t refusals = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const Date1996& r = records[i];
      ASSERT_EQ(counts[i], cvtToSec1996(r)) << i << ": " << r;
      Sec1996 count = 0;
      refusals += cvtToSec1996_checked(r, &count) != SEC1996_PARSE_OK ? 1 : 0;
    }
    EXPECT_EQ(cvtToSec1996_checked_n(records.data(), n, checked.data(), status.data()), refusals);
    for (std::size_t i = 0; i < n; ++i) {
      const Date1996& r = records[i];
      Sec1996 count = 0;
      ASSERT_EQ(status[i], cvtToSec1996_checked(r, &count)) << i << ": " << r;
      ASSERT_EQ(checked[i], status[i] == SEC1996_PARSE_OK ? count : 0U) << i << ": " << r;
    }
    EXPECT_EQ(counts[n], kUnwritten) << "cvtToSec1996_n wrote past n";
    EXPECT_EQ(checked[n], kUnwritten) << "cvtToSec1996_checked_n wrote past n";
    EXPECT_EQ(status[n], SEC1996_PARSE_LIST_NOT_FOUND) << "cvtToSec1996_checked_n wrote past n";
  });
}

TEST(ArrayForms, EmptyArraysMayBeNull) {
  cvtFromSec1996_lossless_n(nullptr, 0, nullptr);
  cvtToSec1996_n(nullptr, 0, nullptr);
  cvtFromSec1996_posix_n(nullptr, 0, nullptr);
  cvtToSec1996_posix_n(nullptr, 0, nullptr);
  stringDate1996_iso_n(nullptr, 0, nullptr);
  SUCCEED() << "no call dereferenced a null pointer (the sanitizer builds would stop here)";
}

TEST(PosixForm, LeapSecondFoldsOntoItsPredecessorAndNeverComesBack) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  const struct {
    Sec1996 count;
    std::int64_t posix;
  } cases[] = {
      {0, 820454400},        {47260799, 867715199},     {47260800, 867715199},
      {47260801, 867715200}, {4294967295U, 5115421694},
  };
  for (const auto& [count, posix] : cases) {
    EXPECT_EQ(cvtFromSec1996_posix(count), posix) << count;
    EXPECT_EQ(cvtToSec1996_posix(posix), count == 47260800 ? 47260799 : count) << count;
  }
  // Off the scale the count wraps modulo 2^32, with no overflow at the
  // ends of int64.
  EXPECT_EQ(cvtToSec1996_posix(820454399), 4294967295U);
  EXPECT_EQ(cvtToSec1996_posix(5115421695), 0U);
  EXPECT_EQ(cvtToSec1996_posix(kMin), static_cast<Sec1996>(0 - 820454400U));
  EXPECT_EQ(cvtToSec1996_posix(kMax), static_cast<Sec1996>(0xFFFFFFFFU - 820454400U + 1U));
}

}  // namespace
