// Saving a creature as a project and loading it back: record order and paths, adjustments of
// both versions, the translation of renamed object files, and refusals that leave the creature
// untouched.
#include "project/project_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "project/creature_project_writer.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw {
namespace {

using test::ReadText;

using test::RecordingNotifier;
using test::TemporaryDirectory;

class ScriptedListener : public ProjectLoadListener {
  public:
    TranslationAnswer AskTranslation(const std::string& oldPath, const std::string& newPath,
                                     const TranslationAnswer& start) override {
        questions.push_back(oldPath + " -> " + newPath);
        starts.push_back(start);
        return answer ? *answer : start;
    }
    void ShowTranslationList(const std::vector<std::string>& oldPaths,
                             const std::vector<std::string>& newPaths) override {
        lists.push_back({oldPaths, newPaths});
    }
    void SelectFile(BodyPartId bodyPart, const std::string& fileName) override {
        selected.push_back(std::to_string(bodyPart) + ":" + fileName);
    }

    std::optional<TranslationAnswer> answer;
    std::vector<std::string> questions;
    std::vector<TranslationAnswer> starts;
    std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> lists;
    std::vector<std::string> selected;
};

class ProjectLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        objects = dir.Path() + "/Objects";
        dir.Write("Objects/Head/Male-Round.bwo", test::Encode(test::CubeContents({0, 2, 0}, 0)));
        dir.Write("Objects/Left foot/Fantasy-ThreeToes.bwo",
                  test::Encode(test::CubeContents({1, 0, 0}, 18)));
        dir.Write("Objects/Left thigh/Male-Slim.bwo",
                  test::Encode(test::CubeContents({1, 1, 0}, 16)));
    }
    std::string Project(const std::string& name, const std::string& text) {
        return dir.Write(name, text);
    }
    bool Load(const std::string& path) {
        return LoadProject(creature, path, objects, flags, listener);
    }

    TemporaryDirectory dir;
    std::string objects;
    RecordingNotifier notifier;
    Creature creature{notifier};
    TranslationFlags flags;
    ScriptedListener listener;
};

TEST_F(ProjectLoaderTest, ProProjectKeepsPartOrderPathsAndEveryAdjustment) {
    ASSERT_TRUE(creature.AddPart("Left foot", objects + "/Left foot/Fantasy-ThreeToes.bwo", 18));
    ASSERT_TRUE(creature.AddPart("Head", objects + "/Head/Male-Round.bwo", 0));
    PartObject* head = creature.Part(1);
    head->adjustments.scaleValue[4] = -0.5f;
    head->adjustments.adjustPosition[4] = -50;
    head->adjustments.taperAxis = 0;  // as after "Clear current settings"
    head->adjustments.taperValue = {0.25f, 0, 0.125f};
    head->adjustments.taperStep = 0.05f;
    creature.ApplyAdjustments(head);
    const std::string path = dir.Path() + "/creature.bwp";
    ASSERT_TRUE(WriteProject(creature, path, objects, "20"));

    const std::string text = ReadText(path);
    EXPECT_EQ(
        text.rfind("BW20\r\n2\r\n13\r\n18\r\nLeft foot\r\n\\Left foot\\Fantasy-ThreeToes.bwo\r\n",
                   0),
        0u)
        << text;
    EXPECT_NE(text.find("\r\n     0\r\n0\r\nHead\r\n\\Head\\Male-Round.bwo\r\n"),
              std::string::npos);

    Creature loaded(notifier);
    ASSERT_TRUE(LoadProject(loaded, path, objects, flags, listener));
    EXPECT_TRUE(notifier.messages.empty());
    ASSERT_EQ(loaded.PartCount(), 2);
    EXPECT_EQ(loaded.Part(0)->TypeName(), "Left foot");
    EXPECT_EQ(loaded.Part(1)->Name(), objects + "/Head/Male-Round.bwo");
    EXPECT_EQ(loaded.Part(1)->adjustments, head->adjustments);
    EXPECT_EQ(loaded.Part(0)->adjustments.taperAxis, -2);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(loaded.Part(1)->TransformedPoints()[i], head->TransformedPoints()[i]);
    EXPECT_EQ(listener.selected,
              (std::vector<std::string>{"18:Fantasy-ThreeToes.bwo", "0:Male-Round.bwo"}));
}

