#include "project/ui/project_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "export/ui/export_choices_dialog.h"
#include "project/creature_project_writer.h"
#include "project/list_selecting_load_listener.h"
#include "project/saved_project_message.h"
#include "project/ui/bitmap_button.h"
#include "project/ui/save_project_options_dialog.h"
#include "project/ui/translate_names_dialog.h"
#include "project/ui/translated_names_dialog.h"
#include "rig/pose_beside_project.h"
#include "select/part_selection.h"
#include "ui/about_dialog.h"
#include "ui/dialog_units.h"
#include "ui/open_manual.h"
#include "ui/product_name.h"

namespace bw {
namespace {

constexpr const char* kProjectFilter = "Beastwright Project (*.bwp)";
constexpr const char* kProjectExtension = "bwp";

struct BitmapButtonLayout {
    ProjectPage::ControlId id;
    ProjectIcon icon;
    const char* resourceName;  // names the button, as its pictures are named after it
    const char* caption;       // drawn into the pictures
    const char* command;       // the hidden push button's text
    const char* tooltip;
    int x, y;  // dialog units
};

constexpr int kBitmapWidth = 58;  // dialog units
constexpr int kBitmapHeight = 44;

const std::array<BitmapButtonLayout, 5> kBitmapButtons{{
    {ProjectPage::kNewId, ProjectIcon::New, "BM_PRJNEW", "New", "New Project", "New Project", 15,
     62},
    {ProjectPage::kLoadId, ProjectIcon::Open, "BM_PRJOPEN", "Open", "Load Project",
     "Open a saved Project", 78, 62},
    {ProjectPage::kSaveId, ProjectIcon::Save, "BM_PRJSAVE", "Save", "Save Project",
     "Save the current Project", 141, 62},
    {ProjectPage::kAboutId, ProjectIcon::About, "BM_PRJABOUT", "About", "About...",
     "About Beastwright Pro", 110, 112},
    {ProjectPage::kDocsId, ProjectIcon::Docs, "BM_PRJDOCS", "Manual", "Manual...",
     "Open the html documentation", 47, 112},
}};

struct ExportButtonLayout {
    ProjectPage::ControlId id;
    const char* text;
    const char* tooltip;
    int x, y, width;  // dialog units; height 14
    bool shown;
};

const std::array<ExportButtonLayout, 6> kExportButtons{{
    {ProjectPage::kExportRenderId, "Export For Render", "Export the model to the Renderer", 15, 236,
     88, false},
    {ProjectPage::kExportBodyPartsId, "Export with Body Parts",
     "Export the model with named body parts", 15, 227, 88, true},
    {ProjectPage::kExport3dsId, "3DS...", "Export in 3DS format", 15, 184, 42, true},
    {ProjectPage::kExportDxfId, "DXF...", "Export in DXF format", 61, 184, 42, true},
    {ProjectPage::kExportObjId, "OBJ...", "Export in Wavefront OBJ format", 107, 184, 42, true},
    {ProjectPage::kExportCobId, "COB...", "Export in trueSpace COB format", 153, 184, 42, false},
}};

}  // namespace

FileDialogRequest ProjectFileRequest(const std::string& title,
                                     const std::string& projectDirectory) {
    FileDialogRequest request;
    request.title = title;
    request.initialDirectory = projectDirectory;
    request.proposedName = projectDirectory + "/temp";
    request.filter = kProjectFilter;
    request.defaultExtension = kProjectExtension;
    return request;
}

// Shows the load in the Select Parts lists and asks the page's dialogs about renamed files.
class ProjectPage::LoadListener : public ListSelectingLoadListener {
  public:
    explicit LoadListener(ProjectPage& page)
        : ListSelectingLoadListener(page.selection_), page_(page) {}

    TranslationAnswer AskTranslation(const std::string& oldPath, const std::string& newPath,
                                     const TranslationAnswer& start) override {
        TranslateNamesDialog dialog(oldPath, newPath, start, &page_);
        return dialog.Ask();
    }
    void ShowTranslationList(const std::vector<std::string>& oldPaths,
                             const std::vector<std::string>& newPaths) override {
        TranslatedNamesDialog dialog(oldPaths, newPaths, &page_);
        dialog.exec();
    }
    void ClearSelection(BodyPartId bodyPart) override {
        cleared = true;
        ListSelectingLoadListener::ClearSelection(bodyPart);
    }

    // True once the load got as far as clearing the creature.
    bool cleared = false;

