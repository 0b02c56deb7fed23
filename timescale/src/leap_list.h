// The full leap-second list: its reader, the table object built from it and
// the conversions between counts and TAI that every true-time function
// shares.  The list's dates are turned once, when it is loaded, into the
// few counts at which TAI - count changes, so a conversion compares a count
// with those and never walks the list.
#ifndef SEC1996_SRC_LEAP_LIST_H
#define SEC1996_SRC_LEAP_LIST_H

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "arrays.h"
#include "leap_list_builtin.h"
#include "scale.h"
#include "sha1.h"
#include "timescale/sec1996_scales.h"

namespace sec1996::detail {

// ---- Epochs ----------------------------------------------------------------

// NTP seconds (from 1900-01-01 00:00:00 UTC) of 1996-01-01 00:00:00.
inline constexpr std::int64_t kNtpOfEpoch = -daysFromCivil(1900, 1, 1) * kSecondsPerDay;
static_assert(kNtpOfEpoch == 3029443200);
// Nominal seconds from 1958-01-01 to 1996-01-01: TAI - count at count 0 is
// this plus TAI-UTC then.
inline constexpr std::int64_t kNominalFrom1958 = -daysFromCivil(1958, 1, 1) * kSecondsPerDay;
static_assert(kNominalFrom1958 == 1199145600);
// GPS time is TAI - 19 s; its epoch, 1980-01-06 00:00:00 UTC, is TAI
// 1980-01-06 00:00:19.
inline constexpr std::int64_t kGpsMinusTai = 19;
inline constexpr std::int64_t kTaiOfGpsEpoch =
    (daysFromCivil(1980, 1, 6) - daysFromCivil(1958, 1, 1)) * kSecondsPerDay + kGpsMinusTai;
static_assert(kTaiOfGpsEpoch == 694656019);
inline constexpr std::int64_t kSecondsPerWeek = 7 * kSecondsPerDay;
// TT = TAI + 32.184 s, kept in milliseconds.
inline constexpr std::int64_t kTtMinusTaiMs = 32184;

// Beyond these a TAI, TT or GPS value is far off the scale, and rejecting it
// first keeps every later sum inside 64 bits.
inline constexpr std::int64_t kFarSeconds = std::int64_t{1} << 40;

// The scale's own leap seconds before or at a count (0 or 1): the count's
// UTC label, as seconds from 1996 with every day 86400 long, is count minus
// these, a leap second reading as 24:00:00 of its day.
constexpr std::int64_t scaleLeapsBefore(std::int64_t count) {
  std::int64_t inserted = 0;
  for (const std::int32_t entry : kLeapSeconds) inserted += count >= entry ? 1 : 0;
  return inserted;
}

}  // namespace sec1996::detail

// The table object of sec1996_scales.h.
struct Sec1996LeapList {
  // The list as read.
  std::vector<Sec1996LeapEntry> entries;
  std::int64_t updatedNtp = 0;
  std::int64_t expiresNtp = 0;
  bool hashChecked = false;
  Sec1996LeapListSource source = SEC1996_LIST_BUILTIN;
  std::string origin;
  bool isDefault = false;  // the default table, which is never freed

  // The same in counts.  From firstCount on, TAI - count is baseOffset plus
  // the steps of the boundaries at or below the count; TAI of count
  // boundary[j] is boundaryTai[j].  Only the list's steps that the scale
  // does not count are boundaries.  gapTai[j] is the TAI of the leap
  // second the scale lacks just before boundary[j] (for a +1 step), or
  // INT64_MIN (for a -1 step), a value every conversion refuses first.
  std::int64_t firstCount = 0;
  std::int64_t baseOffset = 0;
  std::vector<std::uint32_t> boundary;
  std::vector<std::int32_t> step;
  std::vector<std::int64_t> boundaryTai;
  std::vector<std::int64_t> gapTai;
  std::int64_t firstTai = 0;      // TAI of the first count served
  std::int64_t lastTai = 0;       // TAI of count 4294967295
  std::int64_t expiresCount = 0;  // the count of the expiry, exact (may pass 2^32)
};

