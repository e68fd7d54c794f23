// The joints a creature is posed by: one per body part present, in a tree that follows the
// catalogue's attachment tree (see part_attachment.h).
//
// A joint's parent is the joint of its part's parent in that tree or, when that part is
// missing, of the nearest ancestor present (a hand without its forearm hangs from the arm).
// The upper body is the root. Without an upper body the first part present in catalogue
// (BodyPartId) order is the root, and every part with no ancestor present hangs from it, so a
// creature with parts always has exactly one root.
//
// A joint stands at the centre (mean) of the points of the set through which its part hangs
// from its catalogue parent; those points coincide with the parent's matching set once the
// creature is assembled. The root stands at the centre of all its points, and so does a part
// whose hanging set is empty. Positions are the rest shape: the creature's transformed points.
//
// Only parts with a valid type code get a joint; of several parts with one type code, only the
// last in list order does (the one the creature connects to, as PartOfTypeCode finds it).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/body_part_catalogue.h"
#include "model/creature.h"
#include "rig/axis_frame.h"
#include "rig/point_mean.h"

namespace bw {

struct Joint {
    std::string name;  // the body part's catalogue name, e.g. "Left forearm"
    BodyPartId bodyPart = 0;
    std::size_t partIndex = 0;  // index of the part in Creature::Parts()
    std::optional<std::size_t> parent;
    Vec3d restPosition;
    AxisFrame axes;
};

struct Skeleton {
    // A parent always comes before its children; the root is joints[0].
    std::vector<Joint> joints;
    // One entry per part of the creature: the index of its joint, nullopt for a part without.
    std::vector<std::optional<std::size_t>> jointOfPart;

    // The joint of the part at `partIndex`; nullopt for a part without one or a bad index.
    std::optional<std::size_t> JointOfPart(std::size_t partIndex) const;
    // The joint of a body part; nullopt when none is present or the id is invalid.
    std::optional<std::size_t> JointOfBodyPart(BodyPartId bodyPart) const;
};

Skeleton BuildSkeleton(const Creature& creature);

}  // namespace bw
