// The records the converter keeps for the object it cuts into body parts: its points, its
// quadrilaterals, one group of polygons per body part and the entries of the marked-point list.
//
// Indices are 0-based. A point index names an entry of the model's point arrays, a polygon
// index an entry of its polygon array, a material index an entry of its material table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/list_node.h"
#include "model/vec3.h"

namespace bw {

// A material of the converter object: at most this many per point (a point where five or more
// body parts meet is refused when the object is taken).
inline constexpr int kMaxPointMaterials = 4;

// One point (or normal) of the object. The same record serves the four arrays: model points,
// display points, model normals and display normals; normals use x, y, z only.
struct ConverterPoint {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    // Window pixels of the last projection (display points only): x from the left, y up from
    // the bottom of the viewport, as the projection gives them.
    std::int32_t windowX = 0;
    std::int32_t windowY = 0;
    // 1 when the point is selected; kept equal in model and display points.
    std::int32_t selected = 0;
    // The distinct materials of the polygons that use the point, ascending, so that two points
    // with the same materials hold them in the same order.
    std::int32_t materialCount = 0;
    std::array<std::int32_t, kMaxPointMaterials> materials{};

    Vec3d Position() const { return {x, y, z}; }
};

// A quadrilateral: every polygon of a taken object has exactly four vertices.
struct ConverterPolygon {
    std::int32_t vertexCount = 4;
    std::array<std::int32_t, 4> vertices{};  // point indices in winding order
    std::int32_t material = 0;               // the body part index of its group (0 to 21) or above
    std::int32_t visited = 0;                // used by the seam trace on its working copies
};

// Connection point sets 1 to kSavedSetCount can be saved from the converter; set k's bit in a
// group's sets-saved mask is bit 4 (k - 1).
inline constexpr int kSavedSetCount = 7;
constexpr std::uint32_t SetSavedBit(int set) { return 1u << (4 * (set - 1)); }

// The polygons of one material k (0 to 21), which become body part k, and the points they use.
struct PartGroup {
    std::vector<std::int32_t> polygons;  // polygon indices, ascending: the saving order
    std::vector<std::int32_t> points;    // point indices, ascending: the saving order
    // For each point of the object its position in `points`, none for a point the group does
    // not use. Empty while no object is taken.
    std::vector<std::optional<std::int32_t>> localIndexMap;
    std::int32_t pointCount = 0;
    std::int32_t polygonCount = 0;
    // SetSavedBit(k) is set once connection point set k (1 to 7) has been saved.
    std::uint32_t setsSavedMask = 0;
    // The middle of the group's bounding box (model space). Saving subtracts it from the
    // group's points, and hide-rest drawing centres the group on it.
    float centreX = 0.0f;
    float centreY = 0.0f;
    float centreZ = 0.0f;
};

// An entry of the marked-point list.
class MarkedPoint : public ListNode {
  public:
    explicit MarkedPoint(std::int32_t point) : pointIndex(point) {}
    std::int32_t pointIndex = 0;
    // 1 marks the entry for removal at the end of a pick.
    std::int32_t removal = 0;
};

}  // namespace bw
