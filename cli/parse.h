// Strict reading of one input value.  The library normalises whatever it is
// given (month 13 is January of the next year, 24:00:01 the next day); the
// converter instead refuses anything that is not exactly one of these forms,
// naming what is wrong:
//
//   count        decimal digits only, 0 to 4294967295; leading zeros are
//                allowed (CvtTest prints 12 digits), a sign is not, so
//                -0 and +5 are refused like -5.
//   ISO 8601     YYYY-MM-DDTHH:MM:SS, optionally followed by Z (upper case).
//   library text DD-Mon-YYYY HH:MM:SS, as stringDate1996 writes it (month
//                names Jan to Dec, in that case).
//   POSIX time   @SECONDS: '@', an optional '-' and decimal digits, POSIX
//                seconds from 820454400 (@820454400 is count 0) to
//                5115421694 (cvtToSec1996_posix_checked; never a leap
//                second).
//   year.day     YYYY.DDD.ffffff as CvtTest prints it ("%4.4ld.%9.6f"): the
//                day of the year without leading zeros, a day below 10
//                with or without CvtTest's leading blank ("1996. 1.000000"
//                or "1996.1.000000"), and exactly six decimals.
//
// The dates name a real UTC second: months 01 to 12, days that exist in
// their month or year, hours 00 to 23 (24:00:00 too is refused), minutes
// and seconds 00 to 59, and second 60 only at 23:59:60 of a leap second in
// the library's table.  The date must lie on the scale, from
// 1996-01-01 00:00:00 to 2132-02-07 06:28:14 (count 4294967295).  Nothing
// may come before or after the form: no blanks, no carriage return.
//
// Dates in both fixed-width forms are checked by the library's own strict
// ISO 8601 reader (the library text is rewritten as ISO 8601 first), so the
// converter and the library agree on what a real second is; the messages
// are built from the reader's status and the fields of the text.
//
// Accepted values convert through the library's public functions, so what a
// form means is the library's reading of it: 23:59:59 in the library text
// is the first of the two 23:59:59 around a leap second, and a year.day
// value is rounded to the nearest second (1997.182.000000, the reading of
// the leap second 1997-06-30 23:59:60, gives 1997-07-01 00:00:00).
#ifndef SEC1996_CLI_PARSE_H
#define SEC1996_CLI_PARSE_H

#include <cstdint>
#include <string>
#include <string_view>

#include "timescale/sec1996.h"

namespace sec1996::cli {

struct ParseResult {
  bool ok = false;
  Sec1996 count = 0;   // when ok
  std::string reason;  // when refused: why, in a few words
  // The fraction of a second after count that a time code gave, in units
  // of 2^-64 s (see codes.h); 0 for every other form.
  std::uint64_t fraction = 0;
};

ParseResult parseValue(std::string_view input);

// With --input-format: input read with parseDate1996 in pattern's layout,
// and in no other form; an empty pattern is parseValue(input).
ParseResult parseValue(std::string_view input, const std::string& pattern);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_PARSE_H
