// Necks, arms, forearms, thighs and legs: tubes between two seam rings whose radius follows a
// profile along the limb (muscles, joints, segments, spikes, discs).
#include <cmath>

#include "body_part_shapes.h"
#include "sweep.h"

namespace bw::library {
namespace {

// What makes one limb variant: the features its radius profile combines.
struct LimbLook {
    double length = 1.0;       // against the type's rest pose
    double slim = 0.0;         // narrowing of the middle
    double muscle = 0.0;       // swelling of a muscle
    double musclePos = 0.4;    // where along the limb
    double muscleAngle = 0.0;  // which side (angle in the entry ring's frame)
    int segments = 0;          // insect segments (bands)
    int spikes = 0;            // spikes along the limb
    double disc = 0.0;         // a disc-shaped flange at the middle
    double ridges = 0.0;       // scales or ridges around the limb
    double bootFrom = 2.0;     // t from which the limb wears a boot or glove
};

double LimbRadius(const LimbLook& look, double t, double angle) {
    double r = 1.0 - look.slim * std::sin(kPi * t);
    r += look.muscle * Bump(t, look.musclePos, 0.32) *
         (0.55 + 0.45 * std::cos(angle - look.muscleAngle));
    if (look.segments > 0) {
        const double phase = t * look.segments;
        const double within = phase - std::floor(phase);
        r += 0.16 * Bump(within, 0.5, 0.5) - 0.1;
    }
    for (int s = 0; s < look.spikes; ++s) {
        const double at = (s + 0.7) / (look.spikes + 0.4);
        const double side = (s % 2 == 0) ? 0.0 : kPi;
        double d = std::fabs(std::remainder(angle - side - 0.4, 2 * kPi));
        r += 1.1 * Bump(t, at, 0.05) * Bump(d, 0.0, 0.45);
    }
    r += look.disc * Bump(t, 0.45, 0.07);
    r += look.ridges * std::fabs(std::sin(3.0 * angle)) * (0.5 + 0.5 * std::sin(kPi * t * 6));
    if (t > look.bootFrom) r += 0.12 * SmoothStep((t - look.bootFrom) / 0.05);
    return r;
}

struct LimbSurfaces {
    int skin;
    int shade;
    int boot;
};

LimbSurfaces AddLimbSurfaces(PartMesh& part, CreatureType type, const LimbLook& look) {
    const Palette palette = PaletteOf(type);
    LimbSurfaces s{part.Surface("Skin", palette.skin), 0, 0};
    s.shade = (look.segments > 0 || look.ridges > 0 || look.disc > 0 || look.spikes > 0)
                  ? part.Surface(type == CreatureType::Insect ? "Chitin" : "Scales", palette.shade)
                  : s.skin;
    s.boot = look.bootFrom < 1.0 ? part.Surface("Boot", palette.hair) : s.skin;
    return s;
}

PartMesh BuildLimb(CreatureType type, const LimbLook& look, Seam entrySeam, V3 entryCentre,
                   Seam exitSeam, V3 exitCentre, int entrySet, int exitSet, int rows, V3 sag) {
    PartMesh part;
    const LimbSurfaces surfaces = AddLimbSurfaces(part, type, look);
    TubeShape tube;
    tube.entry = MakeSeamRing(entrySeam, type, entryCentre);
    tube.exit =
        MakeSeamRing(exitSeam, type, entryCentre + (exitCentre - entryCentre) * look.length);
    tube.entrySet = entrySet;
    tube.exitSet = exitSet;
    tube.rows = rows;
    tube.sag = sag;
    tube.radius = [look](double t, double angle) { return LimbRadius(look, t, angle); };
    tube.surfaceOf = [look, surfaces](double t, double angle) {
        if (t > look.bootFrom) return surfaces.boot;
        if (look.segments > 0) {
            const double phase = t * look.segments;
            return (phase - std::floor(phase)) < 0.22 ? surfaces.shade : surfaces.skin;
        }
        if (look.disc > 0 && std::fabs(t - 0.45) < 0.07) return surfaces.shade;
        if (look.ridges > 0 && std::fabs(std::sin(3.0 * angle)) > 0.7) return surfaces.shade;
        if (look.spikes > 0 && t > 0.1 && t < 0.9 && std::cos(angle - 0.4) > 0.8)
            return surfaces.shade;
        return surfaces.skin;
    };
    BuildTube(tube, part);
    return part;
}

// Front of an arm ring frame is +e2 (angle pi/2); front of a leg ring frame is +Z = e2 too.
constexpr double kFront = kPi / 2;
constexpr double kBack = -kPi / 2;

LimbLook ArmLook(CreatureType type, int variant, bool forearm) {
    LimbLook look;
    look.musclePos = forearm ? 0.25 : 0.45;
    look.muscleAngle = forearm ? 0.0 : kFront;
    switch (type) {
        case CreatureType::Male:
            if (variant == 0)
                look.slim = 0.08;
            else
                look.muscle = forearm ? 0.3 : 0.42;
            break;
        case CreatureType::Female:
            look.slim = variant == 0 ? 0.14 : 0.06;
            if (variant == 1) look.muscle = 0.12;
            break;
        case CreatureType::Insect:
            look.slim = 0.3;
            look.segments = variant == 0 ? 3 : 0;
            look.spikes = variant == 1 ? 3 : 0;
            look.length = 1.05;
            break;
        case CreatureType::Manga:
            look.slim = 0.12;
            if (variant == 1 && !forearm)
                look.muscle = 0.5, look.musclePos = 0.2, look.muscleAngle = 0.0;
            if (variant == 1 && forearm) look.bootFrom = 0.55;
            break;
        case CreatureType::Fantasy:
            look.muscle = variant == 0 ? 0.5 : 0.25;
            look.ridges = variant == 1 ? 0.08 : 0.0;
            if (variant == 1 && forearm) look.ridges = 0.0, look.spikes = 2;
            break;
    }
    return look;
}

LimbLook LegLook(CreatureType type, int variant, bool thigh) {
    LimbLook look;
    look.musclePos = thigh ? 0.35 : 0.3;
    look.muscleAngle = thigh ? kFront : kBack;
    switch (type) {
        case CreatureType::Male:
            if (variant == 0)
                look.slim = 0.1;  // "Male-Slim"
            else
                look.muscle = 0.35;
            break;
        case CreatureType::Female:
            look.slim = thigh ? 0.04 : 0.12;
            if (variant == 1) look.muscle = 0.2, look.muscleAngle = thigh ? 0.0 : kBack;
            break;
        case CreatureType::Insect:
            look.slim = 0.34;
            look.segments = variant == 0 ? 4 : 0;
            look.spikes = variant == 1 ? 4 : 0;
            break;
        case CreatureType::Manga:
            look.slim = 0.1;
            if (variant == 1 && thigh) look.muscle = 0.3, look.muscleAngle = 0.0;
            if (variant == 1 && !thigh) look.bootFrom = 0.45;
            break;
        case CreatureType::Fantasy:
            if (variant == 0 && thigh)
                look.disc = 0.55, look.slim = 0.1;  // "Fantasy-Disc"
            else
                look.muscle = 0.45;
            if (variant == 1) look.ridges = 0.08;
            break;
    }
    return look;
}

}  // namespace

PartMesh BuildNeck(CreatureType type, int variant) {
    const Skeleton s = SkeletonOf(type);
    LimbLook look;
    switch (type) {
        case CreatureType::Male:
            look.slim = variant == 0 ? -0.05 : 0.1;
            break;
        case CreatureType::Female:
            look.slim = variant == 0 ? 0.16 : 0.06;
            break;
        case CreatureType::Insect:
            look.slim = 0.35;
            look.segments = variant == 0 ? 2 : 0;
            break;
        case CreatureType::Manga:
            look.slim = variant == 0 ? 0.2 : 0.08;
            break;
        case CreatureType::Fantasy:
            look.slim = -0.08;
            look.ridges = variant == 1 ? 0.1 : 0.0;
            break;
    }
    return BuildLimb(type, look, Seam::NeckBase, s.neckBase, Seam::HeadBase, s.headBase, 1, 2, 14,
                     {0, 0, 0});
}

PartMesh BuildArm(CreatureType type, int variant) {
    const Skeleton s = SkeletonOf(type);
    return BuildLimb(type, ArmLook(type, variant, false), Seam::Shoulder, s.shoulder, Seam::Elbow,
                     s.elbow, 2, 1, 22, {0, 0, 0});
}

PartMesh BuildForearm(CreatureType type, int variant) {
    const Skeleton s = SkeletonOf(type);
    return BuildLimb(type, ArmLook(type, variant, true), Seam::Elbow, s.elbow, Seam::Wrist, s.wrist,
                     2, 1, 22, {0, 0, 0});
}

PartMesh BuildThigh(CreatureType type, int variant) {
    const Skeleton s = SkeletonOf(type);
    return BuildLimb(type, LegLook(type, variant, true), Seam::Hip, s.hip, Seam::Knee, s.knee, 2, 1,
                     26, {0, 0, 0.012});
}

PartMesh BuildLeg(CreatureType type, int variant) {
    const Skeleton s = SkeletonOf(type);
    return BuildLimb(type, LegLook(type, variant, false), Seam::Knee, s.knee, Seam::Ankle, s.ankle,
                     2, 1, 26, {0, 0, -0.01});
}

}  // namespace bw::library
