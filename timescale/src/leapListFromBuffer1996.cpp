// leapListFromBuffer1996 (what it returns: sec1996_scales.h).
// The same reader as for a file; the list is handed out only once every
// line is accepted.
#include <cstdlib>

#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus leapListFromBuffer1996(const char* data, size_t length, const char* name,
                                          Sec1996LeapList** list, Sec1996LeapListError* error) {
  using namespace sec1996::detail;
  *list = nullptr;
  const char* origin = name != nullptr ? name : "buffer";
  auto* loaded = static_cast<Sec1996LeapList*>(std::calloc(1, sizeof(Sec1996LeapList)));
  if (loaded == nullptr) return fail(error, SEC1996_PARSE_LIST_SYNTAX, origin, 0, "out of memory");
  const Sec1996ParseStatus status = parseLeapList(data, length, origin, *loaded, error);
  if (status != SEC1996_PARSE_OK) {
    std::free(loaded);
    return status;
  }
  loaded->source = SEC1996_LIST_BUFFER;
  *list = loaded;
  return status;
}
