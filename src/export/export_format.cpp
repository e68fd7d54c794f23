#include "export/export_format.h"

#include <array>
#include <cctype>

namespace bw {
namespace {

// FBX and STL are written binary: the kind that game engines and slicers read best. 3MF, the
// other format for printing, has Z up, and so has DXF, the convention of CAD programs. The
// formats the command line offers come first.
constexpr std::size_t kCommandLineFormats = 8;
constexpr std::array<ExportFormat, 10> kFormats{{
    {".glb", "glTF", ExportWriter::Assimp, "glb2", true, false, false, true, UpAxis::Y, true,
     "glTF binary (*.glb)", true},
    {".gltf", "glTF", ExportWriter::Assimp, "gltf2", true, false, false, true, UpAxis::Y, true,
     "glTF (*.gltf)", true},
    {".fbx", "FBX", ExportWriter::Assimp, "fbx", false, false, false, false, UpAxis::Y, true,
     "FBX (*.fbx)", true},
    {".obj", "OBJ", ExportWriter::Assimp, "obj", false, false, true, false, UpAxis::Y, true,
     "Wavefront OBJ (*.obj)", false},
    {".stl", "STL", ExportWriter::Assimp, "stlb", true, true, false, false, UpAxis::Y, true,
     "STL (*.stl)", false},
    {".3mf", "3MF", ExportWriter::Lib3mf, nullptr, true, true, false, false, UpAxis::Z, true,
     "3D Manufacturing Format (*.3mf)", false},
    {".ply", "PLY", ExportWriter::Assimp, "plyb", false, false, false, false, UpAxis::Y, true,
     "PLY (*.ply)", false},
    {".dae", "COLLADA", ExportWriter::Assimp, "collada", false, false, false, false, UpAxis::Y,
     true, "COLLADA (*.dae)", false},
    {".3ds", "3DS", ExportWriter::Assimp, "3ds", true, false, false, false, UpAxis::Z, false,
     "3D Studio (*.3ds)", false},
    {".dxf", "DXF", ExportWriter::Dxflib, nullptr, false, false, false, false, UpAxis::Z, false,
     "DXF (*.dxf)", false},
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

std::span<const ExportFormat> ExportFormats(ExportFormatSet set) {
    const std::span<const ExportFormat> all(kFormats);
    return set == ExportFormatSet::CommandLine ? all.first(kCommandLineFormats) : all;
}

const ExportFormat* ExportFormatOfPath(std::string_view path, ExportFormatSet set) {
    // The extension must follow a name: "dir/.glb" names a hidden file, no glTF.
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    for (const ExportFormat& format : ExportFormats(set)) {
        if (name.size() > format.extension.size() && EndsWithIgnoringCase(name, format.extension))
            return &format;
    }
    return nullptr;
}

const ExportFormat* ExportFormatOfExtension(std::string_view extension) {
    for (const ExportFormat& format : kFormats)
        if (format.extension == extension) return &format;
    return nullptr;
}

const ExportFormat& ObjExportFormat() { return kFormats[3]; }

std::string ExportExtensionList(ExportFormatSet set) {
    const std::span<const ExportFormat> formats = ExportFormats(set);
    std::string list;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) list += i + 1 == formats.size() ? " or " : ", ";
        list += formats[i].extension;
    }
    return list;
}

}  // namespace bw
