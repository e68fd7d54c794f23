// How strongly each joint moves each point of a creature, from its rest shape alone.
//
// A point belongs to its part's joint, blended with the joint of each part it is welded to
// near the seam they share:
//  - the points of a welded set (a set whose neighbour is present with a joint and has a set of
//    the same size) get half their part's joint and half the neighbour's (a point on several
//    sets: equal shares of its joint and each neighbour's);
//  - the other points of the part fade from that half-and-half to the part's own joint over a
//    band of kSeamBandFraction of the part's length (the extent of its points along its axis,
//    see axis_frame.h). Distance to the set through which the part hangs from its catalogue
//    parent is measured along the part's axis from the set's centre; distance to any other set
//    (a child's seam, which may sit on the side of the part, as the shoulders do on the upper
//    body) from the ring of the set: the distance from the set's centre less the set's radius.
//    The fade is smooth (a smoothstep), half at the seam, nothing at the band's far end.
// Then the four largest influences are kept and normalised to sum to one.
//
// Finally every group of points welded together (on both sides of a seam, and across several
// seams where sets share points) gets one list of influences, the normalised average of its
// members' lists, so welded points move identically under every pose and seams stay closed.
// A point on exactly one seam, welded to a point on exactly one seam, thus keeps exactly half
// and half.
//
// Each point keeps its own part's joint among its influences (at least half of it before the
// welded groups are merged), so the joint of a part with points weighs some point unless every
// point of that part lies where more than four joints meet.
#pragma once

#include <vector>

#include "model/creature.h"
#include "rig/point_weights.h"
#include "rig/skeleton.h"

namespace bw {

// The width of the fade next to a seam, as a fraction of the part's length along its axis.
inline constexpr double kSeamBandFraction = 0.25;

struct SkinWeights {
    // One entry per part of the creature (index as in Creature::Parts()), one PointWeights per
    // transformed point; empty for a part without a joint.
    std::vector<std::vector<PointWeights>> parts;
};

SkinWeights ComputeSkinWeights(const Creature& creature, const Skeleton& skeleton);
// The same into `weights`, reusing its memory (for recomputing after each edit of the shape).
void ComputeSkinWeights(const Creature& creature, const Skeleton& skeleton, SkinWeights& weights);

}  // namespace bw
