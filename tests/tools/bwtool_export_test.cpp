// bwtool's exports read back by independent readers: the export library's own importer for
// every format and, for glTF binary, a second glTF reader. Each file must hold the creature the
// tool assembled: its parts by name, its polygons, its points and its bounds.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <assimp/Importer.hpp>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "export/writers/fbx_null_records.h"
#include "model/creature.h"
#include "rig_test_creatures.h"
#include "support/command_runner.h"
#include "support/object_file_builder.h"

namespace bw {
namespace {

using test::ReadText;

const std::filesystem::path kShare = BW_SAMPLE_SHARE_DIR;
const std::string kObjects = (kShare / "Objects" / "Library").string();

struct Box {
    double min[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double max[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    void Add(double x, double y, double z) {
        const double v[3] = {x, y, z};
        for (int a = 0; a < 3; ++a) {
            min[a] = std::min(min[a], v[a]);
            max[a] = std::max(max[a], v[a]);
        }
    }
};

void ExpectSameBox(const Box& actual, const Box& expected, double tolerance) {
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(actual.min[a], expected.min[a], tolerance) << "axis " << a;
        EXPECT_NEAR(actual.max[a], expected.max[a], tolerance) << "axis " << a;
    }
}

// What the files must hold, taken from the creature assembled here by the core library.
struct Expected {
    std::vector<std::string> partNames;
    std::size_t quads = 0;
    // Per part and surface, the points its quads use: what a mesh per surface holds.
    std::size_t surfacePoints = 0;
    Box bounds;
};

Expected ExpectedOfProject(const std::string& projectName) {
    const auto loaded = test::LoadSampleCreature(projectName);
    const Creature& creature = loaded->creature;
    Expected e;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        e.partNames.push_back(part.TypeName());
        e.quads += part.Polygons().size();
        std::set<std::pair<int, int>> used;
        for (const Quad& q : part.Polygons()) {
            for (std::uint16_t c : q.corner) {
                used.insert({q.surface, c});
                const Vec3f& p = part.TransformedPoints()[c];
                e.bounds.Add(p.x, p.y, p.z);
            }
        }
        e.surfacePoints += used.size();
    }
    return e;
}

const Expected& MaleCreature() {
    static const Expected e = ExpectedOfProject("Male.bwp");
    return e;
}

struct SceneCounts {
    std::size_t points = 0;
    std::size_t faces = 0;
    Box bounds;
};

void CountNode(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent,
               SceneCounts& counts) {
    const aiMatrix4x4 transform = parent * node.mTransformation;
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        counts.points += mesh.mNumVertices;
        counts.faces += mesh.mNumFaces;
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            const aiVector3D p = transform * mesh.mVertices[v];
            counts.bounds.Add(p.x, p.y, p.z);
        }
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        CountNode(scene, *node.mChildren[c], transform, counts);
}

std::vector<std::string> ChildNames(const aiNode& node) {
    std::vector<std::string> names;
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        names.push_back(node.mChildren[c]->mName.C_Str());
    return names;
}

std::vector<std::string> WithoutBlanks(std::vector<std::string> names) {
    for (std::string& name : names)
        for (char& c : name)
            if (c == ' ') c = '_';
    return names;
}

class BwtoolExportTest : public ::testing::Test {
  protected:
    test::CommandResult Run(const std::vector<std::string>& args) {
        return test::RunCommand(BWTOOL_PATH, args, dir.Path());
    }
    // Exports a sample project; the command must succeed.
    std::string ExportProject(const std::string& project, const std::string& file,
                              std::vector<std::string> options = {}) {
        const std::string path = dir.Path() + "/" + file;
        std::vector<std::string> args{"assemble", "--objects",
                                      kObjects,   (kShare / "Projects" / project).string(),
                                      "--export", path};
        args.insert(args.end(), options.begin(), options.end());
        last = Run(args);
        EXPECT_EQ(last.status, 0) << last.err;
        return path;
    }
    test::TemporaryDirectory dir;
    test::CommandResult last;
};

TEST_F(BwtoolExportTest, EveryFormatReadsBackWithTheCreaturesPartsPolygonsPointsAndBounds) {
    const Expected& male = MaleCreature();
    ASSERT_EQ(male.partNames.size(), 22u);
    struct Case {
        std::string extension;
        bool triangles;      // quads were split
        bool namedParts;     // one node per part under the root
        bool blankFree;      // names with '_' for ' '
        bool indexedPoints;  // points as many as the meshes per surface hold
    };
    const Case cases[] = {
        {".glb", true, true, false, true},   {".gltf", true, true, false, true},
        {".fbx", false, true, false, false}, {".obj", false, true, true, false},
        {".dae", false, true, false, false}, {".ply", false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        const std::string path = ExportProject("Male.bwp", "male" + c.extension);
        Assimp::Importer importer;
        importer.SetPropertyBool(AI_CONFIG_IMPORT_COLLADA_USE_COLLADA_NAMES, true);
        // Readers that give every corner its own point get them joined again.
        const aiScene* scene = importer.ReadFile(
            path, c.indexedPoints ? 0u : unsigned(aiProcess_JoinIdenticalVertices));
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();
        SceneCounts counts;
        CountNode(*scene, *scene->mRootNode, aiMatrix4x4(), counts);
        EXPECT_EQ(counts.faces, c.triangles ? 2 * male.quads : male.quads);
        EXPECT_EQ(counts.points, male.surfacePoints);
        ExpectSameBox(counts.bounds, male.bounds, 1e-6);
        if (c.namedParts) {
            EXPECT_EQ(ChildNames(*scene->mRootNode),
                      c.blankFree ? WithoutBlanks(male.partNames) : male.partNames);
        }
    }
    // The material library and the buffer lie beside their files, named after them.
    EXPECT_NE(ReadText(dir.Path() + "/male.obj").find("mtllib male.mtl\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/male.bin"));
}

TEST_F(BwtoolExportTest, GlbIsReadByASecondReaderWithColoursAndUnitNormals) {
    const Expected& male = MaleCreature();
    const std::string path = ExportProject("Male.bwp", "male.glb");
    tinygltf::TinyGLTF reader;
    tinygltf::Model model;
    std::string error, warning;
    ASSERT_TRUE(reader.LoadBinaryFromFile(&model, &error, &warning, path)) << error;
    ASSERT_EQ(model.scenes.size(), 1u);
    ASSERT_EQ(model.scenes[0].nodes.size(), 1u);
    const tinygltf::Node& root = model.nodes[std::size_t(model.scenes[0].nodes[0])];
    std::vector<std::string> names;
    std::size_t points = 0, indices = 0;
    Box bounds;
    for (int child : root.children) {
        const tinygltf::Node& node = model.nodes[std::size_t(child)];
        names.push_back(node.name);
        ASSERT_GE(node.mesh, 0) << node.name;
        for (const tinygltf::Primitive& primitive :
             model.meshes[std::size_t(node.mesh)].primitives) {
            EXPECT_EQ(primitive.mode, TINYGLTF_MODE_TRIANGLES);
            const tinygltf::Accessor& position =
                model.accessors[std::size_t(primitive.attributes.at("POSITION"))];
            points += position.count;
            bounds.Add(position.minValues[0], position.minValues[1], position.minValues[2]);
            bounds.Add(position.maxValues[0], position.maxValues[1], position.maxValues[2]);
            indices += model.accessors[std::size_t(primitive.indices)].count;

            // Normals: one per point, each of unit length.
            const tinygltf::Accessor& normal =
                model.accessors[std::size_t(primitive.attributes.at("NORMAL"))];
            ASSERT_EQ(normal.count, position.count);
            ASSERT_EQ(normal.componentType, TINYGLTF_COMPONENT_TYPE_FLOAT);
            const tinygltf::BufferView& view = model.bufferViews[std::size_t(normal.bufferView)];
            const std::size_t stride = view.byteStride ? view.byteStride : 12;
            const unsigned char* data = model.buffers[std::size_t(view.buffer)].data.data() +
                                        view.byteOffset + normal.byteOffset;
            for (std::size_t i = 0; i < normal.count; ++i) {
                float n[3];
                std::memcpy(n, data + i * stride, sizeof n);
                EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 1e-5);
            }

            // The colour is the surface's display colour made linear: the skin of the sample
            // library, 214/255, 164/255, 128/255 on screen.
            const tinygltf::Material& material = model.materials[std::size_t(primitive.material)];
            EXPECT_EQ(material.pbrMetallicRoughness.metallicFactor, 0.0);
            if (material.name == node.name + " Skin") {
                const auto& colour = material.pbrMetallicRoughness.baseColorFactor;
                EXPECT_NEAR(colour[0], std::pow((214 / 255.0 + 0.055) / 1.055, 2.4), 1e-6);
                EXPECT_NEAR(colour[2], std::pow((128 / 255.0 + 0.055) / 1.055, 2.4), 1e-6);
            }
        }
    }
    EXPECT_EQ(names, male.partNames);
    EXPECT_EQ(points, male.surfacePoints);
    EXPECT_EQ(indices, 6 * male.quads);
    ExpectSameBox(bounds, male.bounds, 1e-6);
}

// Per part: the signed volume its triangles enclose (positive when they face outward) and
// the triangles whose winding disagrees with their points' normals.
struct Facing {
    double volume = 0.0;
    std::size_t triangles = 0;
    std::size_t againstNormals = 0;
};

std::map<std::string, Facing> FacingOfParts(const aiScene& scene) {
    std::map<std::string, Facing> parts;
    const aiNode& root = *scene.mRootNode;
    for (unsigned c = 0; c < root.mNumChildren; ++c) {
        const aiNode& node = *root.mChildren[c];
        Facing& facing = parts[node.mName.C_Str()];
        for (unsigned m = 0; m < node.mNumMeshes; ++m) {
            const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
            for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
                const unsigned* i = mesh.mFaces[f].mIndices;
                const aiVector3D &a = mesh.mVertices[i[0]], &b = mesh.mVertices[i[1]],
                                 &d = mesh.mVertices[i[2]];
                const aiVector3D cross = (b - a) ^ (d - a);
                facing.volume += (a * cross) / 6.0;  // a · ((b - a) × (d - a)) = a · (b × d)
                const aiVector3D normals =
                    mesh.mNormals[i[0]] + mesh.mNormals[i[1]] + mesh.mNormals[i[2]];
                ++facing.triangles;
                facing.againstNormals += cross * normals < 0.0f;
            }
        }
    }
    return parts;
}

