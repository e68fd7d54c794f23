// The seam where two materials of the converter object meet, for cutting without a person:
// which points lie on it and in which order a connection point set lists them.
#pragma once

#include <cstdint>
#include <vector>

#include "converter/converter_model.h"

namespace bw {

// The points whose material lists hold both `a` and `b`, ascending.
std::vector<std::int32_t> SeamPoints(const ConverterModel& model, std::int32_t a, std::int32_t b);

// The same points in seam order, the same for (a, b) and (b, a): along the edges that a
// polygon of the lower material shares with one of the higher, in the lower material's
// winding direction. Open stretches come first, each from its start, ordered by their first
// point; closed rings follow, each from its lowest point; seam points on no shared edge (the
// two materials touch only at a corner there) come last, ascending. Unlike the seam trace,
// this walks on where a third material meets the seam.
std::vector<std::int32_t> OrderedSeam(const ConverterModel& model, std::int32_t a, std::int32_t b);

}  // namespace bw
