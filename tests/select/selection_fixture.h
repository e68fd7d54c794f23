// A PartSelection over in-memory lists, a real Creature and a temporary object directory of
// tiny object files (three points, no connection sets, so any combination connects silently).
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "model/creature.h"
#include "model/file_enumerator.h"
#include "select/part_list.h"
#include "select/part_selection.h"
#include "select/random_source.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw::test {

using FileNames = std::vector<std::string>;

// A part list that also logs, in one log shared by all rows, every entry the program shows.
class LoggingPartList : public MemoryPartList {
  public:
    void SetCurrentIndex(int index) override {
        MemoryPartList::SetCurrentIndex(index);
        if (log) log->push_back(row);
    }
    BodyPartId row = 0;
    std::vector<BodyPartId>* log = nullptr;
};

// Numbers given in advance; 0 once they run out.
class ScriptedRandom : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<int> numbers = {}) : numbers_(std::move(numbers)) {}
    void Seed() override { ++seeds; }
    int Next() override {
        const std::size_t k = used_++;
        return k < numbers_.size() ? numbers_[k] : 0;
    }
    std::size_t Used() const { return used_; }
    int seeds = 0;

  private:
    std::vector<int> numbers_;
    std::size_t used_ = 0;
};

class SelectionFixture {
  public:
    // Writes the named files into the directories of the given body parts; the other body
    // parts get no directory ("No Files"). Then fills the lists.
    explicit SelectionFixture(const std::map<BodyPartId, std::vector<std::string>>& files);
    // The same file names for every body part.
    explicit SelectionFixture(const FileNames& names);

    // Shows `entry` in row i's list as the user would choose it (SelectPart).
    void Choose(BodyPartId i, const std::string& entry);
    // The file name of the body part's part in the creature; empty when it has none.
    std::string LoadedFile(BodyPartId i) const;
    // The text each row shows.
    std::string Shown(BodyPartId i) const;
    MemoryPartList& List(BodyPartId i) { return lists[std::size_t(i)]; }

    TemporaryDirectory directory;
    RecordingNotifier notifier;
    Creature creature{notifier};
    DirectoryFileEnumerator enumerator;
    PartSelection selection{creature, enumerator};
    std::array<LoggingPartList, kBodyPartCount> lists;
    std::vector<BodyPartId> shownLog;
    int repaints = 0;
};

}  // namespace bw::test
