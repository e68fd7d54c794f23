// Writes the pictures of the HTML manual (docs/manual/images/*.png) from the real window and
// dialogs over the sample library:
//   manual_screenshots SHARE_DIRECTORY OUTPUT_DIRECTORY
// Needs a display with OpenGL (run it under xvfb-run). Projects are loaded through the Project
// page itself, with a file dialog that answers with the sample project.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/ui/application.h"
#include "app/ui/main_dialog.h"
#include "converter/ui/converter_page.h"
#include "edit/ui/edit_parts_page.h"
#include "export/ui/export_choices_dialog.h"
#include "model/file_enumerator.h"
#include "project/ui/bitmap_button.h"
#include "project/ui/project_page.h"
#include "project/ui/save_project_options_dialog.h"
#include "project/ui/translate_names_dialog.h"
#include "render/ui/preview_view.h"
#include "select/random_source.h"
#include "select/ui/part_thumbnails.h"
#include "select/ui/select_parts_page.h"
#include "start_configuration.h"
#include "ui/about_dialog.h"
#include "window_picture.h"

namespace {

// Answers every file dialog with one path.
class AnsweringFileDialogs : public bw::FileDialogs {
  public:
    std::optional<std::string> OpenFile(const bw::FileDialogRequest&) override { return answer; }
    std::optional<std::string> SaveFile(const bw::FileDialogRequest&) override { return answer; }
    std::string answer;
};

// Messages go to standard error: nothing may wait for a person. Changes made for one picture
// are let go before the next project is loaded.
class PrintingNotifier : public bw::Notifier {
  public:
    bw::MessageResult ShowMessage(const std::string& text, const std::string& caption,
                                  bw::MessageIcon, bw::MessageButtons buttons) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons == bw::MessageButtons::SaveDiscardCancel ? bw::MessageResult::Discard
                                                                : bw::MessageResult::Ok;
    }
};

class NoColours : public bw::ColourChooser {
  public:
    std::optional<bw::Rgb8> ChooseColour(const bw::Rgb8&) override { return std::nullopt; }
};

class NoShell : public bw::ShellOpener {
  public:
    int Open(const std::string&) override { return bw::kShellOpenSuccess; }
};

bool Save(QWidget& widget, const std::string& path) {
    const bool saved = bw::WindowPicture(widget).save(QString::fromStdString(path));
    std::printf("%s\n", path.c_str());
    return saved;
}

// The sample creatures face an unturned view.
constexpr float kFront = 0.0f;

// The shown main window, how it loads projects, and the pictures taken so far.
struct Session {
    bw::MainDialog& dialog;
    AnsweringFileDialogs& fileDialogs;
    std::string share;
    std::string output;
    int failures = 0;

    void Shot(QWidget& widget, const char* name) {
        if (!Save(widget, output + "/" + name)) ++failures;
    }

    // Loads a sample project through the Project page and turns the creature.
    void Load(const char* project, float yaw, float pitch) {
        fileDialogs.answer = share + "/Projects/" + project;
        dialog.Project()->LoadProject();
        dialog.GetCreature().yaw = yaw;
        dialog.GetCreature().pitch = pitch;
        if (dialog.Preview()) dialog.Preview()->Repaint();
    }
};

void ShootProjectAndSelectPages(Session& session) {
    bw::MainDialog& dialog = session.dialog;
    session.Load("Fantasy.bwp", kFront + 0.5f, 0.1f);
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kProjectTab);
    dialog.activateWindow();
    (void)QTest::qWaitForWindowActive(&dialog);
    dialog.Project()->Button(bw::ProjectPage::kNewId)->setFocus(Qt::TabFocusReason);
    session.Shot(dialog, "window-project.png");

    session.Load("Male.bwp", kFront - 0.4f, 0.12f);
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kSelectPartsTab);
    session.Shot(dialog, "window-select-parts.png");
}

// The Head list open, every picture drawn. It opens with its shown entry over the closed
// list: shown at " (none) " for the picture, it lies within the window's area.
void ShootOpenHeadList(Session& session) {
    bw::SelectPartsPage* select = session.dialog.SelectParts();
    if (!select) return;
    QComboBox* heads = select->PartListBox(0);
    const int shown = heads->currentIndex();
    {
        const QSignalBlocker quiet(heads);
        heads->setCurrentIndex(0);
    }
    heads->showPopup();
    QElapsedTimer waited;
    waited.start();
    while (!select->Thumbnails().Idle() && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QTest::qWait(200);  // the last pictures painted
    session.Shot(session.dialog, "window-select-parts-pictures.png");
    heads->hidePopup();
    const QSignalBlocker quiet(heads);
    heads->setCurrentIndex(shown);
}

// The left thigh chosen on Edit Parts and widened: outlined in the preview, its settings
// shown. Values are read when their field loses the focus, in the active window.
void ShootEditAndPreferencePages(Session& session) {
    bw::MainDialog& dialog = session.dialog;
    session.Load("Female.bwp", kFront - 0.6f, 0.1f);
    dialog.activateWindow();
    (void)QTest::qWaitForWindowActive(&dialog);
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kEditPartsTab);
    if (bw::EditPartsPage* edit = dialog.EditParts()) {
        constexpr int kLeftThighEntry = 17;
        edit->ObjectList()->setCurrentIndex(kLeftThighEntry);
        emit edit->ObjectList()->activated(kLeftThighEntry);
        QLineEdit* value = edit->ValueEdit(bw::AdjustGroup::X);
        value->setFocus(Qt::TabFocusReason);
        value->setText("0.300000");
        edit->ObjectList()->setFocus(Qt::TabFocusReason);
    }
    session.Shot(dialog, "window-edit-parts.png");

    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kPreferenceTab);
    session.Shot(dialog, "window-preference.png");
}

