// The full leap-second list: its reader, the table object built from it and
// the conversions between counts and TAI that every true-time function
// shares.  The list's dates are turned once, when it is loaded, into the
// few counts at which TAI - count changes, so a conversion compares a count
// with those and never walks the list.
#ifndef SEC1996_SRC_LEAP_LIST_H
#define SEC1996_SRC_LEAP_LIST_H

#include <pthread.h>

#include <cerrno>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

namespace sec1996::detail {

// The most entries a list may hold; the published one has 28, and gains
// one every few years at most.
inline constexpr std::size_t kMaxLeapEntries = 512;
// The longest origin (path or name) kept; longer ones are cut.
inline constexpr std::size_t kMaxOrigin = 4096;

}  // namespace sec1996::detail

// The table object of sec1996_scales.h.  Plain data, with no member that
// needs the C++ run time, so that the library needs only the C library:
// it is allocated with calloc and copied whole.
struct Sec1996LeapList {
  // The list as read.
  Sec1996LeapEntry entries[sec1996::detail::kMaxLeapEntries];
  std::size_t entryCount;
  std::int64_t updatedNtp;
  std::int64_t expiresNtp;
  bool hashChecked;
  Sec1996LeapListSource source;
  char origin[sec1996::detail::kMaxOrigin];
  bool isDefault;  // the default table, which is never freed

  // The same in counts.  From firstCount on, TAI - count is baseOffset plus
  // the steps of the boundaries at or below the count; TAI of count
  // boundary[j] is boundaryTai[j].  Only the list's steps that the scale
  // does not count are boundaries.  gapTai[j] is the TAI of the leap
  // second the scale lacks just before boundary[j] (for a +1 step), or
  // INT64_MIN (for a -1 step), a value every conversion refuses first.
  std::int64_t firstCount;
  std::int64_t baseOffset;
  std::uint32_t boundary[sec1996::detail::kMaxLeapEntries];
  std::int32_t step[sec1996::detail::kMaxLeapEntries];
  std::int64_t boundaryTai[sec1996::detail::kMaxLeapEntries];
  std::int64_t gapTai[sec1996::detail::kMaxLeapEntries];
  std::size_t boundaryCount;
  std::int64_t firstTai;      // TAI of the first count served
  std::int64_t lastTai;       // TAI of count 4294967295
  std::int64_t expiresCount;  // the count of the expiry, exact (may pass 2^32)
};

