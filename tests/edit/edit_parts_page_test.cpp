// The Edit Parts page driven through its real widgets (mouse clicks on the spin arrows and the
// Adjust bars, a dragged thumb, typing and leaving edits) over sample parts with their
// neighbours present; every effect is checked on the part's PartAdjustments and points.
#include "edit/ui/edit_parts_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <vector>

#include "support/gui_fixture.h"
#include "support/recording_notifier.h"
#include "support/scroll_bar_input.h"
#include "ui/spin_button.h"

namespace bw::test {
namespace {

constexpr BodyPartId kLeftThigh = 16;
constexpr int kThighEntry = kLeftThigh + 1;
constexpr int kLeftEarEntry = 2;

// Scale and taper off: every point of the part outside its connection sets (which welding
// averages with the neighbours') is its base point.
bool UnadjustedAwayFromSeams(const PartObject& part) {
    std::vector<bool> seam(part.PointCount(), false);
    for (int k = 0; k < kMaxConnectionSets; ++k)
        for (std::uint16_t i : part.ConnectionSet(k)) seam[i] = true;
    for (std::size_t i = 0; i < seam.size(); ++i)
        if (!seam[i] && !(part.TransformedPoints()[i] == part.BasePoints()[i])) return false;
    return true;
}

std::vector<Vec3f> AllPoints(const Creature& creature) {
    std::vector<Vec3f> points;
    for (int i = 0; i < creature.PartCount(); ++i)
        for (const Vec3f& p : creature.Part(i)->TransformedPoints()) points.push_back(p);
    return points;
}

class EditPartsPageTest : public testing::Test {
  protected:
    EditPartsPageTest() : page(creature, [this] { ++repaints; }) {
        // The thigh with its parent and the chain hanging off it.
        const std::pair<const char*, const char*> parts[] = {{"Upper body", "Male-Athletic.bwo"},
                                                             {"Stomach", "Male-Flat.bwo"},
                                                             {"Left thigh", "Male-Slim.bwo"},
                                                             {"Left leg", "Male-Slim.bwo"},
                                                             {"Left foot", "Male-Bare.bwo"}};
        for (const auto& [name, file] : parts) {
            const std::string path = SampleLibraryDirectory() + "/" + name + "/" + file;
            EXPECT_TRUE(creature.AddPart(name, path, *BodyPartIdOfName(name))) << path;
        }
        EXPECT_TRUE(notifier.messages.empty());
        thigh = creature.PartOfTypeCode(*TypeCodeOfBodyPart(kLeftThigh));
        page.resize(page.sizeHint().expandedTo(QSize(420, 560)));
        page.show();
        MakeActiveWindow(page);
    }

    void Choose(int entry) {
        page.ObjectList()->setCurrentIndex(entry);
        emit page.ObjectList()->activated(entry);
    }
    QRect BarPart(QScrollBar* bar, QStyle::SubControl control) {
        return ScrollBarPart(bar, control);
    }
    void ClickLineRight(QScrollBar* bar) {
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          BarPart(bar, QStyle::SC_ScrollBarAddLine).center());
    }
    void DragThumb(QScrollBar* bar, int value) { DragScrollBarThumb(bar, value); }
    void ClickSpin(bool up) {
        SpinButton* spin = page.ObjectSpin();
        QStyleOptionSpinBox option;
        option.initFrom(spin);
        option.buttonSymbols = spin->buttonSymbols();
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        option.frame = spin->hasFrame();
        const QRect r = spin->style()->subControlRect(
            QStyle::CC_SpinBox, &option, up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, spin);
        QTest::mouseClick(spin, Qt::LeftButton, {}, r.center());
    }
    // Types `text` into an edit and leaves it for another control.
    void TypeAndLeave(QLineEdit* edit, const char* text, QWidget* next) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        next->setFocus();
        QApplication::processEvents();
    }

    RecordingNotifier notifier;
    Creature creature{notifier};
    int repaints = 0;
    EditPartsPage page;
    PartObject* thigh = nullptr;
};

