// The leap-second list compiled into the library: the fallback when no
// list file can be read.  A copy of the IERS leap-seconds.list that tzdata
// 2026f installs, with its own dates of update and expiry.
#ifndef SEC1996_SRC_LEAP_LIST_BUILTIN_H
#define SEC1996_SRC_LEAP_LIST_BUILTIN_H

#include <cstdint>

namespace sec1996::detail {

struct BuiltinLeapEntry {
  std::int64_t ntpSeconds;  // 00:00:00 UTC of the day TAI-UTC takes effect, from 1900
  std::int32_t taiMinusUtc;
};

inline constexpr std::int64_t kBuiltinUpdatedNtp = 3992312697;
inline constexpr std::int64_t kBuiltinExpiresNtp = 4023129600;  // 2027-06-28

inline constexpr BuiltinLeapEntry kBuiltinLeapEntries[] = {
    {2272060800, 10}, {2287785600, 11}, {2303683200, 12}, {2335219200, 13}, {2366755200, 14},
    {2398291200, 15}, {2429913600, 16}, {2461449600, 17}, {2492985600, 18}, {2524521600, 19},
    {2571782400, 20}, {2603318400, 21}, {2634854400, 22}, {2698012800, 23}, {2776982400, 24},
    {2840140800, 25}, {2871676800, 26}, {2918937600, 27}, {2950473600, 28}, {2982009600, 29},
    {3029443200, 30}, {3076704000, 31}, {3124137600, 32}, {3345062400, 33}, {3439756800, 34},
    {3550089600, 35}, {3644697600, 36}, {3692217600, 37},
};

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_LEAP_LIST_BUILTIN_H
