#include "edit/adjustment_group.h"

#include <cstddef>

namespace bw {
namespace {

std::size_t At(int lock, AdjustGroup group) {
    return static_cast<std::size_t>(
        ScaleIndex(static_cast<ScaleSide>(lock), static_cast<int>(group)));
}

}  // namespace

int GroupLock(const PartAdjustments& a, AdjustGroup group) {
    const int lock = group == AdjustGroup::Taper ? a.taperLock : a.scaleLock[GroupIndex(group)];
    return IsValidLock(lock) ? lock : 0;
}

void SetGroupLock(PartAdjustments& a, AdjustGroup group, int lock) {
    if (group == AdjustGroup::Taper)
        a.taperLock = lock;
    else
        a.scaleLock[GroupIndex(group)] = lock;
}

float& GroupValue(PartAdjustments& a, AdjustGroup group, int lock) {
    return group == AdjustGroup::Taper ? a.taperValue[std::size_t(lock)]
                                       : a.scaleValue[At(lock, group)];
}

std::int32_t& GroupPosition(PartAdjustments& a, AdjustGroup group, int lock) {
    return group == AdjustGroup::Taper ? a.taperAdjustPosition[std::size_t(lock)]
                                       : a.adjustPosition[At(lock, group)];
}

float& GroupStep(PartAdjustments& a, AdjustGroup group) {
    return group == AdjustGroup::Taper ? a.taperStep : a.sliderStep[GroupIndex(group)];
}

}  // namespace bw
