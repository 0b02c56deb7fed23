// Fuzzes parseDate1996_iso_opt with any flags and any text: the first byte
// gives the flags, the rest is the text, copied into a buffer of exactly its
// size so that AddressSanitizer stops any read past it.  The variants only
// ever add to the strict reading, so:
//   - a text parseDate1996_iso accepts is accepted under any flags, with the
//     same count; with flags 0 nothing else is;
//   - a refusal points into the text;
//   - an accepted count, written with the same flags, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_support.h"
#include "timescale/sec1996.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned flags = data[0];
  const std::size_t length = size - 1;
  const std::unique_ptr<char[]> text(new char[length == 0 ? 1 : length]);
  if (length > 0) std::memcpy(text.get(), data + 1, length);

  Sec1996 count = 0, strictCount = 0;
  std::size_t offset = ~std::size_t{0};
  const Sec1996ParseStatus status =
      parseDate1996_iso_opt(text.get(), length, flags, &count, &offset);
  const Sec1996ParseStatus strict = parseDate1996_iso(text.get(), length, &strictCount, nullptr);
  FUZZ_CHECK(parseStatusText1996(status) != nullptr, "a status without words");
  if (strict == SEC1996_PARSE_OK) {
    FUZZ_CHECK(status == SEC1996_PARSE_OK && count == strictCount,
               "a strict text read otherwise under flags %u: status %d", flags, status);
  }
  if ((flags & 0x1Fu) == 0) {
    FUZZ_CHECK((status == SEC1996_PARSE_OK) == (strict == SEC1996_PARSE_OK),
               "flags 0 accept what the strict reader refuses");
  }
  if (status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(offset <= length, "a refusal points past the text");
    return 0;
  }
  char written[SEC1996_ISO_OPT_SIZE];
  stringDate1996_iso_opt(count, flags, written);
  Sec1996 back = 0;
  FUZZ_CHECK(parseDate1996_iso_opt(written, std::strlen(written), flags, &back, nullptr) ==
                     SEC1996_PARSE_OK &&
                 back == count,
             "\"%s\" written under flags %u does not read back as %u", written, flags, count);
  return 0;
}
