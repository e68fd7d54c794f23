// The three groups of paired body parts that symmetry copies between the sides of the body, and
// the two copying directions. BodyPartIds are catalogue order (0 Head ... 21 Right foot).
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "model/body_part_catalogue.h"

namespace bw {

// The group numbers are the rows of the symmetry box, top to bottom.
enum class SymmetryGroup : int { HeadFeatures = 0, UpperLimbs = 1, LowerLimbs = 2 };
inline constexpr int kSymmetryGroupCount = 3;
// The groups in the box's row order.
inline constexpr std::array<SymmetryGroup, kSymmetryGroupCount> kSymmetryGroupRows{
    SymmetryGroup::HeadFeatures, SymmetryGroup::UpperLimbs, SymmetryGroup::LowerLimbs};

// Direction of a group, named after its arrow: Right (">>") copies the right parts onto the
// left parts, Left ("<<") copies the left parts onto the right parts.
enum class SymmetryDirection : int { Right = 1, Left = 2 };

// One direction per group, indexed by SymmetryGroupIndex.
using SymmetryDirections = std::array<SymmetryDirection, kSymmetryGroupCount>;

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
    SymmetryGroup::HeadFeatures, SymmetryGroup::LowerLimbs, SymmetryGroup::UpperLimbs};

// The group's row: its index in per-group tables.
constexpr std::size_t SymmetryGroupIndex(SymmetryGroup group) {
    return static_cast<std::size_t>(group);
}
inline constexpr bool IsValidSymmetryGroup(SymmetryGroup group) {
    return static_cast<int>(group) >= 0 && static_cast<int>(group) < kSymmetryGroupCount;
}

// The parts a group copies from in `direction`, in table order; empty for an invalid group.
inline std::span<const BodyPartId> SymmetrySources(SymmetryGroup group,
                                                   SymmetryDirection direction) {
    if (!IsValidSymmetryGroup(group)) return {};
    const SymmetryGroupParts& parts = kSymmetryGroups[SymmetryGroupIndex(group)];
    const auto& sources = direction == SymmetryDirection::Right ? parts.right : parts.left;
    return std::span<const BodyPartId>(sources.data(), static_cast<std::size_t>(parts.count));
}

}  // namespace bw
