// ConverterModel, its saving: writing the selected body part as an object file and appending
// its connection point sets.
#include <cmath>

#include "converter/converter_model.h"
#include "converter/object_name.h"
#include "model/body_part_directory.h"
#include "model/file_io.h"
#include "model/object_file_format.h"
#include "model/object_file_reader.h"
#include "model/object_file_writer.h"

namespace bw {
namespace {

// The connection set (1 to kSavedSetCount) of a set chunk's code; 0 for any other code.
int ConnectionSetOfCode(std::uint32_t code) {
    for (int set = 1; set <= kSavedSetCount; ++set)
        if (code == ConnectionSetTag(set)) return set;
    return 0;
}

// Local indices are written with 16 bits: a group must not hold more points than that.
constexpr std::size_t kMaxGroupPoints = 0x10000;

}  // namespace

std::optional<std::string> ConverterModel::PartFilePath(
    BodyPartId bodyPart, std::span<const std::string_view> directoryNames) const {
    if (bodyPart < 0 || std::size_t(bodyPart) >= directoryNames.size()) return std::nullopt;
    // The body part directory is found without regard to letter case ("Left Forearm" reaches
    // an existing "Left forearm"); the file name is used as it is.
    const std::string directory = ResolvePathIgnoringCase(
        objectDirectory_, std::string(directoryNames[std::size_t(bodyPart)]));
    return directory + kPathSeparator + objectName_ + ".bwo";
}

bool ConverterModel::CheckObjectName() {
    std::string problem;
    if (IsSafeObjectName(objectName_, &problem)) return true;
    ShowError(problem);
    return false;
}

bool ConverterModel::SavePart() {
    const PartGroup* group = SelectedGroup();
    if (objectLoaded_ == 0 || !group) {
        ShowError("No object to save!");
        return false;
    }
    if (!CheckObjectName()) return false;
    const std::string path = *PartFilePath(*selectedBodyPart, ConverterDirectoryNames());
    if (group->points.size() > kMaxGroupPoints) {
        ShowError(std::string(BodyPartName(*selectedBodyPart)) + " has " +
                  std::to_string(group->points.size()) +
                  " points; a part file holds at most 65536.");
        return false;
    }

    // The group's points centred on its bounding box, its polygons by local index, every
    // material of the object as a surface.
    ObjectFileContents contents;
    contents.bodyPart = *selectedBodyPart;
    contents.alwaysWriteNormals = true;
    contents.points.reserve(group->points.size());
    contents.normals.reserve(group->points.size());
    for (std::int32_t p : group->points) {
        const ConverterPoint& point = mesh_.modelPoints[std::size_t(p)];
        const ConverterPoint& normal = mesh_.modelNormals[std::size_t(p)];
        contents.points.push_back(
            {point.x - group->centreX, point.y - group->centreY, point.z - group->centreZ});
        contents.normals.push_back({normal.x, normal.y, normal.z});
    }
    contents.polygons.reserve(group->polygons.size());
    for (std::int32_t s : group->polygons) {
        const ConverterPolygon& polygon = mesh_.polygons[std::size_t(s)];
        Quad quad;
        for (std::size_t k = 0; k < quad.corner.size(); ++k)
            quad.corner[k] = std::uint16_t(*group->localIndexMap[std::size_t(polygon.vertices[k])]);
        quad.surface = std::uint16_t(polygon.material);
        contents.polygons.push_back(quad);
    }
    contents.surfaces.reserve(mesh_.materials.size());
    for (const SurfaceMaterial& m : mesh_.materials)
        contents.surfaces.push_back({m.name, {m.dataBlock.begin(), m.dataBlock.end()}});

    std::string bytes;
    std::string refused;
    if (!EncodeObjectFile(contents, bytes, &refused)) {
        ShowError(std::string(BodyPartName(*selectedBodyPart)) + " cannot be saved: " + refused +
                  ".");
        return false;
    }
    std::string reason;
    if (!WriteFileAtomically(path, bytes, &reason)) {
        ShowError("Unable to save file");
        return false;
    }
    notifier_.ShowMessage("ObjectPart saved", "Info", MessageIcon::None, MessageButtons::Ok);
    return true;
}

bool ConverterModel::SaveConnectionSet(std::uint32_t code,
                                       std::span<const std::string_view> directoryNames) {
    const std::optional<std::string> path = PartFilePath(*selectedBodyPart, directoryNames);
    const PartGroup* group = SelectedGroup();
    if (!path || !group) return false;
    if (!CheckObjectName()) return false;
    notifier_.ShowMessage(*path, "Part to save:", MessageIcon::None, MessageButtons::Ok);

    // Every marked point must be a point of the part: another point has no index in its file.
    const std::vector<std::int32_t> marked = MarkedPointIndices();
    for (std::int32_t point : marked) {
        if (point < 0 || std::size_t(point) >= group->localIndexMap.size() ||
            !group->localIndexMap[std::size_t(point)]) {
            ShowError("Marked point " + std::to_string(point) + " is not a point of " +
                      std::string(BodyPartName(*selectedBodyPart)) + ".");
            return false;
        }
    }
    if (marked.size() > kMaxConnectionSetSize) {
        ShowError("A connection point set holds at most 32767 points.");
        return false;
    }
    // The set is appended to the part's object file: a file that does not exist yet, or is
    // no object file, is not started or extended with a lone set.
    std::vector<std::uint8_t> existing;
    if (!ReadObjectFileImage(*path, existing, nullptr)) {
        notifier_.ShowMessage(*path, "Could not open file:", MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    std::vector<std::uint16_t> indices;
    indices.reserve(marked.size());
    for (std::int32_t point : marked)
        indices.push_back(std::uint16_t(*group->localIndexMap[std::size_t(point)]));
    std::string bytes(existing.begin(), existing.end());
    AppendIndexChunk(bytes, code, indices);
    if (!WriteFileAtomically(*path, bytes, nullptr)) {
        notifier_.ShowMessage(*path, "Could not open file:", MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    // Only the sets the page saves have a bit; another code is written all the same.
    if (const int set = ConnectionSetOfCode(code)) {
        mesh_.groups[std::size_t(*selectedBodyPart)].setsSavedMask |= SetSavedBit(set);
    }
    return true;
}

}  // namespace bw
