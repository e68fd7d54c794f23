// The program's one window: a tab strip of pages on the left, the OpenGL preview on the right
// and a row of bottom controls (random creature, clear, shading, symmetry, the converter's
// view buttons).
//
// Size: it starts at its template's size, which is also its smallest; it may be resized and
// maximised, and then the tab strip and the bottom controls keep their places (the bottom
// controls measured from the bottom edge) while the preview takes all the room to the right of
// the one and above the others.
//
// Ownership: the dialog owns the Creature, the pages and the preview's container, which owns
// the preview window (Qt children); they live as long as the dialog object, so the
// configuration can be written from it after the modal run has ended. The Notifier and
// FileEnumerator are the platform's, owned by the caller, and must outlive the dialog.
//
// Pixel frames: positions given in dialog units go through DialogUnits; all others are logical
// pixels, y down.
#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/configuration.h"
#include "app/ui/bottom_controls.h"
#include "converter/converter_model.h"
#include "converter/gl/converter_preview_scene.h"
#include "history/undo_steps.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "model/notifier.h"
#include "platform/platform_dialogs.h"
#include "project/unsaved_creature.h"
#include "render/ui/opengl_probe.h"
#include "rig/creature_pose.h"
#include "select/random_source.h"
#include "select/symmetry_state.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTabWidget;

namespace bw {

class ConverterPage;
class EditPartsPage;
class PreferencesPage;
class PreviewContainer;
class PreviewView;
class OffscreenThumbnailSource;
class ProjectPage;
class SelectPartsPage;

// What the dialog reaches the platform through. Tests pass recording fakes.
struct MainDialogPlatform {
    Notifier& notifier;
    const FileEnumerator& files;
    FileDialogs& fileDialogs;
    ColourChooser& colourChooser;
    ShellOpener& shell;
    RandomSource& random;
    // Whether the preview can draw (ProbeOpenGl); when it cannot, the dialog says why and runs
    // without a preview.
    std::function<OpenGlSetup()> openGl;
};

class MainDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kProjectTab = 0;
    static constexpr int kPreferenceTab = 1;
    static constexpr int kSelectPartsTab = 2;
    static constexpr int kEditPartsTab = 3;
    static constexpr int kConverterTab = 4;

    // Reads bw.cfg in `startDirectory` and builds the whole window.
    MainDialog(const MainDialogPlatform& platform, const std::string& startDirectory,
               QWidget* parent = nullptr);
    ~MainDialog() override;

    // The six settings as they are to be written at exit: the directories and colours as the
    // Preference page holds them (the colours' alpha as read at start), the converter's as the
    // dialog holds them.
    Configuration CurrentConfiguration() const;

    // Inserts the "Converter" tab, or removes it unless it is the selected tab.
    void ToggleConverterTab();
    // The object directory changed: every list is rebuilt; parts stay loaded.
    void ChangeObjectDirectory(const std::string& path);
    void ChangeProjectDirectory(const std::string& path);
    void SetShadingMode(ShadingMode mode);
    // The "Surface" list's choice: 0 "Parts", 1 "Smooth", 2 "Smoother"; the preview draws it
    // and the export options start at it.
    void SetSurfaceLevel(int level);

    Creature& GetCreature() { return *creature_; }
    CreaturePose& GetCreaturePose() { return *pose_; }
    PreviewView* Preview() const { return preview_; }  // null without OpenGL
    // The widget that holds the preview window in the dialog ("Preview"); null without OpenGL.
    bw::PreviewContainer* PreviewContainer() const { return previewContainer_; }
    SelectPartsPage* SelectParts() const { return selectParts_; }
    ProjectPage* Project() const { return projectPage_; }
    PreferencesPage* Preferences() const { return preferencePage_; }
    QTabWidget* Tabs() const { return tabs_; }
    bw::ConverterPage* ConverterPage() const { return converterPage_; }
    ConverterModel& Converter() { return *converterModel_; }
    const std::array<QPushButton*, 6>& ConverterViewButtons() const {
        return bottom_->ConverterViewButtons();
    }
    // The creature type transferred from its list (BottomControls::creatureType).
    int CreatureType() const { return bottom_->creatureType; }
    // Symmetry on or off and the three groups' directions.
    const SymmetryState& Symmetry() const { return *symmetry_; }

