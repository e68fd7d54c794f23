// The Export group of the Project page in the real main dialog with the recording platform, on
// a sample creature: every button and every format of "Export with Body Parts" writes a file
// that Assimp reads back with the names the check box chooses; printable files are closed; a
// window export is the same bytes as bwtool's; failures and cancelled dialogs change nothing.
#include <assimp/config.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <assimp/Importer.hpp>
#include <filesystem>
#include <set>
#include <sstream>

#include "export/ui/export_choices_dialog.h"
#include "project/ui/bitmap_button.h"
#include "project/ui/project_page.h"
#include "render/ui/preview_view.h"
#include "rig/pose_file.h"
#include "support/command_runner.h"
#include "support/gui_fixture.h"
#include "support/modal_dialogs.h"

namespace bw::test {
namespace {

const std::filesystem::path kShare = BW_SAMPLE_SHARE_DIR;

// Answers every export's choices with its start choices, and counts them.
class StartChoices : public ExportChoicesAsker {
  public:
    std::optional<ExportChoices> Ask(const ExportFormat&, const ExportChoices& start) override {
        ++asked;
        return start;
    }
    int asked = 0;
};

struct ReadBack {
    std::set<std::string> nodes;      // every node's name below the root
    std::set<std::string> materials;  // as written, without a writer's "_<index>" suffix
    bool read = false;
};

void AddNodeNames(const aiNode& node, std::set<std::string>& names) {
    for (unsigned c = 0; c < node.mNumChildren; ++c) {
        names.insert(node.mChildren[c]->mName.C_Str());
        AddNodeNames(*node.mChildren[c], names);
    }
}

ReadBack Read(const std::string& path, bool suffixedMaterials) {
    Assimp::Importer importer;
    importer.SetPropertyBool(AI_CONFIG_IMPORT_COLLADA_USE_COLLADA_NAMES, true);
    const aiScene* scene = importer.ReadFile(path, 0);
    ReadBack back;
    if (!scene) return back;
    back.read = true;
    if (scene->mRootNode) AddNodeNames(*scene->mRootNode, back.nodes);
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        aiString name;
        scene->mMaterials[m]->Get(AI_MATKEY_NAME, name);
        std::string text = name.C_Str();
        if (suffixedMaterials) text = text.substr(0, text.rfind('_'));
        back.materials.insert(text);
    }
    return back;
}

class ProjectExportTest : public testing::Test {
  protected:
    void SetUp() override {
        fixture.Show();
        page = fixture.Dialog().Project();
        ASSERT_NE(page, nullptr);
        fixture.fileDialogs.answers.push_back((kShare / "Projects" / "Male.bwp").string());
        QTest::mouseClick(page->Button(ProjectPage::kLoadId), Qt::LeftButton);
        ASSERT_EQ(fixture.Dialog().GetCreature().PartCount(), 22);
        page->SetExportChoicesAsker(choices);
    }
    // Clicks `button`, answering its save dialog with `path`.
    void Export(ProjectPage::ControlId button, const std::optional<std::string>& path) {
        fixture.fileDialogs.answers.push_back(path);
        QTest::mouseClick(page->ExportButton(button), Qt::LeftButton);
    }
    std::string Status() const { return page->ExportStatus()->text().toStdString(); }

