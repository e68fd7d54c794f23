// Heads: a lattice body turned around the Y axis whose front face carries the rings of the
// eyes, nose and mouth and whose sides carry the ears, all pinned to the surface; the neck
// seam is extruded from the bottom. Horns and hair spikes grow from the top.
#include <cmath>

#include "body_part_shapes.h"
#include "lattice_body.h"

namespace bw::library {
namespace {

constexpr LatticeBlock kLeftEye{5, 8, 8, 12, 12};
constexpr LatticeBlock kRightEye{5, 2, 8, 6, 12};
constexpr LatticeBlock kNoseBlock{5, 6, 4, 8, 7};
constexpr LatticeBlock kMouthBlock{5, 4, 2, 10, 4};
constexpr LatticeBlock kLeftEar{1, 6, 5, 9, 7};
constexpr LatticeBlock kRightEar{0, 5, 6, 7, 9};
constexpr LatticeBlock kNeckBlock{2, 5, 3, 9, 7};

struct HeadLook {
    double size = 1.0;
    double width = 1.0;
    double length = 1.0;  // front to back
    double jaw = 1.0;     // width of the jaw against the cheeks
    double square = 2.0;  // squareness of the jaw
    double crown = 1.0;   // height of the dome
    double brow = 0.0;
    int horns = 0;          // 1 straight horns, 2 curled ram horns
    bool spikes = false;    // spiky hair
    double hairFrom = 9.0;  // lambda above which the head wears hair
};

HeadLook LookOf(CreatureType type, int variant) {
    HeadLook look;
    look.size = SkeletonOf(type).headSize;
    switch (type) {
        case CreatureType::Male:
            look.square = variant == 0 ? 3.0 : 2.0;
            look.jaw = variant == 0 ? 1.0 : 0.9;
            look.hairFrom = variant == 0 ? 1.25 : 9.0;
            break;
        case CreatureType::Female:
            look.jaw = 0.82;
            look.width = 0.95;
            look.hairFrom = variant == 0 ? 1.1 : 0.92;
            break;
        case CreatureType::Insect:
            look.width = variant == 0 ? 0.82 : 1.08;
            look.length = variant == 0 ? 1.15 : 0.95;
            look.jaw = variant == 0 ? 0.6 : 0.9;
            look.crown = 0.7;
            look.brow = 0.006;
            break;
        case CreatureType::Manga:
            look.jaw = 0.62;
            look.crown = 1.25;
            look.hairFrom = 0.95;
            look.spikes = variant == 1;
            break;
        case CreatureType::Fantasy:
            look.brow = 0.01;
            look.jaw = 1.08;
            look.square = 2.6;
            look.horns = variant == 0 ? 1 : 2;
            break;
    }
    return look;
}

LatticeBody HeadLattice(CreatureType type, const HeadLook& look) {
    const Skeleton sk = SkeletonOf(type);
    const double s = look.size;
    const double w = look.width * s;
    const double l = look.length * s;
    LatticeBody body;
    body.nA = 14;
    body.nB = 14;
    body.nC = 12;
    body.origin = {0, sk.headBase.y + 0.028 * s, sk.headBase.z + 0.016 * s};
    body.profile = {{0.0, 0.0, 0.058 * w * look.jaw, 0.066 * l, 0, 0.006 * s, look.square},
                    {0.25, 0.05 * s, 0.068 * w * (0.4 + 0.6 * look.jaw), 0.086 * l, 0, 0.004 * s},
                    {0.55, 0.115 * s, 0.077 * w, 0.097 * l},
                    {0.8, 0.17 * s, 0.08 * w, 0.1 * l},
                    {1.0, 0.205 * s, 0.073 * w, 0.092 * l}};
    body.topDome = 0.062 * s * look.crown;
    body.bottomDome = 0.012 * s;
    const double brow = look.brow * s;
    body.detail = [brow](const LatticeSample& p) {
        V3 offset;
        if (brow > 0 && p.t > 0.5 && p.lambda > 0 && p.lambda < 1.2)
            offset.z += brow * Bump(p.lambda, 0.9, 0.12) * p.t;
        return offset;
    };
    return body;
}

V3 AnchorOf(const LatticeBody& body) {
    return MapLatticePoint(body, 7, 4, body.nC, 1).position + V3{0, 0, 0.001};
}

// The surfaces of the head: skin, and hair above `hairFrom` (and, for hair that comes down
// low, at the back of the head) when the head wears any.
struct HeadSurfaces {
    int skin = 0;
    int hair = 0;
};

HeadSurfaces PaintHead(PartMesh& part, LatticeBody& body, const HeadLook& look,
                       const Palette& palette) {
    const int skin = part.Surface("Skin", palette.skin);
    const int hair = look.hairFrom < 9.0 ? part.Surface("Hair", palette.hair) : skin;
    const double hairFrom = look.hairFrom;
    body.surfaceOf = [skin, hair, hairFrom](const LatticeSample& p) {
        if (p.lambda > hairFrom + 0.35 * std::max(0.0, p.t)) return hair;
        if (hairFrom < 1.0 && p.t < 0.2 && p.lambda > 0.35) return hair;
        return skin;
    };
    return {skin, hair};
}

// The neck seam extruded from the bottom, and the eyes, nose, mouth and ears pinned to the
// surface, each pulling it along within its reach.
void AddHeadSeams(LatticeBody& body, CreatureType type, double size, int skin) {
    const Skeleton sk = SkeletonOf(type);
    const FaceLayout layout{BlockCentre(body, kLeftEye), BlockCentre(body, kLeftEar),
                            AnchorOf(body)};
    const SeamRing eye = MakeSeamRing(Seam::Eye, type, layout.leftEye);
    const SeamRing ear = MakeSeamRing(Seam::Ear, type, layout.leftEar);
    body.ports.push_back({.block = kNeckBlock,
                          .ring = MakeSeamRing(Seam::HeadBase, type, sk.headBase),
                          .set = 1,
                          .entry = true,
                          .rows = 2,
                          .surface = skin});
    auto pin = [&](LatticeBlock block, SeamRing ring, int set, double reach) {
        body.ports.push_back({.block = block,
                              .ring = std::move(ring),
                              .set = set,
                              .kind = PortKind::Pinned,
                              .reach = reach * size,
                              .surface = skin});
    };
    pin(kLeftEye, eye, 2, 0.035);
    pin(kRightEye, MirroredRing(eye), 3, 0.035);
    pin(kNoseBlock, FaceFeatureRing(Seam::Nose, layout.noseMouthAnchor), 4, 0.02);
    pin(kMouthBlock, FaceFeatureRing(Seam::Mouth, layout.noseMouthAnchor), 5, 0.025);
    pin(kLeftEar, ear, 6, 0.02);
    pin(kRightEar, MirroredRing(ear), 7, 0.02);
}

// One horn on each side of the top: straight ones that lean out (`kind` 1) or ram horns that
// curl back and round (2).
void AddHorns(LatticeBody& body, int kind, double size, int horn) {
    for (int side = 0; side < 2; ++side) {
        const double x = side == 0 ? 1.0 : -1.0;
        Appendage a;
        a.block = side == 0 ? LatticeBlock{3, 7, 9, 9, 11} : LatticeBlock{3, 7, 3, 9, 5};
        a.rows = 14;
        a.surface = horn;
        a.tipSurface = horn;
        if (kind == 1) {
            a.direction = {0.5 * x, 1.0, 0.25};
            a.length = 0.16 * size;
            a.bendAxis = {0, 0, x};
            a.bendAngle = 0.5;
            a.width = [](double t) { return 1.05 - 0.95 * t; };
        } else {
            a.direction = {0.6 * x, 0.5, -0.6};
            a.length = 0.3 * size;
            a.bendAxis = {x, 0, 0};
            a.bendAngle = -3.6;
            a.rows = 24;
            a.width = [](double t) { return 1.15 - 0.85 * t; };
        }
        body.appendages.push_back(a);
    }
}

// Spiky hair: eight spikes over the top, each pointing up and out from where it grows and
// curling back.
void AddHairSpikes(LatticeBody& body, double size, int hair) {
    const int spikes[][5] = {{3, 3, 2, 5, 4},  {3, 3, 8, 5, 10}, {3, 6, 5, 8, 7},
                             {3, 1, 5, 3, 7},  {3, 8, 1, 10, 3}, {3, 8, 11, 10, 13},
                             {4, 9, 3, 11, 5}, {4, 9, 7, 11, 9}};
    for (const auto& b : spikes) {
        Appendage a;
        a.block = {b[0], b[1], b[2], b[3], b[4]};
        const V3 centre = BlockCentre(body, a.block) - body.origin;
        a.direction = Normalised(V3{centre.x, 0.09 * size, centre.z * 1.4}) + V3{0, 0.6, -0.3};
        a.length = 0.1 * size;
        a.rows = 8;
        a.bendAxis = Normalised(Cross(a.direction, {0, 1, 0}) + V3{1e-3, 0, 0});
        a.bendAngle = -0.5;
        a.width = [](double t) { return 1.1 - t; };
        a.surface = hair;
        a.tipSurface = hair;
        body.appendages.push_back(a);
    }
}

}  // namespace

FaceLayout FaceLayoutOf(CreatureType type, int headVariant) {
    const LatticeBody body = HeadLattice(type, LookOf(type, headVariant));
    return {BlockCentre(body, kLeftEye), BlockCentre(body, kLeftEar), AnchorOf(body)};
}

PartMesh BuildHead(CreatureType type, int variant) {
    const HeadLook look = LookOf(type, variant);
    const Palette palette = PaletteOf(type);
    PartMesh part;
    LatticeBody body = HeadLattice(type, look);
    const HeadSurfaces surfaces = PaintHead(part, body, look, palette);
    AddHeadSeams(body, type, look.size, surfaces.skin);
    if (look.horns > 0) AddHorns(body, look.horns, look.size, part.Surface("Horn", palette.nails));
    if (look.spikes) AddHairSpikes(body, look.size, surfaces.hair);
    BuildLattice(body, part);
    return part;
}

}  // namespace bw::library
