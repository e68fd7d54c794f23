#include "app/ui/main_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/ui/preferences_page.h"
#include "converter/ui/converter_page.h"
#include "edit/ui/edit_parts_page.h"
#include "project/creature_project_writer.h"
#include "project/project_file.h"
#include "project/ui/project_page.h"
#include "render/preview_navigation.h"
#include "render/ui/offscreen_thumbnail_source.h"
#include "render/ui/preview_container.h"
#include "render/ui/preview_view.h"
#include "select/clear_creature.h"
#include "select/random_creature.h"
#include "select/ui/part_thumbnails.h"
#include "select/ui/select_parts_page.h"
#include "ui/dialog_units.h"
#include "ui/product_name.h"

namespace bw {
namespace {

constexpr int kDialogWidth = 592;  // dialog units
constexpr int kDialogHeight = 410;
constexpr int kPreviewWidth = 365;  // dialog units
constexpr int kPreviewHeight = 342;
constexpr int kPreviewTop = 20;  // pixels

// The application's style with narrower tab padding.
class CompactTabStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

}  // namespace

MainDialog::MainDialog(const MainDialogPlatform& platform, const std::string& startDirectory,
                       QWidget* parent)
    : QDialog(parent), platform_(platform), startDirectory_(startDirectory) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    const DialogUnits units(font());
    // It starts at its template's size and may grow: the preview takes the room it gains.
    initialSize_ = QSize(units.X(kDialogWidth), units.Y(kDialogHeight));
    setMinimumSize(initialSize_);
    resize(initialSize_);
    tabs_ = new QTabWidget(this);
    tabs_->setGeometry(units.Rect(0, 0, 220, 358));
    tabs_->setAccessibleName("Pages");

    // Allocation order: the preview view, the creature, the converter model, the pages.
    BuildPreview();
    creature_ = std::make_unique<Creature>(platform_.notifier);
    pose_ = std::make_unique<CreaturePose>();
    converterModel_ = std::make_unique<ConverterModel>(platform_.notifier);
    BuildPages();
    ReadConfigurationFile(startDirectory, configuration_);
    creature_->shadingMode = ShadingMode::Smooth;
    creature_->lightLevel = kInitialLightLevel;
    ApplyConfiguration();
    if (preview_) {
        previewContainer_->setGeometry(units.X(220), kPreviewTop, units.X(kPreviewWidth),
                                       units.Y(kPreviewHeight));
        preview_->SetCreature(creature_.get());
        preview_->SetCreaturePose(pose_.get());
        previewContainer_->show();
    }
    BuildTabs();
    BuildHistoryAndBottomControls();
    BuildUndoKeys();
    RememberStartLayout();

    selectParts_->FillPartLists();
    undo_->Clear();
    unsaved_->MarkSaved();
    if (preview_)
        preview_->SetBackgroundColour(
            {configuration_.bgColor[0], configuration_.bgColor[1], configuration_.bgColor[2]});
    creature_->wireColour = {configuration_.wireColor[0], configuration_.wireColor[1],
                             configuration_.wireColor[2]};
    setWindowTitle(kProductTitle);
}

void MainDialog::BuildPreview() {
    const OpenGlSetup openGl = platform_.openGl ? platform_.openGl() : OpenGlSetup::NoContext;
    if (openGl == OpenGlSetup::Ready) {
        preview_ = new PreviewView();
        previewContainer_ = new bw::PreviewContainer(preview_, this);
        return;
    }
    platform_.notifier.ShowMessage(
        openGl == OpenGlSetup::NoPixelFormat
            ? "Unable to Setup PixelFormat, Please install a new OpenGL driver."
            : "Unable to Setup OpenGL, Please install a new OpenGL driver.",
        "OpenGL Error", MessageIcon::Warning, MessageButtons::Ok);
}

