// The four groups of the Edit Parts page (X, Y and Z scale, and the taper) and which fields of
// a part's PartAdjustments each group shows and edits: its lock selects one of its three values
// and the matching stored slider position; the step is one per group.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/part_adjustments.h"

namespace bw {

// The group numbers are the page's order; X, Y and Z are also the scale arrays' axis index.
enum class AdjustGroup : int { X = 0, Y = 1, Z = 2, Taper = 3 };
inline constexpr int kAdjustGroupCount = 4;
inline constexpr std::array<AdjustGroup, kAdjustGroupCount> kAdjustGroups{
    AdjustGroup::X, AdjustGroup::Y, AdjustGroup::Z, AdjustGroup::Taper};
// Locks: 0 None; 1 Positive (scale) or Left/Bottom (taper); 2 Negative or Right/Top.
inline constexpr int kLockCount = 3;

// The group's place in the page's order: the index of its row in per-group tables.
constexpr std::size_t GroupIndex(AdjustGroup group) { return static_cast<std::size_t>(group); }
constexpr bool IsValidAdjustGroup(AdjustGroup group) {
    return static_cast<int>(group) >= 0 && static_cast<int>(group) < kAdjustGroupCount;
}
constexpr bool IsValidLock(int lock) { return lock >= 0 && lock < kLockCount; }

// The group's lock. A stored lock outside 0..2 (possible in a project file) counts as None, so
// it never indexes outside the value arrays. `group` must be valid.
int GroupLock(const PartAdjustments& adjustments, AdjustGroup group);
void SetGroupLock(PartAdjustments& adjustments, AdjustGroup group, int lock);
// The value and the stored (unclamped) slider position of the group under `lock`. `group` and
// `lock` must be valid.
float& GroupValue(PartAdjustments& adjustments, AdjustGroup group, int lock);
std::int32_t& GroupPosition(PartAdjustments& adjustments, AdjustGroup group, int lock);
float& GroupStep(PartAdjustments& adjustments, AdjustGroup group);

}  // namespace bw
