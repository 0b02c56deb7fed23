// The level-1 CUC (time code id 001): the coarse time is TAI seconds since
// 1958-01-01 00:00:00 TAI, which the leap-second list gives for a count
// (leap_list.h); the P-field, the T-field and the doors are the level-2
// code's (ccsds.h).
#ifndef SEC1996_SRC_CCSDS_TAI_H
#define SEC1996_SRC_CCSDS_TAI_H

#include <cstddef>
#include <cstdint>

#include "ccsds.h"
#include "leap_list.h"

namespace sec1996::detail::ccsds {

// A count's TAI, or the list's refusal of it (a count before its first
// date), as a level-1 code; the list's expiry is passed on as the warning
// it is, with the code written.
[[gnu::always_inline]] inline Status encodeCucTai(const TaiResult& tai, std::uint64_t fraction,
                                                  const CucFormat& f, std::uint8_t* out) {
  if (!hasValue(tai.status)) return tai.status;
  // On the list's span TAI is positive: count 0 is 1199145630.
  const Status written =
      encodeCucCoarse(kCucLevel1Id, static_cast<std::uint64_t>(tai.tai), fraction, f, out);
  return written == kOk ? tai.status : written;
}

// The element a T-field's TAI gives, from the count the list gives it: a
// refused element gets count 0 and fraction 0, a leap second the scale
// lacks mapped as flags ask keeps the code's fraction.
constexpr Decoded decodedOfTai(const CountResult& r, std::uint64_t fraction, unsigned flags) {
  if (!carriesResult(r.status, flags)) return {r.status, 0, 0};
  return {r.status, r.count, fraction};
}

// The coarse time of a T-field as TAI: below 2^56, and countOfTai and
// forEachCount refuse what is off the scale before any sum.
constexpr std::int64_t taiOf(const CucTime& time) { return static_cast<std::int64_t>(time.coarse); }

// ---- The array forms -----------------------------------------------------------
//
// The list's conversions run over a block of values at once, in the loops
// of leap_list.h compiled for the processor's vector unit; then each
// element's code is written or read in the loop of its format.

[[gnu::always_inline]] inline std::size_t taiBlockKernel(const Sec1996LeapList* list,
                                                         const std::uint32_t* in, std::size_t n,
                                                         std::int64_t* tai, Status* statuses) {
  forEachTai(*list, in, n, [&](std::size_t i, std::int64_t t, Status s) {
    tai[i] = t;
    statuses[i] = s;
  });
  return 0;
}

[[gnu::always_inline]] inline std::size_t countBlockKernel(const Sec1996LeapList* list,
                                                           const std::int64_t* tai, std::size_t n,
                                                           unsigned flags, std::uint32_t* counts,
                                                           Status* statuses) {
  forEachCount(*list, tai, n, flags, [&](std::size_t i, std::uint32_t c, Status s) {
    counts[i] = c;
    statuses[i] = s;
  });
  return 0;
}

// Encodes n counts in format f (a constant of the caller's loop).
[[gnu::always_inline]] inline std::size_t encodeCucTaiArray(
    const Sec1996LeapList& list, const Sec1996* counts, const std::uint64_t* fractions,
    std::size_t n, const CucFormat& f, std::uint8_t* codes, Sec1996ParseStatus* status) {
  std::int64_t tai[kListBlock];
  Status statuses[kListBlock];
  std::size_t flagged = 0;
  for (std::size_t start = 0; start < n; start += kListBlock) {
    const std::size_t m = n - start < kListBlock ? n - start : kListBlock;
    convertArray<taiBlockKernel>(&list, counts + start, m, tai, statuses);
    for (std::size_t j = 0; j < m; ++j) {
      const std::size_t i = start + j;
      std::uint8_t* out = codes + i * f.length;
      const Status s =
          encodeCucTai({tai[j], statuses[j]}, fractions != nullptr ? fractions[i] : 0, f, out);
      finishEncoded(s, i, f.length, out, status, flagged);
    }
  }
  return flagged;
}

// Decodes n codes of format f (a constant of the caller's loop), each with
// the P-field pField[0..f.pField-1] if the format has one.
[[gnu::always_inline]] inline std::size_t decodeCucTaiArray(
    const Sec1996LeapList& list, const std::uint8_t* codes, std::size_t n, const CucFormat& f,
    const std::uint8_t* pField, unsigned flags, Sec1996* counts, std::uint64_t* fractions,
    Sec1996ParseStatus* status) {
  std::int64_t tai[kListBlock];
  std::uint64_t fine[kListBlock];
  std::uint32_t found[kListBlock];
  Status statuses[kListBlock];
  std::size_t flagged = 0;
  for (std::size_t start = 0; start < n; start += kListBlock) {
    const std::size_t m = n - start < kListBlock ? n - start : kListBlock;
    const std::uint8_t* block = codes + start * f.length;
    for (std::size_t j = 0; j < m; ++j) {
      const CucTime time = readCucTField(block + j * f.length + f.pField, f);
      tai[j] = taiOf(time);
      fine[j] = time.fraction;
    }
    convertArray<countBlockKernel>(&list, tai, m, flags, found, statuses);
    for (std::size_t j = 0; j < m; ++j) {
      const std::uint8_t* in = block + j * f.length;
      const bool other = f.pField != 0 && std::memcmp(in, pField, f.pField) != 0;
      finishDecoded(decodedOfTai({found[j], statuses[j]}, fine[j], flags), other, start + j, counts,
                    fractions, status, flagged);
    }
  }
  return flagged;
}

}  // namespace sec1996::detail::ccsds

#endif  // SEC1996_SRC_CCSDS_TAI_H