    MainDialogFixture fixture{SampleLibraryDirectory().c_str()};
    TemporaryDirectory files;
    StartChoices choices;
    ProjectPage* page = nullptr;
};

TEST_F(ProjectExportTest, EveryButtonAndFormatWritesNamesAsTheCheckBoxSays) {
    struct Case {
        ProjectPage::ControlId button;
        std::string name;   // typed in the save dialog
        bool parts;         // a node per body part
        bool materials;     // surface names as materials
        bool suffixed;      // the writer adds "_<index>" to material names
        std::string blank;  // how the writer joins words of a name
    };
    const Case cases[] = {
        {ProjectPage::kExport3dsId, "male.3ds", true, true, true, " "},
        {ProjectPage::kExportDxfId, "male.dxf", true, false, false, " "},
        {ProjectPage::kExportObjId, "male.obj", true, true, false, "_"},
        {ProjectPage::kExportBodyPartsId, "male.glb", true, true, false, " "},
        {ProjectPage::kExportBodyPartsId, "male.GLTF", true, true, false, " "},
        {ProjectPage::kExportBodyPartsId, "male.fbx", true, true, false, " "},
        {ProjectPage::kExportBodyPartsId, "male.dae", true, true, false, " "},
        {ProjectPage::kExportBodyPartsId, "male-parts.obj", true, true, false, "_"},
        {ProjectPage::kExportBodyPartsId, "male.ply", false, false, false, " "},
        {ProjectPage::kExportBodyPartsId, "male.stl", false, false, false, " "},
        {ProjectPage::kExportBodyPartsId, "male.3mf", false, false, false, " "},
        {ProjectPage::kExportBodyPartsId, "male-parts.3ds", true, true, true, " "},
        {ProjectPage::kExportBodyPartsId, "male-parts.Dxf", true, false, false, " "},
    };
    for (const bool typeInNames : {true, false}) {
        page->SurfaceNamesBox()->setChecked(typeInNames);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name + (typeInNames ? " with types" : " without"));
            const std::string path = files.Path() + "/" + std::to_string(typeInNames) + c.name;
            Export(c.button, path);
            EXPECT_EQ(page->ExportProgressBar()->value(), 100);
            const ReadBack back = Read(path, c.suffixed);
            ASSERT_TRUE(back.read);
            if (c.parts) {
                for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
                    std::string name(BodyPartName(id));
                    std::replace(name.begin(), name.end(), ' ', c.blank[0]);
                    EXPECT_EQ(back.nodes.count(name), 1u) << name;
                }
            }
            if (c.materials) {
                EXPECT_EQ(back.materials.count("Head" + c.blank + "Skin"), typeInNames ? 1u : 0u);
                EXPECT_EQ(back.materials.count("Skin"), typeInNames ? 0u : 1u);
            }
        }
        // Printing formats are welded closed; the others tell their parts.
        EXPECT_EQ(Status(), std::to_string(typeInNames) + "male-parts.Dxf: 22 body parts");
    }
    Export(ProjectPage::kExportBodyPartsId, files.Path() + "/closed.stl");
    EXPECT_EQ(Status(), "closed.stl: watertight, 1 shell");
    Export(ProjectPage::kExportBodyPartsId, files.Path() + "/closed.3mf");
    EXPECT_EQ(Status(), "closed.3mf: watertight, 1 shell");
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(ProjectExportTest, AWindowExportIsTheSameBytesAsBwtools) {
    // Formats whose bytes hold no time of writing (FBX and COLLADA hold one), each written to a
    // folder of its own under one name, since OBJ names its material library.
    page->SurfaceNamesBox()->setChecked(true);
    std::filesystem::create_directory(files.Path() + "/window");
    std::filesystem::create_directory(files.Path() + "/tool");
    for (const std::string name : {"male.glb", "male.stl", "male.obj", "male.3mf"}) {
        SCOPED_TRACE(name);
        Export(ProjectPage::kExportBodyPartsId, files.Path() + "/window/" + name);
        std::vector<std::string> args{"assemble",
                                      "--objects",
                                      SampleLibraryDirectory(),
                                      (kShare / "Projects" / "Male.bwp").string(),
                                      "--export",
                                      files.Path() + "/tool/" + name};
        if (name == "male.stl" || name == "male.3mf") args.insert(args.end(), {"--height", "100"});
        if (name == "male.glb") args.emplace_back("--rig");  // the window's glTF starts rigged
        // The window shows the walking pose that sits beside the sample project.
        args.insert(args.end(), {"--pose", (kShare / "Projects" / "Male.bwpose").string()});
        const CommandResult result = RunCommand(BWTOOL_PATH, args, files.Path());
        ASSERT_EQ(result.status, 0) << result.err;
        const std::string window = ReadText(files.Path() + "/window/" + name);
        EXPECT_FALSE(window.empty());
        EXPECT_EQ(window, ReadText(files.Path() + "/tool/" + name));
    }
    EXPECT_EQ(ReadText(files.Path() + "/window/male.mtl"),
              ReadText(files.Path() + "/tool/male.mtl"));
}

