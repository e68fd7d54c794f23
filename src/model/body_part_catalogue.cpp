#include "model/body_part_catalogue.h"

namespace bw {
namespace {

// Type codes, by name, for the tables below (connection order).
constexpr TypeCode kHead{0};
constexpr TypeCode kLeftHand{1};
constexpr TypeCode kRightHand{2};
constexpr TypeCode kLeftArm{3};
constexpr TypeCode kRightArm{4};
constexpr TypeCode kLeftForearm{5};
constexpr TypeCode kRightForearm{6};
constexpr TypeCode kUpperBody{7};
constexpr TypeCode kStomach{8};
constexpr TypeCode kLeftLeg{9};
constexpr TypeCode kRightLeg{10};
constexpr TypeCode kLeftThigh{11};
constexpr TypeCode kRightThigh{12};
constexpr TypeCode kLeftFoot{13};
constexpr TypeCode kRightFoot{14};
constexpr TypeCode kLeftEye{15};
constexpr TypeCode kRightEye{16};
constexpr TypeCode kNose{17};
constexpr TypeCode kMouth{18};
constexpr TypeCode kLeftEar{19};
constexpr TypeCode kRightEar{20};
constexpr TypeCode kNeck{21};

struct CatalogueRow {
    std::string_view name;
    TypeCode typeCode;
    int rank;
    TaperAxis taperAxis;
};

constexpr std::array<CatalogueRow, kBodyPartCount> kCatalogue{{
    {"Head", kHead, 2, {Axis::Y, false}},
    {"Left ear", kLeftEar, 0, {Axis::X, false}},
    {"Right ear", kRightEar, 0, {Axis::X, true}},
    {"Left eye", kLeftEye, 0, {Axis::Z, false}},
    {"Right eye", kRightEye, 0, {Axis::Z, false}},
    {"Nose", kNose, 0, {Axis::Z, false}},
    {"Mouth", kMouth, 0, {Axis::Z, false}},
    {"Neck", kNeck, 3, {Axis::Y, false}},
    {"Upper body", kUpperBody, 4, {Axis::Y, false}},
    {"Left arm", kLeftArm, 2, {Axis::X, false}},
    {"Left forearm", kLeftForearm, 1, {Axis::X, false}},
    {"Left hand", kLeftHand, 0, {Axis::X, false}},
    {"Right arm", kRightArm, 2, {Axis::X, true}},
    {"Right forearm", kRightForearm, 1, {Axis::X, true}},
    {"Right hand", kRightHand, 0, {Axis::X, true}},
    {"Stomach", kStomach, 3, {Axis::Y, false}},
    {"Left thigh", kLeftThigh, 2, {Axis::Y, true}},
    {"Left leg", kLeftLeg, 1, {Axis::Y, true}},
    {"Left foot", kLeftFoot, 0, {Axis::Y, true}},
    {"Right thigh", kRightThigh, 2, {Axis::Y, true}},
    {"Right leg", kRightLeg, 1, {Axis::Y, true}},
    {"Right foot", kRightFoot, 0, {Axis::Y, true}},
}};

constexpr std::array<std::string_view, kBodyPartCount> kTypeCodeNames{
    "Head",          "Left hand",  "Right hand", "Left arm", "Right arm", "Left forearm",
    "Right forearm", "Upper body", "Stomach",    "Left leg", "Right leg", "Left thigh",
    "Right thigh",   "Left foot",  "Right foot", "Left eye", "Right eye", "Nose",
    "Mouth",         "Left ear",   "Right ear",  "Neck",
};

constexpr SetConnection kHeadSets[] = {{1, kNeck, 2},    {2, kLeftEye, 1}, {3, kRightEye, 1},
                                       {4, kNose, 1},    {5, kMouth, 1},   {6, kLeftEar, 1},
                                       {7, kRightEar, 1}};
constexpr SetConnection kLeftHandSets[] = {{1, kLeftForearm, 1}};
constexpr SetConnection kRightHandSets[] = {{1, kRightForearm, 1}};
constexpr SetConnection kLeftArmSets[] = {{1, kLeftForearm, 2}, {2, kUpperBody, 2}};
constexpr SetConnection kRightArmSets[] = {{1, kRightForearm, 2}, {2, kUpperBody, 4}};
constexpr SetConnection kLeftForearmSets[] = {{1, kLeftHand, 1}, {2, kLeftArm, 1}};
constexpr SetConnection kRightForearmSets[] = {{1, kRightHand, 1}, {2, kRightArm, 1}};
constexpr SetConnection kUpperBodySets[] = {
    {1, kStomach, 2}, {2, kLeftArm, 2}, {3, kNeck, 1}, {4, kRightArm, 2}};
constexpr SetConnection kStomachSets[] = {
    {1, kLeftThigh, 2}, {2, kUpperBody, 1}, {3, kRightThigh, 2}};
constexpr SetConnection kLeftLegSets[] = {{1, kLeftFoot, 1}, {2, kLeftThigh, 1}};
constexpr SetConnection kRightLegSets[] = {{1, kRightFoot, 1}, {2, kRightThigh, 1}};
constexpr SetConnection kLeftThighSets[] = {{1, kLeftLeg, 2}, {2, kStomach, 1}};
constexpr SetConnection kRightThighSets[] = {{1, kRightLeg, 2}, {2, kStomach, 3}};
constexpr SetConnection kLeftFootSets[] = {{1, kLeftLeg, 1}};
constexpr SetConnection kRightFootSets[] = {{1, kRightLeg, 1}};
constexpr SetConnection kLeftEyeSets[] = {{1, kHead, 2}};
constexpr SetConnection kRightEyeSets[] = {{1, kHead, 3}};
constexpr SetConnection kNoseSets[] = {{1, kHead, 4}, {2, kMouth, 2}};
constexpr SetConnection kMouthSets[] = {{1, kHead, 5}, {2, kNose, 2}};
constexpr SetConnection kLeftEarSets[] = {{1, kHead, 6}};
constexpr SetConnection kRightEarSets[] = {{1, kHead, 7}};
constexpr SetConnection kNeckSets[] = {{1, kUpperBody, 3}, {2, kHead, 1}};

constexpr std::array<std::span<const SetConnection>, kBodyPartCount> kConnectionTable{
    kHeadSets,        kLeftHandSets,     kRightHandSets,  kLeftArmSets,  kRightArmSets,
    kLeftForearmSets, kRightForearmSets, kUpperBodySets,  kStomachSets,  kLeftLegSets,
    kRightLegSets,    kLeftThighSets,    kRightThighSets, kLeftFootSets, kRightFootSets,
    kLeftEyeSets,     kRightEyeSets,     kNoseSets,       kMouthSets,    kLeftEarSets,
    kRightEarSets,    kNeckSets,
};

constexpr TypeCode kChainLeftEye[] = {kLeftEye};
constexpr TypeCode kChainRightEye[] = {kRightEye};
constexpr TypeCode kChainNose[] = {kNose};
constexpr TypeCode kChainMouth[] = {kMouth};
constexpr TypeCode kChainLeftEar[] = {kLeftEar};
constexpr TypeCode kChainRightEar[] = {kRightEar};
constexpr TypeCode kChainLeftForearmHand[] = {kLeftForearm, kLeftHand};
constexpr TypeCode kChainRightForearmHand[] = {kRightForearm, kRightHand};
constexpr TypeCode kChainLeftHand[] = {kLeftHand};
constexpr TypeCode kChainRightHand[] = {kRightHand};
constexpr TypeCode kChainStomachDown[] = {kStomach,    kLeftThigh, kLeftLeg,  kLeftFoot,
                                          kRightThigh, kRightLeg,  kRightFoot};
constexpr TypeCode kChainLeftArmDown[] = {kLeftArm, kLeftForearm, kLeftHand};
constexpr TypeCode kChainNeckUp[] = {kNeck, kHead,  kLeftEye, kRightEye,
                                     kNose, kMouth, kLeftEar, kRightEar};
constexpr TypeCode kChainRightArmDown[] = {kRightArm, kRightForearm, kRightHand};
constexpr TypeCode kChainLeftThighDown[] = {kLeftThigh, kLeftLeg, kLeftFoot};
constexpr TypeCode kChainRightThighDown[] = {kRightThigh, kRightLeg, kRightFoot};
constexpr TypeCode kChainLeftFoot[] = {kLeftFoot};
constexpr TypeCode kChainRightFoot[] = {kRightFoot};
constexpr TypeCode kChainLeftLegDown[] = {kLeftLeg, kLeftFoot};
constexpr TypeCode kChainRightLegDown[] = {kRightLeg, kRightFoot};
constexpr TypeCode kChainHeadUp[] = {kHead,  kLeftEye, kRightEye, kNose,
                                     kMouth, kLeftEar, kRightEar};

constexpr AttachedChain kHeadChains[] = {{2, 1, kChainLeftEye}, {3, 1, kChainRightEye},
                                         {4, 1, kChainNose},    {5, 1, kChainMouth},
                                         {6, 1, kChainLeftEar}, {7, 1, kChainRightEar}};
constexpr AttachedChain kLeftArmChains[] = {{1, 2, kChainLeftForearmHand}};
constexpr AttachedChain kRightArmChains[] = {{1, 2, kChainRightForearmHand}};
constexpr AttachedChain kLeftForearmChains[] = {{1, 1, kChainLeftHand}};
constexpr AttachedChain kRightForearmChains[] = {{1, 1, kChainRightHand}};
constexpr AttachedChain kUpperBodyChains[] = {{1, 2, kChainStomachDown},
                                              {2, 2, kChainLeftArmDown},
                                              {3, 1, kChainNeckUp},
                                              {4, 2, kChainRightArmDown}};
constexpr AttachedChain kStomachChains[] = {{1, 2, kChainLeftThighDown},
                                            {3, 2, kChainRightThighDown}};
constexpr AttachedChain kLeftLegChains[] = {{1, 1, kChainLeftFoot}};
constexpr AttachedChain kRightLegChains[] = {{1, 1, kChainRightFoot}};
constexpr AttachedChain kLeftThighChains[] = {{1, 2, kChainLeftLegDown}};
constexpr AttachedChain kRightThighChains[] = {{1, 2, kChainRightLegDown}};
constexpr AttachedChain kNeckChains[] = {{2, 1, kChainHeadUp}};

constexpr std::array<std::span<const AttachedChain>, kBodyPartCount> kAttachedPartsTable{
    kHeadChains,      // Head
    {},               // Left hand
    {},               // Right hand
    kLeftArmChains,   // Left arm
    kRightArmChains,  // Right arm
    kLeftForearmChains,
    kRightForearmChains,
    kUpperBodyChains,  // Upper body
    kStomachChains,    // Stomach
    kLeftLegChains,
    kRightLegChains,
    kLeftThighChains,
    kRightThighChains,
    {},
    {},  // feet
    {},
    {},  // eyes
    {},
    {},  // nose, mouth
    {},
    {},           // ears
    kNeckChains,  // Neck
};

// The converter page's own label, spelled as users know it; not a typo to mend.
constexpr std::string_view kNotAvailable = "Not availible";

using LabelRow = std::array<std::string_view, kConnectionLabelCount>;
constexpr LabelRow kToHeadLabels{"To Head"};
constexpr std::array<LabelRow, kBodyPartCount> kConnectionLabels{{
    {"To neck", "To left eye", "To right eye", "To nose", "To Mouth", "To left ear",
     "To right ear"},
    kToHeadLabels,
    kToHeadLabels,
    kToHeadLabels,
    kToHeadLabels,
    kToHeadLabels,
    kToHeadLabels,
    {"To upper body", "To head"},
    {"To stomach", "To left arm", "To neck", "To right arm"},
    {"To forearm", "To upper body"},
    {"To hand", "To arm"},
    {"To forearm"},
    {"To forearm", "To upper body"},
    {"To hand", "To arm"},
    {"To forearm"},
    {"To left leg", "To upper body", "To right leg"},
    {"To leg", "To stomach"},
    {"To foot", "To thigh"},
    {"To leg"},
    {"To leg", "To stomach"},
    {"To foot", "To thigh"},
    {"To leg"},
}};

}  // namespace

bool IsValidBodyPartId(BodyPartId id) { return id >= 0 && id < kBodyPartCount; }

std::string_view BodyPartName(BodyPartId id) {
    return IsValidBodyPartId(id) ? kCatalogue[id].name : std::string_view{};
}

std::optional<BodyPartId> BodyPartIdOfName(std::string_view name) {
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        if (kCatalogue[id].name == name) return id;
    }
    return std::nullopt;
}

