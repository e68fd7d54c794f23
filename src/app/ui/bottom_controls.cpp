#include "app/ui/bottom_controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "select/clear_creature.h"
#include "select/random_creature.h"
#include "subdivide/surface_level.h"
#include "ui/dialog_units.h"

namespace bw {
namespace {

// The converter's view modes of the six view buttons, in button order.
constexpr std::array<ConverterViewMode, 6> kConverterViewModes{
    ConverterViewMode::Wire, ConverterViewMode::Solid, ConverterViewMode::Smooth,
    ConverterViewMode::Top,  ConverterViewMode::Front, ConverterViewMode::Side};
constexpr int kConverterSolidButton = 1;

}  // namespace

BottomControls::BottomControls(QDialog& dialog, Targets targets)
    : QObject(&dialog), dialog_(dialog), targets_(std::move(targets)) {
    BuildCreatureButtons();
    BuildShadingRadios();
    BuildSymmetryControls();
    BuildConverterViewButtons();
    ShowSymmetry();
    // The box's controls are the dialog's, not the box's: each carries the tip itself.
    const QString symmetryTip = tr(
        "Copies each group's parts to the other side in its arrow's direction (Ctrl+Z undoes it)");
    symmetryBox_->setToolTip(symmetryTip);
    for (QRadioButton* radio : symmetryRadios_) radio->setToolTip(symmetryTip);
    for (const auto& row : arrows_)
        for (QPushButton* arrow : row) arrow->setToolTip(symmetryTip);
}

void BottomControls::BuildCreatureButtons() {
    const DialogUnits units(dialog_.font());
    randomButton_ = new QPushButton("Random Creature", &dialog_);
    randomButton_->setGeometry(units.Rect(5, 362, 66, 13));
    creatureTypeBox_ = new QComboBox(&dialog_);
    for (std::string_view item : kCreatureTypeItems)
        creatureTypeBox_->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
    creatureTypeBox_->setGeometry(units.Rect(79, 362, 102, 13));
    creatureTypeBox_->setAccessibleName("Creature type");
    clearButton_ = new QPushButton("Clear Creature", &dialog_);
    clearButton_->setGeometry(units.Rect(5, 375, 66, 13));
    undoButton_ = new QPushButton("Undo", &dialog_);
    undoButton_->setGeometry(units.Rect(79, 375, 50, 13));
    redoButton_ = new QPushButton("Redo", &dialog_);
    redoButton_->setGeometry(units.Rect(131, 375, 50, 13));
    doneButton_ = new QPushButton("Done", &dialog_);
    doneButton_->setGeometry(units.Rect(5, 392, 66, 14));
    doneButton_->setDefault(true);
    connect(doneButton_, &QPushButton::clicked, this, [this] {
        TransferControls();
        dialog_.accept();
    });
    connect(randomButton_, &QPushButton::clicked, this, &BottomControls::RandomCreature);
    connect(clearButton_, &QPushButton::clicked, this, &BottomControls::ClearCreature);
    connect(undoButton_, &QPushButton::clicked, this, [this] { targets_.history.Undo(); });
    connect(redoButton_, &QPushButton::clicked, this, [this] { targets_.history.Redo(); });
    for (QPushButton* button : {randomButton_, clearButton_, undoButton_, redoButton_, doneButton_})
        button->setAccessibleName(button->text());
    undoButton_->setToolTip(tr("Undoes the last change of the creature (Ctrl+Z)"));
    redoButton_->setToolTip(tr("Redoes the last change undone (Ctrl+Shift+Z or Ctrl+Y)"));
    ShowUndoState();
    randomButton_->setToolTip(
        tr("A new creature of the chosen type from random parts; unlocked "
           "body parts change (Ctrl+Z undoes it)"));
    clearButton_->setToolTip(tr("Removes every part (Ctrl+Z undoes it)"));
}

void BottomControls::ShowUndoState() {
    undoButton_->setEnabled(targets_.history.CanUndo());
    redoButton_->setEnabled(targets_.history.CanRedo());
}

void BottomControls::BuildShadingRadios() {
    const DialogUnits units(dialog_.font());
    const std::array<const char*, 3> shadingNames{"Smooth", "Flat", "Wireframe"};
    const std::array<int, 3> shadingX{80, 123, 155};
    const std::array<int, 3> shadingWidth{40, 30, 46};
    auto* shadingGroup = new QButtonGroup(&dialog_);
    for (int k = 0; k < 3; ++k) {
        shadingRadios_[k] = new QRadioButton(shadingNames[k], &dialog_);
        shadingRadios_[k]->setGeometry(units.Rect(shadingX[k], 397, shadingWidth[k], 12));
        shadingRadios_[k]->setAccessibleName(shadingNames[k]);
        shadingGroup->addButton(shadingRadios_[k], k);
    }
    shadingRadios_[0]->setChecked(true);
    connect(shadingGroup, &QButtonGroup::idClicked, this,
            [this](int id) { SetShadingMode(static_cast<ShadingMode>(id)); });

    // How smooth the surface is drawn, a view setting beside the shading: the parts as they
    // are, or the welded creature subdivided once or twice.
    auto* surfaceLabel = new QLabel("Surface", &dialog_);
    surfaceLabel->setGeometry(units.Rect(400, 398, 28, 10));
    surfaceBox_ = new QComboBox(&dialog_);
    for (std::string_view name : kSurfaceLevelNames)
        surfaceBox_->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    surfaceBox_->setGeometry(units.Rect(430, 396, 60, 13));
    surfaceBox_->setAccessibleName("Surface");
    surfaceLabel->setBuddy(surfaceBox_);
    surfaceBox_->setToolTip(
        tr("Parts: the body parts as they are; Smooth and Smoother: the welded creature "
           "subdivided once or twice (also the start of the export options)"));
    connect(surfaceBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (targets_.surfaceLevelChosen) targets_.surfaceLevelChosen(index);
    });
}