// The window exports the creature in the pose it shows, as bwtool does with the same pose file.
TEST_F(ProjectExportTest, AWindowExportCarriesThePoseShown) {
    Pose pose;
    ASSERT_TRUE(pose.SetRotation(*BodyPartIdOfName("Left forearm"), {60.0f, 0.0f, 10.0f}));
    fixture.Dialog().GetCreaturePose().SetPose(pose);
    std::string reason;
    const std::string poseFile = files.Path() + "/male.bwpose";
    ASSERT_TRUE(WritePoseFile(poseFile, pose, &reason)) << reason;
    page->SurfaceNamesBox()->setChecked(true);
    std::filesystem::create_directory(files.Path() + "/window");
    std::filesystem::create_directory(files.Path() + "/tool");
    Export(ProjectPage::kExportBodyPartsId, files.Path() + "/window/male.obj");
    const CommandResult result = RunCommand(BWTOOL_PATH,
                                            {"assemble", "--objects", SampleLibraryDirectory(),
                                             (kShare / "Projects" / "Male.bwp").string(), "--pose",
                                             poseFile, "--export", files.Path() + "/tool/male.obj"},
                                            files.Path());
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string window = ReadText(files.Path() + "/window/male.obj");
    EXPECT_EQ(window, ReadText(files.Path() + "/tool/male.obj"));
    fixture.Dialog().GetCreaturePose().SetPose(Pose{});
    Export(ProjectPage::kExportBodyPartsId, files.Path() + "/window/rest.obj");
    const auto points = [](const std::string& obj) {
        std::string lines;
        std::istringstream in(obj);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("v ", 0) == 0) lines += line + "\n";
        return lines;
    };
    EXPECT_FALSE(points(window).empty());
    EXPECT_NE(points(ReadText(files.Path() + "/window/rest.obj")), points(window));
}

// The window's Surface list smooths the preview without an undo step, and its export starts at
// the same level: the bytes of bwtool's --subdivide.
TEST_F(ProjectExportTest, TheSurfaceListSmoothsThePreviewAndTheExport) {
    MainDialog& dialog = fixture.Dialog();
    QComboBox* surface = nullptr;
    for (auto* box : dialog.findChildren<QComboBox*>())
        if (box->accessibleName() == "Surface") surface = box;
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->count(), 3);
    EXPECT_EQ(surface->itemText(0), "Parts");
    EXPECT_EQ(surface->itemText(2), "Smoother");
    ASSERT_NE(dialog.Preview(), nullptr);
    const QImage parts = dialog.Preview()->DrawAndReadFrame();
    QPushButton* undo = nullptr;
    for (auto* button : dialog.findChildren<QPushButton*>())
        if (button->accessibleName() == "Undo") undo = button;
    ASSERT_NE(undo, nullptr);
    const bool undoBefore = undo->isEnabled();

    surface->setCurrentIndex(2);
    EXPECT_EQ(dialog.Preview()->SurfaceLevel(), 2);
    EXPECT_NE(dialog.Preview()->DrawAndReadFrame(), parts);
    EXPECT_EQ(undo->isEnabled(), undoBefore);

    std::filesystem::create_directory(files.Path() + "/window");
    Export(ProjectPage::kExportBodyPartsId, files.Path() + "/window/male.stl");
    EXPECT_EQ(Status(), "male.stl: watertight, 1 shell");
    const CommandResult result =
        RunCommand(BWTOOL_PATH,
                   {"assemble", "--objects", SampleLibraryDirectory(),
                    (kShare / "Projects" / "Male.bwp").string(), "--pose",
                    (kShare / "Projects" / "Male.bwpose").string(), "--height", "100",
                    "--subdivide", "2", "--export", files.Path() + "/tool.stl"},
                   files.Path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadText(files.Path() + "/window/male.stl"), ReadText(files.Path() + "/tool.stl"));

    surface->setCurrentIndex(0);
    EXPECT_EQ(dialog.Preview()->SurfaceLevel(), 0);
    EXPECT_EQ(dialog.Preview()->DrawAndReadFrame(), parts);
    // Set by the program (the screenshot tools do), the list shows the level, kept in range.
    dialog.SetSurfaceLevel(2);
    EXPECT_EQ(surface->currentIndex(), 2);
    EXPECT_EQ(dialog.Preview()->SurfaceLevel(), 2);
    dialog.SetSurfaceLevel(7);
    EXPECT_EQ(surface->currentIndex(), 2);
    dialog.SetSurfaceLevel(0);
    EXPECT_EQ(dialog.Preview()->SurfaceLevel(), 0);
}

