// The "Converter" tab page: where parts are written, which body part is worked on, selection
// and seam tracing, saving the part and its seven connection point sets, and the colour of the
// body part's material. Every action goes to the ConverterModel; where the picture changes the
// page asks for a repaint.
//
// Ownership: a Qt child of the tab strip, owning its controls. It refers to the model, the
// Notifier and the FileDialogs, and to the configuration's converter object directory and
// name (written in place, so the configuration written at exit is current); the main dialog
// owns all of them and they outlive the page. Positions are dialog units through DialogUnits.
#pragma once

#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "converter/converter_model.h"
#include "model/notifier.h"
#include "platform/platform_dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;

namespace bw {

class ConverterPage : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kRowCount = 7;
    enum Channel { kRed = 0, kGreen = 1, kBlue = 2 };

    ConverterPage(ConverterModel& model, Notifier& notifier, FileDialogs& fileDialogs,
                  std::string& objectDirectory, std::string& objectName, QWidget* parent = nullptr);
    ~ConverterPage() override;

    void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    // The directory and name fields show the configuration's current values.
    void ShowDirectoryAndName();

    // The controls, for the main dialog's wiring and for tests.
    QProgressBar* ProgressBar() const { return progress_; }
    QLineEdit* DirectoryField() const { return directoryField_; }
    QPushButton* ChooseDirectoryButton() const { return chooseDirectory_; }
    QLineEdit* NameField() const { return nameField_; }
    QPushButton* GetObjectButton() const { return getObject_; }
    QPushButton* SavePartButton() const { return savePart_; }
    QComboBox* BodyPartList() const { return bodyParts_; }
    QCheckBox* HideRestBox() const { return hideRest_; }
    QCheckBox* ShowSelectionBox() const { return showSelection_; }
    QPushButton* AutoSelectButton() const { return autoSelect_; }
    QPushButton* UnselectButton() const { return unselect_; }
    QPushButton* FlipSelectionButton() const { return flipSelection_; }
    // Rows 1 to 7.
    QLineEdit* RowLabel(int row) const { return rowLabels_[std::size_t(row - 1)]; }
    QPushButton* RowSaveButton(int row) const { return rowSaves_[std::size_t(row - 1)]; }
    QCheckBox* RowSavedBox(int row) const { return rowSaved_[std::size_t(row - 1)]; }
    QComboBox* PresetList() const { return presets_; }
    QScrollBar* Slider(Channel c) const { return sliders_[c]; }
    QLineEdit* ValueField(Channel c) const { return valueFields_[c]; }
    QPushButton* CopyButton() const { return copy_; }
    QPushButton* PasteButton() const { return paste_; }
    QPushButton* ApplyToAllButton() const { return applyToAll_; }
    // Red, green, blue slider positions kept by "Copy".
    const std::array<std::uint8_t, 3>& ColourClipboard() const { return clipboard_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildControls();
    void BuildObjectControls();
    void BuildSelectionControls();
    void BuildConnectionRows();
    void ConnectControls();
    QLabel* AddLabel(const char* text, QRect where);
    QPushButton* AddButton(const QString& text, QRect where, const QString& name);
    void Repaint();
    bool Loaded() const { return model_.ObjectLoaded() == 1; }

    void ChooseDirectory();
    void TakeObject();
    void OnBodyPartChanged();
    void SaveRow(int row);
    void UpdateRowLabels();
    // Range 0 to 256, page 2 and `position` (the slider keeps at most 255), without events.
    void ResetSlider(Channel c, int position);
    void OnSliderAction(Channel c, int action);
    // The slider step: `position` becomes the slider's and the component's value.
    void ApplySliderPosition(Channel c, int position);
    void OnValueFieldLeft(Channel c);
    // What leaving an edit does: the name or value is taken. False for other widgets.
    bool TakeField(QObject* watched);
    void SetSlidersAndApply(const std::array<int, 3>& positions);
    void CopyColour();
    void PasteColour();
    void OnPresetChosen(int preset);
    void ApplyColourToAll();

    ConverterModel& model_;
    Notifier& notifier_;
    FileDialogs& fileDialogs_;
    std::string& objectDirectory_;
    std::string& objectName_;
    std::function<void()> repaint_;
    std::array<std::uint8_t, 3> clipboard_{0, 0, 0};

    QProgressBar* progress_ = nullptr;
    QLineEdit* directoryField_ = nullptr;
    QPushButton* chooseDirectory_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    QPushButton* getObject_ = nullptr;
    QPushButton* savePart_ = nullptr;
    QComboBox* bodyParts_ = nullptr;
    QCheckBox* hideRest_ = nullptr;
    QCheckBox* showSelection_ = nullptr;
    QPushButton* autoSelect_ = nullptr;
    QPushButton* unselect_ = nullptr;
    QPushButton* flipSelection_ = nullptr;
    std::array<QLineEdit*, kRowCount> rowLabels_{};
    std::array<QPushButton*, kRowCount> rowSaves_{};
    std::array<QCheckBox*, kRowCount> rowSaved_{};
    QComboBox* presets_ = nullptr;
    std::array<QScrollBar*, 3> sliders_{};
    std::array<QLineEdit*, 3> valueFields_{};
    QPushButton* copy_ = nullptr;
    QPushButton* paste_ = nullptr;
    QPushButton* applyToAll_ = nullptr;
};

}  // namespace bw
