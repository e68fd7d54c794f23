// The proof of the converter: every prepared sample creature cut by bwtool into 22 body-part
// files that assemble, in any order, without a message into the prepared geometry up to one
// translation; and the cut's seams where three materials meet.
#include "converter/converter_cut.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>

#include "converter/converter_model.h"
#include "model/creature.h"
#include "support/command_runner.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

using testing::HasSubstr;

std::vector<std::filesystem::path> PreparedCreatures() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(BW_SAMPLE_SHARE_DIR) +
                                                                 "/Objects/Prepared"))
        if (entry.path().extension() == ".bwo") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string PartPath(const std::string& objects, BodyPartId id, const std::string& name) {
    return objects + "/" + std::string(ConverterDirectoryName(id)) + "/" + name + ".bwo";
}

// Assembles the 22 cut parts in `order` and checks every point against the prepared object
// (as the converter holds it) up to one translation common to all parts.
void ExpectAssembledEqualsPrepared(const ConverterModel& prepared, const std::string& objects,
                                   const std::string& name, const std::vector<BodyPartId>& order) {
    RecordingNotifier notifier;
    Creature creature(notifier);
    for (BodyPartId id : order)
        ASSERT_TRUE(
            creature.AddPart(std::string(BodyPartName(id)), PartPath(objects, id, name), id))
            << BodyPartName(id);
    EXPECT_TRUE(notifier.messages.empty())
        << notifier.messages.front().caption << ": " << notifier.messages.front().text;
    ASSERT_EQ(creature.PartCount(), kBodyPartCount);
    bool haveTranslation = false;
    double t[3] = {0, 0, 0};
    double worst = 0.0;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        const PartGroup& group = prepared.Group(part.bodyPart);
        const auto points = part.TransformedPoints();
        ASSERT_EQ(points.size(), group.points.size()) << part.TypeName();
        for (std::size_t j = 0; j < points.size(); ++j) {
            const ConverterPoint& p = prepared.ModelPoints()[std::size_t(group.points[j])];
            const double d[3] = {double(points[j].x) - p.x, double(points[j].y) - p.y,
                                 double(points[j].z) - p.z};
            if (!haveTranslation) {
                std::copy(d, d + 3, t);
                haveTranslation = true;
            }
            for (int axis = 0; axis < 3; ++axis)
                worst = std::max(worst, std::abs(d[axis] - t[axis]));
        }
    }
    // The parts are about 0.3 units apart at most: a few float steps of that size.
    EXPECT_LT(worst, 2e-7) << "largest deviation from one translation";
}

TEST(ConverterCut, EverySampleCreatureCutsIntoPartsThatAssembleIntoItself) {
    const std::vector<std::filesystem::path> creatures = PreparedCreatures();
    ASSERT_EQ(creatures.size(), 5u);
    TemporaryDirectory objects;
    for (const std::filesystem::path& file : creatures) {
        SCOPED_TRACE(file.filename().string());
        const std::string name = file.stem().string();
        const CommandResult cut = RunCommand(
            BWTOOL_PATH, {"cut", file.string(), "--objects", objects.Path(), "--name", name},
            objects.Path());
        ASSERT_EQ(cut.status, 0) << cut.err;
        int files = 0;
        for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
            const std::string path = PartPath(objects.Path(), id, name);
            files += std::filesystem::exists(path);
            EXPECT_THAT(cut.out, HasSubstr("wrote " + path)) << BodyPartName(id);
        }
        EXPECT_EQ(files, kBodyPartCount);
        EXPECT_THAT(cut.out, HasSubstr("set 2 of Nose (Not availible): 3 points"));

        RecordingNotifier notifier;
        ConverterModel prepared(notifier);
        NoProgress progress;
        ASSERT_TRUE(prepared.LoadPreparedObject(file.string(), progress));
        std::vector<BodyPartId> order(kBodyPartCount);
        for (BodyPartId id = 0; id < kBodyPartCount; ++id) order[std::size_t(id)] = id;
        ExpectAssembledEqualsPrepared(prepared, objects.Path(), name, order);
        std::reverse(order.begin(), order.end());
        ExpectAssembledEqualsPrepared(prepared, objects.Path(), name, order);
        std::mt19937 shuffle(std::uint32_t(file.stem().string().size()));
        for (int round = 0; round < 3; ++round) {
            std::shuffle(order.begin(), order.end(), shuffle);
            ExpectAssembledEqualsPrepared(prepared, objects.Path(), name, order);
        }

        // The command-line assembly of the same files says nothing either.
        std::vector<std::string> args = {"assemble", "--objects", objects.Path(), "--json"};
        for (BodyPartId id : order) {
            args.push_back("--add");
            args.push_back(std::string(BodyPartName(id)) + "=" +
                           PartPath(objects.Path(), id, name));
        }
        const CommandResult assembled = RunCommand(BWTOOL_PATH, args, objects.Path());
        ASSERT_EQ(assembled.status, 0) << assembled.err;
        EXPECT_EQ(assembled.err, "");
        EXPECT_EQ(nlohmann::json::parse(assembled.out)["parts"].size(), 22u);
    }
}

TEST(ConverterCut, RefusesBadArgumentsAndUnsafeNames) {
    TemporaryDirectory objects;
    const std::string prepared = PreparedCreatures().front().string();
    const CommandResult escape =
        RunCommand(BWTOOL_PATH, {"cut", prepared, "--objects", objects.Path(), "--name", "../up"},
                   objects.Path());
    EXPECT_EQ(escape.status, 2);
    EXPECT_THAT(escape.err, HasSubstr("holds a path separator"));
    const CommandResult noObjects = RunCommand(BWTOOL_PATH, {"cut", prepared}, objects.Path());
    EXPECT_EQ(noObjects.status, 2);
    const CommandResult unreadable =
        RunCommand(BWTOOL_PATH, {"cut", objects.Path() + "/none.bwo", "--objects", objects.Path()},
                   objects.Path());
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_THAT(unreadable.err, HasSubstr("Unable to take object: "));
    EXPECT_TRUE(std::filesystem::is_empty(objects.Path()) ||
                !std::filesystem::exists(objects.Path() + "/Head"));
}

}  // namespace
}  // namespace bw::test
