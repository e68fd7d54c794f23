// A point or direction in double precision, for the rig's geometry: joint positions, axes and
// the transforms that pose the parts. Object file points (Vec3f) convert in and out.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "model/vec3.h"

namespace bw {

struct Vector3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const Vector3d&, const Vector3d&) = default;
};

inline Vector3d operator+(const Vector3d& a, const Vector3d& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector3d operator-(const Vector3d& a, const Vector3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vector3d operator-(const Vector3d& a) { return {-a.x, -a.y, -a.z}; }
inline Vector3d operator*(double s, const Vector3d& a) { return {s * a.x, s * a.y, s * a.z}; }
inline double Dot(const Vector3d& a, const Vector3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double Length(const Vector3d& a) { return std::sqrt(Dot(a, a)); }

inline Vector3d ToVector3d(const Vec3f& v) { return {double(v.x), double(v.y), double(v.z)}; }
inline Vec3f ToVec3f(const Vector3d& v) { return {float(v.x), float(v.y), float(v.z)}; }

// Mean of points[i] over the indices of `set` that lie inside `points` (others are skipped);
// the origin when none does.
Vector3d MeanOfPoints(std::span<const Vec3f> points, std::span<const std::uint16_t> set);
// Mean of all of `points`; the origin for none.
Vector3d MeanOfPoints(std::span<const Vec3f> points);

}  // namespace bw