  private:
    ProjectPage& page_;
};

ProjectPage::ProjectPage(Creature& creature, PartSelection& selection, FileDialogs& fileDialogs,
                         Notifier& notifier, ShellOpener& shell, QWidget* parent)
    : QWidget(parent),
      creature_(creature),
      selection_(selection),
      fileDialogs_(fileDialogs),
      notifier_(notifier),
      shell_(shell),
      choicesDialog_(std::make_unique<QtExportChoicesAsker>(this)),
      exporter_(creature, fileDialogs, *choicesDialog_, notifier) {
    setAccessibleName("Project");
    setFocusPolicy(Qt::StrongFocus);
    BuildControls();
}

ProjectPage::~ProjectPage() = default;

void ProjectPage::BuildControls() {
    const DialogUnits units(font());

    banner_ = new QLabel(this);
    const QRect bannerPlace = units.Rect(7, 7, 200, 34);
    banner_->setGeometry(bannerPlace);
    banner_->setPixmap(
        DrawProjectBanner(bannerPlace.width(), bannerPlace.height(), devicePixelRatioF()));
    banner_->setAccessibleName("Beastwright Pro");

    auto* projectGroup = new QGroupBox("Project", this);
    projectGroup->setGeometry(units.Rect(7, 48, 200, 114));
    projectGroup->setAccessibleName("Project");

    const std::array<std::function<void()>, 5> commands{
        [this] { NewProject(); }, [this] { LoadProject(); }, [this] { SaveProject(); },
        [this] { ShowAbout(); }, [this] { OpenManual(); }};
    for (std::size_t k = 0; k < kBitmapButtons.size(); ++k) {
        const BitmapButtonLayout& layout = kBitmapButtons[k];
        auto* button = new BitmapButton(layout.icon, layout.caption, this);
        button->setObjectName(layout.resourceName);
        button->setGeometry(units.Rect(layout.x, layout.y, kBitmapWidth, kBitmapHeight));
        button->setAccessibleName(layout.command);
        button->setAccessibleDescription(layout.tooltip);
        button->setToolTip(layout.tooltip);
        connect(button, &QAbstractButton::clicked, this, commands[k]);
        bitmapButtons_[k] = button;

        auto* hidden = new QPushButton(layout.command, this);
        hidden->setAccessibleName(layout.command);
        hidden->hide();
        connect(hidden, &QPushButton::clicked, this, commands[k]);
        hiddenButtons_[k] = hidden;
    }
    // Keyboard order follows the picture: New, Open, Save, then Manual, About.
    setTabOrder(bitmapButtons_[0], bitmapButtons_[1]);
    setTabOrder(bitmapButtons_[1], bitmapButtons_[2]);
    setTabOrder(bitmapButtons_[2], bitmapButtons_[4]);
    setTabOrder(bitmapButtons_[4], bitmapButtons_[3]);

    auto* exportGroup = new QGroupBox("Export", this);
    exportGroup->setGeometry(units.Rect(7, 170, 200, 102));
    exportGroup->setAccessibleName("Export");
    for (std::size_t k = 0; k < kExportButtons.size(); ++k) {
        const ExportButtonLayout& layout = kExportButtons[k];
        auto* button = new QPushButton(layout.text, this);
        button->setGeometry(units.Rect(layout.x, layout.y, layout.width, 14));
        button->setAccessibleName(layout.text);
        button->setToolTip(layout.tooltip);
        // "Export For Render" and "COB..." have no format behind them: hidden and disabled.
        button->setEnabled(layout.shown);
        button->setVisible(layout.shown);
        exportButtons_[k] = button;
    }
    const std::array<std::pair<ControlId, ExportKind>, 4> exports{{
        {kExport3dsId, ExportKind::ThreeDs},
        {kExportDxfId, ExportKind::Dxf},
        {kExportObjId, ExportKind::Obj},
        {kExportBodyPartsId, ExportKind::BodyParts},
    }};
    for (const auto& [id, kind] : exports)
        connect(ExportButton(id), &QPushButton::clicked, this,
                [this, kind = kind] { Export(kind); });
    surfaceNames_ = new QCheckBox("Store surface Names as:\n <Type> <Name>", this);
    surfaceNames_->setGeometry(units.Rect(15, 203, 180, 20));
    surfaceNames_->setAccessibleName("Store surface Names as: <Type> <Name>");
    progress_ = new QProgressBar(this);
    progress_->setGeometry(units.Rect(15, 246, 182, 9));
    progress_->setTextVisible(false);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setAccessibleName("Export progress");
    exportStatus_ = new QLabel(this);
    exportStatus_->setGeometry(units.Rect(15, 258, 182, 9));
    exportStatus_->setAccessibleName("Export status");
}

BitmapButton* ProjectPage::Button(ControlId id) const {
    for (std::size_t k = 0; k < kBitmapButtons.size(); ++k)
        if (kBitmapButtons[k].id == id) return bitmapButtons_[k];
    return nullptr;
}

QPushButton* ProjectPage::HiddenButton(ControlId id) const {
    for (std::size_t k = 0; k < kBitmapButtons.size(); ++k)
        if (kBitmapButtons[k].id == id) return hiddenButtons_[k];
    return nullptr;
}

QPushButton* ProjectPage::ExportButton(ControlId id) const {
    for (std::size_t k = 0; k < kExportButtons.size(); ++k)
        if (kExportButtons[k].id == id) return exportButtons_[k];
    return nullptr;
}

void ProjectPage::Repaint() {
    if (repaint_) repaint_();
}

void ProjectPage::NewProject() {
    if (unsaved_ && !unsaved_->ConfirmLoss(CreatureLoss::StartingNew)) return;
    {
        const ScopedStep step(*steps_);
        ListSelectingLoadListener lists(selection_);
        for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
            lists.ClearSelection(id);
            creature_.RemovePart(std::string(BodyPartName(id)));
        }
        selection_.RememberSelections();
        if (pose_) pose_->SetPose(Pose{});
    }
    if (unsaved_) unsaved_->MarkSaved();
    Repaint();
}

