// Exporting the largest sample creature (the sample project with the most points) as glTF
// binary, STL and 3MF, against writing the JSON that `bwtool assemble --json` prints for it,
// in one run. Each produces the bytes bwtool would write, in memory; none touches the disk.
// STL and 3MF include welding the parts into one closed surface. Prints "ratio glb/json",
// "ratio stl/json" and "ratio 3mf/json" after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bwtool/creature_description.h"
#include "bwtool/json_text.h"
#include "export/export_format.h"
#include "export/writers/creature_export.h"
#include "model/creature.h"
#include "project/project_loader.h"
#include "quiet_notifier.h"
#include "ratio_report.h"

namespace {

class TranslatingListener : public bw::ProjectLoadListener {
  public:
    bw::TranslationAnswer AskTranslation(const std::string&, const std::string&,
                                         const bw::TranslationAnswer&) override {
        return {true, true, true, true};
    }
    void ShowTranslationList(const std::vector<std::string>&,
                             const std::vector<std::string>&) override {}
};

std::size_t PointCount(const bw::Creature& creature) {
    std::size_t points = 0;
    for (int i = 0; i < creature.PartCount(); ++i)
        points += creature.Part(i)->TransformedPoints().size();
    return points;
}

struct LargestCreature {
    bw::bench::QuietNotifier notifier;
    std::unique_ptr<bw::Creature> creature;
    std::string project;

    LargestCreature() {
        const std::filesystem::path share = BW_SAMPLE_SHARE_DIR;
        const std::string objects = (share / "Objects" / "Library").string();
        for (const auto& entry : std::filesystem::directory_iterator(share / "Projects")) {
            auto candidate = std::make_unique<bw::Creature>(notifier);
            TranslatingListener listener;
            bw::TranslationFlags flags;
            if (!bw::LoadProject(*candidate, entry.path().string(), objects, flags, listener))
                continue;
            if (!creature || PointCount(*candidate) > PointCount(*creature)) {
                creature = std::move(candidate);
                project = entry.path().filename().string();
            }
        }
        if (!creature) {
            std::fprintf(stderr, "no sample project loads from %s\n", share.c_str());
            std::abort();
        }
        std::fprintf(stderr, "largest sample creature: %s, %zu points in %d parts\n",
                     project.c_str(), PointCount(*creature), creature->PartCount());
    }
};

const bw::Creature& Creature() {
    static const LargestCreature largest;
    return *largest.creature;
}

void BM_Export(benchmark::State& state, const std::string& path) {
    const bw::Creature& creature = Creature();
    const bw::ExportFormat& format = *bw::ExportFormatOfPath(path);
    const bw::ExportOptions options;
    std::size_t bytes = 0;
    for (auto _ : state) {
        bw::ExportResult result;
        std::string reason;
        if (!bw::RenderCreatureExport(creature, path, format, options, result, &reason)) {
            state.SkipWithError(reason.c_str());
            break;
        }
        bytes = result.files[0].bytes.size();
        benchmark::DoNotOptimize(result.files[0].bytes.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK_CAPTURE(BM_Export, glb, std::string("creature.glb"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK_CAPTURE(BM_Export, stl, std::string("creature.stl"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK_CAPTURE(BM_Export, 3mf, std::string("creature.3mf"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

void BM_AssembleJson(benchmark::State& state) {
    const bw::Creature& creature = Creature();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = bw::tool::JsonText(
            bw::tool::DescribeCreature(creature, nlohmann::ordered_json::array()));
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_AssembleJson)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    return bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"glb/json", "BM_Export/glb/min_time:1.000", "BM_AssembleJson/min_time:1.000"},
         {"stl/json", "BM_Export/stl/min_time:1.000", "BM_AssembleJson/min_time:1.000"},
         {"3mf/json", "BM_Export/3mf/min_time:1.000", "BM_AssembleJson/min_time:1.000"}});
}
