#include "app/main_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "app/dialog_units.h"
#include "app/product_name.h"
#include "render/preview_navigation.h"
#include "render/preview_view.h"
#include "select/select_parts_page.h"

namespace bw {
namespace {

constexpr int kDialogWidth = 592;  // dialog units
constexpr int kDialogHeight = 410;
constexpr int kPreviewWidth = 365;  // dialog units
constexpr int kPreviewHeight = 342;
constexpr int kPreviewTop = 20;  // pixels
// The converter's view modes of the six view buttons, in button order.
constexpr std::array<int, 6> kConverterViewModes{3, 4, 5, 0, 1, 2};
constexpr int kConverterSolidButton = 1;

}  // namespace

MainDialog::MainDialog(const MainDialogPlatform& platform, const std::string& startDirectory,
                       QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const DialogUnits units(font());
    setFixedSize(units.X(kDialogWidth), units.Y(kDialogHeight));

    tabs_ = new QTabWidget(this);
    tabs_->setGeometry(units.Rect(0, 0, 220, 358));
    tabs_->setAccessibleName("Pages");

    // Allocation order: the preview view, the creature, the pages.
    if (platform_.openGlAvailable && platform_.openGlAvailable()) {
        preview_ = new PreviewView(platform_.notifier, this);
    } else {
        platform_.notifier.ShowMessage("Unable to Setup OpenGL, Please install a new OpenGL driver.",
                                       "OpenGL Error", MessageIcon::Warning, MessageButtons::Ok);
    }
    creature_ = std::make_unique<Creature>(platform_.notifier);
    selectParts_ = new SelectPartsPage(*creature_, platform_.files);
    projectPage_ = new QWidget;
    preferencePage_ = new QWidget;
    editPartsPage_ = new QWidget;
    converterPage_ = new QWidget;
    projectPage_->setAccessibleName("Project");
    preferencePage_->setAccessibleName("Preference");
    editPartsPage_->setAccessibleName("Edit Parts");
    converterPage_->setAccessibleName("Converter");

    ReadConfigurationFile(startDirectory, configuration_);

    shadingMode = 0;
    creature_->lightLevel = kInitialLightLevel;

    selectParts_->SetObjectDirectory(configuration_.objectDir);
    selectParts_->SetRepaint([this] { RepaintPreview(); });

    if (preview_) {
        preview_->setGeometry(units.X(220), kPreviewTop, units.X(kPreviewWidth),
                              units.Y(kPreviewHeight));
        preview_->SetCreature(creature_.get());
        preview_->show();
    }
    BuildTabs();
    BuildBottomControls();

    creature_->shadingMode = shadingMode;
    selectParts_->FillPartLists();
    if (preview_)
        preview_->SetBackgroundColour(
            {configuration_.bgColor[0], configuration_.bgColor[1], configuration_.bgColor[2]});
    creature_->wireColour = {configuration_.wireColor[0], configuration_.wireColor[1],
                             configuration_.wireColor[2]};

    setWindowTitle(kProductTitle);
    UpdateSymmetryLabels();
}

MainDialog::~MainDialog() {
    // The pages and the preview refer to the creature: destroy them (Qt children, the
    // converter page included, with or without its tab) before it.
    delete tabs_;
    tabs_ = nullptr;
    converterPage_ = nullptr;
    delete preview_;
    preview_ = nullptr;
}

void MainDialog::BuildTabs() {
    tabs_->insertTab(kProjectTab, projectPage_, "Project");
    tabs_->insertTab(kPreferenceTab, preferencePage_, "Preference");
    tabs_->insertTab(kSelectPartsTab, selectParts_, "Select Parts");
    tabs_->insertTab(kEditPartsTab, editPartsPage_, "Edit Parts");
    // The converter page exists from the start; only F12 on the tab strip gives it a tab.
    converterPage_->setParent(tabs_);
    converterPage_->hide();
    tabs_->setCurrentIndex(kProjectTab);
    connect(tabs_, &QTabWidget::currentChanged, this, &MainDialog::OnTabChanged);
    tabs_->tabBar()->installEventFilter(this);
    tabs_->tabBar()->setFocusPolicy(Qt::StrongFocus);
    tabs_->tabBar()->setAccessibleName("Tabs");
}

void MainDialog::BuildBottomControls() {
    const DialogUnits units(font());

    randomButton_ = new QPushButton("Random Creature", this);
    randomButton_->setGeometry(units.Rect(5, 362, 66, 13));
    creatureTypeBox_ = new QComboBox(this);
    creatureTypeBox_->addItems({"(all types)", "Fantasy", "Female", "Insect", "Male", "Manga"});
    creatureTypeBox_->setGeometry(units.Rect(79, 362, 102, 13));
    creatureTypeBox_->setAccessibleName("Creature type");
    clearButton_ = new QPushButton("Clear Creature", this);
    clearButton_->setGeometry(units.Rect(5, 375, 66, 13));
    doneButton_ = new QPushButton("Done", this);
    doneButton_->setGeometry(units.Rect(5, 392, 66, 14));
    doneButton_->setDefault(true);
    connect(doneButton_, &QPushButton::clicked, this, [this] {
        symmetryOn = symmetryRadios_[1]->isChecked() ? 1 : 0;
        creatureType = creatureTypeBox_->currentIndex();
        accept();
    });

    const std::array<const char*, 3> shadingNames{"Smooth", "Flat", "Wireframe"};
    const std::array<int, 3> shadingX{80, 123, 155};
    const std::array<int, 3> shadingWidth{40, 30, 46};
    auto* shadingGroup = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        shadingRadios_[k] = new QRadioButton(shadingNames[k], this);
        shadingRadios_[k]->setGeometry(units.Rect(shadingX[k], 395, shadingWidth[k], 12));
        shadingRadios_[k]->setAccessibleName(shadingNames[k]);
        shadingGroup->addButton(shadingRadios_[k], k);
    }
    shadingRadios_[0]->setChecked(true);
    connect(shadingGroup, &QButtonGroup::idClicked, this, &MainDialog::SetShadingMode);

