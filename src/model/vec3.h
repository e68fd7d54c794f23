// A point or normal as stored in object files: three 32-bit floats, x, y, z; and the same in
// double precision for geometry that must not lose digits (welding, normals of long thin
// polygons).
#pragma once

#include <cmath>
#include <optional>

namespace bw {

struct Vec3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend bool operator==(const Vec3f&, const Vec3f&) = default;
};
static_assert(sizeof(Vec3f) == 12, "Vec3f must match the 12-byte point layout of object files");

// The few operations the geometry needs, in float arithmetic, component by component.
inline Vec3f operator+(const Vec3f& a, const Vec3f& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3f operator-(const Vec3f& a, const Vec3f& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3f& operator+=(Vec3f& a, const Vec3f& b) { return a = a + b; }
// The right-hand cross product: a vector at right angles to both, as long as the area they span.
inline Vec3f Cross(const Vec3f& a, const Vec3f& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const Vec3f& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const Vec3d&, const Vec3d&) = default;
};

inline Vec3d Widened(const Vec3f& v) { return {v.x, v.y, v.z}; }
inline Vec3f Narrowed(const Vec3d& v) { return {float(v.x), float(v.y), float(v.z)}; }
inline Vec3d operator+(const Vec3d& a, const Vec3d& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3d operator-(const Vec3d& a, const Vec3d& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3d Cross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Vec3d operator-(const Vec3d& v) { return {-v.x, -v.y, -v.z}; }
inline Vec3d operator*(double s, const Vec3d& v) { return {s * v.x, s * v.y, s * v.z}; }
inline double Dot(const Vec3d& a, const Vec3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double Length(const Vec3d& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// `v` scaled to length 1 (worked out in double precision); none for a vector without length.
inline std::optional<Vec3f> Unit(const Vec3f& v) {
    const double length = Length(Widened(v));
    if (!(length > 0.0)) return std::nullopt;
    return Vec3f{float(v.x / length), float(v.y / length), float(v.z / length)};
}

}  // namespace bw
