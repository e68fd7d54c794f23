// bwtool's output is a contract read by tests outside the project: the JSON fields, the error
// lines and the exit statuses.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/command_runner.h"
#include "support/object_file_builder.h"

namespace bw {
namespace {

using Json = nlohmann::json;

class BwtoolTest : public ::testing::Test {
  protected:
    test::CommandResult Run(const std::vector<std::string>& args) {
        return test::RunCommand(BWTOOL_PATH, args, dir.Path());
    }
    test::TemporaryDirectory dir;
};

TEST_F(BwtoolTest, InfoDescribesEachReadableFileAndNamesTheOthers) {
    const std::string good =
        dir.Write("Left eye/Cube.bwo", test::Encode(test::CubeContents({}, 3)));
    const std::string bad = dir.Write("bad.bwo", std::string("BOWB\x04\0\0\0", 8));
    const test::CommandResult r = Run({"info", good, bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("error: " + bad + ": "), std::string::npos) << r.err;
    const Json parts = Json::parse(r.out);
    ASSERT_EQ(parts.size(), 1u);
    const Json& p = parts[0];
    EXPECT_EQ(p["path"], good);
    EXPECT_EQ(p["bodyPart"], 3);
    EXPECT_EQ(p["points"], 8);
    EXPECT_EQ(p["polygons"], 6);
    EXPECT_EQ(p["surfaces"], 1);
    EXPECT_EQ(p["hasNormals"], true);
    EXPECT_EQ(p["sets"], Json::parse("[4, 4, 0, 0, 0, 0, 0, 0]"));
    EXPECT_EQ(p["surfaceList"][0]["name"], "Skin");
    EXPECT_EQ(p["surfaceList"][0]["dataLength"], 10);
    EXPECT_FLOAT_EQ(p["surfaceList"][0]["colour"][1].get<float>(), 128.0f / 255.0f);

    EXPECT_EQ(Run({"info", good}).status, 0);
    EXPECT_EQ(Run({"info"}).status, 2);
}

TEST_F(BwtoolTest, AssembleReportsPartsAdjustmentsAndMessages) {
    const std::string objects = dir.Path() + "/Objects";
    const std::string forearm =
        dir.Write("Objects/Left forearm/A.bwo", test::Encode(test::CubeContents({5, 0, 0})));
    const std::string hand =
        dir.Write("Objects/Left hand/B.bwo", test::Encode(test::CubeContents()));
    ObjectFileContents tooFew = test::CubeContents();
    tooFew.connectionSets[0].pop_back();
    const std::string badHand = dir.Write("Objects/Left hand/C.bwo", test::Encode(tooFew));

    const test::CommandResult r =
        Run({"assemble", "--objects", objects, "--add", "Left forearm=" + forearm, "--add",
             "Left hand=" + hand, "--add", "Right hand=" + badHand, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = Json::parse(r.out);
    ASSERT_EQ(j["parts"].size(), 3u);
    const Json& h = j["parts"][1];
    EXPECT_EQ(h["typeName"], "Left hand");
    EXPECT_EQ(h["bodyPart"], 11);
    EXPECT_EQ(h["typeCode"], 1);
    EXPECT_EQ(h["name"], hand);
    EXPECT_EQ(h["highlight"], 0);
    EXPECT_EQ(h["points"].size(), 8u);
    EXPECT_EQ(h["basePoints"][0],
              Json::parse("[5.0, 0.0, 0.0]"));  // moved by (5, 0, 0) onto the forearm
    EXPECT_EQ(h["normals"].size(), 8u);
    const Json& a = h["adjustments"];
    EXPECT_EQ(a["adjustPosition"].size(), 9u);
    EXPECT_EQ(a["sliderStep"][0].get<float>(), 0.01f);
    EXPECT_EQ(a["scaleValue"].size(), 9u);
    EXPECT_EQ(a["scaleLock"].size(), 3u);
    EXPECT_EQ(a["reserved"], 0);
    EXPECT_EQ(a["taperAxis"], 1);
    EXPECT_EQ(a["taperLock"], 0);
    EXPECT_EQ(a["taperStep"].get<float>(), 0.01f);
    EXPECT_EQ(a["taperValue"].size(), 3u);
    EXPECT_EQ(a["taperAdjustPosition"].size(), 3u);
    EXPECT_TRUE(j["messages"].empty());

    // A hand whose set does not fit its forearm: a message, not a failure.
    const test::CommandResult mismatch =
        Run({"assemble", "--objects", objects, "--add", "Left forearm=" + forearm, "--add",
             "Left hand=" + badHand, "--json"});
    EXPECT_EQ(mismatch.status, 0);
    const Json m = Json::parse(mismatch.out);
    ASSERT_EQ(m["messages"].size(), 1u);
    EXPECT_EQ(m["messages"][0]["caption"], "Can't connect object!");
    EXPECT_EQ(mismatch.err.rfind(
                  "Can't connect object!: Trying to connect Left hand to Left forearm...", 0),
              0u);
}

TEST_F(BwtoolTest, AssembleSavesProjectsAndObjAndReadsThemBack) {
    const std::string objects = dir.Path() + "/Objects";
    const std::string forearm =
        dir.Write("Objects/Left forearm/A.bwo", test::Encode(test::CubeContents({5, 0, 0})));
    const std::string hand =
        dir.Write("Objects/Left hand/B.bwo", test::Encode(test::CubeContents()));
    const std::string standard = dir.Path() + "/s.bwp";
    const std::string obj = dir.Path() + "/c.obj";
    ASSERT_EQ(Run({"assemble", "--objects", objects + "/", "--add", "Left forearm=" + forearm,
                   "--add", "Left hand=" + hand, "--save", standard, "--standard", "--obj", obj})
                  .status,
              0);
    std::ifstream project(standard, std::ios::binary);
    std::string header;
    std::getline(project, header);
    EXPECT_EQ(header, "BW1\r");
    std::ifstream objFile(obj);
    std::stringstream objText;
    objText << objFile.rdbuf();
    EXPECT_NE(objText.str().find("g Left_hand\n"), std::string::npos);
    EXPECT_NE(objText.str().find("mtllib c.mtl\n"), std::string::npos);
    std::ifstream mtl(dir.Path() + "/c.mtl");
    std::stringstream mtlText;
    mtlText << mtl.rdbuf();
    // Every material the OBJ uses is defined in its library.
    std::istringstream lines(objText.str());
    int used = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("usemtl ", 0) != 0) continue;
        ++used;
        EXPECT_NE(mtlText.str().find("newmtl " + line.substr(7) + "\n"), std::string::npos) << line;
    }
    EXPECT_EQ(used, 2);
    EXPECT_EQ(Run({"assemble", "--objects", objects, "--obj", dir.Path() + "/c.mtl"}).status, 1);

    const test::CommandResult loaded = Run({"assemble", "--objects", objects, standard, "--json"});
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    const Json j = Json::parse(loaded.out);
    ASSERT_EQ(j["parts"].size(), 2u);
    EXPECT_EQ(j["parts"][1]["name"], hand);
}

TEST_F(BwtoolTest, BadArgumentsAndUnreadableFilesHaveTheirOwnStatus) {
    EXPECT_EQ(Run({"assemble", "--json"}).status, 2);  // no --objects
    EXPECT_EQ(Run({"assemble", "--objects", dir.Path(), "--add", "Tail=x.bwo"}).status, 2);
    EXPECT_EQ(Run({"assemble", "--objects", dir.Path(), "--standard"}).status, 2);
    EXPECT_EQ(Run({"assemble", "--objects", dir.Path(), "--frobnicate"}).status, 2);
    EXPECT_EQ(Run({"frobnicate"}).status, 2);
    const test::CommandResult missing =
        Run({"assemble", "--objects", dir.Path(), dir.Path() + "/none.bwp", "--json"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Unable to load project: "), std::string::npos);
    EXPECT_EQ(
        Run({"assemble", "--objects", dir.Path(), "--save", dir.Path() + "/no/dir/x.bwp"}).status,
        1);
}

}  // namespace
}  // namespace bw
