#include "model/part_object.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>

#include "model/object_file_reader.h"

namespace bw {
namespace {

// Where `view` lies: in `fromOwn` (then at the same place in `toOwn`), in the file image
// `fromImage` (then at the same offset of `toImage`), or nowhere (empty).
template <class T>
std::span<T> Rebase(std::span<T> view, const std::vector<std::uint8_t>& fromImage,
                    std::vector<std::uint8_t>& toImage,
                    const std::vector<std::remove_const_t<T>>& fromOwn,
                    std::vector<std::remove_const_t<T>>& toOwn) {
    if (view.empty()) return {};
    const auto* at = reinterpret_cast<const std::uint8_t*>(view.data());
    const auto* own = reinterpret_cast<const std::uint8_t*>(fromOwn.data());
    if (!fromOwn.empty() && at >= own && at < own + fromOwn.size() * sizeof(T)) {
        return {toOwn.data() + (view.data() - fromOwn.data()), view.size()};
    }
    const std::uint8_t* image = fromImage.data();
    if (!fromImage.empty() && at >= image && at < image + fromImage.size()) {
        return {reinterpret_cast<T*>(toImage.data() + (at - image)), view.size()};
    }
    return {};
}

// The byte range [first, second) a view covers inside `image`; {0, 0} when it lies elsewhere.
std::pair<std::size_t, std::size_t> RangeInImage(std::span<const Vec3f> view,
                                                 const std::vector<std::uint8_t>& image) {
    const auto* at = reinterpret_cast<const std::uint8_t*>(view.data());
    if (view.empty() || image.empty() || at < image.data() || at >= image.data() + image.size())
        return {0, 0};
    const auto first = static_cast<std::size_t>(at - image.data());
    return {first, std::min(image.size(), first + view.size_bytes())};
}

}  // namespace

bool PartObject::LoadObjectFile(const std::string& path, std::string* reason) {
    std::vector<std::uint8_t> image;
    if (!ReadObjectFileImage(path, image, reason)) return false;
    if (!LoadObjectImage(std::move(image), reason)) return false;
    name_ = path;
    return true;
}

std::unique_ptr<PartObject> PartObject::Clone() const {
    try {
        auto copy = std::make_unique<PartObject>();
        copy->bodyPart = bodyPart;
        copy->adjustments = adjustments;
        copy->highlight = highlight;
        copy->yaw = yaw;
        copy->pitch = pitch;
        copy->panX = panX;
        copy->panY = panY;
        copy->viewMatrix = viewMatrix;
        copy->wireColour = wireColour;
        copy->name_ = name_;
        copy->typeName_ = typeName_;
        copy->typeCode_ = typeCode_;
        copy->pointCount_ = pointCount_;
        copy->polygonCount_ = polygonCount_;
        copy->surfaceCount_ = surfaceCount_;
        copy->fileBodyPart_ = fileBodyPart_;
        copy->hasPoints_ = hasPoints_;
        copy->hasFileNormals_ = hasFileNormals_;
        copy->fileImage_ = fileImage_;
        copy->basePoints_ = basePoints_;
        copy->surfaces_ = surfaces_;
        copy->ownPoints_ = ownPoints_;
        copy->ownNormals_ = ownNormals_;
        copy->ownPolygons_ = ownPolygons_;
        copy->ownSets_ = ownSets_;
        auto& image = copy->fileImage_;
        copy->transformedPoints_ =
            Rebase(transformedPoints_, fileImage_, image, ownPoints_, copy->ownPoints_);
        copy->normals_ = Rebase(normals_, fileImage_, image, ownNormals_, copy->ownNormals_);
        copy->polygons_ = Rebase(polygons_, fileImage_, image, ownPolygons_, copy->ownPolygons_);
        for (std::size_t k = 0; k < kMaxConnectionSets; ++k)
            copy->connectionSets_[k] =
                Rebase(connectionSets_[k], fileImage_, image, ownSets_[k], copy->ownSets_[k]);
        const std::vector<std::uint8_t> noCopy;
        std::vector<std::uint8_t> noTarget;
        for (SurfaceMaterial& surface : copy->surfaces_)
            surface.dataBlock = Rebase(surface.dataBlock, fileImage_, image, noCopy, noTarget);
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool PartObject::SameMeshAs(const PartObject& other) const {
    if (fileImage_.size() != other.fileImage_.size() || pointCount_ != other.pointCount_ ||
        name_ != other.name_)
        return false;
    std::array<std::pair<std::size_t, std::size_t>, 2> skipped{
        RangeInImage(transformedPoints_, fileImage_), RangeInImage(normals_, fileImage_)};
    if (skipped != std::array{RangeInImage(other.transformedPoints_, other.fileImage_),
                              RangeInImage(other.normals_, other.fileImage_)})
        return false;
    std::sort(skipped.begin(), skipped.end());
    std::size_t at = 0;
    for (const auto& [first, end] : skipped) {
        if (first > at &&
            std::memcmp(fileImage_.data() + at, other.fileImage_.data() + at, first - at) != 0)
            return false;
        at = std::max(at, end);
    }
    return at >= fileImage_.size() ||
           std::memcmp(fileImage_.data() + at, other.fileImage_.data() + at,
                       fileImage_.size() - at) == 0;
}

bool PartObject::SetPointArrays(std::span<const Vec3f> base, std::span<const Vec3f> transformed,
                                std::span<const Vec3f> normals) {
    if (base.size() != basePoints_.size() || transformed.size() != transformedPoints_.size() ||
        normals.size() != normals_.size())
        return false;
    std::copy(base.begin(), base.end(), basePoints_.begin());
    std::copy(transformed.begin(), transformed.end(), transformedPoints_.begin());
    std::copy(normals.begin(), normals.end(), normals_.begin());
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
