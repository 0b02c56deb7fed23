// leapListFromFile1996 (what it returns: sec1996_scales.h).
// The file is read whole and parsed into a list that is handed out only
// once every line is accepted.
#include <cstdlib>

#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus leapListFromFile1996(const char* path, Sec1996LeapList** list,
                                        Sec1996LeapListError* error) {
  using namespace sec1996::detail;
  *list = nullptr;
  auto* loaded = static_cast<Sec1996LeapList*>(std::calloc(1, sizeof(Sec1996LeapList)));
  if (loaded == nullptr) return fail(error, SEC1996_PARSE_LIST_NOT_FOUND, path, 0, "out of memory");
  const Sec1996ParseStatus status = loadLeapListFile(path, *loaded, error);
  if (status != SEC1996_PARSE_OK) {
    std::free(loaded);
    return status;
  }
  loaded->source = SEC1996_LIST_FILE;
  *list = loaded;
  return status;
}
