// The assembled creature: at most one PartObject per body part, connected at their matching
// connection sets, plus the preview state that the view, the drawing and the pages share.
//
// Adding a part replaces any part of the same body part, moves the new part onto its parent's
// matching set, carries the parts hanging off it along, and welds every meeting pair of sets.
// Failures are reported through the Notifier (warning icon, OK button, the file path or the
// counts as text, the failing step as caption) and leave no half-added part behind.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/body_part_catalogue.h"
#include "model/list_node.h"
#include "model/notifier.h"
#include "model/object_list.h"
#include "model/part_object.h"
#include "model/shading_mode.h"

namespace bw {

class Creature : public ListNode {
  public:
    explicit Creature(Notifier& notifier) : notifier_(notifier) {}
    ~Creature() override = default;

    // Loads the object file at `path` as the part of the body part with catalogue name `name`
    // and id `bodyPart`, and connects it. False when the file could not be loaded (message
    // shown), when it could not be connected (message shown; a replaced part is already gone)
    // or when `name` is no catalogue name (no message).
    bool AddPart(const std::string& name, const std::string& path, BodyPartId bodyPart);
    // Why the last AddPart that returned false failed, beyond what its message says: the
    // path it was given and the reader's reason (or why the part did not fit). Front ends that
    // can show more than a message box (the command-line tool) report it; both are empty until
    // an add fails, and the next successful add empties them again.
    struct AddFailure {
        std::string path;
        std::string reason;
    };
    const AddFailure& LastAddFailure() const { return lastAddFailure_; }
    // Removes and destroys the first part whose typeName equals `name`; false when none does.
    bool RemovePart(const std::string& name);

    // Replaces every part by `parts`, in their order, as they are: nothing is moved or welded.
    // Each takes the creature's pan; null entries are skipped.
    void ReplaceParts(std::vector<std::unique_ptr<PartObject>> parts);

    // Moves the chains of parts hanging off `part` so that each direct neighbour's set lands on
    // the part's matching set. False after a count mismatch (message shown); a part not yet in
    // the creature is then destroyed.
    bool MoveAttachedParts(PartObject* part);
    // Welds every set of `part` with the matching set of its present neighbours, then the nose
    // with the mouth. A count mismatch is reported and stops the welding of later sets.
    bool WeldConnections(PartObject* part);

    // Recomputes the part's transformed points from its base points and adjustments, then
    // re-attaches and re-welds its neighbours. `part` must be one of this creature's parts.
    void ApplyAdjustments(PartObject* part);
    // Clears every highlight and highlights the first part of the body part; nullptr if none.
    PartObject* FindPartForEdit(BodyPartId bodyPart);
    void ClearHighlights();

    void PropagatePan();
    void ResetPan();
    void ResetRotation();
    void ResetView();

    // The parts in the order they were added; the index is always current.
    const ObjectList& Parts() const { return parts_; }
    int PartCount() const { return parts_.Count(); }
    PartObject* Part(int i) const {
        return i >= 0 && i < parts_.Count() ? parts_.IndexedAs<PartObject>(i) : nullptr;
    }
    // The last part (in list order) of a type code, or nullptr.
    PartObject* PartOfTypeCode(TypeCode code) const;
    Notifier& GetNotifier() const { return notifier_; }
    // While set, the creature's own messages (a part that cannot be added or connected) go to
    // `notifier` instead, as a load's MessageLimiter needs; nullptr ends that.
    void RouteMessagesTo(Notifier* notifier) { route_ = notifier; }

    float lightLevel = 0.0f;
    ShadingMode shadingMode = ShadingMode::Smooth;
    float pitch = 0.0f;  // radians, about X
    float yaw = 0.0f;    // radians, about Y
    float panX = 0.0f;
    float panY = 0.0f;
    std::array<float, 3> wireColour{0.8f, 0.8f, 0.8f};

  private:
    // One present neighbour of a part being connected.
    struct NeighbourRecord {
        int ownSet;  // 1-based
        int rank;
        int index;  // list index of the neighbour
        int neighbourSet;
    };

    bool ConnectPart(PartObject* part);
    // Moves `part` so its set meets the neighbour's matching set; false, with the message
    // shown, when the two sets differ in size.
    bool MoveOntoNeighbour(PartObject& part, const NeighbourRecord& record);
    bool WeldNoseMouth();
    void Warn(const std::string& text, const std::string& caption);
    bool IsInCreature(const PartObject* part) const;
    void AppendPart(PartObject* part);

    Notifier& notifier_;
    Notifier* route_ = nullptr;
    ObjectList parts_;
    AddFailure lastAddFailure_;
};

}  // namespace bw
