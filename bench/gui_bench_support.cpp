#include "gui_bench_support.h"

#include <sys/resource.h>

#include <QElapsedTimer>
#include <QStyleFactory>
#include <QSurfaceFormat>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/ui/application.h"
#include "project/project_loader.h"
#include "render/ui/opengl_probe.h"
#include "render/ui/preview_view.h"
#include "ui/product_name.h"

namespace bw::bench {
namespace {

// Start directories made by this process, removed at exit.
std::vector<std::string>& StartDirectories() {
    static auto* directories = new std::vector<std::string>;
    return *directories;
}

void RemoveStartDirectories() {
    for (const std::string& directory : StartDirectories()) {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
}

}  // namespace

std::string SampleShareDirectory() { return BW_SAMPLE_SHARE_DIR; }
std::string SampleLibraryDirectory() { return SampleShareDirectory() + "/Objects/Library"; }

std::string SampleConfigurationText() {
    char colours[160];
    std::snprintf(colours, sizeof colours, "BgColor %f %f %f 0\nWireColor 0 1 0 0\n",
                  kBenchBackground[0], kBenchBackground[1], kBenchBackground[2]);
    return "ObjectDir " + SampleLibraryDirectory() + "\nProjectDir " + SampleShareDirectory() +
           "/Projects\n" + colours;
}

std::string MakeStartDirectory(const std::string& configText) {
    std::string pattern = (std::filesystem::temp_directory_path() / "bwbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    if (StartDirectories().empty()) std::atexit(RemoveStartDirectories);
    StartDirectories().push_back(pattern);
    std::ofstream config(pattern + "/bw.cfg", std::ios::binary);
    config << configText;
    if (!config.flush()) std::abort();
    return pattern;
}

MessageResult CountingNotifier::ShowMessage(const std::string& text, const std::string& caption,
                                            MessageIcon, MessageButtons) {
    ++shown;
    lastText = caption + ": " + text;
    return MessageResult::Ok;
}

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(PreviewView::RequestedFormat());
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(kApplicationName);
    if (QStyle* style = QStyleFactory::create("Fusion")) QApplication::setStyle(style);
    return app;
}

FrameCounter::FrameCounter(QOpenGLWindow& window) {
    QObject::connect(&window, &QOpenGLWindow::frameSwapped, &window,
                     [frames = frames_] { ++*frames; });
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool WaitForFrame(const FrameCounter& counter, int timeoutMs) {
    const long before = counter.Frames();
    QElapsedTimer timer;
    timer.start();
    while (counter.Frames() == before) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

std::unique_ptr<ShownDialog> ShowMainDialog(std::string* why) {
    auto shown = std::make_unique<ShownDialog>();
    shown->startDirectory = MakeStartDirectory(SampleConfigurationText());
    const MainDialogPlatform platform{shown->notifier,      shown->files, shown->fileDialogs,
                                      shown->colourChooser, shown->shell, shown->random,
                                      &ProbeOpenGl};
    shown->dialog = std::make_unique<MainDialog>(platform, shown->startDirectory);
    PreviewView* preview = shown->dialog->Preview();
    if (!preview) {
        *why = "the main dialog has no preview (" + shown->notifier.lastText + ")";
        return nullptr;
    }
    FrameCounter frames(*preview);
    shown->dialog->show();
    if (frames.Frames() == 0 && !WaitForFrame(frames, 10000)) {
        *why = "the preview presented no frame within 10 s";
        return nullptr;
    }
    return shown;
}

bool LoadSampleProject(Creature& creature, const std::string& type) {
    AutoTranslatingLoadListener listener;
    TranslationFlags flags;
    const std::string project = SampleShareDirectory() + "/Projects/" + type + ".bwp";
    return LoadProject(creature, project, SampleLibraryDirectory(), flags, listener) &&
           creature.PartCount() == kBodyPartCount;
}

}  // namespace bw::bench
