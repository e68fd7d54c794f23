// A copy of a point or normal array kept in blocks of a fixed size that later copies share
// wherever their bytes are the same, so a history of small changes to a mesh stores only the
// blocks that changed.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "model/vec3.h"

namespace bw {

class SharedPointBlocks {
  public:
    static constexpr std::size_t kBlockPoints = 64;

    SharedPointBlocks() = default;
    // A copy of `values` that shares every block of `previous` (may be null) whose bytes equal
    // those of the same block of `values`. Throws std::bad_alloc when memory runs out.
    static SharedPointBlocks Store(std::span<const Vec3f> values,
                                   const SharedPointBlocks* previous);

    std::size_t Size() const { return size_; }
    // Writes the values into `out`; false, writing nothing, when its size is not Size().
    bool CopyTo(std::span<Vec3f> out) const;
    // True when `values` has the same size and the same bytes.
    bool SameAs(std::span<const Vec3f> values) const;
    // Bytes of the blocks this copy holds that `other` does not share.
    std::size_t BytesNotSharedWith(const SharedPointBlocks& other) const;

  private:
    using Block = std::array<Vec3f, kBlockPoints>;
    std::vector<std::shared_ptr<const Block>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace bw
