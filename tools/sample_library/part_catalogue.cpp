// Which part kind each body part is, and the variant names of every kind and type.
#include "body_part_shapes.h"

namespace bw::library {

PartKind PartKindOf(BodyPartId id) {
    static constexpr PartKind kKinds[kBodyPartCount] = {
        PartKind::Head,    PartKind::Ear,   PartKind::Ear,  PartKind::Eye,       PartKind::Eye,
        PartKind::Nose,    PartKind::Mouth, PartKind::Neck, PartKind::UpperBody, PartKind::Arm,
        PartKind::Forearm, PartKind::Hand,  PartKind::Arm,  PartKind::Forearm,   PartKind::Hand,
        PartKind::Stomach, PartKind::Thigh, PartKind::Leg,  PartKind::Foot,      PartKind::Thigh,
        PartKind::Leg,     PartKind::Foot};
    return IsValidBodyPartId(id) ? kKinds[id] : PartKind::Head;
}

bool IsRightSide(BodyPartId id) { return BodyPartName(id).starts_with("Right"); }

std::vector<std::string> VariantNames(PartKind kind, CreatureType type) {
    using T = CreatureType;
    auto pick = [type](std::vector<std::string> fantasy, std::vector<std::string> female,
                       std::vector<std::string> insect, std::vector<std::string> male,
                       std::vector<std::string> manga) {
        switch (type) {
            case T::Fantasy:
                return fantasy;
            case T::Female:
                return female;
            case T::Insect:
                return insect;
            case T::Male:
                return male;
            case T::Manga:
                return manga;
        }
        return male;
    };
    switch (kind) {
        case PartKind::Head:
            return pick({"Horned", "Ram"}, {"Oval", "Bob"}, {"Narrow", "Wide"}, {"Square", "Round"},
                        {"Cute", "Spiky"});
        case PartKind::Ear:
            return pick({"Pointed", "Bat"}, {"Small", "Elf"}, {"Antenna", "Feeler"},
                        {"Round", "Large"}, {"Cat", "Small"});
        case PartKind::Eye:
            return pick({"Slit", "Glowing"}, {"Green", "Blue"}, {"Compound", "Red"},
                        {"Brown", "Blue"}, {"Sparkle", "Violet"});
        case PartKind::Nose:
            return pick({"Snout", "Wide"}, {"Button", "Straight"}, {"Plate", "Beak"},
                        {"Straight", "Hooked"}, {"Tiny", "Dot"});
        case PartKind::Mouth:
            return pick({"Tusks", "Fangs"}, {"Full", "Smile"}, {"Mandibles", "Pincers"},
                        {"Smile", "Straight"}, {"Small", "Open"});
        case PartKind::Neck:
            return pick({"Thick", "Ridged"}, {"Slender", "Short"}, {"Segmented", "Thin"},
                        {"Thick", "Slim"}, {"Slim", "Short"});
        case PartKind::UpperBody:
            return pick({"Brute", "Spiked"}, {"Slim", "Curvy"}, {"Thorax", "Armoured"},
                        {"Athletic", "Stocky"}, {"Slim", "Hero"});
        case PartKind::Arm:
            return pick({"Brute", "Scaled"}, {"Slim", "Toned"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Hero"});
        case PartKind::Forearm:
            return pick({"Brute", "Spiked"}, {"Slim", "Toned"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Glove"});
        case PartKind::Hand:
            return pick({"Clawed", "ThreeFingers"}, {"Slender", "Nails"}, {"Pincer", "Hook"},
                        {"Open", "Strong"}, {"Small", "Mitten"});
        case PartKind::Stomach:
            return pick({"Armoured", "Tail"}, {"Slim", "Curvy"}, {"Abdomen", "Narrow"},
                        {"Flat", "Belly"}, {"Slim", "Suit"});
        case PartKind::Thigh:
            return pick({"Disc", "Scaled"}, {"Slim", "Curvy"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Strong"});
        case PartKind::Leg:
            return pick({"Brute", "Scaled"}, {"Slim", "Curvy"}, {"Segmented", "Spiny"},
                        {"Slim", "Muscular"}, {"Slim", "Boot"});
        case PartKind::Foot:
            return pick({"ThreeToes", "TwoToes"}, {"Slim", "Heel"}, {"Claw", "Hook"},
                        {"Bare", "Broad"}, {"Shoe", "Bare"});
    }
    return {};
}

PartMesh BuildBodyPart(PartKind kind, CreatureType type, int variant) {
    switch (kind) {
        case PartKind::Head:
            return BuildHead(type, variant);
        case PartKind::Ear:
            return BuildEar(type, variant);
        case PartKind::Eye:
            return BuildEye(type, variant);
        case PartKind::Nose:
            return BuildNose(type, variant);
        case PartKind::Mouth:
            return BuildMouth(type, variant);
        case PartKind::Neck:
            return BuildNeck(type, variant);
        case PartKind::UpperBody:
            return BuildUpperBody(type, variant);
        case PartKind::Arm:
            return BuildArm(type, variant);
        case PartKind::Forearm:
            return BuildForearm(type, variant);
        case PartKind::Hand:
            return BuildHand(type, variant);
        case PartKind::Stomach:
            return BuildStomach(type, variant);
        case PartKind::Thigh:
            return BuildThigh(type, variant);
        case PartKind::Leg:
            return BuildLeg(type, variant);
        case PartKind::Foot:
            return BuildFoot(type, variant);
    }
    return {};
}

}  // namespace bw::library
