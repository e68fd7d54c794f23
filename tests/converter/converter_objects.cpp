#include "converter/converter_objects.h"

#include <cmath>
#include <stdexcept>

#include "model/body_part_catalogue.h"
#include "model/object_file_writer.h"

namespace bw::test {

PreparedObject WithBodyPartMaterials() {
    PreparedObject object;
    for (BodyPartId k = 0; k < kBodyPartCount; ++k) {
        PreparedMaterial material;
        material.name = BodyPartName(k);
        material.colour = {float(k) / 255.0f, float(2 * k) / 255.0f, float(3 * k) / 255.0f};
        material.dataBlock =
            ColourDataBlock(std::uint8_t(k), std::uint8_t(2 * k), std::uint8_t(3 * k));
        object.materials.push_back(material);
        object.hasBodyPartMaterial[std::size_t(k)] = true;
    }
    return object;
}

PreparedObject Tube(int segments, const std::vector<int>& bands) {
    PreparedObject object = WithBodyPartMaterials();
    const int rings = int(bands.size()) + 1;
    for (int r = 0; r < rings; ++r) {
        for (int i = 0; i < segments; ++i) {
            const double angle = 2.0 * 3.14159265358979 * i / segments;
            object.points.push_back({float(std::cos(angle)), float(r), float(std::sin(angle))});
            object.normals.push_back({float(std::cos(angle)), 0.0f, float(std::sin(angle))});
        }
    }
    for (int r = 0; r + 1 < rings; ++r) {
        for (int i = 0; i < segments; ++i) {
            const int j = (i + 1) % segments;
            object.AddPolygon({TubePoint(segments, r, i), TubePoint(segments, r + 1, i),
                               TubePoint(segments, r + 1, j), TubePoint(segments, r, j)},
                              bands[std::size_t(r)]);
        }
    }
    return object;
}

PreparedObject Grid(int columns, int rows, int split, int left, int right) {
    PreparedObject object = WithBodyPartMaterials();
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c <= columns; ++c) {
            object.points.push_back({float(c), float(r), 0.0f});
            object.normals.push_back({0.0f, 0.0f, 1.0f});
        }
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            object.AddPolygon({GridPoint(columns, c, r), GridPoint(columns, c + 1, r),
                               GridPoint(columns, c + 1, r + 1), GridPoint(columns, c, r + 1)},
                              c < split ? left : right);
        }
    }
    return object;
}

std::vector<std::uint8_t> ObjectFileOf(const PreparedObject& object) {
    ObjectFileContents contents;
    contents.points = object.points;
    contents.normals = object.normals;
    for (std::size_t i = 0; i < object.PolygonCount(); ++i) {
        Quad quad;
        for (int k = 0; k < 4; ++k)
            quad.corner[std::size_t(k)] =
                std::uint16_t(object.corners[object.polygonStart[i] + std::size_t(k)]);
        quad.surface = std::uint16_t(object.polygonMaterial[i]);
        contents.polygons.push_back(quad);
    }
    for (const PreparedMaterial& material : object.materials)
        contents.surfaces.push_back({material.name, material.dataBlock});
    std::string bytes, reason;
    if (!EncodeObjectFile(contents, bytes, &reason)) throw std::runtime_error(reason);
    return {bytes.begin(), bytes.end()};
}

}  // namespace bw::test
