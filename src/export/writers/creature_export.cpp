#include "export/writers/creature_export.h"

#include <assimp/Exporter.hpp>
#include <filesystem>

#include "export/welded_surface.h"
#include "export/writers/dxf_drawing.h"
#include "export/writers/export_scene.h"
#include "export/writers/fbx_null_records.h"
#include "export/writers/gltf_buffer_gaps.h"
#include "export/writers/three_mf_package.h"
#include "model/file_io.h"
#include "subdivide/subdivided_parts.h"

namespace bw {

bool EncodeCreatureExport(const Creature& creature, const std::string& path,
                          const ExportFormat& format, const ExportOptions& options,
                          ExportResult& result, std::string* reason,
                          const ExportProgress& progress) {
    const auto stage = [&progress](ExportStage next) {
        if (progress) progress(next);
    };
    result = {};
    stage(ExportStage::Collecting);
    std::vector<PartGeometry> parts;
    const bool rigged = options.includeSkeleton && format.skeleton;
    std::vector<ExportJoint> skeleton;
    if (!TakeCreatureGeometry(creature, options, std::string(format.name), parts, reason,
                              rigged ? &skeleton : nullptr))
        return false;
    if (options.subdivisionLevel != 0) {
        stage(ExportStage::Subdividing);
        if (!SubdivideParts(parts, CreatureSeamWelds(creature), options.subdivisionLevel, reason))
            return false;
    }
    if (format.writer == ExportWriter::Dxflib) {
        stage(ExportStage::Writing);
        result.files.push_back({path, {}});
        return DxfDrawing(parts, result.files[0].bytes, reason);
    }
    std::unique_ptr<aiScene> scene;
    if (format.weldedSurface) {
        stage(ExportStage::Welding);
        const WeldedSurface surface =
            WeldParts(parts, CreatureSeamWelds(creature), options.typeInSurfaceNames);
        if (surface.triangles.empty()) {
            if (reason)
                *reason = "the creature has no polygons, and an " + std::string(format.name) +
                          " file needs at least one triangle";
            return false;
        }
        result.openEdges = CountOpenEdges(surface);
        result.shells = CountShells(surface);
        stage(ExportStage::Writing);
        if (format.writer == ExportWriter::Lib3mf) {
            result.files.push_back({path, {}});
            return EncodeThreeMfPackage(surface, result.files[0].bytes, reason);
        }
        scene = WeldedSurfaceScene(surface);
    } else {
        stage(ExportStage::Writing);
        scene = rigged ? RiggedPartsScene(parts, skeleton, format, options.typeInSurfaceNames)
                       : PartsScene(parts, format, options.typeInSurfaceNames);
    }

    // Companion files are named after the file: the library names the first blob as told and
    // derives the others' names from it.
    const std::filesystem::path target(path);
    const std::string stem = target.stem().string();
    Assimp::ExportProperties properties;
    properties.SetPropertyString(AI_CONFIG_EXPORT_BLOB_NAME, stem);
    Assimp::Exporter exporter;
    const aiExportDataBlob* blob =
        exporter.ExportToBlob(scene.get(), format.writerId, 0u, &properties);
    if (!blob) {
        const std::string why = exporter.GetErrorString();
        if (reason)
            *reason = "the " + std::string(format.name) + " writer failed" +
                      (why.empty() ? std::string() : ": " + why);
        return false;
    }
    result.files.push_back({path, std::string(static_cast<const char*>(blob->data), blob->size)});
    if (format.extension == ".fbx" && !RestoreFbxNullRecords(result.files[0].bytes, reason))
        return false;
    for (const aiExportDataBlob* companion = blob->next; companion; companion = companion->next) {
        const std::string name = companion->name.C_Str();
        const std::filesystem::path companionPath = target.parent_path() / name;
        if (name.empty() || name.find('/') != std::string::npos ||
            companionPath.lexically_normal() == target.lexically_normal()) {
            if (reason)
                *reason = "the " + std::string(format.name) + " file and its companion " +
                          "file \"" + name + "\" would be the same file";
            return false;
        }
        result.files.push_back(
            {companionPath.string(),
             std::string(static_cast<const char*>(companion->data), companion->size)});
    }
    // Only a skinned glTF file has the writer's uninitialised joint bytes.
    if (rigged && format.extension == ".glb")
        return ClearGlbBufferGaps(result.files[0].bytes, reason);
    if (rigged && format.extension == ".gltf" && result.files.size() > 1)
        return ClearGltfBufferGaps(result.files[0].bytes, result.files[1].bytes, reason);
    return true;
}

bool ExportCreature(const Creature& creature, const std::string& path, const ExportFormat& format,
                    const ExportOptions& options, ExportResult& result, std::string* reason,
                    const ExportProgress& progress) {
    if (!EncodeCreatureExport(creature, path, format, options, result, reason, progress))
        return false;
    if (progress) progress(ExportStage::Saving);
    std::vector<FileContents> files;
    for (const ExportFile& file : result.files) files.push_back({file.path, file.bytes});
    return WriteFilesAtomically(files, reason);
}

}  // namespace bw
