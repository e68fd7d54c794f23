// Showing an entry of a part list by index, the same way for every PartList implementation.
#pragma once

#include "select/part_list.h"

namespace bw {

// Shows entry `index` of `list`; an index outside 0 .. Count() - 1 shows no entry (-1), as a
// drop-down list does. Applying a list that shows no entry makes the creature refuse the load
// with its own message.
inline void ShowListEntry(PartList& list, int index) {
    list.SetCurrentIndex(index >= 0 && index < list.Count() ? index : -1);
}

}  // namespace bw
