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
// and, on request only, the true-time forms of true_time.h: tai, tt, gps
// and gps-week.
#ifndef SEC1996_CLI_FORMAT_H
#define SEC1996_CLI_FORMAT_H

#include <cstddef>
#include <string_view>

#include "timescale/sec1996.h"

namespace sec1996::cli {

enum class Form { kCount, kIso8601, kText, kYearDay, kTai, kTt, kGps, kGpsWeek };

// Every form, in the order of the output line.
inline constexpr Form kAllForms[] = {Form::kCount, Form::kIso8601, Form::kText, Form::kYearDay};
// The true-time forms, written only when --output names them.
inline constexpr Form kTrueTimeForms[] = {Form::kTai, Form::kTt, Form::kGps, Form::kGpsWeek};

// The name of a form, as --output takes it and --header prints it.
std::string_view formName(Form form);

// Whether c can occur in some text of form: a delimiter that can must be
// quoted around it.
bool formMayContain(Form form, char c);

// The longest text of any form (the ISO 8601 and library texts; tt has at
// most 14 characters).
inline constexpr std::size_t kMaxFormLength = 20;

// The column names, as --header prints them, with the newline.
inline constexpr char kHeader[] = "count\tiso8601\ttext\tyearday\n";

// The longest line formatLine writes: a 10-digit count, the 20-character
// ISO and library texts, a year.day-of-year of at most 15 characters, three
// tabs and the newline.
inline constexpr std::size_t kMaxLineLength = 10 + 1 + 20 + 1 + 20 + 1 + 15 + 1;

// Each writer puts its text at out, without a terminating zero, and returns
// the end of what it wrote.

// The whole line of count, newline included; at most kMaxLineLength bytes.
char* formatLine(char* out, Sec1996 count);

// count in one form.  It may write one byte past the end it returns (a
// terminating zero), so out needs kMaxFormLength + 1 bytes.
char* formatForm(char* out, Sec1996 count, Form form);

// The year and day of the year as "%4.4ld.%9.6f" prints them.
char* formatYearDay(char* out, const YearDay1996& yearDay);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_FORMAT_H
