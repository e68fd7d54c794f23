#include "rig/skin_weights.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <utility>

#include "rig/influence_accumulator.h"
#include "rig/part_attachment.h"
#include "rig/vector3d.h"

namespace bw {
namespace {

// One welded set of a part: its points, the neighbour's matching points, and where it lies.
struct Seam {
    std::span<const std::uint16_t> ownPoints;
    std::size_t neighbourPart = 0;
    std::span<const std::uint16_t> neighbourPoints;
    std::uint16_t neighbourJoint = 0;
    bool alongAxis = false;  // the set the part hangs from its catalogue parent by
    Vector3d centre;
    double radius = 0.0;
};

// The parts that have a joint, by type code.
using JointedPartOfType = std::array<std::optional<std::size_t>, kBodyPartCount>;

JointedPartOfType JointedParts(const Creature& creature, const Skeleton& skeleton) {
    JointedPartOfType partOfType{};
    for (const Joint& joint : skeleton.joints) {
        const PartObject* part = creature.Part(int(joint.partIndex));
        if (part && IsValidTypeCode(part->GetTypeCode()))
            partOfType[std::size_t(part->GetTypeCode())] = joint.partIndex;
    }
    return partOfType;
}

std::vector<Seam> SeamsOfPart(const Creature& creature, const Skeleton& skeleton,
                              const JointedPartOfType& partOfType, const PartObject& part) {
    std::vector<Seam> seams;
    const TypeCode code = part.GetTypeCode();
    const std::optional<PartAttachment> attachment = AttachmentOf(code);
    const auto points = part.TransformedPoints();
    for (const SetConnection& connection : ConnectionsOfTypeCode(code)) {
        if (!IsValidTypeCode(connection.neighbour)) continue;
        const std::optional<std::size_t> neighbourIndex =
            partOfType[std::size_t(connection.neighbour)];
        if (!neighbourIndex) continue;
        const PartObject* neighbour = creature.Part(int(*neighbourIndex));
        const std::optional<std::size_t> neighbourJoint = skeleton.JointOfPart(*neighbourIndex);
        if (!neighbour || !neighbourJoint) continue;
        const auto own = part.ConnectionSet(connection.ownSet - 1);
        const auto theirs = neighbour->ConnectionSet(connection.neighbourSet - 1);
        if (own.empty() || own.size() != theirs.size()) continue;
        Seam seam{own,
                  *neighbourIndex,
                  theirs,
                  std::uint16_t(*neighbourJoint),
                  attachment && attachment->ownSet == connection.ownSet,
                  MeanOfPoints(points, own),
                  0.0};
        for (const std::uint16_t i : own) {
            if (i < points.size())
                seam.radius = std::max(seam.radius, Length(ToVector3d(points[i]) - seam.centre));
        }
        seams.push_back(seam);
    }
    return seams;
}

// The neighbour's share at distance `d` from a seam: one half at the seam, fading smoothly to
// nothing at the far end of the band.
double SeamShare(double d, double band) {
    if (!(band > 0.0)) return 0.0;
    const double t = d / band;
    if (!(t < 1.0)) return 0.0;
    return 0.5 * (1.0 - t * t * (3.0 - 2.0 * t));
}

double DistanceFromSeam(const Seam& seam, const Vector3d& p, const Vector3d& axis) {
    const Vector3d offset = p - seam.centre;
    if (seam.alongAxis) return std::abs(Dot(offset, axis));
    return std::max(0.0, Length(offset) - seam.radius);
}

double LengthAlongAxis(std::span<const Vec3f> points, const Vector3d& axis) {
    if (points.empty()) return 0.0;
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const Vec3f& p : points) {
        const double along = Dot(ToVector3d(p), axis);
        low = std::min(low, along);
        high = std::max(high, along);
    }
    return high - low;
}

std::vector<PointWeights> WeightsOfPart(const PartObject& part, const Joint& joint,
                                        std::uint16_t ownJoint, std::span<const Seam> seams) {
    const auto points = part.TransformedPoints();
    const Vector3d& axis = joint.axes.twist;
    const double band = kSeamBandFraction * LengthAlongAxis(points, axis);

    // Bit s: the point lies on seam s (a part has at most kMaxConnectionSets sets).
    std::vector<std::uint8_t> onSeam(points.size(), 0);
    for (std::size_t s = 0; s < seams.size() && s < kMaxConnectionSets; ++s) {
        for (const std::uint16_t i : seams[s].ownPoints)
            if (i < onSeam.size()) onSeam[i] |= std::uint8_t(1U << s);
    }

    std::vector<PointWeights> weights(points.size());
    InfluenceAccumulator accumulator;
    for (std::size_t i = 0; i < points.size(); ++i) {
        accumulator.Clear();
        if (onSeam[i] != 0) {
            accumulator.Add(ownJoint, 0.5);
            for (std::size_t s = 0; s < seams.size() && s < kMaxConnectionSets; ++s)
                if ((onSeam[i] >> s) & 1U) accumulator.Add(seams[s].neighbourJoint, 0.5);
        } else {
            const Vector3d p = ToVector3d(points[i]);
            double strongest = 0.0;
            for (const Seam& seam : seams) {
                const double share = SeamShare(DistanceFromSeam(seam, p, axis), band);
                accumulator.Add(seam.neighbourJoint, share);
                strongest = std::max(strongest, share);
            }
            accumulator.Add(ownJoint, 1.0 - strongest);
        }
        weights[i] = accumulator.Result();
    }
    return weights;
}

// A point of the creature: its part's index and its index in the part.
using PointRef = std::pair<std::size_t, std::size_t>;

// Gives every group of points welded together the normalised average of their influences.
void UnifyWeldedPoints(std::span<const std::vector<Seam>> seamsOfPart, SkinWeights& weights) {
    std::vector<std::pair<PointRef, PointRef>> welds;
    for (std::size_t p = 0; p < seamsOfPart.size(); ++p) {
        for (const Seam& seam : seamsOfPart[p]) {
            const std::size_t q = seam.neighbourPart;
            if (q >= weights.parts.size()) continue;
            for (std::size_t j = 0; j < seam.ownPoints.size(); ++j) {
                const std::size_t a = seam.ownPoints[j];
                const std::size_t b = seam.neighbourPoints[j];
                if (a < weights.parts[p].size() && b < weights.parts[q].size())
                    welds.push_back({{p, a}, {q, b}});
            }
        }
    }
    std::vector<PointRef> nodes;
    nodes.reserve(2 * welds.size());
    for (const auto& [a, b] : welds) {
        nodes.push_back(a);
        nodes.push_back(b);
    }
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    const auto indexOf = [&](const PointRef& ref) {
        return std::size_t(std::lower_bound(nodes.begin(), nodes.end(), ref) - nodes.begin());
    };

    std::vector<std::size_t> parent(nodes.size());
    for (std::size_t i = 0; i < parent.size(); ++i) parent[i] = i;
    const auto find = [&](std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    for (const auto& [a, b] : welds) {
        const std::size_t ra = find(indexOf(a));
        const std::size_t rb = find(indexOf(b));
        parent[std::max(ra, rb)] = std::min(ra, rb);
    }

    std::vector<std::pair<std::size_t, std::size_t>> byGroup(nodes.size());  // root, node
    for (std::size_t i = 0; i < nodes.size(); ++i) byGroup[i] = {find(i), i};
    std::sort(byGroup.begin(), byGroup.end());
    InfluenceAccumulator accumulator;
    for (std::size_t begin = 0; begin < byGroup.size();) {
        std::size_t end = begin;
        accumulator.Clear();
        for (; end < byGroup.size() && byGroup[end].first == byGroup[begin].first; ++end) {
            const auto& [part, point] = nodes[byGroup[end].second];
            for (const Influence& influence : weights.parts[part][point].Used())
                accumulator.Add(influence.joint, influence.weight);
        }
        const PointWeights shared = accumulator.Result();
        for (std::size_t k = begin; k < end; ++k) {
            const auto& [part, point] = nodes[byGroup[k].second];
            weights.parts[part][point] = shared;
        }
        begin = end;
    }
}

}  // namespace

SkinWeights ComputeSkinWeights(const Creature& creature, const Skeleton& skeleton) {
    SkinWeights weights;
    const std::size_t partCount = std::size_t(std::max(creature.PartCount(), 0));
    weights.parts.resize(partCount);
    std::vector<std::vector<Seam>> seamsOfPart(partCount);
    const JointedPartOfType partOfType = JointedParts(creature, skeleton);
    for (std::size_t j = 0; j < skeleton.joints.size(); ++j) {
        const Joint& joint = skeleton.joints[j];
        const PartObject* part = creature.Part(int(joint.partIndex));
        if (!part || joint.partIndex >= partCount) continue;
        seamsOfPart[joint.partIndex] = SeamsOfPart(creature, skeleton, partOfType, *part);
        weights.parts[joint.partIndex] =
            WeightsOfPart(*part, joint, std::uint16_t(j), seamsOfPart[joint.partIndex]);
    }
    UnifyWeldedPoints(seamsOfPart, weights);
    return weights;
}

}  // namespace bw
