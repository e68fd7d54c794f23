// Work is not lost by one key: with a changed creature, Escape, "Done", the close box, New and
// Load ask "Save changes to the creature before ...?" (Save, Discard, Cancel) and Cancel keeps
// everything; an unchanged creature closes at once; a signal writes the changed creature to
// bw-recovered.bwp, which the next start offers once.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/ui/main_dialog.h"
#include "project/ui/bitmap_button.h"
#include "project/ui/project_page.h"
#include "select/ui/select_parts_page.h"
#include "support/gui_fixture.h"
#include "support/modal_dialogs.h"

namespace bw::test {
namespace {

class UnsavedWorkTest : public ::testing::Test {
  protected:
    UnsavedWorkTest() : dialog(fixture.Show()) { MakeActiveWindow(dialog); }

    // Chooses entry 1 of the Head list as the user would: a step, so the creature changed.
    void ChooseHead() {
        QComboBox* head = dialog.SelectParts()->PartListBox(0);
        head->setCurrentIndex(1);
        emit head->activated(1);
        ASSERT_TRUE(dialog.Unsaved().Changed());
    }
    std::string QuestionShown(std::size_t k) const {
        if (k >= fixture.notifier.messages.size()) return "(none)";
        const RecordedMessage& message = fixture.notifier.messages[k];
        EXPECT_EQ(message.buttons, MessageButtons::SaveDiscardCancel);
        return message.text;
    }
    std::string SampleProject() const {
        const auto share =
            std::filesystem::path(SampleLibraryDirectory()).parent_path().parent_path();
        return (share / "Projects" / "Male.bwp").string();
    }

    MainDialogFixture fixture{SampleLibraryDirectory().c_str()};
    MainDialog& dialog;
};

TEST_F(UnsavedWorkTest, AnUnchangedCreatureClosesAtOnce) {
    EXPECT_FALSE(dialog.Unsaved().Changed());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(UnsavedWorkTest, EscapeDoneAndTheCloseBoxAskFirstAndCancelKeepsEverything) {
    ChooseHead();
    fixture.notifier.answers = {MessageResult::Cancel, MessageResult::Cancel,
                                MessageResult::Cancel};
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::mouseClick(ButtonNamed(dialog, "Done"), Qt::LeftButton);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(fixture.notifier.messages.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(QuestionShown(k), "Save changes to the creature before closing?");
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);
    EXPECT_TRUE(dialog.Unsaved().Changed());

    fixture.notifier.answers = {MessageResult::Discard};
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(UnsavedWorkTest, SaveRunsTheSaveAndClosesOnlyWhenItSucceeded) {
    ChooseHead();
    fixture.notifier.answers = {MessageResult::Save};
    fixture.fileDialogs.answers.push_back(std::nullopt);  // the save is cancelled
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());

    const std::string path = fixture.start.Path() + "/kept.bwp";
    fixture.notifier.answers = {MessageResult::Save};
    fixture.fileDialogs.answers.push_back(path);
    ModalDialogs modal;
    modal.ExpectAccept();  // Save Project Options
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(dialog.Unsaved().Changed());
}

TEST_F(UnsavedWorkTest, NewAndLoadAskTheirOwnQuestionAndCancelKeepsTheCreature) {
    ChooseHead();
    fixture.notifier.answers = {MessageResult::Cancel, MessageResult::Cancel};
    QTest::mouseClick(dialog.Project()->Button(ProjectPage::kNewId), Qt::LeftButton);
    QTest::mouseClick(dialog.Project()->Button(ProjectPage::kLoadId), Qt::LeftButton);
    EXPECT_EQ(QuestionShown(0), "Save changes to the creature before starting a new one?");
    EXPECT_EQ(QuestionShown(1), "Save changes to the creature before loading another?");
    EXPECT_TRUE(fixture.fileDialogs.opened.empty()) << "no file is asked for after Cancel";
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);

    // Discard goes on; a creature just loaded or started anew counts as saved.
    fixture.notifier.answers = {MessageResult::Discard};
    fixture.fileDialogs.answers.push_back(SampleProject());
    QTest::mouseClick(dialog.Project()->Button(ProjectPage::kLoadId), Qt::LeftButton);
    EXPECT_EQ(dialog.GetCreature().PartCount(), kBodyPartCount);
    EXPECT_FALSE(dialog.Unsaved().Changed());
    QTest::mouseClick(dialog.Project()->Button(ProjectPage::kNewId), Qt::LeftButton);
    EXPECT_EQ(dialog.GetCreature().PartCount(), 0);
    EXPECT_EQ(fixture.notifier.messages.size(), 3u) << "nothing unsaved: New asks nothing";
}

TEST_F(UnsavedWorkTest, UndoAndRedoButtonsFollowTheHistoryAndCountAsChanges) {
    QAbstractButton* undo = ButtonNamed(dialog, "Undo");
    QAbstractButton* redo = ButtonNamed(dialog, "Redo");
    ASSERT_TRUE(undo && redo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_NE(undo->toolTip().indexOf("Ctrl+Z"), -1);
    EXPECT_NE(redo->toolTip().indexOf("Ctrl+Y"), -1);
    ChooseHead();
    EXPECT_TRUE(undo->isEnabled());
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(dialog.GetCreature().PartCount(), 0);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    QTest::mouseClick(redo, Qt::LeftButton);
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(dialog.Unsaved().Changed());
}

TEST_F(UnsavedWorkTest, ASignalWritesTheChangedCreatureAndTheNextStartOffersItOnce) {
    const std::string path = dialog.RecoveredCreaturePath();
    ChooseHead();
    dialog.EndOnSignal();
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(fixture.notifier.messages.empty()) << "a signal does not wait for an answer";
    ASSERT_TRUE(std::filesystem::exists(path));

    // The next start in the same directory.
    MainDialog next(fixture.Platform(), fixture.start.Path());
    fixture.notifier.answers = {MessageResult::Yes};
    next.OfferRecoveredCreature();
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(next.GetCreature().PartCount(), 1);
    EXPECT_TRUE(next.Unsaved().Changed()) << "a recovered creature is not saved anywhere";
    EXPECT_FALSE(std::filesystem::exists(path));
    next.OfferRecoveredCreature();
    EXPECT_EQ(fixture.notifier.messages.size(), 1u);
}

TEST_F(UnsavedWorkTest, ASignalWithNothingChangedWritesNoFile) {
    dialog.EndOnSignal();
    dialog.reject();
    EXPECT_FALSE(std::filesystem::exists(dialog.RecoveredCreaturePath()));
}

}  // namespace
}  // namespace bw::test
