// The generated library: every file a sound closed mesh, the names the program and its sample
// projects rely on, mirrored sides, and seams whose counts match across all types and variants.
#include "library_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace bw::test {
namespace {

const char* const kTypes[] = {"Fantasy", "Female", "Insect", "Male", "Manga"};

TEST(SampleLibraryFiles, EveryBodyPartHoldsSoundColouredMeshesOfEveryType) {
    int files = 0;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const auto names = PartFileNames(id);
        for (const char* type : kTypes) {
            int variants = 0;
            for (const auto& name : names) variants += name.starts_with(std::string(type) + "-");
            EXPECT_GE(variants, 2) << BodyPartName(id) << " " << type;
        }
        for (const auto& name : names) {
            ++files;
            const auto part = LoadPart(PartFilePath(id, name));
            if (!part) continue;
            const std::string where = std::string(BodyPartName(id)) + "/" + name;
            EXPECT_EQ(MeshProblem(*part), "") << where;
            EXPECT_GE(part->PolygonCount(), 150u) << where;
            EXPECT_LE(part->PolygonCount(), 2000u) << where;
            EXPECT_EQ(part->FileBodyPart(), std::uint32_t(id)) << where;
            ASSERT_GE(part->SurfaceCount(), 1u) << where;
            for (std::uint32_t s = 0; s < part->SurfaceCount(); ++s) {
                const auto block = part->Surfaces()[s].dataBlock;
                ASSERT_GE(block.size(), 10u) << where;
                EXPECT_EQ(std::string(block.begin(), block.begin() + 4), "COLR") << where;
            }
        }
    }
    EXPECT_GE(files, 220);
}

TEST(SampleLibraryFiles, HoldsTheFileNamesProjectsReferTo) {
    for (const char* side : {"Left", "Right"}) {
        const auto foot = PartFileNames(*BodyPartIdOfName(std::string(side) + " foot"));
        const auto thigh = PartFileNames(*BodyPartIdOfName(std::string(side) + " thigh"));
        const std::set<std::string> feet(foot.begin(), foot.end()),
            thighs(thigh.begin(), thigh.end());
        EXPECT_TRUE(feet.count("Fantasy-ThreeToes.bwo") && feet.count("Fantasy-TwoToes.bwo"))
            << side;
        EXPECT_TRUE(thighs.count("Male-Slim.bwo") && thighs.count("Fantasy-Disc.bwo")) << side;
    }
}

TEST(SampleLibraryFiles, RightBodyPartsMirrorTheLeftFileForFile) {
    const std::pair<const char*, const char*> sides[] = {
        {"Left ear", "Right ear"},   {"Left eye", "Right eye"},
        {"Left arm", "Right arm"},   {"Left forearm", "Right forearm"},
        {"Left hand", "Right hand"}, {"Left thigh", "Right thigh"},
        {"Left leg", "Right leg"},   {"Left foot", "Right foot"}};
    for (const auto& [left, right] : sides) {
        const BodyPartId l = *BodyPartIdOfName(left);
        const BodyPartId r = *BodyPartIdOfName(right);
        ASSERT_EQ(PartFileNames(l), PartFileNames(r)) << left;
        for (const auto& name : PartFileNames(l)) {
            const auto a = LoadPart(PartFilePath(l, name));
            const auto b = LoadPart(PartFilePath(r, name));
            ASSERT_TRUE(a && b);
            ASSERT_EQ(a->PointCount(), b->PointCount()) << name;
            for (std::size_t i = 0; i < a->PointCount(); ++i) {
                const Vec3f p = a->TransformedPoints()[i];
                const Vec3f q = b->TransformedPoints()[i];
                ASSERT_TRUE(p.x == -q.x && p.y == q.y && p.z == q.z)
                    << left << " " << name << " point " << i;
            }
            for (int k = 0; k < kMaxConnectionSets; ++k) {
                const auto sa = a->ConnectionSet(k);
                const auto sb = b->ConnectionSet(k);
                EXPECT_TRUE(std::equal(sa.begin(), sa.end(), sb.begin(), sb.end()))
                    << name << " set " << k + 1;
            }
        }
    }
}

TEST(SampleLibraryFiles, EverySeamHasOneCountOnBothSidesInAllFiles) {
    // counts[body part][set] = every count seen in that body part's files.
    std::map<std::pair<BodyPartId, int>, std::set<std::size_t>> counts;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id)
        for (const auto& name : PartFileNames(id)) {
            const auto part = LoadPart(PartFilePath(id, name));
            ASSERT_TRUE(part);
            for (const SetConnection& c : ConnectionsOfTypeCode(*TypeCodeOfBodyPart(id)))
                counts[{id, c.ownSet}].insert(part->ConnectionSet(c.ownSet - 1).size());
        }
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        for (const SetConnection& c : ConnectionsOfTypeCode(*TypeCodeOfBodyPart(id))) {
            const auto& own = counts[{id, c.ownSet}];
            const auto& theirs = counts[{*BodyPartOfTypeCode(c.neighbour), c.neighbourSet}];
            ASSERT_EQ(own.size(), 1u) << BodyPartName(id) << " set " << c.ownSet;
            EXPECT_GT(*own.begin(), 0u) << BodyPartName(id) << " set " << c.ownSet;
            EXPECT_EQ(own, theirs) << BodyPartName(id) << " set " << c.ownSet << " against "
                                   << TypeCodeName(c.neighbour) << " set " << c.neighbourSet;
        }
    }
}

TEST(PreparedCreatures, AreClosedObjectsWithOneNamedSurfacePerBodyPart) {
    for (const char* type : kTypes) {
        const std::string path =
            SampleShareDirectory() + "/Objects/Prepared/Creature-" + type + ".bwo";
        const auto creature = LoadPart(path);
        ASSERT_TRUE(creature) << type;
        EXPECT_EQ(MeshProblem(*creature), "") << type;
        ASSERT_GE(creature->SurfaceCount(), std::uint32_t(kBodyPartCount)) << type;
        std::vector<int> used(creature->SurfaceCount(), 0);
        for (const Quad& q : creature->Polygons()) ++used[q.surface];
        for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
            EXPECT_EQ(creature->Surfaces()[id].name, BodyPartName(id)) << type;
            EXPECT_GT(used[id], 0) << type << " " << BodyPartName(id);
        }
        EXPECT_LT(creature->PolygonCount(), 25000u) << type;
    }
}

TEST(SampleProjects, ComeInBothVersionsAndReferToLibraryFiles) {
    std::set<std::string> headers;
    bool oldName = false;
    for (const auto& entry :
         std::filesystem::directory_iterator(SampleShareDirectory() + "/Projects")) {
        if (entry.path().extension() != ".bwp") continue;  // poses sit beside the projects
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string line;
        std::getline(text, line);
        headers.insert(line);
        while (std::getline(text, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] != '\\') continue;
            if (line == "\\Left thigh\\MaleSlim.bwo") {
                oldName = true;
                continue;
            }
            std::string relative = line;
            std::replace(relative.begin(), relative.end(), '\\', '/');
            EXPECT_TRUE(std::filesystem::exists(SampleObjectDirectory() + relative))
                << entry.path() << ": " << line;
        }
    }
    EXPECT_TRUE(headers.count("BW20\r") && headers.count("BW1\r"));
    EXPECT_TRUE(oldName);
    EXPECT_TRUE(
        std::filesystem::exists(SampleObjectDirectory() + "/../../Doc/StandaloneManual.html"));
}

}  // namespace
}  // namespace bw::test
