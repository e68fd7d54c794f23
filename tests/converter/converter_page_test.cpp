// The Converter page in the real main dialog under Xvfb, driven through its widgets with the
// recording platform fakes: the tab, taking an object, the body part list, picking in the
// preview, selection buttons, row saves, the colour controls and what needs an object.
#include "converter/ui/converter_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "converter/colour_controls.h"
#include "converter/converter_objects.h"
#include "render/ui/preview_view.h"
#include "support/gui_fixture.h"

namespace bw::test {
namespace {

using testing::ElementsAre;

class ConverterPageTest : public testing::Test {
  protected:
    ConverterPageTest() : fixture(objects.Path().c_str()) {
        for (BodyPartId id = 0; id < kBodyPartCount; ++id)
            std::filesystem::create_directory(objects.Path() + "/" +
                                              std::string(ConverterDirectoryName(id)));
    }

    // F12 on the tab strip, then the Converter tab.
    MainDialog& Open() {
        MainDialog& dialog = fixture.Show();
        dialog.Tabs()->tabBar()->setFocus();
        QTest::keyClick(dialog.Tabs()->tabBar(), Qt::Key_F12);
        dialog.Tabs()->setCurrentIndex(MainDialog::kConverterTab);
        return dialog;
    }
    ConverterPage& Page() { return *fixture.Dialog().ConverterPage(); }
    ConverterModel& Model() { return fixture.Dialog().Converter(); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // "Get selected object" with the file dialog answering `path`.
    void Load(const std::string& path) {
        fixture.fileDialogs.answers.push_back(path);
        Click(Page().GetObjectButton());
    }
    std::string WriteObject(const PreparedObject& object) {
        return inputs.Write("prepared.bwo", ObjectFileOf(object));
    }
    static void Leave(QLineEdit* field) {
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &event);
    }
    static void Type(QLineEdit* field, const QString& text) {
        field->setText(text);
        Leave(field);
    }
    int Position(ConverterPage::Channel c) { return Page().Slider(c)->value(); }
    std::string Field(ConverterPage::Channel c) {
        return Page().ValueField(c)->text().toStdString();
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const RecordedMessage& m : fixture.notifier.messages)
            texts.push_back(m.caption + ": " + m.text);
        return texts;
    }
    // A left drag in the preview that ends on window pixel (x, y) of the last picture (y up).
    void PickAt(int x, int y) {
        PreviewView& view = *fixture.Dialog().Preview();
        const qreal ratio = view.devicePixelRatio();
        const QPointF at(x / ratio, (view.height() * ratio - 1 - y) / ratio);
        const QPointF from(1, 1);
        QMouseEvent press(QEvent::MouseButtonPress, from, view.mapToGlobal(from), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
        QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view.mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &release);
    }

