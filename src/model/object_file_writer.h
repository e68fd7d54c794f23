// Writes object files in the converter's chunk order: header, 'PNTS', 'NRMS', 'SRFS', 'SUFS',
// one 'SURF' per surface, then one 'P00k' chunk per non-empty connection set.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/body_part_catalogue.h"
#include "model/object_file_format.h"
#include "model/vec3.h"

namespace bw {

struct ObjectSurface {
    std::string name;                     // at most 255 bytes
    std::vector<std::uint8_t> dataBlock;  // property sub-chunks; see ColourDataBlock
};

struct ObjectFileContents {
    BodyPartId bodyPart = 0;
    std::vector<Vec3f> points;
    std::vector<Vec3f> normals;  // one per point; no 'NRMS' chunk is written when empty
    // Writes the 'NRMS' chunk also when there are no normals (the converter's parts always
    // carry one, empty for a part without points).
    bool alwaysWriteNormals = false;
    std::vector<Quad> polygons;
    std::vector<ObjectSurface> surfaces;
    // Sets 1 to 8 (index 0 to 7); an empty set writes no chunk.
    std::array<std::vector<std::uint16_t>, kMaxConnectionSets> connectionSets;
};

// A surface data block holding only the colour sub-chunk: "COLR", 16-bit big-endian length 4,
// red, green, blue (0..255) and one zero byte.
std::vector<std::uint8_t> ColourDataBlock(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// The bytes of the file. False, with `reason` set, when the contents cannot be stored (a name
// over 255 bytes, a set over 32767 indices, more than 65536 surfaces, normals not matching the
// points, a polygon or set index out of range).
bool EncodeObjectFile(const ObjectFileContents& contents, std::string& bytes, std::string* reason);

// Appends one connection set chunk ('P00k', set 1..8) to an encoded file.
void AppendConnectionSetChunk(std::string& bytes, int set,
                              const std::vector<std::uint16_t>& indices);
// Appends a chunk of 16-bit point indices under any tag (the converter saves its sets by the
// code it is given). At most kMaxConnectionSetSize indices make a readable set.
void AppendIndexChunk(std::string& bytes, std::uint32_t tag,
                      const std::vector<std::uint16_t>& indices);

// Encodes and writes atomically.
bool WriteObjectFile(const std::string& path, const ObjectFileContents& contents,
                     std::string* reason);

}  // namespace bw
