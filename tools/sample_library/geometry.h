// Small vector algebra for the sample library generator, in double precision. Model space of
// the creature: Y up, the creature faces +Z, its left side is +X; units of the object files
// (a creature is about 2.0 units tall and stands on y = 0).
#pragma once

#include <cmath>
#include <vector>

namespace bw::library {

struct V3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator-(V3 a) { return {-a.x, -a.y, -a.z}; }
inline V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 operator*(double s, V3 a) { return a * s; }
inline V3& operator+=(V3& a, V3 b) { return a = a + b; }
inline double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 Cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(V3 a) { return std::sqrt(Dot(a, a)); }
inline V3 Normalised(V3 a) {
    const double length = Length(a);
    return length > 0.0 ? a * (1.0 / length) : V3{};
}
inline V3 Lerp(V3 a, V3 b, double t) { return a + (b - a) * t; }
inline V3 MirroredX(V3 a) { return {-a.x, a.y, a.z}; }
// The mean of `points`, which must not be empty.
inline V3 Centroid(const std::vector<V3>& points) {
    V3 sum;
    for (const V3& p : points) sum += p;
    return sum * (1.0 / points.size());
}

inline double Clamp01(double t) { return t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t); }
inline double SmoothStep(double t) {
    t = Clamp01(t);
    return t * t * (3.0 - 2.0 * t);
}
// A bump that is 1 at `centre` and falls smoothly to 0 at `centre` +- `halfWidth`.
inline double Bump(double t, double centre, double halfWidth) {
    const double d = std::fabs(t - centre) / halfWidth;
    return d >= 1.0 ? 0.0 : 1.0 - SmoothStep(d);
}

inline constexpr double kPi = 3.14159265358979323846;

// Rotates `v` about the unit axis `axis` by `angle` radians (right-hand rule).
inline V3 Rotated(V3 v, V3 axis, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return v * c + Cross(axis, v) * s + axis * (Dot(axis, v) * (1.0 - c));
}

// An orthonormal frame: e1 x e2 = n.
struct Frame {
    V3 e1;
    V3 e2;
    V3 n;
};

// A frame whose normal is `n` and whose e2 is as close to `up` as possible.
inline Frame FrameFacing(V3 n, V3 up) {
    n = Normalised(n);
    const V3 e1 = Normalised(Cross(up, n));
    return {e1, Cross(n, e1), n};
}

// Maps the square [-1, 1]^2 onto the unit disc, the square's edge onto the circle.
inline void SquareToDisc(double u, double w, double& s, double& t) {
    s = u * std::sqrt(1.0 - w * w / 2.0);
    t = w * std::sqrt(1.0 - u * u / 2.0);
}

}  // namespace bw::library
