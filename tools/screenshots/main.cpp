// Writes screenshots of the real main dialog with assembled sample creatures, for the README:
//   readme_screenshots SHARE_DIRECTORY OUTPUT_DIRECTORY
// SHARE_DIRECTORY is the sample library's share folder (Objects/Library, Projects). Needs a
// display with OpenGL (run it under xvfb-run). Each picture loads one sample project through
// the Select Parts lists, as a user would see it.
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "app/ui/application.h"
#include "app/ui/main_dialog.h"
#include "model/file_enumerator.h"
#include "platform/ui/qt_notifier.h"
#include "platform/ui/qt_platform_dialogs.h"
#include "project/list_selecting_load_listener.h"
#include "project/project_loader.h"
#include "render/ui/preview_view.h"
#include "select/ui/select_parts_page.h"
#include "start_configuration.h"
#include "window_picture.h"

namespace {

struct Shot {
    const char* project;
    bw::ShadingMode shadingMode;
    float yaw;
    float pitch;
    int tab;
    const char* output;
};

// The shots of the README, each a sample project on one page of the window.
constexpr Shot kShots[] = {
    {"Male.bwp", bw::ShadingMode::Smooth, -0.5f, 0.15f, bw::MainDialog::kSelectPartsTab,
     "select-parts-male.png"},
    {"Fantasy.bwp", bw::ShadingMode::Flat, 0.6f, 0.1f, bw::MainDialog::kSelectPartsTab,
     "flat-fantasy.png"},
    {"Insect.bwp", bw::ShadingMode::Wireframe, -0.9f, 0.3f, bw::MainDialog::kSelectPartsTab,
     "wireframe-insect.png"},
};

// Loads the shot's project into the shown window through the Select Parts lists and saves the
// picture. False when the project does not load or the picture cannot be saved.
bool TakeShot(bw::MainDialog& dialog, const Shot& shot, const std::string& share,
              const std::string& output) {
    dialog.Tabs()->setCurrentIndex(shot.tab);
    bw::ListSelectingLoadListener listener(dialog.SelectParts()->Selection());
    bw::TranslationFlags flags;
    flags.dontAskSession = 1;
    flags.showTranslationList = 0;
    if (!bw::LoadProject(dialog.GetCreature(), share + "/Projects/" + shot.project,
                         share + "/Objects/Library", flags, listener))
        return false;
    dialog.SelectParts()->Selection().RememberSelections();
    dialog.SetShadingMode(shot.shadingMode);
    dialog.GetCreature().yaw = shot.yaw;
    dialog.GetCreature().pitch = shot.pitch;
    dialog.Preview()->Repaint();
    const QString path = QString::fromStdString(output + "/" + shot.output);
    const bool saved = bw::WindowPicture(dialog).save(path);
    std::printf("%s\n", path.toStdString().c_str());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: readme_screenshots SHARE_DIRECTORY OUTPUT_DIRECTORY\n");
        return 2;
    }
    QSurfaceFormat::setDefaultFormat(bw::PreviewView::RequestedFormat());
    QApplication app(argc, argv);
    const std::string share = argv[1];
    const std::string output = argv[2];
    QDir().mkpath(QString::fromStdString(output));
    const std::filesystem::path start =
        bw::WriteStartConfiguration(share, "beastwright-screenshots");

    bw::QtNotifier notifier;
    bw::DirectoryFileEnumerator files;
    bw::QtFileDialogs fileDialogs;
    bw::QtColourChooser colourChooser;
    bw::QtShellOpener shell;
    bw::ClockSeededRandom random;
    const bw::MainDialogPlatform platform{notifier, files,  fileDialogs,     colourChooser,
                                          shell,    random, &bw::ProbeOpenGl};
    int failures = 0;
    for (const Shot& shot : kShots) {
        bw::MainDialog dialog(platform, start.string());
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) return 1;
        if (!TakeShot(dialog, shot, share, output)) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
