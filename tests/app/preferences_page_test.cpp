// The Preference page in the real main dialog: directory choosers (the "(none)" case, a file in
// the root, cancelling, long paths, line breaks), the object directory field's focus loss,
// the colour swatches through the colour chooser, the mouse-button swap, and the page's values
// as the configuration written at exit.
#include "app/ui/preferences_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "app/configuration.h"
#include "app/ui/colour_swatch_button.h"
#include "app/ui/main_dialog.h"
#include "project/ui/project_page.h"
#include "render/ui/preview_view.h"
#include "select/ui/select_parts_page.h"
#include "support/gui_fixture.h"

namespace bw::test {
namespace {

constexpr BodyPartId kHead = 0;

class PreferencesPageTest : public testing::Test {
  protected:
    void SetUp() override {
        fixture.Show();
        // Focus changes reach the controls only in the active window.
        MakeActiveWindow(Dialog());
        Dialog().Tabs()->setCurrentIndex(MainDialog::kPreferenceTab);
        page = Dialog().Preferences();
        ASSERT_NE(page, nullptr);
    }
    MainDialog& Dialog() { return fixture.Dialog(); }
    QComboBox* HeadList() { return Dialog().SelectParts()->PartListBox(kHead); }
    void ChooseHeadEntry(int index) {
        HeadList()->setCurrentIndex(index);
        emit HeadList()->activated(index);
    }

    MainDialogFixture fixture{SampleLibraryDirectory().c_str()};
    PreferencesPage* page = nullptr;
};

TEST_F(PreferencesPageTest, ConfirmingNoneChoosesTheDirectoryShownAndRebuildsTheLists) {
    TemporaryDirectory other;
    other.Write("Head/Only.bwo", std::string("x"));
    fixture.fileDialogs.answers.push_back(other.Path() + "/(none)");
    QTest::mouseClick(page->ChooseObjectDirectoryButton(), Qt::LeftButton);

    ASSERT_EQ(fixture.fileDialogs.opened.size(), 1u);
    const FileDialogRequest& request = fixture.fileDialogs.opened[0];
    EXPECT_EQ(request.title, "Select Default Object Directory");
    EXPECT_EQ(request.initialDirectory, SampleLibraryDirectory());
    EXPECT_EQ(request.proposedName, "(none)");
    EXPECT_EQ(request.filter, "");

    EXPECT_EQ(page->ObjectDirectory(), other.Path());
    EXPECT_EQ(page->ObjectDirectoryField()->text().toStdString(), other.Path());
    EXPECT_EQ(Dialog().Project()->ObjectDirectory(), other.Path());
    EXPECT_EQ(Dialog().CurrentConfiguration().objectDir, other.Path());
    ASSERT_EQ(HeadList()->count(), 2);
    EXPECT_EQ(HeadList()->itemText(1).toStdString(), "Only.bwo");
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(PreferencesPageTest, CancellingEitherChooserChangesNothing) {
    ChooseHeadEntry(1);
    QTest::mouseClick(page->ChooseObjectDirectoryButton(), Qt::LeftButton);
    QTest::mouseClick(page->ChooseProjectDirectoryButton(), Qt::LeftButton);
    EXPECT_EQ(fixture.fileDialogs.opened.size(), 2u);
    EXPECT_EQ(fixture.fileDialogs.opened[1].title, "Select Default Project Directory");
    EXPECT_EQ(page->ObjectDirectory(), SampleLibraryDirectory());
    EXPECT_EQ(page->ProjectDirectory(), "");
    EXPECT_EQ(HeadList()->currentIndex(), 1) << "the lists were not rebuilt";
}

TEST_F(PreferencesPageTest, AFileInTheRootGivesTheRoot) {
    fixture.fileDialogs.answers.push_back("/notes.txt");
    QTest::mouseClick(page->ChooseProjectDirectoryButton(), Qt::LeftButton);
    EXPECT_EQ(page->ProjectDirectory(), "");
    EXPECT_EQ(page->ProjectDirectoryField()->text().toStdString(), "");
    EXPECT_EQ(Dialog().Project()->ProjectDirectory(), "");
}

TEST_F(PreferencesPageTest, ANewProjectDirectoryRefillsTheListsAndKeepsTheParts) {
    ChooseHeadEntry(2);
    ASSERT_EQ(Dialog().GetCreature().PartCount(), 1);
    const int entries = HeadList()->count();
    TemporaryDirectory projects;
    fixture.fileDialogs.answers.push_back(projects.Path() + "/Old.bwp");
    QTest::mouseClick(page->ChooseProjectDirectoryButton(), Qt::LeftButton);

    EXPECT_EQ(page->ProjectDirectory(), projects.Path());
    EXPECT_EQ(Dialog().Project()->ProjectDirectory(), projects.Path());
    EXPECT_EQ(Dialog().CurrentConfiguration().projectDir, projects.Path());
    EXPECT_EQ(page->ObjectDirectory(), SampleLibraryDirectory());
    EXPECT_EQ(HeadList()->currentIndex(), 0);
    EXPECT_EQ(HeadList()->count(), entries) << "filled again from the same object directory";
    EXPECT_EQ(Dialog().GetCreature().PartCount(), 1);
}

TEST_F(PreferencesPageTest, LongDirectoriesAreKeptWhole) {
    // Nested names make a real directory far longer than 255 characters.
    TemporaryDirectory base;
    std::string deep = base.Path();
    for (int level = 0; level < 6; ++level) deep += "/" + std::string(60, char('a' + level));
    std::filesystem::create_directories(deep + "/Head");
    base.Write(deep.substr(base.Path().size() + 1) + "/Head/Deep.bwo", std::string("x"));
    ASSERT_GT(deep.size(), 300u);

    fixture.fileDialogs.answers.push_back(deep + "/(none)");
    QTest::mouseClick(page->ChooseObjectDirectoryButton(), Qt::LeftButton);
    EXPECT_EQ(page->ObjectDirectory(), deep);
    EXPECT_EQ(Dialog().CurrentConfiguration().objectDir, deep);
    ASSERT_EQ(HeadList()->count(), 2);
    EXPECT_EQ(HeadList()->itemText(1).toStdString(), "Deep.bwo");
    // The field shows the path's beginning, as an edit field does after its text is set.
    EXPECT_EQ(page->ObjectDirectoryField()->cursorPosition(), 0);
}

TEST_F(PreferencesPageTest, ADirectoryWithALineBreakIsRefusedAndTheConfigurationStaysSound) {
    ChooseHeadEntry(1);
    fixture.fileDialogs.answers.push_back("/tmp/evil\nObjectDir /elsewhere/(none)");
    QTest::mouseClick(page->ChooseObjectDirectoryButton(), Qt::LeftButton);
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].caption, "Error");
    EXPECT_NE(fixture.notifier.messages[0].text.find("line break"), std::string::npos);
    EXPECT_EQ(page->ObjectDirectory(), SampleLibraryDirectory());
    EXPECT_EQ(HeadList()->currentIndex(), 1);

