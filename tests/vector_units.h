// vector_units.h - runs a test body on each vector unit the processor has,
// as the library's array forms choose it (arrays.h), so that every build of
// an array loop is tested, not only the widest.
#ifndef SEC1996_TESTS_VECTOR_UNITS_H
#define SEC1996_TESTS_VECTOR_UNITS_H

#include <gtest/gtest.h>

#include "timescale/src/arrays.h"

// Runs body once with each vector unit the processor has, as the array
// forms would choose it, and then lets them choose again.
template <class Body>
void onEveryVectorUnit(Body body) {
  using sec1996::detail::VectorUnit;
  const VectorUnit widest = sec1996::detail::vectorUnit();
  for (const VectorUnit unit : {VectorUnit::kPortable, VectorUnit::kAvx2, VectorUnit::kAvx512}) {
    if (unit > widest) break;
    SCOPED_TRACE(testing::Message() << "vector unit " << static_cast<int>(unit));
    sec1996::detail::vectorUnitAnswer.store(unit);
    body();
  }
  sec1996::detail::vectorUnitAnswer.store(VectorUnit::kUnknown);
}

#endif  // SEC1996_TESTS_VECTOR_UNITS_H
