#include "selection_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace bw::test {
namespace {

std::vector<std::uint8_t> TinyPart() {
    ObjectFileContents c;
    c.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    return Encode(c);
}

std::map<BodyPartId, std::vector<std::string>> Everywhere(const std::vector<std::string>& names) {
    std::map<BodyPartId, std::vector<std::string>> files;
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) files[i] = names;
    return files;
}

}  // namespace

SelectionFixture::SelectionFixture(const std::vector<std::string>& names)
    : SelectionFixture(Everywhere(names)) {}

SelectionFixture::SelectionFixture(const std::map<BodyPartId, std::vector<std::string>>& files) {
    const std::vector<std::uint8_t> bytes = TinyPart();
    for (const auto& [id, names] : files) {
        const std::string dir = std::string(BodyPartName(id));
        std::filesystem::create_directories(std::filesystem::path(directory.Path()) / dir);
        for (const std::string& name : names) directory.Write(dir + "/" + name, bytes);
    }
    selection.SetObjectDirectory(directory.Path());
    selection.SetRepaint([this] { ++repaints; });
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        lists[std::size_t(i)].row = i;
        selection.SetList(i, &lists[std::size_t(i)]);
    }
    selection.FillPartLists();
    for (auto& list : lists) list.log = &shownLog;
}

void SelectionFixture::Choose(BodyPartId i, const std::string& entry) {
    MemoryPartList& list = List(i);
    const auto found = std::find(list.entries.begin(), list.entries.end(), entry);
    ASSERT_NE(found, list.entries.end()) << entry;
    list.SetCurrentIndex(int(found - list.entries.begin()));
    selection.SelectPart(i);
}

std::string SelectionFixture::LoadedFile(BodyPartId i) const {
    for (int k = 0; k < creature.PartCount(); ++k) {
        const PartObject* part = creature.Part(k);
        if (part->TypeName() == BodyPartName(i))
            return std::filesystem::path(part->Name()).filename().string();
    }
    return {};
}

std::string SelectionFixture::Shown(BodyPartId i) const {
    const MemoryPartList& list = lists[std::size_t(i)];
    return list.Text(list.CurrentIndex());
}

}  // namespace bw::test
