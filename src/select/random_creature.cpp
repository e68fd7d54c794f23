#include "select/random_creature.h"

#include <cctype>
#include <string>

#include "select/show_list_entry.h"

namespace bw {
namespace {

bool BeginsWithIgnoringCase(const std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t k = 0; k < prefix.size(); ++k) {
        if (std::tolower(static_cast<unsigned char>(text[k])) !=
            std::tolower(static_cast<unsigned char>(prefix[k])))
            return false;
    }
    return true;
}

// A draw from 0 .. count - 1; `count` must be positive. A source outside its range still gives
// an index in range.
int Draw(RandomSource& random, int count) {
    return static_cast<int>(static_cast<unsigned>(random.Next()) % static_cast<unsigned>(count));
}

int PickEntry(const PartList& list, std::string_view typeName, RandomSource& random) {
    const int n = list.Count();
    int pick = n > 1 ? 1 + Draw(random, n - 1) : n - 1;
    if (!typeName.empty()) {
        std::array<int, kMaxTypeMatches> matches{};
        int found = 0;
        for (int k = 0; k < n && found < kMaxTypeMatches; ++k) {
            if (BeginsWithIgnoringCase(list.Text(k), typeName)) matches[std::size_t(found++)] = k;
        }
        if (found > 0) pick = matches[std::size_t(Draw(random, found))];
    }
    return pick;
}

}  // namespace

std::string_view CreatureTypeFilter(int creatureType) {
    if (creatureType < 1 || creatureType >= static_cast<int>(kCreatureTypeItems.size())) return {};
    return kCreatureTypeItems[static_cast<std::size_t>(creatureType)];
}

void RandomCreature(PartSelection& selection, int creatureType, RandomSource& random) {
    random.Seed();
    const std::string_view typeName = CreatureTypeFilter(creatureType);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        PartList* list = selection.List(i);
        if (!list || list->IsLocked()) continue;
        ShowListEntry(*list, PickEntry(*list, typeName, random));
        selection.SelectPart(i);
    }
}

}  // namespace bw
