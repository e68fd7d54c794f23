// The converter view's speed on the largest prepared sample creature: draws per second in each
// perspective view mode (every point transformed and projected on every draw, as the
// converter does), against a preview frame that draws nothing, and picks per second (a left
// drag's mouse move over the preview: the view's context made current, the viewport read,
// every point tested).
//
// Frames are driven as in preview_draw_bench: the repaint request the pages make, then one pass
// of the event loop that draws and swaps; the presented frames are counted and must equal the
// iterations.
//
// Run under Xvfb (Mesa llvmpipe):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/converter_bench
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <QMouseEvent>
#include <QTabWidget>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "converter/converter_model.h"
#include "converter/progress_sink.h"
#include "gui_bench_support.h"
#include "ratio_report.h"
#include "render/ui/preview_view.h"

namespace {

constexpr double kMinSeconds = 2.0;
const std::string kRunSuffix = "/min_time:2.000/real_time";

struct ConverterEnvironment {
    std::unique_ptr<bw::bench::ShownDialog> shown;
    std::string creature;  // the prepared object's file name
    std::map<std::string, double> perSecond;
};
ConverterEnvironment* environment = nullptr;

// The prepared sample creature with the most points.
std::string LargestPreparedCreature() {
    std::string largest;
    std::uintmax_t size = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bw::bench::SampleShareDirectory() +
                                                                 "/Objects/Prepared")) {
        if (entry.path().extension() == ".bwo" && entry.file_size() > size) {
            size = entry.file_size();
            largest = entry.path().string();
        }
    }
    return largest;
}

bw::ConverterModel& Model() { return environment->shown->dialog->Converter(); }
bw::PreviewView& Preview() { return *environment->shown->dialog->Preview(); }

void PresentFrame() {
    Preview().Invalidate();
    QCoreApplication::processEvents();
}

void DrawFrames(benchmark::State& state, const std::string& name, int tab,
                bw::ConverterViewMode viewMode) {
    Model().viewMode = viewMode;
    environment->shown->dialog->Tabs()->setCurrentIndex(tab);
    bw::bench::FrameCounter warm(Preview());
    Preview().Invalidate();
    if (!bw::bench::WaitForFrame(warm, 5000)) {
        state.SkipWithError("the preview presented no frame");
        return;
    }
    for (int i = 0; i < 3; ++i) PresentFrame();
    bw::bench::FrameCounter frames(Preview());
    const double cpuStart = bw::bench::ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) PresentFrame();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpuSeconds = bw::bench::ProcessCpuSeconds() - cpuStart;
    if (frames.Frames() != state.iterations()) {
        const std::string why = std::to_string(frames.Frames()) + " frames presented for " +
                                std::to_string(state.iterations()) + " updates";
        state.SkipWithError(why.c_str());
        return;
    }
    const double perSecond = double(state.iterations()) / seconds;
    state.counters["draws_per_s"] = perSecond;
    state.counters["process_cpu_ms"] = 1000.0 * cpuSeconds / double(state.iterations());
    state.counters["points"] = Model().PointCount();
    environment->perSecond[name] = perSecond;
}

