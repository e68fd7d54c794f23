// The state of the symmetry box of the main dialog and its commands: Off/On (symmetryOn) and
// per group the direction of its arrow pair (symmetryDirection, Right ">>" initially).
//
// The main dialog owns one and forwards the box's clicks to it:
//   "On" clicked            -> TurnOn()      mirrors every group in its own direction
//   "Off" clicked           -> TurnOff()     every body part back to its own last choice,
//                                            from memory where symmetry replaced the part
//   a group's "<<" / ">>"   -> ChooseDirection(group, Left / Right)
//   "All" "<<" / ">>"       -> ChooseDirectionForAll(Left / Right)
// After each call it shows IsOn() on the Off/On pair, LabelsEnabled() on the four labels and
// LeftArrowChecked / RightArrowChecked on each group's arrows.
//
// While it exists it is installed in the PartSelection, so PartSelection::SelectPart copies a
// choice onto the mirror part whenever symmetry is on, whatever the directions. The
// PartSelection is not owned and must outlive this object; one SymmetryState per
// PartSelection.
#pragma once

#include <array>

#include "select/part_selection.h"
#include "select/symmetry_group.h"
#include "select/symmetry_memory.h"

namespace bw {

class SymmetryState {
  public:
    explicit SymmetryState(PartSelection& selection);
    ~SymmetryState();
    SymmetryState(const SymmetryState&) = delete;
    SymmetryState& operator=(const SymmetryState&) = delete;

    bool IsOn() const { return symmetryOn_; }
    // Right for an invalid group.
    SymmetryDirection Direction(SymmetryGroup group) const;
    const SymmetryDirections& Directions() const { return symmetryDirection_; }

    // Symmetry on, then every group mirrored in its own direction (again if it was on).
    void TurnOn();
    // Symmetry off, then every body part shows and holds the entry last chosen for it: the
    // parts symmetry replaced come back as they were before "On" (SymmetryMemory); parts the
    // user chose or changed meanwhile stay.
    void TurnOff();
    // Records the group's direction and, while symmetry is on, mirrors the group in it. Any
    // Nothing for an invalid group.
    void ChooseDirection(SymmetryGroup group, SymmetryDirection direction);
    // ChooseDirection for Head Features, then Lower Limbs, then Upper Limbs.
    void ChooseDirectionForAll(SymmetryDirection direction);

    // Sets the state as it was (a step undone): nothing is mirrored.
    void Restore(bool on, const SymmetryDirections& directions);

    // What the controls show.
    bool LabelsEnabled() const { return symmetryOn_; }
    bool LeftArrowChecked(SymmetryGroup group) const {
        return Direction(group) == SymmetryDirection::Left;
    }
    bool RightArrowChecked(SymmetryGroup group) const { return !LeftArrowChecked(group); }

  private:
    PartSelection& selection_;
    SymmetryMemory memory_{selection_};
    bool symmetryOn_ = false;
    SymmetryDirections symmetryDirection_{SymmetryDirection::Right, SymmetryDirection::Right,
                                          SymmetryDirection::Right};
};

}  // namespace bw
