// The shapes of the body parts, per creature type and variant. Every builder makes the left
// (or central) part in the rest pose of its type; the right side is its mirror image.
#pragma once

#include <string>
#include <vector>

#include "creature_types.h"
#include "part_mesh.h"

namespace bw::library {

enum class PartKind {
    Head,
    Ear,
    Eye,
    Nose,
    Mouth,
    Neck,
    UpperBody,
    Arm,
    Forearm,
    Hand,
    Stomach,
    Thigh,
    Leg,
    Foot,
};

PartKind PartKindOf(BodyPartId id);
// True for the right-hand body parts, whose files mirror the left ones.
bool IsRightSide(BodyPartId id);

// The variant names of a part kind for a type (at least two), e.g. "Slim", "Muscular".
std::vector<std::string> VariantNames(PartKind kind, CreatureType type);

// Builds variant `variant` (index into VariantNames) of the left or central part.
PartMesh BuildBodyPart(PartKind kind, CreatureType type, int variant);

// Builders, one per family of shapes.
PartMesh BuildNeck(CreatureType type, int variant);
PartMesh BuildArm(CreatureType type, int variant);
PartMesh BuildForearm(CreatureType type, int variant);
PartMesh BuildThigh(CreatureType type, int variant);
PartMesh BuildLeg(CreatureType type, int variant);
PartMesh BuildUpperBody(CreatureType type, int variant);
PartMesh BuildStomach(CreatureType type, int variant);
PartMesh BuildHead(CreatureType type, int variant);
PartMesh BuildEye(CreatureType type, int variant);
PartMesh BuildEar(CreatureType type, int variant);
PartMesh BuildNose(CreatureType type, int variant);
PartMesh BuildMouth(CreatureType type, int variant);
PartMesh BuildHand(CreatureType type, int variant);
PartMesh BuildFoot(CreatureType type, int variant);

// Where the head's face features sit for a type's first head variant: used to place the
// files of eyes, ears, nose and mouth in the rest pose.
struct FaceLayout {
    V3 leftEye;
    V3 leftEar;
    V3 noseMouthAnchor;
};
FaceLayout FaceLayoutOf(CreatureType type, int headVariant = 0);

}  // namespace bw::library
