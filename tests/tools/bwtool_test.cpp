// bwtool's output is a contract read by tests outside the project: the JSON fields, the error
// lines and the exit statuses.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/command_runner.h"
#include "support/object_file_builder.h"

#if defined(__has_feature)
#define BW_CLANG_ADDRESS_SANITIZER __has_feature(address_sanitizer)
#else
#define BW_CLANG_ADDRESS_SANITIZER 0
#endif

namespace bw {
namespace {

using test::ReadText;

using Json = nlohmann::json;

// A Standard Edition project of one record whose scale values are `scales` (fields 13-21).
std::string OneRecordProject(const std::string& bodyPart, int typeCode, int id,
                             const std::string& storedPath,
                             const std::string& scales = "0 0 0 0 0 0 0 0 0") {
    return "BW1\r\n1\r\n" + std::to_string(typeCode) + "\r\n" + std::to_string(id) + "\r\n" +
           bodyPart + "\r\n" + storedPath + "\r\n0 0 0 0 0 0 0 0 0 0.01 0.01 0.01 " + scales +
           " 0 0 0 0\r\n     ";
}

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

    // A hand whose set does not fit its forearm: the message, then why the part is missing.
    const test::CommandResult mismatch =
        Run({"assemble", "--objects", objects, "--add", "Left forearm=" + forearm, "--add",
             "Left hand=" + badHand, "--json"});
    EXPECT_EQ(mismatch.status, 1);
    const Json m = Json::parse(mismatch.out);
    ASSERT_EQ(m["messages"].size(), 1u);
    EXPECT_EQ(m["messages"][0]["caption"], "Can't connect object!");
    EXPECT_EQ(m["parts"].size(), 1u);
    EXPECT_EQ(mismatch.err.rfind(
                  "Can't connect object!: Trying to connect Left hand to Left forearm...", 0),
              0u);
    EXPECT_NE(mismatch.err.find("\nerror: " + badHand +
                                ": its connection sets do not fit the parts it connects to\n"),
              std::string::npos)
        << mismatch.err;
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

TEST_F(BwtoolTest, HelpAndVersionGoToStandardOutputBadArgumentsGiveOneLine) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"info", "--help"},
                                               {"assemble", "--help"},
                                               {"cut", "--help"},
                                               {"random", "--help"}}) {
        const test::CommandResult help = Run(args);
        EXPECT_EQ(help.status, 0) << args[0];
        EXPECT_NE(help.out.find("Usage: bwtool"), std::string::npos) << help.out;
        EXPECT_EQ(help.err, "");
    }
    EXPECT_NE(Run({"assemble", "--help"}).out.find("--export OUT.EXT"), std::string::npos);
    const test::CommandResult version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "bwtool " BW_VERSION "\n");

    const std::string d = dir.Path();
    const std::vector<std::vector<std::string>> bad{
        {},
        {"frobnicate"},
        {"--frobnicate"},
        {"info"},
        {"assemble", "--objects", d, "--add", "Head"},
        {"assemble", "--objects", d, "--export", d + "/x.xyz"},
        {"assemble", "--objects", d, "--export", d + "/.glb"},
        {"assemble", "--objects", d, "--export", d + "/x.glb", "--up", "x"},
        {"assemble", "--objects", d, "--export", d + "/x.glb", "--scale", "0"},
        {"assemble", "--objects", d, "--export", d + "/x.glb", "--scale", "nan"},
        {"assemble", "--objects", d, "--export", d + "/x.glb", "--height", "-2"},
        {"assemble", "--objects", d, "--export", d + "/x.glb", "--scale", "2", "--height", "3"},
        {"assemble", "--objects", d, "--scale", "2"},
        {"assemble", "--objects", d, "a.bwp", "b.bwp"},
        {"cut"},
        {"cut", d + "/p.bwo", d + "/q.bwo", "--objects", d},
        {"random", "--objects", d},
        {"random", "--objects", d, "--save", d, "--type", "Dragon"},
        {"random", "--objects", d, "--save", d, "--count", "0"},
        {"random", "--objects", d, "--save", d, "--seed", "4294967296"},
        {"random", "--objects", d, "--save", d, "--scale", "2"},
    };
    for (const std::vector<std::string>& args : bad) {
        std::string shown;
        for (const std::string& a : args) shown += " " + a;
        const test::CommandResult r = Run(args);
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << ": " << r.err;
        EXPECT_EQ(r.err.rfind("bwtool", 0), 0u) << shown << ": " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(d + "/x.glb"));

    // Each --add takes one value, wherever the project stands.
    const std::string head = dir.Write("Objects/Head/Cube.bwo", test::Encode(test::CubeContents()));
    const std::string project =
        dir.Write("p.bwp", OneRecordProject("Head", 0, 0, "\\Head\\Cube.bwo"));
    const test::CommandResult r = Run(
        {"assemble", "--objects", d + "/Objects", "--add", "Left eye=" + head, project, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out)["parts"].size(), 2u);
}

