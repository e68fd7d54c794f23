// Sample project files: whole creatures of each type (Pro, with a few visible adjustments in
// one of them) and a mixed creature in the Standard Edition format that still names a thigh by
// its old file name, which loading translates.
#pragma once

#include <string>

namespace bw::library {

// Writes the samples into `projectDirectory`. False with `reason` on the first failure.
bool WriteSampleProjects(const std::string& projectDirectory, std::string* reason);

}  // namespace bw::library
