// Catmull–Clark refinement of small meshes whose refined shape is known: a cube, a flat grid.
#include "subdivide/subdivision_topology.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

namespace bw {
namespace {

// A cube of half side 1 about the origin: 8 points, 6 quads counter-clockwise seen from outside.
struct Mesh {
    std::vector<Vec3f> points;
    std::vector<std::uint32_t> counts;
    std::vector<std::uint32_t> corners;
};

Mesh Cube() {
    Mesh mesh;
    for (int i = 0; i < 8; ++i)
        mesh.points.push_back({i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f});
    for (const auto& q : {std::array<std::uint32_t, 4>{0, 2, 3, 1},
                          {4, 5, 7, 6},
                          {0, 1, 5, 4},
                          {2, 6, 7, 3},
                          {0, 4, 6, 2},
                          {1, 3, 7, 5}}) {
        mesh.counts.push_back(4);
        mesh.corners.insert(mesh.corners.end(), q.begin(), q.end());
    }
    return mesh;
}

// n by n quads in the plane z = 0.5, from (0, 0) to (n, n): an open sheet with four corners.
Mesh FlatGrid(std::uint32_t n) {
    Mesh mesh;
    for (std::uint32_t y = 0; y <= n; ++y)
        for (std::uint32_t x = 0; x <= n; ++x) mesh.points.push_back({float(x), float(y), 0.5f});
    for (std::uint32_t y = 0; y < n; ++y) {
        for (std::uint32_t x = 0; x < n; ++x) {
            const std::uint32_t a = y * (n + 1) + x;
            mesh.counts.push_back(4);
            mesh.corners.insert(mesh.corners.end(), {a, a + 1, a + n + 2, a + n + 1});
        }
    }
    return mesh;
}

std::optional<SubdivisionTopology> Refined(const Mesh& mesh, int level) {
    return SubdivisionTopology::Refine(mesh.points.size(), mesh.counts, mesh.corners, level);
}

// The number of undirected edges used by a number of faces other than two, and of directed
// edges used more than once (neighbours wound against each other).
std::pair<std::size_t, std::size_t> OpenAndMisorientedEdges(
    const std::vector<std::array<std::uint32_t, 4>>& faces) {
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> undirected, directed;
    for (const auto& face : faces) {
        for (std::size_t k = 0; k < 4; ++k) {
            const std::uint32_t a = face[k], b = face[(k + 1) % 4];
            ++undirected[{std::min(a, b), std::max(a, b)}];
            ++directed[{a, b}];
        }
    }
    std::pair<std::size_t, std::size_t> counts{0, 0};
    for (const auto& [edge, uses] : undirected) counts.first += uses != 2;
    for (const auto& [edge, uses] : directed) counts.second += uses != 1;
    return counts;
}

TEST(SubdivisionTopology, ACubeRefinesToFourFacesOfEachPerLevelAndStaysClosedAndOutward) {
    const Mesh cube = Cube();
    for (int level = 1; level <= kMaxSubdivisionLevel; ++level) {
        SCOPED_TRACE(level);
        const auto topology = Refined(cube, level);
        ASSERT_TRUE(topology);
        const std::size_t faces = 6u << (2 * level);
        EXPECT_EQ(topology->Faces().size(), faces);
        // Points: every face has one, every edge one and every point one, level after level.
        EXPECT_EQ(topology->RefinedPointCount(), faces + 2);  // Euler: V - E + F = 2
        EXPECT_EQ(OpenAndMisorientedEdges(topology->Faces()), std::make_pair(0ul, 0ul));
        // Each refined face lies in one face of the cube, a quarter of the level before's.
        std::map<std::uint32_t, std::size_t> perBase;
        for (std::uint32_t base : topology->BaseFaces()) ++perBase[base];
        ASSERT_EQ(perBase.size(), 6u);
        for (const auto& [base, count] : perBase) EXPECT_EQ(count, faces / 6) << base;
    }
}

TEST(SubdivisionTopology, ACubeShrinksTowardsItsLimitWithinTheKnownBounds) {
    // The limit of the cube of half side 1 passes through (0.5, 0.5, 0.5) at each corner (the
    // limit mask of a point of valence 3) and 0.8395 from the middle at each face's centre;
    // refined points lie between the limit and the cube, and each level comes closer.
    const Mesh cube = Cube();
    std::vector<double> farthest;
    for (int level = 1; level <= kMaxSubdivisionLevel; ++level) {
        const auto topology = Refined(cube, level);
        ASSERT_TRUE(topology);
        std::vector<Vec3f> points;
        topology->Evaluate(cube.points, points);
        double nearest = 2.0, far = 0.0;
        for (const Vec3f& p : points) {
            EXPECT_LE(std::max({std::abs(p.x), std::abs(p.y), std::abs(p.z)}), 1.0f);
            const double distance = Length(Widened(p));
            nearest = std::min(nearest, distance);
            far = std::max(far, distance);
        }
        EXPECT_GE(nearest, 0.8395 - 1e-4) << level;
        farthest.push_back(far);
        // The refined corners of the cube: valence 3, on the diagonals, above the limit.
        for (std::uint32_t i = 0; i < 8; ++i) {
            EXPECT_FLOAT_EQ(std::abs(points[i].x), std::abs(points[i].y));
            EXPECT_GT(std::abs(points[i].x), 0.5f);
        }
    }
    EXPECT_LT(farthest[1], farthest[0]);
    EXPECT_LT(farthest.back(), 0.95);
}

TEST(SubdivisionTopology, AFlatGridStaysInItsPlaneAndKeepsItsCornersAndBorder) {
    const Mesh grid = FlatGrid(3);
    for (int level = 1; level <= kMaxSubdivisionLevel; ++level) {
        SCOPED_TRACE(level);
        const auto topology = Refined(grid, level);
        ASSERT_TRUE(topology);
        EXPECT_EQ(topology->Faces().size(), 9u << (2 * level));
        std::vector<Vec3f> points;
        topology->Evaluate(grid.points, points);
        std::size_t corners = 0;
        for (const Vec3f& p : points) {
            EXPECT_EQ(p.z, 0.5f);
            EXPECT_GE(p.x, 0.0f);
            EXPECT_LE(p.x, 3.0f);
            EXPECT_GE(p.y, 0.0f);
            EXPECT_LE(p.y, 3.0f);
            corners += (p.x == 0.0f || p.x == 3.0f) && (p.y == 0.0f || p.y == 3.0f);
        }
        // Edge-and-corner boundaries: a point on one face only is a corner and stays put.
        EXPECT_EQ(corners, 4u);
        // Every refined face faces the way the grid's faces do (+z).
        for (const auto& face : topology->Faces()) {
            const Vec3f n =
                Cross(points[face[2]] - points[face[0]], points[face[3]] - points[face[1]]);
            EXPECT_GT(n.z, 0.0f);
        }
    }
}

TEST(SubdivisionTopology, EvaluatingMovedPointsEqualsRefiningThemAfreshBitForBit) {
    Mesh moved = FlatGrid(4);
    const auto topology = Refined(moved, 2);
    ASSERT_TRUE(topology);
    std::vector<Vec3f> before;
    topology->Evaluate(moved.points, before);
    for (std::size_t i = 0; i < moved.points.size(); ++i)
        moved.points[i].z = std::sin(float(i)) * 0.3f + 0.1f * moved.points[i].x;
    std::vector<Vec3f> again, fresh;
    topology->Evaluate(moved.points, again);
    Refined(moved, 2)->Evaluate(moved.points, fresh);
    ASSERT_EQ(again.size(), fresh.size());
    EXPECT_EQ(std::memcmp(again.data(), fresh.data(), again.size() * sizeof(Vec3f)), 0);
    EXPECT_NE(std::memcmp(again.data(), before.data(), again.size() * sizeof(Vec3f)), 0);
}

TEST(SubdivisionTopology, TrianglesBecomeThreeQuadsAndWeightsAreMixedAsPointsAre) {
    // Two triangles and a quad in a strip; a triangle gives three quads at the first level.
    const std::vector<Vec3f> points{{0, 0, 0}, {1, 0, 0}, {2, 0, 0},
                                    {0, 1, 0}, {1, 1, 0}, {2, 1, 0}};
    const std::vector<std::uint32_t> counts{3, 3, 4};
    const std::vector<std::uint32_t> corners{0, 1, 4, 0, 4, 3, 1, 2, 5, 4};
    const auto first = SubdivisionTopology::Refine(points.size(), counts, corners, 1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Faces().size(), 3u + 3u + 4u);
    EXPECT_EQ(first->BaseFaces(), (std::vector<std::uint32_t>{0, 0, 0, 1, 1, 1, 2, 2, 2, 2}));

    // Left column on joint 1, right column on joint 2, the middle on both halves.
    std::vector<PointWeights> weights(points.size());
    const auto set = [&](std::size_t i, std::vector<Influence> influences) {
        for (const Influence& influence : influences)
            weights[i].influences[weights[i].count++] = influence;
    };
    set(0, {{1, 1.0f}});
    set(3, {{1, 1.0f}});
    set(2, {{2, 1.0f}});
    set(5, {{2, 1.0f}});
    set(1, {{1, 0.5f}, {2, 0.5f}});
    set(4, {{1, 0.5f}, {2, 0.5f}});
    for (int level = 1; level <= kMaxSubdivisionLevel; ++level) {
        SCOPED_TRACE(level);
        const auto topology = SubdivisionTopology::Refine(points.size(), counts, corners, level);
        ASSERT_TRUE(topology);
        const std::vector<PointWeights> refined = topology->EvaluateWeights(weights);
        std::vector<Vec3f> refinedPoints;
        topology->Evaluate(points, refinedPoints);
        ASSERT_EQ(refined.size(), refinedPoints.size());
        for (std::size_t i = 0; i < refined.size(); ++i) {
            float sum = 0.0f, second = 0.0f;
            for (const Influence& influence : refined[i].Used()) {
                sum += influence.weight;
                if (influence.joint == 2) second = influence.weight;
            }
            EXPECT_NEAR(sum, 1.0f, 1e-6f) << i;
            // Joint 2's share grows from left to right as x does (x / 2 in this strip, where
            // the refined x is the same mix of 0, 1 and 2 as the weights are of 0, 0.5 and 1).
            EXPECT_NEAR(second, refinedPoints[i].x / 2.0f, 1e-5f) << i;
        }
    }
}

TEST(SubdivisionTopology, RefusesWhatItCannotRefine) {
    const Mesh cube = Cube();
    std::string reason;
    EXPECT_FALSE(SubdivisionTopology::Refine(8, cube.counts, cube.corners, 0, &reason));
    EXPECT_NE(reason.find("level 0"), std::string::npos) << reason;
    EXPECT_FALSE(SubdivisionTopology::Refine(8, cube.counts, cube.corners, 3, &reason));
    EXPECT_FALSE(SubdivisionTopology::Refine(7, cube.counts, cube.corners, 1, &reason));
    EXPECT_EQ(reason, "a polygon's corner is not a point");
    std::vector<std::uint32_t> counts = cube.counts;
    counts.back() = 5;
    EXPECT_FALSE(SubdivisionTopology::Refine(8, counts, cube.corners, 1, &reason));
    counts = {2, 2};
    EXPECT_FALSE(SubdivisionTopology::Refine(8, counts, {{0, 1, 1, 2}}, 1, &reason));
    EXPECT_EQ(reason, "a polygon has fewer than three corners");
    // Evaluating fewer points than the topology was refined for gives zeros, not a read past
    // them.
    const auto topology = Refined(cube, 1);
    std::vector<Vec3f> refined;
    topology->Evaluate(std::span<const Vec3f>(cube.points).first(4), refined);
    EXPECT_EQ(refined.size(), topology->RefinedPointCount());
    for (const Vec3f& p : refined) EXPECT_EQ(p, Vec3f{});
}

TEST(SubdivisionTopology, NormalsPointAwayFromAClosedShapeAndUpWhereNoFaceHasArea) {
    Mesh cube = Cube();
    const auto topology = Refined(cube, 1);
    std::vector<Vec3f> points, normals;
    topology->Evaluate(cube.points, points);
    topology->EvaluateNormals(points, normals);
    ASSERT_EQ(normals.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Vec3f& n = normals[i];
        EXPECT_NEAR(Length(n), 1.0f, 1e-6f);
        // On a cube's refinement every normal points out through its own point, the more
        // closely the nearer the point is to a face's middle or a corner.
        EXPECT_GT(n.x * points[i].x + n.y * points[i].y + n.z * points[i].z,
                  0.8f * Length(points[i]))
            << i;
    }
    // Each normal is the mean of its faces' normals, each as long as the face's area: summed
    // face by face here on a dented cube refined twice.
    cube.points[7] = {0.4f, 0.7f, 0.9f};
    const auto twice = Refined(cube, 2);
    twice->Evaluate(cube.points, points);
    twice->EvaluateNormals(points, normals);
    std::vector<Vec3f> sums(points.size());
    for (const auto& f : twice->Faces()) {
        const Vec3f n = Cross(points[f[2]] - points[f[0]], points[f[3]] - points[f[1]]);
        for (std::uint32_t corner : f) sums[corner] += n;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Vec3f expected = *Unit(sums[i]);
        EXPECT_NEAR(normals[i].x, expected.x, 1e-5f) << i;
        EXPECT_NEAR(normals[i].y, expected.y, 1e-5f) << i;
        EXPECT_NEAR(normals[i].z, expected.z, 1e-5f) << i;
    }
    // A cube squashed into one point has no face with an area.
    for (Vec3f& p : cube.points) p = {0.5f, 0.5f, 0.5f};
    topology->Evaluate(cube.points, points);
    topology->EvaluateNormals(points, normals);
    for (const Vec3f& n : normals) EXPECT_EQ(n, (Vec3f{0.0f, 1.0f, 0.0f}));
    topology->EvaluateNormals(std::span<const Vec3f>(points).first(3), normals);
    EXPECT_EQ(normals.size(), topology->RefinedPointCount());
}

}  // namespace
}  // namespace bw
