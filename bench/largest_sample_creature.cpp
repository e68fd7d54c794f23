#include "largest_sample_creature.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "model/notifier.h"
#include "project/project_loader.h"

namespace bw::bench {
namespace {

std::size_t PointCount(const Creature& creature) {
    std::size_t points = 0;
    for (int i = 0; i < creature.PartCount(); ++i)
        points += creature.Part(i)->TransformedPoints().size();
    return points;
}

struct LargestCreature {
    SilentNotifier notifier;
    std::unique_ptr<Creature> creature;
    std::string project;

    LargestCreature() {
        const std::filesystem::path share = BW_SAMPLE_SHARE_DIR;
        const std::string objects = (share / "Objects" / "Library").string();
        for (const auto& entry : std::filesystem::directory_iterator(share / "Projects")) {
            auto candidate = std::make_unique<Creature>(notifier);
            AutoTranslatingLoadListener listener;
            TranslationFlags flags;
            if (!LoadProject(*candidate, entry.path().string(), objects, flags, listener)) continue;
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

}  // namespace

const Creature& LargestSampleCreature() {
    static const LargestCreature largest;
    return *largest.creature;
}

LargestSampleCopy::LargestSampleCopy() {
    const Creature& largest = LargestSampleCreature();
    std::vector<std::unique_ptr<PartObject>> parts;
    for (int i = 0; i < largest.PartCount(); ++i) parts.push_back(largest.Part(i)->Clone());
    creature.ReplaceParts(std::move(parts));
}

void ApplyAdjustmentsAllParts(benchmark::State& state) {
    static LargestSampleCopy copy;
    for (auto _ : state) {
        for (int i = 0; i < copy.creature.PartCount(); ++i)
            copy.creature.ApplyAdjustments(copy.creature.Part(i));
        benchmark::ClobberMemory();
    }
    if (copy.notifier.shown != 0) state.SkipWithError("the copy did not re-weld cleanly");
}

}  // namespace bw::bench