TEST_F(ProjectLoaderTest, StandardEditionDropsTheTaperAndLoadingKeepsTheCatalogueAxis) {
    ASSERT_TRUE(creature.AddPart("Head", objects + "/Head/Male-Round.bwo", 0));
    creature.Part(0)->adjustments.taperValue[0] = 0.5f;
    creature.Part(0)->adjustments.scaleValue[0] = 0.25f;
    const std::string path = dir.Path() + "/standard.bwp";
    ASSERT_TRUE(WriteProject(creature, path, objects, "1"));
    EXPECT_EQ(ReadText(path).rfind("BW1\r\n1\r\n", 0), 0u);

    ASSERT_TRUE(Load(path));
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->adjustments.taperAxis, 2);
    EXPECT_EQ(creature.Part(0)->adjustments.taperValue[0], 0.0f);
    EXPECT_EQ(creature.Part(0)->adjustments.scaleValue[0], 0.25f);
}

TEST_F(ProjectLoaderTest, RenamedObjectFileIsTranslatedAfterOneQuestion) {
    const std::string record =
        "11\r\n16\r\nLeft thigh\r\n\\Left thigh\\MaleSlim.bwo\r\n"
        "0 0 0 0 0 0 0 0 0 0.010000 0.010000 0.010000 0.000000 0.000000 0.000000 0.000000 "
        "0.000000 0.000000 0.000000 0.000000 0.000000 0 0 0 0\r\n     ";
    const std::string text = "BW1\r\n2\r\n" + record + record;
    const std::string path = Project("old.bwp", text);
    ASSERT_TRUE(Load(path));
    ASSERT_EQ(listener.questions.size(), 1u);
    EXPECT_EQ(listener.questions[0], "\\Left thigh\\MaleSlim.bwo -> \\Left thigh\\Male-Slim.bwo");
    EXPECT_TRUE(listener.starts[0].dontAskProject);
    EXPECT_FALSE(listener.starts[0].dontAskSession);
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->Name(), objects + "/Left thigh/Male-Slim.bwo");
    ASSERT_EQ(listener.lists.size(), 1u);
    EXPECT_EQ(listener.lists[0].first.size(), 2u);
    EXPECT_EQ(listener.lists[0].second[0], "\\Left thigh\\Male-Slim.bwo");
    EXPECT_EQ(flags.dontAskProject, -1);

    // Answered "don't ask again for this session": later loads translate without asking.
    listener.answer = TranslationAnswer{true, true, true, false};
    flags = {};
    ASSERT_TRUE(Load(path));
    ASSERT_TRUE(Load(path));
    EXPECT_EQ(listener.questions.size(), 2u);
    EXPECT_EQ(listener.lists.size(), 1u);  // the list was switched off
    EXPECT_EQ(creature.Part(0)->Name(), objects + "/Left thigh/Male-Slim.bwo");
}

TEST_F(ProjectLoaderTest, NoProjectFileLeavesTheCreatureAsItWas) {
    ASSERT_TRUE(creature.AddPart("Head", objects + "/Head/Male-Round.bwo", 0));
    for (const std::string& text :
         {std::string("BW3\r\n0\r\n"), std::string("hello world"), std::string()}) {
        const std::string path = Project("bad.bwp", text);
        notifier.messages.clear();
        EXPECT_FALSE(Load(path)) << text;
        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_EQ(notifier.messages[0].caption, "Unable to load project");
        EXPECT_EQ(notifier.messages[0].text.rfind(path + "\n", 0), 0u);
        EXPECT_EQ(creature.PartCount(), 1);
    }
    notifier.messages.clear();
    EXPECT_FALSE(Load(dir.Path() + "/missing.bwp"));
    EXPECT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(creature.PartCount(), 1);
}

TEST_F(ProjectLoaderTest, BadRecordsAreSkippedAndTheRestLoads) {
    const std::string params =
        "0 0 0 0 0 0 0 0 0 0.01 0.01 0.01 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n     ";
    const std::string text = "BW1\r\n3\r\n30\r\n0\r\nHead\r\n\\Head\\Male-Round.bwo\r\n" + params +
                             "0\r\n0\r\nHead\r\n\\Head\\Missing.bwo\r\n" + params +
                             "13\r\n18\r\nLeft foot\r\n\\LEFT FOOT\\fantasy-threetoes.bwo\r\n" +
                             params;
    ASSERT_TRUE(Load(Project("mixed.bwp", text)));
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0].caption, "Project record skipped");
    EXPECT_EQ(notifier.messages[1].caption, "Unable to add object");
    // Directory and file names are found without regard to case.
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->Name(), objects + "/Left foot/Fantasy-ThreeToes.bwo");
}

