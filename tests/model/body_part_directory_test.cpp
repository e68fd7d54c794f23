// Body part directories and stored paths are found without regard to letter case, whichever
// form of a forearm's name the directory was written with.
#include "model/body_part_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/object_file_builder.h"

namespace bw {
namespace {

TEST(BodyPartDirectory, EitherFormOfTheForearmNameReachesTheOneDirectory) {
    test::TemporaryDirectory dir;
    dir.Write("Left Forearm/A.bwo", std::string("x"));
    dir.Write("Right forearm/B.bwo", std::string("x"));
    EXPECT_EQ(BodyPartDirectory(dir.Path(), 10), dir.Path() + "/Left Forearm");
    EXPECT_EQ(BodyPartDirectory(dir.Path(), 13), dir.Path() + "/Right forearm");
    // A body part without a directory gets the catalogue form.
    EXPECT_EQ(BodyPartDirectory(dir.Path(), 0), dir.Path() + "/Head");
}

TEST(BodyPartDirectory, TheExactNameWinsOverOtherCases) {
    test::TemporaryDirectory dir;
    dir.Write("LEFT HAND/x.bwo", std::string("x"));
    dir.Write("Left hand/x.bwo", std::string("x"));
    EXPECT_EQ(BodyPartDirectory(dir.Path(), 11), dir.Path() + "/Left hand");
}

TEST(BodyPartDirectory, PathsResolveComponentByComponent) {
    test::TemporaryDirectory dir;
    dir.Write("Left Forearm/Male-Slim.bwo", std::string("x"));
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path(), "left forearm/MALE-SLIM.bwo"),
              dir.Path() + "/Left Forearm/Male-Slim.bwo");
    // What matches nothing is kept as written, so messages name the file that was asked for.
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path(), "left forearm/Missing.bwo"),
              dir.Path() + "/Left Forearm/Missing.bwo");
    // An empty object directory means the file system root.
    EXPECT_EQ(ResolvePathIgnoringCase("", "tmp"), "/tmp");
    EXPECT_EQ(BodyPartDirectory("", 0), "/Head");
}

}  // namespace
}  // namespace bw
