#include "converter/object_name.h"

namespace bw {

bool IsSafeObjectName(std::string_view name, std::string* problem) {
    const auto refuse = [&](const char* why) {
        if (problem)
            *problem = "The object name \"" + std::string(name.substr(0, name.find('\0'))) +
                       "\" cannot name a part file: " + why;
        return false;
    };
    if (name.empty()) return refuse("it is empty.");
    if (name.find('\0') != std::string_view::npos) return refuse("it holds a zero byte.");
    if (name.find_first_of("/\\") != std::string_view::npos)
        return refuse("it holds a path separator.");
    if (name.find_first_not_of('.') == std::string_view::npos)
        return refuse("it consists of dots only.");
    return true;
}

}  // namespace bw
