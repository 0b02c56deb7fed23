// Fuzzes getSecondsSince1996FromDate with any tm.  The count must be the
// exact count of the moment the fields name, rolled over as timegm() rolls
// them, modulo 2^32; where timegm() can place the moment it must agree; and
// the record must be left as it was.
#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstring>
#include <ctime>

#include "fuzz_support.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::fuzz;

constexpr std::int64_t kEpochCalendarTime = 820454400;  // 1996-01-01 from 1970
constexpr std::int64_t kTmYearBase = 1900;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputReader in(data, size);
  struct tm date = {};
  date.tm_sec = in.next<int>();
  date.tm_min = in.next<int>();
  date.tm_hour = in.next<int>();
  date.tm_mday = in.next<int>();
  date.tm_mon = in.next<int>();
  date.tm_year = in.next<int>();
  date.tm_wday = in.next<int>();
  date.tm_yday = in.next<int>();
  date.tm_isdst = in.next<int>();
#ifdef __GLIBC__
  date.tm_gmtoff = in.next<long>();
  date.tm_zone = "fuzz";
#endif
  struct tm before;
  std::memcpy(&before, &date, sizeof date);

  const Sec1996 count = getSecondsSince1996FromDate(&date);
  FUZZ_CHECK(std::memcmp(&before, &date, sizeof date) == 0, "the record was modified");

  const std::int64_t nominal = daysFromEpoch(std::int64_t{date.tm_year} + kTmYearBase,
                                             std::int64_t{date.tm_mon} + 1, date.tm_mday) *
                                   kSecondsPerDay +
                               std::int64_t{date.tm_hour} * 3600 + std::int64_t{date.tm_min} * 60 +
                               date.tm_sec;
  const std::uint32_t expected = modulo2To32(exactCount(nominal));
  FUZZ_CHECK(count == expected,
             "year %d mon %d mday %d %d:%d:%d gives %" PRIu32 ", expected %" PRIu32, date.tm_year,
             date.tm_mon, date.tm_mday, date.tm_hour, date.tm_min, date.tm_sec, count, expected);

  // timegm() as a second opinion on the nominal seconds, where it succeeds.
  struct tm copy = before;
  errno = 0;
  const time_t calendar = timegm(&copy);
  if (!(calendar == -1 && errno == EOVERFLOW)) {
    const std::int64_t timegmNominal = static_cast<std::int64_t>(calendar) - kEpochCalendarTime;
    FUZZ_CHECK(timegmNominal == nominal,
               "year %d mon %d mday %d %d:%d:%d: timegm gives %" PRId64 ", the oracle %" PRId64,
               date.tm_year, date.tm_mon, date.tm_mday, date.tm_hour, date.tm_min, date.tm_sec,
               timegmNominal, nominal);
  }
  return 0;
}
