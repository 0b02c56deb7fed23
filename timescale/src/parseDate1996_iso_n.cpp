// parseDate1996_iso_n (what it returns: sec1996.h).
//
// The common text, "YYYY-MM-DDTHH:MM:SS" with or without "Z", of a year
// 1996 to 2131 and a second below 60, is read eight bytes at a time: XOR
// with the shape's template leaves each digit as its value and each
// separator as zero, one test of the three words tells whether every byte
// fits, and a multiplication joins each pair of digits.  Everything else (a
// refusal, second 60, the last year of the scale, a shorter text) goes to
// parseDate1996_iso itself, so every element gets exactly its answer; the
// verification stage compares the two on a million texts and their
// mutations.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "scale.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;

constexpr std::size_t kShapeLength = 19;  // without the Z

constexpr std::uint64_t word(const char* bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return value;
}

// The shape with every digit '0', and which bytes are separators, as the
// three little-endian words of bytes 0-7, 8-15 and 16-18 (the last padded
// with zeros, which XOR leaves as zeros).
constexpr char kTemplate[24] = "0000-00-00T00:00:00\0\0\0\0";
constexpr char kSeparators[24] = {0, 0, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0};
constexpr std::uint64_t kTemplateWords[3] = {word(kTemplate), word(kTemplate + 8),
                                             word(kTemplate + 16)};
constexpr std::uint64_t kSeparatorWords[3] = {word(kSeparators), word(kSeparators + 8),
                                              word(kSeparators + 16)};
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
// Added to a byte below 0x80, sets its high bit exactly when it is above 9.
constexpr std::uint64_t kAboveNine = 0x7676767676767676ULL;

constexpr std::uint32_t kFastYearFirst = 1996;
constexpr std::uint32_t kFastYearLast = 2131;  // 2132 ends inside the year: the full check

constexpr std::uint8_t kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Whether the 19 bytes at text are the shape, and if so their digits.
// Byte i of a word, after XOR, is a digit's value or a separator's zero; the
// word times 10 plus itself shifted one byte holds in byte i the number of
// digits i and i + 1 (at most 99: nothing carries).
[[gnu::always_inline]] inline bool readCommon(const char* text, std::uint32_t& year,
                                              std::uint32_t& mon, std::uint32_t& day,
                                              std::uint32_t& secondOfDay, std::uint32_t& sec) {
  std::uint64_t w[3];
  std::memcpy(&w[0], text, 8);
  std::memcpy(&w[1], text + 8, 8);
  // Bytes 16-18 as the last eight of the 19, shifted down: one load, where
  // a three-byte copy would go through memory and stall the load after it.
  std::memcpy(&w[2], text + kShapeLength - 8, 8);
  w[2] >>= 40;
  std::uint64_t bad = 0;
  for (int k = 0; k < 3; ++k) {
    w[k] ^= kTemplateWords[k];
    bad |= ((w[k] | (w[k] + kAboveNine)) & kHighBits) | (w[k] & kSeparatorWords[k]);
  }
  if (bad != 0) return false;
  const std::uint64_t p0 = w[0] * 10 + (w[0] >> 8);
  const std::uint64_t p1 = w[1] * 10 + (w[1] >> 8);
  const std::uint64_t p2 = w[2] * 10 + (w[2] >> 8);
  const auto at = [](std::uint64_t pairs, int byte) {
    return static_cast<std::uint32_t>(pairs >> (8 * byte) & 0xFF);
  };
  year = at(p0, 0) * 100 + at(p0, 2);
  mon = at(p0, 5);
  day = at(p1, 0);
  const std::uint32_t hour = at(p1, 3), min = at(p1, 6);
  sec = at(p2, 1);
  secondOfDay = hour * 3600 + min * 60 + sec;
  return hour < 24 && min < 60;
}

// The count of a common text, or false for parseDate1996_iso to decide.
[[gnu::always_inline]] inline bool fastCount(const char* text, std::size_t width, Sec1996& count) {
  // The words are read as little-endian.
  if constexpr (std::endian::native != std::endian::little) return false;
  if (width < kShapeLength) return false;
  if (width > kShapeLength) {
    const char next = text[kShapeLength];
    const bool ends =
        next == '\0' ||
        (next == 'Z' && (width == kShapeLength + 1 || text[kShapeLength + 1] == '\0'));
    if (!ends) return false;
  }
  std::uint32_t year = 0, mon = 0, day = 0, secondOfDay = 0, sec = 0;
  if (!readCommon(text, year, mon, day, secondOfDay, sec)) return false;
  if (year - kFastYearFirst > kFastYearLast - kFastYearFirst || mon - 1 >= 12 || sec >= 60) {
    return false;
  }
  // Of the years 1996-2131, 2100 is the one divisible by 4 that is common.
  constexpr std::uint32_t kCommonCentury = 2100;
  const bool leapYear = (year & 3) == 0 && year != kCommonCentury;
  const std::uint32_t monthDays = kMonthDays[mon] + (mon == 2 && leapYear ? 1U : 0U);
  if (day - 1 >= monthDays) return false;
  count = nearCount(static_cast<std::int32_t>(year), static_cast<std::int32_t>(mon),
                    static_cast<std::int32_t>(day), secondOfDay, kLeapSeconds);
  return true;
}

// The length of a text of width bytes: up to its first zero byte.
std::size_t lengthOf(const char* text, std::size_t width) {
  const void* zero = std::memchr(text, '\0', width);
  return zero == nullptr ? width : static_cast<std::size_t>(static_cast<const char*>(zero) - text);
}

}  // namespace

size_t parseDate1996_iso_n(const char* in, size_t n, size_t width, Sec1996* out,
                           Sec1996ParseStatus* status) {
  std::size_t refusedCount = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char* text = in + i * width;
    Sec1996 count = 0;
    Sec1996ParseStatus s = SEC1996_PARSE_OK;
    if (!fastCount(text, width, count)) {
      s = parseDate1996_iso(text, lengthOf(text, width), &count, nullptr);
      if (s != SEC1996_PARSE_OK) {
        count = 0;
        ++refusedCount;
      }
    }
    out[i] = count;
    if (status != nullptr) status[i] = s;
  }
  return refusedCount;
}
