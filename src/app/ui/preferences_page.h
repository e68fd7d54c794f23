// The "Preference" tab page: the object and project directories, the preview's background and
// wireframe colours, and the swap of the preview's left and right mouse actions.
//
// The page keeps its own copies of the two directories and the two colours; they are what the
// configuration file stores at exit. A directory the user applies (chosen through "..." or
// left in the object directory field) is handed on through the two directory handlers, always
// both, object directory first: the main dialog distributes them and rebuilds the Select Parts
// lists. Colours go straight to the preview's background and the creature's wireframe colour.
//
// Ownership: a Qt child of the tab strip; owns its controls. It refers to the Creature and the
// platform services (file dialogs, colour chooser, notifier), which the main dialog or the
// program owns and which outlive it, and to the preview, which may be absent (no OpenGL).
// Positions are dialog units converted to logical pixels (y down) from the page's font.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "model/creature.h"
#include "model/notifier.h"
#include "platform/platform_dialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bw {

class ColourSwatchButton;
class PreviewView;

class PreferencesPage : public QWidget {
    Q_OBJECT

  public:
    PreferencesPage(Creature& creature, FileDialogs& fileDialogs, ColourChooser& colourChooser,
                    Notifier& notifier, QWidget* parent = nullptr);
    ~PreferencesPage() override;

    // Null while there is no preview; the current swap state is handed to a new preview.
    void SetPreview(PreviewView* preview);
    using DirectoryHandler = std::function<void(const std::string&)>;
    void SetDirectoryHandlers(DirectoryHandler changeObjectDirectory,
                              DirectoryHandler changeProjectDirectory);

    // Setters called by the main dialog: they store the value and show it, nothing more.
    void SetObjectDirectory(const std::string& directory);
    void SetProjectDirectory(const std::string& directory);
    // Red, green, blue from 0 to 1.
    void SetBackgroundColour(const std::array<float, 3>& colour);
    void SetWireframeColour(const std::array<float, 3>& colour);

    const std::string& ObjectDirectory() const { return objectDirectory_; }
    const std::string& ProjectDirectory() const { return projectDirectory_; }
    const std::array<float, 3>& BackgroundColour() const { return backgroundColour_; }
    const std::array<float, 3>& WireframeColour() const { return wireframeColour_; }
    bool SwapMouseButtons() const { return swapMouseButtons_; }

    QLineEdit* ObjectDirectoryField() const { return objectField_; }
    QLineEdit* ProjectDirectoryField() const { return projectField_; }
    QPushButton* ChooseObjectDirectoryButton() const { return chooseObject_; }
    QPushButton* ChooseProjectDirectoryButton() const { return chooseProject_; }
    ColourSwatchButton* BackgroundSwatch() const { return backgroundSwatch_; }
    ColourSwatchButton* WireframeSwatch() const { return wireframeSwatch_; }
    QCheckBox* SwapBox() const { return swapBox_; }
    QLabel* TranslateDescription() const { return translateText_; }
    QLabel* RotateDescription() const { return rotateText_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class DirectoryKind { Object, Project };

    void BuildControls();
    // The page's three groups, top to bottom.
    void BuildDirectoryGroup();
    void BuildColourGroup();
    void BuildMouseGroup();
    // A one-line label at dialog units (x, y), `width` wide.
    QLabel* AddLabel(const char* text, int x, int y, int width);
    void ChooseDirectory(DirectoryKind kind);
    void ApplyObjectDirectoryField();
    // Stores `directory` unless it holds a line break (refused with a message); true when stored.
    bool StoreDirectory(DirectoryKind kind, const std::string& directory);
    void ApplyDirectories();
    void ChooseBackgroundColour();
    void ChooseWireframeColour();
    void UpdateSwap();
    void RepaintPreview();

    Creature& creature_;
    FileDialogs& fileDialogs_;
    ColourChooser& colourChooser_;
    Notifier& notifier_;
    PreviewView* preview_ = nullptr;
    DirectoryHandler changeObjectDirectory_;
    DirectoryHandler changeProjectDirectory_;

    std::string objectDirectory_;
    std::string projectDirectory_;
    std::array<float, 3> backgroundColour_{0.0f, 0.0f, 0.0f};
    std::array<float, 3> wireframeColour_{0.8f, 0.8f, 0.8f};
    bool swapMouseButtons_ = false;

    QLineEdit* objectField_ = nullptr;
    QLineEdit* projectField_ = nullptr;
    QPushButton* chooseObject_ = nullptr;
    QPushButton* chooseProject_ = nullptr;
    ColourSwatchButton* backgroundSwatch_ = nullptr;
    ColourSwatchButton* wireframeSwatch_ = nullptr;
    QCheckBox* swapBox_ = nullptr;
    QLabel* translateText_ = nullptr;
    QLabel* rotateText_ = nullptr;
};

}  // namespace bw
