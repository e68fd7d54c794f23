// Small prepared objects for the converter's tests, built in memory: every one has the 22
// body part materials (material k named after body part k, with its own colour).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "converter/prepared_object.h"

namespace bw::test {

// Materials 0 to 21, named after the body parts; material k has the colour (k, 2k, 3k)/255.
PreparedObject WithBodyPartMaterials();

// An open tube: rings of `segments` points at y = 0, 1, ..., bands.size(); the quads between
// ring r and ring r + 1 have material bands[r] and face outwards. Point i of ring r has the
// index r * segments + i.
PreparedObject Tube(int segments, const std::vector<int>& bands);
inline std::int32_t TubePoint(int segments, int ring, int i) { return ring * segments + i; }

// A flat grid of columns x rows unit quads in the plane z = 0, facing +z; the quads of columns
// below `split` have material `left`, the others `right`. Point (c, r) has the index
// r * (columns + 1) + c.
PreparedObject Grid(int columns, int rows, int split, int left, int right);
inline std::int32_t GridPoint(int columns, int c, int r) { return r * (columns + 1) + c; }

// The object as an object file (surface k = material k, quads only).
std::vector<std::uint8_t> ObjectFileOf(const PreparedObject& object);

}  // namespace bw::test
