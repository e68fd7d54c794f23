// The window's export command over the recording platform and a sample creature: which file and
// format a save dialog's answer names, the outcome line, the dialogs it shows and what it keeps
// for the session, and that a refused write keeps every old file. The 3DS and DXF files it
// writes are read back by Assimp.
#include "export/command/creature_export_command.h"

#include <Model/COM/NMR_DLLInterfaces.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <assimp/Importer.hpp>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "project/project_loader.h"
#include "support/recording_notifier.h"
#include "support/recording_platform.h"
#include "support/temporary_directory.h"
#include "support/unprivileged_user.h"

// The 3MF library's reader leaves a few small blocks of libzip's unfreed for every package it
// reads: its own, not the export's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libzip.so\n"; }

namespace bw {
namespace {

const std::filesystem::path kShare = BW_SAMPLE_SHARE_DIR;
const std::string kObjects = (kShare / "Objects" / "Library").string();

// Answers with scripted choices, and keeps what it was asked with.
class RecordingChoices : public ExportChoicesAsker {
  public:
    std::optional<ExportChoices> Ask(const ExportFormat& format,
                                     const ExportChoices& start) override {
        asked.push_back({std::string(format.extension), start});
        if (cancel) return std::nullopt;
        return answer ? *answer : start;
    }
    std::vector<std::pair<std::string, ExportChoices>> asked;
    std::optional<ExportChoices> answer;  // nullopt: the start choices
    bool cancel = false;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class CreatureExportCommandTest : public testing::Test {
  protected:
    void LoadSample(const std::string& project) {
        AutoTranslatingLoadListener listener;
        TranslationFlags flags;
        ASSERT_TRUE(LoadProject(creature, (kShare / "Projects" / project).string(), kObjects, flags,
                                listener));
        ASSERT_GT(creature.PartCount(), 0);
    }
    // Answers the next save dialog with `path` (its filter: the request's first).
    std::optional<std::string> Export(ExportKind kind, const std::string& path,
                                      bool typeInNames = true) {
        dialogs.answers.push_back(path);
        return command.Run(kind, typeInNames);
    }
    test::TemporaryDirectory dir;
    test::RecordingNotifier notifier;
    Creature creature{notifier};
    test::RecordingFileDialogs dialogs;
    RecordingChoices choices;
    CreatureExportCommand command{creature, dialogs, choices, notifier};
};

TEST(ExportTargetOfChoice, TheTypedExtensionWinsElseTheFiltersIsAdded) {
    const auto target = [](const std::string& path, const std::string& filter) {
        const std::optional<ExportTarget> t = ExportTargetOfChoice({path, filter});
        return t ? t->path + " as " + std::string(t->format->name) : std::string("none");
    };
    EXPECT_EQ(target("/d/male.STL", "glTF binary (*.glb)"), "/d/male.STL as STL");
    EXPECT_EQ(target("/d/male.3ds", "DXF (*.dxf)"), "/d/male.3ds as 3DS");
    EXPECT_EQ(target("/d/male", "DXF (*.dxf)"), "/d/male.dxf as DXF");
    EXPECT_EQ(target("/d/male.v2", "3D Studio (*.3ds)"), "/d/male.v2.3ds as 3DS");
    EXPECT_EQ(target("/d/male", "All files (*)"), "none");
    EXPECT_EQ(target("/d/", "DXF (*.dxf)"), "none");
    // A hidden file's name is no extension.
    EXPECT_EQ(target("/d/.glb", "FBX (*.fbx)"), "/d/.glb.fbx as FBX");
}

TEST(ExportStatusLine, SaysTheFileAndItsOutcomeInOneLine) {
    ExportResult parts;
    EXPECT_EQ(ExportStatusLine("/d/male.glb", parts, 22), "male.glb: 22 body parts");
    EXPECT_EQ(ExportStatusLine("/d/male.glb", parts, 1), "male.glb: 1 body part");
    ExportResult closed;
    closed.openEdges = 0;
    closed.shells = 1;
    EXPECT_EQ(ExportStatusLine("/d/male.stl", closed, 22), "male.stl: watertight, 1 shell");
    ExportResult open;
    open.openEdges = 3;
    open.shells = 2;
    EXPECT_EQ(ExportStatusLine("/d/male.3mf", open, 22),
              "male.3mf: not watertight (3 open edges), 2 shells");
}

TEST(DefaultExportChoices, PrintingFormatsStartAtAHundredMillimetresOthersAsModelled) {
    const ExportChoices stl = DefaultExportChoices(*ExportFormatOfExtension(".stl"));
    EXPECT_EQ(stl.size, ExportSize::Height);
    EXPECT_EQ(stl.height, 100.0);
    EXPECT_EQ(DefaultExportChoices(*ExportFormatOfExtension(".3mf")).up, UpAxis::Z);
    const ExportChoices glb = DefaultExportChoices(*ExportFormatOfExtension(".glb"));
    EXPECT_EQ(glb.size, ExportSize::AsModelled);
    EXPECT_EQ(glb.up, UpAxis::Y);
    // A choice the command line could not give is left out rather than written.
    ExportChoices bad = glb;
    bad.size = ExportSize::Scaled;
    bad.scale = -2.0;
    EXPECT_FALSE(ExportOptionsOf(bad, true).scale);
    bad.scale = 2.0;
    EXPECT_EQ(ExportOptionsOf(bad, false).scale, 2.0);
    EXPECT_FALSE(ExportOptionsOf(bad, false).typeInSurfaceNames);
}

TEST_F(CreatureExportCommandTest, AnEmptyCreatureIsRefusedBeforeAnyDialog) {
    EXPECT_FALSE(Export(ExportKind::Obj, dir.Path() + "/empty.obj"));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "The creature has no body parts to export.");
    EXPECT_TRUE(dialogs.saved.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/empty.obj"));
}

TEST_F(CreatureExportCommandTest, DialogsOpenInTheProjectDirectoryThenWhereTheLastExportWent) {
    LoadSample("Male.bwp");
    command.SetProjectDirectory(dir.Path());
    std::filesystem::create_directory(dir.Path() + "/out");
    ASSERT_TRUE(Export(ExportKind::ThreeDs, dir.Path() + "/out/male.3ds"));
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/out/male"));
    ASSERT_EQ(dialogs.saved.size(), 2u);
    EXPECT_EQ(dialogs.saved[0].initialDirectory, dir.Path());
    EXPECT_EQ(dialogs.saved[0].filter, "3D Studio (*.3ds)");
    EXPECT_EQ(dialogs.saved[0].defaultExtension, "3ds");
    EXPECT_EQ(dialogs.saved[0].title, "Export in 3DS format");
    EXPECT_EQ(dialogs.saved[1].initialDirectory, dir.Path() + "/out");
    EXPECT_EQ(dialogs.saved[1].filter.substr(0, 31), "glTF binary (*.glb);;glTF (*.gl");
    // Without an extension the first filter's is added.
    EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/out/male.glb"));
}

TEST_F(CreatureExportCommandTest, ChoicesStartAsTheFormatsOwnAndAreKeptPerFormat) {
    LoadSample("Male.bwp");
    ExportChoices tall;
    tall.up = UpAxis::Z;
    tall.size = ExportSize::Height;
    tall.height = 1.8;
    choices.answer = tall;
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/a.stl"));
    choices.answer.reset();
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/a.glb"));
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/b.STL"));
    ASSERT_EQ(choices.asked.size(), 3u);
    EXPECT_EQ(choices.asked[0].second, DefaultExportChoices(*ExportFormatOfExtension(".stl")));
    EXPECT_EQ(choices.asked[1].second, DefaultExportChoices(*ExportFormatOfExtension(".glb")));
    EXPECT_EQ(choices.asked[2].first, ".stl");
    EXPECT_EQ(choices.asked[2].second, tall);
}

TEST_F(CreatureExportCommandTest, ThePoseAndTheSkeletonChoiceReachTheExport) {
    LoadSample("Male.bwp");
    Pose pose;
    ASSERT_TRUE(pose.SetRotation(*BodyPartIdOfName("Left forearm"), {60.0f, 0.0f, 0.0f}));
    const auto encoded = [&](const std::string& extension, const ExportOptions& options) {
        ExportResult result;
        const std::string name = extension == ".stl" ? "/e" : "/rigged";
        EXPECT_TRUE(EncodeCreatureExport(creature, dir.Path() + name + extension,
                                         *ExportFormatOfExtension(extension), options, result,
                                         nullptr));
        return result.files.empty() ? std::string() : result.files[0].bytes;
    };
    ExportOptions rest =
        ExportOptionsOf(DefaultExportChoices(*ExportFormatOfExtension(".stl")), true);
    ExportOptions posed, rigged;
    posed.pose = pose;
    rigged.pose = pose;
    rigged.includeSkeleton = true;

    // Until a pose is set, the rest shape; the skeleton only when chosen, and only where the
    // format carries one.
    EXPECT_FALSE(command.CurrentPose());
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/rest.stl"));
    EXPECT_EQ(ReadBytes(dir.Path() + "/rest.stl"), encoded(".stl", rest));
    command.SetPose(pose);
    EXPECT_EQ(command.CurrentPose(), pose);
    ExportChoices skeleton;
    skeleton.includeSkeleton = true;
    choices.answer = skeleton;
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/posed.stl"));
    EXPECT_EQ(ReadBytes(dir.Path() + "/posed.stl"), encoded(".stl", posed));
    EXPECT_NE(encoded(".stl", posed), encoded(".stl", rest));
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/rigged.glb"));
    EXPECT_EQ(ReadBytes(dir.Path() + "/rigged.glb"), encoded(".glb", rigged));
    EXPECT_NE(ReadBytes(dir.Path() + "/rigged.glb").find("JOINTS_0"), std::string::npos);
    choices.answer = ExportChoices();
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/posed.glb"));
    EXPECT_EQ(ReadBytes(dir.Path() + "/posed.glb"), encoded(".glb", posed));

    // Back to rest: the bytes of an export that never had a pose.
    command.SetPose(std::nullopt);
    choices.answer.reset();
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/again.stl"));
    EXPECT_EQ(ReadBytes(dir.Path() + "/again.stl"),
              encoded(".stl", ExportOptionsOf(skeleton, true)));
}

// The choices start at the preview's surface level, whatever the format's last export chose;
// the level chosen reaches the export, where every body part keeps its own (subdivided) faces.
TEST_F(CreatureExportCommandTest, TheSurfaceLevelStartsAtThePreviewsAndReachesTheExport) {
    LoadSample("Male.bwp");
    command.SetSurfaceLevel(2);
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/smoother.obj"));
    command.SetSurfaceLevel(1);
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/smooth.obj"));
    ASSERT_EQ(choices.asked.size(), 2u);
    EXPECT_EQ(choices.asked[0].second.subdivisionLevel, 2);
    EXPECT_EQ(choices.asked[1].second.subdivisionLevel, 1);
    ExportChoices parts = DefaultExportChoices(*ExportFormatOfExtension(".obj"));
    parts.subdivisionLevel = 0;
    choices.answer = parts;
    ASSERT_TRUE(Export(ExportKind::BodyParts, dir.Path() + "/parts.obj"));

    // One group per body part at every level, four times the faces per level.
    const auto faces = [&](const std::string& name) {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(dir.Path() + "/" + name, 0);
        std::pair<unsigned, std::size_t> counts{0, 0};
        if (!scene) return counts;
        counts.first = scene->mNumMeshes;
        for (unsigned m = 0; m < scene->mNumMeshes; ++m)
            counts.second += scene->mMeshes[m]->mNumFaces;
        return counts;
    };
    const auto [partMeshes, partFaces] = faces("parts.obj");
    const auto [smoothMeshes, smoothFaces] = faces("smooth.obj");
    const auto [smootherMeshes, smootherFaces] = faces("smoother.obj");
    EXPECT_EQ(smoothMeshes, partMeshes);
    EXPECT_EQ(smootherMeshes, partMeshes);
    EXPECT_GT(smoothFaces, 3 * partFaces);
    EXPECT_EQ(smootherFaces, 4 * smoothFaces);
}

TEST(ExportOptionsOf, CarriesTheSkeletonChoice) {
    ExportChoices choices;
    EXPECT_FALSE(ExportOptionsOf(choices, true).includeSkeleton);
    choices.includeSkeleton = true;
    EXPECT_TRUE(ExportOptionsOf(choices, true).includeSkeleton);
    for (const ExportFormat& format : ExportFormats(ExportFormatSet::Every)) {
        EXPECT_EQ(DefaultExportChoices(format).includeSkeleton, format.skeleton) << format.name;
        const std::string_view e = format.extension;
        EXPECT_EQ(format.skeleton, e == ".glb" || e == ".gltf" || e == ".fbx") << e;
    }
}

TEST_F(CreatureExportCommandTest, CancellingEitherDialogWritesNothing) {
    LoadSample("Male.bwp");
    dialogs.answers.push_back(std::nullopt);
    EXPECT_FALSE(command.Run(ExportKind::Obj, true));
    EXPECT_TRUE(choices.asked.empty());
    choices.cancel = true;
    EXPECT_FALSE(Export(ExportKind::Obj, dir.Path() + "/male.obj"));
    EXPECT_EQ(choices.asked.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(CreatureExportCommandTest, AFileNamingNoFormatIsRefusedWithAMessage) {
    LoadSample("Male.bwp");
    // A dialog whose selected filter names no format, and a name without an extension.
    struct NoFilter : test::RecordingFileDialogs {
        std::optional<SaveFileChoice> SaveFileWithFilter(const FileDialogRequest&) override {
            return SaveFileChoice{path, "All files (*)"};
        }
        std::string path;
    } noFilter;
    noFilter.path = dir.Path() + "/male";
    CreatureExportCommand other(creature, noFilter, choices, notifier);
    EXPECT_FALSE(other.Run(ExportKind::BodyParts, true));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].caption, "Unable to export");
    EXPECT_NE(notifier.messages[0].text.find(".3ds or .dxf"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/male"));
}

TEST_F(CreatureExportCommandTest, AReadOnlyTargetKeepsItsOldFilesAndTheUserIsTold) {
    LoadSample("Male.bwp");
    const std::string folder = dir.Path() + "/kept";
    std::filesystem::create_directory(folder);
    std::ofstream(folder + "/male.obj") << "old obj";
    std::ofstream(folder + "/male.mtl") << "old mtl";
    test::HandToUnprivilegedUser(folder);
    const std::optional<int> status = test::RunAsUnprivilegedUser([&] {
        ::chmod(folder.c_str(), 0555);
        const bool written = Export(ExportKind::Obj, folder + "/male.obj").has_value();
        const bool told = notifier.messages.size() == 1 &&
                          notifier.messages[0].caption == "Unable to export" &&
                          notifier.messages[0].text.rfind(folder + "/male.obj\n", 0) == 0;
        ::chmod(folder.c_str(), 0755);
        return !written && told ? 0 : 1;
    });
    if (!status) GTEST_SKIP() << "no user whom file permissions bind";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(ReadBytes(folder + "/male.obj"), "old obj");
    EXPECT_EQ(ReadBytes(folder + "/male.mtl"), "old mtl");
}

// Assimp's reading of a file, or the test fails.
const aiScene* ReadBack(Assimp::Importer& importer, const std::string& path) {
    const aiScene* scene = importer.ReadFile(path, 0);
    EXPECT_NE(scene, nullptr) << path << ": " << importer.GetErrorString();
    return scene;
}

std::size_t FaceCount(const aiScene& scene) {
    std::size_t faces = 0;
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) faces += scene.mMeshes[m]->mNumFaces;
    return faces;
}

TEST_F(CreatureExportCommandTest, DxfReadsBackWithEveryPolygonOnALayerPerBodyPart) {
    LoadSample("Male.bwp");
    std::size_t polygons = 0;
    std::set<std::string> bodyParts;
    for (int i = 0; i < creature.PartCount(); ++i) {
        polygons += creature.Part(i)->Polygons().size();
        bodyParts.insert(creature.Part(i)->TypeName());
    }
    for (const bool typeInNames : {true, false}) {
        SCOPED_TRACE(typeInNames);
        const std::string path = dir.Path() + "/male" + std::to_string(typeInNames) + ".dxf";
        ASSERT_TRUE(Export(ExportKind::Dxf, path, typeInNames));
        Assimp::Importer importer;
        const aiScene* scene = ReadBack(importer, path);
        ASSERT_NE(scene, nullptr);
        EXPECT_EQ(FaceCount(*scene), polygons);
        // Each layer becomes a node of its own, named after it.
        std::set<std::string> layers;
        for (unsigned c = 0; c < scene->mRootNode->mNumChildren; ++c)
            layers.insert(scene->mRootNode->mChildren[c]->mName.C_Str());
        EXPECT_EQ(layers, bodyParts);
    }
}

TEST_F(CreatureExportCommandTest, ThreeDsReadsBackWithItsPartsAndSurfaceNames) {
    LoadSample("Male.bwp");
    for (const bool typeInNames : {true, false}) {
        SCOPED_TRACE(typeInNames);
        const std::string path = dir.Path() + "/male" + std::to_string(typeInNames) + ".3ds";
        ASSERT_TRUE(Export(ExportKind::ThreeDs, path, typeInNames));
        Assimp::Importer importer;
        const aiScene* scene = ReadBack(importer, path);
        ASSERT_NE(scene, nullptr);
        // The 3DS writer makes every material name unique by "_<index>" of its own.
        std::set<std::string> materials;
        for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
            aiString name;
            scene->mMaterials[m]->Get(AI_MATKEY_NAME, name);
            const std::string written = name.C_Str();
            materials.insert(written.substr(0, written.rfind('_')));
        }
        std::string all;
        for (const std::string& name : materials) all += "\"" + name + "\" ";
        EXPECT_EQ(materials.count("Head Skin"), typeInNames ? 1u : 0u) << all;
        EXPECT_EQ(materials.count("Skin"), typeInNames ? 0u : 1u) << all;
    }
}

// The names of the 3MF package's base materials (the group the writer adds first).
std::set<std::string> ThreeMfMaterialNames(std::string bytes) {
    std::set<std::string> names;
    NMR::PLib3MFModel* model = nullptr;
    NMR::PLib3MFModelReader* reader = nullptr;
    NMR::PLib3MFModelBaseMaterial* materials = nullptr;
    if (NMR::lib3mf_createmodel(&model) == LIB3MF_OK &&
        NMR::lib3mf_model_queryreader(model, "3mf", &reader) == LIB3MF_OK &&
        NMR::lib3mf_reader_readfrombuffer(reader, reinterpret_cast<BYTE*>(bytes.data()),
                                          bytes.size()) == LIB3MF_OK &&
        NMR::lib3mf_model_getbasematerialbyid(model, 1, &materials) == LIB3MF_OK) {
        DWORD count = 0;
        NMR::lib3mf_basematerial_getcount(materials, &count);
        for (DWORD m = 0; m < count; ++m) {
            char name[256] = {};
            ULONG needed = 0;
            if (NMR::lib3mf_basematerial_getnameutf8(materials, m, name, sizeof name, &needed) ==
                LIB3MF_OK)
                names.insert(name);
        }
    }
    for (NMR::PLib3MFBase* instance :
         {static_cast<NMR::PLib3MFBase*>(materials), static_cast<NMR::PLib3MFBase*>(reader),
          static_cast<NMR::PLib3MFBase*>(model)})
        if (instance) NMR::lib3mf_release(instance);
    return names;
}

TEST_F(CreatureExportCommandTest, ThreeMfMaterialsAreNamedAsTheCheckBoxSays) {
    LoadSample("Male.bwp");
    for (const bool typeInNames : {true, false}) {
        SCOPED_TRACE(typeInNames);
        const std::string path = dir.Path() + "/male" + std::to_string(typeInNames) + ".3mf";
        ASSERT_TRUE(Export(ExportKind::BodyParts, path, typeInNames));
        const std::set<std::string> names = ThreeMfMaterialNames(ReadBytes(path));
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.count("Head Skin"), typeInNames ? 1u : 0u);
        EXPECT_EQ(names.count("Skin"), typeInNames ? 0u : 1u);
    }
}

}  // namespace
}  // namespace bw