std::optional<TypeCode> TypeCodeOfBodyPart(BodyPartId id) {
    if (!IsValidBodyPartId(id)) return std::nullopt;
    return kCatalogue[id].typeCode;
}

std::optional<TaperAxis> TaperAxisOfBodyPart(BodyPartId id) {
    if (!IsValidBodyPartId(id)) return std::nullopt;
    return kCatalogue[id].taperAxis;
}

std::string_view ConnectionLabel(BodyPartId id, int set) {
    if (!IsValidBodyPartId(id) || set < 1 || set > kConnectionLabelCount) return kNotAvailable;
    std::string_view label = kConnectionLabels[id][set - 1];
    return label.empty() ? kNotAvailable : label;
}

bool IsValidTypeCode(TypeCode code) { return int(code) >= 0 && int(code) < kBodyPartCount; }

std::string_view TypeCodeName(TypeCode code) {
    return IsValidTypeCode(code) ? kTypeCodeNames[std::size_t(code)] : std::string_view{};
}

std::optional<TypeCode> TypeCodeOfName(std::string_view name) {
    for (int code = 0; code < kBodyPartCount; ++code) {
        if (kTypeCodeNames[std::size_t(code)] == name) return TypeCode{code};
    }
    return std::nullopt;
}

std::optional<BodyPartId> BodyPartOfTypeCode(TypeCode code) {
    if (!IsValidTypeCode(code)) return std::nullopt;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        if (kCatalogue[id].typeCode == code) return id;
    }
    return std::nullopt;
}

int RankOfTypeCode(TypeCode code) {
    const std::optional<BodyPartId> id = BodyPartOfTypeCode(code);
    return id ? kCatalogue[*id].rank : -1;
}

std::span<const SetConnection> ConnectionsOfTypeCode(TypeCode code) {
    return IsValidTypeCode(code) ? kConnectionTable[std::size_t(code)]
                                 : std::span<const SetConnection>{};
}

std::span<const AttachedChain> ChainsOfTypeCode(TypeCode code) {
    return IsValidTypeCode(code) ? kAttachedPartsTable[std::size_t(code)]
                                 : std::span<const AttachedChain>{};
}

std::string_view ConverterDirectoryName(BodyPartId id) {
    if (id == 10) return "Left Forearm";
    if (id == 13) return "Right Forearm";
    return BodyPartName(id);
}

std::array<std::string_view, kBodyPartCount> ConverterDirectoryNames() {
    std::array<std::string_view, kBodyPartCount> names;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id)
        names[std::size_t(id)] = ConverterDirectoryName(id);
    return names;
}

}  // namespace bw
