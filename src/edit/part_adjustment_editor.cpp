#include "edit/part_adjustment_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "edit/edit_number.h"
#include "model/body_part_catalogue.h"

namespace bw {

std::optional<BodyPartId> BodyPartOfEntry(int entry) {
    if (!IsValidBodyPartId(entry - 1)) return std::nullopt;
    return entry - 1;
}

int EntryOfBodyPart(std::optional<BodyPartId> part) {
    return part && IsValidBodyPartId(*part) ? *part + 1 : 0;
}
namespace {

int ClampToBar(std::int64_t position) {
    return static_cast<int>(std::clamp<std::int64_t>(position, PartAdjustmentEditor::kBarMinimum,
                                                     PartAdjustmentEditor::kBarMaximum));
}

// Stored positions may lie anywhere in the 32-bit range (repeated arrow clicks past the bar's
// end, project files); a step beyond it stays at its end instead of wrapping.
std::int32_t SaturatedPosition(std::int64_t position) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(position, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

// A value that has left the float range stays at its largest finite value.
float FiniteValue(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(value)) return 0.0f;
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

}  // namespace

PartAdjustmentEditor::PartAdjustmentEditor(Creature& creature, std::function<void()> repaint)
    : creature_(creature), repaint_(std::move(repaint)) {
    EnterNoPartState();
}

void PartAdjustmentEditor::SelectEntry(int entry) {
    view_.entry = std::clamp(entry, 0, kEntryCount - 1);
    ShowSelectedPart();
}

void PartAdjustmentEditor::StepEntry(int step) { SelectEntry(view_.entry + (step > 0 ? 1 : -1)); }

void PartAdjustmentEditor::SpinStep(int change) { StepEntry(change > 0 ? 1 : -1); }

PartObject* PartAdjustmentEditor::SelectedPart() {
    if (view_.entry <= 0) return nullptr;
    return creature_.FindPartForEdit(view_.entry - 1);
}

void PartAdjustmentEditor::ShowSelectedPart() {
    PartObject* part = SelectedPart();
    if (!part) {
        ShowNoPart();
        return;
    }
    ShowAllGroups(*part);
    Repaint();
}

void PartAdjustmentEditor::ShowNoPart() {
    creature_.ClearHighlights();
    EnterNoPartState();
    Repaint();
}

void PartAdjustmentEditor::ShowAllGroups(PartObject& part) {
    view_.partControlsEnabled = true;
    for (AdjustGroup group : kAdjustGroups) {
        AdjustGroupView& shown = view_.groups[GroupIndex(group)];
        shown.lock = GroupLock(part.adjustments, group);
        shown.stepText = FormatEditNumber(GroupStep(part.adjustments, group));
        ShowGroup(part, group);
    }
}

void PartAdjustmentEditor::ShowGroup(PartObject& part, AdjustGroup group) {
    AdjustGroupView& shown = view_.groups[GroupIndex(group)];
    const int lock = GroupLock(part.adjustments, group);
    shown.barPosition = ClampToBar(GroupPosition(part.adjustments, group, lock));
    shown.valueText = FormatEditNumber(GroupValue(part.adjustments, group, lock));
}

void PartAdjustmentEditor::EnterNoPartState() {
    view_.partControlsEnabled = false;
    for (AdjustGroupView& shown : view_.groups) {
        shown.valueText = "0.0";
        shown.stepText = "0.01";
        shown.barPosition = 0;
    }
    // The X, Y and Z radios keep their checks; the taper's and the axis's go back to the first.
    view_.groups[GroupIndex(AdjustGroup::Taper)].lock = 0;
    view_.axisRadio = 0;
}

void PartAdjustmentEditor::ClickLock(AdjustGroup group, int lock) {
    if (!IsValidAdjustGroup(group) || !IsValidLock(lock)) return;
    view_.groups[GroupIndex(group)].lock = lock;
    PartObject* part = SelectedPart();
    if (!part) return;
    SetGroupLock(part->adjustments, group, lock);
    ShowGroup(*part, group);
}

void PartAdjustmentEditor::Adjust(AdjustGroup group, AdjustAction action, int thumbPosition) {
    if (!IsValidAdjustGroup(group)) return;
    PartObject* part = SelectedPart();
    if (!part) return;
    PartAdjustments& a = part->adjustments;
    const int lock = GroupLock(a, group);
    std::int32_t& position = GroupPosition(a, group, lock);
    float& value = GroupValue(a, group, lock);

    const std::int64_t old = position;
    std::int64_t moved = old;
    switch (action) {
        case AdjustAction::LineLeft:
            moved = old - kLineStep;
            break;
        case AdjustAction::LineRight:
            moved = old + kLineStep;
            break;
        case AdjustAction::PageLeft:
            moved = old - kPageStep;
            break;
        case AdjustAction::PageRight:
            moved = old + kPageStep;
            break;
        case AdjustAction::ThumbTrack:
            moved = ClampToBar(thumbPosition);
            break;
        case AdjustAction::Other:
            break;
    }
    const std::int32_t stored = SaturatedPosition(moved);
    const double changed =
        double(value) + double(old - std::int64_t(stored)) * double(GroupStep(a, group));

    AdjustGroupView& shown = view_.groups[GroupIndex(group)];
    shown.barPosition = ClampToBar(stored);
    position = stored;
    value = FiniteValue(changed);
    shown.valueText = FormatEditNumber(value);
    creature_.ApplyAdjustments(part);
    Repaint();
}

void PartAdjustmentEditor::EditValue(AdjustGroup group, std::string_view text) {
    if (!IsValidAdjustGroup(group)) return;
    view_.groups[GroupIndex(group)].valueText = std::string(text);
    PartObject* part = SelectedPart();
    if (!part) return;
    const int lock = GroupLock(part->adjustments, group);
    GroupValue(part->adjustments, group, lock) = ReadEditNumber(text);
    creature_.ApplyAdjustments(part);
    Repaint();
}

void PartAdjustmentEditor::EditStep(AdjustGroup group, std::string_view text) {
    if (!IsValidAdjustGroup(group)) return;
    view_.groups[GroupIndex(group)].stepText = std::string(text);
    PartObject* part = SelectedPart();
    if (!part) return;
    GroupStep(part->adjustments, group) = ReadEditNumber(text);
}

void PartAdjustmentEditor::ClearCurrentSettings() {
    PartObject* part = SelectedPart();
    if (!part) {
        ShowNoPart();
        return;
    }
    part->ResetAdjustments();
    if (const auto axis = TaperAxisOfBodyPart(part->bodyPart))
        part->adjustments.taperAxis = axis->FileValue();
    ShowAllGroups(*part);
    part->highlight = 1;
    creature_.ApplyAdjustments(part);
    Repaint();
}

void PartAdjustmentEditor::Repaint() const {
    if (repaint_) repaint_();
}

}  // namespace bw