namespace sec1996::detail {

// ---- Errors ----------------------------------------------------------------

inline void copyText(char* out, std::size_t size, const char* text, std::size_t length) {
  const std::size_t kept = length < size - 1 ? length : size - 1;
  std::memcpy(out, text, kept);
  out[kept] = '\0';
}

[[gnu::format(printf, 5, 6)]] inline Sec1996ParseStatus fail(Sec1996LeapListError* error,
                                                             Sec1996ParseStatus status,
                                                             const char* origin, std::size_t line,
                                                             const char* pattern, ...) {
  if (error != nullptr) {
    // The origin is cut after 190 bytes, the reason after 100, so that both
    // fit the message.
    char reason[128];
    std::va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(reason, sizeof reason, pattern, arguments);
    va_end(arguments);
    error->status = status;
    error->line = line;
    if (line != 0) {
      std::snprintf(error->message, sizeof error->message, "%.190s:%zu: %.100s", origin, line,
                    reason);
    } else {
      std::snprintf(error->message, sizeof error->message, "%.190s: %.100s", origin, reason);
    }
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

// A piece of the text: no copy, no terminating zero.
struct Span {
  const char* data;
  std::size_t size;
};

// Splits off the next field of blanks-separated text.
inline Span nextField(Span& rest) {
  std::size_t start = 0;
  while (start < rest.size && isBlank(rest.data[start])) ++start;
  std::size_t end = start;
  while (end < rest.size && !isBlank(rest.data[end])) ++end;
  const Span field{rest.data + start, end - start};
  rest = {rest.data + end, rest.size - end};
  return field;
}

inline bool onlyBlanks(Span text) {
  for (std::size_t i = 0; i < text.size; ++i) {
    if (!isBlank(text.data[i])) return false;
  }
  return true;
}

// A decimal number of at most 12 digits with an optional sign, as NTP
// seconds and TAI-UTC are written.
inline bool readNumber(Span field, bool signAllowed, std::int64_t& value) {
  bool negative = false;
  if (signAllowed && field.size > 0 && (field.data[0] == '-' || field.data[0] == '+')) {
    negative = field.data[0] == '-';
    field = {field.data + 1, field.size - 1};
  }
  if (field.size == 0 || field.size > 12) return false;
  std::int64_t v = 0;
  for (std::size_t i = 0; i < field.size; ++i) {
    if (!isDigit(field.data[i])) return false;
    v = v * 10 + (field.data[i] - '0');
  }
  value = negative ? -v : v;
  return true;
}

// A 32-bit word of the #h line in hexadecimal; the published lists drop
// leading zeros.
inline bool readHexWord(Span field, std::uint32_t& value) {
  if (field.size == 0 || field.size > 8) return false;
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < field.size; ++i) {
    const char c = field.data[i];
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

// The field for a message: at most 40 bytes of it.
inline int shown(Span field) { return static_cast<int>(field.size < 40 ? field.size : 40); }

// The UTC date of a midnight in NTP seconds.
inline Date1996 dateOfNtp(std::int64_t ntp) {
  const CivilDate date = civilFromDays(floorDiv(ntp - kNtpOfEpoch, kSecondsPerDay));
  return {static_cast<std::int32_t>(date.year), date.mon, date.day, 0, 0, 0};
}

// The exact count of a midnight given in NTP seconds.
inline std::int64_t countOfNtpMidnight(std::int64_t ntp) {
  return midnightCount(floorDiv(ntp - kNtpOfEpoch, kSecondsPerDay), kLeapSeconds);
}

struct DateText {
  char text[32];
};
inline DateText dateText(std::int64_t ntp) {
  const Date1996 d = dateOfNtp(ntp);
  DateText t;
  std::snprintf(t.text, sizeof t.text, "%04d-%02d-%02d", static_cast<int>(d.year), d.mon, d.day);
  return t;
}

// Derives the count form of a list whose entries are read and checked.
// Returns false, with the reason in reason, when the list contradicts the
// scale.
inline bool deriveCounts(Sec1996LeapList& list, char* reason, std::size_t reasonSize) {
  constexpr std::int64_t kLast = UINT32_MAX;
  list.boundaryCount = 0;
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
    for (std::size_t i = 0; i < list.entryCount; ++i) {
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
      std::snprintf(reason, reasonSize,
                    "no +1 step of TAI-UTC at %04lld-%02d-%02d, where the scale counts a leap "
                    "second",
                    static_cast<long long>(day.year), day.mon, day.day);
      return false;
    }
  }
  std::size_t i = 0;
  // The last entry at or before count 0 gives the first offset.
  while (i + 1 < list.entryCount && countOfNtpMidnight(list.entries[i + 1].ntpSeconds) <= 0) ++i;
  const std::int64_t start = countOfNtpMidnight(list.entries[i].ntpSeconds);
  list.firstCount = start < 0 ? 0 : start;
  list.baseOffset = offsetOf(list.entries[i]);
  std::int64_t offset = list.baseOffset;
  for (++i; i < list.entryCount; ++i) {
    const std::int64_t c = countOfNtpMidnight(list.entries[i].ntpSeconds);
    if (c > kLast) break;
    const std::int64_t next = offsetOf(list.entries[i]);
    if (next != offset) {
      const std::size_t j = list.boundaryCount++;
      list.boundary[j] = static_cast<std::uint32_t>(c);
      list.step[j] = static_cast<std::int32_t>(next - offset);
      list.boundaryTai[j] = c + next;
      list.gapTai[j] = next > offset ? c + offset : INT64_MIN;  // the 23:59:60 before c
      offset = next;
    }
  }
  list.firstTai = list.firstCount + list.baseOffset;
  list.lastTai = kLast + offset;
  list.expiresCount = countOfNtpMidnight(list.expiresNtp);
  return true;
}

// Reads a list from text into read, a zeroed object of the caller's.
// Returns the status; on refusal read holds a part of the list and must
// not be used.
inline Sec1996ParseStatus parseInto(Span text, const char* origin, Sec1996LeapList& read,
                                    Sec1996LeapListError* error) {
  // The fields the hash covers after the two dates, entry by entry.
  Span hashed[kMaxLeapEntries][2];
  Span updatedText{nullptr, 0}, expiresText{nullptr, 0};
  bool hasUpdated = false, hasExpires = false, hasHash = false;
  Sha1Digest expected{};
  std::size_t lineNumber = 0;
  constexpr auto kSyntax = SEC1996_PARSE_LIST_SYNTAX;
  while (text.size > 0) {
    ++lineNumber;
    std::size_t end = 0;
    while (end < text.size && text.data[end] != '\n') ++end;
    Span line{text.data, end};
    const std::size_t consumed = end < text.size ? end + 1 : end;
    text = {text.data + consumed, text.size - consumed};
    if (line.size > 0 && line.data[line.size - 1] == '\r') --line.size;
    if (std::memchr(line.data, '\0', line.size) != nullptr) {
      return fail(error, kSyntax, origin, lineNumber, "a zero byte in the line");
    }
    const char kind = line.size >= 2 && line.data[0] == '#' ? line.data[1] : '\0';
    if (kind == '$' || kind == '@') {
      Span rest{line.data + 2, line.size - 2};
      const Span field = nextField(rest);
      std::int64_t value = 0;
      if (!readNumber(field, false, value) || !onlyBlanks(rest)) {
        return fail(error, kSyntax, origin, lineNumber, "the #%c line holds no NTP seconds", kind);
      }
      bool& seen = kind == '@' ? hasExpires : hasUpdated;
      if (seen) return fail(error, kSyntax, origin, lineNumber, "a second #%c line", kind);
      seen = true;
      (kind == '@' ? read.expiresNtp : read.updatedNtp) = value;
      (kind == '@' ? expiresText : updatedText) = field;
      continue;
    }
    if (kind == 'h') {
      if (hasHash) return fail(error, kSyntax, origin, lineNumber, "a second #h line");
      Span rest{line.data + 2, line.size - 2};
      bool fits = true;
      for (std::uint32_t& word : expected) fits = fits && readHexWord(nextField(rest), word);
      if (!fits || !onlyBlanks(rest)) {
        return fail(error, kSyntax, origin, lineNumber,
                    "the #h line is not five hexadecimal words");
      }
      hasHash = true;
      continue;
    }
    if (line.size > 0 && line.data[0] == '#') continue;  // a comment
    const char* hash = static_cast<const char*>(std::memchr(line.data, '#', line.size));
    Span rest{line.data, hash != nullptr ? static_cast<std::size_t>(hash - line.data) : line.size};
    if (onlyBlanks(rest)) {
      if (hash == nullptr) continue;  // a blank line
      return fail(error, kSyntax, origin, lineNumber,
                  "a comment that does not start the line must follow a date");
    }
    const Span ntpField = nextField(rest);
    const Span dtaiField = nextField(rest);
    std::int64_t ntp = 0, dtai = 0;
    if (!readNumber(ntpField, false, ntp)) {
      return fail(error, kSyntax, origin, lineNumber, "'%.*s' is not NTP seconds", shown(ntpField),
                  ntpField.data);
    }
    if (dtaiField.size == 0) {
      return fail(error, kSyntax, origin, lineNumber, "no TAI-UTC after the NTP seconds");
    }
    if (!readNumber(dtaiField, true, dtai) || dtai > 100000 || dtai < -100000) {
      return fail(error, kSyntax, origin, lineNumber, "'%.*s' is not TAI-UTC seconds",
                  shown(dtaiField), dtaiField.data);
    }
    if (!onlyBlanks(rest)) {
      return fail(error, kSyntax, origin, lineNumber,
                  "more than NTP seconds and TAI-UTC before the comment");
    }
    if (ntp % kSecondsPerDay != 0) {
      return fail(error, kSyntax, origin, lineNumber, "%lld is not 00:00:00 UTC of a day",
                  static_cast<long long>(ntp));
    }
    if (read.entryCount > 0) {
      const Sec1996LeapEntry& previous = read.entries[read.entryCount - 1];
      if (ntp <= previous.ntpSeconds) {
        return fail(error, SEC1996_PARSE_LIST_ORDER, origin, lineNumber, "%s does not follow %s",
                    dateText(ntp).text, dateText(previous.ntpSeconds).text);
      }
      const std::int64_t change = dtai - previous.taiMinusUtc;
      if (change != 1 && change != -1) {
        return fail(error, SEC1996_PARSE_LIST_STEP, origin, lineNumber,
                    "TAI-UTC steps from %d to %lld", static_cast<int>(previous.taiMinusUtc),
                    static_cast<long long>(dtai));
      }
    }
    if (read.entryCount == kMaxLeapEntries) {
      return fail(error, kSyntax, origin, lineNumber, "more than %zu entries", kMaxLeapEntries);
    }
    hashed[read.entryCount][0] = ntpField;
    hashed[read.entryCount][1] = dtaiField;
    read.entries[read.entryCount++] = {ntp, static_cast<std::int32_t>(dtai), dateOfNtp(ntp)};
  }
  if (read.entryCount == 0) return fail(error, kSyntax, origin, 0, "no leap-second data lines");
  if (!hasExpires) return fail(error, kSyntax, origin, 0, "no #@ expiry line");
  if (hasHash) {
    Sha1 sha;
    sha.add(updatedText.data, updatedText.size);
    sha.add(expiresText.data, expiresText.size);
    for (std::size_t i = 0; i < read.entryCount; ++i) {
      sha.add(hashed[i][0].data, hashed[i][0].size);
      sha.add(hashed[i][1].data, hashed[i][1].size);
    }
    if (sha.finish() != expected) {
      return fail(error, SEC1996_PARSE_LIST_HASH, origin, 0,
                  "the #h hash does not match the data (altered or damaged list)");
    }
  }
  read.hashChecked = hasHash;
  char reason[SEC1996_LIST_MESSAGE_SIZE];
  if (!deriveCounts(read, reason, sizeof reason)) {
    return fail(error, SEC1996_PARSE_LIST_STEP, origin, 0, "%s", reason);
  }
  copyText(read.origin, sizeof read.origin, origin, std::strlen(origin));
  clearError(error);
  return SEC1996_PARSE_OK;
}

// Reads a list from text into list, which is written only if the whole
// text is accepted.
inline Sec1996ParseStatus parseLeapList(const char* data, std::size_t size, const char* origin,
                                        Sec1996LeapList& list, Sec1996LeapListError* error) {
  auto* read = static_cast<Sec1996LeapList*>(std::calloc(1, sizeof(Sec1996LeapList)));
  if (read == nullptr) return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, 0, "out of memory");
  const Sec1996ParseStatus status = parseInto({size == 0 ? "" : data, size}, origin, *read, error);
  if (status == SEC1996_PARSE_OK) std::memcpy(&list, read, sizeof list);
  std::free(read);
  return status;
}

// The largest list file read; the published one is under 5 KiB.
inline constexpr std::size_t kMaxListBytes = std::size_t{1} << 20;

inline Sec1996ParseStatus loadLeapListFile(const char* path, Sec1996LeapList& list,
                                           Sec1996LeapListError* error) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "cannot open: %s",
                std::strerror(errno));
  }
  // One byte more than the limit tells a file that is too large.
  auto* text = static_cast<char*>(std::malloc(kMaxListBytes + 1));
  if (text == nullptr) {
    std::fclose(file);
    return fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "out of memory");
  }
  const std::size_t size = std::fread(text, 1, kMaxListBytes + 1, file);
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  Sec1996ParseStatus status;
  if (readError) {
    status = fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "cannot read");
  } else if (size > kMaxListBytes) {
    status = fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "larger than 1 MiB, not a list");
  } else {
    status = parseLeapList(text, size, path, list, error);
  }
  std::free(text);
  return status;
}

