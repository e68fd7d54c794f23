// The Select Parts logic: one PartList per body part, the creature they drive, and per body
// part the entry the user last chose (chosenSelection). Every applied change makes the creature
// match the list and asks the preview to repaint, so the creature always shows what the lists
// show. The page holds the widgets and forwards to this class; the whole-creature commands
// (random creature, clear, symmetry) work on it too.
//
// Rows are indexed by BodyPartId (0 Head ... 21 Right foot). The lists, the creature and the
// enumerator are not owned and must outlive this object.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "model/body_part_catalogue.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "select/part_list.h"

namespace bw {

class PartSelection {
  public:
    PartSelection(Creature& creature, const FileEnumerator& files)
        : creature_(creature), files_(files) {}

    // Row i's list; every row needs one before any other call. Null rows are skipped.
    void SetList(BodyPartId i, PartList* list);
    PartList* List(BodyPartId i) const;
    // Called after every change the creature shows (the preview repaints).
    void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    // Tells whether symmetry is on; when it is, SelectPart copies choices to the mirror part.
    void SetSymmetryQuery(std::function<bool()> symmetryOn) { symmetryOn_ = std::move(symmetryOn); }
    // Called by SelectPart with the row to mirror while symmetry is on.
    void SetMirror(std::function<void(BodyPartId)> mirror) { mirror_ = std::move(mirror); }

    void SetObjectDirectory(const std::string& directory) { objectDirectory_ = directory; }
    const std::string& ObjectDirectory() const { return objectDirectory_; }

    // Fills every list with its body part's files (" (none) " first, "No Files" when there are
    // none) and shows entry 0. The creature and chosenSelection are not touched.
    void FillPartLists();
    // The same after a change of the object directory.
    void ResetPartLists();

    // Makes the creature match row i's current entry: entry 0 removes the body part, any other
    // entry loads "<object directory>/<body part>/<entry>" (load failures are shown by the
    // creature and the list keeps the entry). Then repaints. False only for an invalid row.
    bool ApplySelection(BodyPartId i);
    // ApplySelection, then records the entry as the user's choice, then mirrors it while
    // symmetry is on and the body part has a mirror other than itself.
    bool SelectPart(BodyPartId i);
    // Moves row i by `step` entries (-1 towards entry 0, +1 towards the last), clamped at both
    // ends (no wrapping), and selects the result. Returns the entry now shown; -1 for an
    // invalid row.
    int StepSelection(BodyPartId i, int step);
    // chosenSelection := every list's current entry (0 for a missing list).
    void RememberSelections();

    // The object file of row i's entry `index`: "<object directory>/<body part>/<entry>";
    // empty for entry 0 (" (none) "), an entry out of range or an invalid row.
    std::string EntryPath(BodyPartId i, int index) const;

    int ChosenSelection(BodyPartId i) const;
    void SetChosenSelection(BodyPartId i, int index);
    Creature& GetCreature() const { return creature_; }
    void Repaint() const;

  private:
    Creature& creature_;
    const FileEnumerator& files_;
    std::string objectDirectory_;
    std::array<PartList*, kBodyPartCount> lists_{};
    std::array<int, kBodyPartCount> chosenSelection_{};
    std::function<void()> repaint_;
    std::function<bool()> symmetryOn_;
    std::function<void(BodyPartId)> mirror_;
};

// The body part a body part mirrors onto ("Left ear" <-> "Right ear"); itself for the head,
// nose, mouth, neck, upper body and stomach; -1 for an invalid id.
BodyPartId MirrorBodyPart(BodyPartId id);

}  // namespace bw