void MainDialog::BuildPages() {
    selectParts_ = new SelectPartsPage(*creature_, platform_.files);
    if (preview_) {
        // The lists' pictures are drawn in a context that shares the preview's.
        thumbnailSource_ = std::make_unique<OffscreenThumbnailSource>(
            [this]() -> QOpenGLContext* { return preview_ ? preview_->context() : nullptr; });
        selectParts_->SetThumbnailSource(thumbnailSource_.get());
        // Once the window is on screen, the drawing gets ready behind it, so the first list
        // to open does not wait for a new context.
        connect(
            preview_, &QOpenGLWindow::frameSwapped, this,
            [this] { selectParts_->Thumbnails().WarmUp(); }, Qt::SingleShotConnection);
    }
    projectPage_ = new ProjectPage(*creature_, selectParts_->Selection(), platform_.fileDialogs,
                                   platform_.notifier, platform_.shell);
    preferencePage_ = new PreferencesPage(*creature_, platform_.fileDialogs,
                                          platform_.colourChooser, platform_.notifier);
    editParts_ = new EditPartsPage(*creature_, [this] { RepaintPreview(); });
    editParts_->SetCreaturePose(pose_.get());
    if (preview_) {
        connect(preview_, &PreviewView::PosingStarted, this, &MainDialog::StartPosingDrag);
        connect(preview_, &PreviewView::PosingMoved, this, &MainDialog::MovePosingDrag);
        connect(preview_, &PreviewView::PosingEnded, this, [this] {
            if (!posedByDrag_) return;
            posedByDrag_.reset();
            undo_->StepEnds();
        });
    }
    projectPage_->SetCreaturePose(pose_.get());
    connect(editParts_->Pose(), &PoseGroup::ShowSkeletonToggled, this, [this](bool show) {
        if (preview_) preview_->SetShowSkeleton(show);
    });
    converterScene_ = std::make_unique<ConverterPreviewScene>(*converterModel_);
    converterPage_ =
        new bw::ConverterPage(*converterModel_, platform_.notifier, platform_.fileDialogs,
                              configuration_.convertObjectDir, configuration_.convertObjectName);
    projectPage_->setAccessibleName("Project");
    preferencePage_->setAccessibleName("Preference");
    editParts_->setAccessibleName("Edit Parts");
    symmetry_ = std::make_unique<SymmetryState>(selectParts_->Selection());
    converterPage_->setAccessibleName("Converter");
}

void MainDialog::ApplyConfiguration() {
    selectParts_->SetObjectDirectory(configuration_.objectDir);
    selectParts_->SetRepaint([this] { RepaintPreview(); });
    converterModel_->SetObjectDirectory(configuration_.objectDir);
    converterModel_->SetObjectName(configuration_.convertObjectName);
    converterPage_->SetRepaint([this] { RepaintPreview(); });
    projectPage_->SetProjectDirectory(configuration_.projectDir);
    projectPage_->SetObjectDirectory(configuration_.objectDir);
    projectPage_->SetRepaint([this] { RepaintPreview(); });
    preferencePage_->SetProjectDirectory(configuration_.projectDir);
    preferencePage_->SetObjectDirectory(configuration_.objectDir);
    preferencePage_->SetBackgroundColour(
        {configuration_.bgColor[0], configuration_.bgColor[1], configuration_.bgColor[2]});
    preferencePage_->SetWireframeColour(
        {configuration_.wireColor[0], configuration_.wireColor[1], configuration_.wireColor[2]});
    preferencePage_->SetPreview(preview_);
    preferencePage_->SetDirectoryHandlers(
        [this](const std::string& path) { ChangeObjectDirectory(path); },
        [this](const std::string& path) { ChangeProjectDirectory(path); });
}

void MainDialog::BuildHistoryAndBottomControls() {
    unsaved_ = std::make_unique<UnsavedCreature>(platform_.notifier,
                                                 [this] { return projectPage_->SaveProject(); });
    projectPage_->SetUnsavedCreature(unsaved_.get());
    undo_ = std::make_unique<UndoSteps>(
        CreatureStateSources{*creature_, selectParts_->Selection(), *symmetry_, pose_.get()},
        UndoSteps::Hooks{[this] { return BodyPartOfEntry(editParts_->Editor().View().entry); },
                         [this](std::optional<BodyPartId> part) { ShowRestoredState(part); },
                         {},
                         [this](bool creatureChanged) {
                             if (creatureChanged) unsaved_->MarkChanged();
                             if (bottom_) bottom_->ShowUndoState();
                         }});
    bottom_ = new BottomControls(
        *this, {*creature_, selectParts_->Selection(), *symmetry_, *converterModel_,
                platform_.random, [this] { RepaintPreview(); }, *undo_, *undo_,
                [this] {
                    // The part the Edit Parts page shows may be gone; hidden, the page looks
                    // again when it is shown.
                    if (editParts_->isVisible()) editParts_->Refresh();
                },
                [this](int level) {
                    if (preview_) preview_->SetSurfaceLevel(level);
                    projectPage_->SetSurfaceLevel(level);
                }});
    selectParts_->SetStepListener(undo_.get());
    editParts_->SetStepListener(undo_.get());
    projectPage_->SetStepListener(undo_.get());
}

