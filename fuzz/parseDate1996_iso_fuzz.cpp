// Fuzzes parseDate1996_iso with any bytes.  The parser must read only the
// bytes given (AddressSanitizer stops any read past them: the input is
// copied into a buffer of exactly its size), and its answer must agree with
// a reading written apart from it: a text is accepted exactly when it has
// the shape YYYY-MM-DDTHH:MM:SS[Z] and names a real second of the scale, the
// count then being the one the oracle of fuzz_support.h gives, and the
// library's ISO text of that count must give back the same date and time.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_support.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::fuzz;

// The exact count of in-range fields.
std::int64_t exactCountOf(int year, int mon, int day, int hour, int min, int sec) {
  return exactCount(daysFromEpoch(year, mon, day) * kSecondsPerDay + hour * 3600 + min * 60 + sec);
}

int daysInMonth(int year, int mon) {
  return static_cast<int>(daysFromEpoch(year, mon + 1, 1) - daysFromEpoch(year, mon, 1));
}

bool digitsAt(const char* text, std::size_t at, std::size_t width) {
  for (std::size_t i = at; i < at + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

int numberAt(const char* text, std::size_t at, std::size_t width) {
  int value = 0;
  for (std::size_t i = at; i < at + width; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool hasShape(const char* text, std::size_t size) {
  if (size != 19 && !(size == 20 && text[19] == 'Z')) return false;
  return digitsAt(text, 0, 4) && text[4] == '-' && digitsAt(text, 5, 2) && text[7] == '-' &&
         digitsAt(text, 8, 2) && text[10] == 'T' && digitsAt(text, 11, 2) && text[13] == ':' &&
         digitsAt(text, 14, 2) && text[16] == ':' && digitsAt(text, 17, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::unique_ptr<char[]> text(new char[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(text.get(), data, size);
  Sec1996 count = 0;
  std::size_t offset = ~std::size_t{0};
  const Sec1996ParseStatus status = parseDate1996_iso(text.get(), size, &count, &offset);
  FUZZ_CHECK(parseStatusText1996(status) != nullptr, "a status without words");
  if (!hasShape(text.get(), size)) {
    FUZZ_CHECK(status == SEC1996_PARSE_SYNTAX,
               "a text without the shape was not refused as syntax");
    FUZZ_CHECK(offset <= size, "a syntax error points past the text");
    return 0;
  }
  const int year = numberAt(text.get(), 0, 4), mon = numberAt(text.get(), 5, 2);
  const int day = numberAt(text.get(), 8, 2), hour = numberAt(text.get(), 11, 2);
  const int min = numberAt(text.get(), 14, 2), sec = numberAt(text.get(), 17, 2);
  if (status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(status != SEC1996_PARSE_SYNTAX, "a text of the right shape refused as syntax");
    // Refused: the fields must not name a second of the scale.  A real
    // second of the scale is one whose exact count lies in [0, 2^32) and
    // whose fields are in range, or the leap second 23:59:60.
    const bool inRange = mon >= 1 && mon <= 12 && day >= 1 && day <= daysInMonth(year, mon) &&
                         hour <= 23 && min <= 59 && sec <= 59;
    const std::int64_t exact = exactCountOf(year, mon, day, hour, min, sec);
    FUZZ_CHECK(!(inRange && exact >= 0 && exact <= 0xFFFFFFFFLL), "a real second was refused");
    return 0;
  }
  // Accepted: the count is the oracle's, and its text reads the same.
  if (sec == 60) {
    FUZZ_CHECK(year == 1997 && mon == 6 && day == 30 && hour == 23 && min == 59,
               "second 60 accepted off the leap second");
    FUZZ_CHECK(count == 47260800U, "the leap second read as another count");
  } else {
    const std::int64_t exact = exactCountOf(year, mon, day, hour, min, sec);
    FUZZ_CHECK(exact >= 0 && exact <= 0xFFFFFFFFLL, "a date off the scale was accepted");
    FUZZ_CHECK(count == static_cast<Sec1996>(exact), "the count differs from the oracle's");
  }
  char back[SEC1996_ISO_SIZE];
  FUZZ_CHECK(std::memcmp(stringDate1996_iso(count, back), text.get(), 19) == 0,
             "the ISO text of the count is not the text read");
  return 0;
}
