// The generator's building blocks: rings, bridges and caps close soundly, mirroring keeps the
// quads outward, and the seam rings of both sides and of nose and mouth fit each other.
#include <gtest/gtest.h>

#include "mesh_builder.h"
#include "seam_rings.h"

namespace bw::library {
namespace {

TEST(SampleLibraryMesh, BridgedAndCappedRingsCloseOutward) {
    const SeamRing entry = MakeSeamRing(Seam::Elbow, CreatureType::Male, {0, 0, 0});
    const SeamRing exit = MakeSeamRing(Seam::Elbow, CreatureType::Male, entry.frame.n * 0.2);
    Mesh mesh;
    const auto a = mesh.AddRing(entry.points);
    const auto b = mesh.AddRing(exit.points);
    mesh.Bridge(a, b, 0, false);
    mesh.Cap(a, entry.a, entry.b, 0, true);
    mesh.Cap(b, exit.a, exit.b, 0, false, exit.frame.n, 0.01);
    std::string problem;
    EXPECT_TRUE(mesh.IsClosed(&problem)) << problem;
    EXPECT_TRUE(mesh.HasNoDegenerateQuads(&problem)) << problem;
    EXPECT_GT(mesh.SignedVolume(), 0.0);
    const double volume = mesh.SignedVolume();
    mesh.MirrorX();
    EXPECT_TRUE(mesh.IsClosed(&problem)) << problem;
    EXPECT_NEAR(mesh.SignedVolume(), volume, 1e-12);
}

TEST(SampleLibraryMesh, ReversedWindingIsCaught) {
    const SeamRing ring = MakeSeamRing(Seam::Wrist, CreatureType::Male, {});
    Mesh mesh;
    const auto a = mesh.AddRing(ring.points);
    mesh.Cap(a, ring.a, ring.b, 0, false);
    mesh.Cap(a, ring.a, ring.b, 0, false);  // both caps wound the same way
    EXPECT_FALSE(mesh.IsClosed());
}

TEST(SampleLibrarySeams, RingsHaveTheRectangleCountAndMirrorPointForPoint) {
    for (Seam seam :
         {Seam::NeckBase, Seam::Waist, Seam::Shoulder, Seam::Hip, Seam::Eye, Seam::Ear}) {
        for (CreatureType type : kCreatureTypes) {
            const SeamRing ring = MakeSeamRing(seam, type, {0.3, 1.0, 0.1});
            ASSERT_EQ(ring.points.size(), std::size_t(2 * (ring.a + ring.b)));
            const SeamRing mirrored = MirroredRing(ring);
            for (std::size_t i = 0; i < ring.points.size(); ++i) {
                EXPECT_EQ(mirrored.points[i].x, -ring.points[i].x);
                EXPECT_EQ(mirrored.points[i].y, ring.points[i].y);
            }
        }
    }
}

TEST(SampleLibrarySeams, NoseAndMouthRingsShareTheirMiddlePoints) {
    const V3 anchor{0.0, 1.75, 0.1};
    const SeamRing nose = FaceFeatureRing(Seam::Nose, anchor);
    const SeamRing mouth = FaceFeatureRing(Seam::Mouth, anchor);
    const auto n = NoseMouthSharedIndices(Seam::Nose);
    const auto m = NoseMouthSharedIndices(Seam::Mouth);
    ASSERT_EQ(n.size(), m.size());
    for (std::size_t i = 0; i < n.size(); ++i) {
        EXPECT_DOUBLE_EQ(nose.points[n[i]].x, mouth.points[m[i]].x);
        EXPECT_DOUBLE_EQ(nose.points[n[i]].y, mouth.points[m[i]].y);
        EXPECT_DOUBLE_EQ(nose.points[n[i]].z, mouth.points[m[i]].z);
    }
    EXPECT_LT(nose.points[n[0]].x, nose.points[n[2]].x);
}

}  // namespace
}  // namespace bw::library
