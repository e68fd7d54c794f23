// The symmetry operations over the part lists: copying a body part's choice onto its mirror
// part by file name, per group and for all groups, and giving every body part back its own last
// choice. They select entries and apply them through PartSelection, so the creature always
// matches what the lists show; a copy never changes the target's chosenSelection, which is what
// lets RestoreChosenSelections undo every copy.
//
// Rows without a list are skipped. BodyPartIds are catalogue order.
#pragma once

#include <array>

#include "select/part_selection.h"
#include "select/symmetry_group.h"

namespace bw {

// Every row shows its chosenSelection again and is applied, changed or not.
void RestoreChosenSelections(PartSelection& selection);

// Makes `part`'s list show its chosenSelection again (applying it if it showed something else,
// which undoes an earlier copy onto it), then selects and applies, in the mirror part's list,
// the first entry whose text equals that choice's text without regard to case. A mirror list
// without such an entry keeps its part. Does nothing more for a body part that is its own
// mirror; nothing at all for an invalid id.
void MirrorPart(PartSelection& selection, BodyPartId part);

// MirrorPart for each source of `group` in `direction` (Right: the right parts, Left: the
// left parts), in table order. Nothing for an invalid group.
void MirrorGroup(PartSelection& selection, SymmetryGroup group, SymmetryDirection direction);

// MirrorGroup for Head Features, Upper Limbs and Lower Limbs, in this order, each in its own
// direction (indexed by SymmetryGroup).
void ApplySymmetry(PartSelection& selection, const SymmetryDirections& directions);

}  // namespace bw
