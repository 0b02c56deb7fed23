// leapListFromBuffer1996 (what it returns: sec1996_scales.h).
// The same reader as for a file; the list is handed out only once every
// line is accepted.
#include <new>
#include <string_view>

#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus leapListFromBuffer1996(const char* data, size_t length, const char* name,
                                          Sec1996LeapList** list, Sec1996LeapListError* error) {
  *list = nullptr;
  const char* origin = name != nullptr ? name : "buffer";
  auto* loaded = new (std::nothrow) Sec1996LeapList;
  if (loaded == nullptr) {
    return sec1996::detail::fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, 0, "out of memory");
  }
  const std::string_view text = length == 0 ? std::string_view{} : std::string_view{data, length};
  const Sec1996ParseStatus status = sec1996::detail::parseLeapList(text, origin, *loaded, error);
  if (status != SEC1996_PARSE_OK) {
    delete loaded;
    return status;
  }
  loaded->source = SEC1996_LIST_BUFFER;
  *list = loaded;
  return status;
}
