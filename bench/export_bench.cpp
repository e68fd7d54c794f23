// Exporting the largest sample creature (the sample project with the most points) as glTF
// binary, STL and 3MF, against writing the JSON that `bwtool assemble --json` prints for it,
// in one run. Each produces the bytes bwtool would write, in memory; none touches the disk.
// STL and 3MF include welding the parts into one closed surface. Prints "ratio glb/json",
// "ratio stl/json" and "ratio 3mf/json" after the table.
#include <benchmark/benchmark.h>

#include <string>

#include "bwtool/creature_description.h"
#include "bwtool/json_text.h"
#include "export/export_format.h"
#include "export/writers/creature_export.h"
#include "largest_sample_creature.h"
#include "model/creature.h"
#include "ratio_report.h"

namespace {

void BM_Export(benchmark::State& state, const std::string& path) {
    const bw::Creature& creature = bw::bench::LargestSampleCreature();
    const bw::ExportFormat& format = *bw::ExportFormatOfPath(path);
    const bw::ExportOptions options;
    std::size_t bytes = 0;
    for (auto _ : state) {
        bw::ExportResult result;
        std::string reason;
        if (!bw::EncodeCreatureExport(creature, path, format, options, result, &reason)) {
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
    const bw::Creature& creature = bw::bench::LargestSampleCreature();
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
