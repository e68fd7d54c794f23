// Building a creature on the command line as the program does, reporting on standard error
// what the window would show: the translated names of renamed object files, and the reader's
// reason for every part that could not be added.
#pragma once

#include <string>

#include "bwtool/reporting_notifier.h"
#include "model/creature.h"

namespace bw::tool {

// "error: PATH: reason" for the part the creature could not add last.
void ReportAddFailure(const Creature& creature);

// Loads `project` into `creature` from `objectDirectory`, translating renamed paths without
// asking; true when the project was read and every record's part was added.
bool LoadProjectReporting(Creature& creature, const std::string& project,
                          const std::string& objectDirectory, ReportingNotifier& notifier);

}  // namespace bw::tool
