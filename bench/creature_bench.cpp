// Creature benchmarks, each against a baseline measured in the same run:
//  - ApplyAdjustments on a 100,000-point part with every value non-zero, against copying the
//    same points; allocations per call are counted.
//  - AddPart of a part into a creature holding the other 21, against LoadObjectFile alone.
//  - Saving and loading a 22-part project, against adding its parts directly.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

#include "model/creature.h"
#include "model/notifier.h"
#include "model/object_file_writer.h"
#include "project/creature_project_writer.h"
#include "project/project_loader.h"
#include "ratio_report.h"
#include "synthetic_creature.h"

namespace {

std::atomic<long> allocations{0};

std::string ScratchDirectory() {
    static const std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "bwbench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        // Removed at exit; the path outlives the static string it is copied from.
        static const std::string* removeAtExit = new std::string(pattern);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(*removeAtExit, ignored);
        });
        return pattern;
    }();
    return dir;
}

// A 100,000-point part as the only part of a creature, every scale and taper value non-zero.
struct AdjustedPart {
    bw::SilentNotifier notifier;
    bw::Creature creature{notifier};
    bw::PartObject* part = nullptr;

    AdjustedPart() {
        bw::ObjectFileContents c;
        for (int i = 0; i < 100000; ++i) {
            const float a = float(i) * 0.001f;
            c.points.push_back(
                {0.2f * std::cos(a), 0.5f * float(i) / 100000.0f, 0.2f * std::sin(a)});
        }
        const std::string path = ScratchDirectory() + "/big.bwo";
        if (!bw::WriteObjectFile(path, c, nullptr)) std::abort();
        if (!creature.AddPart("Upper body", path, 8)) std::abort();
        part = creature.Part(0);
        part->adjustments.scaleValue = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f};
        part->adjustments.taperValue = {0.3f, -0.2f, 0.1f};
    }
};

AdjustedPart& SharedAdjustedPart() {
    static AdjustedPart shared;
    return shared;
}

void BM_ApplyAdjustments(benchmark::State& state) {
    AdjustedPart& p = SharedAdjustedPart();
    long before = allocations.load();
    for (auto _ : state) {
        p.creature.ApplyAdjustments(p.part);
        benchmark::ClobberMemory();
    }
    state.counters["allocations_per_call"] =
        double(allocations.load() - before) / double(state.iterations());
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ApplyAdjustments)->Unit(benchmark::kMicrosecond);

void BM_CopyPointsBaseline(benchmark::State& state) {
    AdjustedPart& p = SharedAdjustedPart();
    const auto base = p.part->BasePoints();
    const auto out = p.part->TransformedPoints();
    for (auto _ : state) {
        std::memcpy(out.data(), base.data(), base.size_bytes());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_CopyPointsBaseline)->Unit(benchmark::kMicrosecond);

const std::array<std::string, bw::kBodyPartCount>& SyntheticParts() {
    static const auto paths = bw::bench::WriteSyntheticParts(ScratchDirectory() + "/parts", 1200);
    return paths;
}

void BM_LoadObjectFile(benchmark::State& state) {
    const std::string& path = SyntheticParts()[16];  // Left thigh: two neighbours, chains
    for (auto _ : state) {
        bw::PartObject part;
        benchmark::DoNotOptimize(part.LoadObjectFile(path));
    }
}
BENCHMARK(BM_LoadObjectFile)->Unit(benchmark::kMicrosecond);

void BM_AddPartToFullCreature(benchmark::State& state) {
    bw::SilentNotifier notifier;
    bw::Creature creature(notifier);
    const auto& paths = SyntheticParts();
    for (bw::BodyPartId id = 0; id < bw::kBodyPartCount; ++id)
        creature.AddPart(std::string(bw::BodyPartName(id)), paths[std::size_t(id)], id);
    for (auto _ : state) {
        benchmark::DoNotOptimize(creature.AddPart("Left thigh", paths[16], 16));
    }
    if (notifier.shown != 0 || creature.PartCount() != bw::kBodyPartCount)
        state.SkipWithError("the synthetic creature did not connect cleanly");
}
BENCHMARK(BM_AddPartToFullCreature)->Unit(benchmark::kMicrosecond);

// Saving a 22-part Pro project and loading it back (clearing, reading every record, adding and
// adjusting every part), against adding the same 22 parts without a project.
void BM_SaveAndLoadProject(benchmark::State& state) {
    bw::SilentNotifier notifier;
    bw::Creature creature(notifier);
    const auto& paths = SyntheticParts();
    const std::string objects = ScratchDirectory() + "/parts";
    for (bw::BodyPartId id = 0; id < bw::kBodyPartCount; ++id)
        creature.AddPart(std::string(bw::BodyPartName(id)), paths[std::size_t(id)], id);
    const std::string project = ScratchDirectory() + "/creature.bwp";
    bw::AutoTranslatingLoadListener listener;
    bw::TranslationFlags flags;
    for (auto _ : state) {
        WriteProject(creature, project, objects, "20");
        bw::LoadProject(creature, project, objects, flags, listener);
    }
    if (notifier.shown != 0 || creature.PartCount() != bw::kBodyPartCount)
        state.SkipWithError("the project did not load cleanly");
}
BENCHMARK(BM_SaveAndLoadProject)->Unit(benchmark::kMicrosecond);

void BM_AddAllParts(benchmark::State& state) {
    bw::SilentNotifier notifier;
    const auto& paths = SyntheticParts();
    for (auto _ : state) {
        bw::Creature creature(notifier);
        for (bw::BodyPartId id = 0; id < bw::kBodyPartCount; ++id)
            creature.AddPart(std::string(bw::BodyPartName(id)), paths[std::size_t(id)], id);
    }
}
BENCHMARK(BM_AddAllParts)->Unit(benchmark::kMicrosecond);

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// The replaced operator new allocates with malloc, so free is the matching release; GCC 12 cannot
// see through the replacement and warns that it is not.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

int main(int argc, char** argv) {
    return bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"ApplyAdjustments/copy of the same points", "BM_ApplyAdjustments",
          "BM_CopyPointsBaseline"},
         {"AddPart into a 21-part creature/LoadObjectFile alone", "BM_AddPartToFullCreature",
          "BM_LoadObjectFile"},
         {"save and load a 22-part Pro project/add the 22 parts", "BM_SaveAndLoadProject",
          "BM_AddAllParts"}});
}
