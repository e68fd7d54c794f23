#include "app/ui/preferences_page.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/colour_channels.h"
#include "app/directory_choice.h"
#include "app/ui/colour_swatch_button.h"
#include "render/ui/preview_view.h"
#include "ui/dialog_units.h"

namespace bw {
namespace {

constexpr const char* kLeftMouseText = ":    Left Mouse (dbl-click to reset)";
constexpr const char* kRightMouseText = ":    Right Mouse (dbl-click to reset)";
constexpr const char* kZoomText = ":    Shift-Translate (or) Middle Mouse";
constexpr const char* kNoneName = "(none)";

// Paths are bytes; the fields show them decoded (invalid bytes as replacement characters).
QString Shown(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

}  // namespace

PreferencesPage::PreferencesPage(Creature& creature, FileDialogs& fileDialogs,
                                 ColourChooser& colourChooser, Notifier& notifier, QWidget* parent)
    : QWidget(parent),
      creature_(creature),
      fileDialogs_(fileDialogs),
      colourChooser_(colourChooser),
      notifier_(notifier) {
    setAccessibleName("Preference");
    BuildControls();
    backgroundSwatch_->SetColour(ColourChannels(backgroundColour_));
    wireframeSwatch_->SetColour(ColourChannels(wireframeColour_));
    UpdateSwap();
}

PreferencesPage::~PreferencesPage() = default;

QLabel* PreferencesPage::AddLabel(const char* text, int x, int y, int width) {
    auto* label = new QLabel(text, this);
    label->setGeometry(DialogUnits(font()).Rect(x, y, width, 9));
    return label;
}

void PreferencesPage::BuildControls() {
    BuildDirectoryGroup();
    BuildColourGroup();
    BuildMouseGroup();
    connect(chooseObject_, &QPushButton::clicked, this,
            [this] { ChooseDirectory(DirectoryKind::Object); });
    connect(chooseProject_, &QPushButton::clicked, this,
            [this] { ChooseDirectory(DirectoryKind::Project); });
    connect(backgroundSwatch_, &QPushButton::clicked, this,
            &PreferencesPage::ChooseBackgroundColour);
    connect(wireframeSwatch_, &QPushButton::clicked, this, &PreferencesPage::ChooseWireframeColour);
    connect(swapBox_, &QCheckBox::clicked, this, &PreferencesPage::UpdateSwap);
}

void PreferencesPage::BuildDirectoryGroup() {
    const DialogUnits units(font());
    auto* directories = new QGroupBox("Directories", this);
    directories->setGeometry(units.Rect(7, 7, 197, 74));
    directories->setAccessibleName("Directories");
    QLabel* objectLabel = AddLabel("Object:", 15, 20, 60);
    objectField_ = new QLineEdit(this);
    objectField_->setGeometry(units.Rect(15, 32, 163, 13));
    objectField_->setReadOnly(true);
    objectField_->setAccessibleName("Object directory");
    objectField_->installEventFilter(this);
    objectLabel->setBuddy(objectField_);
    chooseObject_ = new QPushButton("...", this);
    chooseObject_->setGeometry(units.Rect(181, 32, 16, 13));
    chooseObject_->setAccessibleName("Choose the object directory");
    chooseObject_->setToolTip("Choose the object directory");

    QLabel* projectLabel = AddLabel("Project:", 15, 48, 60);
    projectField_ = new QLineEdit(this);
    projectField_->setGeometry(units.Rect(15, 58, 163, 13));
    projectField_->setReadOnly(true);
    projectField_->setAccessibleName("Project directory");
    projectLabel->setBuddy(projectField_);
    chooseProject_ = new QPushButton("...", this);
    chooseProject_->setGeometry(units.Rect(181, 58, 16, 13));
    chooseProject_->setAccessibleName("Choose the project directory");
    chooseProject_->setToolTip("Choose the project directory");
}

void PreferencesPage::BuildColourGroup() {
    const DialogUnits units(font());
    auto* colours = new QGroupBox("Preview Colors", this);
    colours->setGeometry(units.Rect(7, 84, 197, 53));
    colours->setAccessibleName("Preview Colors");
    AddLabel("Background", 15, 101, 48);
    backgroundSwatch_ = new ColourSwatchButton(this);
    backgroundSwatch_->setGeometry(units.Rect(66, 98, 21, 14));
    backgroundSwatch_->setAccessibleName("Background color");
    backgroundSwatch_->setToolTip("Choose the preview's background color");
    AddLabel("WireFrame", 15, 120, 48);
    wireframeSwatch_ = new ColourSwatchButton(this);
    wireframeSwatch_->setGeometry(units.Rect(66, 117, 21, 14));
    wireframeSwatch_->setAccessibleName("WireFrame color");
    wireframeSwatch_->setToolTip("Choose the creature's wireframe color");
}

void PreferencesPage::BuildMouseGroup() {
    const DialogUnits units(font());
    auto* mouse = new QGroupBox("Mouse Operations", this);
    mouse->setGeometry(units.Rect(7, 141, 199, 72));
    mouse->setAccessibleName("Mouse Operations");
    swapBox_ = new QCheckBox("Swap right and left mouse actions", this);
    swapBox_->setGeometry(units.Rect(15, 154, 150, 10));
    swapBox_->setAccessibleName("Swap right and left mouse actions");
    AddLabel("Translate", 15, 168, 40);
    translateText_ = AddLabel(kRightMouseText, 57, 168, 145);
    AddLabel("Zoom", 15, 180, 40);
    QLabel* zoomText = AddLabel(kZoomText, 57, 180, 145);
    AddLabel("Rotate", 15, 192, 40);
    rotateText_ = AddLabel(kLeftMouseText, 57, 192, 145);
    translateText_->setAccessibleName("Translate");
    zoomText->setAccessibleName("Zoom");
    rotateText_->setAccessibleName("Rotate");
}

void PreferencesPage::SetPreview(PreviewView* preview) {
    preview_ = preview;
    if (preview_) preview_->SetSwapMouseButtons(swapMouseButtons_);
}

void PreferencesPage::SetDirectoryHandlers(DirectoryHandler changeObjectDirectory,
                                           DirectoryHandler changeProjectDirectory) {
    changeObjectDirectory_ = std::move(changeObjectDirectory);
    changeProjectDirectory_ = std::move(changeProjectDirectory);
}

void PreferencesPage::SetObjectDirectory(const std::string& directory) {
    objectDirectory_ = directory;
    objectField_->setText(Shown(directory));
    objectField_->setCursorPosition(0);  // a long path shows its beginning
}

void PreferencesPage::SetProjectDirectory(const std::string& directory) {
    projectDirectory_ = directory;
    projectField_->setText(Shown(directory));
    projectField_->setCursorPosition(0);
}

void PreferencesPage::SetBackgroundColour(const std::array<float, 3>& colour) {
    backgroundColour_ = colour;
    backgroundSwatch_->SetColour(ColourChannels(colour));
}

void PreferencesPage::SetWireframeColour(const std::array<float, 3>& colour) {
    wireframeColour_ = colour;
    wireframeSwatch_->SetColour(ColourChannels(colour));
}

bool PreferencesPage::StoreDirectory(DirectoryKind kind, const std::string& directory) {
    if (HoldsLineBreak(directory)) {
        notifier_.ShowMessage("The directory \"" + directory +
                                  "\" holds a line break, which the configuration file cannot "
                                  "keep.\nThe directory was not changed.",
                              "Error", MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    if (kind == DirectoryKind::Object)
        SetObjectDirectory(directory);
    else
        SetProjectDirectory(directory);
    return true;
}

void PreferencesPage::ChooseDirectory(DirectoryKind kind) {
    const bool object = kind == DirectoryKind::Object;
    FileDialogRequest request;
    request.title = object ? "Select Default Object Directory" : "Select Default Project Directory";
    request.initialDirectory = object ? objectDirectory_ : projectDirectory_;
    request.proposedName = kNoneName;
    const std::optional<std::string> chosen = fileDialogs_.OpenFile(request);
    if (!chosen) return;
    if (StoreDirectory(kind, DirectoryOfChosenPath(*chosen))) ApplyDirectories();
}

void PreferencesPage::ApplyObjectDirectoryField() {
    // The field shows the stored bytes decoded; while it still shows them, the stored bytes
    // are what it holds (a path need not be valid UTF-8).
    const QString text = objectField_->text();
    const std::string fieldText =
        text == Shown(objectDirectory_) ? objectDirectory_ : text.toStdString();
    if (!StoreDirectory(DirectoryKind::Object, DirectoryOfFieldText(fieldText))) {
        SetObjectDirectory(objectDirectory_);
        return;
    }
    ApplyDirectories();
}

void PreferencesPage::ApplyDirectories() {
    if (changeObjectDirectory_) changeObjectDirectory_(objectDirectory_);
    if (changeProjectDirectory_) changeProjectDirectory_(projectDirectory_);
}

void PreferencesPage::ChooseBackgroundColour() {
    const std::optional<Rgb8> chosen =
        colourChooser_.ChooseColour(ColourChannels(backgroundColour_));
    if (!chosen) return;
    backgroundSwatch_->SetColour(*chosen);
    backgroundColour_ = ColourComponents(*chosen);
    if (preview_) preview_->SetBackgroundColour(backgroundColour_);
    RepaintPreview();
}

void PreferencesPage::ChooseWireframeColour() {
    const std::optional<Rgb8> chosen =
        colourChooser_.ChooseColour(ColourChannels(wireframeColour_));
    if (!chosen) return;
    wireframeSwatch_->SetColour(*chosen);
    wireframeColour_ = ColourComponents(*chosen);
    creature_.wireColour = wireframeColour_;
    RepaintPreview();
}

void PreferencesPage::UpdateSwap() {
    swapMouseButtons_ = swapBox_->isChecked();
    if (preview_) preview_->SetSwapMouseButtons(swapMouseButtons_);
    translateText_->setText(swapMouseButtons_ ? kLeftMouseText : kRightMouseText);
    rotateText_->setText(swapMouseButtons_ ? kRightMouseText : kLeftMouseText);
}

void PreferencesPage::RepaintPreview() {
    if (preview_) preview_->Invalidate();
}

bool PreferencesPage::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the field for another control applies it; the window losing the focus as a whole
    // (another window, a menu) does not, as the focus comes back to the field.
    if (watched == objectField_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ApplyObjectDirectoryField();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace bw
