// Undo and redo over the real logic and the sample library: every kind of step comes back bit
// for bit, parts that a step does not change are shared, and nothing is read from disk again.
#include "history/undo_steps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "edit/part_adjustment_editor.h"
#include "model/file_enumerator.h"
#include "project/list_selecting_load_listener.h"
#include "project/project_loader.h"
#include "select/clear_creature.h"
#include "select/random_creature.h"
#include "select/symmetry_state.h"
#include "support/recording_notifier.h"
#include "support/temporary_directory.h"

namespace bw {
namespace {

using std::chrono::milliseconds;
namespace fs = std::filesystem;

const std::string kShare = BW_SAMPLE_SHARE_DIR;

// Numbers of a fixed linear congruential sequence, the same after each Seed.
class RepeatableRandom : public RandomSource {
  public:
    explicit RepeatableRandom(std::uint32_t seed) : seed_(seed) {}
    void Seed() override { state_ = seed_++; }
    int Next() override {
        state_ = state_ * 1103515245u + 12345u;
        return int((state_ >> 16) & 0x7fff);
    }

  private:
    std::uint32_t seed_;
    std::uint32_t state_ = 0;
};

template <class T>
void AppendBytes(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void AppendPoints(std::string& out, std::span<const Vec3f> points) {
    out.append(reinterpret_cast<const char*>(points.data()), points.size_bytes());
}

class UndoStepsTest : public ::testing::Test {
  protected:
    // The object directory: the sample library, or a copy of it for the tests that delete it.
    void Start(const std::string& objects) {
        selection.SetObjectDirectory(objects);
        for (BodyPartId i = 0; i < kBodyPartCount; ++i) selection.SetList(i, &lists[i]);
        selection.FillPartLists();
        undo = std::make_unique<UndoSteps>(
            CreatureStateSources{creature, selection, symmetry},
            UndoSteps::Hooks{[this] { return BodyPartOfEntry(editor.View().entry); },
                             [this](std::optional<BodyPartId> part) {
                                 ++restores;
                                 editor.SelectEntry(EntryOfBodyPart(part));
                             },
                             [this] { return now; },
                             {}});
    }

    // Everything a step may change, as bytes: the parts in list order with their points,
    // normals and adjustments, the lists, the choices, the symmetry and the edited entry.
    std::string Fingerprint() const {
        std::string out;
        for (int i = 0; i < creature.PartCount(); ++i) {
            const PartObject& part = *creature.Part(i);
            out += part.Name() + '\n' + part.TypeName() + '\n';
            AppendBytes(out, part.bodyPart);
            AppendBytes(out, part.highlight);
            AppendBytes(out, part.adjustments);
            AppendPoints(out, part.BasePoints());
            AppendPoints(out, part.TransformedPoints());
            AppendPoints(out, part.Normals());
        }
        for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
            AppendBytes(out, lists[i].current);
            AppendBytes(out, selection.ChosenSelection(i));
        }
        AppendBytes(out, symmetry.IsOn());
        AppendBytes(out, symmetry.Directions());
        AppendBytes(out, editor.View().entry);
        return out;
    }

    void Choose(BodyPartId i, int entry) {
        ScopedStep step(*undo);
        lists[i].SetCurrentIndex(entry);
        selection.SelectPart(i);
    }

    void LoadSampleProject(const std::string& name, const std::string& objects) {
        ScopedStep step(*undo);
        ListSelectingLoadListener listener(selection);
        LoadProject(creature, kShare + "/Projects/" + name, objects, flags, listener);
    }

    test::RecordingNotifier notifier;
    Creature creature{notifier};
    DirectoryFileEnumerator files;
    PartSelection selection{creature, files};
    std::array<MemoryPartList, kBodyPartCount> lists;
    SymmetryState symmetry{selection};
    PartAdjustmentEditor editor{creature, [] {}};
    TranslationFlags flags;
    milliseconds now{0};
    int restores = 0;
    std::unique_ptr<UndoSteps> undo;
};

constexpr BodyPartId kHead = 0;
constexpr int kLeftHandEntry = 1 + 11;  // the Object entry of "Left hand"

TEST_F(UndoStepsTest, EveryKindOfStepIsUndoneAndRedoneBitForBit) {
    const std::string objects = kShare + "/Objects/Library";
    Start(objects);
    RepeatableRandom random(7);
    std::vector<std::string> states{Fingerprint()};
    auto step = [&](auto&& change) {
        now += milliseconds(1000);
        change();
        states.push_back(Fingerprint());
        ASSERT_NE(states.back(), states[states.size() - 2]) << "the step changed nothing";
    };

    step([&] { LoadSampleProject("Fantasy.bwp", objects); });
    step([&] { Choose(kHead, 2); });
    step([&] {
        ScopedStep s(*undo);
        RandomCreature(selection, 0, random);
    });
    // Choosing the part to edit is no step: undoing the next step comes back to it.
    editor.SelectEntry(kLeftHandEntry);
    states.back() = Fingerprint();
    step([&] {
        ScopedStep s(*undo);
        editor.Adjust(AdjustGroup::X, AdjustAction::PageRight);
    });
    step([&] {
        ScopedStep s(*undo);
        editor.EditValue(AdjustGroup::Taper, "0.4");
    });
    step([&] {
        ScopedStep s(*undo);
        editor.ClickLock(AdjustGroup::Y, 1);
    });
    step([&] {
        ScopedStep s(*undo);
        symmetry.ChooseDirection(SymmetryGroup::UpperLimbs, SymmetryDirection::Left);
    });
    step([&] {
        ScopedStep s(*undo);
        symmetry.TurnOn();
    });
    step([&] {
        ScopedStep s(*undo);
        editor.ClearCurrentSettings();
    });
    step([&] {
        ScopedStep s(*undo);
        ClearCreature(selection);
    });
    ASSERT_EQ(undo->History().UndoCount(), states.size() - 1);

    for (std::size_t k = states.size() - 1; k-- > 0;) {
        ASSERT_TRUE(undo->Undo()) << k;
        ASSERT_EQ(Fingerprint(), states[k]) << "after undoing step " << k + 1;
    }
    EXPECT_FALSE(undo->Undo());
    for (std::size_t k = 1; k < states.size(); ++k) {
        ASSERT_TRUE(undo->Redo()) << k;
        ASSERT_EQ(Fingerprint(), states[k]) << "after redoing step " << k;
    }
    EXPECT_FALSE(undo->Redo());
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(UndoStepsTest, UndoComesBackToThePartBeingEditedBeforeTheStep) {
    Start(kShare + "/Objects/Library");
    LoadSampleProject("Male.bwp", kShare + "/Objects/Library");
    editor.SelectEntry(kLeftHandEntry);
    const std::string before = Fingerprint();
    {
        ScopedStep s(*undo);
        editor.SelectEntry(1 + kHead);
        editor.Adjust(AdjustGroup::Z, AdjustAction::LineLeft);
    }
    ASSERT_TRUE(undo->Undo());
    EXPECT_EQ(Fingerprint(), before);
    EXPECT_EQ(editor.View().entry, kLeftHandEntry);
}

TEST_F(UndoStepsTest, AStepSharesEveryPartItDidNotChange) {
    ASSERT_EQ(BodyPartName(kLeftHandEntry - 1), "Left hand");
    const std::string objects = kShare + "/Objects/Library";
    Start(objects);
    LoadSampleProject("Fantasy.bwp", objects);
    editor.SelectEntry(kLeftHandEntry);
    undo->StepBegins();  // the highlight of the part being edited, taken in
    undo->StepEnds();
    const CreatureState loaded = undo->History().Current();
    {
        ScopedStep s(*undo);
        editor.Adjust(AdjustGroup::Y, AdjustAction::PageLeft);
    }
    const CreatureState& adjusted = undo->History().Current();
    ASSERT_EQ(adjusted.parts.size(), loaded.parts.size());
    std::set<std::string> changed;
    for (std::size_t i = 0; i < loaded.parts.size(); ++i) {
        EXPECT_EQ(&adjusted.parts[i]->Mesh(), &loaded.parts[i]->Mesh());
        if (adjusted.parts[i] != loaded.parts[i]) changed.insert(adjusted.parts[i]->TypeName());
    }
    // The hand itself, and the forearm it is welded to.
    EXPECT_EQ(changed, (std::set<std::string>{"Left hand", "Left forearm"}));
    for (std::size_t i = 0; i < loaded.parts.size(); ++i) {
        if (adjusted.parts[i]->TypeName() != "Left forearm") continue;
        // Only the blocks around the weld ring hold new copies.
        EXPECT_LT(adjusted.parts[i]->Points().BytesNotSharedWith(loaded.parts[i]->Points()),
                  adjusted.parts[i]->Points().Size() * sizeof(Vec3f) / 2);
        EXPECT_EQ(adjusted.parts[i]->BasePoints().BytesNotSharedWith(loaded.parts[i]->BasePoints()),
                  0u);
    }

    // A project loaded again shares the meshes of the first load.
    {
        ScopedStep s(*undo);
        ClearCreature(selection);
    }
    LoadSampleProject("Fantasy.bwp", objects);
    const CreatureState& again = undo->History().Current();
    ASSERT_EQ(again.parts.size(), loaded.parts.size());
    for (std::size_t i = 0; i < loaded.parts.size(); ++i)
        EXPECT_EQ(&again.parts[i]->Mesh(), &loaded.parts[i]->Mesh()) << i;
}

TEST_F(UndoStepsTest, UndoAndRedoReadNoFileAgain) {
    test::TemporaryDirectory copy;
    const std::string objects = copy.Path() + "/Objects";
    fs::copy(kShare + "/Objects/Library", objects, fs::copy_options::recursive);
    Start(objects);
    LoadSampleProject("Insect.bwp", objects);
    const std::string insect = Fingerprint();
    LoadSampleProject("Manga.bwp", objects);
    const std::string manga = Fingerprint();
    ASSERT_NE(insect, manga);

    // Every file removed, and one put back with other content under the same name.
    const fs::path head = fs::path(objects) / "Head";
    const std::string someHead = (fs::directory_iterator(head)->path()).string();
    fs::remove_all(objects);
    fs::create_directories(head);
    copy.Write("Objects/Head/" + fs::path(someHead).filename().string(),
               std::string("not an object file"));

    ASSERT_TRUE(undo->Undo());
    EXPECT_EQ(Fingerprint(), insect);
    ASSERT_TRUE(undo->Redo());
    EXPECT_EQ(Fingerprint(), manga);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(UndoStepsTest, NoUndoWhileAStepIsUnderWayAndClearForgetsEverything) {
    Start(kShare + "/Objects/Library");
    Choose(kHead, 1);
    undo->StepBegins();
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_FALSE(undo->Undo());
    undo->StepEnds();
    EXPECT_TRUE(undo->CanUndo());

    undo->Clear();
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(creature.PartCount(), 1);  // the parts stay
    EXPECT_EQ(restores, 0);
}

}  // namespace
}  // namespace bw
