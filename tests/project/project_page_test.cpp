// The Project page in the real main dialog with the recording platform: its controls, New,
// Load (clearing through the lists, the translation question and list, refusals) and Save in
// both file versions, and a round trip of a creature built and adjusted in the window.
#include "project/ui/project_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "app/ui/main_dialog.h"
#include "edit/ui/edit_parts_page.h"
#include "project/project_file_writer.h"
#include "project/ui/bitmap_button.h"
#include "project/ui/save_project_options_dialog.h"
#include "project/ui/translate_names_dialog.h"
#include "project/ui/translated_names_dialog.h"
#include "select/ui/select_parts_page.h"
#include "support/gui_fixture.h"
#include "support/modal_dialogs.h"

namespace bw::test {
namespace {

constexpr BodyPartId kHead = 0;
constexpr BodyPartId kLeftEar = 1;
constexpr BodyPartId kLeftThigh = 16;
constexpr BodyPartId kLeftFoot = 18;
constexpr BodyPartId kRightThigh = 19;

ProjectRecord Record(std::string_view name, std::string objectPath) {
    ProjectRecord record;
    record.bodyPart = *BodyPartIdOfName(name);
    record.typeCode = *TypeCodeOfBodyPart(record.bodyPart);
    record.name = std::string(name);
    record.objectPath = std::move(objectPath);
    return record;
}

class ProjectPageTest : public testing::Test {
  protected:
    void SetUp() override {
        fixture.Show();
        // Focus changes reach the controls only in the active window.
        MakeActiveWindow(Dialog());
        page = Dialog().Project();
        ASSERT_NE(page, nullptr);
    }
    MainDialog& Dialog() { return fixture.Dialog(); }
    Creature& GetCreature() { return Dialog().GetCreature(); }
    QComboBox* List(BodyPartId id) { return Dialog().SelectParts()->PartListBox(id); }
    void Choose(BodyPartId id, const char* file) {
        QComboBox* box = List(id);
        const int index = box->findText(file);
        ASSERT_GT(index, 0) << file;
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Writes a project file and answers the next open dialog with it.
    std::string OfferProject(const std::vector<ProjectRecord>& records,
                             std::string_view version = kProjectVersionPro) {
        std::string bytes;
        EXPECT_TRUE(FormatProject(records, version, bytes, nullptr));
        const std::string path = files.Write("Offered" + std::to_string(++offered) + ".bwp", bytes);
        fixture.fileDialogs.answers.push_back(path);
        return path;
    }
    void Load() { QTest::mouseClick(page->Button(ProjectPage::kLoadId), Qt::LeftButton); }
    // Answers the next question about unsaved changes with Discard.
    void DiscardChanges() { fixture.notifier.answers.push_back(MessageResult::Discard); }
    void Save() { QTest::mouseClick(page->Button(ProjectPage::kSaveId), Qt::LeftButton); }
    // Answers the Save Project Options dialog with `version` (0 Pro, 1 Standard Edition).
    void ExpectVersion(int version) {
        modal.Expect([version](QDialog& dialog) {
            auto* options = qobject_cast<SaveProjectOptionsDialog*>(&dialog);
            ASSERT_NE(options, nullptr);
            EXPECT_TRUE(options->ProButton()->isChecked()) << "Pro is preselected";
            if (version == SaveProjectOptionsDialog::kStandardEdition)
                QTest::mouseClick(options->StandardEditionButton(), Qt::LeftButton);
            options->accept();
        });
    }

    MainDialogFixture fixture{SampleLibraryDirectory().c_str()};
    ModalDialogs modal;
    TemporaryDirectory files;
    ProjectPage* page = nullptr;
    int offered = 0;
};

TEST_F(ProjectPageTest, ButtonsHaveTheirPicturesTooltipsAndTheExportGroupItsFormats) {
    BitmapButton* newButton = page->Button(ProjectPage::kNewId);
    ASSERT_NE(newButton, nullptr);
    EXPECT_EQ(newButton->objectName().toStdString(), "BM_PRJNEW");
    const QImage up = newButton->Face(ProjectIconState::Up).toImage();
    EXPECT_NE(up, newButton->Face(ProjectIconState::Down).toImage());
    EXPECT_NE(up, newButton->Face(ProjectIconState::Focused).toImage());
    EXPECT_NE(up, page->Button(ProjectPage::kSaveId)->Face(ProjectIconState::Up).toImage());
    newButton->setFocus();
    EXPECT_EQ(newButton->CurrentState(), ProjectIconState::Focused);

    const std::pair<ProjectPage::ControlId, const char*> tips[] = {
        {ProjectPage::kNewId, "New Project"},
        {ProjectPage::kLoadId, "Open a saved Project"},
        {ProjectPage::kSaveId, "Save the current Project"},
        {ProjectPage::kAboutId, "About Beastwright Pro"},
        {ProjectPage::kDocsId, "Open the html documentation"}};
    for (const auto& [id, tip] : tips) EXPECT_EQ(page->Button(id)->toolTip().toStdString(), tip);
    EXPECT_EQ(page->ExportButton(ProjectPage::kExportObjId)->toolTip().toStdString(),
              "Export in Wavefront OBJ format");
    EXPECT_EQ(page->ExportButton(ProjectPage::kExportBodyPartsId)->toolTip().toStdString(),
              "Export the model with named body parts");

    for (ProjectPage::ControlId id :
         {ProjectPage::kExportRenderId, ProjectPage::kExportBodyPartsId, ProjectPage::kExport3dsId,
          ProjectPage::kExportDxfId, ProjectPage::kExportObjId, ProjectPage::kExportCobId}) {
        QPushButton* button = page->ExportButton(id);
        ASSERT_NE(button, nullptr);
        const bool hidden = id == ProjectPage::kExportRenderId || id == ProjectPage::kExportCobId;
        EXPECT_EQ(button->isEnabled(), !hidden) << button->text().toStdString();
        EXPECT_EQ(button->isVisible(), !hidden) << button->text().toStdString();
    }
    for (ProjectPage::ControlId id :
         {ProjectPage::kNewId, ProjectPage::kLoadId, ProjectPage::kSaveId, ProjectPage::kAboutId,
          ProjectPage::kDocsId})
        EXPECT_FALSE(page->HiddenButton(id)->isVisible());
}

TEST_F(ProjectPageTest, ReleasingF12OrKeypadZeroOnThePageShowsTheEasterEggMessage) {
    page->Button(ProjectPage::kNewId)->setFocus();
    QTest::keyRelease(page->Button(ProjectPage::kNewId), Qt::Key_F12);
    QTest::keyRelease(page->Button(ProjectPage::kNewId), Qt::Key_0, Qt::KeypadModifier);
    QTest::keyRelease(page->Button(ProjectPage::kNewId), Qt::Key_0);
    ASSERT_EQ(fixture.notifier.messages.size(), 2u);
    for (const RecordedMessage& message : fixture.notifier.messages) {
        EXPECT_EQ(message.text, "It's an Easter Egg Hunt!");
        EXPECT_EQ(message.caption, "Beastwright");
    }
}

TEST_F(ProjectPageTest, NewProjectClearsEveryPartAndList) {
    QTest::mouseClick(page->Button(ProjectPage::kNewId), Qt::LeftButton);
    EXPECT_EQ(GetCreature().PartCount(), 0) << "New on an empty creature changes nothing";
    EXPECT_TRUE(fixture.notifier.messages.empty());

    Choose(kHead, "Male-Round.bwo");
    Choose(kLeftFoot, "Male-Bare.bwo");
    ASSERT_EQ(GetCreature().PartCount(), 2);
    DiscardChanges();
    page->HiddenButton(ProjectPage::kNewId)->click();
    EXPECT_EQ(GetCreature().PartCount(), 0);
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        EXPECT_EQ(List(id)->currentIndex(), 0);
        EXPECT_EQ(Dialog().SelectParts()->Selection().ChosenSelection(id), 0);
    }
    EXPECT_EQ(fixture.notifier.messages.size(), 1u) << "only the question about the changes";
}

TEST_F(ProjectPageTest, LoadingReplacesTheWholeCreatureAndSelectsEachRecordsEntry) {
    TemporaryDirectory projects;
    Dialog().ChangeProjectDirectory(projects.Path());
    Choose(kLeftEar, "Male-Round.bwo");
    Choose(kHead, "Female-Oval.bwo");
    // The lists are picked without regard to case; a missing file leaves its list unselected,
    // and so does a file below the body part's directory that the list cannot show.
    files.Write("Objects/Left ear/deeper/Male-Round.bwo",
                ReadText(SampleLibraryDirectory() + "/Left ear/Male-Round.bwo"));
    OfferProject({Record("Head", "\\Head\\male-square.BWO"),
                  Record("Left foot", "\\Left foot\\Male-Bare.bwo"),
                  Record("Left thigh", "\\Left thigh\\Nowhere.bwo"),
                  Record("Left ear", files.Path() + "/Objects/Left ear/deeper/Male-Round.bwo")});
    DiscardChanges();
    Load();

    ASSERT_EQ(fixture.fileDialogs.opened.size(), 1u);
    const FileDialogRequest& request = fixture.fileDialogs.opened[0];
    EXPECT_EQ(request.proposedName, projects.Path() + "/temp");
    EXPECT_EQ(request.initialDirectory, projects.Path());
    EXPECT_EQ(request.filter, "Beastwright Project (*.bwp)");
    EXPECT_EQ(request.defaultExtension, "bwp");

    ASSERT_EQ(GetCreature().PartCount(), 3);
    EXPECT_EQ(GetCreature().Part(0)->TypeName(), "Head");
    EXPECT_EQ(GetCreature().Part(0)->Name(), SampleLibraryDirectory() + "/Head/Male-Square.bwo");
    EXPECT_EQ(GetCreature().Part(1)->TypeName(), "Left foot");
    EXPECT_EQ(List(kHead)->currentText().toStdString(), "Male-Square.bwo");
    EXPECT_EQ(List(kLeftFoot)->currentText().toStdString(), "Male-Bare.bwo");
    EXPECT_EQ(List(kLeftThigh)->currentIndex(), -1);
    EXPECT_EQ(GetCreature().Part(2)->TypeName(), "Left ear");
    EXPECT_EQ(List(kLeftEar)->currentIndex(), -1) << "not the entry of another Male-Round.bwo";
    const PartSelection& selection = Dialog().SelectParts()->Selection();
    EXPECT_EQ(selection.ChosenSelection(kHead), List(kHead)->currentIndex());
    EXPECT_EQ(selection.ChosenSelection(kLeftEar), -1);
    EXPECT_EQ(selection.ChosenSelection(kLeftFoot), List(kLeftFoot)->currentIndex());

    // The missing file: the creature's own message (after the question about the changes);
    // the rest of the file was still loaded.
    ASSERT_EQ(fixture.notifier.messages.size(), 2u);
    EXPECT_EQ(fixture.notifier.messages[1].caption, "Unable to add object");
    EXPECT_EQ(modal.titles.size(), 0u) << "no translation, no dialog";
}

TEST_F(ProjectPageTest, RefusedOrCancelledLoadsChangeNothing) {
    Choose(kHead, "Male-Round.bwo");
    // Each load asks about the changes first: nothing was loaded, so they stay unsaved.
    DiscardChanges();
    fixture.fileDialogs.answers.push_back(std::nullopt);
    Load();
    DiscardChanges();
    fixture.fileDialogs.answers.push_back(files.Write("Not a project.bwp", std::string("hello\n")));
    Load();
    DiscardChanges();
    fixture.fileDialogs.answers.push_back(files.Path() + "/missing.bwp");
    Load();
    EXPECT_EQ(GetCreature().PartCount(), 1);
    EXPECT_EQ(List(kHead)->currentText().toStdString(), "Male-Round.bwo");
    std::vector<std::string> captions;
    for (const RecordedMessage& message : fixture.notifier.messages)
        if (message.buttons != MessageButtons::SaveDiscardCancel)
            captions.push_back(message.caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Unable to load project", "Unable to load project"}));
    EXPECT_EQ(fixture.notifier.messages.size(), 5u);
}

TEST_F(ProjectPageTest, RenamedFilesAreAskedAboutOnceAndListedAtTheEnd) {
    OfferProject({Record("Left thigh", "\\Left thigh\\MaleSlim.bwo"),
                  Record("Right thigh", "\\Right thigh\\Male-Slimm.bwo")});
    TranslationAnswer shown;
    modal.Expect([&](QDialog& dialog) {
        auto* question = qobject_cast<TranslateNamesDialog*>(&dialog);
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->OldPathField()->text().toStdString(), "\\Left thigh\\MaleSlim.bwo");
        EXPECT_EQ(question->NewPathField()->text().toStdString(), "\\Left thigh\\Male-Slim.bwo");
        shown = question->Boxes();
        QTest::mouseClick(question->OkButton(), Qt::LeftButton);
    });
    modal.Expect([&](QDialog& dialog) {
        auto* list = qobject_cast<TranslatedNamesDialog*>(&dialog);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->OldNames()->toPlainText().toStdString(),
                  "\\Left thigh\\MaleSlim.bwo\n\\Right thigh\\Male-Slimm.bwo");
        EXPECT_EQ(list->NewNames()->toPlainText().toStdString(),
                  "\\Left thigh\\Male-Slim.bwo\n\\Right thigh\\Male-Slim.bwo");
        QTest::mouseClick(list->OkButton(), Qt::LeftButton);
    });
    Load();

