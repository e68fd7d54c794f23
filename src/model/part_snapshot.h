// One part as it stood at one step of the creature's history: its mesh (shared with every other
// snapshot of a part read from the same file image) and the values that moves, adjustments and
// welds change, kept in blocks shared with the snapshot before it. Immutable once captured.
#pragma once

#include <memory>
#include <string>

#include "model/mesh_pool.h"
#include "model/part_adjustments.h"
#include "model/part_object.h"
#include "model/shared_point_blocks.h"

namespace bw {

class PartSnapshot {
  public:
    // `part` as it is now, sharing what it can with `previous` (the same body part's snapshot
    // at the step before, or null) and with the meshes `pool` keeps. Throws std::bad_alloc
    // when memory runs out.
    static std::shared_ptr<const PartSnapshot> Capture(const PartObject& part,
                                                       const PartSnapshot* previous,
                                                       MeshPool& pool);
    // True when `part` is exactly what this snapshot holds, bit for bit.
    bool Matches(const PartObject& part) const;
    // A new part equal to what was captured; null when memory runs out.
    std::unique_ptr<PartObject> Restore() const;

    const std::string& TypeName() const { return typeName_; }
    const PartObject& Mesh() const { return *mesh_; }
    const SharedPointBlocks& BasePoints() const { return base_; }
    const SharedPointBlocks& Points() const { return points_; }
    const SharedPointBlocks& Normals() const { return normals_; }

  private:
    std::shared_ptr<const PartObject> mesh_;
    SharedPointBlocks base_;
    SharedPointBlocks points_;
    SharedPointBlocks normals_;
    PartAdjustments adjustments_;
    std::string typeName_;
    TypeCode typeCode_{-1};
    BodyPartId bodyPart_ = 0;
    std::uint8_t highlight_ = 0;
};

}  // namespace bw
