// Whether the creature holds work that no project file has: changed by any step since it was
// last saved, loaded or started anew. Before a command would lose that work (closing the
// window, New, Load) the user is asked "Save changes to the creature before ...?" with Save,
// Discard and Cancel.
//
// Ownership: refers to the Notifier, which its owner keeps alive longer.
#pragma once

#include <functional>
#include <string>

#include "model/notifier.h"

namespace bw {

// What the command about to lose the work does, as the question ends.
enum class CreatureLoss { Closing, StartingNew, LoadingAnother };

class UnsavedCreature {
  public:
    // `save` runs the normal save with its dialogs and says whether the creature was saved.
    UnsavedCreature(Notifier& notifier, std::function<bool()> save)
        : notifier_(notifier), save_(std::move(save)) {}

    void MarkChanged() { changed_ = true; }
    void MarkSaved() { changed_ = false; }
    bool Changed() const { return changed_; }

    // True when the command may go on: nothing unsaved, the user saved it (and the save
    // succeeded) or chose Discard. False on Cancel (or Escape), or when the save failed or was
    // cancelled: then everything stays as it is.
    bool ConfirmLoss(CreatureLoss loss);

  private:
    Notifier& notifier_;
    std::function<bool()> save_;
    bool changed_ = false;
};

// "Save changes to the creature before closing?" and the like.
std::string UnsavedCreatureQuestion(CreatureLoss loss);

}  // namespace bw
