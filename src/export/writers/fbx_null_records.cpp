#include "export/writers/fbx_null_records.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace bw {
namespace {

constexpr std::string_view kMagic("Kaydara FBX Binary  \0\x1a\0", 23);
constexpr std::size_t kHeaderSize = 27;  // magic and the 32-bit version
// Footer after the top-level null record: 16-byte id, 4 zero bytes, padding to a multiple of
// 16, the version, 120 zero bytes, 16-byte magic.
constexpr std::size_t kFooterIdSize = 16;
constexpr std::size_t kFooterTrailerSize = 4 + 120 + 16;
constexpr int kMaxDepth = 64;

struct Node {
    std::string_view name;
    std::uint64_t propertyCount = 0;
    std::string_view properties;
    std::vector<Node> children;
    bool nullRecord = false;  // the children's list ended with one (it may be empty)
};

class Reader {
  public:
    Reader(std::string_view bytes, bool wide) : bytes_(bytes), wide_(wide) {}

    std::size_t RecordHeaderSize() const { return wide_ ? 25 : 13; }

    // Reads node records from `pos` up to `end`, or up to a null record (consumed). `pos`
    // ends after the last record read. False for a record that does not fit; at the top
    // level (`lenient`) such a record ends the list instead: the footer follows there.
    bool ReadList(std::size_t& pos, std::size_t end, int depth, bool lenient,
                  std::vector<Node>& nodes, bool* nullRecord = nullptr) const {
        if (depth > kMaxDepth) return false;
        while (pos < end) {
            if (end - pos < RecordHeaderSize()) return lenient;
            const std::uint64_t endOffset = Field(pos, 0);
            const std::uint64_t propertyCount = Field(pos, 1);
            const std::uint64_t propertyLength = Field(pos, 2);
            const std::size_t nameLength = std::uint8_t(bytes_[pos + RecordHeaderSize() - 1]);
            if (endOffset == 0 && propertyCount == 0 && propertyLength == 0 && nameLength == 0) {
                pos += RecordHeaderSize();
                if (nullRecord) *nullRecord = true;
                return true;
            }
            const std::uint64_t contentStart = pos + RecordHeaderSize() + nameLength;
            if (endOffset > end || endOffset <= pos || contentStart > endOffset ||
                propertyLength > endOffset - contentStart)
                return lenient;
            Node node;
            node.name = bytes_.substr(pos + RecordHeaderSize(), nameLength);
            node.propertyCount = propertyCount;
            node.properties = bytes_.substr(contentStart, propertyLength);
            std::size_t child = contentStart + propertyLength;
            if (!ReadList(child, endOffset, depth + 1, false, node.children, &node.nullRecord))
                return false;
            nodes.push_back(std::move(node));
            pos = endOffset;
        }
        return true;
    }

  private:
    std::uint64_t Field(std::size_t pos, int index) const {
        if (wide_) {
            std::uint64_t v = 0;
            for (int b = 7; b >= 0; --b)
                v = v << 8 | std::uint8_t(bytes_[pos + std::size_t(index) * 8 + std::size_t(b)]);
            return v;
        }
        std::uint32_t v = 0;
        for (int b = 3; b >= 0; --b)
            v = v << 8 | std::uint8_t(bytes_[pos + std::size_t(index) * 4 + std::size_t(b)]);
        return v;
    }

    std::string_view bytes_;
    bool wide_;
};

void PutField(std::string& out, std::size_t at, int index, std::uint64_t value, bool wide) {
    const std::size_t width = wide ? 8 : 4;
    for (std::size_t b = 0; b < width; ++b)
        out[at + std::size_t(index) * width + b] = char(value >> (8 * b) & 0xff);
}

void WriteList(std::string& out, const std::vector<Node>& nodes, bool wide) {
    const std::size_t header = wide ? 25 : 13;
    for (const Node& node : nodes) {
        const std::size_t at = out.size();
        out.append(header, '\0');
        out.append(node.name);
        out.append(node.properties);
        WriteList(out, node.children, wide);
        if (!node.children.empty() || node.nullRecord) out.append(header, '\0');
        PutField(out, at, 0, out.size(), wide);
        PutField(out, at, 1, node.propertyCount, wide);
        PutField(out, at, 2, node.properties.size(), wide);
        out[at + header - 1] = char(node.name.size());
    }
}

}  // namespace

bool RestoreFbxNullRecords(std::string& fbx, std::string* reason) {
    const auto fail = [reason](const char* text) {
        if (reason) *reason = text;
        return false;
    };
    if (fbx.size() < kHeaderSize || std::string_view(fbx).substr(0, kMagic.size()) != kMagic)
        return fail("the FBX writer wrote no binary FBX");
    std::uint32_t version = 0;
    for (int b = 3; b >= 0; --b) version = version << 8 | std::uint8_t(fbx[23 + std::size_t(b)]);
    const bool wide = version >= 7500;  // 64-bit offsets and counts from FBX 7.5 on

    const Reader reader(fbx, wide);
    std::vector<Node> top;
    std::size_t pos = kHeaderSize;
    if (!reader.ReadList(pos, fbx.size(), 0, true, top) || top.empty())
        return fail("the FBX writer's node records do not fit in its file");
    const std::string_view tail = std::string_view(fbx).substr(pos);

    std::string out(fbx, 0, kHeaderSize);
    WriteList(out, top, wide);
    out.append(reader.RecordHeaderSize(), '\0');
    if (tail.size() >= kFooterIdSize + 4 + kFooterTrailerSize) {
        out.append(tail.substr(0, kFooterIdSize));
        out.append(4, '\0');
        const std::size_t pad = 16 - out.size() % 16;  // a whole 16 where already aligned
        out.append(pad, '\0');
        out.append(tail.substr(tail.size() - kFooterTrailerSize));
    } else {
        out.append(tail);
    }
    fbx = std::move(out);
    return true;
}

}  // namespace bw