TEST_F(BwtoolExportTest, NormalsAndWindingFaceOutwardOnLeftAndRightPartsAlike) {
    for (const char* up : {"y", "z"}) {
        SCOPED_TRACE(std::string("--up ") + up);
        const std::string path =
            ExportProject("Male.bwp", std::string("male-") + up + ".glb", {"--up", up});
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0u);
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();
        const std::map<std::string, Facing> parts = FacingOfParts(*scene);
        ASSERT_EQ(parts.size(), 22u);
        // The per-point normals are smooth, so a few triangles at sharp tips and on the caps
        // where welded normals meet their partner's lean the other way; nearly all agree.
        for (const auto& [name, facing] : parts) {
            EXPECT_GT(facing.volume, 0.0) << name;
            EXPECT_LT(facing.againstNormals * 20, facing.triangles) << name;
        }
        // Mirror images enclose the same volume and agree with their normals alike.
        for (const char* pair : {"ear", "eye", "arm", "forearm", "hand", "thigh", "leg", "foot"}) {
            const Facing& left = parts.at(std::string("Left ") + pair);
            const Facing& right = parts.at(std::string("Right ") + pair);
            EXPECT_NEAR(left.volume, right.volume, 1e-6 * left.volume) << pair;
            EXPECT_EQ(left.againstNormals, right.againstNormals) << pair;
        }
    }
}

