// The forms the converter writes a count in, and its output line: one count
// in every form, as tab-separated columns.
//
//   count      decimal, no padding                  47260800
//   iso8601    YYYY-MM-DDTHH:MM:SSZ, a leap second   1997-06-30T23:59:60Z
//              shown as 23:59:60 (lossless)
//   text       the library's DD-Mon-YYYY HH:MM:SS    30-Jun-1997 23:59:59
//   yearday    year.day-of-year exactly as CvtTest   1997.182.000000
//              prints it ("%4.4ld.%9.6f": a day
//              below 10 gets a leading blank)
//   cuc, cds,  the CCSDS time codes in hex, only when 2E02D124800000
//   ccs        asked for (codes.h)
// and, when asked for (not in the default line):
//   posix      POSIX seconds, cvtFromSec1996_posix:  867715199
//              the leap second reads as 23:59:59
//   format     the layout of --format PATTERN        1997-06-30 23:59:60
//   tai, tt,   true time, from the leap-second list      1115856032
//   gps, gps-week (true_time.h)
#ifndef SEC1996_CLI_FORMAT_H
#define SEC1996_CLI_FORMAT_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codes.h"
#include "timescale/sec1996.h"

namespace sec1996::cli {

enum class Form {
  kCount,
  kIso8601,
  kText,
  kYearDay,
  kPosix,
  kPattern,
  kCuc,
  kCds,
  kCcs,
  kTai,
  kTt,
  kGps,
  kGpsWeek
};

// Every form, in the order of the output line.
inline constexpr Form kAllForms[] = {Form::kCount, Form::kIso8601, Form::kText, Form::kYearDay};
// The true-time forms, written only when --output names them.
inline constexpr Form kTrueTimeForms[] = {Form::kTai, Form::kTt, Form::kGps, Form::kGpsWeek};

// The time codes, written only when --output names them.
inline constexpr Form kCodeForms[] = {Form::kCuc, Form::kCds, Form::kCcs};

// Every form --output names; kPattern is chosen by --format instead.
inline constexpr Form kNamedForms[] = {Form::kCount, Form::kIso8601, Form::kText, Form::kYearDay,
                                       Form::kPosix, Form::kCuc,     Form::kCds,  Form::kCcs};

// The name of a form, as --output takes it and --header prints it.
std::string_view formName(Form form);

// Whether c can occur in some text of form: a delimiter that can must be
// quoted around it.
bool formMayContain(Form form, char c);

// The longest text of any form (the hex of the longest time code).
inline constexpr std::size_t kMaxFormLength = kMaxCodeLength;

// The longest line formatLine writes: a 10-digit count, the 20-character
// ISO and library texts, a year.day-of-year of at most 15 characters, three
// tabs and the newline.
inline constexpr std::size_t kMaxOutputLineLength = 10 + 1 + 20 + 1 + 20 + 1 + 15 + 1;

// Each writer puts its text at out, without a terminating zero, and returns
// the end of what it wrote.

// The whole line of count, newline included; at most kMaxOutputLineLength bytes.
char* formatLine(char* out, Sec1996 count);

// count in one form; a time code with fraction (in 2^-64 s) in the layout
// layouts gives it, which the caller has checked it can (codeProblem).  It
// may write one byte past the end it returns (a terminating zero), so out
// needs kMaxFormLength + 1 bytes.
char* formatForm(char* out, Sec1996 count, Form form, std::uint64_t fraction = 0,
                 const CodeLayouts& layouts = CodeLayouts{});

// The longest text formatPattern writes: a pattern has at most
// SEC1996_PATTERN_MAX_LENGTH characters, and no conversion of two writes
// more than ten (%s, %A, %B).
inline constexpr std::size_t kMaxPatternLength = SEC1996_PATTERN_MAX_LENGTH * 5;

// count in the layout of a checked pattern (see Options::outputPattern), at
// most kMaxPatternLength bytes; it writes a terminating zero after them.
char* formatPattern(char* out, Sec1996 count, const char* pattern);

// The year and day of the year as "%4.4ld.%9.6f" prints them.
char* formatYearDay(char* out, const YearDay1996& yearDay);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_FORMAT_H
