// Body part directories and stored paths are found without regard to letter case, whichever
// form of a forearm's name the directory was written with.
#include "model/body_part_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>

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

// ---------------------------------------------------------------------------------------------
// Path resolution stays linear in the path's length: a stored path may hold any number of
// components.

// Seconds taken by ResolvePathIgnoringCase(base, relative), which must give `expected`: the
// best of up to three runs, so a machine busy with other work does not decide the figure (a
// run far below or far above the bound settles it at once).
double TimedResolution(const std::string& base, const std::string& relative,
                       const std::string& expected) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::string resolved = ResolvePathIgnoringCase(base, relative);
        const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(resolved, expected);
        best = std::min(best, taken.count());
        if (best < 0.5 || taken.count() > 5.0) break;  // settled either way
    }
    return best;
}

TEST(PathResolution, TwentyThousandComponentsResolveInWellUnderASecond) {
    constexpr int kComponents = 20000;
    test::TemporaryDirectory dir;
    dir.Write("Left Forearm/Male-Slim.bwo", std::string("x"));

    // Every component exists: "." again and again, then the file in the wrong case.
    std::string dots = "left forearm";
    std::string dotsResolved = dir.Path() + "/Left Forearm";
    for (int i = 2; i < kComponents; ++i) {
        dots += "/.";
        dotsResolved += "/.";
    }
    dots += "/MALE-SLIM.bwo";
    dotsResolved += "/Male-Slim.bwo";

    // Down and up again, each way down matched without regard to case.
    std::string updown;
    std::string updownResolved = dir.Path();
    for (int i = 0; i < kComponents / 2; ++i) {
        updown += i % 2 ? "/LEFT FOREARM/.." : "/left forearm/..";
        updownResolved += "/Left Forearm/..";
    }

    // Nothing exists: everything is kept as written.
    std::string missing;
    for (int i = 0; i < kComponents; ++i) missing += "/Nowhere";

    const double dotsSeconds = TimedResolution(dir.Path(), dots, dotsResolved);
    const double updownSeconds = TimedResolution(dir.Path(), updown, updownResolved);
    const double missingSeconds = TimedResolution(dir.Path(), missing, dir.Path() + missing);
    std::cout << "20000 components resolved in " << dotsSeconds << " s (all existing), "
              << updownSeconds << " s (down and up), " << missingSeconds << " s (missing)\n";
    EXPECT_LT(dotsSeconds, 1.0);
    EXPECT_LT(updownSeconds, 1.0);
    EXPECT_LT(missingSeconds, 1.0);
}

TEST(PathResolution, ComponentsBelowAFileOrAMissingFolderAreKeptAsWritten) {
    test::TemporaryDirectory dir;
    dir.Write("Head/Male-Round.bwo", std::string("x"));
    dir.Write("head-x/male-round.bwo", std::string("x"));  // matched only below "head-x"
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path(), "HEAD/male-round.bwo/x"),
              dir.Path() + "/Head/Male-Round.bwo/x");
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path(), "Tail/male-round.bwo"),
              dir.Path() + "/Tail/male-round.bwo");
    // Of several entries equal without regard to case, the first in byte order, every time.
    dir.Write("Left Hand/x.bwo", std::string("x"));
    dir.Write("LEFT HAND/x.bwo", std::string("x"));
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path(), "left hand/../left hand/X.BWO"),
              dir.Path() + "/LEFT HAND/../LEFT HAND/x.bwo");
    // Empty components are dropped; a name holding a zero byte matches nothing.
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path(), "//head///MALE-ROUND.BWO"),
              dir.Path() + "/Head/Male-Round.bwo");
    const std::string withZero = std::string("head") + '\0' + "/x";
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path(), withZero), dir.Path() + "/" + withZero);
}

}  // namespace
}  // namespace bw
