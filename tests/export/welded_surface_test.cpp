// The welded surface an STL or 3MF export writes: welded and coincident points merged, the caps
// of welded seams and walls lying on each other taken out, open edges and shells counted.
#include "export/welded_surface.h"

#include <gtest/gtest.h>

#include <cmath>

#include "export/seam_caps.h"

namespace bw {
namespace {

// A box from `low` to `high`: 8 points, 6 quads counter-clockwise seen from outside, normals
// pointing away from its middle.
PartGeometry Box(Vec3f low, Vec3f high) {
    PartGeometry part;
    part.bodyPart = "Head";
    for (int i = 0; i < 8; ++i) {
        part.points.push_back(
            {i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z});
        const float s = 0.57735026f;
        part.normals.push_back({i & 1 ? s : -s, i & 2 ? s : -s, i & 4 ? s : -s});
    }
    for (const auto& q : {std::array<std::uint32_t, 4>{0, 2, 3, 1},
                          {4, 5, 7, 6},
                          {0, 1, 5, 4},
                          {2, 6, 7, 3},
                          {0, 4, 6, 2},
                          {1, 3, 7, 5}})
        part.polygons.push_back({q, 4, 0});
    part.surfaces.push_back({"Skin", {1.0f, 0.5f, 0.0f}});
    return part;
}

TEST(WeldedSurface, BoxesMeetingFaceToFaceCloseWithoutTheirCommonWall) {
    const std::vector<PartGeometry> one{Box({0, 0, 0}, {1, 1, 1})};
    const WeldedSurface single = WeldParts(one);
    EXPECT_EQ(single.triangles.size(), 12u);
    EXPECT_EQ(CountOpenEdges(single), 0u);

    // The second box's -x face lies on the first's +x face, wound the other way.
    const std::vector<PartGeometry> two{Box({0, 0, 0}, {1, 1, 1}), Box({1, 0, 0}, {2, 1, 1})};
    const WeldedSurface joined = WeldParts(two);
    EXPECT_EQ(joined.points.size(), 12u);
    EXPECT_EQ(joined.removedPolygonPairs, 1u);
    EXPECT_EQ(joined.triangles.size(), 20u);
    EXPECT_EQ(CountOpenEdges(joined), 0u);
    // The merged points' normals are the unit mean of both boxes' normals there.
    for (std::size_t i = 0; i < joined.points.size(); ++i) {
        if (joined.points[i].x != 1.0f) continue;
        EXPECT_FLOAT_EQ(joined.normals[i].x, 0.0f);
        EXPECT_NEAR(std::hypot(joined.normals[i].y, joined.normals[i].z), 1.0, 1e-6);
    }

    // Points a rounding apart are one point; points a thousandth of the size apart are not.
    const std::vector<PartGeometry> rounded{Box({0, 0, 0}, {1, 1, 1}),
                                            Box({1.0000001f, 0, 0}, {2, 1, 1})};
    EXPECT_EQ(CountOpenEdges(WeldParts(rounded)), 0u);
    const std::vector<PartGeometry> apart{Box({0, 0, 0}, {1, 1, 1}),
                                          Box({1.001f, 0, 0}, {2, 1, 1})};
    EXPECT_EQ(WeldParts(apart).removedPolygonPairs, 0u);

    // Zero of either sign is one coordinate.
    const std::vector<PartGeometry> signs{Box({-2, -0.0f, 0}, {-1, 1, 1}),
                                          Box({-1, 0, 0}, {-0.0f, 1, 1})};
    EXPECT_EQ(CountOpenEdges(WeldParts(signs)), 0u);
}

TEST(WeldedSurface, WallsWithinTheToleranceMergeOnEitherSideOfAToleranceCellsEdge) {
    // Two boxes side by side from x = 0 to 2: the tolerance is a millionth of the diagonal, and
    // points are sorted into cells of that size counted from x = 0. The walls meet at the
    // floats just below and just above a cell's edge near x = 1.
    const double tolerance = std::sqrt(6.0) * 1e-6;
    for (const double cells : {408248.0, 408249.0, 408247.0}) {
        SCOPED_TRACE(cells);
        const double edge = cells * tolerance;
        float above = float(edge);
        if (double(above) < edge) above = std::nextafter(above, 2.0f);
        const float below = std::nextafter(above, 0.0f);
        ASSERT_LT(double(below), edge);
        ASSERT_GE(double(above), edge);
        for (const auto& [first, second] : {std::pair{below, above}, std::pair{above, below}}) {
            const std::vector<PartGeometry> boxes{Box({0, 0, 0}, {first, 1, 1}),
                                                  Box({second, 0, 0}, {2, 1, 1})};
            const WeldedSurface joined = WeldParts(boxes);
            EXPECT_EQ(joined.points.size(), 12u);
            EXPECT_EQ(joined.removedPolygonPairs, 1u) << "no inner double wall";
            EXPECT_EQ(CountOpenEdges(joined), 0u);
        }
    }
}

TEST(WeldedSurface, WallsThatDoNotCoincideAndHolesAreCountedAsOpenEdges) {
    // The second box is higher: its -x face shares only an edge with the first's +x face.
    const std::vector<PartGeometry> offset{Box({0, 0, 0}, {1, 1, 1}), Box({1, 0, 0}, {2, 2, 1})};
    const WeldedSurface leaning = WeldParts(offset);
    EXPECT_EQ(leaning.removedPolygonPairs, 0u);
    EXPECT_EQ(CountOpenEdges(leaning), 1u);  // the shared bottom edge, four triangles on it

    PartGeometry open = Box({0, 0, 0}, {1, 1, 1});
    open.polygons.pop_back();
    EXPECT_EQ(CountOpenEdges(WeldParts(std::vector<PartGeometry>{open})), 4u);

    // Equal faces wound the same way are no wall: both stay.
    const std::vector<PartGeometry> twins{Box({0, 0, 0}, {1, 1, 1}), Box({0, 0, 0}, {1, 1, 1})};
    const WeldedSurface doubled = WeldParts(twins);
    EXPECT_EQ(doubled.removedPolygonPairs, 0u);
    EXPECT_EQ(doubled.triangles.size(), 24u);
    EXPECT_EQ(CountOpenEdges(doubled), 18u);
}

TEST(WeldedSurface, QuadsWhoseCornersMergeBecomeTrianglesOrVanish) {
    PartGeometry part = Box({0, 0, 0}, {1, 1, 1});
    // Squeeze the +x face's top edge into one point: that face and the top face lose a corner.
    part.points[7] = part.points[3];
    const WeldedSurface surface = WeldParts(std::vector<PartGeometry>{part});
    EXPECT_EQ(surface.points.size(), 7u);
    std::size_t triangles = 0;
    for (const auto& t : surface.triangles)
        triangles += t[0] != t[1] && t[1] != t[2] && t[0] != t[2];
    EXPECT_EQ(triangles, surface.triangles.size());
    EXPECT_EQ(surface.triangles.size(), 10u);  // 4 quads and 2 triangles
    EXPECT_EQ(CountOpenEdges(surface), 0u);
}

// The +x face of a box (its cap towards +x) in ring order, and the -x face of another box in
// the matching order: point k of one lies across the seam from point k of the other.
const std::vector<std::uint32_t> kPlusXRing{1, 3, 7, 5};
const std::vector<std::uint32_t> kMinusXRing{0, 2, 6, 4};

TEST(WeldedSurface, WeldedSeamsCloseWithoutEitherCapWhateverTheirShape) {
    // The second box is larger than the first's +x face: the caps do not lie on each other,
    // but the weld makes their rings one, and without both caps the surface is closed.
    std::vector<PartGeometry> parts{Box({0, 0, 0}, {1, 1, 1}), Box({1, -1, -1}, {3, 2, 2})};
    parts[0].sets[2] = kPlusXRing;
    parts[1].sets[0] = kMinusXRing;
    const std::vector<SeamWeld> welds{{0, 2, 1, 0}};
    const WeldedSurface joined = WeldParts(parts, welds);
    EXPECT_EQ(joined.removedCapPolygons, 2u);
    EXPECT_EQ(joined.points.size(), 12u);
    EXPECT_EQ(joined.triangles.size(), 20u);
    EXPECT_EQ(CountOpenEdges(joined), 0u);
    EXPECT_EQ(CountShells(joined), 1u);
    // The ring lies where the first part's ring lies.
    for (const Vec3f& p : joined.points) EXPECT_TRUE(p.x != 1.0f || (p.y >= 0.0f && p.y <= 1.0f));
    // Each point names the part point it was taken from; the quads before their split keep
    // their part and the part's surface.
    ASSERT_EQ(joined.pointSources.size(), joined.points.size());
    for (std::size_t i = 0; i < joined.points.size(); ++i) {
        const PointSource& source = joined.pointSources[i];
        ASSERT_LT(source.part, parts.size());
        ASSERT_LT(source.point, parts[source.part].points.size());
        EXPECT_EQ(parts[source.part].points[source.point], joined.points[i]) << i;
    }
    ASSERT_EQ(joined.polygons.size(), 10u);
    EXPECT_EQ(std::count_if(joined.polygons.begin(), joined.polygons.end(),
                            [](const WeldedPolygon& polygon) { return polygon.part == 1; }),
              5);

    // Without the weld (a body part missing) each box keeps its cap: two closed shells.
    const WeldedSurface apart = WeldParts(parts);
    EXPECT_EQ(apart.removedCapPolygons, 0u);
    EXPECT_EQ(CountOpenEdges(apart), 0u);
    EXPECT_EQ(CountShells(apart), 2u);

    // Welds naming a part, a set or a size that is not there are passed over.
    parts[1].sets[1] = {0, 2, 6};
    const std::vector<SeamWeld> unsound{{0, 2, 2, 0}, {0, 2, 1, 1}, {0, 9, 1, 0}, {0, 2, 1, -1}};
    EXPECT_EQ(WeldParts(parts, unsound).removedCapPolygons, 0u);

    // Every triangle keeps its part's surface, named after the body part.
    parts[1].bodyPart = "Neck";
    parts[1].surfaces[0] = {"Fur", {0.0f, 1.0f, 0.0f}};
    const WeldedSurface coloured = WeldParts(parts, welds);
    ASSERT_EQ(coloured.surfaces.size(), 2u);
    EXPECT_EQ(coloured.surfaces[0].name, "Head Skin");
    EXPECT_EQ(coloured.surfaces[1].name, "Neck Fur");
    ASSERT_EQ(coloured.triangleSurfaces.size(), 20u);
    EXPECT_EQ(std::count(coloured.triangleSurfaces.begin(), coloured.triangleSurfaces.end(), 1u),
              10);
}

TEST(WeldedSurface, ACapIsWhatTheRingCutsOffThePartsOwnShell) {
    // The ring round a box's +x face cuts off that face; part of the ring cuts off nothing.
    PartGeometry part = Box({0, 0, 0}, {1, 1, 1});
    EXPECT_EQ(SeamCapPolygons(part, kPlusXRing), std::vector<std::size_t>{5});
    EXPECT_TRUE(SeamCapPolygons(part, std::vector<std::uint32_t>{1, 3, 7}).empty());
    EXPECT_TRUE(SeamCapPolygons(part, std::vector<std::uint32_t>{1, 3}).empty());

    // A second shell of the part (an eye's pupil, say) is never taken for a cap, however
    // small, and the ring's cap is found within its own shell.
    PartGeometry twoShells = Box({0, 0, 0}, {1, 1, 1});
    const PartGeometry small = Box({5, 5, 5}, {5.1f, 5.1f, 5.1f});
    for (const Vec3f& p : small.points) twoShells.points.push_back(p);
    for (const Vec3f& n : small.normals) twoShells.normals.push_back(n);
    for (ExportPolygon polygon : small.polygons) {
        for (std::uint32_t& c : polygon.corners) c += 8;
        twoShells.polygons.push_back(polygon);
    }
    EXPECT_EQ(SeamCapPolygons(twoShells, kPlusXRing), std::vector<std::size_t>{5});
    EXPECT_EQ(SeamCapPolygons(twoShells, std::vector<std::uint32_t>{9, 11, 15, 13}),
              std::vector<std::size_t>{11});
}

TEST(WeldedSurface, FacetNormalsFollowTheCornerOrder) {
    WeldedSurface surface;
    surface.points = {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {4, 0, 0}};
    const Vec3f up = FacetNormal(surface, {0, 1, 2});
    EXPECT_EQ(up.z, 1.0f);
    EXPECT_EQ(FacetNormal(surface, {0, 2, 1}).z, -1.0f);
    const Vec3f none = FacetNormal(surface, {0, 1, 3});  // no area
    EXPECT_EQ(std::abs(none.x) + std::abs(none.y) + std::abs(none.z), 0.0f);
}

}  // namespace
}  // namespace bw
