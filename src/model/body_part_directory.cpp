#include "model/body_part_directory.h"

#include <cctype>
#include <filesystem>

namespace bw {
namespace fs = std::filesystem;

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

namespace {

// The entry of `directory` named `name`: the exact name if it exists, else the first entry
// (in sorted order, so the choice is stable) equal to it without regard to case.
std::string MatchEntry(const std::string& directory, const std::string& name) {
    std::error_code error;
    const fs::path dir = directory.empty() ? fs::path("/") : fs::path(directory);
    if (fs::exists(dir / name, error)) return name;
    std::string best;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (EqualIgnoringCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best.empty() ? name : best;
}

}  // namespace

std::string BodyPartDirectory(const std::string& objectDirectory, BodyPartId id) {
    return objectDirectory + kPathSeparator +
           MatchEntry(objectDirectory, std::string(BodyPartName(id)));
}

std::string ResolvePathIgnoringCase(const std::string& base, const std::string& relative) {
    std::string result = base;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find(kPathSeparator, start);
        if (end == std::string::npos) end = relative.size();
        const std::string component = relative.substr(start, end - start);
        if (!component.empty()) result += kPathSeparator + MatchEntry(result, component);
        start = end + 1;
    }
    return result;
}

}  // namespace bw
