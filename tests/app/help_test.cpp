// The manual and the About box, from the Project page's buttons: the manual's path two levels
// above the object directory, the failure text of the shell's result, and the About box's
// links opening through the shell while the box stays open.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "app/ui/main_dialog.h"
#include "project/ui/bitmap_button.h"
#include "project/ui/project_page.h"
#include "support/gui_fixture.h"
#include "support/modal_dialogs.h"
#include "ui/about_dialog.h"
#include "ui/open_manual.h"

namespace bw::test {
namespace {

TEST(OpenManualTest, TheManualButtonOpensTheManualOfTheObjectDirectory) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    QTest::mouseClick(dialog.Project()->Button(ProjectPage::kDocsId), Qt::LeftButton);
    ASSERT_EQ(fixture.shell.targets.size(), 1u);
    EXPECT_EQ(fixture.shell.targets[0],
              SampleLibraryDirectory() + "/../../Doc/StandaloneManual.html");
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST(OpenManualTest, AMissingManualIsReportedWithTheShellsResult) {
    MainDialogFixture fixture(nullptr);  // no configuration: the object directory is empty
    MainDialog& dialog = fixture.Show();
    fixture.shell.result = kShellOpenFileNotFound;
    dialog.Project()->HiddenButton(ProjectPage::kDocsId)->click();
    ASSERT_EQ(fixture.shell.targets.size(), 1u);
    EXPECT_EQ(fixture.shell.targets[0], "/../../Doc/StandaloneManual.html");
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].text, "returned: 2\nThe specified file was not found.");
    EXPECT_EQ(fixture.notifier.messages[0].caption, "Beastwright");
    EXPECT_EQ(fixture.notifier.messages[0].buttons, MessageButtons::Ok);
}

TEST(OpenManualTest, TheBuiltManualAndEveryPictureItShowsAreWhereTheProgramLooks) {
    RecordingShellOpener shell;
    RecordingNotifier notifier;
    ASSERT_TRUE(OpenManual(SampleLibraryDirectory(), shell, notifier));
    ASSERT_EQ(shell.targets.size(), 1u);
    const std::filesystem::path manual = shell.targets[0];
    std::ifstream in(manual);
    ASSERT_TRUE(in) << manual;
    const std::string html(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(html.find("<title>Beastwright Pro manual</title>"), std::string::npos);
    int pictures = 0;
    const std::regex image("<img src=\"([^\"]+)\"");
    for (auto match = std::sregex_iterator(html.begin(), html.end(), image);
         match != std::sregex_iterator(); ++match, ++pictures) {
        const std::filesystem::path picture = manual.parent_path() / (*match)[1].str();
        EXPECT_TRUE(std::filesystem::is_regular_file(picture)) << picture;
    }
    EXPECT_GE(pictures, 8);
}

TEST(AboutDialogTest, LinksOpenThroughTheShellAndLeaveTheBoxOpen) {
    MainDialogFixture fixture(SampleLibraryDirectory().c_str());
    MainDialog& dialog = fixture.Show();
    ModalDialogs modal;
    bool stayedOpen = true;
    modal.Expect([&](QDialog& box) {
        auto* about = qobject_cast<AboutDialog*>(&box);
        ASSERT_NE(about, nullptr);
        for (QPushButton* link : {about->HomePageButton(), about->InfoMailButton(),
                                  about->SalesMailButton(), about->SupportMailButton()}) {
            QTest::mouseClick(link, Qt::LeftButton);
            stayedOpen = stayedOpen && about->isVisible();
        }
        QTest::mouseClick(about->OkButton(), Qt::LeftButton);
    });
    fixture.shell.result = kShellOpenNoAssociation;  // a failed link is ignored
    QTest::mouseClick(dialog.Project()->Button(ProjectPage::kAboutId), Qt::LeftButton);

    EXPECT_EQ(modal.titles, (std::vector<std::string>{"About Beastwright Pro"}));
    EXPECT_EQ(modal.unexpected, 0);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(fixture.shell.targets,
              (std::vector<std::string>{kHomePage, std::string("mailto:") + kInfoMail,
                                        std::string("mailto:") + kSalesMail,
                                        std::string("mailto:") + kSupportMail}));
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

}  // namespace
}  // namespace bw::test
