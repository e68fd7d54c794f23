#include "select/symmetry_operations.h"

#include <string>

#include "model/body_part_directory.h"
#include "select/show_list_entry.h"

namespace bw {

void RestoreChosenSelections(PartSelection& selection) {
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        PartList* list = selection.List(i);
        if (!list) continue;
        ShowListEntry(*list, selection.ChosenSelection(i));
        selection.ApplySelection(i);
    }
}

void MirrorPart(PartSelection& selection, BodyPartId part) {
    PartList* list = selection.List(part);
    if (!list) return;
    const int chosen = selection.ChosenSelection(part);
    if (list->CurrentIndex() != chosen) {
        ShowListEntry(*list, chosen);
        selection.ApplySelection(part);
    }
    const BodyPartId mirror = MirrorBodyPart(part);
    if (mirror == part) return;
    PartList* mirrorList = selection.List(mirror);
    if (!mirrorList) return;
    const std::string text = list->Text(chosen);
    if (text.empty()) return;  // the part's list shows no entry: nothing to copy
    for (int k = 0; k < mirrorList->Count(); ++k) {
        if (EqualIgnoringCase(mirrorList->Text(k), text)) {
            mirrorList->SetCurrentIndex(k);
            selection.ApplySelection(mirror);
            return;
        }
    }
}

void MirrorGroup(PartSelection& selection, SymmetryGroup group, SymmetryDirection direction) {
    for (const BodyPartId source : SymmetrySources(group, direction)) MirrorPart(selection, source);
}

void ApplySymmetry(PartSelection& selection, const SymmetryDirections& directions) {
    for (SymmetryGroup group : kSymmetryGroupRows)
        MirrorGroup(selection, group, directions[SymmetryGroupIndex(group)]);
}

}  // namespace bw