    // The bottom commands.
    void RandomCreature();
    void ClearCreature();
    void SetSymmetryOn(bool on);
    // One group's arrow, or with no group the "All" row's arrow.
    void ChooseSymmetryDirection(std::optional<SymmetryGroup> group, SymmetryDirection direction);
    EditPartsPage* EditParts() const { return editParts_; }

    // Ctrl+Z, and Ctrl+Shift+Z or Ctrl+Y: the last step of the creature undone, or the last
    // undone step redone; the pages then show what was put back. False when there was none.
    bool UndoLastStep();
    bool RedoStep();

    // Whether the creature changed since it was last saved, loaded or started anew. Escape,
    // "Done" and the close box ask about it first (UnsavedCreature).
    const UnsavedCreature& Unsaved() const { return *unsaved_; }
    // The program is ending on a signal (logout): the dialog closes without asking, and a
    // changed creature is first written to "bw-recovered.bwp" beside bw.cfg.
    void EndOnSignal();
    // A creature written so by the last run: the user is told once and may load it (it then
    // counts as changed); the file is removed once answered. Nothing when there is none.
    void OfferRecoveredCreature();
    // Where the creature is written when the program ends on a signal.
    std::string RecoveredCreaturePath() const;

    void done(int result) override;
    const UndoSteps& Steps() const { return *undo_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The steps of building the window, in the order the constructor takes them.
    // The preview window, or the message why there is none.
    void BuildPreview();
    void BuildPages();
    // The directories, names and colours read from bw.cfg, handed to the pages.
    void ApplyConfiguration();
    // Unsaved changes, the undo history and the bottom controls, and the pages' steps.
    void BuildHistoryAndBottomControls();
    void BuildTabs();
    void BuildUndoKeys();
    // After a step was undone or redone.
    void ShowRestoredState(std::optional<BodyPartId> editedPart);
    // A Ctrl-drag in the preview: the part under the press becomes the edited part, and each
    // move bends it (up) and swings it sideways (right); the whole drag is one step.
    void StartPosingDrag(int partIndex);
    void MovePosingDrag(int right, int up);
    static constexpr float kPosingDegreesPerPixel = 0.5f;
    // Notes where the controls stand at the starting size, for laying them out on a resize.
    void RememberStartLayout();
    void OnTabChanged(int index);
    void RepaintPreview();
    bool KeyReachesDialogItself() const;
    void ShowApplicationMessage(const std::string& text);

    MainDialogPlatform platform_;
    Configuration configuration_;
    std::unique_ptr<Creature> creature_;
    std::unique_ptr<CreaturePose> pose_;     // the pose the creature is shown in
    std::optional<BodyPartId> posedByDrag_;  // the body part a Ctrl-drag in the preview turns
    std::unique_ptr<SymmetryState> symmetry_;
    std::unique_ptr<UndoSteps> undo_;
    std::unique_ptr<UnsavedCreature> unsaved_;
    std::string startDirectory_;
    bool endingOnSignal_ = false;

    QTabWidget* tabs_ = nullptr;
    QTabBar* tabBar_ = nullptr;       // the tab strip's bar, watched for F12
    bool tabStripClicked_ = false;    // a mouse button is down on the tab strip
    PreviewView* preview_ = nullptr;  // owned by previewContainer_
    bw::PreviewContainer* previewContainer_ = nullptr;
    QSize initialSize_;
    // Room the preview leaves to the dialog's right and bottom edges.
    QSize previewMargin_;
    // The bottom controls and their places at the starting size.
    std::vector<std::pair<QWidget*, QRect>> bottomControls_;
    SelectPartsPage* selectParts_ = nullptr;
    ProjectPage* projectPage_ = nullptr;
    PreferencesPage* preferencePage_ = nullptr;
    EditPartsPage* editParts_ = nullptr;
    bw::ConverterPage* converterPage_ = nullptr;
    std::unique_ptr<ConverterModel> converterModel_;
    // What the preview shows while the converter page is active.
    std::unique_ptr<ConverterPreviewScene> converterScene_;
    // Draws the Select Parts lists' pictures; null without OpenGL.
    std::unique_ptr<OffscreenThumbnailSource> thumbnailSource_;
    BottomControls* bottom_ = nullptr;  // a Qt child; its controls are the dialog's
};

}  // namespace bw