TEST_F(ProjectLoaderTest, AfterTenFailedRecordsTheRestAreCountedInOneMessage) {
    // 14 missing files, then a part that loads, then one more missing file: 10 failures as
    // they come, the rest held.
    std::string text = "BW20\r\n16\r\n";
    for (int i = 1; i <= 14; ++i)
        text += "0\r\n0\r\nHead\r\n\\Head\\Missing" + std::to_string(i) + ".bwo\r\n\r\n";
    text += "13\r\n18\r\nLeft foot\r\n\\Left foot\\Fantasy-ThreeToes.bwo\r\n\r\n";
    text += "0\r\n0\r\nHead\r\n\\Head\\Missing15.bwo\r\n\r\n";
    ASSERT_TRUE(Load(Project("flood.bwp", text)));
    ASSERT_EQ(creature.PartCount(), 1);
    ASSERT_EQ(notifier.messages.size(), 11u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(notifier.messages[std::size_t(i)].text,
                  objects + "/Head/Missing" + std::to_string(i + 1) + ".bwo");
    EXPECT_EQ(notifier.messages[10].caption, "Unable to add object");
    EXPECT_EQ(notifier.messages[10].text,
              "5 more parts could not be added\n" + objects + "/Head/Missing11.bwo\n" + objects +
                  "/Head/Missing12.bwo\n" + objects + "/Head/Missing13.bwo\n" + objects +
                  "/Head/Missing14.bwo\n" + objects + "/Head/Missing15.bwo");

    // The count starts again with the next load, and messages after it reach the notifier.
    notifier.messages.clear();
    ASSERT_TRUE(Load(Project("flood.bwp", text)));
    EXPECT_EQ(notifier.messages.size(), 11u);
    EXPECT_FALSE(creature.AddPart("Head", objects + "/Head/Missing.bwo", 0));
    EXPECT_EQ(notifier.messages.size(), 12u);
}

TEST_F(ProjectLoaderTest, PathOutsideTheObjectDirectoryIsStoredWholeAndUsedAsItStands) {
    const std::string outside = dir.Write("elsewhere/Head.bwo", test::Encode(test::CubeContents()));
    ASSERT_TRUE(creature.AddPart("Head", outside, 0));
    const std::string path = dir.Path() + "/outside.bwp";
    ASSERT_TRUE(WriteProject(creature, path, objects, "20"));
    EXPECT_NE(ReadText(path).find("\r\n" + outside + "\r\n"), std::string::npos);
    Creature loaded(notifier);
    ASSERT_TRUE(LoadProject(loaded, path, objects, flags, listener));
    ASSERT_EQ(loaded.PartCount(), 1);
    EXPECT_EQ(loaded.Part(0)->Name(), outside);
}

TEST_F(ProjectLoaderTest, ShortProLineKeepsTheCatalogueTaperAxis) {
    const std::string text =
        "BW20\r\n1\r\n13\r\n18\r\nLeft foot\r\n\\Left foot\\Fantasy-ThreeToes.bwo\r\n"
        "1 2 3 4 5 6 7 8 9 0.02 0.02 0.02 0 0 0 0 0 0 0 0 0 1 2 0 0\r\n     ";
    ASSERT_TRUE(Load(Project("short.bwp", text)));
    ASSERT_EQ(creature.PartCount(), 1);
    const PartAdjustments& a = creature.Part(0)->adjustments;
    EXPECT_EQ(a.taperAxis, -2);
    EXPECT_EQ(a.taperStep, 0.01f);
    EXPECT_EQ(a.adjustPosition[8], 9);
    EXPECT_EQ(a.scaleLock[1], 2);
}

TEST_F(ProjectLoaderTest, ProLineEndingRightAfterTheTaperAxisKeepsTheFilesAxis) {
    const std::string text =
        "BW20\r\n1\r\n13\r\n18\r\nLeft foot\r\n\\Left foot\\Fantasy-ThreeToes.bwo\r\n"
        "0 0 0 0 0 0 0 0 0 0.02 0.02 0.02 0 0 0 0 0 0 0 0 0 0 0 0 0 3\r\n     ";
    ASSERT_TRUE(Load(Project("axis.bwp", text)));
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->adjustments.taperAxis, 3);  // the catalogue's would be -2
    EXPECT_EQ(creature.Part(0)->adjustments.taperStep, 0.01f);
}

TEST_F(ProjectLoaderTest, CrOnlyProjectLoadsAndAnImpossibleCountIsNamed) {
    const std::string text =
        "BW1\r1\r0\r0\rHead\r\\Head\\Male-Round.bwo\r"
        "0 0 0 0 0 0 0 0 0 0.01 0.01 0.01 0.5 0 0 0 0 0 0 0 0 0 0 0 0\r     ";
    ASSERT_TRUE(Load(Project("cr.bwp", text)));
    EXPECT_TRUE(notifier.messages.empty());
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->adjustments.scaleValue[0], 0.5f);

    const std::string huge =
        Project("huge.bwp", "BW1\r\n99999999999999999999\r\n0\r\n0\r\nHead\r\n");
    EXPECT_FALSE(Load(huge));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text,
              huge + "\nthe record count 99999999999999999999 is too large (at most 2147483647)");
    EXPECT_EQ(creature.PartCount(), 1);  // untouched
}

