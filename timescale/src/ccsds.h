// The CCSDS time codes (CCSDS 301.0-B-4): P-fields, T-fields and the
// per-element kernels that the single-value and the array forms share.
// Masks follow the recommendation's numbering, bit 0 being the most
// significant bit of an octet (0x80).
//
// The CUC codec works on coarse seconds from the code's own epoch and a
// 64-bit binary fraction; the level-2 code of the scale is the case where
// the coarse time is the count.  A level-1 code (TAI from 1958) is the same
// codec with another time code id and the count moved to TAI seconds: its
// kernels, which need the leap-second list, are in ccsds_tai.h.
#ifndef SEC1996_SRC_CCSDS_H
#define SEC1996_SRC_CCSDS_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "checked.h"
#include "scale.h"
#include "timescale/sec1996_ccsds.h"

namespace sec1996::detail::ccsds {

// The kernels below are forced inline into the array loops, where the
// layout's numbers are constants.
using Status = Sec1996ParseStatus;
inline constexpr Status kOk = SEC1996_PARSE_OK;

// Whether a status comes with the results: SEC1996_PARSE_OK, or a warning
// of true time that the level-1 CUC gives (the list's expiry passed, a leap
// second the scale lacks mapped to 23:59:59 as flags ask).  Every other
// status refuses.
constexpr bool carriesResult(Status status, unsigned flags = 0) {
  return status == kOk || status == SEC1996_PARSE_LIST_EXPIRED ||
         (status == SEC1996_PARSE_LEAP_NOT_ON_SCALE && (flags & SEC1996_MAP_LEAP_TO_235959) != 0);
}

// ---- P-field octet 1, common to every code ---------------------------------

inline constexpr std::uint8_t kExtensionFlag = 0x80;  // bit 0: another octet follows
inline constexpr std::uint8_t kCodeIdMask = 0x70;     // bits 1-3
inline constexpr std::uint8_t kCucLevel1Id = 0x10;    // 1958-01-01 TAI epoch
inline constexpr std::uint8_t kCucLevel2Id = 0x20;    // agency epoch
inline constexpr std::uint8_t kCdsId = 0x40;
inline constexpr std::uint8_t kCcsId = 0x50;

// The status of a P-field's first octet for a code that expects id: the
// ids 000, 011 and 111 are reserved, the others name some code.
constexpr Status checkCodeId(std::uint8_t octet, std::uint8_t id) {
  const std::uint8_t found = octet & kCodeIdMask;
  if (found == id) return kOk;
  if (found == 0x00 || found == 0x30 || found == 0x70) return SEC1996_PARSE_RESERVED;
  return SEC1996_PARSE_WRONG_CODE;
}

// Big-endian unsigned fields of 1 to 8 octets.  With a constant width a
// field is read in loads of 4, 2 and 1 octets (one wide load of a narrower
// copy would stall on the copy) and written by one byte swap of a 64-bit
// word and a store or two.
template <class T>
[[gnu::always_inline]] inline T loadBigEndian(const std::uint8_t* in) {
  T word;
  std::memcpy(&word, in, sizeof word);
  if constexpr (std::endian::native == std::endian::little) {
    if constexpr (sizeof word == 4) word = __builtin_bswap32(word);
    if constexpr (sizeof word == 2) word = __builtin_bswap16(word);
  }
  return word;
}

[[gnu::always_inline]] inline std::uint64_t readBigEndian(const std::uint8_t* in, int octets) {
  std::uint64_t value = 0;
  int at = 0;
  for (; octets - at >= 4; at += 4) value = value << 32 | loadBigEndian<std::uint32_t>(in + at);
  if (octets - at >= 2) {
    value = value << 16 | loadBigEndian<std::uint16_t>(in + at);
    at += 2;
  }
  if (octets - at >= 1) value = value << 8 | in[at];
  return value;
}

[[gnu::always_inline]] inline void writeBigEndian(std::uint64_t value, int octets,
                                                  std::uint8_t* out) {
  std::uint64_t word = value << (64 - 8 * octets);
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  std::memcpy(out, &word, static_cast<std::size_t>(octets));
}

inline constexpr std::uint64_t kPicosecondsPerSecond = 1000000000000;
inline constexpr std::uint32_t kPicosecondsPerMillisecondDigits = 1000000000;

// A refused element of an array form: its outputs zeroed.
template <class T>
inline void clear(T* p) {
  if (p != nullptr) *p = 0;
}

// ---- CUC ---------------------------------------------------------------------

inline constexpr int kCucBasicCoarse = 4;  // at most, in the one-octet P-field
inline constexpr int kCucBasicFine = 3;
inline constexpr int kCucMaxCoarse = 7;
inline constexpr int kCucMaxFine = 8;  // of the 10 the P-field allows: 2^-64 s

struct CucFormat {
  int coarse;          // [1, 7]
  int fine;            // [0, 8]
  std::size_t pField;  // octets: 0, 1 or 2
  std::size_t length;  // P-field and T-field
};

constexpr bool isCucLayout(int coarse, int fine) {
  return coarse >= 1 && coarse <= kCucMaxCoarse && fine >= 0 && fine <= kCucMaxFine;
}

constexpr std::size_t cucPFieldLength(int coarse, int fine) {
  return coarse > kCucBasicCoarse || fine > kCucBasicFine ? 2 : 1;
}

constexpr CucFormat cucFormat(int coarse, int fine, bool pField) {
  const std::size_t p = pField ? cucPFieldLength(coarse, fine) : 0;
  return {coarse, fine, p, p + static_cast<std::size_t>(coarse + fine)};
}

// The P-field an encoder writes: octet 1 holds up to 4 coarse (minus one)
// and 3 fine octets, octet 2 the rest.
inline void writeCucPField(std::uint8_t id, const CucFormat& f, std::uint8_t* out) {
  const int basicCoarse = f.coarse < kCucBasicCoarse ? f.coarse : kCucBasicCoarse;
  const int basicFine = f.fine < kCucBasicFine ? f.fine : kCucBasicFine;
  const bool extended = f.pField == 2;
  out[0] = static_cast<std::uint8_t>((extended ? kExtensionFlag : 0) | id | (basicCoarse - 1) << 2 |
                                     basicFine);
  if (extended) {
    out[1] = static_cast<std::uint8_t>((f.coarse - basicCoarse) << 5 | (f.fine - basicFine) << 2);
  }
}

struct CucPField {
  Status status;
  CucFormat format;
};

// The layout a CUC's P-field gives, read without passing size.
inline CucPField readCucPField(const std::uint8_t* code, std::size_t size, std::uint8_t id) {
  if (size < 1) return {SEC1996_PARSE_TRUNCATED, {}};
  const std::uint8_t first = code[0];
  const Status idStatus = checkCodeId(first, id);
  if (idStatus != kOk) return {idStatus, {}};
  int coarse = ((first >> 2) & 0x03) + 1;
  int fine = first & 0x03;
  std::size_t pField = 1;
  if ((first & kExtensionFlag) != 0) {
    if (size < 2) return {SEC1996_PARSE_TRUNCATED, {}};
    const std::uint8_t second = code[1];
    if ((second & kExtensionFlag) != 0) return {SEC1996_PARSE_RESERVED, {}};
    coarse += (second >> 5) & 0x03;
    fine += (second >> 2) & 0x07;
    pField = 2;
  }
  if (fine > kCucMaxFine) return {SEC1996_PARSE_RESERVED, {}};
  return {kOk, {coarse, fine, pField, pField + static_cast<std::size_t>(coarse + fine)}};
}

// The T-field of coarse seconds and a binary fraction of 2^-64 s, the
// fraction truncated to the fine octets.  coarse must fit its octets.
[[gnu::always_inline]] inline void writeCucTField(std::uint64_t coarse, std::uint64_t fraction,
                                                  const CucFormat& f, std::uint8_t* out) {
  writeBigEndian(coarse, f.coarse, out);
  if (f.fine > 0) writeBigEndian(fraction >> (64 - 8 * f.fine), f.fine, out + f.coarse);
}

struct CucTime {
  std::uint64_t coarse;    // below 2^56
  std::uint64_t fraction;  // in 2^-64 s
};

[[gnu::always_inline]] inline CucTime readCucTField(const std::uint8_t* in, const CucFormat& f) {
  const std::uint64_t coarse = readBigEndian(in, f.coarse);
  const std::uint64_t fine =
      f.fine > 0 ? readBigEndian(in + f.coarse, f.fine) << (64 - 8 * f.fine) : 0;
  return {coarse, fine};
}

// Whether a coarse time fits the format's coarse octets.
constexpr bool fitsCoarse(std::uint64_t coarse, const CucFormat& f) {
  return f.coarse >= 8 || (coarse >> (8 * f.coarse)) == 0;
}

// A whole code of either level: the P-field with time code id, if the
// format has one, and the T-field; a coarse time the layout cannot hold
// (a counter that would roll over) is off its span.
[[gnu::always_inline]] inline Status encodeCucCoarse(std::uint8_t id, std::uint64_t coarse,
                                                     std::uint64_t fraction, const CucFormat& f,
                                                     std::uint8_t* out) {
  if (!fitsCoarse(coarse, f)) return SEC1996_PARSE_OUT_OF_SPAN;
  if (f.pField != 0) writeCucPField(id, f, out);
  writeCucTField(coarse, fraction, f, out + f.pField);
  return kOk;
}

// The level-2 code of the scale: the coarse time is the count.
[[gnu::always_inline]] inline Status encodeCuc(std::uint32_t count, std::uint64_t fraction,
                                               const CucFormat& f, std::uint8_t* out) {
  return encodeCucCoarse(kCucLevel2Id, count, fraction, f, out);
}

// The format a single-value decoder reads with: the P-field's, whose time
// code id must be id, or the implicit layout's.
inline CucPField cucFormatToRead(const std::uint8_t* code, std::size_t size,
                                 const Sec1996CucLayout& layout, std::uint8_t id) {
  if (layout.pField != 0) return readCucPField(code, size, id);
  if (!isCucLayout(layout.coarseOctets, layout.fineOctets)) return {SEC1996_PARSE_RESERVED, {}};
  return {kOk, cucFormat(layout.coarseOctets, layout.fineOctets, false)};
}

struct Decoded {
  Status status;
  std::uint32_t count;
  std::uint64_t fraction;
};

[[gnu::always_inline]] inline Decoded decodeCucTField(const std::uint8_t* tField,
                                                      const CucFormat& f) {
  const CucTime time = readCucTField(tField, f);
  if (time.coarse > UINT32_MAX) return {SEC1996_PARSE_OUT_OF_SPAN, 0, 0};
  return {kOk, static_cast<std::uint32_t>(time.coarse), time.fraction};
}

// ---- CDS ---------------------------------------------------------------------

inline constexpr std::uint8_t kCdsAgencyEpochBit = 0x08;  // bit 4
inline constexpr std::uint8_t kCdsDay24Bit = 0x04;        // bit 5
inline constexpr std::uint8_t kCdsSubMsMask = 0x03;       // bits 6-7
inline constexpr std::uint8_t kCdsSubMsReserved = 0x03;
// Day 0 of a level-1 CDS, counted from the scale's epoch.
inline constexpr std::int64_t kCds1958Epoch = daysFromCivil(1958, 1, 1);
static_assert(kCds1958Epoch == -13879);
inline constexpr std::uint32_t kMsPerDay = 86400000;
inline constexpr std::uint32_t kMsPerSecond = 1000;
inline constexpr std::uint32_t kLastMsOfLeapDay = kMsPerDay + kMsPerSecond - 1;
inline constexpr std::uint32_t kUsPerMs = 1000;
inline constexpr std::uint32_t kPsPerMs = 1000000000;
inline constexpr std::uint32_t kPsPerUs = 1000000;

struct CdsFormat {
  int dayOctets;       // 2 or 3
  int subMs;           // 0 none, 1 microseconds, 2 picoseconds
  bool agency;         // the P-field's epoch bit
  std::int64_t epoch;  // day 0, from 1996-01-01
  std::size_t pField;  // octets: 0 or 1
  std::size_t length;
};

constexpr int subMsOctets(int subMs) { return subMs == SEC1996_CDS_MICROSECONDS ? 2 : subMs * 2; }

constexpr bool isCdsShape(int dayOctets, int subMs) {
  return (dayOctets == 2 || dayOctets == 3) && subMs >= 0 && subMs <= 2;
}

constexpr std::size_t cdsLength(int dayOctets, int subMs, bool pField) {
  return (pField ? 1U : 0U) + static_cast<std::size_t>(dayOctets + 4 + subMsOctets(subMs));
}

// Day 0 of a layout, or a refusal: the agency epoch must be a real date.
struct CdsEpoch {
  bool ok;
  std::int64_t days;
};

inline CdsEpoch cdsEpoch(const Sec1996CdsLayout& layout, bool agency) {
  if (!agency) return {true, kCds1958Epoch};
  const std::int32_t mon = layout.epochMon, day = layout.epochDay;
  if (mon < 1 || mon > 12 || day < 1 || day > daysInMonth(layout.epochYear, mon)) {
    return {false, 0};
  }
  return {true, daysFromFields(layout.epochYear, mon, day)};
}

constexpr std::uint8_t cdsPField(const CdsFormat& f) {
  return static_cast<std::uint8_t>(kCdsId | (f.agency ? kCdsAgencyEpochBit : 0) |
                                   (f.dayOctets == 3 ? kCdsDay24Bit : 0) | f.subMs);
}

// The format of an implicit layout, or of a P-field (pFieldOctet) with the
// layout's agency epoch.
struct CdsResult {
  Status status;
  CdsFormat format;
};

inline CdsResult cdsFormatOf(const Sec1996CdsLayout& layout) {
  if (!isCdsShape(layout.dayOctets, layout.subMillisecond)) return {SEC1996_PARSE_RESERVED, {}};
  const bool agency = layout.agencyEpoch != 0;
  const CdsEpoch epoch = cdsEpoch(layout, agency);
  if (!epoch.ok) return {SEC1996_PARSE_RESERVED, {}};
  const bool p = layout.pField != 0;
  return {kOk,
          {layout.dayOctets, layout.subMillisecond, agency, epoch.days, p ? 1U : 0U,
           cdsLength(layout.dayOctets, layout.subMillisecond, p)}};
}

inline CdsResult readCdsPField(const std::uint8_t* code, std::size_t size,
                               const Sec1996CdsLayout& layout) {
  if (size < 1) return {SEC1996_PARSE_TRUNCATED, {}};
  const std::uint8_t octet = code[0];
  const Status idStatus = checkCodeId(octet, kCdsId);
  if (idStatus != kOk) return {idStatus, {}};
  if ((octet & kExtensionFlag) != 0 || (octet & kCdsSubMsMask) == kCdsSubMsReserved) {
    return {SEC1996_PARSE_RESERVED, {}};
  }
  const bool agency = (octet & kCdsAgencyEpochBit) != 0;
  const CdsEpoch epoch = cdsEpoch(layout, agency);
  if (!epoch.ok) return {SEC1996_PARSE_RESERVED, {}};
  const int dayOctets = (octet & kCdsDay24Bit) != 0 ? 3 : 2;
  const int subMs = octet & kCdsSubMsMask;
  return {kOk, {dayOctets, subMs, agency, epoch.days, 1, cdsLength(dayOctets, subMs, true)}};
}

[[gnu::always_inline]] inline Status encodeCds(std::uint32_t count, std::uint64_t picoseconds,
                                               const CdsFormat& f, std::uint8_t* out) {
  if (picoseconds >= kPicosecondsPerSecond) return SEC1996_PARSE_FIELD_RANGE;
  // The count's day and second of the day in 32-bit arithmetic: a count
  // is at most the table's length past its nominal second (see
  // losslessRecordOf in arrays.h).
  std::uint32_t inserted = 0, leap = 0;
  for (const std::int32_t entry : kLeapSeconds) {
    const auto leapCount = static_cast<std::uint32_t>(entry) - 1;
    inserted += count >= leapCount ? 1U : 0U;
    leap |= count == leapCount ? 1U : 0U;
  }
  const std::uint32_t nominal = count - inserted;
  const std::uint32_t days = nominal / 86400;  // [0, 49710]
  const std::int64_t day = std::int64_t{days} - f.epoch;
  if (day < 0 || day >> (8 * f.dayOctets) != 0) return SEC1996_PARSE_OUT_OF_SPAN;
  // A leap second is the 86400th second of the day that it ends.
  const std::uint32_t second = nominal - days * 86400 + leap;
  const auto psOfMs = static_cast<std::uint32_t>(picoseconds % kPsPerMs);
  const std::uint32_t ms =
      second * kMsPerSecond + static_cast<std::uint32_t>(picoseconds / kPsPerMs);
  if (f.pField != 0) out[0] = cdsPField(f);
  std::uint8_t* t = out + f.pField;
  writeBigEndian(static_cast<std::uint64_t>(day) << 32 | ms, f.dayOctets + 4, t);
  if (f.subMs == SEC1996_CDS_MICROSECONDS) {
    writeBigEndian(psOfMs / kPsPerUs, 2, t + f.dayOctets + 4);
  } else if (f.subMs == SEC1996_CDS_PICOSECONDS) {
    writeBigEndian(psOfMs, 4, t + f.dayOctets + 4);
  }
  return kOk;
}

[[gnu::always_inline]] inline Decoded decodeCdsTField(const std::uint8_t* t, const CdsFormat& f) {
  const std::uint64_t dayAndMs = readBigEndian(t, f.dayOctets + 4);
  const auto day = static_cast<std::int64_t>(dayAndMs >> 32);
  const auto ms = static_cast<std::uint32_t>(dayAndMs);
  std::uint32_t psOfMs = 0;
  if (f.subMs == SEC1996_CDS_MICROSECONDS) {
    const auto us = static_cast<std::uint32_t>(readBigEndian(t + f.dayOctets + 4, 2));
    if (us >= kUsPerMs) return {SEC1996_PARSE_FIELD_RANGE, 0, 0};
    psOfMs = us * kPsPerUs;
  } else if (f.subMs == SEC1996_CDS_PICOSECONDS) {
    psOfMs = static_cast<std::uint32_t>(readBigEndian(t + f.dayOctets + 4, 4));
    if (psOfMs >= kPsPerMs) return {SEC1996_PARSE_FIELD_RANGE, 0, 0};
  }
  if (ms > kLastMsOfLeapDay) return {SEC1996_PARSE_FIELD_RANGE, 0, 0};
  const std::uint32_t second = ms / kMsPerSecond;  // [0, 86400]
  const std::int64_t exact = midnightCount(day + f.epoch, kLeapSeconds) + second;
  if (!isOnScale(exact)) return {SEC1996_PARSE_OUT_OF_SPAN, 0, 0};
  const auto count = static_cast<std::uint32_t>(exact);
  if (second == kSecondsPerDay && !isLeapCount(count, kLeapSeconds)) {
    return {SEC1996_PARSE_NOT_LEAP_SECOND, 0, 0};
  }
  const std::uint64_t picoseconds =
      std::uint64_t{ms % kMsPerSecond} * kPsPerMs + psOfMs;  // [0, 10^12)
  return {kOk, count, picoseconds};
}

// ---- CCS ---------------------------------------------------------------------

inline constexpr std::uint8_t kCcsDayOfYearBit = 0x08;  // bit 4
inline constexpr std::uint8_t kCcsResolutionMask = 0x07;
inline constexpr int kCcsMaxSubSecond = 6;
inline constexpr int kCcsFixedOctets = 7;  // year 2, month and day or day of year 2, h m s

struct CcsFormat {
  bool dayOfYear;
  int subSecond;  // [0, 6]
  std::size_t pField;
  std::size_t length;
};

constexpr CcsFormat ccsFormat(bool dayOfYear, int subSecond, bool pField) {
  const std::size_t p = pField ? 1 : 0;
  return {dayOfYear, subSecond, p, p + kCcsFixedOctets + static_cast<std::size_t>(subSecond)};
}

constexpr std::uint8_t ccsPField(const CcsFormat& f) {
  return static_cast<std::uint8_t>(kCcsId | (f.dayOfYear ? kCcsDayOfYearBit : 0) | f.subSecond);
}

struct CcsResult {
  Status status;
  CcsFormat format;
};

inline CcsResult readCcsPField(const std::uint8_t* code, std::size_t size) {
  if (size < 1) return {SEC1996_PARSE_TRUNCATED, {}};
  const std::uint8_t octet = code[0];
  const Status idStatus = checkCodeId(octet, kCcsId);
  if (idStatus != kOk) return {idStatus, {}};
  const int resolution = octet & kCcsResolutionMask;
  if ((octet & kExtensionFlag) != 0 || resolution > kCcsMaxSubSecond) {
    return {SEC1996_PARSE_RESERVED, {}};
  }
  return {kOk, ccsFormat((octet & kCcsDayOfYearBit) != 0, resolution, true)};
}

constexpr std::uint8_t bcd(std::uint32_t value) {  // [0, 99]
  return static_cast<std::uint8_t>((value / 10) << 4 | value % 10);
}

// 10^(12 - 2k): the picoseconds of one unit of k sub-second octets.
constexpr std::uint64_t ccsUnit(int octets) {
  std::uint64_t unit = kPicosecondsPerSecond;
  for (int i = 0; i < octets; ++i) unit /= 100;
  return unit;
}

// Writes the fields of a lossless record as a CCS.
[[gnu::always_inline]] inline void writeCcs(const Date1996& d, std::uint64_t picoseconds,
                                            const CcsFormat& f, std::uint8_t* out) {
  if (f.pField != 0) out[0] = ccsPField(f);
  std::uint8_t* t = out + f.pField;
  const auto year = static_cast<std::uint32_t>(d.year);  // [1996, 2132]
  t[0] = bcd(year / 100);
  t[1] = bcd(year % 100);
  if (f.dayOfYear) {
    const auto day = static_cast<std::uint32_t>(daysFromCivilFast(d.year, d.mon) -
                                                daysFromCivilFast(d.year, 1) + d.day);  // [1, 366]
    t[2] = static_cast<std::uint8_t>(day / 100);
    t[3] = bcd(day % 100);
  } else {
    t[2] = bcd(static_cast<std::uint32_t>(d.mon));
    t[3] = bcd(static_cast<std::uint32_t>(d.day));
  }
  t[4] = bcd(static_cast<std::uint32_t>(d.hour));
  t[5] = bcd(static_cast<std::uint32_t>(d.min));
  t[6] = bcd(static_cast<std::uint32_t>(d.sec));
  std::uint64_t digits = picoseconds / ccsUnit(f.subSecond);
  for (int i = f.subSecond - 1; i >= 0; --i) {
    t[kCcsFixedOctets + i] = bcd(static_cast<std::uint32_t>(digits % 100));
    digits /= 100;
  }
}

[[gnu::always_inline]] inline Status encodeCcs(std::uint32_t count, std::uint64_t picoseconds,
                                               const CcsFormat& f, std::uint8_t* out) {
  if (picoseconds >= kPicosecondsPerSecond) return SEC1996_PARSE_FIELD_RANGE;
  const Fields fields = losslessFieldsFromCount(count, kLeapSeconds);
  const Date1996 d = {static_cast<std::int32_t>(fields.date.year),
                      fields.date.mon,
                      fields.date.day,
                      fields.hour,
                      fields.min,
                      fields.sec};
  writeCcs(d, picoseconds, f, out);
  return kOk;
}

// The BCD octets of a field, up to 7 of them, packed into a word (as
// readBigEndian reads them) and worked on all at once.
inline constexpr std::uint64_t kLowNibbles = 0x0F0F0F0F0F0F0F0F;
inline constexpr std::uint64_t kSixes = 0x0606060606060606;
inline constexpr std::uint64_t kNibbleCarries = 0x1010101010101010;

// Whether a nibble is above 9: the one nibble n for which n + 6 carries.
constexpr bool hasBadDigit(std::uint64_t octets) {
  const std::uint64_t low = (octets & kLowNibbles) + kSixes;
  const std::uint64_t high = ((octets >> 4) & kLowNibbles) + kSixes;
  return ((low | high) & kNibbleCarries) != 0;
}

// Each octet's two digits as its value, 0 to 99: 16 h + l less 6 h.
constexpr std::uint64_t valuesOfDigits(std::uint64_t octets) {
  return octets - 6 * ((octets >> 4) & kLowNibbles);
}

static_assert(hasBadDigit(0x0A) && hasBadDigit(0xA0) && !hasBadDigit(0x99999999999999));
static_assert(valuesOfDigits(0x19970630235960) == 0x1361061E173B3C);

static_assert(daysFromCivilFast(1996, 13) == daysFromCivil(1997, 1, 1) &&
              daysFromCivilFast(2100, 13) - daysFromCivilFast(2100, 1) == 365 &&
              daysFromCivilFast(2000, 13) - daysFromCivilFast(2000, 1) == 366);

[[gnu::always_inline]] inline Decoded decodeCcsTField(const std::uint8_t* t, const CcsFormat& f) {
  const std::uint64_t fixed = readBigEndian(t, kCcsFixedOctets);
  const std::uint64_t subSecond =
      f.subSecond > 0 ? readBigEndian(t + kCcsFixedOctets, f.subSecond) : 0;
  if (hasBadDigit(fixed) || hasBadDigit(subSecond)) return {SEC1996_PARSE_BAD_DIGIT, 0, 0};
  const std::uint64_t values = valuesOfDigits(fixed);
  const auto octet = [values](int i) {  // octet i of the seven, [0, 99]
    return static_cast<std::int32_t>(values >> (8 * (kCcsFixedOctets - 1 - i)) & 0xFF);
  };
  const std::int32_t year = octet(0) * 100 + octet(1);
  const std::int32_t high = octet(2), low = octet(3);
  const std::int32_t hour = octet(4), min = octet(5), sec = octet(6);
  const std::int32_t dayOfYear = high * 100 + low;
  // Every field in its range first, then whether the date exists, whether
  // it lies on the scale, and whether a second 60 is a leap second, in the
  // order of the checked door (checked.h); 24:00:00 is no CCS.
  const bool dateInRange = f.dayOfYear ? dayOfYear >= 1 && dayOfYear <= 366
                                       : high >= 1 && high <= 12 && low >= 1 && low <= 31;
  if (year == 0 || !dateInRange || hour > 23 || min > 59 || sec > kLeapSecondField) {
    return {SEC1996_PARSE_FIELD_RANGE, 0, 0};
  }
  // Days from the first of the month (or of January) to that of the next:
  // month 13 of daysFromCivilFast is January of the next year.
  const std::int32_t mon = f.dayOfYear ? 1 : high;
  const std::int32_t first = daysFromCivilFast(year, mon);
  const std::int32_t length =
      (f.dayOfYear ? daysFromCivilFast(year, 13) : daysFromCivilFast(year, mon + 1)) - first;
  const std::int32_t day = f.dayOfYear ? dayOfYear : low;
  if (day > length) return {SEC1996_PARSE_NO_SUCH_DATE, 0, 0};
  const std::int64_t exact =
      midnightCount(std::int64_t{first} + day - 1, kLeapSeconds) + hour * 3600 + min * 60 + sec;
  if (!isOnScale(exact)) return {SEC1996_PARSE_OUT_OF_SPAN, 0, 0};
  const auto count = static_cast<std::uint32_t>(exact);
  if (sec == kLeapSecondField && !isLeapCount(count, kLeapSeconds)) {
    return {SEC1996_PARSE_NOT_LEAP_SECOND, 0, 0};
  }
  std::uint64_t digits = 0;
  const std::uint64_t subValues = valuesOfDigits(subSecond);
  for (int i = f.subSecond - 1; i >= 0; --i) digits = digits * 100 + (subValues >> (8 * i) & 0xFF);
  return {kOk, count, digits * ccsUnit(f.subSecond)};
}

// ---- The single-value doors --------------------------------------------------

// What an encoder does once the format is known: the length check, the
// element, and the length.  A warning comes with the code.
template <class Format, class Encode>
inline Status encodeInto(const Format& f, std::uint8_t* code, std::size_t size, std::size_t* length,
                         Encode&& encode) {
  if (size < f.length) return SEC1996_PARSE_BUFFER_TOO_SMALL;
  std::uint8_t scratch[SEC1996_CCSDS_MAX_SIZE];
  const Status status = encode(scratch);
  if (!carriesResult(status)) return status;
  std::memcpy(code, scratch, f.length);
  if (length != nullptr) *length = f.length;
  return status;
}

// What a decoder does once the format is known; flags as the level-1 CUC
// takes them.  A warning comes with the results.
template <class Format, class Decode>
inline Status decodeFrom(const Format& f, const std::uint8_t* code, std::size_t size,
                         Sec1996* count, std::uint64_t* fraction, std::size_t* used,
                         Decode&& decode, unsigned flags = 0) {
  if (size < f.length) return SEC1996_PARSE_TRUNCATED;
  const Decoded decoded = decode(code + f.pField);
  if (!carriesResult(decoded.status, flags)) return decoded.status;
  if (fraction == nullptr && decoded.fraction != 0) return SEC1996_PARSE_FRACTION;
  if (count != nullptr) *count = decoded.count;
  if (fraction != nullptr) *fraction = decoded.fraction;
  if (used != nullptr) *used = f.length;
  return decoded.status;
}

// ---- The array loops ---------------------------------------------------------

// body.template operator()<I>() for the I in [0, N) that equals index: the
// array forms turn the layout's numbers into constants of the loop they
// choose, so that each field is written and read with fixed widths.
template <std::size_t N, class Body>
inline std::size_t withConstant(std::size_t index, Body&& body) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    std::size_t result = 0;
    static_cast<void>(((index == I && (result = body.template operator()<I>(), true)) || ...));
    return result;
  }
  (std::make_index_sequence<N>{});
}