void ShootWireframe(Session& session) {
    bw::MainDialog& dialog = session.dialog;
    session.Load("Insect.bwp", kFront - 0.9f, 0.3f);
    dialog.SetShadingMode(bw::ShadingMode::Wireframe);
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kSelectPartsTab);
    session.Shot(dialog, "window-wireframe.png");
    dialog.SetShadingMode(bw::ShadingMode::Smooth);
}

void ShootSmoothSurface(Session& session) {
    bw::MainDialog& dialog = session.dialog;
    session.Load("Fantasy.bwp", kFront + 0.6f, 0.1f);
    dialog.SetSurfaceLevel(2);
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kSelectPartsTab);
    session.Shot(dialog, "window-smooth-surface.png");
    dialog.SetSurfaceLevel(0);
}

// The converter with a prepared creature, taken through its own button; the Project page is
// shown again afterwards.
void ShootConverter(Session& session) {
    bw::MainDialog& dialog = session.dialog;
    dialog.ToggleConverterTab();
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kConverterTab);
    session.fileDialogs.answer = session.share + "/Objects/Prepared/Creature-Fantasy.bwo";
    for (QPushButton* button : dialog.ConverterPage()->findChildren<QPushButton*>()) {
        if (button->text() == "Get selected object") button->click();
    }
    if (dialog.Preview()) dialog.Preview()->Repaint();
    session.Shot(dialog, "window-converter.png");
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kProjectTab);
}

// The smaller dialogs, each shown over the main window for its picture.
void ShootDialogs(Session& session, bw::ShellOpener& shell) {
    bw::MainDialog& dialog = session.dialog;
    bw::SaveProjectOptionsDialog options(&dialog);
    options.show();
    session.Shot(options, "dialog-save-options.png");
    options.hide();

    bw::ExportChoicesDialog exportOptions(
        *bw::ExportFormatOfExtension(".stl"),
        bw::DefaultExportChoices(*bw::ExportFormatOfExtension(".stl")), &dialog);
    exportOptions.show();
    session.Shot(exportOptions, "dialog-export-options.png");
    exportOptions.hide();

    bw::TranslateNamesDialog question("\\Left thigh\\MaleSlim.bwo", "\\Left thigh\\Male-Slim.bwo",
                                      bw::TranslationAnswer{}, &dialog);
    question.show();
    session.Shot(question, "dialog-translate.png");
    question.hide();

    bw::AboutDialog about(shell, &dialog);
    about.show();
    session.Shot(about, "dialog-about.png");
    about.hide();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: manual_screenshots SHARE_DIRECTORY OUTPUT_DIRECTORY\n");
        return 2;
    }
    QSurfaceFormat::setDefaultFormat(bw::PreviewView::RequestedFormat());
    // The lists' pictures go to a cache of this run's own.
    const QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    QApplication app(argc, argv);
    const std::string share = argv[1];
    const std::string output = argv[2];
    QDir().mkpath(QString::fromStdString(output));
    const std::filesystem::path start =
        bw::WriteStartConfiguration(share, "beastwright-manual-shots");

    PrintingNotifier notifier;
    bw::DirectoryFileEnumerator files;
    AnsweringFileDialogs fileDialogs;
    NoColours colours;
    NoShell shell;
    bw::ClockSeededRandom random;
    const bw::MainDialogPlatform platform{notifier, files,  fileDialogs,     colours,
                                          shell,    random, &bw::ProbeOpenGl};
    bw::MainDialog dialog(platform, start.string());
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) return 1;

    Session session{dialog, fileDialogs, share, output};
    ShootProjectAndSelectPages(session);
    ShootOpenHeadList(session);
    ShootEditAndPreferencePages(session);
    ShootWireframe(session);
    ShootSmoothSurface(session);
    ShootConverter(session);
    ShootDialogs(session, shell);
    return session.failures == 0 ? 0 : 1;
}
