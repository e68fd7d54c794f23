// Reading an object file image into a PartObject: walks the chunks, refuses malformed input
// with a reason, and only then makes the part refer to the image.
#include "model/object_file_reader.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/file_io.h"
#include "model/part_object.h"

namespace bw {
namespace {

constexpr std::size_t kNoChunk = SIZE_MAX;

struct SurfaceChunk {
    std::size_t content;
    std::uint32_t length;
};

// Where the chunks that the part uses lie in the image, as found by the walk.
struct ImageLayout {
    std::uint32_t pointCount = 0;
    std::uint32_t polygonCount = 0;
    std::uint32_t surfaceCount = 0;
    std::uint32_t bodyPart = 0;
    std::size_t points = kNoChunk;
    std::size_t normals = kNoChunk;
    std::size_t polygons = kNoChunk;
    std::array<std::size_t, kMaxConnectionSets> sets;
    std::array<std::uint32_t, kMaxConnectionSets> setCounts{};
    std::vector<SurfaceChunk> surfaces;

    ImageLayout() { sets.fill(kNoChunk); }
};

std::string Hex(std::uint64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::uint16_t ReadLe16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

template <class T>
bool IsAligned(const std::uint8_t* p) {
    return reinterpret_cast<std::uintptr_t>(p) % alignof(T) == 0;
}

// A typed view of `count` elements at `p`: in place when aligned, otherwise through `copy`.
template <class T>
std::span<T> TypedView(std::uint8_t* p, std::size_t count, std::vector<T>& copy) {
    if (count == 0) return {};  // an empty copy has no storage to copy into
    if (IsAligned<T>(p)) return {reinterpret_cast<T*>(p), count};
    copy.resize(count);
    std::memcpy(copy.data(), p, count * sizeof(T));
    return copy;
}

}  // namespace

bool CheckObjectFileHead(std::span<const std::uint8_t> head, std::uint64_t fileSize,
                         std::string* reason) {
    const auto refuse = [reason](std::string why) {
        if (reason) *reason = std::move(why);
        return false;
    };
    if (fileSize < 4 || head.size() < 4 || ReadLe32(head.data()) != kTagHeader)
        return refuse("not an object file (it does not start with the 'BWOB' header)");
    if (fileSize < kChunkHeadSize || head.size() < kChunkHeadSize)
        return refuse("truncated chunk head at offset 0x0");
    const std::uint32_t length = ReadLe32(head.data() + 4);
    if (length > fileSize - kChunkHeadSize)
        return refuse("'BWOB' chunk at offset 0x0 runs past the end of the file");
    if (length < kHeaderContentSize || head.size() < kChunkHeadSize + kHeaderContentSize)
        return refuse("header shorter than 16 bytes");
    // Polygons name their surface with 16 bits, so no file can use more surfaces; a larger
    // count is a corrupt header, not a table to allocate.
    const std::uint32_t surfaceCount = ReadLe32(head.data() + kChunkHeadSize + 8);
    if (surfaceCount > kMaxSurfaceCount) {
        return refuse("surface count " + std::to_string(surfaceCount) +
                      " is more than polygons can address");
    }
    return true;
}

bool ReadObjectFileImage(const std::string& path, std::vector<std::uint8_t>& image,
                         std::string* reason) {
    return ReadWholeFileAfterHeadCheck(path, kObjectFileHeadSize, CheckObjectFileHead, image,
                                       reason);
}

class ObjectImageParser {
  public:
    explicit ObjectImageParser(const std::vector<std::uint8_t>& image) : image_(image) {}

    bool Walk(ImageLayout& layout, std::string& reason);
    bool ValidateIndices(const ImageLayout& layout, std::string& reason) const;
    static void Commit(PartObject& part, std::vector<std::uint8_t> image,
                       const ImageLayout& layout);
    // Back to a part without a mesh, as constructed.
    static void Clear(PartObject& part);

  private:
    // Keeps a 'SURF' chunk of `length` bytes at `content` after checking its name.
    bool TakeSurfaceChunk(std::uint64_t content, std::uint32_t length, const std::string& where,
                          ImageLayout& layout, std::string& reason) const;
    static bool FillSurface(const std::vector<std::uint8_t>& image, const SurfaceChunk& chunk,
                            SurfaceMaterial& surface);
    static void ComputeNormals(PartObject& part);