// ---------------------------------------------------------------------------------------------
// Hostile names, paths and values: the output stays valid, failures are reported and counted.

TEST_F(BwtoolTest, BytesThatAreNoUtf8GiveValidJsonWithReplacementCharacters) {
    // Latin-1 names as libraries made on other systems hold them: 0xEA, 0xE2, 0xE9.
    const std::string latin = "T\xeate/Cr\xe2ne.bwo";
    const std::string shown = "T\xef\xbf\xbdte/Cr\xef\xbf\xbdne.bwo";
    ObjectFileContents cube = test::CubeContents();
    cube.surfaces[0].name = "Peau \xe9paisse";
    const std::string file = dir.Write("Objects/Head/" + latin, test::Encode(cube));

    const test::CommandResult info = Run({"info", file, file + "\xff"});
    EXPECT_EQ(info.status, 1);
    EXPECT_NE(info.err.find("error: " + file + "\xff: "), std::string::npos);  // bytes kept
    const Json parts = Json::parse(info.out);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0]["path"], dir.Path() + "/Objects/Head/" + shown);
    EXPECT_EQ(parts[0]["surfaceList"][0]["name"], "Peau \xef\xbf\xbdpaisse");

    // A project so named that is missing, and one whose stored path holds such bytes.
    const std::string objects = dir.Path() + "/Objects";
    const test::CommandResult missing =
        Run({"assemble", "--objects", objects, dir.Path() + "/proj\xe9.bwp", "--json"});
    EXPECT_EQ(missing.status, 1);
    const Json m = Json::parse(missing.out);
    ASSERT_EQ(m["messages"].size(), 1u);
    EXPECT_EQ(m["messages"][0]["text"].get<std::string>().rfind(
                  dir.Path() + "/proj\xef\xbf\xbd.bwp\n", 0),
              0u);

    const std::string project =
        dir.Write("proj\xe9.bwp", OneRecordProject("Head", 0, 0, "\\Head\\T\xeate\\Cr\xe2ne.bwo"));
    const test::CommandResult loaded =
        Run({"assemble", "--objects", objects, project, "--add", "Left eye=" + file, "--json"});
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    const Json j = Json::parse(loaded.out);
    ASSERT_EQ(j["parts"].size(), 2u);
    EXPECT_EQ(j["parts"][0]["name"], objects + "/Head/" + shown);
    EXPECT_EQ(j["parts"][1]["name"], objects + "/Head/" + shown);
}

TEST_F(BwtoolTest, PartsThatCouldNotBeAddedFailTheRunAndTheReaderSaysWhy) {
    const std::string nowhere = dir.Path() + "/no-objects";
    const std::string project =
        dir.Write("p.bwp", OneRecordProject("Head", 0, 0, "\\Head\\Male-Round.bwo"));
    const test::CommandResult absent = Run({"assemble", "--objects", nowhere, project, "--json"});
    EXPECT_EQ(absent.status, 1);
    const std::string path = nowhere + "/Head/Male-Round.bwo";
    // The message keeps its text (the path); the reason follows on a line of its own.
    EXPECT_NE(absent.err.find("Unable to add object: " + path + "\nerror: " + path +
                              ": cannot open: No such file or directory\n"),
              std::string::npos)
        << absent.err;
    EXPECT_EQ(Json::parse(absent.out)["messages"][0]["text"], path);

    const std::string cut = dir.Write("cut.bwo", std::string("BOWB\x04\0\0\0", 8));
    const std::string headerOnly =
        dir.Write("header.bwo", test::ChunkBuilder().Header(8, 0, 0).Bytes());
    const test::CommandResult added = Run(
        {"assemble", "--objects", nowhere, "--add", "Head=" + cut, "--add", "Neck=" + headerOnly,
         "--add", "Left eye=" + dir.Write("e.bwo", test::Encode(test::CubeContents()))});
    EXPECT_EQ(added.status, 1);
    EXPECT_NE(added.err.find("error: " + cut +
                             ": 'BWOB' chunk at offset 0x0 runs past the end of the file\n"),
              std::string::npos)
        << added.err;
    EXPECT_NE(added.err.find("Unable to calculate object type: " + headerOnly + "\nerror: " +
                             headerOnly + ": the file has no points (no 'PNTS' chunk)\n"),
              std::string::npos)
        << added.err;
}

