#include "rig/skeleton.h"

#include <algorithm>
#include <array>

#include "rig/part_attachment.h"

namespace bw {
namespace {

using PartOfType = std::array<std::optional<std::size_t>, kBodyPartCount>;

bool IsPresent(const PartOfType& partOfType, TypeCode code) {
    return IsValidTypeCode(code) && partOfType[std::size_t(code)].has_value();
}

// The upper body when present, otherwise the first present part in catalogue order.
std::optional<TypeCode> RootType(const PartOfType& partOfType) {
    std::optional<TypeCode> first;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const std::optional<TypeCode> code = TypeCodeOfBodyPart(id);
        if (!code || !IsPresent(partOfType, *code)) continue;
        if (!AttachmentOf(*code)) return code;
        if (!first) first = code;
    }
    return first;
}

// The nearest present ancestor in the attachment tree, or the root when none is present.
TypeCode ParentType(const PartOfType& partOfType, TypeCode code, TypeCode root) {
    std::optional<PartAttachment> attachment = AttachmentOf(code);
    while (attachment && !IsPresent(partOfType, attachment->parent))
        attachment = AttachmentOf(attachment->parent);
    return attachment ? attachment->parent : root;
}

Vec3d RestPosition(const PartObject& part, TypeCode code, bool isRoot) {
    const auto points = part.TransformedPoints();
    if (!isRoot) {
        if (const std::optional<PartAttachment> attachment = AttachmentOf(code)) {
            const auto set = part.ConnectionSet(attachment->ownSet - 1);
            if (!set.empty()) return MeanOfPoints(points, set);
        }
    }
    return MeanOfPoints(points);
}

}  // namespace

std::optional<std::size_t> Skeleton::JointOfPart(std::size_t partIndex) const {
    return partIndex < jointOfPart.size() ? jointOfPart[partIndex] : std::nullopt;
}

std::optional<std::size_t> Skeleton::JointOfBodyPart(BodyPartId bodyPart) const {
    for (std::size_t j = 0; j < joints.size(); ++j)
        if (joints[j].bodyPart == bodyPart) return j;
    return std::nullopt;
}

Skeleton BuildSkeleton(const Creature& creature) {
    Skeleton skeleton;
    const int partCount = creature.PartCount();
    skeleton.jointOfPart.assign(std::size_t(std::max(partCount, 0)), std::nullopt);
    PartOfType partOfType{};
    for (int i = 0; i < partCount; ++i) {
        const TypeCode code = creature.Part(i)->GetTypeCode();
        if (IsValidTypeCode(code)) partOfType[std::size_t(code)] = std::size_t(i);
    }
    const std::optional<TypeCode> root = RootType(partOfType);
    if (!root) return skeleton;

    std::array<std::optional<TypeCode>, kBodyPartCount> parentType{};
    for (int code = 0; code < kBodyPartCount; ++code) {
        if (TypeCode{code} != *root && IsPresent(partOfType, TypeCode{code}))
            parentType[std::size_t(code)] = ParentType(partOfType, TypeCode{code}, *root);
    }

    // Depth first from the root, children in catalogue order, so parents come first.
    struct Pending {
        TypeCode code;
        std::optional<std::size_t> parentJoint;
    };
    std::vector<Pending> stack{{*root, std::nullopt}};
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        const std::size_t partIndex = *partOfType[std::size_t(next.code)];
        const BodyPartId bodyPart = BodyPartOfTypeCode(next.code).value_or(0);
        const std::size_t jointIndex = skeleton.joints.size();
        skeleton.joints.push_back(
            {std::string(BodyPartName(bodyPart)), bodyPart, partIndex, next.parentJoint,
             RestPosition(*creature.Part(int(partIndex)), next.code, next.code == *root),
             AxisFrameOfBodyPart(bodyPart)});
        skeleton.jointOfPart[partIndex] = jointIndex;
        for (BodyPartId id = kBodyPartCount - 1; id >= 0; --id) {
            const std::optional<TypeCode> child = TypeCodeOfBodyPart(id);
            if (child && parentType[std::size_t(*child)] == next.code)
                stack.push_back({*child, jointIndex});
        }
    }
    return skeleton;
}

}  // namespace bw
