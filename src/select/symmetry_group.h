// The three groups of paired body parts that symmetry copies between the sides of the body, and
// the two copying directions. BodyPartIds are catalogue order (0 Head ... 21 Right foot).
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "model/body_part_catalogue.h"

namespace bw {

using SymmetryGroup = int;
inline constexpr SymmetryGroup kHeadFeatures = 0;
inline constexpr SymmetryGroup kUpperLimbs = 1;
inline constexpr SymmetryGroup kLowerLimbs = 2;
inline constexpr int kSymmetryGroupCount = 3;

// Direction of a group: kRightArrow (">>") copies the right parts onto the left parts,
// kLeftArrow ("<<") copies the left parts onto the right parts. Any value other than
// kRightArrow counts as kLeftArrow.
inline constexpr int kRightArrow = 1;
inline constexpr int kLeftArrow = 2;

struct SymmetryGroupParts {
    std::string_view label;
    // Paired in order: left[k] mirrors onto right[k]. Only the first `count` entries are used.
    std::array<BodyPartId, 3> left;
    std::array<BodyPartId, 3> right;
    int count;
};

inline constexpr std::array<SymmetryGroupParts, kSymmetryGroupCount> kSymmetryGroups{{
    {"Head Features", {1, 3, -1}, {2, 4, -1}, 2},    // ears, eyes
    {"Upper Limbs", {9, 10, 11}, {12, 13, 14}, 3},   // arm, forearm, hand
    {"Lower Limbs", {16, 17, 18}, {19, 20, 21}, 3},  // thigh, leg, foot
}};

// The order in which the "All" row's arrows act on the groups.
inline constexpr std::array<SymmetryGroup, kSymmetryGroupCount> kAllGroupsOrder{
    kHeadFeatures, kLowerLimbs, kUpperLimbs};

inline constexpr bool IsValidSymmetryGroup(SymmetryGroup group) {
    return group >= 0 && group < kSymmetryGroupCount;
}

// The parts a group copies from in `direction`, in table order; empty for an invalid group.
inline std::span<const BodyPartId> SymmetrySources(SymmetryGroup group, int direction) {
    if (!IsValidSymmetryGroup(group)) return {};
    const SymmetryGroupParts& parts = kSymmetryGroups[static_cast<std::size_t>(group)];
    const auto& sources = direction == kRightArrow ? parts.right : parts.left;
    return std::span<const BodyPartId>(sources.data(), static_cast<std::size_t>(parts.count));
}

}  // namespace bw
