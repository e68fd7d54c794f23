// bwtool render as a script or a file manager runs it: with no display at all, a picture of a
// part or a creature as the preview draws it, compared with committed baselines; and files it
// cannot draw refused with exit status 1 and no picture.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "model/object_file_writer.h"
#include "support/command_runner.h"
#include "support/object_file_builder.h"
#include "support/render_compare.h"
#include "support/temporary_directory.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const fs::path kShare = BW_SAMPLE_SHARE_DIR;
const std::string kObjects = (kShare / "Objects" / "Library").string();

class BwtoolRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Nothing a display server offers may be used.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
    test::CommandResult Run(const std::vector<std::string>& args) {
        return test::RunCommand(BWTOOL_PATH, args, dir.Path());
    }
    test::TemporaryDirectory dir;
};

TEST_F(BwtoolRenderTest, APartAndACreatureLookAsTheirBaselines) {
    const std::string part = dir.Path() + "/part.png";
    test::CommandResult r =
        Run({"render", kObjects + "/Head/Male-Square.bwo", "--png", part, "--size", "128"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const QImage partImage(QString::fromStdString(part));
    ASSERT_EQ(partImage.size(), QSize(128, 128));
    EXPECT_EQ(partImage.pixelColor(0, 0), QColor(0, 0, 0));  // the preview's background
    EXPECT_EQ(test::CompareWithBaseline(partImage, "BwtoolRenderPart"), "");

    const std::string creature = dir.Path() + "/creature.png";
    r = Run({"render", "--objects", kObjects, (kShare / "Projects" / "Male.bwp").string(), "--png",
             creature, "--size", "160", "--yaw", "30", "--pitch", "10", "--shading", "flat",
             "--background", "0.2,0.6,0.4"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage creatureImage(QString::fromStdString(creature));
    ASSERT_EQ(creatureImage.size(), QSize(160, 160));
    // 0.2, 0.6, 0.4 are bytes 51, 153, 102; the creature covers a good part of the middle.
    const int background = test::CountColour(creatureImage, 51, 153, 102, 1);
    EXPECT_GT(background, 160 * 160 / 2);
    EXPECT_LT(background, 160 * 160 * 19 / 20);
    EXPECT_EQ(test::CompareWithBaseline(creatureImage, "BwtoolRenderCreature"), "");

    // Wireframe draws outlines only: far fewer pixels than the shaded part.
    const std::string wire = dir.Path() + "/wire.png";
    ASSERT_EQ(Run({"render", kObjects + "/Head/Male-Square.bwo", "--png", wire, "--size", "128",
                   "--shading", "wireframe"})
                  .status,
              0);
    const QImage wireImage(QString::fromStdString(wire));
    EXPECT_GT(test::CountColour(wireImage, 0, 0, 0, 0), test::CountColour(partImage, 0, 0, 0, 0));
}

TEST_F(BwtoolRenderTest, FilesItCannotDrawGiveExitOneAndNoPicture) {
    const std::string png = dir.Path() + "/out.png";
    const std::string broken = dir.Write("broken.bwo", std::string("BOWB and then nothing sound"));
    test::CommandResult r = Run({"render", broken, "--png", png});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("error: " + broken + ": "), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(png));

    // Points that are no numbers: nothing to frame.
    ObjectFileContents cube = test::CubeContents();
    for (Vec3f& p : cube.points) p.x = std::nanf("");
    const std::string nan = dir.Write("nan.bwo", test::Encode(cube));
    r = Run({"render", nan, "--png", png});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nothing to draw"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(png));

    // Without any usable OpenGL (no EGL driver to be found): one line, exit 1, no picture.
    setenv("__EGL_VENDOR_LIBRARY_FILENAMES", (dir.Path() + "/no-such-driver.json").c_str(), 1);
    r = Run({"render", kObjects + "/Head/Male-Square.bwo", "--png", png});
    unsetenv("__EGL_VENDOR_LIBRARY_FILENAMES");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("error: no usable OpenGL: ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_FALSE(fs::exists(png));

    // Arguments it cannot take.
    const std::string good = kObjects + "/Head/Male-Square.bwo";
    EXPECT_EQ(Run({"render", good, "--png", png, "--background", "2,0,0"}).status, 2);
    EXPECT_EQ(Run({"render", good, "--png", png, "--size", "0"}).status, 2);
    EXPECT_EQ(Run({"render", good, "--png", png, "--shading", "toon"}).status, 2);
    EXPECT_EQ(Run({"render", (kShare / "Projects" / "Male.bwp").string(), "--png", png}).status, 2);
    EXPECT_FALSE(fs::exists(png));
}

TEST_F(BwtoolRenderTest, RandomBatchesDrawEveryCreatureBesideWhatTheySave) {
    const test::CommandResult r =
        Run({"random", "--objects", kObjects, "--seed", "7", "--count", "2", "--save",
             dir.Path() + "/batch", "--render", dir.Path() + "/pictures"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* seed : {"7", "8"}) {
        const std::string picture = dir.Path() + "/pictures/creature-" + seed + ".png";
        EXPECT_NE(r.out.find(picture), std::string::npos) << r.out;
        EXPECT_EQ(QImage(QString::fromStdString(picture)).size(), QSize(256, 256));
    }
}

}  // namespace
}  // namespace bw
