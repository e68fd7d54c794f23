#include "rig_test_creatures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "model/object_file_writer.h"
#include "project/project_loader.h"

namespace bw::test {
namespace {

const std::filesystem::path kShare = BW_SAMPLE_SHARE_DIR;

// Set 1 at the far end (to the child), set 2 at the start (to the parent).
ObjectFileContents Tube(BodyPartId bodyPart) {
    ObjectFileContents c;
    c.bodyPart = bodyPart;
    for (int ring = 0; ring < kLimbRings; ++ring) {
        for (int k = 0; k < 4; ++k) {
            const float angle = float(k) * 1.5707964f;
            const float y = kLimbRadius * std::cos(angle);
            const float z = kLimbRadius * std::sin(angle);
            c.points.push_back({float(ring) * kLimbStep, y, z});
            c.normals.push_back({0.0f, std::cos(angle), std::sin(angle)});
        }
    }
    for (std::uint16_t k = 0; k < 4; ++k) {
        c.connectionSets[0].push_back(std::uint16_t(4 * (kLimbRings - 1) + k));
        c.connectionSets[1].push_back(k);
    }
    return c;
}

}  // namespace

std::vector<std::string> SampleProjectNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kShare / "Projects"))
        if (entry.path().extension() == ".bwp") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<LoadedCreature> LoadSampleCreature(const std::string& projectName) {
    auto loaded = std::make_unique<LoadedCreature>();
    AutoTranslatingLoadListener listener;
    TranslationFlags flags;
    const bool ok = LoadProject(loaded->creature, (kShare / "Projects" / projectName).string(),
                                (kShare / "Objects" / "Library").string(), flags, listener);
    EXPECT_TRUE(ok) << projectName;
    return loaded;
}

std::unique_ptr<LoadedCreature> SyntheticLeftArm(const TemporaryDirectory& directory) {
    auto loaded = std::make_unique<LoadedCreature>();
    for (const char* name : {"Left arm", "Left forearm", "Left hand"}) {
        const BodyPartId id = *BodyPartIdOfName(name);
        ObjectFileContents tube = Tube(id);
        if (id == *BodyPartIdOfName("Left hand")) {
            tube.connectionSets[0] = tube.connectionSets[1];  // the hand meets with set 1
            tube.connectionSets[1].clear();
        }
        const std::string path = directory.Path() + "/" + name + ".bwo";
        EXPECT_TRUE(WriteObjectFile(path, tube, nullptr));
        EXPECT_TRUE(loaded->creature.AddPart(name, path, id)) << name;
    }
    return loaded;
}

int PartIndexOf(const Creature& creature, const std::string& name) {
    for (int i = 0; i < creature.PartCount(); ++i)
        if (BodyPartName(creature.Part(i)->bodyPart) == name) return i;
    ADD_FAILURE() << "no part " << name;
    return -1;
}

}  // namespace bw::test