namespace sec1996::detail {

// A number in decimal.  (Not std::to_string, whose digit table the shared
// library would export.)
inline std::string numberText(long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%lld", value);
  return text;
}

// ---- Errors ----------------------------------------------------------------

inline Sec1996ParseStatus fail(Sec1996LeapListError* error, Sec1996ParseStatus status,
                               std::string_view origin, std::size_t line,
                               const std::string& reason) {
  if (error != nullptr) {
    error->status = status;
    error->line = line;
    std::string text(origin);
    if (line != 0) {
      text.push_back(':');
      text.append(numberText(line));
    }
    text.append(": ");
    text.append(reason);
    const std::size_t length = text.size() < SEC1996_LIST_MESSAGE_SIZE - 1
                                   ? text.size()
                                   : std::size_t{SEC1996_LIST_MESSAGE_SIZE - 1};
    std::memcpy(error->message, text.data(), length);
    error->message[length] = '\0';
  }
  return status;
}

inline void clearError(Sec1996LeapListError* error) {
  if (error != nullptr) {
    error->status = SEC1996_PARSE_OK;
    error->line = 0;
    error->message[0] = '\0';
  }
}

// ---- Reading -----------------------------------------------------------------

constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A message about a #$ or #@ line, built without operator+ on a char
// (which g++ 12 warns about wrongly).
inline std::string specialLine(char kind, const char* before, const char* after) {
  std::string text(before);
  text.push_back(kind);
  text.append(after);
  return text;
}

inline std::string quoted(std::string_view field, const char* after) {
  std::string text("'");
  text.append(field);
  text.push_back('\'');
  text.append(after);
  return text;
}

// Splits off the next field of blanks-separated text.
inline std::string_view nextField(std::string_view& rest) {
  std::size_t start = 0;
  while (start < rest.size() && isBlank(rest[start])) ++start;
  std::size_t end = start;
  while (end < rest.size() && !isBlank(rest[end])) ++end;
  const std::string_view field = rest.substr(start, end - start);
  rest.remove_prefix(end);
  return field;
}

inline bool onlyBlanks(std::string_view text) {
  for (const char c : text) {
    if (!isBlank(c)) return false;
  }
  return true;
}

// A decimal number of at most 12 digits with an optional sign, as NTP
// seconds and TAI-UTC are written.
inline bool readNumber(std::string_view field, bool signAllowed, std::int64_t& value) {
  bool negative = false;
  if (signAllowed && !field.empty() && (field[0] == '-' || field[0] == '+')) {
    negative = field[0] == '-';
    field.remove_prefix(1);
  }
  if (field.empty() || field.size() > 12) return false;
  std::int64_t v = 0;
  for (const char c : field) {
    if (!isDigit(c)) return false;
    v = v * 10 + (c - '0');
  }
  value = negative ? -v : v;
  return true;
}

// A 32-bit word of the #h line in hexadecimal; the published lists drop
// leading zeros.
inline bool readHexWord(std::string_view field, std::uint32_t& value) {
  if (field.empty() || field.size() > 8) return false;
  std::uint32_t v = 0;
  for (const char c : field) {
    std::uint32_t digit = 0;
    if (isDigit(c)) {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      return false;
    }
    v = v << 4 | digit;
  }
  value = v;
  return true;
}

// The UTC date of a midnight in NTP seconds.
inline Date1996 dateOfNtp(std::int64_t ntp) {
  const CivilDate date = civilFromDays(floorDiv(ntp - kNtpOfEpoch, kSecondsPerDay));
  return {static_cast<std::int32_t>(date.year), date.mon, date.day, 0, 0, 0};
}

// The exact count of a midnight given in NTP seconds.
inline std::int64_t countOfNtpMidnight(std::int64_t ntp) {
  return midnightCount(floorDiv(ntp - kNtpOfEpoch, kSecondsPerDay), kLeapSeconds);
}

inline std::string dateText(std::int64_t ntp) {
  const Date1996 d = dateOfNtp(ntp);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(d.year), d.mon, d.day);
  return text;
}

