#include "export/creature_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

#include "export/non_finite_count.h"
#include "rig/posed_skeleton.h"
#include "rig/skeleton.h"
#include "rig/skin_weights.h"
#include "rig/skinning.h"

namespace bw {
namespace {

bool IsFinite(const Vec3f& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

Vec3f ToExportFrame(const Vec3f& v, double scale, UpAxis up) {
    const Vec3f s{float(v.x * scale), float(v.y * scale), float(v.z * scale)};
    return up == UpAxis::Z ? Vec3f{s.x, -s.z, s.y} : s;
}

Vec3d ToExportFrame(const Vec3d& v, double scale, UpAxis up) {
    const Vec3d s{v.x * scale, v.y * scale, v.z * scale};
    return up == UpAxis::Z ? Vec3d{s.x, -s.z, s.y} : s;
}

// A model-space rotation seen in the export frame: scaling leaves it as it is; the quarter turn
// of Z up turns its axis as it turns every direction.
Quaternion ToExportFrame(const Quaternion& q, UpAxis up) {
    return up == UpAxis::Z ? Quaternion{q.w, q.x, -q.z, q.y} : q;
}

// The model-space shape an export takes: per part its points and normals, skinned into a pose
// or the creature's own.
class ShapeSource {
  public:
    ShapeSource(const Creature& creature, std::vector<PosedPart> posed)
        : creature_(creature), posed_(std::move(posed)) {}
    std::span<const Vec3f> Points(int part) const {
        return posed_.empty() ? creature_.Part(part)->TransformedPoints()
                              : std::span<const Vec3f>(posed_[std::size_t(part)].points);
    }
    std::span<const Vec3f> Normals(int part) const {
        return posed_.empty() ? creature_.Part(part)->Normals()
                              : std::span<const Vec3f>(posed_[std::size_t(part)].normals);
    }

  private:
    const Creature& creature_;
    std::vector<PosedPart> posed_;  // empty for the creature's own shape
};

// The shape's extent along Y; 0 for a shape without points.
double ShapeHeight(const Creature& creature, const ShapeSource& shape) {
    float low = std::numeric_limits<float>::infinity();
    float high = -low;
    for (int i = 0; i < creature.PartCount(); ++i) {
        for (const Vec3f& p : shape.Points(i)) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
        }
    }
    return high > low ? double(high) - double(low) : 0.0;
}

// The joints of `rig` in the export frame, turned by `pose`.
std::vector<ExportJoint> ExportJoints(const Skeleton& rig, const Pose& pose, double scale,
                                      UpAxis up) {
    const std::vector<PosedJoint> posed = PoseSkeleton(rig, pose);
    std::vector<ExportJoint> joints;
    for (std::size_t j = 0; j < rig.joints.size(); ++j) {
        const Joint& joint = rig.joints[j];
        ExportJoint& out = joints.emplace_back();
        out.name = joint.name;
        if (joint.parent && *joint.parent < j) out.parent = joint.parent;
        out.restPosition = ToExportFrame(joint.restPosition, scale, up);
        out.rotation = ToExportFrame(posed[j].localRotation, up);
    }
    return joints;
}

// The polygon's corners without repeats of the previous corner (cyclically).
ExportPolygon DistinctCorners(const Quad& quad) {
    ExportPolygon polygon;
    polygon.surface = quad.surface;
    polygon.cornerCount = 0;
    for (int k = 0; k < 4; ++k) {
        const std::uint16_t corner = quad.corner[std::size_t(k)];
        const bool repeat =
            polygon.cornerCount > 0 && polygon.corners[polygon.cornerCount - 1] == corner;
        if (!repeat) polygon.corners[polygon.cornerCount++] = corner;
    }
    while (polygon.cornerCount > 1 &&
           polygon.corners[polygon.cornerCount - 1] == polygon.corners[0])
        --polygon.cornerCount;
    // A bow tie such as (a, b, a, c) also has fewer than three distinct corners.
    if (polygon.cornerCount == 4 &&
        (polygon.corners[0] == polygon.corners[2] || polygon.corners[1] == polygon.corners[3]))
        polygon.cornerCount = 0;
    return polygon;
}

// Unit normals; a zero normal (opposite normals averaged by a weld) takes the direction of the
// polygons around its point, and one without any such polygon points up.
std::vector<Vec3f> UnitNormals(const PartGeometry& part, std::vector<Vec3f> normals) {
    std::vector<std::size_t> zero;
    for (std::size_t i = 0; i < normals.size(); ++i) {
        if (const auto unit = Unit(normals[i]))
            normals[i] = *unit;
        else
            zero.push_back(i);
    }
    if (zero.empty()) return normals;
    std::vector<Vec3f> around(normals.size());
    for (const ExportPolygon& polygon : part.polygons) {
        const Vec3f& a = part.points[polygon.corners[0]];
        const Vec3f area = Cross(part.points[polygon.corners[1]] - a,
                                 part.points[polygon.corners[polygon.cornerCount - 1]] - a);
        for (std::uint32_t k = 0; k < polygon.cornerCount; ++k) {
            Vec3f& sum = around[polygon.corners[k]];
            sum = {sum.x + area.x, sum.y + area.y, sum.z + area.z};
        }
    }
    for (std::size_t i : zero) normals[i] = Unit(around[i]).value_or(Vec3f{0.0f, 1.0f, 0.0f});
    return normals;
}

}  // namespace

bool TakeCreatureGeometry(const Creature& creature, const ExportOptions& options,
                          const std::string& formatName, std::vector<PartGeometry>& parts,
                          std::string* reason, std::vector<ExportJoint>* skeleton) {
    const auto fail = [&](std::string text) {
        if (reason) *reason = std::move(text);
        return false;
    };
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        const NonFiniteCount bad = CountNonFinite(part);
        if (bad.points + bad.normals > 0) {
            return fail("the " + part.TypeName() + " has " + std::to_string(bad.points) +
                        " points and " + std::to_string(bad.normals) +
                        " normals that are not finite numbers, which " + formatName +
                        " cannot hold");
        }
    }
    // A rigged export keeps the rest shape: the pose goes into the joints.
    const bool posing = options.pose && !options.pose->IsRest() && !skeleton;
    Skeleton rig;
    SkinWeights weights;
    std::vector<PosedPart> posed;
    if (posing || skeleton) {
        rig = BuildSkeleton(creature);
        ComputeSkinWeights(creature, rig, weights);
    }
    if (posing) SkinCreature(creature, weights, PoseSkeleton(rig, *options.pose), posed);
    const ShapeSource shape(creature, std::move(posed));

