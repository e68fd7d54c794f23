#include "edit/ui/pose_group.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <cmath>

#include "ui/dialog_units.h"
#include "ui/field_commit.h"

namespace bw {
namespace {

constexpr std::array<const char*, PoseGroup::kAngleCount> kAngleNames{"Bend", "Side", "Twist"};

float& AngleOf(JointRotation& rotation, int k) {
    return k == 0 ? rotation.bend : (k == 1 ? rotation.side : rotation.twist);
}

QString AngleText(float degrees) { return QString::number(double(degrees), 'g', 6); }

}  // namespace

PoseGroup::PoseGroup(std::function<void()> repaint, QWidget* parent)
    : QGroupBox("Pose", parent), repaint_(std::move(repaint)) {
    setAccessibleName("Pose");
    for (int k = 0; k < kAngleCount; ++k) BuildAngleRow(k, 11 + 14 * k);
    const DialogUnits du(font());
    restPose_ = new QPushButton("Rest Pose", this);
    restPose_->setGeometry(du.Rect(7, 54, 60, 13));
    restPose_->setAccessibleName("Rest Pose");
    connect(restPose_, &QPushButton::clicked, this, [this] { RestPose(); });
    showSkeleton_ = new QCheckBox("Show skeleton", this);
    showSkeleton_->setGeometry(du.Rect(80, 55, 80, 11));
    showSkeleton_->setAccessibleName("Show skeleton");
    connect(showSkeleton_, &QCheckBox::toggled, this, &PoseGroup::ShowSkeletonToggled);
    ShowBodyPart(std::nullopt);
}

void PoseGroup::BuildAngleRow(int k, int top) {
    const DialogUnits du(font());
    AngleControls& c = angles_[std::size_t(k)];
    auto* label = new QLabel(kAngleNames[std::size_t(k)], this);
    label->setGeometry(du.Rect(7, top + 2, 25, 8));
    c.slider = new QSlider(Qt::Horizontal, this);
    c.slider->setGeometry(du.Rect(33, top, 130, 11));
    c.slider->setRange(int(-kMaxJointAngle), int(kMaxJointAngle));
    c.slider->setPageStep(15);
    c.slider->setAccessibleName(kAngleNames[std::size_t(k)]);
    label->setBuddy(c.slider);
    c.field = new QLineEdit(this);
    c.field->setGeometry(du.Rect(167, top, 32, 12));
    c.field->setAccessibleName(QString(kAngleNames[std::size_t(k)]) + " degrees");
    c.field->installEventFilter(this);
    // A drag is one step from press to release; a key or a click in the groove is one step.
    connect(c.slider, &QSlider::sliderPressed, this, [this] { steps_->StepBegins(); });
    connect(c.slider, &QSlider::sliderReleased, this, [this] { steps_->StepEnds(); });
    connect(c.slider, &QSlider::valueChanged, this, [this, k](int value) {
        if (angles_[std::size_t(k)].slider->isSliderDown()) {
            SetAngle(k, float(value));
            return;
        }
        const ScopedStep step(*steps_);
        SetAngle(k, float(value));
    });
}

void PoseGroup::SetCreaturePose(CreaturePose* pose) {
    pose_ = pose;
    ShowBodyPart(bodyPart_);
}

void PoseGroup::ShowBodyPart(std::optional<BodyPartId> bodyPart) {
    bodyPart_ = bodyPart && IsValidBodyPartId(*bodyPart) ? bodyPart : std::nullopt;
    const bool enabled = pose_ && bodyPart_;
    for (const AngleControls& c : angles_) {
        c.slider->setEnabled(enabled);
        c.field->setEnabled(enabled);
    }
    restPose_->setEnabled(pose_ != nullptr);
    ShowAngles();
}

void PoseGroup::ShowAngles() {
    JointRotation rotation;
    if (pose_ && bodyPart_) rotation = pose_->GetPose().Rotation(*bodyPart_);
    for (int k = 0; k < kAngleCount; ++k) {
        const AngleControls& c = angles_[std::size_t(k)];
        const float degrees = AngleOf(rotation, k);
        const QSignalBlocker blocker(c.slider);
        c.slider->setValue(int(std::lround(degrees)));
        c.field->setText(AngleText(degrees));
    }
}

bool PoseGroup::SetAngle(int k, float degrees) {
    if (!pose_ || !bodyPart_) return false;
    JointRotation rotation = pose_->GetPose().Rotation(*bodyPart_);
    AngleOf(rotation, k) = degrees;
    if (!pose_->SetRotation(*bodyPart_, rotation)) return false;
    angles_[std::size_t(k)].field->setText(AngleText(degrees));
    if (repaint_) repaint_();
    return true;
}

bool PoseGroup::ReadField(QObject* watched) {
    for (int k = 0; k < kAngleCount; ++k) {
        if (watched != angles_[std::size_t(k)].field) continue;
        bool ok = false;
        const float degrees = angles_[std::size_t(k)].field->text().trimmed().toFloat(&ok);
        if (ok && std::isfinite(degrees) && std::fabs(degrees) <= kMaxJointAngle) {
            const ScopedStep step(*steps_);
            SetAngle(k, degrees);
        }
        ShowAngles();  // a number out of range or no number shows the angle as it is
        return true;
    }
    return false;
}

void PoseGroup::RestPose() {
    if (!pose_) return;
    {
        const ScopedStep step(*steps_);
        pose_->SetPose(Pose{});
    }
    ShowAngles();
    if (repaint_) repaint_();
}

bool PoseGroup::eventFilter(QObject* watched, QEvent* event) {
    if (TakeFieldOnCommit(event, [this, watched] { return ReadField(watched); })) return true;
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace bw