// Derives the count form of a list whose entries are read and checked.
// Returns false, with the reason, when the list contradicts the scale.
inline bool deriveCounts(Sec1996LeapList& list, std::string& reason) {
  constexpr std::int64_t kLast = UINT32_MAX;
  list.boundary.clear();
  list.step.clear();
  list.boundaryTai.clear();
  list.gapTai.clear();
  // The offset TAI - count from the midnight of entry i on: that midnight's
  // nominal seconds from 1958 plus TAI-UTC, minus its count.
  auto offsetOf = [](const Sec1996LeapEntry& e) {
    const std::int64_t nominal = e.ntpSeconds - kNtpOfEpoch + kNominalFrom1958;
    return nominal + e.taiMinusUtc - countOfNtpMidnight(e.ntpSeconds);
  };
  // The scale's own leap second needs the list's +1 step at the same
  // midnight, or that second would have no TAI of its own.
  for (const std::int32_t scaleEntry : kLeapSeconds) {
    const std::int64_t midnight = scaleEntry;  // the count of the day after it
    bool covered = false, stepped = false;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
      const std::int64_t c = countOfNtpMidnight(list.entries[i].ntpSeconds);
      if (c < midnight) covered = true;
      if (c == midnight && i > 0 &&
          list.entries[i].taiMinusUtc - list.entries[i - 1].taiMinusUtc == 1) {
        stepped = true;
      }
    }
    if (covered && !stepped) {
      const CivilDate day =
          civilFromDays(floorDiv(midnight - scaleLeapsBefore(midnight), kSecondsPerDay));
      char date[32];
      std::snprintf(date, sizeof date, "%04lld-%02d-%02d", static_cast<long long>(day.year),
                    day.mon, day.day);
      reason = std::string("no +1 step of TAI-UTC at ") + date +
               ", where the scale counts a leap second";
      return false;
    }
  }
  std::size_t i = 0;
  // The last entry at or before count 0 gives the first offset.
  while (i + 1 < list.entries.size() && countOfNtpMidnight(list.entries[i + 1].ntpSeconds) <= 0) {
    ++i;
  }
  const std::int64_t start = countOfNtpMidnight(list.entries[i].ntpSeconds);
  list.firstCount = start < 0 ? 0 : start;
  list.baseOffset = offsetOf(list.entries[i]);
  std::int64_t offset = list.baseOffset;
  for (++i; i < list.entries.size(); ++i) {
    const std::int64_t c = countOfNtpMidnight(list.entries[i].ntpSeconds);
    if (c > kLast) break;
    const std::int64_t next = offsetOf(list.entries[i]);
    if (next != offset) {
      list.boundary.push_back(static_cast<std::uint32_t>(c));
      list.step.push_back(static_cast<std::int32_t>(next - offset));
      list.boundaryTai.push_back(c + next);
      list.gapTai.push_back(next > offset ? c + offset : INT64_MIN);  // 23:59:60 before c
      offset = next;
    }
  }
  list.firstTai = list.firstCount + list.baseOffset;
  list.lastTai = kLast + offset;
  list.expiresCount = countOfNtpMidnight(list.expiresNtp);
  return true;
}