// The index of a CUC, CDS or CCS format among the constants, and back.
inline constexpr std::size_t kCucFormats = 2 * kCucMaxCoarse * (kCucMaxFine + 1);
constexpr std::size_t cucIndex(int coarse, int fine, bool pField) {
  return static_cast<std::size_t>(((coarse - 1) * (kCucMaxFine + 1) + fine) * 2) + pField;
}
template <std::size_t I>
constexpr CucFormat cucFormatOf() {
  return cucFormat(static_cast<int>(I / 2 / (kCucMaxFine + 1)) + 1,
                   static_cast<int>(I / 2 % (kCucMaxFine + 1)), I % 2 != 0);
}
static_assert(cucFormatOf<cucIndex(5, 7, true)>().length == 14);

inline constexpr std::size_t kCdsFormats = 2 * 2 * 3;
constexpr std::size_t cdsIndex(const CdsFormat& f) {
  return static_cast<std::size_t>(((f.dayOctets - 2) * 3 + f.subMs) * 2) + f.pField;
}
template <std::size_t I>
constexpr CdsFormat cdsFormatOf(const CdsFormat& runtime) {
  constexpr int dayOctets = static_cast<int>(I / 6) + 2, subMs = static_cast<int>(I / 2 % 3);
  constexpr bool pField = I % 2 != 0;
  return {dayOctets,        subMs,
          runtime.agency,   runtime.epoch,
          pField ? 1U : 0U, cdsLength(dayOctets, subMs, pField)};
}

