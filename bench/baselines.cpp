// The call-only baseline: out-of-line functions with the library's
// signatures that do no calendar work.
#include "baselines.h"

namespace sec1996::bench {

[[gnu::noipa]] Date1996 callOnlyFromCount(Sec1996 count) {
  const auto c = static_cast<std::int32_t>(count);
  return {c, c, c, c, c, c};
}

[[gnu::noipa]] Sec1996 callOnlyToCount(Date1996 r) {
  return static_cast<Sec1996>(r.year) + static_cast<Sec1996>(r.mon) + static_cast<Sec1996>(r.day) +
         static_cast<Sec1996>(r.hour) + static_cast<Sec1996>(r.min) + static_cast<Sec1996>(r.sec);
}

}  // namespace sec1996::bench
