// The CCSDS time codes on the command line; see codes.h.
#include "codes.h"

#include "true_time.h"

#include <charconv>
#include <system_error>

namespace sec1996::cli {
namespace {

constexpr std::uint64_t kPicosecondsPerSecond = 1000000000000;
constexpr char kHexDigits[] = "0123456789ABCDEF";

__extension__ typedef unsigned __int128 Wide;

// Picoseconds as the least binary fraction of 2^-64 s not below them, and
// back, truncating: picosecondsOf(binaryOf(p)) == p for every p below 10^12,
// since a binary unit is far below a picosecond.
std::uint64_t binaryOf(std::uint64_t picoseconds) {
  const Wide scaled = Wide{picoseconds} << 64;
  return static_cast<std::uint64_t>((scaled + kPicosecondsPerSecond - 1) / kPicosecondsPerSecond);
}

std::uint64_t picosecondsOf(std::uint64_t binary) {
  return static_cast<std::uint64_t>((Wide{binary} * kPicosecondsPerSecond) >> 64);
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<int> numberOf(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

const char* codeName(Code code, const CodeLayouts& layouts) {
  switch (code) {
    case Code::kCuc:
      return layouts.cucLevel == 1 ? "CUC level 1" : "CUC";
    case Code::kCds:
      return "CDS";
    case Code::kCcs:
      return "CCS";
  }
  return "";
}

ParseResult refuse(std::string reason) { return {false, 0, std::move(reason)}; }

}  // namespace

std::optional<Code> codeNamed(std::string_view name) {
  if (name == "cuc") return Code::kCuc;
  if (name == "cds") return Code::kCds;
  if (name == "ccs") return Code::kCcs;
  return std::nullopt;
}

std::optional<std::string> readCucOctets(std::string_view text, CodeLayouts& layouts) {
  const std::size_t dot = text.find('.');
  const std::optional<int> coarse = numberOf(text.substr(0, dot));
  const std::optional<int> fine =
      dot == std::string_view::npos ? std::optional<int>(0) : numberOf(text.substr(dot + 1));
  if (!coarse || !fine || *coarse < 1 || *coarse > 7 || *fine < 0 || *fine > 8) {
    return "--cuc-octets takes COARSE.FINE, 1 to 7 coarse and 0 to 8 fine octets (as 4.2), not \"" +
           std::string(text) + "\"";
  }
  layouts.cuc.coarseOctets = *coarse;
  layouts.cuc.fineOctets = *fine;
  return std::nullopt;
}

std::optional<std::string> readCucLevel(std::string_view text, CodeLayouts& layouts) {
  if (text == "1" || text == "2") {
    layouts.cucLevel = text == "1" ? 1 : 2;
    return std::nullopt;
  }
  return "--cuc-level takes 1 (TAI from 1958) or 2 (the count), not \"" + std::string(text) + "\"";
}

std::optional<std::string> readCdsDay(std::string_view text, CodeLayouts& layouts) {
  if (text == "16" || text == "24") {
    layouts.cds.dayOctets = text == "16" ? 2 : 3;
    return std::nullopt;
  }
  return "--cds-day takes 16 or 24 (bits), not \"" + std::string(text) + "\"";
}

std::optional<std::string> readCdsSub(std::string_view text, CodeLayouts& layouts) {
  if (text == "none") {
    layouts.cds.subMillisecond = SEC1996_CDS_NO_SUB_MS;
  } else if (text == "us") {
    layouts.cds.subMillisecond = SEC1996_CDS_MICROSECONDS;
  } else if (text == "ps") {
    layouts.cds.subMillisecond = SEC1996_CDS_PICOSECONDS;
  } else {
    return "--cds-sub takes none, us or ps, not \"" + std::string(text) + "\"";
  }
  return std::nullopt;
}

std::optional<std::string> readCdsEpoch(std::string_view text, CodeLayouts& layouts) {
  if (text == "1958") {
    layouts.cds.agencyEpoch = 0;
    return std::nullopt;
  }
  // YYYY-MM-DD; the library says whether it is a real date.
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
  const std::optional<int> year = shaped ? numberOf(text.substr(0, 4)) : std::nullopt;
  const std::optional<int> mon = shaped ? numberOf(text.substr(5, 2)) : std::nullopt;
  const std::optional<int> day = shaped ? numberOf(text.substr(8, 2)) : std::nullopt;
  CodeLayouts probe = layouts;
  probe.cds.agencyEpoch = 1;
  probe.cds.epochYear = year.value_or(0);
  probe.cds.epochMon = mon.value_or(0);
  probe.cds.epochDay = day.value_or(0);
  std::uint8_t code[SEC1996_CCSDS_MAX_SIZE];
  if (!year || !mon || !day ||
      cvtFromSec1996_cds(0, 0, &probe.cds, code, sizeof code, nullptr) == SEC1996_PARSE_RESERVED) {
    return "--cds-epoch takes 1958 or an agency epoch YYYY-MM-DD that exists, not \"" +
           std::string(text) + "\"";
  }
  layouts.cds = probe.cds;
  return std::nullopt;
}

std::optional<std::string> readCcsCalendar(std::string_view text, CodeLayouts& layouts) {
  if (text == "month" || text == "yday") {
    layouts.ccs.dayOfYear = text == "yday" ? 1 : 0;
    return std::nullopt;
  }
  return "--ccs-calendar takes month or yday, not \"" + std::string(text) + "\"";
}

std::optional<std::string> readCcsOctets(std::string_view text, CodeLayouts& layouts) {
  const std::optional<int> octets = numberOf(text);
  if (!octets || *octets < 0 || *octets > 6) {
    return "--ccs-octets takes 0 to 6 (sub-second octets), not \"" + std::string(text) + "\"";
  }
  layouts.ccs.subSecondOctets = *octets;
  return std::nullopt;
}

void leaveOutPFields(CodeLayouts& layouts) {
  layouts.cuc.pField = 0;
  layouts.cds.pField = 0;
  layouts.ccs.pField = 0;
}

ParseResult parseCode(std::string_view hex, Code code, const CodeLayouts& layouts) {
  if (hex.empty()) return refuse("empty");
  std::uint8_t bytes[SEC1996_CCSDS_MAX_SIZE + 1];
  std::size_t size = 0;
  for (std::size_t i = 0; i < hex.size(); ++i) {
    if (hexValue(hex[i]) < 0) {
      return refuse("not hex: character " + std::to_string(i + 1) + " is not 0-9, A-F or a-f");
    }
  }
  if (hex.size() % 2 != 0) return refuse("an odd number of hex digits");
  // One octet more than any code holds is enough to tell that it is too long.
  for (std::size_t i = 0; i + 1 < hex.size() && size < sizeof bytes; i += 2) {
    bytes[size++] = static_cast<std::uint8_t>(hexValue(hex[i]) << 4 | hexValue(hex[i + 1]));
  }
  Sec1996 count = 0;
  std::uint64_t fraction = 0;
  std::size_t used = 0;
  Sec1996ParseStatus status = SEC1996_PARSE_OK;
  switch (code) {
    case Code::kCuc:
      status = layouts.cucLevel == 1
                   ? cvtToSec1996_cucTai(leapList(), bytes, size, &layouts.cuc, 0, &count,
                                         &fraction, &used)
                   : cvtToSec1996_cuc(bytes, size, &layouts.cuc, &count, &fraction, &used);
      break;
    case Code::kCds:
      status = cvtToSec1996_cds(bytes, size, &layouts.cds, &count, &fraction, &used);
      fraction = binaryOf(fraction);
      break;
    case Code::kCcs:
      status = cvtToSec1996_ccs(bytes, size, &layouts.ccs, &count, &fraction, &used);
      fraction = binaryOf(fraction);
      break;
  }
  if (status == SEC1996_PARSE_LIST_EXPIRED) {
    warnPastExpiry();
  } else if (status != SEC1996_PARSE_OK) {
    return refuse(std::string("not a ") + codeName(code, layouts) + ": " +
                  parseStatusText1996(status));
  }
  if (used != hex.size() / 2) {
    return refuse(std::string("octets after the ") + codeName(code, layouts) + " of " +
                  std::to_string(used) + " octets");
  }
  return {true, count, {}, fraction};
}

namespace {

Sec1996ParseStatus encode(Sec1996 count, std::uint64_t fraction, Code code,
                          const CodeLayouts& layouts, std::uint8_t* bytes, std::size_t& length) {
  constexpr std::size_t kSize = SEC1996_CCSDS_MAX_SIZE;
  switch (code) {
    case Code::kCuc:
      return layouts.cucLevel == 1
                 ? cvtFromSec1996_cucTai(leapList(), count, fraction, &layouts.cuc, bytes, kSize,
                                         &length)
                 : cvtFromSec1996_cuc(count, fraction, &layouts.cuc, bytes, kSize, &length);
    case Code::kCds:
      return cvtFromSec1996_cds(count, picosecondsOf(fraction), &layouts.cds, bytes, kSize,
                                &length);
    case Code::kCcs:
      return cvtFromSec1996_ccs(count, picosecondsOf(fraction), &layouts.ccs, bytes, kSize,
                                &length);
  }
  return SEC1996_PARSE_RESERVED;
}

}  // namespace

std::optional<std::string> codeProblem(Sec1996 count, std::uint64_t fraction, Code code,
                                       const CodeLayouts& layouts) {
  std::uint8_t bytes[SEC1996_CCSDS_MAX_SIZE];
  std::size_t length = 0;
  const Sec1996ParseStatus status = encode(count, fraction, code, layouts, bytes, length);
  if (status == SEC1996_PARSE_OK || status == SEC1996_PARSE_LIST_EXPIRED) return std::nullopt;
  // A level-1 code is also off its span before the leap-second list starts.
  std::int64_t tai = 0;
  const bool counter = code != Code::kCuc || layouts.cucLevel != 1 ||
                       cvtFromSec1996_tai(leapList(), count, &tai) != SEC1996_PARSE_OUT_OF_SPAN;
  return std::string("cannot be written as ") + codeName(code, layouts) + ": " +
         (status != SEC1996_PARSE_OUT_OF_SPAN ? parseStatusText1996(status)
          : counter                           ? "outside what the layout's counter holds"
                                              : "before the leap-second list's first date");
}

char* formatCode(char* out, Sec1996 count, std::uint64_t fraction, Code code,
                 const CodeLayouts& layouts) {
  std::uint8_t bytes[SEC1996_CCSDS_MAX_SIZE];
  std::size_t length = 0;
  const Sec1996ParseStatus status = encode(count, fraction, code, layouts, bytes, length);
  if (status == SEC1996_PARSE_LIST_EXPIRED) {
    warnPastExpiry();
  } else if (status != SEC1996_PARSE_OK) {
    return out;
  }
  for (std::size_t i = 0; i < length; ++i) {
    *out++ = kHexDigits[bytes[i] >> 4];
    *out++ = kHexDigits[bytes[i] & 0x0F];
  }
  return out;
}

}  // namespace sec1996::cli
