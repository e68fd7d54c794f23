#include "rig/skin_weights.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <utility>

#include "model/disjoint_sets.h"
#include "rig/influence_accumulator.h"
#include "rig/part_attachment.h"
#include "rig/point_mean.h"

namespace bw {
namespace {

// One welded set of a part: its points, the neighbour's matching points, and where it lies.
struct Seam {
    std::span<const std::uint16_t> ownPoints;
    std::size_t neighbourPart = 0;
    std::span<const std::uint16_t> neighbourPoints;
    std::uint16_t neighbourJoint = 0;
    bool alongAxis = false;  // the set the part hangs from its catalogue parent by
    Vec3d centre;
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
                seam.radius = std::max(seam.radius, Length(Widened(points[i]) - seam.centre));
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

// The neighbour's share at `p` (one half at the seam, fading smoothly to nothing at the far
// end of the band); points beyond the band are turned away before any root is taken.
double ShareOfSeam(const Seam& seam, const Vec3d& p, const Vec3d& axis, double band) {
    const Vec3d offset = p - seam.centre;
    if (seam.alongAxis) {
        const double along = std::abs(Dot(offset, axis));
        return along < band ? SeamShare(along, band) : 0.0;
    }
    const double reach = seam.radius + band;
    const double squared = Dot(offset, offset);
    if (!(squared < reach * reach)) return 0.0;
    return SeamShare(std::max(0.0, std::sqrt(squared) - seam.radius), band);
}

double LengthAlongAxis(std::span<const Vec3f> points, const Vec3d& axis) {
    if (points.empty()) return 0.0;
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const Vec3f& p : points) {
        const double along = Dot(Widened(p), axis);
        low = std::min(low, along);
        high = std::max(high, along);
    }
    return high - low;
}

// A point of one joint or of two, larger weight first (equal weights by joint index): the
// common cases, written in place (into zeroed weights) without the accumulator.
void SetOneJoint(PointWeights& w, std::uint16_t joint) {
    w.influences[0].joint = joint;
    w.influences[0].weight = 1.0f;
    w.count = 1;
}

void SetTwoJoints(PointWeights& w, std::uint16_t own, double ownWeight, std::uint16_t other,
                  double otherWeight) {
    const bool ownFirst = ownWeight != otherWeight ? ownWeight > otherWeight : own < other;
    w.influences[ownFirst ? 0 : 1].joint = own;
    w.influences[ownFirst ? 0 : 1].weight = float(ownWeight);
    w.influences[ownFirst ? 1 : 0].joint = other;
    w.influences[ownFirst ? 1 : 0].weight = float(otherWeight);
    w.count = 2;
}

// Fills `weights` with one entry per point of the part; `onSeam` is scratch memory.
void WeightsOfPart(const PartObject& part, const Joint& joint, std::uint16_t ownJoint,
                   std::span<const Seam> seams, std::vector<std::uint8_t>& onSeam,
                   std::vector<PointWeights>& weights) {
    const auto points = part.TransformedPoints();
    const Vec3d& axis = joint.axes.twist;
    const double band = kSeamBandFraction * LengthAlongAxis(points, axis);
    const std::size_t seamCount = std::min(seams.size(), std::size_t(kMaxConnectionSets));

    // Bit s: the point lies on seam s.
    onSeam.assign(points.size(), 0);
    for (std::size_t s = 0; s < seamCount; ++s) {
        for (const std::uint16_t i : seams[s].ownPoints)
            if (i < onSeam.size()) onSeam[i] |= std::uint8_t(1U << s);
    }

    weights.assign(points.size(), PointWeights{});
    InfluenceAccumulator accumulator;
    std::array<double, kMaxConnectionSets> shares{};
    for (std::size_t i = 0; i < points.size(); ++i) {
        accumulator.Clear();
        const std::uint8_t here = onSeam[i];
        if (here != 0 && (here & (here - 1)) == 0) {  // on exactly one seam
            const std::size_t s = std::size_t(std::countr_zero(here));
            SetTwoJoints(weights[i], ownJoint, 0.5, seams[s].neighbourJoint, 0.5);
            continue;
        }
        if (here != 0) {
            accumulator.Add(ownJoint, 0.5);
            for (std::size_t s = 0; s < seamCount; ++s)
                if ((onSeam[i] >> s) & 1U) accumulator.Add(seams[s].neighbourJoint, 0.5);
            weights[i] = accumulator.Result();
            continue;
        }
        const Vec3d p = Widened(points[i]);
        double strongest = 0.0;
        std::size_t sharing = 0;
        std::size_t last = 0;
        for (std::size_t s = 0; s < seamCount; ++s) {
            shares[s] = ShareOfSeam(seams[s], p, axis, band);
            if (shares[s] > 0.0) {
                ++sharing;
                last = s;
                strongest = std::max(strongest, shares[s]);
            }
        }
        if (sharing == 0) {
            SetOneJoint(weights[i], ownJoint);
        } else if (sharing == 1) {
            SetTwoJoints(weights[i], ownJoint, 1.0 - strongest, seams[last].neighbourJoint,
                         strongest);
        } else {
            for (std::size_t s = 0; s < seamCount; ++s)
                accumulator.Add(seams[s].neighbourJoint, shares[s]);
            accumulator.Add(ownJoint, 1.0 - strongest);
            weights[i] = accumulator.Result();
        }
    }
}

// Gives every group of points welded together the normalised average of their influences.
// The welded points get compact numbers in the order they are met; each group is gathered
// into a list through `next`, headed by its representative.
void UnifyWeldedPoints(std::span<const std::vector<Seam>> seamsOfPart, SkinWeights& weights) {
    constexpr std::uint32_t kNone = UINT32_MAX;
    std::vector<std::uint32_t> firstOfPart(weights.parts.size() + 1, 0);
    for (std::size_t p = 0; p < weights.parts.size(); ++p)
        firstOfPart[p + 1] = firstOfPart[p] + std::uint32_t(weights.parts[p].size());
    std::vector<std::uint32_t> numberOf(firstOfPart.back(), kNone);
    std::vector<PointWeights*> slot;
    const auto number = [&](std::size_t part, std::uint16_t point) {
        std::uint32_t& n = numberOf[firstOfPart[part] + point];
        if (n == kNone) {
            n = std::uint32_t(slot.size());
            slot.push_back(&weights.parts[part][point]);
        }
        return n;
    };
    std::vector<std::pair<std::uint32_t, std::uint32_t>> welds;
    for (std::size_t p = 0; p < seamsOfPart.size() && p < weights.parts.size(); ++p) {
        for (const Seam& seam : seamsOfPart[p]) {
            const std::size_t q = seam.neighbourPart;
            if (q >= weights.parts.size()) continue;
            for (std::size_t j = 0; j < seam.ownPoints.size(); ++j) {
                const std::uint16_t a = seam.ownPoints[j];
                const std::uint16_t b = seam.neighbourPoints[j];
                if (a < weights.parts[p].size() && b < weights.parts[q].size())
                    welds.emplace_back(number(p, a), number(q, b));
            }
        }
    }
    const auto count = std::uint32_t(slot.size());
    DisjointSets groups(count);
    for (const auto& [a, b] : welds) groups.Join(a, b);
    std::vector<std::uint32_t> head(count, kNone);
    std::vector<std::uint32_t> next(count, kNone);
    for (std::uint32_t n = 0; n < count; ++n) {
        const auto root = std::uint32_t(groups.Find(n));
        next[n] = head[root];
        head[root] = n;
    }
    InfluenceAccumulator accumulator;
    for (std::uint32_t root = 0; root < count; ++root) {
        const std::uint32_t first = head[root];
        if (first == kNone) continue;  // not a representative
        // The average of equal lists is that list: only groups that differ are blended.
        bool equal = true;
        for (std::uint32_t m = next[first]; m != kNone && equal; m = next[m])
            equal = *slot[m] == *slot[first];
        if (equal) continue;
        accumulator.Clear();
        for (std::uint32_t m = first; m != kNone; m = next[m]) {
            for (const Influence& influence : slot[m]->Used())
                accumulator.Add(influence.joint, influence.weight);
        }
        const PointWeights shared = accumulator.Result();
        for (std::uint32_t m = first; m != kNone; m = next[m]) *slot[m] = shared;
    }
}

}  // namespace

void ComputeSkinWeights(const Creature& creature, const Skeleton& skeleton, SkinWeights& weights) {
    const std::size_t partCount = std::size_t(std::max(creature.PartCount(), 0));
    weights.parts.resize(partCount);
    for (std::vector<PointWeights>& part : weights.parts) part.clear();
    std::vector<std::vector<Seam>> seamsOfPart(partCount);
    std::vector<std::uint8_t> onSeam;
    const JointedPartOfType partOfType = JointedParts(creature, skeleton);
    for (std::size_t j = 0; j < skeleton.joints.size(); ++j) {
        const Joint& joint = skeleton.joints[j];
        const PartObject* part = creature.Part(int(joint.partIndex));
        if (!part || joint.partIndex >= partCount) continue;
        seamsOfPart[joint.partIndex] = SeamsOfPart(creature, skeleton, partOfType, *part);
        WeightsOfPart(*part, joint, std::uint16_t(j), seamsOfPart[joint.partIndex], onSeam,
                      weights.parts[joint.partIndex]);
    }
    UnifyWeldedPoints(seamsOfPart, weights);
}

SkinWeights ComputeSkinWeights(const Creature& creature, const Skeleton& skeleton) {
    SkinWeights weights;
    ComputeSkinWeights(creature, skeleton, weights);
    return weights;
}

}  // namespace bw
