// The C record of the core's fields, for the compiled library and
// sec1996.hpp alike.
#ifndef SEC1996_DETAIL_DATE1996_H
#define SEC1996_DETAIL_DATE1996_H

#include <cstdint>

#include "../../sec1996.h"
#include "scale.h"

namespace sec1996::detail {

constexpr Date1996 recordOf(const Fields& fields) {
  return {static_cast<std::int32_t>(fields.date.year),
          fields.date.mon,
          fields.date.day,
          fields.hour,
          fields.min,
          fields.sec};
}

}  // namespace sec1996::detail

#endif  // SEC1996_DETAIL_DATE1996_H
