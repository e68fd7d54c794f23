#include "library_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

namespace bw::test {

std::string SampleShareDirectory() { return BW_SAMPLE_LIBRARY_DIR; }
std::string SampleObjectDirectory() {
    return (std::filesystem::path(SampleShareDirectory()) / "Objects" / "Library").string();
}

std::vector<std::string> PartFileNames(BodyPartId id) {
    std::vector<std::string> names;
    std::error_code error;
    const auto directory =
        std::filesystem::path(SampleObjectDirectory()) / std::string(BodyPartName(id));
    for (const auto& entry : std::filesystem::directory_iterator(directory, error))
        if (entry.path().extension() == ".bwo") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string PartFilePath(BodyPartId id, const std::string& fileName) {
    return SampleObjectDirectory() + "/" + std::string(BodyPartName(id)) + "/" + fileName;
}

std::unique_ptr<PartObject> LoadPart(const std::string& path) {
    auto part = std::make_unique<PartObject>();
    std::string reason;
    if (!part->LoadObjectFile(path, &reason)) {
        ADD_FAILURE() << path << ": " << reason;
        return nullptr;
    }
    return part;
}

std::string MeshProblem(const PartObject& part) {
    const auto points = part.TransformedPoints();
    const auto normals = part.Normals();
    const auto quads = part.Polygons();
    if (points.empty() || quads.empty()) return "no points or no quads";
    // Closed and consistently wound: each directed edge once, its reverse once.
    std::map<std::pair<int, int>, int> edges;
    for (const Quad& q : quads)
        for (int k = 0; k < 4; ++k) ++edges[{q.corner[k], q.corner[(k + 1) % 4]}];
    for (const auto& [edge, count] : edges) {
        const auto reverse = edges.find({edge.second, edge.first});
        if (count != 1 || reverse == edges.end() || reverse->second != 1)
            return "edge " + std::to_string(edge.first) + "-" + std::to_string(edge.second) +
                   " is not shared once each way";
    }
    double volume = 0.0;
    for (const Quad& q : quads) {
        std::set<int> corners(q.corner.begin(), q.corner.end());
        if (corners.size() != 4) return "a quad repeats a corner";
        const Vec3f& a = points[q.corner[0]];
        const Vec3f& b = points[q.corner[1]];
        const Vec3f& c = points[q.corner[2]];
        const Vec3f& d = points[q.corner[3]];
        const double d1[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
        const double d2[3] = {d.x - b.x, d.y - b.y, d.z - b.z};
        const double area[3] = {d1[1] * d2[2] - d1[2] * d2[1], d1[2] * d2[0] - d1[0] * d2[2],
                                d1[0] * d2[1] - d1[1] * d2[0]};
        if (std::sqrt(area[0] * area[0] + area[1] * area[1] + area[2] * area[2]) < 1e-10)
            return "a quad has no area";
        for (int k = 1; k < 3; ++k) {
            const Vec3f& p = points[q.corner[k]];
            const Vec3f& r = points[q.corner[k + 1]];
            volume += (a.x * (p.y * r.z - p.z * r.y) + a.y * (p.z * r.x - p.x * r.z) +
                       a.z * (p.x * r.y - p.y * r.x)) /
                      6.0;
        }
    }
    if (volume <= 0.0) return "the quads face inward (volume " + std::to_string(volume) + ")";
    if (normals.size() != points.size()) return "no normal per point";
    for (const Vec3f& n : normals) {
        const double length = std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
        if (std::fabs(length - 1.0) > 1e-4) return "a normal is not of unit length";
    }
    return {};
}

}  // namespace bw::test
