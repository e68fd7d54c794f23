// Parts swept along a path as a sequence of rings: limb segments between two seam rings, and
// small parts (eyes, ears, nose, mouth) that grow out of one seam ring and end in a tip.
#pragma once

#include <functional>

#include "part_mesh.h"
#include "seam_rings.h"

namespace bw::library {

// A limb segment from the entry ring (where it hangs off its parent) to the exit ring (where
// its child hangs off it). `radius` scales the ring's offsets from the centre at t in [0, 1]
// for the ring point at `angle` (radians in the entry ring's frame, 0 along e1); the end rings
// are the seam rings exactly. `sag` bends the middle of the path sideways.
struct TubeShape {
    SeamRing entry;
    SeamRing exit;
    int entrySet = 2;
    int exitSet = 1;
    int rows = 20;
    std::function<double(double t, double angle)> radius;
    std::function<int(double t, double angle)> surfaceOf;
    V3 sag;
};
// Builds the closed tube into `part` (surfaces must already exist there) and compacts it.
void BuildTube(const TubeShape& tube, PartMesh& part);

// A part growing out of one seam ring: ring point (x, y) (its offset from the ring centre along
// the frame's e1, e2) goes to point(t, x, y) for t in (0, 1]; the last ring is closed by a grid
// cap raised by `tipDome` along the frame normal. `surfaceOf` gives the surface of the quads
// between t0 and t1 = t0 + 1 / rows.
struct SockShape {
    SeamRing entry;
    int set = 1;
    int rows = 12;
    std::function<V3(double t, double x, double y)> point;
    std::function<int(double t0, double x, double y)> surfaceOf;
    double tipDome = 0.0;
    V3 tipAxis;  // direction of the tip's dome; the frame normal when zero
    int tipSurface = 0;
};
// Builds the closed part into `part` (surfaces must already exist there) and compacts it.
void BuildSock(const SockShape& sock, PartMesh& part);

}  // namespace bw::library