    Configuration reread;
    ReadConfigurationText(FormatConfiguration(Dialog().CurrentConfiguration()), reread);
    EXPECT_EQ(reread.objectDir, SampleLibraryDirectory());
}

TEST_F(PreferencesPageTest, LeavingTheObjectFieldAppliesItWithoutItsTrailingSeparator) {
    TemporaryDirectory other;
    other.Write("Head/Typed.bwo", std::string("x"));
    page->ObjectDirectoryField()->setFocus();
    page->ObjectDirectoryField()->setText(QString::fromStdString(other.Path() + "/"));
    page->SwapBox()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(page->ObjectDirectory(), other.Path());
    EXPECT_EQ(page->ObjectDirectoryField()->text().toStdString(), other.Path());
    EXPECT_EQ(Dialog().CurrentConfiguration().objectDir, other.Path());
    ASSERT_EQ(HeadList()->count(), 2);
    EXPECT_EQ(HeadList()->itemText(1).toStdString(), "Typed.bwo");
}

TEST_F(PreferencesPageTest, SwatchesStartFromTheConfigurationAndChooseThroughTheChooser) {
    // bw.cfg: BgColor 0.1 0.2 0.3, WireColor 0 1 0.
    EXPECT_EQ(page->BackgroundSwatch()->Colour(), (std::array<int, 3>{25, 51, 76}));
    EXPECT_EQ(page->WireframeSwatch()->Colour(), (std::array<int, 3>{0, 255, 0}));

    fixture.colourChooser.answer = Rgb8{255, 204, 0};
    QTest::mouseClick(page->BackgroundSwatch(), Qt::LeftButton);
    ASSERT_EQ(fixture.colourChooser.shown.size(), 1u);
    EXPECT_EQ(fixture.colourChooser.shown[0], (Rgb8{25, 51, 76}));
    EXPECT_EQ(page->BackgroundSwatch()->Colour(), (std::array<int, 3>{255, 204, 0}));
    // A channel b becomes the component b * (1/255) in single precision.
    constexpr float kPerChannel = 1.0f / 255.0f;
    const std::array<float, 3> chosen{1.0f, 204 * kPerChannel, 0.0f};
    EXPECT_EQ(page->BackgroundColour(), chosen);
    ASSERT_NE(Dialog().Preview(), nullptr);
    EXPECT_EQ(Dialog().Preview()->BackgroundColour(), chosen);

    fixture.colourChooser.answer = Rgb8{10, 20, 30};
    QTest::mouseClick(page->WireframeSwatch(), Qt::LeftButton);
    EXPECT_EQ(fixture.colourChooser.shown[1], (Rgb8{0, 255, 0}));
    const std::array<float, 3> wire{10 * kPerChannel, 20 * kPerChannel, 30 * kPerChannel};
    EXPECT_EQ(Dialog().GetCreature().wireColour, wire);

    fixture.colourChooser.answer = std::nullopt;
    QTest::mouseClick(page->WireframeSwatch(), Qt::LeftButton);
    EXPECT_EQ(Dialog().GetCreature().wireColour, wire) << "cancelling keeps the colour";
    EXPECT_EQ(page->WireframeSwatch()->Colour(), (std::array<int, 3>{10, 20, 30}));

    // What bw.cfg receives at exit: the page's colours with the alpha read at start.
    const Configuration current = Dialog().CurrentConfiguration();
    EXPECT_EQ(current.bgColor, (std::array<float, 4>{1.0f, 204 * kPerChannel, 0.0f, 0.0f}));
    EXPECT_EQ(current.wireColor, (std::array<float, 4>{wire[0], wire[1], wire[2], 0.0f}));
    EXPECT_NE(FormatConfiguration(current).find("BgColor 1.000000 0.800000 0.000000 0.000000\n"),
              std::string::npos);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};

TEST_F(PreferencesPageTest, ASwatchRepaintsOnlyWhenItsColourChanges) {
    ColourSwatchButton* swatch = page->BackgroundSwatch();
    QTest::qWait(20);
    PaintCounter counter;
    swatch->installEventFilter(&counter);
    swatch->SetColour(swatch->Colour());
    EXPECT_EQ(counter.paints, 0);
    // A window holding an OpenGL child may turn a repaint into a paint at the next frame, so
    // the paint is awaited rather than expected within the call.
    swatch->SetColour({1, 2, 3});
    for (int k = 0; k < 100 && counter.paints == 0; ++k) QTest::qWait(10);
    EXPECT_GE(counter.paints, 1) << "repainted";
    EXPECT_EQ(swatch->grab().toImage().pixelColor(5, 5), QColor(1, 2, 3));
    swatch->removeEventFilter(&counter);
}

TEST_F(PreferencesPageTest, SwapTurnsTheMouseActionsAndTheirDescriptionsAround) {
    const std::string left = ":    Left Mouse (dbl-click to reset)";
    const std::string right = ":    Right Mouse (dbl-click to reset)";
    EXPECT_EQ(page->TranslateDescription()->text().toStdString(), right);
    EXPECT_EQ(page->RotateDescription()->text().toStdString(), left);
    ASSERT_NE(Dialog().Preview(), nullptr);
    EXPECT_FALSE(Dialog().Preview()->SwapMouseButtons());

    QTest::mouseClick(page->SwapBox(), Qt::LeftButton, {},
                      QPoint(6, page->SwapBox()->height() / 2));
    EXPECT_TRUE(page->SwapMouseButtons());
    EXPECT_TRUE(Dialog().Preview()->SwapMouseButtons());
    EXPECT_EQ(page->TranslateDescription()->text().toStdString(), left);
    EXPECT_EQ(page->RotateDescription()->text().toStdString(), right);

    QTest::mouseClick(page->SwapBox(), Qt::LeftButton, {},
                      QPoint(6, page->SwapBox()->height() / 2));
    EXPECT_FALSE(Dialog().Preview()->SwapMouseButtons());
    EXPECT_EQ(page->TranslateDescription()->text().toStdString(), right);
}

}  // namespace
}  // namespace bw::test