void BottomControls::SetSurfaceLevel(int level) {
    surfaceBox_->setCurrentIndex(std::clamp(level, 0, kMaxSubdivisionLevel));
}

void BottomControls::BuildSymmetryControls() {
    const DialogUnits units(dialog_.font());
    symmetryBox_ = new QGroupBox("Symmetry", &dialog_);
    symmetryBox_->setGeometry(units.Rect(223, 360, 172, 46));
    symmetryBox_->setAccessibleName("Symmetry");

    auto* offOn = new QButtonGroup(&dialog_);
    const std::array<const char*, 2> offOnNames{"Off", "On"};
    for (int k = 0; k < 2; ++k) {
        symmetryRadios_[k] = new QRadioButton(offOnNames[k], &dialog_);
        symmetryRadios_[k]->setGeometry(units.Rect(228, 370 + 11 * k, 30, 10));
        symmetryRadios_[k]->setAccessibleName(QString("Symmetry ") + offOnNames[k]);
        offOn->addButton(symmetryRadios_[k], k);
    }
    symmetryRadios_[0]->setChecked(true);
    connect(offOn, &QButtonGroup::idClicked, this, [this](int id) { SetSymmetryOn(id == 1); });

    const std::array<const char*, 4> rowNames{"Head Features", "Upper Limbs", "Lower Limbs", "All"};
    for (int row = 0; row < 4; ++row) {
        const bool all = row == 3;
        const int y = all ? 392 : 370 + 11 * row;
        symmetryLabels_[row] = new QLabel(rowNames[row], &dialog_);
        symmetryLabels_[row]->setGeometry(all ? units.Rect(228, y, 12, 10)
                                              : units.Rect(301, y, 52, 10));
        const std::array<int, 2> arrowX =
            all ? std::array<int, 2>{241, 260} : std::array<int, 2>{355, 374};
        const std::array<const char*, 2> arrowText{"<<", ">>"};
        for (int k = 0; k < 2; ++k) {
            auto* arrow = new QPushButton(arrowText[k], &dialog_);
            arrow->setGeometry(units.Rect(arrowX[k], y, 18, 10));
            arrow->setAccessibleName(QString(rowNames[row]) + " " + arrowText[k]);
            arrow->setCheckable(!all);
            arrows_[row][k] = arrow;
            const SymmetryDirection direction =
                k == 0 ? SymmetryDirection::Left : SymmetryDirection::Right;
            const std::optional<SymmetryGroup> group =
                all ? std::nullopt : std::optional(kSymmetryGroupRows[row]);
            connect(arrow, &QPushButton::clicked, this,
                    [this, group, direction] { ChooseSymmetryDirection(group, direction); });
        }
    }
}

