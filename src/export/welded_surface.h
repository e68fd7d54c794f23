// The creature as one surface for printing: the points of every weld become one point, and so
// do points closer than a millionth of the creature's size; the caps that close two welded
// parts at their seam are taken out; every polygon is split into triangles. Whether the result
// is watertight is counted by its edges, its shells by the edges they share.
//
// Why the caps go: every part is a closed mesh, closed at each seam by a cap over the seam's
// ring of points (see seam_caps.h). Where two parts meet, the weld makes their rings one ring,
// point for point; with both caps taken out, the two parts' surfaces continue into each other
// across it, whatever shape each cap had (a scaled or tapered part, two types of part). Left
// in, each ring edge would be shared by four faces instead of two. At a ring without a
// neighbour (a body part missing) the cap stays and closes the part.
//
// Points merged by position catch what welds do not name: the inner points of two caps made to
// lie on each other agree only to within rounding. Pairs of polygons over the same merged
// points wound opposite ways enclose nothing and are taken out too.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "export/creature_geometry.h"

namespace bw {

// A polygon of the welded surface before it is split into triangles.
struct WeldedPolygon {
    std::array<std::uint32_t, 4> corners{};  // merged point indices; [3] unused for a triangle
    std::uint32_t cornerCount = 4;
    std::uint32_t part = 0;         // the index of its part
    std::uint16_t partSurface = 0;  // its index into the part's surfaces
    std::uint32_t surface = 0;      // its index into WeldedSurface::surfaces
};

// The part point a merged point was first taken from.
struct PointSource {
    std::uint32_t part = 0;
    std::uint32_t point = 0;
};

struct WeldedSurface {
    std::vector<Vec3f> points;              // one per merged point, in the export frame
    std::vector<PointSource> pointSources;  // per point: the first part point merged into it
    std::vector<Vec3f> normals;  // per point: the unit mean of the normals merged into it
    // Point indices, counter-clockwise seen from outside.
    std::vector<std::array<std::uint32_t, 3>> triangles;
    // The surfaces of the parts, each once: named "<body part> <surface name>" (or the surface
    // name alone).
    std::vector<ExportSurface> surfaces;
    // Per triangle, its index into `surfaces`.
    std::vector<std::uint32_t> triangleSurfaces;
    // The polygons the triangles were split from, in the same order (one triangle for a
    // triangle, two for a quad).
    std::vector<WeldedPolygon> polygons;
    // Polygons of caps taken out at welded seams.
    std::size_t removedCapPolygons = 0;
    // Pairs of polygons that lay on each other with opposite winding and were taken out.
    std::size_t removedPolygonPairs = 0;
};

// Makes point k of both sets of every weld one point, and merges points closer than a
// millionth of the diagonal of all points' bounding box (equal points always; -0 equals 0);
// a merged point lies where the first of its points in part order lies. Takes out both caps of
// every weld, then pairs of polygons over the same points wound opposite ways, drops polygons
// whose merged corners leave no area, and splits the rest into triangles: (0, 1, 2) and
// (0, 2, 3), as the preview splits a quad. Welds that name a part or set that is not there,
// or sets of different sizes, are passed over. Surfaces are named by ExportSurfaceName.
WeldedSurface WeldParts(std::span<const PartGeometry> parts, std::span<const SeamWeld> welds = {},
                        bool typeInSurfaceNames = true);

// The number of edges (unordered pairs of points) used by a number of triangles other than
// two: 0 for a watertight surface.
std::size_t CountOpenEdges(const WeldedSurface& surface);

// The unit normal of `triangle` by the right-hand rule of its corner order, worked out in
// double precision from the stored points; zero for a triangle without area.
Vec3f FacetNormal(const WeldedSurface& surface, const std::array<std::uint32_t, 3>& triangle);

// The number of shells: groups of triangles joined through shared edges.
std::size_t CountShells(const WeldedSurface& surface);

}  // namespace bw
