// Writes project files (layout in project_file.h).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "project/project_file.h"

namespace bw {

// The bytes of a project file holding `records` in order. `version` is "20" (Pro, 34 fields)
// or "1" (Standard Edition, 25 fields); its first character chooses the parameter line. Names
// and object paths are written as given (object paths in the portable form, see
// ToPortablePath). Numbers are "%d" and "%f" with six decimals and a full stop, whatever the
// locale. False, with `reason` set and `bytes` untouched, when the version starts with neither
// '1' nor '2' or holds white space, or a name or path holds a CR or LF (the file could not be
// read back in step).
bool FormatProject(std::span<const ProjectRecord> records, std::string_view version,
                   std::string& bytes, std::string* reason);

}  // namespace bw
