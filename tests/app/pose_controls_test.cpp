// The Pose group of the Edit Parts page in the real window: its sliders and number fields turn
// the joint of the part being edited and the preview shows it, every change is one undoable
// step, and the pose is saved beside the project and read back with it.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
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
        ASSERT_TRUE(
            dialog->Project()->LoadProjectFile((share / "Projects" / "Fantasy.bwp").string()));
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

// Ctrl and a left drag on a part in the preview: the part under the pointer becomes the edited
// part and bends (up) and swings (right) by half a degree a pixel, the whole drag one step.
TEST_F(PoseControlsTest, ACtrlDragOnAPartInThePreviewPosesThatPart) {
    PreviewView& view = *dialog->Preview();
    Frame();
    const int thigh = [&] {
        for (int i = 0; i < dialog->GetCreature().PartCount(); ++i)
            if (dialog->GetCreature().Part(i)->bodyPart == *BodyPartIdOfName("Left thigh"))
                return i;
        return -1;
    }();
    ASSERT_GE(thigh, 0);
    // The middle of the thigh's view points, where the preview projects it.
    const PartObject& part = *dialog->GetCreature().Part(thigh);
    Vec3d middle;
    for (const Vec3f& p : part.viewPoints) middle = middle + Widened(p);
    const double n = double(part.viewPoints.size());
    const double zoom = view.Zoom();
    std::array<GLdouble, 16> modelView{}, projection{};
    std::array<GLint, 4> viewport{};
    view.makeCurrent();
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    view.doneCurrent();
    GLdouble wx = 0, wy = 0, wz = 0;
    ASSERT_TRUE(gluProject(middle.x / n * zoom, middle.y / n * zoom, -middle.z / n * zoom,
                           modelView.data(), projection.data(), viewport.data(), &wx, &wy, &wz));
    const qreal ratio = view.devicePixelRatio();
    const QPoint onThigh(int(wx / ratio), int((viewport[3] - wy) / ratio));
    ASSERT_EQ(view.PartAt(onThigh), thigh);
    EXPECT_EQ(view.PartAt({0, 0}), std::nullopt) << "the background is no part";

    const std::size_t steps = dialog->Steps().History().UndoCount();
    const auto send = [&view](QEvent::Type type, QPoint at, Qt::MouseButton button,
                              Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, buttons,
                          Qt::ControlModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, onThigh, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, onThigh + QPoint(6, -10), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, onThigh + QPoint(10, -30), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, onThigh + QPoint(10, -30), Qt::LeftButton, Qt::NoButton);

    const BodyPartId thighId = *BodyPartIdOfName("Left thigh");
    EXPECT_EQ(page->Editor().View().entry, thighId + 1) << "the thigh is being edited";
    const JointRotation turned = dialog->GetCreaturePose().GetPose().Rotation(thighId);
    EXPECT_FLOAT_EQ(turned.bend, 15.0f);
    EXPECT_FLOAT_EQ(turned.side, 5.0f);
    EXPECT_EQ(page->Pose()->AngleSlider(0)->value(), 15);
    EXPECT_EQ(dialog->Steps().History().UndoCount(), steps + 1);
    ASSERT_TRUE(dialog->UndoLastStep());
    EXPECT_TRUE(dialog->GetCreaturePose().GetPose().IsRest());
    EXPECT_EQ(dialog->GetCreature().yaw, 0.0f) << "no turn of the view";
}

TEST_F(PoseControlsTest, ShowSkeletonDrawsOverTheCreature) {
    const QImage without = Frame();
    QTest::mouseClick(page->Pose()->ShowSkeletonBox(), Qt::LeftButton);
    EXPECT_TRUE(dialog->Preview()->ShowSkeleton());
    EXPECT_NE(Frame(), without);
}

TEST_F(PoseControlsTest, ThePoseIsSavedBesideTheProjectAndLoadedWithIt) {
    EXPECT_TRUE(dialog->GetCreaturePose().GetPose().IsRest()) << "no pose beside Fantasy.bwp";
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

    // The sample projects that have a pose beside them show it.
    const auto share = std::filesystem::path(SampleLibraryDirectory()).parent_path().parent_path();
    ASSERT_TRUE(dialog->Project()->LoadProjectFile((share / "Projects" / "Male.bwp").string()));
    EXPECT_FALSE(dialog->GetCreaturePose().GetPose().IsRest()) << "the walking pose";
}

}  // namespace
}  // namespace bw::test
