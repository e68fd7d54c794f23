#include "support/object_file_builder.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bw::test {

ObjectFileContents CubeContents(Vec3f o, BodyPartId bodyPart) {
    ObjectFileContents c;
    c.bodyPart = bodyPart;
    for (int i = 0; i < 8; ++i) {
        const float x = float(i & 1), y = float((i >> 1) & 1), z = float((i >> 2) & 1);
        c.points.push_back({x + o.x, y + o.y, z + o.z});
        const float s = 0.57735026f;
        c.normals.push_back({(x * 2 - 1) * s, (y * 2 - 1) * s, (z * 2 - 1) * s});
    }
    // Outward quads, counter-clockwise seen from outside.
    c.polygons = {Quad{{0, 2, 3, 1}, 0}, Quad{{4, 5, 7, 6}, 0}, Quad{{0, 1, 5, 4}, 0},
                  Quad{{2, 6, 7, 3}, 0}, Quad{{0, 4, 6, 2}, 0}, Quad{{1, 3, 7, 5}, 0}};
    c.surfaces.push_back({"Skin", ColourDataBlock(255, 128, 0)});
    c.connectionSets[0] = {2, 3, 7, 6};
    c.connectionSets[1] = {0, 1, 5, 4};
    return c;
}

ObjectFileContents RingContents(std::vector<Vec3f> points, int set) {
    ObjectFileContents c;
    c.points = std::move(points);
    c.normals.assign(c.points.size(), Vec3f{0, 0, 1});
    std::vector<std::uint16_t> indices;
    for (std::size_t i = 0; i < c.points.size(); ++i) indices.push_back(std::uint16_t(i));
    c.connectionSets[std::size_t(set - 1)] = indices;
    return c;
}

std::vector<std::uint8_t> Encode(const ObjectFileContents& contents) {
    std::string bytes, reason;
    if (!EncodeObjectFile(contents, bytes, &reason)) throw std::runtime_error(reason);
    return {bytes.begin(), bytes.end()};
}

ChunkBuilder& ChunkBuilder::Chunk(const char (&tag)[5], const std::string& content) {
    return Chunk(tag, std::uint32_t(content.size()), content);
}

ChunkBuilder& ChunkBuilder::Chunk(const char (&tag)[5], std::uint32_t declaredLength,
                                  const std::string& content) {
    bytes_ += Le32(FourCharacterCode(tag));
    bytes_ += Le32(declaredLength);
    bytes_ += content;
    return *this;
}

ChunkBuilder& ChunkBuilder::Header(std::uint32_t points, std::uint32_t polygons,
                                   std::uint32_t surfaces, std::uint32_t bodyPart) {
    return Chunk("BWOB", Le32(points) + Le32(polygons) + Le32(surfaces) + Le32(bodyPart));
}

ChunkBuilder& ChunkBuilder::Raw(const std::string& bytes) {
    bytes_ += bytes;
    return *this;
}

std::string ChunkBuilder::Le32(std::uint32_t v) {
    std::string s;
    AppendLe32(s, v);
    return s;
}

std::string ChunkBuilder::Le16(std::uint16_t v) {
    return std::string{char(v & 0xFF), char(v >> 8)};
}

std::string ChunkBuilder::Floats(const std::vector<float>& values) {
    std::string s;
    for (float f : values) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        s += Le32(bits);
    }
    return s;
}

}  // namespace bw::test
