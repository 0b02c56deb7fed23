// Collects the mismatches a verification program finds: counts them all,
// keeps the first few with the count they occurred at, and prints them.
// Safe to use from several threads at once.
#ifndef SEC1996_VERIFY_MISMATCH_REPORT_H
#define SEC1996_VERIFY_MISMATCH_REPORT_H

#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "timescale/sec1996.h"

namespace sec1996::verify {

class MismatchReport {
 public:
  static constexpr std::size_t kShown = 20;

  void add(std::uint64_t count, const std::string& what) {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++mismatches_;
    if (shown_.size() < kShown) shown_.push_back("count " + std::to_string(count) + ": " + what);
  }

  std::uint64_t mismatches() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return mismatches_;
  }

  void print() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& line : shown_) std::printf("MISMATCH %s\n", line.c_str());
    if (mismatches_ > shown_.size()) {
      std::printf("... and %" PRIu64 " more\n", mismatches_ - shown_.size());
    }
  }

 private:
  mutable std::mutex mutex_;
  std::uint64_t mismatches_ = 0;
  std::vector<std::string> shown_;
};

// A record as "YYYY-MM-DD hh:mm:ss" for messages.
inline std::string describe(const Date1996& r) {
  char text[96];
  std::snprintf(text, sizeof text,
                "%" PRId32 "-%02" PRId32 "-%02" PRId32 " %02" PRId32 ":%02" PRId32 ":%02" PRId32,
                r.year, r.mon, r.day, r.hour, r.min, r.sec);
  return text;
}

inline bool sameRecord(const Date1996& a, const Date1996& b) {
  return a.year == b.year && a.mon == b.mon && a.day == b.day && a.hour == b.hour &&
         a.min == b.min && a.sec == b.sec;
}

}  // namespace sec1996::verify

#endif  // SEC1996_VERIFY_MISMATCH_REPORT_H
