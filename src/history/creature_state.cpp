#include "history/creature_state.h"

#include "select/show_list_entry.h"

namespace bw {
namespace {

std::shared_ptr<const PartSnapshot> SnapshotOfType(const CreatureState* state,
                                                   const std::string& typeName) {
    if (!state) return nullptr;
    for (const auto& part : state->parts)
        if (part->TypeName() == typeName) return part;
    return nullptr;
}

}  // namespace

CreatureState CaptureCreatureState(const CreatureStateSources& sources,
                                   std::optional<BodyPartId> editedPart,
                                   const CreatureState* previous, MeshPool& pool) {
    CreatureState state;
    const Creature& creature = sources.creature;
    state.parts.reserve(std::size_t(creature.PartCount()));
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        std::shared_ptr<const PartSnapshot> before = SnapshotOfType(previous, part.TypeName());
        state.parts.push_back(before && before->Matches(part)
                                  ? before
                                  : PartSnapshot::Capture(part, before.get(), pool));
    }
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        const PartList* list = sources.selection.List(i);
        state.listEntries[std::size_t(i)] = list ? list->CurrentIndex() : 0;
        state.chosenSelection[std::size_t(i)] = sources.selection.ChosenSelection(i);
    }
    state.symmetryOn = sources.symmetry.IsOn();
    state.symmetryDirections = sources.symmetry.Directions();
    state.editedPart = editedPart;
    if (sources.pose) state.pose = sources.pose->GetPose();
    return state;
}

bool RestoreCreatureState(const CreatureState& state, const CreatureStateSources& targets) {
    std::vector<std::unique_ptr<PartObject>> parts;
    try {
        parts.reserve(state.parts.size());
        for (const auto& snapshot : state.parts) {
            parts.push_back(snapshot->Restore());
            if (!parts.back()) return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    targets.creature.ReplaceParts(std::move(parts));
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        if (PartList* list = targets.selection.List(i))
            ShowListEntry(*list, state.listEntries[std::size_t(i)]);
        targets.selection.SetChosenSelection(i, state.chosenSelection[std::size_t(i)]);
    }
    targets.symmetry.Restore(state.symmetryOn, state.symmetryDirections);
    if (targets.pose) targets.pose->SetPose(state.pose);
    return true;
}

}  // namespace bw