TEST_F(ProjectExportTest, TheChoicesDialogSetsTheUpAxisAndSize) {
    QtExportChoicesAsker asker(page);
    page->SetExportChoicesAsker(asker);
    ModalDialogs modal;
    modal.Expect([](QDialog& dialog) {
        auto* options = qobject_cast<ExportChoicesDialog*>(&dialog);
        ASSERT_NE(options, nullptr);
        // STL starts as printers take it: Y up, 100 mm tall.
        EXPECT_TRUE(options->UpButton(UpAxis::Y)->isChecked());
        EXPECT_TRUE(options->SizeButton(ExportSize::Height)->isChecked());
        EXPECT_EQ(options->HeightField()->value(), 100.0);
        QTest::mouseClick(options->UpButton(UpAxis::Z), Qt::LeftButton);
        options->HeightField()->setValue(42.0);
        options->accept();
    });
    const std::string path = files.Path() + "/tall.stl";
    Export(ProjectPage::kExportBodyPartsId, path);
    ASSERT_EQ(modal.titles, std::vector<std::string>{"Export Options"});
    // Z up, 42 tall: the file's extent along Z.
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    ASSERT_NE(scene, nullptr);
    float low = 1e30f, high = -1e30f;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        for (unsigned v = 0; v < scene->mMeshes[m]->mNumVertices; ++v) {
            low = std::min(low, scene->mMeshes[m]->mVertices[v].z);
            high = std::max(high, scene->mMeshes[m]->mVertices[v].z);
        }
    EXPECT_NEAR(high - low, 42.0f, 1e-3f);

    // The choices are kept: the next STL export starts from them; cancelling writes nothing.
    modal.Expect([](QDialog& dialog) {
        auto* options = qobject_cast<ExportChoicesDialog*>(&dialog);
        ASSERT_NE(options, nullptr);
        EXPECT_TRUE(options->UpButton(UpAxis::Z)->isChecked());
        EXPECT_EQ(options->HeightField()->value(), 42.0);
        options->reject();
    });
    Export(ProjectPage::kExportBodyPartsId, files.Path() + "/cancelled.stl");
    EXPECT_FALSE(std::filesystem::exists(files.Path() + "/cancelled.stl"));
    EXPECT_EQ(modal.unexpected, 0);
}

