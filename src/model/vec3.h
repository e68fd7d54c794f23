// A point or normal as stored in object files: three 32-bit floats, x, y, z.
#pragma once

namespace bw {

struct Vec3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend bool operator==(const Vec3f&, const Vec3f&) = default;
};
static_assert(sizeof(Vec3f) == 12, "Vec3f must match the 12-byte point layout of object files");

}  // namespace bw
