// The main dialog driven through its real widgets: tabs, the converter tab toggle, the view
// buttons, keys, start-up without configuration or OpenGL, and the configuration written at
// exit.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "app/application.h"
#include "app/main_dialog.h"
#include "render/preview_view.h"
#include "select/select_parts_page.h"
#include "support/gui_fixture.h"

namespace bw::test {
namespace {

std::vector<std::string> TabTexts(const QTabWidget& tabs) {
    std::vector<std::string> texts;
    for (int i = 0; i < tabs.count(); ++i) texts.push_back(tabs.tabText(i).toStdString());
    return texts;
}

void PressF12OnTabStrip(MainDialog& dialog) {
    dialog.Tabs()->tabBar()->setFocus();
    QTest::keyClick(dialog.Tabs()->tabBar(), Qt::Key_F12);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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
    EXPECT_EQ(dialog.Preview()->ActiveTab(), MainDialog::kSelectPartsTab);
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
                             qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<PreviewView*>(w);
        if (control && w->accessibleName().isEmpty())
            unnamed.push_back(w->metaObject()->className() + std::string(" ") +
                              w->objectName().toStdString());
    }
    EXPECT_TRUE(unnamed.empty()) << unnamed.size() << " unnamed, first " << unnamed.front();
    EXPECT_EQ(dialog.Preview()->accessibleName().toStdString(), "Preview");
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
    MainDialogFixture fixture(SampleLibraryDirectory().c_str(), /*openGl=*/false);
    MainDialog& dialog = fixture.Show();
    EXPECT_EQ(dialog.Preview(), nullptr);
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].text,
              "Unable to Setup OpenGL, Please install a new OpenGL driver.");
    EXPECT_EQ(fixture.notifier.messages[0].caption, "OpenGL Error");
    dialog.Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
    QComboBox* head = dialog.SelectParts()->PartListBox(0);
    ASSERT_GT(head->count(), 2);
    head->setCurrentIndex(1);
    emit head->activated(1);
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);
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
    EXPECT_EQ(dialog.shadingMode, 2);
    EXPECT_EQ(dialog.GetCreature().shadingMode, 2);
    EXPECT_EQ(dialog.GetCreature().wireColour, (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
}

}  // namespace
}  // namespace bw::test
