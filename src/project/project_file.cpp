#include "project/project_file.h"

#include <algorithm>

namespace bw {

std::string ToPortablePath(std::string_view path) {
    std::string result(path);
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

std::string FromPortablePath(std::string_view storedPath) {
    std::string result(storedPath);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

}  // namespace bw
