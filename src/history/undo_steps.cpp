#include "history/undo_steps.h"

#include <new>

namespace bw {

UndoSteps::UndoSteps(const CreatureStateSources& sources, Hooks hooks)
    : sources_(sources), hooks_(std::move(hooks)) {
    history_ = std::make_unique<CreatureHistory>(Capture());
}

CreatureState UndoSteps::Capture() {
    const std::optional<BodyPartId> edited = hooks_.editedPart ? hooks_.editedPart() : std::nullopt;
    return CaptureCreatureState(sources_, edited, history_ ? &history_->Current() : nullptr, pool_);
}

void UndoSteps::StepBegins() {
    if (depth_++ > 0) return;
    if (!usable_) {
        // The last attempt to store a state ran out of memory: start over from this one.
        Clear();
        depth_ = 1;
        return;
    }
    try {
        history_->Amend(Capture());
    } catch (const std::bad_alloc&) {
        Clear();
    }
}

void UndoSteps::StepEnds(StepMergeKey mergeKey) {
    if (depth_ == 0 || --depth_ > 0 || !usable_) return;
    try {
        const auto now = hooks_.clock ? hooks_.clock()
                                      : std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now().time_since_epoch());
        if (history_->Record(Capture(), mergeKey, now)) Changed(true);
    } catch (const std::bad_alloc&) {
        // The step happened all the same; only its record is lost.
        Clear();
        Changed(true);
    }
}

bool UndoSteps::PutBack(const CreatureState* state) {
    if (!state || !RestoreCreatureState(*state, sources_)) return false;
    if (hooks_.restored) hooks_.restored(state->editedPart);
    return true;
}

bool UndoSteps::Undo() {
    if (!CanUndo()) return false;
    try {
        // What changed since the last step without being one (the part being edited) is kept
        // for a redo.
        history_->Amend(Capture());
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    if (PutBack(history_->Undo())) {
        Changed(true);
        return true;
    }
    history_->Redo();
    return false;
}

bool UndoSteps::Redo() {
    if (!CanRedo()) return false;
    if (PutBack(history_->Redo())) {
        Changed(true);
        return true;
    }
    history_->Undo();
    return false;
}

void UndoSteps::Clear() {
    pool_.Clear();
    depth_ = 0;
    history_->Clear(CreatureState{});
    try {
        history_->Clear(CaptureCreatureState(
            sources_, hooks_.editedPart ? hooks_.editedPart() : std::nullopt, nullptr, pool_));
        usable_ = true;
    } catch (const std::bad_alloc&) {
        // No state to come back to: nothing is recorded until one can be stored.
        usable_ = false;
    }
    Changed(false);
}

}  // namespace bw
