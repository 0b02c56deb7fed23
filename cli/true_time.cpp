// True time in the converter; see true_time.h.
#include "true_time.h"

#include <unistd.h>

#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "io.h"
#include "report.h"

namespace sec1996::cli {
namespace {

// NTP seconds (from 1900) of the POSIX epoch, to compare the expiry with now.
constexpr std::int64_t kNtpOfPosixEpoch = 2208988800;

const Sec1996LeapList* chosen = nullptr;  // from --leap-seconds, owned for the run

std::string dateText(const Date1996& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(d.year), d.mon, d.day);
  return text;
}

std::string dateOfNtp(const Sec1996LeapListInfo& info, std::int64_t ntp) {
  // Every date the list holds is a midnight; the expiry's date is given.
  if (ntp == info.expiresNtp) return dateText(info.expires);
  for (std::size_t i = 0; i < info.entryCount; ++i) {
    if (info.entries[i].ntpSeconds == ntp) return dateText(info.entries[i].date);
  }
  const std::time_t posix = static_cast<std::time_t>(ntp - kNtpOfPosixEpoch);
  std::tm tm{};
  gmtime_r(&posix, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

const char* sourceName(Sec1996LeapListSource source) {
  switch (source) {
    case SEC1996_LIST_BUILTIN:
      return "built-in";
    case SEC1996_LIST_DEFAULT_FILE:
      return "default file";
    case SEC1996_LIST_ENV_FILE:
      return "file named by " SEC1996_LEAP_SECONDS_ENV;
    case SEC1996_LIST_FILE:
      return "file given by --leap-seconds";
    case SEC1996_LIST_BUFFER:
      return "buffer";
  }
  return "unknown";
}

bool expiredNow(const Sec1996LeapListInfo& info) {
  return static_cast<std::int64_t>(std::time(nullptr)) + kNtpOfPosixEpoch >= info.expiresNtp;
}

template <class T>
bool readInteger(std::string_view text, T& value) {
  if (text.empty() || text[0] == '+') return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

ParseResult refused(std::string reason) { return {false, 0, std::move(reason)}; }

ParseResult fromStatus(Sec1996ParseStatus status, Sec1996 count) {
  switch (status) {
    case SEC1996_PARSE_OK:
      return {true, count, {}};
    case SEC1996_PARSE_LIST_EXPIRED:
      warnPastExpiry();
      return {true, count, {}};
    case SEC1996_PARSE_LEAP_NOT_ON_SCALE:
      return refused("a UTC leap second that the scale does not count");
    default:
      return refused(parseStatusText1996(status));
  }
}

}  // namespace

void warnPastExpiry() {
  static bool warned = false;
  if (warned) return;
  warned = true;
  Sec1996LeapListInfo info{};
  leapListInfo1996(leapList(), &info);
  complain("warning: a value lies past the leap-second list's expiry, " + dateText(info.expires) +
           ": no further leap second is assumed");
}

bool useLeapSecondsFile(const std::string& path, std::string& message) {
  if (path.empty()) return true;
  Sec1996LeapList* list = nullptr;
  Sec1996LeapListError error{};
  if (leapListFromFile1996(path.c_str(), &list, &error) != SEC1996_PARSE_OK) {
    message = error.message;
    return false;
  }
  chosen = list;  // kept until the process ends
  return true;
}

const Sec1996LeapList* leapList() {
  if (chosen != nullptr) return chosen;
  static const Sec1996LeapList* table = [] {
    Sec1996LeapListError fallback{};
    const Sec1996LeapList* list = leapListDefault1996(&fallback);
    if (fallback.status != SEC1996_PARSE_OK) complain(std::string("warning: ") + fallback.message);
    return list;
  }();
  return table;
}

bool printLeapList() {
  Sec1996LeapListInfo info{};
  leapListInfo1996(leapList(), &info);
  std::string text;
  text += "source\t" + std::string(sourceName(info.source)) + "\t" + info.origin + "\n";
  if (info.updatedNtp != 0) text += "updated\t" + dateOfNtp(info, info.updatedNtp) + "\n";
  text += "expires\t" + dateText(info.expires) + (expiredNow(info) ? "\texpired\n" : "\n");
  text += std::string("hash\t") + (info.hashChecked ? "checked" : "none in the list") + "\n";
  text += "entries\t" + std::to_string(info.entryCount) + "\n";
  for (std::size_t i = 0; i < info.entryCount; ++i) {
    text +=
        dateText(info.entries[i].date) + "\t" + std::to_string(info.entries[i].taiMinusUtc) + "\n";
  }
  if (expiredNow(info)) {
    complain("warning: the leap-second list " + std::string(info.origin) + " expired on " +
             dateText(info.expires) + "; install a newer one (tzdata) or give --leap-seconds");
  }
  return writeAll(STDOUT_FILENO, text);
}

std::optional<ParseResult> parseTrueTime(std::string_view input) {
  const std::size_t colon = input.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view name = input.substr(0, colon);
  const std::string_view rest = input.substr(colon + 1);
  Sec1996 count = 0;
  if (name == "tai" || name == "gps") {
    std::int64_t value = 0;
    if (!readInteger(rest, value)) return refused("not whole " + std::string(name) + " seconds");
    const Sec1996ParseStatus status = name == "tai"
                                          ? cvtToSec1996_tai(leapList(), value, 0, &count)
                                          : cvtToSec1996_gps(leapList(), value, 0, &count);
    return fromStatus(status, count);
  }
  if (name == "tt") {
    // Seconds with exactly three decimals.
    const std::size_t point = rest.find('.');
    std::int64_t seconds = 0;
    std::int64_t millis = 0;
    if (point == std::string_view::npos || rest.size() - point != 4 ||
        !readInteger(rest.substr(0, point), seconds) || rest[point + 1] == '-' ||
        !readInteger(rest.substr(point + 1), millis) || seconds < 0 ||
        seconds > INT64_MAX / 1000 - 1) {
      return refused("not TT seconds with three decimals (tt:1199145662.184)");
    }
    const Sec1996ParseStatus status =
        cvtToSec1996_tt(leapList(), seconds * 1000 + millis, 0, &count);
    return fromStatus(status, count);
  }
  if (name == "gps-week") {
    const std::size_t second = rest.find(':');
    std::int32_t week = 0;
    std::int32_t secondOfWeek = 0;
    if (second == std::string_view::npos || !readInteger(rest.substr(0, second), week) ||
        !readInteger(rest.substr(second + 1), secondOfWeek)) {
      return refused("not a GPS week and second of the week (gps-week:834:86411)");
    }
    const Sec1996ParseStatus status =
        cvtToSec1996_gpsWeek(leapList(), week, secondOfWeek, 0, &count);
    return fromStatus(status, count);
  }
  return std::nullopt;
}

char* formatTrueTime(char* out, Sec1996 count, TrueTimeForm form) {
  std::int64_t value = 0;
  std::int32_t week = 0;
  std::int32_t secondOfWeek = 0;
  Sec1996ParseStatus status = SEC1996_PARSE_OK;
  switch (form) {
    case TrueTimeForm::kTai:
      status = cvtFromSec1996_tai(leapList(), count, &value);
      break;
    case TrueTimeForm::kTt:
      status = cvtFromSec1996_tt(leapList(), count, &value);
      break;
    case TrueTimeForm::kGps:
      status = cvtFromSec1996_gps(leapList(), count, &value);
      break;
    case TrueTimeForm::kGpsWeek:
      status = cvtFromSec1996_gpsWeek(leapList(), count, &week, &secondOfWeek);
      break;
  }
  if (status == SEC1996_PARSE_LIST_EXPIRED) warnPastExpiry();
  if (status != SEC1996_PARSE_OK && status != SEC1996_PARSE_LIST_EXPIRED) return out;
  char text[32];
  int length = 0;
  if (form == TrueTimeForm::kTt) {
    length = std::snprintf(text, sizeof text, "%" PRId64 ".%03d", value / 1000,
                           static_cast<int>(value % 1000));
  } else if (form == TrueTimeForm::kGpsWeek) {
    length = std::snprintf(text, sizeof text, "%d:%d", static_cast<int>(week),
                           static_cast<int>(secondOfWeek));
  } else {
    length = std::snprintf(text, sizeof text, "%" PRId64, value);
  }
  for (int i = 0; i < length; ++i) *out++ = text[i];
  return out;
}

}  // namespace sec1996::cli
