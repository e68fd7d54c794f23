// The program's one window: a tab strip of pages on the left, the OpenGL preview on the right
// and a row of bottom controls (random creature, clear, shading, symmetry, the converter's
// view buttons).
//
// Ownership: the dialog owns the Creature and the pages and the preview (Qt children); they
// live as long as the dialog object, so the configuration can be written from it after the
// modal run has ended. The Notifier and FileEnumerator are the platform's, owned by the
// caller, and must outlive the dialog.
//
// Pixel frames: positions given in dialog units go through DialogUnits; all others are logical
// pixels, y down.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/configuration.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "model/notifier.h"
#include "platform/platform_dialogs.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace bw {

class PreviewView;
class SelectPartsPage;

// What the dialog reaches the platform through. Tests pass recording fakes.
struct MainDialogPlatform {
    Notifier& notifier;
    const FileEnumerator& files;
    FileDialogs& fileDialogs;
    ColourChooser& colourChooser;
    ShellOpener& shell;
    // True when an OpenGL context of the preview's format can be made; without one the
    // dialog runs without a preview.
    std::function<bool()> openGlAvailable;
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

    // The six settings as they are to be written at exit.
    const Configuration& CurrentConfiguration() const { return configuration_; }

    // Inserts the "Converter" tab, or removes it unless it is the selected tab.
    void ToggleConverterTab();
    // The object directory changed: every list is rebuilt; parts stay loaded.
    void ChangeObjectDirectory(const std::string& path);
    void ChangeProjectDirectory(const std::string& path);
    void SetShadingMode(int mode);

    Creature& GetCreature() { return *creature_; }
    PreviewView* Preview() const { return preview_; }  // null without OpenGL
    SelectPartsPage* SelectParts() const { return selectParts_; }
    QTabWidget* Tabs() const { return tabs_; }
    QWidget* ConverterPage() const { return converterPage_; }
    const std::array<QPushButton*, 6>& ConverterViewButtons() const { return converterView_; }

    int symmetryOn = 0;
    int creatureType = 0;
    std::array<int, 3> symmetryDirection{1, 1, 1};
    int shadingMode = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void BuildTabs();
    void BuildBottomControls();
    void OnTabChanged(int index);
    void RepaintPreview();
    bool KeyReachesDialogItself() const;
    void ShowApplicationMessage(const std::string& text);
    void UpdateSymmetryLabels();

    MainDialogPlatform platform_;
    Configuration configuration_;
    std::unique_ptr<Creature> creature_;

    QTabWidget* tabs_ = nullptr;
    PreviewView* preview_ = nullptr;
    SelectPartsPage* selectParts_ = nullptr;
    QWidget* projectPage_ = nullptr;
    QWidget* preferencePage_ = nullptr;
    QWidget* editPartsPage_ = nullptr;
    QWidget* converterPage_ = nullptr;

    QPushButton* randomButton_ = nullptr;
    QComboBox* creatureTypeBox_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    std::array<QRadioButton*, 3> shadingRadios_{};
    QGroupBox* symmetryBox_ = nullptr;
    std::array<QRadioButton*, 2> symmetryRadios_{};       // Off, On
    std::array<QLabel*, 4> symmetryLabels_{};             // three groups, then "All"
    std::array<std::array<QPushButton*, 2>, 4> arrows_{};  // per row: "<<", ">>"
    std::array<QPushButton*, 6> converterView_{};          // Wire Solid Smooth Top Front Side
};

}  // namespace bw
