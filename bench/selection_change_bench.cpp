// Choosing a list entry on the Select Parts page: milliseconds per change, with the load,
// connect and weld of the part and the preview repaint it triggers, on the largest sample part
// (by point count) in its type's whole sample creature, so all its neighbours are present.
//
// Each change goes through the real page inside the shown main dialog: the body part's list is
// set to the other of two files of that body part (the largest file and the next largest) and
// emits activated(), as a click on the entry does; the page loads the file into the creature
// and asks the preview for a repaint, which one pass of the event loop then serves at once: the
// list box paints and the preview draws and presents a frame (one frame per change, counted).
// Baselines in the same run: the creature's AddPart of the same two files alone; a repaint
// request of the preview showing the same creature alone; and the list box showing the other
// entry plus that request, without loading anything.
//
// Run under Xvfb (Mesa llvmpipe):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/selection_change_bench
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QTabWidget>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "gui_bench_support.h"
#include "model/body_part_catalogue.h"
#include "model/part_object.h"
#include "ratio_report.h"
#include "render/ui/preview_view.h"
#include "select/ui/select_parts_page.h"

namespace {

// The two files a change alternates between.
struct ChangedPart {
    bw::BodyPartId bodyPart = -1;
    std::array<std::string, 2> files;  // names in the body part's directory, largest first
    std::array<std::uint32_t, 2> points{};
    std::string type;  // creature type of the largest file, the text before its '-'
};

// The sample file with the most points, and the largest other file of its body part.
ChangedPart FindLargestSamplePart() {
    ChangedPart best;
    for (bw::BodyPartId i = 0; i < bw::kBodyPartCount; ++i) {
        const std::string directory =
            bw::bench::SampleLibraryDirectory() + "/" + std::string(bw::BodyPartName(i));
        std::array<std::string, 2> files;
        std::array<std::uint32_t, 2> points{};
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
            if (entry.path().extension() != ".bwo") continue;
            bw::PartObject part;
            if (!part.LoadObjectFile(entry.path().string())) continue;
            const std::string name = entry.path().filename().string();
            if (part.PointCount() > points[0]) {
                files = {name, files[0]};
                points = {part.PointCount(), points[0]};
            } else if (part.PointCount() > points[1]) {
                files[1] = name;
                points[1] = part.PointCount();
            }
        }
        if (!files[1].empty() && points[0] > best.points[0]) {
            best.bodyPart = i;
            best.files = files;
            best.points = points;
            best.type = files[0].substr(0, files[0].find('-'));
        }
    }
    return best;
}

struct ChangeEnvironment {
    std::unique_ptr<bw::bench::ShownDialog> shown;
    ChangedPart part;
    std::array<int, 2> entries{};  // list indices of the two files
    std::map<std::string, double> millisecondsPerIteration;
};
ChangeEnvironment* environment = nullptr;

// Every benchmark here runs for at least kMinSeconds of wall-clock time; the reported names
// carry both settings.
constexpr double kMinSeconds = 2.0;
const std::string kRunSuffix = "/min_time:2.000/real_time";

// Fails the benchmark when a message was shown or the creature lost a part.
bool CreatureIntact(benchmark::State& state) {
    if (environment->shown->notifier.shown != 0) {
        state.SkipWithError(environment->shown->notifier.lastText.c_str());
        return false;
    }
    if (environment->shown->dialog->GetCreature().PartCount() != bw::kBodyPartCount) {
        state.SkipWithError("the creature no longer has every body part");
        return false;
    }
    return true;
}

// Times a benchmark's loop from its construction to Finish: wall-clock milliseconds per
// iteration for the summary, and the CPU milliseconds of the whole process per iteration (the
// GL driver's rendering threads included) as a counter.
class LoopClock {
  public:
    explicit LoopClock(const char* name)
        : name_(name),
          cpuStart_(bw::bench::ProcessCpuSeconds()),
          start_(std::chrono::steady_clock::now()) {}

    void Finish(benchmark::State& state) const {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const double cpuSeconds = bw::bench::ProcessCpuSeconds() - cpuStart_;
        if (state.iterations() == 0) return;
        environment->millisecondsPerIteration[name_] =
            1000.0 * seconds / double(state.iterations());
        state.counters["process_cpu_ms"] = 1000.0 * cpuSeconds / double(state.iterations());
    }

  private:
    const char* name_;
    double cpuStart_;
    std::chrono::steady_clock::time_point start_;
};

void BM_ListChange(benchmark::State& state) {
    bw::MainDialog& dialog = *environment->shown->dialog;
    QComboBox* box = dialog.SelectParts()->PartListBox(environment->part.bodyPart);
    bw::PreviewView* preview = dialog.Preview();
    auto change = [box, next = 0]() mutable {
        const int entry = environment->entries[std::size_t(next)];
        next = 1 - next;
        box->setCurrentIndex(entry);
        emit box->activated(entry);
        QCoreApplication::processEvents();
    };
    // Both files once, so both are in the file cache and the list box has painted each entry.
    change();
    change();
    bw::bench::FrameCounter frames(*preview);
    const LoopClock clock("BM_ListChange");
    for (auto _ : state) change();
    clock.Finish(state);
    if (!CreatureIntact(state)) return;
    if (frames.Frames() != state.iterations())
        state.SkipWithError("not one presented frame per change");
}
BENCHMARK(BM_ListChange)->UseRealTime()->MinTime(kMinSeconds)->Unit(benchmark::kMillisecond);

