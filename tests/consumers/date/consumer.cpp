// A C++ program using the installed sec1996_date.hpp: the leap second and its
// neighbours through date::clock_cast to date::utc_clock and back.  Built
// without USE_OS_TZDB, such a program used to crash in libdate-tz; the
// header now refuses to compile it.  Exits 1 on a mismatch.
#include <cstdio>
#include <string>

#include <sec1996_date.hpp>

int main() {
  using namespace std::chrono_literals;
  const sec1996::time_point leap = sec1996::from_count(47260800);
  int failures = 0;
  for (auto point = leap - 1s; point <= leap + 1s; point += 1s) {
    const auto utc = date::clock_cast<date::utc_clock>(point);
    const std::string text = date::format("%FT%TZ", utc);
    if (text != sec1996::to_iso_string(point) || date::clock_cast<sec1996::clock>(utc) != point) {
      std::fprintf(stderr, "FAIL %s against %s\n", text.c_str(),
                   sec1996::to_iso_string(point).c_str());
      ++failures;
    }
  }
  if (failures != 0) return 1;
  std::printf("date consumer: every check passed\n");
  return 0;
}
