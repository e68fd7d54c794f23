// Rigged glTF and FBX exports read back by the export library's importer: the skeleton's joints
// as nodes in its tree, the bones and their weights, and the skin that, applied to the rest
// points with the joints as the file turns them, gives the same shape as the posed export
// without a skeleton. Then bwtool's --rig and --pose: what they accept, what they refuse, and
// that the files without them stay as they were.
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "model/creature.h"
#include "rig/skeleton.h"
#include "rig_test_creatures.h"
#include "support/command_runner.h"
#include "support/temporary_directory.h"

namespace bw {
namespace {

using test::ReadText;

const std::filesystem::path kShare = BW_SAMPLE_SHARE_DIR;
const std::string kObjects = (kShare / "Objects" / "Library").string();
const std::string kMale = (kShare / "Projects" / "Male.bwp").string();

// A bent forearm, a thigh bent back, a twisted neck and an arm turned about all three of its
// axes (a turn about every axis of the file's frame, Z up or Y up).
const char* const kBentPose =
    "Left forearm 60 0 0\nLeft thigh -45 0 0\nNeck 0 0 30\nRight arm 20 25 -15\n";

// The node named `name` that holds no mesh (a joint's, not a mesh's: FBX gives both the body
// part's name); nullptr when there is none.
const aiNode* JointNode(const aiNode& node, const std::string& name) {
    if (node.mNumMeshes == 0 && name == node.mName.C_Str()) return &node;
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        if (const aiNode* found = JointNode(*node.mChildren[c], name)) return found;
    return nullptr;
}

aiMatrix4x4 GlobalTransform(const aiNode* node) {
    aiMatrix4x4 global;
    for (; node; node = node->mParent) global = node->mTransformation * global;
    return global;
}

// Per mesh, per point: the joints and weights that move it (zero weights left out: the glTF
// importer gives every mesh every joint of the skin).
using MeshWeights = std::vector<std::vector<std::map<std::string, float>>>;

MeshWeights WeightsOf(const aiScene& scene) {
    MeshWeights weights(scene.mNumMeshes);
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[m];
        weights[m].resize(mesh.mNumVertices);
        for (unsigned b = 0; b < mesh.mNumBones; ++b) {
            const aiBone& bone = *mesh.mBones[b];
            for (unsigned w = 0; w < bone.mNumWeights; ++w) {
                if (bone.mWeights[w].mWeight != 0.0f)
                    weights[m][bone.mWeights[w].mVertexId][bone.mName.C_Str()] +=
                        bone.mWeights[w].mWeight;
            }
        }
    }
    return weights;
}

// Every mesh's points carried by its bones: each point by the weighted sum of its joints'
// posed frames after their inverse bind matrices.
std::vector<std::vector<aiVector3D>> SkinnedPoints(const aiScene& scene) {
    std::vector<std::vector<aiVector3D>> points(scene.mNumMeshes);
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[m];
        points[m].assign(mesh.mNumVertices, aiVector3D());
        for (unsigned b = 0; b < mesh.mNumBones; ++b) {
            const aiBone& bone = *mesh.mBones[b];
            const aiNode* node = JointNode(*scene.mRootNode, bone.mName.C_Str());
            if (!node) continue;
            const aiMatrix4x4 carry = GlobalTransform(node) * bone.mOffsetMatrix;
            for (unsigned w = 0; w < bone.mNumWeights; ++w) {
                const aiVertexWeight& weight = bone.mWeights[w];
                points[m][weight.mVertexId] +=
                    weight.mWeight * (carry * mesh.mVertices[weight.mVertexId]);
            }
        }
    }
    return points;
}

std::vector<std::vector<aiVector3D>> PointsOf(const aiScene& scene) {
    std::vector<std::vector<aiVector3D>> points(scene.mNumMeshes);
    for (unsigned m = 0; m < scene.mNumMeshes; ++m)
        points[m].assign(scene.mMeshes[m]->mVertices,
                         scene.mMeshes[m]->mVertices + scene.mMeshes[m]->mNumVertices);
    return points;
}

// The largest distance between corresponding points; infinite when the meshes differ in
// number or size.
double LargestDistance(const std::vector<std::vector<aiVector3D>>& a,
                       const std::vector<std::vector<aiVector3D>>& b) {
    if (a.size() != b.size()) return HUGE_VAL;
    double largest = 0.0;
    for (std::size_t m = 0; m < a.size(); ++m) {
        if (a[m].size() != b[m].size()) return HUGE_VAL;
        for (std::size_t v = 0; v < a[m].size(); ++v)
            largest = std::max(largest, double((a[m][v] - b[m][v]).Length()));
    }
    return largest;
}

