#include "project/list_selecting_load_listener.h"

#include "model/body_part_directory.h"

namespace bw {

int FindEntryIgnoringCase(const PartList& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i) {
        if (EqualIgnoringCase(list.Text(i), text)) return i;
    }
    return -1;
}

void ListSelectingLoadListener::ClearSelection(BodyPartId bodyPart) {
    if (PartList* list = selection_.List(bodyPart)) list->SetCurrentIndex(0);
}

void ListSelectingLoadListener::SelectFile(BodyPartId bodyPart, const std::string& fileName) {
    if (PartList* list = selection_.List(bodyPart))
        list->SetCurrentIndex(FindEntryIgnoringCase(*list, fileName));
}

}  // namespace bw
