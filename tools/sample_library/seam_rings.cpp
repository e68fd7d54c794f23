#include "seam_rings.h"

#include "mesh_builder.h"

namespace bw::library {
namespace {

struct SeamShape {
    int a;
    int b;
    double r1;  // radius along e1 for a grown man
    double r2;  // radius along e2
};

SeamShape ShapeOf(Seam seam) {
    switch (seam) {
        case Seam::NeckBase:
            return {4, 4, 0.064, 0.060};
        case Seam::HeadBase:
            return {4, 4, 0.056, 0.054};
        case Seam::Waist:
            return {12, 8, 0.145, 0.100};
        case Seam::Shoulder:
            return {4, 4, 0.060, 0.058};
        case Seam::Elbow:
            return {4, 4, 0.040, 0.042};
        case Seam::Wrist:
            return {4, 4, 0.022, 0.032};
        case Seam::Hip:
            return {4, 4, 0.086, 0.090};
        case Seam::Knee:
            return {4, 4, 0.055, 0.058};
        case Seam::Ankle:
            return {4, 4, 0.037, 0.040};
        case Seam::Eye:
            return {4, 4, 0.017, 0.017};
        case Seam::Ear:
            return {2, 3, 0.010, 0.021};
        case Seam::Nose:
            return {2, 3, 0.0, 0.0};
        case Seam::Mouth:
            return {6, 2, 0.0, 0.0};
    }
    return {4, 4, 0.05, 0.05};
}

Frame FrameOf(Seam seam) {
    const V3 x{1, 0, 0};
    const V3 y{0, 1, 0};
    const V3 z{0, 0, 1};
    switch (seam) {
        case Seam::NeckBase:
        case Seam::HeadBase:
            return {x, -z, y};
        case Seam::Waist:
        case Seam::Hip:
        case Seam::Knee:
        case Seam::Ankle:
            return {x, z, -y};
        case Seam::Shoulder:
        case Seam::Elbow: {
            const V3 d = LeftArmDirection();
            return {Cross(z, d), z, d};
        }
        case Seam::Wrist: {
            // The forearm turns the hand half way to its palm's direction.
            const V3 d = LeftArmDirection();
            const V3 front = Rotated(z, d, -kPalmTurn / 2);
            return {Cross(front, d), front, d};
        }
        case Seam::Eye:
            return FrameFacing({0.32, 0.04, 1.0}, y);
        case Seam::Ear:
            return FrameFacing({1.0, 0.05, -0.18}, y);
        case Seam::Nose:
        case Seam::Mouth:
            return {x, y, z};
    }
    return {x, y, z};
}

// How much thicker or thinner the type's seams are than a grown man's, by kind of seam.
struct TypeScales {
    double limb;
    double neck;
    double waist;
    double eye;
    double face;  // ears, nose and mouth
};

TypeScales ScalesOf(CreatureType type) {
    switch (type) {
        case CreatureType::Male:
            return {1.0, 1.0, 1.0, 1.0, 1.0};
        case CreatureType::Female:
            return {0.88, 0.86, 0.86, 1.1, 0.9};
        case CreatureType::Insect:
            return {0.72, 0.66, 0.74, 1.45, 0.7};
        case CreatureType::Manga:
            return {0.8, 0.76, 0.8, 1.9, 1.0};
        case CreatureType::Fantasy:
            return {1.14, 1.18, 1.14, 1.1, 1.05};
    }
    return {1.0, 1.0, 1.0, 1.0, 1.0};
}

double TypeScale(Seam seam, CreatureType type) {
    const TypeScales scales = ScalesOf(type);
    switch (seam) {
        case Seam::Shoulder:
        case Seam::Elbow:
        case Seam::Wrist:
        case Seam::Hip:
        case Seam::Knee:
        case Seam::Ankle:
            return scales.limb;
        case Seam::NeckBase:
        case Seam::HeadBase:
            return scales.neck;
        case Seam::Waist:
            return scales.waist;
        case Seam::Eye:
            return scales.eye;
        case Seam::Ear:
        case Seam::Nose:
        case Seam::Mouth:
            return scales.face;
    }
    return 1.0;
}

// The 2 (a + b) points of the edge of an a x b rectangle in ring order, corner (p, q) placed
// at `at(p, q)`.
template <typename PointAt>
std::vector<V3> RectangleEdge(int a, int b, PointAt at) {
    std::vector<V3> points(std::size_t{2} * std::size_t(a + b));
    for (int q = 0; q <= b; ++q)
        for (int p = 0; p <= a; ++p)
            if (p == 0 || q == 0 || p == a || q == b)
                points[RectangleRingIndex(a, b, p, q)] = at(p, q);
    return points;
}

}  // namespace

SeamRing MakeSeamRing(Seam seam, CreatureType type, V3 centre) {
    if (seam == Seam::Nose || seam == Seam::Mouth) return FaceFeatureRing(seam, centre);
    const SeamShape shape = ShapeOf(seam);
    const double scale = TypeScale(seam, type);
    SeamRing ring{shape.a, shape.b, FrameOf(seam), centre, {}};
    ring.points = RectangleEdge(shape.a, shape.b, [&](int p, int q) {
        double s = 0.0;
        double t = 0.0;
        SquareToDisc(2.0 * p / shape.a - 1.0, 2.0 * q / shape.b - 1.0, s, t);
        return centre + ring.frame.e1 * (shape.r1 * scale * s) +
               ring.frame.e2 * (shape.r2 * scale * t);
    });
    return ring;
}

void SeamRadii(Seam seam, CreatureType type, double& r1, double& r2) {
    const SeamShape shape = ShapeOf(seam);
    r1 = shape.r1 * TypeScale(seam, type);
    r2 = shape.r2 * TypeScale(seam, type);
}

SeamRing MirroredRing(const SeamRing& ring) {
    SeamRing mirrored = ring;
    mirrored.centre = MirroredX(ring.centre);
    mirrored.frame = {MirroredX(ring.frame.e1), MirroredX(ring.frame.e2), MirroredX(ring.frame.n)};
    for (V3& p : mirrored.points) p = MirroredX(p);
    return mirrored;
}

bool IsMirrorImage(const SeamRing& ring) {
    return Dot(Cross(ring.frame.e1, ring.frame.e2), ring.frame.n) < 0.0;
}

SeamRing FaceFeatureRing(Seam noseOrMouth, V3 anchor) {
    // One grid of spacing h on a gently curved face: the nose covers columns -1..1 and rows
    // 0..3, the mouth columns -3..3 and rows -2..0.
    const double h = 0.011;
    const bool nose = noseOrMouth == Seam::Nose;
    const int a = nose ? 2 : 6;
    const int b = nose ? 3 : 2;
    const int column0 = nose ? -1 : -3;
    const int row0 = nose ? 0 : -2;
    SeamRing ring{a, b, FrameOf(noseOrMouth), anchor, {}};
    ring.points = RectangleEdge(a, b, [&](int p, int q) {
        const double x = (column0 + p) * h;
        const double y = (row0 + q) * h;
        return anchor + V3{x, y, -2.5 * x * x};
    });
    ring.centre = Centroid(ring.points);
    return ring;
}

std::vector<int> NoseMouthSharedIndices(Seam noseOrMouth) {
    if (noseOrMouth == Seam::Nose) return {0, 1, 2};  // row 0, columns -1, 0, 1
    return {12, 11, 10};                              // row 0 of the mouth, same columns
}

}  // namespace bw::library
