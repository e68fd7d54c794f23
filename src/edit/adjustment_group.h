// The four groups of the Edit Parts page (X, Y and Z scale, and the taper) and which fields of
// a part's PartAdjustments each group shows and edits: its lock selects one of its three values
// and the matching stored slider position; the step is one per group.
#pragma once

#include <cstdint>

#include "model/part_adjustments.h"

namespace bw {

using AdjustGroup = int;
inline constexpr AdjustGroup kGroupX = 0;
inline constexpr AdjustGroup kGroupY = 1;
inline constexpr AdjustGroup kGroupZ = 2;
inline constexpr AdjustGroup kGroupTaper = 3;
inline constexpr int kAdjustGroupCount = 4;
// Locks: 0 None; 1 Positive (scale) or Left/Bottom (taper); 2 Negative or Right/Top.
inline constexpr int kLockCount = 3;

constexpr bool IsValidAdjustGroup(AdjustGroup group) {
    return group >= 0 && group < kAdjustGroupCount;
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
