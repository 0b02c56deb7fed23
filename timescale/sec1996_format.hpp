/// @file
/// sec1996_format.hpp - strftime-style patterns for sec1996::time_point, for
/// C++20 compilers whose standard library lacks std::format and
/// std::chrono::parse for chrono types (GCC 12).
///
///   using namespace std::chrono;
///   const sec1996::time_point leap{seconds{47260800}};
///   sec1996::format(leap, "%Y-%m-%d %H:%M:%S");     // "1997-06-30 23:59:60"
///   sec1996::parse("1997.182", "%Y.%j");             // 47260801
///
/// Thin wrappers of formatDate1996 and parseDate1996 (sec1996.h documents the
/// conversions, the strict reading and the leap second): the text is UTC in
/// the "C" locale whatever the process's locale and TZ.  As the calendar
/// conversions of sec1996.hpp, format takes a point modulo 2^32 seconds.
/// Faults are thrown as sec1996::pattern_error, which carries the status and
/// the offset the C function gives.
#ifndef SEC1996_SEC1996_FORMAT_HPP
#define SEC1996_SEC1996_FORMAT_HPP

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sec1996.h"
#include "sec1996.hpp"

namespace sec1996 {

/// A pattern or a text refused: status() says why (parseStatusText1996 is
/// what() too), offset() where, in the text read (or in the pattern, for
/// SEC1996_PARSE_PATTERN).
class pattern_error : public std::invalid_argument {
 public:
  /// The refusal status and its offset; what() puts both into words.
  pattern_error(Sec1996ParseStatus status, std::size_t offset)
      : std::invalid_argument(std::string(parseStatusText1996(status)) + " at offset " +
                              std::to_string(offset)),
        status_(status),
        offset_(offset) {}

  Sec1996ParseStatus status() const noexcept { return status_; }  ///< why
  std::size_t offset() const noexcept { return offset_; }         ///< where

 private:
  Sec1996ParseStatus status_;
  std::size_t offset_;
};

/// The text of a point on the scale in pattern's layout; the leap second
/// shows as second 60.  Throws pattern_error for an unknown or truncated
/// conversion, and for a point off the span (SEC1996_PARSE_OUT_OF_SPAN,
/// offset 0), whose label the count cannot carry.
inline std::string format(time_point point, const char* pattern) {
  const std::optional<Sec1996> count = to_count_checked(point);
  if (!count) throw pattern_error(SEC1996_PARSE_OUT_OF_SPAN, 0);
  constexpr std::size_t kFirstTry = 64;  // every common layout fits
  std::string text(kFirstTry, '\0');
  std::size_t length = 0;
  Sec1996ParseStatus status =
      formatDate1996(*count, pattern, text.data(), text.size() + 1, &length);
  if (status == SEC1996_PARSE_BUFFER_TOO_SMALL) {
    text.resize(length - 1);  // length is the size needed, the zero included
    status = formatDate1996(*count, pattern, text.data(), text.size() + 1, &length);
  }
  if (status != SEC1996_PARSE_OK) throw pattern_error(status, length);
  text.resize(length);
  return text;
}

/// format(point, pattern.c_str()).
inline std::string format(time_point point, const std::string& pattern) {
  return format(point, pattern.c_str());
}

/// The point a text names in pattern's layout, read strictly (see
/// parseDate1996).  Throws pattern_error for a text or pattern refused.
inline time_point parse(std::string_view text, const char* pattern) {
  Sec1996 count = 0;
  std::size_t offset = 0;
  const Sec1996ParseStatus status =
      parseDate1996(text.data(), text.size(), pattern, &count, &offset);
  if (status != SEC1996_PARSE_OK) throw pattern_error(status, offset);
  return from_count(count);
}

/// parse(text, pattern.c_str()).
inline time_point parse(std::string_view text, const std::string& pattern) {
  return parse(text, pattern.c_str());
}

}  // namespace sec1996

#endif  // SEC1996_SEC1996_FORMAT_HPP
