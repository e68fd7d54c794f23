#include "model/part_object.h"

#include "model/object_file_reader.h"

namespace bw {

bool PartObject::LoadObjectFile(const std::string& path, std::string* reason) {
    std::vector<std::uint8_t> image;
    if (!ReadObjectFileImage(path, image, reason)) return false;
    if (!LoadObjectImage(std::move(image), reason)) return false;
    name_ = path;
    return true;
}

void PartObject::EnsureViewArrays() {
    const std::size_t n = transformedPoints_.size();
    if (viewPoints.size() != n) viewPoints.assign(n, Vec3f{});
    if (viewNormals.size() != n) viewNormals.assign(n, Vec3f{});
}

bool PartObject::SetName(const std::string& path) {
    name_ = path;
    return true;
}

bool PartObject::SetTypeName(const std::string& text) {
    typeName_ = text;
    return true;
}

std::span<std::uint16_t> PartObject::ConnectionSet(int k) const {
    if (k < 0 || k >= kMaxConnectionSets) return {};
    return connectionSets_[static_cast<std::size_t>(k)];
}

bool PartObject::Translate(float dx, float dy, float dz) {
    if (!hasPoints_ || pointCount_ == 0) return false;
    for (Vec3f& p : basePoints_) p = {p.x + dx, p.y + dy, p.z + dz};
    for (Vec3f& p : transformedPoints_) p = {p.x + dx, p.y + dy, p.z + dz};
    return true;
}

}  // namespace bw
