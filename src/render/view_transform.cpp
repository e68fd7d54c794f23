#include "render/view_transform.h"

#include <algorithm>
#include <cmath>

namespace bw {

std::array<double, 12> ViewMatrix(float yaw, float pitch, float panX, float panY) {
    const double sy = std::sin(double(yaw)), cy = std::cos(double(yaw));
    const double sp = std::sin(double(pitch)), cp = std::cos(double(pitch));
    return {
        cy,  sp * sy, cp * sy, double(panX),  //
        0.0, cp,      -sp,     double(panY),  //
        -sy, sp * cy, cp * cy, 0.0,
    };
}

void BuildViewMatrix(PartObject& part) {
    part.viewMatrix = ViewMatrix(part.yaw, part.pitch, part.panX, part.panY);
}

namespace {

// R * v, plus the matrix's fourth column when `translate` is set.
Vec3f Apply(const std::array<double, 12>& m, const Vec3f& v, bool translate) {
    const double x = v.x, y = v.y, z = v.z;
    const double t = translate ? 1.0 : 0.0;
    return {float(m[0] * x + m[1] * y + m[2] * z + m[3] * t),
            float(m[4] * x + m[5] * y + m[6] * z + m[7] * t),
            float(m[8] * x + m[9] * y + m[10] * z + m[11] * t)};
}

}  // namespace

Vec3f ToView(const std::array<double, 12>& matrix, const Vec3f& point) {
    return Apply(matrix, point, true);
}

void TransformToView(PartObject& part) {
    TransformToView(part, part.TransformedPoints(), part.Normals());
}

void TransformToView(PartObject& part, std::span<const Vec3f> points,
                     std::span<const Vec3f> normals) {
    part.EnsureViewArrays();
    const std::size_t count = std::min(points.size(), part.viewPoints.size());
    for (std::size_t i = 0; i < count; ++i)
        part.viewPoints[i] = Apply(part.viewMatrix, points[i], true);

    const std::size_t normalCount = std::min(normals.size(), part.viewNormals.size());
    for (std::size_t i = 0; i < normalCount; ++i)
        part.viewNormals[i] = Apply(part.viewMatrix, normals[i], false);
    std::fill(part.viewNormals.begin() + std::ptrdiff_t(normalCount), part.viewNormals.end(),
              Vec3f{});
}

}  // namespace bw