// The dialog's Surface list starts at the preview's level; what the user picks there is what
// the file holds.
TEST_F(ProjectExportTest, TheChoicesDialogsSurfaceListStartsAtThePreviewsLevel) {
    QtExportChoicesAsker asker(page);
    page->SetExportChoicesAsker(asker);
    page->SetSurfaceLevel(1);
    ModalDialogs modal;
    const auto exportAt = [&](int level, const std::string& name) {
        modal.Expect([level](QDialog& dialog) {
            auto* options = qobject_cast<ExportChoicesDialog*>(&dialog);
            ASSERT_NE(options, nullptr);
            QComboBox* surface = options->SurfaceBox();
            EXPECT_EQ(surface->accessibleName(), "Surface");
            ASSERT_EQ(surface->count(), 3);
            EXPECT_EQ(surface->itemText(1), "Smooth");
            EXPECT_EQ(surface->currentIndex(), 1);
            surface->setCurrentIndex(level);
            options->accept();
        });
        Export(ProjectPage::kExportBodyPartsId, files.Path() + "/" + name);
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(files.Path() + "/" + name, 0);
        std::size_t faces = 0;
        for (unsigned m = 0; scene && m < scene->mNumMeshes; ++m)
            faces += scene->mMeshes[m]->mNumFaces;
        return faces;
    };
    const std::size_t parts = exportAt(0, "parts.stl");
    const std::size_t smoother = exportAt(2, "smoother.stl");
    EXPECT_GT(parts, 0u);
    EXPECT_GT(smoother, 12 * parts);
    EXPECT_EQ(modal.unexpected, 0);
    page->SetSurfaceLevel(0);
}

TEST_F(ProjectExportTest, TheSkeletonBoxIsOfferedOnlyWhereTheFormatCarriesOne) {
    ExportChoices start;
    start.includeSkeleton = true;
    for (const ExportFormat& format : ExportFormats(ExportFormatSet::Every)) {
        SCOPED_TRACE(std::string(format.extension));
        ExportChoicesDialog dialog(format, start, page);
        QCheckBox* box = dialog.SkeletonBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->accessibleName(), "Include skeleton");
        EXPECT_EQ(box->isHidden(), !format.skeleton);
        EXPECT_EQ(box->isChecked(), format.skeleton);
        EXPECT_EQ(dialog.Choices().includeSkeleton, format.skeleton);
        if (format.skeleton) {
            QTest::mouseClick(box, Qt::LeftButton);
            EXPECT_FALSE(dialog.Choices().includeSkeleton);
        }
    }
    // Unchecked at the start, it stays so until the user checks it.
    ExportChoicesDialog glb(*ExportFormatOfExtension(".glb"), ExportChoices(), page);
    EXPECT_FALSE(glb.Choices().includeSkeleton);
    glb.SkeletonBox()->setChecked(true);
    EXPECT_TRUE(glb.Choices().includeSkeleton);
}

TEST_F(ProjectExportTest, FailuresAndCancelsChangeNothingOnDisk) {
    const std::string kept = files.Write("kept.3ds", std::string("old bytes"));
    Export(ProjectPage::kExport3dsId, std::nullopt);
    EXPECT_EQ(choices.asked, 0);
    EXPECT_EQ(ReadText(kept), "old bytes");

    const std::string missing = files.Path() + "/no such directory/male.dxf";
    Export(ProjectPage::kExportDxfId, missing);
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].caption, "Unable to export");
    EXPECT_EQ(fixture.notifier.messages[0].text.find(missing + "\n"), 0u);
    EXPECT_EQ(page->ExportProgressBar()->value(), 0);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files.Path()),
                            std::filesystem::directory_iterator()),
              1);

    // An empty creature: a message, no dialog, no file.
    QTest::mouseClick(page->Button(ProjectPage::kNewId), Qt::LeftButton);
    const std::size_t dialogs = fixture.fileDialogs.saved.size();
    Export(ProjectPage::kExportObjId, files.Path() + "/empty.obj");
    EXPECT_EQ(fixture.fileDialogs.saved.size(), dialogs);
    ASSERT_EQ(fixture.notifier.messages.size(), 2u);
    EXPECT_EQ(fixture.notifier.messages[1].text, "The creature has no body parts to export.");
    EXPECT_FALSE(std::filesystem::exists(files.Path() + "/empty.obj"));
}

}  // namespace
}  // namespace bw::test