    EXPECT_EQ(modal.titles, (std::vector<std::string>{"Translate Body Part Names",
                                                      "Translated Body Part Names"}));
    EXPECT_EQ(modal.unexpected, 0);
    EXPECT_TRUE(shown.autoTranslate);
    EXPECT_TRUE(shown.dontAskProject) << "checked while undecided";
    EXPECT_FALSE(shown.dontAskSession);
    EXPECT_TRUE(shown.showTranslationList);
    ASSERT_EQ(GetCreature().PartCount(), 2);
    EXPECT_EQ(GetCreature().Part(0)->Name(),
              SampleLibraryDirectory() + "/Left thigh/Male-Slim.bwo");
    EXPECT_EQ(List(kLeftThigh)->currentText().toStdString(), "Male-Slim.bwo");
    EXPECT_EQ(List(kRightThigh)->currentText().toStdString(), "Male-Slim.bwo");
    EXPECT_EQ(page->Flags().dontAskProject, -1) << "undecided again for the next load";
    EXPECT_TRUE(fixture.notifier.messages.empty());
}

TEST_F(ProjectPageTest, DontAskAgainForThisSessionHoldsForLaterLoads) {
    const std::vector<ProjectRecord> renamed{Record("Left thigh", "\\Left thigh\\MaleSlim.bwo")};
    OfferProject(renamed);
    modal.Expect([](QDialog& dialog) {
        auto& question = static_cast<TranslateNamesDialog&>(dialog);
        question.DontAskSessionBox()->setChecked(true);
        question.ShowListBox()->setChecked(false);
        question.accept();
    });
    Load();
    ASSERT_EQ(modal.titles.size(), 1u);

    // Later loads translate without asking, and without the list now switched off.
    OfferProject(renamed);
    Load();
    OfferProject(renamed);
    Load();
    EXPECT_EQ(modal.titles.size(), 1u);
    EXPECT_EQ(modal.unexpected, 0);
    ASSERT_EQ(GetCreature().PartCount(), 1);
    EXPECT_EQ(GetCreature().Part(0)->Name(),
              SampleLibraryDirectory() + "/Left thigh/Male-Slim.bwo");
}

TEST_F(ProjectPageTest, AQuestionClosedWithoutOkKeepsTheFlagsItStartedWith) {
    OfferProject({Record("Left thigh", "\\Left thigh\\MaleSlim.bwo")});
    modal.Expect([](QDialog& dialog) {
        auto& question = static_cast<TranslateNamesDialog&>(dialog);
        question.AutoTranslateBox()->setChecked(false);
        question.reject();
    });
    modal.ExpectAccept();  // the list: the path was translated with the start states
    Load();
    EXPECT_EQ(modal.titles.size(), 2u);
    EXPECT_EQ(page->Flags().autoTranslate, 1);
    ASSERT_EQ(GetCreature().PartCount(), 1);
    EXPECT_EQ(GetCreature().Part(0)->Name(),
              SampleLibraryDirectory() + "/Left thigh/Male-Slim.bwo");
}

TEST_F(ProjectPageTest, SavesInTheChosenVersionAndConfirms) {
    Choose(kHead, "Male-Round.bwo");
    TemporaryDirectory projects;
    Dialog().ChangeProjectDirectory(projects.Path());
    const std::string path = projects.Path() + "/My.Beast.bwp";

    fixture.fileDialogs.answers.push_back(path);
    ExpectVersion(SaveProjectOptionsDialog::kStandardEdition);
    Save();
    ASSERT_EQ(fixture.fileDialogs.saved.size(), 1u);
    EXPECT_EQ(fixture.fileDialogs.saved[0].proposedName, projects.Path() + "/temp");
    EXPECT_EQ(fixture.fileDialogs.saved[0].defaultExtension, "bwp");
    EXPECT_EQ(ReadText(path).substr(0, 5), "BW1\r\n");
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].text, "Project file \"My.Beast\" has been saved.");
    EXPECT_EQ(fixture.notifier.messages[0].icon, MessageIcon::Exclamation);

    fixture.fileDialogs.answers.push_back(path);
    ExpectVersion(SaveProjectOptionsDialog::kPro);
    Save();
    EXPECT_EQ(ReadText(path).substr(0, 6), "BW20\r\n");
    EXPECT_EQ(modal.titles,
              (std::vector<std::string>{"Save Project Options", "Save Project Options"}));
    EXPECT_EQ(fixture.notifier.messages.size(), 2u);
}

