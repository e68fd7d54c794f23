#include "rig/skinning.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace bw {
namespace {

using Matrix3x4 = std::array<double, 12>;

bool AnyJointMoved(const PointWeights& weights, std::span<const PosedJoint> joints) {
    bool moved = false;
    for (const Influence& influence : weights.Used()) {
        if (influence.joint >= joints.size()) return false;
        moved = moved || joints[influence.joint].moved;
    }
    return moved;
}

Matrix3x4 BlendedMatrix(const PointWeights& weights, std::span<const Matrix3x4> matrices) {
    Matrix3x4 blended{};
    for (const Influence& influence : weights.Used()) {
        const Matrix3x4& m = matrices[influence.joint];
        for (std::size_t k = 0; k < blended.size(); ++k)
            blended[k] += double(influence.weight) * m[k];
    }
    return blended;
}

Vec3f MapPoint(const Matrix3x4& m, const Vec3f& p) {
    const double x = p.x;
    const double y = p.y;
    const double z = p.z;
    return {float(m[0] * x + m[1] * y + m[2] * z + m[3]),
            float(m[4] * x + m[5] * y + m[6] * z + m[7]),
            float(m[8] * x + m[9] * y + m[10] * z + m[11])};
}

Vec3f MapNormal(const Matrix3x4& m, const Vec3f& n) {
    const double x = m[0] * n.x + m[1] * n.y + m[2] * n.z;
    const double y = m[4] * n.x + m[5] * n.y + m[6] * n.z;
    const double z = m[8] * n.x + m[9] * n.y + m[10] * n.z;
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0)) return n;
    return {float(x / length), float(y / length), float(z / length)};
}

void SkinPart(const PartObject& part, std::span<const PointWeights> weights,
              std::span<const PosedJoint> joints, std::span<const Matrix3x4> matrices,
              PosedPart& out) {
    const auto points = part.TransformedPoints();
    const auto normals = part.Normals();
    out.points.assign(points.begin(), points.end());
    out.normals.assign(normals.begin(), normals.end());
    if (weights.size() != points.size()) return;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!AnyJointMoved(weights[i], joints)) continue;
        const Matrix3x4 m = BlendedMatrix(weights[i], matrices);
        out.points[i] = MapPoint(m, points[i]);
        if (i < normals.size()) out.normals[i] = MapNormal(m, normals[i]);
    }
}

}  // namespace

void SkinCreature(const Creature& creature, const SkinWeights& weights,
                  std::span<const PosedJoint> joints, std::vector<PosedPart>& posed) {
    std::vector<Matrix3x4> matrices(joints.size());
    for (std::size_t j = 0; j < joints.size(); ++j) matrices[j] = joints[j].skinning.RowMajor3x4();
    const int partCount = creature.PartCount();
    posed.resize(std::size_t(std::max(partCount, 0)));
    for (int p = 0; p < partCount; ++p) {
        const std::size_t index = std::size_t(p);
        const std::span<const PointWeights> partWeights =
            index < weights.parts.size() ? std::span<const PointWeights>(weights.parts[index])
                                         : std::span<const PointWeights>{};
        SkinPart(*creature.Part(p), partWeights, joints, matrices, posed[index]);
    }
}

}  // namespace bw