// Reads a list from text.  Nothing of list is touched unless the whole text
// is accepted.
inline Sec1996ParseStatus parseLeapList(std::string_view text, std::string_view origin,
                                        Sec1996LeapList& list, Sec1996LeapListError* error) {
  Sec1996LeapList read;
  std::vector<std::size_t> lineOf;  // the line of each entry
  std::string_view updatedText, expiresText;
  bool hasUpdated = false, hasExpires = false, hasHash = false;
  Sha1Digest expected{};
  std::string data;  // what the hash covers after the two dates
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find('\0') != std::string_view::npos) {
      return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber, "a zero byte in the line");
    }
    if (line.size() >= 2 && line[0] == '#' && (line[1] == '$' || line[1] == '@')) {
      const bool isExpiry = line[1] == '@';
      std::string_view rest = line.substr(2);
      const std::string_view field = nextField(rest);
      std::int64_t value = 0;
      if (!readNumber(field, false, value) || !onlyBlanks(rest)) {
        return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                    specialLine(line[1], "the #", " line holds no NTP seconds"));
      }
      bool& seen = isExpiry ? hasExpires : hasUpdated;
      if (seen) {
        return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                    specialLine(line[1], "a second #", " line"));
      }
      seen = true;
      (isExpiry ? read.expiresNtp : read.updatedNtp) = value;
      (isExpiry ? expiresText : updatedText) = field;
      continue;
    }
    if (line.size() >= 2 && line[0] == '#' && line[1] == 'h') {
      if (hasHash) {
        return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber, "a second #h line");
      }
      std::string_view rest = line.substr(2);
      for (std::uint32_t& word : expected) {
        if (!readHexWord(nextField(rest), word)) {
          return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                      "the #h line is not five hexadecimal words");
        }
      }
      if (!onlyBlanks(rest)) {
        return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                    "the #h line is not five hexadecimal words");
      }
      hasHash = true;
      continue;
    }
    if (!line.empty() && line[0] == '#') continue;  // a comment
    std::string_view rest = line.substr(0, line.find('#'));
    if (onlyBlanks(rest)) {
      if (rest.size() == line.size()) continue;  // a blank line
      return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                  "a comment that does not start the line must follow a date");
    }
    const std::string_view ntpField = nextField(rest);
    const std::string_view dtaiField = nextField(rest);
    std::int64_t ntp = 0, dtai = 0;
    if (!readNumber(ntpField, false, ntp)) {
      return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                  quoted(ntpField, " is not NTP seconds"));
    }
    if (dtaiField.empty() || !readNumber(dtaiField, true, dtai) || dtai > 100000 ||
        dtai < -100000) {
      return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                  dtaiField.empty() ? std::string("no TAI-UTC after the NTP seconds")
                                    : quoted(dtaiField, " is not TAI-UTC seconds"));
    }
    if (!onlyBlanks(rest)) {
      return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                  "more than NTP seconds and TAI-UTC before the comment");
    }
    if (ntp % kSecondsPerDay != 0) {
      return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, lineNumber,
                  numberText(ntp) + " is not 00:00:00 UTC of a day");
    }
    if (!read.entries.empty()) {
      const Sec1996LeapEntry& previous = read.entries.back();
      if (ntp <= previous.ntpSeconds) {
        return fail(error, SEC1996_PARSE_LIST_ORDER, origin, lineNumber,
                    dateText(ntp) + " does not follow " + dateText(previous.ntpSeconds));
      }
      const std::int64_t change = dtai - previous.taiMinusUtc;
      if (change != 1 && change != -1) {
        return fail(
            error, SEC1996_PARSE_LIST_STEP, origin, lineNumber,
            "TAI-UTC steps from " + numberText(previous.taiMinusUtc) + " to " + numberText(dtai));
      }
    }
    read.entries.push_back({ntp, static_cast<std::int32_t>(dtai), dateOfNtp(ntp)});
    lineOf.push_back(lineNumber);
    data.append(ntpField);
    data.append(dtaiField);
  }
  if (read.entries.empty()) {
    return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, 0, "no leap-second data lines");
  }
  if (!hasExpires) {
    return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, 0, "no #@ expiry line");
  }
  if (hasHash) {
    Sha1 sha;
    sha.add(updatedText.data(), updatedText.size());
    sha.add(expiresText.data(), expiresText.size());
    sha.add(data.data(), data.size());
    if (sha.finish() != expected) {
      return fail(error, SEC1996_PARSE_LIST_HASH, origin, 0,
                  "the #h hash does not match the data (altered or damaged list)");
    }
  }
  read.hashChecked = hasHash;
  std::string reason;
  if (!deriveCounts(read, reason)) {
    return fail(error, SEC1996_PARSE_LIST_STEP, origin, 0, reason);
  }
  read.origin = std::string(origin);
  list = std::move(read);
  clearError(error);
  return SEC1996_PARSE_OK;
}

// The largest list file read; the published one is under 5 KiB.
inline constexpr long kMaxListBytes = 1 << 20;

