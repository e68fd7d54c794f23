#include "converter/converter_mesh.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>

#include "model/colour_byte.h"
#include "model/object_file_format.h"
#include "model/object_file_writer.h"
#include "model/vec3.h"

namespace bw {
namespace {

// Progress: checking runs to 30, the point material lists to 60, the groups to 100.
constexpr int kProgressChecked = 30;
constexpr int kProgressMaterials = 60;
constexpr int kProgressDone = 100;
constexpr std::size_t kProgressEvery = 1 << 14;

bool Refuse(std::string* problem, std::string text) {
    if (problem) *problem = std::move(text);
    return false;
}

bool IsFinite(const Vec3f& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

std::string MissingBodyParts(const PreparedObject& object) {
    std::string names;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        if (object.hasBodyPartMaterial[std::size_t(id)]) continue;
        if (!names.empty()) names += ", ";
        names += BodyPartName(id);
    }
    return names;
}

bool CheckMaterials(const PreparedObject& object, std::string* problem) {
    const std::string missing = MissingBodyParts(object);
    if (!missing.empty() || object.materials.size() < std::size_t(kBodyPartCount)) {
        return Refuse(problem,
                      "The object needs one material for each of the 22 body parts; it has none "
                      "for: " +
                          missing + ".");
    }
    if (object.materials.size() > kMaxConverterMaterials) {
        return Refuse(problem, "The object has " + std::to_string(object.materials.size()) +
                                   " materials; at most 65536 can be written.");
    }
    for (std::size_t m = 0; m < object.materials.size(); ++m) {
        if (object.materials[m].name.size() > kMaxSurfaceNameLength) {
            return Refuse(problem, "The name of material " + std::to_string(m) +
                                       " is longer than 255 characters.");
        }
    }
    return true;
}

bool CheckPointsAndPolygons(const PreparedObject& object, ProgressSink& progress,
                            std::string* problem) {
    const std::size_t pointCount = object.points.size();
    const std::size_t polygonCount = object.PolygonCount();
    constexpr std::size_t kIndexLimit = std::size_t(std::numeric_limits<std::int32_t>::max());
    if (pointCount > kIndexLimit || polygonCount > kIndexLimit)
        return Refuse(problem, "The object has more points or polygons than can be addressed.");
    if (object.normals.size() != pointCount || object.polygonStart.size() != polygonCount + 1 ||
        object.polygonStart.back() > object.corners.size())
        return Refuse(problem, "The object's points, normals and polygons do not fit together.");
    for (std::size_t i = 0; i < pointCount; ++i) {
        if (!IsFinite(object.points[i]))
            return Refuse(problem, "Point " + std::to_string(i) + " is not a finite position.");
    }
    const std::string pointTotal = std::to_string(pointCount);
    for (std::size_t i = 0; i < polygonCount; ++i) {
        const std::size_t begin = object.polygonStart[i];
        const std::size_t end = object.polygonStart[i + 1];
        if (end < begin) return Refuse(problem, "The object's polygons do not fit together.");
        const std::size_t corners = end - begin;
        if (corners != 4) {
            return Refuse(problem, "Polygon " + std::to_string(i) + " has " +
                                       std::to_string(corners) +
                                       " corners; every polygon must be a quadrilateral.");
        }
        for (std::size_t c = begin; c < end; ++c) {
            const std::int64_t index = object.corners[c];
            if (index < 0 || std::uint64_t(index) >= pointCount) {
                return Refuse(problem, "Polygon " + std::to_string(i) + " uses point " +
                                           std::to_string(index) + ", but the object has " +
                                           pointTotal + " points.");
            }
        }
        const std::int64_t material = object.polygonMaterial[i];
        if (material < 0 || std::uint64_t(material) >= object.materials.size()) {
            return Refuse(problem, "Polygon " + std::to_string(i) + " uses material " +
                                       std::to_string(material) + ", but the object has " +
                                       std::to_string(object.materials.size()) + " materials.");
        }
        if (i % kProgressEvery == 0)
            progress.SetPosition(int(kProgressChecked * double(i) / double(polygonCount)));
    }
    return true;
}

// Adds `material` to the point's ascending list; false when the point already holds four
// other materials.
bool AddPointMaterial(ConverterPoint& point, std::int32_t material) {
    auto* begin = point.materials.data();
    auto* end = begin + point.materialCount;
    auto* at = std::lower_bound(begin, end, material);
    if (at != end && *at == material) return true;
    if (point.materialCount == kMaxPointMaterials) return false;
    std::copy_backward(at, end, end + 1);
    *at = material;
    ++point.materialCount;
    return true;
}

void BuildGroup(const ConverterMesh& mesh, std::int32_t material, PartGroup& group) {
    group = PartGroup{};
    group.localIndexMap.assign(mesh.modelPoints.size(), std::nullopt);
    for (std::size_t i = 0; i < mesh.polygons.size(); ++i) {
        const ConverterPolygon& polygon = mesh.polygons[i];
        if (polygon.material != material) continue;
        group.polygons.push_back(std::int32_t(i));
        for (std::int32_t vertex : polygon.vertices) group.localIndexMap[std::size_t(vertex)] = 0;
    }
    float low[3] = {0, 0, 0};
    float high[3] = {0, 0, 0};
    for (std::size_t p = 0; p < group.localIndexMap.size(); ++p) {
        if (!group.localIndexMap[p]) continue;
        const ConverterPoint& point = mesh.modelPoints[p];
        const float xyz[3] = {point.x, point.y, point.z};
        for (int axis = 0; axis < 3; ++axis) {
            if (group.points.empty() || xyz[axis] < low[axis]) low[axis] = xyz[axis];
            if (group.points.empty() || xyz[axis] > high[axis]) high[axis] = xyz[axis];
        }
        group.localIndexMap[p] = std::int32_t(group.points.size());
        group.points.push_back(std::int32_t(p));
    }
    group.pointCount = std::int32_t(group.points.size());
    group.polygonCount = std::int32_t(group.polygons.size());
    // In double, so the middle of two large coordinates does not overflow.
    group.centreX = float((double(low[0]) + double(high[0])) / 2.0);
    group.centreY = float((double(low[1]) + double(high[1])) / 2.0);
    group.centreZ = float((double(low[2]) + double(high[2])) / 2.0);
}

void BuildMaterials(const PreparedObject& object, ConverterMesh& mesh) {
    mesh.materials.resize(object.materials.size());
    mesh.materialData.resize(object.materials.size());
    for (std::size_t m = 0; m < object.materials.size(); ++m) {
        const PreparedMaterial& source = object.materials[m];
        std::vector<std::uint8_t>& block = mesh.materialData[m];
        block = source.dataBlock;
        if (!OpensWithColourSubChunk(block.data(), block.size())) {
            const std::vector<std::uint8_t> colour =
                ColourDataBlock(ColourByte(source.colour[0]), ColourByte(source.colour[1]),
                                ColourByte(source.colour[2]));
            block.insert(block.begin(), colour.begin(), colour.end());
        }
        SurfaceMaterial& material = mesh.materials[m];
        material.name = source.name;
        material.colour = source.colour;
        material.dataBlock = std::span<std::uint8_t>(block);
    }
}

bool Build(const PreparedObject& object, ConverterMesh& mesh, ProgressSink& progress,
           std::string* problem) {
    const std::size_t pointCount = object.points.size();
    mesh.modelPoints.resize(pointCount);
    mesh.modelNormals.resize(pointCount);
    for (std::size_t i = 0; i < pointCount; ++i) {
        const Vec3f& p = object.points[i];
        const Vec3f& n = object.normals[i];
        mesh.modelPoints[i].x = p.x;
        mesh.modelPoints[i].y = p.y;
        mesh.modelPoints[i].z = p.z;
        mesh.modelNormals[i].x = n.x;
        mesh.modelNormals[i].y = n.y;
        mesh.modelNormals[i].z = n.z;
    }
    const std::size_t polygonCount = object.PolygonCount();
    mesh.polygons.resize(polygonCount);
    for (std::size_t i = 0; i < polygonCount; ++i) {
        ConverterPolygon& polygon = mesh.polygons[i];
        const std::size_t begin = object.polygonStart[i];
        for (int c = 0; c < 4; ++c)
            polygon.vertices[std::size_t(c)] = std::int32_t(object.corners[begin + std::size_t(c)]);
        polygon.material = std::int32_t(object.polygonMaterial[i]);
        for (std::int32_t vertex : polygon.vertices) {
            if (!AddPointMaterial(mesh.modelPoints[std::size_t(vertex)], polygon.material)) {
                return Refuse(problem, "Point " + std::to_string(vertex) +
                                           " is used by more than 4 materials; at most 4 may "
                                           "meet at one point.");
            }
        }
        if (i % kProgressEvery == 0) {
            progress.SetPosition(kProgressChecked + int((kProgressMaterials - kProgressChecked) *
                                                        double(i) / double(polygonCount)));
        }
    }
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    for (std::size_t i = 0; i < pointCount; ++i) {
        const double xyz[3] = {object.points[i].x, object.points[i].y, object.points[i].z};
        for (int axis = 0; axis < 3; ++axis) {
            if (i == 0 || xyz[axis] < low[axis]) low[axis] = xyz[axis];
            if (i == 0 || xyz[axis] > high[axis]) high[axis] = xyz[axis];
        }
    }
    mesh.size = float(Length(Vec3d{high[0], high[1], high[2]} - Vec3d{low[0], low[1], low[2]}));
    mesh.displayPoints = mesh.modelPoints;
    mesh.displayNormals = mesh.modelNormals;
    for (std::int32_t k = 0; k < kBodyPartCount; ++k) {
        BuildGroup(mesh, k, mesh.groups[std::size_t(k)]);
        progress.SetPosition(kProgressMaterials +
                             (kProgressDone - kProgressMaterials) * (k + 1) / kBodyPartCount);
    }
    BuildMaterials(object, mesh);
    return true;
}

}  // namespace

bool BuildConverterMesh(const PreparedObject& object, ConverterMesh& mesh, ProgressSink& progress,
                        std::string* problem) {
    progress.SetRange(kProgressDone);
    progress.SetPosition(0);
    if (!CheckMaterials(object, problem)) return false;
    if (!CheckPointsAndPolygons(object, progress, problem)) return false;
    try {
        ConverterMesh built;
        if (!Build(object, built, progress, problem)) return false;
        mesh = std::move(built);
    } catch (const std::bad_alloc&) {
        return Refuse(problem, "There is not enough memory to take the object.");
    } catch (const std::length_error&) {
        return Refuse(problem, "There is not enough memory to take the object.");
    }
    progress.SetPosition(kProgressDone);
    return true;
}

}  // namespace bw
