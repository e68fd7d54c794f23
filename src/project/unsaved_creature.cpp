#include "project/unsaved_creature.h"

namespace bw {

std::string UnsavedCreatureQuestion(CreatureLoss loss) {
    switch (loss) {
        case CreatureLoss::StartingNew:
            return "Save changes to the creature before starting a new one?";
        case CreatureLoss::LoadingAnother:
            return "Save changes to the creature before loading another?";
        default:
            return "Save changes to the creature before closing?";
    }
}

bool UnsavedCreature::ConfirmLoss(CreatureLoss loss) {
    if (!changed_) return true;
    switch (notifier_.ShowMessage(UnsavedCreatureQuestion(loss), "Beastwright",
                                  MessageIcon::Question, MessageButtons::SaveDiscardCancel)) {
        case MessageResult::Save:
            return save_ && save_();
        case MessageResult::Discard:
            return true;
        default:
            return false;
    }
}

}  // namespace bw