inline constexpr std::size_t kCcsFormats = 2 * 2 * (kCcsMaxSubSecond + 1);
constexpr std::size_t ccsIndex(const CcsFormat& f) {
  return static_cast<std::size_t>(((f.dayOfYear ? 1 : 0) * (kCcsMaxSubSecond + 1) + f.subSecond) *
                                  2) +
         f.pField;
}
template <std::size_t I>
constexpr CcsFormat ccsFormatOf() {
  return ccsFormat(I / 2 / (kCcsMaxSubSecond + 1) != 0,
                   static_cast<int>(I / 2 % (kCcsMaxSubSecond + 1)), I % 2 != 0);
}

// The end of encoded element i, at out: a refusal zero-filled, the status
// stored and counted unless it is SEC1996_PARSE_OK (warnings too).
[[gnu::always_inline]] inline void finishEncoded(Status s, std::size_t i, std::size_t length,
                                                 std::uint8_t* out, Sec1996ParseStatus* status,
                                                 std::size_t& flagged) {
  if (s != kOk && !carriesResult(s)) std::memset(out, 0, length);
  flagged += s != kOk ? 1 : 0;
  if (status != nullptr) status[i] = s;
}

// Encodes n elements of one format with encode(count, fraction, out), and
// returns the number whose status is not SEC1996_PARSE_OK: the refusals,
// zero-filled, and the warnings, written.
template <class Format, class Encode>
inline std::size_t encodeArray(const Sec1996* counts, const std::uint64_t* fractions, std::size_t n,
                               const Format& f, std::uint8_t* codes, Sec1996ParseStatus* status,
                               Encode&& encode) {
  std::size_t flagged = 0;
  for (std::size_t i = 0; i < n; ++i) {
    std::uint8_t* out = codes + i * f.length;
    const Status s = encode(counts[i], fractions != nullptr ? fractions[i] : 0, out);
    finishEncoded(s, i, f.length, out, status, flagged);
  }
  return flagged;
}