    const std::vector<std::uint8_t>& image_;
};

bool ObjectImageParser::Walk(ImageLayout& layout, std::string& reason) {
    const std::uint64_t size = image_.size();
    const std::uint8_t* bytes = image_.data();
    // The first chunk is the header, with the counts that size everything after it.
    if (!CheckObjectFileHead({bytes, std::min<std::size_t>(image_.size(), kObjectFileHeadSize)},
                             size, &reason))
        return false;
    bool havePoints = false;
    std::uint64_t offset = 0;
    while (offset < size) {
        if (size - offset < kChunkHeadSize) {
            reason = "truncated chunk head at offset " + Hex(offset);
            return false;
        }
        const std::uint32_t tag = ReadLe32(bytes + offset);
        const std::uint32_t length = ReadLe32(bytes + offset + 4);
        const std::uint64_t content = offset + kChunkHeadSize;
        const std::string where = "'" + TagText(tag) + "' chunk at offset " + Hex(offset);
        if (tag == kTagSurfaces) {  // only its head is consumed; the 'SURF' chunks follow
            offset = content;
            continue;
        }
        if (length > size - content) {
            reason = where + " runs past the end of the file";
            return false;
        }
        if (tag == kTagHeader) {
            if (offset != 0) {
                reason = havePoints ? "header chunk after 'PNTS'" : "second header chunk";
                return false;
            }
            layout.pointCount = ReadLe32(bytes + content);
            layout.polygonCount = ReadLe32(bytes + content + 4);
            layout.surfaceCount = ReadLe32(bytes + content + 8);
            layout.bodyPart = ReadLe32(bytes + content + 12);
        } else if (tag == kTagPoints || tag == kTagNormals) {
            if (std::uint64_t(length) < std::uint64_t(kPointSize) * layout.pointCount) {
                reason = where + " holds " + std::to_string(length) + " bytes, fewer than 12 x " +
                         std::to_string(layout.pointCount) + " points";
                return false;
            }
            (tag == kTagPoints ? layout.points : layout.normals) = content;
            havePoints = havePoints || tag == kTagPoints;
        } else if (tag == kTagPolygons) {
            if (std::uint64_t(length) < std::uint64_t(kPolygonSize) * layout.polygonCount) {
                reason = where + " holds " + std::to_string(length) + " bytes, fewer than 10 x " +
                         std::to_string(layout.polygonCount) + " polygons";
                return false;
            }
            layout.polygons = content;
        } else if (tag >= ConnectionSetTag(1) && tag <= ConnectionSetTag(kMaxConnectionSets)) {
            const std::size_t k = tag - ConnectionSetTag(1);
            layout.sets[k] = content;
            layout.setCounts[k] = (length & 0xFFFF) / 2;
        } else if (tag == kTagSurface) {
            if (!TakeSurfaceChunk(content, length, where, layout, reason)) return false;
        }
        offset = content + length;
    }
    return true;
}

bool ObjectImageParser::TakeSurfaceChunk(std::uint64_t content, std::uint32_t length,
                                         const std::string& where, ImageLayout& layout,
                                         std::string& reason) const {
    const std::uint8_t* bytes = image_.data();
    if (layout.surfaces.size() >= std::uint64_t(layout.surfaceCount) + kSpareSurfaceEntries) {
        reason = "more 'SURF' chunks than the header's surface count allows";
        return false;
    }
    if (length >= 8 && ReadLe32(bytes + content) == kTagName) {
        const std::uint32_t nameLength = ReadLe32(bytes + content + 4);
        if (nameLength > length - 8) {
            reason = "surface name runs past its " + where;
            return false;
        }
        // The name ends at its first zero byte: the writer pads an odd-length name with one,
        // so a 255-byte name fills a 256-byte field.
        const std::uint8_t* name = bytes + content + 8;
        const std::uint8_t* nameEnd =
            name + std::min<std::uint32_t>(nameLength, kMaxSurfaceNameLength + 1);
        if (nameLength > kMaxSurfaceNameLength && std::find(name, nameEnd, 0) == nameEnd) {
            reason = "surface name longer than 255 bytes in " + where;
            return false;
        }
    }
    layout.surfaces.push_back({static_cast<std::size_t>(content), length});
    return true;
}

bool ObjectImageParser::ValidateIndices(const ImageLayout& layout, std::string& reason) const {
    // Without a 'PNTS' chunk the file still loads (and fails the point check); its polygons
    // and sets are then left out, since there is no point they could name.
    if (layout.points == kNoChunk) return true;
    const std::uint32_t points = layout.pointCount;
    if (layout.polygons != kNoChunk) {
        const std::uint64_t tableSize = std::uint64_t(layout.surfaceCount) + kSpareSurfaceEntries;
        const std::uint8_t* p = image_.data() + layout.polygons;
        for (std::uint32_t i = 0; i < layout.polygonCount; ++i, p += kPolygonSize) {
            const std::uint16_t a = ReadLe16(p), b = ReadLe16(p + 2), c = ReadLe16(p + 4),
                                d = ReadLe16(p + 6), s = ReadLe16(p + 8);
            if (a >= points || b >= points || c >= points || d >= points) {
                reason = "polygon " + std::to_string(i) + " uses a point index beyond the " +
                         std::to_string(points) + " points";
                return false;
            }
            if (s >= tableSize) {
                reason = "polygon " + std::to_string(i) + " uses surface " + std::to_string(s) +
                         ", beyond the surface table";
                return false;
            }
        }
    }
    for (std::size_t k = 0; k < kMaxConnectionSets; ++k) {
        if (layout.sets[k] == kNoChunk) continue;
        const std::uint8_t* p = image_.data() + layout.sets[k];
        for (std::uint32_t j = 0; j < layout.setCounts[k]; ++j, p += 2) {
            if (ReadLe16(p) >= points) {
                reason = "connection set " + std::to_string(k + 1) + " uses point index " +
                         std::to_string(ReadLe16(p)) + " beyond the " + std::to_string(points) +
                         " points";
                return false;
            }
        }
    }
    return true;
}

bool ObjectImageParser::FillSurface(const std::vector<std::uint8_t>& image,
                                    const SurfaceChunk& chunk, SurfaceMaterial& surface) {
    const std::uint8_t* content = image.data() + chunk.content;
    if (chunk.length < 8 || ReadLe32(content) != kTagName) return false;  // entry stays zero
    const std::uint32_t nameLength = ReadLe32(content + 4);
    const std::uint8_t* name = content + 8;
    // The name is not terminated; its pad byte (and anything after a zero) is not part of it.
    std::size_t visible = 0;
    while (visible < nameLength && name[visible] != 0) ++visible;
    surface.name.assign(reinterpret_cast<const char*>(name), visible);
    surface.colour = {SurfaceMaterial::kDefaultGrey, SurfaceMaterial::kDefaultGrey,
                      SurfaceMaterial::kDefaultGrey};
    const std::uint32_t blockLength = chunk.length - nameLength - 8;
    if (blockLength == 0) return true;
    std::uint8_t* block = const_cast<std::uint8_t*>(name + nameLength);
    surface.dataBlock = {block, blockLength};
    // Sub-chunks: 4-byte tag, 16-bit big-endian length, data. Never leaves the block.
    std::uint64_t at = 0;
    while (at + kSubChunkHeadSize <= blockLength) {
        if (std::memcmp(block + at, kColourSubChunkTag.data(), kColourSubChunkTag.size()) == 0) {
            if (OpensWithColourSubChunk(block + at, blockLength - at)) {
                const std::uint8_t* rgb = block + at + kColourSubChunkRed;
                surface.colour = {rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f};
            }
            break;
        }
        const std::uint32_t subLength = (std::uint32_t(block[at + 4]) << 8) | block[at + 5];
        at += kSubChunkHeadSize + std::uint64_t(subLength);
    }
    return true;
}

void ObjectImageParser::ComputeNormals(PartObject& part) {
    // Area-weighted average of the normals of the quads around each point; a point on no
    // quad keeps a zero normal.
    part.ownNormals_.assign(part.pointCount_, Vec3f{});
    std::vector<Vec3f>& normals = part.ownNormals_;
    const std::span<const Vec3f> points = part.transformedPoints_;
    for (const Quad& quad : part.polygons_) {
        const Vec3f& a = points[quad.corner[0]];
        const Vec3f& b = points[quad.corner[1]];
        const Vec3f& c = points[quad.corner[2]];
        const Vec3f& d = points[quad.corner[3]];
        // Cross product of the diagonals: twice the quad's vector area.
        const Vec3f n = Cross(c - a, d - b);
        for (std::uint16_t corner : quad.corner) normals[corner] += n;
    }
    for (Vec3f& n : normals) {
        const float length = Length(n);
        if (length > 0.0f && std::isfinite(length))
            n = {n.x / length, n.y / length, n.z / length};
        else
            n = {};
    }
    part.normals_ = normals;
}

void ObjectImageParser::Commit(PartObject& part, std::vector<std::uint8_t> image,
                               const ImageLayout& layout) {
    part.fileImage_ = std::move(image);
    std::uint8_t* base = part.fileImage_.data();
    part.pointCount_ = layout.pointCount;
    part.polygonCount_ = layout.polygonCount;
    part.surfaceCount_ = layout.surfaceCount;
    part.fileBodyPart_ = layout.bodyPart;

    part.ownPoints_.clear();
    part.ownNormals_.clear();
    part.ownPolygons_.clear();
    part.hasPoints_ = layout.points != kNoChunk;
    part.transformedPoints_ = {};
    part.basePoints_.clear();
    part.viewPoints.clear();
    part.viewNormals.clear();
    if (part.hasPoints_) {
        part.transformedPoints_ =
            TypedView(base + layout.points, layout.pointCount, part.ownPoints_);
        ReserveForLargeArray(part.basePoints_, layout.pointCount);
        part.basePoints_.assign(part.transformedPoints_.begin(), part.transformedPoints_.end());
    }

    part.polygons_ = {};
    if (layout.polygons != kNoChunk && part.hasPoints_)
        part.polygons_ = TypedView(base + layout.polygons, layout.polygonCount, part.ownPolygons_);

    for (std::size_t k = 0; k < kMaxConnectionSets; ++k) {
        part.ownSets_[k].clear();
        part.connectionSets_[k] = {};
        if (layout.sets[k] != kNoChunk && part.hasPoints_)
            part.connectionSets_[k] =
                TypedView(base + layout.sets[k], layout.setCounts[k], part.ownSets_[k]);
    }

    part.hasFileNormals_ = layout.normals != kNoChunk;
    part.normals_ = {};
    if (part.hasFileNormals_) {
        part.normals_ = TypedView(base + layout.normals, layout.pointCount, part.ownNormals_);
    } else if (part.hasPoints_) {
        ComputeNormals(part);
    }

    part.surfaces_.assign(std::size_t(layout.surfaceCount) + kSpareSurfaceEntries,
                          SurfaceMaterial{});
    for (std::size_t i = 0; i < layout.surfaces.size(); ++i)
        FillSurface(part.fileImage_, layout.surfaces[i], part.surfaces_[i]);
}

void ObjectImageParser::Clear(PartObject& part) {
    part.fileImage_.clear();
    part.pointCount_ = part.polygonCount_ = part.surfaceCount_ = part.fileBodyPart_ = 0;
    part.hasPoints_ = part.hasFileNormals_ = false;
    part.basePoints_.clear();
    part.transformedPoints_ = {};
    part.normals_ = {};
    part.polygons_ = {};
    part.connectionSets_.fill({});
    part.surfaces_.clear();
    part.ownPoints_.clear();
    part.ownNormals_.clear();
    part.ownPolygons_.clear();
    for (auto& set : part.ownSets_) set.clear();
    part.viewPoints.clear();
    part.viewNormals.clear();
}

bool PartObject::LoadObjectImage(std::vector<std::uint8_t> image, std::string* reason) {
    ImageLayout layout;
    std::string why;
    ObjectImageParser parser(image);
    if (!parser.Walk(layout, why) || !parser.ValidateIndices(layout, why)) {
        if (reason) *reason = why;
        return false;
    }
    try {
        ObjectImageParser::Commit(*this, std::move(image), layout);
    } catch (const std::bad_alloc&) {
        if (reason) *reason = "not enough memory for the mesh";
        ObjectImageParser::Clear(*this);
        return false;
    }
    return true;
}

}  // namespace bw
