// Which part kind each body part is, and the variant names of every kind and type.
#include "body_part_shapes.h"

namespace bw::library {

PartKind PartKindOf(BodyPartId id) {
    static constexpr PartKind kKinds[kBodyPartCount] = {
        PartKind::kHead,      PartKind::kEar,     PartKind::kEar,     PartKind::kEye,
        PartKind::kEye,       PartKind::kNose,    PartKind::kMouth,   PartKind::kNeck,
        PartKind::kUpperBody, PartKind::kArm,     PartKind::kForearm, PartKind::kHand,
        PartKind::kArm,       PartKind::kForearm, PartKind::kHand,    PartKind::kStomach,
        PartKind::kThigh,     PartKind::kLeg,     PartKind::kFoot,    PartKind::kThigh,
        PartKind::kLeg,       PartKind::kFoot};
    return IsValidBodyPartId(id) ? kKinds[id] : PartKind::kHead;
}

bool IsRightSide(BodyPartId id) { return BodyPartName(id).starts_with("Right"); }

std::vector<std::string> VariantNames(PartKind kind, CreatureType type) {
    using T = CreatureType;
    auto pick = [type](std::vector<std::string> fantasy, std::vector<std::string> female,
                       std::vector<std::string> insect, std::vector<std::string> male,
                       std::vector<std::string> manga) {
        switch (type) {
            case T::kFantasy:
                return fantasy;
            case T::kFemale:
                return female;
            case T::kInsect:
                return insect;
            case T::kMale:
                return male;
            case T::kManga:
                return manga;
        }
        return male;
    };
    switch (kind) {
        case PartKind::kHead:
            return pick({"Horned", "Ram"}, {"Oval", "Bob"}, {"Narrow", "Wide"}, {"Square", "Round"},
                        {"Cute", "Spiky"});
        case PartKind::kEar:
            return pick({"Pointed", "Bat"}, {"Small", "Elf"}, {"Antenna", "Feeler"},
                        {"Round", "Large"}, {"Cat", "Small"});
        case PartKind::kEye:
            return pick({"Slit", "Glowing"}, {"Green", "Blue"}, {"Compound", "Red"},
                        {"Brown", "Blue"}, {"Sparkle", "Violet"});
        case PartKind::kNose:
            return pick({"Snout", "Wide"}, {"Button", "Straight"}, {"Plate", "Beak"},
                        {"Straight", "Hooked"}, {"Tiny", "Dot"});
        case PartKind::kMouth:
            return pick({"Tusks", "Fangs"}, {"Full", "Smile"}, {"Mandibles", "Pincers"},
                        {"Smile", "Straight"}, {"Small", "Open"});
        case PartKind::kNeck:
            return pick({"Thick", "Ridged"}, {"Slender", "Short"}, {"Segmented", "Thin"},
                        {"Thick", "Slim"}, {"Slim", "Short"});
        case PartKind::kUpperBody:
            return pick({"Brute", "Spiked"}, {"Slim", "Curvy"}, {"Thorax", "Armoured"},
                        {"Athletic", "Stocky"}, {"Slim", "Hero"});
        case PartKind::kArm:
            return pick({"Brute", "Scaled"}, {"Slim", "Toned"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Hero"});
        case PartKind::kForearm:
            return pick({"Brute", "Spiked"}, {"Slim", "Toned"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Glove"});
        case PartKind::kHand:
            return pick({"Clawed", "ThreeFingers"}, {"Slender", "Nails"}, {"Pincer", "Hook"},
                        {"Open", "Strong"}, {"Small", "Mitten"});
        case PartKind::kStomach:
            return pick({"Armoured", "Tail"}, {"Slim", "Curvy"}, {"Abdomen", "Narrow"},
                        {"Flat", "Belly"}, {"Slim", "Suit"});
        case PartKind::kThigh:
            return pick({"Disc", "Scaled"}, {"Slim", "Curvy"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Strong"});
        case PartKind::kLeg:
            return pick({"Brute", "Scaled"}, {"Slim", "Curvy"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Boot"});
        case PartKind::kFoot:
            return pick({"ThreeToes", "TwoToes"}, {"Slim", "Heel"}, {"Claw", "Hook"},
                        {"Bare", "Broad"}, {"Shoe", "Bare"});
    }
    return {};
}

PartMesh BuildBodyPart(PartKind kind, CreatureType type, int variant) {
    switch (kind) {
        case PartKind::kHead:
            return BuildHead(type, variant);
        case PartKind::kEar:
            return BuildEar(type, variant);
        case PartKind::kEye:
            return BuildEye(type, variant);
        case PartKind::kNose:
            return BuildNose(type, variant);
        case PartKind::kMouth:
            return BuildMouth(type, variant);
        case PartKind::kNeck:
            return BuildNeck(type, variant);
        case PartKind::kUpperBody:
            return BuildUpperBody(type, variant);
        case PartKind::kArm:
            return BuildArm(type, variant);
        case PartKind::kForearm:
            return BuildForearm(type, variant);
        case PartKind::kHand:
            return BuildHand(type, variant);
        case PartKind::kStomach:
            return BuildStomach(type, variant);
        case PartKind::kThigh:
            return BuildThigh(type, variant);
        case PartKind::kLeg:
            return BuildLeg(type, variant);
        case PartKind::kFoot:
            return BuildFoot(type, variant);
    }
    return {};
}

}  // namespace bw::library
