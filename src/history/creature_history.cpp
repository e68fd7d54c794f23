#include "history/creature_history.h"

#include <utility>

namespace bw {

CreatureHistory::CreatureHistory(CreatureState initial) { states_.push_back(std::move(initial)); }

bool CreatureHistory::Record(CreatureState after, StepMergeKey mergeKey,
                             std::chrono::milliseconds now) {
    if (after == Current()) return false;
    const bool merge = mergeKey.Merges() && mergeKey == lastMergeKey_ && !CanRedo() && index_ > 0 &&
                       now - lastTime_ <= kMergeWindow;
    lastMergeKey_ = mergeKey;
    lastTime_ = now;
    if (merge) {
        // A row of clicks that ends where it began leaves no step.
        if (after == states_[index_ - 1]) {
            states_.pop_back();
            --index_;
            lastMergeKey_ = kSeparateStep;
            return true;
        }
        states_[index_] = std::move(after);
        return true;
    }
    states_.erase(states_.begin() + std::ptrdiff_t(index_) + 1, states_.end());
    states_.push_back(std::move(after));
    index_ = states_.size() - 1;
    while (index_ > kStepLimit) {
        states_.pop_front();
        --index_;
    }
    return true;
}

void CreatureHistory::Amend(CreatureState current) {
    if (current == Current()) return;
    states_[index_] = std::move(current);
    lastMergeKey_ = kSeparateStep;
}

void CreatureHistory::Clear(CreatureState current) {
    states_.clear();
    states_.push_back(std::move(current));
    index_ = 0;
    lastMergeKey_ = kSeparateStep;
}

const CreatureState* CreatureHistory::Undo() {
    if (!CanUndo()) return nullptr;
    lastMergeKey_ = kSeparateStep;
    return &states_[--index_];
}

const CreatureState* CreatureHistory::Redo() {
    if (!CanRedo()) return nullptr;
    lastMergeKey_ = kSeparateStep;
    return &states_[++index_];
}

}  // namespace bw
