#include "model/part_snapshot.h"

#include <vector>

namespace bw {

std::shared_ptr<const PartSnapshot> PartSnapshot::Capture(const PartObject& part,
                                                          const PartSnapshot* previous,
                                                          MeshPool& pool) {
    auto snapshot = std::make_shared<PartSnapshot>();
    const bool sameMesh = previous != nullptr && previous->mesh_->SameMeshAs(part);
    snapshot->mesh_ = sameMesh ? previous->mesh_ : pool.Keep(part);
    const PartSnapshot* shared = sameMesh ? previous : nullptr;
    snapshot->base_ =
        SharedPointBlocks::Store(part.BasePoints(), shared ? &shared->base_ : nullptr);
    snapshot->points_ =
        SharedPointBlocks::Store(part.TransformedPoints(), shared ? &shared->points_ : nullptr);
    snapshot->normals_ =
        SharedPointBlocks::Store(part.Normals(), shared ? &shared->normals_ : nullptr);
    snapshot->adjustments_ = part.adjustments;
    snapshot->typeName_ = part.TypeName();
    snapshot->typeCode_ = part.GetTypeCode();
    snapshot->bodyPart_ = part.bodyPart;
    snapshot->highlight_ = part.highlight;
    return snapshot;
}

bool PartSnapshot::Matches(const PartObject& part) const {
    return adjustments_ == part.adjustments && typeName_ == part.TypeName() &&
           typeCode_ == part.GetTypeCode() && bodyPart_ == part.bodyPart &&
           highlight_ == part.highlight && base_.SameAs(part.BasePoints()) &&
           points_.SameAs(part.TransformedPoints()) && normals_.SameAs(part.Normals()) &&
           mesh_->SameMeshAs(part);
}

std::unique_ptr<PartObject> PartSnapshot::Restore() const {
    std::unique_ptr<PartObject> part = mesh_->Clone();
    if (!part) return nullptr;
    try {
        std::vector<Vec3f> base(base_.Size());
        std::vector<Vec3f> points(points_.Size());
        std::vector<Vec3f> normals(normals_.Size());
        base_.CopyTo(base);
        points_.CopyTo(points);
        normals_.CopyTo(normals);
        if (!part->SetPointArrays(base, points, normals)) return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    part->adjustments = adjustments_;
    part->SetTypeName(typeName_);
    part->SetTypeCode(typeCode_);
    part->bodyPart = bodyPart_;
    part->highlight = highlight_;
    return part;
}

}  // namespace bw
