#include "bwtool/export_format.h"

#include <array>
#include <cctype>

namespace bw::tool {
namespace {

// FBX and STL are written binary: the kind that game engines and slicers read best. 3MF, the
// other format for printing, has Z up.
constexpr std::array<ExportFormat, 8> kFormats{{
    {".glb", "glTF", "glb2", true, false, false, true, UpAxis::Y},
    {".gltf", "glTF", "gltf2", true, false, false, true, UpAxis::Y},
    {".fbx", "FBX", "fbx", false, false, false, false, UpAxis::Y},
    {".obj", "OBJ", "obj", false, false, true, false, UpAxis::Y},
    {".stl", "STL", "stlb", true, true, false, false, UpAxis::Y},
    {".3mf", "3MF", nullptr, true, true, false, false, UpAxis::Z},
    {".ply", "PLY", "plyb", false, false, false, false, UpAxis::Y},
    {".dae", "COLLADA", "collada", false, false, false, false, UpAxis::Y},
}};

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != suffix[i]) return false;
    }
    return true;
}

}  // namespace

const ExportFormat* ExportFormatOfPath(std::string_view path) {
    // The extension must follow a name: "dir/.glb" names a hidden file, no glTF.
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    for (const ExportFormat& format : kFormats) {
        if (name.size() > format.extension.size() && EndsWithIgnoringCase(name, format.extension))
            return &format;
    }
    return nullptr;
}

const ExportFormat& ObjExportFormat() { return kFormats[3]; }

std::string ExportExtensionList() {
    std::string list;
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        if (i > 0) list += i + 1 == kFormats.size() ? " or " : ", ";
        list += kFormats[i].extension;
    }
    return list;
}

}  // namespace bw::tool
