// One generated body part: its mesh, its coloured surfaces, its connection sets and, per set,
// the cap quads that close the part at that seam (the prepared creature leaves them out).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "creature_types.h"
#include "mesh_builder.h"
#include "model/body_part_catalogue.h"
#include "model/object_file_writer.h"

namespace bw::library {

struct PartSurface {
    std::string name;
    Rgb colour;
};

struct PartMesh {
    Mesh mesh;
    std::vector<PartSurface> surfaces;
    // Sets 1 to 8 (index 0 to 7): point indices in seam ring order.
    std::array<std::vector<int>, kMaxConnectionSets> sets;
    // Quads of the cap closing the part at the seam of each set (empty where there is none).
    std::array<std::vector<int>, kMaxConnectionSets> capQuads;

    // Index of the surface called `name`, added with `colour` when it is new.
    int Surface(const std::string& name, Rgb colour);
    // Drops unused points and renumbers the sets.
    void Compact();
    // Mirror image for the other side of the body.
    void MirrorX();
};

// The library is modelled in metres, a grown creature standing about 1.95 m tall with its feet
// at y = 0, facing +z with its left side at +x. Files store it in preview units: scaled by
// kPreviewUnitsPerMetre about a point at kCentreHeight, so an assembled creature (about 0.29
// units tall) stands centred in the preview at its starting zoom, and mirrored in z: the
// preview shows model space through a mirror in z, so the stored creature faces -z and is seen
// from the front, its left side on the screen's right, when it is not turned.
inline constexpr double kPreviewUnitsPerMetre = 0.15;
inline constexpr double kCentreHeight = 0.98;  // metres

// The object file contents of a part, in preview units: points, unit normals, quads, surfaces (each
// data block opening with its colour sub-chunk) and sets. False with `reason` when the part is
// unsound.
bool ToObjectFile(const PartMesh& part, BodyPartId bodyPart, ObjectFileContents& contents,
                  std::string* reason);

}  // namespace bw::library
