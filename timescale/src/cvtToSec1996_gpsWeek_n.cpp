// cvtToSec1996_gpsWeek_n (what it returns: sec1996_scales.h).
// cvtToSec1996_gpsWeek in the block loops of leap_list.h, weeks turned into TAI first.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const int32_t* week,
                                             const int32_t* secondOfWeek, size_t n, unsigned flags,
                                             Sec1996* out, Sec1996ParseStatus* status) {
  return writeCounts(*list, n, flags, out, status, [&](size_t i) {
    const int32_t second = secondOfWeek[i];
    const bool inWeek = second >= 0 && second < kSecondsPerWeek;
    return TaiOrRefusal{taiFromGps(std::int64_t{week[i]} * kSecondsPerWeek + second),
                        inWeek ? SEC1996_PARSE_OK : SEC1996_PARSE_FIELD_RANGE};
  });
}

}  // namespace

size_t cvtToSec1996_gpsWeek_n(const Sec1996LeapList* list, const int32_t* week,
                              const int32_t* secondOfWeek, size_t n, unsigned flags, Sec1996* out,
                              Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return convertArray<convert>(&listOrDefault(list), week, secondOfWeek, n, flags, out, status);
}
