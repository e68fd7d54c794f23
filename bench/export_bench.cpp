// Exporting the largest sample creature (the sample project with the most points) as glTF
// binary, against writing the JSON that `bwtool assemble --json` prints for it, in one run.
// Both produce the bytes bwtool would write, in memory; neither touches the disk.
// Prints "ratio glb/json" after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bwtool/creature_description.h"
#include "bwtool/creature_export.h"
#include "bwtool/export_format.h"
#include "bwtool/json_text.h"
#include "model/creature.h"
#include "project/project_loader.h"
#include "ratio_report.h"

namespace {

class QuietNotifier : public bw::Notifier {
  public:
    bw::MessageResult ShowMessage(const std::string&, const std::string&, bw::MessageIcon,
                                  bw::MessageButtons) override {
        return bw::MessageResult::Ok;
    }
};

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
    QuietNotifier notifier;
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

void BM_ExportGlb(benchmark::State& state) {
    const bw::Creature& creature = Creature();
    const bw::tool::ExportFormat& glb = *bw::tool::ExportFormatOfPath("creature.glb");
    std::size_t bytes = 0;
    for (auto _ : state) {
        bw::tool::ExportResult result;
        std::string reason;
        if (!bw::tool::RenderCreatureExport(creature, "creature.glb", glb, {}, result, &reason)) {
            state.SkipWithError(reason.c_str());
            break;
        }
        bytes = result.files[0].bytes.size();
        benchmark::DoNotOptimize(result.files[0].bytes.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_ExportGlb)->Unit(benchmark::kMillisecond)->MinTime(1.0);

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
        {{"glb/json", "BM_ExportGlb/min_time:1.000", "BM_AssembleJson/min_time:1.000"}});
}