TEST_F(BwtoolTest, ZeroByteInAStoredPathNamesNoPartAndIsNeverSaved) {
    const std::string objects = dir.Path() + "/Objects";
    dir.Write("Objects/Head/Male-Round.bwo", test::Encode(test::CubeContents()));
    const std::string stored = std::string("\\Head\\Male-Round.bwo") + '\0' + ".evil";
    const std::string project = dir.Write("zero.bwp", OneRecordProject("Head", 0, 0, stored));
    const std::string saved = dir.Path() + "/saved.bwp";
    const test::CommandResult r =
        Run({"assemble", "--objects", objects, project, "--json", "--save", saved});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(": the path holds a zero byte\n"), std::string::npos) << r.err;
    EXPECT_TRUE(Json::parse(r.out)["parts"].empty());
    EXPECT_EQ(ReadText(saved), "BW20\r\n0\r\n");
}

TEST_F(BwtoolTest, NonFinitePointsAreWarnedAboutAndNeverWrittenAsObj) {
    const std::string objects = dir.Path() + "/Objects";
    dir.Write("Objects/Head/Cube.bwo", test::Encode(test::CubeContents()));
    // None X and Negative X near the float limit: their sum overflows to infinity on the four
    // points above the centroid.
    const std::string project = dir.Write(
        "huge.bwp", OneRecordProject("Head", 0, 0, "\\Head\\Cube.bwo", "3e38 0 0 0 0 0 3e38 0 0"));
    const std::string obj = dir.Path() + "/c.obj";
    const std::string mtl = dir.Write("c.mtl", std::string("old library"));
    const test::CommandResult r =
        Run({"assemble", "--objects", objects, project, "--json", "--obj", obj});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("warning: Head (" + objects +
                         "/Head/Cube.bwo): 4 of 8 points and 0 of 8 normals are not finite "
                         "numbers\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("error: " + obj +
                         ": the Head has 4 points and 0 normals that are not "
                         "finite numbers, which OBJ cannot hold\n"),
              std::string::npos)
        << r.err;
    const Json j = Json::parse(r.out);
    int nulls = 0;
    for (const Json& point : j["parts"][0]["points"]) nulls += point[0].is_null();
    EXPECT_EQ(nulls, 4);
    EXPECT_FALSE(std::filesystem::exists(obj));
    EXPECT_EQ(ReadText(mtl), "old library");
}

