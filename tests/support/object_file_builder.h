// Builds object files for tests in memory: well-formed ones through the real writer, and raw
// chunk sequences for malformed ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_file_writer.h"
#include "support/temporary_directory.h"

namespace bw::test {

// A unit cube: 8 points, 6 outward quads, one orange surface "Skin", set 1 = the four points
// with y = 1 (top face), set 2 = the four points with y = 0, placed at `offset`.
ObjectFileContents CubeContents(Vec3f offset = {}, BodyPartId bodyPart = 0);

// Just the given points (normals +z, no polygons), all of them in connection set `set`, in
// order: the smallest object a connection test needs.
ObjectFileContents RingContents(std::vector<Vec3f> points, int set = 1);

std::vector<std::uint8_t> Encode(const ObjectFileContents& contents);

// Raw chunk assembly.
class ChunkBuilder {
  public:
    ChunkBuilder& Chunk(const char (&tag)[5], const std::string& content);
    ChunkBuilder& Chunk(const char (&tag)[5], std::uint32_t declaredLength,
                        const std::string& content);
    ChunkBuilder& Header(std::uint32_t points, std::uint32_t polygons, std::uint32_t surfaces,
                         std::uint32_t bodyPart = 0);
    ChunkBuilder& Raw(const std::string& bytes);
    std::vector<std::uint8_t> Bytes() const { return {bytes_.begin(), bytes_.end()}; }

    static std::string Le32(std::uint32_t value);
    static std::string Le16(std::uint16_t value);
    static std::string Floats(const std::vector<float>& values);

  private:
    std::string bytes_;
};

}  // namespace bw::test
