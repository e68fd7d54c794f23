// Branching parts (upper body, stomach, head, hands, feet) built as the surface of a box of
// nA x nB x nC cells, bent into shape like a lathe turning around the box's B axis: the four
// side faces become the mantle, the two end faces domes. Blocks of cells on any face become
// the part's seams (pinned to a seam ring on the surface, or extruded out to one) or
// appendages (fingers, toes, horns, tails) that grow out of the block.
#pragma once

#include <functional>
#include <vector>

#include "geometry.h"
#include "part_mesh.h"
#include "seam_rings.h"

namespace bw::library {

// One section of the mantle: v runs from 0 at the bottom rim to 1 at the top rim; y along eb;
// ra, rc the radii along ea and ec; ca, cc an offset of the centre; square 2 for an ellipse,
// more for a boxier section.
struct ProfileKey {
    double v = 0.0;
    double y = 0.0;
    double ra = 0.0;
    double rc = 0.0;
    double ca = 0.0;
    double cc = 0.0;
    double square = 2.0;
};

// What detail and surface functions see of a point of the box surface.
struct LatticeSample {
    double lambda = 0.0;  // -1 bottom pole .. 0 bottom rim .. 1 top rim .. 2 top pole
    double s = 0.0;       // direction in the section: s along ea, t along ec (unit, 0 at poles)
    double t = 0.0;
    V3 position;
};

// Faces of the box: 0 -A, 1 +A, 2 -B (bottom), 3 +B (top), 4 -C, 5 +C. Cells of a face are
// addressed (p, q), p along the face's first axis: -A: C, B; +A: B, C; -B: A, C; +B: C, A;
// -C: B, A; +C: A, B (so p x q points out of the box).
struct LatticeBlock {
    int face = 0;
    int p0 = 0;
    int q0 = 0;
    int p1 = 0;
    int q1 = 0;
};

enum class PortKind { Pinned, Extruded };

// A seam of the body. Whether the ring is a right-side mirror image, which runs the other way
// round its block, is read from the ring's frame (IsMirrorImage).
struct LatticePort {
    LatticeBlock block;
    SeamRing ring;       // where the seam lies, in ring order
    int set = 1;         // connection set (1-based)
    bool entry = false;  // the part lies on the ring normal's side (it is the child)
    PortKind kind = PortKind::Extruded;
    int rows = 3;         // extruded: rings from the block to the seam
    double bulge = 0.0;   // extruded: how much the rings swell on the way
    double reach = 0.03;  // pinned: distance over which the surface follows the pinned ring
    int surface = 0;      // quads of the extrusion
};

struct Appendage {
    LatticeBlock block;
    V3 direction;  // initial direction of growth
    double length = 0.1;
    V3 bendAxis{1, 0, 0};
    double bendAngle = 0.0;  // radians over the whole length
    int rows = 8;
    std::function<double(double)> width;  // cross-section scale at t in [0, 1]
    double tipDome = 0.0;
    int surface = 0;
    int tipSurface = 0;
    double tipFrom = 2.0;  // rows beyond this t use tipSurface
};

struct LatticeBody {
    int nA = 4;
    int nB = 4;
    int nC = 4;
    V3 origin;
    V3 ea{1, 0, 0};
    V3 eb{0, 1, 0};
    V3 ec{0, 0, 1};  // ea x eb = ec
    std::vector<ProfileKey> profile;
    double bottomDome = 0.0;
    double topDome = 0.0;
    std::function<V3(const LatticeSample&)> detail;      // extra offset of a point
    std::function<int(const LatticeSample&)> surfaceOf;  // surface of a cell, by its centre
    std::vector<LatticePort> ports;
    std::vector<Appendage> appendages;
};

// Builds the closed mesh into `part` (surfaces must already exist there) and compacts it.
void BuildLattice(const LatticeBody& body, PartMesh& part);

// The centre of a block's edge points, as mapped before ports and appendages shape the body.
V3 BlockCentre(const LatticeBody& body, const LatticeBlock& block);

// Where a lattice point lands before ports and appendages shape it.
LatticeSample MapLatticePoint(const LatticeBody& body, double i, double j, double k, int region);

}  // namespace bw::library