    symmetryBox_ = new QGroupBox("Symmetry", this);
    symmetryBox_->setGeometry(units.Rect(223, 358, 172, 48));
    symmetryBox_->setAccessibleName("Symmetry");
    auto* offOn = new QButtonGroup(this);
    const std::array<const char*, 2> offOnNames{"Off", "On"};
    for (int k = 0; k < 2; ++k) {
        symmetryRadios_[k] = new QRadioButton(offOnNames[k], this);
        symmetryRadios_[k]->setGeometry(units.Rect(228, 368 + 11 * k, 30, 10));
        symmetryRadios_[k]->setAccessibleName(QString("Symmetry ") + offOnNames[k]);
        offOn->addButton(symmetryRadios_[k], k);
    }
    symmetryRadios_[0]->setChecked(true);

    const std::array<const char*, 4> rowNames{"Head Features", "Upper Limbs", "Lower Limbs", "All"};
    for (int row = 0; row < 4; ++row) {
        const bool all = row == 3;
        const int y = all ? 392 : 370 + 11 * row;
        symmetryLabels_[row] = new QLabel(rowNames[row], this);
        symmetryLabels_[row]->setGeometry(
            all ? units.Rect(228, y, 12, 10) : units.Rect(301, y, 52, 10));
        const std::array<int, 2> arrowX = all ? std::array<int, 2>{241, 260}
                                              : std::array<int, 2>{355, 374};
        const std::array<const char*, 2> arrowText{"<<", ">>"};
        for (int k = 0; k < 2; ++k) {
            auto* arrow = new QPushButton(arrowText[k], this);
            arrow->setGeometry(units.Rect(arrowX[k], y, 18, 10));
            arrow->setAccessibleName(QString(rowNames[row]) + " " + arrowText[k]);
            arrow->setCheckable(!all);
            arrows_[row][k] = arrow;
        }
        if (!all) arrows_[row][1]->setChecked(symmetryDirection[row] != 2);
        if (!all) arrows_[row][0]->setChecked(symmetryDirection[row] == 2);
    }

