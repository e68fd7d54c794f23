#include "select/symmetry_state.h"

#include "select/symmetry_operations.h"

namespace bw {

SymmetryState::SymmetryState(PartSelection& selection) : selection_(selection) {
    selection_.SetSymmetryQuery([this] { return symmetryOn_; });
    selection_.SetMirror([this](BodyPartId part) {
        MirrorPart(selection_, part);
        memory_.NotePlaced();
    });
}

SymmetryState::~SymmetryState() {
    selection_.SetSymmetryQuery({});
    selection_.SetMirror({});
}

int SymmetryState::Direction(SymmetryGroup group) const {
    return IsValidSymmetryGroup(group) ? symmetryDirection_[SymmetryGroupIndex(group)]
                                       : kRightArrow;
}

void SymmetryState::TurnOn() {
    // Turned on again while on, it keeps what it took the first time.
    if (!symmetryOn_) memory_.KeepBefore();
    symmetryOn_ = true;
    ApplySymmetry(selection_, symmetryDirection_);
    memory_.NotePlaced();
}

void SymmetryState::TurnOff() {
    symmetryOn_ = false;
    memory_.GiveBack();
}

void SymmetryState::ChooseDirection(SymmetryGroup group, int direction) {
    if (!IsValidSymmetryGroup(group)) return;
    const int stored = direction == kLeftArrow ? kLeftArrow : kRightArrow;
    symmetryDirection_[SymmetryGroupIndex(group)] = stored;
    if (!symmetryOn_) return;
    MirrorGroup(selection_, group, stored);
    memory_.NotePlaced();
}

void SymmetryState::ChooseDirectionForAll(int direction) {
    for (const SymmetryGroup group : kAllGroupsOrder) ChooseDirection(group, direction);
}

void SymmetryState::Restore(bool on, const std::array<int, kSymmetryGroupCount>& directions) {
    symmetryOn_ = on;
    for (std::size_t g = 0; g < directions.size(); ++g)
        symmetryDirection_[g] = directions[g] == kLeftArrow ? kLeftArrow : kRightArrow;
}

}  // namespace bw
