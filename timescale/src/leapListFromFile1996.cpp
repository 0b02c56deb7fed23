// leapListFromFile1996 (what it returns: sec1996_scales.h).
// The file is read whole and parsed into a list that is handed out only
// once every line is accepted.
#include <new>

#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus leapListFromFile1996(const char* path, Sec1996LeapList** list,
                                        Sec1996LeapListError* error) {
  *list = nullptr;
  auto* loaded = new (std::nothrow) Sec1996LeapList;
  if (loaded == nullptr) {
    return sec1996::detail::fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "out of memory");
  }
  const Sec1996ParseStatus status = sec1996::detail::loadLeapListFile(path, *loaded, error);
  if (status != SEC1996_PARSE_OK) {
    delete loaded;
    return status;
  }
  loaded->source = SEC1996_LIST_FILE;
  *list = loaded;
  return status;
}
