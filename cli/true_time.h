// True time in the converter: the leap-second list in use, the output forms
// tai, tt, gps and gps-week, and the inputs of the same forms, all through
// the public sec1996_scales.h.
//
//   tai        TAI seconds since 1958-01-01 00:00:00 TAI      1199145630
//   tt         TT seconds since 1958-01-01 00:00:00 TT, with  1199145662.184
//              the three decimals of its 32.184 s
//   gps        GPS seconds since 1980-01-06 00:00:00 UTC      504489611
//   gps-week   GPS week (not modulo 1024) and second of the   834:86411
//              week, joined by a colon
//
// As input each is written with its name and a colon first: tai:1199145630,
// tt:1199145662.184, gps:504489611, gps-week:834:86411.  A leap second the
// scale does not count (2016-12-31T23:59:60, tai:1861920036) is refused.
#ifndef SEC1996_CLI_TRUE_TIME_H
#define SEC1996_CLI_TRUE_TIME_H

#include <optional>
#include <string>
#include <string_view>

#include "parse.h"
#include "timescale/sec1996_scales.h"

namespace sec1996::cli {

// Chooses the list file (--leap-seconds); an empty path keeps the default
// table.  Reads it at once: false, with the library's message, if refused.
bool useLeapSecondsFile(const std::string& path, std::string& message);

// The list in use; the first use of the default table reports on standard
// error if it fell back to the built-in copy.
const Sec1996LeapList* leapList();

// Prints the list in use (--leap-list) on standard output: its source,
// dates and entries; a warning on standard error once it has expired.
// Returns false if output failed.
bool printLeapList();

// The input forms above, or nothing when input is none of them (it is then
// read as a count or a date).
std::optional<ParseResult> parseTrueTime(std::string_view input);

// Warns once on standard error that a value lies past the list's expiry
// (the true-time forms and the level-1 CUC call it).
void warnPastExpiry();

// Writes count in one of the true-time forms (nothing if the list gives it
// no TAI); warns once on standard error if a value lies past the expiry.
enum class TrueTimeForm { kTai, kTt, kGps, kGpsWeek };
char* formatTrueTime(char* out, Sec1996 count, TrueTimeForm form);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_TRUE_TIME_H
