// The main dialog driven through its real widgets: tabs, the converter tab toggle, the view
// buttons, keys, start-up without configuration or OpenGL, and the configuration written at
// exit.
#include "app/ui/main_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ui/application.h"
#include "edit/ui/edit_parts_page.h"
#include "model/body_part_catalogue.h"
#include "platform/ui/termination_signal.h"
#include "render/ui/opengl_probe.h"
#include "render/ui/preview_container.h"
#include "render/ui/preview_view.h"
#include "select/ui/select_parts_page.h"
#include "support/gui_fixture.h"
#include "support/spawned_process.h"
#include "ui/dialog_units.h"

namespace bw::test {
namespace {

std::vector<std::string> TabTexts(const QTabWidget& tabs) {
    std::vector<std::string> texts;
    for (int i = 0; i < tabs.count(); ++i) texts.push_back(tabs.tabText(i).toStdString());
    return texts;
}

// The dialog built without a preview, having shown the one OpenGL message `text`.
void ExpectNoPreviewAndTheOpenGlMessage(MainDialogFixture& fixture, const std::string& text) {
    EXPECT_EQ(fixture.Show().Preview(), nullptr);
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].text, text);
    EXPECT_EQ(fixture.notifier.messages[0].caption, "OpenGL Error");
}

void PressF12OnTabStrip(MainDialog& dialog) {
    dialog.Tabs()->tabBar()->setFocus();
    QTest::keyClick(dialog.Tabs()->tabBar(), Qt::Key_F12);
}

TEST(MainDialogTest, StartsWithFourTabsTitleAndProjectPageSelected) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    EXPECT_EQ(TabTexts(*dialog.Tabs()),
              (std::vector<std::string>{"Project", "Preference", "Select Parts", "Edit Parts"}));
    EXPECT_EQ(dialog.Tabs()->currentIndex(), MainDialog::kProjectTab);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Beastwright Pro");
    ASSERT_NE(dialog.Preview(), nullptr);
    EXPECT_EQ(dialog.GetCreature().lightLevel, 0.5f);
    EXPECT_TRUE(fixture.notifier.messages.empty());

    dialog.Tabs()->tabBar()->setCurrentIndex(MainDialog::kSelectPartsTab);
    EXPECT_EQ(dialog.Preview()->Scene(), nullptr);
    EXPECT_TRUE(dialog.SelectParts()->isVisible());
}

TEST(MainDialogTest, F12OnTheTabStripTogglesTheConverterTabAndRefusesWhileSelected) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    PressF12OnTabStrip(dialog);
    ASSERT_EQ(dialog.Tabs()->count(), 5);
    EXPECT_EQ(dialog.Tabs()->tabText(4).toStdString(), "Converter");
    PressF12OnTabStrip(dialog);
    EXPECT_EQ(dialog.Tabs()->count(), 4);

    PressF12OnTabStrip(dialog);
    dialog.Tabs()->setCurrentIndex(MainDialog::kConverterTab);
    PressF12OnTabStrip(dialog);
    EXPECT_EQ(dialog.Tabs()->count(), 5);
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].text,
              "Can't delete the Converter when it is the selected Tab");
    EXPECT_EQ(fixture.notifier.messages[0].caption, "Easter Egg Hunt");
}

TEST(MainDialogTest, ConverterViewButtonsChangeVisibilityOnlyAtATabChange) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    auto visible = [&] {
        int n = 0;
        for (QPushButton* b : dialog.ConverterViewButtons()) n += b->isVisible();
        return n;
    };
    auto enabled = [&] {
        int n = 0;
        for (QPushButton* b : dialog.ConverterViewButtons()) n += b->isEnabled();
        return n;
    };
    EXPECT_EQ(visible(), 0);
    PressF12OnTabStrip(dialog);
    EXPECT_EQ(visible(), 0) << "inserting the tab alone shows nothing";
    dialog.Tabs()->setCurrentIndex(MainDialog::kConverterTab);
    EXPECT_EQ(visible(), 6);
    EXPECT_EQ(enabled(), 6);
    EXPECT_TRUE(dialog.ConverterViewButtons()[1]->isChecked()) << "Solid starts checked";
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    EXPECT_EQ(visible(), 6);
    EXPECT_EQ(enabled(), 0);
    PressF12OnTabStrip(dialog);
    EXPECT_EQ(visible(), 6) << "deleting the tab alone hides nothing";
    dialog.Tabs()->setCurrentIndex(MainDialog::kProjectTab);
    EXPECT_EQ(visible(), 0);
}

