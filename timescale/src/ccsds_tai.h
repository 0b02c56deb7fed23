// The level-1 CUC (time code id 001): the coarse time is TAI seconds since
// 1958-01-01 00:00:00 TAI, which the leap-second list gives for a count
// (leap_list.h); the P-field, the T-field and the doors are the level-2
// code's (ccsds.h).
#ifndef SEC1996_SRC_CCSDS_TAI_H
#define SEC1996_SRC_CCSDS_TAI_H

#include <cstdint>

#include "ccsds.h"
#include "leap_list.h"

namespace sec1996::detail::ccsds {

// A count as a level-1 code: its TAI, or the list's refusal (a count before
// its first date), then the code; the list's expiry is passed on as the
// warning it is, with the code written.
[[gnu::always_inline]] inline Status encodeCucTai(const Sec1996LeapList& list, std::uint32_t count,
                                                  std::uint64_t fraction, const CucFormat& f,
                                                  std::uint8_t* out) {
  const TaiResult tai = taiOfCount(list, count);
  if (!hasValue(tai.status)) return tai.status;
  // On the list's span TAI is positive: count 0 is 1199145630.
  const Status written =
      encodeCucCoarse(kCucLevel1Id, static_cast<std::uint64_t>(tai.tai), fraction, f, out);
  return written == kOk ? tai.status : written;
}

// A level-1 T-field as a count: a refused element gets count 0 and
// fraction 0, a leap second the scale lacks mapped as flags ask keeps the
// code's fraction.
[[gnu::always_inline]] inline Decoded decodeCucTai(const Sec1996LeapList& list,
                                                   const std::uint8_t* tField, const CucFormat& f,
                                                   unsigned flags) {
  const CucTime time = readCucTField(tField, f);
  // Below 2^56: a TAI value for countOfTai, which refuses what is off the
  // scale before any sum.
  const CountResult r = countOfTai(list, static_cast<std::int64_t>(time.coarse), flags);
  if (!carriesResult(r.status, flags)) return {r.status, 0, 0};
  return {r.status, r.count, time.fraction};
}

}  // namespace sec1996::detail::ccsds

#endif  // SEC1996_SRC_CCSDS_TAI_H