TEST_F(BwtoolExportTest, UpAxisScaleAndHeightAreBakedIntoThePoints) {
    const Box y = MaleCreature().bounds;
    const auto boundsOf = [&](const std::string& path) {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0u);
        SceneCounts counts;
        if (scene) CountNode(*scene, *scene->mRootNode, aiMatrix4x4(), counts);
        return counts.bounds;
    };
    // Z up: a quarter turn about X, (x, y, z) to (x, -z, y); 150 units tall.
    const double k = 150.0 / (y.max[1] - y.min[1]);
    Box z;
    z.Add(y.min[0] * k, -y.max[2] * k, y.min[1] * k);
    z.Add(y.max[0] * k, -y.min[2] * k, y.max[1] * k);
    const Box tall =
        boundsOf(ExportProject("Male.bwp", "tall.glb", {"--up", "z", "--height", "150"}));
    ExpectSameBox(tall, z, 1e-4);
    EXPECT_NEAR(tall.max[2] - tall.min[2], 150.0, 1e-4);

    Box twice;
    twice.Add(2 * y.min[0], 2 * y.min[1], 2 * y.min[2]);
    twice.Add(2 * y.max[0], 2 * y.max[1], 2 * y.max[2]);
    ExpectSameBox(boundsOf(ExportProject("Male.bwp", "twice.stl", {"--scale", "2"})), twice, 1e-6);
}

// Edges of an STL file's triangles whose points are welded by position, counted by how many
// triangles use them; the count of those not used by exactly two.
std::size_t OpenEdgesOfStl(const std::string& path, std::size_t* triangles) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0u);
    if (!scene || scene->mNumMeshes != 1) return SIZE_MAX;
    const aiMesh& mesh = *scene->mMeshes[0];
    std::map<std::tuple<float, float, float>, std::size_t> index;
    std::map<std::pair<std::size_t, std::size_t>, int> uses;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        std::size_t corner[3];
        for (int k = 0; k < 3; ++k) {
            const aiVector3D& p = mesh.mVertices[mesh.mFaces[f].mIndices[k]];
            corner[k] = index.try_emplace({p.x, p.y, p.z}, index.size()).first->second;
        }
        for (int k = 0; k < 3; ++k) ++uses[std::minmax(corner[k], corner[(k + 1) % 3])];
    }
    *triangles = mesh.mNumFaces;
    return std::size_t(
        std::count_if(uses.begin(), uses.end(), [](const auto& use) { return use.second != 2; }));
}