inline void builtinLeapList(Sec1996LeapList& list) {
  list.entryCount = 0;
  for (const BuiltinLeapEntry& e : kBuiltinLeapEntries) {
    list.entries[list.entryCount++] = {e.ntpSeconds, e.taiMinusUtc, dateOfNtp(e.ntpSeconds)};
  }
  list.updatedNtp = kBuiltinUpdatedNtp;
  list.expiresNtp = kBuiltinExpiresNtp;
  list.hashChecked = false;
  copyText(list.origin, sizeof list.origin, "built-in", 8);
  char reason[SEC1996_LIST_MESSAGE_SIZE];
  deriveCounts(list, reason, sizeof reason);  // the copy agrees with the scale: the tests check it
}

// ---- The default table ---------------------------------------------------------
//
// Static storage, constant-initialised, loaded once by pthread_once (which
// the C library provides), so that the library needs no C++ run time.

inline Sec1996LeapList defaultTable{};
inline Sec1996LeapListError defaultFallback{};
inline pthread_once_t defaultOnce = PTHREAD_ONCE_INIT;

inline void loadDefaultLeapList() {
  clearError(&defaultFallback);
  const char* env = std::getenv(SEC1996_LEAP_SECONDS_ENV);
  const bool fromEnv = env != nullptr && env[0] != '\0';
  const char* path = fromEnv ? env : SEC1996_LEAP_SECONDS_FILE;
  if (loadLeapListFile(path, defaultTable, &defaultFallback) == SEC1996_PARSE_OK) {
    defaultTable.source = fromEnv ? SEC1996_LIST_ENV_FILE : SEC1996_LIST_DEFAULT_FILE;
  } else {
    builtinLeapList(defaultTable);
    defaultTable.source = SEC1996_LIST_BUILTIN;
    const std::size_t used = std::strlen(defaultFallback.message);
    std::snprintf(defaultFallback.message + used, sizeof defaultFallback.message - used,
                  " (the built-in list is used)");
  }
  defaultTable.isDefault = true;
}

