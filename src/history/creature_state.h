// Everything a step of the user can change, as a value: the creature's parts in list order
// (each a PartSnapshot, shared with the states before wherever the part did not change), what
// each Select Parts list shows and the user's last choice in it, the symmetry state and the
// part being edited. Camera, shading, preferences and the converter are not part of it.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "model/body_part_catalogue.h"
#include "model/creature.h"
#include "model/mesh_pool.h"
#include "model/part_snapshot.h"
#include "rig/creature_pose.h"
#include "rig/pose.h"
#include "select/part_selection.h"
#include "select/symmetry_group.h"
#include "select/symmetry_state.h"

namespace bw {

struct CreatureState {
    std::vector<std::shared_ptr<const PartSnapshot>> parts;  // in the creature's list order
    std::array<int, kBodyPartCount> listEntries{};           // the entry each list shows
    std::array<int, kBodyPartCount> chosenSelection{};
    bool symmetryOn = false;
    SymmetryDirections symmetryDirections{SymmetryDirection::Right, SymmetryDirection::Right,
                                          SymmetryDirection::Right};
    std::optional<BodyPartId> editedPart;
    Pose pose;  // the pose the creature is shown in  // the part the Edit Parts page shows, if any

    // The same state: the same part snapshots (shared, not merely equal) and equal values.
    friend bool operator==(const CreatureState&, const CreatureState&) = default;
};

// What the lists, the symmetry box and the Edit Parts page stand on.
struct CreatureStateSources {
    Creature& creature;
    PartSelection& selection;
    SymmetryState& symmetry;
    CreaturePose* pose = nullptr;  // none: the state keeps the rest pose
};

// The state as it is now, sharing every part that matches its snapshot in `previous` (may be
// null) and the meshes `pool` keeps. Throws std::bad_alloc when memory runs out.
CreatureState CaptureCreatureState(const CreatureStateSources& sources,
                                   std::optional<BodyPartId> editedPart,
                                   const CreatureState* previous, MeshPool& pool);

// Puts `state` back: the parts, bit for bit, without moving or welding anything, the lists'
// entries and chosen selections, and the symmetry state (nothing is mirrored). False, with
// nothing changed, when memory runs out. The part the Edit Parts page shows is the caller's to
// show.
bool RestoreCreatureState(const CreatureState& state, const CreatureStateSources& targets);

}  // namespace bw
