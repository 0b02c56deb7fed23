// leapSeconds1996 (what it returns: sec1996.h).
// The core's table as counts, built from it at compile time so that the
// table is still written once.
#include <array>
#include <cstddef>

#include "leap_seconds.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;

constexpr std::array<Sec1996, kLeapSeconds.size()> kEntries = [] {
  std::array<Sec1996, kLeapSeconds.size()> entries{};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i] = static_cast<Sec1996>(kLeapSeconds[i]);
  }
  return entries;
}();

}  // namespace

size_t leapSeconds1996(const Sec1996** entries) {
  if (entries != nullptr) *entries = kEntries.data();
  return kEntries.size();
}
