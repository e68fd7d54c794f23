// The confirmation shown after a project was saved.
#pragma once

#include <string>

namespace bw {

// "Project file \"<name>\" has been saved." with the file's name without directory and
// without its extension (what follows the name's last full stop).
std::string SavedProjectMessage(const std::string& path);

}  // namespace bw