void BM_AddPartAlone(benchmark::State& state) {
    bw::Creature& creature = environment->shown->dialog->GetCreature();
    const ChangedPart& part = environment->part;
    const std::string name(bw::BodyPartName(part.bodyPart));
    const std::string directory = bw::bench::SampleLibraryDirectory() + "/" + name + "/";
    const std::array<std::string, 2> paths{directory + part.files[0], directory + part.files[1]};
    int next = 0;
    const LoopClock clock("BM_AddPartAlone");
    for (auto _ : state) {
        benchmark::DoNotOptimize(creature.AddPart(name, paths[std::size_t(next)], part.bodyPart));
        next = 1 - next;
    }
    clock.Finish(state);
    CreatureIntact(state);
}
BENCHMARK(BM_AddPartAlone)->UseRealTime()->MinTime(kMinSeconds)->Unit(benchmark::kMillisecond);

void BM_RepaintAlone(benchmark::State& state) {
    bw::PreviewView* preview = environment->shown->dialog->Preview();
    bw::bench::FrameCounter frames(*preview);
    const LoopClock clock("BM_RepaintAlone");
    for (auto _ : state) {
        preview->Invalidate();
        QCoreApplication::processEvents();
    }
    clock.Finish(state);
    if (frames.Frames() != state.iterations())
        state.SkipWithError("not one presented frame per update");
}
BENCHMARK(BM_RepaintAlone)->UseRealTime()->MinTime(kMinSeconds)->Unit(benchmark::kMillisecond);

// The list box shows the other entry and the preview repaints, but nothing is loaded: what
// the widgets' painting costs without the part change.
void BM_ListBoxAndRepaintAlone(benchmark::State& state) {
    bw::MainDialog& dialog = *environment->shown->dialog;
    QComboBox* box = dialog.SelectParts()->PartListBox(environment->part.bodyPart);
    bw::PreviewView* preview = dialog.Preview();
    bw::bench::FrameCounter frames(*preview);
    int next = 0;
    const LoopClock clock("BM_ListBoxAndRepaintAlone");
    for (auto _ : state) {
        box->setCurrentIndex(environment->entries[std::size_t(next)]);
        next = 1 - next;
        preview->Invalidate();
        QCoreApplication::processEvents();
    }
    clock.Finish(state);
    if (frames.Frames() != state.iterations())
        state.SkipWithError("not one presented frame per change of the list box");
}
BENCHMARK(BM_ListBoxAndRepaintAlone)
    ->UseRealTime()
    ->MinTime(kMinSeconds)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    auto app = bw::bench::MakeApplication(argc, argv);
    ChangeEnvironment env;
    env.part = FindLargestSamplePart();
    if (env.part.bodyPart < 0) {
        std::fprintf(stderr, "selection_change_bench: no body part with two sample files\n");
        return 1;
    }
    std::string why;
    env.shown = bw::bench::ShowMainDialog(&why);
    if (!env.shown) {
        std::fprintf(stderr, "selection_change_bench: %s\n", why.c_str());
        return 1;
    }
    bw::MainDialog& dialog = *env.shown->dialog;
    dialog.Tabs()->setCurrentIndex(bw::MainDialog::kSelectPartsTab);
    if (!bw::bench::LoadSampleProject(dialog.GetCreature(), env.part.type) ||
        env.shown->notifier.shown != 0) {
        std::fprintf(stderr, "selection_change_bench: the %s sample project did not load (%s)\n",
                     env.part.type.c_str(), env.shown->notifier.lastText.c_str());
        return 1;
    }
    // The Select Parts page paints for the first time; let that frame pass before timing.
    bw::bench::FrameCounter frames(*dialog.Preview());
    if (!bw::bench::WaitForFrame(frames, 10000)) {
        std::fprintf(stderr, "selection_change_bench: no frame after loading the project\n");
        return 1;
    }
    QComboBox* box = dialog.SelectParts()->PartListBox(env.part.bodyPart);
    for (int k = 0; k < 2; ++k) {
        env.entries[std::size_t(k)] =
            box->findText(QString::fromStdString(env.part.files[std::size_t(k)]));
        if (env.entries[std::size_t(k)] <= 0) {
            std::fprintf(stderr, "selection_change_bench: %s is not in the list\n",
                         env.part.files[std::size_t(k)].c_str());
            return 1;
        }
    }
    const std::string bodyPart(bw::BodyPartName(env.part.bodyPart));
    std::printf(
        "changing %s between %s (%u points) and %s (%u points) in the %s sample creature; "
        "preview %d x %d\n",
        bodyPart.c_str(), env.part.files[0].c_str(), env.part.points[0], env.part.files[1].c_str(),
        env.part.points[1], env.part.type.c_str(), dialog.Preview()->width(),
        dialog.Preview()->height());
    environment = &env;

    const int status = bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"list change/AddPart alone", "BM_ListChange" + kRunSuffix,
          "BM_AddPartAlone" + kRunSuffix},
         {"list change/repaint alone", "BM_ListChange" + kRunSuffix,
          "BM_RepaintAlone" + kRunSuffix},
         {"list change/list box and repaint alone", "BM_ListChange" + kRunSuffix,
          "BM_ListBoxAndRepaintAlone" + kRunSuffix}});
    for (const auto& [name, ms] : env.millisecondsPerIteration) {
        if (name.find("BM_ListChange") == 0)
            std::printf("list change: %.2f ms per change (goal: under 16)\n", ms);
    }
    environment = nullptr;
    return status;
}
