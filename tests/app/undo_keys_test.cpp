// Undo and redo in the main dialog through real key presses: a random creature, a drag of an
// Adjust thumb and a project load are each one step, put back bit for bit wherever the focus
// is; in a text field the keys edit the text.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <filesystem>

#include "app/ui/main_dialog.h"
#include "edit/ui/edit_parts_page.h"
#include "project/ui/project_page.h"
#include "render/ui/preview_view.h"
#include "select/ui/select_parts_page.h"
#include "support/gui_fixture.h"
#include "support/scroll_bar_input.h"

namespace bw::test {
namespace {

// Every part's name, adjustments, points and normals, as bytes.
std::string CreatureBytes(const Creature& creature) {
    std::string out;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        out += part.Name() + '\n';
        out.append(reinterpret_cast<const char*>(&part.adjustments), sizeof part.adjustments);
        for (std::span<const Vec3f> values :
             {part.BasePoints(), std::span<const Vec3f>(part.TransformedPoints()),
              std::span<const Vec3f>(part.Normals())})
            out.append(reinterpret_cast<const char*>(values.data()), values.size_bytes());
    }
    return out;
}

std::vector<int> ListEntries(MainDialog& dialog) {
    std::vector<int> entries;
    for (BodyPartId i = 0; i < kBodyPartCount; ++i)
        entries.push_back(dialog.SelectParts()->PartListBox(i)->currentIndex());
    return entries;
}

void PressUndo(QWidget* target) { QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier); }

class UndoKeysTest : public ::testing::Test {
  protected:
    UndoKeysTest() : dialog(fixture.Show()) { MakeActiveWindow(dialog); }

    // Chooses entry 1 of the Head list as the user would.
    void ChooseHead() {
        QComboBox* head = dialog.SelectParts()->PartListBox(0);
        head->setCurrentIndex(1);
        emit head->activated(1);
    }

    MainDialogFixture fixture{SampleLibraryDirectory().c_str()};
    MainDialog& dialog;
};

TEST_F(UndoKeysTest, RandomCreatureIsUndoneBitForBitAndRedoneByEitherKey) {
    ChooseHead();
    QTest::mouseClick(ButtonNamed(dialog, "Random Creature"), Qt::LeftButton);
    const std::string before = CreatureBytes(dialog.GetCreature());
    const std::vector<int> entriesBefore = ListEntries(dialog);
    fixture.random.seeds = 0;
    QTest::mouseClick(ButtonNamed(dialog, "Random Creature"), Qt::LeftButton);
    const std::string random = CreatureBytes(dialog.GetCreature());
    ASSERT_NE(random, before);

    // The focus on the Random Creature button, then in the preview.
    PressUndo(ButtonNamed(dialog, "Random Creature"));
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), before);
    EXPECT_EQ(ListEntries(dialog), entriesBefore);
    QTest::keyClick(ButtonNamed(dialog, "Random Creature"), Qt::Key_Z,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), random);

    ASSERT_NE(dialog.Preview(), nullptr);
    QTest::keyClick(dialog.Preview(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), before);
    QTest::keyClick(dialog.Preview(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), random);
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(UndoKeysTest, ADragOfAnAdjustThumbIsOneStep) {
    ChooseHead();
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    QComboBox* object = dialog.EditParts()->ObjectList();
    object->setCurrentIndex(1);  // Head
    emit object->activated(1);
    const std::string before = CreatureBytes(dialog.GetCreature());
    QScrollBar* bar = dialog.EditParts()->AdjustBar(AdjustGroup::Y);
    DragScrollBarThumb(bar, 30);
    ASSERT_NE(bar->value(), 0);
    ASSERT_NE(CreatureBytes(dialog.GetCreature()), before);
    const std::size_t steps = dialog.Steps().History().UndoCount();

    PressUndo(bar);
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), before);
    EXPECT_EQ(dialog.Steps().History().UndoCount(), steps - 1);
    EXPECT_EQ(bar->value(), 0) << "the page shows the adjustment put back";
    EXPECT_EQ(dialog.EditParts()->ObjectList()->currentIndex(), 1);
}

TEST_F(UndoKeysTest, UndoAndRedoKeepThePartPickedForEditingSinceTheLastStep) {
    ChooseHead();
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    QComboBox* object = dialog.EditParts()->ObjectList();
    object->setCurrentIndex(1);  // Head: picked after the last step, no step of its own
    emit object->activated(1);
    PressUndo(dialog.Tabs()->tabBar());
    ASSERT_EQ(dialog.GetCreature().PartCount(), 0);
    QTest::keyClick(dialog.Tabs()->tabBar(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(dialog.GetCreature().PartCount(), 1);
    EXPECT_EQ(dialog.EditParts()->Editor().View().entry, 1);
    EXPECT_EQ(object->currentIndex(), 1);
    EXPECT_EQ(dialog.GetCreature().Part(0)->highlight, 1) << "outlined";
}

TEST_F(UndoKeysTest, AfterTheObjectDirectoryChangesThereIsNothingToUndo) {
    ChooseHead();
    ASSERT_TRUE(dialog.Steps().CanUndo());
    dialog.ChangeObjectDirectory(SampleLibraryDirectory());
    EXPECT_FALSE(dialog.Steps().CanUndo());
    const std::string before = CreatureBytes(dialog.GetCreature());
    const std::vector<int> entries = ListEntries(dialog);
    PressUndo(dialog.Tabs()->tabBar());
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), before);
    EXPECT_EQ(ListEntries(dialog), entries);
    EXPECT_EQ(dialog.GetCreature().PartCount(), 1);
}

TEST_F(UndoKeysTest, ALoadIsOneStepWhateverItHeld) {
    ChooseHead();
    const std::string before = CreatureBytes(dialog.GetCreature());
    const std::vector<int> entriesBefore = ListEntries(dialog);
    const std::size_t steps = dialog.Steps().History().UndoCount();
    const auto share = std::filesystem::path(SampleLibraryDirectory()).parent_path().parent_path();
    fixture.fileDialogs.answers.push_back((share / "Projects" / "Male.bwp").string());
    fixture.notifier.answers.push_back(MessageResult::Discard);  // the head chosen is not saved
    dialog.Project()->LoadProject();
    ASSERT_EQ(dialog.GetCreature().PartCount(), kBodyPartCount);
    const std::string loaded = CreatureBytes(dialog.GetCreature());
    EXPECT_EQ(dialog.Steps().History().UndoCount(), steps + 1);

    PressUndo(dialog.Tabs()->tabBar());
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), before);
    EXPECT_EQ(ListEntries(dialog), entriesBefore);
    QTest::keyClick(dialog.Tabs()->tabBar(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), loaded);
}

TEST_F(UndoKeysTest, InAValueFieldTheKeysEditTheText) {
    ChooseHead();
    dialog.Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    QComboBox* object = dialog.EditParts()->ObjectList();
    object->setCurrentIndex(1);
    emit object->activated(1);
    const std::string before = CreatureBytes(dialog.GetCreature());
    const std::size_t steps = dialog.Steps().History().UndoCount();
    QLineEdit* value = dialog.EditParts()->ValueEdit(AdjustGroup::X);
    value->setFocus();
    const QString shown = value->text();
    QTest::keyClicks(value, "5");
    ASSERT_EQ(value->text(), shown + "5");
    PressUndo(value);
    EXPECT_EQ(value->text(), shown);
    EXPECT_EQ(CreatureBytes(dialog.GetCreature()), before);
    EXPECT_EQ(dialog.Steps().History().UndoCount(), steps);
}

}  // namespace
}  // namespace bw::test
