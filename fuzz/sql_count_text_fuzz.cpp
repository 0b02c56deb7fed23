// Fuzzes the bare-count reader of the PostgreSQL sec1996 type's text input
// with any bytes.  It must read only the bytes given (the input is copied
// into a buffer of exactly its size), and agree with a reading written apart
// from it: digits with an optional leading minus are a count when their
// value, leading zeros dropped, is 0 to 4294967295 (and 0 when negative),
// out of range otherwise; anything else is no count at all.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "sql/postgresql/count_text.h"

namespace {

Sec1996CountText expected(std::string_view text, Sec1996* count) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
    return SEC1996_COUNT_TEXT_NONE;
  std::size_t first = text.find_first_not_of('0');
  std::string_view digits = first == std::string_view::npos ? "0" : text.substr(first);
  // 4294967295 has ten digits: more is out of range, ten are compared as text.
  if (digits.size() > 10 || (digits.size() == 10 && digits > "4294967295"))
    return SEC1996_COUNT_TEXT_OUT_OF_RANGE;
  std::uint64_t value = 0;
  for (char c : digits) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  if (negative && value != 0) return SEC1996_COUNT_TEXT_OUT_OF_RANGE;
  *count = static_cast<Sec1996>(value);
  return SEC1996_COUNT_TEXT_OK;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto text = std::make_unique<char[]>(size == 0 ? 1 : size);
  if (size != 0) std::memcpy(text.get(), data, size);
  Sec1996 count = 0xDEADBEEF;
  Sec1996 oracle = 0xDEADBEEF;
  Sec1996CountText result = sec1996CountFromText(text.get(), size, &count);
  if (result != expected(std::string_view(text.get(), size), &oracle) || count != oracle)
    __builtin_trap();
  return 0;
}
