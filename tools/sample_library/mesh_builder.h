// A quadrilateral mesh under construction: points, quads with a surface index, and the
// building blocks of every part: rings, bridges between rings, grid caps, mirroring, normals
// and the checks that the written files are sound (closed, consistently wound, outward).
//
// Rings are lists of point indices. A ring of 2 (a + b) points is traversed like the edge of
// an a x b rectangle: (0,0) -> (a,0) -> (a,b) -> (0,b), so it can be closed by an a x b grid.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "geometry.h"

namespace bw::library {

struct MeshQuad {
    std::array<int, 4> corner{};
    int surface = 0;
};

class Mesh {
  public:
    int AddPoint(V3 p);
    void AddQuad(int a, int b, int c, int d, int surface);
    std::vector<int> AddRing(const std::vector<V3>& positions);
    // The mean position of the points `indices` (not empty) refers to.
    V3 CentreOf(const std::vector<int>& indices) const;

    // Quads between two rings of equal length. Unflipped, the quads face outward when both
    // rings run counter-clockwise seen from the side `to` lies on (looking back at `from`).
    void Bridge(const std::vector<int>& from, const std::vector<int>& to, int surface, bool flip);

    // Closes `ring` (2 (a + b) points, see above) with an a x b grid whose inner points follow
    // a Coons patch of the ring, raised by `dome` times (1 - r^2) along `domeAxis` (r = 0 at
    // the centre, 1 at the ring). Unflipped, the grid faces the side from which the ring runs
    // counter-clockwise. Returns the indices of the new quads.
    std::vector<int> Cap(const std::vector<int>& ring, int a, int b, int surface, bool flip,
                         V3 domeAxis = {}, double dome = 0.0);

    // Mirror image in the plane x = 0, winding reversed so that normals stay outward.
    void MirrorX();
    // Drops points no quad uses; returns the new index of every old point (-1: dropped).
    std::vector<int> DropUnusedPoints();
    // Unit normal per point: the normalised sum of the adjacent quads' area vectors.
    std::vector<V3> PointNormals() const;

    // Closed and consistently wound: every directed edge is used once and its reverse once.
    bool IsClosed(std::string* problem = nullptr) const;
    // Positive for a closed mesh whose quads face outward.
    double SignedVolume() const;
    // True when every quad has four distinct corners and a non-zero area.
    bool HasNoDegenerateQuads(std::string* problem = nullptr) const;

    std::vector<V3> points;
    std::vector<MeshQuad> quads;
};

// The ring index of corner (p, q) of an a x b rectangle edge traversal.
int RectangleRingIndex(int a, int b, int p, int q);

}  // namespace bw::library
