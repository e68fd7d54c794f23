#include "edit/ui/edit_parts_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/body_part_catalogue.h"
#include "ui/current_entry_combo_box.h"
#include "ui/dialog_units.h"
#include "ui/field_commit.h"
#include "ui/spin_button.h"

namespace bw {
namespace {

constexpr const char* kGroupTitles[kAdjustGroupCount] = {"X Parameters", "Y Parameters",
                                                         "Z Parameters", "Taper"};
// The short name that prefixes the accessible names of a group's edits and bar.
constexpr const char* kGroupNames[kAdjustGroupCount] = {"X", "Y", "Z", "Taper"};
constexpr const char* kScaleLockTexts[kLockCount] = {"None", "Positive", "Negative"};
constexpr const char* kTaperLockTexts[kLockCount] = {"None", "Left/Bottom", "Right/Top"};

// Layout in dialog units. Each group box is kGroupWidth x kGroupHeight, its controls placed
// relative to it; the boxes stack below the Object row and the clear button.
constexpr int kMargin = 5;
constexpr int kGroupTop = 40;
constexpr int kGroupWidth = 206;
constexpr int kGroupHeight = 66;
constexpr int kGroupPitch = 70;
constexpr int kPoseTop = kGroupTop + 4 * kGroupPitch;
constexpr int kPoseHeight = 72;

AdjustAction ActionOf(int sliderAction) {
    switch (sliderAction) {
        case QAbstractSlider::SliderSingleStepSub:
            return AdjustAction::LineLeft;
        case QAbstractSlider::SliderSingleStepAdd:
            return AdjustAction::LineRight;
        case QAbstractSlider::SliderPageStepSub:
            return AdjustAction::PageLeft;
        case QAbstractSlider::SliderPageStepAdd:
            return AdjustAction::PageRight;
        case QAbstractSlider::SliderMove:
            return AdjustAction::ThumbTrack;
        default:
            return AdjustAction::Other;  // to the start or end, no action
    }
}

void SetTextIfChanged(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) edit->setText(shown);
}

}  // namespace

EditPartsPage::EditPartsPage(Creature& creature, std::function<void()> repaint, QWidget* parent)
    : QWidget(parent), editor_(creature, repaint) {
    setAccessibleName("Edit Parts");
    BuildScrollArea();
    BuildObjectRow();
    for (AdjustGroup g : kAdjustGroups)
        BuildGroup(g, kGroupTop + kGroupPitch * static_cast<int>(g));
    BuildPoseGroup(std::move(repaint));
    ShowView();
}

EditPartsPage::~EditPartsPage() = default;

