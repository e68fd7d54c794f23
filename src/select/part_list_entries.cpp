#include "select/part_list_entries.h"

#include <algorithm>
#include <cctype>

#include "model/body_part_directory.h"
#include "model/file_enumerator.h"
#include "select/part_list.h"

namespace bw {
namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace

void SortEntryNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), LessIgnoringCase);
}

std::vector<std::string> PartListEntries(const std::string& objectDirectory, BodyPartId id,
                                         const FileEnumerator& files) {
    std::vector<std::string> names =
        files.NamesWithExtension(BodyPartDirectory(objectDirectory, id), ".bwo");
    SortEntryNames(names);
    std::vector<std::string> entries{kNoneEntry};
    if (names.empty()) {
        entries.emplace_back(kNoFilesEntry);
    } else {
        entries.insert(entries.end(), names.begin(), names.end());
    }
    return entries;
}

}  // namespace bw
