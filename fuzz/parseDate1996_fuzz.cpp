// Fuzzes parseDate1996 and formatDate1996 with any pattern and any text.
// The first byte gives the pattern's length; the pattern follows, then the
// text, each copied into a buffer of exactly its size (the pattern with its
// terminating zero), so that AddressSanitizer stops any read past either.
// Besides staying in bounds:
//   - every status has words, and an offset lies within what it points into;
//   - a text accepted formats back, with the same pattern, into a text that
//     reads as the same count (the written form is the canonical one; %z
//     with %y is left out, where an offset can carry a year past 2068);
//   - formatting into a buffer of any size writes no further than it and
//     agrees with formatting into a large one.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "timescale/sec1996.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t patternLength = data[0] < size - 1 ? data[0] : size - 1;
  const std::unique_ptr<char[]> pattern(new char[patternLength + 1]);
  std::memcpy(pattern.get(), data + 1, patternLength);
  pattern[patternLength] = '\0';
  const std::size_t textLength = size - 1 - patternLength;
  const std::unique_ptr<char[]> text(new char[textLength == 0 ? 1 : textLength]);
  if (textLength > 0) std::memcpy(text.get(), data + 1 + patternLength, textLength);

  Sec1996 count = 0;
  std::size_t offset = ~std::size_t{0};
  const Sec1996ParseStatus status =
      parseDate1996(text.get(), textLength, pattern.get(), &count, &offset);
  FUZZ_CHECK(parseStatusText1996(status) != nullptr, "a status without words");
  if (status == SEC1996_PARSE_PATTERN) {
    FUZZ_CHECK(offset <= std::strlen(pattern.get()), "a pattern fault points past the pattern");
  } else if (status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(offset <= textLength, "a refusal points past the text");
  }

  // Formatting the count read, or a count from the text's first bytes.
  Sec1996 toFormat = count;
  if (status != SEC1996_PARSE_OK && textLength >= 4) std::memcpy(&toFormat, text.get(), 4);
  char large[4096];
  std::size_t length = 0;
  const Sec1996ParseStatus written =
      formatDate1996(toFormat, pattern.get(), large, sizeof large, &length);
  if (status == SEC1996_PARSE_OK) {
    FUZZ_CHECK(written == SEC1996_PARSE_OK, "a pattern read from cannot be written");
    const std::string p = pattern.get();
    const bool twoDigitYear =
        p.find("%y") != std::string::npos || p.find("%D") != std::string::npos;
    if (!twoDigitYear || p.find('z') == std::string::npos) {
      Sec1996 back = 0;
      const Sec1996ParseStatus reread = parseDate1996(large, length, pattern.get(), &back, &offset);
      FUZZ_CHECK(reread == SEC1996_PARSE_OK && back == count,
                 "\"%s\" (count %u) reads back as status %d, count %u", large, count, reread, back);
    }
  }
  if (written == SEC1996_PARSE_OK) {
    const std::size_t small = textLength % (length + 2);
    const std::unique_ptr<char[]> buffer(new char[small == 0 ? 1 : small]);
    std::size_t needed = 0;
    const Sec1996ParseStatus cut =
        formatDate1996(toFormat, pattern.get(), buffer.get(), small, &needed);
    if (small > length) {
      FUZZ_CHECK(cut == SEC1996_PARSE_OK && needed == length &&
                     std::memcmp(buffer.get(), large, length + 1) == 0,
                 "a buffer large enough gives another text");
    } else {
      FUZZ_CHECK(cut == SEC1996_PARSE_BUFFER_TOO_SMALL && needed == length + 1,
                 "a small buffer is not refused with the size needed");
    }
  }
  return 0;
}