MainDialog::~MainDialog() {
    // The pages and the preview refer to the creature: destroy them (Qt children, the
    // converter page included, with or without its tab) before it. The symmetry state detaches
    // from the Select Parts page's selection, so it goes first; before it, the pages stop
    // reporting steps to the history, which refers to both.
    selectParts_->SetStepListener(nullptr);
    editParts_->SetStepListener(nullptr);
    projectPage_->SetStepListener(nullptr);
    projectPage_->SetUnsavedCreature(nullptr);
    symmetry_.reset();
    tabBar_->removeEventFilter(this);
    tabBar_ = nullptr;
    delete tabs_;
    tabs_ = nullptr;
    converterPage_ = nullptr;
    thumbnailSource_.reset();  // its context shares the preview's
    delete previewContainer_;  // and with it the preview window
    previewContainer_ = nullptr;
    preview_ = nullptr;
}

void MainDialog::RememberStartLayout() {
    const DialogUnits units(font());
    previewMargin_ = QSize(initialSize_.width() - units.X(220) - units.X(kPreviewWidth),
                           initialSize_.height() - kPreviewTop - units.Y(kPreviewHeight));
    bottomControls_.clear();
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget == tabs_ || widget == previewContainer_ || widget->isWindow())
            continue;
        bottomControls_.push_back({widget, widget->geometry()});
    }
}

void MainDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The tab strip keeps its place; the bottom controls keep theirs above the dialog's bottom
    // edge; the preview takes the rest to the right of the one and above the others.
    const int grownBy = height() - initialSize_.height();
    for (const auto& [widget, start] : bottomControls_)
        widget->move(start.topLeft() + QPoint(0, grownBy));
    if (previewContainer_) {
        const int left = previewContainer_->x();
        previewContainer_->resize(std::max(1, width() - left - previewMargin_.width()),
                                  std::max(1, height() - kPreviewTop - previewMargin_.height()));
    }
}

void MainDialog::BuildTabs() {
    tabs_->insertTab(kProjectTab, projectPage_, "Project");
    tabs_->insertTab(kPreferenceTab, preferencePage_, "Preference");
    tabs_->insertTab(kSelectPartsTab, selectParts_, "Select Parts");
    tabs_->insertTab(kEditPartsTab, editParts_, "Edit Parts");
    // The converter page exists from the start; only F12 on the tab strip gives it a tab.
    converterPage_->setParent(tabs_);
    converterPage_->hide();
    tabs_->setCurrentIndex(kProjectTab);
    connect(tabs_, &QTabWidget::currentChanged, this, &MainDialog::OnTabChanged);
    tabBar_ = tabs_->tabBar();
    tabBar_->installEventFilter(this);
    tabs_->tabBar()->setFocusPolicy(Qt::StrongFocus);
    tabs_->tabBar()->setAccessibleName("Tabs");
    // Five tabs fit the strip's width without scroll arrows with a little less padding.
    auto* compact = new CompactTabStyle;
    compact->setParent(tabs_->tabBar());
    tabs_->tabBar()->setStyle(compact);
}

void MainDialog::BuildUndoKeys() {
    // A text field takes these keys for its own text before they reach the dialog.
    auto* undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undoKey, &QShortcut::activated, this, &MainDialog::UndoLastStep);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        auto* redoKey = new QShortcut(keys, this);
        connect(redoKey, &QShortcut::activated, this, &MainDialog::RedoStep);
    }
}

bool MainDialog::UndoLastStep() { return undo_->Undo(); }
bool MainDialog::RedoStep() { return undo_->Redo(); }

void MainDialog::done(int result) {
    // Escape, "Done" and the close box all end here; a signal does not wait for an answer.
    if (!endingOnSignal_ && !unsaved_->ConfirmLoss(CreatureLoss::Closing)) return;
    QDialog::done(result);
}

std::string MainDialog::RecoveredCreaturePath() const {
    return startDirectory_ + "/bw-recovered.bwp";
}

void MainDialog::EndOnSignal() {
    if (endingOnSignal_) return;
    endingOnSignal_ = true;
    if (!unsaved_->Changed()) return;
    std::string reason;
    if (!WriteProject(*creature_, RecoveredCreaturePath(), configuration_.objectDir,
                      std::string(kProjectVersionPro), &reason))
        std::fprintf(stderr, "beastwright: %s: %s\n", RecoveredCreaturePath().c_str(),
                     reason.c_str());
}

void MainDialog::OfferRecoveredCreature() {
    const std::string path = RecoveredCreaturePath();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return;
    const MessageResult answer = platform_.notifier.ShowMessage(
        "A creature that was not saved when the program last ended has been recovered.\n"
        "Load it?",
        kApplicationName, MessageIcon::Question, MessageButtons::YesNo);
    if (endingOnSignal_) return;  // the box was closed by the signal, not answered
    if (answer == MessageResult::Yes && projectPage_->LoadProjectFile(path))
        unsaved_->MarkChanged();
    std::filesystem::remove(path, error);
}

