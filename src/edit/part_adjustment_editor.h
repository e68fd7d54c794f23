// The event logic of the Edit Parts page, without widgets. The page forwards every event of its
// controls here and then shows View(): which controls are enabled, the checked lock radios, the
// texts of the Value and Slider Step edits and the positions of the Adjust bars.
//
// The editor holds no adjustment data of its own: at every event it finds the part being edited
// anew with Creature::FindPartForEdit (which also highlights it) and reads and changes that
// part's PartAdjustments. What it shows is refreshed only by its own events, never when the
// creature changes elsewhere; re-selecting the Object entry shows the current part.
//
// Adjust bars are relative: an event moves the group's stored position (per lock, unclamped)
// and changes the group's value by (old - new) * step, so moving right lowers the value. The
// bar itself shows the position clamped to kBarMinimum..kBarMaximum.
//
// The Creature is not owned and must outlive the editor. `repaint` is called wherever the
// preview must be redrawn (after every change of a part's points and every change of the
// highlighted part).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "edit/adjustment_group.h"
#include "model/creature.h"

namespace bw {

enum class AdjustAction {
    LineLeft,    // arrow left: position - 1
    LineRight,   // arrow right: position + 1
    PageLeft,    // trough left of the thumb: position - 4
    PageRight,   // trough right of the thumb: position + 4
    ThumbTrack,  // thumb dragged to the reported position
    Other        // thumb released, end of scrolling, to the start or end: position unchanged
};

// What one group's controls show.
struct AdjustGroupView {
    int lock = 0;  // the checked lock radio
    std::string valueText = "0.0";
    std::string stepText = "0.01";
    int barPosition = 0;  // kBarMinimum..kBarMaximum
};

struct EditPartsView {
    int entry = 0;  // Object list: 0 "(none)", entry i the body part with BodyPartId i - 1
    // True while a part is selected: every control enabled. False (no-part state): only the
    // Object list, its spin, "Clear current settings" and the X, Y and Z "None" radios are.
    bool partControlsEnabled = false;
    std::array<AdjustGroupView, kAdjustGroupCount> groups;
    int axisRadio = 0;  // the hidden taper-axis radio checked: 0 X
};

// The body part an Object list entry shows, none for "(none)" and entries out of range; and
// the entry that shows a body part ("(none)" for none).
std::optional<BodyPartId> BodyPartOfEntry(int entry);
int EntryOfBodyPart(std::optional<BodyPartId> part);

class PartAdjustmentEditor {
  public:
    static constexpr int kEntryCount = 23;  // "(none)" and the 22 body parts
    static constexpr int kBarMinimum = -50;
    static constexpr int kBarMaximum = 50;
    static constexpr int kLineStep = 1;
    static constexpr int kPageStep = 4;

    // Starts on "(none)" in the no-part state.
    PartAdjustmentEditor(Creature& creature, std::function<void()> repaint);

    const EditPartsView& View() const { return view_; }

    // A selection in the Object list (entry clamped to 0..22), then the part is shown.
    void SelectEntry(int entry);
    // "<" (-1) and ">" (+1): the neighbouring entry, clamped to 0..22, then shown.
    void StepEntry(int step);
    // The spin control: a positive change acts as ">", any other as "<".
    void SpinStep(int change);
    // A lock radio of `group` clicked: it becomes the checked one; with a part selected the
    // lock is stored and the group's value and position under it are shown. Does not change
    // the part's points. Invalid groups and locks are ignored.
    void ClickLock(AdjustGroup group, int lock);
    // An Adjust bar event. `thumbPosition` is used by ThumbTrack only (clamped to the bar's
    // range). Nothing happens without a part.
    void Adjust(AdjustGroup group, AdjustAction action, int thumbPosition = 0);
    // A Value edit lost the focus holding `text`: the number is stored under the group's lock
    // and the part recomputed; the edit keeps its text and the bar its position.
    void EditValue(AdjustGroup group, std::string_view text);
    // A Slider Step edit lost the focus holding `text`: the number becomes the group's step.
    void EditStep(AdjustGroup group, std::string_view text);
    // "Clear current settings": the part's adjustments back to those of a freshly added part
    // (the body part's own taper axis kept, so a later taper value still tapers), shown and
    // applied.
    void ClearCurrentSettings();

  private:
    PartObject* SelectedPart();
    void ShowSelectedPart();
    void EnterNoPartState();
    // No part chosen: highlights cleared, the no-part state shown, the preview repainted.
    void ShowNoPart();
    // Every group's lock, step, bar and value from `part`, the part controls enabled.
    void ShowAllGroups(PartObject& part);
    void ShowGroup(PartObject& part, AdjustGroup group);
    void Repaint() const;

    Creature& creature_;
    std::function<void()> repaint_;
    EditPartsView view_;
};

}  // namespace bw