inline const Sec1996LeapList& defaultLeapList() {
  pthread_once(&defaultOnce, loadDefaultLeapList);
  return defaultTable;
}

inline const Sec1996LeapList& listOrDefault(const Sec1996LeapList* list) {
  return list != nullptr ? *list : defaultLeapList();
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
  const std::size_t n = list.boundaryCount;
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
  const std::size_t n = list.boundaryCount;
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

// A TAI value in seconds, or the status that refuses an input before the
// list is asked.
struct TaiOrRefusal {
  std::int64_t tai;
  Sec1996ParseStatus status;
};
// TT in milliseconds to TAI in seconds, or FRACTION.  (Truncating division
// and a correction rather than floorDiv and floorMod, whose product would
// overflow near INT64_MIN.)
constexpr TaiOrRefusal taiFromTt(std::int64_t ttMilliseconds) {
  std::int64_t seconds = ttMilliseconds / 1000;
  std::int64_t millis = ttMilliseconds % 1000;
  if (millis < 0) {
    millis += 1000;
    --seconds;
  }
  if (millis != kTtMinusTaiMs % 1000) return {0, SEC1996_PARSE_FRACTION};
  return {seconds - kTtMinusTaiMs / 1000, SEC1996_PARSE_OK};
}
static_assert(taiFromTt(INT64_MIN).status == SEC1996_PARSE_FRACTION);
static_assert(taiFromTt(-816).tai == -33 && taiFromTt(1199145662184).tai == 1199145630);

// The inverse of 125 modulo 2^64, by Newton's iteration (each step doubles
// the bits that are right, from 3).
constexpr std::uint64_t inverseOf125() {
  std::uint64_t inverse = 125;
  for (int i = 0; i < 5; ++i) inverse *= 2 - 125 * inverse;
  return inverse;
}
static_assert(inverseOf125() * 125 == 1);

// taiFromTt without branches or division, so that it vectorises, for the
// array forms: the same status, and the same TAI wherever the status is OK.
// TT's remainder modulo 1000 is that of h * 576 + l for TT = h * 2^20 + l
// (2^20 = 1048 * 1000 + 576), which lies within 2^53; the quotient of such
// a value by 1000 in double never rounds across an integer (it is one, or at
// least 0.001 from one, and errs by less than 2^-11), so truncated it is the
// integer quotient.  Where the remainder is 184, TT - 184 is a multiple of
// 1000 (and never below INT64_MIN): an eighth of it times the inverse of
// 125 is its exact quotient.
constexpr TaiOrRefusal taiFromTtInSelects(std::int64_t tt) {
  const std::int64_t y = (tt >> 20) * 576 + (tt & 0xFFFFF);
  std::int64_t millis = y - static_cast<std::int64_t>(static_cast<double>(y) / 1000.0) * 1000;
  millis += millis < 0 ? 1000 : 0;
  // (Modulo 2^64 where the remainder is not 184: that TAI is not used.)
  const auto whole = static_cast<std::int64_t>(static_cast<std::uint64_t>(tt) -
                                               std::uint64_t{kTtMinusTaiMs % 1000});
  const auto seconds =
      static_cast<std::int64_t>(static_cast<std::uint64_t>(whole >> 3) * inverseOf125());
  return {seconds - kTtMinusTaiMs / 1000,
          millis == kTtMinusTaiMs % 1000 ? SEC1996_PARSE_OK : SEC1996_PARSE_FRACTION};
}

constexpr bool taiFromTtInSelectsIsTaiFromTt() {
  constexpr std::int64_t kNear = std::int64_t{1} << 52;  // and 2^53, where y ends
  // Each value, and the values around the nearest that end in 184 ms.
  const std::int64_t values[] = {INT64_MIN,
                                 -kNear - 1,
                                 -kNear,
                                 -kNear + 1,
                                 -1000,
                                 -999,
                                 -816,
                                 -1,
                                 0,
                                 184,
                                 999,
                                 1000,
                                 1199145662184,
                                 5494145162184,
                                 kNear - 1,
                                 kNear,
                                 kNear + 1,
                                 std::int64_t{1} << 53,
                                 std::int64_t{1} << 60,
                                 INT64_MAX};
  for (const std::int64_t v : values) {
    const std::int64_t rest = v % 1000 < 0 ? v % 1000 + 1000 : v % 1000;
    // (In unsigned arithmetic, wrapping at the ends of int64.)
    const auto whole = static_cast<std::int64_t>(static_cast<std::uint64_t>(v) -
                                                 static_cast<std::uint64_t>(rest) + 184);
    for (std::int64_t d = -2; d <= 2; ++d) {
      for (const std::int64_t base : {v, whole}) {
        if ((d > 0 && base > INT64_MAX - d) || (d < 0 && base < INT64_MIN - d)) continue;
        const TaiOrRefusal exact = taiFromTt(base + d);
        const TaiOrRefusal fast = taiFromTtInSelects(base + d);
        if (exact.status != fast.status) return false;
        if (exact.status == SEC1996_PARSE_OK && exact.tai != fast.tai) return false;
      }
    }
  }
  return true;
}
static_assert(taiFromTtInSelectsIsTaiFromTt());

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
  const std::size_t boundaries = list.boundaryCount;
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
    const std::size_t boundaries = list.boundaryCount;
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

// The forward array forms of one value an element: out[i] = value(i, tai)
// where the status has a value, else 0.  Returns the number of elements
// whose status is not SEC1996_PARSE_OK.
template <class T, class Value>
[[gnu::always_inline]] inline std::size_t writeFromTai(const Sec1996LeapList& list,
                                                       const std::uint32_t* in, std::size_t n,
                                                       T* out, Sec1996ParseStatus* status,
                                                       Value value) {
  std::size_t flagged = 0;
  forEachTai(list, in, n, [&](std::size_t i, std::int64_t tai, Sec1996ParseStatus s) {
    out[i] = hasValue(s) ? value(i, tai) : T{0};
    if (status != nullptr) status[i] = s;
    flagged += s != SEC1996_PARSE_OK ? 1 : 0;
  });
  return flagged;
}

// The reverse array forms from another scale: element i as TAI by toTai(i),
// a TaiOrRefusal, then as a count, or 0 with the refusal.  Returns the
// number of elements whose status is not SEC1996_PARSE_OK.
template <class ToTai>
[[gnu::always_inline]] inline std::size_t writeCounts(const Sec1996LeapList& list, std::size_t n,
                                                      unsigned flags, Sec1996* out,
                                                      Sec1996ParseStatus* status, ToTai toTai) {
  std::int64_t tai[kListBlock];
  Sec1996ParseStatus refused[kListBlock];
  std::size_t flagged = 0;
  for (std::size_t start = 0; start < n; start += kListBlock) {
    const std::size_t m = n - start < kListBlock ? n - start : kListBlock;
    for (std::size_t i = 0; i < m; ++i) {
      const TaiOrRefusal t = toTai(start + i);
      tai[i] = t.tai;
      refused[i] = t.status;
    }
    forEachCount(list, tai, m, flags,
                 [&](std::size_t i, std::uint32_t count, Sec1996ParseStatus s) {
                   const bool early = refused[i] != SEC1996_PARSE_OK;
                   const Sec1996ParseStatus both = early ? refused[i] : s;
                   out[start + i] = early ? 0 : count;
                   if (status != nullptr) status[start + i] = both;
                   flagged += both != SEC1996_PARSE_OK ? 1 : 0;
                 });
  }
  return flagged;
}

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_LEAP_LIST_H
