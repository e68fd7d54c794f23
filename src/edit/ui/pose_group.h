// The "Pose" group of the Edit Parts page: how far the joint of the part being edited turns
// ("Bend", "Side" and "Twist", each a slider with a number field, -180 to 180 degrees), "Rest
// Pose" (every joint back to zero) and "Show skeleton".
//
// One slider drag (press to release), one slider key or click, one number read and "Rest
// Pose" are one step each. The pose and the creature are not owned; the pose may be null (the
// group is then disabled). `repaint` asks the preview for a frame.
#pragma once

#include <QGroupBox>
#include <array>
#include <functional>
#include <optional>

#include "model/body_part_catalogue.h"
#include "model/step_listener.h"
#include "rig/creature_pose.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace bw {

class PoseGroup : public QGroupBox {
    Q_OBJECT

  public:
    static constexpr int kAngleCount = 3;  // bend, side, twist

    PoseGroup(std::function<void()> repaint, QWidget* parent);

    void SetCreaturePose(CreaturePose* pose);
    void SetStepListener(StepListener* steps) { steps_ = steps; }
    // The body part whose joint the sliders turn; none disables them.
    void ShowBodyPart(std::optional<BodyPartId> bodyPart);
    // Shows the pose's angles of the body part again (a step undone, a pose loaded).
    void ShowAngles();

    QSlider* AngleSlider(int k) const { return angles_[std::size_t(k)].slider; }
    QLineEdit* AngleField(int k) const { return angles_[std::size_t(k)].field; }
    QPushButton* RestPoseButton() const { return restPose_; }
    QCheckBox* ShowSkeletonBox() const { return showSkeleton_; }

  signals:
    void ShowSkeletonToggled(bool show);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct AngleControls {
        QSlider* slider = nullptr;
        QLineEdit* field = nullptr;
    };

    void BuildAngleRow(int k, int top);
    // Turns the joint so angle `k` is `degrees`; false when nothing changed.
    bool SetAngle(int k, float degrees);
    // Reads the number field of angle `k`; false when `watched` is no field.
    bool ReadField(QObject* watched);
    void RestPose();

    std::function<void()> repaint_;
    CreaturePose* pose_ = nullptr;
    NoStepListener noSteps_;
    StepListener* steps_ = &noSteps_;
    std::optional<BodyPartId> bodyPart_;
    std::array<AngleControls, kAngleCount> angles_{};
    QPushButton* restPose_ = nullptr;
    QCheckBox* showSkeleton_ = nullptr;
};

}  // namespace bw