inline Sec1996ParseStatus loadLeapListFile(const char* path, Sec1996LeapList& list,
                                           Sec1996LeapListError* error) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0,
                std::string("cannot open: ") + std::strerror(errno));
  }
  std::string text;
  char buffer[4096];
  std::size_t got = 0;
  bool tooLarge = false;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text.append(buffer, got);
    if (text.size() > static_cast<std::size_t>(kMaxListBytes)) {
      tooLarge = true;
      break;
    }
  }
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (tooLarge) {
    return fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "larger than 1 MiB, not a list");
  }
  if (readError) return fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "cannot read");
  return parseLeapList(text, path, list, error);
}

inline Sec1996LeapList builtinLeapList() {
  Sec1996LeapList list;
  for (const BuiltinLeapEntry& e : kBuiltinLeapEntries) {
    list.entries.push_back({e.ntpSeconds, e.taiMinusUtc, dateOfNtp(e.ntpSeconds)});
  }
  list.updatedNtp = kBuiltinUpdatedNtp;
  list.expiresNtp = kBuiltinExpiresNtp;
  list.origin = "built-in";
  std::string reason;
  deriveCounts(list, reason);  // the copy agrees with the scale: the tests check it
  return list;
}

// ---- The default table ---------------------------------------------------------

struct DefaultLeapList {
  Sec1996LeapList list;
  Sec1996LeapListError fallback{};
};

inline DefaultLeapList loadDefaultLeapList() {
  DefaultLeapList result;
  clearError(&result.fallback);
  const char* env = std::getenv(SEC1996_LEAP_SECONDS_ENV);
  const bool fromEnv = env != nullptr && env[0] != '\0';
  const char* path = fromEnv ? env : SEC1996_LEAP_SECONDS_FILE;
  if (loadLeapListFile(path, result.list, &result.fallback) == SEC1996_PARSE_OK) {
    result.list.source = fromEnv ? SEC1996_LIST_ENV_FILE : SEC1996_LIST_DEFAULT_FILE;
  } else {
    result.list = builtinLeapList();
    result.list.source = SEC1996_LIST_BUILTIN;
    const std::size_t used = std::strlen(result.fallback.message);
    std::snprintf(result.fallback.message + used, sizeof result.fallback.message - used,
                  " (the built-in list is used)");
  }
  result.list.isDefault = true;
  return result;
}

// Loaded on first use, exactly once, however many threads ask at once (a
// function-local static is initialised as by std::call_once).
inline const DefaultLeapList& defaultLeapList() {
  static const DefaultLeapList table = loadDefaultLeapList();
  return table;
}

inline const Sec1996LeapList& listOrDefault(const Sec1996LeapList* list) {
  return list != nullptr ? *list : defaultLeapList().list;
}

// ---- Counts and TAI ----------------------------------------------------------------

struct TaiResult {
  std::int64_t tai;
  Sec1996ParseStatus status;
};

constexpr Sec1996ParseStatus worse(Sec1996ParseStatus a, Sec1996ParseStatus b) {
  if (a == SEC1996_PARSE_OUT_OF_SPAN || b == SEC1996_PARSE_OUT_OF_SPAN) {
    return SEC1996_PARSE_OUT_OF_SPAN;
  }
  return a != SEC1996_PARSE_OK ? a : b;
}

inline TaiResult taiOfCount(const Sec1996LeapList& list, std::uint32_t count) {
  const std::size_t n = list.boundary.size();
  std::int64_t offset = list.baseOffset;
  for (std::size_t j = 0; j < n; ++j) offset += count >= list.boundary[j] ? list.step[j] : 0;
  Sec1996ParseStatus status = SEC1996_PARSE_OK;
  if (count >= list.expiresCount) status = SEC1996_PARSE_LIST_EXPIRED;
  if (count < list.firstCount) status = SEC1996_PARSE_OUT_OF_SPAN;
  return {std::int64_t{count} + offset, status};
}

struct CountResult {
  std::uint32_t count;  // set unless status refuses it (a mapped leap second included)
  Sec1996ParseStatus status;
};

