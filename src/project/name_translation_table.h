// Object files whose names were corrected in the library after project files naming them had
// been saved. Loading a project looks every record's object path up here.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace bw {

// Both paths relative to the object directory, in the backslash form of project files.
struct NameTranslation {
    std::string_view oldPath;
    std::string_view newPath;
};

class NameTranslationTable {
  public:
    // The new object path for `oldPath`, nullopt when it is not in the table. The match is
    // exact, letter case included; only a '/' separator counts as the '\' of the table.
    std::optional<std::string> Translate(std::string_view oldPath) const;

    // Every entry, in a fixed order.
    std::span<const NameTranslation> Entries() const;
};

}  // namespace bw
