// What symmetry took: every body part's part as it was before "On", kept in memory, and the part
// symmetry left in each body part, so that "Off" gives back, bit for bit and without reading a
// file, every part that symmetry replaced and the user has not touched since.
//
// Ownership: refers to the PartSelection (and through it the Creature), which outlive it.
#pragma once

#include <array>
#include <memory>

#include "model/body_part_catalogue.h"
#include "model/mesh_pool.h"
#include "model/part_snapshot.h"
#include "select/part_selection.h"

namespace bw {

class SymmetryMemory {
  public:
    explicit SymmetryMemory(PartSelection& selection) : selection_(selection) {}

    // Keeps every body part's part and list entry as they are (symmetry is about to go on).
    // When memory runs out nothing is kept, and GiveBack falls back to the files.
    void KeepBefore();
    // Notes the parts as symmetry left them (after each mirroring).
    void NotePlaced();
    // Symmetry off: every body part whose list shows another entry than its own last choice
    // gets its own choice back: from memory when the part there is still the one symmetry
    // left and the kept part is that choice, else loaded from its file as the list would.
    // Parts the user chose or changed while symmetry was on stay as they are.
    void GiveBack();

  private:
    struct Kept {
        std::shared_ptr<const PartSnapshot> before;  // null: no part before
        int entryBefore = -1;
        bool valid = false;
        const PartObject* placed = nullptr;  // the part symmetry left, compared by identity
        PartAdjustments placedAdjustments;
    };
    PartObject* PartOf(BodyPartId bodyPart) const;

    PartSelection& selection_;
    MeshPool pool_;
    std::array<Kept, kBodyPartCount> kept_{};
};

}  // namespace bw