    const std::array<const char*, 6> viewNames{"Wire", "Solid", "Smooth", "Top", "Front", "Side"};
    auto* styleGroup = new QButtonGroup(this);
    auto* directionGroup = new QButtonGroup(this);
    for (int k = 0; k < 6; ++k) {
        auto* button = new QPushButton(viewNames[k], this);
        button->setCheckable(true);
        button->setGeometry(units.Rect(475 + 38 * (k % 3), k < 3 ? 360 : 374, 38, 13));
        button->setAccessibleName(QString("Converter view ") + viewNames[k]);
        (k < 3 ? styleGroup : directionGroup)->addButton(button, kConverterViewModes[k]);
        converterView_[k] = button;
    }
    converterView_[kConverterSolidButton]->setChecked(true);
    auto repaintOnView = [this](int) { RepaintPreview(); };
    connect(styleGroup, &QButtonGroup::idClicked, this, repaintOnView);
    connect(directionGroup, &QButtonGroup::idClicked, this, repaintOnView);
    for (QPushButton* button : converterView_) button->hide();

    for (QPushButton* button : {randomButton_, clearButton_, doneButton_})
        button->setAccessibleName(button->text());
}

void MainDialog::SetShadingMode(int mode) {
    shadingMode = mode;
    creature_->shadingMode = mode;
    if (mode >= 0 && mode < 3 && !shadingRadios_[mode]->isChecked())
        shadingRadios_[mode]->setChecked(true);
    RepaintPreview();
}

void MainDialog::UpdateSymmetryLabels() {
    for (QLabel* label : symmetryLabels_) label->setEnabled(symmetryOn == 1);
}

void MainDialog::RepaintPreview() {
    if (preview_) preview_->Invalidate();
}

void MainDialog::OnTabChanged(int index) {
    if (preview_) preview_->SetActiveTab(index);
    RepaintPreview();
    if (QWidget* page = tabs_->widget(index)) page->setFocus();
    const bool converterSelected = index == kConverterTab;
    for (QPushButton* button : converterView_) button->setEnabled(converterSelected);
    const bool converterPresent = tabs_->count() > 4;
    for (QPushButton* button : converterView_) button->setVisible(converterPresent);
}

void MainDialog::ToggleConverterTab() {
    const QString text = tabs_->count() > 4 ? tabs_->tabText(kConverterTab).left(31) : QString();
    if (text != "Converter") {
        // Inserting a tab selects nothing new, so the view buttons keep their state until the
        // next change of tab.
        const QSignalBlocker blocker(tabs_);
        tabs_->insertTab(kConverterTab, converterPage_, "Converter");
        return;
    }
    if (tabs_->currentIndex() == kConverterTab) {
        platform_.notifier.ShowMessage("Can't delete the Converter when it is the selected Tab",
                                       "Easter Egg Hunt", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    const QSignalBlocker blocker(tabs_);
    tabs_->removeTab(kConverterTab);
    converterPage_->hide();
}

void MainDialog::ChangeObjectDirectory(const std::string& path) {
    configuration_.objectDir = path;
    selectParts_->SetObjectDirectory(path);
    selectParts_->ResetPartLists();
}

void MainDialog::ChangeProjectDirectory(const std::string& path) {
    configuration_.projectDir = path;
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (watched == tabs_->tabBar() && key &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F12) {
        if (event->type() == QEvent::KeyPress) ToggleConverterTab();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool MainDialog::KeyReachesDialogItself() const {
    // Keys a child control leaves unhandled travel up to the dialog too; only those that
    // arrive while no child holds the focus are the dialog's own.
    const QWidget* focus = focusWidget();
    return focus == nullptr || focus == this;
}

void MainDialog::ShowApplicationMessage(const std::string& text) {
    platform_.notifier.ShowMessage(text, kApplicationName, MessageIcon::None, MessageButtons::Ok);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (KeyReachesDialogItself() &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up)) {
        ShowApplicationMessage("Enter");
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::keyReleaseEvent(QKeyEvent* event) {
    const bool numpadZero =
        event->key() == Qt::Key_0 && (event->modifiers() & Qt::KeypadModifier);
    if (KeyReachesDialogItself() && (numpadZero || event->key() == Qt::Key_F12)) {
        ShowApplicationMessage("It's an Easter Egg Hunt!");
        return;
    }
    QDialog::keyReleaseEvent(event);
}

}  // namespace bw