// Mouse moves with the left button held, far from every point: each one picks.
void Picks(benchmark::State& state, const std::string& name) {
    Model().viewMode = bw::ConverterViewMode::Solid;
    environment->shown->dialog->Tabs()->setCurrentIndex(bw::MainDialog::kConverterTab);
    PresentFrame();  // the picture whose window positions the picks test
    bw::PreviewView& view = Preview();
    const QPointF corner(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, corner, view.mapToGlobal(corner), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    const int marked = Model().MarkedPoints().Count();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        QMouseEvent move(QEvent::MouseMove, corner, view.mapToGlobal(corner), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    QMouseEvent release(QEvent::MouseButtonRelease, corner, view.mapToGlobal(corner),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &release);
    QCoreApplication::processEvents();
    if (Model().MarkedPoints().Count() != marked) {
        state.SkipWithError("a pick in the corner toggled points");
        return;
    }
    const double perSecond = double(state.iterations()) / seconds;
    state.counters["picks_per_s"] = perSecond;
    state.counters["points"] = Model().PointCount();
    environment->perSecond[name] = perSecond;
}

}  // namespace

int main(int argc, char** argv) {
    auto app = bw::bench::MakeApplication(argc, argv);
    ConverterEnvironment env;
    std::string why;
    env.shown = bw::bench::ShowMainDialog(&why);
    if (!env.shown) {
        std::fprintf(stderr, "converter_bench: %s\n", why.c_str());
        return 1;
    }
    environment = &env;
    bw::MainDialog& dialog = *env.shown->dialog;
    dialog.ToggleConverterTab();
    const std::string prepared = LargestPreparedCreature();
    bw::NoProgress progress;
    if (prepared.empty() || !Model().LoadPreparedObject(prepared, progress)) {
        std::fprintf(stderr, "converter_bench: no prepared creature could be taken (%s)\n",
                     env.shown->notifier.lastText.c_str());
        return 1;
    }
    env.creature = std::filesystem::path(prepared).filename().string();
    Model().selectedBodyPart = 0;

    Preview().makeCurrent();
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("preview: %d x %d logical pixels; GL: %s; %s: %d points, %d quads\n",
                Preview().width(), Preview().height(), renderer ? renderer : "?",
                env.creature.c_str(), Model().PointCount(), Model().PolygonCount());
    Preview().doneCurrent();

    const std::map<bw::ConverterViewMode, std::string> modes{
        {bw::ConverterViewMode::Wire, "wire"},
        {bw::ConverterViewMode::Solid, "solid"},
        {bw::ConverterViewMode::Smooth, "smooth"},
        {bw::ConverterViewMode::Front, "front"}};
    std::vector<bw::bench::Ratio> ratios;
    const std::string background = "converter/background_only";
    for (const auto& [mode, modeName] : modes) {
        const std::string name = "converter/draw/" + modeName;
        benchmark::RegisterBenchmark(name.c_str(),
                                     [=, mode = mode](benchmark::State& s) {
                                         DrawFrames(s, name, bw::MainDialog::kConverterTab, mode);
                                     })
            ->UseRealTime()
            ->MinTime(kMinSeconds)
            ->Unit(benchmark::kMillisecond);
        ratios.push_back({"converter " + modeName + " draw/background only frame",
                          name + kRunSuffix, background + kRunSuffix});
    }
    // A preview frame of the empty creature on the Project tab: clearing, composing and
    // presenting, which every frame pays.
    benchmark::RegisterBenchmark(background.c_str(),
                                 [=](benchmark::State& s) {
                                     DrawFrames(s, background, bw::MainDialog::kProjectTab,
                                                bw::ConverterViewMode::Solid);
                                 })
        ->UseRealTime()
        ->MinTime(kMinSeconds)
        ->Unit(benchmark::kMillisecond);
    const std::string pick = "converter/pick";
    benchmark::RegisterBenchmark(pick.c_str(), [=](benchmark::State& s) { Picks(s, pick); })
        ->UseRealTime()
        ->MinTime(kMinSeconds)
        ->Unit(benchmark::kMicrosecond);
    ratios.push_back(
        {"converter solid draw/pick", "converter/draw/solid" + kRunSuffix, pick + kRunSuffix});
    const int status = bw::bench::RunBenchmarksWithRatios(argc, argv, ratios);

    double slowest = 0.0;
    std::string slowestName;
    for (const auto& [name, rate] : env.perSecond) {
        if (name.rfind("converter/draw/", 0) == 0 && (slowestName.empty() || rate < slowest)) {
            slowest = rate;
            slowestName = name;
        }
    }
    if (!slowestName.empty())
        std::printf(
            "slowest converter draw: %s at %.1f draws/s (goal: 30 or more); picks: %.0f/s\n",
            slowestName.c_str(), slowest, env.perSecond[pick]);
    environment = nullptr;
    return status;
}
