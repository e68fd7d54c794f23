// Upper bodies and stomachs: lattice bodies turned around the Y axis. The upper body carries
// the waist (pinned to its bottom face), the neck and both arms (extruded from blocks); the
// stomach hangs off the waist (its whole top face) and carries both thighs.
#include <cmath>

#include "body_part_shapes.h"
#include "lattice_body.h"

namespace bw::library {
namespace {

struct TorsoLook {
    double width = 1.0;    // shoulders or hips against the rest pose
    double depth = 1.0;    // front to back
    double front = 0.0;    // pecs, breasts or belly, in units
    double frontAt = 0.7;  // where on the mantle (lambda)
    double frontSpread = 0.42;
    double back = 0.0;  // hump, buttocks or abdomen, in units
    double backAt = 0.8;
    double bands = 0.0;   // insect segments
    bool spikes = false;  // a row of spikes down the back
    bool tail = false;
    double suitBelow = -2.0;  // lambda below which a suit is worn
};

V3 TorsoDetail(const TorsoLook& look, const LatticeSample& s) {
    if (s.lambda < 0.0 || s.lambda > 1.0) return {};
    V3 offset;
    const double side = std::fabs(s.s);
    if (s.t > 0.0 && look.front != 0.0)
        offset.z += look.front * Bump(s.lambda, look.frontAt, 0.25) *
                    Bump(side, look.frontSpread, 0.42) * s.t;
    if (s.t < 0.0 && look.back != 0.0)
        offset.z += look.back * Bump(s.lambda, look.backAt, 0.4) * Bump(side, 0.0, 0.9) * s.t;
    if (look.bands != 0.0) {
        const double band = look.bands * std::cos(s.lambda * kPi * 8);
        offset.x += band * s.s;
        offset.z += band * s.t;
    }
    return offset;
}

// The lattice both torso parts start from: 12 cells across to match the waist seam, 8 deep,
// `rows` high; the look's details and surfaces (added to `part`) on its mantle.
LatticeBody TorsoLattice(PartMesh& part, CreatureType type, const TorsoLook& look, int rows) {
    const Palette palette = PaletteOf(type);
    const int skin = part.Surface("Skin", palette.skin);
    const int shade = look.bands != 0.0 ? part.Surface("Chitin", palette.shade) : skin;
    const int suit = look.suitBelow > -2.0 ? part.Surface("Suit", palette.hair) : skin;
    LatticeBody body;
    body.nA = 12;
    body.nB = rows;
    body.nC = 8;
    body.detail = [look](const LatticeSample& s) { return TorsoDetail(look, s); };
    body.surfaceOf = [look, skin, shade, suit](const LatticeSample& s) {
        if (s.lambda < look.suitBelow) return suit;
        if (look.bands != 0.0 && std::cos(s.lambda * kPi * 8) < -0.6) return shade;
        return skin;
    };
    return body;
}

TorsoLook UpperBodyLook(CreatureType type, int variant) {
    TorsoLook look;
    switch (type) {
        case CreatureType::Male:
            look.front = variant == 0 ? 0.02 : 0.012;
            look.width = variant == 0 ? 1.0 : 1.06;
            look.depth = variant == 0 ? 1.0 : 1.15;
            break;
        case CreatureType::Female:
            look.front = variant == 0 ? 0.035 : 0.055;
            look.frontAt = 0.62;
            look.frontSpread = 0.45;
            look.width = 0.96;
            break;
        case CreatureType::Insect:
            look.bands = variant == 0 ? 0.006 : 0.0;
            look.depth = 0.9;
            look.back = variant == 1 ? 0.03 : 0.0;
            break;
        case CreatureType::Manga:
            look.width = variant == 0 ? 0.95 : 1.05;
            if (variant == 1) look.suitBelow = 0.85, look.front = 0.012;
            break;
        case CreatureType::Fantasy:
            look.back = variant == 0 ? 0.05 : 0.02;
            look.front = 0.02;
            look.width = 1.04;
            look.depth = 1.15;
            look.spikes = variant == 1;
            break;
    }
    return look;
}

TorsoLook StomachLook(CreatureType type, int variant) {
    TorsoLook look;
    look.frontAt = 0.5;
    look.frontSpread = 0.0;
    look.backAt = 0.35;
    switch (type) {
        case CreatureType::Male:
            look.front = variant == 0 ? 0.006 : 0.05;
            look.back = 0.02;
            break;
        case CreatureType::Female:
            look.width = variant == 0 ? 1.06 : 1.16;
            look.back = variant == 0 ? 0.03 : 0.045;
            break;
        case CreatureType::Insect:
            look.bands = 0.007;
            look.back = variant == 0 ? 0.14 : 0.04;
            look.backAt = 0.45;
            break;
        case CreatureType::Manga:
            look.width = variant == 0 ? 1.0 : 1.08;
            look.back = 0.025;
            if (variant == 1) look.suitBelow = 2.5;
            break;
        case CreatureType::Fantasy:
            look.front = 0.02;
            look.back = 0.03;
            look.bands = variant == 0 ? 0.004 : 0.0;
            look.tail = variant == 1;
            break;
    }
    return look;
}

}  // namespace

PartMesh BuildUpperBody(CreatureType type, int variant) {
    const Skeleton sk = SkeletonOf(type);
    const TorsoLook look = UpperBodyLook(type, variant);
    PartMesh part;
    LatticeBody body = TorsoLattice(part, type, look, 10);
    body.origin = {0, sk.waist.y, 0};
    double r1 = 0, r2 = 0;
    SeamRadii(Seam::Waist, type, r1, r2);
    const double height = sk.shoulder.y - sk.waist.y + 0.035;
    const double shoulder = (sk.shoulder.x - 0.025) * look.width;
    const double depth = r2 * look.depth;
    body.profile = {{0.0, 0.0, r1, r2},
                    {0.35, 0.35 * height, r1 + (shoulder - r1) * 0.3, depth * 1.12},
                    {0.72, 0.72 * height, shoulder * 0.96, depth * 1.22, 0, -0.01, 2.2},
                    {1.0, height, shoulder, depth * 1.02, 0, -0.015, 2.8}};
    body.topDome = 0.07 * sk.bulk;
    const int skin = part.Surface("Skin", PaletteOf(type).skin);
    // The waist covers the whole bottom face; neck and arms grow out of the shoulders.
    body.ports.push_back({.block = {2, 0, 0, 12, 8},
                          .ring = MakeSeamRing(Seam::Waist, type, sk.waist),
                          .set = 1,
                          .kind = PortKind::Pinned,
                          .surface = skin});
    auto extrude = [&](LatticeBlock block, SeamRing ring, int set) {
        body.ports.push_back(
            {.block = block, .ring = std::move(ring), .set = set, .bulge = 0.08, .surface = skin});
    };
    const SeamRing arm = MakeSeamRing(Seam::Shoulder, type, sk.shoulder);
    extrude({1, 6, 2, 10, 6}, arm, 2);
    extrude({3, 2, 4, 6, 8}, MakeSeamRing(Seam::NeckBase, type, sk.neckBase), 3);
    extrude({0, 2, 6, 6, 10}, MirroredRing(arm), 4);
    if (look.spikes) {
        const int horn = part.Surface("Horn", PaletteOf(type).nails);
        for (int j = 3; j <= 7; j += 2) {
            Appendage spike;
            spike.block = {4, j, 5, j + 1, 7};
            spike.direction = {0, 0.5, -1};
            spike.length = 0.07 + 0.01 * j;
            spike.rows = 5;
            spike.width = [](double t) { return 1.0 - 0.9 * t; };
            spike.surface = horn;
            spike.tipSurface = horn;
            body.appendages.push_back(spike);
        }
    }
    BuildLattice(body, part);
    return part;
}

PartMesh BuildStomach(CreatureType type, int variant) {
    const Skeleton sk = SkeletonOf(type);
    const TorsoLook look = StomachLook(type, variant);
    PartMesh part;
    LatticeBody body = TorsoLattice(part, type, look, 6);
    double r1 = 0, r2 = 0, h1 = 0, h2 = 0;
    SeamRadii(Seam::Waist, type, r1, r2);
    SeamRadii(Seam::Hip, type, h1, h2);
    const double bottom = sk.hip.y + 0.06;
    body.origin = {0, bottom, 0};
    const double height = sk.waist.y - bottom;
    const double hips = (sk.hip.x + h1 * 0.95) * look.width;
    body.profile = {{0.0, 0.0, hips, r2 * 1.1, 0, 0, 2.4},
                    {0.5, 0.5 * height, (hips + r1) / 2, r2 * 1.08},
                    {1.0, height, r1, r2}};
    body.bottomDome = 0.035;
    const int skin = part.Surface("Skin", PaletteOf(type).skin);
    // The stomach hangs off the waist with its whole top face; the thighs grow out of the bottom.
    const SeamRing hip = MakeSeamRing(Seam::Hip, type, sk.hip);
    body.ports.push_back(
        {.block = {2, 7, 2, 11, 6}, .ring = hip, .set = 1, .rows = 2, .surface = skin});
    body.ports.push_back({.block = {3, 0, 0, 8, 12},
                          .ring = MakeSeamRing(Seam::Waist, type, sk.waist),
                          .set = 2,
                          .entry = true,
                          .kind = PortKind::Pinned,
                          .surface = skin});
    body.ports.push_back({.block = {2, 1, 2, 5, 6},
                          .ring = MirroredRing(hip),
                          .set = 3,
                          .rows = 2,
                          .surface = skin});
    if (look.tail) {
        const int shade = part.Surface("Scales", PaletteOf(type).shade);
        Appendage tail;
        tail.block = {4, 2, 5, 4, 7};
        tail.direction = {0, -0.5, -1};
        tail.length = 0.55;
        tail.bendAxis = {1, 0, 0};
        tail.bendAngle = -1.6;
        tail.rows = 18;
        tail.width = [](double t) { return 1.1 - 0.85 * t; };
        tail.surface = skin;
        tail.tipSurface = shade;
        tail.tipFrom = 0.8;
        body.appendages.push_back(tail);
    }
    BuildLattice(body, part);
    return part;
}

}  // namespace bw::library