TEST_F(EditPartsPageTest, NoPartStateDisablesTheGroupsForNoneAndAnAbsentBodyPart) {
    for (int entry : {0, kLeftEarEntry}) {
        Choose(entry);
        EXPECT_EQ(page.ObjectList()->currentText().toStdString(), entry ? "Left ear" : "(none)");
        for (AdjustGroup g : kAdjustGroups) {
            EXPECT_FALSE(page.ValueEdit(g)->isEnabled());
            EXPECT_FALSE(page.StepEdit(g)->isEnabled());
            EXPECT_FALSE(page.AdjustBar(g)->isEnabled());
            EXPECT_EQ(page.ValueEdit(g)->text(), "0.0");
            EXPECT_EQ(page.StepEdit(g)->text(), "0.01");
            EXPECT_EQ(page.AdjustBar(g)->value(), 0);
            EXPECT_EQ(page.LockButton(g, 0)->isEnabled(), g != AdjustGroup::Taper);
            EXPECT_FALSE(page.LockButton(g, 1)->isEnabled());
            EXPECT_FALSE(page.LockButton(g, 2)->isEnabled());
        }
        EXPECT_TRUE(page.LockButton(AdjustGroup::Taper, 0)->isChecked());
        EXPECT_TRUE(page.ClearButton()->isEnabled());
        for (int i = 0; i < creature.PartCount(); ++i) EXPECT_EQ(creature.Part(i)->highlight, 0);
    }
    EXPECT_EQ(page.ObjectList()->count(), 23);
    EXPECT_EQ(page.ValueEdit(AdjustGroup::X)->accessibleName(), "X Value");
    EXPECT_EQ(page.StepEdit(AdjustGroup::Y)->accessibleName(), "Y Slider Step");
    EXPECT_EQ(page.AdjustBar(AdjustGroup::Taper)->accessibleName(), "Taper Adjust");
    EXPECT_EQ(page.LockButton(AdjustGroup::Taper, 1)->accessibleName(), "Left/Bottom");
    EXPECT_EQ(page.ObjectList()->accessibleName(), "Object");
}

TEST_F(EditPartsPageTest, SpinArrowsStepTheObjectListAndStopAtBothEnds) {
    Choose(5);
    ClickSpin(true);
    EXPECT_EQ(page.ObjectList()->currentIndex(), 4);
    ClickSpin(false);
    ClickSpin(false);
    EXPECT_EQ(page.ObjectList()->currentIndex(), 6);
    Choose(22);
    ClickSpin(false);
    EXPECT_EQ(page.ObjectList()->currentIndex(), 22);
    Choose(0);
    ClickSpin(true);
    EXPECT_EQ(page.ObjectList()->currentIndex(), 0);
    Choose(kThighEntry - 1);
    ClickSpin(false);
    EXPECT_EQ(thigh->highlight, 1);
    EXPECT_TRUE(page.AdjustBar(AdjustGroup::X)->isEnabled());
}

TEST_F(EditPartsPageTest, AdjustBarClicksAndThumbDragChangeTheValueStepByStep) {
    Choose(kThighEntry);
    QScrollBar* bar = page.AdjustBar(AdjustGroup::X);
    const std::vector<Vec3f> before = AllPoints(creature);
    const int repaintsBefore = repaints;
    for (int k = 0; k < 3; ++k) ClickLineRight(bar);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(thigh->adjustments.adjustPosition[0], 3);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[0], -0.03f);
    EXPECT_EQ(page.ValueEdit(AdjustGroup::X)->text(), "-0.030000");
    EXPECT_NE(AllPoints(creature), before);
    EXPECT_GE(repaints, repaintsBefore + 3);

    DragThumb(bar, -10);
    EXPECT_EQ(bar->value(), -10);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[0], 0.10f);
    EXPECT_EQ(page.ValueEdit(AdjustGroup::X)->text(), "0.100000");

    DragThumb(bar, 50);
    ClickLineRight(bar);
    EXPECT_EQ(bar->value(), 50);
    EXPECT_EQ(thigh->adjustments.adjustPosition[0], 51);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[0], -0.51f);
}

