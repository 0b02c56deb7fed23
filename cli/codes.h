// The CCSDS time codes on the command line: their layouts as the options
// set them, reading a code from hex and writing a count as one.
//
//   cuc   CUC level 2 with the scale's epoch: the count is the coarse time
//         (--cuc-level 2), or level 1: TAI seconds since 1958-01-01 from
//         the leap-second list in use (--cuc-level 1, --leap-seconds);
//         default 4 coarse and 2 fine octets (--cuc-octets 4.2)
//   cds   CDS: days from 1958-01-01 (--cds-epoch 1958, level 1) or from an
//         agency epoch date, 16-bit day (--cds-day 16), microseconds
//         (--cds-sub us)
//   ccs   CCS in BCD: month and day (--ccs-calendar month), three octets of
//         sub-seconds, 10^-6 s (--ccs-octets 3)
//
// Each is written and read with its P-field unless --no-pfield is given;
// a code read with its P-field may have any layout, the P-field says which.
// Codes are hex, two digits an octet, upper case written, either case read.
//
// A value keeps the fraction of a second a code gives, as a binary
// fraction of 2^-64 s, and the codes written keep it, truncated to their
// resolution.  Decimal fractions (CDS, CCS) are held as the least such
// binary fraction not below them, so that they come back exactly.
#ifndef SEC1996_CLI_CODES_H
#define SEC1996_CLI_CODES_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "parse.h"
#include "timescale/sec1996_ccsds.h"

namespace sec1996::cli {

enum class Code { kCuc, kCds, kCcs };

struct CodeLayouts {
  Sec1996CucLayout cuc = {1, 4, 2};
  int cucLevel = 2;  // 1: TAI from 1958, 2: the count
  Sec1996CdsLayout cds = {1, 2, SEC1996_CDS_MICROSECONDS, 0, 0, 0, 0};
  Sec1996CcsLayout ccs = {1, 0, 3};
};

// The longest hex text of a code: two digits for each octet.
inline constexpr std::size_t kMaxCodeLength = 2 * SEC1996_CCSDS_MAX_SIZE;

// The code a name (cuc, cds, ccs) stands for.
std::optional<Code> codeNamed(std::string_view name);

// Each reads the argument of one layout option into layouts, or says what
// is wrong with it.
std::optional<std::string> readCucOctets(std::string_view text, CodeLayouts& layouts);
std::optional<std::string> readCucLevel(std::string_view text, CodeLayouts& layouts);
std::optional<std::string> readCdsDay(std::string_view text, CodeLayouts& layouts);
std::optional<std::string> readCdsSub(std::string_view text, CodeLayouts& layouts);
std::optional<std::string> readCdsEpoch(std::string_view text, CodeLayouts& layouts);
std::optional<std::string> readCcsCalendar(std::string_view text, CodeLayouts& layouts);
std::optional<std::string> readCcsOctets(std::string_view text, CodeLayouts& layouts);
void leaveOutPFields(CodeLayouts& layouts);

// A value given as the hex of a code.
ParseResult parseCode(std::string_view hex, Code code, const CodeLayouts& layouts);

// Why count and fraction cannot be written as code, or nothing when they can.
std::optional<std::string> codeProblem(Sec1996 count, std::uint64_t fraction, Code code,
                                       const CodeLayouts& layouts);

// The hex of count and fraction as code, at out; the end of what was
// written (at most kMaxCodeLength bytes).  Only for what codeProblem
// accepts.
char* formatCode(char* out, Sec1996 count, std::uint64_t fraction, Code code,
                 const CodeLayouts& layouts);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_CODES_H
