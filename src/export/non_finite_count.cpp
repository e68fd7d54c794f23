#include "export/non_finite_count.h"

#include <cmath>

namespace bw {
namespace {

bool IsFinite(const Vec3f& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

NonFiniteCount CountNonFinite(const PartObject& part) {
    NonFiniteCount count;
    for (const Vec3f& p : part.TransformedPoints()) count.points += !IsFinite(p);
    for (const Vec3f& n : part.Normals()) count.normals += !IsFinite(n);
    return count;
}

}  // namespace bw