void ProjectPage::LoadProject() {
    if (unsaved_ && !unsaved_->ConfirmLoss(CreatureLoss::LoadingAnother)) return;
    const std::optional<std::string> chosen =
        fileDialogs_.OpenFile(ProjectFileRequest("Load Project", projectDirectory_));
    if (chosen) LoadProjectFile(*chosen);
}

bool ProjectPage::LoadProjectFile(const std::string& path) {
    {
        // The whole load is one step, the translation questions and the parts that failed
        // included.
        const ScopedStep step(*steps_);
        LoadListener listener(*this);
        // A file that is no project is refused (with a warning) before anything is cleared.
        bw::LoadProject(creature_, path, objectDirectory_, flags_, listener);
        if (!listener.cleared) return false;
        selection_.RememberSelections();
        LoadPose(path);
    }
    if (unsaved_) unsaved_->MarkSaved();
    Repaint();
    return true;
}

bool ProjectPage::SaveProject() {
    const std::optional<std::string> chosen =
        fileDialogs_.SaveFile(ProjectFileRequest("Save Project", projectDirectory_));
    if (!chosen) return false;
    SaveProjectOptionsDialog options(this);
    if (options.exec() != QDialog::Accepted) return false;
    const std::string saved = SavedProjectMessage(*chosen);
    std::string reason;
    if (WriteProject(creature_, *chosen, objectDirectory_, options.Version(), &reason)) {
        if (unsaved_) unsaved_->MarkSaved();
        SavePose(*chosen);
        notifier_.ShowMessage(saved, kApplicationName, MessageIcon::Exclamation,
                              MessageButtons::Ok);
        return true;
    }
    // The file is replaced atomically, so a failed save leaves an old file as it was.
    notifier_.ShowMessage(*chosen + "\n" + reason, "Unable to save project", MessageIcon::Warning,
                          MessageButtons::Ok);
    return false;
}

void ProjectPage::LoadPose(const std::string& projectPath) {
    if (!pose_) return;
    Pose pose;
    std::string reason;
    if (!LoadPoseBesideProject(projectPath, &pose, &reason))
        notifier_.ShowMessage(PosePathOfProject(projectPath) + "\n" + reason +
                                  "\nThe creature is shown in its rest pose.",
                              "Unable to load pose", MessageIcon::Warning, MessageButtons::Ok);
    pose_->SetPose(pose);
}

void ProjectPage::SavePose(const std::string& projectPath) {
    if (!pose_) return;
    std::string reason;
    if (!SavePoseBesideProject(projectPath, pose_->GetPose(), &reason))
        notifier_.ShowMessage(PosePathOfProject(projectPath) + "\n" + reason, "Unable to save pose",
                              MessageIcon::Warning, MessageButtons::Ok);
}

void ProjectPage::Export(ExportKind kind) {
    // The bar moves through the stages; each is painted before the work it names starts.
    const auto showStage = [this](ExportStage stage) {
        static constexpr std::array<int, 5> kStart{10, 20, 40, 60, 85};  // Collecting ... Saving
        progress_->setValue(kStart[std::size_t(stage)]);
        progress_->repaint();
    };
    exportStatus_->clear();
    progress_->setValue(0);
    exporter_.SetPose(pose_ ? std::optional<Pose>(pose_->GetPose()) : std::nullopt);
    const std::optional<std::string> outcome =
        exporter_.Run(kind, surfaceNames_->isChecked(), showStage);
    progress_->setValue(outcome ? 100 : 0);
    exportStatus_->setText(outcome ? QString::fromStdString(*outcome) : QString());
}

void ProjectPage::OpenManual() { bw::OpenManual(objectDirectory_, shell_, notifier_); }

void ProjectPage::ShowAbout() {
    AboutDialog about(shell_, this);
    about.exec();
}

void ProjectPage::keyReleaseEvent(QKeyEvent* event) {
    const bool numpadZero = event->key() == Qt::Key_0 && (event->modifiers() & Qt::KeypadModifier);
    if (numpadZero || event->key() == Qt::Key_F12) {
        notifier_.ShowMessage("It's an Easter Egg Hunt!", kApplicationName, MessageIcon::None,
                              MessageButtons::Ok);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

}  // namespace bw