    double scale = options.scale.value_or(1.0);
    if (options.height) {
        const double height = ShapeHeight(creature, shape);
        if (!(height > 0.0)) return fail("the creature has no height to scale");
        scale = *options.height / height;
    }

    parts.clear();
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& source = *creature.Part(i);
        PartGeometry part;
        part.bodyPart = source.TypeName();
        for (const Vec3f& p : shape.Points(i)) {
            part.points.push_back(ToExportFrame(p, scale, options.up));
            if (!IsFinite(part.points.back())) {
                return fail("the " + part.bodyPart +
                            " has points beyond the number range once scaled");
            }
        }
        std::vector<Vec3f> normals;
        for (const Vec3f& n : shape.Normals(i))
            normals.push_back(ToExportFrame(n, 1.0, options.up));
        normals.resize(part.points.size());
        for (const Quad& quad : source.Polygons()) {
            const ExportPolygon polygon = DistinctCorners(quad);
            if (polygon.cornerCount >= 3) part.polygons.push_back(polygon);
        }
        part.normals = UnitNormals(part, std::move(normals));
        for (const SurfaceMaterial& surface : source.Surfaces())
            part.surfaces.push_back({surface.name, surface.colour});
        for (int k = 0; k < kMaxConnectionSets; ++k) {
            const auto set = source.ConnectionSet(k);
            part.sets[std::size_t(k)].assign(set.begin(), set.end());
        }
        if (skeleton && std::size_t(i) < weights.parts.size() &&
            weights.parts[std::size_t(i)].size() == part.points.size())
            part.weights = weights.parts[std::size_t(i)];
        parts.push_back(std::move(part));
    }
    if (skeleton) *skeleton = ExportJoints(rig, options.pose.value_or(Pose()), scale, options.up);
    return true;
}

std::vector<SeamWeld> CreatureSeamWelds(const Creature& creature) {
    std::vector<SeamWeld> welds;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        for (const SetConnection& connection : ConnectionsOfTypeCode(part.GetTypeCode())) {
            // Both parts list the seam; the one earlier in the list reports it.
            for (int j = i + 1; j < creature.PartCount(); ++j) {
                const PartObject& neighbour = *creature.Part(j);
                if (neighbour.GetTypeCode() != connection.neighbour) continue;
                const auto own = part.ConnectionSet(connection.ownSet - 1);
                const auto other = neighbour.ConnectionSet(connection.neighbourSet - 1);
                if (!own.empty() && own.size() == other.size())
                    welds.push_back({std::size_t(i), connection.ownSet - 1, std::size_t(j),
                                     connection.neighbourSet - 1});
            }
        }
    }
    return welds;
}

std::string ExportSurfaceName(const std::string& bodyPart, const std::string& surface,
                              bool typeInSurfaceNames, const std::string& blank) {
    return typeInSurfaceNames ? bodyPart + blank + surface : surface;
}

}  // namespace bw
