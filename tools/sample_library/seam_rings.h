// The canonical seam rings: wherever two body parts meet, both files hold the same ring of
// points, point i of one across the seam from point i of the other. A ring of 2 (a + b) points
// runs like the edge of an a x b rectangle mapped onto an ellipse in the seam's plane; its
// count, order and frame are the same for every type and variant, its size varies a little by
// type. The frame's normal points from the parent part (higher attachment rank) into the child.
#pragma once

#include <vector>

#include "creature_types.h"
#include "geometry.h"

namespace bw::library {

enum class Seam {
    NeckBase,  // upper body -> neck
    HeadBase,  // neck -> head
    Waist,     // upper body -> stomach
    Shoulder,  // upper body -> arm
    Elbow,     // arm -> forearm
    Wrist,     // forearm -> hand
    Hip,       // stomach -> thigh
    Knee,      // thigh -> leg
    Ankle,     // leg -> foot
    Eye,       // head -> eye
    Ear,       // head -> ear
    Nose,      // head -> nose
    Mouth,     // head -> mouth
};

struct SeamRing {
    int a = 0;
    int b = 0;
    Frame frame;
    V3 centre;
    std::vector<V3> points;  // 2 (a + b) positions in ring order
};

// The left-side (or central) ring of `seam` for `type`, centred on `centre`.
SeamRing MakeSeamRing(Seam seam, CreatureType type, V3 centre);
// The radii of a seam's ellipse along the frame's e1 and e2 for `type`.
void SeamRadii(Seam seam, CreatureType type, double& r1, double& r2);

// The ring as seen on the right side of the body: every point mirrored, the order kept.
SeamRing MirroredRing(const SeamRing& ring);
// True for a ring MirroredRing made: its frame is left-handed (e1 x e2 = -n), so it runs the
// other way round its normal than the left-side ring.
bool IsMirrorImage(const SeamRing& ring);

// Nose and mouth meet the head at rings on the face that share three points: the bottom row
// of the nose ring is the middle of the mouth ring's top row. Both are placed by the same
// anchor (the middle shared point), so they fit each other on every head.
SeamRing FaceFeatureRing(Seam noseOrMouth, V3 anchor);
// Ring indices of the three shared points, left to right (+X last): nose set 2, mouth set 2.
std::vector<int> NoseMouthSharedIndices(Seam noseOrMouth);

}  // namespace bw::library
