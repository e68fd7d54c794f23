#include "part_mesh.h"

namespace bw::library {

int PartMesh::Surface(const std::string& name, Rgb colour) {
    for (std::size_t i = 0; i < surfaces.size(); ++i)
        if (surfaces[i].name == name) return static_cast<int>(i);
    surfaces.push_back({name, colour});
    return static_cast<int>(surfaces.size()) - 1;
}

void PartMesh::Compact() {
    const std::vector<int> remap = mesh.DropUnusedPoints();
    for (auto& set : sets)
        for (int& index : set) index = remap[index];
}

void PartMesh::MirrorX() { mesh.MirrorX(); }

bool ToObjectFile(const PartMesh& part, BodyPartId bodyPart, ObjectFileContents& contents,
                  std::string* reason) {
    std::string problem;
    if (!part.mesh.IsClosed(&problem) || !part.mesh.HasNoDegenerateQuads(&problem)) {
        if (reason) *reason = problem;
        return false;
    }
    if (part.mesh.SignedVolume() <= 0.0) {
        if (reason) *reason = "the quads face inward";
        return false;
    }
    if (part.mesh.points.size() > 65535) {
        if (reason) *reason = "too many points";
        return false;
    }
    contents = {};
    contents.bodyPart = bodyPart;
    const std::vector<V3> normals = part.mesh.PointNormals();
    for (std::size_t i = 0; i < part.mesh.points.size(); ++i) {
        const V3& p = part.mesh.points[i];
        contents.points.push_back({float(p.x * kPreviewUnitsPerMetre),
                                   float((p.y - kCentreHeight) * kPreviewUnitsPerMetre),
                                   float(-p.z * kPreviewUnitsPerMetre)});
        contents.normals.push_back(
            {float(normals[i].x), float(normals[i].y), float(-normals[i].z)});
    }
    for (const MeshQuad& quad : part.mesh.quads) {
        Quad q;
        // The mirror in z turns the winding; reversing the corners keeps the quads outward.
        for (int k = 0; k < 4; ++k)
            q.corner[k] = static_cast<std::uint16_t>(quad.corner[(4 - k) % 4]);
        q.surface = static_cast<std::uint16_t>(quad.surface);
        contents.polygons.push_back(q);
    }
    for (const PartSurface& surface : part.surfaces) {
        contents.surfaces.push_back(
            {surface.name, ColourDataBlock(surface.colour.r, surface.colour.g, surface.colour.b)});
    }
    for (int k = 0; k < kMaxConnectionSets; ++k)
        for (int index : part.sets[k])
            contents.connectionSets[k].push_back(static_cast<std::uint16_t>(index));
    return true;
}

}  // namespace bw::library
