// The Select Parts page driven through its real widgets over the sample library: choosing
// entries loads and removes parts, the spin button steps without wrapping, locks disable a
// row, a failed load keeps the entry, and a new object directory empties the lists.
#include "select/ui/select_parts_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>

#include "app/ui/main_dialog.h"
#include "model/body_part_catalogue.h"
#include "support/gui_fixture.h"
#include "ui/spin_button.h"

namespace bw::test {
namespace {

constexpr BodyPartId kHead = 0;
constexpr BodyPartId kLeftThigh = 16;

class SelectPartsPageTest : public testing::Test {
  protected:
    SelectPartsPageTest() : fixture(SampleLibraryDirectory().c_str()) {
        MainDialog& dialog = fixture.Show();
        dialog.Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
        page = dialog.SelectParts();
    }

    // Chooses entry `index` as the user does: the list shows it, then reports the activation.
    // Clicks the lock box's indicator.
    void ClickLock(BodyPartId row) {
        QCheckBox* lock = page->LockBox(row);
        QTest::mouseClick(lock, Qt::LeftButton, {}, QPoint(8, lock->height() / 2));
    }
    void Choose(BodyPartId row, int index) {
        QComboBox* box = page->PartListBox(row);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    Creature& GetCreature() { return fixture.Dialog().GetCreature(); }
    std::string LoadedName(BodyPartId row) {
        for (int i = 0; i < GetCreature().PartCount(); ++i) {
            PartObject* part = GetCreature().Part(i);
            if (part->bodyPart == row) return part->Name();
        }
        return {};
    }

    MainDialogFixture fixture;
    SelectPartsPage* page = nullptr;
};

TEST_F(SelectPartsPageTest, ListsHoldNoneFirstThenTheSortedFiles) {
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        QComboBox* box = page->PartListBox(i);
        ASSERT_GT(box->count(), 2) << BodyPartName(i);
        EXPECT_EQ(box->itemText(0).toStdString(), " (none) ");
        EXPECT_EQ(box->currentIndex(), 0);
        for (int k = 2; k < box->count(); ++k)
            EXPECT_LT(box->itemText(k - 1).compare(box->itemText(k), Qt::CaseInsensitive), 0);
        EXPECT_EQ(box->accessibleName().toStdString(), std::string(BodyPartName(i)));
    }
}

TEST_F(SelectPartsPageTest, ChoosingAnEntryAddsThePartAndNoneRemovesIt) {
    Choose(kLeftThigh, 1);
    ASSERT_EQ(GetCreature().PartCount(), 1);
    const std::string expected = page->PartListBox(kLeftThigh)->itemText(1).toStdString();
    EXPECT_NE(LoadedName(kLeftThigh).find("/Left thigh/" + expected), std::string::npos);
    EXPECT_EQ(page->Selection().ChosenSelection(kLeftThigh), 1);
    Choose(kLeftThigh, 0);
    EXPECT_EQ(GetCreature().PartCount(), 0);
    EXPECT_EQ(page->Selection().ChosenSelection(kLeftThigh), 0);
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(SelectPartsPageTest, SpinStepsAreClampedAtBothEnds) {
    SpinButton* spin = page->Spin(kHead);
    QComboBox* box = page->PartListBox(kHead);
    spin->stepBy(1);  // the up arrow: towards entry 0
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(GetCreature().PartCount(), 0);
    spin->stepBy(-1);  // the down arrow
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(GetCreature().PartCount(), 1);
    for (int k = 0; k < box->count() + 3; ++k) spin->stepBy(-1);
    EXPECT_EQ(box->currentIndex(), box->count() - 1) << "the list does not wrap";
    EXPECT_EQ(page->Selection().ChosenSelection(kHead), box->count() - 1);
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(SelectPartsPageTest, LockingARowDisablesItsControlsAndKeepsThePart) {
    Choose(kHead, 1);
    ClickLock(kHead);
    EXPECT_TRUE(page->LockBox(kHead)->isChecked());
    EXPECT_FALSE(page->PartListBox(kHead)->isEnabled());
    EXPECT_FALSE(page->Spin(kHead)->isEnabled());
    EXPECT_TRUE(page->Selection().List(kHead)->IsLocked());
    EXPECT_EQ(GetCreature().PartCount(), 1);
    ClickLock(kHead);
    EXPECT_TRUE(page->PartListBox(kHead)->isEnabled());
    EXPECT_TRUE(page->Spin(kHead)->isEnabled());
}

TEST_F(SelectPartsPageTest, AFailedLoadShowsTheCreaturesMessageAndKeepsTheEntry) {
    TemporaryDirectory other;
    other.Write("Head/Broken.bwo", std::string("not an object file"));
    fixture.Dialog().ChangeObjectDirectory(other.Path());
    Choose(kHead, 1);
    EXPECT_EQ(GetCreature().PartCount(), 0);
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].caption, "Unable to add object");
    EXPECT_EQ(fixture.notifier.messages[0].text, other.Path() + "/Head/Broken.bwo");
    EXPECT_EQ(page->PartListBox(kHead)->currentText().toStdString(), "Broken.bwo");
}

TEST_F(SelectPartsPageTest, ADirectoryChangeEmptiesTheListsButKeepsTheParts) {
    Choose(kHead, 1);
    TemporaryDirectory empty;
    fixture.Dialog().ChangeObjectDirectory(empty.Path());
    EXPECT_EQ(GetCreature().PartCount(), 1);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        QComboBox* box = page->PartListBox(i);
        ASSERT_EQ(box->count(), 2);
        EXPECT_EQ(box->currentIndex(), 0);
        EXPECT_EQ(box->itemText(1).toStdString(), "No Files");
    }
    EXPECT_EQ(fixture.Dialog().CurrentConfiguration().objectDir, empty.Path());
}

TEST_F(SelectPartsPageTest, BodyPartDirectoriesAreFoundWithoutRegardToLetterCase) {
    TemporaryDirectory other;
    other.Write("LEFT THIGH/b.bwo", std::string("x"));
    other.Write("LEFT THIGH/A.BWO", std::string("x"));
    other.Write("LEFT THIGH/readme.txt", std::string("x"));
    fixture.Dialog().ChangeObjectDirectory(other.Path());
    QComboBox* box = page->PartListBox(kLeftThigh);
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(1).toStdString(), "A.BWO");
    EXPECT_EQ(box->itemText(2).toStdString(), "b.bwo");
}

}  // namespace
}  // namespace bw::test