void MainDialog::StartPosingDrag(int partIndex) {
    const PartObject* part = creature_->Part(partIndex);
    if (!part || posedByDrag_) return;
    undo_->StepBegins();
    posedByDrag_ = part->bodyPart;
    editParts_->ShowEntry(EntryOfBodyPart(part->bodyPart));  // the part becomes the edited one
}

void MainDialog::MovePosingDrag(int right, int up) {
    if (!posedByDrag_) return;
    JointRotation rotation = pose_->GetPose().Rotation(*posedByDrag_);
    const auto turned = [](float degrees, int pixels) {
        return std::clamp(degrees + kPosingDegreesPerPixel * float(pixels), -kMaxJointAngle,
                          kMaxJointAngle);
    };
    rotation.bend = turned(rotation.bend, up);
    rotation.side = turned(rotation.side, right);
    if (!pose_->SetRotation(*posedByDrag_, rotation)) return;
    editParts_->Pose()->ShowAngles();
    RepaintPreview();
}

void MainDialog::ShowRestoredState(std::optional<BodyPartId> editedPart) {
    editParts_->ShowEntry(EntryOfBodyPart(editedPart));
    bottom_->ShowSymmetry();
    RepaintPreview();
}

void MainDialog::SetShadingMode(ShadingMode mode) { bottom_->SetShadingMode(mode); }

void MainDialog::SetSurfaceLevel(int level) { bottom_->SetSurfaceLevel(level); }
void MainDialog::RandomCreature() { bottom_->RandomCreature(); }
void MainDialog::ClearCreature() { bottom_->ClearCreature(); }
void MainDialog::SetSymmetryOn(bool on) { bottom_->SetSymmetryOn(on); }
void MainDialog::ChooseSymmetryDirection(std::optional<SymmetryGroup> group,
                                         SymmetryDirection direction) {
    bottom_->ChooseSymmetryDirection(group, direction);
}

void MainDialog::RepaintPreview() {
    if (preview_) preview_->Invalidate();
}

void MainDialog::OnTabChanged(int index) {
    const bool converterSelected = index == kConverterTab;
    if (preview_) preview_->SetScene(converterSelected ? converterScene_.get() : nullptr);
    RepaintPreview();
    // A click on the tab strip leaves the focus there, as the click gave it, so F12 works next.
    if (QWidget* page = tabs_->widget(index); page != nullptr && !tabStripClicked_)
        page->setFocus();
    if (converterSelected) converterPage_->ShowDirectoryAndName();
    for (QPushButton* button : bottom_->ConverterViewButtons())
        button->setEnabled(converterSelected);
    const bool converterPresent = tabs_->count() > 4;
    for (QPushButton* button : bottom_->ConverterViewButtons())
        button->setVisible(converterPresent);
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

Configuration MainDialog::CurrentConfiguration() const {
    Configuration current = configuration_;
    current.objectDir = preferencePage_->ObjectDirectory();
    current.projectDir = preferencePage_->ProjectDirectory();
    for (std::size_t k = 0; k < 3; ++k) {
        current.bgColor[k] = preferencePage_->BackgroundColour()[k];
        current.wireColor[k] = preferencePage_->WireframeColour()[k];
    }
    return current;
}

void MainDialog::ChangeObjectDirectory(const std::string& path) {
    configuration_.objectDir = path;
    converterModel_->SetObjectDirectory(path);
    preferencePage_->SetObjectDirectory(path);
    projectPage_->SetObjectDirectory(path);
    selectParts_->SetObjectDirectory(path);
    selectParts_->ResetPartLists();
    // The stored steps name files of the old directory.
    undo_->Clear();
}

void MainDialog::ChangeProjectDirectory(const std::string& path) {
    configuration_.projectDir = path;
    projectPage_->SetProjectDirectory(path);
    preferencePage_->SetProjectDirectory(path);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    // A pointer compared, never a call on the tab widget: the filter also sees the events of
    // the tab bar's destruction, while the tab widget is no longer whole.
    if (watched == tabBar_ && event->type() == QEvent::MouseButtonPress) tabStripClicked_ = true;
    if (watched == tabBar_ && event->type() == QEvent::MouseButtonRelease) tabStripClicked_ = false;
    if (watched == tabBar_ && key && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F12) {
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
    const bool numpadZero = event->key() == Qt::Key_0 && (event->modifiers() & Qt::KeypadModifier);
    if (KeyReachesDialogItself() && (numpadZero || event->key() == Qt::Key_F12)) {
        ShowApplicationMessage("It's an Easter Egg Hunt!");
        return;
    }
    QDialog::keyReleaseEvent(event);
}

}  // namespace bw
