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

std::string RecordListEntry(const std::string& name, const std::string& storedPath) {
    const std::size_t n = name.size();
    if (storedPath.size() < n + 2 || storedPath.front() != '\\') return {};
    const char separator = storedPath[n + 1];
    if (separator != '\\' && separator != '/') return {};
    if (!EqualIgnoringCase(storedPath.substr(1, n), name)) return {};
    return storedPath.substr(n + 2);
}

}  // namespace bw
