#include "select/symmetry_memory.h"

#include <algorithm>
#include <new>
#include <vector>

#include "select/show_list_entry.h"

namespace bw {

PartObject* SymmetryMemory::PartOf(BodyPartId bodyPart) const {
    const std::optional<TypeCode> code = TypeCodeOfBodyPart(bodyPart);
    return code ? selection_.GetCreature().PartOfTypeCode(*code) : nullptr;
}

void SymmetryMemory::KeepBefore() {
    pool_.Clear();
    try {
        for (BodyPartId b = 0; b < kBodyPartCount; ++b) {
            Kept& kept = kept_[std::size_t(b)];
            kept = {};
            const PartList* list = selection_.List(b);
            if (!list) continue;
            const PartObject* part = PartOf(b);
            if (part) kept.before = PartSnapshot::Capture(*part, nullptr, pool_);
            kept.entryBefore = list->CurrentIndex();
            kept.valid = true;
        }
    } catch (const std::bad_alloc&) {
        kept_ = {};
        pool_.Clear();
    }
}

void SymmetryMemory::NotePlaced() {
    for (BodyPartId b = 0; b < kBodyPartCount; ++b) {
        Kept& kept = kept_[std::size_t(b)];
        const PartObject* part = PartOf(b);
        kept.placed = part;
        if (part) kept.placedAdjustments = part->adjustments;
    }
}

void SymmetryMemory::GiveBack() {
    Creature& creature = selection_.GetCreature();
    std::array<bool, kBodyPartCount> fromMemory{};
    bool any = false, all = true;
    for (BodyPartId b = 0; b < kBodyPartCount; ++b) {
        PartList* list = selection_.List(b);
        if (!list) continue;
        const int chosen = selection_.ChosenSelection(b);
        const Kept& kept = kept_[std::size_t(b)];
        const PartObject* part = PartOf(b);
        const bool untouched =
            part == kept.placed && (!part || part->adjustments == kept.placedAdjustments);
        // Untouched since symmetry left it and the user's choice is still the one before "On":
        // the part before "On" comes back, welds and all.
        if (kept.valid && untouched && kept.entryBefore == chosen) {
            fromMemory[std::size_t(b)] = any = true;
            continue;
        }
        all = false;
        // The user chose or changed this body part meanwhile: it stays as it is.
        if (list->CurrentIndex() == chosen || !untouched) continue;
        ShowListEntry(*list, chosen);
        selection_.ApplySelection(b);
    }
    if (!any) return;

    // Every part in the creature's order, those given back from memory in place of what
    // symmetry left, the rest unchanged (captured and put back as they are).
    std::vector<std::unique_ptr<PartObject>> parts;
    try {
        MeshPool pool;
        for (int i = 0; i < creature.PartCount(); ++i) {
            const PartObject& part = *creature.Part(i);
            if (!fromMemory[std::size_t(part.bodyPart)])
                parts.push_back(PartSnapshot::Capture(part, nullptr, pool)->Restore());
        }
        for (BodyPartId b = 0; b < kBodyPartCount; ++b) {
            const Kept& kept = kept_[std::size_t(b)];
            if (fromMemory[std::size_t(b)] && kept.before) parts.push_back(kept.before->Restore());
        }
    } catch (const std::bad_alloc&) {
        parts.push_back(nullptr);
    }
    if (std::any_of(parts.begin(), parts.end(), [](const auto& part) { return !part; })) {
        // No memory to put the parts back with: they are loaded as the lists would load them.
        for (BodyPartId b = 0; b < kBodyPartCount; ++b) {
            if (!fromMemory[std::size_t(b)]) continue;
            ShowListEntry(*selection_.List(b), selection_.ChosenSelection(b));
            selection_.ApplySelection(b);
        }
        return;
    }
    creature.ReplaceParts(std::move(parts));
    for (BodyPartId b = 0; b < kBodyPartCount; ++b) {
        if (!fromMemory[std::size_t(b)]) continue;
        ShowListEntry(*selection_.List(b), selection_.ChosenSelection(b));
        // Beside parts the user changed meanwhile, a part given back is attached anew.
        if (PartObject* part = PartOf(b); part && !all) creature.ApplyAdjustments(part);
    }
}

}  // namespace bw
