// Writes the whole sample library below one share directory:
//   Objects/Library/<body part>/<Type>-<Variant>.bwo   the body parts
//   Objects/Prepared/Creature-<Type>.bwo               one prepared creature per type
//   Projects/*.bwp                                     sample projects
//   Projects/*.bwpose                                  sample poses of some of them
// The build adds Doc/ beside them: the manual (docs/manual), two levels above Library.
#pragma once

#include <string>

namespace bw::library {

// False with `reason` on the first part that is unsound or cannot be written.
bool WriteSampleLibrary(const std::string& shareDirectory, std::string* reason);

}  // namespace bw::library
