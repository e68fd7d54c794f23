// Subdividing the largest sample creature (the sample project with the most points), each
// against one ApplyAdjustments of every one of its parts in the same run:
//  - the topology refined from scratch at levels 1 and 2 (welding the parts included), as
//    after a part is added, removed or replaced;
//  - one re-evaluation at levels 1 and 2: every refined point and normal again from moved
//    points, as after an Adjust drag or a pose change;
//  - an export's subdivision at level 2 (welding, refining, handing faces back to the parts).
// Prints "ratio refine L1/ApplyAdjustments" and the others.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "export/creature_geometry.h"
#include "largest_sample_creature.h"
#include "model/creature.h"
#include "model/notifier.h"
#include "ratio_report.h"
#include "subdivide/subdivided_creature.h"
#include "subdivide/subdivided_parts.h"

namespace {

void BM_ApplyAdjustmentsAllParts(benchmark::State& state) {
    bw::bench::ApplyAdjustmentsAllParts(state);
}
BENCHMARK(BM_ApplyAdjustmentsAllParts)->Unit(benchmark::kMillisecond);

void BM_RefineTopology(benchmark::State& state) {
    const bw::Creature& creature = bw::bench::LargestSampleCreature();
    const int level = int(state.range(0));
    for (auto _ : state) {
        bw::SubdividedCreature surface;  // new each time: nothing refined yet
        if (!surface.Update(creature, {}, level)) state.SkipWithError("nothing to subdivide");
        benchmark::DoNotOptimize(surface.Points().data());
    }
}
BENCHMARK(BM_RefineTopology)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_Reevaluate(benchmark::State& state) {
    static bw::bench::LargestSampleCopy copy;
    bw::Creature& creature = copy.creature;
    const int level = int(state.range(0));
    bw::SubdividedCreature surface;
    surface.Update(creature, {}, level);
    // The points move by a scale as an Adjust drag moves them, outside the timing.
    bw::PartObject* arm = creature.Part(0);
    int call = 0;
    for (auto _ : state) {
        state.PauseTiming();
        arm->adjustments.scaleValue[0] = 1.0f + 0.01f * float(call++ % 10);
        creature.ApplyAdjustments(arm);
        state.ResumeTiming();
        surface.Update(creature, {}, level);
        benchmark::DoNotOptimize(surface.Points().data());
    }
    if (surface.Refinements() != 1) state.SkipWithError("a move refined the topology again");
}
BENCHMARK(BM_Reevaluate)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ExportSubdivision(benchmark::State& state) {
    const bw::Creature& creature = bw::bench::LargestSampleCreature();
    std::vector<bw::PartGeometry> rest;
    bw::TakeCreatureGeometry(creature, bw::ExportOptions(), "a benchmark", rest, nullptr);
    const std::vector<bw::SeamWeld> welds = bw::CreatureSeamWelds(creature);
    for (auto _ : state) {
        std::vector<bw::PartGeometry> parts = rest;
        bw::SubdivideParts(parts, welds, int(state.range(0)));
        benchmark::DoNotOptimize(parts.data());
    }
}
BENCHMARK(BM_ExportSubdivision)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const std::string base = "BM_ApplyAdjustmentsAllParts";
    return bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"refine L1/ApplyAdjustments", "BM_RefineTopology/1", base},
         {"refine L2/ApplyAdjustments", "BM_RefineTopology/2", base},
         {"re-evaluate L1/ApplyAdjustments", "BM_Reevaluate/1", base},
         {"re-evaluate L2/ApplyAdjustments", "BM_Reevaluate/2", base},
         {"export subdivision L2/ApplyAdjustments", "BM_ExportSubdivision/2", base}});
}