inline CountResult countOfTai(const Sec1996LeapList& list, std::int64_t tai, unsigned flags) {
  if (tai < list.firstTai || tai > list.lastTai) return {0, SEC1996_PARSE_OUT_OF_SPAN};
  std::int64_t offset = list.baseOffset;
  bool gap = false;
  const std::size_t n = list.boundaryTai.size();
  for (std::size_t j = 0; j < n; ++j) {
    offset += tai >= list.boundaryTai[j] ? list.step[j] : 0;
    gap |= tai == list.gapTai[j];
  }
  const auto count = static_cast<std::uint32_t>(tai - offset);
  if (gap) {
    const bool mapped = (flags & SEC1996_MAP_LEAP_TO_235959) != 0;
    return {mapped ? count - 1 : 0, SEC1996_PARSE_LEAP_NOT_ON_SCALE};
  }
  return {count, count >= list.expiresCount ? SEC1996_PARSE_LIST_EXPIRED : SEC1996_PARSE_OK};
}

// Writes the count where the status gives one.
inline Sec1996ParseStatus storeCount(const CountResult& result, unsigned flags, Sec1996* count) {
  const bool has = result.status == SEC1996_PARSE_OK ||
                   result.status == SEC1996_PARSE_LIST_EXPIRED ||
                   (result.status == SEC1996_PARSE_LEAP_NOT_ON_SCALE &&
                    (flags & SEC1996_MAP_LEAP_TO_235959) != 0);
  if (has && count != nullptr) *count = result.count;
  return result.status;
}

constexpr bool hasValue(Sec1996ParseStatus status) {
  return status == SEC1996_PARSE_OK || status == SEC1996_PARSE_LIST_EXPIRED;
}

// TT in milliseconds to TAI in seconds, or FRACTION / OUT_OF_SPAN.
struct TaiFromTt {
  std::int64_t tai;
  Sec1996ParseStatus status;
};
constexpr TaiFromTt taiFromTt(std::int64_t ttMilliseconds) {
  if (floorMod(ttMilliseconds, 1000) != kTtMinusTaiMs % 1000) return {0, SEC1996_PARSE_FRACTION};
  return {floorDiv(ttMilliseconds, 1000) - kTtMinusTaiMs / 1000, SEC1996_PARSE_OK};
}

// GPS seconds to TAI, with values far off the scale kept far off.
constexpr std::int64_t taiFromGps(std::int64_t gps) {
  if (gps > kFarSeconds) return kFarSeconds;
  if (gps < -kFarSeconds) return -kFarSeconds;
  return gps + kTaiOfGpsEpoch;
}

// ---- Array kernels ---------------------------------------------------------------
//
// The elements go through in blocks: TAI - count of a whole block is built
// up one boundary at a time, in loops over the block that vectorise (a list
// has a handful of boundaries on the scale: 6 with the 2026 list), and the
// result is finished element by element in another such loop.

inline constexpr std::size_t kListBlock = 256;

// The statuses of a block of counts, as taiOfCount gives them.
[[gnu::always_inline]] inline void blockStatuses(const Sec1996LeapList& list,
                                                 const std::uint32_t* in, std::size_t n,
                                                 Sec1996ParseStatus* statuses) {
  // Both limits as 32-bit counts: past 2^32 - 1 no count reaches them.
  const std::uint32_t expires =
      list.expiresCount > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(list.expiresCount);
  const bool expiresOnScale = list.expiresCount <= UINT32_MAX;
  const auto first =
      static_cast<std::uint32_t>(list.firstCount > UINT32_MAX ? UINT32_MAX : list.firstCount);
  const bool allRefused = list.firstCount > UINT32_MAX;
  for (std::size_t i = 0; i < n; ++i) {
    Sec1996ParseStatus s = SEC1996_PARSE_OK;
    s = (expiresOnScale && in[i] >= expires) ? SEC1996_PARSE_LIST_EXPIRED : s;
    s = (allRefused || in[i] < first) ? SEC1996_PARSE_OUT_OF_SPAN : s;
    statuses[i] = s;
  }
}

