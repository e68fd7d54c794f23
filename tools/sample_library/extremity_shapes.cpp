// Hands and feet: lattice bodies (palm, sole) with fingers, thumbs, toes and claws growing out
// of blocks, and the wrist or ankle seam extruded from a block.
#include <cmath>

#include "body_part_shapes.h"
#include "lattice_body.h"

namespace bw::library {
namespace {

struct Digit {
    LatticeBlock block;
    V3 direction;
    double length;
    double bend;
    double taper;  // width left at the tip
    bool claw;
};

// Fantasy and insect fingers and toes end in claws, the others' in nails.
bool HasClaws(CreatureType type) {
    return type == CreatureType::Fantasy || type == CreatureType::Insect;
}

void AddDigits(LatticeBody& body, const std::vector<Digit>& digits, V3 bendAxis, int skin,
               int nail) {
    for (const Digit& d : digits) {
        Appendage a;
        a.block = d.block;
        a.direction = d.direction;
        a.length = d.length;
        a.bendAxis = bendAxis;
        a.bendAngle = d.bend;
        a.rows = d.claw ? 12 : 9;
        const double taper = d.taper;
        const bool claw = d.claw;
        a.width = [taper, claw](double t) {
            if (claw && t > 0.65)
                return (1.0 - (1.0 - taper) * 0.65) * (1.0 - (t - 0.65) / 0.35 * 0.85);
            return 1.0 - (1.0 - taper) * t + 0.08 * Bump(t, 0.45, 0.12);
        };
        a.tipDome = 0.004;
        a.surface = skin;
        a.tipSurface = nail;
        a.tipFrom = claw ? 0.62 : 0.84;
        body.appendages.push_back(a);
    }
}

}  // namespace

PartMesh BuildHand(CreatureType type, int variant) {
    const Skeleton sk = SkeletonOf(type);
    const Palette palette = PaletteOf(type);
    PartMesh part;
    const int skin =
        part.Surface(type == CreatureType::Manga && variant == 1 ? "Mitten" : "Skin",
                     type == CreatureType::Manga && variant == 1 ? palette.hair : palette.skin);
    const bool painted = type == CreatureType::Female && variant == 1;
    const int nail =
        part.Surface(HasClaws(type) ? "Claws" : "Nails", painted ? palette.lips : palette.nails);
    const V3 d = LeftArmDirection();
    // Across the palm towards the thumb: forward, turned with the palm (the wrist seam takes
    // half of the turn, the hand's own extrusion the rest).
    const V3 z = Rotated({0, 0, 1}, d, -kPalmTurn);
    const double scale = 1.15 * (type == CreatureType::Fantasy  ? 1.15
                                 : type == CreatureType::Manga  ? 0.85
                                 : type == CreatureType::Female ? 0.9
                                                                : 1.0);
    const double fingerLength = (type == CreatureType::Insect                   ? 0.11
                                 : type == CreatureType::Female && variant == 0 ? 0.095
                                                                                : 0.085) *
                                scale;
    LatticeBody body;
    body.nA = 2;
    body.nB = 5;
    body.nC = 12;
    body.eb = d;
    body.ec = z;
    body.ea = Cross(d, z);
    body.origin = sk.wrist + d * 0.014;
    const double strong = type == CreatureType::Male && variant == 1 ? 1.12 : 1.0;
    body.profile = {{0.0, 0.0, 0.015 * scale, 0.034 * scale * strong, 0, 0, 3.0},
                    {0.5, 0.045 * scale, 0.016 * scale * strong, 0.042 * scale * strong, 0, 0, 3.0},
                    {1.0, 0.085 * scale, 0.013 * scale, 0.044 * scale * strong, 0, 0, 3.0}};
    body.bottomDome = 0.004;
    body.topDome = 0.006;
    body.ports.push_back({.block = {2, 0, 3, 2, 9},
                          .ring = MakeSeamRing(Seam::Wrist, type, sk.wrist),
                          .entry = true,
                          .rows = 2,
                          .surface = skin});
    const V3 spread = z * 0.12;
    std::vector<Digit> digits;
    const bool claws = HasClaws(type);
    if (type == CreatureType::Insect) {
        if (variant == 0) {
            digits = {{{3, 0, 0, 5, 2}, d - z * 0.3, 0.1, -0.9, 0.3, true},
                      {{3, 7, 0, 12, 2}, d + z * 0.3, 0.1, 0.9, 0.3, true}};
        } else {
            digits = {{{3, 3, 0, 9, 2}, d, 0.13, -1.4, 0.3, true}};
        }
    } else if (type == CreatureType::Fantasy && variant == 1) {
        digits = {{{3, 0, 0, 3, 2}, d - spread, fingerLength, -0.6, 0.5, true},
                  {{3, 4, 0, 7, 2}, d, fingerLength * 1.1, -0.6, 0.5, true},
                  {{3, 8, 0, 11, 2}, d + spread, fingerLength, -0.6, 0.5, true}};
    } else if (type == CreatureType::Manga && variant == 1) {
        digits = {{{3, 1, 0, 11, 2}, d, 0.04, -0.3, 0.7, false}};
    } else {
        const double curl = claws ? -0.7 : -0.35;
        const double taper = claws ? 0.6 : 0.75;
        digits = {{{3, 0, 0, 2, 2}, d - spread * 1.5, fingerLength * 0.78, curl, taper, claws},
                  {{3, 3, 0, 5, 2}, d - spread * 0.5, fingerLength * 0.95, curl, taper, claws},
                  {{3, 6, 0, 8, 2}, d + spread * 0.3, fingerLength, curl, taper, claws},
                  {{3, 9, 0, 11, 2}, d + spread, fingerLength * 0.92, curl, taper, claws}};
    }
    if (type != CreatureType::Insect)
        digits.push_back({{5, 0, 0, 2, 2}, d * 0.6 + z, fingerLength * 0.75, 0.5, 0.75, claws});
    AddDigits(body, digits, z, skin, nail);
    BuildLattice(body, part);
    return part;
}

PartMesh BuildFoot(CreatureType type, int variant) {
    const Skeleton sk = SkeletonOf(type);
    const Palette palette = PaletteOf(type);
    PartMesh part;
    const bool shoe = type == CreatureType::Manga && variant == 0;
    const int skin = part.Surface(shoe ? "Shoe" : "Skin", shoe ? palette.hair : palette.skin);
    const int nail = part.Surface(HasClaws(type) ? "Claws" : "Nails", palette.nails);
    const double scale = type == CreatureType::Fantasy  ? 1.2
                         : type == CreatureType::Manga  ? 0.9
                         : type == CreatureType::Female ? 0.9
                                                        : 1.0;
    const double wide = type == CreatureType::Male && variant == 1 ? 1.15
                        : type == CreatureType::Insect             ? 0.7
                                                                   : 1.0;
    LatticeBody body;
    body.nA = 4;
    body.nB = 10;
    body.nC = 8;
    body.ea = {0, 1, 0};
    body.eb = {0, 0, 1};
    body.ec = {1, 0, 0};
    const double length = 0.2 * scale;
    body.origin = {sk.ankle.x, 0.0, sk.ankle.z - 0.055 * scale};
    const double heel = type == CreatureType::Female && variant == 1 ? 0.035 : 0.0;
    body.profile = {{0.0, 0.0, 0.04 * scale, 0.032 * scale * wide, 0.04 * scale + heel, 0, 3.0},
                    {0.45, 0.45 * length, 0.034 * scale, 0.04 * scale * wide,
                     0.034 * scale + heel * 0.6, 0, 3.2},
                    {1.0, length, 0.018 * scale, 0.045 * scale * wide, 0.018 * scale, 0.004, 3.2}};
    body.bottomDome = 0.02 * scale;
    body.topDome = 0.012 * scale;
    body.ports.push_back({.block = {1, 1, 2, 5, 6},
                          .ring = MakeSeamRing(Seam::Ankle, type, sk.ankle),
                          .entry = true,
                          .rows = 3,
                          .bulge = 0.05,
                          .surface = skin});
    const V3 forward{0, -0.15, 1};
    const V3 x{1, 0, 0};
    std::vector<Digit> toes;
    switch (type) {
        case CreatureType::Fantasy:
            if (variant == 0) {  // "Fantasy-ThreeToes"
                toes = {{{3, 0, 0, 2, 2}, forward - x * 0.25, 0.07, 0.7, 0.55, true},
                        {{3, 3, 0, 5, 2}, forward, 0.08, 0.7, 0.55, true},
                        {{3, 6, 0, 8, 2}, forward + x * 0.25, 0.07, 0.7, 0.55, true}};
            } else {  // "Fantasy-TwoToes"
                toes = {{{3, 0, 0, 3, 2}, forward - x * 0.2, 0.08, 0.8, 0.5, true},
                        {{3, 5, 0, 8, 2}, forward + x * 0.2, 0.08, 0.8, 0.5, true}};
            }
            break;
        case CreatureType::Insect:
            toes = variant == 0
                       ? std::vector<Digit>{{{3, 2, 0, 6, 2}, forward, 0.1, 1.2, 0.3, true}}
                       : std::vector<Digit>{
                             {{3, 0, 0, 3, 2}, forward - x * 0.4, 0.09, 1.5, 0.3, true},
                             {{3, 5, 0, 8, 2}, forward + x * 0.4, 0.09, 1.5, 0.3, true}};
            break;
        case CreatureType::Male:
        case CreatureType::Female:
        case CreatureType::Manga:
            if (!shoe) {
                toes = {{{3, 0, 0, 2, 1}, forward - x * 0.1, 0.03, 0.3, 0.8, false},
                        {{3, 3, 0, 4, 1}, forward, 0.026, 0.3, 0.8, false},
                        {{3, 5, 0, 6, 1}, forward + x * 0.1, 0.022, 0.3, 0.8, false},
                        {{3, 7, 0, 8, 1}, forward + x * 0.2, 0.018, 0.3, 0.8, false}};
            }
            break;
    }
    if (heel > 0) {
        toes.push_back({{2, 0, 3, 1, 5}, {0, -1, -0.1}, heel + 0.012, 0.0, 0.6, false});
    }
    AddDigits(body, toes, x, skin, nail);
    BuildLattice(body, part);
    return part;
}

}  // namespace bw::library
