#include "project/name_translation_table.h"

#include <array>

#include "project/project_file.h"

namespace bw {
namespace {

// The misspelt names stay exactly as the old files hold them.
constexpr std::array<NameTranslation, 7> kTranslations{{
    {"\\Left foot\\Fantasy-TrheeThoes.bwo", "\\Left foot\\Fantasy-ThreeToes.bwo"},
    {"\\Right foot\\Fantasy-ThreeThose.bwo", "\\Right foot\\Fantasy-ThreeToes.bwo"},
    {"\\Left foot\\Fantasy-TwoThoes.bwo", "\\Left foot\\Fantasy-TwoToes.bwo"},
    {"\\Right foot\\Fantasy-TwoThoes.bwo", "\\Right foot\\Fantasy-TwoToes.bwo"},
    {"\\Left thigh\\MaleSlim.bwo", "\\Left thigh\\Male-Slim.bwo"},
    {"\\Right thigh\\Male-Slimm.bwo", "\\Right thigh\\Male-Slim.bwo"},
    {"\\Left thigh\\Fantasy-Disk.bwo", "\\Left thigh\\Fantasy-Disc.bwo"},
}};

}  // namespace

std::optional<std::string> NameTranslationTable::Translate(std::string_view oldPath) const {
    const std::string portable = ToPortablePath(oldPath);
    for (const NameTranslation& entry : kTranslations) {
        if (entry.oldPath == portable) return std::string(entry.newPath);
    }
    return std::nullopt;
}

std::span<const NameTranslation> NameTranslationTable::Entries() const { return kTranslations; }

}  // namespace bw