TEST(MainDialogTest, AClickOnTheTabStripLeavesItTheFocusSoF12TogglesTheConverter) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    MakeActiveWindow(dialog);
    QTabBar* strip = dialog.Tabs()->tabBar();
    QTest::mouseClick(strip, Qt::LeftButton, {},
                      strip->tabRect(MainDialog::kSelectPartsTab).center());
    ASSERT_EQ(dialog.Tabs()->currentIndex(), MainDialog::kSelectPartsTab);
    EXPECT_EQ(QApplication::focusWidget(), strip);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_F12);
    EXPECT_EQ(dialog.Tabs()->count(), 5);
    EXPECT_TRUE(fixture.notifier.messages.empty());
    // A change made without the strip still gives the page the focus.
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    EXPECT_TRUE(dialog.EditParts()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == dialog.EditParts());
}

TEST(MainDialogTest, OnlyTheConverterViewModeInForceLooksPressed) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    PressF12OnTabStrip(dialog);
    dialog.Tabs()->setCurrentIndex(MainDialog::kConverterTab);
    auto pressed = [&] {
        std::vector<std::string> names;
        for (QPushButton* b : dialog.ConverterViewButtons())
            if (b->isChecked()) names.push_back(b->text().toStdString());
        return names;
    };
    EXPECT_EQ(pressed(), std::vector<std::string>{"Solid"});
    QTest::mouseClick(ButtonNamed(dialog, "Converter view Top"), Qt::LeftButton);
    EXPECT_EQ(pressed(), std::vector<std::string>{"Top"});
    QTest::mouseClick(ButtonNamed(dialog, "Converter view Smooth"), Qt::LeftButton);
    EXPECT_EQ(pressed(), std::vector<std::string>{"Smooth"});
}

TEST(MainDialogTest, BottomControlsSitAtTheirDialogUnitPositions) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    const DialogUnits units(dialog.font());
    EXPECT_EQ(ButtonNamed(dialog, "Smooth")->geometry(), units.Rect(80, 397, 40, 12));
    EXPECT_EQ(ButtonNamed(dialog, "Wireframe")->geometry(), units.Rect(155, 397, 46, 12));
    EXPECT_EQ(ButtonNamed(dialog, "Symmetry Off")->geometry(), units.Rect(228, 370, 30, 10));
    EXPECT_EQ(ButtonNamed(dialog, "Symmetry On")->geometry(), units.Rect(228, 381, 30, 10));
    QGroupBox* symmetry = nullptr;
    for (auto* box : dialog.findChildren<QGroupBox*>())
        if (box->accessibleName() == "Symmetry") symmetry = box;
    ASSERT_NE(symmetry, nullptr);
    EXPECT_EQ(symmetry->geometry(), units.Rect(223, 360, 172, 46));
}

TEST(MainDialogTest, AContextWithoutDepthOrDoubleBufferingSaysThePixelFormatFailed) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str(), OpenGlSetup::NoPixelFormat);
    ExpectNoPreviewAndTheOpenGlMessage(
        fixture, "Unable to Setup PixelFormat, Please install a new OpenGL driver.");

    QSurfaceFormat format = PreviewView::RequestedFormat();
    EXPECT_EQ(JudgeContextFormat(format), OpenGlSetup::Ready);
    format.setDepthBufferSize(0);
    EXPECT_EQ(JudgeContextFormat(format), OpenGlSetup::NoPixelFormat);
    format = PreviewView::RequestedFormat();
    format.setSwapBehavior(QSurfaceFormat::SingleBuffer);
    EXPECT_EQ(JudgeContextFormat(format), OpenGlSetup::NoPixelFormat);
    EXPECT_EQ(ProbeOpenGl(), OpenGlSetup::Ready) << "this display's context has both";
}

TEST(MainDialogTest, KeysReachingTheDialogItselfShowTheirMessages) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    dialog.setFocus();
    QTest::keyClick(&dialog, Qt::Key_Up);
    QTest::keyRelease(&dialog, Qt::Key_F12);
    ASSERT_EQ(fixture.notifier.messages.size(), 2u);
    EXPECT_EQ(fixture.notifier.messages[0].text, "Enter");
    EXPECT_EQ(fixture.notifier.messages[1].text, "It's an Easter Egg Hunt!");
    EXPECT_EQ(fixture.notifier.messages[1].caption, "Beastwright");
    EXPECT_EQ(dialog.Tabs()->count(), 4);
}

