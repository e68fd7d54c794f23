// The largest sample creature: the sample project with the most points, loaded once (renamed
// object files translated) and kept for the run. Aborts when no sample project loads.
#pragma once

#include <benchmark/benchmark.h>

#include "model/creature.h"
#include "model/notifier.h"

namespace bw::bench {

const Creature& LargestSampleCreature();

// A copy of the largest sample creature, its parts cloned, that a benchmark may change.
struct LargestSampleCopy {
    SilentNotifier notifier;
    Creature creature{notifier};

    LargestSampleCopy();
};

// The yardstick of the benchmarks that change a creature's shape: one ApplyAdjustments of every
// part of a copy of the largest sample creature per iteration. Register it as
// "BM_ApplyAdjustmentsAllParts".
void ApplyAdjustmentsAllParts(benchmark::State& state);

}  // namespace bw::bench
