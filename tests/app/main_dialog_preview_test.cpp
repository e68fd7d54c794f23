// The preview inside the real main dialog: a native window of its own that keeps keys away
// from the dialog's default button, presents frames without repainting the dialog, and takes
// the room a larger dialog gives it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <array>

#include "app/ui/main_dialog.h"
#include "render/ui/preview_container.h"
#include "render/ui/preview_view.h"
#include "select/ui/part_thumbnails.h"
#include "select/ui/select_parts_page.h"
#include "support/gui_fixture.h"
#include "support/object_file_builder.h"

namespace bw::test {
namespace {

QAbstractButton* ButtonNamed(MainDialog& dialog, const QString& accessibleName) {
    for (auto* button : dialog.findChildren<QAbstractButton*>())
        if (button->accessibleName() == accessibleName) return button;
    ADD_FAILURE() << "no button " << accessibleName.toStdString();
    return nullptr;
}

// Counts the paint events of the widgets it watches and the update requests of the dialog's
// own window, where composing the whole dialog starts.
class RepaintCounter : public QObject {
  public:
    explicit RepaintCounter(MainDialog& dialog) {
        dialog.installEventFilter(this);
        for (QWidget* child : dialog.findChildren<QWidget*>()) child->installEventFilter(this);
    }
    int paints = 0;
    int updateRequests = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        updateRequests += event->type() == QEvent::UpdateRequest;
        return false;
    }
};

// A cube 0.2 units wide around the origin as the head: drawn in the middle of the preview.
void AddCentredCube(Creature& creature, TemporaryDirectory& directory) {
    ObjectFileContents cube = CubeContents({-0.5f, -0.5f, -0.5f});
    for (Vec3f& p : cube.points) p = {p.x * 0.2f, p.y * 0.2f, p.z * 0.2f};
    ASSERT_TRUE(creature.AddPart("Head", directory.Write("Head/Cube.bwo", Encode(cube)), 0));
}

// The bounding box of the pixels that differ from the top-left one (the background).
QRect DrawnBounds(const QImage& image) {
    QRect bounds;
    const QColor background = image.pixelColor(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(MainDialogPreviewTest, ReturnAndEnterWithTheFocusInThePreviewKeepTheProgramAndItsCreature) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    TemporaryDirectory parts;
    AddCentredCube(dialog.GetCreature(), parts);
    dialog.Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
    ButtonNamed(dialog, "Random Creature")->setFocus();

    PreviewView& view = *dialog.Preview();
    // The window system never gives the view's window the keyboard focus (a click in it would
    // otherwise hand the focus about between windows), so keys keep arriving at the dialog.
    EXPECT_TRUE(view.flags() & Qt::WindowDoesNotAcceptFocus);
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30 + 10 * click));
        ASSERT_EQ(dialog.focusWidget(), dialog.PreviewContainer()) << "the click took the focus";
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(dialog.focusWidget(), key);
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0) << "Done was not pressed";
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST(MainDialogPreviewTest, AFramePresentsThePreviewAloneAndManyRequestsMakeOneFrame) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    PreviewView& view = *dialog.Preview();
    // The start-up work is over: the first frame, and the list pictures' warm-up after it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.SelectParts()->Thumbnails().WarmedUp(); }));
    QCoreApplication::processEvents();
    RepaintCounter counter(dialog);
    QSignalSpy frames(&view, &QOpenGLWindow::frameSwapped);
    for (int k = 0; k < 3; ++k) view.Invalidate();
    ASSERT_TRUE(frames.wait(5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(frames.count(), 1);
    EXPECT_EQ(counter.paints, 0) << "no control painted for the frame";
    EXPECT_EQ(counter.updateRequests, 0) << "the dialog's window was not composed";

    // The platform's own update request, which follows Qt's update after its idle time,
    // finds nothing changed: no frame.
    QEvent laterRequest(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&view, &laterRequest);
    QCoreApplication::processEvents();
    EXPECT_EQ(frames.count(), 1);
}

TEST(MainDialogPreviewTest, AResizedDialogGivesThePreviewTheRoomAndKeepsTheControlsInPlace) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    TemporaryDirectory parts;
    AddCentredCube(dialog.GetCreature(), parts);
    QWidget* container = dialog.PreviewContainer();
    PreviewView& view = *dialog.Preview();
    const QSize start = dialog.size();
    EXPECT_EQ(dialog.minimumSize(), start) << "it starts at its smallest size";
    const QRect startPreview = container->geometry();
    const QRect startTabs = dialog.Tabs()->geometry();
    QAbstractButton* done = ButtonNamed(dialog, "Done");
    QAbstractButton* symmetryOn = ButtonNamed(dialog, "Symmetry On");
    const QRect startDone = done->geometry();
    const QRect startSymmetry = symmetryOn->geometry();

    const QSize grown(300, 160);
    dialog.resize(start + grown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.size() == startPreview.size() + grown; }));
    EXPECT_EQ(container->geometry(), QRect(startPreview.topLeft(), startPreview.size() + grown));
    EXPECT_EQ(dialog.Tabs()->geometry(), startTabs);
    EXPECT_EQ(done->geometry(), startDone.translated(0, grown.height()));
    EXPECT_EQ(symmetryOn->geometry(), startSymmetry.translated(0, grown.height()));

    const QImage frame = view.DrawAndReadFrame();
    const QSize device = view.size() * view.devicePixelRatio();
    EXPECT_EQ(frame.size(), device);
    view.makeCurrent();
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    view.doneCurrent();
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, device.width(), device.height()}));

    // The cube's front face stays square and in the middle: the projection follows the aspect.
    const QRect cube = DrawnBounds(frame);
    ASSERT_FALSE(cube.isEmpty());
    EXPECT_NEAR(cube.center().x(), frame.width() / 2, 2);
    EXPECT_NEAR(cube.center().y(), frame.height() / 2, 2);
    EXPECT_NEAR(cube.width(), cube.height(), 2);
}

}  // namespace
}  // namespace bw::test