class RiggedExportTest : public ::testing::Test {
  protected:
    test::CommandResult Run(const std::vector<std::string>& args) {
        return test::RunCommand(BWTOOL_PATH, args, dir.Path());
    }
    // The male sample exported to `file` with `options`; the command must succeed.
    std::string Export(const std::string& file, std::vector<std::string> options = {}) {
        const std::string path = dir.Path() + "/" + file;
        std::vector<std::string> args{"assemble", "--objects", kObjects, kMale, "--export", path};
        args.insert(args.end(), options.begin(), options.end());
        const test::CommandResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err.find("error"), std::string::npos) << r.err;
        return path;
    }
    std::string BentPose() { return dir.Write("bent.bwpose", std::string(kBentPose)); }
    test::TemporaryDirectory dir;
};

TEST_F(RiggedExportTest, GlbAndFbxHoldTheSkeletonsTreeAndAtMostFourNormalisedWeightsPerPoint) {
    const Skeleton skeleton = BuildSkeleton(test::LoadSampleCreature("Male.bwp")->creature);
    ASSERT_EQ(skeleton.joints.size(), 22u);
    for (const char* file : {"rigged.glb", "rigged.fbx"}) {
        SCOPED_TRACE(file);
        const std::string path = Export(file, {"--rig", "--pose", BentPose()});
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0u);
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();

        // One node per joint, named after its body part, under its parent's node; the root
        // joint under the scene's root.
        for (const Joint& joint : skeleton.joints) {
            const aiNode* node = JointNode(*scene->mRootNode, joint.name);
            ASSERT_NE(node, nullptr) << joint.name;
            ASSERT_NE(node->mParent, nullptr) << joint.name;
            if (joint.parent)
                EXPECT_EQ(node->mParent->mName.C_Str(), skeleton.joints[*joint.parent].name)
                    << joint.name;
            else
                EXPECT_EQ(node->mParent, scene->mRootNode) << joint.name;
        }

        // Every point follows one to four joints whose weights sum to one; every joint weighs
        // some point.
        std::set<std::string> weighing;
        std::size_t points = 0;
        for (const auto& mesh : WeightsOf(*scene)) {
            for (const auto& point : mesh) {
                ++points;
                ASSERT_GE(point.size(), 1u);
                ASSERT_LE(point.size(), 4u);
                double sum = 0.0;
                for (const auto& [joint, weight] : point) {
                    EXPECT_GT(weight, 0.0f);
                    sum += weight;
                    weighing.insert(joint);
                }
                EXPECT_NEAR(sum, 1.0, 1e-5);
            }
        }
        EXPECT_GT(points, 0u);
        EXPECT_EQ(weighing.size(), skeleton.joints.size());
        for (const Joint& joint : skeleton.joints) EXPECT_EQ(weighing.count(joint.name), 1u);
    }
}

TEST_F(RiggedExportTest, AtRestTheRiggedPointsAreTheUnriggedExportsPoints) {
    for (const char* up : {"y", "z"}) {
        SCOPED_TRACE(std::string("--up ") + up);
        const std::string plain = Export(std::string("plain-") + up + ".glb", {"--up", up});
        const std::string rigged =
            Export(std::string("rigged-") + up + ".glb", {"--up", up, "--rig"});
        Assimp::Importer plainImporter, riggedImporter;
        const aiScene* plainScene = plainImporter.ReadFile(plain, 0u);
        const aiScene* riggedScene = riggedImporter.ReadFile(rigged, 0u);
        ASSERT_TRUE(plainScene && riggedScene);
        // The file's points, and the skin applied to them with the joints at rest.
        EXPECT_EQ(LargestDistance(PointsOf(*riggedScene), PointsOf(*plainScene)), 0.0);
        EXPECT_LT(LargestDistance(SkinnedPoints(*riggedScene), PointsOf(*plainScene)), 1e-5);
    }
}