TEST(MainDialogTest, EveryControlHasAnAccessibleName) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    std::vector<std::string> unnamed;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) || w == dialog.PreviewContainer();
        if (control && w->accessibleName().isEmpty())
            unnamed.push_back(w->metaObject()->className() + std::string(" ") +
                              w->objectName().toStdString());
    }
    EXPECT_TRUE(unnamed.empty()) << unnamed.size() << " unnamed, first " << unnamed.front();
    ASSERT_NE(dialog.PreviewContainer(), nullptr);
    EXPECT_EQ(dialog.PreviewContainer()->accessibleName().toStdString(), "Preview");
}

TEST(MainDialogTest, WithoutConfigurationTheListsSayNoFilesAndNothingIsShown) {
    MainDialogFixture fixture(nullptr);
    MainDialog& dialog = fixture.Show();
    EXPECT_TRUE(fixture.notifier.messages.empty());
    EXPECT_EQ(dialog.CurrentConfiguration().objectDir, "");
    QComboBox* head = dialog.SelectParts()->PartListBox(0);
    ASSERT_EQ(head->count(), 2);
    EXPECT_EQ(head->itemText(0).toStdString(), " (none) ");
    EXPECT_EQ(head->itemText(1).toStdString(), "No Files");
}

TEST(MainDialogTest, WithoutOpenGlTheMessageIsShownAndTheWindowStillWorks) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str(), OpenGlSetup::NoContext);
    MainDialog& dialog = fixture.Show();
    ExpectNoPreviewAndTheOpenGlMessage(
        fixture, "Unable to Setup OpenGL, Please install a new OpenGL driver.");
    dialog.Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
    QComboBox* head = dialog.SelectParts()->PartListBox(0);
    ASSERT_GT(head->count(), 2);
    head->setCurrentIndex(1);
    emit head->activated(1);
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);
}

TEST(MainDialogTest, SigtermClosesAnOpenMessageBoxAndEndsLikeTheCloseBox) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    bool boxEnded = false;
    QTimer::singleShot(0, [&boxEnded] {
        QMessageBox box(QMessageBox::Information, "Caption", "Text", QMessageBox::Ok,
                        QApplication::activeModalWidget());
        // Raised from inside the box's own modal loop, once it is running.
        QTimer::singleShot(0, [] { raise(SIGTERM); });
        box.exec();
        boxEnded = true;
    });
    EXPECT_EQ(RunMainDialog(fixture.Platform(), fixture.start.Path()), QDialog::Rejected);
    EXPECT_TRUE(boxEnded);
    const std::string written = ReadText(fixture.start.Path() + "/bw.cfg");
    EXPECT_NE(written.find("ConvertObjectName NewObject\n"), std::string::npos) << written;
}

TEST(MainDialogTest, OneSigtermIsAnsweredOnce) {
    TerminationSignal termination;
    int received = 0;
    QObject::connect(&termination, &TerminationSignal::Received, [&received] { ++received; });
    raise(SIGTERM);
    ASSERT_TRUE(WaitUntil(
        [&] {
            QCoreApplication::processEvents();
            return received > 0;
        },
        10));
    // Further turns of the event loop find nothing more to answer.
    for (int turn = 0; turn < 50; ++turn) QCoreApplication::processEvents();
    EXPECT_EQ(received, 1);
    EXPECT_TRUE(termination.WasReceived());
}

// Shows the configuration's write error as a real modal box, which it answers itself only
// after the closing that follows SIGTERM would have acted on it more than once.
class ModalBoxNotifier : public RecordingNotifier {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override {
        RecordingNotifier::ShowMessage(text, caption, icon, buttons);
        QDialog box;
        box.setModal(true);
        QObject::connect(&box, &QDialog::rejected, [this] { closedByProgram = true; });
        QTimer::singleShot(50, &box, [&box] { box.accept(); });
        box.exec();
        return MessageResult::Ok;
    }
    bool closedByProgram = false;
};

TEST(MainDialogTest, AfterSigtermTheMessageAboutWritingTheConfigurationStaysOpenUntilAnswered) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    ModalBoxNotifier notifier;
    const MainDialogPlatform base = fixture.Platform();
    const MainDialogPlatform platform{notifier,   base.files,  base.fileDialogs, base.colourChooser,
                                      base.shell, base.random, base.openGl};
    const std::string configuration = fixture.start.Path() + "/bw.cfg";
    QTimer::singleShot(0, [&configuration] {
        // A folder where the configuration goes: writing it fails even for the superuser.
        std::filesystem::remove(configuration);
        std::filesystem::create_directory(configuration);
        raise(SIGTERM);
    });
    EXPECT_EQ(RunMainDialog(platform, fixture.start.Path()), QDialog::Rejected);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "Unable to open config file for writing!");
    EXPECT_FALSE(notifier.closedByProgram);
}