TEST_F(BwtoolExportTest, StlIsOneWeldedSurfaceAndSaysWhetherItIsWatertight) {
    // Where parts meet, both closing caps lie on each other and are left out: what remains of
    // the sample creature is closed. The insect's caps agree only to within rounding.
    for (const char* project : {"Male", "Insect"}) {
        const std::string stl =
            ExportProject(project + std::string(".bwp"), project + std::string(".stl"));
        EXPECT_EQ(last.err, stl + ": watertight\n");
        std::size_t triangles = 0;
        EXPECT_EQ(OpenEdgesOfStl(stl, &triangles), 0u) << project;
    }
    std::size_t triangles = 0;
    OpenEdgesOfStl(dir.Path() + "/Male.stl", &triangles);
    EXPECT_LT(triangles, 2 * MaleCreature().quads);  // the caps are gone

    // Parts adjusted on their own (Fantasy's scaled upper body, its tapered head) close too:
    // their caps are left out whatever shape they were pulled into.
    const std::string fantasy = ExportProject("Fantasy.bwp", "fantasy.stl");
    EXPECT_EQ(last.err, fantasy + ": watertight\n");
    EXPECT_EQ(OpenEdgesOfStl(fantasy, &triangles), 0u);

    // A part with a hole: the tool says how many edges are open, and the file has that many.
    // Two parts that do not meet are two shells.
    ObjectFileContents open = test::CubeContents();
    open.polygons.pop_back();
    const std::string head = dir.Write("Objects/Head/Open.bwo", test::Encode(open));
    const std::string hand = dir.Write("Objects/Left hand/Cube.bwo",
                                       test::Encode(test::CubeContents({5.0f, 0.0f, 0.0f}, 1)));
    const std::string holed = dir.Path() + "/holed.stl";
    last = Run({"assemble", "--objects", dir.Path() + "/Objects", "--add", "Head=" + head, "--add",
                "Left hand=" + hand, "--export", holed});
    ASSERT_EQ(last.status, 0) << last.err;
    EXPECT_EQ(last.err, holed +
                            ": not watertight: 4 open edges (edges not shared by exactly two "
                            "triangles); 2 shells\n");
    EXPECT_EQ(OpenEdgesOfStl(holed, &triangles), 4u);
}

TEST_F(BwtoolExportTest, FailedExportsLeaveEveryFileAsItWas) {
    // A point that is no number: nothing is written in any format.
    ObjectFileContents cube = test::CubeContents();
    cube.points[0].x = std::nanf("");
    const std::string head = dir.Write("Objects/Head/Cube.bwo", test::Encode(cube));
    for (const char* file : {"x.glb", "x.stl", "x.fbx"}) {
        const std::string path = dir.Write(file, std::string("old"));
        const test::CommandResult r = Run({"assemble", "--objects", dir.Path() + "/Objects",
                                           "--add", "Head=" + head, "--export", path});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("error: " + path +
                             ": the Head has 1 points and 0 normals that are "
                             "not finite numbers"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(ReadText(path), "old");
    }

    // A .gltf whose buffer cannot be written keeps its old contents.
    const std::string good = dir.Write("Objects/Head/Good.bwo", test::Encode(test::CubeContents()));
    const std::string gltf = dir.Write("y.gltf", std::string("old"));
    std::filesystem::create_directories(dir.Path() + "/y.bin/inside");
    EXPECT_EQ(Run({"assemble", "--objects", dir.Path() + "/Objects", "--add", "Head=" + good,
                   "--export", gltf})
                  .status,
              1);
    EXPECT_EQ(ReadText(gltf), "old");

    // --obj writes OBJ whatever the extension, its material library beside it.
    const std::string text = dir.Path() + "/z.txt";
    ASSERT_EQ(Run({"assemble", "--objects", dir.Path() + "/Objects", "--add", "Head=" + good,
                   "--obj", text})
                  .status,
              0);
    EXPECT_NE(ReadText(text).find("mtllib z.mtl\n"), std::string::npos);
    EXPECT_NE(ReadText(dir.Path() + "/z.mtl").find("newmtl Head_Skin\n"), std::string::npos);
}

TEST_F(BwtoolExportTest, MendedFbxNeedsNoFurtherMending) {
    const std::string path = ExportProject("Male.bwp", "male.fbx");
    const std::string written = ReadText(path);
    std::string again = written;
    ASSERT_TRUE(RestoreFbxNullRecords(again, nullptr));
    EXPECT_EQ(again, written);
    std::string text = "Kaydara FBX Binary?";
    std::string reason;
    EXPECT_FALSE(RestoreFbxNullRecords(text, &reason));
    EXPECT_EQ(text, "Kaydara FBX Binary?");
}

}  // namespace
}  // namespace bw
