// Fuzzes the leap-second list reader with any bytes.  It must read only the
// bytes given (the input is copied into a buffer of exactly its size), and
// either refuse the text with a LIST_ status, no list and a message naming
// the buffer, or accept it into a list whose properties hold: entries
// ascending a day apart or more, at midnights, TAI-UTC stepping by 1; every
// count converts to TAI and back to itself or answers OUT_OF_SPAN; and TAI
// never runs backwards from one count to the next.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_support.h"
#include "timescale/sec1996_scales.h"

namespace {

bool isListStatus(Sec1996ParseStatus s) {
  return s == SEC1996_PARSE_LIST_SYNTAX || s == SEC1996_PARSE_LIST_HASH ||
         s == SEC1996_PARSE_LIST_ORDER || s == SEC1996_PARSE_LIST_STEP;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::unique_ptr<char[]> text(new char[size == 0 ? 1 : size]);
  if (size != 0) std::memcpy(text.get(), data, size);
  Sec1996LeapList* list = reinterpret_cast<Sec1996LeapList*>(text.get());
  Sec1996LeapListError error{};
  const Sec1996ParseStatus status = leapListFromBuffer1996(text.get(), size, "fuzz", &list, &error);
  FUZZ_CHECK(std::memchr(error.message, '\0', sizeof error.message) != nullptr,
             "message unterminated");
  if (status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(isListStatus(status), "a status other than a list's");
    FUZZ_CHECK(list == nullptr, "a refused list handed out");
    FUZZ_CHECK(error.status == status, "error.status differs");
    FUZZ_CHECK(std::strncmp(error.message, "fuzz", 4) == 0, "the message does not name the buffer");
    return 0;
  }
  FUZZ_CHECK(list != nullptr, "no list");
  Sec1996LeapListInfo info{};
  leapListInfo1996(list, &info);
  FUZZ_CHECK(info.entryCount > 0, "an empty list accepted");
  for (std::size_t i = 0; i < info.entryCount; ++i) {
    FUZZ_CHECK(info.entries[i].ntpSeconds % 86400 == 0, "an entry off midnight");
    if (i > 0) {
      FUZZ_CHECK(info.entries[i].ntpSeconds > info.entries[i - 1].ntpSeconds,
                 "entries not ascending");
      const std::int32_t change = info.entries[i].taiMinusUtc - info.entries[i - 1].taiMinusUtc;
      FUZZ_CHECK(change == 1 || change == -1, "a step other than 1");
    }
  }
  // Each probe and the count after it: TAI goes on by 0 (a negative leap
  // second), 1 or 2 (a leap second the scale lacks), and comes back to a
  // count with the same TAI.
  const Sec1996 probes[] = {0, 47260799, 47260800, 94694400, 662774400, 2147483648u, 4294967294u};
  for (const Sec1996 c : probes) {
    std::int64_t tai[2] = {};
    Sec1996ParseStatus s[2];
    for (int k = 0; k < 2; ++k) {
      s[k] = cvtFromSec1996_tai(list, c + k, &tai[k]);
      FUZZ_CHECK(s[k] == SEC1996_PARSE_OK || s[k] == SEC1996_PARSE_LIST_EXPIRED ||
                     s[k] == SEC1996_PARSE_OUT_OF_SPAN,
                 "status %d", static_cast<int>(s[k]));
      if (s[k] == SEC1996_PARSE_OUT_OF_SPAN) continue;
      Sec1996 back = 0;
      const Sec1996ParseStatus r = cvtToSec1996_tai(list, tai[k], 0, &back);
      FUZZ_CHECK(r == SEC1996_PARSE_OK || r == SEC1996_PARSE_LIST_EXPIRED, "back: status %d",
                 static_cast<int>(r));
      std::int64_t again = 0;
      cvtFromSec1996_tai(list, back, &again);
      FUZZ_CHECK(again == tai[k], "count %u: TAI %lld comes back as count %u", c + k,
                 static_cast<long long>(tai[k]), back);
    }
    if (s[0] != SEC1996_PARSE_OUT_OF_SPAN && s[1] != SEC1996_PARSE_OUT_OF_SPAN) {
      const std::int64_t advance = tai[1] - tai[0];
      FUZZ_CHECK(advance >= 0 && advance <= 2, "count %u: TAI advances by %lld", c,
                 static_cast<long long>(advance));
    }
  }
  std::int64_t si = 0;
  siSecondsBetween1996(list, 0, 4294967295u, &si);
  leapListFree1996(list);
  return 0;
}