TEST_F(BwtoolTest, SavesFollowLinksAndFailedExportsChangeNothing) {
    const std::string objects = dir.Path() + "/Objects";
    const std::string head = dir.Write("Objects/Head/Cube.bwo", test::Encode(test::CubeContents()));
    const auto assemble = [&](std::vector<std::string> outputs) {
        std::vector<std::string> args{"assemble", "--objects", objects, "--add", "Head=" + head};
        args.insert(args.end(), outputs.begin(), outputs.end());
        return Run(args);
    };
    // Through a link: the file it points to is written, the link stays.
    const std::string real = dir.Write("real/creature.bwp", std::string("old"));
    std::filesystem::create_symlink(real, dir.Path() + "/link.bwp");
    ASSERT_EQ(assemble({"--save", dir.Path() + "/link.bwp"}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() + "/link.bwp"));
    EXPECT_EQ(ReadText(real).rfind("BW20\r\n1\r\n", 0), 0u);

    // A named pipe is no file to replace.
    const std::string pipe = dir.Path() + "/pipe.bwp";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    const test::CommandResult piped = assemble({"--save", pipe});
    EXPECT_EQ(piped.status, 1);
    EXPECT_NE(piped.err.find("error: " + pipe + ": cannot write " + pipe +
                             ": it exists and is not a regular file\n"),
              std::string::npos)
        << piped.err;
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));

    // An OBJ that cannot be written leaves its material library as it was.
    const std::string mtl = dir.Write("x.mtl", std::string("old library"));
    std::filesystem::create_directories(dir.Path() + "/x.obj/inside");
    EXPECT_EQ(assemble({"--obj", dir.Path() + "/x.obj"}).status, 1);
    EXPECT_EQ(ReadText(mtl), "old library");

    // A name as long as the file system allows.
    const std::string longest = dir.Path() + "/" + std::string(251, 'n') + ".bwp";
    ASSERT_EQ(assemble({"--save", longest}).status, 0);
    ASSERT_EQ(assemble({"--save", longest}).status, 0);
    EXPECT_EQ(ReadText(longest).rfind("BW20\r\n1\r\n", 0), 0u);
}

TEST_F(BwtoolTest, AFloodOfBadRecordsGivesTenMessagesAndOneSummaryInBoundedMemory) {
    // A million records that name no body part: 16 MB of project.
    constexpr int kRecords = 1000000;
    const std::string record = "99\r\n99\r\nX\r\nx\r\n\r\n";
    std::string text = "BW20\r\n" + std::to_string(kRecords) + "\r\n";
    text.reserve(text.size() + record.size() * kRecords);
    for (int i = 0; i < kRecords; ++i) text += record;
    const std::string project = dir.Write("flood.bwp", text);
    const test::CommandResult r = Run({"assemble", "--objects", dir.Path(), project, "--json"});
    EXPECT_EQ(r.status, 1);
    const Json j = Json::parse(r.out);
    ASSERT_EQ(j["messages"].size(), 11u);
    EXPECT_EQ(
        j["messages"][9]["text"],
        project + "\nRecord 10 names no body part (type code 99, body part 99); it is skipped.");
    EXPECT_EQ(j["messages"][10]["text"].get<std::string>().rfind(
                  "999990 more parts could not be added\nRecord 11\nRecord 12\n", 0),
              0u);
    EXPECT_FALSE(j.contains("messagesNotShown"));
#if !defined(__SANITIZE_ADDRESS__) && !BW_CLANG_ADDRESS_SANITIZER
    rusage usage{};  // the largest of this test's programs so far
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 64 * 1024) << "kB";
#endif

    // Messages beyond the first 100 are counted, not kept.
    std::vector<std::string> args{"assemble", "--objects", dir.Path(), "--json"};
    for (int i = 0; i < 103; ++i) {
        args.push_back("--add");
        args.push_back("Head=" + dir.Path() + "/missing.bwo");
    }
    const Json k = Json::parse(Run(args).out);
    EXPECT_EQ(k["messages"].size(), 100u);
    EXPECT_EQ(k["messagesNotShown"], 3);
}

TEST_F(BwtoolTest, AnExceptionNobodyCaughtIsAnErrorNotAnAbort) {
#if defined(__SANITIZE_ADDRESS__) || BW_CLANG_ADDRESS_SANITIZER
    GTEST_SKIP() << "the sanitizer runtime must come first; nothing can be preloaded before it";
#endif
    // Enough points that the JSON text outgrows the size at which operator new throws.
    std::vector<Vec3f> points;
    for (int i = 0; i < 30000; ++i) points.push_back({i * 0.001f, 1.0f, 2.0f});
    const std::string big = dir.Write("big.bwo", test::Encode(test::RingContents(points)));
    const test::CommandResult r = test::RunCommand(
        "/usr/bin/env",
        {"LD_PRELOAD=" BW_THROWING_NEW, "BW_THROWING_NEW_BYTES=1048576", BWTOOL_PATH, "assemble",
         "--objects", dir.Path(), "--add", "Head=" + big, "--json"},
        dir.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("error: std::bad_alloc\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace bw
