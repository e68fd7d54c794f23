// The largest sample creature: the sample project with the most points, loaded once (renamed
// object files translated) and kept for the run. Aborts when no sample project loads.
#pragma once

#include "model/creature.h"

namespace bw::bench {

const Creature& LargestSampleCreature();

}  // namespace bw::bench
