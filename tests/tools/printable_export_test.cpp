// The STL and 3MF exports as a slicer takes them: one closed surface wound outward, one shell
// per creature, facet normals that agree with the winding. Checked here by reading the files
// back (STL by hand, 3MF through the 3MF consortium's library and the export library's
// importer) and by admesh, a mesh checker no one here wrote.
#include <Model/COM/NMR_DLLInterfaces.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <array>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>

#include "export/creature_geometry.h"
#include "export/welded_surface.h"
#include "model/creature.h"
#include "project/project_loader.h"
#include "rig/pose_file.h"
#include "support/command_runner.h"
#include "support/recording_notifier.h"
#include "support/temporary_directory.h"

using bw::test::ReadText;

// The 3MF library's reader leaves three small blocks of libzip's unfreed for every package it
// reads (the same with a file or a buffer, every handle released): its own, not the export's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libzip.so\n"; }

namespace bw {
namespace {

namespace fs = std::filesystem;

const fs::path kShare = BW_SAMPLE_SHARE_DIR;
const std::string kObjects = (kShare / "Objects" / "Library").string();

// Triangles as a file stores them: three corners each and, for STL, a facet normal.
struct TriangleFile {
    std::vector<std::array<Vec3f, 3>> corners;
    std::vector<Vec3f> normals;
};

// A binary STL file; empty when its size does not match its triangle count.
TriangleFile ReadBinaryStl(const std::string& path) {
    const std::string bytes = test::ReadText(path);
    TriangleFile file;
    std::uint32_t count = 0;
    if (bytes.size() < 84) return file;
    std::memcpy(&count, bytes.data() + 80, 4);
    if (bytes.size() != 84 + 50 * std::size_t(count)) return file;
    for (std::uint32_t t = 0; t < count; ++t) {
        float values[12];
        std::memcpy(values, bytes.data() + 84 + 50 * std::size_t(t), sizeof values);
        file.normals.push_back({values[0], values[1], values[2]});
        file.corners.push_back({Vec3f{values[3], values[4], values[5]},
                                Vec3f{values[6], values[7], values[8]},
                                Vec3f{values[9], values[10], values[11]}});
    }
    return file;
}

// What makes a surface printable, counted over points that are equal in all three coordinates.
struct Solidity {
    std::size_t openEdges = 0;         // used by a number of triangles other than two
    std::size_t misorientedEdges = 0;  // used twice the same way round
    std::size_t shells = 0;
    double volume = 0.0;       // signed: positive when the triangles face outward
    double worstNormal = 0.0;  // largest distance of a facet normal from the right-hand one
};

Solidity SolidityOf(const TriangleFile& file) {
    WeldedSurface surface;  // the points merged by exact position
    std::map<std::array<float, 3>, std::uint32_t> index;
    for (const auto& corners : file.corners) {
        std::array<std::uint32_t, 3> triangle{};
        for (std::size_t k = 0; k < 3; ++k) {
            const Vec3f& p = corners[k];
            const auto [entry, added] =
                index.try_emplace({p.x, p.y, p.z}, std::uint32_t(surface.points.size()));
            if (added) surface.points.push_back(p);
            triangle[k] = entry->second;
        }
        surface.triangles.push_back(triangle);
    }
    Solidity s;
    s.openEdges = CountOpenEdges(surface);
    s.shells = CountShells(surface);
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
    for (std::size_t t = 0; t < surface.triangles.size(); ++t) {
        const auto& c = surface.triangles[t];
        for (std::size_t k = 0; k < 3; ++k) ++directed[{c[k], c[(k + 1) % 3]}];
        const Vec3f& a = surface.points[c[0]];
        const Vec3f& b = surface.points[c[1]];
        const Vec3f& d = surface.points[c[2]];
        s.volume += (double(a.x) * (double(b.y) * d.z - double(b.z) * d.y) -
                     double(a.y) * (double(b.x) * d.z - double(b.z) * d.x) +
                     double(a.z) * (double(b.x) * d.y - double(b.y) * d.x)) /
                    6.0;
        if (t < file.normals.size()) {
            const Vec3f right = FacetNormal(surface, c);
            const Vec3f& n = file.normals[t];
            s.worstNormal = std::max(
                s.worstNormal,
                std::hypot(double(n.x) - right.x, double(n.y) - right.y, double(n.z) - right.z));
        }
    }
    for (const auto& [edge, uses] : directed) s.misorientedEdges += uses != 1;
    return s;
}

void ExpectPrintable(const TriangleFile& file, const std::string& name) {
    ASSERT_FALSE(file.corners.empty()) << name;
    const Solidity s = SolidityOf(file);
    EXPECT_EQ(s.openEdges, 0u) << name;
    EXPECT_EQ(s.misorientedEdges, 0u) << name;
    EXPECT_EQ(s.shells, 1u) << name;
    EXPECT_GT(s.volume, 0.0) << name;
    EXPECT_LT(s.worstNormal, 1e-4) << name;
}

// admesh's report on an STL file: its figures by their labels ("Number of parts", ...).
std::map<std::string, long> AdmeshFigures(const std::string& path, const std::string& scratch) {
    const test::CommandResult r = test::RunCommand("/usr/bin/admesh", {path}, scratch);
    std::map<std::string, long> figures;
    const std::regex line(R"(([A-Z][A-Za-z ]*[a-z])\s*:\s*(-?\d+))");
    for (auto it = std::sregex_iterator(r.out.begin(), r.out.end(), line);
         it != std::sregex_iterator(); ++it)
        figures[(*it)[1]] = std::stol((*it)[2]);
    return figures;
}

void ExpectAdmeshFindsNothingToMend(const std::string& path, const std::string& scratch) {
    std::map<std::string, long> figures = AdmeshFigures(path, scratch);
    EXPECT_EQ(figures["Number of parts"], 1) << path;
    for (const char* label : {"Edges fixed", "Facets removed", "Facets added", "Facets reversed",
                              "Backwards edges", "Normals fixed", "Degenerate facets"}) {
        ASSERT_TRUE(figures.count(label)) << path << ": admesh printed no " << label;
        EXPECT_EQ(figures[label], 0) << path << ": " << label;
    }
}

// The 3MF package read back by the 3MF consortium's library.
struct ThreeMfContents {
    bool read = false;
    DWORD unit = 0;
    std::size_t meshes = 0;
    std::size_t vertices = 0;
    TriangleFile triangles;
    std::vector<std::array<BYTE, 4>> colours;  // per triangle: its base material's colour
};

struct Release {
    void operator()(NMR::PLib3MFBase* instance) const { NMR::lib3mf_release(instance); }
};
using Handle = std::unique_ptr<NMR::PLib3MFBase, Release>;

ThreeMfContents ReadThreeMf(const std::string& path) {
    ThreeMfContents contents;
    NMR::PLib3MFModel* model = nullptr;
    if (NMR::lib3mf_createmodel(&model) != LIB3MF_OK) return contents;
    const Handle modelHandle(model);
    NMR::PLib3MFModelReader* reader = nullptr;
    if (NMR::lib3mf_model_queryreader(model, "3mf", &reader) != LIB3MF_OK) return contents;
    const Handle readerHandle(reader);
    std::string bytes = ReadText(path);
    if (NMR::lib3mf_reader_readfrombuffer(reader, reinterpret_cast<BYTE*>(bytes.data()),
                                          bytes.size()) != LIB3MF_OK)
        return contents;
    NMR::lib3mf_model_getunit(model, &contents.unit);

    NMR::PLib3MFModelResourceIterator* meshes = nullptr;
    if (NMR::lib3mf_model_getmeshobjects(model, &meshes) != LIB3MF_OK) return contents;
    const Handle meshesHandle(meshes);
    BOOL more = false;
    while (NMR::lib3mf_resourceiterator_movenext(meshes, &more) == LIB3MF_OK && more) {
        NMR::PLib3MFModelResource* resource = nullptr;
        if (NMR::lib3mf_resourceiterator_getcurrent(meshes, &resource) != LIB3MF_OK)
            return contents;
        const Handle meshHandle(resource);
        if (++contents.meshes > 1) continue;
        DWORD vertexCount = 0, triangleCount = 0;
        NMR::lib3mf_meshobject_getvertexcount(resource, &vertexCount);
        NMR::lib3mf_meshobject_gettrianglecount(resource, &triangleCount);
        std::vector<NMR::MODELMESHVERTEX> vertices(vertexCount);
        std::vector<NMR::MODELMESHTRIANGLE> triangles(triangleCount);
        if (NMR::lib3mf_meshobject_getvertices(resource, vertices.data(), vertexCount, nullptr) !=
                LIB3MF_OK ||
            NMR::lib3mf_meshobject_gettriangleindices(resource, triangles.data(), triangleCount,
                                                      nullptr) != LIB3MF_OK)
            return contents;
        contents.vertices = vertexCount;
        NMR::PLib3MFPropertyHandler* properties = nullptr;
        if (NMR::lib3mf_meshobject_createpropertyhandler(resource, &properties) != LIB3MF_OK)
            return contents;
        const Handle propertiesHandle(properties);
        for (DWORD t = 0; t < triangleCount; ++t) {
            std::array<Vec3f, 3> corners;
            for (std::size_t k = 0; k < 3; ++k) {
                const DWORD v = triangles[t].m_nIndices[k];
                if (v >= vertexCount) return contents;
                const float* p = vertices[v].m_fPosition;
                corners[k] = {p[0], p[1], p[2]};
            }
            contents.triangles.corners.push_back(corners);
            DWORD group = 0, material = 0;
            std::array<BYTE, 4> colour{};
            NMR::PLib3MFModelBaseMaterial* materials = nullptr;
            if (NMR::lib3mf_propertyhandler_getbasematerial(properties, t, &group, &material) ==
                    LIB3MF_OK &&
                NMR::lib3mf_model_getbasematerialbyid(model, group, &materials) == LIB3MF_OK) {
                const Handle materialsHandle(materials);
                NMR::lib3mf_basematerial_getdisplaycolor(materials, material, &colour[0],
                                                         &colour[1], &colour[2], &colour[3]);
            }
            contents.colours.push_back(colour);
        }
    }
    contents.read = true;
    return contents;
}

// The index of the part of `bodyPart` among `parts`; parts.size() when there is none.
std::size_t PartIndex(const std::vector<PartGeometry>& parts, const std::string& bodyPart) {
    for (std::size_t p = 0; p < parts.size(); ++p)
        if (parts[p].bodyPart == bodyPart) return p;
    return parts.size();
}

class PrintableExportTest : public ::testing::Test {
  protected:
    test::CommandResult Run(const std::vector<std::string>& args) {
        return test::RunCommand(BWTOOL_PATH, args, dir.Path());
    }
    // Every sample creature exported to OUT/<project><suffix>.EXT with `options`; the paths
    // written.
    std::vector<std::string> ExportSamples(const std::string& extension,
                                           const std::vector<std::string>& options = {},
                                           const std::string& suffix = "") {
        std::vector<std::string> paths;
        for (const auto& entry : fs::directory_iterator(kShare / "Projects")) {
            if (entry.path().extension() != ".bwp") continue;  // the poses beside them
            const std::string path =
                dir.Path() + "/" + entry.path().stem().string() + suffix + extension;
            std::vector<std::string> args{"assemble", "--objects", kObjects, entry.path().string(),
                                          "--export", path};
            args.insert(args.end(), options.begin(), options.end());
            const test::CommandResult r = Run(args);
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_NE(r.err.find(path + ": watertight\n"), std::string::npos) << r.err;
            paths.push_back(path);
        }
        return paths;
    }
    // Every sample creature exported to OUT/<project>.EXT, then a random batch of 100 to
    // OUT/random-<seed>.EXT; the paths written.
    std::vector<std::string> ExportSamplesAndRandomBatch(const std::string& extension) {
        std::vector<std::string> paths = ExportSamples(extension);
        EXPECT_EQ(paths.size(), 6u);
        const test::CommandResult r =
            Run({"random", "--objects", kObjects, "--seed", "1", "--count", "100", "--export",
                 dir.Path() + "/random" + extension});
        EXPECT_EQ(r.status, 0) << r.err;
        for (std::uint32_t seed = 1; seed <= 100; ++seed) {
            const std::string path = dir.Path() + "/random-" + std::to_string(seed) + extension;
            EXPECT_NE(r.err.find(path + ": watertight\n"), std::string::npos) << path;
            paths.push_back(path);
        }
        return paths;
    }
    test::TemporaryDirectory dir;
};

TEST_F(PrintableExportTest, EverySampleAndRandomCreatureIsOneClosedOutwardStlShell) {
    for (const std::string& path : ExportSamplesAndRandomBatch(".stl")) {
        ExpectPrintable(ReadBinaryStl(path), path);
        ExpectAdmeshFindsNothingToMend(path, dir.Path());
    }
}

TEST_F(PrintableExportTest, EverySampleAndRandomCreatureIsOneClosedOutwardThreeMfShell) {
    for (const std::string& path : ExportSamplesAndRandomBatch(".3mf")) {
        const ThreeMfContents contents = ReadThreeMf(path);
        ASSERT_TRUE(contents.read) << path;
        EXPECT_EQ(contents.meshes, 1u) << path;
        ExpectPrintable(contents.triangles, path);
    }
}

// Subdivided once and twice, every sample creature is still one closed shell wound outward,
// in STL as in 3MF, with nothing for admesh to mend.
TEST_F(PrintableExportTest, EverySampleCreatureSubdividedIsOneClosedOutwardShell) {
    std::map<std::string, std::size_t> triangles;  // by project, the last level's
    for (const char* level : {"1", "2"}) {
        SCOPED_TRACE(level);
        const std::string suffix = std::string("-level") + level;
        for (const std::string& path : ExportSamples(".stl", {"--subdivide", level}, suffix)) {
            const TriangleFile file = ReadBinaryStl(path);
            ExpectPrintable(file, path);
            ExpectAdmeshFindsNothingToMend(path, dir.Path());
            // All quads from the first level on: each level makes four of each.
            const std::string project = fs::path(path).stem().string();
            const std::string name = project.substr(0, project.size() - suffix.size());
            if (triangles.count(name)) {
                EXPECT_EQ(file.corners.size(), 4 * triangles[name]) << path;
            }
            triangles[name] = file.corners.size();
        }
        for (const std::string& path : ExportSamples(".3mf", {"--subdivide", level}, suffix)) {
            const ThreeMfContents contents = ReadThreeMf(path);
            ASSERT_TRUE(contents.read) << path;
            EXPECT_EQ(contents.meshes, 1u) << path;
            ExpectPrintable(contents.triangles, path);
        }
    }
}

// Three poses a printed creature might stand in: a bent forearm, a thigh bent back with the
// neck twisted, and everything at once with the upper body turned too.
const std::string kPrintPoses[] = {
    "Left forearm 60 0 0\n",
    "Left thigh -45 0 0\nNeck 0 0 30\n",
    std::string(
        "Left forearm 60 0 0\nRight arm 20 -30 10\nLeft thigh -45 0 0\nRight leg 30 0 0\n") +
        "Neck 0 0 30\nHead 15 0 0\nUpper body 0 10 -20\n",
};

TEST_F(PrintableExportTest, EverySampleCreatureInEachPoseIsOneClosedOutwardShell) {
    for (std::size_t k = 0; k < std::size(kPrintPoses); ++k) {
        const std::string pose =
            dir.Write("pose" + std::to_string(k) + ".bwpose", std::string(kPrintPoses[k]));
        for (const auto& entry : fs::directory_iterator(kShare / "Projects")) {
            if (entry.path().extension() != ".bwp") continue;  // the poses beside them
            for (const char* extension : {".stl", ".3mf"}) {
                const std::string path = dir.Path() + "/" + entry.path().stem().string() + "-" +
                                         std::to_string(k) + extension;
                SCOPED_TRACE(path);
                const test::CommandResult r =
                    Run({"assemble", "--objects", kObjects, entry.path().string(), "--export", path,
                         "--pose", pose});
                ASSERT_EQ(r.status, 0) << r.err;
                EXPECT_NE(r.err.find(path + ": watertight\n"), std::string::npos) << r.err;
                if (std::string(extension) == ".stl") {
                    ExpectPrintable(ReadBinaryStl(path), path);
                } else {
                    const ThreeMfContents contents = ReadThreeMf(path);
                    ASSERT_TRUE(contents.read);
                    ExpectPrintable(contents.triangles, path);
                }
            }
        }
    }
}

struct Accepting : ProjectLoadListener {
    TranslationAnswer AskTranslation(const std::string&, const std::string&,
                                     const TranslationAnswer&) override {
        return {true, true, true, true};
    }
    void ShowTranslationList(const std::vector<std::string>&,
                             const std::vector<std::string>&) override {}
};

TEST_F(PrintableExportTest, APoseMovesTheTurnedPartsAndWhatHangsFromThemAndLeavesTheCreature) {
    test::RecordingNotifier notifier;
    Creature creature(notifier);
    Accepting listener;
    TranslationFlags flags;
    ASSERT_TRUE(LoadProject(creature, (kShare / "Projects" / "Male.bwp").string(), kObjects, flags,
                            listener));
    std::vector<std::vector<Vec3f>> before;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const auto points = creature.Part(i)->TransformedPoints();
        before.emplace_back(points.begin(), points.end());
    }
    ExportOptions options;
    std::vector<PartGeometry> rest, posed;
    ASSERT_TRUE(TakeCreatureGeometry(creature, options, "STL", rest, nullptr));
    options.pose.emplace();
    ASSERT_TRUE(ParsePoseFile(kPrintPoses[0], &*options.pose, nullptr));
    ASSERT_TRUE(TakeCreatureGeometry(creature, options, "STL", posed, nullptr));
    ASSERT_EQ(rest.size(), posed.size());
    std::map<std::string, std::size_t> moved;
    for (std::size_t p = 0; p < rest.size(); ++p) {
        ASSERT_EQ(rest[p].points.size(), posed[p].points.size());
        for (std::size_t i = 0; i < rest[p].points.size(); ++i)
            moved[rest[p].bodyPart] += !(rest[p].points[i] == posed[p].points[i]);
    }
    // The forearm turns with the hand below it; the arm moves only where it meets the forearm;
    // the rest of the creature stays.
    EXPECT_GT(moved["Left forearm"] * 2, posed[PartIndex(posed, "Left forearm")].points.size());
    EXPECT_EQ(moved["Left hand"], posed[PartIndex(posed, "Left hand")].points.size());
    EXPECT_GT(moved["Left arm"], 0u);
    EXPECT_LT(moved["Left arm"] * 2, posed[PartIndex(posed, "Left arm")].points.size());
    for (const char* still : {"Right forearm", "Right hand", "Head", "Left foot", "Stomach"})
        EXPECT_EQ(moved[still], 0u) << still;
    // Normals turn with their points and stay of unit length.
    for (const Vec3f& n : posed[PartIndex(posed, "Left hand")].normals)
        EXPECT_NEAR(std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z), 1.0,
                    1e-5);
    // The creature is exported posed, never changed.
    for (int i = 0; i < creature.PartCount(); ++i) {
        const auto points = creature.Part(i)->TransformedPoints();
        EXPECT_TRUE(std::equal(points.begin(), points.end(), before[std::size_t(i)].begin(),
                               before[std::size_t(i)].end()));
    }
}

