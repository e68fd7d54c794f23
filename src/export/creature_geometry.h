// The creature's geometry as an export writes it: per part its points and normals in the
// export frame, its polygons and its surfaces. Nothing here depends on a file format.
//
// The creature's model space has Y up, in the units of its object files. The export frame is
// that space scaled (ExportOptions::scale or height) about the origin and, for Z up, turned a
// quarter turn about X: (x, y, z) becomes (x, -z, y). Both keep the handedness, so the winding
// of every polygon and the direction of every normal stay outward.
//
// A pose (ExportOptions::pose) turns the creature's joints before it is exported: its points
// and normals are skinned into the pose from the rest shape (see rig/skinning.h), and the
// creature itself is left as it is. A rigged export instead keeps the rest shape and carries
// the skeleton, each point's skin weights and the pose as the joints' rotations.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/creature.h"
#include "rig/point_weights.h"
#include "rig/pose.h"
#include "rig/quaternion.h"

namespace bw {

enum class UpAxis { Y, Z };

struct ExportOptions {
    UpAxis up = UpAxis::Y;
    // Multiplies every coordinate; positive and finite.
    std::optional<double> scale;
    // Scales the creature so that its extent along its up axis is this; positive and finite.
    // Not together with `scale`.
    std::optional<double> height;
    // Material, surface and layer names: "<body part> <surface name>" ("Left hand Skin"), or
    // the surface name alone (made unique where a format needs unique names).
    bool typeInSurfaceNames = true;
    // The pose the creature is exported in; the rest shape when absent or at rest.
    std::optional<Pose> pose;
    // For a format that can carry one (ExportFormat::skeleton): the skeleton and the skin
    // weights, the points at rest and the pose as the joints' rotations.
    bool includeSkeleton = false;
    // Catmull–Clark levels the welded creature is subdivided to before it is written (0 to
    // kMaxSubdivisionLevel): each level makes four faces of one, the seams stay closed and
    // every part keeps its own faces.
    int subdivisionLevel = 0;
};

// The name of `surface` of the part of `bodyPart` as exports write it: "<body part><blank>
// <surface>" when `typeInSurfaceNames`, else the surface alone; `blank` joins the words.
std::string ExportSurfaceName(const std::string& bodyPart, const std::string& surface,
                              bool typeInSurfaceNames, const std::string& blank = " ");

struct ExportPolygon {
    // Point indices into the part's points in winding order, counter-clockwise seen from
    // outside; corners[3] is unused when `cornerCount` is 3.
    std::array<std::uint32_t, 4> corners{};
    std::uint32_t cornerCount = 4;
    std::uint16_t surface = 0;  // index into the part's surfaces
};

struct ExportSurface {
    std::string name;               // the bytes the object file holds
    std::array<float, 3> colour{};  // red, green, blue, 0 to 1, as the preview shows them
};

struct PartGeometry {
    std::string bodyPart;        // the catalogue name, "Left hand"
    std::vector<Vec3f> points;   // export frame
    std::vector<Vec3f> normals;  // one per point, unit length, export frame
    // Every polygon of the part with at least three distinct corners; a quad with a repeated
    // corner is the triangle of the others, one with fewer distinct corners has no area and is
    // left out.
    std::vector<ExportPolygon> polygons;
    std::vector<ExportSurface> surfaces;  // indexed by ExportPolygon::surface
    // The part's connection sets 1 to 8 (index 0 to 7): point indices, a seam's ring of points
    // in ring order.
    std::array<std::vector<std::uint32_t>, kMaxConnectionSets> sets;
    // Rigged exports only: one entry per point, the joints (indices into the skeleton's
    // joints) that move it; empty for a part without a joint.
    std::vector<PointWeights> weights;
};

// A joint of a rigged export, named after its body part, in the export frame. Its rest frame
// has the frame's axes and stands at `restPosition`; the pose turns it by `rotation` relative
// to its parent.
struct ExportJoint {
    std::string name;                   // the catalogue name, "Left forearm"
    std::optional<std::size_t> parent;  // an earlier joint; none for the root
    Vec3d restPosition;
    Quaternion rotation;
};

// A seam where the creature welded two parts together: point k of set `firstSet` of part
// `first` and point k of set `secondSet` of part `second` were made one point. Parts are
// counted in list order, sets from 0 ('P001').
struct SeamWeld {
    std::size_t first = 0;
    int firstSet = 0;
    std::size_t second = 0;
    int secondSet = 0;
};

// Every part of `creature` in list order, posed by `options.pose`. False, with `reason` set and
// `parts` unspecified, when a part has a point or normal that is no finite number
// (`formatName` names the format that cannot hold it), when the creature has no height to
// scale to `options.height` (the height of the shape exported), or when the scale takes a
// coordinate beyond the float range.
//
// With `skeleton` (a rigged export) the points stay at rest, each part gets its skin weights,
// and `skeleton` gets the creature's joints (parents first) turned by the pose; empty for a
// creature without joints.
bool TakeCreatureGeometry(const Creature& creature, const ExportOptions& options,
                          const std::string& formatName, std::vector<PartGeometry>& parts,
                          std::string* reason, std::vector<ExportJoint>* skeleton = nullptr);

// Every seam of `creature` whose two parts are both present with sets of the same, non-zero
// size: the seams the creature welds, each once.
std::vector<SeamWeld> CreatureSeamWelds(const Creature& creature);

}  // namespace bw
