// A prepared object as read from a file, before the converter takes it: points, normals,
// polygons of any corner count and materials. Nothing here is checked yet; CheckPreparedObject
// (prepared_object_check.h) decides whether the converter can take it.
//
// Coordinates are model space in the file's units. Indices are 0-based and, until checked,
// may lie outside their arrays.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/body_part_catalogue.h"
#include "model/vec3.h"

namespace bw {

struct PreparedMaterial {
    std::string name;                               // the body part name for a body part's material
    std::array<float, 3> colour{0.5f, 0.5f, 0.5f};  // red, green, blue, 0 to 1
    std::vector<std::uint8_t> dataBlock;            // the surface's property sub-chunks, as stored
};

struct PreparedObject {
    std::vector<Vec3f> points;
    std::vector<Vec3f> normals;  // one per point
    // Polygon i has the corners corners[polygonStart[i]] .. corners[polygonStart[i + 1] - 1];
    // polygonStart holds one entry more than there are polygons.
    std::vector<std::int64_t> corners;
    std::vector<std::size_t> polygonStart{0};
    std::vector<std::int64_t> polygonMaterial;  // one per polygon
    // Material k (0 to 21) belongs to body part k; further materials belong to none.
    std::vector<PreparedMaterial> materials;
    // Whether the file holds material k for body part k; the object is refused while one is
    // missing (materials then still has an entry for it, so indices stay aligned).
    std::array<bool, kBodyPartCount> hasBodyPartMaterial{};

    std::size_t PolygonCount() const { return polygonMaterial.size(); }
    void AddPolygon(std::initializer_list<std::int64_t> polygonCorners, std::int64_t material) {
        corners.insert(corners.end(), polygonCorners);
        polygonStart.push_back(corners.size());
        polygonMaterial.push_back(material);
    }
};

}  // namespace bw
