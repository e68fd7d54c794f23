// The controls along the main dialog's bottom edge: "Random Creature" with the creature type
// list, "Clear Creature", "Done", the Shading radios, the Symmetry box, the "Surface" list and
// the converter's six view buttons. This object builds them and runs their commands; the controls
// themselves are children of the dialog, placed in its dialog units, where the accessibility tree
// and the dialog's resize handling find them.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <optional>

#include "converter/converter_model.h"
#include "history/undo_steps.h"
#include "model/creature.h"
#include "model/step_listener.h"
#include "select/part_selection.h"
#include "select/random_source.h"
#include "select/symmetry_state.h"

class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace bw {

class BottomControls : public QObject {
  public:
    // What the controls act on; `repaint` invalidates the preview.
    struct Targets {
        Creature& creature;
        PartSelection& selection;
        SymmetryState& symmetry;
        ConverterModel& converter;
        RandomSource& random;
        std::function<void()> repaint;
        // Hears Random Creature, Clear Creature and each symmetry command as one step.
        StepListener& steps;
        // Undone and redone by the Undo and Redo buttons.
        UndoSteps& history;
        // After each command that may have changed the creature's parts.
        std::function<void()> creatureChanged;
        // With the subdivision level chosen in the "Surface" list (0 "Parts").
        std::function<void(int)> surfaceLevelChosen = {};
    };
    // Builds the controls on `dialog` (which also owns this object). "Done" accepts it.
    BottomControls(QDialog& dialog, Targets targets);

    void SetShadingMode(ShadingMode mode);
    // Shows `level` in the "Surface" list and tells surfaceLevelChosen.
    void SetSurfaceLevel(int level);
    void RandomCreature();
    void ClearCreature();
    void SetSymmetryOn(bool on);
    // One group's arrow, or with no group the "All" row's arrow.
    void ChooseSymmetryDirection(std::optional<SymmetryGroup> group, SymmetryDirection direction);

    // Shows the symmetry state on the Off/On radios, the labels and the arrows.
    void ShowSymmetry();
    // Enables Undo and Redo when there is a step to undo or redo.
    void ShowUndoState();

    QPushButton* UndoButton() const { return undoButton_; }
    QPushButton* RedoButton() const { return redoButton_; }

    // Wire, Solid, Smooth, Top, Front, Side.
    const std::array<QPushButton*, 6>& ConverterViewButtons() const { return converterView_; }

    // The creature-type list's index (0 "(all types)"), transferred from the control when
    // "Done", "Random Creature" or a symmetry arrow is pressed.
    int creatureType = 0;

  private:
    // The parts, left to right.
    void BuildCreatureButtons();
    void BuildShadingRadios();
    void BuildSymmetryControls();
    void BuildConverterViewButtons();
    void TransferControls();
    void CreatureChanged() const;

    QDialog& dialog_;
    Targets targets_;
    QPushButton* randomButton_ = nullptr;
    QComboBox* creatureTypeBox_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    QPushButton* redoButton_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    std::array<QRadioButton*, 3> shadingRadios_{};
    QComboBox* surfaceBox_ = nullptr;
    QGroupBox* symmetryBox_ = nullptr;
    std::array<QRadioButton*, 2> symmetryRadios_{};        // Off, On
    std::array<QLabel*, 4> symmetryLabels_{};              // three groups, then "All"
    std::array<std::array<QPushButton*, 2>, 4> arrows_{};  // per row: "<<", ">>"
    std::array<QPushButton*, 6> converterView_{};
};

}  // namespace bw
