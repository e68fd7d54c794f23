#include "export/writers/gltf_buffer_gaps.h"

#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

namespace bw {
namespace {

constexpr std::size_t kHeaderBytes = 12;      // magic, version, length
constexpr std::size_t kChunkHeaderBytes = 8;  // length, type

std::uint32_t ReadUint32(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

bool Fail(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
    return false;
}

// Zeroes the bytes of buffer 0 (`count` bytes from `buffer`) that no buffer view covers.
bool ClearGaps(std::string_view json, char* buffer, std::size_t count, std::string* reason) {
    const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
    if (document.is_discarded() || !document.is_object())
        return Fail(reason, "the glTF writer wrote JSON that cannot be read");
    std::vector<bool> covered(count, false);
    for (const nlohmann::json& view : document.value("bufferViews", nlohmann::json::array())) {
        if (!view.is_object() || view.value("buffer", -1) != 0) continue;
        const std::size_t offset = view.value("byteOffset", std::size_t(0));
        const std::size_t length = view.value("byteLength", std::size_t(0));
        for (std::size_t i = offset; i < offset + length && i < count; ++i) covered[i] = true;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (!covered[i]) buffer[i] = 0;
    return true;
}

}  // namespace

bool ClearGlbBufferGaps(std::string& glb, std::string* reason) {
    const std::size_t jsonStart = kHeaderBytes + kChunkHeaderBytes;
    if (glb.size() < jsonStart || glb.compare(0, 4, "glTF") != 0 || glb.compare(16, 4, "JSON") != 0)
        return Fail(reason, "the glTF writer wrote no glb file");
    const std::size_t jsonLength = ReadUint32(glb, kHeaderBytes);
    const std::size_t binaryHeader = jsonStart + jsonLength;
    if (jsonLength > glb.size() - jsonStart || glb.size() - binaryHeader < kChunkHeaderBytes ||
        glb.compare(binaryHeader + 4, 4, std::string("BIN\0", 4)) != 0)
        return Fail(reason, "the glTF writer wrote a glb file without a binary chunk");
    const std::size_t binaryStart = binaryHeader + kChunkHeaderBytes;
    const std::size_t binaryLength = ReadUint32(glb, binaryHeader);
    if (binaryLength > glb.size() - binaryStart)
        return Fail(reason, "the glTF writer wrote a glb file shorter than its chunks");
    return ClearGaps(std::string_view(glb).substr(jsonStart, jsonLength), glb.data() + binaryStart,
                     binaryLength, reason);
}

bool ClearGltfBufferGaps(const std::string& json, std::string& buffer, std::string* reason) {
    return ClearGaps(json, buffer.data(), buffer.size(), reason);
}

}  // namespace bw
