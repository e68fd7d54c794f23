// Layout constants of the object file: chunk tags, record sizes and little-endian access.
//
// A file is a sequence of chunks: 4-byte tag, 4-byte little-endian content length L, L bytes
// of content, no padding. A tag is the four-character code read as a multi-character constant
// and stored little-endian, so the file holds its characters in reverse order ("BOWB").
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace bw {

constexpr std::uint32_t FourCharacterCode(const char (&code)[5]) {
    return (std::uint32_t(std::uint8_t(code[0])) << 24) |
           (std::uint32_t(std::uint8_t(code[1])) << 16) |
           (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}

inline constexpr std::uint32_t kTagHeader = FourCharacterCode("BWOB");
inline constexpr std::uint32_t kTagPoints = FourCharacterCode("PNTS");
inline constexpr std::uint32_t kTagNormals = FourCharacterCode("NRMS");
inline constexpr std::uint32_t kTagPolygons = FourCharacterCode("SRFS");
inline constexpr std::uint32_t kTagSurfaces = FourCharacterCode("SUFS");
inline constexpr std::uint32_t kTagSurface = FourCharacterCode("SURF");
inline constexpr std::uint32_t kTagName = FourCharacterCode("NAME");
// Connection set k (1..8) has the tag 'P00k'.
constexpr std::uint32_t ConnectionSetTag(int set) {
    return FourCharacterCode("P000") + static_cast<std::uint32_t>(set);
}

inline constexpr std::uint32_t kChunkHeadSize = 8;
inline constexpr std::uint32_t kHeaderContentSize = 16;
inline constexpr std::uint32_t kPointSize = 12;
inline constexpr std::uint32_t kPolygonSize = 10;
inline constexpr std::uint32_t kMaxSurfaceNameLength = 255;
// Polygons address surfaces with 16-bit indices.
inline constexpr std::uint32_t kMaxSurfaceCount = 0x10000;
// The surface table holds this many entries beyond the header's surface count.
inline constexpr std::uint32_t kSpareSurfaceEntries = 10;
// A set's index count is the low 16 bits of its length halved, so at most 32767 indices.
inline constexpr std::uint32_t kMaxConnectionSetSize = 0xFFFF / 2;

// A surface's data block is a run of sub-chunks: 4-byte tag, 16-bit big-endian length, data.
// The colour sub-chunk, "COLR" with length 4, holds red, green and blue (0..255) and a pad byte.
inline constexpr std::size_t kSubChunkHeadSize = 6;
inline constexpr std::array<std::uint8_t, 4> kColourSubChunkTag{'C', 'O', 'L', 'R'};
// Where red stands in the colour sub-chunk; green and blue follow it.
inline constexpr std::size_t kColourSubChunkRed = kSubChunkHeadSize;
// The bytes from the sub-chunk's start through its blue byte.
inline constexpr std::size_t kColourSubChunkMinSize = kColourSubChunkRed + 3;

// True when the `size` bytes at `block` open with the colour tag and hold its three colour
// bytes.
inline bool OpensWithColourSubChunk(const std::uint8_t* block, std::size_t size) {
    return size >= kColourSubChunkMinSize &&
           std::memcmp(block, kColourSubChunkTag.data(), kColourSubChunkTag.size()) == 0;
}

// One polygon: four point indices in drawing order and a 0-based surface index.
struct Quad {
    std::array<std::uint16_t, 4> corner{};
    std::uint16_t surface = 0;

    friend bool operator==(const Quad&, const Quad&) = default;
};
static_assert(sizeof(Quad) == kPolygonSize, "Quad must match the 10-byte polygon layout");

inline std::uint32_t ReadLe32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

inline void AppendLe32(std::string& out, std::uint32_t value) {
    const char bytes[4] = {char(value & 0xFF), char((value >> 8) & 0xFF),
                           char((value >> 16) & 0xFF), char((value >> 24) & 0xFF)};
    out.append(bytes, 4);
}

// The tag as four readable characters ("PNTS"), for messages.
inline std::string TagText(std::uint32_t tag) {
    std::string text(4, '?');
    for (int i = 0; i < 4; ++i) {
        const char c = char((tag >> (24 - 8 * i)) & 0xFF);
        text[std::size_t(i)] = (c >= 32 && c < 127) ? c : '?';
    }
    return text;
}

}  // namespace bw
