#include "test_support.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace sec1996::testing {

ScopedTimeZone::ScopedTimeZone(const char* zone) {
  if (const char* old = std::getenv("TZ")) previous_ = old;
  setenv("TZ", zone, 1);
  tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
  if (previous_) {
    setenv("TZ", previous_->c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

std::vector<std::int32_t> leapTableSince1996FromList(const char* path) {
  // The list gives, for each change of TAI - UTC, the NTP time (seconds
  // since 1900 without leap seconds) of the first second after it.
  constexpr std::int64_t kNtpEpoch1996 = 3029443200;  // 1996-01-01 00:00:00
  std::ifstream in(path);
  std::vector<std::int32_t> table;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::int64_t ntp = 0;
    if (!(fields >> ntp) || ntp <= kNtpEpoch1996) continue;
    // Counted on the scale: the nominal seconds plus every leap second so far.
    const auto inserted = static_cast<std::int64_t>(table.size()) + 1;
    table.push_back(static_cast<std::int32_t>(ntp - kNtpEpoch1996 + inserted));
  }
  if (!table.empty()) table.push_back(0);
  return table;
}

}  // namespace sec1996::testing
