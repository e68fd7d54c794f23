// The Pose group of the Edit Parts page in the real window: its sliders and number fields turn
// the joint of the part being edited and the preview shows it, every change is one undoable
// step, and the pose is saved beside the project and read back with it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/ui/main_dialog.h"
#include "edit/ui/edit_parts_page.h"
#include "project/ui/project_page.h"
#include "render/ui/preview_view.h"
#include "rig/pose_file.h"
#include "support/gui_fixture.h"
#include "support/modal_dialogs.h"

namespace bw::test {
namespace {

class PoseControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = &fixture.Show();
        const auto share =
            std::filesystem::path(SampleLibraryDirectory()).parent_path().parent_path();
        ASSERT_TRUE(dialog->Project()->LoadProjectFile((share / "Projects" / "Male.bwp").string()));
        dialog->Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
        page = dialog->EditParts();
        forearm = *BodyPartIdOfName("Left forearm");
        QComboBox* objects = page->ObjectList();
        objects->setCurrentIndex(forearm + 1);
        emit objects->activated(forearm + 1);
    }
    QImage Frame() { return dialog->Preview()->DrawAndReadFrame(); }
    JointRotation Forearm() { return dialog->GetCreaturePose().GetPose().Rotation(forearm); }
    void TypeAngle(int k, const char* text) {
        QLineEdit* field = page->Pose()->AngleField(k);
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    MainDialogFixture fixture{SampleLibraryDirectory().c_str()};
    MainDialog* dialog = nullptr;
    EditPartsPage* page = nullptr;
    BodyPartId forearm = 0;
};

TEST_F(PoseControlsTest, SlidersAndFieldsTurnTheEditedJointAndEachChangeIsOneStep) {
    const QImage rest = Frame();
    PoseGroup& pose = *page->Pose();
    ASSERT_TRUE(pose.AngleSlider(0)->isEnabled());
    QTest::keyClick(pose.AngleSlider(0), Qt::Key_PageUp);  // one page: 15 degrees
    EXPECT_EQ(Forearm(), (JointRotation{15.0f, 0.0f, 0.0f}));
    EXPECT_NE(Frame(), rest);

    TypeAngle(2, "-40");
    TypeAngle(1, "500");  // out of range: refused, the field shows the angle again
    EXPECT_EQ(Forearm(), (JointRotation{15.0f, 0.0f, -40.0f}));
    EXPECT_EQ(pose.AngleField(1)->text().toStdString(), "0");
    EXPECT_EQ(pose.AngleSlider(2)->value(), -40);

    ASSERT_TRUE(dialog->UndoLastStep());
    EXPECT_EQ(Forearm(), (JointRotation{15.0f, 0.0f, 0.0f}));
    EXPECT_EQ(pose.AngleField(2)->text().toStdString(), "0");
    ASSERT_TRUE(dialog->UndoLastStep());
    EXPECT_TRUE(dialog->GetCreaturePose().GetPose().IsRest());
    EXPECT_EQ(Frame(), rest) << "the rest pose is drawn bit for bit as before";

    ASSERT_TRUE(dialog->RedoStep());
    ASSERT_TRUE(dialog->RedoStep());
    QTest::mouseClick(pose.RestPoseButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->GetCreaturePose().GetPose().IsRest());
    ASSERT_TRUE(dialog->UndoLastStep());
    EXPECT_EQ(Forearm(), (JointRotation{15.0f, 0.0f, -40.0f}));
}

TEST_F(PoseControlsTest, ShowSkeletonDrawsOverTheCreature) {
    const QImage without = Frame();
    QTest::mouseClick(page->Pose()->ShowSkeletonBox(), Qt::LeftButton);
    EXPECT_TRUE(dialog->Preview()->ShowSkeleton());
    EXPECT_NE(Frame(), without);
}

TEST_F(PoseControlsTest, ThePoseIsSavedBesideTheProjectAndLoadedWithIt) {
    TypeAngle(0, "60");
    const std::string project = fixture.start.Path() + "/posed.bwp";
    const std::string poseFile = fixture.start.Path() + "/posed.bwpose";
    ModalDialogs modal;
    fixture.fileDialogs.answers.push_back(project);
    modal.ExpectAccept();  // Save Project Options
    ASSERT_TRUE(dialog->Project()->SaveProject());
    EXPECT_EQ(ReadText(poseFile), "Left forearm 60 0 0\n");

    QTest::mouseClick(page->Pose()->RestPoseButton(), Qt::LeftButton);
    ASSERT_TRUE(dialog->Project()->LoadProjectFile(project));
    EXPECT_EQ(Forearm(), (JointRotation{60.0f, 0.0f, 0.0f}));

    // Saved at rest, the pose file left by the last save goes.
    QTest::mouseClick(page->Pose()->RestPoseButton(), Qt::LeftButton);
    fixture.fileDialogs.answers.push_back(project);
    modal.ExpectAccept();
    ASSERT_TRUE(dialog->Project()->SaveProject());
    EXPECT_FALSE(std::filesystem::exists(poseFile));

    // A foreign file there: one message, the rest pose, the project loaded all the same.
    std::ofstream(poseFile) << "Tail 10 0 0\n";
    TypeAngle(0, "30");
    const std::size_t before = fixture.notifier.messages.size();
    ASSERT_TRUE(dialog->Project()->LoadProjectFile(project));
    EXPECT_TRUE(dialog->GetCreaturePose().GetPose().IsRest());
    ASSERT_GE(fixture.notifier.messages.size(), before + 1);
    EXPECT_EQ(fixture.notifier.messages.back().caption, "Unable to load pose");
    EXPECT_GT(dialog->GetCreature().PartCount(), 0);
}

}  // namespace
}  // namespace bw::test
