// The 3MF package of a welded surface, written by the 3MF consortium's library: one mesh
// object "creature" in millimetres, every triangle with its surface's colour as a base
// material, and one build item placing it.
#pragma once

#include <string>

#include "export/welded_surface.h"

namespace bw {

// The bytes of the package, nothing written. False, with `reason` set, when the surface has no
// triangle, a triangle names a point that is not there, or there are more than 2^32 - 1 points
// or triangles; or when the library refuses the mesh or fails to write it.
bool EncodeThreeMfPackage(const WeldedSurface& surface, std::string& bytes, std::string* reason);

}  // namespace bw
