// The object the converter works on, in the converter's own arrays, and how a prepared object
// becomes one.
//
// Once built, a mesh satisfies what every converter operation relies on:
//  1. every polygon has exactly four vertices;
//  2. a polygon's material is the body part index of the group that lists it; group k lists
//     exactly the polygons of material k and the points they use, and its local index map is
//     valid for those points;
//  3. a point's material list holds each material of the polygons that use it once, at most
//     four, in ascending order;
//  4. there are at least 22 materials, material k belonging to body part k;
//  5. no point is selected.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "converter/converter_types.h"
#include "converter/prepared_object.h"
#include "converter/progress_sink.h"
#include "model/body_part_catalogue.h"
#include "model/surface_material.h"

namespace bw {

// Materials are addressed with 16 bits in the object files the converter writes.
inline constexpr std::size_t kMaxConverterMaterials = 0x10000;

struct ConverterMesh {
    std::vector<ConverterPoint> modelPoints;
    std::vector<ConverterPoint> displayPoints;
    std::vector<ConverterPoint> modelNormals;
    std::vector<ConverterPoint> displayNormals;
    std::vector<ConverterPolygon> polygons;
    std::array<PartGroup, kBodyPartCount> groups;
    // One per material; each data block refers into materialData and opens with the colour
    // sub-chunk (one is put in front of a block that does not), so a colour edit always
    // reaches the written files.
    std::vector<SurfaceMaterial> materials;
    std::vector<std::vector<std::uint8_t>> materialData;
    // The length of the diagonal of the bounding box of all points (model units).
    float size = 0.0f;
};

// Builds `mesh` from `object`. False, with `problem` set to a sentence for the user and `mesh`
// untouched, when the object is refused: a body part without its material, more materials
// than 65536 or a material name over 255 bytes, a point that is no finite position, a polygon
// that is not a quadrilateral, an index out of range, a point used by more than four
// materials, or too little memory. `progress` runs from 0 to 100 meanwhile.
bool BuildConverterMesh(const PreparedObject& object, ConverterMesh& mesh, ProgressSink& progress,
                        std::string* problem);

}  // namespace bw