TEST_F(EditPartsPageTest, LockRadiosSwitchTheShownValueWithoutChangingTheMesh) {
    Choose(kThighEntry);
    DragThumb(page.AdjustBar(AdjustGroup::X), -20);  // None: 0.20
    const std::vector<Vec3f> mesh = AllPoints(creature);

    QTest::mouseClick(page.LockButton(AdjustGroup::X, kScalePositive), Qt::LeftButton);
    EXPECT_TRUE(page.LockButton(AdjustGroup::X, kScalePositive)->isChecked());
    EXPECT_FALSE(page.LockButton(AdjustGroup::X, kScaleNone)->isChecked());
    EXPECT_EQ(thigh->adjustments.scaleLock[0], kScalePositive);
    EXPECT_EQ(page.ValueEdit(AdjustGroup::X)->text(), "0.000000");
    EXPECT_EQ(page.AdjustBar(AdjustGroup::X)->value(), 0);
    EXPECT_EQ(AllPoints(creature), mesh);

    QTest::mouseClick(page.LockButton(AdjustGroup::X, kScalePositive), Qt::LeftButton);  // again
    EXPECT_TRUE(page.LockButton(AdjustGroup::X, kScalePositive)->isChecked());
    QTest::mouseClick(page.LockButton(AdjustGroup::X, kScaleNone), Qt::LeftButton);
    EXPECT_EQ(page.ValueEdit(AdjustGroup::X)->text(), "0.200000");
    EXPECT_EQ(page.AdjustBar(AdjustGroup::X)->value(), -20);

    QTest::mouseClick(page.LockButton(AdjustGroup::Taper, 2), Qt::LeftButton);
    EXPECT_EQ(thigh->adjustments.taperLock, 2);
    EXPECT_FALSE(page.LockButton(AdjustGroup::Taper, 0)->isChecked());
    EXPECT_EQ(AllPoints(creature), mesh);
}

TEST_F(EditPartsPageTest, ValueEditsAreReadWhenLeftAndLettersReadAsZero) {
    Choose(kThighEntry);
    TypeAndLeave(page.ValueEdit(AdjustGroup::Y), "0.5", page.StepEdit(AdjustGroup::Y));
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[1], 0.5f);
    EXPECT_FALSE(UnadjustedAwayFromSeams(*thigh));

    TypeAndLeave(page.ValueEdit(AdjustGroup::Y), "abc", page.StepEdit(AdjustGroup::Y));
    EXPECT_EQ(thigh->adjustments.scaleValue[1], 0.0f);
    EXPECT_EQ(page.ValueEdit(AdjustGroup::Y)->text(), "abc");
    EXPECT_TRUE(UnadjustedAwayFromSeams(*thigh));

    TypeAndLeave(page.StepEdit(AdjustGroup::Y), "0.5", page.ValueEdit(AdjustGroup::Z));
    EXPECT_FLOAT_EQ(thigh->adjustments.sliderStep[1], 0.5f);
    ClickLineRight(page.AdjustBar(AdjustGroup::Y));
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[1], -0.5f);
}

TEST_F(EditPartsPageTest, ClearCurrentSettingsResetsThePartAsFreshlyAddedAndTaperStillWorks) {
    Choose(kThighEntry);
    QTest::mouseClick(page.LockButton(AdjustGroup::Z, kScaleNegative), Qt::LeftButton);
    DragThumb(page.AdjustBar(AdjustGroup::Z), -30);
    TypeAndLeave(page.ValueEdit(AdjustGroup::Taper), "0.4", page.StepEdit(AdjustGroup::X));
    ASSERT_FALSE(UnadjustedAwayFromSeams(*thigh));

    QTest::mouseClick(page.ClearButton(), Qt::LeftButton);
    PartAdjustments fresh;
    fresh.taperAxis = TaperAxisOfBodyPart(thigh->bodyPart)->FileValue();
    ASSERT_NE(fresh.taperAxis, 0);
    EXPECT_EQ(thigh->adjustments, fresh);
    EXPECT_EQ(thigh->highlight, 1);
    for (AdjustGroup g : kAdjustGroups) {
        EXPECT_EQ(page.ValueEdit(g)->text(), "0.000000");
        EXPECT_EQ(page.StepEdit(g)->text(), "0.010000");
        EXPECT_EQ(page.AdjustBar(g)->value(), 0);
        EXPECT_TRUE(page.LockButton(g, 0)->isChecked());
    }
    EXPECT_TRUE(UnadjustedAwayFromSeams(*thigh));
    TypeAndLeave(page.ValueEdit(AdjustGroup::Taper), "0.8", page.StepEdit(AdjustGroup::X));
    EXPECT_FLOAT_EQ(thigh->adjustments.taperValue[0], 0.8f);
    EXPECT_FALSE(UnadjustedAwayFromSeams(*thigh));  // the body part's taper axis tapers it
}

}  // namespace
}  // namespace bw::test
