// Undo and redo over the largest sample creature (Fantasy, 22 parts), each against a baseline
// measured in the same run:
//  - undoing and redoing a Random Creature, in milliseconds per step (one undo or one redo),
//    against adding all 22 parts of the creature to an empty one with AddPart;
//  - the memory of 200 single-part edits (an Adjust click on each body part in turn, the part
//    chosen on the Edit Parts page first), in heap bytes per step.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "edit/part_adjustment_editor.h"
#include "history/undo_steps.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "model/notifier.h"
#include "project/list_selecting_load_listener.h"
#include "project/project_loader.h"
#include "ratio_report.h"
#include "select/random_creature.h"
#include "select/symmetry_state.h"

namespace {

// Bytes held by the program's allocations right now (every operator new of this process).
std::atomic<long long> liveBytes{0};

}  // namespace

void* operator new(std::size_t bytes) {
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}
void* operator new[](std::size_t bytes) { return operator new(bytes); }
// The replaced operator new allocates with malloc, so free is the matching release; GCC 12 cannot
// see that through the replacement.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    if (!p) return;
    liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
#pragma GCC diagnostic pop

namespace {

const std::string kShare = BW_SAMPLE_SHARE_DIR;
const std::string kObjects = kShare + "/Objects/Library";

// The sample Fantasy creature loaded through the lists, with the history the window keeps.
struct FantasyWithHistory {
    bw::SilentNotifier notifier;
    bw::Creature creature{notifier};
    bw::DirectoryFileEnumerator files;
    bw::PartSelection selection{creature, files};
    std::vector<bw::MemoryPartList> lists = std::vector<bw::MemoryPartList>(bw::kBodyPartCount);
    bw::SymmetryState symmetry{selection};
    bw::PartAdjustmentEditor editor{creature, {}};
    std::unique_ptr<bw::UndoSteps> undo;

    FantasyWithHistory() {
        selection.SetObjectDirectory(kObjects);
        for (bw::BodyPartId i = 0; i < bw::kBodyPartCount; ++i)
            selection.SetList(i, &lists[std::size_t(i)]);
        selection.FillPartLists();
        undo = std::make_unique<bw::UndoSteps>(
            bw::CreatureStateSources{creature, selection, symmetry},
            bw::UndoSteps::Hooks{[this] { return bw::BodyPartOfEntry(editor.View().entry); },
                                 [this](std::optional<bw::BodyPartId> part) {
                                     editor.SelectEntry(bw::EntryOfBodyPart(part));
                                 },
                                 {},
                                 {}});
        const bw::ScopedStep step(*undo);
        bw::ListSelectingLoadListener listener(selection);
        bw::TranslationFlags flags;
        bw::LoadProject(creature, kShare + "/Projects/Fantasy.bwp", kObjects, flags, listener);
        if (creature.PartCount() != bw::kBodyPartCount || notifier.shown > 0) {
            std::fprintf(stderr, "could not load the sample Fantasy creature\n");
            std::exit(1);
        }
    }
};

void BM_UndoRedoRandomCreature(benchmark::State& state) {
    FantasyWithHistory f;
    std::int64_t seconds = 1;
    bw::ClockSeededRandom random([&] { return seconds; });
    {
        const bw::ScopedStep step(*f.undo);
        bw::RandomCreature(f.selection, 0, random);
    }
    for (auto _ : state) {
        if (!f.undo->Undo() || !f.undo->Redo()) state.SkipWithError("no step to undo or redo");
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * 2);  // items: undo or redo steps
    if (f.notifier.shown > 0) state.SkipWithError("a message was shown");
}
BENCHMARK(BM_UndoRedoRandomCreature)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AddAllPartsOfTheCreature(benchmark::State& state) {
    FantasyWithHistory f;
    struct Entry {
        std::string name, path;
        bw::BodyPartId bodyPart;
    };
    std::vector<Entry> parts;
    for (int i = 0; i < f.creature.PartCount(); ++i) {
        const bw::PartObject& part = *f.creature.Part(i);
        parts.push_back({part.TypeName(), part.Name(), part.bodyPart});
    }
    for (auto _ : state) {
        bw::Creature creature(f.notifier);
        for (const Entry& e : parts)
            if (!creature.AddPart(e.name, e.path, e.bodyPart)) state.SkipWithError("add failed");
        benchmark::DoNotOptimize(creature.PartCount());
    }
}
BENCHMARK(BM_AddAllPartsOfTheCreature)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MemoryOfSingleTwoHundredPartEdits(benchmark::State& state) {
    for (auto _ : state) {
        FantasyWithHistory f;
        constexpr int kSteps = 200;
        long long largest = 0;
        const long long before = liveBytes.load();
        for (int k = 0; k < kSteps; ++k) {
            const long long start = liveBytes.load();
            const bw::BodyPartId part = k % bw::kBodyPartCount;
            f.editor.SelectEntry(part + 1);
            {
                const bw::ScopedStep step(*f.undo);
                f.editor.Adjust(bw::AdjustGroup::Y, (k / bw::kBodyPartCount) % 2 == 0
                                                        ? bw::AdjustAction::PageRight
                                                        : bw::AdjustAction::PageLeft);
            }
            largest = std::max(largest, liveBytes.load() - start);
        }
        if (f.undo->History().UndoCount() != kSteps) state.SkipWithError("a step was not kept");
        state.counters["bytes_per_step"] = double(liveBytes.load() - before) / kSteps;
        state.counters["largest_step_bytes"] = double(largest);
    }
}
BENCHMARK(BM_MemoryOfSingleTwoHundredPartEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"(one undo + one redo)/add-all-22", "BM_UndoRedoRandomCreature/real_time",
          "BM_AddAllPartsOfTheCreature/real_time"}});
}