void EditPartsPage::BuildScrollArea() {
    // The groups are taller than the page: they scroll, the page keeps its size.
    const DialogUnits du(font());
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setAccessibleName("Edit Parts controls");
    content_ = new QWidget;
    content_->setFixedSize(du.X(kGroupWidth + 2 * kMargin), du.Y(kPoseTop + kPoseHeight + kMargin));
    scroll->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void EditPartsPage::BuildPoseGroup(std::function<void()> repaint) {
    const DialogUnits du(font());
    pose_ = new PoseGroup(std::move(repaint), content_);
    pose_->setGeometry(du.Rect(kMargin, kPoseTop, kGroupWidth, kPoseHeight));
    pose_->SetStepListener(steps_);
}

void EditPartsPage::SetStepListener(StepListener* listener) {
    steps_ = listener ? listener : &noSteps_;
    if (pose_) pose_->SetStepListener(steps_);
}

void EditPartsPage::SetCreaturePose(CreaturePose* pose) { pose_->SetCreaturePose(pose); }

void EditPartsPage::BuildObjectRow() {
    const DialogUnits du(font());
    auto* label = new QLabel("Object", content_);
    label->setGeometry(du.Rect(kMargin + 2, 7, 26, 8));

    // Opened, the list has the current body part under the pointer.
    objectList_ = new CurrentEntryComboBox(content_);
    objectList_->setGeometry(du.Rect(kMargin + 30, 5, 120, 13));
    objectList_->setEditable(false);
    objectList_->addItem("(none)");
    for (BodyPartId i = 0; i < kBodyPartCount; ++i)
        objectList_->addItem(QString::fromUtf8(BodyPartName(i).data(),
                                               static_cast<qsizetype>(BodyPartName(i).size())));
    objectList_->setAccessibleName("Object");
    // A screen reader hears a combo box's current text as its name; the description keeps it.
    objectList_->setAccessibleDescription("Object");
    label->setBuddy(objectList_);

    objectSpin_ = new SpinButton(content_);
    objectSpin_->setGeometry(du.Rect(kMargin + 150, 5, 10, 13));
    objectSpin_->setAccessibleName("Object step");

    const char* arrows[2] = {"<", ">"};
    for (int k = 0; k < 2; ++k) {
        auto* button = new QPushButton(arrows[k], content_);
        button->setGeometry(du.Rect(kMargin + 164 + 14 * k, 5, 12, 13));
        button->setAccessibleName(arrows[k]);
        button->setEnabled(false);
        button->hide();
        const int step = k == 0 ? -1 : 1;
        connect(button, &QPushButton::clicked, this, [this, step] {
            editor_.StepEntry(step);
            ShowView();
        });
        previousNext_[std::size_t(k)] = button;
    }

    clearButton_ = new QPushButton("Clear current settings", content_);
    clearButton_->setGeometry(du.Rect(kMargin + 2, 21, 100, 14));
    clearButton_->setAccessibleName("Clear current settings");

    connect(objectList_, &QComboBox::activated, this, [this](int index) {
        editor_.SelectEntry(index);
        ShowView();
    });
    connect(objectSpin_, &SpinButton::Stepped, this, [this](int change) {
        editor_.SpinStep(change);
        ShowView();
    });
    connect(clearButton_, &QPushButton::clicked, this, [this] {
        const ScopedStep step(*steps_);
        editor_.ClearCurrentSettings();
        ShowView();
    });
}

void EditPartsPage::BuildGroup(AdjustGroup group, int top) {
    const DialogUnits du(font());
    GroupControls& c = groups_[GroupIndex(group)];
    c.box = new QGroupBox(kGroupTitles[GroupIndex(group)], content_);
    c.box->setGeometry(du.Rect(kMargin, top, kGroupWidth, kGroupHeight));
    c.box->setAccessibleName(kGroupTitles[GroupIndex(group)]);
    BuildLockButtons(group, c);
    BuildNumberFields(group, c);
    BuildAdjustBar(group, c);
    if (group == AdjustGroup::Taper) BuildAxisRadios(c);
}

void EditPartsPage::BuildLockButtons(AdjustGroup group, GroupControls& c) {
    const DialogUnits du(font());
    const QString name = kGroupNames[GroupIndex(group)];
    const bool taper = group == AdjustGroup::Taper;
    if (taper) c.exclusive = new QButtonGroup(c.box);
    for (int lock = 0; lock < kLockCount; ++lock) {
        const QString text = taper ? kTaperLockTexts[lock] : kScaleLockTexts[lock];
        auto* button = new QPushButton(text, c.box);
        button->setGeometry(du.Rect(7 + 60 * lock, 11, 56, 13));
        button->setCheckable(true);
        // The taper's radios are automatic (one checked at a time); the page sets the checks
        // of the others itself.
        button->setAutoExclusive(false);
        if (taper) c.exclusive->addButton(button);
        button->setAccessibleName(text);
        button->setAccessibleDescription(name + " lock");
        connect(button, &QPushButton::clicked, this, [this, group, lock] {
            const ScopedStep step(*steps_);
            editor_.ClickLock(group, lock);
            ShowView();
        });
        c.locks[std::size_t(lock)] = button;
    }
}

void EditPartsPage::AddLabel(GroupControls& c, const char* text, QRect place, QWidget* buddy) {
    auto* label = new QLabel(text, c.box);
    label->setGeometry(place);
    label->setBuddy(buddy);
}

void EditPartsPage::BuildNumberFields(AdjustGroup group, GroupControls& c) {
    const DialogUnits du(font());
    const QString name = kGroupNames[GroupIndex(group)];
    c.value = new QLineEdit(c.box);
    c.value->setGeometry(du.Rect(33, 29, 60, 12));
    c.value->setAccessibleName(name + " Value");
    AddLabel(c, "Value", du.Rect(7, 31, 25, 8), c.value);
    c.step = new QLineEdit(c.box);
    c.step->setGeometry(du.Rect(141, 29, 58, 12));
    c.step->setAccessibleName(name + " Slider Step");
    AddLabel(c, "Slider Step", du.Rect(99, 31, 41, 8), c.step);
    for (QLineEdit* edit : {c.value, c.step}) edit->installEventFilter(this);
}

void EditPartsPage::BuildAdjustBar(AdjustGroup group, GroupControls& c) {
    const DialogUnits du(font());
    c.adjust = new QScrollBar(Qt::Horizontal, c.box);
    c.adjust->setGeometry(du.Rect(33, 46, 166, 11));
    c.adjust->setRange(PartAdjustmentEditor::kBarMinimum, PartAdjustmentEditor::kBarMaximum);
    c.adjust->setSingleStep(PartAdjustmentEditor::kLineStep);
    c.adjust->setPageStep(PartAdjustmentEditor::kPageStep);
    c.adjust->setAccessibleName(QString(kGroupNames[GroupIndex(group)]) + " Adjust");
    AddLabel(c, "Adjust", du.Rect(7, 48, 25, 8), c.adjust);
    connect(c.adjust, &QScrollBar::actionTriggered, this,
            [this, group](int action) { OnAdjustAction(group, action); });
    // A drag is one step from press to release; the moves in between are part of it.
    connect(c.adjust, &QScrollBar::sliderPressed, this, [this] { steps_->StepBegins(); });
    connect(c.adjust, &QScrollBar::sliderReleased, this, [this, group] {
        OnAdjustAction(group, QAbstractSlider::SliderNoAction);
        steps_->StepEnds();
    });
}

void EditPartsPage::BuildAxisRadios(GroupControls& c) {
    // The taper axis is the body part's own: its choice stays hidden.
    const DialogUnits du(font());
    auto* axisLabel = new QLabel("Axis", c.box);
    axisLabel->setGeometry(du.Rect(185, 2, 18, 8));
    axisLabel->hide();
    const char* axes[3] = {"X", "Y", "Z"};
    for (int k = 0; k < 3; ++k) {
        auto* radio = new QRadioButton(axes[k], c.box);
        radio->setGeometry(du.Rect(185, 11 + 10 * k, 18, 10));
        radio->setAccessibleName(QString("Axis ") + axes[k]);
        radio->hide();
        axisRadios_[std::size_t(k)] = radio;
    }
}

void EditPartsPage::OnAdjustAction(AdjustGroup group, int action) {
    // Clicks in a row on one bar are one step; inside a drag this step is part of the drag's.
    const ScopedStep step(*steps_, StepMergeKey{1 + static_cast<int>(GroupIndex(group))});
    QScrollBar* bar = groups_[GroupIndex(group)].adjust;
    editor_.Adjust(group, ActionOf(action), bar->sliderPosition());
    // Inside actionTriggered the bar applies its slider position after this returns, so the
    // editor's position is set as that slider position.
    const int shown = editor_.View().groups[GroupIndex(group)].barPosition;
    if (bar->sliderPosition() != shown) {
        const QSignalBlocker blocker(bar);
        bar->setSliderPosition(shown);
    }
    ShowView();
}

bool EditPartsPage::ReadEdit(QObject* watched) {
    for (AdjustGroup g : kAdjustGroups) {
        const GroupControls& c = groups_[GroupIndex(g)];
        if (watched == c.value) {
            const ScopedStep step(*steps_);
            editor_.EditValue(g, c.value->text().toStdString());
            ShowView();
            return true;
        }
        if (watched == c.step) {
            const ScopedStep step(*steps_);
            editor_.EditStep(g, c.step->text().toStdString());
            ShowView();
            return true;
        }
    }
    return false;
}

bool EditPartsPage::eventFilter(QObject* watched, QEvent* event) {
    if (TakeFieldOnCommit(event, [this, watched] { return ReadEdit(watched); })) return true;
    return QWidget::eventFilter(watched, event);
}

void EditPartsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void EditPartsPage::ShowEntry(int entry) {
    editor_.SelectEntry(entry);
    ShowView();
}

void EditPartsPage::ShowView() {
    const EditPartsView& view = editor_.View();
    pose_->ShowBodyPart(BodyPartOfEntry(view.entry));
    const bool enabled = view.partControlsEnabled;
    {
        const QSignalBlocker blocker(objectList_);
        if (objectList_->currentIndex() != view.entry) objectList_->setCurrentIndex(view.entry);
    }
    for (AdjustGroup g : kAdjustGroups) {
        const GroupControls& c = groups_[GroupIndex(g)];
        const AdjustGroupView& shown = view.groups[GroupIndex(g)];
        const bool taper = g == AdjustGroup::Taper;
        for (int lock = 0; lock < kLockCount; ++lock) {
            QPushButton* button = c.locks[std::size_t(lock)];
            // The X, Y and Z "None" radios stay enabled in the no-part state.
            button->setEnabled(enabled || (lock == 0 && !taper));
            if (!taper) button->setChecked(lock == shown.lock);
        }
        if (taper) c.locks[std::size_t(shown.lock)]->setChecked(true);
        SetTextIfChanged(c.value, shown.valueText);
        SetTextIfChanged(c.step, shown.stepText);
        {
            const QSignalBlocker blocker(c.adjust);
            c.adjust->setValue(shown.barPosition);
        }
        for (QWidget* w : {static_cast<QWidget*>(c.value), static_cast<QWidget*>(c.step),
                           static_cast<QWidget*>(c.adjust)})
            w->setEnabled(enabled);
    }
    for (int k = 0; k < 3; ++k) {
        axisRadios_[std::size_t(k)]->setEnabled(enabled);
        if (k == view.axisRadio) axisRadios_[std::size_t(k)]->setChecked(true);
    }
}

QPushButton* EditPartsPage::LockButton(AdjustGroup group, int lock) const {
    return IsValidAdjustGroup(group) && IsValidLock(lock)
               ? groups_[GroupIndex(group)].locks[std::size_t(lock)]
               : nullptr;
}
QLineEdit* EditPartsPage::ValueEdit(AdjustGroup group) const {
    return IsValidAdjustGroup(group) ? groups_[GroupIndex(group)].value : nullptr;
}
QLineEdit* EditPartsPage::StepEdit(AdjustGroup group) const {
    return IsValidAdjustGroup(group) ? groups_[GroupIndex(group)].step : nullptr;
}
QScrollBar* EditPartsPage::AdjustBar(AdjustGroup group) const {
    return IsValidAdjustGroup(group) ? groups_[GroupIndex(group)].adjust : nullptr;
}

}  // namespace bw
