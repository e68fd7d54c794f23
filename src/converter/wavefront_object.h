// Prepared objects in Wavefront OBJ with their MTL material libraries, parsed by tinyobjloader.
//
// - Every "v" is a point, in file order. Polygons keep their corner count (the converter
//   refuses any that is not four).
// - A material named after a body part (catalogue name, letter case ignored, '_' read as a
//   blank: "left_forearm") is that body part's material; its diffuse colour (Kd) is the
//   material's colour. Other materials follow the 22 body part materials in library order;
//   faces without a material get one more, "(no material)".
// - Normals: when every corner of every polygon names a normal ("f 1//1 ..."), a point's normal
//   is the normalised sum of the normals its corners name; otherwise every point gets the
//   normalised, area-weighted sum of the normals of the quadrilaterals around it.
//
// Safe for untrusted input: material libraries are read like any file (a named pipe or device
// is refused), and indices are passed on unchecked for CheckPreparedObject to refuse.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "converter/prepared_object.h"
#include "model/body_part_catalogue.h"

namespace bw {

// Reads the OBJ file at `path` and every library its "mtllib" lines name (relative to the
// OBJ file's folder unless absolute). False, with `reason` set, when a file cannot be read or
// the text cannot be parsed.
bool ReadWavefrontFile(const std::string& path, PreparedObject& object, std::string* reason);

// Parses OBJ text with the text of its material libraries (`mtlText`, all of them one after
// the other; "mtllib" lines in `objText` are only a cue to use it).
bool ParseWavefrontObject(const std::string& objText, const std::string& mtlText,
                          PreparedObject& object, std::string* reason);

// The body part a material name stands for, if any.
std::optional<BodyPartId> BodyPartOfMaterialName(std::string_view name);

// The file names on the "mtllib" lines of `objText`, in order.
std::vector<std::string> MaterialLibraryNames(const std::string& objText);

}  // namespace bw
