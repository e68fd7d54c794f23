#include "project/saved_project_message.h"

#include "model/body_part_directory.h"

namespace bw {

std::string SavedProjectMessage(const std::string& path) {
    const std::size_t slash = path.rfind(kPathSeparator);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return "Project file \"" + name + "\" has been saved.";
}

}  // namespace bw
