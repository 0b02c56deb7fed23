// The fixed-width texts of the scale, written digit by digit: the library's
// "DD-Mon-YYYY HH:MM:SS" and ISO 8601's "YYYY-MM-DDTHH:MM:SSZ".  Both are 20
// characters for every count, whose years all have four digits.
#ifndef SEC1996_DETAIL_TEXT_H
#define SEC1996_DETAIL_TEXT_H

#include <cstddef>
#include <cstdint>

#include "scale.h"

namespace sec1996::detail {

inline constexpr std::size_t kTextLength = 20;

inline constexpr char kMonthNames[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Writes value in exactly width decimal digits, filled with leading zeros
// (and cut to its last width digits), and returns the end.
constexpr char* putDigits(char* out, std::uint32_t value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

constexpr char* putField(char* out, std::int64_t value, int width) {
  return putDigits(out, static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)), width);
}

// "DD-Mon-YYYY HH:MM:SS", without a terminating zero; returns the end.
constexpr char* formatLibraryText(char* out, const Fields& fields) {
  const char* name = kMonthNames[fields.date.mon - 1];
  out = putField(out, fields.date.day, 2);
  *out++ = '-';
  *out++ = name[0];
  *out++ = name[1];
  *out++ = name[2];
  *out++ = '-';
  out = putField(out, fields.date.year, 4);
  *out++ = ' ';
  out = putField(out, fields.hour, 2);
  *out++ = ':';
  out = putField(out, fields.min, 2);
  *out++ = ':';
  return putField(out, fields.sec, 2);
}

// "YYYY-MM-DDTHH:MM:SSZ", without a terminating zero; the second is written
// as it stands, so lossless fields show a leap second as 60.
constexpr char* formatIso(char* out, const Fields& fields) {
  out = putField(out, fields.date.year, 4);
  *out++ = '-';
  out = putField(out, fields.date.mon, 2);
  *out++ = '-';
  out = putField(out, fields.date.day, 2);
  *out++ = 'T';
  out = putField(out, fields.hour, 2);
  *out++ = ':';
  out = putField(out, fields.min, 2);
  *out++ = ':';
  out = putField(out, fields.sec, 2);
  *out++ = 'Z';
  return out;
}

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_TEXT_H
