// One body-part mesh read from an object file, with its adjustment settings.
//
// The whole file image stays in memory while the part exists: transformed points, normals,
// polygons, connection sets and surface data blocks are used where they lie in it, and
// welding writes into it. Only `basePoints` is a copy. A chunk whose content is not aligned for
// its element type (possible after odd-length chunks) is used through an aligned copy instead.
//
// Coordinates are model space of the creature, in the units of the object file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/body_part_catalogue.h"
#include "model/list_node.h"
#include "model/object_file_format.h"
#include "model/part_adjustments.h"
#include "model/surface_material.h"
#include "model/vec3.h"

namespace bw {

class PartObject : public ListNode {
  public:
    PartObject() = default;
    ~PartObject() override = default;

    // Reads the object file at `path` and sets the name to `path`. False, with `reason` set and
    // the part unchanged, for a file that cannot be read or is malformed (a file that does not
    // start with an object file header is refused after its first 24 bytes, see
    // object_file_reader.h); false with the part emptied when memory runs out while the mesh is
    // being set up.
    bool LoadObjectFile(const std::string& path, std::string* reason = nullptr);
    // The same from bytes already in memory; the name is not touched.
    bool LoadObjectImage(std::vector<std::uint8_t> image, std::string* reason = nullptr);

    bool SetName(const std::string& path);
    bool SetTypeName(const std::string& text);
    // True when the file had a 'PNTS' chunk.
    bool CheckPoints() const { return hasPoints_; }
    void SetTypeCode(TypeCode code) { typeCode_ = code; }
    // Set k + 1 for k = 0..7 (indices into the point arrays); empty for any other k or a set
    // absent from the file.
    std::span<std::uint16_t> ConnectionSet(int k) const;
    // Adds the offset to every base and transformed point (normals unchanged). False, changing
    // nothing, when the part has no points.
    bool Translate(float dx, float dy, float dz);
    void ResetAdjustments() { adjustments.Reset(); }

    // A part equal to this one in everything but its list links and its view arrays: the same
    // file image, points, normals, adjustments and names. Null when memory runs out.
    std::unique_ptr<PartObject> Clone() const;
    // True when both parts were read from the same file image: every byte of the two images is
    // equal except those of the points and normals, which moves and welds change.
    bool SameMeshAs(const PartObject& other) const;
    // Overwrites the base points, the transformed points and the normals; false, changing
    // nothing, when a span's size differs from the part's own array.
    bool SetPointArrays(std::span<const Vec3f> base, std::span<const Vec3f> transformed,
                        std::span<const Vec3f> normals);

    // The "name" is the path of the object file the part was loaded from, not a display name;
    // the type name is the text a project record gives the part.
    const std::string& Name() const { return name_; }
    const std::string& TypeName() const { return typeName_; }
    TypeCode GetTypeCode() const { return typeCode_; }

    // Counts as the header gives them.
    std::uint32_t PointCount() const { return pointCount_; }
    std::uint32_t PolygonCount() const { return polygonCount_; }
    std::uint32_t SurfaceCount() const { return surfaceCount_; }
    // The body part the file was cut for (header field; not used when loading).
    std::uint32_t FileBodyPart() const { return fileBodyPart_; }
    // True when the file had its own 'NRMS' chunk; otherwise normals are computed from the
    // polygons when the file is loaded.
    bool HasFileNormals() const { return hasFileNormals_; }

    // Empty when the file had no 'PNTS' chunk; otherwise PointCount() entries each.
    std::span<const Vec3f> BasePoints() const { return basePoints_; }
    std::span<Vec3f> TransformedPoints() const { return transformedPoints_; }
    std::span<Vec3f> Normals() const { return normals_; }
    // Empty when the file had no 'SRFS' chunk. Every corner is a valid point index and every
    // surface index a valid entry of Surfaces().
    std::span<const Quad> Polygons() const { return polygons_; }
    // SurfaceCount() + 10 entries, one per 'SURF' chunk in file order, the rest zero.
    std::span<const SurfaceMaterial> Surfaces() const { return surfaces_; }
    std::span<SurfaceMaterial> Surfaces() { return surfaces_; }
    const std::vector<std::uint8_t>& FileImage() const { return fileImage_; }

    // Results of the view transform. Empty until EnsureViewArrays sizes them, which drawing
    // does once before its first view transform; loading a part that is never drawn (the
    // command-line tool, the converter's output) does not pay for them.
    std::vector<Vec3f> viewPoints;
    std::vector<Vec3f> viewNormals;
    // Sizes viewPoints and viewNormals to one entry per point; no allocation once they are.
    void EnsureViewArrays();

    BodyPartId bodyPart = 0;
    PartAdjustments adjustments;
    std::uint8_t highlight = 0;
    float yaw = 0.0f;    // radians, copied from the creature at each drawing
    float pitch = 0.0f;  // radians
    float panX = 0.0f;
    float panY = 0.0f;
    std::array<double, 12> viewMatrix{};  // 3 x 4, row major
    std::array<float, 3> wireColour{1.0f, 1.0f, 1.0f};

  private:
    std::string name_;  // the object file's path
    std::string typeName_;
    TypeCode typeCode_{-1};

    std::uint32_t pointCount_ = 0;
    std::uint32_t polygonCount_ = 0;
    std::uint32_t surfaceCount_ = 0;
    std::uint32_t fileBodyPart_ = 0;
    bool hasPoints_ = false;
    bool hasFileNormals_ = false;

    std::vector<std::uint8_t> fileImage_;
    std::vector<Vec3f> basePoints_;
    std::span<Vec3f> transformedPoints_;
    std::span<Vec3f> normals_;
    std::span<const Quad> polygons_;
    std::array<std::span<std::uint16_t>, kMaxConnectionSets> connectionSets_{};
    std::vector<SurfaceMaterial> surfaces_;

    // Aligned copies of chunks that lie misaligned in the image, and computed normals.
    std::vector<Vec3f> ownPoints_;
    std::vector<Vec3f> ownNormals_;
    std::vector<Quad> ownPolygons_;
    std::array<std::vector<std::uint16_t>, kMaxConnectionSets> ownSets_;

    friend class ObjectImageParser;
};

}  // namespace bw
