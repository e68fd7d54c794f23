#include "model/file_enumerator.h"

#include <filesystem>

#include "model/body_part_directory.h"

namespace bw {
namespace fs = std::filesystem;

std::vector<std::string> DirectoryFileEnumerator::NamesWithExtension(
    const std::string& directory, const std::string& extension) const {
    std::vector<std::string> names;
    std::error_code error;
    const fs::path dir = directory.empty() ? fs::path("/") : fs::path(directory);
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.size() > extension.size() &&
            EqualIgnoringCase(name.substr(name.size() - extension.size()), extension))
            names.push_back(std::move(name));
    }
    return names;
}

}  // namespace bw
