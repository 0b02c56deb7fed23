// The array forms give, element by element, what the single-value
// functions give (verify/ proves it for every count; here the edges and the
// leap second), and the POSIX pair keeps to its rules at the extremes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

std::vector<Sec1996> sampleCounts() {
  std::vector<Sec1996> counts = {0, 1, 86399, 86400, 4294967294U, 4294967295U};
  for (Sec1996 c = 47260800 - 3; c <= 47260800 + 3; ++c) counts.push_back(c);
  for (std::uint64_t c = 7; c <= UINT32_MAX; c += 999983) counts.push_back(static_cast<Sec1996>(c));
  return counts;
}

TEST(ArrayForms, EachElementIsWhatTheSingleValueFunctionGives) {
  const std::vector<Sec1996> counts = sampleCounts();
  const std::size_t n = counts.size();
  std::vector<Date1996> records(n);
  std::vector<Sec1996> back(n);
  std::vector<std::int64_t> posix(n);
  std::vector<Sec1996> fromPosix(n);
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
