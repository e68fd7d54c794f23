// Points and normals that are no finite numbers: scale values near the float limit can make
// them, and a file can hold them. JSON shows them as null; no export format can hold them.
#pragma once

#include <cstddef>

#include "model/part_object.h"

namespace bw {

// The number of points (transformed) and of normals of `part` that are infinite or NaN.
struct NonFiniteCount {
    std::size_t points = 0;
    std::size_t normals = 0;
};
NonFiniteCount CountNonFinite(const PartObject& part);

}  // namespace bw