TEST_F(RiggedExportTest, TheSkinTurnedByTheFilesJointsGivesThePosedExport) {
    const std::string pose = BentPose();
    for (const char* up : {"y", "z"}) {
        SCOPED_TRACE(std::string("--up ") + up);
        const std::vector<std::string> size{"--up", up, "--scale", "3"};
        std::vector<std::string> posed = size, rigged = size;
        posed.insert(posed.end(), {"--pose", pose});
        rigged.insert(rigged.end(), {"--pose", pose, "--rig"});
        Assimp::Importer restImporter, posedImporter, riggedImporter;
        const aiScene* rest = restImporter.ReadFile(Export("rest.glb", size), 0u);
        const aiScene* bent = posedImporter.ReadFile(Export("posed.glb", posed), 0u);
        const aiScene* skinned = riggedImporter.ReadFile(Export("rigged.glb", rigged), 0u);
        ASSERT_TRUE(rest && bent && skinned);
        // The rigged file keeps the rest points; its joints carry them into the pose.
        EXPECT_EQ(LargestDistance(PointsOf(*skinned), PointsOf(*rest)), 0.0);
        EXPECT_LT(LargestDistance(SkinnedPoints(*skinned), PointsOf(*bent)), 1e-4);

        // The pose moved the bent parts' points and left the feet as they were.
        // By part: the meshes of the root's child named after it.
        std::map<std::string, double> moved;
        const auto restPoints = PointsOf(*rest), bentPoints = PointsOf(*bent);
        ASSERT_EQ(restPoints.size(), bentPoints.size());
        for (unsigned c = 0; c < rest->mRootNode->mNumChildren; ++c) {
            const aiNode& part = *rest->mRootNode->mChildren[c];
            double& largest = moved[part.mName.C_Str()];
            for (unsigned k = 0; k < part.mNumMeshes; ++k) {
                const unsigned m = part.mMeshes[k];
                ASSERT_EQ(restPoints[m].size(), bentPoints[m].size());
                for (std::size_t v = 0; v < restPoints[m].size(); ++v)
                    largest =
                        std::max(largest, double((restPoints[m][v] - bentPoints[m][v]).Length()));
            }
        }
        ASSERT_EQ(moved.size(), 22u);
        for (const char* part : {"Left forearm", "Left hand", "Left thigh", "Left foot", "Head"})
            EXPECT_GT(moved[part], 0.01) << part;
        EXPECT_GT(moved["Right hand"], 0.01);
        for (const char* part : {"Right foot", "Right leg"}) EXPECT_EQ(moved[part], 0.0) << part;
    }
}