    TemporaryDirectory objects;
    TemporaryDirectory inputs;
    MainDialogFixture fixture;
};

TEST_F(ConverterPageTest, TakesAPreparedSampleCreatureWithTheProgressBarRunning) {
    MainDialog& dialog = Open();
    EXPECT_TRUE(Page().isVisible());
    EXPECT_NE(dialog.Preview()->Scene(), nullptr);
    EXPECT_EQ(Model().viewMode, ConverterViewMode::Solid);
    EXPECT_EQ(Page().NameField()->text().toStdString(), "NewObject");
    EXPECT_EQ(Model().ObjectDirectory(), objects.Path());

    // Cancelled: nothing changes.
    Click(Page().GetObjectButton());
    EXPECT_EQ(Model().ObjectLoaded(), 0);
    Load(SampleLibraryDirectory() + "/../Prepared/Creature-Insect.bwo");
    ASSERT_EQ(Model().ObjectLoaded(), 1);
    EXPECT_TRUE(fixture.notifier.messages.empty());
    EXPECT_EQ(Page().ProgressBar()->value(), Page().ProgressBar()->maximum());
    ASSERT_EQ(fixture.fileDialogs.opened.size(), 2u);
    EXPECT_EQ(fixture.fileDialogs.opened[1].title, "Get selected object");
    EXPECT_EQ(Model().selectedBodyPart, 0);
    EXPECT_EQ(Page().RowLabel(1)->text().toStdString(), "To neck");
    EXPECT_EQ(Page().RowLabel(7)->text().toStdString(), "To right ear");
    float r = 0, g = 0, b = 0;
    Model().GetPartColour(r, g, b);
    EXPECT_EQ(Position(ConverterPage::kRed), PositionOfComponent(r));
    EXPECT_EQ(Field(ConverterPage::kBlue), std::to_string(PositionOfComponent(b)));

    // The picture: the preview draws the object (something besides the background).
    const QImage image = dialog.Preview()->DrawAndReadFrame();
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += image.pixelColor(x, y) != image.pixelColor(0, 0);
    EXPECT_GT(drawn, 2000);
    // The view buttons set the view mode.
    Click(dialog.ConverterViewButtons()[3]);  // Top
    EXPECT_EQ(Model().viewMode, ConverterViewMode::Top);
    Click(dialog.ConverterViewButtons()[0]);  // Wire
    EXPECT_EQ(Model().viewMode, ConverterViewMode::Wire);
}

TEST_F(ConverterPageTest, BodyPartChoiceUpdatesTheRowsAndSliders) {
    Open();
    Load(WriteObject(Tube(4, {0, 17})));
    Page().BodyPartList()->setCurrentIndex(17);  // Left leg
    EXPECT_EQ(Model().selectedBodyPart, 17);
    EXPECT_EQ(Page().RowLabel(1)->text().toStdString(), "To foot");
    EXPECT_EQ(Page().RowLabel(2)->text().toStdString(), "To thigh");
    for (int row = 3; row <= 7; ++row)
        EXPECT_EQ(Page().RowLabel(row)->text().toStdString(), "Not availible");
    // Material 17's colour is (17, 34, 51) / 255.
    EXPECT_EQ(Position(ConverterPage::kGreen), PositionOfComponent(34 / 255.0f));
    EXPECT_EQ(Field(ConverterPage::kBlue), std::to_string(PositionOfComponent(51 / 255.0f)));
}

TEST_F(ConverterPageTest, PicksInThePreviewToggleEveryPointWithinSevenPixels) {
    MainDialog& dialog = Open();
    PreparedObject object = Grid(2, 1, 1, 0, 7);
    // Two points next to each other, on no polygon.
    object.points.push_back({0.1f, 0.1f, 0.0f});
    object.points.push_back({0.1015f, 0.1f, 0.0f});
    object.normals.resize(object.points.size(), Vec3f{0, 0, 1});
    Load(WriteObject(object));
    (void)dialog.Preview()->DrawAndReadFrame();  // draws, and so projects every point
    const ConverterPoint a = Model().DisplayPoints()[6];
    const ConverterPoint b = Model().DisplayPoints()[7];
    ASSERT_LT(std::abs(a.windowX - b.windowX), 4);
    ASSERT_EQ(a.windowY, b.windowY);

    PickAt(std::min(a.windowX, b.windowX) - 7, a.windowY);  // exactly 7 pixels from the nearer
    EXPECT_EQ(Model().MarkedPoints().Count(), 0);
    PickAt(a.windowX, a.windowY);
    EXPECT_THAT(Model().MarkedPointIndices(), ElementsAre(6, 7));
    PickAt(a.windowX, a.windowY);  // again: both unselected
    EXPECT_EQ(Model().MarkedPoints().Count(), 0);
    EXPECT_EQ(Model().DisplayPoints()[6].selected, 0);
}

TEST_F(ConverterPageTest, RightAndMiddleDragsMoveTheConverterCameraWhateverTheSwap) {
    MainDialog& dialog = Open();
    PreviewView& view = *dialog.Preview();
    view.SetSwapMouseButtons(true);
    const auto drag = [&](Qt::MouseButton button, QPoint from, QPoint to,
                          Qt::KeyboardModifiers modifiers) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(from), view.mapToGlobal(QPointF(from)),
                          button, button, modifiers);
        QApplication::sendEvent(&view, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), view.mapToGlobal(QPointF(to)),
                         Qt::NoButton, button, modifiers);
        QApplication::sendEvent(&view, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(to), view.mapToGlobal(QPointF(to)),
                            button, Qt::NoButton, modifiers);
        QApplication::sendEvent(&view, &release);
    };
    drag(Qt::RightButton, {100, 100}, {150, 80}, Qt::NoModifier);  // dx = -50, dy = 20
    EXPECT_FLOAT_EQ(Model().viewOffsetX, 0.1f);
    EXPECT_FLOAT_EQ(Model().viewOffsetY, 0.04f);
    drag(Qt::RightButton, {100, 100}, {150, 80}, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(Model().heading, 0.1f);
    EXPECT_FLOAT_EQ(Model().pitch, 0.04f);
    drag(Qt::RightButton, {100, 100}, {100, 50}, Qt::ShiftModifier);  // 50 up
    EXPECT_FLOAT_EQ(Model().viewDistance, -0.1f);
    drag(Qt::MiddleButton, {100, 100}, {100, 150}, Qt::NoModifier);
    EXPECT_NEAR(Model().viewDistance, 0.0f, 1e-7);
    // The creature's camera stays where it was; a double click changes nothing here.
    EXPECT_EQ(dialog.GetCreature().panX, 0.0f);
    EXPECT_EQ(dialog.GetCreature().yaw, 0.0f);
    QTest::mouseDClick(&view, Qt::RightButton);
    EXPECT_FLOAT_EQ(Model().heading, 0.1f);
}

