// Writing the selected body part as an object file and appending its connection point sets.
#include <cmath>

#include "converter/converter_model.h"
#include "converter/object_name.h"
#include "model/body_part_directory.h"
#include "model/file_io.h"
#include "model/object_file_format.h"
#include "model/object_file_reader.h"

namespace bw {
namespace {

void AppendLe16(std::string& out, std::uint32_t value) {
    out.push_back(char(value & 0xFF));
    out.push_back(char((value >> 8) & 0xFF));
}

void AppendFloat(std::string& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    AppendLe32(out, bits);
}

// The bit of a connection set code in a group's sets-saved mask; 0 for an unknown code.
std::uint32_t SavedBit(std::uint32_t code) {
    for (int set = 1; set <= kSavedSetCount; ++set)
        if (code == ConnectionSetTag(set)) return SetSavedBit(set);
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
    const std::string directory =
        ResolvePathIgnoringCase(objectDirectory_, std::string(directoryNames[std::size_t(bodyPart)]));
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
    const std::string path = *PartFilePath(selectedBodyPart, ConverterDirectoryNames());
    if (group->points.size() > kMaxGroupPoints) {
        ShowError(std::string(BodyPartName(selectedBodyPart)) + " has " +
                  std::to_string(group->points.size()) +
                  " points; a part file holds at most 65536.");
        return false;
    }

    std::string bytes;
    const std::uint32_t pointCount = std::uint32_t(group->points.size());
    const std::uint32_t polygonCount = std::uint32_t(group->polygons.size());
    bytes.reserve(64 + std::size_t(pointCount) * 24 + std::size_t(polygonCount) * kPolygonSize);
    AppendLe32(bytes, kTagHeader);
    AppendLe32(bytes, kHeaderContentSize);
    AppendLe32(bytes, pointCount);
    AppendLe32(bytes, polygonCount);
    AppendLe32(bytes, std::uint32_t(mesh_.materials.size()));
    AppendLe32(bytes, std::uint32_t(selectedBodyPart));

    AppendLe32(bytes, kTagPoints);
    AppendLe32(bytes, kPointSize * pointCount);
    for (std::int32_t p : group->points) {
        const ConverterPoint& point = mesh_.modelPoints[std::size_t(p)];
        AppendFloat(bytes, point.x - group->centreX);
        AppendFloat(bytes, point.y - group->centreY);
        AppendFloat(bytes, point.z - group->centreZ);
    }
    AppendLe32(bytes, kTagNormals);
    AppendLe32(bytes, kPointSize * pointCount);
    for (std::int32_t p : group->points) {
        const ConverterPoint& normal = mesh_.modelNormals[std::size_t(p)];
        AppendFloat(bytes, normal.x);
        AppendFloat(bytes, normal.y);
        AppendFloat(bytes, normal.z);
    }
    AppendLe32(bytes, kTagPolygons);
    AppendLe32(bytes, kPolygonSize * polygonCount);
    for (std::int32_t s : group->polygons) {
        const ConverterPolygon& polygon = mesh_.polygons[std::size_t(s)];
        for (std::int32_t vertex : polygon.vertices)
            AppendLe16(bytes, std::uint32_t(group->localIndexMap[std::size_t(vertex)]));
        AppendLe16(bytes, std::uint32_t(polygon.material));
    }
    const auto surfaceLength = [](const SurfaceMaterial& m) {
        const std::uint32_t n = std::uint32_t(m.name.size());
        return n + (n % 2) + std::uint32_t(m.dataBlock.size()) + kChunkHeadSize;
    };
    std::uint32_t surfacesLength = 0;
    for (const SurfaceMaterial& m : mesh_.materials) surfacesLength += surfaceLength(m);
    AppendLe32(bytes, kTagSurfaces);
    AppendLe32(bytes, surfacesLength);
    for (const SurfaceMaterial& m : mesh_.materials) {
        const std::uint32_t n = std::uint32_t(m.name.size());
        AppendLe32(bytes, kTagSurface);
        AppendLe32(bytes, surfaceLength(m));
        AppendLe32(bytes, kTagName);
        AppendLe32(bytes, n + (n % 2));
        bytes += m.name;
        if (n % 2) bytes.push_back('\0');
        bytes.append(m.dataBlock.begin(), m.dataBlock.end());
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
    const std::optional<std::string> path = PartFilePath(selectedBodyPart, directoryNames);
    const PartGroup* group = SelectedGroup();
    if (!path || !group) return false;
    if (!CheckObjectName()) return false;
    notifier_.ShowMessage(*path, "Part to save:", MessageIcon::None, MessageButtons::Ok);

    // Every marked point must be a point of the part: another point has no index in its file.
    const std::vector<std::int32_t> marked = MarkedPointIndices();
    for (std::int32_t point : marked) {
        if (point < 0 || std::size_t(point) >= group->localIndexMap.size() ||
            group->localIndexMap[std::size_t(point)] < 0) {
            ShowError("Marked point " + std::to_string(point) + " is not a point of " +
                      std::string(BodyPartName(selectedBodyPart)) + ".");
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
    std::string bytes(existing.begin(), existing.end());
    AppendLe32(bytes, code);
    AppendLe32(bytes, std::uint32_t(2 * marked.size()));
    for (std::int32_t point : marked)
        AppendLe16(bytes, std::uint32_t(group->localIndexMap[std::size_t(point)]));
    if (!WriteFileAtomically(*path, bytes, nullptr)) {
        notifier_.ShowMessage(*path, "Could not open file:", MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    mesh_.groups[std::size_t(selectedBodyPart)].setsSavedMask |= SavedBit(code);
    return true;
}

}  // namespace bw