TEST_F(ProjectPageTest, CancelledOrFailedSavesKeepTheOldFile) {
    Choose(kHead, "Male-Round.bwo");
    const std::string path = files.Write("Kept.bwp", std::string("old bytes"));
    fixture.fileDialogs.answers.push_back(std::nullopt);
    Save();
    fixture.fileDialogs.answers.push_back(path);
    modal.ExpectReject();  // Save Project Options cancelled
    Save();
    EXPECT_EQ(ReadText(path), "old bytes");
    EXPECT_TRUE(fixture.notifier.messages.empty());

    fixture.fileDialogs.answers.push_back(files.Path() + "/no such directory/New.bwp");
    modal.ExpectAccept();
    Save();
    ASSERT_EQ(fixture.notifier.messages.size(), 1u);
    EXPECT_EQ(fixture.notifier.messages[0].caption, "Unable to save project");
    EXPECT_EQ(fixture.notifier.messages[0].text.find(files.Path() + "/no such directory/New.bwp"),
              0u);
}

// What a part is after loading: its file, its settings and every point.
struct PartSnapshot {
    std::string typeName;
    std::string path;
    PartAdjustments adjustments;
    std::vector<Vec3f> points;
    bool operator==(const PartSnapshot&) const = default;
};

std::vector<PartSnapshot> Snapshot(const Creature& creature) {
    std::vector<PartSnapshot> parts;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject* part = creature.Part(i);
        const auto points = part->TransformedPoints();
        parts.push_back({part->TypeName(), part->Name(), part->adjustments,
                         std::vector<Vec3f>(points.begin(), points.end())});
    }
    return parts;
}

