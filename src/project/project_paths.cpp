#include "project/project_paths.h"

#include "model/body_part_directory.h"
#include "project/project_file.h"

namespace bw {

std::string StoredObjectPath(const std::string& path, const std::string& objectDirectory) {
    const std::string prefix = objectDirectory + kPathSeparator;
    if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0)
        return ToPortablePath(path.substr(objectDirectory.size()));
    return path;
}

std::string ObjectPathOfStored(const std::string& storedPath, const std::string& objectDirectory) {
    if (storedPath.empty() || storedPath.front() != '\\') return storedPath;
    return ResolvePathIgnoringCase(objectDirectory, FromPortablePath(storedPath));
}

std::string StoredFileName(const std::string& storedPath) {
    const std::size_t cut = storedPath.find_last_of("\\/");
    return cut == std::string::npos ? storedPath : storedPath.substr(cut + 1);
}

}  // namespace bw