// The creature as the export welds it, assembled here by the core library.
WeldedSurface WeldedSample(const std::string& project, UpAxis up) {
    test::RecordingNotifier notifier;
    Creature creature(notifier);
    Accepting listener;
    TranslationFlags flags;
    EXPECT_TRUE(
        LoadProject(creature, (kShare / "Projects" / project).string(), kObjects, flags, listener));
    ExportOptions options;
    options.up = up;
    std::vector<PartGeometry> parts;
    EXPECT_TRUE(TakeCreatureGeometry(creature, options, "3MF", parts, nullptr));
    return WeldParts(parts, CreatureSeamWelds(creature));
}

TEST_F(PrintableExportTest, ThreeMfHoldsTheWeldedSurfaceInMillimetresZUpWithItsColours) {
    const std::string path = dir.Path() + "/fantasy.3mf";
    const test::CommandResult r =
        Run({"assemble", "--objects", kObjects, (kShare / "Projects" / "Fantasy.bwp").string(),
             "--export", path, "--height", "120"});
    ASSERT_EQ(r.status, 0) << r.err;
    const ThreeMfContents contents = ReadThreeMf(path);
    ASSERT_TRUE(contents.read);
    EXPECT_EQ(contents.unit, DWORD(NMR::MODELUNIT_MILLIMETER));

    // Without --up, Z is up: 120 mm along Z.
    const WeldedSurface expected = WeldedSample("Fantasy.bwp", UpAxis::Z);
    EXPECT_EQ(contents.vertices, expected.points.size());
    ASSERT_EQ(contents.triangles.corners.size(), expected.triangles.size());
    float low = HUGE_VALF, high = -HUGE_VALF;
    for (const auto& corners : contents.triangles.corners) {
        for (const Vec3f& p : corners) {
            low = std::min(low, p.z);
            high = std::max(high, p.z);
        }
    }
    EXPECT_NEAR(high - low, 120.0, 1e-3);

    // Each triangle has its surface's colour, opaque; the creature has several.
    std::set<std::array<BYTE, 4>> colours;
    for (std::size_t t = 0; t < expected.triangles.size(); ++t) {
        const auto& colour = expected.surfaces[expected.triangleSurfaces[t]].colour;
        const std::array<BYTE, 4> wanted{BYTE(std::lround(colour[0] * 255.0f)),
                                         BYTE(std::lround(colour[1] * 255.0f)),
                                         BYTE(std::lround(colour[2] * 255.0f)), 255};
        ASSERT_EQ(contents.colours[t], wanted) << "triangle " << t;
        colours.insert(wanted);
    }
    EXPECT_GT(colours.size(), 3u);

    // The export library's own 3MF importer reads the same mesh. Its unzip cannot open ZIP64
    // entries, which the 3MF library always writes: it reads a copy of the package zipped
    // again without them.
    const std::string plain = dir.Path() + "/plain.3mf";
    const test::CommandResult zipped = test::RunCommand(
        "/usr/bin/python3",
        {"-c",
         "import sys, zipfile\n"
         "with zipfile.ZipFile(sys.argv[1]) as a, zipfile.ZipFile(sys.argv[2], 'w', "
         "zipfile.ZIP_DEFLATED) as b:\n"
         "    [b.writestr(i.filename, a.read(i)) for i in a.infolist()]\n",
         path, plain},
        dir.Path());
    ASSERT_EQ(zipped.status, 0) << zipped.err;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(plain, 0u);
    ASSERT_TRUE(scene && scene->mRootNode) << importer.GetErrorString();
    std::size_t faces = 0, vertices = 0;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        faces += scene->mMeshes[m]->mNumFaces;
        vertices += scene->mMeshes[m]->mNumVertices;
    }
    EXPECT_EQ(faces, expected.triangles.size());
    EXPECT_EQ(vertices, expected.points.size());
}

TEST_F(PrintableExportTest, ACreatureMissingPartsIsOneClosedShellPerConnectedGroup) {
    // Head, neck and upper body meet; the left hand meets none of them.
    const auto first = [](const char* bodyPart) {
        std::set<std::string> files;
        for (const auto& entry : fs::directory_iterator(fs::path(kObjects) / bodyPart))
            files.insert(entry.path().string());
        return std::string(bodyPart) + "=" + *files.begin();
    };
    const std::string path = dir.Path() + "/groups.stl";
    const test::CommandResult r =
        Run({"assemble", "--objects", kObjects, "--add", first("Upper body"), "--add",
             first("Neck"), "--add", first("Head"), "--add", first("Left hand"), "--export", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, path + ": watertight; 2 shells\n");
    const Solidity s = SolidityOf(ReadBinaryStl(path));
    EXPECT_EQ(s.openEdges, 0u);
    EXPECT_EQ(s.misorientedEdges, 0u);
    EXPECT_EQ(s.shells, 2u);
    EXPECT_GT(s.volume, 0.0);
    EXPECT_EQ(AdmeshFigures(path, dir.Path())["Number of parts"], 2);
}

}  // namespace
}  // namespace bw
