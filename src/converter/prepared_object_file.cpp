#include "converter/prepared_object_file.h"

#include <algorithm>

#include "converter/wavefront_object.h"
#include "model/object_file_reader.h"
#include "model/part_object.h"

namespace bw {
namespace {

bool HasObjExtension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension == "obj";
}

}  // namespace

bool PreparedObjectFromImage(std::vector<std::uint8_t> image, PreparedObject& object,
                             std::string* reason) {
    PartObject part;
    if (!part.LoadObjectImage(std::move(image), reason)) return false;
    if (!part.CheckPoints()) {
        if (reason) *reason = "the file has no points (no 'PNTS' chunk)";
        return false;
    }
    PreparedObject read;
    const auto points = part.TransformedPoints();
    const auto normals = part.Normals();
    read.points.assign(points.begin(), points.end());
    read.normals.assign(normals.begin(), normals.end());
    read.normals.resize(read.points.size());  // a point without a normal gets a zero one
    const auto polygons = part.Polygons();
    read.corners.reserve(polygons.size() * 4);
    read.polygonStart.reserve(polygons.size() + 1);
    read.polygonMaterial.reserve(polygons.size());
    for (const Quad& quad : polygons) {
        read.AddPolygon({quad.corner[0], quad.corner[1], quad.corner[2], quad.corner[3]},
                        quad.surface);
    }
    // The header's surface count says how many surfaces the file has; the reader's table has
    // spare entries beyond it, which no surface fills.
    const auto surfaces = part.Surfaces();
    const std::size_t count = std::min<std::size_t>(part.SurfaceCount(), surfaces.size());
    read.materials.resize(std::max<std::size_t>(count, kBodyPartCount));
    for (std::size_t m = 0; m < count; ++m) {
        const SurfaceMaterial& surface = surfaces[m];
        PreparedMaterial& material = read.materials[m];
        material.name = surface.name;
        material.colour = surface.colour;
        material.dataBlock.assign(surface.dataBlock.begin(), surface.dataBlock.end());
    }
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        read.hasBodyPartMaterial[std::size_t(id)] = std::size_t(id) < count;
        if (std::size_t(id) >= count) read.materials[std::size_t(id)].name = BodyPartName(id);
    }
    object = std::move(read);
    return true;
}

bool ReadPreparedObjectFile(const std::string& path, PreparedObject& object, std::string* reason) {
    if (HasObjExtension(path)) return ReadWavefrontFile(path, object, reason);
    std::vector<std::uint8_t> image;
    if (!ReadObjectFileImage(path, image, reason)) return false;
    return PreparedObjectFromImage(std::move(image), object, reason);
}

}  // namespace bw
