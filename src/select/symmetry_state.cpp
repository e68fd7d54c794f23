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

SymmetryDirection SymmetryState::Direction(SymmetryGroup group) const {
    return IsValidSymmetryGroup(group) ? symmetryDirection_[SymmetryGroupIndex(group)]
                                       : SymmetryDirection::Right;
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

void SymmetryState::ChooseDirection(SymmetryGroup group, SymmetryDirection direction) {
    if (!IsValidSymmetryGroup(group)) return;
    symmetryDirection_[SymmetryGroupIndex(group)] = direction;
    if (!symmetryOn_) return;
    MirrorGroup(selection_, group, direction);
    memory_.NotePlaced();
}

void SymmetryState::ChooseDirectionForAll(SymmetryDirection direction) {
    for (const SymmetryGroup group : kAllGroupsOrder) ChooseDirection(group, direction);
}

void SymmetryState::Restore(bool on, const SymmetryDirections& directions) {
    symmetryOn_ = on;
    symmetryDirection_ = directions;
}

}  // namespace bw