void TypeValue(QLineEdit* edit, const char* text, QWidget* next) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    next->setFocus(Qt::TabFocusReason);
}

// The largest extent of the creature's points along any axis.
float CreatureExtent(const std::vector<PartSnapshot>& parts) {
    Vec3f low{1e30f, 1e30f, 1e30f}, high{-1e30f, -1e30f, -1e30f};
    for (const PartSnapshot& part : parts) {
        for (const Vec3f& p : part.points) {
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
    }
    return std::max({high.x - low.x, high.y - low.y, high.z - low.z});
}

TEST_F(ProjectPageTest, ACreatureAdjustedInTheWindowComesBackWhole) {
    // Assembled from the upper body outwards, then adjusted on Edit Parts.
    Dialog().Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
    for (const auto& [id, file] :
         std::vector<std::pair<BodyPartId, const char*>>{{8, "Male-Athletic.bwo"},
                                                         {15, "Male-Flat.bwo"},
                                                         {kLeftThigh, "Male-Slim.bwo"},
                                                         {17, "Male-Slim.bwo"},
                                                         {kLeftFoot, "Male-Bare.bwo"},
                                                         {7, "Male-Thick.bwo"},
                                                         {kHead, "Fantasy-Horned.bwo"}})
        Choose(id, file);
    ASSERT_EQ(GetCreature().PartCount(), 7);

    // Scale the thigh on one side and taper it; stretch the head.
    Dialog().Tabs()->setCurrentIndex(MainDialog::kEditPartsTab);
    EditPartsPage* edit = Dialog().EditParts();
    ASSERT_NE(edit, nullptr);
    auto selectEntry = [&](BodyPartId id) {
        edit->ObjectList()->setCurrentIndex(id + 1);
        emit edit->ObjectList()->activated(id + 1);
    };
    selectEntry(kLeftThigh);
    QTest::mouseClick(edit->LockButton(AdjustGroup::X, kScalePositive), Qt::LeftButton);
    TypeValue(edit->ValueEdit(AdjustGroup::X), "0.25", edit->ObjectList());
    TypeValue(edit->StepEdit(AdjustGroup::Y), "0.05", edit->ObjectList());
    TypeValue(edit->ValueEdit(AdjustGroup::Y), "-0.125", edit->ObjectList());
    TypeValue(edit->ValueEdit(AdjustGroup::Taper), "0.5", edit->ObjectList());
    selectEntry(kHead);
    TypeValue(edit->ValueEdit(AdjustGroup::Z), "0.375", edit->ObjectList());
    const std::vector<PartSnapshot> built = Snapshot(GetCreature());
    const PartObject* thigh = GetCreature().PartOfTypeCode(*TypeCodeOfBodyPart(kLeftThigh));
    ASSERT_NE(thigh, nullptr);
    EXPECT_EQ(thigh->adjustments.scaleValue[ScaleIndex(kScalePositive, 0)], 0.25f)
        << "the edits reached the part";
    EXPECT_EQ(thigh->adjustments.taperValue[0], 0.5f);

    TemporaryDirectory projects;
    const std::string path = projects.Path() + "/Round trip.bwp";
    fixture.fileDialogs.answers.push_back(path);
    ExpectVersion(SaveProjectOptionsDialog::kPro);
    Save();
    QTest::mouseClick(page->Button(ProjectPage::kNewId), Qt::LeftButton);
    ASSERT_EQ(GetCreature().PartCount(), 0);
    fixture.fileDialogs.answers.push_back(path);
    Load();

    // Files and settings come back exactly. Points come back exactly up to rounding, except
    // where welding averaged a seam: a seam is averaged again at every edit of a part in the
    // window but once per part on loading, so seam points keep a trace of the edits' order.
    const std::vector<PartSnapshot> loaded = Snapshot(GetCreature());
    ASSERT_EQ(loaded.size(), built.size());
    const float extent = CreatureExtent(built);
    ASSERT_GT(extent, 0.0f);
    for (std::size_t i = 0; i < built.size(); ++i) {
        EXPECT_EQ(loaded[i].typeName, built[i].typeName);
        EXPECT_EQ(loaded[i].path, built[i].path);
        EXPECT_EQ(loaded[i].adjustments, built[i].adjustments) << built[i].typeName;
        const PartObject* part = GetCreature().Part(static_cast<int>(i));
        std::vector<bool> seam(part->PointCount(), false);
        for (int set = 0; set < kMaxConnectionSets; ++set)
            for (std::uint16_t index : part->ConnectionSet(set)) seam[index] = true;
        ASSERT_EQ(loaded[i].points.size(), built[i].points.size());
        for (std::size_t k = 0; k < built[i].points.size(); ++k) {
            const Vec3f& a = loaded[i].points[k];
            const Vec3f& b = built[i].points[k];
            const float difference =
                std::max({std::abs(a.x - b.x), std::abs(a.y - b.y), std::abs(a.z - b.z)});
            const float tolerance = seam[k] ? 0.01f * extent : 1e-5f * extent;
            ASSERT_LE(difference, tolerance) << built[i].typeName << " point " << k;
        }
    }
    EXPECT_EQ(List(kLeftThigh)->currentText().toStdString(), "Male-Slim.bwo");
    EXPECT_EQ(List(kHead)->currentText().toStdString(), "Fantasy-Horned.bwo");

    // Saving what was loaded writes the same file again.
    const std::string again = projects.Path() + "/Again.bwp";
    fixture.fileDialogs.answers.push_back(again);
    ExpectVersion(SaveProjectOptionsDialog::kPro);
    Save();
    EXPECT_EQ(ReadText(again), ReadText(path));
    EXPECT_EQ(fixture.notifier.messages.size(), 2u) << "only the two confirmations";
}

}  // namespace
}  // namespace bw::test