void BottomControls::BuildConverterViewButtons() {
    const DialogUnits units(dialog_.font());
    const std::array<const char*, 6> viewNames{"Wire", "Solid", "Smooth", "Top", "Front", "Side"};
    // One exclusive group for both rows: only the view mode in force looks pressed.
    auto* viewGroup = new QButtonGroup(&dialog_);
    for (int k = 0; k < 6; ++k) {
        auto* button = new QPushButton(viewNames[k], &dialog_);
        button->setCheckable(true);
        button->setGeometry(units.Rect(475 + 38 * (k % 3), k < 3 ? 360 : 374, 38, 13));
        button->setAccessibleName(QString("Converter view ") + viewNames[k]);
        viewGroup->addButton(button, static_cast<int>(kConverterViewModes[k]));
        converterView_[k] = button;
    }
    converterView_[kConverterSolidButton]->setChecked(true);
    targets_.converter.viewMode = ConverterViewMode::Solid;
    auto setViewMode = [this](int mode) {
        targets_.converter.viewMode = static_cast<ConverterViewMode>(mode);
        targets_.repaint();
    };
    connect(viewGroup, &QButtonGroup::idClicked, this, setViewMode);
    for (QPushButton* button : converterView_) button->hide();
}

void BottomControls::SetShadingMode(ShadingMode mode) {
    targets_.creature.shadingMode = mode;
    const int radio = static_cast<int>(mode);
    if (radio >= 0 && radio < kShadingModeCount && !shadingRadios_[radio]->isChecked())
        shadingRadios_[radio]->setChecked(true);
    targets_.repaint();
}

void BottomControls::TransferControls() { creatureType = creatureTypeBox_->currentIndex(); }

void BottomControls::ShowSymmetry() {
    const SymmetryState& symmetry = targets_.symmetry;
    for (QLabel* label : symmetryLabels_) label->setEnabled(symmetry.LabelsEnabled());
    symmetryRadios_[symmetry.IsOn() ? 1 : 0]->setChecked(true);
    for (SymmetryGroup group : kSymmetryGroupRows) {
        const std::size_t row = SymmetryGroupIndex(group);
        arrows_[row][0]->setChecked(symmetry.LeftArrowChecked(group));
        arrows_[row][1]->setChecked(symmetry.RightArrowChecked(group));
    }
}

void BottomControls::RandomCreature() {
    {
        const ScopedStep step(targets_.steps);
        TransferControls();
        bw::RandomCreature(targets_.selection, creatureType, targets_.random);
    }
    CreatureChanged();
}

void BottomControls::ClearCreature() {
    {
        const ScopedStep step(targets_.steps);
        bw::ClearCreature(targets_.selection);
    }
    CreatureChanged();
}

void BottomControls::SetSymmetryOn(bool on) {
    {
        const ScopedStep step(targets_.steps);
        if (on) {
            targets_.symmetry.TurnOn();
        } else {
            targets_.symmetry.TurnOff();
        }
        ShowSymmetry();
    }
    CreatureChanged();
}

void BottomControls::ChooseSymmetryDirection(std::optional<SymmetryGroup> group,
                                             SymmetryDirection direction) {
    {
        const ScopedStep step(targets_.steps);
        TransferControls();
        if (group) {
            targets_.symmetry.ChooseDirection(*group, direction);
        } else {
            targets_.symmetry.ChooseDirectionForAll(direction);
        }
        ShowSymmetry();
    }
    CreatureChanged();
}

void BottomControls::CreatureChanged() const {
    if (targets_.creatureChanged) targets_.creatureChanged();
}

}  // namespace bw
