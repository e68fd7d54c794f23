// Rigging the largest sample creature (the sample project with the most points), each against
// one ApplyAdjustments of every one of its parts in the same run:
//  - its skeleton and skin weights from scratch;
//  - one pose change: every joint turned, the joints posed and every part skinned.
// Prints "ratio weights/ApplyAdjustments" and "ratio pose change/ApplyAdjustments".
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "largest_sample_creature.h"
#include "model/creature.h"
#include "model/notifier.h"
#include "ratio_report.h"
#include "rig/pose.h"
#include "rig/posed_skeleton.h"
#include "rig/skeleton.h"
#include "rig/skin_weights.h"
#include "rig/skinning.h"

namespace {

void BM_ApplyAdjustmentsAllParts(benchmark::State& state) {
    bw::bench::ApplyAdjustmentsAllParts(state);
}
BENCHMARK(BM_ApplyAdjustmentsAllParts)->Unit(benchmark::kMillisecond);

void BM_SkeletonAndWeights(benchmark::State& state) {
    const bw::Creature& creature = bw::bench::LargestSampleCreature();
    bw::SkinWeights weights;  // recomputed in place, as after each edit of the shape
    for (auto _ : state) {
        const bw::Skeleton skeleton = bw::BuildSkeleton(creature);
        bw::ComputeSkinWeights(creature, skeleton, weights);
        benchmark::DoNotOptimize(weights.parts.data());
    }
}
BENCHMARK(BM_SkeletonAndWeights)->Unit(benchmark::kMillisecond);

// Every body part turned, by angles that differ from one call to the next.
bw::Pose EveryJointTurned(int call) {
    bw::Pose pose;
    const float a = float(call % 7) * 5.0f;
    for (bw::BodyPartId id = 0; id < bw::kBodyPartCount; ++id)
        pose.SetRotation(id, {10.0f + a, float(id) - a, 20.0f - a});
    return pose;
}

void BM_PoseChangeAllParts(benchmark::State& state) {
    const bw::Creature& creature = bw::bench::LargestSampleCreature();
    const bw::Skeleton skeleton = bw::BuildSkeleton(creature);
    const bw::SkinWeights weights = bw::ComputeSkinWeights(creature, skeleton);
    std::vector<bw::PosedPart> posed;
    int call = 0;
    for (auto _ : state) {
        const std::vector<bw::PosedJoint> joints =
            bw::PoseSkeleton(skeleton, EveryJointTurned(call++));
        bw::SkinCreature(creature, weights, joints, posed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PoseChangeAllParts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"weights/ApplyAdjustments", "BM_SkeletonAndWeights", "BM_ApplyAdjustmentsAllParts"},
         {"pose change/ApplyAdjustments", "BM_PoseChangeAllParts", "BM_ApplyAdjustmentsAllParts"}});
}
