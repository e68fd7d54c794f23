// "Clear Creature": every body part removed and every list back on " (none) ".
#pragma once

#include "select/part_selection.h"

namespace bw {

// Shows entry 0 in every list and removes every body part from the creature, locked rows
// included and nothing mirrored; then every chosenSelection becomes 0 (RememberSelections) and
// the preview repaints.
void ClearCreature(PartSelection& selection);

}  // namespace bw