TEST_F(RiggedExportTest, RigAndPoseAreRefusedWhereTheyCannotApply) {
    const std::string pose = BentPose();
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string stl = dir.Path() + "/x.stl";
    const std::vector<Case> cases{
        {{"assemble", "--objects", kObjects, kMale, "--export", stl, "--rig"},
         "bwtool assemble: --rig needs an export that can carry a skeleton: .glb, .gltf or "
         ".fbx, not \"" +
             stl + "\" (see bwtool assemble --help)\n"},
        {{"assemble", "--objects", kObjects, kMale, "--export", dir.Path() + "/x.glb", "--obj",
          dir.Path() + "/x.obj", "--rig"},
         "bwtool assemble: --rig needs an export that can carry a skeleton: .glb, .gltf or "
         ".fbx, not \"" +
             dir.Path() + "/x.obj\" (see bwtool assemble --help)\n"},
        {{"assemble", "--objects", kObjects, kMale, "--json", "--rig"},
         "bwtool assemble: --rig goes with --export OUT.EXT, where EXT is .glb, .gltf or .fbx "
         "(see bwtool assemble --help)\n"},
        {{"assemble", "--objects", kObjects, kMale, "--json", "--pose", pose},
         "bwtool assemble: --pose goes with --export or --obj (see bwtool assemble --help)\n"},
        {{"random", "--objects", kObjects, "--seed", "3", "--export", dir.Path() + "/r.3mf",
          "--rig"},
         "bwtool random: --rig needs an export that can carry a skeleton: .glb, .gltf or .fbx, "
         "not \"" +
             dir.Path() + "/r.3mf\" (see bwtool random --help)\n"},
        {{"random", "--objects", kObjects, "--seed", "3", "--save", dir.Path(), "--rig"},
         "bwtool random: --rig goes with --export OUT.EXT, where EXT is .glb, .gltf or .fbx "
         "(see bwtool random --help)\n"},
        {{"assemble", "--objects", kObjects, kMale, "--json", "--subdivide", "1"},
         "bwtool assemble: --subdivide goes with --export or --obj (see bwtool assemble "
         "--help)\n"},
        {{"assemble", "--objects", kObjects, kMale, "--export", stl, "--subdivide", "3"},
         "bwtool assemble: --subdivide: Value 3 not in range 0 to 2 (see bwtool assemble "
         "--help)\n"},
        {{"random", "--objects", kObjects, "--seed", "3", "--save", dir.Path(), "--subdivide", "2"},
         "bwtool random: --subdivide goes with --export (see bwtool random --help)\n"},
    };
    for (const Case& c : cases) {
        const test::CommandResult r = Run(c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
    }
    for (const char* file : {"/x.stl", "/x.glb", "/x.obj", "/r-3.3mf"})
        EXPECT_FALSE(std::filesystem::exists(dir.Path() + file)) << file;

    // A pose file that cannot be used: the reason, status 1, and nothing written, not even the
    // project.
    const std::string twice = dir.Write("twice.bwpose", std::string("Neck 1 0 0\nNeck 2 0 0\n"));
    const std::string wide = dir.Write("wide.bwpose", std::string("Neck 181 0 0\n"));
    const std::string missing = dir.Path() + "/missing.bwpose";
    for (const std::string& bad : {twice, wide, missing}) {
        const test::CommandResult r =
            Run({"assemble", "--objects", kObjects, kMale, "--export", dir.Path() + "/out.glb",
                 "--save", dir.Path() + "/out.bwp", "--pose", bad, "--rig"});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_EQ(r.err.rfind("error: " + bad + ": ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/out.glb"));
        EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/out.bwp"));
    }
}

TEST_F(RiggedExportTest, RestPosesAndRiglessExportsKeepTheirBytes) {
    // An empty pose file is the rest pose: every format's bytes as without --pose.
    // Each pair is written under one name in folders of their own: a .gltf names its buffer
    // and an OBJ its material library.
    const std::string rest = dir.Write("rest.bwpose", std::string());
    std::filesystem::create_directory(dir.Path() + "/plain");
    std::filesystem::create_directory(dir.Path() + "/rest");
    for (const char* extension : {".glb", ".gltf", ".obj", ".stl", ".3mf", ".ply", ".dae"}) {
        SCOPED_TRACE(extension);
        const std::string plain = Export(std::string("plain/male") + extension);
        const std::string posed = Export(std::string("rest/male") + extension, {"--pose", rest});
        if (std::string(extension) == ".dae") {
            // COLLADA holds its time of writing.
            EXPECT_EQ(ReadText(plain).size(), ReadText(posed).size());
        } else {
            EXPECT_EQ(ReadText(plain), ReadText(posed));
        }
    }
    for (const char* companion : {"/male.bin", "/male.mtl"})
        EXPECT_EQ(ReadText(dir.Path() + "/plain" + companion),
                  ReadText(dir.Path() + "/rest" + companion));

    // A pose changes every format's points; --rig the glTF file only where asked.
    const std::string pose = BentPose();
    EXPECT_NE(ReadText(Export("bent.stl", {"--pose", pose})),
              ReadText(dir.Path() + "/plain/male.stl"));
    const std::string plainGlb = ReadText(dir.Path() + "/plain/male.glb");
    EXPECT_EQ(plainGlb.find("JOINTS_0"), std::string::npos);
    EXPECT_NE(ReadText(Export("rigged.glb", {"--rig"})).find("JOINTS_0"), std::string::npos);

    // A rigged file is the same bytes every time it is written, its buffer's gaps included.
    std::filesystem::create_directory(dir.Path() + "/again");
    for (const char* file : {"/male.glb", "/male.gltf", "/male.bin"}) {
        if (std::string(file) != "/male.bin") {
            Export(std::string("rest") + file, {"--rig", "--pose", pose});
            Export(std::string("again") + file, {"--rig", "--pose", pose});
        }
        EXPECT_EQ(ReadText(dir.Path() + "/rest" + file), ReadText(dir.Path() + "/again" + file))
            << file;
    }

    // random --rig: each creature of the batch carries its skeleton.
    const test::CommandResult r = Run({"random", "--objects", kObjects, "--seed", "7", "--count",
                                       "2", "--export", dir.Path() + "/batch/r.fbx", "--rig"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* file : {"/batch/r-7.fbx", "/batch/r-8.fbx"}) {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(dir.Path() + file, 0u);
        ASSERT_NE(scene, nullptr) << file;
        std::size_t bones = 0;
        for (unsigned m = 0; m < scene->mNumMeshes; ++m) bones += scene->mMeshes[m]->mNumBones;
        EXPECT_GT(bones, 0u) << file;
        EXPECT_NE(JointNode(*scene->mRootNode, "Upper body"), nullptr) << file;
    }
}

}  // namespace
}  // namespace bw
