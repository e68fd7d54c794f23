// A thousand random creatures, every body part drawn from its directory and added in a random
// order: every part connects without a message, every seam ends welded shut and every point
// stays finite.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "library_files.h"
#include "model/creature.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

// The largest distance between matching points of every pair of meeting sets in the creature.
double WorstSeamGap(const Creature& creature) {
    double worst = 0.0;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject* part = creature.Part(i);
        for (const SetConnection& c : ConnectionsOfTypeCode(part->GetTypeCode())) {
            const PartObject* other = creature.PartOfTypeCode(c.neighbour);
            if (!other) continue;
            const auto own = part->ConnectionSet(c.ownSet - 1);
            const auto theirs = other->ConnectionSet(c.neighbourSet - 1);
            if (own.size() != theirs.size()) return INFINITY;
            for (std::size_t k = 0; k < own.size(); ++k) {
                const Vec3f p = part->TransformedPoints()[own[k]];
                const Vec3f q = other->TransformedPoints()[theirs[k]];
                worst = std::max({worst, double(std::fabs(p.x - q.x)), double(std::fabs(p.y - q.y)),
                                  double(std::fabs(p.z - q.z))});
            }
        }
    }
    return worst;
}

bool AllPointsFinite(const Creature& creature) {
    for (int i = 0; i < creature.PartCount(); ++i)
        for (const Vec3f& p : creature.Part(i)->TransformedPoints())
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    return true;
}

TEST(RandomSampleCreatures, ConnectWithoutMessagesAndWeldEverySeamShut) {
    std::vector<std::vector<std::string>> files(kBodyPartCount);
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        for (const auto& name : PartFileNames(id)) files[id].push_back(PartFilePath(id, name));
        ASSERT_FALSE(files[id].empty()) << BodyPartName(id);
    }
    std::mt19937 random(20240611u);
    std::vector<BodyPartId> order(kBodyPartCount);
    std::iota(order.begin(), order.end(), 0);
    for (int creatureIndex = 0; creatureIndex < 1000; ++creatureIndex) {
        RecordingNotifier notifier;
        Creature creature(notifier);
        std::shuffle(order.begin(), order.end(), random);
        for (BodyPartId id : order) {
            const auto& choices = files[id];
            const std::string& path = choices[random() % choices.size()];
            ASSERT_TRUE(creature.AddPart(std::string(BodyPartName(id)), path, id)) << path;
        }
        ASSERT_TRUE(notifier.messages.empty())
            << "creature " << creatureIndex << ": " << notifier.messages.front().caption << ": "
            << notifier.messages.front().text;
        ASSERT_EQ(creature.PartCount(), kBodyPartCount);
        ASSERT_TRUE(AllPointsFinite(creature)) << "creature " << creatureIndex;
        // Welds copy one average into both points; later moves shift both alike, so matching
        // points differ at most by float rounding of those moves.
        ASSERT_LT(WorstSeamGap(creature), 1e-5) << "creature " << creatureIndex;
    }
}

}  // namespace
}  // namespace bw::test
