#include "model/shared_point_blocks.h"

#include <algorithm>
#include <cstring>

namespace bw {
namespace {

// The values of block `b` of `values`: kBlockPoints of them, or fewer in the last block.
std::span<const Vec3f> BlockValues(std::span<const Vec3f> values, std::size_t b) {
    const std::size_t first = b * SharedPointBlocks::kBlockPoints;
    return values.subspan(first, std::min(SharedPointBlocks::kBlockPoints, values.size() - first));
}

}  // namespace

SharedPointBlocks SharedPointBlocks::Store(std::span<const Vec3f> values,
                                           const SharedPointBlocks* previous) {
    SharedPointBlocks stored;
    stored.size_ = values.size();
    const std::size_t count = (values.size() + kBlockPoints - 1) / kBlockPoints;
    stored.blocks_.reserve(count);
    const bool comparable = previous != nullptr && previous->size_ == values.size();
    for (std::size_t b = 0; b < count; ++b) {
        const std::span<const Vec3f> part = BlockValues(values, b);
        if (comparable &&
            std::memcmp(previous->blocks_[b]->data(), part.data(), part.size_bytes()) == 0) {
            stored.blocks_.push_back(previous->blocks_[b]);
            continue;
        }
        auto block = std::make_shared<Block>();
        std::copy(part.begin(), part.end(), block->begin());
        stored.blocks_.push_back(std::move(block));
    }
    return stored;
}

bool SharedPointBlocks::CopyTo(std::span<Vec3f> out) const {
    if (out.size() != size_) return false;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const std::size_t first = b * kBlockPoints;
        const std::size_t n = std::min(kBlockPoints, size_ - first);
        std::copy_n(blocks_[b]->begin(), n, out.begin() + std::ptrdiff_t(first));
    }
    return true;
}

bool SharedPointBlocks::SameAs(std::span<const Vec3f> values) const {
    if (values.size() != size_) return false;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const std::span<const Vec3f> part = BlockValues(values, b);
        if (std::memcmp(blocks_[b]->data(), part.data(), part.size_bytes()) != 0) return false;
    }
    return true;
}

std::size_t SharedPointBlocks::BytesNotSharedWith(const SharedPointBlocks& other) const {
    std::size_t bytes = 0;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const bool shared = b < other.blocks_.size() && other.blocks_[b] == blocks_[b];
        if (!shared) bytes += sizeof(Block);
    }
    return bytes;
}

}  // namespace bw
