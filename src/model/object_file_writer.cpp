#include "model/object_file_writer.h"

#include "model/file_io.h"

namespace bw {
namespace {

void AppendChunkHead(std::string& out, std::uint32_t tag, std::uint32_t length) {
    AppendLe32(out, tag);
    AppendLe32(out, length);
}

void AppendLe16(std::string& out, std::uint16_t value) {
    out.push_back(char(value & 0xFF));
    out.push_back(char(value >> 8));
}

void AppendFloat(std::string& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    AppendLe32(out, bits);
}

void AppendVectors(std::string& out, std::uint32_t tag, const std::vector<Vec3f>& vectors) {
    AppendChunkHead(out, tag, static_cast<std::uint32_t>(vectors.size() * kPointSize));
    for (const Vec3f& v : vectors) {
        AppendFloat(out, v.x);
        AppendFloat(out, v.y);
        AppendFloat(out, v.z);
    }
}

// The name field length: the name's bytes plus one zero pad byte when their number is odd.
std::uint32_t NameFieldLength(const std::string& name) {
    return static_cast<std::uint32_t>(name.size() + (name.size() % 2));
}

bool Fail(std::string* reason, std::string text) {
    if (reason) *reason = std::move(text);
    return false;
}

bool Validate(const ObjectFileContents& contents, std::string* reason) {
    const std::uint64_t maxCount = 0xFFFFFFFFull / kPointSize;
    if (contents.points.size() > maxCount) return Fail(reason, "too many points");
    if (contents.polygons.size() > 0xFFFFFFFFull / kPolygonSize)
        return Fail(reason, "too many polygons");
    if (contents.surfaces.size() > kMaxSurfaceCount) return Fail(reason, "too many surfaces");
    if (!contents.normals.empty() && contents.normals.size() != contents.points.size())
        return Fail(reason, "the normals do not match the points one for one");
    for (const Quad& quad : contents.polygons) {
        for (std::uint16_t corner : quad.corner)
            if (corner >= contents.points.size())
                return Fail(reason, "a polygon corner is not a point");
        if (quad.surface >= contents.surfaces.size())
            return Fail(reason, "a polygon's surface does not exist");
    }
    for (const ObjectSurface& surface : contents.surfaces)
        if (surface.name.size() > kMaxSurfaceNameLength)
            return Fail(reason, "a surface name is longer than 255 bytes");
    for (const auto& set : contents.connectionSets) {
        if (set.size() > kMaxConnectionSetSize)
            return Fail(reason, "a connection set has more than 32767 points");
        for (std::uint16_t index : set)
            if (index >= contents.points.size())
                return Fail(reason, "a connection set index is not a point");
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> ColourDataBlock(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const auto& tag = kColourSubChunkTag;
    return {tag[0], tag[1], tag[2], tag[3], 0, 4, red, green, blue, 0};
}

void AppendConnectionSetChunk(std::string& bytes, int set,
                              const std::vector<std::uint16_t>& indices) {
    AppendIndexChunk(bytes, ConnectionSetTag(set), indices);
}

void AppendIndexChunk(std::string& bytes, std::uint32_t tag,
                      const std::vector<std::uint16_t>& indices) {
    AppendChunkHead(bytes, tag, static_cast<std::uint32_t>(indices.size() * 2));
    for (std::uint16_t index : indices) AppendLe16(bytes, index);
}

bool EncodeObjectFile(const ObjectFileContents& contents, std::string& bytes, std::string* reason) {
    if (!Validate(contents, reason)) return false;
    bytes.clear();
    bytes.reserve(64 + contents.points.size() * 24 + contents.polygons.size() * kPolygonSize);

    AppendChunkHead(bytes, kTagHeader, kHeaderContentSize);
    AppendLe32(bytes, static_cast<std::uint32_t>(contents.points.size()));
    AppendLe32(bytes, static_cast<std::uint32_t>(contents.polygons.size()));
    AppendLe32(bytes, static_cast<std::uint32_t>(contents.surfaces.size()));
    AppendLe32(bytes, static_cast<std::uint32_t>(contents.bodyPart));

    AppendVectors(bytes, kTagPoints, contents.points);
    if (!contents.normals.empty() || contents.alwaysWriteNormals)
        AppendVectors(bytes, kTagNormals, contents.normals);

    AppendChunkHead(bytes, kTagPolygons,
                    static_cast<std::uint32_t>(contents.polygons.size() * kPolygonSize));
    for (const Quad& quad : contents.polygons) {
        for (std::uint16_t corner : quad.corner) AppendLe16(bytes, corner);
        AppendLe16(bytes, quad.surface);
    }

    std::uint32_t surfacesLength = 0;
    for (const ObjectSurface& surface : contents.surfaces)
        surfacesLength += NameFieldLength(surface.name) +
                          static_cast<std::uint32_t>(surface.dataBlock.size()) + kChunkHeadSize;
    AppendChunkHead(bytes, kTagSurfaces, surfacesLength);
    for (const ObjectSurface& surface : contents.surfaces) {
        const std::uint32_t nameLength = NameFieldLength(surface.name);
        AppendChunkHead(
            bytes, kTagSurface,
            kChunkHeadSize + nameLength + static_cast<std::uint32_t>(surface.dataBlock.size()));
        AppendChunkHead(bytes, kTagName, nameLength);
        bytes += surface.name;
        if (nameLength != surface.name.size()) bytes.push_back('\0');
        bytes.append(surface.dataBlock.begin(), surface.dataBlock.end());
    }

    for (int set = 1; set <= kMaxConnectionSets; ++set) {
        const auto& indices = contents.connectionSets[static_cast<std::size_t>(set - 1)];
        if (!indices.empty()) AppendConnectionSetChunk(bytes, set, indices);
    }
    return true;
}

bool WriteObjectFile(const std::string& path, const ObjectFileContents& contents,
                     std::string* reason) {
    std::string bytes;
    if (!EncodeObjectFile(contents, bytes, reason)) return false;
    return WriteFileAtomically(path, bytes, reason);
}

}  // namespace bw
