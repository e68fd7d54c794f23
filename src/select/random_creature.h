// "Random Creature": a random object file for every unlocked body part, optionally only files
// of one creature type (chosen by the beginning of the file name).
#pragma once

#include <array>
#include <string_view>

#include "select/part_selection.h"
#include "select/random_source.h"

namespace bw {

// The items of the creature-type list, in order; creatureType is an index into it.
inline constexpr std::array<std::string_view, 6> kCreatureTypeItems{
    "(all types)", "Fantasy", "Female", "Insect", "Male", "Manga"};
// At most this many entries of one list are collected as matching the creature type; the
// draw is over the first ones in list order.
inline constexpr int kMaxTypeMatches = 64;

// The file-name prefix of creatureType 1 to 5; empty for 0 ("(all types)") and any other value.
std::string_view CreatureTypeFilter(int creatureType);

// Seeds `random`, then for each body part in catalogue order whose list exists and is not
// locked: draws any entry but " (none) " (entry 0 only when it is the only one), or, with a
// creature type, draws among the entries whose text begins with the type name without regard to
// case when there are any; shows the entry and calls SelectPart (which applies it and, while
// symmetry is on, copies it to the mirror part). Load failures are shown by the creature and the
// command goes on with the next body part. Every application repaints.
void RandomCreature(PartSelection& selection, int creatureType, RandomSource& random);

}  // namespace bw
