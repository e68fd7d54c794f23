// The sample creatures subdivided: for export (SubdivideParts) and for the preview
// (SubdividedCreature).
#include "subdivide/subdivided_creature.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "export/creature_geometry.h"
#include "export/welded_surface.h"
#include "rig/creature_pose.h"
#include "rig_test_creatures.h"
#include "subdivide/subdivided_parts.h"

namespace bw {
namespace {

std::vector<PartGeometry> GeometryOf(const Creature& creature, bool rigged = false) {
    std::vector<PartGeometry> parts;
    std::vector<ExportJoint> skeleton;
    EXPECT_TRUE(TakeCreatureGeometry(creature, ExportOptions(), "a test", parts, nullptr,
                                     rigged ? &skeleton : nullptr));
    return parts;
}

std::size_t QuadCount(const std::vector<PartGeometry>& parts) {
    std::size_t count = 0;
    for (const PartGeometry& part : parts) count += part.polygons.size();
    return count;
}

TEST(SubdivideParts, EverySampleCreatureStaysOneClosedShellAtEachLevel) {
    for (const std::string& project : test::SampleProjectNames()) {
        SCOPED_TRACE(project);
        const auto loaded = test::LoadSampleCreature(project);
        const Creature& creature = loaded->creature;
        const std::vector<SeamWeld> welds = CreatureSeamWelds(creature);
        const std::vector<PartGeometry> rest = GeometryOf(creature);
        const WeldedSurface level0 = WeldParts(rest, welds);
        ASSERT_EQ(CountOpenEdges(level0), 0u);
        std::size_t corners = 0;
        for (const WeldedPolygon& polygon : level0.polygons) corners += polygon.cornerCount;

        std::size_t previousQuads = 0;
        for (int level = 1; level <= kMaxSubdivisionLevel; ++level) {
            std::vector<PartGeometry> parts = rest;
            std::string reason;
            ASSERT_TRUE(SubdivideParts(parts, welds, level, &reason)) << reason;
            ASSERT_EQ(parts.size(), rest.size());
            // A polygon of n corners gives n quads, then each quad four.
            const std::size_t quads = QuadCount(parts);
            EXPECT_EQ(quads, level == 1 ? corners : 4 * previousQuads) << level;
            previousQuads = quads;
            // Welded again by position alone (the seams' points are the same in both parts).
            const WeldedSurface welded = WeldParts(parts);
            EXPECT_EQ(welded.polygons.size(), quads) << level;
            EXPECT_EQ(CountOpenEdges(welded), 0u) << level;
            EXPECT_EQ(CountShells(welded), CountShells(level0)) << level;
            for (std::size_t p = 0; p < parts.size(); ++p) {
                EXPECT_EQ(parts[p].bodyPart, rest[p].bodyPart);
                EXPECT_EQ(parts[p].points.size(), parts[p].normals.size());
                EXPECT_TRUE(parts[p].weights.empty());
            }
        }
    }
}

TEST(SubdivideParts, EachFaceKeepsItsPartAndSurfaceAndRiggedPartsKeepWeights) {
    const auto loaded = test::LoadSampleCreature("Fantasy.bwp");
    const std::vector<PartGeometry> rest = GeometryOf(loaded->creature, true);
    std::vector<PartGeometry> parts = rest;
    ASSERT_TRUE(SubdivideParts(parts, CreatureSeamWelds(loaded->creature), 1));
    const WeldedSurface level0 = WeldParts(rest, CreatureSeamWelds(loaded->creature));
    // Per part and surface: the corners of its welded polygons, the quads they become.
    std::map<std::pair<std::uint32_t, std::uint16_t>, std::size_t> expected, found;
    for (const WeldedPolygon& polygon : level0.polygons)
        expected[{polygon.part, polygon.partSurface}] += polygon.cornerCount;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        for (const ExportPolygon& polygon : parts[p].polygons) {
            EXPECT_EQ(polygon.cornerCount, 4u);
            ++found[{std::uint32_t(p), polygon.surface}];
        }
        EXPECT_EQ(parts[p].surfaces.size(), rest[p].surfaces.size());
        // A point the part's faces share is one point of the part, not one per face.
        std::set<std::array<float, 3>> distinct;
        for (const Vec3f& point : parts[p].points) distinct.insert({point.x, point.y, point.z});
        EXPECT_EQ(distinct.size(), parts[p].points.size()) << rest[p].bodyPart;
        // A part with skin weights has them for every refined point, normalised.
        EXPECT_EQ(parts[p].weights.empty(), rest[p].weights.empty()) << rest[p].bodyPart;
        if (parts[p].weights.empty()) continue;
        ASSERT_EQ(parts[p].weights.size(), parts[p].points.size());
        for (const PointWeights& weights : parts[p].weights) {
            float sum = 0.0f;
            for (const Influence& influence : weights.Used()) sum += influence.weight;
            EXPECT_NEAR(sum, 1.0f, 1e-5f);
        }
    }
    EXPECT_EQ(found, expected);
}

TEST(SubdividedCreature, MovingPointsEvaluatesAgainAndChangingPartsRefinesAgain) {
    auto loaded = test::LoadSampleCreature("Fantasy.bwp");
    Creature& creature = loaded->creature;
    SubdividedCreature surface;
    ASSERT_TRUE(surface.Update(creature, {}, 1));
    EXPECT_EQ(surface.Refinements(), 1u);
    ASSERT_FALSE(surface.Faces().empty());
    EXPECT_EQ(surface.Points().size(), surface.Normals().size());
    // The runs cover every face, each of one part and one of its surfaces: each part's colours
    // are those of its surfaces' faces.
    std::size_t covered = 0;
    std::set<std::pair<int, std::array<float, 3>>> runColours, partColours;
    for (const auto& run : surface.Runs()) {
        EXPECT_EQ(run.first, covered);
        covered = run.end;
        EXPECT_LT(run.part, creature.PartCount());
        runColours.insert({run.part, run.colour});
    }
    EXPECT_EQ(covered, surface.Faces().size());
    const WeldedSurface welded = WeldParts(GeometryOf(creature), CreatureSeamWelds(creature));
    for (const WeldedPolygon& polygon : welded.polygons)
        partColours.insert({int(polygon.part), welded.surfaces[polygon.surface].colour});
    EXPECT_EQ(runColours, partColours);

    // At rest it is the surface an export writes, in the model's own frame.
    std::vector<PartGeometry> exported = GeometryOf(creature);
    ASSERT_TRUE(SubdivideParts(exported, CreatureSeamWelds(creature), 1));
    std::set<std::array<float, 3>> exportedPoints;
    for (const PartGeometry& part : exported)
        for (const Vec3f& p : part.points) exportedPoints.insert({p.x, p.y, p.z});
    std::set<std::array<float, 3>> drawnPoints;
    for (const Vec3f& p : surface.Points()) drawnPoints.insert({p.x, p.y, p.z});
    EXPECT_EQ(drawnPoints, exportedPoints);

    // An adjustment moves points: the same topology, evaluated again, equals a new
    // refinement of the moved creature bit for bit.
    const int arm = test::PartIndexOf(creature, "Left arm");
    creature.Part(arm)->adjustments.scaleValue[0] = 1.5f;
    creature.ApplyAdjustments(creature.Part(arm));
    const std::vector<Vec3f> before = surface.Points();
    ASSERT_TRUE(surface.Update(creature, {}, 1));
    EXPECT_EQ(surface.Refinements(), 1u);
    EXPECT_NE(surface.Points(), before);
    SubdividedCreature fresh;
    ASSERT_TRUE(fresh.Update(creature, {}, 1));
    ASSERT_EQ(fresh.Points().size(), surface.Points().size());
    EXPECT_EQ(std::memcmp(fresh.Points().data(), surface.Points().data(),
                          surface.Points().size() * sizeof(Vec3f)),
              0);

    // A pose moves points too; another level or another part refines again.
    CreaturePose pose;
    ASSERT_TRUE(pose.SetRotation(creature.Part(arm)->bodyPart, {40.0f, 0.0f, 0.0f}));
    ASSERT_TRUE(surface.Update(creature, pose.PosedParts(creature), 1));
    EXPECT_EQ(surface.Refinements(), 1u);
    EXPECT_NE(surface.Points(), fresh.Points());
    ASSERT_TRUE(surface.Update(creature, {}, 2));
    EXPECT_EQ(surface.Refinements(), 2u);
    EXPECT_EQ(surface.Faces().size(), 4 * fresh.Faces().size());
    ASSERT_TRUE(creature.RemovePart(creature.Part(arm)->TypeName()));
    ASSERT_TRUE(surface.Update(creature, {}, 2));
    EXPECT_EQ(surface.Refinements(), 3u);

    // Nothing to subdivide: no surface, and the preview draws the parts.
    creature.ReplaceParts({});
    EXPECT_FALSE(surface.Update(creature, {}, 1));
    EXPECT_TRUE(surface.Faces().empty());
}

}  // namespace
}  // namespace bw