TEST_F(ConverterPageTest, HideRestAutoSelectAndFlipSelection) {
    Open();
    Load(WriteObject(Tube(4, {0, 7})));
    Click(Page().HideRestBox());
    EXPECT_EQ(Model().hideRest, 1);
    Click(Page().ShowSelectionBox());
    EXPECT_EQ(Model().showSelection, 1);
    ASSERT_TRUE(Model().MarkPoint(TubePoint(4, 1, 0)));  // A, on the head-neck seam
    Click(Page().AutoSelectButton());
    EXPECT_THAT(Model().MarkedPointIndices(), ElementsAre(4, 5, 6, 7));  // A, B, C, D
    Click(Page().FlipSelectionButton());
    EXPECT_THAT(Model().MarkedPointIndices(), ElementsAre(4, 7, 6, 5));  // A, D, C, B
    Click(Page().UnselectButton());
    EXPECT_EQ(Model().MarkedPoints().Count(), 0);
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(ConverterPageTest, RowSavesCheckTheBoxesFromTheSavedMask) {
    Open();
    Click(Page().RowSaveButton(1));
    EXPECT_THAT(MessageTexts(), ElementsAre("Error!: No Object loaded!"));
    fixture.notifier.messages.clear();

    Load(WriteObject(Tube(4, {0, 7})));
    Page().BodyPartList()->setCurrentIndex(7);  // Neck
    Click(Page().SavePartButton());
    Click(Page().RowSaveButton(1));
    Click(Page().RowSaveButton(3));
    const std::string path = objects.Path() + "/Neck/NewObject.bwo";
    EXPECT_THAT(MessageTexts(),
                ElementsAre("Info: ObjectPart saved", "Part to save:: " + path, "Info: Part1 Saved",
                            "Part to save:: " + path, "Info: Part3 Saved"));
    EXPECT_EQ(Model().Group(7).setsSavedMask, 0x101u);
    std::vector<bool> checked;
    for (int row = 1; row <= 7; ++row) checked.push_back(Page().RowSavedBox(row)->isChecked());
    EXPECT_THAT(checked, ElementsAre(true, false, true, false, false, false, false));
    EXPECT_FALSE(Page().RowSavedBox(1)->isEnabled());
    // Another body part leaves the boxes alone until the next row save.
    Page().BodyPartList()->setCurrentIndex(0);
    EXPECT_TRUE(Page().RowSavedBox(3)->isChecked());
}

TEST_F(ConverterPageTest, SliderAndValueFieldRules) {
    Open();
    Type(Page().ValueField(ConverterPage::kRed), "300");
    EXPECT_EQ(Field(ConverterPage::kRed), "256");
    EXPECT_EQ(Position(ConverterPage::kRed), 255);

    Load(WriteObject(Tube(4, {0, 7})));
    Type(Page().ValueField(ConverterPage::kRed), "300");
    EXPECT_EQ(Field(ConverterPage::kRed), "255");
    EXPECT_EQ(Model().Materials()[0].colour[0], 255 * 0.003921569f);
    Type(Page().ValueField(ConverterPage::kGreen), "");
    EXPECT_EQ(Field(ConverterPage::kGreen), "0");
    // The left arrow at 0 stays at 0.
    QScrollBar* green = Page().Slider(ConverterPage::kGreen);
    QTest::keyClick(green, Qt::Key_Left);
    EXPECT_EQ(green->value(), 0);
    EXPECT_EQ(Field(ConverterPage::kGreen), "0");
    EXPECT_EQ(Model().Materials()[0].colour[1], 0.0f);
    // A page step moves by one, like a line step.
    green->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(green->value(), 1);
    EXPECT_EQ(Field(ConverterPage::kGreen), "1");
    EXPECT_EQ(Model().Materials()[0].colour[1], 0.003921569f);
    EXPECT_EQ(Model().Materials()[0].dataBlock[7], 1);
}

TEST_F(ConverterPageTest, CopyPastePresetAndApplyOnAllSurfaces) {
    Open();
    Load(WriteObject(Tube(4, {0, 7})));
    Type(Page().ValueField(ConverterPage::kRed), "10");
    Type(Page().ValueField(ConverterPage::kGreen), "20");
    Type(Page().ValueField(ConverterPage::kBlue), "30");
    EXPECT_FALSE(Page().PasteButton()->isEnabled());
    Click(Page().CopyButton());
    EXPECT_TRUE(Page().PasteButton()->isEnabled());
    EXPECT_EQ(Page().ColourClipboard(), (std::array<std::uint8_t, 3>{10, 20, 30}));

    Page().BodyPartList()->setCurrentIndex(7);
    Click(Page().PasteButton());
    EXPECT_EQ(Position(ConverterPage::kBlue), 30);
    EXPECT_EQ(Model().Materials()[7].colour[2], 30 * 0.003921569f);
    EXPECT_EQ(Model().Materials()[7].dataBlock[8], 30);

    QTest::keyClick(Page().PresetList(), Qt::Key_Down);  // "Beastwright Gray"
    EXPECT_EQ(Page().PresetList()->currentIndex(), 1);
    for (auto c : {ConverterPage::kRed, ConverterPage::kGreen, ConverterPage::kBlue}) {
        EXPECT_EQ(Position(c), 180);
        EXPECT_EQ(Field(c), "180");
    }
    EXPECT_EQ(Model().Materials()[7].colour[0], 180 * 0.003921569f);
    EXPECT_NE(Model().Materials()[3].colour[0], 180 * 0.003921569f);
    Click(Page().ApplyToAllButton());
    for (int m = 0; m < 22; ++m)
        EXPECT_EQ(Model().Materials()[std::size_t(m)].colour[0], 180 * 0.003921569f);
}

TEST_F(ConverterPageTest, WithoutAnObjectOnlyHideRestAutoSelectAndUnselectAct) {
    Open();
    QScrollBar* red = Page().Slider(ConverterPage::kRed);
    QTest::keyClick(red, Qt::Key_Right);
    red->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(red->value(), 0);
    EXPECT_EQ(Field(ConverterPage::kRed), "0");
    Click(Page().CopyButton());
    EXPECT_FALSE(Page().PasteButton()->isEnabled());
    QTest::keyClick(Page().PresetList(), Qt::Key_Down);
    EXPECT_EQ(red->value(), 0);
    Click(Page().ApplyToAllButton());
    Click(Page().ShowSelectionBox());
    EXPECT_EQ(Model().showSelection, 0);
    Click(Page().FlipSelectionButton());
    Page().BodyPartList()->setCurrentIndex(5);
    EXPECT_EQ(Model().selectedBodyPart, 0);
    EXPECT_TRUE(fixture.notifier.messages.empty());

    Click(Page().HideRestBox());
    EXPECT_EQ(Model().hideRest, 1);
    Click(Page().AutoSelectButton());
    EXPECT_THAT(MessageTexts(), ElementsAre("Error: Need atleast 1 marked point!"));
    Click(Page().UnselectButton());
    Click(Page().SavePartButton());
    EXPECT_EQ(MessageTexts().back(), "Error: No object to save!");
}

TEST_F(ConverterPageTest, NameDirectoryAndKeysOfThePage) {
    MainDialog& dialog = Open();
    Type(Page().NameField(), "Horned");
    EXPECT_EQ(Model().ObjectName(), "Horned");
    EXPECT_EQ(dialog.CurrentConfiguration().convertObjectName, "Horned");
    fixture.fileDialogs.answers.push_back(std::string("/home/ann/convert/anything"));
    Click(Page().ChooseDirectoryButton());
    EXPECT_EQ(Page().DirectoryField()->text().toStdString(), "/home/ann/convert");
    EXPECT_EQ(dialog.CurrentConfiguration().convertObjectDir, "/home/ann/convert");
    EXPECT_EQ(Model().ObjectDirectory(), objects.Path()) << "parts still go below ObjectDir";
    EXPECT_EQ(fixture.fileDialogs.opened.back().proposedName, "(none)");

    Page().setFocus();
    QTest::keyClick(&Page(), Qt::Key_Return);
    EXPECT_THAT(MessageTexts(), ElementsAre("Beastwright: Enter"));
    // Return in an edit takes its text and leaves the dialog open.
    Page().NameField()->setText("Tusked");
    QTest::keyClick(Page().NameField(), Qt::Key_Return);
    EXPECT_EQ(Model().ObjectName(), "Tusked");
    Page().ValueField(ConverterPage::kRed)->setText("999");
    QTest::keyClick(Page().ValueField(ConverterPage::kRed), Qt::Key_Return);
    EXPECT_EQ(Field(ConverterPage::kRed), "256");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    std::vector<std::string> unnamed;
    for (QWidget* w : Page().findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QScrollBar*>(w) ||
                             qobject_cast<QProgressBar*>(w);
        if (control && w->accessibleName().isEmpty())
            unnamed.push_back(w->metaObject()->className());
    }
    EXPECT_TRUE(unnamed.empty()) << unnamed.front();
}

}  // namespace
}  // namespace bw::test