// steps[i] = TAI - count of in[i] less the base offset, and the statuses.
[[gnu::always_inline]] inline void blockOffsets(const Sec1996LeapList& list,
                                                const std::uint32_t* in, std::size_t n,
                                                std::int32_t* steps, Sec1996ParseStatus* statuses) {
  for (std::size_t i = 0; i < n; ++i) steps[i] = 0;
  const std::size_t boundaries = list.boundary.size();
  for (std::size_t j = 0; j < boundaries; ++j) {
    const std::uint32_t b = list.boundary[j];
    const std::int32_t s = list.step[j];
    for (std::size_t i = 0; i < n; ++i) steps[i] += in[i] >= b ? s : 0;
  }
  blockStatuses(list, in, n, statuses);
}

// Runs finish(i, tai, status) over the elements of in, with their TAI.
template <class Finish>
[[gnu::always_inline]] inline void forEachTai(const Sec1996LeapList& list, const std::uint32_t* in,
                                              std::size_t n, Finish finish) {
  std::int32_t steps[kListBlock];
  Sec1996ParseStatus statuses[kListBlock];
  const std::int64_t base = list.baseOffset;
  for (std::size_t start = 0; start < n; start += kListBlock) {
    const std::size_t m = n - start < kListBlock ? n - start : kListBlock;
    blockOffsets(list, in + start, m, steps, statuses);
    for (std::size_t i = 0; i < m; ++i) {
      finish(start + i, std::int64_t{in[start + i]} + base + steps[i], statuses[i]);
    }
  }
}

// Runs finish(i, count, status) over TAI values; the count is the mapped
// one for a leap second the scale lacks when flags ask for it, else 0.
template <class Finish>
[[gnu::always_inline]] inline void forEachCount(const Sec1996LeapList& list,
                                                const std::int64_t* tai, std::size_t n,
                                                unsigned flags, Finish finish) {
  std::int64_t offsets[kListBlock];
  std::int32_t gaps[kListBlock];
  const std::int64_t base = list.baseOffset;
  const std::int64_t firstTai = list.firstTai;
  const std::int64_t lastTai = list.lastTai;
  const std::int64_t expires = list.expiresCount;
  const bool mapped = (flags & SEC1996_MAP_LEAP_TO_235959) != 0;
  for (std::size_t start = 0; start < n; start += kListBlock) {
    const std::size_t m = n - start < kListBlock ? n - start : kListBlock;
    const std::int64_t* t = tai + start;
    for (std::size_t i = 0; i < m; ++i) {
      offsets[i] = base;
      gaps[i] = 0;
    }
    const std::size_t boundaries = list.boundaryTai.size();
    for (std::size_t j = 0; j < boundaries; ++j) {
      const std::int64_t b = list.boundaryTai[j];
      const std::int64_t g = list.gapTai[j];
      const std::int64_t s = list.step[j];
      for (std::size_t i = 0; i < m; ++i) {
        offsets[i] += t[i] >= b ? s : 0;
        gaps[i] |= t[i] == g ? 1 : 0;
      }
    }
    for (std::size_t i = 0; i < m; ++i) {
      const bool inSpan = t[i] >= firstTai && t[i] <= lastTai;
      // Off the span the difference is not used; unsigned, it cannot
      // overflow.
      const std::uint64_t c =
          static_cast<std::uint64_t>(t[i]) - static_cast<std::uint64_t>(offsets[i]);
      const bool gap = gaps[i] != 0;
      Sec1996ParseStatus s =
          static_cast<std::int64_t>(c) >= expires ? SEC1996_PARSE_LIST_EXPIRED : SEC1996_PARSE_OK;
      s = gap ? SEC1996_PARSE_LEAP_NOT_ON_SCALE : s;
      s = inSpan ? s : SEC1996_PARSE_OUT_OF_SPAN;
      std::uint32_t out = static_cast<std::uint32_t>(c) - (gap ? 1U : 0U);
      out = (inSpan && (!gap || mapped)) ? out : 0;
      finish(start + i, out, s);
    }
  }
}

// Runs an array kernel, an always-inline function, as compiled for this
// processor (see arrays.h).
template <auto kernel, class... Args>
SEC1996_AVX2_TARGET std::size_t runWithAvx2(Args... args) {
  return kernel(args...);
}

template <auto kernel, class... Args>
std::size_t runArray(Args... args) {
  return hasAvx2() ? runWithAvx2<kernel>(args...) : kernel(args...);
}

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_LEAP_LIST_H
