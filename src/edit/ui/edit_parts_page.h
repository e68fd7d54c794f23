// The "Edit Parts" tab page: the Object list with its spin control, "Clear current settings",
// and the X, Y, Z and taper groups (lock radios, Value, Slider Step, Adjust bar). Every event
// of a control is forwarded to a PartAdjustmentEditor, which changes the selected part; the
// page then shows the editor's View(). Value and Slider Step edits are read when they lose the
// keyboard focus.
//
// Ownership: the page is a Qt child of the tab strip and owns its controls and its editor. It
// refers to the Creature, which the main dialog owns and which outlives it. `repaint` asks the
// preview to redraw. Positions are dialog units converted to logical pixels (y down) from the
// page's font.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "edit/adjustment_group.h"
#include "edit/part_adjustment_editor.h"
#include "edit/ui/pose_group.h"
#include "model/creature.h"
#include "model/step_listener.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace bw {

class SpinButton;

class EditPartsPage : public QWidget {
    Q_OBJECT

  public:
    EditPartsPage(Creature& creature, std::function<void()> repaint, QWidget* parent = nullptr);
    ~EditPartsPage() override;

    const PartAdjustmentEditor& Editor() const { return editor_; }
    // Hears each change of a part as one step: a drag of an Adjust thumb from press to
    // release, a click on an arrow or in the trough (clicks in a row on one bar merge), a Value
    // or Slider Step read, a lock radio, "Clear current settings". Not owned; null for none.
    void SetStepListener(StepListener* listener);
    // The pose the Pose group turns (not owned; null disables it).
    void SetCreaturePose(CreaturePose* pose);
    PoseGroup* Pose() const { return pose_; }
    // Shows Object entry `entry` and its part's settings (a step undone).
    void ShowEntry(int entry);
    // Shows the settings of the part now in the chosen body part (or the no-part state): the
    // creature changed elsewhere, and no field may keep a value of a part that is gone. Done
    // each time the page is shown, and by the owner after a command while it is shown.
    void Refresh() { ShowEntry(editor_.View().entry); }

    QComboBox* ObjectList() const { return objectList_; }
    SpinButton* ObjectSpin() const { return objectSpin_; }
    QPushButton* ClearButton() const { return clearButton_; }
    // Lock radio `lock` (0 None, 1 Positive or Left/Bottom, 2 Negative or Right/Top).
    QPushButton* LockButton(AdjustGroup group, int lock) const;
    QLineEdit* ValueEdit(AdjustGroup group) const;
    QLineEdit* StepEdit(AdjustGroup group) const;
    QScrollBar* AdjustBar(AdjustGroup group) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Reads a Value or Slider Step edit into the part; false when `watched` is none of them.
    bool ReadEdit(QObject* watched);

  private:
    struct GroupControls {
        QGroupBox* box = nullptr;
        std::array<QPushButton*, kLockCount> locks{};
        QLineEdit* value = nullptr;
        QLineEdit* step = nullptr;
        QScrollBar* adjust = nullptr;
        QButtonGroup* exclusive = nullptr;  // the taper's lock radios only
    };

    void BuildScrollArea();
    void BuildObjectRow();
    void BuildPoseGroup(std::function<void()> repaint);
    void BuildGroup(AdjustGroup group, int top);
    // The parts of a group's box, left to right and top to bottom.
    void BuildLockButtons(AdjustGroup group, GroupControls& c);
    void BuildNumberFields(AdjustGroup group, GroupControls& c);
    void BuildAdjustBar(AdjustGroup group, GroupControls& c);
    void BuildAxisRadios(GroupControls& c);
    // A label at `place` in the group's box, naming `buddy` for the keyboard.
    static void AddLabel(GroupControls& c, const char* text, QRect place, QWidget* buddy);
    void OnAdjustAction(AdjustGroup group, int action);
    // Shows the editor's View() in the controls, without any control reporting it as an event.
    void ShowView();

    PartAdjustmentEditor editor_;
    QWidget* content_ = nullptr;  // in the scroll area: every control of the page
    PoseGroup* pose_ = nullptr;
    NoStepListener noSteps_;
    StepListener* steps_ = &noSteps_;
    QComboBox* objectList_ = nullptr;
    SpinButton* objectSpin_ = nullptr;
    std::array<QPushButton*, 2> previousNext_{};  // "<", ">": hidden, the spin stands for them
    QPushButton* clearButton_ = nullptr;
    std::array<GroupControls, kAdjustGroupCount> groups_{};
    std::array<QRadioButton*, 3> axisRadios_{};  // hidden: the taper axis is not edited here
};

}  // namespace bw
