// Reading a prepared object: a whole creature modelled as one object whose materials mark the
// body parts. Two kinds of file are read:
//  - our object format (.bwo, any other extension too): surface k marks body part k, so the
//    file needs at least 22 surfaces; points, normals (or normals computed per point when the
//    file has none) and quadrilaterals as the object file reader gives them;
//  - Wavefront OBJ (extension .obj, any letter case) with the material libraries its "mtllib"
//    lines name (see wavefront_object.h).
//
// Safe for untrusted input: a file that cannot be read or is malformed is refused with a
// reason; nothing is checked here beyond what reading needs (CheckPreparedObject happens when
// the converter takes the object, converter_mesh.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "converter/prepared_object.h"

namespace bw {

// False, with `reason` set, when the file cannot be read or parsed.
bool ReadPreparedObjectFile(const std::string& path, PreparedObject& object, std::string* reason);

// An object file image (the bytes of a .bwo) as a prepared object.
bool PreparedObjectFromImage(std::vector<std::uint8_t> image, PreparedObject& object,
                             std::string* reason);

}  // namespace bw