TEST(MainDialogTest, SigtermWithAChangedCreatureAsksNothingAndWritesItForTheNextStart) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MainDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QComboBox* head = dialog->SelectParts()->PartListBox(0);
        head->setCurrentIndex(1);
        emit head->activated(1);
        raise(SIGTERM);
    });
    EXPECT_EQ(RunMainDialog(fixture.Platform(), fixture.start.Path()), QDialog::Rejected);
    for (const RecordedMessage& message : fixture.notifier.messages)
        EXPECT_NE(message.buttons, MessageButtons::SaveDiscardCancel) << message.text;
    const std::string recovered = ReadText(fixture.start.Path() + "/bw-recovered.bwp");
    EXPECT_NE(recovered.find("Head"), std::string::npos) << recovered;
}

TEST(MainDialogTest, EscapeEndsTheDialogAndStillWritesTheConfiguration) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(RunMainDialog(fixture.Platform(), fixture.start.Path()), QDialog::Rejected);
    const std::string written = ReadText(fixture.start.Path() + "/bw.cfg");
    EXPECT_NE(written.find("ObjectDir " + SampleLibraryDirectory() + "\n"), std::string::npos)
        << written;
    EXPECT_NE(written.find("BgColor 0.100000 0.200000 0.300000 0.000000\n"), std::string::npos);
    EXPECT_NE(written.find("ConvertObjectName NewObject\n"), std::string::npos);
}

TEST(MainDialogTest, ShadingRadiosSetTheCreaturesShadingMode) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    for (auto* radio : dialog.findChildren<QAbstractButton*>()) {
        if (radio->text() == "Wireframe") QTest::mouseClick(radio, Qt::LeftButton);
    }
    EXPECT_EQ(dialog.GetCreature().shadingMode, ShadingMode::Wireframe);
    EXPECT_EQ(dialog.GetCreature().wireColour, (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
}

TEST(MainDialogTest, RandomCreatureOfATypeAndClearCreatureDriveTheLists) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    auto* type = dialog.findChild<QComboBox*>();
    ASSERT_NE(type, nullptr);
    for (auto* box : dialog.findChildren<QComboBox*>())
        if (box->accessibleName() == "Creature type") type = box;
    type->setCurrentIndex(3);  // Insect
    QTest::mouseClick(ButtonNamed(dialog, "Random Creature"), Qt::LeftButton);
    EXPECT_EQ(dialog.CreatureType(), 3);
    EXPECT_EQ(fixture.random.seeds, 1);
    ASSERT_EQ(dialog.GetCreature().PartCount(), kBodyPartCount);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i)
        EXPECT_EQ(dialog.SelectParts()->PartListBox(i)->currentText().left(7), "Insect-")
            << BodyPartName(i);
    EXPECT_TRUE(fixture.notifier.messages.empty());

    QTest::mouseClick(ButtonNamed(dialog, "Clear Creature"), Qt::LeftButton);
    EXPECT_EQ(dialog.GetCreature().PartCount(), 0);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i)
        EXPECT_EQ(dialog.SelectParts()->PartListBox(i)->currentIndex(), 0);
}

TEST(MainDialogTest, SymmetryControlsMirrorAndShowTheirState) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    SelectPartsPage& page = *dialog.SelectParts();
    const BodyPartId leftEar = *BodyPartIdOfName("Left ear");
    const BodyPartId rightEar = *BodyPartIdOfName("Right ear");
    QComboBox* right = page.PartListBox(rightEar);
    right->setCurrentIndex(2);
    emit right->activated(2);

    QAbstractButton* headLeft = ButtonNamed(dialog, "Head Features <<");
    QAbstractButton* headRight = ButtonNamed(dialog, "Head Features >>");
    EXPECT_TRUE(headRight->isChecked());
    QTest::mouseClick(headLeft, Qt::LeftButton);
    EXPECT_TRUE(headLeft->isChecked());
    EXPECT_FALSE(headRight->isChecked());
    EXPECT_EQ(page.PartListBox(leftEar)->currentIndex(), 0) << "symmetry off: only recorded";
    QTest::mouseClick(headRight, Qt::LeftButton);

    QTest::mouseClick(ButtonNamed(dialog, "Symmetry On"), Qt::LeftButton);
    EXPECT_TRUE(dialog.Symmetry().IsOn());
    for (auto* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == "All") {
            EXPECT_TRUE(label->isEnabled());
        }
    }
    EXPECT_EQ(page.PartListBox(leftEar)->currentText(), right->currentText());
    EXPECT_EQ(dialog.GetCreature().PartCount(), 2);

    QTest::mouseClick(ButtonNamed(dialog, "Symmetry Off"), Qt::LeftButton);
    EXPECT_FALSE(dialog.Symmetry().IsOn());
    EXPECT_EQ(page.PartListBox(leftEar)->currentIndex(), 0) << "back to its own choice";
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);
}