TEST_F(ProjectLoaderTest, ZeroByteInAStoredPathIsRefusedWithAReason) {
    const std::string stored = std::string("\\Head\\Male-Round.bwo") + '\0' + "junk";
    const std::string text = "BW1\r\n1\r\n0\r\n0\r\nHead\r\n" + stored +
                             "\r\n0 0 0 0 0 0 0 0 0 0.01 0.01 0.01 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n";
    EXPECT_TRUE(Load(Project("zero.bwp", text)));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].caption, "Unable to add object");
    EXPECT_EQ(notifier.messages[0].text, objects + "/Head/Male-Round.bwo" + '\0' + "junk");
    EXPECT_EQ(creature.LastAddFailure().reason, "the path holds a zero byte");
    // Nothing holding the cut path reaches the creature or a saved project.
    EXPECT_EQ(creature.PartCount(), 0);
    const std::string saved = dir.Path() + "/saved.bwp";
    ASSERT_TRUE(WriteProject(creature, saved, objects, "20"));
    EXPECT_EQ(ReadText(saved), "BW20\r\n0\r\n");
}

TEST_F(ProjectLoaderTest, FileEndingBeforeItsLastRecordLoadsWhatItHasAndFails) {
    const std::string text =
        "BW1\r\n2\r\n0\r\n0\r\nHead\r\n\\Head\\Male-Round.bwo\r\n"
        "0 0 0 0 0 0 0 0 0 0.01 0.01 0.01 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n     13\r\n";
    const std::string path = Project("cut.bwp", text);
    EXPECT_FALSE(Load(path));
    EXPECT_EQ(creature.PartCount(), 1);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].caption, "Unable to load project");
}

TEST_F(ProjectLoaderTest, ValuesThatAreNoFiniteNumbersKeepThePreviousValues) {
    const std::string text =
        "BW20\r\n1\r\n0\r\n0\r\nHead\r\n\\Head\\Male-Round.bwo\r\n"
        "0 0 0 0 0 0 0 0 0 0.02 0.02 0.02 0.5 1e39 0 0 0 0 0 0 0 0 0 0 0 "
        "-2147483648 0 0.01 nan 0 0 0 0 0 \r\n     ";
    ASSERT_TRUE(Load(Project("inf.bwp", text)));
    ASSERT_EQ(creature.PartCount(), 1);
    const PartObject& head = *creature.Part(0);
    EXPECT_EQ(head.adjustments.scaleValue[0], 0.5f);
    EXPECT_EQ(head.adjustments.scaleValue[1], 0.0f);  // the line stopped at 1e39
    EXPECT_EQ(head.adjustments.taperAxis, 2);         // never reached: the catalogue's axis
    for (const Vec3f& p : head.TransformedPoints())
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
}

TEST_F(ProjectLoaderTest, OnlyPathsBelowTheObjectDirectoryAreTranslated) {
    const std::string text =
        "BW1\r\n1\r\n11\r\n16\r\nLeft thigh\r\n/Left thigh/MaleSlim.bwo\r\n"
        "0 0 0 0 0 0 0 0 0 0.01 0.01 0.01 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n     ";
    ASSERT_TRUE(Load(Project("absolute.bwp", text)));
    EXPECT_TRUE(listener.questions.empty());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "/Left thigh/MaleSlim.bwo");
    EXPECT_EQ(notifier.messages[0].caption, "Unable to add object");
}

TEST_F(ProjectLoaderTest, FailedSaveKeepsThePreviousFile) {
    ASSERT_TRUE(creature.AddPart("Head", objects + "/Head/Male-Round.bwo", 0));
    std::string reason;
    EXPECT_FALSE(WriteProject(creature, dir.Path() + "/no/such/dir/x.bwp", objects, "20", &reason));
    EXPECT_FALSE(reason.empty());
    const std::string path = Project("kept.bwp", "BW20\r\n0\r\n");
    EXPECT_FALSE(WriteProject(creature, path, objects, "7", &reason));
    EXPECT_EQ(ReadText(path), "BW20\r\n0\r\n");
    // A directory where the file should go: nothing is written and nothing is left behind.
    std::filesystem::create_directories(dir.Path() + "/taken.bwp/inside");
    EXPECT_FALSE(WriteProject(creature, dir.Path() + "/taken.bwp", objects, "20", &reason));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "/taken.bwp/inside"));
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        entries += entry.path().filename().string().find(".tmp-") != std::string::npos;
    EXPECT_EQ(entries, 0);
}

}  // namespace
}  // namespace bw
