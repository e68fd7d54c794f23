#include "select/part_selection.h"

#include <algorithm>

#include "model/body_part_directory.h"
#include "select/part_list_entries.h"

namespace bw {

void PartSelection::SetList(BodyPartId i, PartList* list) {
    if (IsValidBodyPartId(i)) lists_[static_cast<std::size_t>(i)] = list;
}

PartList* PartSelection::List(BodyPartId i) const {
    return IsValidBodyPartId(i) ? lists_[static_cast<std::size_t>(i)] : nullptr;
}

void PartSelection::FillPartLists() {
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        if (PartList* list = List(i))
            list->SetEntries(PartListEntries(objectDirectory_, i, files_));
    }
}

void PartSelection::ResetPartLists() {
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        if (PartList* list = List(i)) list->SetEntries({kNoneEntry});
    }
    FillPartLists();
}

bool PartSelection::ApplySelection(BodyPartId i) {
    PartList* list = List(i);
    if (!list) return false;
    const std::string name(BodyPartName(i));
    const int index = list->CurrentIndex();
    if (index == 0) {
        creature_.RemovePart(name);
    } else {
        // No entry shown gives a path ending in the separator, which the creature refuses with
        // its own message.
        const std::string path =
            BodyPartDirectory(objectDirectory_, i) + kPathSeparator + list->Text(index);
        creature_.AddPart(name, path, i);
    }
    Repaint();
    return true;
}

std::string PartSelection::EntryPath(BodyPartId i, int index) const {
    const PartList* list = List(i);
    if (!list || index <= 0 || index >= list->Count()) return {};
    return BodyPartDirectory(objectDirectory_, i) + kPathSeparator + list->Text(index);
}

bool PartSelection::SelectPart(BodyPartId i) {
    PartList* list = List(i);
    if (!list) return false;
    ApplySelection(i);
    chosenSelection_[static_cast<std::size_t>(i)] = list->CurrentIndex();
    const BodyPartId mirror = MirrorBodyPart(i);
    if (mirror != i && symmetryOn_ && symmetryOn_() && mirror_) mirror_(i);
    return true;
}

int PartSelection::StepSelection(BodyPartId i, int step) {
    PartList* list = List(i);
    if (!list) return -1;
    int next = list->CurrentIndex() + step;
    next = std::clamp(next, 0, std::max(0, list->Count() - 1));
    list->SetCurrentIndex(next);
    SelectPart(i);
    return next;
}

void PartSelection::RememberSelections() {
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        PartList* list = List(i);
        chosenSelection_[static_cast<std::size_t>(i)] = list ? list->CurrentIndex() : 0;
    }
}

int PartSelection::ChosenSelection(BodyPartId i) const {
    return IsValidBodyPartId(i) ? chosenSelection_[static_cast<std::size_t>(i)] : 0;
}

void PartSelection::SetChosenSelection(BodyPartId i, int index) {
    if (IsValidBodyPartId(i)) chosenSelection_[static_cast<std::size_t>(i)] = index;
}

void PartSelection::Repaint() const {
    if (repaint_) repaint_();
}

BodyPartId MirrorBodyPart(BodyPartId id) {
    if (!IsValidBodyPartId(id)) return -1;
    const std::string_view name = BodyPartName(id);
    auto swapped = [&](std::string_view from, std::string_view to) -> std::optional<BodyPartId> {
        if (name.substr(0, from.size()) != from) return std::nullopt;
        return BodyPartIdOfName(std::string(to) + std::string(name.substr(from.size())));
    };
    if (auto m = swapped("Left ", "Right ")) return *m;
    if (auto m = swapped("Right ", "Left ")) return *m;
    return id;
}

}  // namespace bw
