#include "select/clear_creature.h"

#include <string>

#include "select/show_list_entry.h"

namespace bw {

void ClearCreature(PartSelection& selection) {
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        if (PartList* list = selection.List(i)) ShowListEntry(*list, 0);
        selection.GetCreature().RemovePart(std::string(BodyPartName(i)));
    }
    selection.RememberSelections();
    selection.Repaint();
}

}  // namespace bw
