// Whole-creature commands and part editing over the generated sample library, each against a
// baseline measured in the same run:
//  - RandomCreature (22 loads and connections through the part lists), in milliseconds per
//    creature, against loading the same number of sample files without connecting them;
//  - one Adjust thumb-track event of the Edit Parts logic on the largest sample part with all
//    its neighbours present (transform, re-attachment and welds; no drawing), as events per
//    second, against the transform of that part alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "edit/part_adjustment_editor.h"
#include "model/body_part_directory.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "model/notifier.h"
#include "model/part_transform.h"
#include "ratio_report.h"
#include "select/part_selection.h"
#include "select/random_creature.h"

namespace {

const std::string kObjectDirectory = BW_SAMPLE_OBJECT_DIR;

// The sample library's part lists, as the Select Parts page holds them.
struct SampleSelection {
    bw::SilentNotifier notifier;
    bw::Creature creature{notifier};
    bw::DirectoryFileEnumerator files;
    bw::PartSelection selection{creature, files};
    std::vector<bw::MemoryPartList> lists = std::vector<bw::MemoryPartList>(bw::kBodyPartCount);

    SampleSelection() {
        selection.SetObjectDirectory(kObjectDirectory);
        for (bw::BodyPartId i = 0; i < bw::kBodyPartCount; ++i)
            selection.SetList(i, &lists[std::size_t(i)]);
        selection.FillPartLists();
        for (const bw::MemoryPartList& list : lists) {
            if (list.Count() < 3) {
                std::fprintf(stderr, "no sample library at %s\n", kObjectDirectory.c_str());
                std::exit(1);
            }
        }
    }
    std::string Path(bw::BodyPartId i, int entry) const {
        return bw::BodyPartDirectory(kObjectDirectory, i) + bw::kPathSeparator +
               lists[std::size_t(i)].Text(entry);
    }
};

void BM_RandomCreature(benchmark::State& state) {
    SampleSelection s;
    std::int64_t seconds = 1;  // a new second for every creature, so every draw differs
    bw::ClockSeededRandom random([&] { return seconds; });
    for (auto _ : state) {
        bw::RandomCreature(s.selection, 0, random);
        ++seconds;
    }
    if (s.notifier.shown > 0) state.SkipWithError("a random sample creature showed a message");
    state.counters["parts"] = s.creature.PartCount();
}
BENCHMARK(BM_RandomCreature)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadSameNumberOfFiles(benchmark::State& state) {
    SampleSelection s;
    int entry = 1;
    for (auto _ : state) {
        for (bw::BodyPartId i = 0; i < bw::kBodyPartCount; ++i) {
            bw::PartObject part;
            if (!part.LoadObjectFile(s.Path(i, entry))) state.SkipWithError("load failed");
            benchmark::DoNotOptimize(part.PointCount());
        }
        entry = entry % (s.lists[0].Count() - 1) + 1;
    }
}
BENCHMARK(BM_LoadSameNumberOfFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole sample creature of the type of the sample part with the most points, so that part has
// every neighbour; the editor has it selected.
struct LargestPartCreature {
    SampleSelection s;
    bw::PartObject* part = nullptr;
    bw::BodyPartId bodyPart = 0;
    bw::PartAdjustmentEditor editor{s.creature, {}};

    LargestPartCreature() {
        std::uint32_t most = 0;
        std::string prefix;
        for (bw::BodyPartId i = 0; i < bw::kBodyPartCount; ++i) {
            for (int k = 1; k < s.lists[std::size_t(i)].Count(); ++k) {
                bw::PartObject probe;
                if (probe.LoadObjectFile(s.Path(i, k)) && probe.PointCount() > most) {
                    most = probe.PointCount();
                    bodyPart = i;
                    const std::string name = s.lists[std::size_t(i)].Text(k);
                    prefix = name.substr(0, name.find('-'));
                }
            }
        }
        // Every body part from the same creature type, the largest part itself among them.
        for (bw::BodyPartId i = 0; i < bw::kBodyPartCount; ++i) {
            bw::MemoryPartList& list = s.lists[std::size_t(i)];
            for (int k = 1; k < list.Count(); ++k) {
                if (list.Text(k).rfind(prefix, 0) == 0) {
                    list.SetCurrentIndex(k);
                    break;
                }
            }
            s.selection.SelectPart(i);
        }
        // The largest part: pick it again by point count within its own list.
        bw::MemoryPartList& own = s.lists[std::size_t(bodyPart)];
        for (int k = 1; k < own.Count(); ++k) {
            bw::PartObject probe;
            if (probe.LoadObjectFile(s.Path(bodyPart, k)) && probe.PointCount() == most) {
                own.SetCurrentIndex(k);
                s.selection.SelectPart(bodyPart);
                break;
            }
        }
        editor.SelectEntry(bodyPart + 1);
        part = s.creature.FindPartForEdit(bodyPart);
        if (!part || s.creature.PartCount() != bw::kBodyPartCount || s.notifier.shown > 0) {
            std::fprintf(stderr, "could not assemble the sample creature\n");
            std::exit(1);
        }
        std::printf("largest sample part: %s/%s, %u points, %d parts in the creature\n",
                    std::string(bw::BodyPartName(bodyPart)).c_str(), own.Text(own.current).c_str(),
                    part->PointCount(), s.creature.PartCount());
    }
};

LargestPartCreature& SharedLargestPart() {
    static LargestPartCreature shared;
    return shared;
}

// The thumb swept across the bar and back, one event per position, as a drag produces them.
void BM_AdjustThumbTrackEvent(benchmark::State& state) {
    LargestPartCreature& c = SharedLargestPart();
    int position = 0;
    int direction = 1;
    for (auto _ : state) {
        position += direction;
        if (position == bw::PartAdjustmentEditor::kBarMaximum ||
            position == bw::PartAdjustmentEditor::kBarMinimum)
            direction = -direction;
        c.editor.Adjust(bw::AdjustGroup::X, bw::AdjustAction::ThumbTrack, position);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AdjustThumbTrackEvent)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_TransformLargestPartAlone(benchmark::State& state) {
    LargestPartCreature& c = SharedLargestPart();
    for (auto _ : state) {
        bw::TransformPart(*c.part);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TransformLargestPartAlone)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"RandomCreature/22 loads alone", "BM_RandomCreature/real_time",
          "BM_LoadSameNumberOfFiles/real_time"},
         {"thumb-track event/transform alone", "BM_AdjustThumbTrackEvent/real_time",
          "BM_TransformLargestPartAlone/real_time"}});
}
