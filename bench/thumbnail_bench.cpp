// The pictures of the Select Parts lists over the whole sample library (every body part's
// files): drawn cold (the part loaded, drawn in the offscreen context and kept in the disk
// cache) against read warm from that cache, milliseconds per picture. And the longest single
// turn of the event loop while a list of 40 entries opens and draws its pictures, against one
// frame at 60 Hz (16.7 ms).
//
// Run under Xvfb (Mesa llvmpipe):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/thumbnail_bench
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gui_bench_support.h"
#include "ratio_report.h"
#include "select/ui/part_list_box.h"
#include "select/ui/part_thumbnails.h"
#include "select/ui/select_parts_page.h"
#include "select/ui/thumbnail_cache.h"

namespace {

std::vector<QString> SampleFiles() {
    std::vector<QString> files;
    for (const auto& folder :
         std::filesystem::directory_iterator(bw::bench::SampleLibraryDirectory()))
        for (const auto& file : std::filesystem::directory_iterator(folder.path()))
            if (file.path().extension() == ".bwo")
                files.push_back(QString::fromStdString(file.path().string()));
    std::sort(files.begin(), files.end());
    return files;
}

// The shown main dialog's own source (drawing beside its preview), made in main.
bw::ThumbnailSource* source = nullptr;
bw::ThumbnailSource& Source() { return *source; }

void BM_DrawCold(benchmark::State& state) {
    const std::vector<QString> files = SampleFiles();
    QTemporaryDir directory;
    const bw::ThumbnailCache cache(directory.path());
    std::size_t next = 0;
    for (auto _ : state) {
        const QString& path = files[next++ % files.size()];
        const QImage picture = Source().Draw(path);
        if (picture.isNull() || !cache.Store(path, picture)) {
            state.SkipWithError("a sample file gave no picture");
            break;
        }
    }
    state.counters["files"] = double(files.size());
}
BENCHMARK(BM_DrawCold)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadWarm(benchmark::State& state) {
    const std::vector<QString> files = SampleFiles();
    QTemporaryDir directory;
    const bw::ThumbnailCache cache(directory.path());
    for (const QString& path : files) cache.Store(path, Source().Draw(path));
    std::size_t next = 0;
    for (auto _ : state) {
        const QImage picture = cache.Find(files[next++ % files.size()]);
        if (picture.isNull()) {
            state.SkipWithError("a kept picture was not found");
            break;
        }
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_ReadWarm)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// A list of 40 entries (the sample files of four body parts) opened with an empty cache in the
// shown window: the longest turn of the event loop until every picture is drawn, and the first
// turn, which also shows the list (first_turn_ms), both against one frame at 60 Hz.
void BM_LongestTurnOpeningAList(benchmark::State& state) {
    const std::vector<QString> all = SampleFiles();
    const std::vector<QString> files(all.begin(),
                                     all.begin() + std::min<std::size_t>(40, all.size()));
    double longest = 0.0, first = 0.0;
    for (auto _ : state) {
        QTemporaryDir directory;
        bw::PartListBox box;
        box.addItem(" (none) ");
        for (const QString& path : files) box.addItem(path);
        bw::PartThumbnails thumbnails(
            [&files](bw::BodyPartId, int index) {
                return index < 1 ? std::string() : files[std::size_t(index - 1)].toStdString();
            },
            nullptr);
        thumbnails.SetSource(&Source());
        thumbnails.SetCache(bw::ThumbnailCache(directory.path()));
        thumbnails.Watch(0, &box);
        box.show();
        box.showPopup();
        QElapsedTimer clock;
        clock.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        first = std::max(first, clock.nsecsElapsed() / 1e6);
        longest = std::max(longest, first);
        while (!thumbnails.Idle()) {
            clock.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            longest = std::max(longest, clock.nsecsElapsed() / 1e6);
        }
        box.hidePopup();
        state.SetIterationTime(longest / 1000.0);
    }
    state.counters["entries"] = double(files.size());
    state.counters["longest_ms"] = longest;
    state.counters["first_turn_ms"] = first;
}
BENCHMARK(BM_LongestTurnOpeningAList)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    auto app = bw::bench::MakeApplication(argc, argv);
    std::string why;
    auto shown = bw::bench::ShowMainDialog(&why);
    if (!shown) {
        std::fprintf(stderr, "thumbnail_bench: %s\n", why.c_str());
        return 1;
    }
    // The window makes its drawing ready once it is on screen; the lists open after that.
    bw::PartThumbnails& thumbnails = shown->dialog->SelectParts()->Thumbnails();
    while (!thumbnails.WarmedUp()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    source = thumbnails.Source();
    if (!source) {
        std::fprintf(stderr, "thumbnail_bench: the window draws no pictures\n");
        return 1;
    }
    std::fprintf(stderr, "%zu sample files\n", SampleFiles().size());
    const int status = bw::bench::RunBenchmarksWithRatios(
        argc, argv, {{"warm/cold", "BM_ReadWarm/min_time:1.000", "BM_DrawCold/min_time:2.000"}});
    source = nullptr;
    return status;
}