// The end of decoded element i: refused if its P-field is another layout's
// (other) or its fraction has no place; the results stored, the status
// stored and counted unless it is SEC1996_PARSE_OK.  A refusal's count and
// fraction are 0.
[[gnu::always_inline]] inline void finishDecoded(Decoded d, bool other, std::size_t i,
                                                 Sec1996* counts, std::uint64_t* fractions,
                                                 Sec1996ParseStatus* status, std::size_t& flagged) {
  if (other) {
    d = {SEC1996_PARSE_OTHER_LAYOUT, 0, 0};
  } else if (fractions == nullptr && d.fraction != 0) {
    d = {SEC1996_PARSE_FRACTION, 0, 0};
  }
  counts[i] = d.count;
  if (fractions != nullptr) fractions[i] = d.fraction;
  flagged += d.status != kOk;
  if (status != nullptr) status[i] = d.status;
}

// Decodes n elements of one format with decode(tField), which gives a
// refused element count 0 and fraction 0; with a P-field each element's
// must be pField[0..f.pField-1].  Returns the number whose status is not
// SEC1996_PARSE_OK (the warnings of the level-1 CUC, with their results,
// included).
template <class Format, class Decode>
inline std::size_t decodeArray(const std::uint8_t* codes, std::size_t n, const Format& f,
                               const std::uint8_t* pField, Sec1996* counts,
                               std::uint64_t* fractions, Sec1996ParseStatus* status,
                               Decode&& decode) {
  std::size_t flagged = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* in = codes + i * f.length;
    const bool other = f.pField != 0 && std::memcmp(in, pField, f.pField) != 0;
    finishDecoded(decode(in + f.pField), other, i, counts, fractions, status, flagged);
  }
  return flagged;
}

// Every element refused with one status, for a layout outside its ranges.
inline std::size_t refuseAll(std::size_t n, Sec1996* counts, std::uint64_t* fractions,
                             Sec1996ParseStatus* status, Status why) {
  for (std::size_t i = 0; i < n; ++i) {
    counts[i] = 0;
    if (fractions != nullptr) fractions[i] = 0;
    if (status != nullptr) status[i] = why;
  }
  return n;
}

inline std::size_t refuseAllCodes(std::size_t n, Sec1996ParseStatus* status, Status why) {
  if (status != nullptr) {
    for (std::size_t i = 0; i < n; ++i) status[i] = why;
  }
  return n;
}

}  // namespace sec1996::detail::ccsds

#endif  // SEC1996_SRC_CCSDS_H
