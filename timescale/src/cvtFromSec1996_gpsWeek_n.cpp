// cvtFromSec1996_gpsWeek_n (what it returns: sec1996_scales.h).
// cvtFromSec1996_gpsWeek in the block loops of leap_list.h, the week found
// by a multiplication that stays within 32-bit factors, so that it
// vectorises.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

// GPS seconds of a count lie in [0, 2^33); 604800 = 128 * 4725, and x / 4725
// for x = gps >> 7 < 2^26 is (x * kMagic) >> 40: the multiplier exceeds
// 2^40 / 4725 by less than 1, so the error stays below x / 2^40 < 2^-14,
// less than the 1/4725 that keeps a fraction below the next integer.
constexpr std::uint64_t kMagic = ((std::uint64_t{1} << 40) + 4724) / 4725;
static_assert(kSecondsPerWeek == 128 * 4725);
static_assert(kMagic < (std::uint64_t{1} << 32));

constexpr std::uint32_t weekOf(std::uint64_t gps) {
  const auto x = static_cast<std::uint32_t>(gps >> 7);  // < 2^26
  return static_cast<std::uint32_t>((std::uint64_t{x} * kMagic) >> 40);
}
static_assert(weekOf(604800 * 2448 - 1) == 2447 && weekOf(604800 * 2448) == 2448);
static_assert(weekOf((std::uint64_t{1} << 33) - 1) == ((std::uint64_t{1} << 33) - 1) / 604800);

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const Sec1996* in,
                                             size_t n, int32_t* week, int32_t* secondOfWeek,
                                             Sec1996ParseStatus* status) {
  size_t flagged = 0;
  forEachTai(*list, in, n, [&](size_t i, std::int64_t tai, Sec1996ParseStatus s) {
    const auto gps = static_cast<std::uint64_t>(hasValue(s) ? tai - kTaiOfGpsEpoch : 0);
    const std::uint32_t w = weekOf(gps);
    week[i] = static_cast<int32_t>(w);
    secondOfWeek[i] = static_cast<int32_t>(gps - std::uint64_t{w} * kSecondsPerWeek);
    if (status != nullptr) status[i] = s;
    flagged += s != SEC1996_PARSE_OK ? 1 : 0;
  });
  return flagged;
}

}  // namespace

size_t cvtFromSec1996_gpsWeek_n(const Sec1996LeapList* list, const Sec1996* in, size_t n,
                                int32_t* week, int32_t* secondOfWeek, Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return convertArray<convert>(&listOrDefault(list), in, n, week, secondOfWeek, status);
}