TEST(MainDialogTest, ReturnInAValueEditTakesTheNumberAndKeepsTheWindowOpen) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    QComboBox* head = dialog.SelectParts()->PartListBox(0);
    head->setCurrentIndex(1);
    emit head->activated(1);
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    QComboBox* object = dialog.EditParts()->ObjectList();
    object->setCurrentIndex(1);  // Head
    emit object->activated(1);
    QLineEdit* value = dialog.EditParts()->ValueEdit(AdjustGroup::X);
    ASSERT_TRUE(value->isEnabled());
    value->setFocus();
    value->selectAll();
    QTest::keyClicks(value, "0.25");
    QTest::keyClick(value, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FLOAT_EQ(dialog.GetCreature().Part(0)->adjustments.scaleValue[0], 0.25f);
}

TEST(MainDialogTest, EditPartsShowsThePartNowInItsBodyPartAfterChangesElsewhere) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    MakeActiveWindow(dialog);
    QComboBox* head = dialog.SelectParts()->PartListBox(0);
    const auto chooseHead = [head](int entry) {
        head->setCurrentIndex(entry);
        emit head->activated(entry);
    };
    chooseHead(1);
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    EditPartsPage& page = *dialog.EditParts();
    page.ObjectList()->setCurrentIndex(1);  // Head
    emit page.ObjectList()->activated(1);
    QLineEdit* value = page.ValueEdit(AdjustGroup::X);
    value->setFocus();
    value->selectAll();
    QTest::keyClicks(value, "0.25");
    QTest::keyClick(value, Qt::Key_Return);
    ASSERT_FLOAT_EQ(dialog.GetCreature().Part(0)->adjustments.scaleValue[0], 0.25f);

    // Another head chosen on Select Parts: back on Edit Parts the fresh part's values show,
    // and leaving the field writes nothing stale into it.
    dialog.Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
    chooseHead(2);
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    EXPECT_EQ(value->text(), "0.000000");
    value->setFocus();
    page.StepEdit(AdjustGroup::X)->setFocus();
    EXPECT_EQ(dialog.GetCreature().Part(0)->adjustments.scaleValue[0], 0.0f);

    // Clear Creature with the page in view: no part, empty disabled controls.
    value->setFocus();
    value->selectAll();
    QTest::keyClicks(value, "0.5");
    QTest::keyClick(value, Qt::Key_Return);
    QTest::mouseClick(ButtonNamed(dialog, "Clear Creature"), Qt::LeftButton);
    EXPECT_FALSE(value->isEnabled());
    EXPECT_NE(value->text(), "0.500000");
}

TEST(MainDialogTest, TheObjectListOpensWithItsCurrentEntryUnderThePointer) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    MakeActiveWindow(dialog);
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    QComboBox* object = dialog.EditParts()->ObjectList();
    const int leftArm = object->findText("Left arm");
    ASSERT_GT(leftArm, 0);
    object->setCurrentIndex(leftArm);
    object->showPopup();
    QAbstractItemView* list = object->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QRect entry = list->visualRect(list->model()->index(leftArm, 0));
    const QPoint entryCentre = list->viewport()->mapToGlobal(entry.center());
    const QPoint boxCentre = object->mapToGlobal(object->rect().center());
    EXPECT_LE(std::abs(entryCentre.y() - boxCentre.y()), entry.height() / 2);
    // A click where the box was picks the current entry, not a neighbour.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->viewport()->mapFromGlobal(boxCentre));
    EXPECT_EQ(object->currentIndex(), leftArm);
}

}  // namespace
}  // namespace bw::test
